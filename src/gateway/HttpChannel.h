#pragma once
#include <QByteArray>
#include <QNetworkRequest>
#include <QObject>
#include <QString>
#include <optional>

class QAuthenticator;
class QNetworkAccessManager;
class QNetworkProxy;
class QNetworkReply;
class QTimer;
class ProxyAuthProbe;

// One HTTP client towards the gateway (QClient, ExecClient, ScreenClient and the file transfer
// window's two channels are instances). Each owns its connection pool, so its connection to the
// gateway or proxy stays open between its own requests.
//
// One request at a time. Its completion, requestDone, comes exactly once per started request,
// always from the event loop (never from inside get(), post() or abort()), on the owner's
// thread, in the order the requests were started:
// - error 0 and the HTTP status when a response arrived, whatever the status (403, 404, 500,
//   and 407 when the proxy refused the credentials); the body is the response body, byte for
//   byte (no content decoding);
// - a non-zero error (a QNetworkReply::NetworkError value or one of the codes below) when the
//   transfer failed; the status is then 0 and the body empty. errorText() describes it.
// A TLS failure additionally emits tlsFailure() just before requestDone.
class HttpChannel : public QObject {
    Q_OBJECT
public:
    // Errors beyond QNetworkReply::NetworkError.
    enum ChannelError : int {
        ReplyTooLargeError = 1001, // the reply exceeded maxReplySize()
        InvalidUrlError = 1002,    // not an http or https address
    };

    static constexpr qint64 kDefaultMaxReplySize = 64 * 1024 * 1024;
    // Polls are held open by the gateway for a long time; this is a time without any traffic.
    static constexpr int kDefaultTransferTimeoutMs = 90 * 1000;

    explicit HttpChannel(QObject *parent = nullptr);
    // `name` only appears in warnings ("QClient", "ExecClient", ...).
    explicit HttpChannel(const QString &name, QObject *parent = nullptr);
    ~HttpChannel() override;

    QString name() const { return m_name; }
    void setName(const QString &name) { m_name = name; }

    // Start a request; false (with a warning) while busy().
    bool get(const QByteArray &url);
    bool post(const QByteArray &url, const QByteArray &body,
              const QByteArray &contentType = "application/x-www-form-urlencoded");

    // Cancels the request in flight; its requestDone (OperationCanceledError) follows from the
    // event loop, never from inside abort().
    void abort();
    // True from the start of a request until its requestDone has been emitted (inside the
    // requestDone handler the channel is already free for the next request). After abort()
    // the channel stays busy until the cancelled request has reported, so requests and
    // completions strictly alternate.
    bool busy() const { return m_current.has_value() || m_undelivered > 0; }

    // Serial number of the request last started (1, 2, ...), and, while requestDone is being
    // emitted, the serial number of the request it belongs to.
    quint64 requestId() const { return m_lastRequestId; }
    quint64 finishedRequestId() const { return m_finishingRequestId; }

    // HTTP proxy for every following request (https through CONNECT); an empty host means a
    // direct connection. Basic and NTLM are answered with user/password. Before the first
    // https request through a proxy the credentials are tried once (ProxyAuthProbe); refused
    // ones end every request with status 407 until setProxy is called again, so a wrong
    // password is never tried over and over.
    void setProxy(const QString &host, quint16 port, const QString &user, const QString &password);
    // Closes the idle connections; the next request opens a new one. Call while idle.
    void closeConnections();

    // Through a proxy, the tunnel and TLS handshake must be done within this time; Qt would
    // otherwise keep retrying a refused proxy logon until the transfer timeout.
    static constexpr int kDefaultProxySetupTimeoutMs = 20 * 1000;
    void setProxySetupTimeout(int ms) { m_proxySetupTimeoutMs = ms; }

    void setTransferTimeout(int ms) { m_transferTimeoutMs = ms; }
    int transferTimeout() const { return m_transferTimeoutMs; }
    void setMaxReplySize(qint64 bytes) { m_maxReplySize = bytes; }
    qint64 maxReplySize() const { return m_maxReplySize; }

    // English description of an error code of requestDone.
    static QString errorText(int error);

signals:
    void requestDone(int error, int status, const QByteArray &body);
    // "SSL certificate not valid" or "SSL negotiation error".
    void tlsFailure(const QString &text);

private:
    struct Result {
        quint64 requestId = 0;
        int error = 0;
        int status = 0;
        QByteArray body;
        QString tlsText;
    };

    // The request in flight.
    struct InFlight {
        quint64 id = 0;
        QNetworkReply *reply = nullptr; // null while the proxy probe runs
        ProxyAuthProbe *probe = nullptr;
        bool isPost = false;
        QByteArray postBody;
        QString verdictKey; // proxied https: key of the probe verdict
        QByteArray body;
        int cancelReason = 0; // our own reason when we ended the reply (timeout, size, abort)
        bool https = false;
        bool certificateErrors = false;
        bool encrypted = false;   // a handshake completed for this request
        bool requestSent = false; // the request left (so any handshake before it succeeded)
    };

    bool start(bool isPost, const QByteArray &url, const QByteArray &body,
               const QByteArray &contentType);
    void launch();
    void onProbeFinished(int verdict);
    void onReadyRead(QNetworkReply *reply);
    void onMetaData(QNetworkReply *reply);
    void onFinished(QNetworkReply *reply);
    void cancel(int reason);
    void finishEarly(int error, int status);
    void queueDelivery(const Result &result);
    void deliver(const Result &result);

    QString m_name;
    QNetworkAccessManager *m_nam = nullptr;
    QTimer *m_timer = nullptr;      // transfer timeout (time without traffic)
    QTimer *m_setupTimer = nullptr; // proxied https: until the request is on its way
    QNetworkRequest m_request;      // of the request in flight
    std::optional<InFlight> m_current;
    int m_undelivered = 0; // completions queued but not yet emitted
    quint64 m_lastRequestId = 0;
    quint64 m_finishingRequestId = 0;
    quint64 m_tlsGeneration = 0;

    QString m_proxyHost;
    quint16 m_proxyPort = 0;
    QString m_proxyUser;
    QString m_proxyPassword;

    int m_transferTimeoutMs = kDefaultTransferTimeoutMs;
    int m_proxySetupTimeoutMs = kDefaultProxySetupTimeoutMs;
    qint64 m_maxReplySize = kDefaultMaxReplySize;
};
