#pragma once

#include <QObject>
#include <QTimer>

class QScreen;

// Collects every sign that the displays changed into one delayed notification, so that a burst of
// changes (a monitor plugged in reports several) rebuilds the notice windows once.
class DisplayChangeWatcher : public QObject
{
    Q_OBJECT

public:
    static constexpr int DelayMs = 100;

    explicit DisplayChangeWatcher(QObject *parent = nullptr);

    // Windows reports WM_DISPLAYCHANGE through the main window; elsewhere the screens' own signals call this.
    void notifyChange();

signals:
    void displayChanged();

private:
    void watchScreen(QScreen *screen);

    QTimer delay;
};
