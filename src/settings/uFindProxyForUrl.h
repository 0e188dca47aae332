#pragma once
#include "platform/ProxySources.h"
#include "settings/ProxyInfo.h"
#include "settings/uProxy_Net.h"

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <functional>
#include <mutex>

struct Settings;

// What discovery found for one address. An empty host is a direct connection.
struct DiscoveredProxy {
    QString Host;
    int Port = 0;
    QString User; // only where the source carries credentials with the server
    QString Password;
    QString Source; // which source decided, for the trace
};

// Combines the default browser's own settings and the system's. One object belongs to one
// thread: a resolve makes its own on the thread it runs on (its script engine with it); the
// connection settings dialog keeps DM_Admin() on the main thread; tests make their own with
// made-up sources.
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
// at each logon (or taken from the cache below), never stored.
struct EffectiveProxyState {
    QString EffectiveProxyHost; // empty: direct connection
    int EffectiveProxyPort = 0; // 0: none
    QString EffectiveProxyUser;
    QString EffectiveProxyPassword;

    bool operator==(const EffectiveProxyState &) const = default;
};

// The last effective proxy a resolve produced, as a copy: any thread may ask.
EffectiveProxyState effectiveProxy();

// Everything the effective proxy depends on, taken from the settings in one go. Take it on
// the main thread and hand it to a worker, so that the worker never reads the settings while
// a dialog writes them.
struct ProxyRequest {
    QString Scheme;     // "https" or "http", lower case
    QString TargetHost; // the address discovery is for: the service's web host
    bool ManProxy = false;
    QString ProxyName;
    int ProxyPort = 0;
    QString ProxyUserCode;
    QString ProxyPassword;

    // Equal requests give equal results: the cache key.
    QByteArray Fingerprint() const;
};

// The request for `scheme` (empty counts as "https") from these settings and the service's
// web host of serviceConfig(). Both read process-wide settings: call them on the main thread.
ProxyRequest ProxyRequestFor(const Settings &settings, const QString &scheme);
// The same from settings().
ProxyRequest ProxyRequestFromSettings(const QString &scheme);

// The manual proxy of the request when ManProxy is set (with its proxy user and password),
// otherwise what `admin` discovers for its scheme and target. A direct connection has port 0.
EffectiveProxyState ComputeEffectiveProxy(const ProxyRequest &request, TDM_Admin &admin);
EffectiveProxyState ComputeEffectiveProxy(const Settings &settings, TDM_Admin &admin,
                                          const QString &scheme);

// Discovery that may run on any thread, with the last result kept until the request changes
// or Invalidate() is called. Each resolve that is not answered from the cache runs a
// discovery of its own (its processes, script engine and downloads belong to the calling
// thread), outside any lock: two resolves never wait for each other, and the main thread can
// answer a credentials prompt while a worker discovers. A discovery that started before an
// Invalidate() does not fill the cache.
class ProxyResolver {
public:
    explicit ProxyResolver(ProxySources sources);

    EffectiveProxyState Resolve(const ProxyRequest &request);
    void Invalidate();

private:
    const ProxySources m_sources;
    std::mutex m_mutex;
    quint64 m_generation = 0;
    bool m_valid = false;
    QByteArray m_key;
    EffectiveProxyState m_cached;
};

// The console's resolve, on the real machine, cached for the run. Thread-safe; records the
// result as effectiveProxy(). The session runs it on a worker with a request taken on the main
// thread:
//     QtConcurrent::run([request = ProxyRequestFromSettings(scheme)] {
//         return ResolveProxyCached(request);
//     })
// and continues on the main thread when the future finishes. The main thread must never wait for
// that future (QFuture::waitForFinished): a proxy script server that asks for credentials
// needs the main thread to show the dialog (see SetProxyCredentialsPrompt).
EffectiveProxyState ResolveProxyCached(const ProxyRequest &request);
// The same with the request taken from settings() here: for the main thread.
EffectiveProxyState ResolveProxyCached(const QString &scheme);
// The same discovery without recording the result as effectiveProxy(): what the connection
// settings dialog shows before the operator saves or cancels.
EffectiveProxyState DiscoverProxy(const ProxyRequest &request);
// Forgets the cached result, so that the next resolve discovers afresh: for "Auto detect
// proxy" and "Test proxy" of the connection settings dialog, and after the desktop's proxy
// settings may have changed.
void InvalidateProxyCache();

// What the logon runs: ResolveProxyCached(gatewayScheme), which reads settings(); from a
// worker use ResolveProxyCached(ProxyRequest) instead.
EffectiveProxyState ResolveProxy(const QString &gatewayScheme);

// Computes the effective proxy from settings() and these sources without any cache, and
// records it as effectiveProxy(). For tests and tools.
EffectiveProxyState ResolveEffectiveProxy(const ProxySources &sources, const QString &scheme = {});

// Asks the operator for the proxy script server's user name and password: true with them
// filled in to try again, false to give up. Called on the main thread, where it may show a
// window; the main window sets it once at start.
using ProxyCredentialsPrompt =
    std::function<bool(const QUrl &url, QString &user, QString &password)>;
void SetProxyCredentialsPrompt(ProxyCredentialsPrompt prompt);
// What discovery calls when a script server answers 401, from whatever thread it runs on. On
// the main thread it calls the prompt directly; on a worker it posts the call to the main
// thread's event loop and waits for the answer. No prompt set is a refusal, and so is a call
// the main thread drops unrun because the application is going away.
bool AskProxyCredentials(const QUrl &url, QString &user, QString &password);

// The discovery of the connection settings dialog ("Auto detect proxy"), on the real machine.
// Main thread only: it keeps its last state (ProxyInfo's trace, LastBrowser) for the dialog.
TDM_Admin &DM_Admin();
