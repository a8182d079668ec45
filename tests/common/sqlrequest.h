#pragma once

#include "data/records.h"

#include <QVariant>

class SqlThread;

struct SqlAnswer
{
    bool answered = false;
    QVariant value;
};

// Runs one request on a worker that lives on the test's own thread and returns its answer, if any.
SqlAnswer sqlRequest(SqlThread &worker, SqlOperateType operate, const QVariant &payload = QVariant());

// Wires a worker on the test's own thread to the hub directly: every request sent through the hub is
// answered, and the answer handled, before the request's emit returns.
void connectToHub(SqlThread &worker);
