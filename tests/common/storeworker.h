#pragma once

#include "app/startup.h"
#include "data/sqlthread.h"
#include "upgrader/databaseupgrader.h"

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
    }
};
