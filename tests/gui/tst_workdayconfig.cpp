#include "data/interfacepublicdata.h"
#include "tasks/workdayconfig.h"

#include "common/hublog.h"
#include "common/hubworker.h"
#include "common/modaldismisser.h"
#include "common/testprogramdir.h"

#include <QDateEdit>
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
const QString Oct12 = QStringLiteral("2024-10-12=1=补班");

} // namespace

// The workday dialog: what reaches the database when dates are added or deleted.
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
        QCOMPARE(f.cell(date.toString(Qt::ISODate), WorkdayConfig::ColumnWorkOrRest), shown);
        QCOMPARE(f.stored(), stored);
        // The hub's calendar follows the table.
        QCOMPARE(interfacePublicData.isWorkday(date), shown.startsWith(QStringLiteral("工作")));
    }

    void deleteRow_data()
    {
        QTest::addColumn<QString>("selected");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("left");
        const QString confirm =
            QStringLiteral("请确认以下信息: \n日期: 2024-10-07\n工作或休息: 休息 (星期一)\n备注: 国庆");
        // clang-format off
        QTest::newRow("confirmed") << "2024-10-07" << int(QMessageBox::Ok) << confirm << QStringList{Oct12};
        QTest::newRow("cancelled") << "2024-10-07" << int(QMessageBox::Cancel) << confirm << QStringList{Oct7, Oct12};
        QTest::newRow("nothing selected") << "" << int(QMessageBox::Ok) << "请先选择要删除的行" << QStringList{Oct7, Oct12};
        // clang-format on
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
        QCOMPARE(f.stored(), (QStringList{day(0, "今天"), day(1, "明天")}));
        f.click("pushButton_ClearOutdated");
        QCOMPARE(dismisser.texts.last(), QStringLiteral("没有过期日期"));
    }
};

QTEST_MAIN(TestWorkdayConfig)
#include "tst_workdayconfig.moc"
