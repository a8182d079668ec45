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
