#include "data/interfacepublicdata.h"
#include "tasks/workdayconfig.h"

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

QString exceptionRow(int id, const QDate &date, int workday, const QString &notice)
{
    return QStringLiteral("INSERT INTO TASK_WORKDAY (id, TaskDate, TaskDateStr, Workday, Notice) "
                          "VALUES (%1, %2, '%3', %4, '%5')")
        .arg(id)
        .arg(date.toJulianDay())
        .arg(date.toString(Qt::ISODate))
        .arg(workday)
        .arg(notice);
}

QList<TaskWorkdayData> stored(HubWorker &link)
{
    return sqlRequest(link.worker, TaskWorkdaySelect).value.value<QList<TaskWorkdayData>>();
}

// A program directory with a worker wired to the hub and a dialog that has received its first list.
struct Fixture
{
    explicit Fixture(const QStringList &rows = {})
    {
        for (const QString &row : rows)
            dir.execute(row);
        link = std::make_unique<HubWorker>();
        dialog = std::make_unique<WorkdayConfig>();
        table = dialog->findChild<QTableWidget *>(QStringLiteral("tableWidget_Workday"));
        emit interfacePublicData.SIGNALSendQuery(TaskWorkdaySelect, QVariant());
    }

    template <typename T> T *find(const char *name) { return dialog->findChild<T *>(QString::fromLatin1(name)); }

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

    TestProgramDir dir;
    std::unique_ptr<HubWorker> link;
    std::unique_ptr<WorkdayConfig> dialog;
    QTableWidget *table = nullptr;
};

const QDate MondayOct7(2024, 10, 7);
const QDate SaturdayOct12(2024, 10, 12);

} // namespace

class TestWorkdayConfig : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerRecordMetaTypes(); }

    void tableLayout()
    {
        Fixture f({exceptionRow(1, MondayOct7, 0, QStringLiteral("国庆"))});
        QTRY_COMPARE(f.table->rowCount(), 1);
        QVERIFY(f.table->isColumnHidden(WorkdayConfig::ColumnId));
        QCOMPARE(f.column(0), QStringList{QStringLiteral("1")});
        QCOMPARE(f.column(2), QStringList{QStringLiteral("休息 (星期一)")});
        QVERIFY(f.table->item(0, 1)->flags() & Qt::ItemIsEditable);
        QVERIFY(!(f.table->item(0, 2)->flags() & Qt::ItemIsEditable));
        QVERIFY(!(f.table->item(0, 0)->flags() & Qt::ItemIsEditable));
        QVERIFY(f.find<QWidget>("widget_Add")->isHidden());
    }

    void add_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<int>("workday");
        QTest::addColumn<QString>("shown");
        QTest::newRow("Tuesday 2024-10-01 becomes a rest day") << QDate(2024, 10, 1) << 0 << "休息 (星期二)";
        QTest::newRow("Saturday 2024-10-12 becomes a workday") << SaturdayOct12 << 1 << "工作 (星期六)";
    }

    void add()
    {
        QFETCH(QDate, date);
        QFETCH(int, workday);
        QFETCH(QString, shown);
        Fixture f;
        auto *panel = f.find<QWidget>("widget_Add");
        QTest::mouseClick(f.find<QPushButton>("pushButton_Add"), Qt::LeftButton);
        QVERIFY(!panel->isHidden());
        QCOMPARE(f.find<QDateEdit>("dateEdit_Date")->date(), QDate::currentDate());
        f.find<QDateEdit>("dateEdit_Date")->setDate(date);
        f.find<QLineEdit>("lineEdit_Notice")->setText(QStringLiteral("it's 调休"));
        QTest::mouseClick(f.find<QPushButton>("pushButton_AddConfirm"), Qt::LeftButton);
        QVERIFY(panel->isHidden());

        QTRY_COMPARE(f.table->rowCount(), 1);
        const QString text = date.toString(Qt::ISODate);
        QCOMPARE(f.cell(text, WorkdayConfig::ColumnWorkOrRest), shown);
        QCOMPARE(f.cell(text, WorkdayConfig::ColumnNotice), QStringLiteral("it's 调休"));
        const QList<TaskWorkdayData> days = stored(*f.link);
        QCOMPARE(days.size(), 1);
        QCOMPARE(days.first().TaskDate, date);
        QCOMPARE(days.first().Workday, workday);
        // The hub's calendar follows the table.
        QCOMPARE(interfacePublicData.isWorkday(date), workday == 1);
    }

    void addDuplicateRefused()
    {
        Fixture f({exceptionRow(1, QDate(2024, 10, 1), 0, QString())});
        QTRY_COMPARE(f.table->rowCount(), 1);
        QTest::mouseClick(f.find<QPushButton>("pushButton_Add"), Qt::LeftButton);
        f.find<QDateEdit>("dateEdit_Date")->setDate(QDate(2024, 10, 1));
        ModalDismisser dismisser;
        QTest::mouseClick(f.find<QPushButton>("pushButton_AddConfirm"), Qt::LeftButton);
        QCOMPARE(dismisser.titles, QStringList{QStringLiteral("该日期已存在")});
        QCOMPARE(dismisser.texts, QStringList{QStringLiteral("该日期已存在")});
        QVERIFY(!f.find<QWidget>("widget_Add")->isHidden());
        QTest::qWait(50);
        QCOMPARE(stored(*f.link).size(), 1);
    }

    void addPanelToggles()
    {
        Fixture f;
        auto *panel = f.find<QWidget>("widget_Add");
        auto *add = f.find<QPushButton>("pushButton_Add");
        f.find<QLineEdit>("lineEdit_Notice")->setText(QStringLiteral("旧的"));
        QTest::mouseClick(add, Qt::LeftButton);
        QVERIFY(!panel->isHidden());
        QVERIFY(f.find<QLineEdit>("lineEdit_Notice")->text().isEmpty());
        QTest::mouseClick(add, Qt::LeftButton);
        QVERIFY(panel->isHidden());
        QTest::mouseClick(add, Qt::LeftButton);
        QTest::mouseClick(f.find<QPushButton>("pushButton_AddCancel"), Qt::LeftButton);
        QVERIFY(panel->isHidden());
    }

    void dateLabels_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("weekday");
        QTest::addColumn<QString>("change");
        QTest::newRow("Sunday") << QDate(2024, 10, 13) << "星期天"
                                << "休息 => 工作";
        QTest::newRow("Wednesday") << QDate(2024, 10, 9) << "星期三"
                                   << "工作 => 休息";
        QTest::newRow("Saturday") << SaturdayOct12 << "星期六"
                                  << "休息 => 工作";
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

    void editDateCell_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QString>("date");
        QTest::addColumn<int>("workday");
        QTest::newRow("month 13") << "2024-13-01" << QStringList{"日期无效"} << "2024-10-07" << 0;
        QTest::newRow("not a date") << "十月七日" << QStringList{"日期无效"} << "2024-10-07" << 0;
        QTest::newRow("a listed date") << "2024-10-12" << QStringList{"该日期已存在"} << "2024-10-07" << 0;
        QTest::newRow("Monday to Saturday turns into a workday") << "2024-10-19" << QStringList() << "2024-10-19" << 1;
        QTest::newRow("to another weekday stays a rest day") << "2024-10-08" << QStringList() << "2024-10-08" << 0;
    }

    void editDateCell()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, boxes);
        QFETCH(QString, date);
        QFETCH(int, workday);
        Fixture f({exceptionRow(1, MondayOct7, 0, QStringLiteral("国庆")),
                   exceptionRow(2, SaturdayOct12, 1, QStringLiteral("补班"))});
        QTRY_COMPARE(f.table->rowCount(), 2);

        ModalDismisser dismisser;
        f.table->item(f.rowOf(QStringLiteral("2024-10-07")), WorkdayConfig::ColumnDate)->setText(typed);
        QCOMPARE(dismisser.titles, boxes);
        if (boxes == QStringList{QStringLiteral("日期无效")})
            QCOMPARE(dismisser.texts, QStringList{QStringLiteral("填写格式为: yyyy-MM-dd")});

        // Refused edits are undone by the reload; accepted ones are stored and shown.
        QTRY_VERIFY(f.rowOf(date) >= 0);
        QTRY_COMPARE(f.table->rowCount(), 2);
        QCOMPARE(f.cell(date, WorkdayConfig::ColumnId), QStringLiteral("1"));
        QCOMPARE(f.cell(date, WorkdayConfig::ColumnNotice), QStringLiteral("国庆"));
        QTRY_COMPARE(f.cell(date, WorkdayConfig::ColumnWorkOrRest).left(2),
                     workday ? QStringLiteral("工作") : QStringLiteral("休息"));
        const auto storedFirst = [&f]() {
            for (const TaskWorkdayData &day : stored(*f.link))
                if (day.id == 1)
                    return QStringLiteral("%1 %2").arg(day.TaskDate.toString(Qt::ISODate)).arg(day.Workday);
            return QString();
        };
        QTRY_COMPARE(storedFirst(), QStringLiteral("%1 %2").arg(date).arg(workday));
    }

    void editNoticeCell()
    {
        Fixture f({exceptionRow(1, MondayOct7, 0, QStringLiteral("国庆"))});
        QTRY_COMPARE(f.table->rowCount(), 1);
        ModalDismisser dismisser;
        f.table->item(0, WorkdayConfig::ColumnNotice)->setText(QStringLiteral("国庆节 'holiday'"));
        QTRY_COMPARE(stored(*f.link).first().Notice, QStringLiteral("国庆节 'holiday'"));
        QCOMPARE(stored(*f.link).first().TaskDate, MondayOct7);
        QVERIFY(dismisser.titles.isEmpty());
    }

    void deleteRow_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("left");
        QTest::newRow("confirmed") << int(QMessageBox::Ok) << 1;
        QTest::newRow("cancelled") << int(QMessageBox::Cancel) << 2;
    }

    void deleteRow()
    {
        QFETCH(int, answer);
        QFETCH(int, left);
        Fixture f({exceptionRow(1, MondayOct7, 0, QStringLiteral("国庆")),
                   exceptionRow(2, SaturdayOct12, 1, QStringLiteral("补班"))});
        QTRY_COMPARE(f.table->rowCount(), 2);
        f.table->setCurrentCell(f.rowOf(QStringLiteral("2024-10-07")), WorkdayConfig::ColumnNotice);
        ModalDismisser dismisser{QMessageBox::StandardButton(answer)};
        QTest::mouseClick(f.find<QPushButton>("pushButton_Delete"), Qt::LeftButton);
        QCOMPARE(dismisser.titles, QStringList{QStringLiteral("确认删除？")});
        QCOMPARE(dismisser.texts, QStringList{QStringLiteral("请确认以下信息: \n日期: 2024-10-07\n"
                                                             "工作或休息: 休息 (星期一)\n备注: 国庆")});
        QTRY_COMPARE(stored(*f.link).size(), left);
        QTRY_COMPARE(f.table->rowCount(), left);
        QVERIFY(f.rowOf(QStringLiteral("2024-10-12")) >= 0);
    }

    void deleteWithoutSelection()
    {
        Fixture f({exceptionRow(1, MondayOct7, 0, QString())});
        QTRY_COMPARE(f.table->rowCount(), 1);
        f.table->setCurrentCell(-1, -1);
        ModalDismisser dismisser;
        QTest::mouseClick(f.find<QPushButton>("pushButton_Delete"), Qt::LeftButton);
        QCOMPARE(dismisser.titles, QStringList{QStringLiteral("未选择行")});
        QCOMPARE(dismisser.texts, QStringList{QStringLiteral("请先选择要删除的行")});
        QCOMPARE(stored(*f.link).size(), 1);
    }

    void clearOutdatedKeepsToday()
    {
        const QDate today = QDate::currentDate();
        Fixture f({exceptionRow(1, today.addDays(-1), 0, QStringLiteral("昨天")),
                   exceptionRow(2, today, 0, QStringLiteral("今天")),
                   exceptionRow(3, today.addDays(1), 0, QStringLiteral("明天")),
                   exceptionRow(4, today.addYears(-1), 0, QStringLiteral("去年"))});
        QTRY_COMPARE(f.table->rowCount(), 4);
        QTest::mouseClick(f.find<QPushButton>("pushButton_ClearOutdated"), Qt::LeftButton);
        QTRY_COMPARE(f.table->rowCount(), 2);
        QCOMPARE(f.column(WorkdayConfig::ColumnNotice), (QStringList{QStringLiteral("今天"), QStringLiteral("明天")}));
    }

    void sortingSurvivesReload()
    {
        Fixture f({exceptionRow(1, MondayOct7, 0, QStringLiteral("b")),
                   exceptionRow(2, SaturdayOct12, 1, QStringLiteral("c")),
                   exceptionRow(3, QDate(2024, 10, 1), 0, QStringLiteral("a"))});
        QTRY_COMPARE(f.table->rowCount(), 3);
        // Date order until the user picks another column.
        QCOMPARE(
            f.column(WorkdayConfig::ColumnDate),
            (QStringList{QStringLiteral("2024-10-01"), QStringLiteral("2024-10-07"), QStringLiteral("2024-10-12")}));
        f.table->sortByColumn(WorkdayConfig::ColumnNotice, Qt::DescendingOrder);
        QCOMPARE(f.column(WorkdayConfig::ColumnNotice), (QStringList{"c", "b", "a"}));

        f.dialog->slotReceiveQueryData(TaskWorkdayUpdate, QVariant());
        QTRY_COMPARE(f.column(WorkdayConfig::ColumnNotice), (QStringList{"c", "b", "a"}));
        QCOMPARE(f.table->horizontalHeader()->sortIndicatorSection(), int(WorkdayConfig::ColumnNotice));
        QCOMPARE(f.table->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
    }

    void help()
    {
        Fixture f;
        ModalDismisser dismisser;
        QTest::mouseClick(f.find<QPushButton>("pushButton_Help"), Qt::LeftButton);
        QCOMPARE(dismisser.titles, QStringList{QStringLiteral("帮助")});
        QVERIFY(dismisser.texts.first().startsWith(QStringLiteral("使用说明：\n正常情况下，默认1~5为工作日")));
    }
};

QTEST_MAIN(TestWorkdayConfig)
#include "tst_workdayconfig.moc"
