#pragma once

#include <QObject>
#include <QTimer>

// One 200 ms tick shared by every task row: the clock is read once per tick and handed to all rows,
// instead of a timer and a clock reading per row. The timer runs while at least one row is attached.
class TaskTicker : public QObject
{
    Q_OBJECT

public:
    static constexpr int IntervalMs = 200;

    static TaskTicker &instance();

    void attach();
    void detach();
    bool isRunning() const { return timer.isActive(); }

signals:
    void SIGNALTick(qint64 nowMs);

private:
    TaskTicker();

    QTimer timer;
    int attached = 0;
};
