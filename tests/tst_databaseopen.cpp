#include "common/programcopy.h"
#include "common/storeworker.h"
#include "common/testprogramdir.h"
#include "data/databasefile.h"
#include "data/sqlthread.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTest>
#include <memory>

class TestDatabaseOpen : public QObject
{
    Q_OBJECT

    static QString shown(const QString &path) { return QDir::toNativeSeparators(QDir().absoluteFilePath(path)); }

private slots:
    void initTestCase() { registerRecordMetaTypes(); }

    void backupAtStart_data()
    {
        QTest::addColumn<QString>("backup");
        QTest::addColumn<bool>("databasePresent");
        QTest::addColumn<QString>("taskName");
        QTest::addColumn<QString>("notice");
        const QString restored = "检测到之前管理账号可能修改失败\n数据库已被还原，如需请重新尝试修改";
        const QString damaged = "检测到管理账号修改留下的数据库备份，但它已损坏，无法用来还原。\n"
                                "数据库保持原样；损坏的备份已移到：\n%aside";
        QTest::newRow("whole, database present") << "whole" << true << "before" << restored;
        QTest::newRow("whole, database missing") << "whole" << false << "before" << restored;
        QTest::newRow("change finished") << "finished" << true << "after" << QString();
        QTest::newRow("an earlier change finished") << "finished earlier" << true << "before" << restored;
        QTest::newRow("truncated") << "truncated" << true << "after" << damaged;
        QTest::newRow("directory") << "directory" << true << "after" << damaged;
        QTest::newRow("no version") << "no version" << true << "after" << damaged;
    }
    void backupAtStart()
    {
        QFETCH(QString, backup);
        QFETCH(bool, databasePresent);
        QFETCH(QString, taskName);
        QFETCH(QString, notice);
        TestProgramDir dir;
        QVERIFY(dir.execute("INSERT INTO TASK_LIST (id, TaskName, Deleted) VALUES (0, 'before', 0)"));
        const QString version = "UPDATE SOFTWARE_INFO SET Key = '%1' WHERE Key = '%2'";
        QVERIFY(backup != "no version" || dir.execute(version.arg("v", "DatabaseVersion")));
        QVERIFY(QFile::copy(dir.databaseFile(), dir.backupFile()));
        QVERIFY(backup != "no version" || dir.execute(version.arg("DatabaseVersion", "v")));
        QFile file(dir.backupFile());
        if (backup == QLatin1String("truncated"))
            QVERIFY(file.resize(file.size() / 2));
        else if (backup == QLatin1String("directory"))
            QVERIFY(file.remove() && QDir().mkpath(dir.backupFile() + QStringLiteral("/inside")));
        QVERIFY(dir.execute("UPDATE TASK_LIST SET TaskName = 'after'"));
        if (backup.startsWith(QLatin1String("finished")))
            QVERIFY(dir.execute(QStringLiteral("INSERT INTO SOFTWARE_INFO (Key, Value) VALUES ('%1', '%2')")
                                    .arg(QString::fromLatin1(DatabaseFile::ChangeBackupKey),
                                         backup == "finished" ? DatabaseFile::hash(dir.backupFile()) : "0123abcd")));
        if (!databasePresent)
            QVERIFY(QFile::remove(dir.databaseFile()));
        const QByteArray database = fileContents(dir.databaseFile());
        StoreWorker<> worker;
        QVERIFY(!QFileInfo::exists(dir.backupFile()));
        QCOMPARE(QFileInfo::exists(dir.backupFile() + ".damaged"), notice.contains("%aside"));
        QCOMPARE(ask(worker, TaskListSelect).value<QList<TaskListData>>().value(0).TaskName, taskName);
        if (taskName == QLatin1String("after"))
            QCOMPARE(fileContents(dir.databaseFile()), database);
        QSignalSpy spy(&worker, &SqlThread::SIGNALSendQueryData);
        QCOMPARE(spy.wait(SqlThread::RestoredNoticeDelayMs + 1000), !notice.isEmpty());
        if (!notice.isEmpty()) {
            QCOMPARE(spy.at(0).at(0).value<SqlOperateType>(), DatabaseRestored);
            QCOMPARE(spy.at(0).at(1).toString(), notice.replace("%aside", shown("src/database/main.db.bak.damaged")));
        }
    }

    // An unusable database is reported once and never changed; only another version or a lost part goes to
    // the upgrader (the version-low notice).
    void startupNotices_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        const int low = DatabaseVersionLow, fatal = DatabaseFatalError;
        const QString damaged = "数据库文件已损坏，或不是本程序的数据库：\n%path\n";
        // clang-format off
        QTest::newRow("missing database") << "remove" << fatal << "数据库丢失，程序将退出";
        QTest::newRow("version 3") << "UPDATE SOFTWARE_INFO SET Value = 3 WHERE Key = 'DatabaseVersion'" << low << "所需版本：2 (2024.05.19)\n实际版本：3 (2024.05.19)";
        QTest::newRow("no version table") << "DROP TABLE SOFTWARE_INFO" << fatal << damaged;
        QTest::newRow("truncated") << "truncated" << fatal << damaged;
        QTest::newRow("no task table") << "DROP TABLE TASK_LIST" << low << "数据库不完整，程序将在数据库修复后自动重启\n\n缺少：TASK_LIST";
        QTest::newRow("locked by another program") << "lock" << fatal << "数据库文件正被其他程序使用：\n%path\n";
        QTest::newRow("read-only file") << "read-only" << fatal << "数据库文件无法写入：\n%path\n";
        // clang-format on
    }
    void startupNotices()
    {
        QFETCH(QString, setup);
        QFETCH(int, code);
        QFETCH(QString, message);
        TestProgramDir dir;
        QFile file(dir.databaseFile());
        std::unique_ptr<DatabaseFile::Connection> lock;
        const QString readOnly = setup == QLatin1String("read-only") ? dir.databaseFile() : QString();
        const auto restore = qScopeGuard([&readOnly]() { readOnly.isEmpty() || setReadOnly(readOnly, false); });
        if (setup == QLatin1String("remove")) {
            QVERIFY(QFile::remove(dir.databaseFile()));
        } else if (setup == QLatin1String("truncated")) {
            QVERIFY(file.resize(file.size() / 2));
        } else if (setup == QLatin1String("lock")) {
            lock = std::make_unique<DatabaseFile::Connection>(dir.databaseFile());
            QVERIFY(lock->database().open() && QSqlQuery(lock->database()).exec(QStringLiteral("BEGIN EXCLUSIVE")));
        } else if (!readOnly.isEmpty()) {
            if (!setReadOnly(readOnly, true))
                QSKIP("cannot make a file read-only here");
        } else {
            QVERIFY(dir.execute(setup));
        }
        const QByteArray before = fileContents(dir.databaseFile());
        const qint64 started = QDateTime::currentMSecsSinceEpoch();
        StoreWorker<> worker;
        // Another program's lock is waited for before the start gives up.
        QVERIFY(setup != "lock" || QDateTime::currentMSecsSinceEpoch() - started >= SqlThread::BusyTimeoutMs - 100);
        QSignalSpy spy(&worker, &SqlThread::SIGNALSendQueryData);
        QVERIFY(spy.wait(1000));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toInt(), code);
        const QString text = spy.at(0).at(1).toString();
        QVERIFY2(text.contains(message.replace("%path", shown("src/database/main.db"))), qPrintable(text));
        QCOMPARE(fileContents(dir.databaseFile()), before);
        QVERIFY(ask(worker, TaskListSelect).value<QList<TaskListData>>().isEmpty());
    }

    // A lock that cannot be made ends the start with a message and a failure, never silently.
    void lockFailureIsTold()
    {
        TestProgramDir dir;
        const QString locks = dir.filePath(QStringLiteral("locks"));
        if (!QDir().mkpath(locks) || !setReadOnly(locks, true))
            QSKIP("cannot make a folder read-only here");
        const auto writable = qScopeGuard([&locks]() { setReadOnly(locks, false); });
        ProgramCopy copy(dir, QStringLiteral(PEMMORA_STARTUP_PROBE));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TMPDIR"), locks);
        copy.process.setProcessEnvironment(environment);
        copy.start();
        QVERIFY2(copy.waitForLine(QStringLiteral("modal: 无法启动")), qPrintable(copy.output));
        QVERIFY(copy.process.waitForFinished(10000) && copy.process.exitCode() == 1);
    }
};

QTEST_GUILESS_MAIN(TestDatabaseOpen)
#include "tst_databaseopen.moc"
