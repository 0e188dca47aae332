#include "HostChannelBridge.h"

#include <QMetaObject>
#include <QPointer>

#include <future>

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
            // "Sfil?" + name + "&" + size: a name may hold "&" itself.
            const QByteArray name = text.mid(5, text.lastIndexOf('&') - 5);
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
    // The join counts once the gateway has the user's consent: the host then has every
    // command the console sends after it, as a host that joined in the gateway itself would.
    auto answered = std::make_shared<std::promise<FrameType>>();
    auto first = std::make_shared<std::once_flag>();
    m_channel->setFrameHandler([self, answered, first](HostFrame frame) {
        std::call_once(*first, [&] { answered->set_value(frame.type); });
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
        return;
    }
    auto answer = answered->get_future();
    if (answer.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        m_error = QStringLiteral("the gateway did not answer the join");
        return;
    }
    // The simulated host's user agrees at once.
    if (answer.get() == FrameType::Welcome) {
        send(FrameType::Accept, {});
        if (!m_channel->confirmDelivered())
            m_error = QStringLiteral("the gateway did not take the consent");
    }
}

void HostChannelBridge::sendFile(const QByteArray &name, const QByteArray &body) {
    send(FrameType::File, {bytes(name), bytes(body)});
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
        // Answered in open(). The gateway's own word is not one of the console's frames the
        // answers wait for.
        return;
    case FrameType::Command:
        m_host.command(bytes(f[0]));
        break;
    case FrameType::Control:
        m_host.control(bytes(f[0]), bytes(f[1]));
        break;
    case FrameType::Clipboard:
        emit clipboardReceived(bytes(f[0]), bytes(f[1]));
        m_host.clipboardFromConsole(bytes(f[0]), bytes(f[1]));
        break;
    case FrameType::Upload:
        emit uploadReceived(bytes(f[0]), bytes(f[1]), bytes(f[2]));
        m_host.files().uploaded(bytes(f[0]), bytes(f[1]), bytes(f[2]));
        break;
    case FrameType::End:
        // The session ended or the join was refused: the host goes, without a word.
        m_error = QString::fromStdString(f[0]);
        m_channel.reset();
        m_host.leave();
        return;
    default:
        return;
    }
    emit frameHandled();
}

} // namespace localgw
