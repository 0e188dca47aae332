// The service's configuration is edited by hand: any bytes must give a configuration within
// its ranges or a reason, never a crash.
#include "Config.h"
#include "InvitationMail.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    std::string error;
    const auto config =
        gatewayd::parseConfig(std::string_view(reinterpret_cast<const char *>(data), size), &error);
    if (!config)
        return error.empty() ? (abort(), 0) : 0;
    for (int n : config->servedNumbers())
        if (n < 1 || n > config->gatewayCount)
            abort();
    if (config->maxHostFrameBytes < config->maxBodyBytes + 65536 || config->pollHoldMs > 55000)
        abort();
    // Mail goes only through an SMTP relay, from an address a relay accepts.
    if (!config->smtpUrl.empty() &&
        ((config->smtpUrl.rfind("smtp://", 0) != 0 && config->smtpUrl.rfind("smtps://", 0) != 0) ||
         !gatewayd::isMailAddress(config->smtpFrom)))
        abort();
    if (config->maxReportBytes < 1024 || config->maxErrorReports < 0 ||
        config->maxMailsPerSession < 0 || !config->smtpPassword.empty())
        abort();
    return 0;
}
