#include "gateway/HttpChannel.h"

#include "gateway/ProxyAuthProbe.h"
#include "gateway/TlsPolicy.h"

#include <QCryptographicHash>
#include <QHash>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QTimer>
#include <QUrl>

namespace {

const QByteArray kUserAgent = "Mozilla/4.0 (compatible; MSIE 4.0)";
constexpr int kProbeTimeoutMs = 15000;

// Verdicts of the proxy probe, shared by every channel: the three channels of a session ask
// the same proxy with the same credentials. Cleared whenever a channel is given a proxy.
QHash<QString, int> &proxyVerdicts() {
    static QHash<QString, int> verdicts;
    return verdicts;
}

QString verdictKey(const QNetworkProxy &proxy, const QUrl &url) {
    const QByteArray secret =
        QCryptographicHash::hash(proxy.password().toUtf8(), QCryptographicHash::Sha256).toHex();
    return proxy.hostName() + QLatin1Char(':') + QString::number(proxy.port()) + QLatin1Char('\n') +
           proxy.user() + QLatin1Char('\n') + QString::fromLatin1(secret) + QLatin1Char('\n') +
           url.host() + QLatin1Char(':') + QString::number(url.port(443));
}

// Qt turns these HTTP statuses into errors; the session logic wants the status itself.
bool isHttpStatusError(QNetworkReply::NetworkError e) {
    switch (e) {
    case QNetworkReply::ContentAccessDenied:
    case QNetworkReply::ContentOperationNotPermittedError:
    case QNetworkReply::ContentNotFoundError:
    case QNetworkReply::AuthenticationRequiredError:
    case QNetworkReply::ContentReSendError:
    case QNetworkReply::ContentConflictError:
    case QNetworkReply::ContentGoneError:
    case QNetworkReply::UnknownContentError:
    case QNetworkReply::ProtocolInvalidOperationError:
    case QNetworkReply::InternalServerError:
    case QNetworkReply::OperationNotImplementedError:
    case QNetworkReply::ServiceUnavailableError:
    case QNetworkReply::UnknownServerError:
        return true;
    default:
        return false;
    }
}

} // namespace

HttpChannel::HttpChannel(QObject *parent) : HttpChannel(QStringLiteral("channel"), parent) {}

HttpChannel::HttpChannel(const QString &name, QObject *parent)
    : QObject(parent), m_name(name), m_nam(new QNetworkAccessManager(this)),
      m_timer(new QTimer(this)) {
    m_nam->setProxy(QNetworkProxy(QNetworkProxy::NoProxy));
    m_nam->setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
    m_nam->setStrictTransportSecurityEnabled(false);
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, [this] { cancel(QNetworkReply::TimeoutError); });
    m_setupTimer = new QTimer(this);
    m_setupTimer->setSingleShot(true);
    connect(m_setupTimer, &QTimer::timeout, this, [this] {
        // Most likely Qt is repeating a refused proxy logon: ask the proxy again next time.
        if (m_current)
            proxyVerdicts().remove(m_current->verdictKey);
        cancel(QNetworkReply::ProxyTimeoutError);
    });
}

HttpChannel::~HttpChannel() {
    // Nobody listens any more: end the reply silently.
    if (m_current) {
        QNetworkReply *reply = m_current->reply;
        delete m_current->probe;
        m_current.reset();
        if (reply) {
            reply->disconnect(this);
            reply->abort();
            delete reply;
        }
    }
}

bool HttpChannel::get(const QByteArray &url) {
    return start(false, url, {}, {});
}

bool HttpChannel::post(const QByteArray &url, const QByteArray &body,
                       const QByteArray &contentType) {
    return start(true, url, body, contentType);
}

bool HttpChannel::start(bool isPost, const QByteArray &url, const QByteArray &body,
                        const QByteArray &contentType) {
    if (busy()) {
        qWarning("HttpChannel %s: request refused, one is in flight", qPrintable(m_name));
        return false;
    }
    const quint64 id = ++m_lastRequestId;

    const QUrl qurl = QUrl::fromEncoded(url, QUrl::StrictMode);
    const QString scheme = qurl.scheme().toLower();
    if (!qurl.isValid() || qurl.host().isEmpty() ||
        (scheme != QLatin1String("http") && scheme != QLatin1String("https"))) {
        Result r;
        r.requestId = id;
        r.error = InvalidUrlError;
        queueDelivery(r);
        return true;
    }

    QNetworkRequest req(qurl);
    req.setRawHeader("User-Agent", kUserAgent);
    req.setRawHeader("Accept", "image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*");
    req.setRawHeader("Pragma", "no-cache");
    req.setRawHeader("Connection", "Keep-alive");
    req.setRawHeader("Proxy-Connection", "Keep-alive");
    // Without an Accept-Encoding of our own Qt asks for gzip and inflates behind our back;
    // bodies must arrive exactly as the gateway stored them.
    req.setRawHeader("Accept-Encoding", "identity");
    if (isPost)
        req.setRawHeader("Content-Type", contentType);
    req.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
    req.setAttribute(QNetworkRequest::HttpPipeliningAllowedAttribute, false);
    req.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    req.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    // No cookies: every request carries exactly the headers above.
    req.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
    req.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    req.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                     QNetworkRequest::ManualRedirectPolicy);
    const bool https = scheme == QLatin1String("https");
    if (https) {
        req.setSslConfiguration(TlsPolicy::gatewayConfiguration());
        // A pooled connection keeps the TLS settings it was made with.
        if (TlsPolicy::generation() != m_tlsGeneration) {
            m_nam->clearConnectionCache();
            m_tlsGeneration = TlsPolicy::generation();
        }
    }

    InFlight cur;
    cur.id = id;
    cur.https = https;
    cur.isPost = isPost;
    cur.postBody = body;
    m_request = req;
    const QNetworkProxy proxy = m_nam->proxy();
    if (https && proxy.type() == QNetworkProxy::HttpProxy)
        cur.verdictKey = verdictKey(proxy, qurl);
    m_current = cur;

    if (!m_current->verdictKey.isEmpty()) {
        const auto known = proxyVerdicts().constFind(m_current->verdictKey);
        if (known != proxyVerdicts().constEnd() && *known == ProxyAuthProbe::Rejected) {
            finishEarly(0, 407);
            return true;
        }
        if (known == proxyVerdicts().constEnd()) {
            ProxyAuthProbe::Setup setup;
            setup.proxyHost = proxy.hostName();
            setup.proxyPort = proxy.port();
            setup.user = proxy.user();
            setup.password = proxy.password();
            setup.targetHost = qurl.host();
            setup.targetPort = quint16(qurl.port(443));
            setup.userAgent = kUserAgent;
            auto *probe = new ProxyAuthProbe(setup, this);
            m_current->probe = probe;
            connect(probe, &ProxyAuthProbe::finished, this,
                    [this](ProxyAuthProbe::Verdict v) { onProbeFinished(v); });
            probe->start(kProbeTimeoutMs);
            return true;
        }
    }
    launch();
    return true;
}

void HttpChannel::onProbeFinished(int verdict) {
    if (!m_current || !m_current->probe)
        return;
    m_current->probe->deleteLater();
    m_current->probe = nullptr;
    // An inconclusive probe (proxy unreachable, odd answers) decides nothing for later
    // requests; Qt reports the trouble itself.
    if (verdict != ProxyAuthProbe::Inconclusive)
        proxyVerdicts().insert(m_current->verdictKey, verdict);
    if (verdict == ProxyAuthProbe::Rejected)
        finishEarly(0, 407);
    else
        launch();
}

void HttpChannel::launch() {
    InFlight &cur = *m_current;
    cur.reply = cur.isPost ? m_nam->post(m_request, cur.postBody) : m_nam->get(m_request);
    cur.postBody.clear();
    QNetworkReply *reply = cur.reply;

    connect(reply, &QNetworkReply::finished, this, [this, reply] { onFinished(reply); });
    connect(reply, &QIODevice::readyRead, this, [this, reply] { onReadyRead(reply); });
    connect(reply, &QNetworkReply::metaDataChanged, this, [this, reply] { onMetaData(reply); });
    // Deliberately never ignoreSslErrors(): the handshake fails and no request is sent.
    connect(reply, &QNetworkReply::sslErrors, this, [this, reply](const QList<QSslError> &) {
        if (m_current && m_current->reply == reply)
            m_current->certificateErrors = true;
    });
    connect(reply, &QNetworkReply::encrypted, this, [this, reply] {
        if (m_current && m_current->reply == reply)
            m_current->encrypted = true;
    });
    connect(reply, &QNetworkReply::requestSent, this, [this, reply] {
        if (m_current && m_current->reply == reply) {
            m_current->requestSent = true;
            m_setupTimer->stop();
        }
    });
    // The timeout counts time without traffic; any progress starts it again.
    auto progress = [this, reply](qint64, qint64) {
        if (m_current && m_current->reply == reply && m_transferTimeoutMs > 0)
            m_timer->start(m_transferTimeoutMs);
    };
    connect(reply, &QNetworkReply::uploadProgress, this, progress);
    connect(reply, &QNetworkReply::downloadProgress, this, progress);
    if (m_transferTimeoutMs > 0)
        m_timer->start(m_transferTimeoutMs);
    if (!cur.verdictKey.isEmpty() && m_proxySetupTimeoutMs > 0)
        m_setupTimer->start(m_proxySetupTimeoutMs);
}

void HttpChannel::onReadyRead(QNetworkReply *reply) {
    if (!m_current || m_current->reply != reply)
        return;
    if (m_current->body.size() + reply->bytesAvailable() > m_maxReplySize) {
        cancel(ReplyTooLargeError);
        return;
    }
    m_current->body += reply->readAll();
}

void HttpChannel::onMetaData(QNetworkReply *reply) {
    if (!m_current || m_current->reply != reply)
        return;
    bool ok = false;
    const qint64 announced = reply->header(QNetworkRequest::ContentLengthHeader).toLongLong(&ok);
    if (ok && announced > m_maxReplySize)
        cancel(ReplyTooLargeError);
}

void HttpChannel::abort() {
    if (m_current)
        cancel(QNetworkReply::OperationCanceledError);
}

void HttpChannel::cancel(int reason) {
    if (!m_current)
        return;
    QNetworkReply *reply = m_current->reply;
    if (!reply) { // still probing the proxy
        finishEarly(reason, 0);
        return;
    }
    m_current->cancelReason = reason;
    // Qt goes on with a proxy logon of an aborted request (for the next request, it thinks);
    // a logon that loops must end with the request.
    const bool tunnelPending = !m_current->verdictKey.isEmpty() && !m_current->requestSent;
    reply->abort(); // emits finished() synchronously in every Qt version we know...
    if (m_current && m_current->reply == reply)
        onFinished(reply); // ...and if it did not, the request still ends here
    if (tunnelPending)
        m_nam->clearConnectionCache();
}

void HttpChannel::finishEarly(int error, int status) {
    m_timer->stop();
    m_setupTimer->stop();
    Result r;
    r.requestId = m_current->id;
    r.error = error;
    r.status = status;
    delete m_current->probe;
    m_current.reset();
    queueDelivery(r);
}

void HttpChannel::onFinished(QNetworkReply *reply) {
    if (!m_current || m_current->reply != reply)
        return;
    m_timer->stop();
    m_setupTimer->stop();
    InFlight cur = std::move(*m_current);
    m_current.reset();
    reply->disconnect(this);

    Result r;
    r.requestId = cur.id;
    const QNetworkReply::NetworkError qtError = reply->error();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (cur.cancelReason != 0) {
        r.error = cur.cancelReason;
    } else if (qtError == QNetworkReply::ProxyAuthenticationRequiredError) {
        r.status = 407;
    } else if (qtError == QNetworkReply::NoError || (status > 0 && isHttpStatusError(qtError))) {
        r.status = status;
        if (cur.body.size() + reply->bytesAvailable() > m_maxReplySize) {
            r.status = 0;
            r.error = ReplyTooLargeError;
        } else {
            r.body = cur.body + reply->readAll();
        }
    } else {
        r.error = qtError;
        // A server that hangs up in the middle of the handshake (one that cannot agree on a
        // protocol version, for instance) is a negotiation failure too.
        const bool closedInHandshake = cur.https && !cur.encrypted && !cur.requestSent &&
                                       qtError == QNetworkReply::RemoteHostClosedError;
        if (cur.certificateErrors)
            r.tlsText = TlsPolicy::certificateFailureText();
        else if (qtError == QNetworkReply::SslHandshakeFailedError || closedInHandshake)
            r.tlsText = TlsPolicy::negotiationFailureText();
    }
    reply->deleteLater();
    queueDelivery(r);
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
    emit requestDone(result.error, result.status, result.body);
    if (self)
        m_finishingRequestId = previous;
}

void HttpChannel::setProxy(const QString &host, quint16 port, const QString &user,
                           const QString &password) {
    QNetworkProxy proxy(QNetworkProxy::NoProxy);
    if (!host.isEmpty()) {
        // The credentials belong on the proxy object itself: Qt then answers Basic and NTLM
        // challenges from them, also inside a CONNECT tunnel.
        proxy = QNetworkProxy(QNetworkProxy::HttpProxy, host, port, user, password);
        proxy.setRawHeader("User-Agent", kUserAgent);
    }
    // Settings applied again (each logon) mean "try the proxy again".
    proxyVerdicts().clear();
    const QNetworkProxy current = m_nam->proxy();
    if (proxy == current && proxy.user() == current.user() &&
        proxy.password() == current.password())
        return;
    m_nam->setProxy(proxy);
    // Connections and cached credentials of the previous proxy must not be reused.
    m_nam->clearAccessCache();
}

void HttpChannel::closeConnections() {
    m_nam->clearConnectionCache();
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
    default:
        return QStringLiteral("Network error %1").arg(error);
    }
}
