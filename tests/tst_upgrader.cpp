#include "common/storeworker.h"
#include "common/testprogramdir.h"
#include "data/sqlthread.h"
#include "upgrader/databaseupgrader.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

class TestUpgrader : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerRecordMetaTypes(); }

    // A new database opens silently; create() never overwrites one and fails on a missing folder.
    void createdDatabaseIsComplete()
    {
        TestProgramDir dir;
        QCOMPARE(dir.value("SELECT UserLimitOnePage || ',' || NoActiveLogoutSec FROM USERS_CONFIG").toString(),
                 "20,60");
        StoreWorker<> worker;
        QSignalSpy spy(&worker, &SqlThread::SIGNALSendQueryData);
        QCOMPARE(ask(worker, TaskConfigSelect).value<NoticeConfigData>(), NoticeConfigData());
        QVERIFY(!spy.wait(100));
        const QByteArray before = fileContents(dir.databaseFile());
        QString error, missing;
        QVERIFY(!DatabaseUpgrader::create(dir.databaseFile(), &error) && !error.isEmpty());
        QCOMPARE(fileContents(dir.databaseFile()), before);
        QVERIFY(!DatabaseUpgrader::create(dir.filePath("no/such/folder/main.db"), &missing) && !missing.isEmpty());
    }

    void olderDatabaseIsUpgradedKeepingData()
    {
        TestProgramDir dir(false);
        for (const char *sql : {"CREATE TABLE SOFTWARE_INFO (Key TEXT PRIMARY KEY, Value)",
                                "INSERT INTO SOFTWARE_INFO VALUES ('DatabaseVersion', 1)",
                                "CREATE TABLE TASK_LIST (id INTEGER PRIMARY KEY, TaskName TEXT, TaskTimeSee TEXT, "
                                "IconPath TEXT, NoticeCycle INTEGER, Noticed INTEGER, Deleted INTEGER)",
                                "INSERT INTO TASK_LIST VALUES (4, 'kept', '2024-02-03 04:05:06', 'a.png', 1, 0, 0)",
                                "CREATE TABLE USERS_CONFIG (UserLimitOnePage INTEGER, NoActiveLogoutSec INTEGER)",
                                "INSERT INTO USERS_CONFIG VALUES (50, 120)"})
            QVERIFY2(dir.execute(sql), sql);
        const DatabaseUpgrader::Result result = DatabaseUpgrader::upgrade(dir.databaseFile(), 2);
        QCOMPARE(result.outcome, DatabaseUpgrader::Upgraded);
        QCOMPARE(result.message, QStringLiteral("数据库已从版本 1 升级到版本 2。"));
        QVERIFY(!QFile::exists(dir.databaseFile() + ".upgrading"));
        QCOMPARE(dir.value("SELECT count(*) || ',' || UserLimitOnePage FROM USERS_CONFIG").toString(), "1,50");
        StoreWorker<> worker;
        QSignalSpy spy(&worker, &SqlThread::SIGNALSendQueryData);
        QVERIFY(!spy.wait(100));
        const TaskListData kept{4, "kept", QDateTime(QDate(2024, 2, 3), QTime(4, 5, 6)), "a.png", 1, 0, 0, 0};
        QCOMPARE(ask(worker, TaskListSelect).value<QList<TaskListData>>(), QList<TaskListData>{kept});
    }

    // A current database that lost a table or a settings row gets them back, with the data it kept.
    void incompleteDatabaseIsRepaired()
    {
        TestProgramDir dir;
        QVERIFY(dir.execute("INSERT INTO BIRTHDAY_INFO (Name) VALUES ('kept')"));
        QVERIFY(dir.execute("DROP TABLE TASK_LIST") && dir.execute("DELETE FROM USERS_VERIFY"));
        const DatabaseUpgrader::Result result = DatabaseUpgrader::upgrade(dir.databaseFile(), 2);
        QCOMPARE(result.outcome, DatabaseUpgrader::Upgraded);
        QVERIFY2(result.message.startsWith(QStringLiteral("数据库已修复，补上了：")), qPrintable(result.message));
        QCOMPARE(dir.value("SELECT count(*) FROM USERS_VERIFY").toInt(), 1);
        QCOMPARE(dir.value("SELECT Name FROM BIRTHDAY_INFO").toString(), QStringLiteral("kept"));
        StoreWorker<> worker;
        QSignalSpy spy(&worker, &SqlThread::SIGNALSendQueryData);
        QVERIFY(answers(worker, TaskListSelect));
        QVERIFY(!spy.wait(100));
    }

    // Whatever is not an older database of this program, or fails halfway, stays as it is, byte for byte.
    void untouched_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<int>("required");
        QTest::addColumn<int>("outcome");
        const int refused = DatabaseUpgrader::Refused;
        // clang-format off
        QTest::newRow("current") << QString() << 2 << int(DatabaseUpgrader::AlreadyCurrent);
        QTest::newRow("newer version") << "UPDATE SOFTWARE_INFO SET Value = 3 WHERE Key = 'DatabaseVersion'" << 2 << refused;
        QTest::newRow("no version table") << "DROP TABLE SOFTWARE_INFO" << 2 << refused;
        QTest::newRow("program needs another version") << "UPDATE SOFTWARE_INFO SET Value = 1 WHERE Key = 'DatabaseVersion'" << 5 << refused;
        QTest::newRow("missing file") << "remove" << 2 << refused;
        QTest::newRow("settings row refused") << "DELETE FROM TASK_CONFIG\nCREATE TRIGGER r BEFORE INSERT ON TASK_CONFIG BEGIN SELECT RAISE(ABORT, 'no'); END" << 2 << refused;
        QTest::newRow("column cannot be added") << "ALTER TABLE TASK_LIST RENAME TO OLD\nCREATE VIEW TASK_LIST AS SELECT id, TaskName FROM OLD" << 2 << refused;
        QTest::newRow("primary key missing") << "ALTER TABLE TASK_LIST RENAME TO OLD\nCREATE TABLE TASK_LIST (TaskName TEXT)" << 2 << refused;
        // clang-format on
    }
    void untouched()
    {
        QFETCH(QString, setup);
        QFETCH(int, required);
        QFETCH(int, outcome);
        TestProgramDir dir;
        const QString path = dir.databaseFile();
        for (const QString &statement : setup.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            QVERIFY2(statement == "remove" ? QFile::remove(path) : dir.execute(statement), qPrintable(statement));
        const QByteArray before = fileContents(path);
        const DatabaseUpgrader::Result result = DatabaseUpgrader::upgrade(path, required);
        QCOMPARE(int(result.outcome), outcome);
        QVERIFY(outcome != DatabaseUpgrader::Refused || !result.message.isEmpty());
        QCOMPARE(fileContents(path), before);
        QCOMPARE(QDir(dir.filePath("src/database")).entryList(QDir::Files | QDir::Hidden).size(),
                 setup == QLatin1String("remove") ? 0 : 1);
    }
};

QTEST_GUILESS_MAIN(TestUpgrader)
#include "tst_upgrader.moc"
