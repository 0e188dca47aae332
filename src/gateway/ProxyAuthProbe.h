#pragma once
#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

class QTcpSocket;
class QTimer;

// Tries the proxy credentials once, by opening a CONNECT tunnel to the gateway itself, before a
// channel lets Qt use them. Qt handles Basic well, but a refused NTLM logon (or NTLM without
// credentials) makes Qt 6.4 send CONNECT after CONNECT without end; the probe finds out in one
// attempt, so the channel can report 407 instead.
class ProxyAuthProbe : public QObject {
    Q_OBJECT
public:
    enum Verdict {
        Open,         // the proxy opened the tunnel without asking
        LeaveToQt,    // Basic (or a scheme the probe does not speak): Qt copes with it
        Accepted,     // NTLM with these credentials works
        Rejected,     // the proxy refuses: the request must end with 407
        Inconclusive, // network trouble or an odd proxy: let Qt try, under its watchdog
    };
    Q_ENUM(Verdict)

    struct Setup {
        QString proxyHost;
        quint16 proxyPort = 0;
        QString user; // empty: no credentials
        QString password;
        QString targetHost;
        quint16 targetPort = 443;
        QByteArray userAgent;
    };

    // A reply head of the proxy.
    struct ReplyHead {
        int status = 0;
        QList<QByteArray> proxyAuthenticate; // values of every Proxy-Authenticate line
        qint64 contentLength = 0;
        bool close = false; // the proxy closes the connection after this reply
    };
    static constexpr qsizetype kMaxHeadBytes = 64 * 1024;
    static constexpr qint64 kMaxSkippedBody = 1024 * 1024;

    // Parses an HTTP/1.x response head at the start of `data`. Returns its length including
    // the blank line, 0 when more bytes are needed, -1 when it is malformed or too long.
    static qsizetype parseReplyHead(QByteArrayView data, ReplyHead &out);

    explicit ProxyAuthProbe(const Setup &setup, QObject *parent = nullptr);
    ~ProxyAuthProbe() override;
    void start(int timeoutMs);

signals:
    void finished(ProxyAuthProbe::Verdict verdict);

private:
    enum class Step { Plain, Negotiate, Authenticate };
    void connectAndSend(Step step);
    void onReadable();
    void onHead(const ReplyHead &head);
    void send(const QByteArray &authorization);
    void finish(Verdict verdict);

    Setup m_setup;
    QTcpSocket *m_socket = nullptr;
    QTimer *m_timer = nullptr;
    QByteArray m_buffer;
    qint64 m_skip = 0; // body bytes of the last reply still to skip
    bool m_haveHead = false;
    ReplyHead m_head;
    Step m_step = Step::Plain;
    bool m_done = false;
};
