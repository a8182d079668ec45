#include "sync/syncstore.h"

QList<SqlOperateType> SyncStore::operations() const
{
    return {SyncLocalSelect};
}

std::optional<QVariant> SyncStore::run(SqlOperateType, const QVariant &)
{
    CalendarExport::Data data;
    // Nothing read is no answer to sync from: every event would look deleted here.
    if (!CalendarExport::read(sql, &data))
        return QVariant();
    return QVariant::fromValue(data);
}
