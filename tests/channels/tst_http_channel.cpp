// HttpChannel against the loopback test server over TLS: bodies, headers, statuses, abort,
// keep-alive, limits and every TLS failure the session must tell apart.
#include "ChannelTestSupport.h"

#include "gateway/TlsPolicy.h"
#include "settings/ServiceConfig.h"

#include <QNetworkReply>
#include <QSslServer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/socket.h>

namespace {
constexpr int kWaitMs = 20000;

QByteArray allBytes(int repeat) {
    QByteArray b;
    for (int r = 0; r < repeat; ++r)
        for (int i = 0; i < 256; ++i)
            b += char(i);
    return b;
}

// A real gzip member ("hello gzip\n"): a client that inflates behind our back would hand
// over the text instead of these bytes.
const QByteArray kGzipBody =
    QByteArray::fromHex("1f8b0800000000000003cb48cdc9c95748afca2ce0020054e1bd6a0b000000");
} // namespace

class TestHttpChannel : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void bodiesArriveByteForByte();
    void postBodiesArriveByteForByte();
    void headersAndQueryAsConfigured();
    void statusesReachTheCompletion_data();
    void statusesReachTheCompletion();
    void abortCompletesOnceFromTheEventLoop();
    void abortThenRestartKeepsOrder();
    void secondRequestWhileBusyIsRefused();
    void deferredAnswerArrives();
    void keepAliveReusesOneConnection();
    void droppedConnectionIsAnError();
    void droppedRequestWentOutOnceByteForByte_data();
    void droppedRequestWentOutOnceByteForByte();
    void limitsEndTheRequest();
    void invalidAddressFailsAsynchronously();
    void tlsFailures_data();
    void tlsFailures();
    void localCaIsNotTrustedWithoutTheFile();
    void trustedCertificatesFileIsChecked();

private:
    Completion runGet(HttpChannel &channel, const QByteArray &url);
    QByteArray url(const QByteArray &path) const;

    QTemporaryDir m_dir;
    std::unique_ptr<LocalPki> m_ca;
    LocalPki::Identity m_identity;
    QString m_trustFile;
    std::unique_ptr<RecordingServer> m_server;
};

void TestHttpChannel::initTestCase() {
    QVERIFY(m_dir.isValid());
    m_ca = std::make_unique<LocalPki>();
    QVERIFY(m_ca->isValid());
    m_identity = m_ca->issueServer({"localhost", "127.0.0.1"});
    QVERIFY(!m_identity.isNull());
    m_trustFile = m_dir.filePath("trusted.pem");
    QVERIFY(m_ca->writeCaPem(m_trustFile));
}

void TestHttpChannel::init() {
    serviceConfig().TrustedCertificates = m_trustFile;
    TlsPolicy::reload();
    m_server = std::make_unique<RecordingServer>();
    m_server->server.setTls(m_identity.certificate, m_identity.key, m_identity.chain);
    QVERIFY(m_server->server.listen());
}

void TestHttpChannel::cleanup() {
    m_server.reset();
}

QByteArray TestHttpChannel::url(const QByteArray &path) const {
    return "https://localhost:" + QByteArray::number(m_server->server.port()) + path;
}

Completion TestHttpChannel::runGet(HttpChannel &channel, const QByteArray &u) {
    CompletionRecorder rec(&channel);
    if (!channel.get(u))
        return {};
    if (!QTest::qWaitFor([&] { return !rec.done.isEmpty(); }, kWaitMs))
        return {};
    return rec.done.first();
}

void TestHttpChannel::bodiesArriveByteForByte() {
    HttpChannel channel(QStringLiteral("ScreenClient"));
    m_server->payload = allBytes(300);
    Completion c = runGet(channel, url("/bytes"));
    QCOMPARE(c.error, 0);
    QCOMPARE(c.status, 200);
    QCOMPARE(c.body, m_server->payload);

    // A body the server labels as gzip is still handed over as stored, never inflated.
    m_server->payload = kGzipBody;
    m_server->payloadHeaders = {{"Content-Encoding", "gzip"}};
    c = runGet(channel, url("/bytes"));
    QCOMPARE(c.error, 0);
    QCOMPARE(c.body, kGzipBody);
    const QByteArray acceptEncoding = m_server->requests.last().header("Accept-Encoding");
    QVERIFY2(!acceptEncoding.contains("gzip") && !acceptEncoding.contains("deflate"),
             acceptEncoding.constData());

    // An empty body is a valid reply.
    m_server->payload.clear();
    m_server->payloadHeaders.clear();
    c = runGet(channel, url("/bytes"));
    QCOMPARE(c.error, 0);
    QCOMPARE(c.status, 200);
    QVERIFY(c.body.isEmpty());
}

void TestHttpChannel::postBodiesArriveByteForByte() {
    HttpChannel channel(QStringLiteral("ExecClient"));
    CompletionRecorder rec(&channel);
    const QByteArray body = kGzipBody + allBytes(40) + QByteArray("\r\n\r\n\0tail", 9);
    QVERIFY(channel.post(url("/echo"), body));
    QTRY_COMPARE_WITH_TIMEOUT(rec.done.size(), 1, kWaitMs);
    QCOMPARE(rec.done[0].error, 0);
    QCOMPARE(rec.done[0].body, body);
    const TestHttpServer::Request &seen = m_server->requests.last();
    QCOMPARE(seen.method, QByteArray("POST"));
    QCOMPARE(seen.body, body);
    QCOMPARE(seen.header("Content-Type"), QByteArray("application/x-www-form-urlencoded"));

    QVERIFY(channel.post(url("/echo"), "zlib bytes", "text/plain"));
    QTRY_COMPARE_WITH_TIMEOUT(rec.done.size(), 2, kWaitMs);
    QCOMPARE(m_server->requests.last().header("Content-Type"), QByteArray("text/plain"));
    QCOMPARE(rec.done[1].body, QByteArray("zlib bytes"));
}

void TestHttpChannel::headersAndQueryAsConfigured() {
    HttpChannel channel(QStringLiteral("QClient"));
    // The query travels exactly as composed, escapes of unreserved characters included.
    const QByteArray query = "key=A%2Db%20c%2E&string=MoMo%3F10%2C20%26x%3D1%2B%25&dy=7";
    const Completion c = runGet(channel, url("/echo?" + query));
    QCOMPARE(c.error, 0);
    const TestHttpServer::Request &r = m_server->requests.last();
    QCOMPARE(r.method, QByteArray("GET"));
    QCOMPARE(r.path, QByteArray("/echo"));
    QCOMPARE(r.rawQuery, query);
    QVERIFY(r.header("Accept-Encoding").isNull());
    QCOMPARE(r.header("User-Agent"), QByteArray("Mozilla/4.0 (compatible; MSIE 4.0)"));
    QCOMPARE(r.header("Accept"),
             QByteArray("image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*"));
    QCOMPARE(r.header("Pragma"), QByteArray("no-cache"));
    QCOMPARE(r.header("Connection"), QByteArray("Keep-alive"));
    QCOMPARE(r.header("Proxy-Connection"), QByteArray("Keep-alive"));
    QCOMPARE(r.header("Host"), "localhost:" + QByteArray::number(m_server->server.port()));
    QVERIFY(r.header("Cookie").isNull());
}

void TestHttpChannel::statusesReachTheCompletion_data() {
    QTest::addColumn<int>("status");
    QTest::newRow("403") << 403;
    QTest::newRow("404") << 404;
    QTest::newRow("500") << 500;
    QTest::newRow("503") << 503;
    QTest::newRow("302 not followed") << 302;
}

void TestHttpChannel::statusesReachTheCompletion() {
    QFETCH(int, status);
    HttpChannel channel(QStringLiteral("QClient"));
    const Completion c = runGet(channel, url("/status/" + QByteArray::number(status)));
    QCOMPARE(c.error, 0);
    QCOMPARE(c.status, status);
    QCOMPARE(c.body, "status " + QByteArray::number(status));
    QCOMPARE(m_server->requests.size(), 1); // a redirect is the caller's business
}

void TestHttpChannel::abortCompletesOnceFromTheEventLoop() {
    HttpChannel channel(QStringLiteral("QClient"));
    CompletionRecorder rec(&channel);
    QVERIFY(channel.get(url("/hold")));
    QTRY_COMPARE_WITH_TIMEOUT(m_server->held.size(), 1, kWaitMs);
    QVERIFY(channel.busy());

    channel.abort();
    QVERIFY(rec.done.isEmpty()); // never from inside abort()
    QVERIFY(channel.busy());     // until the cancelled request has reported
    QTRY_COMPARE_WITH_TIMEOUT(rec.done.size(), 1, kWaitMs);
    QVERIFY(!channel.busy());
    QCOMPARE(rec.done[0].error, int(QNetworkReply::OperationCanceledError));
    QCOMPARE(rec.done[0].status, 0);
    channel.abort(); // nothing in flight: no second completion

    // A late answer to the cancelled request reaches nobody; the channel goes on working.
    m_server->server.respond(m_server->held[0], 200, "too late");
    const Completion next = runGet(channel, url("/echo"));
    QCOMPARE(next.error, 0);
    QCOMPARE(rec.done.size(), 2);
    QVERIFY(rec.tlsTexts.isEmpty());
}

void TestHttpChannel::abortThenRestartKeepsOrder() {
    // The logoff aborts a command in flight and sends the logoff as soon as the channel is
    // free: from the completion of the cancelled request.
    HttpChannel channel(QStringLiteral("ExecClient"));
    CompletionRecorder rec(&channel);
    quint64 second = 0;
    bool busyInHandler = true;
    connect(&channel, &HttpChannel::requestDone, this, [&](int error) {
        if (error == int(QNetworkReply::OperationCanceledError)) {
            busyInHandler = channel.busy();
            QVERIFY(channel.post(url("/echo"), "logoff"));
            second = channel.requestId();
        }
    });
    QVERIFY(channel.get(url("/hold")));
    const quint64 first = channel.requestId();
    QTRY_COMPARE_WITH_TIMEOUT(m_server->held.size(), 1, kWaitMs);
    channel.abort();
    QTest::ignoreMessage(QtWarningMsg, "HttpChannel ExecClient: request refused, one is in flight");
    QVERIFY(!channel.get(url("/echo")));
    QTRY_COMPARE_WITH_TIMEOUT(rec.done.size(), 2, kWaitMs);
    QVERIFY(!busyInHandler);
    QCOMPARE(rec.done[0].requestId, first);
    QCOMPARE(rec.done[0].error, int(QNetworkReply::OperationCanceledError));
    QVERIFY(second != first);
    QCOMPARE(rec.done[1].requestId, second);
    QCOMPARE(rec.done[1].body, QByteArray("logoff"));
}

void TestHttpChannel::secondRequestWhileBusyIsRefused() {
    HttpChannel channel(QStringLiteral("QClient"));
    CompletionRecorder rec(&channel);
    QVERIFY(channel.get(url("/hold")));
    QTest::ignoreMessage(QtWarningMsg, "HttpChannel QClient: request refused, one is in flight");
    QVERIFY(!channel.get(url("/echo")));
    QTRY_COMPARE_WITH_TIMEOUT(m_server->held.size(), 1, kWaitMs);
    m_server->server.respond(m_server->held[0], 200, "held answer");
    QTRY_COMPARE_WITH_TIMEOUT(rec.done.size(), 1, kWaitMs);
    QCOMPARE(rec.done[0].body, QByteArray("held answer"));
    QCOMPARE(m_server->requests.size(), 1);
}

void TestHttpChannel::deferredAnswerArrives() {
    HttpChannel channel(QStringLiteral("QClient"));
    CompletionRecorder rec(&channel);
    QVERIFY(channel.get(url("/hold")));
    QTRY_COMPARE_WITH_TIMEOUT(m_server->held.size(), 1, kWaitMs);
    QTest::qWait(50);
    QVERIFY(rec.done.isEmpty());
    QVERIFY(m_server->server.respond(m_server->held[0], 200, "HostLogon"));
    QTRY_COMPARE_WITH_TIMEOUT(rec.done.size(), 1, kWaitMs);
    QCOMPARE(rec.done[0].body, QByteArray("HostLogon"));
}

void TestHttpChannel::keepAliveReusesOneConnection() {
    HttpChannel channel(QStringLiteral("QClient"));
    QCOMPARE(runGet(channel, url("/echo")).status, 200);
    QCOMPARE(runGet(channel, url("/status/404")).status, 404);
    QCOMPARE(runGet(channel, url("/echo")).status, 200);
    QCOMPARE(m_server->requests.size(), 3);
    const quint64 conn = m_server->requests[0].connectionId;
    QCOMPARE(m_server->requests[1].connectionId, conn);
    QCOMPARE(m_server->requests[2].connectionId, conn);

    // A second channel has its own connection.
    HttpChannel other(QStringLiteral("ExecClient"));
    QCOMPARE(runGet(other, url("/echo")).status, 200);
    QVERIFY(m_server->requests.last().connectionId != conn);

    // After closeConnections the next request opens a new connection.
    channel.closeConnections();
    QCOMPARE(runGet(channel, url("/echo")).status, 200);
    const quint64 reopened = m_server->requests.last().connectionId;
    QVERIFY(reopened != conn);

    // A reply that announces the close is the connection's last one.
    QCOMPARE(runGet(channel, url("/close")).body, QByteArray("closing"));
    QCOMPARE(m_server->requests.last().connectionId, reopened);
    QCOMPARE(runGet(channel, url("/echo")).status, 200);
    QVERIFY(m_server->requests.last().connectionId != reopened);
}

void TestHttpChannel::droppedConnectionIsAnError() {
    HttpChannel channel(QStringLiteral("QClient"));
    CompletionRecorder rec(&channel);
    QVERIFY(channel.get(url("/drop")));
    QTRY_COMPARE_WITH_TIMEOUT(rec.done.size(), 1, kWaitMs);
    QCOMPARE(rec.done[0].error, int(QNetworkReply::RemoteHostClosedError));
    QCOMPARE(rec.done[0].status, 0);
    QVERIFY(rec.done[0].body.isEmpty());
    QCOMPARE(m_server->requests.size(), 1); // never sent again
    QVERIFY(rec.tlsTexts.isEmpty());        // the handshake had succeeded
}

void TestHttpChannel::droppedRequestWentOutOnceByteForByte_data() {
    QTest::addColumn<bool>("post");
    QTest::addColumn<bool>("reset");
    QTest::newRow("GET, connection closed") << false << false;
    QTest::newRow("GET, connection reset") << false << true;
    QTest::newRow("POST, connection reset") << true << true;
}

void TestHttpChannel::droppedRequestWentOutOnceByteForByte() {
    // A plain server that takes the request and hangs up without an answer: the request must
    // have arrived once, exactly as composed, and end with an error.
    QFETCH(bool, post);
    QFETCH(bool, reset);
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    const QByteArray port = QByteArray::number(server.serverPort());
    const QByteArray target = "/gw001/16?user=A%2Db%2E&pass=%20%41&dy=7";
    QByteArray expected = (post ? "POST " : "GET ") + target +
                          " HTTP/1.1\r\n"
                          "Host: 127.0.0.1:" +
                          port +
                          "\r\n"
                          "User-Agent: Mozilla/4.0 (compatible; MSIE 4.0)\r\n"
                          "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*\r\n"
                          "Pragma: no-cache\r\n"
                          "Connection: Keep-alive\r\n"
                          "Proxy-Connection: Keep-alive\r\n";
    expected += post ? "Content-Type: text/plain\r\nContent-Length: 4\r\n\r\nReBt" : "\r\n";

    QList<QByteArray> received; // one entry per connection
    connect(&server, &QTcpServer::newConnection, this, [&] {
        while (QTcpSocket *s = server.nextPendingConnection()) {
            const qsizetype index = received.size();
            received.append(QByteArray());
            connect(s, &QTcpSocket::readyRead, s, [&, s, index] {
                received[index] += s->readAll();
                if (received[index].size() < expected.size())
                    return;
                if (reset) {
                    const linger hard{1, 0}; // close with RST instead of FIN
                    setsockopt(int(s->socketDescriptor()), SOL_SOCKET, SO_LINGER, &hard,
                               sizeof hard);
                    s->abort();
                } else {
                    s->disconnectFromHost();
                }
            });
        }
    });

    HttpChannel channel(QStringLiteral("ExecClient"));
    CompletionRecorder rec(&channel);
    const QByteArray address = "http://127.0.0.1:" + port + target;
    QVERIFY(post ? channel.post(address, "ReBt", "text/plain") : channel.get(address));
    QTRY_COMPARE_WITH_TIMEOUT(rec.done.size(), 1, kWaitMs);
    QCOMPARE(rec.done[0].error, int(QNetworkReply::RemoteHostClosedError));
    QCOMPARE(rec.done[0].status, 0);
    QCOMPARE(received.size(), 1);
    QCOMPARE(received[0], expected);
    QVERIFY(!channel.busy());
}

void TestHttpChannel::limitsEndTheRequest() {
    HttpChannel channel(QStringLiteral("ScreenClient"));
    channel.setMaxReplySize(1000);
    m_server->payload = QByteArray(5000, 'x');
    Completion c = runGet(channel, url("/bytes"));
    QCOMPARE(c.error, int(HttpChannel::ReplyTooLargeError));
    QVERIFY(c.body.isEmpty());

    m_server->payload = QByteArray(1000, 'x'); // exactly the limit is fine
    c = runGet(channel, url("/bytes"));
    QCOMPARE(c.error, 0);
    QCOMPARE(c.body.size(), 1000);

    channel.setTransferTimeout(300);
    c = runGet(channel, url("/hold"));
    QCOMPARE(c.error, int(QNetworkReply::TimeoutError));
    QVERIFY(!channel.busy());
}

void TestHttpChannel::invalidAddressFailsAsynchronously() {
    HttpChannel channel(QStringLiteral("QClient"));
    CompletionRecorder rec(&channel);
    QVERIFY(channel.get("ftp://localhost/x"));
    QVERIFY(rec.done.isEmpty());
    QVERIFY(channel.busy());
    QTRY_COMPARE_WITH_TIMEOUT(rec.done.size(), 1, kWaitMs);
    QCOMPARE(rec.done[0].error, int(HttpChannel::InvalidUrlError));
    QVERIFY(!channel.busy());
    QVERIFY(!HttpChannel::errorText(rec.done[0].error).isEmpty());
}

void TestHttpChannel::tlsFailures_data() {
    QTest::addColumn<QString>("peer");
    QTest::addColumn<QString>("text");
    const QString cert = QStringLiteral("SSL certificate not valid");
    const QString nego = QStringLiteral("SSL negotiation error");
    QTest::newRow("certificate for another host") << "otherHost" << cert;
    QTest::newRow("certificate from an untrusted CA") << "untrustedCa" << cert;
    QTest::newRow("expired certificate") << "expired" << cert;
    QTest::newRow("server speaking garbage") << "garbage" << nego;
    QTest::newRow("plain HTTP server") << "plainHttp" << nego;
    QTest::newRow("TLS 1.0 only server") << "tls10" << nego;
}

void TestHttpChannel::tlsFailures() {
    QFETCH(QString, peer);
    QFETCH(QString, text);

    LocalPki rogueCa(QStringLiteral("Somebody Else's CA"));
    RecordingServer target;
    QTcpServer garbage;
    quint16 port = 0;
    if (peer == "garbage") {
        QVERIFY(garbage.listen(QHostAddress::LocalHost));
        connect(&garbage, &QTcpServer::newConnection, &garbage, [&garbage] {
            while (QTcpSocket *s = garbage.nextPendingConnection())
                s->write(QByteArray(64, '\x07') + "not a handshake at all\r\n");
        });
        port = garbage.serverPort();
    } else {
        if (peer == "otherHost") {
            const auto id = m_ca->issueServer({"other.invalid"});
            target.server.setTls(id.certificate, id.key, id.chain);
        } else if (peer == "untrustedCa") {
            const auto id = rogueCa.issueServer({"localhost", "127.0.0.1"});
            target.server.setTls(id.certificate, id.key, id.chain);
        } else if (peer == "expired") {
            const auto id = m_ca->issueServer({"localhost"}, -1);
            target.server.setTls(id.certificate, id.key, id.chain);
        } else if (peer == "tls10") {
            QSslConfiguration config = QSslConfiguration::defaultConfiguration();
            config.setLocalCertificateChain(m_identity.chain);
            config.setPrivateKey(m_identity.key);
            // The old protocol is the point of this row.
            QT_WARNING_PUSH
            QT_WARNING_DISABLE_DEPRECATED
            config.setProtocol(QSsl::TlsV1_0);
            QT_WARNING_POP
            config.setPeerVerifyMode(QSslSocket::VerifyNone);
            target.server.setTlsConfiguration(config);
        }
        QVERIFY(target.server.listen());
        port = target.server.port();
    }

    HttpChannel channel(QStringLiteral("QClient"));
    CompletionRecorder rec(&channel);
    QVERIFY(channel.get("https://localhost:" + QByteArray::number(port) + "/echo?pass=secret"));
    QTRY_COMPARE_WITH_TIMEOUT(rec.done.size(), 1, kWaitMs);
    QVERIFY(rec.done[0].error != 0);
    QCOMPARE(rec.done[0].status, 0);
    QCOMPARE(rec.tlsTexts, QStringList{text});
    // Nothing of the request reached the peer.
    QVERIFY(target.requests.isEmpty());
}

void TestHttpChannel::localCaIsNotTrustedWithoutTheFile() {
    serviceConfig().TrustedCertificates.clear();
    HttpChannel channel(QStringLiteral("QClient"));
    CompletionRecorder rec(&channel);
    QVERIFY(channel.get(url("/echo")));
    QTRY_COMPARE_WITH_TIMEOUT(rec.done.size(), 1, kWaitMs);
    QCOMPARE(rec.tlsTexts, QStringList{TlsPolicy::certificateFailureText()});
    QVERIFY(m_server->requests.isEmpty());

    // Configuring the file again is picked up without a restart.
    serviceConfig().TrustedCertificates = m_trustFile;
    const Completion c = runGet(channel, url("/echo"));
    QCOMPARE(c.status, 200);
}

void TestHttpChannel::trustedCertificatesFileIsChecked() {
    QString error;
    QVERIFY(TlsPolicy::loadTrustedCertificates(m_dir.filePath("missing.pem"), &error).isEmpty());
    QVERIFY(!error.isEmpty());

    const QString junk = m_dir.filePath("junk.pem");
    QFile f(junk);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("-----BEGIN CERTIFICATE-----\nnot base64 at all\n-----END CERTIFICATE-----\n");
    f.close();
    error.clear();
    QVERIFY(TlsPolicy::loadTrustedCertificates(junk, &error).isEmpty());
    QVERIFY(!error.isEmpty());

    const QString huge = m_dir.filePath("huge.pem");
    QFile h(huge);
    QVERIFY(h.open(QIODevice::WriteOnly));
    const QByteArray pem = m_ca->caPem();
    while (h.size() <= TlsPolicy::kMaxTrustedFileBytes)
        h.write(pem);
    h.close();
    error.clear();
    QVERIFY(TlsPolicy::loadTrustedCertificates(huge, &error).isEmpty());
    QVERIFY(!error.isEmpty());

    QCOMPARE(TlsPolicy::loadTrustedCertificates(m_trustFile).size(), 1);
}

QTEST_GUILESS_MAIN(TestHttpChannel)
#include "tst_http_channel.moc"
