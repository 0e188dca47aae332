#pragma once
#include "FaultPlan.h"
#include "GatewayConfig.h"
#include "RequestLog.h"
#include "ServiceSite.h"
#include "TestHooks.h"
#include "TestSession.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QSslCertificate>
#include <QString>
#include <memory>

class QTemporaryDir;

namespace localgw {

// The gateway service in its test mode, in this process: the service itself (its server and
// logic on their own threads) on 127.0.0.1 with a certificate authority made at start, G#
// numbered gateways at "https://127.0.0.1:PORT/gwNNN/", and what the test mode adds: the
// account of the configuration, a simulated host that joins each session over the host
// channel, the admin API under "/_admin/", faults on demand, the request log and the update
// server's pages. Its working folder holds:
//   ca.pem                 the CA certificate (the console's TrustedCertificates)
//   console-settings.ini   [Service] for the console, [DemoAccount] with the plain account
//   requests.jsonl         the request log, one JSON object per request
//
//     LocalGateway gw;                     // defaults: 3 gateways, account demo/demo
//     gw.start();
//     QString url = gw.gatewayUrl(1);      // https://127.0.0.1:PORT/gw001/
//     gw.faults().add({2, "16", 1, Fault::withStatus(403)});
//     gw.latestSession()->host().join();
class LocalGateway : public QObject {
    Q_OBJECT
public:
    explicit LocalGateway(const GatewayConfig &config = {}, QObject *parent = nullptr);
    ~LocalGateway() override;

    // Creates the CA and the server certificate, writes the files and listens.
    bool start(QString *error = nullptr);
    void stop();
    bool isRunning() const;

    quint16 port() const;
    // "https://127.0.0.1:PORT/gw{n}/": the console's GatewayAddress.
    QString gatewayAddress() const;
    QString gatewayUrl(int number) const;
    QString adminUrl(const QString &operation) const;
    QString dir() const;
    QString caPemPath() const;
    QString settingsPath() const;
    QString requestLogPath() const;
    QList<QSslCertificate> caCertificates() const { return m_caCertificates; }

    // Changes reach the service with the next request: a poll hold applies to the sessions
    // that begin after it, the host's settings to the hosts of those sessions.
    GatewayConfig &config() { return m_config; }
    FaultPlan &faults() { return m_faults; }
    RequestLog &requestLog() { return m_log; }
    // The update server and the error report page (ServiceSite.h).
    ServiceSite &site() { return m_site; }

    // Live sessions, oldest first.
    QList<TestSession *> sessions() const;
    TestSession *session(const QByteArray &key) const;
    TestSession *latestSession() const;
    // The key the next logon hands out (once); for keys that need encoding.
    void setNextKey(const QByteArray &key);

    // The settings text written into console-settings.ini.
    QString consoleSettingsText() const;

private:
    struct Engine;
    class Hooks;
    void intercept(const gatewayd::ConsoleRequest &request, const gatewayd::ReplyFn &reply,
                   const std::function<void(gatewayd::ConsoleRequest, gatewayd::ReplyFn)> &proceed);
    void answerAdmin(const gatewayd::ConsoleRequest &request, const gatewayd::ReplyFn &reply);
    bool applyFault(const Fault &fault, int gateway, gatewayd::ReplyFn *reply);
    void pushConfig();
    void sessionStarted(const QByteArray &key, int gateway, const QByteArray &user);
    void sessionEnded(const QByteArray &key);
    // The session a console request belongs to, by its key.
    static QByteArray keyOf(const gatewayd::ConsoleRequest &request, const std::string &code,
                            const std::string &rest);
    bool writeSettings(QString *error) const;

    GatewayConfig m_config;
    GatewayConfig m_pushed; // what the service was last told
    FaultPlan m_faults;
    RequestLog m_log;
    ServiceSite m_site;
    QList<QPointer<TestSession>> m_sessions;
    std::unique_ptr<QTemporaryDir> m_tempDir;
    QString m_dir;
    QList<QSslCertificate> m_caCertificates;
    std::unique_ptr<Engine> m_engine;
    std::shared_ptr<Hooks> m_hooks;
    QObject *m_inbox = nullptr; // what the service's threads hand to this one is posted here
};

} // namespace localgw
