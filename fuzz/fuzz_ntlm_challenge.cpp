// NTLM challenge messages come from the proxy: parse them and answer them.
#include "gateway/NtlmAuth.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray message(reinterpret_cast<const char *>(data), qsizetype(size));
    NtlmAuth::Challenge challenge;
    if (!NtlmAuth::parseChallenge(message, challenge))
        return 0;
    if (challenge.targetName.size() > message.size() ||
        challenge.targetInfo.size() > message.size())
        abort();
    const QByteArray answer = NtlmAuth::authenticateMessage(
        challenge, QStringLiteral("DOM\\user"), QStringLiteral("pw"), QByteArray(8, 'c'), 1);
    if (!answer.startsWith(QByteArray("NTLMSSP\0", 8)))
        abort();
    return 0;
}
