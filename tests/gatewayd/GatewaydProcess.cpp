#include "GatewaydProcess.h"
#include "ReadyLine.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFile>
#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSslConfiguration>
#include <QSslSocket>
#include <QTest>
#include <QTimer>

#include <sys/stat.h>
#include <unistd.h>

namespace {
bool writeFile(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}
} // namespace

GatewaydProcess::GatewaydProcess() {
    // Started as root, the service goes on as "nobody", which must reach the files.
    ::chmod(QFile::encodeName(m_dir.path()).constData(), 0755);
}

GatewaydProcess::~GatewaydProcess() {
    stop();
}

QString GatewaydProcess::binary() const {
    return QStringLiteral(QUORVIA_BINARY_DIR "/gateway/quorvia-gateway");
}
QString GatewaydProcess::caPemPath() const {
    return m_dir.filePath("ca.pem");
}
QString GatewaydProcess::statePath() const {
    return m_dir.filePath("state");
}
QString GatewaydProcess::gatewayAddress() const {
    return QStringLiteral("https://%1:%2/gw{n}/").arg(m_address).arg(m_port);
}

bool GatewaydProcess::replaceCertificate() {
    const auto server = m_ca.issueServer({m_address, "localhost"});
    QByteArray chain = server.certificate.toPem() + m_ca.caPem();
    return !server.isNull() && writeFile(m_dir.filePath("cert.pem"), chain) &&
           writeKeyFile(server.key.toPem());
}

bool GatewaydProcess::writeKeyFile(const QByteArray &pem) {
    const QString path = m_dir.filePath("key.pem");
    return writeFile(path, pem) &&
           QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther);
}

bool GatewaydProcess::start(const QByteArray &extraConfig, QString *error) {
    QByteArray config = "listen = " + m_address.toUtf8() +
                        "\nport = " + QByteArray::number(m_port) +
                        "\nstate_dir = " + statePath().toUtf8() +
                        "\ncert_file = " + m_dir.filePath("cert.pem").toUtf8() +
                        "\nkey_file = " + m_dir.filePath("key.pem").toUtf8() + "\nthreads = 2\n";
    if (::geteuid() == 0)
        config += "run_as = nobody\n";
    config += extraConfig;
    if (!m_ca.writeCaPem(caPemPath()) || !replaceCertificate() ||
        !writeFile(m_dir.filePath("gateway.conf"), config)) {
        *error = QStringLiteral("cannot write the files");
        return false;
    }
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(binary(), {"serve", "--config", m_dir.filePath("gateway.conf")});
    QByteArray line;
    m_port = waitForReadyPort(m_process, &line);
    if (!m_port) {
        *error = QString::fromUtf8(line);
        return false;
    }
    return true;
}

bool GatewaydProcess::cli(const QStringList &args, const QByteArray &stdinText) {
    QProcess p;
    p.start(binary(),
            QStringList{"user"} + args + QStringList{"--config", m_dir.filePath("gateway.conf")});
    p.write(stdinText);
    p.closeWriteChannel();
    return p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

void GatewaydProcess::kill() {
    m_process.kill();
    m_process.waitForFinished(30000);
}

void GatewaydProcess::stop() {
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(30000))
        m_process.kill();
}

GatewaydProcess::Answer GatewaydProcess::request(const QByteArray &pathAndQuery,
                                                 const QByteArray *body) {
    QNetworkAccessManager nam;
    QNetworkRequest request(QUrl::fromEncoded("https://" + m_address.toLatin1() + ":" +
                                              QByteArray::number(m_port) + pathAndQuery));
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setCaCertificates({m_ca.caCertificate()});
    request.setSslConfiguration(tls);
    request.setHeader(QNetworkRequest::ContentTypeHeader, "application/octet-stream");
    QNetworkReply *reply = body ? nam.post(request, *body) : nam.get(request);
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit); // a hung gateway fails, not hangs
    if (!reply->isFinished())
        loop.exec();
    Answer answer{reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(),
                  reply->readAll()};
    delete reply;
    return answer;
}

GatewaydProcess::Answer GatewaydProcess::get(const QByteArray &pathAndQuery) {
    return request(pathAndQuery, nullptr);
}
GatewaydProcess::Answer GatewaydProcess::post(const QByteArray &pathAndQuery,
                                              const QByteArray &body) {
    return request(pathAndQuery, &body);
}

QByteArray GatewaydProcess::raw(const QByteArray &bytes, const QString &source) {
    QSslSocket socket;
    if (!source.isEmpty() && !socket.bind(QHostAddress(source)))
        return {};
    QSslConfiguration tls = socket.sslConfiguration();
    tls.setCaCertificates({m_ca.caCertificate()});
    socket.setSslConfiguration(tls);
    socket.connectToHostEncrypted(m_address, m_port);
    if (!socket.waitForEncrypted(30000))
        return {};
    socket.write(bytes);
    QByteArray answer;
    while (!answer.contains("\r\n") && socket.waitForReadyRead(30000))
        answer += socket.readAll();
    answer += socket.readAll();
    return answer.left(answer.indexOf("\r\n"));
}

QSslCertificate GatewaydProcess::presentedCertificate() {
    QSslSocket socket;
    QSslConfiguration tls = socket.sslConfiguration();
    tls.setCaCertificates({m_ca.caCertificate()});
    socket.setSslConfiguration(tls);
    socket.connectToHostEncrypted(m_address, m_port);
    return socket.waitForEncrypted(30000) ? socket.peerCertificate() : QSslCertificate();
}
