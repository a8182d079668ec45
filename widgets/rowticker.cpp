#include "widgets/rowticker.h"

#include "platform/wallclocktimer.h"

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
    if (attached > 0)
        emit SIGNALTick(nowMs);
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

void RowTicker::setDeadline(const QObject *row, qint64 atMs)
{
    deadlines.insert(row, atMs);
    scheduleWake();
}

void RowTicker::clearDeadline(const QObject *row)
{
    if (deadlines.remove(row) > 0)
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
        for (const qint64 atMs : ticker->deadlines)
            earliest = qMin(earliest, atMs);
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
