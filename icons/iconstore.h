#pragma once

#include "data/sqlstore.h"

// The icon library in the database, run on the worker thread. Tasks and birthdays refer to a picture by
// its path, so replacing or removing one rewrites those paths; the answers say whether any record used
// the old picture.
class IconStore : public SqlStore
{
public:
    using SqlStore::SqlStore;

    QList<SqlOperateType> operations() const override;
    std::optional<QVariant> run(SqlOperateType operate, const QVariant &var) override;

private:
    int nextIconId();
    bool insertIcon(const QStringList &icon);
    QList<QStringList> selectIcons(const QString &what);
    QString deleteIcon(const QStringList &request);
    QString updateIcon(const QStringList &request);
    int countIconUsers(const QString &path);
    // Points every record showing oldPath at newPath; the answer says whether a restart is needed.
    QString repointIconUsers(const QString &oldPath, const QString &newPath);
};
