#include "GatewayAddress.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QUrl>

namespace qhost {

QString DefaultSettingsPath() {
    const QString user = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                         QStringLiteral("/quorvia-host/host.ini");
    if (QFileInfo::exists(user))
        return user;
    return QStringLiteral("/etc/quorvia-host/host.ini");
}

HostSettings ReadHostSettings(const QString &path) {
    HostSettings s;
    if (!QFileInfo::exists(path))
        return s;
    QSettings ini(path, QSettings::IniFormat);
    s.gatewayAddress = ini.value(QStringLiteral("Service/GatewayAddress")).toString();
    s.trustedCertificates = ini.value(QStringLiteral("Service/TrustedCertificates")).toString();
    return s;
}

std::optional<GatewayAddress> ResolveGatewayAddress(const HostSettings &settings, int gateway,
                                                    QString *error) {
    const auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return std::nullopt;
    };
    if (settings.gatewayAddress.isEmpty())
        return fail(QStringLiteral("No gateway address is configured."));
    QString text = settings.gatewayAddress;
    text.replace(QLatin1String("{n}"), QStringLiteral("%1").arg(gateway, 3, 10, QLatin1Char('0')));
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid() || url.scheme() != QLatin1String("https") || url.host().isEmpty())
        return fail(QStringLiteral("The gateway address %1 is not an https address.").arg(text));
    GatewayAddress a;
    a.host = url.host();
    a.port = quint16(url.port(443));
    a.gateway = gateway;
    a.trustedCertificates = settings.trustedCertificates;
    return a;
}

} // namespace qhost
