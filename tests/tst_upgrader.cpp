#include "common/sqlrequest.h"
#include "common/testprogramdir.h"
#include "data/sqlthread.h"
#include "upgrader/databaseupgrader.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

namespace {

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Runs statements on a database file of the test's own making.
bool runSql(const QString &path, const QStringList &statements)
{
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("upgrader-test"));
        db.setDatabaseName(path);
        ok = db.open();
        QSqlQuery query(db);
        for (const QString &statement : statements)
            ok = ok && query.exec(statement);
        query.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("upgrader-test"));
    return ok;
}

QVariant queryValue(const QString &path, const QString &sql)
{
    QVariant value;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("upgrader-read"));
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery query(db);
            if (query.exec(sql) && query.next())
                value = query.value(0);
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("upgrader-read"));
    return value;
}

} // namespace

class TestUpgrader : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerRecordMetaTypes(); }

    void createdDatabaseIsComplete()
    {
        TestProgramDir dir;
        const QString path = dir.databaseFile();
        for (const QString &table : {"SOFTWARE_INFO", "TASK_LIST", "TASK_CONFIG", "TASK_WORKDAY", "BIRTHDAY_INFO",
                                     "USERS_CONFIG", "USERS_USER_INFO", "USERS_VERIFY", "ICON_LIST"})
            QVERIFY2(queryValue(path, QStringLiteral("SELECT count(*) FROM `%1`").arg(table)).isValid(),
                     qPrintable(table));
        QCOMPARE(queryValue(path, "SELECT count(*) FROM TASK_CONFIG").toInt(), 1);
        QCOMPARE(queryValue(path, "SELECT UserLimitOnePage || ',' || NoActiveLogoutSec FROM USERS_CONFIG").toString(),
                 QStringLiteral("20,60"));
        QVERIFY(!queryValue(path, "SELECT EncryptText FROM USERS_VERIFY").toString().isEmpty());
        QCOMPARE(queryValue(path, "SELECT DecryptText FROM USERS_VERIFY").toString(), QString());
        QCOMPARE(queryValue(path, "SELECT Value FROM SOFTWARE_INFO WHERE Key = 'DatabaseDate'").toString(),
                 QStringLiteral("2024.05.19"));

        // The program opens it silently and reads the stored settings as the defaults.
        SqlThread worker;
        QSignalSpy spy(&worker, &SqlThread::SIGNALSendQueryData);
        QCOMPARE(sqlRequest(worker, TaskConfigSelect).value.value<NoticeConfigData>(), NoticeConfigData());
        QVERIFY(!spy.wait(100));
    }

    void createNeverOverwrites()
    {
        TestProgramDir dir;
        const QByteArray before = contents(dir.databaseFile());
        QString error;
        QVERIFY(!DatabaseUpgrader::create(dir.databaseFile(), &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(contents(dir.databaseFile()), before);
    }

    void olderDatabaseIsUpgradedKeepingData()
    {
        TestProgramDir dir(false);
        const QString path = dir.databaseFile();
        QVERIFY(runSql(path, {"CREATE TABLE SOFTWARE_INFO (Key TEXT PRIMARY KEY, Value)",
                              "INSERT INTO SOFTWARE_INFO VALUES ('DatabaseVersion', 1)",
                              "CREATE TABLE TASK_LIST (id INTEGER PRIMARY KEY, TaskName TEXT, TaskTimeSee TEXT, "
                              "IconPath TEXT, NoticeCycle INTEGER, Noticed INTEGER, Deleted INTEGER)",
                              "INSERT INTO TASK_LIST VALUES (4, 'kept', '2024-02-03 04:05:06', 'a.png', 1, 0, 0)",
                              "CREATE TABLE USERS_CONFIG (UserLimitOnePage INTEGER, NoActiveLogoutSec INTEGER)",
                              "INSERT INTO USERS_CONFIG VALUES (50, 120)"}));

        const DatabaseUpgrader::Result result = DatabaseUpgrader::upgrade(path, 2);
        QCOMPARE(result.outcome, DatabaseUpgrader::Upgraded);
        QVERIFY(!QFile::exists(path + ".upgrading"));
        QCOMPARE(queryValue(path, "SELECT count(*) FROM USERS_CONFIG").toInt(), 1);
        QCOMPARE(queryValue(path, "SELECT UserLimitOnePage FROM USERS_CONFIG").toInt(), 50);

        SqlThread worker;
        QSignalSpy spy(&worker, &SqlThread::SIGNALSendQueryData);
        QVERIFY(!spy.wait(100));
        const QList<TaskListData> tasks = sqlRequest(worker, TaskListSelect).value.value<QList<TaskListData>>();
        QCOMPARE(tasks.size(), 1);
        QCOMPARE(tasks.first().id, 4);
        QCOMPARE(tasks.first().TaskName, QStringLiteral("kept"));
        QCOMPARE(tasks.first().NormalNoticeKeepDisplay, 0);
        QCOMPARE(sqlRequest(worker, TaskConfigSelect).value.value<NoticeConfigData>(), NoticeConfigData());
    }

    void currentDatabaseIsLeftAlone()
    {
        TestProgramDir dir;
        const QByteArray before = contents(dir.databaseFile());
        QCOMPARE(DatabaseUpgrader::upgrade(dir.databaseFile(), 2).outcome, DatabaseUpgrader::AlreadyCurrent);
        QCOMPARE(contents(dir.databaseFile()), before);
    }

    void refusalsLeaveTheFileUntouched_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<int>("required");
        QTest::newRow("newer version") << "UPDATE SOFTWARE_INFO SET Value = 3 WHERE Key = 'DatabaseVersion'" << 2;
        QTest::newRow("no version table") << "DROP TABLE SOFTWARE_INFO" << 2;
        QTest::newRow("not a database") << "garbage" << 2;
        QTest::newRow("program needs another version") << "UPDATE SOFTWARE_INFO SET Value = 1 WHERE Key = "
                                                          "'DatabaseVersion'"
                                                       << 5;
        QTest::newRow("missing file") << "remove" << 2;
    }

    void refusalsLeaveTheFileUntouched()
    {
        QFETCH(QString, setup);
        QFETCH(int, required);
        TestProgramDir dir;
        const QString path = dir.databaseFile();
        if (setup == QLatin1String("garbage")) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write("PK\x03\x04 not a database at all");
        } else if (setup == QLatin1String("remove")) {
            QVERIFY(QFile::remove(path));
        } else {
            QVERIFY(runSql(path, {setup}));
        }
        const QByteArray before = contents(path);

        const DatabaseUpgrader::Result result = DatabaseUpgrader::upgrade(path, required);
        QCOMPARE(result.outcome, DatabaseUpgrader::Refused);
        QVERIFY(!result.message.isEmpty());
        QCOMPARE(contents(path), before);
        QCOMPARE(QFile::exists(path), setup != QLatin1String("remove"));
        QCOMPARE(QDir(dir.filePath("src/database")).entryList(QDir::Files | QDir::Hidden).size(),
                 setup == QLatin1String("remove") ? 0 : 1);
    }
};

QTEST_GUILESS_MAIN(TestUpgrader)
#include "tst_upgrader.moc"
