#include "common/storeworker.h"

#include <QSignalSpy>

QVariant ask(SqlThread &worker, SqlOperateType operate, const QVariant &payload, bool *answered)
{
    QSignalSpy spy(&worker, &SqlThread::SIGNALSendQueryData);
    worker.SLOTReceiveQuery(operate, payload);
    const bool ok = spy.count() == 1 && spy.at(0).at(0).value<SqlOperateType>() == operate;
    if (answered)
        *answered = ok;
    return ok ? spy.at(0).at(1) : QVariant();
}
