// A button of a real X program on the host display for the click-to-picture delay: each press
// turns it from red to blue or back at once, in colours that every colour depth and every
// compression of the systems measured keeps apart.
//
//   peers_button [--geometry 160x80+1700+60]
//
// The window is override-redirect, so it stands where it is told with or without a window
// manager. Prints "READY" once it is shown.
#include "PeersArgs.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>

int main(int argc, char **argv) {
    long g[4];
    if (!peers::numbers(peers::option(argc, argv, "--geometry", "160x80+1700+60"), 4, g) ||
        g[0] < 1 || g[1] < 1)
        peers::die("peers_button", "--geometry WxH+X+Y");
    Display *d = XOpenDisplay(nullptr);
    if (!d)
        peers::die("peers_button", "cannot open the display");
    const int screen = DefaultScreen(d);
    XSetWindowAttributes a{};
    a.override_redirect = True;
    a.background_pixel = BlackPixel(d, screen);
    a.event_mask = ExposureMask | ButtonPressMask | StructureNotifyMask;
    const Window w = XCreateWindow(d, RootWindow(d, screen), int(g[2]), int(g[3]), unsigned(g[0]),
                                   unsigned(g[1]), 0, CopyFromParent, InputOutput, CopyFromParent,
                                   CWOverrideRedirect | CWBackPixel | CWEventMask, &a);
    XStoreName(d, w, "peers button");
    const GC gc = XCreateGC(d, w, 0, nullptr);
    const unsigned long colours[] = {0xff0000, 0x0000ff};
    int shown = 0;
    auto paint = [&] {
        XSetForeground(d, gc, colours[shown]);
        XFillRectangle(d, w, gc, 0, 0, unsigned(g[0]), unsigned(g[1]));
        XFlush(d);
    };
    XMapRaised(d, w);
    bool ready = false;
    for (;;) {
        XEvent e;
        XNextEvent(d, &e);
        if (e.type == Expose && e.xexpose.count == 0) {
            paint();
            if (!ready) {
                ready = true;
                std::printf("READY\n");
                std::fflush(stdout);
            }
        } else if (e.type == ButtonPress && e.xbutton.button == Button1) {
            shown = 1 - shown;
            paint();
        }
    }
}
