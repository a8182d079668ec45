#include "platform/wallclocktimer.h"

#include <QDateTime>

#ifdef Q_OS_LINUX
#include <QSocketNotifier>

#include <sys/timerfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#endif

#ifdef Q_OS_LINUX

WallClockTimer::WallClockTimer(QObject *parent) : QObject(parent)
{
    fd = timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC);
    if (fd < 0) {
        qWarning("timerfd_create failed: reminders wait for their time only while the window shows");
        return;
    }
    notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this]() {
        // The count of expiries, or ECANCELED after a change of the clock: either way it is time to look.
        std::uint64_t expirations = 0;
        if (read(fd, &expirations, sizeof expirations) < 0 && errno == EAGAIN)
            return;
        fire();
    });
}

WallClockTimer::~WallClockTimer()
{
    delete notifier;
    if (fd >= 0)
        close(fd);
}

void WallClockTimer::start(qint64 atMsSinceEpoch)
{
    if (fd < 0)
        return;
    target = atMsSinceEpoch;
    itimerspec when{};
    // A zero time would disarm the timer: a moment already past fires at once.
    when.it_value.tv_sec = qMax<qint64>(0, atMsSinceEpoch / 1000);
    when.it_value.tv_nsec = qMax<qint64>(1, atMsSinceEpoch % 1000 * 1000000);
    active = timerfd_settime(fd, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &when, nullptr) == 0;
}

void WallClockTimer::stop()
{
    active = false;
    if (fd < 0)
        return;
    const itimerspec never{};
    timerfd_settime(fd, 0, &never, nullptr);
}

#else

WallClockTimer::WallClockTimer(QObject *parent) : QObject(parent)
{
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    connect(&timer, &QTimer::timeout, this, &WallClockTimer::lookAgain);
}

WallClockTimer::~WallClockTimer() = default;

void WallClockTimer::start(qint64 atMsSinceEpoch)
{
    target = atMsSinceEpoch;
    active = true;
    armedAtMs = QDateTime::currentMSecsSinceEpoch();
    sinceArmed.start();
    timer.start(int(qBound<qint64>(0, target - armedAtMs, LookAgainMs)));
}

void WallClockTimer::stop()
{
    active = false;
    timer.stop();
}

void WallClockTimer::lookAgain()
{
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    // The wall clock moved other than the time awake: it was set, or the machine slept.
    const bool clockMoved = qAbs(now - armedAtMs - sinceArmed.elapsed()) > 1000;
    if (now >= target || clockMoved)
        fire();
    else
        start(target);
}

#endif

void WallClockTimer::fire()
{
    active = false;
    emit timeout();
}
