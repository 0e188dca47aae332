#include "settings/PasswordCipher.h"
#include "platform/ComputerName.h"

#include <QCryptographicHash>

#include <openssl/evp.h>

#include <memory>

namespace {

constexpr int BlockSize = 16;

// Runs whole blocks through AES-256-ECB; the block layout is ours, so OpenSSL pads nothing.
std::optional<QByteArray> runEcb(const QByteArray &key, const QByteArray &input, bool encrypt) {
    std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)> ctx(EVP_CIPHER_CTX_new(),
                                                                        &EVP_CIPHER_CTX_free);
    if (!ctx)
        return std::nullopt;
    const auto *keyBytes = reinterpret_cast<const unsigned char *>(key.constData());
    if (EVP_CipherInit_ex(ctx.get(), EVP_aes_256_ecb(), nullptr, keyBytes, nullptr,
                          encrypt ? 1 : 0) != 1 ||
        EVP_CIPHER_CTX_set_padding(ctx.get(), 0) != 1)
        return std::nullopt;

    QByteArray output(input.size() + BlockSize, Qt::Uninitialized);
    auto *out = reinterpret_cast<unsigned char *>(output.data());
    int written = 0;
    int finalWritten = 0;
    if (EVP_CipherUpdate(ctx.get(), out, &written,
                         reinterpret_cast<const unsigned char *>(input.constData()),
                         int(input.size())) != 1 ||
        EVP_CipherFinal_ex(ctx.get(), out + written, &finalWritten) != 1)
        return std::nullopt;
    output.truncate(written + finalWritten);
    return output;
}

} // namespace

PasswordCipher::PasswordCipher(const QString &computerName) : m_key(DeriveKey(computerName)) {}

QByteArray PasswordCipher::DeriveKey(const QString &computerName) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(QByteArrayView("Quorvia settings password key v1"));
    hash.addData(QByteArrayView("\0", 1));
    hash.addData(computerName.toUtf8());
    return hash.result();
}

std::optional<QByteArray> PasswordCipher::EncipherSetting(const QByteArray &plain) const {
    if (plain.size() > MaxPlainBytes)
        return std::nullopt;
    const qsizetype full = plain.size() / BlockSize * BlockSize;
    const qsizetype rest = plain.size() - full;
    QByteArray blocks = plain.first(full);
    QByteArray last(BlockSize, '\0');
    std::copy(plain.constBegin() + full, plain.constEnd(), last.begin());
    last[BlockSize - 1] = char(rest);
    blocks.append(last);
    const std::optional<QByteArray> cipher = runEcb(m_key, blocks, true);
    if (!cipher)
        return std::nullopt;
    return cipher->toBase64();
}

std::optional<QByteArray> PasswordCipher::DecipherSetting(const QByteArray &cipherText) const {
    if (cipherText.size() > MaxCipherTextChars)
        return std::nullopt;
    const QByteArray::FromBase64Result decoded =
        QByteArray::fromBase64Encoding(cipherText, QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        return std::nullopt;
    const qsizetype whole = decoded.decoded.size() / BlockSize * BlockSize;
    if (whole == 0)
        return std::nullopt;
    std::optional<QByteArray> plain = runEcb(m_key, decoded.decoded.first(whole), false);
    if (!plain || plain->size() != whole)
        return std::nullopt;
    const int count = static_cast<unsigned char>(plain->at(whole - 1));
    if (count >= BlockSize)
        return std::nullopt;
    plain->truncate(whole - BlockSize + count);
    return plain;
}

const PasswordCipher &passwordCipher() {
    static const PasswordCipher cipher(ComputerName());
    return cipher;
}
