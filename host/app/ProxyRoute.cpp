#include "ProxyRoute.h"
#include "platform/ProxySources.h"
#include "settings/uFindProxyForUrl.h"

namespace qhost {

void RouteThroughDesktopProxy(gatewayd::HostChannelClient::Endpoint &endpoint,
                              const QString &gatewayHost) {
    TDM_Admin discovery(SystemProxySources());
    discovery.TargetHost = gatewayHost;
    const DiscoveredProxy proxy = discovery.Discover(QStringLiteral("https"));
    if (proxy.Host.isEmpty())
        return;
    endpoint.proxyAddress = proxy.Host.toStdString();
    endpoint.proxyPort = quint16(proxy.Port);
    if (!proxy.User.isEmpty())
        endpoint.proxyAuthorization =
            "Basic " +
            (proxy.User + QLatin1Char(':') + proxy.Password).toUtf8().toBase64().toStdString();
}

} // namespace qhost
