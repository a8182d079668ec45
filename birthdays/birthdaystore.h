#pragma once

#include "data/sqlstore.h"

// Birthdays in the database, run on the worker thread. A person is the same when name, call name and
// gender match; inserts and updates answer whether they were stored.
class BirthdayStore : public SqlStore
{
public:
    using SqlStore::SqlStore;

    QList<SqlOperateType> operations() const override;
    std::optional<QVariant> run(SqlOperateType operate, const QVariant &var) override;

private:
    QList<BirthdayInfoData> selectBirthdays();
    // A failed check counts as a duplicate, so nothing is written on doubt.
    bool isDuplicateBirthday(const BirthdayInfoData &birthday, bool excludeOwnRow);
    bool insertBirthday(const BirthdayInfoData &birthday);
    bool updateBirthday(const BirthdayInfoData &birthday);
};
