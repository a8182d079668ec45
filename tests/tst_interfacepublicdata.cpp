#include "app/startup.h"
#include "common/testprogramdir.h"
#include "data/interfacepublicdata.h"
#include "data/sqlthread.h"

#include <QSignalSpy>
#include <QTest>
#include <QThread>

namespace {

// Loads workday exceptions as their answer does: date and 1 for a workday, 0 for a rest day.
void loadExceptions(const QList<QPair<QDate, int>> &days)
{
    QList<TaskWorkdayData> list;
    for (const auto &day : days) {
        TaskWorkdayData data;
        data.TaskDate = day.first;
        data.Workday = day.second;
        list.append(data);
    }
    emit interfacePublicData.SIGNALReceiveQueryData(TaskWorkdaySelect, QVariant::fromValue(list));
}

} // namespace

class TestInterfacePublicData : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerRecordMetaTypes(); }
    void cleanup() { loadExceptions({}); }

    // Every exceptions answer replaces the map, before any window sees the answer; other answers
    // leave it alone.
    void exceptionsAreReplacedFirst()
    {
        loadExceptions({{QDate(2024, 10, 12), 1}});
        bool seenRebuilt = false;
        const auto connection = connect(
            &interfacePublicData, &InterfacePublicData::SIGNALReceiveQueryData, this,
            [&](SqlOperateType, QVariant) { seenRebuilt = interfacePublicData.isWorkday(QDate(2024, 10, 13)); });
        loadExceptions({{QDate(2024, 10, 13), 1}});
        disconnect(connection);
        QVERIFY(seenRebuilt);
        QVERIFY(!interfacePublicData.isWorkday(QDate(2024, 10, 12)));
        emit interfacePublicData.SIGNALReceiveQueryData(TaskListSelect, QVariant::fromValue(QList<TaskListData>()));
        QCOMPARE(interfacePublicData.workdayExceptions.size(), 1);
    }

    // A request crosses to the worker thread and its answer comes back to the GUI thread, in order.
    void relayThroughWorkerThread()
    {
        TestProgramDir dir;
        SqlThread *worker = Startup::startSqlWorker();
        QThread *thread = worker->thread();
        QVERIFY(thread != QThread::currentThread());
        QSignalSpy spy(&interfacePublicData, &InterfacePublicData::SIGNALReceiveQueryData);

        TaskWorkdayData day;
        day.TaskDate = QDate(2024, 10, 12);
        day.Workday = 1;
        emit interfacePublicData.SIGNALSendQuery(TaskWorkdayInsert, QVariant::fromValue(day));
        emit interfacePublicData.SIGNALSendQuery(static_cast<SqlOperateType>(37), QVariant());
        emit interfacePublicData.SIGNALSendQuery(TaskWorkdaySelect, QVariant());
        QTRY_COMPARE_WITH_TIMEOUT(spy.count(), 2, 5000);
        QCOMPARE(spy.at(0).at(0).value<SqlOperateType>(), TaskWorkdayInsert);
        QCOMPARE(spy.at(1).at(0).value<SqlOperateType>(), TaskWorkdaySelect);
        QVERIFY(interfacePublicData.isWorkday(QDate(2024, 10, 12)));

        thread->quit();
        QVERIFY(thread->wait(5000));
        delete worker;
        delete thread;
    }
};

QTEST_GUILESS_MAIN(TestInterfacePublicData)
#include "tst_interfacepublicdata.moc"
