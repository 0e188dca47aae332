#pragma once
#include <QList>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QString>

// TLS settings shared by every gateway channel: TLS 1.2 or later, the system's CA store plus
// the CA certificates of the [Service] TrustedCertificates file, verification of the peer and
// of the host name actually contacted on every handshake, HTTP/1.1 only.
namespace TlsPolicy {

// The file is read at most this far; a larger file is refused.
constexpr qint64 kMaxTrustedFileBytes = 1024 * 1024;

// Texts of the two failures the session reports (message catalog entries).
QString certificateFailureText(); // "SSL certificate not valid"
QString negotiationFailureText(); // "SSL negotiation error"

// CA certificates from a PEM file; empty with `error` set when the file is missing, too large
// or holds no certificate.
QList<QSslCertificate> loadTrustedCertificates(const QString &path, QString *error = nullptr);

// The client configuration for gateway requests. The TrustedCertificates file is read once per
// configured path; a changed path is read on the next call.
QSslConfiguration gatewayConfiguration();

// Changes whenever the trusted list may have changed. A connection keeps the TLS settings it
// was made with, so a channel replaces its kept connection when this moves.
quint64 generation();

// Forgets the cached certificates, so the file is read again (the settings were reloaded).
void reload();

} // namespace TlsPolicy
