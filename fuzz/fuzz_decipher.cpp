// The stored passwords are outside input: any text must decipher or be refused cleanly, and
// whatever deciphers must survive enciphering again.
#include "settings/PasswordCipher.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static const PasswordCipher cipher(QStringLiteral("FUZZPC"));
    const QByteArray text =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const std::optional<QByteArray> plain = cipher.DecipherSetting(text);
    if (plain && plain->size() <= PasswordCipher::MaxPlainBytes) {
        const std::optional<QByteArray> again = cipher.EncipherSetting(*plain);
        if (!again || cipher.DecipherSetting(*again) != plain)
            abort();
    }
    return 0;
}
