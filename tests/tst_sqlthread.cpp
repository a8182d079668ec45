#include "app/startup.h"
#include "common/storeworker.h"
#include "common/testprogramdir.h"
#include "data/interfacepublicdata.h"
#include "data/records.h"
#include "data/sqlstatement.h"
#include "data/sqlthread.h"
#include "tasks/taskstore.h"

#include <QDir>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QTest>
#include <QThread>

namespace {

QVariant task(const QString &name, int minute = 0)
{
    TaskListData data;
    data.TaskName = name;
    data.TaskTimeSee = QDateTime(QDate(2024, 5, 19), QTime(8, minute));
    return QVariant::fromValue(data);
}

QVariant workday(const QDate &date, const QString &notice = QString())
{
    TaskWorkdayData day;
    day.TaskDate = date;
    day.Workday = 1;
    day.Notice = notice;
    return QVariant::fromValue(day);
}

// The worker's list; one that differs from the stored rows read anew comes back empty.
QList<TaskListData> tasks(SqlThread &worker, SqlOperateType operate = TaskListSelect)
{
    const auto stored = TaskStore(worker.statement()).run(operate, {})->value<QList<TaskListData>>();
    return ask(worker, operate).value<QList<TaskListData>>() == stored ? stored : QList<TaskListData>();
}

QList<int> ids(SqlThread &worker, SqlOperateType operate = TaskListSelect)
{
    QList<int> result;
    for (const TaskListData &t : tasks(worker, operate))
        result.append(t.id);
    return result;
}

} // namespace

class TestSqlThread : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerRecordMetaTypes(); }

    // Requests cross to the worker thread and answers come back in order; the workday answer updates the calendar.
    // Only the request sent with an id is answered with it too.
    void relayThroughWorkerThread()
    {
        TestProgramDir dir;
        SqlThread *worker = Startup::startSqlWorker();
        QThread *thread = worker->thread();
        QVERIFY(thread != QThread::currentThread());
        QSignalSpy spy(&interfacePublicData, &InterfacePublicData::SIGNALReceiveQueryData);
        QSignalSpy own(&interfacePublicData, &InterfacePublicData::SIGNALReceiveAnswer);
        TaskWorkdayData day;
        day.TaskDate = QDate(2024, 10, 12);
        day.Workday = 1;
        emit interfacePublicData.SIGNALSendQuery(TaskWorkdayInsert, QVariant::fromValue(day));
        emit interfacePublicData.SIGNALSendQuery(static_cast<SqlOperateType>(37), QVariant());
        const quint64 id = interfacePublicData.sendRequest(TaskWorkdaySelect);
        QTRY_COMPARE_WITH_TIMEOUT(spy.count(), 2, 5000);
        QCOMPARE(spy.at(0).at(0).value<SqlOperateType>(), TaskWorkdayInsert);
        QCOMPARE(spy.at(1).at(0).value<SqlOperateType>(), TaskWorkdaySelect);
        QCOMPARE(own.count(), 1);
        QCOMPARE(own.at(0).at(0).value<quint64>(), id);
        QVERIFY(interfacePublicData.isWorkday(QDate(2024, 10, 12)));
        // The worker's thread made its connection, so no other thread can have it.
        QTest::ignoreMessage(QtWarningMsg, "QSqlDatabasePrivate::database: requested database does not belong to the "
                                           "calling thread.");
        QVERIFY(!QSqlDatabase::database(QString::fromLatin1(SqlThread::DatabasePath), false).isValid());
        thread->quit();
        QVERIFY(thread->wait(5000));
        delete worker;
        delete thread;
        QSqlDatabase::removeDatabase(QString::fromLatin1(SqlThread::DatabasePath));
    }

    // Ids of deleted tasks come back; names are stored as given; the list is in due order (NULL first), then by id,
    // as the worker follows its changes, and after those of another connection (a restore, a program) or store.
    void taskList()
    {
        TestProgramDir dir;
        StoreWorker<> worker;
        QVERIFY(ids(worker).isEmpty());
        worker.close();
        QVERIFY(dir.execute("INSERT INTO TASK_LIST (id, TaskTimeSee) VALUES (0, '2024-05-19 08:20:00')"));
        worker.open();
        const QString name = QStringLiteral("it's a'); DROP TABLE TASK_LIST; --");
        QVERIFY(answers(worker, TaskListInsert, task(name, 30)));
        ask(worker, TaskListInsert, task("second", 10));
        QCOMPARE(ids(worker), (QList<int>{2, 0, 1}));
        QVERIFY(answers(worker, TaskListDelete, QVariant::fromValue(QList<int>{2})));
        ask(worker, TaskListInsert, task("third", 30));
        TaskListData changed = tasks(worker).at(1);
        changed.TaskName = name + QStringLiteral("'2");
        changed.TaskTimeSee = changed.TaskTimeSee.addSecs(60);
        changed.NormalNoticeKeepDisplay = 1;
        QVERIFY(!answers(worker, TaskListUpdate, QVariant::fromValue(changed)));
        QCOMPARE(tasks(worker).at(2), changed);
        QVERIFY(answers(worker, TaskListUpdateNoticed, 2));
        ask(worker, TaskListInsert, task("fourth", 10));
        QCOMPARE(ids(worker, TaskListSelectUnnoticed), (QList<int>{0, 1, 3}));
        QVERIFY(dir.execute("UPDATE TASK_LIST SET TaskTimeSee = NULL, Deleted = id = 2 WHERE id > 1") &&
                ids(worker).size() == 3);
        ask(worker, TaskListInsert, QVariant::fromValue(TaskListData()));
        QCOMPARE(ids(worker), (QList<int>{3, 2, 0, 1}));
        ask(worker, IconListDelete, QStringList{"-1", "", "d.png"});
        QCOMPARE(tasks(worker).at(2).IconPath, "d.png");
        ask(worker, TaskListDelete, QVariant::fromValue(QList<int>{0, 1, 2, 3}));
        ask(worker, TaskListInsert, task("again"));
        QCOMPARE(ids(worker), QList<int>{0});
    }

    // Sorted by date; expired days go, today stays.
    void workdayExceptions()
    {
        TestProgramDir dir;
        StoreWorker<TaskStore> worker;
        const QDate today = QDate::currentDate();
        QVERIFY(answers(worker, TaskWorkdayInsert, workday(today.addDays(1), "补'班")));
        for (const QDate &date : {today, today.addDays(-1), today.addDays(-400)})
            ask(worker, TaskWorkdayInsert, workday(date));
        const auto workdays = [&worker]() {
            return ask(worker, TaskWorkdaySelect).value<QList<TaskWorkdayData>>();
        };
        TaskWorkdayData moved = workdays().at(0);
        QCOMPARE(moved.TaskDate, today.addDays(-400));
        moved.TaskDate = today.addDays(2);
        moved.Notice = QStringLiteral("it's moved");
        QVERIFY(answers(worker, TaskWorkdayUpdate, QVariant::fromValue(moved)));
        QCOMPARE(workdays().last(), moved);
        QVERIFY(answers(worker, TaskWorkdayDeleteExpired));
        QVERIFY(answers(worker, TaskWorkdayDelete, moved.id));
        const QList<TaskWorkdayData> days = workdays();
        QCOMPARE(days.size(), 2);
        QCOMPARE(days.at(0).TaskDate, today);
        QCOMPARE(days.at(1).Notice, QStringLiteral("补'班"));
    }

    // A change that is not stored, also one refused only when committed, reaches the user once, naming the
    // cause and the file; reads do not, and requests nobody serves get no answer at all.
    void routingAndFailedWrites_data()
    {
        QTest::addColumn<int>("operate");
        QTest::addColumn<QVariant>("payload");
        QTest::addColumn<QString>("refused");
        QTest::addColumn<bool>("atCommit");
        QTest::addColumn<int>("answers");
        // clang-format off
        QTest::newRow("task") << int(TaskListInsert) << task("t") << "INSERT ON TASK_LIST" << false << 2;
        QTest::newRow("notice settings") << int(TaskConfigUpdate) << QVariant::fromValue(NoticeConfigData()) << "UPDATE ON TASK_CONFIG" << false << 2;
        QTest::newRow("icon") << int(IconListInsert) << QVariant(QStringList{"1", "0", "src/icon/task/1_a.png", "a"}) << "INSERT ON ICON_LIST" << false << 2;
        QTest::newRow("commit") << int(TaskListDelete) << QVariant::fromValue(QList<int>{0}) << "UPDATE ON TASK_LIST" << true << 2;
        QTest::newRow("a read") << int(TaskListSelect) << QVariant() << "INSERT ON TASK_LIST" << false << 1;
        QTest::newRow("unknown code") << 37 << QVariant() << "INSERT ON TASK_LIST" << false << 0;
        QTest::newRow("fatal error") << int(DatabaseFatalError) << QVariant() << "INSERT ON TASK_LIST" << false << 0;
        // clang-format on
    }

    void routingAndFailedWrites()
    {
        QFETCH(int, operate);
        QFETCH(QVariant, payload);
        QFETCH(QString, refused);
        QFETCH(bool, atCommit);
        QFETCH(int, answers);
        TestProgramDir dir;
        // Refused at once, or let through with a dangling reference that only the commit checks.
        const QString action = atCommit ? "INSERT INTO c (p) VALUES (-1)" : "SELECT RAISE(ABORT, 'refused')";
        QVERIFY(
            dir.execute("CREATE TABLE c (id INTEGER PRIMARY KEY, p REFERENCES c (id) DEFERRABLE INITIALLY DEFERRED)"));
        QVERIFY(dir.execute("INSERT INTO TASK_LIST (id, TaskName) VALUES (0, 'kept')"));
        QVERIFY(dir.execute(QStringLiteral("CREATE TRIGGER r AFTER %1 BEGIN %2; END").arg(refused, action)));
        StoreWorker<> worker;
        QVERIFY(worker.statement().exec("PRAGMA foreign_keys = ON"));
        QSignalSpy spy(&worker, &SqlThread::SIGNALSendQueryData);
        worker.SLOTReceiveQuery(static_cast<SqlOperateType>(operate), payload);
        QCOMPARE(spy.count(), answers);
        if (answers > 0)
            QCOMPARE(spy.first().at(0).toInt(), operate);
        if (operate == IconListInsert)
            QCOMPARE(spy.first().at(1), QVariant(false));
        if (answers == 2) {
            QCOMPARE(spy.last().at(0).value<SqlOperateType>(), DatabaseWriteFailed);
            const QString message = spy.last().at(1).toString();
            const QString file = QDir::toNativeSeparators(QDir::current().absoluteFilePath(SqlThread::DatabasePath));
            QVERIFY2(message.contains(atCommit ? "FOREIGN KEY" : "refused") && message.contains(file),
                     qPrintable(message));
        }
        // All or nothing: the task is still there, not deleted.
        QCOMPARE(ids(worker), QList<int>{0});
        // A transaction that cannot begin (one is open) runs nothing and says so.
        bool ran = false;
        QVERIFY(!atCommit || worker.statement().exec("BEGIN"));
        QVERIFY(!atCommit || !worker.statement().transaction([&ran]() { return ran = true; }));
        QVERIFY(!ran);
    }
};

QTEST_GUILESS_MAIN(TestSqlThread)
#include "tst_sqlthread.moc"
