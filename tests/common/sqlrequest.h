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
