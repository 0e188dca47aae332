#include "settings/ServiceConfig.h"

QString ServiceConfig::host(const QString &pattern) const {
    QString h = pattern;
    h.replace(QLatin1String("{domain}"), Domain);
    return h;
}

QString ServiceConfig::gatewayUrl(int number) const {
    QString url = host(GatewayAddress);
    url.replace(QLatin1String("{n}"), QStringLiteral("%1").arg(number, 3, 10, QLatin1Char('0')));
    if (!url.endsWith(QLatin1Char('/')))
        url.append(QLatin1Char('/'));
    return url;
}

ServiceConfig &serviceConfig() {
    static ServiceConfig config;
    return config;
}
