#pragma once

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QMetaType>
#include <QSqlDatabase>
#include <QString>

// Daily copies of the database in backups/ beside it, named main-YYYY-MM-DD.db, and the checked way back
// to one of them. A copy is written by SQLite itself (VACUUM INTO), so it is consistent even while the
// program is writing.
class DatabaseBackup
{
    Q_DECLARE_TR_FUNCTIONS(DatabaseBackup)

public:
    static constexpr int DefaultKept = 7;
    static constexpr int MaxKept = 90;
    static constexpr const char *FolderName = "backups";

    struct Entry
    {
        QString path;
        QDate date;
        QTime written;              // when the copy was made, by the file's modification time
        bool keptAtRestore = false; // the database a restore replaced
        bool future = false;        // dated after today: written while the clock was ahead
        int version = 0;            // of a whole database; 0 when damaged
        bool usable = false;        // a whole database of this program's version
        int tasks = 0;
        int birthdays = 0;
        int accounts = 0;
    };

    // The backups folder of the database file.
    static QString folderOf(const QString &databaseFile);
    // A restore's copy of the database it replaced carries the time as well: main-YYYY-MM-DD-hhmmss.db.
    static QString fileName(const QDate &date, const QTime &time = QTime());
    // The date in a backup's name (main-YYYY-MM-DD.db, or main-YYYY-MM-DD-hhmmss.db for the copy a restore
    // keeps); invalid for any other name.
    static QDate dateOf(const QString &fileName);

    // Writes a consistent copy through a temporary file that takes target's name only once complete.
    static bool writeCopy(const QSqlDatabase &db, const QString &target, QString *error);
    // Today's backup unless it exists, then only the backups of the newest keep days stay; keep 0 does nothing.
    // A failure is told in error.
    static void writeDaily(const QSqlDatabase &db, const QDate &today, int keep, QString *error);
    // Backups dated after today are neither counted nor removed.
    static void rotate(const QString &folder, int keep, const QDate &today);
    // Newest first, each with what it holds.
    static QList<Entry> list(const QString &folder, const QDate &today);

    // Checks the backup, keeps the open database as one more backup, closes it and puts the backup in its
    // place (SafeFile). On failure the database is unchanged and open again, unless *error says it could not be
    // reopened.
    static bool restore(QSqlDatabase &db, const QString &backup, const QDateTime &now, QString *error);
    // Why a backup of another database version cannot be restored.
    static QString otherVersionText(int version);
    static QString reopenFailedText(const QString &databaseFile, const QString &reason);
};

Q_DECLARE_METATYPE(DatabaseBackup::Entry)
