#pragma once

#include "data/sqlstore.h"

// The daily copies of the database and the way back to one of them, run on the worker thread: a restore
// closes the worker's connection, so no statement of the worker holds the file while it is replaced.
class BackupStore : public SqlStore
{
public:
    using SqlStore::SqlStore;

    QList<SqlOperateType> operations() const override;
    std::optional<QVariant> run(SqlOperateType operate, const QVariant &var) override;

private:
    QString restore(const QString &backup);
};
