#include "app/startup.h"
#include "common/testprogramdir.h"
#include "data/interfacepublicdata.h"
#include "data/sqlthread.h"

#include <QSignalSpy>
#include <QTest>
#include <QThread>

namespace {

QList<TaskWorkdayData> exceptions(const QList<QPair<QDate, int>> &days)
{
    QList<TaskWorkdayData> list;
    for (const auto &day : days) {
        TaskWorkdayData data;
        data.TaskDate = day.first;
        data.Workday = day.second;
        list.append(data);
    }
    return list;
}

void loadExceptions(const QList<TaskWorkdayData> &list)
{
    emit interfacePublicData.SIGNALReceiveQueryData(TaskWorkdaySelect, QVariant::fromValue(list));
}

} // namespace

class Receiver : public QObject
{
    Q_OBJECT
public:
    int calls = 0;
public slots:
    void slotReceiveQueryData(SqlOperateType, QVariant) { ++calls; }
};

class TestInterfacePublicData : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerRecordMetaTypes(); }
    void cleanup() { loadExceptions({}); }

    void isWorkday_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QList<TaskWorkdayData>>("exceptions");
        QTest::addColumn<bool>("workday");

        const QDate saturday(2024, 10, 12);
        const QDate wednesday(2024, 10, 2);
        QTest::newRow("saturday") << saturday << exceptions({}) << false;
        QTest::newRow("sunday") << QDate(2024, 10, 13) << exceptions({}) << false;
        QTest::newRow("monday") << QDate(2024, 10, 14) << exceptions({}) << true;
        QTest::newRow("friday") << QDate(2024, 10, 11) << exceptions({}) << true;
        QTest::newRow("saturday made a workday") << saturday << exceptions({{saturday, 1}}) << true;
        QTest::newRow("wednesday made a rest day") << wednesday << exceptions({{wednesday, 0}}) << false;
        QTest::newRow("any non-zero is work") << QDate(2024, 10, 13) << exceptions({{QDate(2024, 10, 13), 5}}) << true;
        QTest::newRow("later entry wins") << wednesday << exceptions({{wednesday, 0}, {wednesday, 1}}) << true;
        QTest::newRow("other dates untouched") << QDate(2024, 10, 3) << exceptions({{wednesday, 0}}) << true;
        QTest::newRow("invalid date") << QDate() << exceptions({}) << false;
    }

    void isWorkday()
    {
        QFETCH(QDate, date);
        QFETCH(QList<TaskWorkdayData>, exceptions);
        QFETCH(bool, workday);
        loadExceptions(exceptions);
        QCOMPARE(interfacePublicData.isWorkday(date), workday);
    }

    void nextWorkday_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QList<TaskWorkdayData>>("exceptions");
        QTest::addColumn<QDate>("next");

        const QDate friday(2024, 10, 4);
        QTest::newRow("friday to monday") << friday << exceptions({}) << QDate(2024, 10, 7);
        QTest::newRow("never today") << QDate(2024, 10, 8) << exceptions({}) << QDate(2024, 10, 9);
        QTest::newRow("make-up saturday") << friday << exceptions({{QDate(2024, 10, 5), 1}}) << QDate(2024, 10, 5);
        QTest::newRow("monday off") << friday << exceptions({{QDate(2024, 10, 7), 0}}) << QDate(2024, 10, 8);
        QTest::newRow("national holiday week") << QDate(2024, 9, 30)
                                               << exceptions({{QDate(2024, 10, 1), 0},
                                                              {QDate(2024, 10, 2), 0},
                                                              {QDate(2024, 10, 3), 0},
                                                              {QDate(2024, 10, 4), 0},
                                                              {QDate(2024, 10, 7), 0}})
                                               << QDate(2024, 10, 8);
    }

    void nextWorkday()
    {
        QFETCH(QDate, today);
        QFETCH(QList<TaskWorkdayData>, exceptions);
        QFETCH(QDate, next);
        loadExceptions(exceptions);
        QCOMPARE(interfacePublicData.nextWorkday(today), next);
    }

    void exceptionsAreReplacedWholesale()
    {
        loadExceptions(exceptions({{QDate(2024, 10, 12), 1}}));
        QVERIFY(interfacePublicData.isWorkday(QDate(2024, 10, 12)));
        loadExceptions(exceptions({{QDate(2024, 10, 1), 0}}));
        QVERIFY(!interfacePublicData.isWorkday(QDate(2024, 10, 12)));
        QCOMPARE(interfacePublicData.workdayExceptions.size(), 1);
        // Answers to other operations leave the map alone.
        emit interfacePublicData.SIGNALReceiveQueryData(TaskListSelect, QVariant::fromValue(QList<TaskListData>()));
        QCOMPARE(interfacePublicData.workdayExceptions.size(), 1);
    }

    void hubHandlesAnswersBeforeWindows()
    {
        bool seenRebuilt = false;
        const auto connection = connect(
            &interfacePublicData, &InterfacePublicData::SIGNALReceiveQueryData, this,
            [&](SqlOperateType, QVariant) { seenRebuilt = interfacePublicData.isWorkday(QDate(2024, 10, 13)); });
        loadExceptions(exceptions({{QDate(2024, 10, 13), 1}}));
        disconnect(connection);
        QVERIFY(seenRebuilt);
    }

    void uniqueConnections()
    {
        Receiver receiver;
        const auto unique = static_cast<Qt::ConnectionType>(Qt::AutoConnection | Qt::UniqueConnection);
        connect(&interfacePublicData, &InterfacePublicData::SIGNALReceiveQueryData, &receiver,
                &Receiver::slotReceiveQueryData, unique);
        connect(&interfacePublicData, &InterfacePublicData::SIGNALReceiveQueryData, &receiver,
                &Receiver::slotReceiveQueryData, unique);
        emit interfacePublicData.SIGNALReceiveQueryData(IconListSelect, QVariant());
        QCOMPARE(receiver.calls, 1);
    }

    void signalOrder()
    {
        const QStringList expected = {
            "SIGNALSendQuery",         "SIGNALReceiveQueryData",        "SIGNALClearCompleteTask",
            "SIGNALAesLogin",          "SIGNALUserActiveStatusChanged", "SIGNALAesRegisteChanged",
            "SIGNALAesUpdateStatus",   "SIGNALShowCentralNotice",       "SIGNALShowNormalNotice",
            "SIGNALScreenSizeChanged", "SIGNALIconItemOperate",         "SIGNALShowIconNoticeAlways"};
        QStringList signalNames;
        const QMetaObject *meta = &InterfacePublicData::staticMetaObject;
        for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
            if (meta->method(i).methodType() == QMetaMethod::Signal)
                signalNames.append(QString::fromLatin1(meta->method(i).name()));
        }
        QCOMPARE(signalNames, expected);
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
