// "quorvia-gateway test": the gateway service in its test mode, for demos and tests.
#include "TestMode.h"
#include "LocalGateway.h"
#include "settings/PasswordCipher.h"
#include "settings/ServiceConfig.h"
#include "settings/uIniFiles.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <QTextStream>

#include <algorithm>
#include <cstdio>

namespace {
QSize parseSize(const QString &text, QSize fallback) {
    const QStringList parts = text.split(QLatin1Char('x'));
    if (parts.size() != 2)
        return fallback;
    bool okW = false;
    bool okH = false;
    const QSize s(parts[0].toInt(&okW), parts[1].toInt(&okH));
    return okW && okH && s.width() >= 320 && s.height() >= 240 ? s : fallback;
}
// A complete settings file for a console that uses this gateway, written through the console's
// own store so the password is enciphered the way the console reads it.
bool writeConsoleIni(const localgw::LocalGateway &gateway, const localgw::GatewayConfig &config,
                     const QString &path) {
    Settings s;
    s.WindowLeft = 40;
    s.WindowTop = 30;
    s.WindowWidth = 1280;
    s.WindowHeight = 900;
    s.UserCode = QString::fromLatin1(config.accounts.value(0).userCode);
    s.Password = QString::fromLatin1(config.accounts.value(0).password);
    s.GCount = config.gatewayCount;
    s.ResTip = false; // the demo starts without the resolution advice
    ServiceConfig service;
    service.Domain = config.domain;
    service.GatewayAddress = gateway.gatewayAddress();
    service.TrustedCertificates = gateway.caPemPath();
    // The proxy test of the connection settings dialog fetches the version file from here.
    service.UpdateHost = QStringLiteral("127.0.0.1:%1").arg(gateway.port());
    SettingsStore store(s, service, passwordCipher());
    return store.save(path);
}
} // namespace

using namespace localgw;

int runTestMode(int argc, char *argv[]) {
    // Pictures are painted off screen; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quorvia-gateway test"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "The gateway service in its test mode: a simulated host joins every session, the\n"
        "admin and fault API is under /_admin/. Serves HTTPS on 127.0.0.1 until killed."));
    parser.addHelpOption();
    const QCommandLineOption port({"p", "port"}, "Port (0: a free one).", "N", "0");
    const QCommandLineOption dir({"d", "dir"},
                                 "Folder for ca.pem, console-settings.ini and "
                                 "requests.jsonl (default: a temporary one).",
                                 "D");
    const QCommandLineOption gateways("gateways", "Number of gateways (G#).", "N", "3");
    const QCommandLineOption hostDelay("host-delay-ms",
                                       "Host joins this long after the logon; -1: never by "
                                       "itself (admin host/join).",
                                       "MS", "3000");
    const QCommandLineOption pollHold("poll-hold-ms", "Longest hold of an idle poll.", "MS",
                                      "20000");
    const QCommandLineOption user("user", "Account user code.", "TEXT", "demo");
    const QCommandLineOption password("password", "Account password.", "TEXT", "demo");
    const QCommandLineOption name("name", "Account name in the logon reply.", "TEXT",
                                  "Demo Operator");
    const QCommandLineOption screen("screen", "Initial remote screen size.", "WxH", "1024x768");
    const QCommandLineOption frozen("frozen-clock", "Keep the desktop clock still.");
    const QCommandLineOption info("info", "The logon reply's \"info\" field.", "TEXT", "X0");
    const QCommandLineOption version("version-digits",
                                     "Version digits announced at logon (default: the "
                                     "console's own, no update offered).",
                                     "DIGITS");
    const QCommandLineOption hostName("host-name", "The host's computer name.", "TEXT", "DEMO-PC");
    const QCommandLineOption consoleIni(
        "console-ini", "Write a complete console settings file for this gateway.", "PATH");
    const QCommandLineOption files("files",
                                   "Folder of the host's drives C and D (default: a "
                                   "temporary one).",
                                   "D");
    const QCommandLineOption maxBody("max-body-mb", "Largest upload the gateway takes.", "MB",
                                     "64");
    parser.addOptions({port, dir, gateways, hostDelay, pollHold, user, password, name, screen,
                       frozen, info, version, hostName, consoleIni, files, maxBody});
    parser.process(app);

    GatewayConfig config;
    config.port = quint16(parser.value(port).toUInt());
    config.dir = parser.value(dir);
    config.gatewayCount = qBound(1, parser.value(gateways).toInt(), 999);
    config.hostDelayMs = parser.value(hostDelay).toInt();
    config.pollHoldMs = qBound(100, parser.value(pollHold).toInt(), 55000);
    config.accounts = {{parser.value(user).toLatin1(), parser.value(password).toLatin1(),
                        parser.value(name).toLatin1()}};
    config.screenSize = parseSize(parser.value(screen), config.screenSize);
    config.clockRunning = !parser.isSet(frozen);
    config.info = parser.value(info).toLatin1();
    config.versionDigits = parser.value(version).toLatin1();
    config.host.hostName = parser.value(hostName).toLatin1();
    config.fileSandbox = parser.value(files);
    config.maxRequestBodyBytes = std::clamp(parser.value(maxBody).toLongLong(), 1LL, 1LL << 20)
                                 << 20;

    LocalGateway gateway(config);
    QString error;
    if (!gateway.start(&error)) {
        std::fprintf(stderr, "quorvia-gateway: %s\n", qPrintable(error));
        return 1;
    }
    if (parser.isSet(consoleIni) && !writeConsoleIni(gateway, config, parser.value(consoleIni))) {
        std::fprintf(stderr, "quorvia-gateway: cannot write %s\n",
                     qPrintable(parser.value(consoleIni)));
        return 1;
    }
    QTextStream out(stdout);
    out << gateway.consoleSettingsText() << "\n"
        << "; settings file: " << gateway.settingsPath() << "\n"
        << "; request log:   " << gateway.requestLogPath() << "\n"
        << "; admin:         " << gateway.adminUrl(QStringLiteral("state")) << "\n"
        << "READY port=" << gateway.port() << Qt::endl;
    return app.exec();
}
