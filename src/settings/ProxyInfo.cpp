#include "settings/ProxyInfo.h"
#include "settings/PacEngine.h"

#include <QHostAddress>
#include <QRegularExpression>
#include <QUrl>

namespace {

constexpr int MaxTraceLines = 200;
// Times the credentials dialog is offered for one script before giving up.
constexpr int MaxCredentialRequests = 3;

const char *const SlotNames[TProxyInfo::SlotCount] = {"http", "https", "ftp", "gopher", "socks"};

QString withoutUserInfo(const QUrl &url) {
    return url.toString(QUrl::RemoveUserInfo);
}

// An entry's ":port" (after a name or a bracketed address) is not part of what it matches.
QString withoutPort(const QString &entry) {
    if (entry.startsWith(QLatin1Char('['))) {
        const qsizetype close = entry.indexOf(QLatin1Char(']'));
        return close > 0 ? entry.mid(1, close - 1) : entry;
    }
    const qsizetype colon = entry.indexOf(QLatin1Char(':'));
    if (colon < 0 || entry.indexOf(QLatin1Char(':'), colon + 1) >= 0)
        return entry; // no port, or an IPv6 address
    bool ok = false;
    entry.mid(colon + 1).toInt(&ok);
    return ok ? entry.left(colon) : entry;
}

bool matchesEntry(const QString &host, const QString &rawEntry, bool isAddress) {
    const QString entry = rawEntry.trimmed().toLower();
    if (entry.isEmpty())
        return false;
    if (entry == QLatin1String("*"))
        return true;
    if (entry == QLatin1String("<local>"))
        return !isAddress && !host.contains(QLatin1Char('.'));
    if (entry.contains(QLatin1Char('/'))) {
        const auto subnet = QHostAddress::parseSubnet(entry);
        return isAddress &&
               subnet.first.protocol() != QAbstractSocket::UnknownNetworkLayerProtocol &&
               QHostAddress(host).isInSubnet(subnet);
    }
    const QString name = withoutPort(entry);
    if (name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?')))
        return Pac::shExpMatch(host, name);
    if (name.startsWith(QLatin1Char('.')))
        return host.endsWith(name) || host == name.mid(1);
    if (isAddress)
        return QHostAddress(host).isEqual(QHostAddress(name));
    return host == name || host.endsWith(QLatin1Char('.') + name);
}

} // namespace

TServerSpec ParseServerSpec(const QString &text) {
    TServerSpec server;
    QString rest = text.trimmed();
    if (rest.isEmpty() || rest.size() > ProxySourceLimits::MaxValueLength)
        return server;
    const qsizetype at = rest.lastIndexOf(QLatin1Char('@'));
    if (at >= 0) {
        const QString userInfo = rest.left(at);
        rest = rest.mid(at + 1);
        const qsizetype colon = userInfo.indexOf(QLatin1Char(':'));
        server.User = QUrl::fromPercentEncoding(userInfo.left(colon).toUtf8());
        if (colon >= 0)
            server.Password = QUrl::fromPercentEncoding(userInfo.mid(colon + 1).toUtf8());
    }
    if (rest.startsWith(QLatin1Char('['))) {
        const qsizetype close = rest.indexOf(QLatin1Char(']'));
        if (close < 0)
            return {};
        server.Host = rest.mid(1, close - 1);
        if (rest.mid(close + 1).startsWith(QLatin1Char(':')))
            server.Port = rest.mid(close + 2);
    } else {
        const qsizetype colon = rest.indexOf(QLatin1Char(':'));
        server.Host = rest.left(colon);
        if (colon >= 0)
            server.Port = rest.mid(colon + 1);
    }
    server.Host = server.Host.trimmed();
    server.Port = server.Port.trimmed();
    if (server.Host.isEmpty())
        return {};
    server.Kind = 1;
    return server;
}

TServerSpecList ParsePacAnswer(const QString &answer, QStringList *skipped) {
    TServerSpecList list;
    const QStringList items =
        answer.left(MaxPacAnswerLength).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    int seen = 0;
    for (const QString &raw : items) {
        const QString item = raw.trimmed();
        if (item.isEmpty())
            continue;
        if (++seen > MaxPacAnswerItems)
            break;
        const qsizetype blank = item.indexOf(QRegularExpression(QStringLiteral("\\s")));
        const QString keyword = item.left(blank).toUpper();
        const QString rest = blank < 0 ? QString() : item.mid(blank).trimmed();
        if (keyword == QLatin1String("DIRECT") && rest.isEmpty()) {
            list.append(TServerSpec{});
            continue;
        }
        if (keyword == QLatin1String("PROXY") || keyword == QLatin1String("HTTP")) {
            const TServerSpec server = ParseServerSpec(rest);
            if (server.Kind == 1 && server.User.isEmpty() && !rest.contains(QLatin1Char('@'))) {
                list.append(server);
                continue;
            }
        }
        // SOCKS and HTTPS proxies cannot carry this console's requests; anything else is not
        // understood. Either way the next item is tried.
        if (skipped)
            skipped->append(item.left(200));
    }
    return list;
}

bool HostBypassed(const QString &rawHost, const QStringList &bypassList, bool bypassLocal) {
    QString host = rawHost.trimmed().toLower();
    if (host.endsWith(QLatin1Char('.')))
        host.chop(1);
    if (host.startsWith(QLatin1Char('[')) && host.endsWith(QLatin1Char(']')))
        host = host.mid(1, host.size() - 2);
    if (host.isEmpty())
        return false;
    const bool isAddress = !QHostAddress(host).isNull();
    if (bypassLocal && !isAddress && !host.contains(QLatin1Char('.')))
        return true;
    for (const QString &entry : bypassList) {
        if (matchesEntry(host, entry, isAddress))
            return true;
    }
    return false;
}

int ProxySlotFor(const QString &protocol) {
    for (int i = 0; i < TProxyInfo::SlotCount; ++i) {
        if (protocol.compare(QLatin1String(SlotNames[i]), Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

TProxyInfo::TProxyInfo() = default;
TProxyInfo::~TProxyInfo() = default;

void TProxyInfo::TraceError(const QString &text) {
    if (TraceLevel >= tmlError && Trace.size() < MaxTraceLines)
        Trace.append(QStringLiteral("[ERR] ") + text);
}

void TProxyInfo::TraceWarning(const QString &text) {
    if (TraceLevel >= tmlWarning && Trace.size() < MaxTraceLines)
        Trace.append(QStringLiteral("[WRN] ") + text);
}

void TProxyInfo::TraceMessage(const QString &text) {
    if (TraceLevel >= tmlMessage && Trace.size() < MaxTraceLines)
        Trace.append(QStringLiteral("[MSG] ") + text);
}

void TProxyInfo::Clear() {
    ReleaseScript();
    ProxyEnabled = false;
    BypassLocal = false;
    BypassReversed = false;
    for (TServerSpec &server : Servers)
        server = TServerSpec{};
    BypassList.clear();
    Flags = 0;
    ProxyString.clear();
    BypassString.clear();
    ConfiguredScriptUrl.clear();
    ScriptUrl.clear();
    Source.clear();
}

void TProxyInfo::ReleaseScript() {
    m_engine.reset();
    ScriptActive = false;
}

TServerSpec TProxyInfo::ServerFor(int slot) const {
    return slot >= 0 && slot < SlotCount ? Servers[slot] : TServerSpec{};
}

bool TProxyInfo::Refresh(const ProxySources &sources) {
    Clear();
    for (const SystemProxyReader reader : SystemProxyReaders(sources)) {
        if (Apply(reader(sources), sources))
            return true;
    }
    Clear();
    return false;
}

bool TProxyInfo::Apply(const DesktopProxySettings &config, const ProxySources &sources) {
    Clear();
    Source = config.source;
    switch (config.mode) {
    case DesktopProxySettings::NotConfigured:
        TraceMessage(config.source + QStringLiteral(": no proxy configuration"));
        return false;
    case DesktopProxySettings::Direct:
        Flags = FlagDirect;
        TraceMessage(config.source + QStringLiteral(": direct connection"));
        return true;
    case DesktopProxySettings::Manual:
        Flags = FlagFixedProxy;
        ProxyEnabled = true;
        ProxyString = config.proxyString;
        BypassString = config.bypassString;
        BypassReversed = config.bypassReversed;
        ParseProxyString();
        ParseBypassString();
        TraceMessage(config.source + QStringLiteral(": fixed proxy"));
        return true;
    case DesktopProxySettings::ScriptUrl:
        Flags = FlagScriptUrl;
        ConfiguredScriptUrl = config.scriptUrl;
        if (LoadScript(config.scriptUrl, sources)) {
            ScriptUrl = config.scriptUrl;
            return true;
        }
        break;
    case DesktopProxySettings::AutoDetect:
        Flags = FlagAutoDetect;
        if (DetectScript(sources))
            return true;
        break;
    }
    TraceWarning(config.source + QStringLiteral(": proxy script not available"));
    const QString source = Source;
    Clear();
    Source = source;
    return false;
}

void TProxyInfo::ParseProxyString() {
    const QString text = ProxyString.trimmed();
    if (text.isEmpty())
        return;
    if (!text.contains(QLatin1Char('='))) {
        const TServerSpec server = ParseServerSpec(text);
        for (TServerSpec &slot : Servers)
            slot = server;
        return;
    }
    const QStringList items = text.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const QString &raw : items) {
        const QString item = raw.trimmed();
        const qsizetype equals = item.indexOf(QLatin1Char('='));
        if (equals <= 0)
            continue;
        const int slot = ProxySlotFor(item.left(equals).trimmed());
        if (slot >= 0)
            Servers[slot] = ParseServerSpec(item.mid(equals + 1));
    }
}

void TProxyInfo::ParseBypassString() {
    const QStringList items = BypassString.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const QString &raw : items) {
        const QString item = raw.trimmed();
        if (item.isEmpty())
            continue;
        if (item.compare(QLatin1String("<local>"), Qt::CaseInsensitive) == 0)
            BypassLocal = true;
        else if (BypassList.size() < 1000)
            BypassList.append(item);
    }
}

std::optional<QByteArray> TProxyInfo::FetchScript(const QUrl &url, const ProxySources &sources) {
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("file")) {
        const auto bytes =
            sources.readFile ? sources.readFile(url.toLocalFile(), MaxScriptBytes) : std::nullopt;
        if (!bytes)
            TraceError(QStringLiteral("Script '%1' cannot be read").arg(url.toLocalFile()));
        return bytes;
    }
    if ((scheme != QLatin1String("http") && scheme != QLatin1String("https")) ||
        !sources.downloadPac) {
        TraceError(QStringLiteral("Script '%1': unsupported address").arg(withoutUserInfo(url)));
        return std::nullopt;
    }
    QString user, password;
    for (int requests = 0;;) {
        const PacDownload download = sources.downloadPac(url, user, password, MaxScriptBytes);
        if (download.tooLarge) {
            TraceError(QStringLiteral("Script '%1' is larger than %2 bytes")
                           .arg(withoutUserInfo(url))
                           .arg(MaxScriptBytes));
            return std::nullopt;
        }
        if (download.status == 401 && OnAuthentication && requests < MaxCredentialRequests) {
            ++requests;
            if (OnAuthentication(url, user, password))
                continue;
        }
        if (!download.transferred) {
            TraceError(QStringLiteral("Script '%1': %2").arg(withoutUserInfo(url), download.error));
            return std::nullopt;
        }
        if (download.status < 200 || download.status > 299) {
            TraceError(QStringLiteral("HTTP StatusCode %1").arg(download.status));
            return std::nullopt;
        }
        return download.body;
    }
}

bool TProxyInfo::LoadScript(const QString &address, const ProxySources &sources) {
    ReleaseScript();
    const QUrl url(address.trimmed(), QUrl::StrictMode);
    if (!url.isValid() || address.size() > ProxySourceLimits::MaxValueLength) {
        TraceError(QStringLiteral("Script address '%1' is not valid").arg(address.left(200)));
        return false;
    }
    const auto bytes = FetchScript(url, sources);
    if (!bytes)
        return false;
    if (bytes->isEmpty()) {
        TraceWarning(QStringLiteral("Script '%1' is empty").arg(withoutUserInfo(url)));
        return false;
    }
    auto engine = std::make_unique<PacEngine>(sources);
    QString error;
    if (!engine->load(QString::fromUtf8(*bytes), &error)) {
        TraceError(QStringLiteral("Script '%1': %2").arg(withoutUserInfo(url), error));
        return false;
    }
    m_engine = std::move(engine);
    ScriptActive = true;
    TraceMessage(QStringLiteral("Script '%1' loaded").arg(withoutUserInfo(url)));
    return true;
}

// WPAD by DNS: "wpad." + the machine's domain, then its parent domains, but never a
// top-level domain alone, where anyone could own the name.
bool TProxyInfo::DetectScript(const ProxySources &sources) {
    QString domain = sources.localDomain ? sources.localDomain().trimmed().toLower() : QString();
    if (domain.endsWith(QLatin1Char('.')))
        domain.chop(1);
    if (domain.isEmpty() || domain.size() > 253 || !sources.lookupHost) {
        TraceWarning(QStringLiteral("WPAD: no DNS domain"));
        return false;
    }
    const QStringList labels = domain.split(QLatin1Char('.'));
    for (const QString &label : labels) {
        if (label.isEmpty() || label.size() > 63) {
            TraceWarning(QStringLiteral("WPAD: unusable domain '%1'").arg(domain));
            return false;
        }
    }
    for (int i = 0; i < labels.size() && i < MaxWpadCandidates; ++i) {
        if (i > 0 && labels.size() - i < 2)
            break;
        const QString name = QStringLiteral("wpad.") + labels.mid(i).join(QLatin1Char('.'));
        if (sources.lookupHost(name).isEmpty()) {
            TraceMessage(QStringLiteral("WPAD: %1 does not resolve").arg(name));
            continue;
        }
        const QString url = QStringLiteral("http://%1/wpad.dat").arg(name);
        if (LoadScript(url, sources)) {
            ScriptUrl = url;
            return true;
        }
    }
    return false;
}

void TProxyInfo::FindProxy(const QString &address, TServerSpecList &list) {
    list.clear();
    const QUrl url(address);
    const QString protocol = url.scheme().toLower();
    const QString host = url.host();
    const bool web = protocol == QLatin1String("http") || protocol == QLatin1String("https");
    if (ScriptActive && m_engine && web) {
        QString error;
        const auto answer = m_engine->findProxyForUrl(address, host, &error);
        if (!answer) {
            TraceError(QStringLiteral("FindProxyForURL: ") + error);
            return;
        }
        QStringList skipped;
        list = ParsePacAnswer(*answer, &skipped);
        for (const QString &item : std::as_const(skipped))
            TraceWarning(QStringLiteral("Unexpected connection type '%1'").arg(item));
        return;
    }
    TServerSpec entry;
    const bool listed = HostBypassed(host, BypassList, BypassLocal);
    if (ProxyEnabled && listed == BypassReversed) {
        const int slot = ProxySlotFor(protocol);
        if (slot < 0) {
            TraceWarning(QStringLiteral("Unexpected protocol '%1'").arg(protocol.left(50)));
        } else {
            entry = Servers[slot];
            // A source that names only one web proxy means it for both kinds of address.
            if (entry.Kind == 0 && web)
                entry = Servers[slot == SlotHttp ? SlotHttps : SlotHttp];
        }
    }
    list.append(entry);
}
