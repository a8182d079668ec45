#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class QSocketNotifier;

// Waits for a moment of the wall clock, not for a stretch of time: a plain timer counts the time the
// machine is awake, so after a suspend or a change of the clock it would fire late or early. This one
// fires when the clock shows the moment, and early when the clock was set or the machine resumed, so
// that the caller reads the clock again and decides anew.
//
// Linux: a timerfd on the real-time clock, cancelled by any change of the clock. Elsewhere a precise
// timer that looks again at least once a minute and fires when the wall clock moved apart from the
// elapsed time; Windows reports changes and resume through the main window at once.
class WallClockTimer : public QObject
{
    Q_OBJECT

public:
    explicit WallClockTimer(QObject *parent = nullptr);
    ~WallClockTimer() override;

    void start(qint64 atMsSinceEpoch);
    void stop();
    bool isActive() const { return active; }

signals:
    void timeout();

private:
    void fire();

    bool active = false;
    qint64 target = 0;
#ifdef Q_OS_LINUX
    int fd = -1;
    QSocketNotifier *notifier = nullptr;
#else
    static constexpr int LookAgainMs = 60000;
    void lookAgain();
    QTimer timer;
    QElapsedTimer sinceArmed;
    qint64 armedAtMs = 0;
#endif
};
