#pragma once

#include <QObject>
#include <QTimer>
#include <QVector>
#include <map>

class LazyRow;

// One tick shared by the rows of a list: the clock is read once per tick and handed to the rows,
// instead of a timer and a clock reading per row. Only the rows shown tick every time; every other row
// waits in a queue for the one moment it asked for (a task's due time, the next midnight for a
// birthday), so that a tick costs as much with ten thousand rows as with a thousand. The timer runs
// while a row is attached and the rows are on screen.
//
// Off screen (the window hidden in the tray) no row needs to repaint, so every ticker stops and one
// wake-up waits for the earliest moment a row asked for. Then the rows due tick and the wake-up waits
// for the next such moment.
class RowTicker : public QObject
{
    Q_OBJECT

public:
    // Task rows count down in seconds; birthday rows only look at the date.
    static RowTicker &tasks();
    static RowTicker &birthdays();

    void attach();
    void detach();

    // A row whose widget shows ticks every time, the others only at their moment.
    void addShown(LazyRow *row);
    void removeShown(LazyRow *row);

    // The moment (ms since the epoch) at which the row needs a tick; a row asks for one moment at a
    // time and withdraws it when it needs none or stops.
    void setDeadline(LazyRow *row, qint64 atMs);
    void clearDeadline(LazyRow *row);

    // Ticks the rows shown and the rows whose moment has come.
    void tick(qint64 nowMs);

    // Whether the rows are on screen. Coming back on screen, every ticker ticks at once.
    static void setOnScreen(bool onScreen);
    // The wall clock was set or the machine resumed: the rows look at the clock again.
    static void clockChanged();

    using Queue = std::multimap<qint64, LazyRow *>;

private:
    explicit RowTicker(int intervalMs);

    // Off screen: waits for the earliest deadline of every ticker; on screen: waits for nothing.
    static void scheduleWake();
    static void armWake();
    static QList<RowTicker *> all();

    QTimer timer;
    int attached = 0;
    QVector<LazyRow *> shown;
    Queue queue;
    qint64 lastTickMs = 0;
};
