#include "Features.h"

namespace qhost {

std::vector<std::unique_ptr<HostFeature>> CreateFeatures(ConsoleLink &link) {
    std::vector<std::unique_ptr<HostFeature>> features;
    // One line per feature, e.g.
    // features.push_back(std::make_unique<ClipboardFeature>(link));
    Q_UNUSED(link);
    return features;
}

} // namespace qhost
