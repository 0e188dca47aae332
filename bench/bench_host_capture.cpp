// Host screen capture speed: grabs per second and CPU per grab of the X11 desktop backend on a
// 1920x1080 virtual display (Xvfb, started here), for a full-screen change (the root window
// repainted in another colour) and a small change (a 64x64 square), through shared memory and
// through plain GetImage (a display over the network). The X server's CPU is counted apart:
// it copies the pixels either way.
//
//   bench_host_capture [--iterations N]
#include "x11/X11Desktop.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryFile>
#include <QThread>
#include <QTimer>

#include <sys/resource.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cstdio>

namespace {
double processCpuMs() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 +
           (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
}

double otherCpuMs(qint64 pid) {
    QFile f(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    // Fields 14 and 15 (user and system time in clock ticks), after the command's parentheses.
    const QByteArray stat = f.readAll();
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13)
        return 0;
    return (fields[11].toDouble() + fields[12].toDouble()) * 1e3 / double(sysconf(_SC_CLK_TCK));
}

struct Result {
    double grabsPerSecond = 0;
    double msPerGrab = 0;
    double hostCpuMs = 0;
    double serverCpuMs = 0;
    qint64 pixels = 0;
};

// Draws one change, waits for its damage, grabs; only the grab is timed.
Result measure(qhost::x11::X11Desktop &desktop, xcb_connection_t *c, xcb_screen_t *screen,
               bool full, int iterations, qint64 serverPid) {
    QImage frame;
    desktop.grab(frame);
    const xcb_gcontext_t gc = xcb_generate_id(c);
    xcb_create_gc(c, gc, screen->root, 0, nullptr);
    Result r;
    double wallMs = 0, cpuMs = 0, serverMs = 0;
    for (int i = 0; i < iterations; ++i) {
        const uint32_t colour = (i % 2) ? 0x3060a0 : 0xa06030;
        if (full) {
            xcb_change_window_attributes(c, screen->root, XCB_CW_BACK_PIXEL, &colour);
            xcb_clear_area(c, 0, screen->root, 0, 0, 0, 0);
        } else {
            xcb_change_gc(c, gc, XCB_GC_FOREGROUND, &colour);
            const xcb_rectangle_t square{400, 300, 64, 64};
            xcb_poly_fill_rectangle(c, screen->root, gc, 1, &square);
        }
        xcb_flush(c);
        QEventLoop loop;
        QObject::connect(&desktop, &qhost::DesktopBackend::damaged, &loop, &QEventLoop::quit);
        QTimer::singleShot(5000, &loop, &QEventLoop::quit);
        loop.exec();
        const double cpu0 = processCpuMs(), server0 = otherCpuMs(serverPid);
        QElapsedTimer t;
        t.start();
        const QRegion changed = desktop.grab(frame);
        wallMs += double(t.nsecsElapsed()) / 1e6;
        cpuMs += processCpuMs() - cpu0;
        serverMs += otherCpuMs(serverPid) - server0;
        for (const QRect &rect : changed)
            r.pixels += qint64(rect.width()) * rect.height();
    }
    xcb_free_gc(c, gc);
    r.msPerGrab = wallMs / iterations;
    r.grabsPerSecond = 1000.0 / r.msPerGrab;
    r.hostCpuMs = cpuMs / iterations;
    r.serverCpuMs = serverMs / iterations;
    r.pixels /= iterations;
    return r;
}
} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    int iterations = 200;
    const QStringList args = app.arguments();
    if (const qsizetype i = args.indexOf(QStringLiteral("--iterations")); i > 0)
        iterations = qMax(1, args.value(i + 1).toInt());

    // A display of our own, numbered by the server itself.
    QTemporaryFile displayFile;
    if (!displayFile.open())
        return 1;
    QProcess xvfb;
    xvfb.start(QStringLiteral("sh"),
               {QStringLiteral("-c"),
                QStringLiteral("exec Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp "
                               "3>'%1' 2>/dev/null")
                    .arg(displayFile.fileName())});
    QByteArray display;
    for (int i = 0; i < 100 && display.isEmpty(); ++i) {
        QThread::msleep(100);
        QFile f(displayFile.fileName());
        if (f.open(QIODevice::ReadOnly))
            display = f.readLine().trimmed();
    }
    if (display.isEmpty()) {
        std::fprintf(stderr, "Xvfb did not start\n");
        return 1;
    }
    qputenv("DISPLAY", ":" + display);

    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    std::printf("Host capture on a 1920x1080x24 virtual display, %d grabs per case\n\n",
                iterations);
    std::printf("%-14s %-9s %10s %10s %12s %14s %12s\n", "change", "path", "grabs/s", "ms/grab",
                "host CPU ms", "X server CPU ms", "pixels");
    for (bool shm : {true, false}) {
        qhost::x11::X11Desktop desktop;
        desktop.setSharedMemoryAllowed(shm);
        QString error;
        if (!desktop.open(&error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
        for (bool full : {true, false}) {
            const Result r = measure(desktop, c, screen, full, iterations, xvfb.processId());
            std::printf("%-14s %-9s %10.1f %10.3f %12.3f %14.3f %12lld\n",
                        full ? "full screen" : "64x64 square",
                        desktop.usesSharedMemory() ? "MIT-SHM" : "GetImage", r.grabsPerSecond,
                        r.msPerGrab, r.hostCpuMs, r.serverCpuMs, r.pixels);
        }
        desktop.close();
    }
    xcb_disconnect(c);
    xvfb.terminate();
    xvfb.waitForFinished(5000);
    return 0;
}
