// HttpChannel through proxies: a real squid with Basic authentication and the NTLM test
// proxy, both opening CONNECT tunnels to the TLS test server. Wrong credentials must end the
// request with 407 instead of looping.
#include "ChannelTestSupport.h"
#include "NtlmTestProxy.h"
#include "SquidFixture.h"

#include "gateway/TlsPolicy.h"
#include "settings/ServiceConfig.h"

#include <QNetworkReply>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// Generous: a request that loops on authentication never ends, one that does not ends in far
// less; the channel's own transfer timeout is set longer still so it cannot end the loop.
constexpr int kWaitMs = 30000;
constexpr int kChannelTimeoutMs = 120000;
const QByteArray kUser = "operator7";
const QByteArray kPassword = "s3cret:pa ss";
} // namespace

class TestHttpProxy : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();

    void apr1HashMatchesTheReferenceAlgorithm();
    void squidBasicRightPassword();
    void squidBasicWrongPasswordEndsWith407();
    void squidWithoutCredentialsGives407();
    void squidPlainHttpForwarding();

    void ntlmResponseCheckOfTheTestProxy();
    void ntlmRightPassword();
    void ntlmWrongPasswordEndsWith407();
    void ntlmWithoutCredentialsGives407();
    void ntlmRefusedLaterAndStalledProxyAreBounded();

private:
    Completion run(HttpChannel &channel, const QByteArray &url, const QByteArray &body = {});
    QByteArray targetUrl(const QByteArray &path) const;

    QTemporaryDir m_dir;
    std::unique_ptr<LocalPki> m_ca;
    std::unique_ptr<RecordingServer> m_target;
    std::unique_ptr<RecordingServer> m_plainTarget;
    std::unique_ptr<SquidFixture> m_squid;
    QString m_squidError;
};

void TestHttpProxy::initTestCase() {
    QVERIFY(m_dir.isValid());
    m_ca = std::make_unique<LocalPki>();
    const auto id = m_ca->issueServer({"localhost", "127.0.0.1"});
    QVERIFY(!id.isNull());
    const QString trust = m_dir.filePath("trusted.pem");
    QVERIFY(m_ca->writeCaPem(trust));
    serviceConfig().TrustedCertificates = trust;
    TlsPolicy::reload();

    m_target = std::make_unique<RecordingServer>();
    m_target->server.setTls(id.certificate, id.key, id.chain);
    QVERIFY(m_target->server.listen());
    m_plainTarget = std::make_unique<RecordingServer>();
    QVERIFY(m_plainTarget->server.listen());

    if (!SquidFixture::squidBinary().isEmpty()) {
        m_squid = std::make_unique<SquidFixture>();
        if (!m_squid->start(kUser, kPassword, &m_squidError))
            m_squid.reset();
    }
}

void TestHttpProxy::cleanupTestCase() {
    m_squid.reset();
}

QByteArray TestHttpProxy::targetUrl(const QByteArray &path) const {
    return "https://localhost:" + QByteArray::number(m_target->server.port()) + path;
}

Completion TestHttpProxy::run(HttpChannel &channel, const QByteArray &url, const QByteArray &body) {
    CompletionRecorder rec(&channel);
    const bool started = body.isEmpty() ? channel.get(url) : channel.post(url, body);
    if (!started || !QTest::qWaitFor([&] { return !rec.done.isEmpty(); }, kWaitMs))
        return {};
    return rec.done.first();
}

#define REQUIRE_SQUID()                                                                            \
    do {                                                                                           \
        if (SquidFixture::squidBinary().isEmpty())                                                 \
            QSKIP("squid is not installed (apt-get install squid)");                               \
        QVERIFY2(m_squid, qPrintable(m_squidError));                                               \
    } while (0)

void TestHttpProxy::apr1HashMatchesTheReferenceAlgorithm() {
    // Reference values from "openssl passwd -apr1 -salt ...".
    QCOMPARE(SquidFixture::apr1Hash("password", "abcdefgh"),
             QByteArray("$apr1$abcdefgh$FBwExRW4dCc8aL.OvjpIE1"));
}

void TestHttpProxy::squidBasicRightPassword() {
    REQUIRE_SQUID();
    HttpChannel channel(QStringLiteral("QClient"));
    channel.setTransferTimeout(kChannelTimeoutMs);
    channel.setProxy(QStringLiteral("127.0.0.1"), m_squid->port(), QString::fromUtf8(kUser),
                     QString::fromUtf8(kPassword));
    const QByteArray body = QByteArray("binary\0\x1f\x8b", 9);
    Completion c = run(channel, targetUrl("/echo?key=1"), body);
    QCOMPARE(c.error, 0);
    QCOMPARE(c.status, 200);
    QCOMPARE(c.body, body);
    // The tunnel stays up for the next request of the channel.
    c = run(channel, targetUrl("/status/404"));
    QCOMPARE(c.error, 0);
    QCOMPARE(c.status, 404);
    QCOMPARE(m_target->requests.last().connectionId,
             m_target->requests[m_target->requests.size() - 2].connectionId);
}

void TestHttpProxy::squidBasicWrongPasswordEndsWith407() {
    REQUIRE_SQUID();
    HttpChannel channel(QStringLiteral("QClient"));
    channel.setTransferTimeout(kChannelTimeoutMs);
    channel.setProxy(QStringLiteral("127.0.0.1"), m_squid->port(), QString::fromUtf8(kUser),
                     QStringLiteral("wrong"));
    const int before = m_target->requests.size();
    const Completion c = run(channel, targetUrl("/echo"));
    QCOMPARE(c.error, 0);
    QCOMPARE(c.status, 407);
    QCOMPARE(m_target->requests.size(), before);

    // Fixing the password on the same channel works without a restart.
    channel.setProxy(QStringLiteral("127.0.0.1"), m_squid->port(), QString::fromUtf8(kUser),
                     QString::fromUtf8(kPassword));
    QCOMPARE(run(channel, targetUrl("/echo")).status, 200);
}

void TestHttpProxy::squidWithoutCredentialsGives407() {
    REQUIRE_SQUID();
    HttpChannel channel(QStringLiteral("QClient"));
    channel.setTransferTimeout(kChannelTimeoutMs);
    channel.setProxy(QStringLiteral("127.0.0.1"), m_squid->port(), {}, {});
    const Completion c = run(channel, targetUrl("/echo"));
    QCOMPARE(c.error, 0);
    QCOMPARE(c.status, 407);
}

void TestHttpProxy::squidPlainHttpForwarding() {
    REQUIRE_SQUID();
    HttpChannel channel(QStringLiteral("QClient"));
    channel.setTransferTimeout(kChannelTimeoutMs);
    channel.setProxy(QStringLiteral("127.0.0.1"), m_squid->port(), QString::fromUtf8(kUser),
                     QString::fromUtf8(kPassword));
    const QByteArray url =
        "http://127.0.0.1:" + QByteArray::number(m_plainTarget->server.port()) + "/echo";
    Completion c = run(channel, url, "plain body");
    QCOMPARE(c.error, 0);
    QCOMPARE(c.status, 200);
    QCOMPARE(c.body, QByteArray("plain body"));

    channel.setProxy(QStringLiteral("127.0.0.1"), m_squid->port(), QString::fromUtf8(kUser),
                     QStringLiteral("wrong"));
    c = run(channel, url, "plain body");
    QCOMPARE(c.error, 0);
    QCOMPARE(c.status, 407);
}

void TestHttpProxy::ntlmResponseCheckOfTheTestProxy() {
    // MS-NLMP 4.2.4 test vectors: NTOWFv1 of "Password" and the NTLMv2 proof.
    QCOMPARE(NtlmTestProxy::ntHash("Password").toHex(),
             QByteArray("a4f49c406510bdcab6824ee7c30fd852"));
    auto utf16 = [](const char *s) {
        QByteArray out;
        for (const char *p = s; *p; ++p)
            out += QByteArray(1, *p) + QByteArray(1, '\0');
        return out;
    };
    const QByteArray challenge = QByteArray::fromHex("0123456789abcdef");
    const QByteArray blob = QByteArray::fromHex(
        "01010000000000000000000000000000aaaaaaaaaaaaaaaa0000000002000c00"
        "44006f006d00610069006e0001000c005300650072007600650072000000000000000000");
    const QByteArray proof = QByteArray::fromHex("68cd0ab851e51c96aabc927bebef6a1c");
    QVERIFY(NtlmTestProxy::verifyNtlmV2("Password", utf16("User"), utf16("Domain"), challenge,
                                        proof + blob));
    QByteArray tampered = proof + blob;
    tampered[20] = char(tampered[20] ^ 1);
    QVERIFY(!NtlmTestProxy::verifyNtlmV2("Password", utf16("User"), utf16("Domain"), challenge,
                                         tampered));
    QVERIFY(!NtlmTestProxy::verifyNtlmV2("Other", utf16("User"), utf16("Domain"), challenge,
                                         proof + blob));
}

void TestHttpProxy::ntlmRightPassword() {
    NtlmTestProxy proxy(kUser, kPassword);
    QVERIFY(proxy.start());
    // As at a logon: the settings go to every channel first, then the requests start.
    HttpChannel channel(QStringLiteral("QClient"));
    HttpChannel other(QStringLiteral("ExecClient"));
    for (HttpChannel *c : {&channel, &other}) {
        c->setTransferTimeout(kChannelTimeoutMs);
        c->setProxy(QStringLiteral("127.0.0.1"), proxy.port(), QString::fromUtf8(kUser),
                    QString::fromUtf8(kPassword));
    }
    Completion c = run(channel, targetUrl("/echo"), "through NTLM");
    QCOMPARE(c.error, 0);
    QCOMPARE(c.status, 200);
    QCOMPARE(c.body, QByteArray("through NTLM"));
    // One logon, for the tunnel the channel keeps.
    QCOMPARE(proxy.acceptedLogons, 1);
    QCOMPARE(proxy.rejectedLogons, 0);
    QCOMPARE(proxy.lastUser, kUser);

    c = run(channel, targetUrl("/echo"), "again");
    QCOMPARE(c.status, 200);
    QCOMPARE(proxy.acceptedLogons, 1); // same tunnel, no new logon
    QCOMPARE(m_target->requests.last().connectionId,
             m_target->requests[m_target->requests.size() - 2].connectionId);

    // The other channel opens its own tunnel.
    QCOMPARE(run(other, targetUrl("/echo"), "x").status, 200);
    QCOMPARE(proxy.acceptedLogons, 2);
}

void TestHttpProxy::ntlmWrongPasswordEndsWith407() {
    NtlmTestProxy proxy(kUser, kPassword);
    QVERIFY(proxy.start());
    HttpChannel channel(QStringLiteral("QClient"));
    channel.setTransferTimeout(kChannelTimeoutMs);
    channel.setProxy(QStringLiteral("127.0.0.1"), proxy.port(), QString::fromUtf8(kUser),
                     QStringLiteral("wrong"));
    const int before = m_target->requests.size();
    const Completion c = run(channel, targetUrl("/echo"));
    QVERIFY2(c.error == 0 && c.status == 407,
             qPrintable(QStringLiteral("error %1 status %2").arg(c.error).arg(c.status)));
    QCOMPARE(proxy.acceptedLogons, 0);
    // Tried exactly once: a proxy that counts failures must not lock the account.
    QCOMPARE(proxy.authenticateMessages, 1);
    QCOMPARE(proxy.rejectedLogons, 1);
    QCOMPARE(m_target->requests.size(), before);

    // The next request does not ask the proxy again...
    QCOMPARE(run(channel, targetUrl("/echo")).status, 407);
    QCOMPARE(proxy.authenticateMessages, 1);
    // ...until the settings are applied again, with the right password this time.
    channel.setProxy(QStringLiteral("127.0.0.1"), proxy.port(), QString::fromUtf8(kUser),
                     QString::fromUtf8(kPassword));
    QCOMPARE(run(channel, targetUrl("/echo")).status, 200);
}

void TestHttpProxy::ntlmWithoutCredentialsGives407() {
    NtlmTestProxy proxy(kUser, kPassword);
    QVERIFY(proxy.start());
    HttpChannel channel(QStringLiteral("QClient"));
    channel.setTransferTimeout(kChannelTimeoutMs);
    channel.setProxy(QStringLiteral("127.0.0.1"), proxy.port(), {}, {});
    const Completion c = run(channel, targetUrl("/echo"));
    QCOMPARE(c.error, 0);
    QCOMPARE(c.status, 407);
    QCOMPARE(proxy.authenticateMessages, 0);
}

void TestHttpProxy::ntlmRefusedLaterAndStalledProxyAreBounded() {
    // The proxy accepts the first logon, then refuses the same credentials (an expired
    // password): the next tunnel is refused once, and no channel asks again.
    NtlmTestProxy proxy(kUser, kPassword);
    proxy.acceptLimit = 1;
    QVERIFY(proxy.start());
    HttpChannel channel(QStringLiteral("QClient"));
    HttpChannel other(QStringLiteral("ExecClient"));
    for (HttpChannel *c : {&channel, &other}) {
        c->setTransferTimeout(kChannelTimeoutMs);
        c->setProxy(QStringLiteral("127.0.0.1"), proxy.port(), QString::fromUtf8(kUser),
                    QString::fromUtf8(kPassword));
    }
    QCOMPARE(run(channel, targetUrl("/echo")).status, 200);
    QCOMPARE(proxy.acceptedLogons, 1);

    Completion c = run(other, targetUrl("/echo"));
    QCOMPARE(c.error, 0);
    QCOMPARE(c.status, 407);
    QCOMPARE(proxy.authenticateMessages, 2);
    QCOMPARE(proxy.rejectedLogons, 1);
    channel.closeConnections();
    QCOMPARE(run(channel, targetUrl("/echo")).status, 407);
    QCOMPARE(proxy.authenticateMessages, 2);

    // A proxy that takes the connection and never answers the CONNECT.
    QTcpServer silent;
    QVERIFY(silent.listen(QHostAddress::LocalHost));
    HttpChannel stalled(QStringLiteral("ScreenClient"));
    stalled.setTransferTimeout(kChannelTimeoutMs);
    stalled.setProxySetupTimeout(300);
    stalled.setProxy(QStringLiteral("127.0.0.1"), silent.serverPort(), QString::fromUtf8(kUser),
                     QString::fromUtf8(kPassword));
    c = run(stalled, targetUrl("/echo"));
    QCOMPARE(c.error, int(QNetworkReply::ProxyTimeoutError));
}

QTEST_GUILESS_MAIN(TestHttpProxy)
#include "tst_http_proxy.moc"
