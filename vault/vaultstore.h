#pragma once

#include "data/sqlstore.h"

#include <QCoreApplication>

// The account vault in the database, run on the worker thread: its settings, the accounts with search and
// paging, the verifier, and the master account change that re-encrypts every account under a backup.
class VaultStore : public SqlStore
{
    Q_DECLARE_TR_FUNCTIONS(VaultStore)

public:
    using SqlStore::SqlStore;

    QList<SqlOperateType> operations() const override;
    std::optional<QVariant> run(SqlOperateType operate, const QVariant &var) override;

private:
    std::optional<QVariant> selectUsersConfig();
    UsersUserResultData queryUsers(const UsersUserQueryData &request);
    void updateUser(const UsersUserInfoData &user, const QDate &today);
    void insertUser(const UsersUserInfoData &user, const QDate &today);
    bool selectVerifier(QPair<QString, QString> *verifier);
    AesAccountUpdateResultType changeMasterAccount(const AesAccountUpdateData &change);
};
