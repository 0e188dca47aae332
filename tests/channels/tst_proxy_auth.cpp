// The pieces of the proxy credential check: NTLM messages (MS-NLMP 4.2.4 test vectors) and
// the reading of proxy reply heads, both fed by the proxy, so also on bad input.
#include "gateway/NtlmAuth.h"
#include "gateway/ProxyAuthProbe.h"

#include <QtEndian>
#include <QtTest>

namespace {
// The challenge message of MS-NLMP 4.2.4.3: target "Domain", server "Server".
const QByteArray kChallenge = QByteArray::fromHex(
    "4e544c4d53535000020000000c000c003800000033828ae20123456789abcdef00000000000000002400240044"
    "000000060070170000000f44006f006d00610069006e0002000c0044006f006d00610069006e0001000c005300"
    "6500720076006500720000000000");

QByteArray field(const QByteArray &m, int at) {
    const quint16 len = qFromLittleEndian<quint16>(m.constData() + at);
    const quint32 off = qFromLittleEndian<quint32>(m.constData() + at + 4);
    return m.mid(off, len);
}
} // namespace

class TestProxyAuth : public QObject {
    Q_OBJECT
private slots:
    void parsesTheReferenceChallenge();
    void rejectsBrokenChallenges_data();
    void rejectsBrokenChallenges();
    void ntlmV2ResponsesMatchTheReference();
    void userNameForms();
    void readsProxyReplyHeads();
    void rejectsBrokenReplyHeads_data();
    void rejectsBrokenReplyHeads();
};

void TestProxyAuth::parsesTheReferenceChallenge() {
    NtlmAuth::Challenge c;
    QVERIFY(NtlmAuth::parseChallenge(kChallenge, c));
    QCOMPARE(c.serverChallenge.toHex(), QByteArray("0123456789abcdef"));
    QCOMPARE(c.targetName, QByteArray::fromHex("44006f006d00610069006e00"));
    QCOMPARE(c.targetInfo.size(), 36);
    QCOMPARE(c.flags, 0xe28a8233u);
}

void TestProxyAuth::rejectsBrokenChallenges_data() {
    QTest::addColumn<QByteArray>("message");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("cut short") << kChallenge.left(30);
    QTest::newRow("negotiate, not challenge") << NtlmAuth::negotiateMessage();
    QByteArray badSignature = kChallenge;
    badSignature[0] = 'X';
    QTest::newRow("signature") << badSignature;
    QByteArray farName = kChallenge;
    qToLittleEndian<quint32>(0xfffffff0u, farName.data() + 16);
    QTest::newRow("name offset outside") << farName;
    QByteArray longInfo = kChallenge;
    qToLittleEndian<quint16>(500, longInfo.data() + 40);
    QTest::newRow("info length outside") << longInfo;
    QTest::newRow("too long") << kChallenge + QByteArray(NtlmAuth::kMaxChallengeBytes, '\0');
}

void TestProxyAuth::rejectsBrokenChallenges() {
    QFETCH(QByteArray, message);
    NtlmAuth::Challenge c;
    QVERIFY(!NtlmAuth::parseChallenge(message, c));
}

void TestProxyAuth::ntlmV2ResponsesMatchTheReference() {
    QCOMPARE(NtlmAuth::ntowfV2("Password", "User", "Domain").toHex(),
             QByteArray("0c868a403bfd7a93a3001ef22ef02e3f"));

    NtlmAuth::Challenge c;
    QVERIFY(NtlmAuth::parseChallenge(kChallenge, c));
    const QByteArray clientChallenge(8, '\xaa');
    const QByteArray m = NtlmAuth::authenticateMessage(c, "User", "Password", clientChallenge, 0);
    QVERIFY(m.startsWith(QByteArray("NTLMSSP\0\3\0\0\0", 12)));
    // LMv2 and NTProofStr of MS-NLMP 4.2.4.2.1 and 4.2.4.2.2.
    QCOMPARE(field(m, 12).toHex(), QByteArray("86c35097ac9cec102554764a57cccc19aaaaaaaaaaaaaaaa"));
    const QByteArray nt = field(m, 20);
    QCOMPARE(nt.left(16).toHex(), QByteArray("68cd0ab851e51c96aabc927bebef6a1c"));
    QCOMPARE(nt.mid(16 + 28, 36), c.targetInfo);
    QCOMPARE(field(m, 28), QByteArray::fromHex("44006f006d00610069006e00")); // "Domain"
    QCOMPARE(field(m, 36), QByteArray::fromHex("5500730065007200"));         // "User"
}

void TestProxyAuth::userNameForms() {
    NtlmAuth::Challenge c;
    QVERIFY(NtlmAuth::parseChallenge(kChallenge, c));
    const QByteArray cc(8, '\1');
    QByteArray m = NtlmAuth::authenticateMessage(c, "CORP\\jo", "pw", cc, 1);
    QCOMPARE(field(m, 28), QByteArray::fromHex("43004f0052005000")); // "CORP"
    QCOMPARE(field(m, 36), QByteArray::fromHex("6a006f00"));         // "jo"
    m = NtlmAuth::authenticateMessage(c, "jo@corp.example", "pw", cc, 1);
    QVERIFY(field(m, 28).isEmpty());
    // Random client challenges: two answers to one challenge differ.
    QVERIFY(NtlmAuth::authenticateMessage(c, "jo", "pw") !=
            NtlmAuth::authenticateMessage(c, "jo", "pw"));
}

void TestProxyAuth::readsProxyReplyHeads() {
    ProxyAuthProbe::ReplyHead h;
    const QByteArray raw = "HTTP/1.1 407 Proxy Authentication Required\r\n"
                           "Proxy-Authenticate: NTLM\r\n"
                           "Proxy-Authenticate:  Basic realm=\"x\" \r\n"
                           "Content-Length: 12\r\n"
                           "Proxy-Connection: close\r\n\r\nbody follows";
    QCOMPARE(ProxyAuthProbe::parseReplyHead(raw, h), raw.indexOf("body"));
    QCOMPARE(h.status, 407);
    QCOMPARE(h.proxyAuthenticate, (QList<QByteArray>{"NTLM", "Basic realm=\"x\""}));
    QCOMPARE(h.contentLength, 12);
    QVERIFY(h.close);

    QVERIFY(ProxyAuthProbe::parseReplyHead("HTTP/1.0 200 OK\r\n\r\n", h) > 0);
    QVERIFY(h.close); // HTTP/1.0 closes unless told otherwise
    QVERIFY(ProxyAuthProbe::parseReplyHead("HTTP/1.1 200 Connection established\r\n\r\n", h) > 0);
    QVERIFY(!h.close);
    QCOMPARE(ProxyAuthProbe::parseReplyHead("HTTP/1.1 407 Proxy", h), 0); // wait for more
}

void TestProxyAuth::rejectsBrokenReplyHeads_data() {
    QTest::addColumn<QByteArray>("raw");
    QTest::newRow("not HTTP") << QByteArray("SSH-2.0-OpenSSH\r\n\r\n");
    QTest::newRow("no status") << QByteArray("HTTP/1.1 \r\n\r\n");
    QTest::newRow("letters in status") << QByteArray("HTTP/1.1 4x7 No\r\n\r\n");
    QTest::newRow("line without colon") << QByteArray("HTTP/1.1 407 X\r\nbroken\r\n\r\n");
    QTest::newRow("negative length") << QByteArray("HTTP/1.1 407 X\r\nContent-Length: -5\r\n\r\n");
    QTest::newRow("endless head") << ("HTTP/1.1 407 X\r\nA: " +
                                      QByteArray(ProxyAuthProbe::kMaxHeadBytes, 'a'));
}

void TestProxyAuth::rejectsBrokenReplyHeads() {
    QFETCH(QByteArray, raw);
    ProxyAuthProbe::ReplyHead h;
    QCOMPARE(ProxyAuthProbe::parseReplyHead(raw, h), -1);
}

QTEST_GUILESS_MAIN(TestProxyAuth)
#include "tst_proxy_auth.moc"
