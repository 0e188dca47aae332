#include "gateway/NtlmAuth.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QMessageAuthenticationCode>
#include <QRandomGenerator>
#include <QtEndian>

namespace {

const QByteArray kSignature("NTLMSSP\0", 8);

constexpr quint32 kUnicode = 0x00000001;
constexpr quint32 kRequestTarget = 0x00000004;
constexpr quint32 kNtlm = 0x00000200;
constexpr quint32 kAlwaysSign = 0x00008000;
constexpr quint32 kExtendedSessionSecurity = 0x00080000;
constexpr quint32 kTargetInfo = 0x00800000;

constexpr quint16 kAvEol = 0;
constexpr quint16 kAvTimestamp = 7;

quint16 get16(const QByteArray &m, qsizetype at) {
    return qFromLittleEndian<quint16>(m.constData() + at);
}

quint32 get32(const QByteArray &m, qsizetype at) {
    return qFromLittleEndian<quint32>(m.constData() + at);
}

void put16(QByteArray &m, qsizetype at, quint16 v) {
    qToLittleEndian(v, m.data() + at);
}
void put32(QByteArray &m, qsizetype at, quint32 v) {
    qToLittleEndian(v, m.data() + at);
}

// A security buffer (length, allocated, offset) at `at`; false when it points outside.
bool readBuffer(const QByteArray &m, qsizetype at, QByteArray &out) {
    if (at + 8 > m.size())
        return false;
    const quint16 len = get16(m, at);
    const quint32 offset = get32(m, at + 4);
    if (offset > quint32(m.size()) || len > m.size() - qsizetype(offset))
        return false;
    out = m.mid(offset, len);
    return true;
}

QByteArray utf16le(const QString &s) {
    QByteArray out;
    out.reserve(s.size() * 2);
    for (QChar c : s) {
        out += char(c.unicode() & 0xff);
        out += char(c.unicode() >> 8);
    }
    return out;
}

QByteArray hmacMd5(const QByteArray &key, const QByteArray &data) {
    return QMessageAuthenticationCode::hash(data, key, QCryptographicHash::Md5);
}

// MsvAvTimestamp of the target info, if the server sent one.
bool findTimestamp(const QByteArray &info, quint64 &out) {
    qsizetype pos = 0;
    while (pos + 4 <= info.size()) {
        const quint16 id = get16(info, pos);
        const quint16 len = get16(info, pos + 2);
        if (id == kAvEol || pos + 4 + len > info.size())
            return false;
        if (id == kAvTimestamp && len == 8) {
            out = qFromLittleEndian<quint64>(info.constData() + pos + 4);
            return true;
        }
        pos += 4 + len;
    }
    return false;
}

} // namespace

namespace NtlmAuth {

QByteArray negotiateMessage() {
    QByteArray m(32, '\0');
    m.replace(0, 8, kSignature);
    put32(m, 8, 1);
    put32(m, 12, kUnicode | kRequestTarget | kNtlm | kAlwaysSign | kExtendedSessionSecurity);
    // Empty domain and workstation buffers point at the end of the message.
    put32(m, 20, 32);
    put32(m, 28, 32);
    return m;
}

bool parseChallenge(const QByteArray &message, Challenge &out) {
    if (message.size() < 32 || message.size() > kMaxChallengeBytes ||
        !message.startsWith(kSignature) || get32(message, 8) != 2)
        return false;
    Challenge c;
    if (!readBuffer(message, 12, c.targetName))
        return false;
    c.flags = get32(message, 20);
    c.serverChallenge = message.mid(24, 8);
    if ((c.flags & kTargetInfo) && message.size() >= 48 && !readBuffer(message, 40, c.targetInfo))
        return false;
    out = c;
    return true;
}

QByteArray ntowfV2(const QString &password, const QString &user, const QString &domain) {
    const QByteArray ntHash = QCryptographicHash::hash(utf16le(password), QCryptographicHash::Md4);
    return hmacMd5(ntHash, utf16le(user.toUpper() + domain));
}

QByteArray authenticateMessage(const Challenge &challenge, const QString &userIn,
                               const QString &password, const QByteArray &clientChallenge,
                               quint64 timestamp) {
    QString user = userIn;
    QString domain;
    const qsizetype slash = user.indexOf(QLatin1Char('\\'));
    if (slash >= 0) {
        domain = user.left(slash);
        user = user.mid(slash + 1);
    } else if (!user.contains(QLatin1Char('@'))) {
        // The target name is UTF-16LE when the server speaks Unicode, which we ask for.
        const QByteArray &t = challenge.targetName;
        for (qsizetype i = 0; i + 1 < t.size(); i += 2)
            domain += QChar(quint16(quint8(t[i]) | (quint8(t[i + 1]) << 8)));
    }

    quint64 serverTime = 0;
    if (findTimestamp(challenge.targetInfo, serverTime))
        timestamp = serverTime;

    const QByteArray key = ntowfV2(password, user, domain);
    QByteArray temp(28, '\0');
    temp[0] = 1;
    temp[1] = 1;
    qToLittleEndian(timestamp, temp.data() + 8);
    temp.replace(16, 8, clientChallenge.left(8).leftJustified(8, '\0'));
    temp += challenge.targetInfo;
    temp += QByteArray(4, '\0');
    const QByteArray ntResponse = hmacMd5(key, challenge.serverChallenge + temp) + temp;
    const QByteArray lmResponse =
        hmacMd5(key, challenge.serverChallenge + clientChallenge.left(8)) + clientChallenge.left(8);

    const QByteArray domainBytes = utf16le(domain);
    const QByteArray userBytes = utf16le(user);
    const QByteArray workstation; // not disclosed

    constexpr qsizetype kHeader = 64;
    QByteArray m(kHeader, '\0');
    m.replace(0, 8, kSignature);
    put32(m, 8, 3);
    QByteArray payload;
    auto addBuffer = [&](qsizetype at, const QByteArray &data) {
        put16(m, at, quint16(data.size()));
        put16(m, at + 2, quint16(data.size()));
        put32(m, at + 4, quint32(kHeader + payload.size()));
        payload += data;
    };
    addBuffer(12, lmResponse);
    addBuffer(20, ntResponse);
    addBuffer(28, domainBytes);
    addBuffer(36, userBytes);
    addBuffer(44, workstation);
    addBuffer(52, {}); // no session key
    put32(m, 60,
          kUnicode | kRequestTarget | kNtlm | kAlwaysSign | kExtendedSessionSecurity |
              (challenge.flags & kTargetInfo));
    return m + payload;
}

QByteArray authenticateMessage(const Challenge &challenge, const QString &user,
                               const QString &password) {
    QByteArray clientChallenge(8, '\0');
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32 *>(clientChallenge.data()), 2);
    // FILETIME: 100 ns steps since 1601-01-01.
    const quint64 filetime =
        quint64(QDateTime::currentMSecsSinceEpoch()) * 10000ULL + 116444736000000000ULL;
    return authenticateMessage(challenge, user, password, clientChallenge, filetime);
}

} // namespace NtlmAuth
