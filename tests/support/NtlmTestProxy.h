#pragma once
#include <QByteArray>
#include <QObject>
#include <QTcpServer>

class QTcpSocket;

// An HTTP proxy for tests that demands NTLM before it opens CONNECT tunnels, as corporate
// proxies do: a request without credentials gets 407 "Proxy-Authenticate: NTLM"; the client's
// negotiate message gets a challenge on the same connection; the authenticate message is
// checked (NTLMv2 response against the known password) and, when it is right, the tunnel to
// the loopback target is opened. Wrong credentials get 407 again on the same connection.
// Tunnels go only to 127.0.0.1 / localhost.
class NtlmTestProxy : public QTcpServer {
    Q_OBJECT
public:
    NtlmTestProxy(const QByteArray &user, const QByteArray &password, QObject *parent = nullptr);

    bool start(); // listens on 127.0.0.1, free port
    quint16 port() const { return serverPort(); }

    // Logons accepted before the proxy starts refusing the same credentials (-1: no limit),
    // like a password that expires in the middle of a session.
    int acceptLimit = -1;

    // Counters of what clients sent, for the tests.
    int unauthenticatedRequests = 0; // requests without NTLM credentials
    int negotiateMessages = 0;       // type 1
    int authenticateMessages = 0;    // type 3
    int acceptedLogons = 0;
    int rejectedLogons = 0;
    QByteArray lastUser;   // user name of the last type 3 message (UTF-8)
    QByteArray lastDomain; // domain of the last type 3 message (UTF-8)

    // NTLM building blocks, public for the tests of this proxy itself.
    static QByteArray ntHash(const QByteArray &passwordUtf8);
    static bool verifyNtlmV2(const QByteArray &passwordUtf8, const QByteArray &userUtf16,
                             const QByteArray &domainUtf16, const QByteArray &serverChallenge,
                             const QByteArray &ntResponse);

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    void onClientData(QTcpSocket *client);
    void answer(QTcpSocket *client, const QByteArray &statusLine, const QByteArray &headers);
    void openTunnel(QTcpSocket *client, const QByteArray &authority);

    QByteArray m_user;
    QByteArray m_password;
};
