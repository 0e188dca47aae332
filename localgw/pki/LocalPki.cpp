#include "LocalPki.h"

#include <QFile>
#include <QHostAddress>
#include <QSaveFile>

#include <openssl/bio.h>
#include <openssl/bn.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/rand.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

namespace {

struct PkeyDeleter {
    void operator()(EVP_PKEY *k) const { EVP_PKEY_free(k); }
};
struct X509Deleter {
    void operator()(X509 *x) const { X509_free(x); }
};
struct BioDeleter {
    void operator()(BIO *b) const { BIO_free(b); }
};
using PkeyPtr = std::unique_ptr<EVP_PKEY, PkeyDeleter>;
using X509Ptr = std::unique_ptr<X509, X509Deleter>;
using BioPtr = std::unique_ptr<BIO, BioDeleter>;

PkeyPtr newKey() {
    return PkeyPtr(EVP_EC_gen("P-256"));
}

QByteArray bioBytes(BIO *bio) {
    char *data = nullptr;
    const long len = BIO_get_mem_data(bio, &data);
    return len > 0 ? QByteArray(data, len) : QByteArray();
}

QByteArray certPem(X509 *cert) {
    BioPtr bio(BIO_new(BIO_s_mem()));
    if (!bio || PEM_write_bio_X509(bio.get(), cert) != 1)
        return {};
    return bioBytes(bio.get());
}

QByteArray keyPem(EVP_PKEY *key) {
    BioPtr bio(BIO_new(BIO_s_mem()));
    if (!bio ||
        PEM_write_bio_PrivateKey(bio.get(), key, nullptr, nullptr, 0, nullptr, nullptr) != 1)
        return {};
    return bioBytes(bio.get());
}

QSslKey toQtKey(EVP_PKEY *key) {
    return QSslKey(keyPem(key), QSsl::Ec, QSsl::Pem);
}

QSslCertificate toQtCert(X509 *cert) {
    return QSslCertificate(certPem(cert), QSsl::Pem);
}

bool addExtension(X509 *cert, X509 *issuer, int nid, const char *value) {
    X509V3_CTX ctx;
    X509V3_set_ctx_nodb(&ctx);
    X509V3_set_ctx(&ctx, issuer, cert, nullptr, nullptr, 0);
    X509_EXTENSION *ext = X509V3_EXT_conf_nid(nullptr, &ctx, nid, value);
    if (!ext)
        return false;
    const bool ok = X509_add_ext(cert, ext, -1) == 1;
    X509_EXTENSION_free(ext);
    return ok;
}

// A fresh certificate for `key` with a random serial and the validity window; subject and
// issuer names are set by the caller.
X509Ptr newCertificate(EVP_PKEY *key, const QString &commonName, int validDays) {
    X509Ptr cert(X509_new());
    if (!cert || X509_set_version(cert.get(), 2) != 1)
        return {};
    unsigned char serial[16];
    if (RAND_bytes(serial, sizeof serial) != 1)
        return {};
    serial[0] &= 0x7f; // positive
    BIGNUM *bn = BN_bin2bn(serial, sizeof serial, nullptr);
    const bool serialOk = bn && BN_to_ASN1_INTEGER(bn, X509_get_serialNumber(cert.get()));
    BN_free(bn);
    if (!serialOk)
        return {};
    X509_gmtime_adj(X509_getm_notBefore(cert.get()), -3600);
    X509_gmtime_adj(X509_getm_notAfter(cert.get()), long(validDays) * 24 * 3600);
    if (X509_set_pubkey(cert.get(), key) != 1)
        return {};
    X509_NAME *name = X509_get_subject_name(cert.get());
    const QByteArray cn = commonName.toUtf8().left(64);
    X509_NAME_add_entry_by_txt(name, "O", MBSTRING_UTF8,
                               reinterpret_cast<const unsigned char *>("Quorvia Test"), -1, -1, 0);
    if (X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_UTF8,
                                   reinterpret_cast<const unsigned char *>(cn.constData()),
                                   int(cn.size()), -1, 0) != 1)
        return {};
    return cert;
}

} // namespace

struct LocalPki::Private {
    PkeyPtr key;
    X509Ptr cert;
};

LocalPki::LocalPki(const QString &commonName, int validDays) : d(std::make_unique<Private>()) {
    PkeyPtr key = newKey();
    if (!key)
        return;
    X509Ptr cert = newCertificate(key.get(), commonName, validDays);
    if (!cert || X509_set_issuer_name(cert.get(), X509_get_subject_name(cert.get())) != 1)
        return;
    if (!addExtension(cert.get(), cert.get(), NID_basic_constraints, "critical,CA:TRUE") ||
        !addExtension(cert.get(), cert.get(), NID_key_usage, "critical,keyCertSign,cRLSign") ||
        !addExtension(cert.get(), cert.get(), NID_subject_key_identifier, "hash") ||
        !addExtension(cert.get(), cert.get(), NID_authority_key_identifier, "keyid:always"))
        return;
    if (X509_sign(cert.get(), key.get(), EVP_sha256()) <= 0)
        return;
    d->key = std::move(key);
    d->cert = std::move(cert);
}

LocalPki::~LocalPki() = default;

bool LocalPki::isValid() const {
    return d->key && d->cert;
}

QSslCertificate LocalPki::caCertificate() const {
    return isValid() ? toQtCert(d->cert.get()) : QSslCertificate();
}

QSslKey LocalPki::caKey() const {
    return isValid() ? toQtKey(d->key.get()) : QSslKey();
}

QByteArray LocalPki::caPem() const {
    return isValid() ? certPem(d->cert.get()) : QByteArray();
}

bool LocalPki::writeCaPem(const QString &path) const {
    const QByteArray pem = caPem();
    if (pem.isEmpty())
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(pem);
    return file.commit();
}

LocalPki::Identity LocalPki::issueServer(const QStringList &names, int validDays) const {
    if (!isValid() || names.isEmpty())
        return Identity();
    PkeyPtr key = newKey();
    if (!key)
        return Identity();
    X509Ptr cert = newCertificate(key.get(), names.first(), validDays);
    if (!cert || X509_set_issuer_name(cert.get(), X509_get_subject_name(d->cert.get())) != 1)
        return Identity();

    QStringList alt;
    for (const QString &n : names) {
        QHostAddress address;
        alt << (address.setAddress(n) ? QStringLiteral("IP:") : QStringLiteral("DNS:")) + n;
    }
    const QByteArray san = alt.join(QLatin1Char(',')).toUtf8();
    if (!addExtension(cert.get(), d->cert.get(), NID_basic_constraints, "critical,CA:FALSE") ||
        !addExtension(cert.get(), d->cert.get(), NID_key_usage,
                      "critical,digitalSignature,keyAgreement") ||
        !addExtension(cert.get(), d->cert.get(), NID_ext_key_usage, "serverAuth") ||
        !addExtension(cert.get(), d->cert.get(), NID_subject_key_identifier, "hash") ||
        !addExtension(cert.get(), d->cert.get(), NID_authority_key_identifier, "keyid:always") ||
        !addExtension(cert.get(), d->cert.get(), NID_subject_alt_name, san.constData()))
        return Identity();
    if (X509_sign(cert.get(), d->key.get(), EVP_sha256()) <= 0)
        return Identity();

    Identity id;
    id.certificate = toQtCert(cert.get());
    id.key = toQtKey(key.get());
    id.chain = {id.certificate, caCertificate()};
    return id;
}
