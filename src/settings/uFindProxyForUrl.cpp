#include "settings/uFindProxyForUrl.h"
#include "settings/ServiceConfig.h"
#include "settings/uIniFiles.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDataStream>
#include <QIODevice>
#include <QThread>

#include <future>
#include <memory>

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

namespace {

std::mutex effectiveMutex;
EffectiveProxyState effectiveState;

void recordEffectiveProxy(const EffectiveProxyState &state) {
    const std::lock_guard lock(effectiveMutex);
    effectiveState = state;
}

std::mutex promptMutex;
ProxyCredentialsPrompt credentialsPrompt;

QString normalScheme(const QString &scheme) {
    return scheme.isEmpty() ? QStringLiteral("https") : scheme.toLower();
}

} // namespace

EffectiveProxyState effectiveProxy() {
    const std::lock_guard lock(effectiveMutex);
    return effectiveState;
}

QByteArray ProxyRequest::Fingerprint() const {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << normalScheme(Scheme) << TargetHost.toLower() << ManProxy << ProxyName << ProxyPort
        << ProxyUserCode << ProxyPassword;
    // Hashed, so that the key held for the run carries no password.
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

ProxyRequest ProxyRequestFor(const Settings &s, const QString &scheme) {
    ProxyRequest request;
    request.Scheme = normalScheme(scheme);
    request.TargetHost = serviceConfig().host(serviceConfig().WebHost);
    request.ManProxy = s.ManProxy;
    request.ProxyName = s.ProxyName;
    request.ProxyPort = s.ProxyPort;
    request.ProxyUserCode = s.ProxyUserCode;
    request.ProxyPassword = s.ProxyPassword;
    return request;
}

ProxyRequest ProxyRequestFromSettings(const QString &scheme) {
    return ProxyRequestFor(settings(), scheme);
}

EffectiveProxyState ComputeEffectiveProxy(const ProxyRequest &request, TDM_Admin &admin) {
    EffectiveProxyState state;
    if (request.ManProxy) {
        state.EffectiveProxyHost = request.ProxyName.trimmed();
        state.EffectiveProxyPort = request.ProxyPort;
        state.EffectiveProxyUser = request.ProxyUserCode;
        state.EffectiveProxyPassword = request.ProxyPassword;
    } else {
        if (!request.TargetHost.isEmpty())
            admin.TargetHost = request.TargetHost;
        const DiscoveredProxy found = admin.Discover(request.Scheme);
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

EffectiveProxyState ComputeEffectiveProxy(const Settings &settings, TDM_Admin &admin,
                                          const QString &scheme) {
    ProxyRequest request = ProxyRequestFor(settings, scheme);
    if (!admin.TargetHost.isEmpty())
        request.TargetHost = admin.TargetHost;
    return ComputeEffectiveProxy(request, admin);
}

ProxyResolver::ProxyResolver(ProxySources sources) : m_sources(std::move(sources)) {}

EffectiveProxyState ProxyResolver::Resolve(const ProxyRequest &request) {
    const QByteArray key = request.Fingerprint();
    quint64 generation;
    {
        const std::lock_guard lock(m_mutex);
        if (m_valid && m_key == key)
            return m_cached;
        generation = m_generation;
    }
    // A discovery of this call's own, so that nothing of it is shared with another thread.
    TDM_Admin admin(m_sources);
    const EffectiveProxyState state = ComputeEffectiveProxy(request, admin);
    const std::lock_guard lock(m_mutex);
    if (generation == m_generation) {
        m_valid = true;
        m_key = key;
        m_cached = state;
    }
    return state;
}

void ProxyResolver::Invalidate() {
    const std::lock_guard lock(m_mutex);
    ++m_generation;
    m_valid = false;
    m_key.clear();
    m_cached = EffectiveProxyState{};
}

namespace {

ProxySources consoleSources() {
    ProxySources sources = SystemProxySources();
    sources.askCredentials = AskProxyCredentials;
    return sources;
}

ProxyResolver &consoleResolver() {
    static ProxyResolver resolver(consoleSources());
    return resolver;
}

} // namespace

EffectiveProxyState ResolveProxyCached(const ProxyRequest &request) {
    const EffectiveProxyState state = consoleResolver().Resolve(request);
    recordEffectiveProxy(state);
    return state;
}

EffectiveProxyState DiscoverProxy(const ProxyRequest &request) {
    return consoleResolver().Resolve(request);
}

EffectiveProxyState ResolveProxyCached(const QString &scheme) {
    return ResolveProxyCached(ProxyRequestFromSettings(scheme));
}

void InvalidateProxyCache() {
    consoleResolver().Invalidate();
}

EffectiveProxyState ResolveProxy(const QString &gatewayScheme) {
    return ResolveProxyCached(gatewayScheme);
}

EffectiveProxyState ResolveEffectiveProxy(const ProxySources &sources, const QString &scheme) {
    TDM_Admin admin(sources);
    const EffectiveProxyState state =
        ComputeEffectiveProxy(ProxyRequestFromSettings(scheme), admin);
    recordEffectiveProxy(state);
    return state;
}

void SetProxyCredentialsPrompt(ProxyCredentialsPrompt prompt) {
    const std::lock_guard lock(promptMutex);
    credentialsPrompt = std::move(prompt);
}

bool AskProxyCredentials(const QUrl &url, QString &user, QString &password) {
    ProxyCredentialsPrompt prompt;
    {
        const std::lock_guard lock(promptMutex);
        prompt = credentialsPrompt;
    }
    if (!prompt)
        return false;
    QCoreApplication *app = QCoreApplication::instance();
    if (!app || QThread::currentThread() == app->thread())
        return prompt(url, user, password);

    // Only the posted call holds the promise: if the event is dropped unrun (the application
    // is going away), the promise dies with it and the wait below ends as a refusal.
    struct Answer {
        bool given = false;
        QString user, password;
    };
    auto promise = std::make_shared<std::promise<Answer>>();
    std::future<Answer> future = promise->get_future();
    QMetaObject::invokeMethod(
        app,
        [promise = std::move(promise), prompt, url, user, password] {
            Answer answer{false, user, password};
            answer.given = prompt(url, answer.user, answer.password);
            promise->set_value(answer);
        },
        Qt::QueuedConnection);
    try {
        const Answer answer = future.get();
        if (answer.given) {
            user = answer.user;
            password = answer.password;
        }
        return answer.given;
    } catch (const std::future_error &) {
        return false;
    }
}

TDM_Admin &DM_Admin() {
    static TDM_Admin admin(consoleSources());
    return admin;
}
