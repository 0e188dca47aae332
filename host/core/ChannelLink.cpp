#include "ChannelLink.h"

#include <QFutureWatcher>
#include <QPointer>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>

using gatewayd::FrameType;
using gatewayd::HostChannelClient;
using gatewayd::HostFrame;

namespace qhost {

ChannelLink::ChannelLink(QObject *parent) : QObject(parent) {}

ChannelLink::~ChannelLink() = default;

void ChannelLink::open(const HostChannelClient::Endpoint &endpoint, const QString &joinKey,
                       const HostChannelClient::Identity &identity) {
    auto client = std::make_shared<HostChannelClient>();
    const quint64 generation = ++m_generation;
    QPointer<ChannelLink> self(this);
    const auto onThisThread = [self, generation](auto action) {
        QMetaObject::invokeMethod(
            self.data(),
            [self, generation, action = std::move(action)] {
                if (self && self->m_generation == generation && self->m_client)
                    action(*self);
            },
            Qt::QueuedConnection);
    };
    client->setFrameHandler([onThisThread](HostFrame frame) {
        onThisThread([frame = std::move(frame)](ChannelLink &link) { link.received(frame); });
    });
    client->setClosedHandler([onThisThread] {
        onThisThread([](ChannelLink &link) {
            link.m_client.reset();
            emit link.ended(QString());
        });
    });
    m_client = client;
    // open() waits for the connection; the user interface does not.
    auto *watcher = new QFutureWatcher<QString>(this);
    connect(watcher, &QFutureWatcher<QString>::finished, this, [this, watcher, generation] {
        const QString error = watcher->result();
        watcher->deleteLater();
        if (generation != m_generation)
            return;
        if (error.isEmpty()) {
            emit opened();
        } else {
            m_client.reset();
            emit failed(error);
        }
    });
    watcher->setFuture(QtConcurrent::run([client, endpoint, key = joinKey.toStdString(), identity] {
        std::string error;
        if (!client->open(endpoint, key, identity, &error))
            return QString::fromStdString(error.empty() ? std::string("unknown error") : error);
        return QString();
    }));
}

void ChannelLink::accept() {
    send(FrameType::Accept, {});
}

void ChannelLink::leave() {
    if (!m_client)
        return;
    m_client->send(FrameType::Bye, {});
    m_client->close();
    // Nothing after this is reported. The client itself lives until the gateway closed the
    // channel after the Bye (or a few seconds), so that the Bye is not cut off on its way.
    ++m_generation;
    m_leaving = true;
    std::shared_ptr<HostChannelClient> client = std::move(m_client);
    auto *linger = new QTimer(this);
    linger->setInterval(50);
    auto waited = std::make_shared<int>(0);
    connect(linger, &QTimer::timeout, this, [this, linger, client, waited]() mutable {
        if (client->isClosed() || ++*waited > 60) {
            linger->stop();
            linger->deleteLater();
            client.reset();
            m_leaving = false;
            emit left();
        }
    });
    linger->start();
}

void ChannelLink::say(const QByteArray &message) {
    send(FrameType::Message, {message.toStdString()});
}

void ChannelLink::deposit(const QByteArray &kind, const QByteArray &body) {
    send(FrameType::Deposit, {kind.toStdString(), body.toStdString()});
}

void ChannelLink::file(const QByteArray &name, const QByteArray &body) {
    send(FrameType::File, {name.toStdString(), body.toStdString()});
}

void ChannelLink::send(FrameType type, const std::vector<std::string> &fields) {
    if (m_client)
        m_client->send(type, fields);
}

void ChannelLink::received(const HostFrame &frame) {
    const auto b = [&frame](size_t i) { return QByteArray::fromStdString(frame.fields[i]); };
    switch (frame.type) {
    case FrameType::Welcome:
        emit welcomed(b(0).toInt(), QString::fromUtf8(b(1)));
        break;
    case FrameType::Command:
        emit command(b(0));
        break;
    case FrameType::Control:
        emit control(b(0), b(1));
        break;
    case FrameType::Clipboard:
        emit clipboard(b(0), b(1));
        break;
    case FrameType::Upload:
        emit upload(b(0), b(1), b(2));
        break;
    case FrameType::End:
        ++m_generation;
        m_client.reset();
        emit ended(QString::fromUtf8(b(0)));
        break;
    default:
        break; // a gateway never sends the host's own frames
    }
}

} // namespace qhost
