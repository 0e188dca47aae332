#pragma once
#include <QByteArray>
#include <QString>

// The client side of NTLM (NTLMv2 responses), with which a channel answers a proxy that asks
// for NTLM before it opens a CONNECT tunnel (or forwards a plain request).
namespace NtlmAuth {

// Longest challenge message accepted (they are a few hundred bytes in practice).
constexpr qsizetype kMaxChallengeBytes = 4096;

struct Challenge {
    quint32 flags = 0;
    QByteArray serverChallenge; // 8 bytes
    QByteArray targetName;      // as sent (UTF-16LE when the Unicode flag is set)
    QByteArray targetInfo;      // AV pairs, as sent
};

// Type 1 message.
QByteArray negotiateMessage();

// Parses a type 2 message; false when it is not one or any field lies outside the message.
bool parseChallenge(const QByteArray &message, Challenge &out);

// Type 3 message answering `challenge`. `user` may be "DOMAIN\user" or "user@realm"; with
// neither, the challenge's target name is the domain. `clientChallenge` (8 bytes) and
// `timestamp` (Windows FILETIME) are parameters so that tests can fix them; the timestamp of
// the challenge's target info wins when present.
QByteArray authenticateMessage(const Challenge &challenge, const QString &user,
                               const QString &password, const QByteArray &clientChallenge,
                               quint64 timestamp);

// The same with a random client challenge and the current time.
QByteArray authenticateMessage(const Challenge &challenge, const QString &user,
                               const QString &password);

// NTOWFv2 of MS-NLMP, exposed for the tests.
QByteArray ntowfV2(const QString &password, const QString &user, const QString &domain);

} // namespace NtlmAuth
