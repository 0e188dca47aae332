#include "settings/uFindProxyForUrl.h"
#include "settings/ServiceConfig.h"
#include "settings/uIniFiles.h"

namespace {

constexpr int DefaultProxyPort = 8080;

int portOrDefault(const QString &text) {
    bool ok = false;
    const int port = text.toInt(&ok);
    return ok && port > 0 && port <= 65535 ? port : DefaultProxyPort;
}

} // namespace

TDM_Admin::TDM_Admin(ProxySources sources) : Sources(std::move(sources)) {
    ProxyInfo.OnAuthentication = Sources.askCredentials;
    ProxyInfo.TraceLevel = tmlMessage;
}

DiscoveredProxy TDM_Admin::Discover(const QString &requestedScheme) {
    DiscoveredProxy found;
    if (m_busy) {
        // The script download waits in a nested event loop; a second discovery started from
        // there would pull the state away from under the first.
        ProxyInfo.TraceWarning(QStringLiteral("Discovery already running"));
        return found;
    }
    m_busy = true;
    ProxyInfo.Trace.clear();

    const QString scheme =
        requestedScheme.isEmpty() ? QStringLiteral("https") : requestedScheme.toLower();
    const QString host =
        TargetHost.isEmpty() ? serviceConfig().host(serviceConfig().WebHost) : TargetHost;
    const QString url = scheme + QStringLiteral("://") + host + QLatin1Char('/');

    LastBrowser =
        DetectBrowserProxy(Sources, [this](const QString &text) { ProxyInfo.TraceMessage(text); });
    bool answered = LastBrowser.settings.mode != DesktopProxySettings::NotConfigured &&
                    ProxyInfo.Apply(LastBrowser.settings, Sources);
    if (!answered)
        answered = ProxyInfo.Refresh(Sources);

    if (answered) {
        TServerSpecList list;
        ProxyInfo.FindProxy(url, list);
        found.Source = ProxyInfo.Source;
        if (!list.isEmpty()) {
            const TServerSpec &first = list.first();
            found.Host = first.Kind == 1 ? first.Host : QString();
            found.Port = portOrDefault(first.Port);
            found.User = first.User;
            found.Password = first.Password;
        }
    }
    ProxyInfo.TraceMessage(
        QStringLiteral("Proxy for %1: '%2' port %3 (%4)")
            .arg(url, found.Host)
            .arg(found.Port)
            .arg(found.Source.isEmpty() ? QStringLiteral("none") : found.Source));
    m_busy = false;
    return found;
}

void TDM_Admin::FindProxyForUrl(const QString &scheme, QString &host, int &port) {
    const DiscoveredProxy found = Discover(scheme);
    host = found.Host;
    port = found.Port;
}

EffectiveProxyState &effectiveProxy() {
    static EffectiveProxyState state;
    return state;
}

EffectiveProxyState ComputeEffectiveProxy(const Settings &settings, TDM_Admin &admin,
                                          const QString &scheme) {
    EffectiveProxyState state;
    if (settings.ManProxy) {
        state.EffectiveProxyHost = settings.ProxyName.trimmed();
        state.EffectiveProxyPort = settings.ProxyPort;
        state.EffectiveProxyUser = settings.ProxyUserCode;
        state.EffectiveProxyPassword = settings.ProxyPassword;
    } else {
        const DiscoveredProxy found = admin.Discover(scheme);
        state.EffectiveProxyHost = found.Host;
        state.EffectiveProxyPort = found.Port;
        state.EffectiveProxyUser = found.User;
        state.EffectiveProxyPassword = found.Password;
    }
    if (state.EffectiveProxyHost.isEmpty()) {
        // A direct connection: nothing of a proxy may be left over.
        state = EffectiveProxyState{};
    }
    return state;
}

const EffectiveProxyState &ResolveEffectiveProxy(const ProxySources &sources,
                                                 const QString &scheme) {
    TDM_Admin admin(sources);
    effectiveProxy() = ComputeEffectiveProxy(settings(), admin, scheme);
    return effectiveProxy();
}

TDM_Admin &DM_Admin() {
    static TDM_Admin admin(SystemProxySources());
    return admin;
}

const EffectiveProxyState &ResolveProxy(const QString &gatewayScheme) {
    effectiveProxy() = ComputeEffectiveProxy(settings(), DM_Admin(), gatewayScheme);
    return effectiveProxy();
}
