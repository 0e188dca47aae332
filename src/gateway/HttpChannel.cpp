#include "gateway/HttpChannel.h"

#include "gateway/NtlmAuth.h"
#include "gateway/TlsPolicy.h"

#include <QCryptographicHash>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QPointer>
#include <QSet>
#include <QSslSocket>
#include <QTimer>

namespace {

const QByteArray kUserAgent = "Mozilla/4.0 (compatible; MSIE 4.0)";
const QByteArray kAccept = "image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*";
// The proxy's own answers (407 pages, CONNECT refusals) are small.
constexpr qint64 kMaxProxyReplyBytes = 1024 * 1024;
// A streamed request body is read in blocks of this size, and no more is read while this much
// waits in the socket to be sent.
constexpr qint64 kSourceBlock = 64 * 1024;
constexpr qint64 kSourceHighWater = 512 * 1024;
constexpr qint64 kReadBufferBytes = 1024 * 1024;
// A connection closed by us after a complete reply is cut off if the peer does not finish the
// close within this time.
constexpr int kCloseGraceMs = 5000;

// Proxy credentials the proxy refused, shared by every channel: the channels of a session ask
// the same proxy with the same credentials, and asking again could lock the account. Cleared
// whenever a channel is given its proxy settings (each logon).
QSet<QByteArray> &refusedProxyCredentials() {
    static QSet<QByteArray> refused;
    return refused;
}

QByteArray proxyCredentialKey(const QString &host, quint16 port, const QString &user,
                              const QString &password) {
    return host.toUtf8() + ':' + QByteArray::number(port) + '\n' + user.toUtf8() + '\n' +
           QCryptographicHash::hash(password.toUtf8(), QCryptographicHash::Sha256).toHex();
}

// What the proxy offers in its Proxy-Authenticate lines.
struct ProxyOffer {
    bool basic = false;
    bool basicUtf8 = false; // the Basic challenge asks for UTF-8 credentials (RFC 7617)
    bool ntlm = false;
    QByteArray ntlmToken; // base64 after "NTLM ", when the line carries one
};

ProxyOffer proxyOffer(const QList<QByteArray> &values) {
    ProxyOffer offer;
    for (const QByteArray &value : values) {
        const QByteArray v = value.trimmed();
        const qsizetype sp = v.indexOf(' ');
        const QByteArray scheme = (sp < 0 ? v : v.left(sp)).toLower();
        if (scheme == "basic") {
            offer.basic = true;
            const QByteArray params = v.mid(sp + 1).toLower();
            offer.basicUtf8 = params.contains("charset") && params.contains("utf-8");
        } else if (scheme == "ntlm") {
            offer.ntlm = true;
            if (sp > 0)
                offer.ntlmToken = v.mid(sp + 1).trimmed();
        }
    }
    return offer;
}

int networkError(int socketError, bool toProxy) {
    switch (QAbstractSocket::SocketError(socketError)) {
    case QAbstractSocket::ConnectionRefusedError:
        return toProxy ? QNetworkReply::ProxyConnectionRefusedError
                       : QNetworkReply::ConnectionRefusedError;
    case QAbstractSocket::RemoteHostClosedError:
        return toProxy ? QNetworkReply::ProxyConnectionClosedError
                       : QNetworkReply::RemoteHostClosedError;
    case QAbstractSocket::HostNotFoundError:
        return toProxy ? QNetworkReply::ProxyNotFoundError : QNetworkReply::HostNotFoundError;
    case QAbstractSocket::SocketTimeoutError:
        return toProxy ? QNetworkReply::ProxyTimeoutError : QNetworkReply::TimeoutError;
    case QAbstractSocket::SslHandshakeFailedError:
    case QAbstractSocket::SslInternalError:
    case QAbstractSocket::SslInvalidUserDataError:
        return QNetworkReply::SslHandshakeFailedError;
    case QAbstractSocket::TemporaryError:
        return QNetworkReply::TemporaryNetworkFailureError;
    default:
        return toProxy ? QNetworkReply::UnknownProxyError : QNetworkReply::UnknownNetworkError;
    }
}

QByteArray withoutControls(QByteArray value) {
    value.removeIf([](char c) { return (c >= 0 && c < ' ') || c == 127; });
    return value;
}

} // namespace

HttpChannel::HttpChannel(QObject *parent) : HttpChannel(QStringLiteral("channel"), parent) {}

HttpChannel::HttpChannel(const QString &name, QObject *parent)
    : QObject(parent), m_name(name), m_timer(new QTimer(this)), m_setupTimer(new QTimer(this)) {
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, [this] { fail(QNetworkReply::TimeoutError); });
    m_setupTimer->setSingleShot(true);
    connect(m_setupTimer, &QTimer::timeout, this,
            [this] { fail(QNetworkReply::ProxyTimeoutError); });
}

HttpChannel::~HttpChannel() {
    // Nobody listens any more: end the connection silently.
    if (m_socket) {
        m_socket->disconnect(this);
        m_socket->abort();
        delete m_socket;
    }
}

bool HttpChannel::get(const QByteArray &url) {
    return start(false, url, {}, {});
}

bool HttpChannel::post(const QByteArray &url, const QByteArray &body,
                       const QByteArray &contentType) {
    return start(true, url, body, contentType);
}

bool HttpChannel::postFrom(const QByteArray &url, QIODevice *source, qint64 size,
                           const QByteArray &contentType) {
    return start(true, url, {}, contentType, source, qMax<qint64>(0, size));
}

bool HttpChannel::getInto(const QByteArray &url, BodySink sink) {
    return start(false, url, {}, {}, nullptr, 0, std::move(sink));
}

bool HttpChannel::start(bool isPost, const QByteArray &url, const QByteArray &body,
                        const QByteArray &contentType, QIODevice *source, qint64 sourceSize,
                        BodySink sink) {
    if (busy()) {
        qWarning("HttpChannel %s: request refused, one is in flight", qPrintable(m_name));
        return false;
    }
    const quint64 id = ++m_lastRequestId;
    InFlight cur;
    cur.id = id;
    if (!HttpWire::parseTarget(url, cur.target)) {
        Result r;
        r.requestId = id;
        r.error = InvalidUrlError;
        queueDelivery(r);
        return true;
    }
    cur.viaProxy = !m_proxyHost.isEmpty();
    cur.isPost = isPost;
    cur.body = body;
    cur.contentType = withoutControls(contentType);
    cur.source = source;
    cur.sourceStart = source ? source->pos() : 0;
    cur.sourceSize = source ? sourceSize : 0;
    cur.sink = std::move(sink);
    if (cur.viaProxy && m_proxyWantsBasic) {
        cur.auth = ProxyAuth::Basic;
        cur.proxyAuthorization = basicCredentials();
    }
    const QByteArray key = connectionKey(cur.target);
    m_current = cur;
    m_closeAfterRequest = false;

    if (cur.viaProxy && refusedProxyCredentials().contains(proxyCredentialKey(
                            m_proxyHost, m_proxyPort, m_proxyUser, m_proxyPassword))) {
        finish(407, {}, true);
        return true;
    }
    if (m_transferTimeoutMs > 0)
        m_timer->start(m_transferTimeoutMs);
    if (m_socket && m_socketKey == key && connectionReusable()) {
        m_current->phase = Phase::Exchange;
        sendRequest();
        return true;
    }
    dropConnection(true);
    openConnection(key);
    return true;
}

QByteArray HttpChannel::connectionKey(const HttpWire::Target &target) const {
    QByteArray key = (target.https ? "https " : "http ") + target.tunnel;
    if (!m_proxyHost.isEmpty())
        key += " via " + proxyCredentialKey(m_proxyHost, m_proxyPort, m_proxyUser, m_proxyPassword);
    if (target.https) {
        // A connection keeps the trust it was made with; a changed trusted list needs a new one.
        key += " tls " + QByteArray::number(TlsPolicy::generation());
    }
    return key;
}

// The kept connection may carry the next request only if it is still open, finished its
// handshake and has nothing unread: a server that closed it or spoke out of turn has been
// noticed (the event loop ran since the last reply), and it is replaced before anything is
// written on it.
bool HttpChannel::connectionReusable() const {
    return m_socket->state() == QAbstractSocket::ConnectedState &&
           (!m_current->target.https || m_socket->isEncrypted()) && m_socket->bytesAvailable() == 0;
}

void HttpChannel::openConnection(const QByteArray &key) {
    InFlight &cur = *m_current;
    auto *socket = new QSslSocket(this);
    m_socket = socket;
    m_socketKey = key;
    m_peerClosed = false;
    socket->setProxy(QNetworkProxy::NoProxy); // the proxy is ours to speak to, not Qt's
    // What the peer sends faster than it is taken waits in the system, not in this process:
    // a file body streams through a bounded buffer however large it is.
    socket->setReadBufferSize(kReadBufferBytes);
    if (cur.target.https) {
        socket->setSslConfiguration(TlsPolicy::gatewayConfiguration());
        // The certificate must name the gateway, also when the socket is connected to a proxy.
        socket->setPeerVerifyName(QString::fromLatin1(cur.target.host));
    }
    connect(socket, &QAbstractSocket::connected, this, [this, socket] { onConnected(socket); });
    connect(socket, &QSslSocket::encrypted, this, [this, socket] { onEncrypted(socket); });
    connect(socket, &QIODevice::readyRead, this, [this, socket] { onReadable(socket); });
    connect(socket, &QIODevice::bytesWritten, this, [this, socket] { onBytesWritten(socket); });
    // Encrypted bytes leave later than they are taken: a streamed body goes on when they did.
    connect(socket, &QSslSocket::encryptedBytesWritten, this,
            [this, socket] { onBytesWritten(socket); });
    connect(socket, &QSslSocket::sslErrors, this, [this, socket](const QList<QSslError> &) {
        // Never ignored: the handshake fails and nothing of the request is sent.
        if (socket == m_socket && m_current)
            m_current->certificateErrors = true;
    });
    connect(socket, &QAbstractSocket::errorOccurred, this,
            [this, socket](QAbstractSocket::SocketError e) { onConnectionLost(socket, e); });
    connect(socket, &QAbstractSocket::disconnected, this,
            [this, socket] { onConnectionLost(socket, QAbstractSocket::RemoteHostClosedError); });
    cur.phase = Phase::Connecting;
    if (cur.viaProxy && m_proxySetupTimeoutMs > 0)
        m_setupTimer->start(m_proxySetupTimeoutMs);
    // Last: a failure reported from inside connectToHost ends the request at once.
    if (cur.viaProxy)
        socket->connectToHost(m_proxyHost, m_proxyPort);
    else
        socket->connectToHost(QString::fromLatin1(cur.target.host), cur.target.port);
}

void HttpChannel::onTraffic(QSslSocket *socket) {
    if (socket == m_socket && m_current && m_transferTimeoutMs > 0)
        m_timer->start(m_transferTimeoutMs);
}

void HttpChannel::onBytesWritten(QSslSocket *socket) {
    onTraffic(socket);
    if (socket != m_socket || !m_current || !m_current->source ||
        m_current->phase != Phase::Exchange)
        return;
    const InFlight &cur = *m_current;
    const qint64 waiting = qMin(unsent(), cur.sourceWritten);
    emit uploadProgress(cur.sourceWritten - waiting, cur.sourceSize);
    // The receiver may have ended the request.
    if (m_current && socket == m_socket)
        pumpSource();
}

// What the socket holds that has not left yet: plain bytes waiting to be encrypted and the
// encrypted ones waiting for the network.
qint64 HttpChannel::unsent() const {
    return m_socket->bytesToWrite() + m_socket->encryptedBytesToWrite();
}

void HttpChannel::pumpSource() {
    while (m_current && m_current->source && m_current->sourceWritten < m_current->sourceSize &&
           unsent() < kSourceHighWater) {
        InFlight &cur = *m_current;
        const qint64 want = qMin(kSourceBlock, cur.sourceSize - cur.sourceWritten);
        const QByteArray block = cur.source->read(want);
        if (block.isEmpty()) { // the file shrank or cannot be read
            fail(LocalFileError);
            return;
        }
        cur.sourceWritten += block.size();
        m_socket->write(block);
    }
}

void HttpChannel::onConnected(QSslSocket *socket) {
    if (socket != m_socket || !m_current)
        return;
    // A request goes out in more than one write (the TLS records of head and body); Nagle's
    // algorithm would hold the last of them for the gateway's delayed acknowledgement.
    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    onTraffic(socket);
    InFlight &cur = *m_current;
    if (cur.viaProxy && cur.target.https) {
        sendConnect();
    } else if (cur.target.https) {
        cur.phase = Phase::Handshake;
        socket->startClientEncryption();
    } else {
        cur.phase = Phase::Exchange;
        sendRequest();
    }
}

void HttpChannel::onEncrypted(QSslSocket *socket) {
    if (socket != m_socket || !m_current || m_current->phase != Phase::Handshake)
        return;
    onTraffic(socket);
    m_current->phase = Phase::Exchange;
    sendRequest();
}

void HttpChannel::sendConnect() {
    InFlight &cur = *m_current;
    cur.phase = Phase::Tunnel;
    HttpWire::Limits limits;
    limits.maxBodyBytes = std::min(m_maxReplySize, kMaxProxyReplyBytes);
    m_parser.setLimits(limits);
    m_parser.start(true);
    QByteArray message = "CONNECT " + cur.target.tunnel +
                         " HTTP/1.1\r\nHost: " + cur.target.tunnel +
                         "\r\nUser-Agent: " + kUserAgent + "\r\nProxy-Connection: Keep-alive\r\n";
    if (!cur.proxyAuthorization.isEmpty())
        message += "Proxy-Authorization: " + cur.proxyAuthorization + "\r\n";
    message += "\r\n";
    m_socket->write(message);
}

void HttpChannel::sendRequest() {
    InFlight &cur = *m_current;
    m_setupTimer->stop();
    const bool absoluteForm = cur.viaProxy && !cur.target.https;
    HttpWire::Limits limits;
    limits.maxBodyBytes = m_maxReplySize;
    m_parser.setLimits(limits);
    m_parser.start(false);
    if (cur.sink) {
        m_parser.setBodySink([this](QByteArrayView piece) {
            if (m_current->sink(piece))
                return true;
            m_current->sinkFailed = true;
            return false;
        });
    }

    QByteArray message = cur.isPost ? "POST " : "GET ";
    if (absoluteForm)
        message += cur.target.origin;
    message += cur.target.pathAndQuery + " HTTP/1.1\r\nHost: " + cur.target.hostHeader +
               "\r\nUser-Agent: " + kUserAgent + "\r\nAccept: " + kAccept +
               "\r\nPragma: no-cache\r\nConnection: Keep-alive\r\nProxy-Connection: "
               "Keep-alive\r\n";
    if (absoluteForm && !cur.proxyAuthorization.isEmpty())
        message += "Proxy-Authorization: " + cur.proxyAuthorization + "\r\n";
    if (cur.isPost) {
        const qint64 length = cur.source ? cur.sourceSize : cur.body.size();
        message += "Content-Type: " + cur.contentType +
                   "\r\nContent-Length: " + QByteArray::number(length) + "\r\n";
    }
    message += "\r\n";
    if (cur.isPost)
        message += cur.body;
    m_socket->write(message);
    if (cur.source) {
        // Also when the request goes again (a proxy asked for credentials first).
        cur.sourceWritten = 0;
        if (!cur.source->seek(cur.sourceStart)) {
            fail(LocalFileError);
            return;
        }
        pumpSource();
    }
}

void HttpChannel::onReadable(QSslSocket *socket) {
    if (socket != m_socket)
        return;
    if (!m_current) {
        // Nothing was asked: whatever this is, the connection cannot carry a request any more.
        if (socket->bytesAvailable() > 0)
            dropConnection(false);
        return;
    }
    onTraffic(socket);
    takeBytes(socket->readAll());
}

void HttpChannel::takeBytes(const QByteArray &data) {
    if (data.isEmpty())
        return;
    const Phase phase = m_current->phase;
    if (phase != Phase::Tunnel && phase != Phase::Exchange) {
        fail(m_current->viaProxy ? QNetworkReply::UnknownProxyError
                                 : QNetworkReply::ProtocolFailure);
        return;
    }
    const qsizetype used = m_parser.feed(data);
    switch (m_parser.state()) {
    case HttpWire::ReplyParser::State::Complete:
        onReplyComplete(used < data.size());
        return;
    case HttpWire::ReplyParser::State::TooLarge:
        fail(phase == Phase::Tunnel ? int(QNetworkReply::UnknownProxyError)
                                    : int(ReplyTooLargeError));
        return;
    case HttpWire::ReplyParser::State::Malformed:
        if (m_current->sinkFailed) {
            fail(LocalFileError);
            return;
        }
        fail(phase == Phase::Tunnel ? QNetworkReply::UnknownProxyError
                                    : QNetworkReply::ProtocolFailure);
        return;
    default:
        if (m_current->sink && m_parser.state() == HttpWire::ReplyParser::State::Body)
            emit downloadProgress(m_parser.bodyBytes(), m_parser.contentLength());
        return;
    }
}

void HttpChannel::onReplyComplete(bool bytesBeyondReply) {
    InFlight &cur = *m_current;
    const int status = m_parser.status();
    const bool proxyAnswer = cur.phase == Phase::Tunnel || (cur.viaProxy && !cur.target.https);
    if (proxyAnswer && status == 407) {
        answerProxyChallenge();
        return;
    }
    if (proxyAnswer && cur.auth == ProxyAuth::Basic)
        m_proxyWantsBasic = true;
    if (cur.phase == Phase::Tunnel) {
        if (status >= 300) {
            fail(status == 403 || status == 405 ? QNetworkReply::ProxyConnectionRefusedError
                                                : QNetworkReply::UnknownProxyError);
            return;
        }
        if (bytesBeyondReply) { // the gateway cannot have spoken before our TLS hello
            fail(QNetworkReply::UnknownProxyError);
            return;
        }
        if (m_peerClosed) {
            fail(QNetworkReply::ProxyConnectionClosedError);
            return;
        }
        cur.phase = Phase::Handshake;
        m_socket->startClientEncryption();
        return;
    }
    finish(status, m_parser.body(), m_parser.keepAlive() && !bytesBeyondReply && !m_peerClosed);
}

// A 407 of the proxy. Credentials are offered once per request and scheme step; a refusal of
// offered credentials is remembered for every channel.
void HttpChannel::answerProxyChallenge() {
    InFlight &cur = *m_current;
    const ProxyOffer offer = proxyOffer(m_parser.headerValues("Proxy-Authenticate"));
    const bool sameConnection = m_parser.keepAlive();
    switch (cur.auth) {
    case ProxyAuth::Basic:
    case ProxyAuth::NtlmAuthenticate:
        refusedProxyCredentials().insert(
            proxyCredentialKey(m_proxyHost, m_proxyPort, m_proxyUser, m_proxyPassword));
        m_proxyWantsBasic = false;
        finish(407, {}, false);
        return;
    case ProxyAuth::NtlmNegotiate: {
        NtlmAuth::Challenge challenge;
        // The answer must come on the connection that received the challenge.
        if (!sameConnection || !offer.ntlm ||
            !NtlmAuth::parseChallenge(QByteArray::fromBase64(offer.ntlmToken), challenge)) {
            finish(407, {}, false);
            return;
        }
        cur.auth = ProxyAuth::NtlmAuthenticate;
        cur.proxyAuthorization =
            "NTLM " +
            NtlmAuth::authenticateMessage(challenge, m_proxyUser, m_proxyPassword).toBase64();
        break;
    }
    case ProxyAuth::None:
        if (m_proxyUser.isEmpty() || (!offer.ntlm && !offer.basic)) {
            finish(407, {}, false);
            return;
        }
        // NTLM when offered: it never shows the password to the proxy.
        if (offer.ntlm) {
            cur.auth = ProxyAuth::NtlmNegotiate;
            cur.proxyAuthorization = "NTLM " + NtlmAuth::negotiateMessage().toBase64();
        } else {
            m_proxyBasicUtf8 = offer.basicUtf8;
            cur.auth = ProxyAuth::Basic;
            cur.proxyAuthorization = basicCredentials();
        }
        break;
    }
    // The proxy answered instead of forwarding, so the message goes to the proxy again with
    // the credentials; nothing reached the gateway.
    if (sameConnection && !m_peerClosed) {
        if (cur.phase == Phase::Tunnel)
            sendConnect();
        else
            sendRequest();
        return;
    }
    const QByteArray key = m_socketKey;
    dropConnection(false);
    openConnection(key);
}

// Latin-1, as browsers send Basic credentials, unless the proxy asked for UTF-8.
QByteArray HttpChannel::basicCredentials() const {
    const QString pair = m_proxyUser + QLatin1Char(':') + m_proxyPassword;
    return "Basic " + (m_proxyBasicUtf8 ? pair.toUtf8() : pair.toLatin1()).toBase64();
}

void HttpChannel::onConnectionLost(QSslSocket *socket, int socketError) {
    if (socket != m_socket)
        return;
    if (!m_current) {
        dropConnection(false); // an idle connection the server closed: forget it
        return;
    }
    // Bytes that came just before the close still count, on a connection that cannot carry
    // anything more.
    m_peerClosed = true;
    if (socket->bytesAvailable() > 0) {
        takeBytes(socket->readAll());
        if (socket != m_socket || !m_current)
            return;
    }
    InFlight &cur = *m_current;
    if (cur.phase == Phase::Exchange) {
        m_parser.endOfStream();
        if (m_parser.state() == HttpWire::ReplyParser::State::Complete) {
            onReplyComplete(false);
            return;
        }
    }
    if (cur.phase == Phase::Handshake) {
        // Also a server that hangs up in the middle of the handshake (one that cannot agree on
        // a protocol version, for instance) is a negotiation failure.
        fail(QNetworkReply::SslHandshakeFailedError, cur.certificateErrors
                                                         ? TlsPolicy::certificateFailureText()
                                                         : TlsPolicy::negotiationFailureText());
        return;
    }
    const bool toProxy =
        cur.viaProxy && (cur.phase == Phase::Connecting || cur.phase == Phase::Tunnel);
    fail(networkError(socketError, toProxy));
}

void HttpChannel::fail(int error, const QString &tlsText) {
    if (!m_current)
        return;
    m_timer->stop();
    m_setupTimer->stop();
    Result r;
    r.requestId = m_current->id;
    r.error = error;
    r.tlsText = tlsText;
    m_current.reset();
    m_closeAfterRequest = false;
    dropConnection(false);
    queueDelivery(r);
}

void HttpChannel::finish(int status, const QByteArray &body, bool keepConnection) {
    m_timer->stop();
    m_setupTimer->stop();
    Result r;
    r.requestId = m_current->id;
    r.status = status;
    r.body = body;
    r.headers = m_parser.headers();
    r.endedByClose = m_parser.endedByClose();
    m_current.reset();
    if (!keepConnection || m_closeAfterRequest)
        dropConnection(true);
    m_closeAfterRequest = false;
    queueDelivery(r);
}

void HttpChannel::dropConnection(bool graceful) {
    if (!m_socket)
        return;
    QSslSocket *socket = m_socket;
    m_socket = nullptr;
    m_socketKey.clear();
    socket->disconnect(this);
    if (graceful && socket->state() == QAbstractSocket::ConnectedState) {
        connect(socket, &QAbstractSocket::disconnected, socket, &QObject::deleteLater);
        QTimer::singleShot(kCloseGraceMs, socket, [socket] {
            socket->abort();
            socket->deleteLater();
        });
        socket->disconnectFromHost();
    } else {
        // Torn down from the event loop, never from inside one of its own signals: a write
        // flush the socket queued for itself must still find it whole.
        QMetaObject::invokeMethod(
            socket,
            [socket] {
                socket->abort();
                socket->deleteLater();
            },
            Qt::QueuedConnection);
    }
}

void HttpChannel::abort() {
    fail(QNetworkReply::OperationCanceledError);
}

void HttpChannel::queueDelivery(const Result &result) {
    ++m_undelivered;
    QMetaObject::invokeMethod(
        this, [this, result] { deliver(result); }, Qt::QueuedConnection);
}

void HttpChannel::deliver(const Result &result) {
    --m_undelivered;
    QPointer<HttpChannel> self(this);
    const quint64 previous = m_finishingRequestId;
    m_finishingRequestId = result.requestId;
    if (!result.tlsText.isEmpty())
        emit tlsFailure(result.tlsText);
    if (!self)
        return;
    m_finishingHeaders = result.headers;
    m_finishingEndedByClose = result.endedByClose;
    emit requestDone(result.error, result.status, result.body);
    if (self) {
        m_finishingRequestId = previous;
        m_finishingHeaders.clear();
        m_finishingEndedByClose = false;
    }
}

void HttpChannel::setProxy(const QString &host, quint16 port, const QString &user,
                           const QString &password) {
    // Settings applied again (each logon) mean "try the proxy again".
    refusedProxyCredentials().clear();
    if (host == m_proxyHost && port == m_proxyPort && user == m_proxyUser &&
        password == m_proxyPassword)
        return;
    m_proxyHost = host;
    m_proxyPort = port;
    m_proxyUser = user;
    m_proxyPassword = password;
    m_proxyWantsBasic = false;
    m_proxyBasicUtf8 = false;
    // The kept connection leads elsewhere now; a request in flight keeps its own.
    if (m_current)
        m_closeAfterRequest = true;
    else
        dropConnection(true);
}

void HttpChannel::closeConnections() {
    if (m_current)
        m_closeAfterRequest = true;
    else
        dropConnection(true);
}

QString HttpChannel::errorText(int error) {
    switch (error) {
    case QNetworkReply::NoError:
        return QStringLiteral("No error");
    case QNetworkReply::ConnectionRefusedError:
        return QStringLiteral("Connection refused");
    case QNetworkReply::RemoteHostClosedError:
        return QStringLiteral("Connection closed by the server");
    case QNetworkReply::HostNotFoundError:
        return QStringLiteral("Host not found");
    case QNetworkReply::TimeoutError:
        return QStringLiteral("Connection timed out");
    case QNetworkReply::OperationCanceledError:
        return QStringLiteral("Request cancelled");
    case QNetworkReply::SslHandshakeFailedError:
        return QStringLiteral("SSL handshake failed");
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
        return QStringLiteral("Network unavailable");
    case QNetworkReply::BackgroundRequestNotAllowedError:
        return QStringLiteral("Background request not allowed");
    case QNetworkReply::TooManyRedirectsError:
        return QStringLiteral("Too many redirects");
    case QNetworkReply::InsecureRedirectError:
        return QStringLiteral("Insecure redirect");
    case QNetworkReply::UnknownNetworkError:
        return QStringLiteral("Network error");
    case QNetworkReply::ProxyConnectionRefusedError:
        return QStringLiteral("Connection to the proxy refused");
    case QNetworkReply::ProxyConnectionClosedError:
        return QStringLiteral("Connection closed by the proxy");
    case QNetworkReply::ProxyNotFoundError:
        return QStringLiteral("Proxy not found");
    case QNetworkReply::ProxyTimeoutError:
        return QStringLiteral("Proxy timed out");
    case QNetworkReply::ProxyAuthenticationRequiredError:
        return QStringLiteral("Proxy authentication failed");
    case QNetworkReply::UnknownProxyError:
        return QStringLiteral("Proxy error");
    case QNetworkReply::ProtocolUnknownError:
        return QStringLiteral("Unknown protocol");
    case QNetworkReply::ProtocolFailure:
        return QStringLiteral("Protocol error");
    case QNetworkReply::UnknownContentError:
        return QStringLiteral("Unexpected reply");
    case ReplyTooLargeError:
        return QStringLiteral("Reply too large");
    case InvalidUrlError:
        return QStringLiteral("Invalid address");
    case LocalFileError:
        return QStringLiteral("Local file error");
    default:
        return QStringLiteral("Network error %1").arg(error);
    }
}
