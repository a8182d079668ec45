#include "sqlrequest.h"

#include "data/interfacepublicdata.h"
#include "data/sqlthread.h"

#include <QSignalSpy>

SqlAnswer sqlRequest(SqlThread &worker, SqlOperateType operate, const QVariant &payload)
{
    QSignalSpy spy(&worker, &SqlThread::SIGNALSendQueryData);
    worker.SLOTReceiveQuery(operate, payload);
    SqlAnswer answer;
    if (spy.count() == 1 && spy.at(0).at(0).value<SqlOperateType>() == operate) {
        answer.answered = true;
        answer.value = spy.at(0).at(1);
    }
    return answer;
}

void connectToHub(SqlThread &worker)
{
    QObject::connect(&interfacePublicData, &InterfacePublicData::SIGNALSendQuery, &worker,
                     &SqlThread::SLOTReceiveQuery);
    QObject::connect(&worker, &SqlThread::SIGNALSendQueryData, &interfacePublicData,
                     &InterfacePublicData::SIGNALReceiveQueryData);
}
