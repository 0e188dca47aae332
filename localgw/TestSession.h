#pragma once
#include "GatewayConfig.h"
#include "HostChannelBridge.h"
#include "SimulatedHost.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QObject>
#include <QTimer>

#include <functional>

#include <optional>

namespace gatewayd {
class Service;
}

namespace localgw {

// The test mode's view of one support session of the gateway service: its key and gateway, and
// the simulated host that joins it over the host channel, as the remote user's host program
// would, with the key the operator passes on. What the service holds (messages, held poll)
// is asked of the service.
class TestSession : public QObject {
    Q_OBJECT
public:
    TestSession(gatewayd::Service &service, const QByteArray &key, int gateway,
                const GatewayAccount &account, const GatewayConfig &config,
                const gatewayd::HostChannelClient::Endpoint &endpoint, QObject *parent = nullptr);
    ~TestSession() override;

    QByteArray key() const { return m_key; }
    int gateway() const { return m_gateway; }
    const GatewayAccount &account() const { return m_account; }
    SimulatedHost &host() { return m_host; }
    HostChannelBridge &channel() { return m_bridge; }

    // A message for the console, delivered by its next poll (oldest first).
    void post(const QByteArray &message);
    // The service holds a poll of this session / the messages waiting for the console.
    bool hasHeldPoll() const;
    QList<QByteArray> waitingMessages() const;

    // What the console left for the host, as the host received it.
    QByteArray consoleClipboard() const { return m_consoleClipboard; }
    QMap<QByteArray, QByteArray> uploadedFiles() const { return m_uploads; }
    // A file the host stores for the console ("Files/" + key + "/" + name); needs the host
    // joined.
    void storeHostFile(const QByteArray &name, const QByteArray &body);

    // The service relayed something of the console's to the host.
    void expectFrame();
    // Runs `action` once the host has carried out everything relayed to it so far (at once
    // when it has, or when it is not there): the console's answer then finds the host as a
    // host inside the gateway would have been, whatever the channel's delay.
    void whenCaughtUp(std::function<void()> action);

private:
    void frameHandled();
    void forgetExpected();
    void runWaiting();

    gatewayd::Service &m_service;
    QByteArray m_key;
    int m_gateway;
    GatewayAccount m_account;
    SimulatedHost m_host;
    HostChannelBridge m_bridge;
    QByteArray m_consoleClipboard;
    QMap<QByteArray, QByteArray> m_uploads;
    quint64 m_expected = 0;
    quint64 m_handled = 0;
    QList<std::function<void()>> m_waiting;
    QTimer m_waitLimit;
};

} // namespace localgw
