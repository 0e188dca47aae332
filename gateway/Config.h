#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gatewayd {

// The service's configuration file: "key = value" lines, "#" starts a comment line. Every key
// is known and every number is range-checked, so that a typo stops the start instead of
// leaving a limit at a value nobody chose.
struct Config {
    std::string listenAddress = "0.0.0.0";
    uint16_t port = 443; // 0: a free port (tests)
    std::string stateDir = "/var/lib/quorvia-gateway";
    std::string certFile; // PEM chain, server certificate first
    std::string keyFile;  // PEM private key
    std::string runAs;    // the unprivileged user a root start switches to
    int threads = 0;      // event loops; 0: one per core

    enum class Database { Sqlite, Postgres };
    Database database = Database::Sqlite; // PostgreSQL when several gateways share operators
    std::string databaseUrl;              // libpq connection string ("host=... dbname=...")
    int heartbeatMs = 5000;               // how often the load goes to the database; 3 missed: gone
    int redirectMargin = 0; // sessions more than the least loaded gateway that send a logon
                            // there; 0: only a full gateway sends logons away
    int maxErrorReports = 1000;
    int maxErrorReportBytes = 48 * 1024; // a console's report is at most 32 KiB before encoding

    int gatewayCount = 3;      // the "gw" field of the logon reply
    std::vector<int> served;   // gateway numbers this process answers; empty: 1..gatewayCount
    std::string versionDigits; // empty: echo the console's own, so no update is offered
    std::string info = "X0";
    std::string announcementTitle = "Announcement";
    std::string announcementText;

    int pollHoldMs = 20000;     // a poll with nothing to say is answered "QAD" after this
    int sessionIdleMs = 300000; // a session without console requests this long ends
    int maxSessions = 1000;
    int maxSessionsPerOperator = 5;
    int maxConnections = 4096;
    int64_t maxBodyBytes = int64_t(64) << 20;      // an upload of the console
    int64_t maxSessionBytes = int64_t(256) << 20;  // everything one session keeps
    int64_t maxHostFrameBytes = int64_t(65) << 20; // one message on the host channel
    int maxHeaderBytes = 16384;                    // request line and headers together
    int readTimeoutMs = 30000;                     // a request or a host message in progress
    int idleTimeoutMs = 120000;                    // a kept-alive connection between requests
    int failureDelayMs = 1000;                     // the first failed logon or join waits this
    int maxFailureDelayMs = 16000;                 // and doubling stops here
    // Addresses that may read /metrics; it says how busy the service is, which is nobody
    // else's business.
    std::vector<std::string> metricsFrom = {"127.0.0.1", "::1"};

    // The invitation mail (request "22") goes through this relay; empty: no mail is sent and
    // the console hears "Mail?Error", so the operator passes the key on by hand.
    std::string smtpUrl;          // "smtp://relay:587" (STARTTLS required) or "smtps://relay"
    std::string smtpFrom;         // the sender's address
    std::string smtpUser;         // empty: no authentication
    std::string smtpPasswordFile; // its first line; kept apart so the configuration can be read
    std::string smtpPassword;     // read from smtpPasswordFile at start, never from this file
    std::string smtpCaFile;       // the relay's authorities; empty: the system's
    int smtpTimeoutMs = 30000;
    int maxMailsPerSession = 10; // the gateway is no mail cannon for a stolen account
    std::string setupHost = "setup.quorvia.example";     // the setup link: https://HOST/logon.aspx
    std::string webSite = "https://www.quorvia.example"; // named at the invitation's end

    // The update server's files and the error report page, served beside the gateways.
    std::string siteDir = "/var/lib/quorvia-gateway/site"; // updateversion.txt, upgrade/...
    int maxReportBytes = 48 * 1024;                        // the encoded report in the request line

    std::vector<int> servedNumbers() const;
};

inline constexpr size_t kMaxConfigBytes = 64 * 1024;

// The configuration in `text`; nullopt with the line and reason in `error`.
std::optional<Config> parseConfig(std::string_view text, std::string *error);
std::optional<Config> readConfigFile(const std::string &path, std::string *error);

} // namespace gatewayd
