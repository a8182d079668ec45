#pragma once

#include "common/storeworker.h"

// A SQL worker with every store on the test's own thread, wired to the hub with queued connections as
// the program wires its worker thread: requests and answers pass through the event loop, so windows see
// the same order of events as in the program. Needs the program directory (TestProgramDir) to exist first.
class HubWorker
{
public:
    HubWorker();
    ~HubWorker();
    HubWorker(const HubWorker &) = delete;
    HubWorker &operator=(const HubWorker &) = delete;

    StoreWorker<> worker;
};
