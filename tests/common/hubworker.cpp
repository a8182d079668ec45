#include "hubworker.h"

#include "data/interfacepublicdata.h"

#include <QCoreApplication>

HubWorker::HubWorker()
{
    registerRecordMetaTypes();
    requests = QObject::connect(&interfacePublicData, &InterfacePublicData::SIGNALSendQuery, &worker,
                                &SqlThread::SLOTReceiveQuery, Qt::QueuedConnection);
    answers = QObject::connect(&worker, &SqlThread::SIGNALSendQueryData, &interfacePublicData,
                               &InterfacePublicData::SIGNALReceiveQueryData, Qt::QueuedConnection);
}

HubWorker::~HubWorker()
{
    // Requests and answers still queued are delivered now: left in the queue, they would reach the next
    // test's windows through the hub, which outlives every test.
    QObject::disconnect(requests);
    QCoreApplication::sendPostedEvents();
    QObject::disconnect(answers);
    QCoreApplication::sendPostedEvents();
}
