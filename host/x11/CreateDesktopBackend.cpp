#include "desktop/DesktopBackend.h"
#include "x11/X11Desktop.h"

#include <xcb/xcb.h>

namespace qhost {

std::unique_ptr<DesktopBackend> CreateDesktopBackend(QObject *parent) {
    // An X display that takes connections, the desktop's own or XWayland's.
    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    const bool usable = !xcb_connection_has_error(c);
    xcb_disconnect(c);
    if (!usable)
        return nullptr;
    return std::make_unique<x11::X11Desktop>(parent);
}

} // namespace qhost
