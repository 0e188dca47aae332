#pragma once
#include "AccountStore.h"
#include "Config.h"
#include "Service.h"

#include <boost/asio/thread_pool.hpp>

#include <atomic>
#include <string_view>

namespace gatewayd {

// The service's web pages beside the gateways, on the same port, so that the console's
// UpdateHost and SetupUrl may name the gateway's host:
//
//   GET /updateversion.txt            the file of that name in site_dir
//   GET /upgrade/QvAccessSetup.zip    the setup program in site_dir/upgrade/
//   GET /errorrep.aspx?report=...     the report is kept in the database; the answer is "OK"
class ServiceSite {
public:
    ServiceSite(const Config &config, AccountStore &store, boost::asio::thread_pool &pool);

    static constexpr std::string_view kReportPath = "/errorrep.aspx";
    // The file in site_dir that `path` names, relative; empty for any other path.
    static std::string_view siteFile(std::string_view path);

    // False when `request` is for none of the site's paths; otherwise `reply` is called once.
    bool serve(const ConsoleRequest &request, ReplyFn &reply);

private:
    void storeReport(const ConsoleRequest &request);

    const Config &m_config;
    AccountStore &m_store;
    boost::asio::thread_pool &m_pool;
    // Reports are written on the pool the logons use: a flood of them must not queue there.
    std::shared_ptr<std::atomic<int>> m_writing = std::make_shared<std::atomic<int>>(0);
};

} // namespace gatewayd
