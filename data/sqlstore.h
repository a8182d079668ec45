#pragma once

#include "data/records.h"

#include <QList>
#include <QVariant>

#include <optional>

class SqlStatement;

// One subsystem's SQL, run on the worker thread through the worker's statement. The worker sends each
// operation to the store that lists it and emits what the store answers.
class SqlStore
{
public:
    explicit SqlStore(SqlStatement &sql) : sql(sql) {}
    virtual ~SqlStore() = default;
    SqlStore(const SqlStore &) = delete;
    SqlStore &operator=(const SqlStore &) = delete;

    virtual QList<SqlOperateType> operations() const = 0;
    // The answer to emit; none for an operation that answers nothing.
    virtual std::optional<QVariant> run(SqlOperateType operate, const QVariant &var) = 0;

protected:
    SqlStatement &sql;
};
