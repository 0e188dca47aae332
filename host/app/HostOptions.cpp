#include "HostOptions.h"

#include <QCommandLineParser>

namespace qhost {

HostOptions ParseHostOptions(const QStringList &arguments) {
    QCommandLineParser parser;
    const QCommandLineOption gateway(QStringLiteral("gateway"),
                                     QStringLiteral("Gateway address ({n}: the gateway number)."),
                                     QStringLiteral("url"));
    const QCommandLineOption ca(QStringLiteral("ca"),
                                QStringLiteral("PEM file of certificate authorities to trust."),
                                QStringLiteral("file"));
    const QCommandLineOption settings(QStringLiteral("settings"), QStringLiteral("Settings file."),
                                      QStringLiteral("file"));
    const QCommandLineOption resume(
        QStringLiteral("resume"), QStringLiteral("Rejoin after a restart."), QStringLiteral("key"));
    parser.addOptions({gateway, ca, settings, resume});
    parser.addPositionalArgument(QStringLiteral("key"),
                                 QStringLiteral("The key or the setup link from the operator."));
    HostOptions o;
    if (!parser.parse(arguments)) {
        o.error = parser.errorText();
        return o;
    }
    o.gateway = parser.value(gateway);
    o.caFile = parser.value(ca);
    o.settings = parser.value(settings);
    if (parser.isSet(resume)) {
        o.resume = true;
        o.key = parser.value(resume);
    } else if (!parser.positionalArguments().isEmpty()) {
        o.key = parser.positionalArguments().first();
    }
    return o;
}

} // namespace qhost
