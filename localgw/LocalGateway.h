#pragma once
#include "GatewayConfig.h"
#include "GatewayService.h"

#include <QList>
#include <QObject>
#include <QSslCertificate>
#include <QString>
#include <memory>

class MiniHttpServer;
class QTemporaryDir;

namespace localgw {

// The local gateway with its simulated host, ready to serve: HTTPS on 127.0.0.1 with its own
// certificate authority, G# numbered gateways at "https://127.0.0.1:PORT/gwNNN/", the admin API
// under "/_admin/", and the files a console needs in the working folder:
//   ca.pem                 the CA certificate (the console's TrustedCertificates)
//   console-settings.ini   [Service] for the console, [DemoAccount] with the plain account
//   requests.jsonl         the request log, one JSON object per request
//
//     LocalGateway gw;                     // defaults: 3 gateways, account demo/demo
//     gw.start();
//     QString url = gw.gatewayUrl(1);      // https://127.0.0.1:PORT/gw001/
//     gw.service().faults().add({2, "16", 1, Fault::withStatus(403)});
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

    GatewayService &service() { return *m_service; }
    FaultPlan &faults() { return m_service->faults(); }
    RequestLog &requestLog() { return m_service->log(); }
    LocalSession *latestSession() const { return m_service->latestSession(); }

    // The settings text written into console-settings.ini.
    QString consoleSettingsText() const;

private:
    bool writeSettings(QString *error) const;

    GatewayConfig m_config;
    GatewayService *m_service = nullptr;
    MiniHttpServer *m_server = nullptr;
    std::unique_ptr<QTemporaryDir> m_tempDir;
    QString m_dir;
    QList<QSslCertificate> m_caCertificates;
    QHash<quint64, std::weak_ptr<PendingReply>> m_open; // request id -> its promise
};

} // namespace localgw
