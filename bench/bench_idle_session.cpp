// What an idle session costs: the console's CPU time and HTTP requests over a period while the
// host is connected and its desktop does not change.
//
//   bench_idle_session [seconds=60] [path to quorvia-gateway]
#include "BenchGateway.h"
#include "common/AdminVars.h"
#include "gateway/GatewaySession.h"
#include "gateway/SessionUi.h"
#include "settings/ServiceConfig.h"
#include "settings/uIniFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <sys/resource.h>

namespace {
double cpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

int countLines(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    return int(f.readAll().count('\n'));
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const int seconds = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 60;
    const QString gatewayExe = argc > 2 ? QString::fromLocal8Bit(argv[2])
                                        : QCoreApplication::applicationDirPath() +
                                              QStringLiteral("/../gateway/quorvia-gateway");
    QTemporaryDir dir;
    // The gateway runs as its own process so its work is not counted as the console's.
    QProcess gateway;
    if (!startGatewayProcess(gateway, gatewayExe,
                             {QStringLiteral("test"), QStringLiteral("--dir"), dir.path(),
                              QStringLiteral("--host-delay-ms"), QStringLiteral("200"),
                              QStringLiteral("--frozen-clock")},
                             dir.path()))
        return 1;
    settings().UserCode = QStringLiteral("demo");
    settings().Password = QStringLiteral("demo");
    settings().GCount = 3;

    SessionUi ui;
    GatewaySession session;
    session.setUi(&ui);
    session.setSettingsSaver([] {});
    session.GatewayUrl = serviceConfig().Domain;
    session.VersionTag = QStringLiteral("A100");
    session.WANconnect(false);
    waitUntil([] { return adminVars().HostLoggedOn; }, 15000, 100);
    if (!adminVars().HostLoggedOn) {
        std::fprintf(stderr, "the host did not join\n");
        return 1;
    }
    // Let the session start settle (mode list, first picture) before measuring.
    waitUntil([] { return false; }, 3000, 100);

    const QString log = dir.filePath(QStringLiteral("requests.jsonl"));
    const int requestsBefore = countLines(log);
    const double cpuBefore = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    waitUntil([&] { return wall.elapsed() >= seconds * 1000; }, seconds * 1000 + 1000, 100);
    const double cpu = cpuSeconds() - cpuBefore;
    const int requests = countLines(log) - requestsBefore;

    std::printf("| measure | value |\n|---|---|\n");
    std::printf("| idle period | %d s |\n", seconds);
    std::printf("| console CPU time | %.3f s (%.2f %% of one core) |\n", cpu,
                100.0 * cpu / seconds);
    std::printf("| HTTP requests | %d (%.2f per second) |\n", requests, double(requests) / seconds);
    gateway.kill();
    gateway.waitForFinished();
    return 0;
}
