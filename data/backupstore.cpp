#include "data/backupstore.h"

#include "data/databasebackup.h"
#include "data/sqlstatement.h"

#include <QDateTime>

QList<SqlOperateType> BackupStore::operations() const
{
    return {DatabaseBackupDaily, DatabaseBackupList, DatabaseBackupRestore};
}

std::optional<QVariant> BackupStore::run(SqlOperateType operate, const QVariant &var)
{
    QSqlDatabase db = sql.database();
    // A database that did not open was reported at start-up.
    if (!db.isOpen())
        return std::nullopt;
    switch (operate) {
    case DatabaseBackupDaily: {
        // SQLite copies no database while a statement of the connection is still open.
        QString error;
        sql.detach();
        DatabaseBackup::writeDaily(db, QDate::currentDate(), var.toInt(), &error);
        sql.attach(db);
        return error;
    }
    case DatabaseBackupList:
        return QVariant::fromValue(
            DatabaseBackup::list(DatabaseBackup::folderOf(db.databaseName()), QDate::currentDate()));
    case DatabaseBackupRestore:
        return restore(var.toString());
    default:
        return std::nullopt;
    }
}

QString BackupStore::restore(const QString &backup)
{
    QSqlDatabase db = sql.database();
    QString error;
    sql.detach();
    if (DatabaseBackup::restore(db, backup, QDateTime::currentDateTime(), &error))
        return QString();
    sql.attach(db);
    // The connection was opened anew: its settings start over.
    sql.exec(QStringLiteral("PRAGMA secure_delete = ON"));
    return error;
}
