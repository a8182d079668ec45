#include "common/testprogramdir.h"
#include "data/databasebackup.h"
#include "data/databasefile.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

const QDate Today(2024, 5, 20);

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

    void dailyListAndRestore()
    {
        TestProgramDir dir;
        QVERIFY(dir.execute("INSERT INTO TASK_LIST (TaskName, Deleted) VALUES ('a', 0), ('b', 0), ('gone', 1)"));
        QVERIFY(dir.execute("INSERT INTO BIRTHDAY_INFO (Name) VALUES ('王小明')"));
        DatabaseFile::Connection connection(dir.databaseFile());
        QSqlDatabase db = connection.database();
        QVERIFY(db.open());
        QString error;
        QVERIFY(DatabaseBackup::writeDaily(db, Today, 0, &error) && !QFileInfo::exists(backupsOf(dir)));
        QVERIFY(DatabaseBackup::writeDaily(db, Today, 7, &error));
        QCOMPARE(namesIn(backupsOf(dir)), QStringList{"main-2024-05-20.db"});
        // Once a day: a later change of the same day is not written over the morning's copy.
        QVERIFY(dir.execute("INSERT INTO BIRTHDAY_INFO (Name) VALUES ('李四')"));
        QVERIFY(DatabaseBackup::writeDaily(db, Today, 7, &error));
        QVERIFY(touch(QDir(backupsOf(dir)).filePath("main-2024-05-19.db"), QByteArray(4096, 'x')));

        const QList<DatabaseBackup::Entry> entries = DatabaseBackup::list(backupsOf(dir));
        QCOMPARE(entries.size(), 2);
        QCOMPARE(entries.at(0).date, Today);
        QVERIFY(entries.at(0).usable);
        QCOMPARE(QList<int>({entries.at(0).tasks, entries.at(0).birthdays, entries.at(0).accounts}),
                 QList<int>({2, 1, 0}));
        QVERIFY(!entries.at(1).usable);

        // A damaged backup is refused and the database stays open and as it was.
        QVERIFY(!DatabaseBackup::restore(db, entries.at(1).path, QDateTime(Today, QTime(10, 15)), &error));
        QVERIFY(db.isOpen());
        QCOMPARE(dir.value("SELECT COUNT(*) FROM BIRTHDAY_INFO").toInt(), 2);

        // So is a restore that cannot keep a copy of the database first; the backup stays for another try.
        const QString kept = QDir(backupsOf(dir)).filePath("main-2024-05-20-101500.db");
        QVERIFY(QDir().mkpath(kept));
        QVERIFY(!DatabaseBackup::restore(db, entries.at(0).path, QDateTime(Today, QTime(10, 15)), &error));
        QVERIFY(db.isOpen() && QFileInfo::exists(entries.at(0).path));
        QCOMPARE(dir.value("SELECT COUNT(*) FROM BIRTHDAY_INFO").toInt(), 2);
        QVERIFY(QDir(kept).removeRecursively());

        QVERIFY2(DatabaseBackup::restore(db, entries.at(0).path, QDateTime(Today, QTime(10, 15)), &error),
                 qPrintable(error));
        QCOMPARE(dir.value("SELECT COUNT(*) FROM BIRTHDAY_INFO").toInt(), 1);
        // What was there before the restore is kept as one more backup.
        const QList<DatabaseBackup::Entry> after = DatabaseBackup::list(backupsOf(dir));
        QCOMPARE(QFileInfo(after.at(0).path).fileName(), QString("main-2024-05-20-101500.db"));
        QCOMPARE(after.at(0).birthdays, 2);
        QVERIFY(!QFileInfo::exists(after.at(0).path + ".part"));
    }
};

QTEST_GUILESS_MAIN(TestDatabaseBackup)
#include "tst_databasebackup.moc"
