#pragma once
#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <unordered_map>

namespace gatewayd {

// Failed logons and joins with unknown keys, counted per address and per account: each answer
// to a party that failed recently waits, doubling with every failure up to a ceiling, so that
// guessing passwords or keys costs time. A party is forgotten after a quiet spell; the table is
// bounded and sheds its oldest entries when full.
//
// Delaying the refusal alone would not slow a guesser down: one that sends many attempts at
// once, or takes a missing quick acceptance for a refusal, learns at full speed. So a party that
// failed recently also has its attempts examined one delay apart (reserve()).
class FailureThrottle {
public:
    using Clock = std::chrono::steady_clock;
    FailureThrottle(std::chrono::milliseconds first, std::chrono::milliseconds ceiling,
                    size_t maxEntries = 100000);

    std::chrono::milliseconds delayFor(const std::string &party, Clock::time_point now) const;
    void failed(const std::string &party, Clock::time_point now);
    // How long this attempt of `party` waits before it is examined; the next one waits a
    // delay longer. Zero for a party without recent failures; nullopt, and no place taken,
    // when the wait would exceed `limit`.
    std::optional<std::chrono::milliseconds>
    reserve(const std::string &party, Clock::time_point now, std::chrono::milliseconds limit);
    void succeeded(const std::string &party) { m_entries.erase(party); }

private:
    struct Entry {
        int failures = 0;
        Clock::time_point last;
        Clock::time_point nextSlot; // when the next attempt may be examined
    };
    void prune(Clock::time_point now);

    std::chrono::milliseconds m_first, m_ceiling;
    size_t m_maxEntries;
    std::unordered_map<std::string, Entry> m_entries;
};

} // namespace gatewayd
