#include "common/storeworker.h"
#include "common/testprogramdir.h"
#include "data/databasebackup.h"
#include "data/databasefile.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {
bool touch(const QString &path, const QByteArray &bytes = "x")
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
} // namespace

class TestDatabaseBackup : public QObject
{
    Q_OBJECT

private slots:
    void rotate_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<int>("keep");
        QTest::addColumn<QStringList>("left");
        // Today is 2024-05-16.
        // clang-format off
        QTest::newRow("keeps the newest days") << QStringList{"main-2024-05-14.db", "main-2024-05-15.db", "main-2024-05-16.db"} << 2 << QStringList{"main-2024-05-15.db", "main-2024-05-16.db"};
        QTest::newRow("a restore's copy shares its day") << QStringList{"main-2024-05-15.db", "main-2024-05-16-101500.db", "main-2024-05-16.db"} << 1 << QStringList{"main-2024-05-16-101500.db", "main-2024-05-16.db"};
        QTest::newRow("dated after today: neither counted nor removed") << QStringList{"main-2024-05-15.db", "main-2024-05-16.db", "main-2030-01-01.db"} << 1 << QStringList{"main-2024-05-16.db", "main-2030-01-01.db"};
        QTest::newRow("other files stay") << QStringList{"main-2024-05-15.db", "main-2024-05-16.db", "main-2024-13-01.db", "notes.txt"} << 1 << QStringList{"main-2024-05-16.db", "main-2024-13-01.db", "notes.txt"};
        // clang-format on
    }
    void rotate()
    {
        QFETCH(QStringList, files);
        QFETCH(int, keep);
        QFETCH(QStringList, left);
        QTemporaryDir dir;
        for (const QString &name : files)
            QVERIFY(touch(dir.filePath(name)));
        DatabaseBackup::rotate(dir.path(), keep, QDate(2024, 5, 16));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files, QDir::Name), left);
    }

    void dailyListAndRestore()
    {
        TestProgramDir dir;
        const QString folder = DatabaseBackup::folderOf(dir.databaseFile()), aside = folder + ".aside";
        QVERIFY(dir.execute("INSERT INTO TASK_LIST (TaskName, Deleted) VALUES ('a', 0), ('b', 0), ('gone', 1)"));
        QVERIFY(dir.execute("INSERT INTO BIRTHDAY_INFO (Name) VALUES ('王小明')"));
        StoreWorker<> worker;
        QCOMPARE(ask(worker, DatabaseBackupDaily, 0), QVariant(QString()));
        QVERIFY(!QFileInfo::exists(folder));
        // A folder that cannot be made is told.
        QVERIFY(touch(folder) && !ask(worker, DatabaseBackupDaily, 7).toString().isEmpty() && QFile::remove(folder));
        // The worker's connection has served the start-up requests first, as in the program.
        for (const SqlOperateType operate : {TaskListSelect, UsersConfigSelect, UsersVerifySelectRegistered})
            ask(worker, operate);
        QCOMPARE(ask(worker, DatabaseBackupDaily, 7), QVariant(QString()));
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{DatabaseBackup::fileName(QDate::currentDate())});
        // Once a day: a later change of the same day is not written over the morning's copy.
        QVERIFY(dir.execute("INSERT INTO BIRTHDAY_INFO (Name) VALUES ('李四')"));
        QCOMPARE(ask(worker, DatabaseBackupDaily, 7), QVariant(QString()));
        QVERIFY(touch(QDir(folder).filePath("main-2024-05-19.db"), QByteArray(4096, 'x')));
        // From a clock once set ahead, of an older database version.
        const QString future = QDir(folder).filePath("main-2030-01-01.db");
        QVERIFY(QFile::copy(QDir(folder).filePath(DatabaseBackup::fileName(QDate::currentDate())), future));
        DatabaseFile::Connection older(future);
        QVERIFY(older.database().open());
        QVERIFY(older.database().exec("UPDATE SOFTWARE_INFO SET Value = 1 WHERE Key = 'DatabaseVersion'").isActive());
        older.database().close();
        const auto entries = ask(worker, DatabaseBackupList).value<QList<DatabaseBackup::Entry>>();
        QCOMPARE(entries.size(), 3);
        const DatabaseBackup::Entry &e0 = entries.at(0), &e1 = entries.at(1), &e2 = entries.at(2);
        QCOMPARE(e1.date, QDate::currentDate());
        QCOMPARE((QList<int>{e1.usable, e1.tasks, e1.birthdays, e1.accounts, e1.future, e0.future, e0.version,
                             e0.usable, e2.version, e2.usable}),
                 (QList<int>{1, 2, 1, 0, 0, 1, 1, 0, 0, 0}));
        // Refused: another version, a damaged backup, a restore that cannot keep a copy (no folder; in a transaction).
        QVERIFY(ask(worker, DatabaseBackupRestore, future).toString().startsWith(DatabaseBackup::otherVersionText(1)));
        QVERIFY(!ask(worker, DatabaseBackupRestore, entries.at(2).path).toString().isEmpty());
        QCOMPARE(ask(worker, BirthdayInfoSelect).value<QList<BirthdayInfoData>>().size(), 2);
        QVERIFY(QDir().rename(folder, aside) && touch(folder));
        const QString backup = QDir(aside).filePath(QFileInfo(entries.at(1).path).fileName());
        QVERIFY(!ask(worker, DatabaseBackupRestore, backup).toString().isEmpty() && QFileInfo::exists(backup));
        QCOMPARE(dir.value("SELECT COUNT(*) FROM BIRTHDAY_INFO").toInt(), 2);
        QVERIFY(QFile::remove(folder) && QDir().rename(aside, folder));
        QVERIFY(worker.statement().exec("BEGIN") &&
                !ask(worker, DatabaseBackupRestore, entries.at(1).path).toString().isEmpty());
        QVERIFY(worker.statement().exec("ROLLBACK") && dir.value("SELECT COUNT(*) FROM BIRTHDAY_INFO").toInt() == 2);
        // The backup cannot take the database's place (no new file in its folder): both stay, the database works on.
        // (Root cannot make a folder read-only where the file system has no immutable flag.)
        const QString databaseFolder = QFileInfo(dir.databaseFile()).path();
        if (setReadOnly(databaseFolder, true)) {
            const QString refused = ask(worker, DatabaseBackupRestore, entries.at(1).path).toString();
            QVERIFY(setReadOnly(databaseFolder, false));
            QVERIFY2(refused.contains(QDir::toNativeSeparators(dir.databaseFile())), qPrintable(refused));
            QCOMPARE(ask(worker, BirthdayInfoSelect).value<QList<BirthdayInfoData>>().size(), 2);
        }
        QCOMPARE(ask(worker, DatabaseBackupRestore, entries.at(1).path), QVariant(QString()));
        QCOMPARE(dir.value("SELECT COUNT(*) FROM BIRTHDAY_INFO").toInt(), 1);
        // What was there before is kept as one more backup.
        const DatabaseBackup::Entry kept = DatabaseBackup::list(folder, QDate::currentDate()).value(1);
        QVERIFY(kept.keptAtRestore && kept.birthdays == 2);
        QVERIFY(!QFileInfo::exists(kept.path + ".part"));
        // Neither placed nor opened again, after the restart: the program must end, not run on without a database.
        StoreWorker<> restarted;
        QVERIFY(QDir().rename(dir.databaseFile(), aside) && QDir().mkpath(dir.databaseFile()));
        QSignalSpy answers(&restarted, &SqlThread::SIGNALSendQueryData);
        restarted.SLOTReceiveQuery(DatabaseBackupRestore, entries.at(1).path);
        QCOMPARE(answers.count(), 1);
        QCOMPARE(answers.first().at(0).value<SqlOperateType>(), DatabaseFatalError);
        const QString reopen = DatabaseBackup::reopenFailedText(dir.databaseFile(), QString()).section('\n', 0, 1);
        QVERIFY2(answers.first().at(1).toString().contains(reopen), qPrintable(answers.first().at(1).toString()));
    }
};

QTEST_GUILESS_MAIN(TestDatabaseBackup)
#include "tst_databasebackup.moc"
