#pragma once
#include "HostChannelClient.h"
#include "core/HostFeature.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <memory>

namespace qhost {

// The host's end of the host channel on Qt's side: it opens the channel off the user
// interface thread, brings every frame to this object's thread as a signal, and is the
// ConsoleLink the session and the features talk through. Once shut, it sends nothing more and
// reports nothing more.
class ChannelLink : public QObject, public ConsoleLink {
    Q_OBJECT
public:
    explicit ChannelLink(QObject *parent = nullptr);
    ~ChannelLink() override;

    // Connects and says hello; opened() or failed() follows.
    void open(const gatewayd::HostChannelClient::Endpoint &endpoint, const QString &joinKey,
              const gatewayd::HostChannelClient::Identity &identity);
    // The user agreed to share: the console hears of the host now.
    void accept();
    // The host leaves (the user refused, pressed Stop, or the operator quit): Bye, then the
    // channel closes. Nothing is sent or reported after it.
    void leave();
    bool isOpen() const { return m_client != nullptr; }
    // Between leave() and left().
    bool isLeaving() const { return m_leaving; }

    void say(const QByteArray &message) override;
    void deposit(const QByteArray &kind, const QByteArray &body) override;
    void file(const QByteArray &name, const QByteArray &body) override;

signals:
    void opened();
    void failed(const QString &reason);
    // The gateway took the key; `operatorName` asks for the user's consent.
    void welcomed(int gateway, const QString &operatorName);
    void command(const QByteArray &text);
    void control(const QByteArray &code, const QByteArray &parameters);
    void clipboard(const QByteArray &format, const QByteArray &body);
    void upload(const QByteArray &folder, const QByteArray &name, const QByteArray &body);
    // The gateway ended the channel (with its reason) or the connection broke (empty reason).
    void ended(const QString &reason);
    // After leave(): the Bye is out and the channel closed (or gave up waiting).
    void left();

private:
    void received(const gatewayd::HostFrame &frame);
    void send(gatewayd::FrameType type, const std::vector<std::string> &fields);

    std::shared_ptr<gatewayd::HostChannelClient> m_client;
    quint64 m_generation = 0; // frames of an earlier channel are dropped
    bool m_leaving = false;
};

} // namespace qhost
