#pragma once
#include "platform/ProxySources.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class PacEngine;

// One proxy server. Kind 0 is a direct connection, 1 a server. User and password come with
// the server only where the source holds them (an environment variable "http://u:p@h:3128",
// GNOME's authentication settings).
struct TServerSpec {
    quint8 Kind = 0;
    QString Host;
    QString Port; // decimal text, possibly empty
    QString User;
    QString Password;

    bool operator==(const TServerSpec &) const = default;
};

using TServerSpecList = QList<TServerSpec>;

// "[user[:password]@]host[:port]" (user and password percent-encoded, an IPv6 host in
// brackets) as a server of kind 1; an empty or unusable text gives kind 0.
TServerSpec ParseServerSpec(const QString &text);

// The answer of a proxy script: items separated by ";", each DIRECT, PROXY host:port or
// HTTP host:port, in order. Items this console cannot use (SOCKS, HTTPS, anything unknown) are
// left out and named in *skipped. Bounded: at most MaxPacAnswerItems items of a text cut at
// MaxPacAnswerLength characters.
inline constexpr qsizetype MaxPacAnswerLength = 64 * 1024;
inline constexpr int MaxPacAnswerItems = 64;
TServerSpecList ParsePacAnswer(const QString &answer, QStringList *skipped = nullptr);

// Whether `host` goes direct under a bypass list. The entries follow what the sources mean by
// them: "*" matches every host, "<local>" (or bypassLocal) host names without a dot, a pattern
// with "*" or "?" the whole name, ".example.org" and "example.org" that domain and every name
// in it, "10.0.0.0/8" an address literal in that network. Case is ignored; a ":port" after a
// name is ignored.
bool HostBypassed(const QString &host, const QStringList &bypassList, bool bypassLocal);

enum TTraceMessageLevel { tmlNone, tmlError, tmlWarning, tmlMessage };

// The system's proxy configuration as one source gives it, and the proxy chosen for a URL.
// Discovery writes what it did into Trace; nothing in the console shows it, but it is what a
// developer looks at when discovery picks the wrong proxy.
class TProxyInfo {
public:
    enum Slot { SlotHttp = 0, SlotHttps, SlotFtp, SlotGopher, SlotSocks, SlotCount };
    enum FlagBits : quint8 {
        FlagDirect = 1,
        FlagFixedProxy = 2,
        FlagScriptUrl = 4,
        FlagAutoDetect = 8
    };
    static constexpr qint64 MaxScriptBytes = 1024 * 1024;
    // Candidate domains tried for WPAD, from the longest.
    static constexpr int MaxWpadCandidates = 8;

    TProxyInfo();
    ~TProxyInfo();
    TProxyInfo(const TProxyInfo &) = delete;
    TProxyInfo &operator=(const TProxyInfo &) = delete;

    // Clears everything and takes the first system source that holds a configuration; a
    // source whose script cannot be loaded counts as holding none. False when no source
    // answered, which means a direct connection.
    bool Refresh(const ProxySources &sources);
    // Clears everything and takes this one configuration. False when it holds nothing usable
    // (not configured, or its script could not be found or loaded).
    bool Apply(const DesktopProxySettings &config, const ProxySources &sources);
    // The servers to use for `url`, best first; empty when nothing is known. Without a
    // script: the slot of the URL's protocol, unless the host is bypassed; a web address whose
    // slot is empty takes the other web slot (a source naming only an http or only an https
    // proxy means it for both).
    void FindProxy(const QString &url, TServerSpecList &list);
    // A copy of one protocol's slot; kind 0 for a slot number out of range.
    TServerSpec ServerFor(int slot) const;
    void ReleaseScript();
    void Clear();

    bool ProxyEnabled = false;
    bool BypassLocal = false;
    bool BypassReversed = false;
    TServerSpec Servers[SlotCount];
    QStringList BypassList;
    quint8 Flags = 0;
    QString ProxyString;
    QString BypassString;
    QString ConfiguredScriptUrl;
    QString ScriptUrl;
    bool ScriptActive = false;
    QString Source; // which source answered

    TTraceMessageLevel TraceLevel = tmlError;
    QStringList Trace;
    void TraceError(const QString &text);
    void TraceWarning(const QString &text);
    void TraceMessage(const QString &text);

    // Asked when a script server answers 401: true with user and password filled in to try
    // again. The console shows its credentials dialog here.
    std::function<bool(const QUrl &url, QString &user, QString &password)> OnAuthentication;

private:
    void ParseProxyString();
    void ParseBypassString();
    bool LoadScript(const QString &url, const ProxySources &sources);
    bool DetectScript(const ProxySources &sources);
    std::optional<QByteArray> FetchScript(const QUrl &url, const ProxySources &sources);

    std::unique_ptr<PacEngine> m_engine;
};

// The slot of a protocol name ("http", "HTTPS"...), or -1.
int ProxySlotFor(const QString &protocol);
