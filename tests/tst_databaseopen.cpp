#include "common/storeworker.h"
#include "common/testprogramdir.h"
#include "data/databasefile.h"
#include "data/sqlthread.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTest>
#include <memory>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

const QString VersionIntro =
    QStringLiteral("数据库版本太低，程序将在数据库升级成功后自动重启\n\n所需版本：2 (2024.05.19)\n");

QString firstTaskName(SqlThread &worker)
{
    return ask(worker, TaskListSelect).value<QList<TaskListData>>().value(0).TaskName;
}

// Makes a file or folder read-only, also for root, who ignores permissions; false when that cannot be done.
bool setReadOnly(const QString &path, bool readOnly)
{
#ifdef Q_OS_UNIX
    if (::geteuid() == 0)
        return QProcess::execute(QStringLiteral("chattr"), {readOnly ? "+i" : "-i", path}) == 0;
    const QFileDevice::Permissions write = QFileDevice::WriteOwner | QFileDevice::WriteUser;
    const QFileDevice::Permissions now = QFile::permissions(path);
    return QFile::setPermissions(path, readOnly ? now & ~write : now | write);
#else
    Q_UNUSED(path)
    Q_UNUSED(readOnly)
    return false;
#endif
}

} // namespace

class TestDatabaseOpen : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerRecordMetaTypes(); }

    // A change's leftover backup replaces the database only when whole; otherwise it is set aside. The user is told.
    void backupAtStart_data()
    {
        QTest::addColumn<QString>("backup");
        QTest::addColumn<bool>("databasePresent");
        QTest::newRow("whole, database missing") << "whole" << false;
        QTest::newRow("garbage") << "garbage" << true;
        QTest::newRow("truncated") << "truncated" << true;
        QTest::newRow("directory") << "directory" << true;
        QTest::newRow("unreadable") << "unreadable" << true;
    }

    void backupAtStart()
    {
        QFETCH(QString, backup);
        QFETCH(bool, databasePresent);
        TestProgramDir dir;
        QVERIFY(dir.execute(QStringLiteral("INSERT INTO TASK_LIST (id, TaskName, TaskTimeSee, IconPath, NoticeCycle, "
                                           "Noticed, Deleted, NormalNoticeKeepDisplay) VALUES (0, 'before the change', "
                                           "'2024-01-01 00:00:00', '', 0, 0, 0, 0)")));
        QVERIFY(QFile::copy(dir.databaseFile(), dir.backupFile()));
        QFile file(dir.backupFile());
        if (backup == QLatin1String("garbage"))
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(QByteArray(4096, 'x')) == 4096);
        else if (backup == QLatin1String("empty") || backup == QLatin1String("truncated"))
            QVERIFY(file.resize(backup == QLatin1String("empty") ? 0 : file.size() / 2));
        else if (backup == QLatin1String("directory"))
            QVERIFY(file.remove() && QDir().mkpath(dir.backupFile() + QStringLiteral("/inside")));
        else if (backup == QLatin1String("unreadable") && !file.setPermissions(QFileDevice::WriteOwner))
            QFAIL("no permissions");
        file.close();
        if (backup == QLatin1String("unreadable") && QFileInfo(dir.backupFile()).isReadable())
            QSKIP("this user reads every file");
        if (databasePresent)
            QVERIFY(dir.execute(QStringLiteral("UPDATE TASK_LIST SET TaskName = 'half re-encrypted'")));
        else
            QVERIFY(QFile::remove(dir.databaseFile()));
        const QByteArray database = fileContents(dir.databaseFile());
        const bool whole = backup == QLatin1String("whole");

        QElapsedTimer clock;
        clock.start();
        StoreWorker<> worker;
        QVERIFY(!QFileInfo::exists(dir.backupFile()));
        QCOMPARE(QFileInfo::exists(dir.backupFile() + QStringLiteral(".damaged")), !whole);
        QCOMPARE(firstTaskName(worker),
                 whole ? QStringLiteral("before the change") : QStringLiteral("half re-encrypted"));
        if (!whole)
            QCOMPARE(fileContents(dir.databaseFile()), database);

        QSignalSpy spy(&worker, &SqlThread::SIGNALSendQueryData);
        QVERIFY(spy.wait(5000));
        QVERIFY(clock.elapsed() >= SqlThread::RestoredNoticeDelayMs - 20);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).value<SqlOperateType>(), DatabaseRestored);
        QCOMPARE(
            spy.at(0).at(1).toString(),
            whole ? QStringLiteral("检测到之前管理账号可能修改失败\n数据库已被还原，如需请重新尝试修改")
                  : QStringLiteral("检测到管理账号修改留下的数据库备份，但它已损坏，无法用来还原。\n"
                                   "数据库保持原样；损坏的备份已移到：\n") +
                        QDir::toNativeSeparators(QDir::current().absoluteFilePath("src/database/main.db.bak.damaged")));
    }

    // An unusable database is reported once and never changed; only another version or a lost part goes to the
    // upgrader.
    void startupNotices_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");

        const int low = DatabaseVersionLow;
        const int fatal = DatabaseFatalError;
        const QString damaged =
            "数据库文件已损坏，或不是本程序的数据库：\n%path\n\n请换回一份完好的数据库文件后再启动。"
            "程序将退出。";
        const QString incomplete = "数据库不完整，程序将在数据库修复后自动重启\n\n缺少：";
        const QString readOnly = "数据库文件无法写入：\n%path\n\n在这里输入的任务、生日、账号和设置都无法保存。"
                                 "请取消该文件及其文件夹的只读属性，或把整个程序文件夹复制到可以写入的位置"
                                 "（不要放在 Program Files 或只读介质中），然后再启动。程序将退出。";
        QTest::newRow("missing database") << "remove" << fatal << "数据库丢失，程序将退出";
        QTest::newRow("version 3") << "UPDATE SOFTWARE_INFO SET Value = 3 WHERE Key = 'DatabaseVersion'" << low
                                   << VersionIntro + "实际版本：3 (2024.05.19)";
        QTest::newRow("version 1, no date") << "UPDATE SOFTWARE_INFO SET Value = 1 WHERE Key = 'DatabaseVersion';"
                                               "DELETE FROM SOFTWARE_INFO WHERE Key = 'DatabaseDate'"
                                            << low << VersionIntro + "实际版本：1 (0)";
        QTest::newRow("no version table") << "DROP TABLE SOFTWARE_INFO" << fatal << damaged;
        QTest::newRow("not a database") << "garbage" << fatal << damaged;
        QTest::newRow("truncated") << "truncated" << fatal << damaged;
        QTest::newRow("no task table") << "DROP TABLE TASK_LIST" << low << incomplete + "TASK_LIST";
        QTest::newRow("no settings row") << "DELETE FROM USERS_CONFIG" << low << incomplete + "USERS_CONFIG 的设置行";
        QTest::newRow("locked by another program")
            << "lock" << fatal << "数据库文件正被其他程序使用：\n%path\n\n请关闭该程序后再启动。程序将退出。";
        QTest::newRow("read-only file") << "read-only src/database/main.db" << fatal << readOnly;
        QTest::newRow("read-only folder") << "read-only src/database" << fatal << readOnly;
    }

    void startupNotices()
    {
        QFETCH(QString, setup);
        QFETCH(int, code);
        QFETCH(QString, message);

        TestProgramDir dir;
        QFile file(dir.databaseFile());
        std::unique_ptr<DatabaseFile::Connection> lock;
        const QString readOnly = setup.startsWith(QLatin1String("read-only ")) ? setup.mid(10) : QString();
        const auto restore = qScopeGuard([&readOnly]() {
            if (!readOnly.isEmpty())
                setReadOnly(readOnly, false);
        });
        if (setup == QLatin1String("remove")) {
            QVERIFY(QFile::remove(dir.databaseFile()));
        } else if (setup == QLatin1String("garbage")) {
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(QByteArray(4096, 'x')) == 4096);
        } else if (setup == QLatin1String("empty") || setup == QLatin1String("truncated")) {
            QVERIFY(file.resize(setup == QLatin1String("empty") ? 0 : file.size() / 2));
        } else if (setup == QLatin1String("lock")) {
            lock = std::make_unique<DatabaseFile::Connection>(dir.databaseFile());
            QVERIFY(lock->database().open() && QSqlQuery(lock->database()).exec(QStringLiteral("BEGIN EXCLUSIVE")));
        } else if (!readOnly.isEmpty()) {
            if (!setReadOnly(readOnly, true))
                QSKIP("cannot make a file read-only here");
        } else {
            for (const QString &statement : setup.split(QLatin1Char(';')))
                QVERIFY(dir.execute(statement));
        }
        file.close();
        const QByteArray before = fileContents(dir.databaseFile());

        QElapsedTimer clock;
        clock.start();
        StoreWorker<> worker;
        // Another program's lock is waited for before the start gives up.
        QVERIFY(setup != QLatin1String("lock") || clock.elapsed() >= SqlThread::BusyTimeoutMs - 100);
        QSignalSpy spy(&worker, &SqlThread::SIGNALSendQueryData);
        QVERIFY(spy.wait(1000));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toInt(), code);
        QCOMPARE(spy.at(0).at(1).toString(),
                 message.replace(QStringLiteral("%path"),
                                 QDir::toNativeSeparators(QDir::current().absoluteFilePath("src/database/main.db"))));
        QCOMPARE(fileContents(dir.databaseFile()), before);
        QVERIFY(ask(worker, TaskListSelect).value<QList<TaskListData>>().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestDatabaseOpen)
#include "tst_databaseopen.moc"
