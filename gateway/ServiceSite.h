#pragma once
#include "Config.h"
#include "Service.h"

#include <string_view>

namespace gatewayd {

// The service's web pages beside the gateways, on the same port, so that the console's
// UpdateHost and SetupUrl may name the gateway's host:
//
//   GET /updateversion.txt            the file of that name in site_dir
//   GET /upgrade/QvAccessSetup.zip    the setup program in site_dir/upgrade/
//
// The error report page beside them is ErrorReports'.
class ServiceSite {
public:
    explicit ServiceSite(const Config &config);

    // The file in site_dir that `path` names, relative; empty for any other path.
    static std::string_view siteFile(std::string_view path);

    // False when `request` is for none of the site's paths; otherwise `reply` is called once.
    bool serve(const ConsoleRequest &request, ReplyFn &reply);

private:
    const Config &m_config;
};

} // namespace gatewayd
