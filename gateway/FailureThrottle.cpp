#include "FailureThrottle.h"

#include <algorithm>
#include <vector>

namespace gatewayd {
namespace {
constexpr auto kForgetAfter = std::chrono::minutes(15);
}

FailureThrottle::FailureThrottle(std::chrono::milliseconds first, std::chrono::milliseconds ceiling,
                                 size_t maxEntries)
    : m_first(first), m_ceiling(std::max(first, ceiling)), m_maxEntries(maxEntries) {}

std::chrono::milliseconds FailureThrottle::delayFor(const std::string &party,
                                                    Clock::time_point now) const {
    const auto it = m_entries.find(party);
    if (it == m_entries.end() || it->second.failures == 0 || now - it->second.last > kForgetAfter)
        return std::chrono::milliseconds(0);
    auto delay = m_first;
    for (int i = 1; i < it->second.failures && delay < m_ceiling; ++i)
        delay *= 2;
    return std::min(delay, m_ceiling);
}

void FailureThrottle::failed(const std::string &party, Clock::time_point now) {
    if (m_entries.size() >= m_maxEntries && !m_entries.count(party))
        prune(now);
    Entry &e = m_entries[party];
    if (now - e.last > kForgetAfter)
        e.failures = 0;
    e.failures = std::min(e.failures + 1, 64);
    e.last = now;
}

std::optional<std::chrono::milliseconds> FailureThrottle::reserve(const std::string &party,
                                                                  Clock::time_point now,
                                                                  std::chrono::milliseconds limit) {
    const auto delay = delayFor(party, now);
    if (delay.count() == 0)
        return delay;
    Entry &e = m_entries[party];
    const auto start = std::max(now, e.nextSlot);
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(start - now);
    if (wait > limit)
        return std::nullopt;
    e.nextSlot = start + delay;
    return wait;
}

void FailureThrottle::prune(Clock::time_point now) {
    std::erase_if(m_entries, [now](const auto &e) { return now - e.second.last > kForgetAfter; });
    if (m_entries.size() < m_maxEntries)
        return;
    // Still full of recent failures (a wide attack): the oldest half goes.
    std::vector<Clock::time_point> times;
    times.reserve(m_entries.size());
    for (const auto &e : m_entries)
        times.push_back(e.second.last);
    auto middle = times.begin() + times.size() / 2;
    std::nth_element(times.begin(), middle, times.end());
    const auto cut = *middle;
    std::erase_if(m_entries, [cut](const auto &e) { return e.second.last <= cut; });
}

} // namespace gatewayd
