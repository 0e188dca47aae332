#pragma once
#include <QString>

// The service's own addresses. They are configuration, kept in the [Service] section of the
// settings file and written back unchanged; the defaults are the build constants below.
struct ServiceConfig {
    QString Domain = QStringLiteral("quorvia.example");
    // "{n}" is the gateway number padded to three digits, "{domain}" is Domain.
    QString GatewayAddress = QStringLiteral("https://gw{n}.{domain}/");
    // PEM file of CA certificates trusted in addition to the system's; empty for none.
    QString TrustedCertificates;
    QString UpdateHost = QStringLiteral("update.{domain}");
    QString CustomerHost = QStringLiteral("my.{domain}");
    QString LinksHost = QStringLiteral("links.{domain}");
    QString SupportHost = QStringLiteral("support.{domain}");
    QString WebHost = QStringLiteral("www.{domain}");

    // Base address of gateway `number`, always ending in "/".
    QString gatewayUrl(int number) const;
    // A host setting with "{domain}" replaced.
    QString host(const QString &pattern) const;
};

// Process-wide service configuration, read with the settings.
ServiceConfig &serviceConfig();
