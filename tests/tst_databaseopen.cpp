#include "common/sqlrequest.h"
#include "common/testprogramdir.h"
#include "data/sqlthread.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>

namespace {

const QString VersionIntro =
    QStringLiteral("数据库版本太低，程序将在数据库升级成功后自动重启\n\n所需版本：2 (2024.05.19)\n");

QString firstTaskName(SqlThread &worker)
{
    return sqlRequest(worker, TaskListSelect).value.value<QList<TaskListData>>().value(0).TaskName;
}

} // namespace

class TestDatabaseOpen : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerRecordMetaTypes(); }

    // A backup left by an unfinished master account change replaces the database, and the user is told.
    void backupIsRestored_data()
    {
        QTest::addColumn<bool>("databasePresent");
        QTest::newRow("beside a database") << true;
        QTest::newRow("database missing") << false;
    }

    void backupIsRestored()
    {
        QFETCH(bool, databasePresent);
        TestProgramDir dir;
        QVERIFY(dir.execute(QStringLiteral("INSERT INTO TASK_LIST (id, TaskName, TaskTimeSee, IconPath, NoticeCycle, "
                                           "Noticed, Deleted, NormalNoticeKeepDisplay) VALUES (0, 'before the change', "
                                           "'2024-01-01 00:00:00', '', 0, 0, 0, 0)")));
        QVERIFY(QFile::copy(dir.databaseFile(), dir.backupFile()));
        if (databasePresent)
            QVERIFY(dir.execute(QStringLiteral("UPDATE TASK_LIST SET TaskName = 'half re-encrypted'")));
        else
            QVERIFY(QFile::remove(dir.databaseFile()));

        QElapsedTimer clock;
        clock.start();
        SqlThread worker;
        QVERIFY(!QFile::exists(dir.backupFile()));
        QCOMPARE(firstTaskName(worker), QStringLiteral("before the change"));

        QSignalSpy spy(&worker, &SqlThread::SIGNALSendQueryData);
        QVERIFY(spy.wait(5000));
        QVERIFY(clock.elapsed() >= SqlThread::RestoredNoticeDelayMs - 20);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).value<SqlOperateType>(), DatabaseRestored);
        QCOMPARE(spy.at(0).at(1).toString(),
                 QStringLiteral("检测到之前管理账号可能修改失败\n数据库已被还原，如需请重新尝试修改"));
    }

    // A database the program cannot use is reported once and never changed; requests fail quietly.
    void startupNotices_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");

        const int low = DatabaseVersionLow;
        QTest::newRow("missing database") << "remove" << int(DatabaseFatalError) << "数据库丢失，程序将退出";
        QTest::newRow("version 3") << "UPDATE SOFTWARE_INFO SET Value = 3 WHERE Key = 'DatabaseVersion'" << low
                                   << VersionIntro + "实际版本：3 (2024.05.19)";
        QTest::newRow("version 1, no date") << "UPDATE SOFTWARE_INFO SET Value = 1 WHERE Key = 'DatabaseVersion';"
                                               "DELETE FROM SOFTWARE_INFO WHERE Key = 'DatabaseDate'"
                                            << low << VersionIntro + "实际版本：1 (0)";
        QTest::newRow("no version row") << "DELETE FROM SOFTWARE_INFO WHERE Key = 'DatabaseVersion'" << low
                                        << VersionIntro + "实际版本：0 (2024.05.19)";
        QTest::newRow("no version table") << "DROP TABLE SOFTWARE_INFO" << low << VersionIntro + "实际版本：0 (0)";
        QTest::newRow("not a database") << "garbage" << low << VersionIntro + "实际版本：0 (0)";
    }

    void startupNotices()
    {
        QFETCH(QString, setup);
        QFETCH(int, code);
        QFETCH(QString, message);

        TestProgramDir dir;
        if (setup == QLatin1String("remove")) {
            QVERIFY(QFile::remove(dir.databaseFile()));
        } else if (setup == QLatin1String("garbage")) {
            QFile file(dir.databaseFile());
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(QByteArray(4096, 'x')) == 4096);
        } else {
            for (const QString &statement : setup.split(QLatin1Char(';')))
                QVERIFY(dir.execute(statement));
        }
        const QByteArray before = fileContents(dir.databaseFile());

        SqlThread worker;
        QSignalSpy spy(&worker, &SqlThread::SIGNALSendQueryData);
        QVERIFY(spy.wait(1000));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toInt(), code);
        QCOMPARE(spy.at(0).at(1).toString(), message);
        QCOMPARE(fileContents(dir.databaseFile()), before);
        QVERIFY(sqlRequest(worker, TaskListSelect).value.value<QList<TaskListData>>().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestDatabaseOpen)
#include "tst_databaseopen.moc"
