#include "platform/ProxySources.h"
#include "settings/PrivateProfile.h"

#include <QAuthenticator>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QHostAddress>
#include <QHostInfo>
#include <QNetworkAccessManager>
#include <QNetworkInterface>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QProcess>
#include <QRegularExpression>
#include <QTimer>

#include <arpa/inet.h>
#include <future>
#include <memory>
#include <netdb.h>
#include <sys/socket.h>
#include <thread>

namespace {

constexpr int CommandStartMs = 2000;
constexpr int CommandRunMs = 3000;
constexpr int DownloadTimeoutMs = 10000;
constexpr int LookupTimeoutMs = 3000;

// Synchronous on the calling thread: the wait functions of QProcess need no event loop, so this
// runs as well on a worker as on the main thread.
CommandOutput runBounded(const QString &program, const QStringList &arguments) {
    CommandOutput result;
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start();
    if (!process.waitForStarted(CommandStartMs))
        return result;
    if (!process.waitForFinished(CommandRunMs)) {
        process.kill();
        process.waitForFinished(1000);
        return result;
    }
    result.finished = process.exitStatus() == QProcess::NormalExit;
    result.exitCode = process.exitCode();
    result.output = process.readAllStandardOutput().left(ProxySourceLimits::MaxCommandOutput);
    return result;
}

std::optional<QByteArray> readBounded(const QString &path, qint64 maxBytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    if (file.size() > maxBytes)
        return std::nullopt;
    QByteArray bytes = file.read(maxBytes + 1);
    if (bytes.size() > maxBytes)
        return std::nullopt;
    return bytes;
}

// The script is fetched in an event loop of the calling thread, with a network manager of its
// own, so that it works the same on the main thread (where the windows stay responsive) and on
// a worker (which has no other event loop).
PacDownload downloadBounded(const QUrl &url, const QString &user, const QString &password,
                            qint64 maxBytes) {
    PacDownload result;
    const QString scheme = url.scheme().toLower();
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https")) {
        result.error = QStringLiteral("unsupported scheme");
        return result;
    }
    QNetworkAccessManager manager;
    manager.setProxy(QNetworkProxy::NoProxy);
    QNetworkRequest request(url);
    request.setTransferTimeout(DownloadTimeoutMs);
    bool credentialsOffered = false;
    QObject::connect(&manager, &QNetworkAccessManager::authenticationRequired,
                     [&](QNetworkReply *, QAuthenticator *authenticator) {
                         // Offered once: a refused pair must come back as 401, not loop.
                         if (credentialsOffered || user.isEmpty())
                             return;
                         credentialsOffered = true;
                         authenticator->setUser(user);
                         authenticator->setPassword(password);
                     });
    QNetworkReply *reply = manager.get(request);
    QByteArray body;
    bool tooLarge = false;
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::readyRead, [&] {
        if (tooLarge)
            return;
        if (body.size() + reply->bytesAvailable() > maxBytes) {
            tooLarge = true;
            body.clear();
            reply->abort(); // emits finished() at once, which ends the loop below
            return;
        }
        body += reply->readAll();
    });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec();
    if (!tooLarge) {
        if (body.size() + reply->bytesAvailable() > maxBytes) {
            tooLarge = true;
            body.clear();
        } else {
            body += reply->readAll();
        }
    }
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    result.status = status.isValid() ? status.toInt() : 0;
    result.transferred = result.status != 0;
    result.tooLarge = tooLarge;
    if (!tooLarge)
        result.body = body;
    if (reply->error() != QNetworkReply::NoError)
        result.error = reply->errorString();
    reply->deleteLater();
    return result;
}

// getaddrinfo on a thread of its own, so that a resolver that does not answer costs at most
// the time bound. The thread touches no Qt state, so it may outlive the wait safely.
QStringList lookupBounded(const QString &host) {
    if (host.isEmpty() || host.size() > 255)
        return {};
    const QHostAddress literal(host);
    if (!literal.isNull())
        return {literal.toString()};
    auto promise = std::make_shared<std::promise<QStringList>>();
    std::future<QStringList> future = promise->get_future();
    const std::string name = host.toStdString();
    std::thread([promise, name] {
        addrinfo hints{};
        hints.ai_family = AF_UNSPEC;
        hints.ai_socktype = SOCK_STREAM;
        addrinfo *list = nullptr;
        QStringList v4, v6;
        if (getaddrinfo(name.c_str(), nullptr, &hints, &list) == 0) {
            for (addrinfo *a = list; a; a = a->ai_next) {
                char text[INET6_ADDRSTRLEN] = {};
                if (a->ai_family == AF_INET) {
                    inet_ntop(AF_INET, &reinterpret_cast<sockaddr_in *>(a->ai_addr)->sin_addr, text,
                              sizeof text);
                    v4.append(QString::fromLatin1(text));
                } else if (a->ai_family == AF_INET6) {
                    inet_ntop(AF_INET6, &reinterpret_cast<sockaddr_in6 *>(a->ai_addr)->sin6_addr,
                              text, sizeof text);
                    v6.append(QString::fromLatin1(text));
                }
            }
            freeaddrinfo(list);
        }
        v4.removeDuplicates();
        v6.removeDuplicates();
        promise->set_value(v4 + v6);
    }).detach();
    if (future.wait_for(std::chrono::milliseconds(LookupTimeoutMs)) != std::future_status::ready)
        return {};
    return future.get();
}

QString firstOwnIPv4() {
    const auto interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &i : interfaces) {
        const auto flags = i.flags();
        if (!(flags & QNetworkInterface::IsUp) || !(flags & QNetworkInterface::IsRunning) ||
            (flags & QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry &entry : i.addressEntries()) {
            if (entry.ip().protocol() == QAbstractSocket::IPv4Protocol)
                return entry.ip().toString();
        }
    }
    return QStringLiteral("127.0.0.1");
}

QString boundedValue(const QString &value) {
    const QString trimmed = value.trimmed();
    return trimmed.size() > ProxySourceLimits::MaxValueLength ? QString() : trimmed;
}

QString serverText(const QString &user, const QString &password, const QString &host, int port) {
    QString text;
    if (!user.isEmpty()) {
        text = QString::fromLatin1(QUrl::toPercentEncoding(user));
        if (!password.isEmpty())
            text += QLatin1Char(':') + QString::fromLatin1(QUrl::toPercentEncoding(password));
        text += QLatin1Char('@');
    }
    text += host.contains(QLatin1Char(':')) ? QLatin1Char('[') + host + QLatin1Char(']') : host;
    if (port > 0)
        text += QLatin1Char(':') + QString::number(port);
    return text;
}

void addItem(QStringList &items, const QString &name, const QString &server) {
    if (!server.isEmpty())
        items.append(name + QLatin1Char('=') + server);
}

// One GVariant text as gsettings prints it: a string in single or double quotes, a string
// array, a number or a boolean. Strings come back unquoted, arrays as the items joined by ";".
QString gvariantValue(QStringView text) {
    text = text.trimmed();
    if (text.startsWith(QLatin1String("@as ")))
        text = text.mid(4).trimmed();
    if (text.startsWith(QLatin1Char('['))) {
        QStringList items;
        qsizetype i = 1;
        while (i < text.size()) {
            const QChar quote = text[i];
            if (quote != QLatin1Char('\'') && quote != QLatin1Char('"')) {
                ++i;
                continue;
            }
            QString item;
            ++i;
            while (i < text.size() && text[i] != quote) {
                if (text[i] == QLatin1Char('\\') && i + 1 < text.size())
                    ++i;
                item += text[i++];
            }
            ++i;
            items.append(item);
        }
        return items.join(QLatin1Char(';'));
    }
    if (!text.isEmpty() && (text[0] == QLatin1Char('\'') || text[0] == QLatin1Char('"'))) {
        const QChar quote = text[0];
        QString value;
        for (qsizetype i = 1; i < text.size() && text[i] != quote; ++i) {
            if (text[i] == QLatin1Char('\\') && i + 1 < text.size())
                ++i;
            value += text[i];
        }
        return value;
    }
    // Typed numbers print as "uint32 8080".
    const qsizetype blank = text.lastIndexOf(QLatin1Char(' '));
    return (blank >= 0 ? text.mid(blank + 1) : text).toString();
}

int portValue(const QString &text) {
    bool ok = false;
    const int port = text.toInt(&ok);
    return ok && port > 0 && port <= 65535 ? port : 0;
}

// A host setting of a desktop with its port setting; the host may carry a scheme and a port.
QString desktopServer(const QString &host, int port, const QString &user = {},
                      const QString &password = {}, bool *socks = nullptr) {
    if (host.isEmpty())
        return {};
    QString server = ProxyServerFromUrlText(host, socks);
    if (server.isEmpty())
        return {};
    // The host's own port, if it has one, wins.
    const qsizetype at = server.lastIndexOf(QLatin1Char('@'));
    const QString hostPort = server.mid(at + 1);
    const bool hasPort = hostPort.startsWith(QLatin1Char('['))
                             ? hostPort.contains(QLatin1String("]:"))
                             : hostPort.contains(QLatin1Char(':'));
    if (!hasPort && port > 0)
        server += QLatin1Char(':') + QString::number(port);
    if (!user.isEmpty() && !server.contains(QLatin1Char('@'))) {
        QString prefix = QString::fromLatin1(QUrl::toPercentEncoding(user));
        if (!password.isEmpty())
            prefix += QLatin1Char(':') + QString::fromLatin1(QUrl::toPercentEncoding(password));
        server = prefix + QLatin1Char('@') + server;
    }
    return server;
}

} // namespace

QString BypassStringFromList(const QString &list) {
    static const QRegularExpression separators(QStringLiteral("[,;\\s]+"));
    return list.left(ProxySourceLimits::MaxValueLength)
        .split(separators, Qt::SkipEmptyParts)
        .join(QLatin1Char(';'));
}

QString ProxyServerFromHostAndPort(const QString &host, int port) {
    return desktopServer(host, port > 0 && port <= 65535 ? port : 0);
}

ProxySources SystemProxySources() {
    ProxySources s;
    s.environment = [](const QString &name) { return qEnvironmentVariable(name.toLatin1()); };
    s.runCommand = runBounded;
    s.homeFolder = [] { return QDir::homePath(); };
    s.readFile = readBounded;
    s.listSubfolders = [](const QString &folder) {
        return QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                                      QDir::Unsorted);
    };
    s.downloadPac = downloadBounded;
    s.lookupHost = lookupBounded;
    s.localDomain = [] { return QHostInfo::localDomainName(); };
    s.myIpAddress = firstOwnIPv4;
    s.now = [] { return QDateTime::currentDateTime(); };
    return s;
}

QString ProxyServerFromUrlText(const QString &text, bool *socks) {
    if (socks)
        *socks = false;
    QString value = boundedValue(text);
    if (value.isEmpty())
        return {};
    // KDE writes "http://proxy 8080".
    static const QRegularExpression blankPort(QStringLiteral("^(\\S+)\\s+(\\d{1,5})$"));
    const auto blank = blankPort.match(value);
    if (blank.hasMatch())
        value = blank.captured(1) + QLatin1Char(':') + blank.captured(2);
    if (value.contains(QRegularExpression(QStringLiteral("\\s"))))
        return {};

    QString scheme;
    const qsizetype sep = value.indexOf(QLatin1String("://"));
    if (sep >= 0) {
        scheme = value.left(sep).toLower();
    } else {
        value = QStringLiteral("http://") + value;
    }
    const bool isSocks = scheme.startsWith(QLatin1String("socks"));
    if (!scheme.isEmpty() && !isSocks && scheme != QLatin1String("http") &&
        scheme != QLatin1String("https"))
        return {};

    const QUrl url(value, QUrl::TolerantMode);
    if (!url.isValid() || url.host().isEmpty())
        return {};
    const int port = url.port(-1);
    if (port == 0)
        return {};
    if (socks)
        *socks = isSocks;
    return serverText(url.userName(), url.password(), url.host(), port);
}

DesktopProxySettings ReadEnvironmentProxy(const ProxySources &sources, const QString &httpName,
                                          const QString &httpsName, const QString &ftpName,
                                          const QString &noProxyName) {
    DesktopProxySettings result;
    result.source = QStringLiteral("environment");
    if (!sources.environment)
        return result;
    const auto variable = [&](const QString &name) {
        if (name.isEmpty())
            return QString();
        const QString lower = boundedValue(sources.environment(name.toLower()));
        return lower.isEmpty() ? boundedValue(sources.environment(name.toUpper())) : lower;
    };

    QString http, https, ftp, socks;
    bool isSocks = false;
    const auto take = [&](const QString &name, QString &slot) {
        const QString server = ProxyServerFromUrlText(variable(name), &isSocks);
        if (isSocks) {
            if (socks.isEmpty())
                socks = server;
        } else {
            slot = server;
        }
    };
    take(httpName, http);
    take(httpsName, https);
    take(ftpName, ftp);
    QString all;
    take(QStringLiteral("all_proxy"), all);
    if (http.isEmpty())
        http = all;
    if (https.isEmpty())
        https = all;

    QStringList items;
    addItem(items, QStringLiteral("http"), http);
    addItem(items, QStringLiteral("https"), https);
    addItem(items, QStringLiteral("ftp"), ftp);
    addItem(items, QStringLiteral("socks"), socks);
    if (http.isEmpty() && https.isEmpty())
        return result;
    result.mode = DesktopProxySettings::Manual;
    result.proxyString = items.join(QLatin1Char(';'));
    result.bypassString = BypassStringFromList(variable(noProxyName));
    return result;
}

DesktopProxySettings ReadEnvironmentProxy(const ProxySources &sources) {
    return ReadEnvironmentProxy(sources, QStringLiteral("http_proxy"),
                                QStringLiteral("https_proxy"), QStringLiteral("ftp_proxy"),
                                QStringLiteral("no_proxy"));
}

DesktopProxySettings ParseGsettingsProxy(const QByteArray &output) {
    DesktopProxySettings result;
    result.source = QStringLiteral("GNOME");
    QHash<QString, QString> values; // "schema-suffix key" -> value
    const QList<QByteArray> lines = output.left(ProxySourceLimits::MaxCommandOutput).split('\n');
    static const QString prefix = QStringLiteral("org.gnome.system.proxy");
    for (const QByteArray &raw : lines) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (!line.startsWith(prefix) || line.size() > ProxySourceLimits::MaxValueLength)
            continue;
        const qsizetype first = line.indexOf(QLatin1Char(' '));
        if (first < 0)
            continue;
        const qsizetype second = line.indexOf(QLatin1Char(' '), first + 1);
        if (second < 0)
            continue;
        const QString schema = line.left(first).mid(prefix.size()); // "", ".http", ...
        const QString key = line.mid(first + 1, second - first - 1);
        values.insert(schema + QLatin1Char(' ') + key,
                      gvariantValue(QStringView(line).mid(second)));
    }
    const auto value = [&](const char *key) { return values.value(QString::fromLatin1(key)); };

    const QString mode = value(" mode");
    if (mode == QLatin1String("manual")) {
        QString user, password;
        if (value(".http use-authentication") == QLatin1String("true")) {
            user = value(".http authentication-user");
            password = value(".http authentication-password");
        }
        QStringList items;
        addItem(items, QStringLiteral("http"),
                desktopServer(value(".http host"), portValue(value(".http port")), user, password));
        addItem(items, QStringLiteral("https"),
                desktopServer(value(".https host"), portValue(value(".https port"))));
        addItem(items, QStringLiteral("ftp"),
                desktopServer(value(".ftp host"), portValue(value(".ftp port"))));
        addItem(items, QStringLiteral("socks"),
                desktopServer(value(".socks host"), portValue(value(".socks port"))));
        result.mode = DesktopProxySettings::Manual;
        result.proxyString = items.join(QLatin1Char(';'));
        result.bypassString = BypassStringFromList(value(" ignore-hosts"));
    } else if (mode == QLatin1String("auto")) {
        const QString url = boundedValue(value(" autoconfig-url"));
        result.mode =
            url.isEmpty() ? DesktopProxySettings::AutoDetect : DesktopProxySettings::ScriptUrl;
        result.scriptUrl = url;
    }
    // "none", or no GNOME settings at all: nothing configured here.
    return result;
}

DesktopProxySettings ReadGnomeProxy(const ProxySources &sources) {
    if (!sources.runCommand)
        return ParseGsettingsProxy({});
    const CommandOutput out =
        sources.runCommand(QStringLiteral("gsettings"), {QStringLiteral("list-recursively"),
                                                         QStringLiteral("org.gnome.system.proxy")});
    if (!out.finished || out.exitCode != 0)
        return ParseGsettingsProxy({});
    return ParseGsettingsProxy(out.output);
}

DesktopProxySettings ParseKioslaverc(const QByteArray &file, const ProxySources &sources) {
    DesktopProxySettings result;
    result.source = QStringLiteral("KDE");
    PrivateProfile profile;
    profile.parse(file);
    const QString group = QStringLiteral("Proxy Settings");
    const auto value = [&](const char *key) {
        return boundedValue(profile.readString(group, QString::fromLatin1(key)));
    };
    switch (profile.readInt(group, QStringLiteral("ProxyType"), 0)) {
    case 1: {
        QStringList items;
        bool socks = false;
        addItem(items, QStringLiteral("http"), desktopServer(value("httpProxy"), 0));
        addItem(items, QStringLiteral("https"), desktopServer(value("httpsProxy"), 0));
        addItem(items, QStringLiteral("ftp"), desktopServer(value("ftpProxy"), 0));
        addItem(items, QStringLiteral("socks"),
                desktopServer(value("socksProxy"), 0, {}, {}, &socks));
        result.mode = DesktopProxySettings::Manual;
        result.proxyString = items.join(QLatin1Char(';'));
        result.bypassString = BypassStringFromList(value("NoProxyFor"));
        const QString reversed = value("ReversedException").toLower();
        result.bypassReversed = reversed == QLatin1String("true") || reversed == QLatin1String("1");
        break;
    }
    case 2: {
        const QString url = value("Proxy Config Script");
        if (!url.isEmpty()) {
            result.mode = DesktopProxySettings::ScriptUrl;
            result.scriptUrl = url;
        }
        break;
    }
    case 3:
        result.mode = DesktopProxySettings::AutoDetect;
        break;
    case 4: {
        // The keys name the environment variables to read.
        const auto name = [&](const char *key, const char *standard) {
            const QString named = value(key);
            return named.isEmpty() ? QString::fromLatin1(standard) : named;
        };
        DesktopProxySettings fromEnvironment = ReadEnvironmentProxy(
            sources, name("httpProxy", "http_proxy"), name("httpsProxy", "https_proxy"),
            name("ftpProxy", "ftp_proxy"), name("NoProxyFor", "no_proxy"));
        fromEnvironment.source = result.source;
        return fromEnvironment;
    }
    default:
        break;
    }
    return result;
}

DesktopProxySettings ReadKdeProxy(const ProxySources &sources) {
    if (!sources.readFile)
        return ParseKioslaverc({}, sources);
    const QString home = sources.homeFolder ? sources.homeFolder() : QString();
    QString configHome =
        sources.environment ? sources.environment(QStringLiteral("XDG_CONFIG_HOME")) : QString();
    if (configHome.isEmpty() && !home.isEmpty())
        configHome = home + QStringLiteral("/.config");
    QStringList candidates;
    if (!configHome.isEmpty())
        candidates << configHome + QStringLiteral("/kioslaverc");
    if (!home.isEmpty())
        candidates << home + QStringLiteral("/.kde/share/config/kioslaverc")
                   << home + QStringLiteral("/.kde4/share/config/kioslaverc");
    for (const QString &path : std::as_const(candidates)) {
        const auto bytes = sources.readFile(path, ProxySourceLimits::MaxConfigFileBytes);
        if (bytes)
            return ParseKioslaverc(*bytes, sources);
    }
    return ParseKioslaverc({}, sources);
}

QList<SystemProxyReader> SystemProxyReaders(const ProxySources &sources) {
    const QString desktop = sources.environment
                                ? sources.environment(QStringLiteral("XDG_CURRENT_DESKTOP"))
                                : QString();
    const SystemProxyReader environment = ReadEnvironmentProxy;
    if (desktop.split(QLatin1Char(':')).contains(QLatin1String("KDE"), Qt::CaseInsensitive))
        return {environment, ReadKdeProxy, ReadGnomeProxy};
    return {environment, ReadGnomeProxy, ReadKdeProxy};
}

QString DefaultBrowserId(const ProxySources &sources) {
    if (!sources.runCommand)
        return {};
    const QList<QPair<QString, QStringList>> queries{
        {QStringLiteral("xdg-settings"),
         {QStringLiteral("get"), QStringLiteral("default-web-browser")}},
        {QStringLiteral("xdg-mime"),
         {QStringLiteral("query"), QStringLiteral("default"),
          QStringLiteral("x-scheme-handler/https")}},
        {QStringLiteral("xdg-mime"),
         {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/html")}},
    };
    for (const auto &query : queries) {
        const CommandOutput out = sources.runCommand(query.first, query.second);
        if (!out.finished || out.exitCode != 0)
            continue;
        const QString id =
            QString::fromUtf8(out.output.left(1024)).section(QLatin1Char('\n'), 0, 0).trimmed();
        if (!id.isEmpty() && id.size() <= 255)
            return id;
    }
    return {};
}
