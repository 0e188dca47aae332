// The peer benchmark's eyes and hands on a viewer's X display, the same for every system
// measured, so that no viewer is judged by its own account of itself.
//
//   peers_probe updates --rect X,Y,W,H [--gap-us 4000] [--rects]
//       one line "U <monotonic ns>" per update shown inside the rectangle, until killed. X
//       Damage on the root window sees every drawing of every client; a viewer draws one
//       update as several pieces (one per rectangle, or per band of a large picture), so
//       damage that follows the previous damage within the gap belongs to the same update.
//       With --rects, each piece of damage follows as "R <x> <y> <w> <h>".
//   peers_probe locate [--min-run 40] [--tolerance 60]
//       "X Y W H" of the first block of the button's red or blue, scanning rows from the top.
//   peers_probe click --at X,Y --watch X,Y [--host-display D --host-watch X,Y] [--count 100]
//                     [--timeout-ms 5000] [--settle-ms 150]
//       clicks at --at (XTest) and waits until the pixel at --watch changes; one line per
//       click: "C <i> <us until the host's pixel changed or -1> <us until the viewer's did>
//       <monotonic ns of the click>", or "C <i> timeout".
#include "PeersArgs.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>

#include <poll.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>

namespace {
const char *const Program = "peers_probe";

struct Rgb {
    int r = 0, g = 0, b = 0;
};

int distance(Rgb a, Rgb b) {
    return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
}

// The displays are 24-bit TrueColor (Xvfb -screen 0 WxHx24).
Rgb rgbOf(unsigned long pixel) {
    return Rgb{int((pixel >> 16) & 0xff), int((pixel >> 8) & 0xff), int(pixel & 0xff)};
}

Display *open(const char *name) {
    Display *d = XOpenDisplay(name);
    if (!d)
        peers::die(Program, "cannot open the display");
    return d;
}

bool pixelAt(Display *d, int x, int y, Rgb &out) {
    XImage *image = XGetImage(d, DefaultRootWindow(d), x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image)
        return false;
    out = rgbOf(XGetPixel(image, 0, 0));
    XDestroyImage(image);
    return true;
}

int updates(int argc, char **argv) {
    long rect[4];
    if (!peers::numbers(peers::option(argc, argv, "--rect", nullptr), 4, rect))
        peers::die(Program, "updates needs --rect X,Y,W,H");
    const long long gapNs = peers::numberOption(argc, argv, "--gap-us", 4000) * 1000LL;
    bool rects = false;
    for (int i = 2; i < argc; ++i)
        rects = rects || std::strcmp(argv[i], "--rects") == 0;
    Display *d = open(nullptr);
    int damageEvent = 0, damageError = 0;
    if (!XDamageQueryExtension(d, &damageEvent, &damageError))
        peers::die(Program, "the display has no DAMAGE extension");
    XDamageCreate(d, DefaultRootWindow(d), XDamageReportRawRectangles);
    // Ready means the server has it: a drawing right after READY is counted. The damage
    // object starts with the whole screen as damaged, which is no update.
    XSync(d, False);
    while (XPending(d) > 0) {
        XEvent e;
        XNextEvent(d, &e);
    }
    std::printf("READY\n");
    std::fflush(stdout);
    long long last = 0;
    pollfd fd{ConnectionNumber(d), POLLIN, 0};
    for (;;) {
        if (XPending(d) == 0) {
            poll(&fd, 1, 1000);
            continue;
        }
        XEvent e;
        XNextEvent(d, &e);
        if (e.type != damageEvent + XDamageNotify)
            continue;
        const auto &n = reinterpret_cast<const XDamageNotifyEvent &>(e);
        const XRectangle a = n.area;
        if (a.x >= rect[0] + rect[2] || a.y >= rect[1] + rect[3] || a.x + a.width <= rect[0] ||
            a.y + a.height <= rect[1])
            continue;
        const long long t = peers::nowNs();
        if (t - last > gapNs) {
            std::printf("U %lld\n", t);
            std::fflush(stdout);
        }
        if (rects) {
            std::printf("R %d %d %d %d\n", a.x, a.y, a.width, a.height);
            std::fflush(stdout);
        }
        last = t;
    }
}

int locate(int argc, char **argv) {
    const long minRun = peers::numberOption(argc, argv, "--min-run", 40);
    const int tolerance = int(peers::numberOption(argc, argv, "--tolerance", 60));
    Display *d = open(nullptr);
    const int width = DisplayWidth(d, DefaultScreen(d));
    const int height = DisplayHeight(d, DefaultScreen(d));
    XImage *image = XGetImage(d, DefaultRootWindow(d), 0, 0, width, height, AllPlanes, ZPixmap);
    if (!image)
        peers::die(Program, "cannot read the screen");
    const Rgb colours[] = {{255, 0, 0}, {0, 0, 255}};
    auto matches = [&](int x, int y) {
        const Rgb p = rgbOf(XGetPixel(image, x, y));
        for (const Rgb &c : colours)
            if (distance(p, c) <= tolerance)
                return true;
        return false;
    };
    for (int y = 0; y < height; ++y) {
        int run = 0;
        for (int x = 0; x < width; ++x) {
            run = matches(x, y) ? run + 1 : 0;
            if (run < minRun)
                continue;
            const int left = x - run + 1;
            int right = x;
            while (right + 1 < width && matches(right + 1, y))
                ++right;
            int bottom = y;
            while (bottom + 1 < height && matches(left + run / 2, bottom + 1))
                ++bottom;
            std::printf("%d %d %d %d\n", left, y, right - left + 1, bottom - y + 1);
            XDestroyImage(image);
            return 0;
        }
    }
    XDestroyImage(image);
    return 1;
}

int click(int argc, char **argv) {
    long at[4], watch[4], hostWatch[4];
    if (!peers::numbers(peers::option(argc, argv, "--at", nullptr), 2, at) ||
        !peers::numbers(peers::option(argc, argv, "--watch", nullptr), 2, watch))
        peers::die(Program, "click needs --at X,Y and --watch X,Y");
    const char *hostName = peers::option(argc, argv, "--host-display", nullptr);
    const bool watchHost =
        hostName &&
        peers::numbers(peers::option(argc, argv, "--host-watch", nullptr), 2, hostWatch);
    const long count = peers::numberOption(argc, argv, "--count", 100);
    const long long timeoutNs = peers::numberOption(argc, argv, "--timeout-ms", 5000) * 1000000LL;
    const long settleMs = peers::numberOption(argc, argv, "--settle-ms", 150);
    Display *d = open(nullptr);
    Display *host = watchHost ? open(hostName) : nullptr;
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(d, &event, &error, &major, &minor))
        peers::die(Program, "the display has no XTEST extension");
    // The pointer goes there once; a viewer that forwards moves on a timer has sent it long
    // before the first click.
    XTestFakeMotionEvent(d, -1, int(at[0]), int(at[1]), 0);
    XFlush(d);
    peers::sleepUs(800 * 1000);
    // Not in step with any timer of a viewer or server.
    std::mt19937 random(27);
    std::uniform_int_distribution<long> jitter(0, 60);
    // A change is what no compression noise gives: red against blue.
    const int changed = 120;
    for (long i = 0; i < count; ++i) {
        Rgb viewerBefore, hostBefore, now;
        if (!pixelAt(d, int(watch[0]), int(watch[1]), viewerBefore) ||
            (host && !pixelAt(host, int(hostWatch[0]), int(hostWatch[1]), hostBefore)))
            peers::die(Program, "cannot read a pixel");
        const long long start = peers::nowNs();
        XTestFakeButtonEvent(d, 1, True, 0);
        XTestFakeButtonEvent(d, 1, False, 0);
        XFlush(d);
        long long hostAt = host ? 0 : -1, viewerAt = 0;
        while (!viewerAt && peers::nowNs() - start < timeoutNs) {
            if (!hostAt && pixelAt(host, int(hostWatch[0]), int(hostWatch[1]), now) &&
                distance(now, hostBefore) >= changed)
                hostAt = peers::nowNs();
            if (pixelAt(d, int(watch[0]), int(watch[1]), now) &&
                distance(now, viewerBefore) >= changed)
                viewerAt = peers::nowNs();
            if (!viewerAt)
                peers::sleepUs(200);
        }
        if (!viewerAt) {
            std::printf("C %ld timeout\n", i);
            std::fflush(stdout);
            // The picture may still come; the next click must not see this one's change.
            peers::sleepUs(2000 * 1000);
            continue;
        }
        std::printf("C %ld %lld %lld %lld\n", i, hostAt > 0 ? (hostAt - start) / 1000 : -1,
                    (viewerAt - start) / 1000, start);
        std::fflush(stdout);
        peers::sleepUs((settleMs + jitter(random)) * 1000);
    }
    return 0;
}
} // namespace

int main(int argc, char **argv) {
    const char *command = argc > 1 ? argv[1] : "";
    if (std::strcmp(command, "updates") == 0)
        return updates(argc, argv);
    if (std::strcmp(command, "locate") == 0)
        return locate(argc, argv);
    if (std::strcmp(command, "click") == 0)
        return click(argc, argv);
    std::fprintf(stderr, "usage: %s updates|locate|click ...\n", Program);
    return 2;
}
