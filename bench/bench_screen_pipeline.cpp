// Screen pipeline speed: inflate + decode + apply of the host's pictures, against plain zlib
// inflating of the same bodies (the floor), for a 1920x1080 screen. With --live, also the
// updates per second a session gets from the local gateway and the peak memory it took.
//
//   bench_screen_pipeline [--iterations N] [--live SECONDS]
#include "LocalGateway.h"
#include "TestSession.h"
#include "SyntheticDesktop.h"
#include "common/AdminVars.h"
#include "common/Zlib.h"
#include "gateway/GatewaySession.h"
#include "screen/BmpWriter.h"
#include "screen/FixedPalettes.h"
#include "screen/RectListWriter.h"
#include "screen/ScreenDecoder.h"
#include "screen/ScreenFrame.h"
#include "screen/ScreenPipeline.h"
#include "settings/ServiceConfig.h"
#include "settings/uIniFiles.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QTimer>

#include <sys/resource.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {
const QSize kScreen(1920, 1080);

double medianMs(int iterations, const std::function<void()> &work) {
    std::vector<double> times;
    work(); // warm up: tables, allocator
    for (int i = 0; i < iterations; ++i) {
        QElapsedTimer t;
        t.start();
        work();
        times.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The desktop the simulated host shows, with its windows and text, and a photo-like wallpaper
// that compresses far worse than flat window areas.
QImage desktop(bool photo) {
    localgw::SyntheticDesktop d(kScreen);
    QImage img = d.render().convertToFormat(QImage::Format_RGB32);
    if (photo) {
        for (int y = 0; y < img.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
            for (int x = 0; x < img.width(); ++x) {
                const quint32 n = quint32(x * 7919 + y * 104729) * 2654435761u;
                line[x] =
                    qRgb((x + (n >> 29)) & 255, (y + (n >> 26)) & 255, ((x ^ y) + (n >> 24)) & 255);
            }
        }
        QPainter p(&img);
        p.drawImage(0, 0, d.render().copy(0, 0, 1200, 700));
    }
    return img;
}

struct Case {
    QString name;
    QByteArray body;
    qsizetype inflatedSize;
    quint8 mode;
    int depth;
};

QByteArray rectangleList(const QImage &img, int depth, int count, QSize rect) {
    RectListWriter w;
    for (int i = 0; i < count; ++i) {
        const int x = (i * 397) % (img.width() - rect.width());
        const int y = (i * 211) % (img.height() - rect.height());
        w.append(x, y, BmpWriter::encode(img.copy(x, y, rect.width(), rect.height()), depth));
    }
    return w.data();
}

void offline(int iterations) {
    std::vector<Case> cases;
    for (bool photo : {false, true}) {
        const QImage img = desktop(photo);
        const QString kind = photo ? QStringLiteral("photo") : QStringLiteral("desktop");
        for (int depth : {4, 8, 15}) {
            const QByteArray file =
                BmpWriter::encode(FixedPalettes::reduceToDepth(img, depth), depth);
            cases.push_back({QStringLiteral("%1 full, depth %2").arg(kind).arg(depth),
                             Zlib::deflate(file), file.size(), PictureJob::FullPicture, depth});
        }
        for (int depth : {8, 15}) {
            const QByteArray list =
                rectangleList(FixedPalettes::reduceToDepth(img, depth), depth, 50, QSize(64, 64));
            cases.push_back({QStringLiteral("%1 50 rects 64x64, depth %2").arg(kind).arg(depth),
                             Zlib::deflate(list), list.size(), PictureJob::RectangleList, depth});
        }
    }

    std::printf("%-36s %9s %9s %10s %10s %10s %7s\n", "body", "zlib KB", "raw KB", "zlib ms",
                "inflate ms", "pipe ms", "ratio");
    ScreenDecoder decoder;
    PictureInflater inflater;
    ScreenFrame frame;
    {
        PictureResult start;
        start.ok = true;
        start.replacement = desktop(false);
        frame.apply(std::move(start));
    }
    for (const Case &c : cases) {
        QByteArray out(c.inflatedSize, Qt::Uninitialized);
        const double zlibMs = medianMs(iterations, [&] {
            uLongf len = uLongf(out.size());
            uncompress(reinterpret_cast<Bytef *>(out.data()), &len,
                       reinterpret_cast<const Bytef *>(c.body.constData()), uLong(c.body.size()));
        });
        const double inflateMs = medianMs(iterations, [&] {
            inflater.inflate(c.body, c.inflatedSize + 65536, c.inflatedSize + 65536);
        });
        bool ok = true;
        const double pipeMs = medianMs(iterations, [&] {
            PictureJob job;
            job.DecodeMode = c.mode;
            job.ReceivedData = c.body;
            job.ColorDepth = c.depth;
            if (c.mode != PictureJob::FullPicture)
                job.frame = frame.picture();
            PictureResult r = decoder.run(std::move(job));
            ok = ok && r.ok;
            frame.apply(std::move(r));
        });
        std::printf("%-36s %9.1f %9.1f %10.2f %10.2f %10.2f %7.2f%s\n", qPrintable(c.name),
                    c.body.size() / 1024.0, c.inflatedSize / 1024.0, zlibMs, inflateMs, pipeMs,
                    pipeMs / zlibMs, ok ? "" : "  (FAILED)");
    }
    std::printf("zlib ms: zlib's uncompress into a buffer of the known size (the floor).\n"
                "inflate ms: the pipeline's bounded inflate alone. pipe ms: inflate + decode"
                " into the display format + apply to the shown picture. Medians of %d runs.\n",
                iterations);
}

long peakRssKb() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

// A session against the local gateway at 1920x1080: the remote pointer moves as fast as the
// host sends updates; each update is fetched, decoded and applied.
int live(int seconds) {
    localgw::GatewayConfig config;
    config.hostDelayMs = 50;
    config.pollHoldMs = 300;
    config.clockRunning = false;
    config.screenSize = kScreen;
    localgw::LocalGateway gw(config);
    QString error;
    if (!gw.start(&error)) {
        std::fprintf(stderr, "local gateway: %s\n", qPrintable(error));
        return 1;
    }
    serviceConfig().GatewayAddress = gw.gatewayAddress();
    serviceConfig().TrustedCertificates = gw.caPemPath();
    settings().UserCode = QStringLiteral("demo");
    settings().Password = QStringLiteral("demo");
    settings().GCount = 3;
    GatewaySession session;
    session.setSettingsSaver([] {});
    session.GatewayUrl = serviceConfig().Domain;
    session.VersionTag = QStringLiteral("A100");
    ScreenPipeline *screen = new ScreenPipeline(&session);
    QObject::connect(&session, &GatewaySession::stringListReceived, screen, [screen](int kind) {
        if (kind == 1)
            screen->RestartScreenUpdates(true);
    });
    int updates = 0;
    int step = 0;
    QElapsedTimer clock;
    QObject::connect(screen, &ScreenPipeline::pictureChanged, screen, [&] {
        if (!clock.isValid())
            return;
        ++updates;
        // Each picture on screen moves the pointer again: the next update follows at once.
        step = (step + 1) % 200;
        session.SendCmd("MoMo?" + QByteArray::number(200 + step * 7) + "-" +
                        QByteArray::number(150 + (step * 13) % 700));
    });
    QObject::connect(screen, &ScreenPipeline::fullPictureShown, screen, [&] {
        if (clock.isValid())
            return;
        clock.start();
        session.SendCmd("MoMo?300-300");
    });
    session.WANconnect(false);
    QTimer::singleShot((seconds + 15) * 1000, qApp, [] { qApp->exit(2); });
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, qApp, [&] {
        if (clock.isValid() && clock.elapsed() >= seconds * 1000)
            qApp->exit(0);
    });
    tick.start(50);
    const int rc = qApp->exec();
    if (rc != 0 || !clock.isValid()) {
        std::fprintf(stderr, "the session did not show a picture in time\n");
        return 1;
    }
    const double s = clock.elapsed() / 1000.0;
    std::printf("live 1920x1080 (rectangle lists and whole-screen updates as the host chooses):"
                " %d updates in %.1f s = %.1f updates/s; peak RSS %.1f MB"
                " (console and in-process gateway with its host together)\n",
                updates, s, updates / s, peakRssKb() / 1024.0);
    return 0;
}
} // namespace

int main(int argc, char **argv) {
    QGuiApplication app(argc, argv);
    int iterations = 15;
    int liveSeconds = 0;
    const QStringList args = app.arguments();
    for (qsizetype i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == QLatin1String("--iterations"))
            iterations = std::max(1, args[i + 1].toInt());
        else if (args[i] == QLatin1String("--live"))
            liveSeconds = std::max(0, args[i + 1].toInt());
    }
    offline(iterations);
    std::printf("peak RSS after the offline runs: %.1f MB\n", peakRssKb() / 1024.0);
    if (liveSeconds > 0)
        return live(liveSeconds);
    return 0;
}
