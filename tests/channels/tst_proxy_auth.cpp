// What the channels read from their peers, also on bad input: NTLM messages of the proxy
// (MS-NLMP 4.2.4 test vectors) and HTTP replies of the proxy and the gateway.
#include "gateway/HttpChannelWire.h"
#include "gateway/NtlmAuth.h"

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
    void readsGatewayRepliesInAnyPieces();
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
    using State = HttpWire::ReplyParser::State;
    HttpWire::ReplyParser p;
    p.start(true);
    const QByteArray raw = "HTTP/1.1 407 Proxy Authentication Required\r\n"
                           "Proxy-Authenticate: NTLM\r\n"
                           "Proxy-Authenticate:  Basic realm=\"x\" \r\n"
                           "Content-Length: 12\r\n"
                           "Proxy-Connection: close\r\n\r\nbody followsNEXT";
    QCOMPARE(p.feed(raw), raw.indexOf("NEXT")); // stops at the end of the reply
    QCOMPARE(p.state(), State::Complete);
    QCOMPARE(p.status(), 407);
    QCOMPARE(p.headerValues("proxy-authenticate"),
             (QList<QByteArray>{"NTLM", "Basic realm=\"x\""}));
    QCOMPARE(p.body(), QByteArray("body follows"));
    QVERIFY(!p.keepAlive());

    p.start(true);
    QVERIFY(p.feed("HTTP/1.0 200 OK\r\n\r\n") > 0);
    QCOMPARE(p.state(), State::Complete); // a tunnel: no body
    QVERIFY(!p.keepAlive());              // HTTP/1.0 closes unless told otherwise
    p.start(true);
    p.feed("HTTP/1.1 200 Connection established\r\n\r\n");
    QVERIFY(p.keepAlive());
    p.start(true);
    QCOMPARE(p.feed("HTTP/1.1 407 Proxy"), 18); // kept, waiting for more
    QCOMPARE(p.state(), State::Head);
}

void TestProxyAuth::readsGatewayRepliesInAnyPieces() {
    // Every framing, then the same bytes fed one at a time: the same reply.
    const QList<QPair<QByteArray, QByteArray>> cases = {
        {"HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 200 OK\r\nContent-Length: 3\r\n\r\nabc", "abc"},
        {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"
         "3;ext=1\r\nabc\r\n0A\r\n0123456789\r\n0\r\nTrailer: x\r\n\r\n",
         "abc0123456789"},
        {"HTTP/1.1 200 OK\r\nContent-Length: 2, 2\r\nX-Folded: a\r\n b\r\n\r\nhi", "hi"},
        {"HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n", ""},
    };
    for (const auto &[raw, body] : cases) {
        for (const bool bytewise : {false, true}) {
            HttpWire::ReplyParser p;
            p.start();
            qsizetype used = 0;
            if (bytewise) {
                for (qsizetype i = 0; i < raw.size(); ++i)
                    used += p.feed(QByteArrayView(raw).sliced(i, 1));
            } else {
                used = p.feed(raw);
            }
            QCOMPARE(used, raw.size());
            QCOMPARE(p.state(), HttpWire::ReplyParser::State::Complete);
            QCOMPARE(p.body(), body);
            QVERIFY(p.keepAlive());
        }
    }
    // Without a length the body runs until the connection ends, which cannot be kept.
    HttpWire::ReplyParser p;
    p.start();
    p.feed("HTTP/1.0 200 OK\r\n\r\nuntil the end");
    QCOMPARE(p.state(), HttpWire::ReplyParser::State::Body);
    p.endOfStream();
    QCOMPARE(p.state(), HttpWire::ReplyParser::State::Complete);
    QCOMPARE(p.body(), QByteArray("until the end"));
    QVERIFY(!p.keepAlive());
}

void TestProxyAuth::rejectsBrokenReplyHeads_data() {
    using State = HttpWire::ReplyParser::State;
    QTest::addColumn<QByteArray>("raw");
    QTest::addColumn<State>("outcome");
    const QByteArray ok = "HTTP/1.1 200 OK\r\n";
    QTest::newRow("not HTTP") << QByteArray("SSH-2.0-OpenSSH\r\n\r\n") << State::Malformed;
    QTest::newRow("no status") << QByteArray("HTTP/1.1 \r\n\r\n") << State::Malformed;
    QTest::newRow("letters in status") << QByteArray("HTTP/1.1 4x7 No\r\n\r\n") << State::Malformed;
    QTest::newRow("line without colon")
        << QByteArray("HTTP/1.1 407 X\r\nbroken\r\n\r\n") << State::Malformed;
    QTest::newRow("space before colon") << ok + "Content-Length : 1\r\n\r\nx" << State::Malformed;
    QTest::newRow("negative length")
        << QByteArray("HTTP/1.1 407 X\r\nContent-Length: -5\r\n\r\n") << State::Malformed;
    QTest::newRow("two lengths") << ok + "Content-Length: 1\r\nContent-Length: 2\r\n\r\n"
                                 << State::Malformed;
    QTest::newRow("endless line") << "HTTP/1.1 407 X\r\nA: " + QByteArray(20000, 'a')
                                  << State::Malformed;
    QByteArray manyHeaders = ok;
    for (int i = 0; i < 101; ++i)
        manyHeaders += "A: b\r\n";
    QTest::newRow("too many headers") << manyHeaders << State::Malformed;
    QTest::newRow("endless interim replies")
        << QByteArray("HTTP/1.1 100 Continue\r\n\r\n").repeated(9) << State::Malformed;
    QTest::newRow("gzip transfer coding") << ok + "Transfer-Encoding: gzip, chunked\r\n\r\n"
                                          << State::Malformed;
    QTest::newRow("chunk size not hex") << ok + "Transfer-Encoding: chunked\r\n\r\nzz\r\n"
                                        << State::Malformed;
    QTest::newRow("chunk size of 17 digits")
        << ok + "Transfer-Encoding: chunked\r\n\r\n10000000000000000\r\n"
        << State::Malformed;
    QTest::newRow("chunk without its CR LF") << ok + "Transfer-Encoding: chunked\r\n\r\n1\r\nab\r\n"
                                             << State::Malformed;
    QTest::newRow("length beyond the limit") << ok + "Content-Length: 99999999999\r\n\r\n"
                                             << State::TooLarge;
    QTest::newRow("chunks beyond the limit")
        << ok + "Transfer-Encoding: chunked\r\n\r\nfffffffffffffff\r\n"
        << State::TooLarge;
}

void TestProxyAuth::rejectsBrokenReplyHeads() {
    QFETCH(QByteArray, raw);
    QFETCH(HttpWire::ReplyParser::State, outcome);
    HttpWire::ReplyParser p;
    p.start();
    p.feed(raw);
    QCOMPARE(p.state(), outcome);
    QVERIFY(!p.keepAlive());
}

QTEST_GUILESS_MAIN(TestProxyAuth)
#include "tst_proxy_auth.moc"
