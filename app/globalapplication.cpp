#include "app/globalapplication.h"

#include "data/interfacepublicdata.h"

GlobalApplication::GlobalApplication(int &argc, char **argv) : QApplication(argc, argv) {}

bool GlobalApplication::isUserActivity(const QEvent *event)
{
    // Runs for every event of the process: keep it to a few comparisons. A release alone is no activity.
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::KeyPress:
        return true;
    default:
        return false;
    }
}

bool GlobalApplication::notify(QObject *receiver, QEvent *event)
{
    if (isUserActivity(event))
        emit interfacePublicData.SIGNALUserActiveStatusChanged();
    return QApplication::notify(receiver, event);
}

bool GlobalApplication::isQuitting()
{
    const auto *app = qobject_cast<GlobalApplication *>(QCoreApplication::instance());
    return app && app->quitting;
}

bool GlobalApplication::event(QEvent *event)
{
    // The quit request closes every window first; a window that refuses keeps the whole program running.
    if (event->type() != QEvent::Quit)
        return QApplication::event(event);
    quitting = true;
    const bool handled = QApplication::event(event);
    quitting = event->isAccepted();
    return handled;
}
