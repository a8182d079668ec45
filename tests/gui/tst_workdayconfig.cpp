#include "common/cannedserver.h"
#include "common/hublog.h"
#include "common/hubworker.h"
#include "common/modaldismisser.h"
#include "common/testprogramdir.h"
#include "data/interfacepublicdata.h"
#include "tasks/holidayreview.h"
#include "tasks/workdayconfig.h"

#include <QApplication>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

namespace {
// Stores the exceptions "yyyy-MM-dd=workday=notice", ids from 1.
bool seed(const TestProgramDir &dir, const QStringList &days)
{
    bool ok = dir.isValid();
    for (int i = 0; i < days.size(); ++i) {
        const QStringList parts = days.at(i).split(QLatin1Char('='));
        ok = ok && dir.execute(QStringLiteral("INSERT INTO TASK_WORKDAY (id, TaskDate, TaskDateStr, Workday, Notice) "
                                              "VALUES (%1, %2, '%3', %4, '%5')")
                                   .arg(i + 1)
                                   .arg(QDate::fromString(parts.at(0), Qt::ISODate).toJulianDay())
                                   .arg(parts.at(0), parts.at(1), parts.at(2)));
    }
    return ok;
}

// The exceptions stored, a worker wired to the hub (opened after them), and the dialog with its first list.
struct Fixture
{
    explicit Fixture(const QStringList &days = {}) : seeded(seed(dir, days))
    {
        emit interfacePublicData.SIGNALSendQuery(TaskWorkdaySelect, QVariant());
    }
    template <typename T = QPushButton> T *find(const char *name) { return dialog.findChild<T *>(QLatin1String(name)); }
    void click(const char *button) { QTest::mouseClick(find(button), Qt::LeftButton); }
    // "yyyy-MM-dd=workday=notice" of every stored exception, in date order.
    QStringList stored()
    {
        QStringList days;
        const auto list = ask(link.worker, TaskWorkdaySelect).value<QList<TaskWorkdayData>>();
        for (const TaskWorkdayData &day : list)
            days.append(
                QStringLiteral("%1=%2=%3").arg(day.TaskDate.toString(Qt::ISODate)).arg(day.Workday).arg(day.Notice));
        return days;
    }
    TestProgramDir dir;
    bool seeded;
    HubWorker link;
    WorkdayConfig dialog;
    QTableWidget *table = dialog.findChild<QTableWidget *>(QStringLiteral("tableWidget_Workday"));
};

const QString Oct7 = QStringLiteral("2024-10-07=0=国庆");

QByteArray vevent(const QDate &first, int days, const QByteArray &summary)
{
    return "BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:" + first.toString("yyyyMMdd").toLatin1() +
           "\r\nDTEND;VALUE=DATE:" + first.addDays(days).toString("yyyyMMdd").toLatin1() + "\r\nSUMMARY:" + summary +
           "\r\nEND:VEVENT\r\n";
}
} // namespace

// The workday dialog: what reaches the database when dates are added or cleared.
class TestWorkdayConfig : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerRecordMetaTypes(); }
    void add_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QString>("shown");
        // clang-format off
        QTest::newRow("Tuesday 2024-10-01 becomes a rest day") << QDate(2024, 10, 1) << QStringList{"2024-10-01=0=it's 调休", Oct7} << "休息 (星期二)";
        QTest::newRow("Saturday 2024-10-12 becomes a workday") << QDate(2024, 10, 12) << QStringList{Oct7, "2024-10-12=1=it's 调休"} << "工作 (星期六)";
        QTest::newRow("a listed date is refused") << QDate(2024, 10, 7) << QStringList{Oct7} << "休息 (星期一)";
        // clang-format on
    }
    void add()
    {
        QFETCH(QDate, date);
        QFETCH(QStringList, stored);
        QFETCH(QString, shown);
        Fixture f({Oct7});
        QTRY_COMPARE(f.table->rowCount(), 1);
        f.click("pushButton_Add");
        f.find<QDateEdit>("dateEdit_Date")->setDate(date);
        QCOMPARE(f.find<QLabel>("label_RestOrWork")->text(),
                 shown.startsWith("休息") ? "工作 => 休息" : "休息 => 工作");
        f.find<QLineEdit>("lineEdit_Notice")->setText(QStringLiteral("it's 调休"));
        ModalDismisser dismisser;
        f.click("pushButton_AddConfirm");
        QCOMPARE(dismisser.titles, stored.size() == 1 ? QStringList{"该日期已存在"} : QStringList());
        QTRY_COMPARE(f.table->rowCount(), stored.size());
        const int row = f.table->findItems(date.toString(Qt::ISODate), Qt::MatchExactly).value(0)->row();
        QCOMPARE(f.table->item(row, WorkdayConfig::ColumnWorkOrRest)->text(), shown);
        QCOMPARE(f.stored(), stored);
    }

    // A holiday file adds the days the review takes in one request, all of them or none; a NUL, which would
    // cut a summary short, is refused.
    void import_data()
    {
        QTest::addColumn<QByteArray>("events");
        QTest::addColumn<bool>("refused"); // the working day by the database
        QTest::addColumn<QStringList>("stored");
        const QDate monday = QDate::currentDate().addDays(8 - QDate::currentDate().dayOfWeek());
        const QDate saturday = monday.addDays(5);
        const QByteArray days = vevent(monday, 1, "国庆放假") + vevent(saturday, 1, "补班");
        const QStringList both{monday.toString(Qt::ISODate) + "=0=国庆放假",
                               saturday.toString(Qt::ISODate) + "=1=补班"};
        QTest::newRow("one request") << days << false << both;
        QTest::newRow("all or none") << days << true << QStringList();
        QTest::newRow("NUL") << vevent(monday, 1, QByteArray("补\0班", 7)) << false << QStringList();
    }
    void import()
    {
        QFETCH(QByteArray, events);
        QFETCH(bool, refused);
        QFETCH(QStringList, stored);
        const bool asked = refused || !stored.isEmpty();
        Fixture f;
        QVERIFY(!refused || f.dir.execute("CREATE TRIGGER r BEFORE INSERT ON TASK_WORKDAY WHEN NEW.Workday = 1 "
                                          "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
        QFile file(QStringLiteral("holidays.ics"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("BEGIN:VCALENDAR\r\n" + events + "END:VCALENDAR\r\n"));
        file.close();
        // The review takes its ticked dates; a refusal is read and closed.
        QStringList titles;
        QTimer answer;
        connect(&answer, &QTimer::timeout, [&titles]() {
            if (QWidget *modal = QApplication::activeModalWidget()) {
                titles.append(modal->windowTitle());
                QMetaObject::invokeMethod(modal, qobject_cast<HolidayReview *>(modal) ? "accept" : "close");
            }
        });
        answer.start(10);
        HubLog log;
        f.dialog.importFile(file.fileName());
        QCOMPARE(titles, QStringList{asked ? QStringLiteral("导入节假日") : QStringLiteral("无法导入")});
        QCOMPARE(log.count(TaskWorkdayInsert), int(asked));
        // The dialog lists the days again once they are in.
        QTRY_COMPARE(log.count(TaskWorkdaySelect), log.count(TaskWorkdayInsert));
        QCOMPARE(f.stored(), stored);
    }

    // An edited cell (the date or the notice, not what the day becomes) is stored at once, with the flag of its new
    // date; a date that is none, or listed, is refused.
    void editCell_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<QString>("stored"); // the edited row
        const QString oct8 = QStringLiteral("2024-10-08=0=x");
        // clang-format off
        QTest::newRow("notice") << int(WorkdayConfig::ColumnNotice) << "改了" << "" << "2024-10-08=0=改了";
        QTest::newRow("to a Sunday") << int(WorkdayConfig::ColumnDate) << "2024-10-13" << "" << "2024-10-13=1=x";
        QTest::newRow("no date") << int(WorkdayConfig::ColumnDate) << "2024-13-01" << "日期无效" << oct8;
        QTest::newRow("listed date") << int(WorkdayConfig::ColumnDate) << "2024-10-07" << "该日期已存在" << oct8;
        // clang-format on
    }
    void editCell()
    {
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(QString, refusal);
        QFETCH(QString, stored);
        Fixture f({Oct7, "2024-10-08=0=x"});
        QTRY_COMPARE(f.table->rowCount(), 2);
        ModalDismisser dismisser;
        const int row = f.table->findItems("2024-10-08", Qt::MatchExactly).value(0)->row();
        QVERIFY(f.table->item(row, column)->flags() & ~f.table->item(row, WorkdayConfig::ColumnWorkOrRest)->flags() &
                Qt::ItemIsEditable);
        f.table->item(row, column)->setText(text);
        QCOMPARE(dismisser.titles, refusal.isEmpty() ? QStringList() : QStringList{refusal});
        QTRY_COMPARE(f.stored(), (QStringList{Oct7, stored}));
    }

    // Deleting asks which row, then whether. Sorted by the user, the list read again shows each date with its cells.
    void remove()
    {
        Fixture f({Oct7, "2024-10-08=0=x", "2024-10-09=0=y"});
        QTRY_COMPARE(f.table->rowCount(), 3);
        f.table->sortItems(WorkdayConfig::ColumnDate, Qt::DescendingOrder);
        ModalDismisser dismisser(QMessageBox::Cancel);
        f.click("pushButton_Delete");
        f.table->setCurrentCell(1, WorkdayConfig::ColumnNotice);
        f.click("pushButton_Delete");
        dismisser.setAnswer(QMessageBox::Ok);
        f.table->setCurrentCell(0, WorkdayConfig::ColumnNotice);
        f.click("pushButton_Delete");
        QCOMPARE(dismisser.titles, (QStringList{"未选择行", "确认删除？", "确认删除？"}));
        QTRY_COMPARE(f.table->rowCount(), 2);
        QStringList shown;
        for (int row = 0; row < 2; ++row)
            for (int column = WorkdayConfig::ColumnDate; column <= WorkdayConfig::ColumnNotice; ++column)
                shown << f.table->item(row, column)->text();
        QCOMPARE(shown, (QStringList{"2024-10-08", "休息 (星期二)", "x", "2024-10-07", "休息 (星期一)", "国庆"}));
        QCOMPARE(f.stored(), (QStringList{Oct7, "2024-10-08=0=x"}));
    }

    // Each date offered says what it becomes and, a conflict first, why it is not ticked; the ticked are taken.
    void review()
    {
        const QDate today(2024, 6, 1);
        HolidayImport::Plan plan;
        plan.dates = 6;
        plan.changes = {{today.addDays(-1), "端午", HolidayImport::DayOff, false, -1, false},
                        {today, "补班", HolidayImport::WorkingDay, true, -1, true},
                        {today.addDays(1), "休", HolidayImport::OtherEvent, false, 3, false},
                        {today.addDays(2), "纪念日", HolidayImport::OtherEvent, false, -1, false}};
        HolidayReview review;
        review.setPlan(plan, today);
        auto *table = review.findChild<QTableWidget *>("tableWidget_Days");
        QStringList shown;
        for (int row = 0; row < table->rowCount(); ++row)
            shown << table->item(row, HolidayReview::ColumnBecomes)->text() +
                         "-+"[table->item(row, HolidayReview::ColumnDate)->checkState() == Qt::Checked];
        QCOMPARE(shown, (QStringList{"休息（已过去）-", "工作+", "休息（与列表中的相反）-", "休息（其他事件）-"}));
        QCOMPARE(review.findChild<QLabel *>("label_Found")->text(),
                 QStringLiteral("日历中有 6 个日期，其中 4 个与现在不同，已勾选 1 个。勾选的日期将被采用。"));
        table->item(3, HolidayReview::ColumnDate)->setCheckState(Qt::Checked);
        QStringList taken;
        for (const HolidayImport::Change &change : review.taken())
            taken << change.summary;
        QCOMPARE(taken, (QStringList{"补班", "纪念日"}));
    }

    // Past dates go only once confirmed; today stays.
    void clearOutdatedKeepsToday()
    {
        const QDate today = QDate::currentDate();
        const auto day = [today](int days, const char *notice) {
            return QStringLiteral("%1=0=%2").arg(today.addDays(days).toString(Qt::ISODate), QString::fromUtf8(notice));
        };
        Fixture f({day(-1, "昨天"), day(0, "今天"), day(1, "明天"), day(-365, "去年")});
        QTRY_COMPARE(f.table->rowCount(), 4);
        ModalDismisser dismisser(QMessageBox::Cancel);
        HubLog log;
        f.click("pushButton_ClearOutdated");
        QCOMPARE(dismisser.texts, QStringList{QStringLiteral("删除 2 个过期日期？")});
        QVERIFY(log.queries.isEmpty());
        dismisser.setAnswer(QMessageBox::Ok);
        f.click("pushButton_ClearOutdated");
        QTRY_COMPARE(f.table->rowCount(), 2);
        QCOMPARE(f.stored(), (QStringList{day(0, "今天"), day(1, "明天")}));
    }

    // A calendar served on this computer: its new future date is added at once, the date it contradicts
    // waits for the user, who takes it; offline, the dates stay and the dialog says when it last succeeded.
    void subscription()
    {
        const QDate today = QDate::currentDate();
        const QDate sunday = today.addDays(21 - today.dayOfWeek());
        const QByteArray body = "BEGIN:VCALENDAR\r\n" + vevent(sunday, 1, "补班") +
                                vevent(sunday.addDays(1), 1, "上班") + "END:VCALENDAR\r\n";
        const QByteArray calendar = CannedServer::response("200 OK", body, "Content-Type: text/calendar\r\n");
        CannedServer server([calendar](const QByteArray &) { return calendar; });
        QVERIFY(server.isListening());
        const QString monday = sunday.addDays(1).toString(Qt::ISODate) + "=0=调休";
        Fixture f({monday});
        QSignalSpy conflicts(&f.dialog, &WorkdayConfig::SIGNALSubscriptionConflicts);
        QTRY_COMPARE(f.table->rowCount(), 1);
        f.find<QLineEdit>("lineEdit_SubscriptionUrl")->setText(server.url().resolved(QUrl("h.ics")).toString());
        f.click("pushButton_Subscribe");
        // Fetched after the list arrived: taken at once, not when the list is read again.
        QTRY_COMPARE(f.table->rowCount(), 2);
        QTRY_COMPARE(f.stored(), (QStringList{sunday.toString(Qt::ISODate) + "=1=补班", monday}));
        QTRY_COMPARE(conflicts.last().first().toInt(), 1);
        const int told = conflicts.count();
        f.click("pushButton_Subscribe"); // the same calendar again: its conflicts stay
        QTRY_VERIFY(conflicts.count() > told);
        QCOMPARE(conflicts.at(told).first().toInt(), 1);

        QTimer::singleShot(0, [] {
            auto *review = qobject_cast<HolidayReview *>(QApplication::activeModalWidget());
            QVERIFY(review);
            auto *table = review->findChild<QTableWidget *>("tableWidget_Days");
            QCOMPARE(table->item(0, HolidayReview::ColumnDate)->checkState(), Qt::Unchecked);
            table->item(0, HolidayReview::ColumnDate)->setCheckState(Qt::Checked);
            review->accept();
        });
        f.dialog.reviewSubscription();
        QTRY_COMPARE(f.stored(), QStringList{sunday.toString(Qt::ISODate) + "=1=补班"});
        QCOMPARE(conflicts.last().first().toInt(), 0);

        server.close();
        f.click("pushButton_Subscribe");
        auto *state = f.find<QLabel>("label_SubscriptionState");
        QTRY_VERIFY(state->text().startsWith("获取失败"));
        QVERIFY2(state->text().contains(today.toString(Qt::ISODate)), qPrintable(state->text()));
        QCOMPARE(f.stored(), QStringList{sunday.toString(Qt::ISODate) + "=1=补班"});
    }
};

QTEST_MAIN(TestWorkdayConfig)
#include "tst_workdayconfig.moc"
