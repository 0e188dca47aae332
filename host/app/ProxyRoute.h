#pragma once
#include "HostChannelClient.h"

#include <QString>

namespace qhost {

// Sends the channel through the proxy the desktop is set to for `gatewayHost`, found as the
// console finds its own (browser settings, then the system's, scripts and WPAD included).
void RouteThroughDesktopProxy(gatewayd::HostChannelClient::Endpoint &endpoint,
                              const QString &gatewayHost);

} // namespace qhost
