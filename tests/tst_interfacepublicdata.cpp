#include "app/startup.h"
#include "common/testprogramdir.h"
#include "data/interfacepublicdata.h"
#include "data/sqlthread.h"

#include <QSignalSpy>
#include <QSqlDatabase>
#include <QTest>
#include <QThread>

class TestInterfacePublicData : public QObject
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
    }
};

QTEST_GUILESS_MAIN(TestInterfacePublicData)
#include "tst_interfacepublicdata.moc"
