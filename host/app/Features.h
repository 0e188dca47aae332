#pragma once
#include "core/HostFeature.h"

#include <QObject>
#include <memory>
#include <vector>

namespace qhost {

// Every feature of the host program, in the order the session asks them. The one place a
// feature is registered.
std::vector<std::unique_ptr<HostFeature>> CreateFeatures(ConsoleLink &link);

} // namespace qhost
