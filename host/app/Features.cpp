#include "Features.h"
#include "ChatWindow.h"
#include "ToolFeatures.h"

namespace qhost {

std::vector<std::unique_ptr<HostFeature>> CreateFeatures(ConsoleLink &link) {
    ToolOptions tools;
    tools.chatView = [] { return MakeChatWindow(); };
    std::vector<std::unique_ptr<HostFeature>> features = CreateToolFeatures(link, tools);
    // Further features go here, one line each.
    return features;
}

} // namespace qhost
