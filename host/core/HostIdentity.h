#pragma once
#include "HostChannelClient.h"

namespace qhost {

// What the console learns of this computer at "HostLogon": its address, its name, "LNX" where
// a Windows host names its family (the console treats every family but "W32" alike), and the
// keyboard layout in the console's form.
gatewayd::HostChannelClient::Identity LocalIdentity();

} // namespace qhost
