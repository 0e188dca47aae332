#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One message of the host channel (docs/host-channel.md): a WebSocket binary message made of
// the version byte, the type byte and the type's fields, each a 32-bit big-endian length and
// that many bytes. Each type has a fixed number of fields and a bound on each.
namespace gatewayd {

inline constexpr uint8_t kHostChannelVersion = 1;

enum class FrameType : uint8_t {
    // host -> gateway
    Hello = 0x01,   // join key, IP, host name, Windows family, keyboard layout
    Message = 0x02, // text for the console's poll
    Deposit = 0x03, // kind ("picture", "update", "list", "clipboard"), zlib body
    File = 0x04,    // name, body: served as Files/KEY/NAME
    Bye = 0x05,     // the host leaves ("HostLogoff"); no fields
    Accept = 0x06,  // the remote user agreed to share; no fields. Before it, only Bye.
    // gateway -> host
    Welcome = 0x81,   // gateway number, operator's name; the key was accepted
    Command = 0x82,   // text of request "01", in the console's order
    Control = 0x83,   // code, parameters
    Clipboard = 0x84, // format word, zlib body (request "11" POST)
    Upload = 0x85,    // folder, name, body (request "13")
    End = 0x86,       // reason; the gateway closes the channel after it
};

struct HostFrame {
    FrameType type{};
    std::vector<std::string> fields;
};

struct FrameLimits {
    size_t maxFrameBytes = size_t(65) << 20;
    size_t maxBodyBytes = size_t(64) << 20;
};

inline constexpr size_t kMaxTextField = 64 * 1024; // message and command texts
inline constexpr size_t kMaxShortField = 1024;     // key, identity, kinds, names, codes

std::string encodeFrame(FrameType type, const std::vector<std::string_view> &fields);
// The frame in `bytes`, checked against the layout of its type and every bound; nullopt with
// the reason in `error` otherwise.
std::optional<HostFrame> parseFrame(std::string_view bytes, const FrameLimits &limits,
                                    std::string *error);

} // namespace gatewayd
