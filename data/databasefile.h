#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QString>

// The database as a file on disk: whether it is a whole database of this program, whether it can be
// written, and copies that never leave a half-written file in place of a good one.
class DatabaseFile
{
    Q_DECLARE_TR_FUNCTIONS(DatabaseFile)

public:
    enum State
    {
        Usable,
        // Another program holds a lock longer than the busy timeout.
        InUse,
        // Not a database, damaged pages, or no version table: not a database of this program.
        Damaged,
    };

    struct Inspection
    {
        State state = Damaged;
        // 0 when the version row is missing.
        int version = 0;
        QString date = QStringLiteral("0");
        // Hash of the backup taken by the last master account change that committed.
        QString changeBackup;
    };

    // A connection of its own to a file, removed once every handle to it is gone.
    class Connection
    {
    public:
        explicit Connection(const QString &databaseName, const QString &options = QString());
        ~Connection();
        Connection(const Connection &) = delete;
        Connection &operator=(const Connection &) = delete;

        QSqlDatabase database() const;

    private:
        QString name;
    };

    // SOFTWARE_INFO key of markBackupUsed(), which a master account change commits together with its rows.
    static constexpr const char *ChangeBackupKey = "MasterChangeBackup";

    static bool hasSqliteHeader(const QString &path);

    // Reads every page (integrity_check when thorough, else the quicker quick_check) and the version table.
    static Inspection inspect(const QSqlDatabase &db, bool thorough);
    // The same on a read-only connection of its own, which never creates the file.
    static Inspection inspectFile(const QString &path, bool thorough);

    // Records on the connection that the backup with this hash has done its work and must never be restored.
    static bool markBackupUsed(const QSqlDatabase &db, const QByteArray &backupHash);

    // Changes a page and rolls back: the error a real write would meet, or an invalid one. A file another
    // program is writing at this moment passes. Restores the busy timeout afterwards.
    static QSqlError writeProbe(const QSqlDatabase &db, int busyTimeoutMs);
    static bool isBusy(const QSqlError &error);

    // Copies source over target through SafeFile; the copy replaces target only once SQLite reads every page
    // of it. The hex SHA-256 of the bytes copied goes to *hash when given.
    static bool copy(const QString &source, const QString &target, QByteArray *hash, QString *error);
    // SafeFile's check for a database: a quick_check on a read-only connection of its own.
    static bool checkCopy(const QString &path, QString *reason);
    static QByteArray hash(const QString &path);

    // Renames a file or folder to a free name ending in ".damaged"; the new path, or empty when it stays.
    static QString setAside(const QString &path);
};
