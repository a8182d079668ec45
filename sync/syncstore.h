#pragma once

#include "calendar/calendarexport.h"
#include "data/sqlstore.h"

#include <QMetaType>

// What the calendar sync writes from, read on the worker thread in one request, so that the tasks, the
// birthdays and the workday exceptions are of one moment.
class SyncStore : public SqlStore
{
public:
    using SqlStore::SqlStore;

    QList<SqlOperateType> operations() const override;
    std::optional<QVariant> run(SqlOperateType operate, const QVariant &var) override;
};

Q_DECLARE_METATYPE(CalendarExport::Data)
