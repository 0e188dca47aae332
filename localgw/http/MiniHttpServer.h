#pragma once
#include "HttpRequestParser.h"

#include <QHash>
#include <QHostAddress>
#include <QObject>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <functional>
#include <memory>
#include <unordered_map>

class QTcpSocket;
class QTcpServer;

// A small HTTP/1.1 server on the loopback interface, plain or TLS, for the local gateway and
// the tests. Everything runs on the thread that owns the object.
//
// Each connection is kept alive between requests (unless the client asks otherwise) and
// carries one request at a time: the next request on a connection is read only after the
// current one was answered. The handler may answer at once, inside the callback, or LATER with
// respond(request.id, ...), which is how the gateway holds a poll open; it may also drop the
// connection without an answer to simulate a broken line.
//
//     MiniHttpServer server;
//     server.setTls(identity.certificate, identity.key, identity.chain);   // optional
//     server.setHandler([&](const MiniHttpServer::Request &r) {
//         if (r.path == "/hold") { held = r.id; return; }                  // answer later
//         server.respond(r.id, 200, "hello");
//     });
//     server.listen();                                                     // free port
//     QString url = QString("https://localhost:%1/").arg(server.port());
//
// Malformed requests are answered with 400/413/431/501/505 and the connection is closed; the
// handler never sees them. Sizes are bounded by HttpLimits.
class MiniHttpServer : public QObject {
    Q_OBJECT
public:
    struct Request {
        quint64 id = 0;           // pass to respond(); unique for the server's life
        quint64 connectionId = 0; // same value for every request on one connection
        QByteArray method;
        QByteArray path;        // "/07" (no query)
        QByteArray rawQuery;    // "key=abc&dy=5", not decoded
        HttpHeaderList headers; // in order, names as sent
        QByteArray body;
        // First header with this name (case-insensitive), or a null QByteArray.
        QByteArray header(QByteArrayView name) const;
    };

    struct Response {
        int status = 200;
        QByteArray body;
        QByteArray contentType = "text/plain"; // omitted when empty
        HttpHeaderList headers;                // extra header lines, sent as given
        bool closeAfter = false;               // "Connection: close" and close when sent
        // A line broken in mid-reply: the head announces the whole body, only this many bytes
        // of it are sent, then the connection closes. Negative: the whole body.
        qint64 cutAfter = -1;
        // The body in chunks of 16 KiB, without a Content-Length.
        bool chunked = false;
    };

    using Handler = std::function<void(const Request &)>;

    explicit MiniHttpServer(QObject *parent = nullptr);
    ~MiniHttpServer() override;

    // Settings below take effect for connections accepted after the call.
    void setLimits(const HttpLimits &limits);
    // TLS with this certificate (chain: the certificate followed by its issuers) and key.
    // Server TLS is TLS 1.2 or later unless setTlsConfiguration says otherwise.
    void setTls(const QSslCertificate &certificate, const QSslKey &key,
                const QList<QSslCertificate> &chain = {});
    // Full control, e.g. a server limited to an old protocol version for negative tests.
    void setTlsConfiguration(const QSslConfiguration &configuration);
    void setPlain(); // back to plain HTTP
    bool isTls() const { return m_tls; }
    void setHandler(Handler handler) { m_handler = std::move(handler); }

    // Listens on `address` (loopback by default); port 0 picks a free port.
    bool listen(quint16 port = 0, const QHostAddress &address = QHostAddress::LocalHost);
    quint16 port() const;
    bool isListening() const;
    // Stops listening and closes every connection; pending requests are abandoned.
    void close();

    // Answers a request. False when the request is unknown, already answered or its
    // connection is gone (the client gave up). Content-Length is always sent.
    bool respond(quint64 requestId, const Response &response);
    bool respond(quint64 requestId, int status, const QByteArray &body,
                 const QByteArray &contentType = "text/plain");
    // Closes the connection of this request without answering it.
    bool dropRequest(quint64 requestId);
    // Closes a connection at once, answered or not.
    bool dropConnection(quint64 connectionId);
    // Closes every idle keep-alive connection (those without a request in progress).
    void closeIdleConnections();

    bool isPending(quint64 requestId) const;
    int connectionCount() const { return int(m_connections.size()); }
    quint64 requestCount() const { return m_lastRequestId; }

signals:
    void connectionOpened(quint64 connectionId);
    // Also emitted for connections closed by the server. `pendingRequestId` is the request
    // that was still unanswered (0 for none): a held poll whose client went away.
    void connectionClosed(quint64 connectionId, quint64 pendingRequestId);
    // TLS handshake or certificate failure on an incoming connection (it is closed).
    void tlsFailure(quint64 connectionId, const QString &text);
    // A request that could not be parsed; it was answered with `status` and closed.
    void badRequest(quint64 connectionId, int status);

private:
    struct Connection {
        quint64 id = 0;
        QTcpSocket *socket = nullptr;
        QByteArray buffer;
        quint64 pendingRequest = 0; // request being handled, 0 for none
        bool keepAlive = true;
        bool pendingIsHead = false; // HEAD: the answer carries no body
        bool ready = false;         // TLS: handshake done
        bool closing = false;
    };

    class Listener;
    friend class Listener;
    void acceptDescriptor(qintptr descriptor);
    void onReadable(quint64 connectionId);
    void processBuffer(quint64 connectionId);
    void scheduleProcessing(quint64 connectionId);
    void onDisconnected(quint64 connectionId);
    Connection *find(quint64 connectionId) const;
    void writeResponse(Connection &c, const Response &response);
    // May delete `c` at once (abort emits disconnected synchronously): do not use it after.
    void closeConnection(Connection *c, bool abortNow);

    Listener *m_listener = nullptr;
    HttpLimits m_limits;
    bool m_tls = false;
    QSslConfiguration m_tlsConfig;
    Handler m_handler;
    // Heap objects: the handler may open or close connections while one is being served.
    std::unordered_map<quint64, std::unique_ptr<Connection>> m_connections;
    QHash<quint64, quint64> m_requestConnection; // pending request id -> connection id
    quint64 m_lastConnectionId = 0;
    quint64 m_lastRequestId = 0;
};
