#include "widgets/rowticker.h"

#include "platform/wallclocktimer.h"
#include "widgets/lazyrow.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QPointer>
#include <limits>

namespace {
bool onScreen = true;
bool wakePending = false;
// Made with the application and gone with it, as its socket notifier must be.
QPointer<WallClockTimer> wake;
} // namespace

RowTicker &RowTicker::tasks()
{
    static RowTicker ticker(200);
    return ticker;
}

RowTicker &RowTicker::birthdays()
{
    static RowTicker ticker(30000);
    return ticker;
}

QList<RowTicker *> RowTicker::all()
{
    return {&tasks(), &birthdays()};
}

RowTicker::RowTicker(int intervalMs)
{
    timer.setInterval(intervalMs);
    connect(&timer, &QTimer::timeout, this, [this]() { tick(QDateTime::currentMSecsSinceEpoch()); });
}

void RowTicker::tick(qint64 nowMs)
{
    if (attached == 0)
        return;
    // A clock set back leaves deadlines that lie too far ahead for the date it shows now (a birthday
    // waits for the midnight after the old date): then every waiting row looks at the clock again.
    const qint64 upToMs = nowMs < lastTickMs ? std::numeric_limits<qint64>::max() : nowMs;
    lastTickMs = nowMs;
    // Taken out first: a row that ticks may ask for its next moment, and a tick may rebuild the list.
    QVector<QPointer<LazyRow>> due;
    for (auto it = queue.begin(); it != queue.end() && it->first <= upToMs; it = queue.erase(it)) {
        it->second->queued = false;
        due.append(it->second);
    }
    for (LazyRow *row : qAsConst(shown))
        due.append(row);
    for (const QPointer<LazyRow> &row : qAsConst(due)) {
        if (row)
            row->tick(nowMs);
    }
}

void RowTicker::attach()
{
    if (attached++ == 0 && onScreen)
        timer.start();
}

void RowTicker::detach()
{
    if (attached > 0 && --attached == 0)
        timer.stop();
}

void RowTicker::addShown(LazyRow *row)
{
    if (!shown.contains(row))
        shown.append(row);
}

void RowTicker::removeShown(LazyRow *row)
{
    shown.removeOne(row);
}

void RowTicker::setDeadline(LazyRow *row, qint64 atMs)
{
    if (row->queued) {
        if (row->queuedAt->first == atMs)
            return;
        queue.erase(row->queuedAt);
    }
    // Rows asking for the same moment (every birthday the next midnight) tick in the order they asked.
    row->queuedAt = queue.emplace(atMs, row);
    row->queued = true;
    scheduleWake();
}

void RowTicker::clearDeadline(LazyRow *row)
{
    if (!row->queued)
        return;
    queue.erase(row->queuedAt);
    row->queued = false;
    scheduleWake();
}

void RowTicker::setOnScreen(bool shown)
{
    if (onScreen == shown)
        return;
    onScreen = shown;
    for (RowTicker *ticker : all()) {
        if (!shown)
            ticker->timer.stop();
        else if (ticker->attached > 0)
            ticker->timer.start();
    }
    if (shown) {
        if (wake)
            wake->stop();
        clockChanged();
    } else {
        scheduleWake();
    }
}

void RowTicker::clockChanged()
{
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    for (RowTicker *ticker : all())
        ticker->tick(now);
    scheduleWake();
}

void RowTicker::scheduleWake()
{
    // A list rebuilt off screen changes a thousand deadlines in a row: the wake-up is set once after them.
    if (onScreen || wakePending)
        return;
    wakePending = true;
    QMetaObject::invokeMethod(
        &tasks(),
        []() {
            wakePending = false;
            armWake();
        },
        Qt::QueuedConnection);
}

void RowTicker::armWake()
{
    if (onScreen)
        return;
    qint64 earliest = std::numeric_limits<qint64>::max();
    for (const RowTicker *ticker : all()) {
        if (!ticker->queue.empty())
            earliest = qMin(earliest, ticker->queue.begin()->first);
    }
    if (!wake) {
        wake = new WallClockTimer(QCoreApplication::instance());
        QObject::connect(wake, &WallClockTimer::timeout, &RowTicker::clockChanged);
    }
    // A row that fails to move its deadline on would otherwise wake the program without pause.
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (earliest < now - 1000)
        earliest = now + 1000;
    if (earliest == std::numeric_limits<qint64>::max())
        wake->stop();
    else
        wake->start(earliest);
}
