#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QObject>
#include <QPair>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>

#include <functional>
#include <memory>

using HttpHeaderList = QList<QPair<QByteArray, QByteArray>>;

// A scripted HTTP/1.1 peer on 127.0.0.1, plain or TLS, for the tests of the console's channels
// and its session logic against answers a test chooses. HTTP and TLS come from Boost.Beast and
// OpenSSL on a thread of its own; the handler runs on the thread that owns the object and
// answers at once or later with respond(), which is how a test holds a poll open, or drops the
// connection without an answer.
//
//     TestHttpServer server;
//     server.setTls(identity.certificate, identity.key, identity.chain);   // optional
//     server.setHandler([&](const TestHttpServer::Request &r) {
//         if (r.path == "/hold") { held = r.id; return; }                  // answer later
//         server.respond(r.id, 200, "hello");
//     });
//     server.listen();                                                     // free port
//
// A connection is kept alive between requests unless the client asks otherwise, and its next
// request is read only once the current one was answered.
class TestHttpServer : public QObject {
public:
    struct Request {
        quint64 id = 0;           // pass to respond()
        quint64 connectionId = 0; // the same for every request on one connection
        QByteArray method;
        QByteArray path;     // "/07" (no query)
        QByteArray rawQuery; // "key=abc&dy=5", not decoded
        HttpHeaderList headers;
        QByteArray body;
        // First header with this name (case-insensitive), or a null QByteArray.
        QByteArray header(QByteArrayView name) const;
    };

    struct Response {
        int status = 200;
        QByteArray body;
        QByteArray contentType = "text/plain"; // omitted when empty
        HttpHeaderList headers;                // extra header lines
        bool closeAfter = false;               // "Connection: close" and close when sent
        // The head announces the whole body, only this many bytes of it follow, then the
        // connection closes. Negative: the whole body.
        qint64 cutAfter = -1;
        bool chunked = false; // the body in chunks, without a Content-Length
    };

    using Handler = std::function<void(const Request &)>;

    explicit TestHttpServer(QObject *parent = nullptr);
    ~TestHttpServer() override;

    // TLS with this certificate (chain: the certificate followed by its issuers) and key;
    // TLS 1.2 or later. Takes effect for connections accepted after the call.
    void setTls(const QSslCertificate &certificate, const QSslKey &key,
                const QList<QSslCertificate> &chain = {});
    // The certificate, key and protocol of `configuration`, for a peer that offers an old
    // protocol on purpose.
    void setTlsConfiguration(const QSslConfiguration &configuration);
    void setHandler(Handler handler) { m_handler = std::move(handler); }

    // Listens on 127.0.0.1; port 0 picks a free port.
    bool listen(quint16 port = 0);
    quint16 port() const;
    // Stops listening and closes every connection; requests not yet answered are abandoned.
    void close();

    // Answers a request; false when it is unknown or already answered.
    bool respond(quint64 requestId, const Response &response);
    bool respond(quint64 requestId, int status, const QByteArray &body,
                 const QByteArray &contentType = "text/plain");
    // Closes the connection of this request without answering it.
    bool dropRequest(quint64 requestId);

private:
    struct Private;
    std::unique_ptr<Private> d;
    Handler m_handler;
};
