// The loopback HTTP server that the tests and the local gateway stand on: its request parser
// on hostile bytes, and its connection handling (one request at a time, deferred answers,
// dropped clients).
#include "HttpRequestParser.h"
#include "MiniHttpServer.h"

#include <QSignalSpy>
#include <QTcpSocket>
#include <QtTest>

class TestMiniHttpServer : public QObject {
    Q_OBJECT
private slots:
    void parsesACompleteRequest();
    void waitsForTheRestOfHeadAndBody();
    void takesOneOfSeveralPipelinedRequests();
    void connectAndAbsoluteForms();
    void keepAliveRules();
    void rejectsMalformedRequests_data();
    void rejectsMalformedRequests();

    void answersPipelinedRequestsInOrderAfterADeferredOne();
    void clientGoneBeforeTheAnswer();
    void malformedRequestIsAnsweredAndClosed();
    void connectionCloseAndHead();
    void dropRequestClosesWithoutAnswer();

private:
    struct Client {
        QTcpSocket socket;
        QByteArray received;
    };
    bool connectClient(Client &c, quint16 port);
};

void TestMiniHttpServer::parsesACompleteRequest() {
    const QByteArray withNul = QByteArray("POST /01?key=AB%2D1&dy=3 HTTP/1.1\r\n"
                                          "Host: localhost\r\n"
                                          "Content-Type:  text/plain \r\n"
                                          "Content-Length: 5\r\n\r\n") +
                               QByteArray("a\0b\r\n", 5);
    const HttpParseResult r = parseHttpRequest(withNul);
    QCOMPARE(r.state, HttpParseResult::Complete);
    QCOMPARE(r.consumed, withNul.size());
    QCOMPARE(r.request.method, QByteArray("POST"));
    QCOMPARE(r.request.path, QByteArray("/01"));
    QCOMPARE(r.request.rawQuery, QByteArray("key=AB%2D1&dy=3"));
    QCOMPARE(r.request.header("content-type"), QByteArray("text/plain"));
    QCOMPARE(r.request.body, QByteArray("a\0b\r\n", 5));
    QVERIFY(r.request.keepAlive);
}

void TestMiniHttpServer::waitsForTheRestOfHeadAndBody() {
    const QByteArray raw = "POST /x HTTP/1.1\r\nContent-Length: 4\r\n\r\nbody";
    for (qsizetype cut = 0; cut < raw.size(); ++cut) {
        const HttpParseResult r = parseHttpRequest(QByteArrayView(raw).first(cut));
        QVERIFY2(r.state == HttpParseResult::Incomplete, qPrintable(QString::number(cut)));
    }
    QCOMPARE(parseHttpRequest(raw).state, HttpParseResult::Complete);
}

void TestMiniHttpServer::takesOneOfSeveralPipelinedRequests() {
    const QByteArray first = "GET /03?dy=1 HTTP/1.1\r\nHost: a\r\n\r\n";
    const QByteArray second = "GET /03?dy=2 HTTP/1.1\r\nHost: a\r\n\r\n";
    const HttpParseResult r = parseHttpRequest(first + second);
    QCOMPARE(r.state, HttpParseResult::Complete);
    QCOMPARE(r.consumed, first.size());
    QCOMPARE(r.request.rawQuery, QByteArray("dy=1"));
    // A stray CRLF after a body does not break the next request.
    QCOMPARE(parseHttpRequest("\r\n" + second).request.rawQuery, QByteArray("dy=2"));
}

void TestMiniHttpServer::connectAndAbsoluteForms() {
    HttpParseResult r = parseHttpRequest("CONNECT localhost:443 HTTP/1.1\r\nHost: x\r\n\r\n");
    QCOMPARE(r.state, HttpParseResult::Complete);
    QCOMPARE(r.request.path, QByteArray("localhost:443"));
    r = parseHttpRequest("GET http://gw001.example/03?key=1 HTTP/1.1\r\n\r\n");
    QCOMPARE(r.state, HttpParseResult::Complete);
    QCOMPARE(r.request.path, QByteArray("/03"));
    QCOMPARE(r.request.rawQuery, QByteArray("key=1"));
}

void TestMiniHttpServer::keepAliveRules() {
    QVERIFY(parseHttpRequest("GET / HTTP/1.1\r\n\r\n").request.keepAlive);
    QVERIFY(!parseHttpRequest("GET / HTTP/1.1\r\nConnection: Close\r\n\r\n").request.keepAlive);
    QVERIFY(!parseHttpRequest("GET / HTTP/1.0\r\n\r\n").request.keepAlive);
    QVERIFY(parseHttpRequest("GET / HTTP/1.0\r\nConnection: Keep-alive\r\n\r\n").request.keepAlive);
}

void TestMiniHttpServer::rejectsMalformedRequests_data() {
    QTest::addColumn<QByteArray>("raw");
    QTest::addColumn<int>("status");
    QTest::newRow("TLS client hello") << QByteArray::fromHex("160301020001") << 400;
    QTest::newRow("no version") << QByteArray("GET /\r\n\r\n") << 400;
    QTest::newRow("extra space") << QByteArray("GET  / HTTP/1.1\r\n\r\n") << 400;
    QTest::newRow("HTTP/2 line") << QByteArray("GET / HTTP/2.0\r\n\r\n") << 505;
    QTest::newRow("folded header") << QByteArray("GET / HTTP/1.1\r\nA: b\r\n c\r\n\r\n") << 400;
    QTest::newRow("header without colon") << QByteArray("GET / HTTP/1.1\r\nAb\r\n\r\n") << 400;
    QTest::newRow("control byte in value")
        << QByteArray("GET / HTTP/1.1\r\nA: b\x01\r\n\r\n") << 400;
    QTest::newRow("negative length")
        << QByteArray("POST / HTTP/1.1\r\nContent-Length: -1\r\n\r\n") << 400;
    QTest::newRow("two different lengths")
        << QByteArray("POST / HTTP/1.1\r\nContent-Length: 1\r\nContent-Length: 2\r\n\r\nab") << 400;
    QTest::newRow("huge length")
        << QByteArray("POST / HTTP/1.1\r\nContent-Length: 99999999999999999999\r\n\r\n") << 413;
    QTest::newRow("body over the limit")
        << QByteArray("POST / HTTP/1.1\r\nContent-Length: 2000\r\n\r\n") << 413;
    QTest::newRow("chunked body") << QByteArray(
                                         "POST / HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n")
                                  << 501;
    QTest::newRow("head over the limit")
        << ("GET / HTTP/1.1\r\nX: " + QByteArray(1100, 'a')) << 431;
    QTest::newRow("CONNECT without port") << QByteArray("CONNECT host HTTP/1.1\r\n\r\n") << 400;
}

void TestMiniHttpServer::rejectsMalformedRequests() {
    QFETCH(QByteArray, raw);
    QFETCH(int, status);
    HttpLimits limits;
    limits.maxHeaderBytes = 1024;
    limits.maxBodyBytes = 1000;
    const HttpParseResult r = parseHttpRequest(raw, limits);
    QCOMPARE(r.state, HttpParseResult::Invalid);
    QCOMPARE(r.errorStatus, status);
}

bool TestMiniHttpServer::connectClient(Client &c, quint16 port) {
    connect(&c.socket, &QTcpSocket::readyRead, this, [&c] { c.received += c.socket.readAll(); });
    c.socket.connectToHost(QHostAddress::LocalHost, port);
    return c.socket.waitForConnected(10000);
}

void TestMiniHttpServer::answersPipelinedRequestsInOrderAfterADeferredOne() {
    MiniHttpServer server;
    QList<MiniHttpServer::Request> seen;
    server.setHandler([&](const MiniHttpServer::Request &r) {
        seen.append(r);
        if (r.path != "/hold")
            server.respond(r.id, 200, r.path);
    });
    QVERIFY(server.listen());
    Client c;
    QVERIFY(connectClient(c, server.port()));
    c.socket.write("GET /hold HTTP/1.1\r\n\r\nGET /second HTTP/1.1\r\n\r\n");
    QTRY_COMPARE(seen.size(), 1);
    QTest::qWait(50);
    QCOMPARE(seen.size(), 1); // the second waits for the first answer
    QVERIFY(server.isPending(seen[0].id));
    QVERIFY(server.respond(seen[0].id, 200, "first"));
    QVERIFY(!server.respond(seen[0].id, 200, "twice")); // answered already
    QTRY_COMPARE(seen.size(), 2);
    QCOMPARE(seen[1].connectionId, seen[0].connectionId);
    QTRY_VERIFY(c.received.endsWith("/second"));
    QVERIFY(c.received.startsWith("HTTP/1.1 200 OK\r\nContent-Length: 5\r\n"));
    QVERIFY(c.received.indexOf("first") < c.received.indexOf("/second"));
}

void TestMiniHttpServer::clientGoneBeforeTheAnswer() {
    MiniHttpServer server;
    quint64 held = 0;
    server.setHandler([&](const MiniHttpServer::Request &r) { held = r.id; });
    QSignalSpy closed(&server, &MiniHttpServer::connectionClosed);
    QVERIFY(server.listen());
    {
        Client c;
        QVERIFY(connectClient(c, server.port()));
        c.socket.write("GET /03 HTTP/1.1\r\n\r\n");
        QTRY_VERIFY(held != 0);
        c.socket.abort();
    }
    QTRY_COMPARE(closed.size(), 1);
    QCOMPARE(closed[0][1].toULongLong(), held);
    QVERIFY(!server.isPending(held));
    QVERIFY(!server.respond(held, 200, "nobody listens"));
    QCOMPARE(server.connectionCount(), 0);
}

void TestMiniHttpServer::malformedRequestIsAnsweredAndClosed() {
    MiniHttpServer server;
    int handled = 0;
    server.setHandler([&](const MiniHttpServer::Request &) { ++handled; });
    QSignalSpy bad(&server, &MiniHttpServer::badRequest);
    QVERIFY(server.listen());
    Client c;
    QVERIFY(connectClient(c, server.port()));
    c.socket.write(QByteArray::fromHex("16030100a5010000a10303") + QByteArray(200, '\xee'));
    QTRY_COMPARE(c.socket.state(), QAbstractSocket::UnconnectedState);
    QVERIFY(c.received.startsWith("HTTP/1.1 400 Bad Request\r\n"));
    QCOMPARE(bad.size(), 1);
    QCOMPARE(handled, 0);
}

void TestMiniHttpServer::connectionCloseAndHead() {
    MiniHttpServer server;
    server.setHandler(
        [&](const MiniHttpServer::Request &r) { server.respond(r.id, 200, "12345"); });
    QVERIFY(server.listen());
    Client c;
    QVERIFY(connectClient(c, server.port()));
    c.socket.write("HEAD / HTTP/1.1\r\n\r\nGET / HTTP/1.1\r\nConnection: close\r\n\r\n");
    QTRY_COMPARE(c.socket.state(), QAbstractSocket::UnconnectedState);
    QCOMPARE(c.received, QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 5\r\n"
                                    "Content-Type: text/plain\r\n\r\n"
                                    "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n"
                                    "Content-Type: text/plain\r\nConnection: close\r\n\r\n12345"));
}

void TestMiniHttpServer::dropRequestClosesWithoutAnswer() {
    MiniHttpServer server;
    server.setHandler([&](const MiniHttpServer::Request &r) { QVERIFY(server.dropRequest(r.id)); });
    QVERIFY(server.listen());
    Client c;
    QVERIFY(connectClient(c, server.port()));
    c.socket.write("GET /03 HTTP/1.1\r\n\r\n");
    QTRY_COMPARE(c.socket.state(), QAbstractSocket::UnconnectedState);
    QVERIFY(c.received.isEmpty());
}

QTEST_GUILESS_MAIN(TestMiniHttpServer)
#include "tst_mini_http_server.moc"
