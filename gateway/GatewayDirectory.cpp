#include "GatewayDirectory.h"

#include <sodium.h>

namespace gatewayd {

GatewayDirectory::GatewayDirectory(std::string instance, std::chrono::milliseconds heartbeat,
                                   int margin)
    : m_instance(std::move(instance)), m_heartbeat(heartbeat), m_margin(margin) {}

GatewayDirectory::Placement GatewayDirectory::place(int sessions, int capacity) const {
    const GatewayLoad *best = nullptr;
    // Fuller by share of capacity, so that a small gateway is not filled as fast as a big one.
    const auto fuller = [](const GatewayLoad &a, const GatewayLoad &b) {
        return int64_t(a.sessions) * b.capacity > int64_t(b.sessions) * a.capacity;
    };
    for (const GatewayLoad &g : m_loads) {
        // Three missed heartbeats: that process is gone or cannot reach the database.
        const bool live = g.ageMs >= 0 && g.ageMs < 3 * m_heartbeat.count();
        if (g.instance == m_instance || !live || g.sessions >= g.capacity)
            continue;
        if (!best || fuller(*best, g))
            best = &g;
    }
    if (sessions >= capacity)
        return {false, best ? best->gateway : 0};
    if (m_margin > 0 && best && sessions - best->sessions >= m_margin)
        return {false, best->gateway};
    return {};
}

std::string newInstanceName() {
    unsigned char bytes[8];
    randombytes_buf(bytes, sizeof bytes);
    static const char hex[] = "0123456789abcdef";
    std::string name;
    for (unsigned char b : bytes) {
        name += hex[b >> 4];
        name += hex[b & 15];
    }
    return name;
}

} // namespace gatewayd
