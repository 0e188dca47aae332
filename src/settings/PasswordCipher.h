#pragma once
#include <QByteArray>
#include <QString>

#include <optional>

// The cipher of the two stored passwords: AES-256 in ECB mode over whole 16-byte blocks, the
// last block always present and carrying the count of its used bytes in its final byte, the
// result in standard Base64 on one line.
//
// The key comes from the computer name and is never written anywhere:
//   key = SHA-256("Quorvia settings password key v1" || 0x00 || UTF-8 bytes of ComputerName)
// The prefix keeps this key apart from any other use of a hash of the computer name. The
// computer name is no secret: the cipher keeps a password out of plain sight in the file and
// ties the file to the computer, nothing more.
class PasswordCipher {
public:
    // Longer inputs are refused: a password is short, and the file is outside input.
    static constexpr qsizetype MaxPlainBytes = 2048;
    static constexpr qsizetype MaxCipherTextChars = 4096;

    explicit PasswordCipher(const QString &computerName);

    static QByteArray DeriveKey(const QString &computerName);

    // Empty result only when the plain text is longer than MaxPlainBytes.
    std::optional<QByteArray> EncipherSetting(const QByteArray &plain) const;
    // No result for text that is too long, not Base64, shorter than one block, or whose last
    // block counts more than 15 bytes. Bytes after the last whole block are ignored.
    std::optional<QByteArray> DecipherSetting(const QByteArray &cipherText) const;

private:
    QByteArray m_key;
};

// The process-wide cipher, keyed by ComputerName() on first use.
const PasswordCipher &passwordCipher();
