#pragma once
#include <chrono>
#include <cstddef>
#include <string>
#include <unordered_map>

namespace gatewayd {

// Failed logons and joins with unknown keys, counted per address and per account: each answer
// to a party that failed recently waits, doubling with every failure up to a ceiling, so that
// guessing passwords or keys costs time. A party is forgotten after a quiet spell; the table is
// bounded and sheds its oldest entries when full.
class FailureThrottle {
public:
    using Clock = std::chrono::steady_clock;
    FailureThrottle(std::chrono::milliseconds first, std::chrono::milliseconds ceiling,
                    size_t maxEntries = 100000);

    std::chrono::milliseconds delayFor(const std::string &party, Clock::time_point now) const;
    void failed(const std::string &party, Clock::time_point now);
    void succeeded(const std::string &party) { m_entries.erase(party); }

private:
    struct Entry {
        int failures = 0;
        Clock::time_point last;
    };
    void prune(Clock::time_point now);

    std::chrono::milliseconds m_first, m_ceiling;
    size_t m_maxEntries;
    std::unordered_map<std::string, Entry> m_entries;
};

} // namespace gatewayd
