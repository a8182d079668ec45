#include "common/hublog.h"
#include "common/hubworker.h"
#include "common/modaldismisser.h"
#include "common/testprogramdir.h"
#include "data/interfacepublicdata.h"
#include "tasks/workdayconfig.h"

#include <QDateEdit>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
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
        f.find<QLineEdit>("lineEdit_Notice")->setText(QStringLiteral("it's 调休"));
        ModalDismisser dismisser;
        f.click("pushButton_AddConfirm");
        QCOMPARE(dismisser.titles, stored.size() == 1 ? QStringList{"该日期已存在"} : QStringList());
        QTRY_COMPARE(f.table->rowCount(), stored.size());
        const int row = f.table->findItems(date.toString(Qt::ISODate), Qt::MatchExactly).value(0)->row();
        QCOMPARE(f.table->item(row, WorkdayConfig::ColumnWorkOrRest)->text(), shown);
        QCOMPARE(f.stored(), stored);
    }

    // A holiday file adds its new days in one request, all of them or none; a NUL, which would cut a summary
    // short, and more than ten years of days are refused.
    void import_data()
    {
        QTest::addColumn<QByteArray>("events");
        QTest::addColumn<bool>("refused"); // the working day by the database
        QTest::addColumn<QStringList>("stored");
        const QByteArray days = vevent(QDate(2024, 10, 1), 1, "国庆") + vevent(QDate(2024, 10, 12), 1, "补班");
        QByteArray years;
        for (int i = 0; i < 118; ++i)
            years += vevent(QDate(2024, 1, 1).addDays(31 * i), 31, "假");
        QTest::newRow("one request") << days << false << QStringList{"2024-10-01=0=国庆", "2024-10-12=1=补班"};
        QTest::newRow("all or none") << days << true << QStringList();
        QTest::newRow("NUL") << vevent(QDate(2024, 10, 12), 1, QByteArray("补\0班", 7)) << false << QStringList();
        QTest::newRow("more than ten years") << years << false << QStringList();
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
        ModalDismisser dismisser(QMessageBox::Ok);
        HubLog log;
        f.dialog.importFile(file.fileName());
        QCOMPARE(dismisser.titles, QStringList{asked ? QStringLiteral("导入节假日") : QStringLiteral("无法导入")});
        QCOMPARE(log.count(TaskWorkdayInsert), int(asked));
        // The dialog lists the days again once they are in.
        QTRY_COMPARE(log.count(TaskWorkdaySelect), log.count(TaskWorkdayInsert));
        QCOMPARE(f.stored(), stored);
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
};

QTEST_MAIN(TestWorkdayConfig)
#include "tst_workdayconfig.moc"
