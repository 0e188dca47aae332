#include "LocalGateway.h"
#include "AdminApi.h"
#include "InvitationMail.h"
#include "LocalPki.h"
#include "Server.h"
#include "Service.h"
#include "TestAccounts.h"
#include "gateway/Url_Utils.h"

#include <QDir>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTimer>

#include <boost/asio/io_context.hpp>
#include <sodium.h>

#include <atomic>
#include <future>
#include <mutex>
#include <thread>

namespace localgw {

using gatewayd::ConsoleReply;
using gatewayd::ConsoleRequest;
using gatewayd::ReplyFn;

namespace {
constexpr int kServiceThreads = 2;

bool writeFile(const QString &path, const QByteArray &bytes) {
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

ConsoleReply toConsoleReply(const GatewayReply &g) {
    ConsoleReply r;
    r.status = g.status;
    r.body = g.body.toStdString();
    r.contentType = g.contentType.toStdString();
    for (const auto &[name, value] : g.headers)
        r.headers.emplace_back(name.toStdString(), value.toStdString());
    r.cutAfter = g.cutAfter;
    r.chunked = g.chunked;
    return r;
}

// The promise the test mode's own pages answer through.
ReplyPtr pendingFor(const ReplyFn &reply) {
    return std::make_shared<PendingReply>(
        [reply](const GatewayReply &g) { reply(toConsoleReply(g)); },
        [reply] {
            ConsoleReply dropped;
            dropped.drop = true;
            reply(std::move(dropped));
        });
}

// What the test mode's configuration sets of the service's.
void applyTunables(gatewayd::Config &c, const GatewayConfig &g) {
    c.gatewayCount = g.gatewayCount;
    c.versionDigits = g.versionDigits.toStdString();
    c.info = g.info.toStdString();
    c.announcementTitle = g.announcementTitle.toStdString();
    c.announcementText = g.announcementText.toStdString();
    c.pollHoldMs = qBound(100, g.pollHoldMs, 55000);
    c.sessionIdleMs = qMax(100, g.sessionIdleMs);
}
} // namespace

struct LocalGateway::Engine {
    boost::asio::io_context io{kServiceThreads};
    gatewayd::Config config;
    gatewayd::TlsContexts tls;
    std::unique_ptr<TestAccounts> accounts;
    std::unique_ptr<gatewayd::Service> service;
    std::unique_ptr<gatewayd::Server> server;
    std::vector<std::thread> threads;
    quint16 port = 0;
};

// Called on the service's threads: everything is handed to the gateway's own thread, in the
// order it came, through the inbox.
class LocalGateway::Hooks : public gatewayd::TestHooks {
public:
    Hooks(LocalGateway *gateway, QObject *inbox) : m_gateway(gateway), m_inbox(inbox) {}

    void post(std::function<void()> work) {
        QMetaObject::invokeMethod(m_inbox, std::move(work), Qt::QueuedConnection);
    }

    void request(ConsoleRequest request, ReplyFn reply, Proceed proceed) override {
        post([g = m_gateway, request = std::move(request), reply = std::move(reply),
              proceed = std::move(proceed)] { g->intercept(request, reply, proceed); });
    }
    std::string nextSessionKey() override {
        std::lock_guard lock(m_mutex);
        return std::exchange(m_nextKey, {});
    }
    std::string invitationMail(const std::string &params) override {
        GatewayConfig c;
        c.mailFails = m_mailFails;
        return InvitationMailAnswer(c, QByteArray::fromStdString(params)).toStdString();
    }
    void sessionStarted(const std::string &key, int gateway, const std::string &user) override {
        post([g = m_gateway, key, gateway, user] {
            g->sessionStarted(QByteArray::fromStdString(key), gateway,
                              QByteArray::fromStdString(user));
        });
    }
    void sessionEnded(const std::string &key) override {
        post([g = m_gateway, key] { g->sessionEnded(QByteArray::fromStdString(key)); });
    }
    void relayedToHost(const std::string &key) override {
        post([g = m_gateway, key] {
            if (TestSession *s = g->session(QByteArray::fromStdString(key)))
                s->expectFrame();
        });
    }

    void setNextKey(const QByteArray &key) {
        std::lock_guard lock(m_mutex);
        m_nextKey = key.toStdString();
    }
    void setMailFails(bool fails) { m_mailFails = fails; }

private:
    LocalGateway *m_gateway;
    QObject *m_inbox;
    std::mutex m_mutex;
    std::string m_nextKey;
    std::atomic<bool> m_mailFails{false};
};

LocalGateway::LocalGateway(const GatewayConfig &config, QObject *parent)
    : QObject(parent), m_config(config) {}

LocalGateway::~LocalGateway() {
    stop();
}

bool LocalGateway::isRunning() const {
    return m_engine != nullptr;
}

bool LocalGateway::start(QString *error) {
    auto fail = [this, error](const QString &text) {
        stop();
        if (error)
            *error = text;
        return false;
    };
    if (isRunning())
        return true;
    if (sodium_init() < 0)
        return fail(QStringLiteral("libsodium cannot start"));

    if (m_config.dir.isEmpty()) {
        m_tempDir = std::make_unique<QTemporaryDir>();
        if (!m_tempDir->isValid())
            return fail(QStringLiteral("cannot create a temporary folder"));
        m_dir = m_tempDir->path();
    } else {
        m_dir = QDir(m_config.dir).absolutePath();
        if (!QDir().mkpath(m_dir))
            return fail(QStringLiteral("cannot create %1").arg(m_dir));
    }

    LocalPki pki;
    const LocalPki::Identity identity =
        pki.issueServer({QStringLiteral("127.0.0.1"), QStringLiteral("localhost")}, 3650);
    if (!pki.isValid() || identity.isNull())
        return fail(QStringLiteral("cannot create the certificates"));
    if (!pki.writeCaPem(caPemPath()))
        return fail(QStringLiteral("cannot write %1").arg(caPemPath()));
    m_caCertificates = {pki.caCertificate()};
    const QString certFile = QDir(m_dir).filePath(QStringLiteral("server.pem"));
    const QString keyFile = QDir(m_dir).filePath(QStringLiteral("server-key.pem"));
    QByteArray chain;
    for (const QSslCertificate &c : identity.chain)
        chain += c.toPem();
    if (!writeFile(certFile, chain) || !writeFile(keyFile, identity.key.toPem()))
        return fail(QStringLiteral("cannot write the server certificate into %1").arg(m_dir));

    m_engine = std::make_unique<Engine>();
    gatewayd::Config &c = m_engine->config;
    c.listenAddress = "127.0.0.1";
    c.port = m_config.port;
    c.stateDir = m_dir.toStdString();
    c.certFile = certFile.toStdString();
    c.keyFile = keyFile.toStdString();
    c.threads = kServiceThreads;
    applyTunables(c, m_config);
    // Tests log on again and again with one account and try wrong keys on purpose; the
    // throttle and the per-operator cap would only slow them down.
    c.maxSessionsPerOperator = c.maxSessions;
    c.failureDelayMs = 0;
    c.maxFailureDelayMs = 0;
    c.maxBodyBytes = qMax<qint64>(1, m_config.maxRequestBodyBytes);
    c.maxHostFrameBytes = c.maxBodyBytes + (int64_t(1) << 20);
    c.maxSessionBytes = std::max<int64_t>(c.maxSessionBytes, 4 * c.maxBodyBytes);
    m_pushed = m_config;

    std::string why;
    if (!m_engine->tls.load(c.certFile, c.keyFile, &why))
        return fail(QString::fromStdString(why));
    m_inbox = new QObject(this);
    m_hooks = std::make_shared<Hooks>(this, m_inbox);
    m_hooks->setMailFails(m_config.mailFails);
    m_engine->accounts = std::make_unique<TestAccounts>(m_config.accounts);
    m_engine->service =
        std::make_unique<gatewayd::Service>(m_engine->io, c, *m_engine->accounts, m_hooks.get());
    m_engine->server = std::make_unique<gatewayd::Server>(m_engine->io, c, *m_engine->service,
                                                          m_engine->tls, m_hooks.get());
    if (!m_engine->server->listen(&why))
        return fail(QStringLiteral("cannot listen: %1").arg(QString::fromStdString(why)));
    m_engine->port = m_engine->server->port();
    for (int i = 0; i < kServiceThreads; ++i)
        m_engine->threads.emplace_back([io = &m_engine->io] { io->run(); });

    m_log.setFile(requestLogPath());
    QString writeError;
    if (!writeSettings(&writeError))
        return fail(writeError);
    return true;
}

void LocalGateway::stop() {
    if (!m_engine)
        return;
    // The hosts go first, so that nothing of theirs arrives at a service that is ending.
    for (const auto &s : std::exchange(m_sessions, {}))
        delete s.data();
    if (m_engine->server && m_engine->service) {
        m_engine->server->stop();
        auto ended = std::make_shared<std::promise<void>>();
        m_engine->service->shutdown([ended] { ended->set_value(); });
        ended->get_future().wait_for(std::chrono::seconds(10));
    }
    m_engine->io.stop();
    for (std::thread &t : m_engine->threads)
        t.join();
    // Answers still queued for this thread hold connections of the service: they go while
    // the service's event loop still exists.
    delete m_inbox;
    m_inbox = nullptr;
    m_engine.reset();
    m_hooks.reset();
}

void LocalGateway::pushConfig() {
    m_hooks->setMailFails(m_config.mailFails);
    const GatewayConfig &a = m_config;
    const GatewayConfig &b = m_pushed;
    if (a.versionDigits == b.versionDigits && a.info == b.info &&
        a.announcementTitle == b.announcementTitle && a.announcementText == b.announcementText &&
        a.pollHoldMs == b.pollHoldMs && a.sessionIdleMs == b.sessionIdleMs)
        return;
    m_pushed = m_config;
    gatewayd::Config c = m_engine->config;
    applyTunables(c, m_config);
    c.gatewayCount = m_engine->config.gatewayCount; // the server serves the numbers it began with
    m_engine->service->setConfig(c);
}

void LocalGateway::intercept(const ConsoleRequest &r, const ReplyFn &reply,
                             const std::function<void(ConsoleRequest, ReplyFn)> &proceed) {
    if (!m_engine)
        return;
    const QByteArray path = QByteArray::fromStdString(r.path);
    const GatewayRequest request{QByteArray::fromStdString(r.method), path,
                                 QByteArray::fromStdString(r.query),
                                 QByteArray::fromStdString(r.body)};
    if (AdminApi::isAdminPath(path)) {
        AdminApi::handle(*this, request, pendingFor(reply));
        return;
    }
    int gateway = 0;
    std::string code, rest;
    const bool numbered = gatewayd::Service::parsePath(r.path, &gateway, &code, &rest);

    LoggedRequest entry;
    entry.gateway = numbered ? gateway : 0;
    entry.method = request.method;
    entry.path = path;
    entry.code = numbered ? QByteArray::fromStdString(code) : QByteArray();
    entry.rawQuery = request.rawQuery;
    entry.query = RequestLog::splitQuery(request.rawQuery);
    entry.bodySize = request.body.size();
    m_log.add(entry);

    if (!numbered && m_site.serve(request, pendingFor(reply), m_config.versionDigits))
        return;
    pushConfig();
    ReplyFn target = reply;
    if (numbered && gateway >= 1 && gateway <= m_engine->config.gatewayCount)
        if (const auto fault = m_faults.take(gateway, entry.code))
            if (applyFault(*fault, gateway, &target))
                return;
    // The answer comes back through this thread, behind what the service told it before (a
    // session that began or ended), and once the host has what the request carried to it, so
    // a test that has the answer finds the session and the host as they are.
    std::weak_ptr<Hooks> hooks = m_hooks;
    const QByteArray key = numbered ? keyOf(r, code, rest) : QByteArray();
    proceed(r, [this, hooks, target, key](ConsoleReply answer) {
        if (const auto h = hooks.lock())
            h->post([this, target, key, answer] {
                TestSession *s = key.isEmpty() ? nullptr : session(key);
                if (s)
                    s->whenCaughtUp([target, answer] { target(answer); });
                else
                    target(answer);
            });
    });
}

QByteArray LocalGateway::keyOf(const ConsoleRequest &request, const std::string &code,
                               const std::string &rest) {
    if (code == "Files")
        return QByteArray::fromStdString(rest.substr(0, rest.find('/')));
    QByteArray key;
    GetUrlParam(QByteArray::fromStdString(request.query), "key", key);
    return key;
}

bool LocalGateway::applyFault(const Fault &fault, int gateway, ReplyFn *reply) {
    const ReplyFn send = *reply;
    auto ok = [&send](const QByteArray &body) { send({200, body.toStdString()}); };
    switch (fault.kind) {
    case Fault::Status:
        send({fault.status, fault.text.toStdString()});
        return true;
    case Fault::Drop: {
        ConsoleReply dropped;
        dropped.drop = true;
        send(std::move(dropped));
        return true;
    }
    case Fault::Redirect:
        ok("GW:" + QByteArray::number(fault.gateway));
        return true;
    case Fault::LogonError:
        ok("Err:" + fault.text);
        return true;
    case Fault::EmptyBody:
        ok({});
        return true;
    case Fault::Body:
        ok(fault.text);
        return true;
    case Fault::ProxyAuth: {
        ConsoleReply r{407, "Proxy authentication required"};
        r.headers.emplace_back("Proxy-Authenticate", "Basic realm=\"local proxy\"");
        send(std::move(r));
        return true;
    }
    case Fault::Hostile: {
        QSize screen = m_config.screenSize;
        for (TestSession *s : sessions())
            if (s->gateway() == gateway)
                screen = s->host().desktop().size();
        ok(HostileBodies::body(fault.hostile, screen));
        return true;
    }
    case Fault::Delay: {
        // The request is served now; only its answer waits.
        const int ms = fault.delayMs;
        QPointer<QObject> inbox(m_inbox);
        *reply = [inbox, send, ms](ConsoleReply answer) {
            if (inbox)
                QTimer::singleShot(ms, inbox, [send, answer] { send(answer); });
        };
        return false;
    }
    }
    return false;
}

void LocalGateway::sessionStarted(const QByteArray &key, int gateway, const QByteArray &user) {
    if (!m_engine)
        return;
    GatewayAccount account;
    for (const GatewayAccount &a : m_config.accounts)
        if (a.userCode.compare(user, Qt::CaseInsensitive) == 0)
            account = a;
    gatewayd::HostChannelClient::Endpoint endpoint;
    endpoint.address = "127.0.0.1";
    endpoint.port = m_engine->port;
    endpoint.gateway = gateway;
    endpoint.caFile = caPemPath().toStdString();
    endpoint.maxFrameBytes = size_t(m_engine->config.maxHostFrameBytes);
    m_sessions.append(
        new TestSession(*m_engine->service, key, gateway, account, m_config, endpoint, this));
}

void LocalGateway::sessionEnded(const QByteArray &key) {
    for (qsizetype i = 0; i < m_sessions.size(); ++i) {
        TestSession *s = m_sessions[i];
        if (s && s->key() == key) {
            m_sessions.removeAt(i);
            s->deleteLater();
            return;
        }
    }
}

QList<TestSession *> LocalGateway::sessions() const {
    QList<TestSession *> out;
    for (const auto &s : m_sessions)
        if (s)
            out.append(s.data());
    return out;
}

TestSession *LocalGateway::session(const QByteArray &key) const {
    for (TestSession *s : sessions())
        if (s->key() == key)
            return s;
    return nullptr;
}

TestSession *LocalGateway::latestSession() const {
    const QList<TestSession *> live = sessions();
    return live.isEmpty() ? nullptr : live.last();
}

void LocalGateway::setNextKey(const QByteArray &key) {
    if (m_hooks)
        m_hooks->setNextKey(key);
}

quint16 LocalGateway::port() const {
    return m_engine ? m_engine->port : 0;
}

QString LocalGateway::gatewayAddress() const {
    return QStringLiteral("https://127.0.0.1:%1/gw{n}/").arg(port());
}

QString LocalGateway::gatewayUrl(int number) const {
    return QStringLiteral("https://127.0.0.1:%1/gw%2/")
        .arg(port())
        .arg(number, 3, 10, QLatin1Char('0'));
}

QString LocalGateway::adminUrl(const QString &operation) const {
    return QStringLiteral("https://127.0.0.1:%1/_admin/%2").arg(port()).arg(operation);
}

QString LocalGateway::dir() const {
    return m_dir;
}

QString LocalGateway::caPemPath() const {
    return QDir(m_dir).filePath(QStringLiteral("ca.pem"));
}

QString LocalGateway::settingsPath() const {
    return QDir(m_dir).filePath(QStringLiteral("console-settings.ini"));
}

QString LocalGateway::requestLogPath() const {
    return QDir(m_dir).filePath(QStringLiteral("requests.jsonl"));
}

QString LocalGateway::consoleSettingsText() const {
    const GatewayAccount account =
        m_config.accounts.isEmpty() ? GatewayAccount{} : m_config.accounts.first();
    // The console keeps its password enciphered; the plain one is in its own section for the
    // demo script to store through the console's own code.
    return QStringLiteral("; Settings for a console using the local gateway on port %1.\n"
                          "[Service]\n"
                          "Domain=%2\n"
                          "GatewayAddress=%3\n"
                          "TrustedCertificates=%4\n"
                          "UpdateHost=127.0.0.1:%1\n"
                          "\n"
                          "[DemoAccount]\n"
                          "UserCode=%5\n"
                          "Password=%6\n")
        .arg(port())
        .arg(m_config.domain, gatewayAddress(), QDir::toNativeSeparators(caPemPath()),
             QString::fromLatin1(account.userCode), QString::fromLatin1(account.password));
}

bool LocalGateway::writeSettings(QString *error) const {
    if (writeFile(settingsPath(), consoleSettingsText().toUtf8()))
        return true;
    if (error)
        *error = QStringLiteral("cannot write %1").arg(settingsPath());
    return false;
}

} // namespace localgw
