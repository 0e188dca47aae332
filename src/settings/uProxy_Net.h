#pragma once
#include "platform/ProxySources.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QVariant>

#include <functional>
#include <optional>

// The default web browser and its own proxy settings. Only browsers that keep proxy settings
// of their own need reading; every other browser (Chromium and its kin among them) uses the
// system's settings, as kind System says.
enum class BrowserKind { System = 1, Mozilla = 2, Firefox = 3 };

// From the desktop file name of the default browser ("firefox-esr.desktop",
// "org.mozilla.firefox.desktop", "seamonkey.desktop").
BrowserKind BrowserKindFromId(const QString &desktopId);

// Preferences files are read whole; larger ones are taken as broken.
inline constexpr qint64 MaxPrefsBytes = 8 * 1024 * 1024;
inline constexpr qint64 MaxProfilesIniBytes = 256 * 1024;

// The network.proxy.* preferences of a prefs.js (or user.js) text: the user_pref(name, value)
// statements, comments skipped, a later statement overriding an earlier one. Values are
// strings, integers (qint64) or booleans. Any bytes are accepted; what does not parse is
// skipped up to the next line.
QHash<QString, QVariant> ParseMozillaPrefs(const QByteArray &text);

// What the browser does with these preferences: network.proxy.type 0 (and the old 3) direct,
// 1 the servers of network.proxy.http / ssl (with their ports and no_proxies_on), 2 the script
// at network.proxy.autoconfig_url, 4 WPAD, 5 or none the system's settings (NotConfigured).
DesktopProxySettings ProxySettingsFromPrefs(const QHash<QString, QVariant> &prefs);

// The profile folder a profiles.ini names, relative to the folder holding it unless absolute:
// the default of the first installation section, else the profile marked Default=1, else the
// first profile. Empty when it names none.
QString ProfileFromProfilesIni(const QByteArray &text);

// Folders that may hold the browser's profiles.ini, most likely first (the packaging the
// desktop file name suggests, then the classic, XDG, Flatpak and Snap places).
QStringList MozillaProfileRoots(BrowserKind kind, const QString &desktopId,
                                const ProxySources &sources);

// The profile folder under `root`: from profiles.ini, or else the first subfolder whose name
// contains ".default" or ".slt". Empty when there is none.
QString FindProfileFolder(const QString &root, const ProxySources &sources);

// The proxy settings of a prefs.js; nothing when the file is missing or too large.
std::optional<DesktopProxySettings> ReadMozillaPrefs(const QString &file,
                                                     const ProxySources &sources);

struct BrowserProxy {
    BrowserKind kind = BrowserKind::System;
    QString desktopId;
    QString prefsFile;             // the file read, empty when none
    DesktopProxySettings settings; // NotConfigured: ask the system
};

// Identifies the default browser and reads its proxy settings. `trace` receives one line per
// step.
BrowserProxy DetectBrowserProxy(const ProxySources &sources,
                                const std::function<void(const QString &)> &trace = {});
