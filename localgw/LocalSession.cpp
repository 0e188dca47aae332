#include "LocalSession.h"
#include "gateway/Url_Utils.h"

namespace localgw {

LocalSession::LocalSession(const QByteArray &key, int gateway, const GatewayAccount &account,
                           const GatewayConfig &config, QObject *parent)
    : QObject(parent), m_key(key), m_gateway(gateway), m_account(account), m_config(config),
      m_host(config) {
    m_age.start();
    m_lastRequest.start();
    m_pollTimer.setSingleShot(true);
    connect(&m_pollTimer, &QTimer::timeout, this, [this] { answerHeldPoll("QAD"); });

    connect(&m_host, &SimulatedHost::joined, this, [this] { post(hostLogonText()); });
    connect(&m_host, &SimulatedHost::left, this, [this] { post("HostLogoff"); });
    connect(&m_host, &SimulatedHost::vanished, this, [this] { post("HostDisappeared"); });
    connect(&m_host, &SimulatedHost::message, this, &LocalSession::post);
    connect(&m_host, &SimulatedHost::deposit, this, &LocalSession::store);
    m_host.scheduleJoin(config.hostDelayMs);
}

LocalSession::~LocalSession() {
    if (m_heldPoll)
        m_heldPoll->setOnCancel(nullptr);
}

QByteArray LocalSession::hostLogonText() const {
    // The first field after the event name is never found by the console's field reader
    // (its name would be "HostLogon?SID"), so a session counter goes there.
    const HostIdentity &id = m_host.identity();
    return "HostLogon?SID=" + QByteArray::number(m_hostJoins + 1) +
           "&IP=" + EncodeQueryValue(id.ip) + "&HN=" + EncodeQueryValue(id.hostName) +
           "&WV=" + EncodeQueryValue(id.windowsFamily) +
           "&LA=" + EncodeQueryValue(id.keyboardLayout);
}

void LocalSession::post(const QByteArray &message) {
    if (m_ended)
        return;
    if (message.startsWith("HostLogon"))
        ++m_hostJoins;
    m_outbox.enqueue(message);
    if (m_heldPoll && m_heldPoll->isOpen())
        answerHeldPoll(m_outbox.dequeue());
}

void LocalSession::answerHeldPoll(const QByteArray &body) {
    m_pollTimer.stop();
    ReplyPtr reply = std::move(m_heldPoll);
    m_heldPoll.reset();
    if (reply) {
        reply->setOnCancel(nullptr);
        reply->send(GatewayReply::ok(body));
    }
}

void LocalSession::poll(const ReplyPtr &reply) {
    if (m_ended) {
        reply->send(GatewayReply::ok({}));
        return;
    }
    if (m_heldPoll && m_heldPoll->isOpen())
        answerHeldPoll("QAD");
    if (!m_outbox.isEmpty()) {
        reply->send(GatewayReply::ok(m_outbox.dequeue()));
        return;
    }
    m_heldPoll = reply;
    const PendingReply *held = reply.get();
    reply->setOnCancel([this, held] {
        if (m_heldPoll.get() == held) {
            m_pollTimer.stop();
            m_heldPoll.reset();
        }
    });
    m_pollTimer.start(qBound(100, m_config.pollHoldMs, 55000));
}

std::optional<QByteArray> LocalSession::deposit(DepositKind kind) const {
    const auto it = m_deposits.constFind(int(kind));
    if (it == m_deposits.constEnd())
        return std::nullopt;
    return *it;
}

void LocalSession::storeConsoleClipboard(const QByteArray &formatWord, const QByteArray &body) {
    m_consoleClipboard = body;
    m_host.clipboardFromConsole(formatWord, body);
}

void LocalSession::storeUploadedFile(const QByteArray &path, const QByteArray &name,
                                     const QByteArray &body) {
    m_uploads[path + name] = body;
    if (m_host.isJoined())
        m_host.files().uploaded(path, name, body);
}

std::optional<QByteArray> LocalSession::hostFile(const QByteArray &name) const {
    const auto it = m_hostFiles.constFind(name);
    if (it == m_hostFiles.constEnd())
        return m_host.files().storedFile(name);
    return *it;
}

QByteArray LocalSession::sessionTimeText() const {
    const qint64 s = m_age.elapsed() / 1000;
    return QStringLiteral("%1:%2:%3")
        .arg(s / 3600, 2, 10, QLatin1Char('0'))
        .arg((s / 60) % 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'))
        .toLatin1();
}

void LocalSession::end() {
    if (m_ended)
        return;
    m_ended = true;
    m_host.disconnect(this);
    m_host.leave();
    m_outbox.clear();
    if (m_heldPoll && m_heldPoll->isOpen())
        answerHeldPoll({});
}

} // namespace localgw
