#include "settings/uIniFiles.h"
#include "common/TraceRing.h"
#include "settings/PasswordCipher.h"
#include "settings/PrivateProfile.h"
#include "settings/ServiceConfig.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStringDecoder>

#include <algorithm>
#include <limits>
#include <variant>

namespace {

const QString Window = QStringLiteral("Window");
const QString Explorer = QStringLiteral("Explorer");
const QString Data = QStringLiteral("Data");
const QString Service = QStringLiteral("Service");

// Every key in the file's order. Geometry and the two passwords are read by their own code;
// the table gives their place in the file.
struct Geometry {
    int Settings::*member;
};
struct Secret {
    QString Settings::*member;
};
using Member = std::variant<int Settings::*, bool Settings::*, QString Settings::*,
                            quint8 Settings::*, Geometry, Secret>;
struct Key {
    const QString &section;
    const char *name;
    Member member;
};

const Key Keys[] = {
    {Window, "Top", Geometry{&Settings::WindowTop}},
    {Window, "Left", Geometry{&Settings::WindowLeft}},
    {Window, "Width", Geometry{&Settings::WindowWidth}},
    {Window, "Height", Geometry{&Settings::WindowHeight}},
    {Window, "ShowMM", &Settings::ShowMM},
    {Window, "ShowST", &Settings::ShowST},
    {Window, "TBpos", &Settings::TBpos},
    {Explorer, "Top", Geometry{&Settings::ExplorerTop}},
    {Explorer, "Left", Geometry{&Settings::ExplorerLeft}},
    {Explorer, "Width", Geometry{&Settings::ExplorerWidth}},
    {Explorer, "Height", Geometry{&Settings::ExplorerHeight}},
    {Data, "UserCode", &Settings::UserCode},
    {Data, "Password", Secret{&Settings::Password}},
    {Data, "ManProxy", &Settings::ManProxy},
    {Data, "ProxyUserCode", &Settings::ProxyUserCode},
    {Data, "ProxyPassword", Secret{&Settings::ProxyPassword}},
    {Data, "ProxyName", &Settings::ProxyName},
    {Data, "ProxyPort", &Settings::ProxyPort},
    {Data, "CurrentKey", &Settings::CurrentKey},
    {Data, "LogonTime", &Settings::LogonTime},
    {Data, "G#", &Settings::GCount},
    {Data, "SesTime", &Settings::SesTime},
    {Data, "ConnMsg", &Settings::ConnMsg},
    {Data, "ShowPops", &Settings::ShowPops},
    {Data, "AutoFS", &Settings::AutoFS},
    {Data, "FitScr", &Settings::FitScr},
    {Data, "DisWP", &Settings::DisWP},
    {Data, "SetRes", &Settings::SetRes},
    {Data, "SetCol", &Settings::SetCol},
    {Data, "IscrMode", &Settings::IscrMode},
    {Data, "Icol", &Settings::Icol},
    {Data, "IAutoCol", &Settings::IAutoCol},
    {Data, "LogChat", &Settings::LogChat},
    {Data, "ShowComm", &Settings::ShowComm},
    {Data, "MsgComm", &Settings::MsgComm},
    {Data, "MsgAnn", &Settings::MsgAnn},
    {Data, "MILang", &Settings::MILang},
    {Data, "SaveMAddr", &Settings::SaveMAddr},
    {Data, "SessionLog", &Settings::SessionLog},
    {Data, "SetupUrl", &Settings::SetupUrl},
    {Data, "ResTip", &Settings::ResTip},
    {Data, "Sound", &Settings::Sound},
    {Data, "AppLang", &Settings::AppLang},
    {Data, "Scaling", &Settings::Scaling},
    {Data, "TBnailed", &Settings::TBnailed},
};

const struct {
    const char *name;
    QString ServiceConfig::*member;
} ServiceKeys[] = {
    {"Domain", &ServiceConfig::Domain},
    {"GatewayAddress", &ServiceConfig::GatewayAddress},
    {"TrustedCertificates", &ServiceConfig::TrustedCertificates},
    {"UpdateHost", &ServiceConfig::UpdateHost},
    {"CustomerHost", &ServiceConfig::CustomerHost},
    {"LinksHost", &ServiceConfig::LinksHost},
    {"SupportHost", &ServiceConfig::SupportHost},
    {"WebHost", &ServiceConfig::WebHost},
};

std::function<void(int)> &languageHook() {
    static std::function<void(int)> hook;
    return hook;
}

int clampToInt(qint64 v) {
    return int(
        std::clamp<qint64>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// The old console wrote the logon time in the Windows locale's short date and long time
// format; we cannot know which locale, so the usual layouts are tried.
bool isDateTimeText(const QString &text) {
    if (text.isEmpty())
        return false;
    if (QDateTime::fromString(text, Qt::ISODate).isValid())
        return true;
    static const char *const formats[] = {
        "d/M/yyyy H:mm:ss",   "d/M/yyyy H:mm",    "M/d/yyyy h:mm:ss AP",
        "M/d/yyyy h:mm AP",   "d.M.yyyy H:mm:ss", "d.M.yyyy H:mm",
        "yyyy-MM-dd H:mm:ss", "d-M-yyyy H:mm:ss", "d/M/yyyy",
        "M/d/yyyy",           "d.M.yyyy",         "yyyy-MM-dd"};
    for (const char *format : formats) {
        const QString f = QLatin1String(format);
        if (QDateTime::fromString(text, f).isValid())
            return true;
    }
    return QLocale::system().toDateTime(text, QLocale::ShortFormat).isValid();
}

} // namespace

Settings &settings() {
    static Settings s;
    return s;
}

void setLanguageSelectedHook(std::function<void(int)> hook) {
    languageHook() = std::move(hook);
}

SettingsStore::SettingsStore(Settings &settings, ServiceConfig &service,
                             const PasswordCipher &cipher)
    : m_settings(settings), m_service(service), m_cipher(cipher) {}

namespace {
QString unreadableNotice(const QString &iniPath, const QString &sidePath) {
    return QStringLiteral("The settings file %1 could not be read whole (it is larger than "
                          "%2 MB or not readable) and is left as it is. Settings are read "
                          "from and saved to %3 until it can be read again.")
        .arg(QDir::toNativeSeparators(iniPath))
        .arg(PrivateProfile::MaxFileSize / (1024 * 1024))
        .arg(QDir::toNativeSeparators(sidePath));
}

QString bothUnreadableNotice(const QString &iniPath, const QString &sidePath) {
    return QStringLiteral("Neither the settings file %1 nor %2 could be read whole; both are "
                          "left as they are. Default settings are in use and changes cannot "
                          "be saved.")
        .arg(QDir::toNativeSeparators(iniPath), QDir::toNativeSeparators(sidePath));
}
} // namespace

QString SettingsStore::sideFilePath(const QString &iniPath) {
    const QFileInfo info(iniPath);
    const QString suffix = info.suffix();
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".saved") +
                               (suffix.isEmpty() ? QString() : QLatin1Char('.') + suffix));
}

void SettingsStore::load(const QString &iniPath, const ScreenGeometry &screen) {
    PrivateProfile profile;
    m_notice.clear();
    if (profile.loadFile(iniPath) == PrivateProfile::FileState::Unreadable) {
        const QString side = sideFilePath(iniPath);
        m_notice = profile.loadFile(side) == PrivateProfile::FileState::Unreadable
                       ? bothUnreadableNotice(iniPath, side)
                       : unreadableNotice(iniPath, side);
    }
    load(profile, screen);
}

void SettingsStore::load(const PrivateProfile &p, const ScreenGeometry &screen) {
    const Settings defaults;
    Settings &s = m_settings;
    for (const Key &key : Keys) {
        const QString name = QLatin1String(key.name);
        if (auto m = std::get_if<int Settings::*>(&key.member))
            s.*(*m) = p.readInt(key.section, name, defaults.*(*m));
        else if (auto b = std::get_if<bool Settings::*>(&key.member))
            s.*(*b) = p.readBool(key.section, name, defaults.*(*b));
        else if (auto t = std::get_if<QString Settings::*>(&key.member))
            s.*(*t) = p.readString(key.section, name, defaults.*(*t));
        else if (auto u = std::get_if<quint8 Settings::*>(&key.member))
            s.*(*u) = quint8(qBound(0, p.readInt(key.section, name, defaults.*(*u)), 255));
    }

    // The main window: defaults from the work area (right and bottom edges as the size, as the
    // old console did), the size limited to the first monitor, no negative position. The
    // arithmetic is 64-bit because the file may hold any 32-bit value.
    const QRect area = screen.workArea;
    const QSize monitor = screen.firstMonitor;
    s.WindowWidth = std::min(
        p.readInt(Window, QStringLiteral("Width"), clampToInt(qint64(area.x()) + area.width())),
        monitor.width());
    s.WindowHeight = std::min(
        p.readInt(Window, QStringLiteral("Height"), clampToInt(qint64(area.y()) + area.height())),
        monitor.height());
    s.WindowTop = std::max(0, p.readInt(Window, QStringLiteral("Top"), area.top()));
    s.WindowLeft = std::max(0, p.readInt(Window, QStringLiteral("Left"), area.left()));
    if (s.TBpos < 0 || s.TBpos > 3)
        s.TBpos = 0;

    s.ExplorerTop = p.readInt(Explorer, QStringLiteral("Top"),
                              clampToInt((qint64(monitor.height()) - s.WindowHeight) / 2));
    s.ExplorerLeft = p.readInt(Explorer, QStringLiteral("Left"),
                               clampToInt((qint64(monitor.width()) - s.WindowWidth) / 2));
    s.ExplorerWidth =
        p.readInt(Explorer, QStringLiteral("Width"), clampToInt(qint64(s.WindowWidth) - 70));
    s.ExplorerHeight =
        p.readInt(Explorer, QStringLiteral("Height"), clampToInt(qint64(s.WindowHeight) - 100));

    m_password = readSecret(p, QStringLiteral("Password"));
    s.Password = m_password.plain;
    m_proxyPassword = readSecret(p, QStringLiteral("ProxyPassword"));
    s.ProxyPassword = m_proxyPassword.plain;

    if (!isDateTimeText(s.LogonTime))
        s.LogonTime.clear();
    if (s.MILang < 0)
        s.MILang = 0;
    if (s.AppLang > 7)
        s.AppLang = 0;
    if (s.Scaling > 2)
        s.Scaling = 0;
    if (languageHook())
        languageHook()(s.AppLang);

    const ServiceConfig serviceDefaults;
    for (const auto &key : ServiceKeys) {
        m_service.*key.member =
            p.readString(Service, QLatin1String(key.name), serviceDefaults.*key.member);
    }
}

SettingsStore::StoredSecret SettingsStore::readSecret(const PrivateProfile &profile,
                                                      const QString &key) const {
    StoredSecret secret;
    secret.cipherText = profile.readString(Data, key);
    if (secret.cipherText.isEmpty())
        return secret;
    // Base64 is ASCII: any other character turns into '?', which the decoder refuses.
    const std::optional<QByteArray> plain = m_cipher.DecipherSetting(secret.cipherText.toLatin1());
    if (!plain)
        return secret;
    // A key from another computer name deciphers to noise; noise is rarely valid UTF-8.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(*plain);
    if (!utf8.hasError())
        secret.plain = text;
    return secret;
}

void SettingsStore::setPassword(const QString &plain) {
    m_settings.Password = plain;
    m_password.setByOperator = true;
}

void SettingsStore::setProxyPassword(const QString &plain) {
    m_settings.ProxyPassword = plain;
    m_proxyPassword.setByOperator = true;
}

QString SettingsStore::secretText(StoredSecret &memo, const QString &plain) const {
    if (plain == memo.plain && !memo.setByOperator)
        return memo.cipherText;
    memo.plain = plain;
    memo.setByOperator = false;
    memo.cipherText.clear();
    if (!plain.isEmpty()) {
        if (const std::optional<QByteArray> cipher = m_cipher.EncipherSetting(plain.toUtf8()))
            memo.cipherText = QString::fromLatin1(*cipher);
    }
    return memo.cipherText;
}

void SettingsStore::store(PrivateProfile &p) {
    const Settings &s = m_settings;
    for (const Key &key : Keys) {
        const QString name = QLatin1String(key.name);
        if (auto m = std::get_if<int Settings::*>(&key.member))
            p.setInt(key.section, name, s.*(*m));
        else if (auto b = std::get_if<bool Settings::*>(&key.member))
            p.setBool(key.section, name, s.*(*b));
        else if (auto t = std::get_if<QString Settings::*>(&key.member))
            p.setValue(key.section, name, s.*(*t));
        else if (auto u = std::get_if<quint8 Settings::*>(&key.member))
            p.setInt(key.section, name, s.*(*u));
        else if (auto g = std::get_if<Geometry>(&key.member))
            p.setInt(key.section, name, s.*(g->member));
        else if (auto secret = std::get_if<Secret>(&key.member))
            p.setValue(
                key.section, name,
                secretText(secret->member == &Settings::Password ? m_password : m_proxyPassword,
                           s.*(secret->member)));
    }
    for (const auto &key : ServiceKeys)
        p.setValue(Service, QLatin1String(key.name), m_service.*key.member);
}

bool SettingsStore::save(const QString &iniPath) {
    AddTrace(11);
    // Start from what the file holds now, so that keys and sections of other versions stay.
    PrivateProfile profile;
    QString target = iniPath;
    if (profile.loadFile(target) == PrivateProfile::FileState::Unreadable) {
        target = sideFilePath(iniPath);
        if (profile.loadFile(target) == PrivateProfile::FileState::Unreadable) {
            m_notice = bothUnreadableNotice(iniPath, target);
            return false;
        }
        m_notice = unreadableNotice(iniPath, target);
    }
    store(profile);
    return profile.save(target);
}

namespace {
SettingsStore &processStore() {
    static SettingsStore store(settings(), serviceConfig(), passwordCipher());
    return store;
}
} // namespace

void LoadSettings(const QString &iniPath, const ScreenGeometry &screen) {
    processStore().load(iniPath, screen);
}

bool SaveSettings(const QString &iniPath) {
    return processStore().save(iniPath);
}

QString SettingsFileNotice() {
    return processStore().notice();
}

void SetPasswordSetting(const QString &plain) {
    processStore().setPassword(plain);
}

void SetProxyPasswordSetting(const QString &plain) {
    processStore().setProxyPassword(plain);
}

void MigrateOldSettingsFile(const QString &oldPath, const QString &newPath) {
    if (!QFileInfo(oldPath).isFile())
        return;
    if (!QFileInfo::exists(newPath)) {
        QDir().mkpath(QFileInfo(newPath).absolutePath());
        QFile::copy(oldPath, newPath);
    }
    if (QFileInfo(newPath).isFile())
        QFile::remove(oldPath);
}
