// Bounded inflate of one zlib stream: every body the gateway sends goes through it first.
#include "common/Zlib.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 2)
        return 0;
    // The first byte picks the bound, so that small and exact bounds are both exercised.
    const qsizetype bound = qsizetype(data[0]) * 257;
    const QByteArrayView input(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    Zlib::InflateError error = Zlib::InflateError::None;
    const auto out = Zlib::inflateBounded(input, bound, &error);
    if (out && (out->size() > bound || error != Zlib::InflateError::None))
        __builtin_trap();
    if (!out && error == Zlib::InflateError::None)
        __builtin_trap();
    return 0;
}
