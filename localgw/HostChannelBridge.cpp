#include "HostChannelBridge.h"

#include <QMetaObject>
#include <QPointer>

using gatewayd::FrameType;
using gatewayd::HostFrame;

namespace localgw {
namespace {
std::string bytes(const QByteArray &b) {
    return b.toStdString();
}
QByteArray bytes(const std::string &s) {
    return QByteArray::fromStdString(s);
}

const char *kindName(DepositKind kind) {
    switch (kind) {
    case DepositKind::FullPicture:
        return "picture";
    case DepositKind::Update:
        return "update";
    case DepositKind::StringList:
        return "list";
    case DepositKind::Clipboard:
        return "clipboard";
    }
    return "";
}
} // namespace

HostChannelBridge::HostChannelBridge(SimulatedHost &host,
                                     const gatewayd::HostChannelClient::Endpoint &endpoint,
                                     const QByteArray &joinKey, QObject *parent)
    : QObject(parent), m_host(host), m_endpoint(endpoint), m_joinKey(joinKey) {
    connect(&host, &SimulatedHost::joined, this, &HostChannelBridge::open);
    connect(&host, &SimulatedHost::left, this, [this] { closeChannel(true); });
    connect(&host, &SimulatedHost::vanished, this, [this] { closeChannel(false); });
    connect(&host, &SimulatedHost::message, this, [this](const QByteArray &text) {
        // A stored file travels before the message that tells the console it is there.
        if (text.startsWith("Sfil?")) {
            const QByteArray name = text.mid(5, text.indexOf('&') - 5);
            if (const auto file = m_host.files().storedFile(name))
                send(FrameType::File, {bytes(name), bytes(*file)});
        }
        send(FrameType::Message, {bytes(text)});
    });
    connect(&host, &SimulatedHost::deposit, this, [this](DepositKind kind, const QByteArray &body) {
        send(FrameType::Deposit, {kindName(kind), bytes(body)});
    });
}

HostChannelBridge::~HostChannelBridge() = default;

void HostChannelBridge::open() {
    m_channel = std::make_unique<gatewayd::HostChannelClient>();
    QPointer<HostChannelBridge> self(this);
    m_channel->setFrameHandler([self](HostFrame frame) {
        QMetaObject::invokeMethod(
            self.data(),
            [self, frame = std::move(frame)] {
                if (self)
                    self->received(frame);
            },
            Qt::QueuedConnection);
    });
    const HostIdentity &id = m_host.identity();
    const gatewayd::HostChannelClient::Identity identity{
        bytes(id.ip), bytes(id.hostName), bytes(id.windowsFamily), bytes(id.keyboardLayout)};
    std::string error;
    if (!m_channel->open(m_endpoint, bytes(m_joinKey), identity, &error)) {
        m_error = QString::fromStdString(error);
        m_channel.reset();
    }
}

void HostChannelBridge::closeChannel(bool bye) {
    if (!m_channel)
        return;
    if (bye)
        send(FrameType::Bye, {});
    m_channel->close();
}

void HostChannelBridge::send(FrameType type, const std::vector<std::string> &fields) {
    if (m_channel)
        m_channel->send(type, fields);
}

void HostChannelBridge::received(const HostFrame &frame) {
    const auto &f = frame.fields;
    switch (frame.type) {
    case FrameType::Welcome:
        // The simulated host's user agrees at once: the console hears "HostLogon" now.
        send(FrameType::Accept, {});
        break;
    case FrameType::Command:
        m_host.command(bytes(f[0]));
        break;
    case FrameType::Control:
        m_host.control(bytes(f[0]), bytes(f[1]));
        break;
    case FrameType::Clipboard:
        m_host.clipboardFromConsole(bytes(f[0]), bytes(f[1]));
        break;
    case FrameType::Upload:
        m_host.files().uploaded(bytes(f[0]), bytes(f[1]), bytes(f[2]));
        break;
    case FrameType::End:
        // The session ended or the join was refused: the host goes, without a word.
        m_error = QString::fromStdString(f[0]);
        m_channel.reset();
        m_host.leave();
        break;
    default:
        break;
    }
}

} // namespace localgw
