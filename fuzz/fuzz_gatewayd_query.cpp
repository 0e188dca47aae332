// Queries of the console's requests come from the internet: any bytes must be read without a
// crash, and a value the gateway encodes must read back as it was.
#include "QueryText.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    std::string value;
    gatewayd::queryParam(bytes, "key", value);
    if (value.size() > bytes.size())
        abort();
    gatewayd::percentDecode(bytes);
    const std::string query = "a=1&Key=" + gatewayd::encodeQueryValue(bytes) + "&key=2";
    if (gatewayd::queryParam(query, "KEY") != bytes)
        abort();
    return 0;
}
