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

using Exceptions = QList<QPair<QDate, int>>;

} // namespace

class TestInterfacePublicData : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerRecordMetaTypes(); }
    void cleanup() { loadExceptions({}); }

    void isWorkday_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<Exceptions>("exceptions");
        QTest::addColumn<bool>("workday");

        const QDate saturday(2024, 10, 12);
        const QDate sunday(2024, 10, 13);
        const QDate wednesday(2024, 10, 2);
        QTest::newRow("saturday") << saturday << Exceptions() << false;
        QTest::newRow("sunday") << sunday << Exceptions() << false;
        QTest::newRow("wednesday") << wednesday << Exceptions() << true;
        QTest::newRow("saturday made a workday") << saturday << Exceptions{{saturday, 1}} << true;
        QTest::newRow("wednesday made a rest day") << wednesday << Exceptions{{wednesday, 0}} << false;
        QTest::newRow("any non-zero is work") << sunday << Exceptions{{sunday, 5}} << true;
        QTest::newRow("later entry wins") << wednesday << Exceptions{{wednesday, 0}, {wednesday, 1}} << true;
        QTest::newRow("other dates untouched") << QDate(2024, 10, 3) << Exceptions{{wednesday, 0}} << true;
        QTest::newRow("invalid date") << QDate() << Exceptions() << false;
    }

    void isWorkday()
    {
        QFETCH(QDate, date);
        QFETCH(Exceptions, exceptions);
        QFETCH(bool, workday);
        loadExceptions(exceptions);
        QCOMPARE(interfacePublicData.isWorkday(date), workday);
    }

    void nextWorkday_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<Exceptions>("exceptions");
        QTest::addColumn<QDate>("next");

        const QDate friday(2024, 10, 4);
        QTest::newRow("friday to monday") << friday << Exceptions() << QDate(2024, 10, 7);
        QTest::newRow("never today") << QDate(2024, 10, 8) << Exceptions() << QDate(2024, 10, 9);
        QTest::newRow("make-up saturday") << friday << Exceptions{{QDate(2024, 10, 5), 1}} << QDate(2024, 10, 5);
        QTest::newRow("holidays") << QDate(2024, 10, 3) << Exceptions{{QDate(2024, 10, 4), 0}, {QDate(2024, 10, 7), 0}}
                                  << QDate(2024, 10, 8);
    }

    void nextWorkday()
    {
        QFETCH(QDate, today);
        QFETCH(Exceptions, exceptions);
        QFETCH(QDate, next);
        loadExceptions(exceptions);
        QCOMPARE(interfacePublicData.nextWorkday(today), next);
    }

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
