#include "gateway/Url_Utils.h"

#include <cstddef>
#include <cstdint>

// The first byte picks the length of the wanted name; the rest is the reply text.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size == 0)
        return 0;
    const size_t nameLen = data[0] % 8;
    if (size - 1 < nameLen)
        return 0;
    const QByteArray name(reinterpret_cast<const char *>(data + 1), qsizetype(nameLen));
    const QByteArray text(reinterpret_cast<const char *>(data + 1 + nameLen),
                          qsizetype(size - 1 - nameLen));
    QByteArray out;
    const bool found = GetUrlParam(text, name, out);
    if (!found && !out.isEmpty())
        __builtin_trap();
    if (out.size() > text.size())
        __builtin_trap();
    return 0;
}
