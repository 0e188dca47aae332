#pragma once
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace gatewayd {

struct Account {
    std::string userCode; // kept as given; looked up without regard to case
    std::string customerName;
    bool disabled = false;
};

// What the gateway remembers of a session. It is written at the logon and completed at the
// end, so that a gateway that dies leaves the session on record; its next start closes it.
struct SessionRecord {
    int gateway = 0;
    std::string userCode;
    std::string hostName;
    std::string hostAddress; // as the gateway saw the host's connection
    int64_t startedAt = 0;   // seconds since the epoch
    int64_t endedAt = 0;     // 0 while the session lasts
    std::string sessionTime; // "hh:mm:ss", as answered to the logoff
    std::string endReason;   // "open", "logoff", "idle", "shutdown", "lost"
};

// A console's report of an unexpected error, as received.
struct ErrorReport {
    int64_t receivedAt = 0;
    std::string peer;
    std::string text;
};

// One gateway's load as its process last reported it. `ageMs` is measured by the database's
// clock, so that gateways on machines whose clocks differ agree on who is alive.
struct GatewayLoad {
    int gateway = 0;
    std::string instance; // the reporting process
    int sessions = 0;
    int capacity = 0;
    int64_t ageMs = 0;
};

// Operator accounts and session records. The SQLite store is the default; gateways that share
// their operators use a store on a database server behind the same interface. Every method may
// block on the database and on password hashing: callers run it off the event loops.
class AccountStore {
public:
    virtual ~AccountStore() = default;

    // The account when the password is right and the account is not disabled. A database
    // that cannot answer sets `storeFailed`: that is no wrong password.
    virtual std::optional<Account> verify(const std::string &userCode, const std::string &password,
                                          bool *storeFailed) = 0;

    virtual bool addAccount(const std::string &userCode, const std::string &customerName,
                            const std::string &password, std::string *error) = 0;
    virtual bool setPassword(const std::string &userCode, const std::string &password,
                             std::string *error) = 0;
    virtual bool setDisabled(const std::string &userCode, bool disabled, std::string *error) = 0;
    virtual std::vector<Account> accounts() = 0;

    // The record's id, or 0 with `error`.
    virtual int64_t openSessionRecord(const SessionRecord &record, std::string *error) = 0;
    virtual bool closeSessionRecord(int64_t id, const SessionRecord &record,
                                    std::string *error) = 0;
    // Records of these gateways still open: their process ended without closing them.
    virtual bool closeAbandonedSessions(const std::vector<int> &gateways, std::string *error) = 0;
    virtual std::vector<SessionRecord> sessionRecords(int newestCount) = 0;

    // Keeps at most `maxCount` reports: the oldest go.
    virtual bool addErrorReport(const ErrorReport &report, int maxCount, std::string *error) = 0;
    virtual std::vector<ErrorReport> errorReports(int newestCount) = 0;

    // Writes the loads of this process's gateways, stamped with the database's time.
    virtual bool reportLoad(const std::vector<GatewayLoad> &mine, std::string *error) = 0;
    virtual std::vector<GatewayLoad> gatewayLoads() = 0;
};

// Opens (and creates or migrates) the SQLite store in `path`.
std::unique_ptr<AccountStore> openSqliteAccountStore(const std::string &path, std::string *error);
// Connects to PostgreSQL with a libpq connection string and creates or migrates the schema.
std::unique_ptr<AccountStore> openPostgresAccountStore(const std::string &connection,
                                                       std::string *error);

// Argon2id through libsodium, at its "interactive" cost.
std::string hashPassword(const std::string &password);
bool passwordMatches(const std::string &hash, const std::string &password);
// A hash that matches nothing, verified when the account is unknown so that the answer takes
// as long as for a known one.
const std::string &decoyPasswordHash();

} // namespace gatewayd
