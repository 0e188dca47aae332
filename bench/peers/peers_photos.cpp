// The full-screen picture phase of the peer benchmark: a window over the whole host display
// that shows the next photograph every interval, from pictures loaded into the X server before
// the first is shown, so that what the phase costs the host is a copy, not decoding.
//
//   peers_photos --size 1920x1080 [--interval-ms 1000] --seconds S FILE.rgb...
//
// Each file holds exactly width*height*3 bytes, red, green and blue per pixel (ImageMagick's
// "rgb:" output). Prints "STARTED <monotonic ns>" when the first picture is shown and ends,
// taking the window away, after S seconds.
#include "PeersArgs.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstring>
#include <vector>

namespace {
const char *const Program = "peers_photos";

// One file into a pixmap; false when it is not exactly one picture of this size.
bool load(Display *d, Window w, const char *path, int width, int height, Pixmap &out) {
    const size_t bytes = size_t(width) * size_t(height) * 3;
    std::vector<unsigned char> rgb(bytes + 1);
    FILE *f = std::fopen(path, "rb");
    if (!f)
        return false;
    const size_t read = std::fread(rgb.data(), 1, bytes + 1, f);
    std::fclose(f);
    if (read != bytes)
        return false;
    // XDestroyImage frees the pixels with free().
    auto *pixels = static_cast<char *>(std::malloc(size_t(width) * size_t(height) * 4));
    if (!pixels)
        return false;
    for (size_t i = 0, n = size_t(width) * size_t(height); i < n; ++i) {
        const unsigned int p =
            (unsigned(rgb[i * 3]) << 16) | (unsigned(rgb[i * 3 + 1]) << 8) | rgb[i * 3 + 2];
        std::memcpy(pixels + i * 4, &p, 4);
    }
    const int screen = DefaultScreen(d);
    XImage *image = XCreateImage(d, DefaultVisual(d, screen), 24, ZPixmap, 0, pixels,
                                 unsigned(width), unsigned(height), 32, width * 4);
    if (!image) {
        std::free(pixels);
        return false;
    }
    out = XCreatePixmap(d, w, unsigned(width), unsigned(height), 24);
    XPutImage(d, out, DefaultGC(d, screen), image, 0, 0, 0, 0, unsigned(width), unsigned(height));
    XDestroyImage(image);
    return true;
}
} // namespace

int main(int argc, char **argv) {
    long size[4];
    if (!peers::numbers(peers::option(argc, argv, "--size", "1920x1080"), 2, size) || size[0] < 1 ||
        size[1] < 1 || size[0] > 16384 || size[1] > 16384)
        peers::die(Program, "--size WxH");
    const long intervalMs = peers::numberOption(argc, argv, "--interval-ms", 1000);
    const long seconds = peers::numberOption(argc, argv, "--seconds", 10);
    std::vector<const char *> files;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--", 2) == 0)
            ++i;
        else
            files.push_back(argv[i]);
    }
    if (files.empty() || intervalMs < 1)
        peers::die(Program, "no pictures");
    Display *d = XOpenDisplay(nullptr);
    if (!d)
        peers::die(Program, "cannot open the display");
    const int screen = DefaultScreen(d);
    const int width = int(size[0]), height = int(size[1]);
    XSetWindowAttributes a{};
    a.override_redirect = True;
    a.background_pixmap = None;
    const Window w =
        XCreateWindow(d, RootWindow(d, screen), 0, 0, unsigned(width), unsigned(height), 0, 24,
                      InputOutput, DefaultVisual(d, screen), CWOverrideRedirect | CWBackPixmap, &a);
    std::vector<Pixmap> pictures;
    for (const char *path : files) {
        Pixmap p;
        if (!load(d, w, path, width, height, p)) {
            std::fprintf(stderr, "%s: %s is not a %dx%d rgb picture\n", Program, path, width,
                         height);
            return 2;
        }
        pictures.push_back(p);
    }
    XSync(d, False);
    XMapRaised(d, w);
    const GC gc = DefaultGC(d, screen);
    const long long start = peers::nowNs();
    bool announced = false;
    for (long long tick = 0; tick * intervalMs < seconds * 1000; ++tick) {
        XCopyArea(d, pictures[size_t(tick) % pictures.size()], w, gc, 0, 0, unsigned(width),
                  unsigned(height), 0, 0);
        XSync(d, False);
        if (!announced) {
            announced = true;
            std::printf("STARTED %lld\n", start);
            std::fflush(stdout);
        }
        const long long next = start + (tick + 1) * intervalMs * 1000000LL;
        const long long wait = next - peers::nowNs();
        if (wait > 0)
            peers::sleepUs(long(wait / 1000));
    }
    XDestroyWindow(d, w);
    XCloseDisplay(d);
    return 0;
}
