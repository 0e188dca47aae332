#include "ToolFeatures.h"

#include "ChatFeature.h"
#include "ChatView.h"
#include "ClipboardFeature.h"
#include "FilesFeature.h"
#include "SystemInfoFeature.h"
#include "SystemdServices.h"

#include <QGuiApplication>

namespace qhost {

std::vector<std::unique_ptr<HostFeature>> CreateToolFeatures(ConsoleLink &link,
                                                             const ToolOptions &options) {
    std::vector<std::unique_ptr<HostFeature>> features;
    QClipboard *clipboard = options.clipboard ? options.clipboard : QGuiApplication::clipboard();
    features.push_back(std::make_unique<ClipboardFeature>(link, clipboard));
    features.push_back(std::make_unique<ChatFeature>(link, options.chatView));
    features.push_back(std::make_unique<FilesFeature>(link, options.drives));
    std::shared_ptr<ServiceControl> services = options.services;
    if (!services)
        services = std::make_shared<SystemdServices>();
    features.push_back(std::make_unique<SystemInfoFeature>(link, services, options.tasks));
    return features;
}

} // namespace qhost
