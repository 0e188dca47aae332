#pragma once
#include "platform/ProxySources.h"
#include "settings/ProxyInfo.h"
#include "settings/uProxy_Net.h"

#include <QString>

struct Settings;

// What discovery found for one address. An empty host is a direct connection.
struct DiscoveredProxy {
    QString Host;
    int Port = 0;
    QString User; // only where the source carries credentials with the server
    QString Password;
    QString Source; // which source decided, for the trace
};

// Combines the default browser's own settings and the system's. Lives as long as the program
// (DM_Admin()); tests make their own with made-up sources.
class TDM_Admin {
public:
    explicit TDM_Admin(ProxySources sources);

    // The proxy for `scheme` ("https", "HTTP"; empty counts as "https", the gateways' scheme)
    // and the service's web host:
    // 1. the default browser's own settings, when it has any (Firefox: prefs.js);
    // 2. otherwise the system's, in the order of SystemProxyReaders: environment, then the
    //    desktop's settings;
    // a fixed proxy answers for itself, a script (configured or found by WPAD) is run for the
    // address. A source that cannot be read, or whose script cannot be had, counts as holding
    // nothing and the next one is asked. The first usable server of the answer wins; a port
    // that is missing or not a number becomes 8080.
    DiscoveredProxy Discover(const QString &scheme);
    // The same as host and port, as the connection settings dialog uses it.
    void FindProxyForUrl(const QString &scheme, QString &host, int &port);

    TProxyInfo ProxyInfo;
    ProxySources Sources;
    // The address discovery is for; empty means the service's web host of serviceConfig().
    QString TargetHost;
    BrowserProxy LastBrowser;

private:
    bool m_busy = false;
};

// The effective proxy every HTTP request of the console goes through. Process-wide, recomputed
// at each logon, never stored.
struct EffectiveProxyState {
    QString EffectiveProxyHost; // empty: direct connection
    int EffectiveProxyPort = 0; // 0: none
    QString EffectiveProxyUser;
    QString EffectiveProxyPassword;
};

EffectiveProxyState &effectiveProxy();

// The manual proxy of the settings when ManProxy is set (with the settings' proxy user and
// password), otherwise what `admin` discovers for the scheme. A direct connection has port 0.
EffectiveProxyState ComputeEffectiveProxy(const Settings &settings, TDM_Admin &admin,
                                          const QString &scheme);

// Computes the effective proxy from settings() and these sources and stores it in
// effectiveProxy(). The logon calls it each time, before it configures the channels.
const EffectiveProxyState &ResolveEffectiveProxy(const ProxySources &sources,
                                                 const QString &scheme = {});

// The process-wide discovery on the real machine. The windows set
// DM_Admin().ProxyInfo.OnAuthentication to show the credentials dialog.
TDM_Admin &DM_Admin();
// ResolveEffectiveProxy with DM_Admin(): what the logon runs.
const EffectiveProxyState &ResolveProxy(const QString &gatewayScheme);
