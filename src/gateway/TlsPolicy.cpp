#include "gateway/TlsPolicy.h"

#include "settings/ServiceConfig.h"

#include <QFile>
#include <QMutex>
#include <QSslSocket>

namespace {

struct Cache {
    QMutex mutex;
    bool systemLoaded = false;
    QList<QSslCertificate> system;
    bool trustedLoaded = false;
    QString trustedPath;
    QList<QSslCertificate> trusted;
    quint64 generation = 1;
};

Cache &cache() {
    static Cache c;
    return c;
}

// Loads what is missing and follows a changed TrustedCertificates path; the caller holds the
// lock.
void refresh(Cache &c) {
    const QString path = serviceConfig().TrustedCertificates;
    if (!c.systemLoaded) {
        c.system = QSslConfiguration::systemCaCertificates();
        c.systemLoaded = true;
    }
    if (!c.trustedLoaded || c.trustedPath != path) {
        c.trusted.clear();
        if (!path.isEmpty()) {
            QString error;
            c.trusted = TlsPolicy::loadTrustedCertificates(path, &error);
            if (c.trusted.isEmpty())
                qWarning("TrustedCertificates: %s", qPrintable(error));
        }
        c.trustedPath = path;
        c.trustedLoaded = true;
        ++c.generation;
    }
}

} // namespace

namespace TlsPolicy {

QString certificateFailureText() {
    return QStringLiteral("SSL certificate not valid");
}

QString negotiationFailureText() {
    return QStringLiteral("SSL negotiation error");
}

QList<QSslCertificate> loadTrustedCertificates(const QString &path, QString *error) {
    auto fail = [error](const QString &text) {
        if (error)
            *error = text;
        return QList<QSslCertificate>();
    };
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot open %1: %2").arg(path, file.errorString()));
    const QByteArray pem = file.read(kMaxTrustedFileBytes + 1);
    if (pem.size() > kMaxTrustedFileBytes)
        return fail(
            QStringLiteral("%1 is larger than %2 bytes").arg(path).arg(kMaxTrustedFileBytes));
    const QList<QSslCertificate> certs = QSslCertificate::fromData(pem, QSsl::Pem);
    if (certs.isEmpty())
        return fail(QStringLiteral("%1 holds no PEM certificate").arg(path));
    return certs;
}

QSslConfiguration gatewayConfiguration() {
    Cache &c = cache();
    QMutexLocker lock(&c.mutex);
    refresh(c);

    QSslConfiguration config = QSslConfiguration::defaultConfiguration();
    config.setProtocol(QSsl::TlsV1_2OrLater);
    // Setting the list explicitly also turns off Qt's on-demand loading of system roots, which
    // is why the system store is part of it.
    config.setCaCertificates(c.system + c.trusted);
    config.setPeerVerifyMode(QSslSocket::VerifyPeer);
    config.setAllowedNextProtocols({QByteArray(QSslConfiguration::NextProtocolHttp1_1)});
    // Every connection does a full handshake with full verification.
    config.setSslOption(QSsl::SslOptionDisableSessionTickets, true);
    config.setSslOption(QSsl::SslOptionDisableSessionPersistence, true);
    return config;
}

quint64 generation() {
    Cache &c = cache();
    QMutexLocker lock(&c.mutex);
    refresh(c);
    return c.generation;
}

void reload() {
    Cache &c = cache();
    QMutexLocker lock(&c.mutex);
    c.trustedLoaded = false;
    c.trusted.clear();
    ++c.generation;
}

} // namespace TlsPolicy
