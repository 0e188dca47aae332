#include "settings/uProxy_Net.h"

#include <QDir>
#include <QStringList>

#include <cctype>
#include <climits>

namespace {

constexpr qsizetype MaxPrefString = 64 * 1024;
constexpr int MaxProxyPrefs = 256;

// A cursor over the bytes of a preferences file.
class PrefsScanner {
public:
    explicit PrefsScanner(const QByteArray &text) : m_text(text) {}

    bool atEnd() const { return m_pos >= m_text.size(); }

    void skipBlanksAndComments() {
        while (m_pos < m_text.size()) {
            const char c = m_text[m_pos];
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
                ++m_pos;
            } else if (c == '#' || startsWith("//")) {
                skipLine();
            } else if (startsWith("/*")) {
                const qsizetype end = m_text.indexOf("*/", m_pos + 2);
                m_pos = end < 0 ? m_text.size() : end + 2;
            } else {
                return;
            }
        }
    }

    void skipLine() {
        const qsizetype end = m_text.indexOf('\n', m_pos);
        m_pos = end < 0 ? m_text.size() : end + 1;
    }

    QByteArray identifier() {
        skipBlanksAndComments();
        const qsizetype start = m_pos;
        while (m_pos < m_text.size() &&
               (std::isalnum(static_cast<unsigned char>(m_text[m_pos])) || m_text[m_pos] == '_'))
            ++m_pos;
        return m_text.mid(start, m_pos - start);
    }

    bool expect(char c) {
        skipBlanksAndComments();
        if (m_pos < m_text.size() && m_text[m_pos] == c) {
            ++m_pos;
            return true;
        }
        return false;
    }

    std::optional<QString> string() {
        skipBlanksAndComments();
        if (m_pos >= m_text.size() || (m_text[m_pos] != '"' && m_text[m_pos] != '\''))
            return std::nullopt;
        const char quote = m_text[m_pos++];
        QByteArray bytes;
        QString decoded;
        while (m_pos < m_text.size()) {
            const char c = m_text[m_pos++];
            if (c == quote)
                return decoded + QString::fromUtf8(bytes);
            if (c == '\n' || bytes.size() + decoded.size() > MaxPrefString)
                return std::nullopt;
            if (c != '\\') {
                bytes += c;
                continue;
            }
            if (m_pos >= m_text.size())
                return std::nullopt;
            const char e = m_text[m_pos++];
            if (e == 'n' || e == 'r' || e == 't') {
                bytes += e == 'n' ? '\n' : e == 'r' ? '\r' : '\t';
            } else if (e == 'x' || e == 'u') {
                const int digits = e == 'x' ? 2 : 4;
                bool ok = false;
                const uint code = m_text.mid(m_pos, digits).toUInt(&ok, 16);
                if (!ok || m_pos + digits > m_text.size())
                    return std::nullopt;
                m_pos += digits;
                decoded += QString::fromUtf8(bytes);
                bytes.clear();
                decoded += QChar(char16_t(code));
            } else {
                bytes += e;
            }
        }
        return std::nullopt;
    }

    std::optional<QVariant> value() {
        skipBlanksAndComments();
        if (m_pos >= m_text.size())
            return std::nullopt;
        const char c = m_text[m_pos];
        if (c == '"' || c == '\'') {
            const auto s = string();
            return s ? std::optional<QVariant>(*s) : std::nullopt;
        }
        const QByteArray word = c == '-' ? (++m_pos, "-" + identifier()) : identifier();
        if (word == "true")
            return QVariant(true);
        if (word == "false")
            return QVariant(false);
        bool ok = false;
        const qint64 number = word.size() <= 20 ? word.toLongLong(&ok) : 0;
        return ok ? std::optional<QVariant>(QVariant(number)) : std::nullopt;
    }

private:
    bool startsWith(const char *s) const {
        return QByteArrayView(m_text).sliced(m_pos).startsWith(QByteArrayView(s));
    }

    const QByteArray &m_text;
    qsizetype m_pos = 0;
};

int prefInt(const QHash<QString, QVariant> &prefs, const char *name, int fallback) {
    const QVariant v = prefs.value(QString::fromLatin1(name));
    bool ok = false;
    const qint64 n = v.typeId() == QMetaType::Bool ? 0 : v.toLongLong(&ok);
    return ok && n >= INT_MIN && n <= INT_MAX ? int(n) : fallback;
}

QString prefString(const QHash<QString, QVariant> &prefs, const char *name) {
    const QVariant v = prefs.value(QString::fromLatin1(name));
    return v.typeId() == QMetaType::QString ? v.toString().trimmed() : QString();
}

// A manual server of the browser: it uses one only with a port in range.
QString prefServer(const QHash<QString, QVariant> &prefs, const char *host, const char *port) {
    const int number = prefInt(prefs, port, 0);
    if (number <= 0 || number > 65535)
        return {};
    return ProxyServerFromHostAndPort(prefString(prefs, host), number);
}

struct IniSection {
    QString name;
    QHash<QString, QString> values; // keys in lower case
};

QList<IniSection> iniSections(const QByteArray &text) {
    QList<IniSection> sections;
    const QList<QByteArray> lines = text.split('\n');
    for (const QByteArray &raw : lines) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            if (sections.size() >= 1000)
                break;
            sections.append({line.mid(1, line.size() - 2).trimmed(), {}});
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals <= 0 || sections.isEmpty() || line.startsWith(QLatin1Char(';')) ||
            line.startsWith(QLatin1Char('#')))
            continue;
        const QString key = line.left(equals).trimmed().toLower();
        if (!sections.last().values.contains(key))
            sections.last().values.insert(key, line.mid(equals + 1).trimmed());
    }
    return sections;
}

} // namespace

BrowserKind BrowserKindFromId(const QString &desktopId) {
    const QString id = desktopId.toUpper();
    if (id.contains(QLatin1String("FIREFOX")) || id.contains(QLatin1String("ICEWEASEL")))
        return BrowserKind::Firefox;
    if (id.contains(QLatin1String("SEAMONKEY")) || id.contains(QLatin1String("MOZILLA")))
        return BrowserKind::Mozilla;
    return BrowserKind::System;
}

QHash<QString, QVariant> ParseMozillaPrefs(const QByteArray &text) {
    QHash<QString, QVariant> prefs;
    if (text.size() > MaxPrefsBytes)
        return prefs;
    PrefsScanner scan(text);
    while (true) {
        scan.skipBlanksAndComments();
        if (scan.atEnd())
            break;
        const QByteArray function = scan.identifier();
        const bool statement = function == "user_pref" || function == "pref" ||
                               function == "sticky_pref" || function == "lockPref";
        std::optional<QString> name;
        std::optional<QVariant> value;
        if (!statement || !scan.expect('(') || !(name = scan.string()) || !scan.expect(',') ||
            !(value = scan.value()) || !scan.expect(')')) {
            scan.skipLine();
            continue;
        }
        scan.expect(';');
        if (!name->startsWith(QLatin1String("network.proxy.")))
            continue;
        if (prefs.size() < MaxProxyPrefs || prefs.contains(*name))
            prefs.insert(*name, *value);
    }
    return prefs;
}

DesktopProxySettings ProxySettingsFromPrefs(const QHash<QString, QVariant> &prefs) {
    DesktopProxySettings result;
    result.source = QStringLiteral("Firefox");
    switch (prefInt(prefs, "network.proxy.type", 5)) {
    case 0:
    case 3:
        result.mode = DesktopProxySettings::Direct;
        break;
    case 1: {
        const QString http = prefServer(prefs, "network.proxy.http", "network.proxy.http_port");
        QString https = prefServer(prefs, "network.proxy.ssl", "network.proxy.ssl_port");
        if (prefs.value(QStringLiteral("network.proxy.share_proxy_settings")).toBool())
            https = http;
        QStringList items;
        if (!http.isEmpty())
            items << QStringLiteral("http=") + http;
        if (!https.isEmpty())
            items << QStringLiteral("https=") + https;
        result.mode = DesktopProxySettings::Manual;
        result.proxyString = items.join(QLatin1Char(';'));
        result.bypassString =
            BypassStringFromList(prefString(prefs, "network.proxy.no_proxies_on"));
        break;
    }
    case 2: {
        const QString url = prefString(prefs, "network.proxy.autoconfig_url");
        if (!url.isEmpty()) {
            result.mode = DesktopProxySettings::ScriptUrl;
            result.scriptUrl = url;
        }
        break;
    }
    case 4:
        result.mode = DesktopProxySettings::AutoDetect;
        break;
    default:
        break;
    }
    return result;
}

QString ProfileFromProfilesIni(const QByteArray &text) {
    if (text.size() > MaxProfilesIniBytes)
        return {};
    const QList<IniSection> sections = iniSections(text);
    for (const IniSection &s : sections) {
        if (s.name.startsWith(QLatin1String("Install"), Qt::CaseInsensitive)) {
            const QString path = s.values.value(QStringLiteral("default"));
            if (!path.isEmpty())
                return path;
        }
    }
    const IniSection *first = nullptr;
    for (const IniSection &s : sections) {
        if (!s.name.startsWith(QLatin1String("Profile"), Qt::CaseInsensitive) ||
            s.values.value(QStringLiteral("path")).isEmpty())
            continue;
        if (s.values.value(QStringLiteral("default")) == QLatin1String("1"))
            return s.values.value(QStringLiteral("path"));
        if (!first)
            first = &s;
    }
    return first ? first->values.value(QStringLiteral("path")) : QString();
}

QStringList MozillaProfileRoots(BrowserKind kind, const QString &desktopId,
                                const ProxySources &sources) {
    const QString home = sources.homeFolder ? sources.homeFolder() : QString();
    if (home.isEmpty() || kind == BrowserKind::System)
        return {};
    if (kind == BrowserKind::Mozilla)
        return {home + QStringLiteral("/.mozilla/seamonkey")};
    QString configHome =
        sources.environment ? sources.environment(QStringLiteral("XDG_CONFIG_HOME")) : QString();
    if (configHome.isEmpty())
        configHome = home + QStringLiteral("/.config");
    const QString flatpak = home + QStringLiteral("/.var/app/org.mozilla.firefox/.mozilla/firefox");
    const QString snap = home + QStringLiteral("/snap/firefox/common/.mozilla/firefox");
    QStringList roots;
    const QString id = desktopId.toLower();
    if (id.startsWith(QLatin1String("org.mozilla.firefox")))
        roots << flatpak;
    else if (id.startsWith(QLatin1String("firefox_")))
        roots << snap;
    roots << home + QStringLiteral("/.mozilla/firefox")
          << configHome + QStringLiteral("/mozilla/firefox") << flatpak << snap;
    roots.removeDuplicates();
    return roots;
}

QString FindProfileFolder(const QString &root, const ProxySources &sources) {
    if (sources.readFile) {
        const auto ini =
            sources.readFile(root + QStringLiteral("/profiles.ini"), MaxProfilesIniBytes);
        if (ini) {
            const QString path = ProfileFromProfilesIni(*ini);
            if (!path.isEmpty())
                return QDir::isAbsolutePath(path) ? path : root + QLatin1Char('/') + path;
        }
    }
    if (sources.listSubfolders) {
        const QStringList folders = sources.listSubfolders(root);
        for (const QString &name : folders) {
            if (name.contains(QLatin1String(".default")) || name.contains(QLatin1String(".slt")))
                return root + QLatin1Char('/') + name;
        }
    }
    return {};
}

std::optional<DesktopProxySettings> ReadMozillaPrefs(const QString &file,
                                                     const ProxySources &sources) {
    if (!sources.readFile)
        return std::nullopt;
    const auto bytes = sources.readFile(file, MaxPrefsBytes);
    if (!bytes)
        return std::nullopt;
    return ProxySettingsFromPrefs(ParseMozillaPrefs(*bytes));
}

BrowserProxy DetectBrowserProxy(const ProxySources &sources,
                                const std::function<void(const QString &)> &trace) {
    const auto note = [&](const QString &text) {
        if (trace)
            trace(text);
    };
    BrowserProxy result;
    result.desktopId = DefaultBrowserId(sources);
    result.kind = BrowserKindFromId(result.desktopId);
    note(QStringLiteral("Default browser '%1'").arg(result.desktopId.left(100)));
    if (result.kind == BrowserKind::System)
        return result;
    const QStringList roots = MozillaProfileRoots(result.kind, result.desktopId, sources);
    for (const QString &root : roots) {
        const QString profile = FindProfileFolder(root, sources);
        if (profile.isEmpty())
            continue;
        const QString file = profile + QStringLiteral("/prefs.js");
        const auto settings = ReadMozillaPrefs(file, sources);
        if (!settings) {
            note(QStringLiteral("'%1' cannot be read").arg(file));
            return result;
        }
        result.prefsFile = file;
        result.settings = *settings;
        if (result.kind == BrowserKind::Mozilla)
            result.settings.source = QStringLiteral("SeaMonkey");
        return result;
    }
    note(QStringLiteral("No browser profile found"));
    return result;
}
