#include "common/storeworker.h"
#include "common/testprogramdir.h"
#include "data/databasebackup.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

QString backupsOf(const TestProgramDir &dir)
{
    return DatabaseBackup::folderOf(dir.databaseFile());
}

QStringList namesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

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
        const QStringList week{"main-2024-05-14.db", "main-2024-05-15.db", "main-2024-05-16.db", "main-2024-05-17.db"};
        QTest::newRow("keeps the newest days") << week << 2 << QStringList{"main-2024-05-16.db", "main-2024-05-17.db"};
        QTest::newRow("a restore's copy shares its day")
            << QStringList{"main-2024-05-15.db", "main-2024-05-16-101500.db", "main-2024-05-16.db"} << 1
            << QStringList{"main-2024-05-16-101500.db", "main-2024-05-16.db"};
        QTest::newRow("other files stay")
            << QStringList{"main-2024-05-15.db", "main-2024-05-16.db", "main-2024-13-01.db", "notes.txt"} << 1
            << QStringList{"main-2024-05-16.db", "main-2024-13-01.db", "notes.txt"};
    }

    void rotate()
    {
        QFETCH(QStringList, files);
        QFETCH(int, keep);
        QFETCH(QStringList, left);
        TestProgramDir dir;
        QVERIFY(QDir().mkpath(backupsOf(dir)));
        for (const QString &name : files)
            QVERIFY(touch(QDir(backupsOf(dir)).filePath(name)));
        DatabaseBackup::rotate(backupsOf(dir), keep);
        QCOMPARE(namesIn(backupsOf(dir)), left);
    }

    // Through the worker, as the program does: its connection has served the start-up requests.
    void dailyListAndRestore()
    {
        TestProgramDir dir;
        QVERIFY(dir.execute("INSERT INTO TASK_LIST (TaskName, Deleted) VALUES ('a', 0), ('b', 0), ('gone', 1)"));
        QVERIFY(dir.execute("INSERT INTO BIRTHDAY_INFO (Name) VALUES ('王小明')"));
        StoreWorker<> worker;
        QCOMPARE(ask(worker, DatabaseBackupDaily, 0), QVariant(QString()));
        QVERIFY(!QFileInfo::exists(backupsOf(dir)));
        for (const SqlOperateType operate : {TaskListSelect, UsersConfigSelect, UsersVerifySelectRegistered})
            ask(worker, operate);
        QCOMPARE(ask(worker, DatabaseBackupDaily, 7), QVariant(QString()));
        QCOMPARE(namesIn(backupsOf(dir)), QStringList{DatabaseBackup::fileName(QDate::currentDate())});
        // Once a day: a later change of the same day is not written over the morning's copy.
        QVERIFY(dir.execute("INSERT INTO BIRTHDAY_INFO (Name) VALUES ('李四')"));
        QCOMPARE(ask(worker, DatabaseBackupDaily, 7), QVariant(QString()));
        QVERIFY(touch(QDir(backupsOf(dir)).filePath("main-2024-05-19.db"), QByteArray(4096, 'x')));

        const auto entries = ask(worker, DatabaseBackupList).value<QList<DatabaseBackup::Entry>>();
        QCOMPARE(entries.size(), 2);
        QCOMPARE(entries.at(0).date, QDate::currentDate());
        QVERIFY(entries.at(0).usable);
        QCOMPARE(QList<int>({entries.at(0).tasks, entries.at(0).birthdays, entries.at(0).accounts}),
                 QList<int>({2, 1, 0}));
        QVERIFY(!entries.at(1).usable);

        // A damaged backup is refused and the database stays open and as it was.
        QVERIFY(!ask(worker, DatabaseBackupRestore, entries.at(1).path).toString().isEmpty());
        QCOMPARE(ask(worker, BirthdayInfoSelect).value<QList<BirthdayInfoData>>().size(), 2);

        // So is a restore that cannot keep a copy of the database first; the backup stays for another try.
        const QString folder = backupsOf(dir), aside = folder + ".aside";
        QVERIFY(QDir().rename(folder, aside) && touch(folder));
        const QString backup = QDir(aside).filePath(QFileInfo(entries.at(0).path).fileName());
        QVERIFY(!ask(worker, DatabaseBackupRestore, backup).toString().isEmpty());
        QVERIFY(QFileInfo::exists(backup));
        QCOMPARE(dir.value("SELECT COUNT(*) FROM BIRTHDAY_INFO").toInt(), 2);
        QVERIFY(QFile::remove(folder) && QDir().rename(aside, folder));

        QCOMPARE(ask(worker, DatabaseBackupRestore, entries.at(0).path), QVariant(QString()));
        QCOMPARE(dir.value("SELECT COUNT(*) FROM BIRTHDAY_INFO").toInt(), 1);
        // What was there before the restore is kept as one more backup.
        const QList<DatabaseBackup::Entry> after = DatabaseBackup::list(backupsOf(dir));
        QVERIFY(after.at(0).keptAtRestore);
        QCOMPARE(after.at(0).birthdays, 2);
        QVERIFY(!QFileInfo::exists(after.at(0).path + ".part"));
    }
};

QTEST_GUILESS_MAIN(TestDatabaseBackup)
#include "tst_databasebackup.moc"
