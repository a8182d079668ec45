#include "platform/translucency.h"

#include <QGuiApplication>

#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
#include <QByteArray>
#include <cstdlib>
#include <xcb/xcb.h>

namespace {
bool compositorRunning()
{
    // A connection of its own: Qt's is reachable only through its private headers.
    int screen = 0;
    xcb_connection_t *connection = xcb_connect(nullptr, &screen);
    bool running = false;
    if (!xcb_connection_has_error(connection)) {
        const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(screen);
        xcb_intern_atom_reply_t *atom = xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 1, static_cast<uint16_t>(name.size()), name.constData()), nullptr);
        if (atom && atom->atom != XCB_ATOM_NONE) {
            xcb_get_selection_owner_reply_t *owner =
                xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, atom->atom), nullptr);
            running = owner && owner->owner != XCB_NONE;
            std::free(owner);
        }
        std::free(atom);
    }
    xcb_disconnect(connection);
    return running;
}
} // namespace
#endif

bool Translucency::isSupported()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        return compositorRunning();
#endif
    return true;
}
