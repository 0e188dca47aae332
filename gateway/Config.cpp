#include "Config.h"
#include "InvitationMail.h"

#include <charconv>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

namespace gatewayd {
namespace {
std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

template <typename T> bool number(std::string_view v, T min, T max, T &out) {
    T n{};
    const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), n);
    if (ec != std::errc() || end != v.data() + v.size() || n < min || n > max)
        return false;
    out = n;
    return true;
}

bool numberList(std::string_view v, std::vector<int> &out) {
    out.clear();
    while (!v.empty()) {
        const size_t comma = v.find(',');
        int n = 0;
        if (!number(trim(v.substr(0, comma)), 1, 999, n) || out.size() >= 999)
            return false;
        out.push_back(n);
        v = comma == std::string_view::npos ? std::string_view() : v.substr(comma + 1);
    }
    return !out.empty();
}

bool addressList(std::string_view v, std::vector<std::string> &out) {
    out.clear();
    while (!v.empty()) {
        const size_t comma = v.find(',');
        const std::string_view address = trim(v.substr(0, comma));
        if (address.empty() || address.size() > 64 || out.size() >= 64)
            return false;
        out.emplace_back(address);
        v = comma == std::string_view::npos ? std::string_view() : v.substr(comma + 1);
    }
    return true;
}

using Setter = std::function<bool(Config &, std::string_view)>;

template <typename T> Setter num(T Config::*field, T min, T max) {
    return [=](Config &c, std::string_view v) { return number(v, min, max, c.*field); };
}

Setter text(std::string Config::*field, size_t maxSize = 4096) {
    return [=](Config &c, std::string_view v) {
        if (v.size() > maxSize)
            return false;
        c.*field = std::string(v);
        return true;
    };
}

const std::map<std::string_view, Setter> &setters() {
    static const std::map<std::string_view, Setter> table = {
        {"listen", text(&Config::listenAddress, 64)},
        {"port", num<uint16_t>(&Config::port, 0, 65535)},
        {"state_dir", text(&Config::stateDir)},
        {"cert_file", text(&Config::certFile)},
        {"key_file", text(&Config::keyFile)},
        {"run_as", text(&Config::runAs, 64)},
        {"threads", num(&Config::threads, 0, 256)},
        {"database",
         [](Config &c, std::string_view v) {
             if (v != "sqlite" && v != "postgresql")
                 return false;
             c.database = v == "sqlite" ? Config::Database::Sqlite : Config::Database::Postgres;
             return true;
         }},
        {"database_url", text(&Config::databaseUrl)},
        {"heartbeat_ms", num(&Config::heartbeatMs, 100, 60000)},
        {"redirect_margin", num(&Config::redirectMargin, 0, 1000000)},
        {"max_error_reports", num(&Config::maxErrorReports, 1, 1000000)},
        {"max_error_report_bytes", num(&Config::maxErrorReportBytes, 256, 1 << 20)},
        {"gateway_count", num(&Config::gatewayCount, 1, 999)},
        {"gateways", [](Config &c, std::string_view v) { return numberList(v, c.served); }},
        {"version_digits", text(&Config::versionDigits, 32)},
        {"info", text(&Config::info, 32)},
        {"announcement_title", text(&Config::announcementTitle, 1024)},
        {"announcement_text", text(&Config::announcementText)},
        {"poll_hold_ms", num(&Config::pollHoldMs, 100, 55000)},
        {"session_idle_ms", num(&Config::sessionIdleMs, 1000, 86400000)},
        {"max_sessions", num(&Config::maxSessions, 1, 1000000)},
        {"max_sessions_per_operator", num(&Config::maxSessionsPerOperator, 1, 1000)},
        {"max_connections", num(&Config::maxConnections, 4, 1000000)},
        {"max_body_bytes", num<int64_t>(&Config::maxBodyBytes, 1024, int64_t(1) << 31)},
        {"max_session_bytes", num<int64_t>(&Config::maxSessionBytes, 1024, int64_t(1) << 34)},
        {"max_host_frame_bytes",
         num<int64_t>(&Config::maxHostFrameBytes, 4096, (int64_t(1) << 31) + 65536)},
        {"max_header_bytes", num(&Config::maxHeaderBytes, 1024, 1 << 20)},
        {"read_timeout_ms", num(&Config::readTimeoutMs, 100, 600000)},
        {"idle_timeout_ms", num(&Config::idleTimeoutMs, 100, 3600000)},
        {"failure_delay_ms", num(&Config::failureDelayMs, 0, 60000)},
        {"max_failure_delay_ms", num(&Config::maxFailureDelayMs, 0, 600000)},
        {"metrics_from",
         [](Config &c, std::string_view v) { return addressList(v, c.metricsFrom); }},
        {"smtp_url",
         [](Config &c, std::string_view v) {
             const bool relay = v.rfind("smtp://", 0) == 0 || v.rfind("smtps://", 0) == 0;
             if ((!v.empty() && !relay) || v.size() > 1024)
                 return false;
             c.smtpUrl = std::string(v);
             return true;
         }},
        {"smtp_from", text(&Config::smtpFrom, 254)},
        {"smtp_user", text(&Config::smtpUser, 256)},
        {"smtp_password_file", text(&Config::smtpPasswordFile)},
        {"smtp_ca_file", text(&Config::smtpCaFile)},
        {"smtp_timeout_ms", num(&Config::smtpTimeoutMs, 1000, 600000)},
        {"max_mails_per_session", num(&Config::maxMailsPerSession, 0, 1000)},
        {"setup_host", text(&Config::setupHost, 253)},
        {"web_site", text(&Config::webSite, 1024)},
        {"site_dir", text(&Config::siteDir)},
        {"max_report_bytes", num(&Config::maxReportBytes, 1024, 1 << 20)},
    };
    return table;
}
} // namespace

std::vector<int> Config::servedNumbers() const {
    if (!served.empty())
        return served;
    std::vector<int> all;
    for (int n = 1; n <= gatewayCount; ++n)
        all.push_back(n);
    return all;
}

std::optional<Config> parseConfig(std::string_view text, std::string *error) {
    if (text.size() > kMaxConfigBytes) {
        *error = "the file is larger than " + std::to_string(kMaxConfigBytes) + " bytes";
        return std::nullopt;
    }
    Config config;
    int lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const size_t end = text.find('\n');
        const std::string_view line = trim(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (line.empty() || line.front() == '#')
            continue;
        const size_t eq = line.find('=');
        const std::string where = "line " + std::to_string(lineNumber) + ": ";
        if (eq == std::string_view::npos) {
            *error = where + "no \"=\"";
            return std::nullopt;
        }
        const std::string_view key = trim(line.substr(0, eq));
        const auto setter = setters().find(key);
        if (setter == setters().end()) {
            *error = where + "unknown key \"" + std::string(key.substr(0, 64)) + "\"";
            return std::nullopt;
        }
        if (!setter->second(config, trim(line.substr(eq + 1)))) {
            *error = where + "bad value for " + std::string(key);
            return std::nullopt;
        }
    }
    for (int n : config.served)
        if (n > config.gatewayCount) {
            *error = "gateways: " + std::to_string(n) + " is beyond gateway_count";
            return std::nullopt;
        }
    if (config.database == Config::Database::Postgres && config.databaseUrl.empty()) {
        *error = "database = postgresql needs database_url";
        return std::nullopt;
    }
    if (config.maxHostFrameBytes < config.maxBodyBytes + 65536) {
        // A console upload travels to the host in one frame, with its names around it.
        *error = "max_host_frame_bytes must exceed max_body_bytes by 64 KiB";
        return std::nullopt;
    }
    if (!config.smtpUrl.empty() && !isMailAddress(config.smtpFrom)) {
        *error = "smtp_url needs smtp_from, the sender's address";
        return std::nullopt;
    }
    return config;
}

std::optional<Config> readConfigFile(const std::string &path, std::string *error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        *error = "cannot read " + path;
        return std::nullopt;
    }
    std::string text(kMaxConfigBytes + 1, '\0');
    in.read(text.data(), std::streamsize(text.size()));
    text.resize(size_t(in.gcount()));
    auto config = parseConfig(text, error);
    if (!config)
        *error = path + ": " + *error;
    return config;
}

} // namespace gatewayd
