#pragma once
#include <QString>

#include <optional>

namespace qhost {

// Where the host finds gateway n. The key names only the number; the service's address comes
// from `--gateway` or the settings file ([Service] GatewayAddress, as the console writes it:
// "{n}" stands for the number padded to three digits, e.g. "https://gw{n}.example.net/").
struct GatewayAddress {
    QString host;
    quint16 port = 443;
    int gateway = 0;
    QString trustedCertificates; // PEM file trusted besides the system's authorities
};

struct HostSettings {
    QString gatewayAddress;      // the template
    QString trustedCertificates; // [Service] TrustedCertificates
};

// The settings file: the user's ($XDG_CONFIG_HOME/quorvia-host/host.ini) if there is one, else
// the one the package installs (/etc/quorvia-host/host.ini).
QString DefaultSettingsPath();
HostSettings ReadHostSettings(const QString &path);

// Only https is accepted: the channel is TLS or nothing.
std::optional<GatewayAddress> ResolveGatewayAddress(const HostSettings &settings, int gateway,
                                                    QString *error);

} // namespace qhost
