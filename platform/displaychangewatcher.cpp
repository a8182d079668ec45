#include "platform/displaychangewatcher.h"

#include <QGuiApplication>
#include <QScreen>

DisplayChangeWatcher::DisplayChangeWatcher(QObject *parent) : QObject(parent)
{
    delay.setSingleShot(true);
    delay.setInterval(DelayMs);
    connect(&delay, &QTimer::timeout, this, &DisplayChangeWatcher::displayChanged);

#ifndef Q_OS_WIN
    auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
    if (!app)
        return;
    connect(app, &QGuiApplication::screenAdded, this, [this](QScreen *screen) {
        watchScreen(screen);
        notifyChange();
    });
    connect(app, &QGuiApplication::screenRemoved, this, &DisplayChangeWatcher::notifyChange);
    connect(app, &QGuiApplication::primaryScreenChanged, this, &DisplayChangeWatcher::notifyChange);
    for (QScreen *screen : QGuiApplication::screens())
        watchScreen(screen);
#endif
}

void DisplayChangeWatcher::notifyChange()
{
    delay.start();
}

void DisplayChangeWatcher::watchScreen(QScreen *screen)
{
    connect(screen, &QScreen::availableGeometryChanged, this, &DisplayChangeWatcher::notifyChange,
            Qt::UniqueConnection);
    connect(screen, &QScreen::logicalDotsPerInchChanged, this, &DisplayChangeWatcher::notifyChange,
            Qt::UniqueConnection);
}
