#pragma once
#include <QList>
#include <QSslCertificate>
#include <QSslKey>
#include <QString>
#include <QStringList>
#include <memory>

// A certificate authority made at run time, for the local gateway and the tests: nothing is
// read from or left on disk unless asked. Keys are ECDSA P-256; certificates are X.509 v3 with
// SHA-256 signatures, valid from an hour ago (clock skew) for `validDays`.
//
//     LocalPki ca;                                     // new CA, new key
//     auto server = ca.issueServer({"localhost", "127.0.0.1"});
//     ca.writeCaPem(dir.filePath("ca.pem"));           // trust it through a PEM file
//     LocalPki other;                                  // a second CA nobody trusts
//     auto rogue = other.issueServer({"localhost"});
//
// Every method returns null objects (isNull()) if OpenSSL fails; that never happens in
// practice, but callers in tests should QVERIFY(!identity.isNull()).
class LocalPki {
public:
    // A server certificate with its private key. `chain` is the certificate followed by the
    // issuing CA, as a TLS server would present it.
    struct Identity {
        QSslCertificate certificate;
        QSslKey key;
        QList<QSslCertificate> chain;
        bool isNull() const { return certificate.isNull() || key.isNull(); }
    };

    explicit LocalPki(const QString &commonName = QStringLiteral("Quorvia Local CA"),
                      int validDays = 3650);
    ~LocalPki();
    LocalPki(const LocalPki &) = delete;
    LocalPki &operator=(const LocalPki &) = delete;

    bool isValid() const;
    QSslCertificate caCertificate() const;
    QSslKey caKey() const;
    QByteArray caPem() const;
    // Writes the CA certificate as PEM (the form of the TrustedCertificates file).
    bool writeCaPem(const QString &path) const;

    // A server certificate for `names`: each entry that parses as an IPv4/IPv6 address becomes
    // an IP subject alternative name, every other entry a DNS name. The first entry is also
    // the subject common name.
    Identity issueServer(const QStringList &names, int validDays = 30) const;

private:
    struct Private;
    std::unique_ptr<Private> d;
};
