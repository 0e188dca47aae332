#include "ServiceSite.h"
#include "Log.h"
#include "QueryText.h"

#include <boost/asio/post.hpp>

#include <ctime>
#include <filesystem>

namespace gatewayd {
namespace {
constexpr int kMaxReportsWriting = 8;
} // namespace

ServiceSite::ServiceSite(const Config &config, AccountStore &store, boost::asio::thread_pool &pool)
    : m_config(config), m_store(store), m_pool(pool) {}

std::string_view ServiceSite::siteFile(std::string_view path) {
    if (path == "/updateversion.txt")
        return "updateversion.txt";
    if (path == "/upgrade/QvAccessSetup.zip")
        return "upgrade/QvAccessSetup.zip";
    return {};
}

bool ServiceSite::serve(const ConsoleRequest &request, ReplyFn &reply) {
    if (request.path == kReportPath) {
        storeReport(request);
        // The console ignores the answer; a report that was not kept is the service's concern.
        reply({200, "OK"});
        return true;
    }
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

void ServiceSite::storeReport(const ConsoleRequest &request) {
    std::string text;
    if (m_config.maxErrorReports == 0 || !queryParam(request.query, "report", text))
        return;
    if (++*m_writing > kMaxReportsWriting) {
        --*m_writing;
        logLine("error report from " + request.peer + " dropped: too many at once");
        return;
    }
    ErrorReport report{int64_t(std::time(nullptr)), request.peer, std::move(text)};
    boost::asio::post(m_pool, [this, report = std::move(report), writing = m_writing] {
        std::string error;
        if (m_store.recordErrorReport(report, m_config.maxErrorReports, &error))
            logLine("error report from " + report.fromAddress + " kept (" +
                    std::to_string(report.text.size()) + " bytes)");
        else
            logLine("error report from " + report.fromAddress + " not kept: " + error);
        --*writing;
    });
}

} // namespace gatewayd
