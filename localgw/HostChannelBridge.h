#pragma once
#include "HostChannelClient.h"
#include "SimulatedHost.h"

#include <QObject>
#include <memory>

namespace localgw {

// The simulated host as a client of the gateway service's host channel, as the real host
// program is: it opens the channel when the host joins, sends its messages and deposits over
// it, carries out what arrives, and closes it when the host leaves (with Bye) or vanishes
// (without).
class HostChannelBridge : public QObject {
    Q_OBJECT
public:
    HostChannelBridge(SimulatedHost &host, const gatewayd::HostChannelClient::Endpoint &endpoint,
                      const QByteArray &joinKey, QObject *parent = nullptr);
    ~HostChannelBridge() override;

    // Why the latest join could not open the channel; empty when it could.
    QString lastError() const { return m_error; }
    // A file the host stored, for the console to fetch as "Files/" + key + "/" + name.
    void sendFile(const QByteArray &name, const QByteArray &body);

signals:
    // A command, control code, clipboard or upload of the console was carried out.
    void frameHandled();
    // What the console left for the host arrived.
    void clipboardReceived(const QByteArray &formatWord, const QByteArray &body);
    void uploadReceived(const QByteArray &path, const QByteArray &name, const QByteArray &body);

private:
    void open();
    void closeChannel(bool bye);
    void send(gatewayd::FrameType type, const std::vector<std::string> &fields);
    void received(const gatewayd::HostFrame &frame);

    SimulatedHost &m_host;
    gatewayd::HostChannelClient::Endpoint m_endpoint;
    QByteArray m_joinKey;
    std::unique_ptr<gatewayd::HostChannelClient> m_channel;
    QString m_error;
};

} // namespace localgw
