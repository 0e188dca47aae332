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

// What the gateway remembers of a session once it ended.
struct SessionRecord {
    std::string userCode;
    std::string hostName;
    std::string hostAddress; // as the gateway saw the host's connection
    int64_t startedAt = 0;   // seconds since the epoch
    int64_t endedAt = 0;
    std::string sessionTime; // "hh:mm:ss", as answered to the logoff
    std::string endReason;   // "logoff", "idle", "shutdown"
};

// An error report a console sent, as received.
struct ErrorReport {
    int64_t receivedAt = 0;  // seconds since the epoch
    std::string fromAddress; // the sender's address as the gateway saw it
    std::string text;        // decoded; the console's text is Windows-1252
};

// Operator accounts and session records. The SQLite store is the default; gateways that share
// their operators use a store on a database server behind the same interface. Every method may
// block on the database and on password hashing: callers run it off the event loops.
class AccountStore {
public:
    virtual ~AccountStore() = default;

    // The account when the password is right and the account is not disabled.
    virtual std::optional<Account> verify(const std::string &userCode,
                                          const std::string &password) = 0;

    virtual bool addAccount(const std::string &userCode, const std::string &customerName,
                            const std::string &password, std::string *error) = 0;
    virtual bool setPassword(const std::string &userCode, const std::string &password,
                             std::string *error) = 0;
    virtual bool setDisabled(const std::string &userCode, bool disabled, std::string *error) = 0;
    virtual std::vector<Account> accounts() = 0;

    virtual bool recordSession(const SessionRecord &record, std::string *error) = 0;
    virtual std::vector<SessionRecord> sessionRecords(int newestCount) = 0;

    // Keeps the report and, of all reports, only the newest `keepNewest`.
    virtual bool recordErrorReport(const ErrorReport &report, int keepNewest,
                                   std::string *error) = 0;
    virtual std::vector<ErrorReport> errorReports(int newestCount) = 0;
};

// Opens (and creates or migrates) the SQLite store in `path`.
std::unique_ptr<AccountStore> openSqliteAccountStore(const std::string &path, std::string *error);

// Argon2id through libsodium, at its "interactive" cost.
std::string hashPassword(const std::string &password);
bool passwordMatches(const std::string &hash, const std::string &password);

} // namespace gatewayd
