#pragma once

#include "app/startup.h"
#include "data/sqlthread.h"
#include "upgrader/databaseupgrader.h"

#include <QVariant>
#include <memory>

// A SQL worker on the test's own thread that opens the database as the program does and serves the
// operations of the stores given, or of every store when none is given.
template <typename... Stores> class StoreWorker : public SqlThread
{
public:
    StoreWorker() : SqlThread(&DatabaseUpgrader::missingParts)
    {
        if constexpr (sizeof...(Stores) == 0)
            Startup::addStores(*this);
        else
            (addStore(std::make_unique<Stores>(statement())), ...);
        open();
    }
};

// Runs one request on a worker on the test's own thread and returns its answer; *answered tells
// whether there was one (an answer of another operation does not count).
QVariant ask(SqlThread &worker, SqlOperateType operate, const QVariant &payload = QVariant(), bool *answered = nullptr);

// Runs one request as ask() does and tells whether it was answered.
inline bool answers(SqlThread &worker, SqlOperateType operate, const QVariant &payload = QVariant())
{
    bool answered = false;
    ask(worker, operate, payload, &answered);
    return answered;
}
