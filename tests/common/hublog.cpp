#include "hublog.h"

#include "data/interfacepublicdata.h"

HubLog::HubLog()
{
    InterfacePublicData &hub = interfacePublicData;
    const auto query = [this](SqlOperateType operate, const QVariant &var) {
        queries.append({operate, var});
        sequence.append(QStringLiteral("query %1").arg(operate));
    };
    connect(&hub, &InterfacePublicData::SIGNALSendQuery, this, query);
    connect(&hub, &InterfacePublicData::SIGNALSendRequest, this,
            [query](quint64, SqlOperateType operate, QVariant var) { query(operate, var); });
    const auto notice = [this](const QString &kind, int what, const QStringList &strs) {
        allNotices.append({kind, what, strs});
        sequence.append(kind);
    };
    connect(&hub, &InterfacePublicData::SIGNALShowCentralNotice, this,
            [notice](int what, QStringList strs) { notice(QStringLiteral("central"), what, strs); });
    connect(&hub, &InterfacePublicData::SIGNALShowNormalNotice, this,
            [notice](int what, QStringList strs) { notice(QStringLiteral("normal"), what, strs); });
}

QList<SqlOperateType> HubLog::operations() const
{
    QList<SqlOperateType> list;
    for (const auto &query : queries)
        list.append(query.first);
    return list;
}

int HubLog::count(SqlOperateType operate) const
{
    return operations().count(operate);
}

QList<QStringList> HubLog::notices(const QString &kind) const
{
    QList<QStringList> list;
    for (const Notice &notice : allNotices)
        if (notice.kind == kind)
            list.append(notice.strs);
    return list;
}
