#include "data/interfacepublicdata.h"
#include "tasks/workdayconfig.h"

#include "common/hublog.h"
#include "common/hubworker.h"
#include "common/modaldismisser.h"
#include "common/sqlrequest.h"
#include "common/testprogramdir.h"

#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <memory>

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

// A program directory holding the exceptions, a worker wired to the hub (opened after them) and a dialog
// that has asked for its first list.
struct Fixture
{
    explicit Fixture(const QStringList &days = {}) : seeded(seed(dir, days))
    {
        emit interfacePublicData.SIGNALSendQuery(TaskWorkdaySelect, QVariant());
    }

    template <typename T = QPushButton> T *find(const char *name)
    {
        return dialog.findChild<T *>(QString::fromLatin1(name));
    }
    void click(const char *button) { QTest::mouseClick(find(button), Qt::LeftButton); }

    int rowOf(const QString &date) const
    {
        for (int row = 0; row < table->rowCount(); ++row)
            if (table->item(row, WorkdayConfig::ColumnDate)->text() == date)
                return row;
        return -1;
    }
    QString cell(const QString &date, int column) const
    {
        const int row = rowOf(date);
        return row < 0 ? QString() : table->item(row, column)->text();
    }
    QStringList column(int column) const
    {
        QStringList texts;
        for (int row = 0; row < table->rowCount(); ++row)
            texts.append(table->item(row, column)->text());
        return texts;
    }
    // "yyyy-MM-dd=workday=notice" of every stored exception, in date order.
    QStringList stored()
    {
        QStringList days;
        const auto list = sqlRequest(link.worker, TaskWorkdaySelect).value.value<QList<TaskWorkdayData>>();
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
const QString Oct12 = QStringLiteral("2024-10-12=1=补班");

} // namespace

class TestWorkdayConfig : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerRecordMetaTypes(); }

    void tableAndSorting()
    {
        Fixture f({"2024-10-07=0=b", "2024-10-12=1=c", "2024-10-01=0=a"});
        QTRY_COMPARE(f.table->rowCount(), 3);
        QVERIFY(f.table->isColumnHidden(WorkdayConfig::ColumnId));
        QVERIFY(f.find<QWidget>("widget_Add")->isHidden());
        // Date order until the user picks another column.
        QCOMPARE(f.column(WorkdayConfig::ColumnDate), (QStringList{"2024-10-01", "2024-10-07", "2024-10-12"}));
        QCOMPARE(f.column(WorkdayConfig::ColumnWorkOrRest),
                 (QStringList{"休息 (星期二)", "休息 (星期一)", "工作 (星期六)"}));
        QCOMPARE(f.column(WorkdayConfig::ColumnId), (QStringList{"3", "1", "2"}));
        const auto editable = [&f](int column) {
            return bool(f.table->item(0, column)->flags() & Qt::ItemIsEditable);
        };
        QVERIFY(editable(WorkdayConfig::ColumnDate) && editable(WorkdayConfig::ColumnNotice));
        QVERIFY(!editable(WorkdayConfig::ColumnId) && !editable(WorkdayConfig::ColumnWorkOrRest));

        f.table->sortByColumn(WorkdayConfig::ColumnNotice, Qt::DescendingOrder);
        f.dialog.slotReceiveQueryData(TaskWorkdayUpdate, QVariant());
        QTRY_COMPARE(f.column(WorkdayConfig::ColumnNotice), (QStringList{"c", "b", "a"}));
        QCOMPARE(f.table->horizontalHeader()->sortIndicatorSection(), int(WorkdayConfig::ColumnNotice));
    }

    void add_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("Tuesday 2024-10-01 becomes a rest day")
            << QDate(2024, 10, 1) << QStringList{"2024-10-01=0=it's 调休", Oct7} << "休息 (星期二)";
        QTest::newRow("Saturday 2024-10-12 becomes a workday")
            << QDate(2024, 10, 12) << QStringList{Oct7, "2024-10-12=1=it's 调休"} << "工作 (星期六)";
        QTest::newRow("a listed date is refused") << QDate(2024, 10, 7) << QStringList{Oct7} << "休息 (星期一)";
    }

    void add()
    {
        QFETCH(QDate, date);
        QFETCH(QStringList, stored);
        QFETCH(QString, shown);
        Fixture f({Oct7});
        QTRY_COMPARE(f.table->rowCount(), 1);
        auto *panel = f.find<QWidget>("widget_Add");
        auto *notice = f.find<QLineEdit>("lineEdit_Notice");
        notice->setText(QStringLiteral("旧的"));
        f.click("pushButton_Add");
        QVERIFY(!panel->isHidden() && notice->text().isEmpty());
        QCOMPARE(f.find<QDateEdit>("dateEdit_Date")->date(), QDate::currentDate());
        f.find<QDateEdit>("dateEdit_Date")->setDate(date);
        notice->setText(QStringLiteral("it's 调休"));
        ModalDismisser dismisser;
        f.click("pushButton_AddConfirm");

        const bool refused = stored.size() == 1;
        QCOMPARE(dismisser.titles, refused ? QStringList{"该日期已存在"} : QStringList());
        QCOMPARE(panel->isHidden(), !refused);
        QTRY_COMPARE(f.table->rowCount(), stored.size());
        QCOMPARE(f.cell(date.toString(Qt::ISODate), WorkdayConfig::ColumnWorkOrRest), shown);
        QCOMPARE(f.stored(), stored);
        // The hub's calendar follows the table.
        QCOMPARE(interfacePublicData.isWorkday(date), shown.startsWith(QStringLiteral("工作")));
    }

    // The sample holds 28 days off (10 of them weekends) and 5 make-up working days.
    void importHolidays_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("stored");
        const QString sample = QStringLiteral(PEMMORA_SOURCE_DIR "/docs/holidays-sample.ics");
        QTest::newRow("confirmed") << sample << int(QMessageBox::Ok) << "导入节假日" << 23;
        QTest::newRow("cancelled") << sample << int(QMessageBox::Cancel) << "导入节假日" << 1;
        QTest::newRow("no calendar") << QStringLiteral(PEMMORA_SOURCE_DIR "/README.md") << int(QMessageBox::Ok)
                                     << "无法导入" << 1;
    }

    void importHolidays()
    {
        QFETCH(QString, file);
        QFETCH(int, answer);
        QFETCH(QString, title);
        QFETCH(int, stored);
        Fixture f({"2025-10-01=0=国庆"});
        QTRY_COMPARE(f.table->rowCount(), 1);
        ModalDismisser dismisser{QMessageBox::StandardButton(answer)};
        f.dialog.importFile(file);
        QCOMPARE(dismisser.titles, QStringList{title});
        QTRY_COMPARE(f.table->rowCount(), stored);
        const QStringList days = f.stored();
        QCOMPARE(days.size(), stored);
        if (stored == 1)
            return;
        QCOMPARE(dismisser.texts.value(0),
                 QStringLiteral("找到 28 个休息日和 5 个工作日。\n新增 22 个；已在列表中 1 个；"
                                "与平常的周一至周五相同、无需添加 10 个。"));
        QVERIFY(days.contains("2025-01-26=1=春节 补班") && days.contains("2025-02-04=0=春节 休"));
        QVERIFY(days.contains("2025-10-01=0=国庆") && !days.contains("2025-02-01=0=春节 休"));
    }

    void addPanelToggles()
    {
        Fixture f;
        auto *panel = f.find<QWidget>("widget_Add");
        f.click("pushButton_Add");
        f.click("pushButton_Add");
        QVERIFY(panel->isHidden());
        f.click("pushButton_Add");
        f.click("pushButton_AddCancel");
        QVERIFY(panel->isHidden());
    }

    void dateLabels_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("weekday");
        QTest::addColumn<QString>("change");
        QTest::newRow("Sunday") << QDate(2024, 10, 13) << QStringLiteral("星期天") << QStringLiteral("休息 => 工作");
        QTest::newRow("Wednesday") << QDate(2024, 10, 9) << QStringLiteral("星期三") << QStringLiteral("工作 => 休息");
    }

    void dateLabels()
    {
        QFETCH(QDate, date);
        QFETCH(QString, weekday);
        QFETCH(QString, change);
        Fixture f;
        f.find<QDateEdit>("dateEdit_Date")->setDate(date);
        QCOMPARE(f.find<QLabel>("label_DayOfWeek")->text(), weekday);
        QCOMPARE(f.find<QLabel>("label_RestOrWork")->text(), change);
    }

    void editCell_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QString>("stored");
        QTest::newRow("month 13") << int(WorkdayConfig::ColumnDate) << "2024-13-01" << QStringList{"日期无效"} << Oct7;
        QTest::newRow("a listed date") << int(WorkdayConfig::ColumnDate) << "2024-10-12" << QStringList{"该日期已存在"}
                                       << Oct7;
        QTest::newRow("Monday to Saturday turns into a workday")
            << int(WorkdayConfig::ColumnDate) << "2024-10-19" << QStringList() << "2024-10-19=1=国庆";
        QTest::newRow("to another weekday stays a rest day")
            << int(WorkdayConfig::ColumnDate) << "2024-10-08" << QStringList() << "2024-10-08=0=国庆";
        QTest::newRow("notice") << int(WorkdayConfig::ColumnNotice) << QStringLiteral("国庆节 'holiday'")
                                << QStringList() << QStringLiteral("2024-10-07=0=国庆节 'holiday'");
    }

    void editCell()
    {
        QFETCH(int, column);
        QFETCH(QString, typed);
        QFETCH(QStringList, boxes);
        QFETCH(QString, stored);
        Fixture f({Oct7, Oct12});
        QTRY_COMPARE(f.table->rowCount(), 2);

        ModalDismisser dismisser;
        f.table->item(f.rowOf(QStringLiteral("2024-10-07")), column)->setText(typed);
        QCOMPARE(dismisser.titles, boxes);
        // Refused edits are undone by the reload; accepted ones are stored and shown.
        QStringList expected{stored, Oct12};
        expected.sort();
        QTRY_COMPARE(f.stored(), expected);
        const QString date = stored.left(10);
        QTRY_VERIFY(f.rowOf(date) >= 0);
        QCOMPARE(f.table->rowCount(), 2);
        QCOMPARE(f.cell(date, WorkdayConfig::ColumnId), QStringLiteral("1"));
        QTRY_COMPARE(f.cell(date, WorkdayConfig::ColumnWorkOrRest).left(2),
                     stored.at(11) == QLatin1Char('1') ? QStringLiteral("工作") : QStringLiteral("休息"));
    }

    void deleteRow_data()
    {
        QTest::addColumn<QString>("selected");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("left");
        const QString confirm =
            QStringLiteral("请确认以下信息: \n日期: 2024-10-07\n工作或休息: 休息 (星期一)\n备注: 国庆");
        QTest::newRow("confirmed") << "2024-10-07" << int(QMessageBox::Ok) << confirm << QStringList{Oct12};
        QTest::newRow("cancelled") << "2024-10-07" << int(QMessageBox::Cancel) << confirm << QStringList{Oct7, Oct12};
        QTest::newRow("nothing selected")
            << "" << int(QMessageBox::Ok) << "请先选择要删除的行" << QStringList{Oct7, Oct12};
    }

    void deleteRow()
    {
        QFETCH(QString, selected);
        QFETCH(int, answer);
        QFETCH(QString, text);
        QFETCH(QStringList, left);
        Fixture f({Oct7, Oct12});
        QTRY_COMPARE(f.table->rowCount(), 2);
        f.table->setCurrentCell(f.rowOf(selected), WorkdayConfig::ColumnNotice);
        ModalDismisser dismisser{QMessageBox::StandardButton(answer)};
        f.click("pushButton_Delete");
        QCOMPARE(dismisser.texts, QStringList{text});
        QTRY_COMPARE(f.stored(), left);
        QTRY_COMPARE(f.table->rowCount(), left.size());
    }

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
        QCOMPARE(f.column(WorkdayConfig::ColumnNotice), (QStringList{"今天", "明天"}));
        f.click("pushButton_ClearOutdated");
        QCOMPARE(dismisser.texts.last(), QStringLiteral("没有过期日期"));
    }

    void help()
    {
        Fixture f;
        ModalDismisser dismisser;
        f.click("pushButton_Help");
        QCOMPARE(dismisser.titles, QStringList{QStringLiteral("帮助")});
        QVERIFY(dismisser.texts.first().startsWith(QStringLiteral("使用说明：\n正常情况下，默认1~5为工作日")));
    }
};

QTEST_MAIN(TestWorkdayConfig)
#include "tst_workdayconfig.moc"
