#include "tasks/taskticker.h"

#include <QDateTime>

TaskTicker &TaskTicker::instance()
{
    static TaskTicker ticker;
    return ticker;
}

TaskTicker::TaskTicker()
{
    timer.setInterval(IntervalMs);
    connect(&timer, &QTimer::timeout, this, [this]() { emit SIGNALTick(QDateTime::currentMSecsSinceEpoch()); });
}

void TaskTicker::attach()
{
    if (attached++ == 0)
        timer.start();
}

void TaskTicker::detach()
{
    if (attached > 0 && --attached == 0)
        timer.stop();
}
