#pragma once
#include "AccountStore.h"

#include <chrono>
#include <string>
#include <vector>

namespace gatewayd {

// The service's gateways as the shared database last showed them: each process writes the
// load of the gateways it serves at every heartbeat and reads everybody's. A logon at a full
// gateway, or at one busier than the least loaded live gateway by the configured margin, is
// sent there ("GW:n"); with nowhere to send it, a full gateway answers "Err:8".
class GatewayDirectory {
public:
    GatewayDirectory(std::string instance, std::chrono::milliseconds heartbeat, int margin);

    const std::string &instance() const { return m_instance; }
    void update(std::vector<GatewayLoad> loads) { m_loads = std::move(loads); }

    struct Placement {
        bool here = true;
        int gateway = 0; // when not here: the gateway to send the logon to; 0: none
    };
    Placement place(int sessions, int capacity) const;

private:
    std::string m_instance;
    std::chrono::milliseconds m_heartbeat;
    int m_margin;
    std::vector<GatewayLoad> m_loads;
};

// A random name for this process among the gateways' load rows.
std::string newInstanceName();

} // namespace gatewayd
