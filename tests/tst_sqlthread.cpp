#include "common/storeworker.h"
#include "common/testprogramdir.h"
#include "data/sqlthread.h"
#include "notices/noticestore.h"
#include "tasks/taskstore.h"

#include <QDir>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <tuple>

namespace {

TaskListData task(const QString &name, const QDateTime &due, int cycle = 0)
{
    TaskListData data;
    data.TaskName = name;
    data.TaskTimeSee = due;
    data.IconPath = QStringLiteral("src/icon/task/default.png");
    data.NoticeCycle = cycle;
    return data;
}

TaskWorkdayData workday(const QDate &date, int work, const QString &notice = QString())
{
    TaskWorkdayData day;
    day.TaskDate = date;
    day.Workday = work;
    day.Notice = notice;
    return day;
}

} // namespace

class TestSqlThread : public QObject
{
    Q_OBJECT

private:
    QList<TaskListData> tasks(SqlThread &worker) { return ask(worker, TaskListSelect).value<QList<TaskListData>>(); }

    QList<int> ids(SqlThread &worker)
    {
        QList<int> result;
        for (const TaskListData &t : tasks(worker))
            result.append(t.id);
        return result;
    }

    QList<TaskWorkdayData> workdays(SqlThread &worker)
    {
        return ask(worker, TaskWorkdaySelect).value<QList<TaskWorkdayData>>();
    }

private slots:
    void initTestCase() { registerRecordMetaTypes(); }

    void taskIdsAreAssignedAndReused()
    {
        TestProgramDir dir;
        StoreWorker<TaskStore> worker;
        const QDateTime base(QDate(2024, 5, 19), QTime(8, 0));
        QVERIFY(answers(worker, TaskListInsert, QVariant::fromValue(task("first", base))));
        ask(worker, TaskListInsert, QVariant::fromValue(task("second", base.addSecs(60))));
        QCOMPARE(ids(worker), (QList<int>{0, 1}));

        // One live task remains, so the first is only marked deleted and its id comes back.
        QVERIFY(answers(worker, TaskListDelete, QVariant::fromValue(QList<int>{0})));
        QCOMPARE(ids(worker), (QList<int>{1}));
        ask(worker, TaskListInsert, QVariant::fromValue(task("third", base.addSecs(120))));
        QCOMPARE(ids(worker), (QList<int>{1, 0}));
        QCOMPARE(tasks(worker).at(1).TaskName, QStringLiteral("third"));

        // Deleting every live task empties the table; ids start again at 0.
        ask(worker, TaskListDelete, QVariant::fromValue(QList<int>{0, 1}));
        QVERIFY(tasks(worker).isEmpty());
        ask(worker, TaskListInsert, QVariant::fromValue(task("again", base)));
        QCOMPARE(ids(worker), (QList<int>{0}));
    }

    // Names are stored as given, through insert and through the update that answers nothing.
    void taskNamesRoundTrip_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("single quote") << QStringLiteral("it's time");
        QTest::newRow("sql-looking") << QStringLiteral("a'); DROP TABLE TASK_LIST; --");
        QTest::newRow("empty") << QStringLiteral("");
    }

    void taskNamesRoundTrip()
    {
        QFETCH(QString, name);
        TestProgramDir dir;
        StoreWorker<TaskStore> worker;
        ask(worker, TaskListInsert, QVariant::fromValue(task(name, QDateTime(QDate(2024, 1, 1), QTime(9, 0)))));
        QCOMPARE(tasks(worker).size(), 1);
        QCOMPARE(tasks(worker).first().TaskName, name);

        TaskListData changed = tasks(worker).first();
        changed.TaskName = name + QStringLiteral("'2");
        changed.NormalNoticeKeepDisplay = 1;
        QVERIFY(!answers(worker, TaskListUpdate, QVariant::fromValue(changed)));
        QCOMPARE(tasks(worker), QList<TaskListData>{changed});
    }

    void taskListOrderAndNoticed()
    {
        TestProgramDir dir;
        StoreWorker<TaskStore> worker;
        const QDateTime base(QDate(2024, 12, 31), QTime(23, 59, 59));
        ask(worker, TaskListInsert, QVariant::fromValue(task("late", base, 1)));
        ask(worker, TaskListInsert, QVariant::fromValue(task("early", base.addDays(-40), 2)));
        ask(worker, TaskListInsert, QVariant::fromValue(task("middle", base.addSecs(-1), 3)));
        QCOMPARE(ids(worker), (QList<int>{1, 2, 0}));
        QCOMPARE(tasks(worker).first().TaskTimeSee, base.addDays(-40));
        QCOMPARE(tasks(worker).first().NoticeCycle, 2);

        QVERIFY(answers(worker, TaskListUpdateNoticed, 2));
        QCOMPARE(tasks(worker).at(1).Noticed, 1);
        QList<int> unnoticed;
        for (const TaskListData &t : ask(worker, TaskListSelectUnnoticed).value<QList<TaskListData>>())
            unnoticed.append(t.id);
        std::sort(unnoticed.begin(), unnoticed.end());
        QCOMPARE(unnoticed, (QList<int>{0, 1}));
    }

    void noticeConfig()
    {
        TestProgramDir dir;
        StoreWorker<NoticeStore> worker;
        NoticeConfigData config;
        std::tie(config.CN_BgType, config.CN_AppearSec, config.CN_KeepSec, config.CN_DisappearSec) =
            std::make_tuple(2, 1, 9, 3);
        std::tie(config.CN_Color, config.CN_ShadowColor) = std::make_tuple(QColor("#ff8800"), QColor("#112233"));
        config.NN_DisplaySec = 1800;
        config.CN_EnableTask = config.NN_EnableTask = config.NN_EnableBirthday = false;
        config.CN_EnableBirthday = true;
        QVERIFY(answers(worker, TaskConfigUpdate, QVariant::fromValue(config)));
        QCOMPARE(ask(worker, TaskConfigSelect).value<NoticeConfigData>(), config);
    }

    void workdays()
    {
        TestProgramDir dir;
        StoreWorker<TaskStore> worker;
        QVERIFY(answers(worker, TaskWorkdayInsert, QVariant::fromValue(workday(QDate(2024, 10, 12), 1, "补'班"))));
        ask(worker, TaskWorkdayInsert, QVariant::fromValue(workday(QDate(2024, 10, 1), 0, "国庆")));
        QList<TaskWorkdayData> days = workdays(worker);
        QCOMPARE(days.size(), 2);
        QCOMPARE(days.at(0).TaskDate, QDate(2024, 10, 1));
        TaskWorkdayData expected = workday(QDate(2024, 10, 12), 1, "补'班");
        expected.id = days.at(1).id;
        QCOMPARE(days.at(1), expected);

        TaskWorkdayData moved = days.at(0);
        moved.TaskDate = QDate(2024, 12, 28);
        moved.Workday = 1;
        moved.Notice = QStringLiteral("it's moved");
        QVERIFY(answers(worker, TaskWorkdayUpdate, QVariant::fromValue(moved)));
        QCOMPARE(workdays(worker).last(), moved);
        QVERIFY(answers(worker, TaskWorkdayDelete, moved.id));
        QCOMPARE(workdays(worker), QList<TaskWorkdayData>{expected});
    }

    void deleteExpiredKeepsToday()
    {
        TestProgramDir dir;
        StoreWorker<TaskStore> worker;
        const QDate today = QDate::currentDate();
        for (const QDate &date : {today.addDays(-400), today.addDays(-1), today, today.addDays(1)})
            ask(worker, TaskWorkdayInsert, QVariant::fromValue(workday(date, 0)));
        QVERIFY(answers(worker, TaskWorkdayDeleteExpired));
        const QList<TaskWorkdayData> days = workdays(worker);
        QCOMPARE(days.size(), 2);
        QCOMPARE(days.at(0).TaskDate, today);
        QCOMPARE(days.at(1).TaskDate, today.addDays(1));
    }

    // A change that is not stored reaches the user, once per request and naming the cause; reads do not.
    void failedWritesAreReported_data()
    {
        QTest::addColumn<int>("operate");
        QTest::addColumn<QVariant>("payload");
        QTest::addColumn<QString>("refused");
        QTest::addColumn<bool>("reported");
        const QVariant newTask = QVariant::fromValue(task("t", QDateTime(QDate(2024, 5, 19), QTime(8, 0))));
        QTest::newRow("task") << int(TaskListInsert) << newTask << "INSERT ON TASK_LIST" << true;
        QTest::newRow("workday") << int(TaskWorkdayInsert) << QVariant::fromValue(workday(QDate(2024, 10, 12), 1))
                                 << "INSERT ON TASK_WORKDAY" << true;
        QTest::newRow("notice settings") << int(TaskConfigUpdate) << QVariant::fromValue(NoticeConfigData())
                                         << "UPDATE ON TASK_CONFIG" << true;
        QTest::newRow("vault settings") << int(UsersConfigUpdate) << QVariant::fromValue(UsersConfigData())
                                        << "UPDATE ON USERS_CONFIG" << true;
        QTest::newRow("icon") << int(IconListInsert) << QVariant(QStringList{"1", "0", "src/icon/task/1_a.png", "a"})
                              << "INSERT ON ICON_LIST" << true;
        QTest::newRow("a read") << int(TaskListSelect) << QVariant() << "INSERT ON TASK_LIST" << false;
    }

    void failedWritesAreReported()
    {
        QFETCH(int, operate);
        QFETCH(QVariant, payload);
        QFETCH(QString, refused);
        QFETCH(bool, reported);
        TestProgramDir dir;
        QVERIFY(dir.execute(
            QStringLiteral("CREATE TRIGGER refuse BEFORE %1 BEGIN SELECT RAISE(ABORT, 'refused'); END").arg(refused)));
        StoreWorker<> worker;
        QSignalSpy spy(&worker, &SqlThread::SIGNALSendQueryData);
        worker.SLOTReceiveQuery(static_cast<SqlOperateType>(operate), payload);
        QCOMPARE(spy.count(), reported ? 2 : 1);
        QCOMPARE(spy.first().at(0).toInt(), operate);
        if (operate == IconListInsert)
            QCOMPARE(spy.first().at(1), QVariant(false));
        if (reported) {
            QCOMPARE(spy.last().at(0).value<SqlOperateType>(), DatabaseWriteFailed);
            const QString message = spy.last().at(1).toString();
            QVERIFY2(message.contains(QStringLiteral("refused")) &&
                         message.contains(QDir::toNativeSeparators(
                             QDir::current().absoluteFilePath(QString::fromLatin1(SqlThread::DatabasePath)))),
                     qPrintable(message));
        }
    }

    void silentCodes_data()
    {
        QTest::addColumn<int>("code");
        QTest::newRow("unknown") << 37;
        QTest::newRow("fatal error is never requested") << int(DatabaseFatalError);
        QTest::newRow("restored is never requested") << int(DatabaseRestored);
        QTest::newRow("TaskListUpdate") << int(TaskListUpdate);
    }

    void silentCodes()
    {
        QFETCH(int, code);
        TestProgramDir dir;
        StoreWorker<TaskStore> worker;
        QSignalSpy spy(&worker, &SqlThread::SIGNALSendQueryData);
        worker.SLOTReceiveQuery(static_cast<SqlOperateType>(code), QVariant::fromValue(TaskListData()));
        QCOMPARE(spy.count(), 0);
    }
};

QTEST_GUILESS_MAIN(TestSqlThread)
#include "tst_sqlthread.moc"
