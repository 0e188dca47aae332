// Host names, user codes and error reports reach PostgreSQL as any bytes: what goes there must
// be text it takes (valid UTF-8 without NUL), which passes a second time unchanged.
#include "DatabaseText.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const std::string in(reinterpret_cast<const char *>(data), size);
    const std::string out = gatewayd::databaseText(in);
    if (out.find('\0') != std::string::npos || gatewayd::databaseText(out) != out ||
        out.size() > 2 * in.size())
        abort();
    return 0;
}
