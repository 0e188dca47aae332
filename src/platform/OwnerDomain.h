#pragma once
#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

// The domain of the logged-on user's account, as a proxy that authenticates against a
// directory knows it: "CORP" for CORP\name, or a Kerberos realm. Empty for a local account, on
// a machine that is in no domain, and when the domain is the computer's own name.
//
// Where it comes from on Linux:
// 1. a login name that carries its domain: "CORP\name" (winbind) or "name@corp.example"
//    (SSSD with fully qualified names);
// 2. a user listed in /etc/passwd has a local account: no domain;
// 3. otherwise the machine's directory configuration: default_realm of [libdefaults] in
//    /etc/krb5.conf, then SSSD (/etc/sssd/sssd.conf: the first name of "domains" in [sssd], or
//    that domain's ad_domain or krb5_realm), then Samba (/etc/samba/smb.conf: the workgroup of
//    [global] when "security" is ads or domain).
struct OwnerDomainSources {
    // The logged-on user's login name.
    std::function<QString()> userName;
    // A whole file, or nothing when it is missing, unreadable or larger than maxBytes.
    std::function<std::optional<QByteArray>(const QString &path, qint64 maxBytes)> readFile;
    // The computer's name (ComputerName()); a domain equal to it is a local one.
    QString computerName;
};

// Configuration files are read at most this far.
inline constexpr qint64 MaxDomainConfigBytes = 256 * 1024;

QString OwnerDomain(const OwnerDomainSources &sources);

// The real machine: the login name of the process's user, the files as they are.
OwnerDomainSources SystemOwnerDomainSources();

// The readers of each file, for tests and the fuzzer.
QString RealmFromKrb5Conf(const QByteArray &text);
QString DomainFromSssdConf(const QByteArray &text);
QString DomainFromSmbConf(const QByteArray &text);
// Whether /etc/passwd's text lists this login name.
bool PasswdListsUser(const QByteArray &text, const QString &userName);
