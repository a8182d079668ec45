#pragma once

#include <QByteArray>
#include <QClipboard>
#include <QObject>
#include <QPoint>
#include <QTimer>

class QWidget;

// Puts a user name or password on the clipboard (and on X11 the selection), marked secret for clipboard
// managers that honour it, and takes it off again after a while and at logout, but only while it still
// holds what was put there: whatever the user copied since stays.
class SecretClipboard : public QObject
{
    Q_OBJECT

public:
    static constexpr int DefaultClearSeconds = 10;
    static constexpr int MinClearSeconds = 5;
    static constexpr int MaxClearSeconds = 120;
    // 0 keeps the text until the user copies something else.
    static bool clearSecondsValid(int seconds);
    // The seconds set in the settings file; the default when missing or out of range.
    static int configuredClearSeconds();

    explicit SecretClipboard(QClipboard *clipboard, QObject *parent = nullptr);
    // The one on the application's clipboard; it also clears at logout and when the program quits.
    static SecretClipboard *instance();

    // Length of one second of the countdown, shorter in tests.
    void setTickMsec(int msec) { timer.setInterval(msec); }

    void copy(const QString &text, int clearSeconds);
    // Copies for the time the user set and says so in a tool tip at globalPos over widget.
    void copyAndTell(const QString &text, QWidget *widget, const QPoint &globalPos);
    // Seconds until the clipboard is cleared; 0 when nothing waits.
    int secondsLeft() const { return left; }

public slots:
    // Clears what was put there, at once, and stops the countdown.
    void clear();

signals:
    // Every second of the countdown, and 0 once it ends (cleared, or replaced by the user).
    void SIGNALCountdown(int secondsLeft);

private:
    void tick();
    QList<QClipboard::Mode> modes() const;
    bool holds(QClipboard::Mode mode) const;
    bool holdsCopied() const;

    QClipboard *clipboard;
    // A digest, so the secret itself is not kept here longer than on the clipboard.
    QByteArray copied;
    QTimer timer;
    int left = 0;
};
