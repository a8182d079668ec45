#pragma once

#include "data/records.h"
#include "data/sqlstatement.h"
#include "data/sqlstore.h"

#include <QHash>
#include <QObject>
#include <QSqlDatabase>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <vector>

// The only object that touches the database. Constructed on the GUI thread and moved to its own thread,
// which opens the connection (open) and is the only one to use it: there the worker hands each request,
// in the order received, to the store of its subsystem and answers with the same code.
class SqlThread : public QObject
{
    Q_OBJECT

public:
    static constexpr int RequiredDatabaseVersion = 2;
    static constexpr const char *RequiredDatabaseDate = "2024.05.19";
    static constexpr const char *DatabasePath = "src/database/main.db";
    static constexpr const char *BackupPath = "src/database/main.db.bak";
    static constexpr int RestoredNoticeDelayMs = 2000;
    // How long a statement waits for another program's lock before it fails.
    static constexpr int BusyTimeoutMs = 5000;

    // What an open database lacks of the delivered schema (tables, columns, settings rows); the upgrader,
    // which knows the schema, answers it.
    using SchemaCheck = QStringList (*)(const QSqlDatabase &db);

    explicit SqlThread(SchemaCheck missingParts, QObject *parent = nullptr);

    // Restores a leftover backup, opens the database and checks it, posting what the user must be told.
    // The connection belongs to the calling thread, which alone may use it and must close it.
    void open();
    void close();

    // The statement the stores run their SQL through.
    SqlStatement &statement() { return sql; }
    // Routes the store's operations to it from now on; added before the worker moves to its thread.
    void addStore(std::unique_ptr<SqlStore> store);

    // Told at start-up and after a master account change when the backup cannot be removed.
    static QString undeletableBackupText(const QString &backupFile);

signals:
    void SIGNALSendQueryData(SqlOperateType operate, QVariant var);
    // The answer to a request that came with an id, sent just before the same answer on SIGNALSendQueryData.
    void SIGNALSendAnswer(quint64 requestId, SqlOperateType operate, QVariant var);

public slots:
    void SLOTReceiveQuery(SqlOperateType operate, QVariant var);
    void SLOTReceiveRequest(quint64 requestId, SqlOperateType operate, QVariant var);

private:
    // A backup found at start-up: restores an interrupted change, drops one that finished, sets aside one
    // that is no database of this program. False when the start cannot go on.
    bool settleBackup(const QString &databaseFile, const QString &backupFile);
    // Posts a start-up notice through the event loop, so that it arrives after the main window connected.
    void postNotice(SqlOperateType operate, const QString &message, int delayMs);

    SchemaCheck missingParts;
    QSqlDatabase db;
    SqlStatement sql;
    std::vector<std::unique_ptr<SqlStore>> stores;
    QHash<SqlOperateType, SqlStore *> routes;
};
