#include "platform/OwnerDomain.h"

#include "platform/ComputerName.h"

#include "settings/PrivateProfile.h"

#include <QFile>
#include <QFileInfo>
#include <QList>

#include <pwd.h>
#include <unistd.h>

#include <vector>

namespace {

constexpr qsizetype MaxDomainLength = 255;

// A domain as it may be put in front of or behind a user name: no blanks, no separators of
// its own, nothing a proxy could read as something else.
QString usableDomain(const QString &value) {
    const QString d = value.trimmed();
    if (d.isEmpty() || d.size() > MaxDomainLength)
        return {};
    for (const QChar c : d) {
        if (c.isSpace() || c.category() == QChar::Other_Control || c == QLatin1Char('\\') ||
            c == QLatin1Char('@') || c == QLatin1Char('/') || c == QLatin1Char(':') ||
            c == QLatin1Char('"'))
            return {};
    }
    return d;
}

PrivateProfile profileOf(const QByteArray &text) {
    PrivateProfile profile;
    profile.parse(text);
    return profile;
}

} // namespace

QString RealmFromKrb5Conf(const QByteArray &text) {
    return usableDomain(
        profileOf(text).readString(QStringLiteral("libdefaults"), QStringLiteral("default_realm")));
}

QString DomainFromSssdConf(const QByteArray &text) {
    const PrivateProfile profile = profileOf(text);
    const QString first = profile.readString(QStringLiteral("sssd"), QStringLiteral("domains"))
                              .split(QLatin1Char(','))
                              .value(0)
                              .trimmed();
    if (first.isEmpty())
        return {};
    const QString section = QStringLiteral("domain/") + first;
    for (const char *key : {"krb5_realm", "ad_domain", "ipa_domain"}) {
        const QString value = usableDomain(profile.readString(section, QString::fromLatin1(key)));
        if (!value.isEmpty())
            return value;
    }
    // The section's name is the domain only for a directory that has domains; an LDAP
    // configuration may be called anything.
    const QString provider =
        profile.readString(section, QStringLiteral("id_provider")).trimmed().toLower();
    if (provider == QLatin1String("ad") || provider == QLatin1String("ipa"))
        return usableDomain(first);
    return {};
}

QString DomainFromSmbConf(const QByteArray &text) {
    const PrivateProfile profile = profileOf(text);
    const QString security =
        profile.readString(QStringLiteral("global"), QStringLiteral("security")).trimmed();
    if (security.compare(QLatin1String("ads"), Qt::CaseInsensitive) != 0 &&
        security.compare(QLatin1String("domain"), Qt::CaseInsensitive) != 0)
        return {};
    return usableDomain(profile.readString(QStringLiteral("global"), QStringLiteral("workgroup")));
}

bool PasswdListsUser(const QByteArray &text, const QString &userName) {
    const QByteArray name = userName.toUtf8();
    if (name.isEmpty())
        return false;
    for (const QByteArray &line : text.split('\n')) {
        const qsizetype colon = line.indexOf(':');
        if (colon > 0 && line.left(colon) == name)
            return true;
    }
    return false;
}

QString OwnerDomain(const OwnerDomainSources &sources) {
    const QString user = sources.userName ? sources.userName().trimmed() : QString();
    auto notComputer = [&](const QString &domain) {
        return domain.compare(sources.computerName, Qt::CaseInsensitive) == 0 ? QString() : domain;
    };
    if (user.isEmpty())
        return {};
    if (const qsizetype slash = user.indexOf(QLatin1Char('\\')); slash > 0)
        return notComputer(usableDomain(user.left(slash)));
    if (const qsizetype at = user.lastIndexOf(QLatin1Char('@')); at > 0)
        return notComputer(usableDomain(user.mid(at + 1)));

    auto read = [&](const char *path) {
        return sources.readFile ? sources.readFile(QString::fromLatin1(path), MaxDomainConfigBytes)
                                : std::nullopt;
    };
    if (const auto passwd = read("/etc/passwd"); passwd && PasswdListsUser(*passwd, user))
        return {};
    if (const auto krb5 = read("/etc/krb5.conf"))
        if (const QString d = notComputer(RealmFromKrb5Conf(*krb5)); !d.isEmpty())
            return d;
    if (const auto sssd = read("/etc/sssd/sssd.conf"))
        if (const QString d = notComputer(DomainFromSssdConf(*sssd)); !d.isEmpty())
            return d;
    if (const auto smb = read("/etc/samba/smb.conf"))
        if (const QString d = notComputer(DomainFromSmbConf(*smb)); !d.isEmpty())
            return d;
    return {};
}

OwnerDomainSources SystemOwnerDomainSources() {
    OwnerDomainSources sources;
    sources.computerName = ComputerName();
    sources.userName = [] {
        std::vector<char> buffer(16384);
        struct passwd entry {};
        struct passwd *found = nullptr;
        if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
            found->pw_name)
            return QString::fromLocal8Bit(found->pw_name);
        return qEnvironmentVariable("USER");
    };
    sources.readFile = [](const QString &path, qint64 maxBytes) -> std::optional<QByteArray> {
        QFile file(path);
        if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
            return std::nullopt;
        QByteArray bytes = file.read(maxBytes + 1);
        if (bytes.size() > maxBytes)
            return std::nullopt;
        return bytes;
    };
    return sources;
}
