// gatewayd_logon_probe: the console's session core logs on to a gateway and off again, for
// the check of the installed package (scripts/package-check-gateway.sh).
//   gatewayd_logon_probe GATEWAY_ADDRESS CA_PEM USER GATEWAY_COUNT   (password on stdin)
// Prints "LOGGED ON key=K gateway=N" and exits 0 when the logon and the logoff worked.
#include "SessionTestSupport.h"
#include "common/AdminVars.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTextStream>

#include <cstdio>
#include <iostream>
#include <string>

namespace {
bool waitFor(const std::function<bool()> &condition) {
    QDeadlineTimer deadline(30000);
    while (!condition() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    return condition();
}
} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s GATEWAY_ADDRESS CA_PEM USER GATEWAY_COUNT\n", argv[0]);
        return 2;
    }
    std::string password;
    std::getline(std::cin, password);
    resetProcessState();
    useLocalGateway(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));
    settings().UserCode = QString::fromLocal8Bit(argv[3]);
    settings().Password = QString::fromStdString(password);
    settings().GCount = QByteArray(argv[4]).toInt();

    RecordingUi ui;
    auto session = makeTestSession(ui);
    session->WANconnect(false);
    if (!waitFor([] { return adminVars().LoggedOn; })) {
        std::fprintf(stderr, "no logon: %s %s\n", qPrintable(ui.messages.join(" | ")),
                     qPrintable(ui.lastFlash()));
        return 1;
    }
    std::printf("LOGGED ON key=%s gateway=%d\n", qPrintable(adminVars().CurrentKey),
                session->GatewayNumber);
    session->WMWANdisconnect(0, 1);
    if (!waitFor([] { return !adminVars().LoggedOn; })) {
        std::fprintf(stderr, "no logoff\n");
        return 1;
    }
    std::printf("LOGGED OFF %s\n", qPrintable(ui.lastFlash().replace('\r', ' ')));
    return 0;
}
