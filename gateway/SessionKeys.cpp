#include "SessionKeys.h"

#include <sodium.h>

namespace gatewayd {

std::string newSessionKey() {
    static const char alphabet[] = "ABCDEFGHJKLMNPQRSTUVWXYZ23456789";
    static const char letters[] = "ABCDEFGHJKLMNPQRSTUVWXYZ";
    std::string key;
    for (int i = 0; i < kKeySymbols - 1; ++i)
        key += alphabet[randombytes_uniform(sizeof alphabet - 1)];
    key += letters[randombytes_uniform(sizeof letters - 1)];
    return key;
}

std::optional<JoinKey> splitJoinKey(std::string_view joinKey) {
    size_t digits = 0;
    while (digits < joinKey.size() && joinKey[joinKey.size() - 1 - digits] >= '0' &&
           joinKey[joinKey.size() - 1 - digits] <= '9')
        ++digits;
    if (digits == 0 || digits > 3 || digits == joinKey.size() || joinKey.size() > 64)
        return std::nullopt;
    JoinKey out;
    out.key = std::string(joinKey.substr(0, joinKey.size() - digits));
    for (char c : joinKey.substr(joinKey.size() - digits))
        out.gateway = out.gateway * 10 + (c - '0');
    return out;
}

bool sameSecret(std::string_view a, std::string_view b) {
    // The lengths of keys are public; only the contents must not leak through timing.
    return a.size() == b.size() && sodium_memcmp(a.data(), b.data(), a.size()) == 0;
}

} // namespace gatewayd
