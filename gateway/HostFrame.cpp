#include "HostFrame.h"

namespace gatewayd {
namespace {
enum Bound : size_t { Short = kMaxShortField, Text = kMaxTextField, Body = 0 };

// The fields of each type and the bound of each; Body fields take FrameLimits::maxBodyBytes.
const std::vector<size_t> *layout(FrameType type) {
    static const std::vector<size_t> hello{Short, Short, Short, Short, Short};
    static const std::vector<size_t> message{Text};
    static const std::vector<size_t> deposit{Short, Body};
    static const std::vector<size_t> file{Short, Body};
    static const std::vector<size_t> none{};
    static const std::vector<size_t> welcome{Short, Short};
    static const std::vector<size_t> control{Short, Text};
    static const std::vector<size_t> upload{Text, Short, Body};
    switch (type) {
    case FrameType::Hello:
        return &hello;
    case FrameType::Message:
    case FrameType::Command:
    case FrameType::End:
        return &message;
    case FrameType::Deposit:
    case FrameType::Clipboard:
        return &deposit;
    case FrameType::File:
        return &file;
    case FrameType::Bye:
    case FrameType::Accept:
        return &none;
    case FrameType::Welcome:
        return &welcome;
    case FrameType::Control:
        return &control;
    case FrameType::Upload:
        return &upload;
    }
    return nullptr;
}
} // namespace

std::string encodeFrame(FrameType type, const std::vector<std::string_view> &fields) {
    std::string out;
    size_t size = 2;
    for (auto f : fields)
        size += 4 + f.size();
    out.reserve(size);
    out += char(kHostChannelVersion);
    out += char(type);
    for (auto f : fields) {
        const auto n = uint32_t(f.size());
        out += char(n >> 24);
        out += char(n >> 16);
        out += char(n >> 8);
        out += char(n);
        out.append(f);
    }
    return out;
}

std::optional<HostFrame> parseFrame(std::string_view bytes, const FrameLimits &limits,
                                    std::string *error) {
    const auto fail = [error](const char *why) {
        *error = why;
        return std::nullopt;
    };
    if (bytes.size() > limits.maxFrameBytes)
        return fail("frame too large");
    if (bytes.size() < 2)
        return fail("frame too short");
    if (uint8_t(bytes[0]) != kHostChannelVersion)
        return fail("unsupported version");
    HostFrame frame;
    frame.type = FrameType(uint8_t(bytes[1]));
    const std::vector<size_t> *fields = layout(frame.type);
    if (!fields)
        return fail("unknown type");
    size_t pos = 2;
    for (size_t bound : *fields) {
        if (bytes.size() - pos < 4)
            return fail("field length cut short");
        const auto b = [&](size_t i) { return uint32_t(uint8_t(bytes[pos + i])); };
        const size_t n = (b(0) << 24) | (b(1) << 16) | (b(2) << 8) | b(3);
        pos += 4;
        if (n > (bound == Body ? limits.maxBodyBytes : bound))
            return fail("field too long");
        if (bytes.size() - pos < n)
            return fail("field cut short");
        frame.fields.emplace_back(bytes.substr(pos, n));
        pos += n;
    }
    if (pos != bytes.size())
        return fail("bytes after the last field");
    return frame;
}

} // namespace gatewayd
