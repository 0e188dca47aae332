#pragma once
#include <optional>
#include <string>
#include <string_view>

// Session keys: what the operator reads out or mails to the remote user, so only upper-case
// letters and digits without the look-alikes (0/O, 1/I); the console accepts them as they are.
namespace gatewayd {

inline constexpr int kKeySymbols = 14; // 13 of 32 symbols and a closing letter: 69 bits

// A new key from libsodium's random source (sodium_init() must have run).
std::string newSessionKey();

// The host joins with the key followed by the gateway number in decimal; the key ends with a
// letter, so the digits at the end are the number.
struct JoinKey {
    std::string key;
    int gateway = 0;
};
std::optional<JoinKey> splitJoinKey(std::string_view joinKey);

// Equality whose time does not depend on where the texts differ.
bool sameSecret(std::string_view a, std::string_view b);

} // namespace gatewayd
