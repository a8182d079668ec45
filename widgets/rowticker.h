#pragma once

#include <QHash>
#include <QObject>
#include <QTimer>

// One tick shared by every row of a list: the clock is read once per tick and handed to all rows,
// instead of a timer and a clock reading per row. The timer runs while a row is attached and the rows
// are on screen.
//
// Off screen (the window hidden in the tray) no row needs to repaint, so every ticker stops and one
// wake-up waits for the earliest moment a row asked for: a task's due time, the next midnight for the
// birthdays. Then every ticker ticks once and the wake-up waits for the next such moment.
class RowTicker : public QObject
{
    Q_OBJECT

public:
    // Task rows count down in seconds; birthday rows only look at the date.
    static RowTicker &tasks();
    static RowTicker &birthdays();

    void attach();
    void detach();

    // The moment (ms since the epoch) at which the row needs a tick even off screen; a row asks for
    // one moment at a time and withdraws it when it needs none or stops.
    void setDeadline(const QObject *row, qint64 atMs);
    void clearDeadline(const QObject *row);

    // Whether the rows are on screen. Coming back on screen, every ticker ticks at once.
    static void setOnScreen(bool onScreen);
    // The wall clock was set or the machine resumed: every row looks at the clock again.
    static void clockChanged();

signals:
    void SIGNALTick(qint64 nowMs);

private:
    explicit RowTicker(int intervalMs);

    void tick(qint64 nowMs);
    // Off screen: waits for the earliest deadline of every ticker; on screen: waits for nothing.
    static void scheduleWake();
    static void armWake();
    static QList<RowTicker *> all();

    QTimer timer;
    int attached = 0;
    QHash<const QObject *, qint64> deadlines;
};
