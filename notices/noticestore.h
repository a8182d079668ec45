#pragma once

#include "data/sqlstore.h"

// The notice settings' one row in the database, run on the worker thread.
class NoticeStore : public SqlStore
{
public:
    using SqlStore::SqlStore;

    QList<SqlOperateType> operations() const override;
    std::optional<QVariant> run(SqlOperateType operate, const QVariant &var) override;

private:
    std::optional<QVariant> select();
    void update(const NoticeConfigData &config);
};
