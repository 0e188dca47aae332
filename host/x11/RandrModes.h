#pragma once
#include "desktop/DesktopBackend.h"

#include <xcb/randr.h>

namespace qhost::x11 {

// The screen modes of the primary output through RandR 1.2: the distinct sizes it offers, a
// switch that resizes the screen with it, and the mode of the session's start given back.
class RandrModes {
public:
    RandrModes(xcb_connection_t *connection, const xcb_screen_t *screen);

    // Asks for screen change notices; false where the server has no RandR 1.2.
    bool open();
    bool isScreenChangeNotify(const xcb_generic_event_t *event) const;

    QList<DesktopMode> modes();
    DesktopMode current();
    bool setMode(QSize size);
    // The mode found before the first switch, if a switch happened.
    void restore();

private:
    struct Output {
        xcb_randr_crtc_t crtc = 0;
        xcb_randr_mode_t mode = 0;
        int16_t x = 0, y = 0;
        uint16_t rotation = XCB_RANDR_ROTATION_ROTATE_0;
        QList<xcb_randr_output_t> outputs;
        QList<QPair<xcb_randr_mode_t, QSize>> modes; // the output's, in the server's order
        QSize size;
    };
    bool readPrimary(Output *out);
    bool apply(const Output &output, xcb_randr_mode_t mode, QSize modeSize);

    xcb_connection_t *c;
    const xcb_screen_t *screen;
    bool available = false;
    uint8_t eventBase = 0;
    bool changed = false;
    Output original;
};

} // namespace qhost::x11
