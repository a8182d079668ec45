#include "hubworker.h"

#include "data/interfacepublicdata.h"

#include <QCoreApplication>

HubWorker::HubWorker()
{
    registerRecordMetaTypes();
    interfacePublicData.connectWorker(&worker);
}

HubWorker::~HubWorker()
{
    // Requests and answers still queued are delivered now: left in the queue, they would reach the next
    // test's windows through the hub, which outlives every test.
    QObject::disconnect(&interfacePublicData, nullptr, &worker, nullptr);
    QCoreApplication::sendPostedEvents();
    QObject::disconnect(&worker, nullptr, &interfacePublicData, nullptr);
    QCoreApplication::sendPostedEvents();
}
