#include "LocalGateway.h"
#include "AdminApi.h"
#include "LocalPki.h"
#include "MiniHttpServer.h"

#include <QDir>
#include <QSaveFile>
#include <QTemporaryDir>

namespace localgw {

LocalGateway::LocalGateway(const GatewayConfig &config, QObject *parent)
    : QObject(parent), m_config(config) {
    m_service = new GatewayService(config, this);
}

LocalGateway::~LocalGateway() {
    stop();
}

bool LocalGateway::isRunning() const {
    return m_server && m_server->isListening();
}

bool LocalGateway::start(QString *error) {
    auto fail = [error](const QString &text) {
        if (error)
            *error = text;
        return false;
    };
    if (isRunning())
        return true;

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

    m_server = new MiniHttpServer(this);
    m_server->setTls(identity.certificate, identity.key, identity.chain);
    HttpLimits limits;
    limits.maxBodyBytes = m_config.maxRequestBodyBytes;
    m_server->setLimits(limits);
    m_server->setHandler([this](const MiniHttpServer::Request &r) {
        const quint64 id = r.id;
        QPointer<MiniHttpServer> server(m_server);
        auto reply = std::make_shared<PendingReply>(
            [this, server, id](const GatewayReply &g) {
                m_open.remove(id);
                if (!server)
                    return;
                MiniHttpServer::Response response;
                response.status = g.status;
                response.body = g.body;
                response.contentType = g.contentType;
                response.headers = g.headers;
                response.cutAfter = g.cutAfter;
                response.chunked = g.chunked;
                server->respond(id, response);
            },
            [this, server, id] {
                m_open.remove(id);
                if (server)
                    server->dropRequest(id);
            });
        m_open.insert(id, reply);
        const GatewayRequest request{r.method, r.path, r.rawQuery, r.body};
        if (AdminApi::isAdminPath(r.path))
            AdminApi::handle(*m_service, request, reply);
        else
            m_service->handle(request, reply);
    });
    connect(m_server, &MiniHttpServer::connectionClosed, this,
            [this](quint64, quint64 pendingRequestId) {
                if (pendingRequestId == 0)
                    return;
                if (auto reply = m_open.take(pendingRequestId).lock())
                    reply->cancel();
            });
    if (!m_server->listen(m_config.port)) {
        delete m_server;
        m_server = nullptr;
        return fail(QStringLiteral("cannot listen on 127.0.0.1:%1").arg(m_config.port));
    }

    m_service->log().setFile(requestLogPath());
    QString writeError;
    if (!writeSettings(&writeError)) {
        stop();
        return fail(writeError);
    }
    return true;
}

void LocalGateway::stop() {
    if (!m_server)
        return;
    m_server->close();
    delete m_server;
    m_server = nullptr;
    // Promises of requests that can no longer be answered.
    const auto open = std::exchange(m_open, {});
    for (const auto &weak : open)
        if (auto reply = weak.lock())
            reply->cancel();
}

quint16 LocalGateway::port() const {
    return m_server ? m_server->port() : 0;
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
    QSaveFile file(settingsPath());
    if (file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        file.write(consoleSettingsText().toUtf8());
        if (file.commit())
            return true;
    }
    if (error)
        *error = QStringLiteral("cannot write %1").arg(settingsPath());
    return false;
}

} // namespace localgw
