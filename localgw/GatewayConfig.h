#pragma once
#include <QByteArray>
#include <QList>
#include <QSize>
#include <QString>

namespace localgw {

// An operator account the gateway accepts at logon.
struct GatewayAccount {
    QByteArray userCode;
    QByteArray password;
    QByteArray customerName; // the "name" field of the logon reply
};

// What the host program reports about its computer when it joins a session.
struct HostIdentity {
    QByteArray ip = "192.168.10.20";
    QByteArray hostName = "DEMO-PC";
    QByteArray windowsFamily = "WNT"; // "W32" for the old family
    QByteArray keyboardLayout = "00000409";
};

struct GatewayConfig {
    quint16 port = 0;     // 0: a free port
    QString dir;          // CA, settings and request log; empty: a temporary folder
    int gatewayCount = 3; // the "gw" field and the numbered gateways served
    QList<GatewayAccount> accounts = {{"demo", "demo", "Demo Operator"}};
    QString domain = QStringLiteral("quorvia.local");

    int hostDelayMs = 3000;     // host joins this long after the logon; < 0: only when told
    int pollHoldMs = 20000;     // a poll without a message is answered "QAD" after this
    int nschIntervalMs = 4000;  // the host's "nSCh" while its screen program runs
    int rebootMs = 6000;        // a rebooting host is away this long
    int sessionIdleMs = 300000; // a session without requests this long is dropped
    QSize screenSize = {1024, 768};
    bool clockRunning = true; // the desktop clock follows the wall clock
    HostIdentity host;

    // Logon reply fields. `versionDigits` empty: echo the digits of the console's own "vers",
    // so that no update is offered.
    QByteArray versionDigits;
    QByteArray info = "X0";
    QByteArray announcementTitle = "Welcome to the local gateway";
    QByteArray announcementText = "This gateway and its host run on this computer.";
    bool mailFails = false; // the invitation mail (request "22") is answered "Mail?Error"
};

} // namespace localgw
