// A complete settings file for the console the peer benchmark drives, written through the
// console's own store so that the password is enciphered the way the console reads it.
//
//   peers_console_settings --out FILE --user NAME --password TEXT --gateway-address URL
//                          --ca PEM [--colors 1|2] [--geometry 2300x1400+0+0]
//
// The session log is on because its file is named by the session key: the benchmark reads the
// key the remote user needs from there, as an operator reads it off the window.
#include "settings/PasswordCipher.h"
#include "settings/ServiceConfig.h"
#include "settings/uIniFiles.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QRegularExpression>

#include <cstdio>

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption out("out", "Settings file to write.", "FILE");
    const QCommandLineOption user("user", "Account user code.", "NAME");
    const QCommandLineOption password("password", "Account password.", "TEXT");
    const QCommandLineOption address("gateway-address", "GatewayAddress, with {n}.", "URL");
    const QCommandLineOption ca("ca", "TrustedCertificates: PEM file of the gateway's CA.", "PEM");
    const QCommandLineOption colors("colors", "Colour box index: 1 256 colours, 2 full colour.",
                                    "INDEX", "2");
    const QCommandLineOption geometry("geometry", "Main window.", "WxH+X+Y", "2300x1400+0+0");
    parser.addOptions({out, user, password, address, ca, colors, geometry});
    parser.process(app);
    const QRegularExpressionMatch g =
        QRegularExpression(QStringLiteral("^(\\d+)x(\\d+)\\+(\\d+)\\+(\\d+)$"))
            .match(parser.value(geometry));
    if (!parser.isSet(out) || !parser.isSet(user) || !parser.isSet(address) || !g.hasMatch()) {
        std::fprintf(stderr, "peers_console_settings: --out, --user, --gateway-address and a "
                             "geometry WxH+X+Y are needed\n");
        return 2;
    }
    Settings s;
    s.WindowWidth = g.captured(1).toInt();
    s.WindowHeight = g.captured(2).toInt();
    s.WindowLeft = g.captured(3).toInt();
    s.WindowTop = g.captured(4).toInt();
    s.UserCode = parser.value(user);
    s.Password = parser.value(password);
    s.GCount = 1;
    s.ResTip = false;
    s.Sound = false;
    s.SessionLog = true;
    // The picture at 1:1, the colour depth of the run from the first picture on, and the host's
    // desktop as it is: the peer shows it the same way.
    s.Scaling = 0;
    s.AutoFS = false;
    s.SetRes = false;
    s.SetCol = true;
    s.IAutoCol = parser.value(colors).toInt();
    s.Icol = s.IAutoCol;
    s.DisWP = false;
    ServiceConfig service;
    service.GatewayAddress = parser.value(address);
    service.TrustedCertificates = parser.value(ca);
    SettingsStore store(s, service, passwordCipher());
    if (!store.save(parser.value(out))) {
        std::fprintf(stderr, "peers_console_settings: cannot write %s\n",
                     qPrintable(parser.value(out)));
        return 1;
    }
    return 0;
}
