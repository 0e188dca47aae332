// File transfer throughput on loopback, and the console's peak memory while it moves files of
// two sizes (the peak must not grow with the size).
//
//   bench_file_transfer [megabytes=1000] [path to quorvia-gateway]
//
// A file of the given size, half random and half text, goes to the host and comes back through
// the transfer protocol, end to end (zlib on both sides and the host's own work included). The
// HTTP bodies it moved are then moved again on the console's channel alone and by curl, to and
// from the same gateway, so the channel can be compared with a common client.
#include "BenchGateway.h"
#include "common/AdminVars.h"
#include "gateway/GatewayRequests.h"
#include "gateway/GatewaySession.h"
#include "gateway/HttpChannel.h"
#include "gateway/SessionUi.h"
#include "screen/ScreenPipeline.h"
#include "settings/ServiceConfig.h"
#include "settings/uIniFiles.h"
#include "transfer/FileStreams.h"
#include "transfer/FileTransfer.h"
#include "transfer/QVexplorerProtocol.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <sys/resource.h>

namespace {

double peakMegabytes() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_maxrss) / 1024.0;
}

// Half random (does not compress), half text (compresses well), in 1 MiB blocks.
bool makeFile(const QString &path, qint64 bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    QRandomGenerator g(42);
    QByteArray block(1 << 20, Qt::Uninitialized);
    const QByteArray text = QByteArray("The quick brown fox jumps over the lazy dog 0123456789.\n")
                                .repeated((1 << 20) / 56 + 1)
                                .left(1 << 20);
    for (qint64 done = 0, i = 0; done < bytes; ++i) {
        if (i % 2 == 0)
            g.fillRange(reinterpret_cast<quint32 *>(block.data()), block.size() / 4);
        const QByteArray &b = i % 2 == 0 ? block : text;
        const qint64 n = qMin<qint64>(b.size(), bytes - done);
        if (f.write(b.constData(), n) != n)
            return false;
        done += n;
    }
    return true;
}

QByteArray hashOf(const QString &path) {
    QFile f(path);
    QCryptographicHash h(QCryptographicHash::Sha256);
    if (!f.open(QIODevice::ReadOnly) || !h.addData(&f))
        return {};
    return h.result();
}

// curl's own time for one request; -1 when it failed.
double curl(const QStringList &args) {
    QProcess p;
    p.start(QStringLiteral("curl"),
            QStringList{QStringLiteral("-s"), QStringLiteral("-f"), QStringLiteral("-w"),
                        QStringLiteral("%{time_total}")} +
                args);
    if (!p.waitForFinished(600000) || p.exitCode() != 0)
        return -1;
    return p.readAllStandardOutput().trimmed().toDouble();
}

double mbps(qint64 bytes, double seconds) {
    return seconds > 0 ? double(bytes) / 1e6 / seconds : 0;
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const qint64 megabytes = argc > 1 ? QString::fromLocal8Bit(argv[1]).toLongLong() : 1000;
    const QString gatewayExe = argc > 2 ? QString::fromLocal8Bit(argv[2])
                                        : QCoreApplication::applicationDirPath() +
                                              QStringLiteral("/../gateway/quorvia-gateway");
    QTemporaryDir dir, sandbox, local, back;
    // The gateway and its host run as their own process: their memory is not the console's.
    QProcess gateway;
    if (!startGatewayProcess(
            gateway, gatewayExe,
            {QStringLiteral("test"), QStringLiteral("--dir"), dir.path(), QStringLiteral("--files"),
             sandbox.path(), QStringLiteral("--host-delay-ms"), QStringLiteral("200"),
             QStringLiteral("--frozen-clock"), QStringLiteral("--screen"),
             QStringLiteral("320x240"), QStringLiteral("--poll-hold-ms"), QStringLiteral("2000"),
             QStringLiteral("--max-body-mb"), QStringLiteral("4096")},
            dir.path()))
        return 1;
    const QString caPem = dir.filePath(QStringLiteral("ca.pem"));
    settings().UserCode = QStringLiteral("demo");
    settings().Password = QStringLiteral("demo");
    settings().GCount = 3;

    SessionUi ui;
    GatewaySession session;
    session.setUi(&ui);
    session.setSettingsSaver([] {});
    session.GatewayUrl = serviceConfig().Domain;
    session.VersionTag = QStringLiteral("A100");
    auto *pipeline = new ScreenPipeline(&session);
    QObject::connect(&session, &GatewaySession::stringListReceived, pipeline, [pipeline](int kind) {
        if (kind == 1)
            pipeline->RestartScreenUpdates(true);
    });
    auto *transfer = new FileTransfer(&session, pipeline);
    session.WANconnect(false);
    waitUntil([&] { return pipeline->FirstPictureShown; }, 20000, 20);
    if (!pipeline->FirstPictureShown || !transfer->BttnCopyFileClick()) {
        std::fprintf(stderr, "no session with a host\n");
        return 1;
    }
    waitUntil([&] { return transfer->explorer() != nullptr; }, 15000, 20);
    TQVexplorerProtocol *x = transfer->explorer();
    if (!x)
        return 1;
    x->Activate();
    const double baseline = peakMegabytes();

    struct Row {
        qint64 bytes;
        double up, down, peakUp, peakDown;
    };
    QList<Row> rows;
    const QString gw = session.GatewayUrl;
    const QByteArray key = adminVars().CurrentKey.toLatin1();
    for (const qint64 size : {megabytes / 10, megabytes}) {
        const QString name = QStringLiteral("bench%1.bin").arg(size);
        const qint64 bytes = size * 1000 * 1000;
        if (!makeFile(local.filePath(name), bytes))
            return 1;
        bool ok = false;
        bool ended = false;
        auto c = QObject::connect(x, &TQVexplorerProtocol::transferEnded, [&](bool r) {
            ok = r;
            ended = true;
        });
        QElapsedTimer t;
        t.start();
        x->CopyFile({true, name, local.path(), QStringLiteral("C:")});
        waitUntil([&] { return ended; }, 3600000, 20);
        const double up = t.elapsed() / 1000.0;
        const double peakUp = peakMegabytes();
        const bool upOk = ok && hashOf(sandbox.filePath(QStringLiteral("C/") + name)) ==
                                    hashOf(local.filePath(name));
        ended = false;
        t.restart();
        x->CopyFile({false, name, QStringLiteral("C:"), back.path()});
        waitUntil([&] { return ended; }, 3600000, 20);
        const double down = t.elapsed() / 1000.0;
        const bool downOk = ok && hashOf(back.filePath(name)) == hashOf(local.filePath(name));
        QObject::disconnect(c);
        if (!upOk || !downOk) {
            std::fprintf(stderr, "transfer of %lld MB failed (up %d, down %d)\n", size, upOk,
                         downOk);
            return 1;
        }
        QFile::remove(back.filePath(name));
        QFile::remove(sandbox.filePath(QStringLiteral("C/") + name));
        rows.append({bytes, up, down, peakUp, peakMegabytes()});
    }

    // The last file's bodies once more, on the channel alone and with curl.
    const QString name = QStringLiteral("bench%1.bin").arg(megabytes);
    const QString zipped = local.filePath(QStringLiteral("body.z"));
    {
        QFile in(local.filePath(name)), z(zipped);
        if (!in.open(QIODevice::ReadOnly) || !z.open(QIODevice::WriteOnly) ||
            FileStreams::Deflate(in, z) != FileStreams::Result::Ok)
            return 1;
    }
    const qint64 bodyBytes = QFileInfo(zipped).size();
    HttpChannel channel;
    channel.setMaxReplySize(qint64(8) << 30);
    const QByteArray uploadUrl =
        GatewayRequests::fileUpload(gw.toLatin1(), key, "channel.bin", "C:\\");
    const QByteArray downloadUrl =
        GatewayRequests::fileDownload(gw.toLatin1(), key, name.toLatin1());
    bool done = false;
    int status = 0;
    QObject::connect(&channel, &HttpChannel::requestDone, [&](int, int s, const QByteArray &) {
        status = s;
        done = true;
    });
    QFile body(zipped);
    body.open(QIODevice::ReadOnly);
    QElapsedTimer t;
    t.start();
    channel.postFrom(uploadUrl, &body, bodyBytes, "text/plain");
    waitUntil([&] { return done; }, 3600000, 20);
    const double channelUp = status == 200 ? t.elapsed() / 1000.0 : -1;
    qint64 downloaded = 0;
    done = false;
    t.restart();
    channel.getInto(downloadUrl, [&](QByteArrayView piece) {
        downloaded += piece.size();
        return true;
    });
    waitUntil([&] { return done; }, 3600000, 20);
    const double channelDown = status == 200 ? t.elapsed() / 1000.0 : -1;
    const QString base = gw + QStringLiteral("13?key=") + QString::fromLatin1(key) +
                         QStringLiteral("&filename=curl.bin&Path=C%3A%5C");
    const double curlUp =
        curl({QStringLiteral("--cacert"), caPem, QStringLiteral("-o"), QStringLiteral("/dev/null"),
              QStringLiteral("-H"), QStringLiteral("Content-Type: text/plain"),
              QStringLiteral("-X"), QStringLiteral("POST"), QStringLiteral("-T"), zipped, base});
    const double curlDown = curl({QStringLiteral("--cacert"), caPem, QStringLiteral("-o"),
                                  QStringLiteral("/dev/null"), QString::fromLatin1(downloadUrl)});

    std::printf("| transfer, end to end (zlib and the host included) | up | down | console peak "
                "memory after up / down |\n|---|---|---|---|\n");
    std::printf("| before the first transfer | | | %.0f MB |\n", baseline);
    for (const Row &r : rows)
        std::printf("| %.0f MB file | %.1f MB/s (%.1f s) | %.1f MB/s (%.1f s) | %.0f / %.0f MB |\n",
                    double(r.bytes) / 1e6, mbps(r.bytes, r.up), r.up, mbps(r.bytes, r.down), r.down,
                    r.peakUp, r.peakDown);
    std::printf("\n| HTTP body of %.0f MB (the zlib form) | up | down |\n|---|---|---|\n",
                double(bodyBytes) / 1e6);
    std::printf("| console channel | %.1f MB/s | %.1f MB/s |\n", mbps(bodyBytes, channelUp),
                mbps(downloaded, channelDown));
    std::printf("| curl | %.1f MB/s | %.1f MB/s |\n", mbps(bodyBytes, curlUp),
                mbps(downloaded, curlDown));
    x->Close();
    waitUntil([&] { return transfer->explorer() == nullptr; }, 15000, 20);
    gateway.kill();
    gateway.waitForFinished();
    return 0;
}
