#pragma once

#include "data/records.h"

#include <QObject>
#include <QStringList>
#include <QVariant>

// Records what is sent through the hub, in order: database requests (with an id or without) and the two
// notice signals.
class HubLog : public QObject
{
public:
    HubLog();

    struct Notice
    {
        QString kind; // "central" or "normal"
        int what;
        QStringList strs;
    };

    QList<SqlOperateType> operations() const;
    int count(SqlOperateType operate) const;
    // The payload of request number index, as a T (default-constructed when there is no such request).
    template <typename T> T payload(int index) const { return queries.value(index).second.template value<T>(); }
    // The string lists of the notices of one kind.
    QList<QStringList> notices(const QString &kind) const;

    QList<QPair<SqlOperateType, QVariant>> queries;
    QList<Notice> allNotices;
    // Both kinds in the order sent: "query <code>", "central" or "normal".
    QStringList sequence;
};
