#include "ServiceSite.h"
#include "Log.h"
#include <filesystem>

namespace gatewayd {
ServiceSite::ServiceSite(const Config &config) : m_config(config) {}

std::string_view ServiceSite::siteFile(std::string_view path) {
    if (path == "/updateversion.txt")
        return "updateversion.txt";
    if (path == "/upgrade/QvAccessSetup.zip")
        return "upgrade/QvAccessSetup.zip";
    return {};
}

bool ServiceSite::serve(const ConsoleRequest &request, ReplyFn &reply) {
    const std::string_view file = siteFile(request.path);
    if (file.empty())
        return false;
    std::error_code ec;
    const auto path = std::filesystem::path(m_config.siteDir) / file;
    if (request.method != "GET" || m_config.siteDir.empty() ||
        !std::filesystem::is_regular_file(path, ec)) {
        reply({404, "Not found"});
        return true;
    }
    ConsoleReply answer;
    answer.file = path.string();
    answer.contentType =
        file.ends_with(".txt") ? "text/plain; charset=utf-8" : "application/octet-stream";
    reply(std::move(answer));
    return true;
}

} // namespace gatewayd
