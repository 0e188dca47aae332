#pragma once
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <optional>

// Everything proxy discovery learns from the machine goes through these functions, so that
// discovery can be run against made-up environments, files, commands and servers, and so that
// a port to another desktop replaces only this layer.
// Discovery may run on a worker thread: every function is called on the thread that runs the
// discovery and must be safe there. askCredentials, which may show a window, must reach the
// main thread by itself when called from a worker.
struct CommandOutput {
    bool finished = false; // started and ended by itself within the time bound
    int exitCode = -1;
    QByteArray output; // standard output, cut at the bound
};

struct PacDownload {
    bool transferred = false; // a response arrived (whatever its status)
    int status = 0;           // HTTP status; 0 when nothing arrived
    QByteArray body;
    bool tooLarge = false; // the body passed the size bound and was dropped
    QString error;         // a description when nothing usable arrived
};

struct ProxySources {
    // Value of an environment variable; empty when it is not set.
    std::function<QString(const QString &name)> environment;
    // Runs a program with arguments, bounded in time and output size.
    std::function<CommandOutput(const QString &program, const QStringList &arguments)> runCommand;
    std::function<QString()> homeFolder;
    // The whole file, or nothing when it is missing, unreadable or larger than maxBytes.
    std::function<std::optional<QByteArray>(const QString &path, qint64 maxBytes)> readFile;
    // Subfolder names of a folder in file-system order; empty when there is none.
    std::function<QStringList(const QString &folder)> listSubfolders;
    // Fetches a proxy script without any proxy. user/password are offered when the server asks
    // for them; a body above maxBytes is dropped.
    std::function<PacDownload(const QUrl &url, const QString &user, const QString &password,
                              qint64 maxBytes)>
        downloadPac;
    // Addresses of a host name as text, IPv4 first; empty when it does not resolve.
    std::function<QStringList(const QString &host)> lookupHost;
    // The DNS domain of this machine (for WPAD); empty when it has none.
    std::function<QString()> localDomain;
    // This machine's address as a proxy script sees it.
    std::function<QString()> myIpAddress;
    std::function<QDateTime()> now;
    // Asked when a script server wants credentials. True with user and password filled in to
    // try again; false to give up. Unset means give up.
    std::function<bool(const QUrl &url, QString &user, QString &password)> askCredentials;
    // How long a proxy script may run for one evaluation before it is stopped.
    int pacTimeoutMs = 5000;
};

// The real machine: process environment, QProcess, the file system, the network without any
// proxy, the system resolver and clock. askCredentials is left unset.
ProxySources SystemProxySources();

// The proxy configuration one source holds, in one form whatever the source:
// - proxyString: "name=server;name=server" with the names http, https, ftp, socks; a server is
//   [user[:password]@]host[:port], user and password percent-encoded;
// - bypassString: host patterns separated by ";".
struct DesktopProxySettings {
    enum Mode {
        NotConfigured, // the source holds nothing: ask the next one
        Direct,        // the source says: no proxy
        Manual,        // fixed servers in proxyString
        ScriptUrl,     // a proxy script at scriptUrl
        AutoDetect,    // find the proxy script by WPAD
    };
    Mode mode = NotConfigured;
    QString source; // for the trace: "environment", "GNOME", "KDE", "Firefox"...
    QString proxyString;
    QString bypassString;
    bool bypassReversed = false; // the list names the only hosts that use the proxy
    QString scriptUrl;
};

// Upper bounds on what is read from each source.
namespace ProxySourceLimits {
inline constexpr qint64 MaxConfigFileBytes = 1024 * 1024;
inline constexpr qsizetype MaxValueLength = 4096;
inline constexpr qsizetype MaxCommandOutput = 256 * 1024;
} // namespace ProxySourceLimits

// A proxy as written in an environment variable or a desktop setting ("http://u:p@h:3128/",
// "h:8080", "socks5://h:1080", "[::1]:3128") in the server form above; empty when it names
// no HTTP proxy. *socks is set when the value names a SOCKS proxy (the result is then the
// server, for the socks slot).
QString ProxyServerFromUrlText(const QString &text, bool *socks = nullptr);

// http_proxy, https_proxy, ftp_proxy, all_proxy and no_proxy, lower case first, then upper
// case. Manual when any proxy variable is set.
DesktopProxySettings ReadEnvironmentProxy(const ProxySources &sources);
// The same, with the variable names a KDE configuration gives for each protocol.
DesktopProxySettings ReadEnvironmentProxy(const ProxySources &sources, const QString &httpName,
                                          const QString &httpsName, const QString &ftpName,
                                          const QString &noProxyName);

// GNOME: "gsettings list-recursively org.gnome.system.proxy".
DesktopProxySettings ReadGnomeProxy(const ProxySources &sources);
DesktopProxySettings ParseGsettingsProxy(const QByteArray &output);

// KDE: the [Proxy Settings] group of kioslaverc in the user's configuration folder.
DesktopProxySettings ReadKdeProxy(const ProxySources &sources);
DesktopProxySettings ParseKioslaverc(const QByteArray &file, const ProxySources &sources);

// A host setting ("proxy", "http://proxy", "proxy:3128") with a separate port setting (used
// when the host names none; 0 for none) in the server form; empty when unusable.
QString ProxyServerFromHostAndPort(const QString &host, int port);

// Host patterns separated by commas, blanks or semicolons, as a bypass string.
QString BypassStringFromList(const QString &list);

// The readers of the system sources in the order they are asked: the environment, then the
// desktop's own settings, KDE's first on a KDE desktop and GNOME's first elsewhere. Each is
// run only when the ones before it hold nothing.
using SystemProxyReader = DesktopProxySettings (*)(const ProxySources &);
QList<SystemProxyReader> SystemProxyReaders(const ProxySources &sources);

// The desktop file name of the default web browser ("firefox-esr.desktop"), from
// xdg-settings, or failing that xdg-mime for https links and then for HTML files; empty when
// none is known.
QString DefaultBrowserId(const ProxySources &sources);
