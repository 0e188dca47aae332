#include "MiniHttpServer.h"

#include <QPointer>
#include <QSslSocket>
#include <QTcpServer>
#include <QTimer>

namespace {

constexpr int kHandshakeTimeoutMs = 15000;

QByteArray reasonPhrase(int status) {
    switch (status) {
    case 200:
        return "OK";
    case 204:
        return "No Content";
    case 301:
        return "Moved Permanently";
    case 302:
        return "Found";
    case 304:
        return "Not Modified";
    case 400:
        return "Bad Request";
    case 401:
        return "Unauthorized";
    case 403:
        return "Forbidden";
    case 404:
        return "Not Found";
    case 405:
        return "Method Not Allowed";
    case 407:
        return "Proxy Authentication Required";
    case 408:
        return "Request Timeout";
    case 409:
        return "Conflict";
    case 410:
        return "Gone";
    case 411:
        return "Length Required";
    case 413:
        return "Content Too Large";
    case 431:
        return "Request Header Fields Too Large";
    case 500:
        return "Internal Server Error";
    case 501:
        return "Not Implemented";
    case 502:
        return "Bad Gateway";
    case 503:
        return "Service Unavailable";
    case 505:
        return "HTTP Version Not Supported";
    default:
        return "Status";
    }
}

} // namespace

class MiniHttpServer::Listener : public QTcpServer {
public:
    explicit Listener(MiniHttpServer *owner) : QTcpServer(owner), m_owner(owner) {}

protected:
    void incomingConnection(qintptr descriptor) override { m_owner->acceptDescriptor(descriptor); }

private:
    MiniHttpServer *m_owner;
};

QByteArray MiniHttpServer::Request::header(QByteArrayView name) const {
    for (const auto &h : headers)
        if (QByteArrayView(h.first).compare(name, Qt::CaseInsensitive) == 0)
            return h.second;
    return {};
}

MiniHttpServer::MiniHttpServer(QObject *parent) : QObject(parent) {}

MiniHttpServer::~MiniHttpServer() {
    // Nobody may hear about connections closing while the server is being destroyed.
    for (auto &[id, c] : m_connections) {
        c->socket->disconnect(this);
        c->socket->abort();
        delete c->socket;
    }
    m_connections.clear();
}

void MiniHttpServer::setLimits(const HttpLimits &limits) {
    m_limits = limits;
}

void MiniHttpServer::setTls(const QSslCertificate &certificate, const QSslKey &key,
                            const QList<QSslCertificate> &chain) {
    QSslConfiguration config = QSslConfiguration::defaultConfiguration();
    config.setProtocol(QSsl::TlsV1_2OrLater);
    config.setPeerVerifyMode(QSslSocket::VerifyNone); // no client certificates
    config.setPrivateKey(key);
    if (chain.isEmpty())
        config.setLocalCertificate(certificate);
    else
        config.setLocalCertificateChain(chain);
    config.setAllowedNextProtocols({QByteArray(QSslConfiguration::NextProtocolHttp1_1)});
    setTlsConfiguration(config);
}

void MiniHttpServer::setTlsConfiguration(const QSslConfiguration &configuration) {
    m_tlsConfig = configuration;
    m_tls = true;
}

void MiniHttpServer::setPlain() {
    m_tls = false;
}

bool MiniHttpServer::listen(quint16 port, const QHostAddress &address) {
    if (!m_listener)
        m_listener = new Listener(this);
    if (m_listener->isListening())
        m_listener->close();
    return m_listener->listen(address, port);
}

quint16 MiniHttpServer::port() const {
    return m_listener ? m_listener->serverPort() : 0;
}

bool MiniHttpServer::isListening() const {
    return m_listener && m_listener->isListening();
}

void MiniHttpServer::close() {
    if (m_listener)
        m_listener->close();
    QList<quint64> ids;
    for (const auto &[id, c] : m_connections)
        ids.append(id);
    for (quint64 id : ids)
        dropConnection(id);
}

MiniHttpServer::Connection *MiniHttpServer::find(quint64 connectionId) const {
    const auto it = m_connections.find(connectionId);
    return it == m_connections.end() ? nullptr : it->second.get();
}

void MiniHttpServer::acceptDescriptor(qintptr descriptor) {
    const quint64 id = ++m_lastConnectionId;
    auto conn = std::make_unique<Connection>();
    conn->id = id;

    QTcpSocket *socket = nullptr;
    if (m_tls) {
        auto *ssl = new QSslSocket(this);
        socket = ssl;
        if (!ssl->setSocketDescriptor(descriptor)) {
            delete ssl;
            return;
        }
        ssl->setSslConfiguration(m_tlsConfig);
        connect(ssl, &QSslSocket::encrypted, this, [this, id] {
            if (Connection *c = find(id)) {
                c->ready = true;
                processBuffer(id);
            }
        });
        auto reportTls = [this, id](const QString &text) {
            Connection *c = find(id);
            if (!c || c->ready || c->closing)
                return;
            emit tlsFailure(id, text);
            closeConnection(c, true);
        };
        connect(ssl, &QSslSocket::sslErrors, this, [reportTls](const QList<QSslError> &errors) {
            reportTls(errors.isEmpty() ? QStringLiteral("TLS error")
                                       : errors.first().errorString());
        });
        connect(ssl, &QAbstractSocket::errorOccurred, this,
                [reportTls, ssl] { reportTls(ssl->errorString()); });
        // A peer that never completes the handshake does not hold the slot forever.
        QTimer::singleShot(kHandshakeTimeoutMs, ssl,
                           [reportTls] { reportTls(QStringLiteral("TLS handshake timed out")); });
        ssl->startServerEncryption();
    } else {
        socket = new QTcpSocket(this);
        if (!socket->setSocketDescriptor(descriptor)) {
            delete socket;
            return;
        }
        conn->ready = true;
    }
    conn->socket = socket;
    m_connections.emplace(id, std::move(conn));

    connect(socket, &QIODevice::readyRead, this, [this, id] { onReadable(id); });
    connect(socket, &QAbstractSocket::disconnected, this, [this, id] { onDisconnected(id); });
    emit connectionOpened(id);
}

void MiniHttpServer::onReadable(quint64 connectionId) {
    Connection *c = find(connectionId);
    if (!c)
        return;
    c->buffer += c->socket->readAll();
    // A client that keeps sending while its request is held cannot make us buffer without end.
    if (c->buffer.size() > m_limits.maxHeaderBytes + m_limits.maxBodyBytes) {
        closeConnection(c, true);
        return;
    }
    processBuffer(connectionId);
}

void MiniHttpServer::scheduleProcessing(quint64 connectionId) {
    QMetaObject::invokeMethod(
        this, [this, connectionId] { processBuffer(connectionId); }, Qt::QueuedConnection);
}

void MiniHttpServer::processBuffer(quint64 connectionId) {
    for (;;) {
        Connection *c = find(connectionId);
        if (!c || c->closing || !c->ready || c->pendingRequest != 0 || c->buffer.isEmpty())
            return;
        HttpParseResult parsed = parseHttpRequest(c->buffer, m_limits);
        if (parsed.state == HttpParseResult::Incomplete)
            return;
        if (parsed.state == HttpParseResult::Invalid) {
            c->buffer.clear();
            Response r;
            r.status = parsed.errorStatus;
            r.body = reasonPhrase(parsed.errorStatus);
            r.closeAfter = true;
            writeResponse(*c, r);
            emit badRequest(connectionId, parsed.errorStatus);
            if ((c = find(connectionId)))
                closeConnection(c, false);
            return;
        }

        c->buffer.remove(0, parsed.consumed);
        const quint64 requestId = ++m_lastRequestId;
        c->pendingRequest = requestId;
        c->pendingIsHead = parsed.request.method == "HEAD";
        c->keepAlive = parsed.request.keepAlive;
        m_requestConnection.insert(requestId, connectionId);

        Request req;
        req.id = requestId;
        req.connectionId = connectionId;
        req.method = std::move(parsed.request.method);
        req.path = std::move(parsed.request.path);
        req.rawQuery = std::move(parsed.request.rawQuery);
        req.headers = std::move(parsed.request.headers);
        req.body = std::move(parsed.request.body);
        if (m_handler)
            m_handler(req); // may respond, drop, or keep the request for later
        else
            respond(requestId, 404, "Not Found");
    }
}

bool MiniHttpServer::respond(quint64 requestId, int status, const QByteArray &body,
                             const QByteArray &contentType) {
    Response r;
    r.status = status;
    r.body = body;
    r.contentType = contentType;
    return respond(requestId, r);
}

bool MiniHttpServer::respond(quint64 requestId, const Response &response) {
    const auto it = m_requestConnection.find(requestId);
    if (it == m_requestConnection.end())
        return false;
    const quint64 connectionId = it.value();
    m_requestConnection.erase(it);
    Connection *c = find(connectionId);
    if (!c || c->pendingRequest != requestId || c->closing)
        return false;
    c->pendingRequest = 0;
    writeResponse(*c, response);
    if (response.closeAfter || !c->keepAlive || response.cutAfter >= 0)
        closeConnection(c, false);
    else
        scheduleProcessing(connectionId); // a request may already wait in the buffer
    return true;
}

bool MiniHttpServer::dropRequest(quint64 requestId) {
    const auto it = m_requestConnection.constFind(requestId);
    return it != m_requestConnection.constEnd() && dropConnection(it.value());
}

bool MiniHttpServer::dropConnection(quint64 connectionId) {
    Connection *c = find(connectionId);
    if (!c)
        return false;
    closeConnection(c, true);
    return true;
}

void MiniHttpServer::closeIdleConnections() {
    QList<quint64> idle;
    for (const auto &[id, c] : m_connections)
        if (c->pendingRequest == 0 && c->buffer.isEmpty())
            idle.append(id);
    for (quint64 id : idle)
        dropConnection(id);
}

bool MiniHttpServer::isPending(quint64 requestId) const {
    return m_requestConnection.contains(requestId);
}

void MiniHttpServer::writeResponse(Connection &c, const Response &response) {
    QByteArray out;
    out.reserve(256 + (c.pendingIsHead ? 0 : response.body.size()));
    out += "HTTP/1.1 " + QByteArray::number(response.status) + ' ' + reasonPhrase(response.status) +
           "\r\n";
    if (response.chunked)
        out += "Transfer-Encoding: chunked\r\n";
    else
        out += "Content-Length: " + QByteArray::number(response.body.size()) + "\r\n";
    if (!response.contentType.isEmpty())
        out += "Content-Type: " + response.contentType + "\r\n";
    if (response.closeAfter || !c.keepAlive)
        out += "Connection: close\r\n";
    for (const auto &h : response.headers)
        out += h.first + ": " + h.second + "\r\n";
    out += "\r\n";
    const QByteArray body =
        response.cutAfter >= 0 ? response.body.left(response.cutAfter) : response.body;
    if (!c.pendingIsHead && response.chunked) {
        constexpr qsizetype Chunk = 16 * 1024;
        for (qsizetype at = 0; at < body.size(); at += Chunk) {
            const QByteArray piece = body.mid(at, Chunk);
            out += QByteArray::number(piece.size(), 16) + "\r\n" + piece + "\r\n";
        }
        if (response.cutAfter < 0)
            out += "0\r\n\r\n";
    } else if (!c.pendingIsHead) {
        out += body;
    }
    c.socket->write(out);
}

void MiniHttpServer::closeConnection(Connection *c, bool abortNow) {
    c->closing = true;
    const quint64 id = c->id;
    QTcpSocket *socket = c->socket; // outlives `c`: deleted later
    if (abortNow)
        socket->abort();
    else
        socket->disconnectFromHost();
    // abort() usually emits disconnected() at once, which already forgot the connection; a
    // socket that was never fully connected emits nothing, so finish here in that case.
    if (socket->state() == QAbstractSocket::UnconnectedState)
        onDisconnected(id);
}

void MiniHttpServer::onDisconnected(quint64 connectionId) {
    const auto it = m_connections.find(connectionId);
    if (it == m_connections.end())
        return;
    std::unique_ptr<Connection> c = std::move(it->second);
    m_connections.erase(it);
    const quint64 pending = c->pendingRequest;
    if (pending)
        m_requestConnection.remove(pending);
    c->socket->disconnect(this);
    c->socket->deleteLater();
    emit connectionClosed(connectionId, pending);
}
