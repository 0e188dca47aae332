#include "TestSession.h"
#include "Service.h"

#include <QDeadlineTimer>
#include <QThread>

namespace localgw {

namespace {
std::optional<gatewayd::Service::SessionState> stateOf(gatewayd::Service &service,
                                                       const QByteArray &key) {
    for (auto &s : service.sessionStates())
        if (s.key == key.toStdString())
            return std::move(s);
    return std::nullopt;
}
} // namespace

TestSession::TestSession(gatewayd::Service &service, const QByteArray &key, int gateway,
                         const GatewayAccount &account, const GatewayConfig &config,
                         const gatewayd::HostChannelClient::Endpoint &endpoint, QObject *parent)
    : QObject(parent), m_service(service), m_key(key), m_gateway(gateway), m_account(account),
      m_host(config), m_bridge(m_host, endpoint, key + QByteArray::number(gateway)) {
    connect(&m_bridge, &HostChannelBridge::clipboardReceived, this,
            [this](const QByteArray &, const QByteArray &body) { m_consoleClipboard = body; });
    connect(&m_bridge, &HostChannelBridge::uploadReceived, this,
            [this](const QByteArray &path, const QByteArray &name, const QByteArray &body) {
                m_uploads[path + name] = body;
            });
    connect(&m_bridge, &HostChannelBridge::frameHandled, this, &TestSession::frameHandled);
    // What a host that left or vanished had not carried out never will be.
    connect(&m_host, &SimulatedHost::left, this, &TestSession::forgetExpected);
    connect(&m_host, &SimulatedHost::vanished, this, &TestSession::forgetExpected);
    connect(&m_host, &SimulatedHost::joined, this, &TestSession::forgetExpected);
    // A channel that broke loses what was on its way; the answers wait no longer than this.
    m_waitLimit.setSingleShot(true);
    m_waitLimit.setInterval(5000);
    connect(&m_waitLimit, &QTimer::timeout, this, &TestSession::forgetExpected);
    m_host.scheduleJoin(config.hostDelayMs);
}

void TestSession::expectFrame() {
    if (m_host.isJoined())
        ++m_expected;
}

// The host may carry out a frame before the word that it was sent comes: the two travel
// different ways to this thread, so the counts run apart in both directions.
void TestSession::frameHandled() {
    ++m_handled;
    if (m_handled >= m_expected)
        runWaiting();
}

void TestSession::forgetExpected() {
    m_expected = std::min(m_expected, m_handled);
    runWaiting();
}

void TestSession::runWaiting() {
    m_waitLimit.stop();
    for (const auto &action : std::exchange(m_waiting, {}))
        action();
}

void TestSession::whenCaughtUp(std::function<void()> action) {
    if (m_handled >= m_expected || !m_host.isJoined()) {
        action();
        return;
    }
    m_waiting.append(std::move(action));
    if (!m_waitLimit.isActive())
        m_waitLimit.start();
}

TestSession::~TestSession() {
    // The session is over: the host goes without a word, its channel with it.
    m_host.disconnect(&m_bridge);
}

void TestSession::post(const QByteArray &message) {
    m_service.postMessage(m_key.toStdString(), message.toStdString());
}

bool TestSession::hasHeldPoll() const {
    const auto state = stateOf(m_service, m_key);
    return state && state->heldPoll;
}

QList<QByteArray> TestSession::waitingMessages() const {
    QList<QByteArray> out;
    if (const auto state = stateOf(m_service, m_key))
        for (const std::string &m : state->waiting)
            out.append(QByteArray::fromStdString(m));
    return out;
}

void TestSession::storeHostFile(const QByteArray &name, const QByteArray &body) {
    m_bridge.sendFile(name, body);
    // Stored as the call returns, as a host inside the gateway would have stored it.
    const QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired()) {
        const auto state = stateOf(m_service, m_key);
        if (!state)
            return;
        const auto it = state->hostFiles.find(name.toStdString());
        if (it != state->hostFiles.end() && it->second == size_t(body.size()))
            return;
        QThread::msleep(2);
    }
}

} // namespace localgw
