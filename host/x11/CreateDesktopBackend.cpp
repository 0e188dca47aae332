#include "desktop/DesktopBackend.h"
#include "x11/X11Desktop.h"

#include <xcb/xcb.h>

namespace qhost {

std::unique_ptr<DesktopBackend> CreateDesktopBackend(QObject *parent) {
    // An X display that takes connections, the desktop's own or XWayland's. The connection
    // goes on to the backend: a server whose only client just left may be restarting.
    int screen = 0;
    xcb_connection_t *c = xcb_connect(nullptr, &screen);
    if (xcb_connection_has_error(c)) {
        xcb_disconnect(c);
        return nullptr;
    }
    return std::make_unique<x11::X11Desktop>(c, screen, parent);
}

} // namespace qhost
