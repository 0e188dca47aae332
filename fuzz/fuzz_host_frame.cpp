// The host channel's frames come from the internet: any bytes must be refused or taken apart
// within the bounds, and a frame taken apart must encode back to the very same bytes.
#include "HostFrame.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const gatewayd::FrameLimits limits{4096, 2048};
    std::string error;
    const auto frame = gatewayd::parseFrame(bytes, limits, &error);
    if (!frame)
        return error.empty() ? (abort(), 0) : 0;
    const std::vector<std::string_view> fields(frame->fields.begin(), frame->fields.end());
    if (gatewayd::encodeFrame(frame->type, fields) != bytes)
        abort();
    return 0;
}
