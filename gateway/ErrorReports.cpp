#include "ErrorReports.h"
#include "Log.h"
#include "QueryText.h"

#include <boost/asio/post.hpp>

#include <ctime>

namespace gatewayd {
namespace {
constexpr int kMaxPendingWrites = 64;
}

ErrorReports::ErrorReports(AccountStore &store, DbExecutor db, const Config &config)
    : m_store(store), m_db(std::move(db)), m_config(config) {}

bool ErrorReports::receive(const std::string &query, const std::string &peer) {
    std::string text;
    if (!queryParam(query, "report", text) || text.empty())
        return false;
    store(std::move(text), peer);
    return true;
}

void ErrorReports::store(std::string text, std::string peer) {
    if (*m_pending >= kMaxPendingWrites) {
        logLine("error report from " + peer + " dropped: the database is behind");
        return;
    }
    ++*m_pending;
    if (text.size() > size_t(m_config.maxErrorReportBytes))
        text.resize(size_t(m_config.maxErrorReportBytes));
    ErrorReport report{int64_t(std::time(nullptr)), std::move(peer), std::move(text)};
    boost::asio::post(m_db, [this, pending = m_pending, report = std::move(report)] {
        std::string error;
        if (!m_store.addErrorReport(report, m_config.maxErrorReports, &error))
            logLine("error report not stored: " + error);
        --*pending;
    });
}

} // namespace gatewayd
