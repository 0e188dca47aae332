// The user's domain from the machine's directory configuration: one input read as krb5.conf,
// sssd.conf, smb.conf and /etc/passwd.
#include "platform/OwnerDomain.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size > size_t(MaxDomainConfigBytes))
        return 0;
    const QByteArray text(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const QString &domain :
         {RealmFromKrb5Conf(text), DomainFromSssdConf(text), DomainFromSmbConf(text)}) {
        // A domain goes in front of or behind a user name: never a separator or a blank.
        if (domain.size() > 255 || domain.contains(QLatin1Char('\\')) ||
            domain.contains(QLatin1Char('@')) || domain.contains(QLatin1Char(' ')))
            __builtin_trap();
    }
    (void)PasswdListsUser(text, QStringLiteral("jdoe"));
    OwnerDomainSources sources;
    sources.userName = [] { return QStringLiteral("jdoe"); };
    sources.readFile = [&text](const QString &, qint64 max) -> std::optional<QByteArray> {
        return text.size() > max ? std::nullopt : std::optional<QByteArray>(text);
    };
    (void)OwnerDomain(sources);
    return 0;
}
