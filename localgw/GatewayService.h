#pragma once
#include "FaultPlan.h"
#include "GatewayConfig.h"
#include "LocalSession.h"
#include "PendingReply.h"
#include "RequestLog.h"
#include "ServiceSite.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>

namespace localgw {

// The gateway's request logic, independent of the server that carries the requests: the
// numbered gateways under "/gwNNN/", logon and sessions, the relay to the simulated host, the
// deposits, the faults armed by tests and the request log.
class GatewayService : public QObject {
    Q_OBJECT
public:
    explicit GatewayService(const GatewayConfig &config, QObject *parent = nullptr);
    ~GatewayService() override;

    GatewayConfig &config() { return m_config; }
    FaultPlan &faults() { return m_faults; }
    RequestLog &log() { return m_log; }
    // The update server and the error report page (ServiceSite.h).
    ServiceSite &site() { return m_site; }

    // Logs the request, applies an armed fault, then serves it through `reply`, at once or
    // later.
    void handle(const GatewayRequest &request, const ReplyPtr &reply);

    // Live sessions, oldest first.
    QList<LocalSession *> sessions() const;
    LocalSession *session(const QByteArray &key) const;
    LocalSession *latestSession() const;
    // The key the next logon hands out (once); for keys that need encoding.
    void setNextKey(const QByteArray &key) { m_nextKey = key; }

    // "/gw001/03" -> 1, "03"; "/gw002/Files/K/a.txt" -> 2, "Files", "K/a.txt". False for any
    // path outside the numbered gateways.
    static bool parsePath(const QByteArray &path, int *gateway, QByteArray *code, QByteArray *rest);

signals:
    void sessionStarted(LocalSession *session);
    void sessionEnded(const QByteArray &key);

private:
    void serve(int gateway, const QByteArray &code, const QByteArray &rest,
               const GatewayRequest &request, const ReplyPtr &reply);
    void logon(int gateway, const GatewayRequest &request, const ReplyPtr &reply);
    void serveDeposit(LocalSession *s, DepositKind kind, const ReplyPtr &reply);
    void control(LocalSession *s, const QByteArray &code, const GatewayRequest &request);
    bool applyFault(const Fault &fault, int gateway, const ReplyPtr &reply, ReplyPtr *delayed);
    QByteArray newKey();
    void endSession(LocalSession *s);
    void dropIdleSessions();

    GatewayConfig m_config;
    FaultPlan m_faults;
    RequestLog m_log;
    ServiceSite m_site;
    QList<QPointer<LocalSession>> m_sessions;
    QByteArray m_nextKey;
    QTimer m_idleCheck;
};

} // namespace localgw
