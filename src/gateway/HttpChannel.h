#pragma once
#include "gateway/HttpChannelWire.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>
#include <optional>

class QIODevice;
class QSslSocket;
class QTimer;

// One HTTP client towards the gateway (QClient, ExecClient, ScreenClient and the file transfer
// window's two channels are instances), written directly on a socket: HTTP/1.1, one request at
// a time, its own keep-alive connection to the gateway or through a CONNECT tunnel of the
// proxy, TLS by TlsPolicy.
//
// Every request goes out exactly once. A connection that breaks, resets or times out after the
// request was written ends that request with an error, and the session logic decides what
// follows; only an idle kept connection that the server had already closed before the request
// was written is replaced by a new one. The bytes of the address go on the wire as given (no
// decoding of escapes), and no Accept-Encoding is sent: bodies arrive as the gateway stored them.
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
        LocalFileError = 1003,     // a streamed body's source or sink failed
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

    // Requests whose bodies are files, so that neither has to fit in memory. postFrom sends
    // `size` bytes read from `source` (from its position at the call; it must stay open until
    // requestDone) as the body, in pieces as the connection takes them. getInto hands the body
    // of a 2xx reply to `sink` piece by piece as it arrives, and requestDone then carries an
    // empty body; other replies keep theirs. A source that cannot deliver its bytes, or a sink
    // that returns false, ends the request with LocalFileError. maxReplySize() bounds the
    // reply as always. uploadProgress and downloadProgress report the bytes moved; their
    // receivers may abort(), the sink may not (it returns false instead).
    using BodySink = std::function<bool(QByteArrayView piece)>;
    bool postFrom(const QByteArray &url, QIODevice *source, qint64 size,
                  const QByteArray &contentType);
    bool getInto(const QByteArray &url, BodySink sink);

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
    // While requestDone is being emitted for a response: its header lines, and whether its body
    // ran until the connection closed (no length, no chunks).
    const HttpWire::HeaderList &finishedHeaders() const { return m_finishingHeaders; }
    bool finishedEndedByClose() const { return m_finishingEndedByClose; }

    // HTTP proxy for every following request (https through CONNECT, http in absolute form);
    // an empty host means a direct connection. A 407 is answered once with NTLM (preferred)
    // or Basic from user/password. Credentials the proxy refused end every request of every
    // channel with status 407, without asking the proxy, until setProxy is called again, so a
    // wrong password is never tried over and over.
    void setProxy(const QString &host, quint16 port, const QString &user, const QString &password);
    // Closes the kept connection; the next request opens a new one. A request in flight is
    // not disturbed: its connection is closed when it ends.
    void closeConnections();

    // Through a proxy, the tunnel and TLS handshake must be done within this time, so a proxy
    // that stalls a CONNECT is not waited for until the transfer timeout.
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
    // Streamed bodies only (postFrom, getInto). `total` is -1 when the reply announced none.
    void uploadProgress(qint64 sent, qint64 total);
    void downloadProgress(qint64 received, qint64 total);

private:
    struct Result {
        quint64 requestId = 0;
        int error = 0;
        int status = 0;
        QByteArray body;
        QString tlsText;
        HttpWire::HeaderList headers;
        bool endedByClose = false;
    };

    // Where the request in flight stands on its connection.
    enum class Phase {
        Connecting, // TCP connection to the gateway or the proxy
        Tunnel,     // CONNECT sent to the proxy, its answer awaited
        Handshake,  // TLS handshake with the gateway
        Exchange,   // request written, reply being read
    };
    // The proxy credentials the next message to the proxy carries.
    enum class ProxyAuth { None, Basic, NtlmNegotiate, NtlmAuthenticate };

    struct InFlight {
        quint64 id = 0;
        HttpWire::Target target;
        bool viaProxy = false;
        bool isPost = false;
        QByteArray body;
        QByteArray contentType;
        Phase phase = Phase::Connecting;
        ProxyAuth auth = ProxyAuth::None;
        QByteArray proxyAuthorization; // value of the Proxy-Authorization line, if any
        bool certificateErrors = false;
        // A streamed request body: where it starts in the source, its size, how much of it
        // went to the socket; and the sink of a streamed reply body.
        QIODevice *source = nullptr;
        qint64 sourceStart = 0;
        qint64 sourceSize = 0;
        qint64 sourceWritten = 0;
        BodySink sink;
        bool sinkFailed = false;
    };

    bool start(bool isPost, const QByteArray &url, const QByteArray &body,
               const QByteArray &contentType, QIODevice *source = nullptr, qint64 sourceSize = 0,
               BodySink sink = {});
    void pumpSource();
    qint64 unsent() const;
    void onBytesWritten(QSslSocket *socket);
    QByteArray connectionKey(const HttpWire::Target &target) const;
    bool connectionReusable() const;
    void openConnection(const QByteArray &key);
    void onConnected(QSslSocket *socket);
    void onEncrypted(QSslSocket *socket);
    void onReadable(QSslSocket *socket);
    void onConnectionLost(QSslSocket *socket, int socketError);
    void onTraffic(QSslSocket *socket);
    void takeBytes(const QByteArray &data);
    void onReplyComplete(bool bytesBeyondReply);
    void answerProxyChallenge();
    QByteArray basicCredentials() const;
    void sendConnect();
    void sendRequest();
    void fail(int error, const QString &tlsText = QString());
    void finish(int status, const QByteArray &body, bool keepConnection);
    void dropConnection(bool graceful);
    void queueDelivery(const Result &result);
    void deliver(const Result &result);

    QString m_name;
    QTimer *m_timer = nullptr;      // transfer timeout (time without traffic)
    QTimer *m_setupTimer = nullptr; // through a proxy: until the request is written
    std::optional<InFlight> m_current;
    int m_undelivered = 0; // completions queued but not yet emitted
    quint64 m_lastRequestId = 0;
    quint64 m_finishingRequestId = 0;
    HttpWire::HeaderList m_finishingHeaders;
    bool m_finishingEndedByClose = false;

    // The kept connection: what it leads to (connectionKey) and whether it must be closed once
    // the request on it ends.
    QSslSocket *m_socket = nullptr;
    QByteArray m_socketKey;
    bool m_closeAfterRequest = false;
    bool m_peerClosed = false; // the peer closed the connection while a reply was read
    HttpWire::ReplyParser m_parser;

    QString m_proxyHost;
    quint16 m_proxyPort = 0;
    QString m_proxyUser;
    QString m_proxyPassword;
    bool m_proxyWantsBasic = false; // learned from a 407: send Basic credentials at once
    bool m_proxyBasicUtf8 = false;

    int m_transferTimeoutMs = kDefaultTransferTimeoutMs;
    int m_proxySetupTimeoutMs = kDefaultProxySetupTimeoutMs;
    qint64 m_maxReplySize = kDefaultMaxReplySize;
};
