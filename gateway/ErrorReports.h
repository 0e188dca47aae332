#pragma once
#include "AccountStore.h"
#include "Config.h"

#include <boost/asio/strand.hpp>
#include <boost/asio/thread_pool.hpp>

#include <atomic>
#include <memory>
#include <string>

namespace gatewayd {

// The reports of unexpected errors that consoles send (GET /errorrep.aspx?report=TEXT): cut
// to `max_error_report_bytes` and stored in the accounts' database, which keeps the newest
// `max_error_reports`. Anybody can send one, so a flood is dropped rather than queued.
class ErrorReports {
public:
    using DbExecutor = boost::asio::strand<boost::asio::thread_pool::executor_type>;
    ErrorReports(AccountStore &store, DbExecutor db, const Config &config);

    static constexpr const char *kPath = "/errorrep.aspx";
    // The report in a request's query; false when there is none.
    bool receive(const std::string &query, const std::string &peer);
    // A report's text as received; stored behind the caller's back.
    void store(std::string text, std::string peer);

private:
    AccountStore &m_store;
    DbExecutor m_db;
    const Config &m_config;
    std::shared_ptr<std::atomic<int>> m_pending = std::make_shared<std::atomic<int>>(0);
};

} // namespace gatewayd
