// How long a click and a key take from the input core to the host: from the gesture handed to
// RemoteInput to the "MsCl" / "KbdP" command arriving at the in-process local gateway over
// HTTPS on loopback (queue, command request, gateway). Median and 95th percentile.
//
//   bench_input_latency [count=200]
#include "LocalGateway.h"
#include "TestSession.h"
#include "common/AdminVars.h"
#include "gateway/GatewaySession.h"
#include "screen/RemoteInput.h"
#include "settings/ServiceConfig.h"
#include "settings/uIniFiles.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>

#include <algorithm>
#include <cstdio>

using namespace localgw;

namespace {
// Runs the event loop, sleeping between events, until `done`.
void waitFor(const std::function<bool()> &done) {
    while (!done())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

qsizetype countOf(const SimulatedHost &host, const char *prefix) {
    const QList<QByteArray> got = host.receivedCommands();
    return std::count_if(got.begin(), got.end(),
                         [prefix](const QByteArray &c) { return c.startsWith(prefix); });
}

void report(const char *what, QList<double> ms) {
    std::sort(ms.begin(), ms.end());
    const auto at = [&](double q) {
        return ms.value(qMin(ms.size() - 1, qsizetype(q * ms.size())));
    };
    std::printf("%-28s %6lld  %8.3f  %8.3f  %8.3f\n", what, static_cast<long long>(ms.size()),
                at(0.5), at(0.95), ms.isEmpty() ? 0.0 : ms.last());
}
} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? qMax(1, QString::fromLocal8Bit(argv[1]).toInt()) : 200;

    GatewayConfig c;
    c.hostDelayMs = 10;
    c.pollHoldMs = 20000;
    c.clockRunning = false;
    LocalGateway gw(c);
    QString error;
    if (!gw.start(&error)) {
        std::fprintf(stderr, "gateway: %s\n", qPrintable(error));
        return 1;
    }
    serviceConfig().GatewayAddress = gw.gatewayAddress();
    serviceConfig().TrustedCertificates = gw.caPemPath();
    settings().UserCode = settings().Password = QStringLiteral("demo");
    settings().GCount = 3;
    GatewaySession session;
    session.setSettingsSaver([] {});
    session.GatewayUrl = serviceConfig().Domain;
    session.VersionTag = QStringLiteral("A100");
    RemoteInput input(&session);
    session.WANconnect(false);
    waitFor([] { return adminVars().HostLoggedOn; });
    SimulatedHost &host = gw.latestSession()->host();
    // The session's own start ("GScM" and the list) settles first.
    waitFor([&] {
        return session.ExecState == GatewaySession::ExecIdle && session.CommandQueue.isEmpty();
    });

    QList<double> clicks, keys;
    QElapsedTimer t;
    for (int i = 0; i < count; ++i) {
        const qsizetype before = countOf(host, "MsCl");
        input.pointerMoved({10 + i % 300, 20});
        t.start();
        input.buttonDown(RemoteInput::Left, {});
        input.buttonUp(RemoteInput::Left);
        waitFor([&] { return countOf(host, "MsCl") > before; });
        clicks.append(t.nsecsElapsed() / 1e6);
        waitFor([&] { return session.ExecState == GatewaySession::ExecIdle; });

        InputCommands::KeyInfo k;
        k.virtualKey = 'A';
        const qsizetype keysBefore = countOf(host, "KbdP");
        t.start();
        input.HookKey(k, 'a', false);
        waitFor([&] { return countOf(host, "KbdP") > keysBefore; });
        keys.append(t.nsecsElapsed() / 1e6);
        waitFor([&] { return session.ExecState == GatewaySession::ExecIdle; });
    }
    std::printf("%-28s %6s  %8s  %8s  %8s\n", "ms from gesture to host", "count", "median", "p95",
                "max");
    report("click (MsCl)", clicks);
    report("key (KbdP)", keys);
    session.WANconnect(true);
    return 0;
}
