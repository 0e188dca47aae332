#include "AccountStore.h"

#include <sodium.h>
#include <sqlite3.h>

#include <mutex>

namespace gatewayd {

std::string hashPassword(const std::string &password) {
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str_alg(
            out, password.data(), password.size(), crypto_pwhash_OPSLIMIT_INTERACTIVE,
            crypto_pwhash_MEMLIMIT_INTERACTIVE, crypto_pwhash_ALG_ARGON2ID13) != 0)
        return {};
    return out;
}

bool passwordMatches(const std::string &hash, const std::string &password) {
    return !hash.empty() &&
           crypto_pwhash_str_verify(hash.c_str(), password.data(), password.size()) == 0;
}

namespace {
// Each entry moves the schema one version up; the version is SQLite's user_version.
const char *const kMigrations[] = {
    "CREATE TABLE accounts ("
    " user_code TEXT NOT NULL UNIQUE COLLATE NOCASE,"
    " customer_name TEXT NOT NULL,"
    " password_hash TEXT NOT NULL,"
    " disabled INTEGER NOT NULL DEFAULT 0,"
    " created_at INTEGER NOT NULL);"
    "CREATE TABLE sessions ("
    " id INTEGER PRIMARY KEY,"
    " user_code TEXT NOT NULL,"
    " host_name TEXT NOT NULL,"
    " host_address TEXT NOT NULL,"
    " started_at INTEGER NOT NULL,"
    " ended_at INTEGER NOT NULL,"
    " session_time TEXT NOT NULL,"
    " end_reason TEXT NOT NULL);",
    "CREATE TABLE error_reports ("
    " id INTEGER PRIMARY KEY,"
    " received_at INTEGER NOT NULL,"
    " from_address TEXT NOT NULL,"
    " report BLOB NOT NULL);",
};

// A password hash that matches nothing, verified when the account is unknown so that the
// answer takes as long as for a known one.
const std::string &decoyHash() {
    static const std::string hash = hashPassword("decoy password of no account");
    return hash;
}

class Statement {
public:
    Statement(sqlite3 *db, const char *sql) { sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr); }
    ~Statement() { sqlite3_finalize(m_stmt); }
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;
    bool ok() const { return m_stmt != nullptr; }
    Statement &bind(int i, const std::string &v) {
        sqlite3_bind_text(m_stmt, i, v.data(), int(v.size()), SQLITE_TRANSIENT);
        return *this;
    }
    // Bytes kept as they came, whatever their encoding.
    Statement &bindBlob(int i, const std::string &v) {
        sqlite3_bind_blob(m_stmt, i, v.data(), int(v.size()), SQLITE_TRANSIENT);
        return *this;
    }
    Statement &bind(int i, int64_t v) {
        sqlite3_bind_int64(m_stmt, i, v);
        return *this;
    }
    int step() { return m_stmt ? sqlite3_step(m_stmt) : SQLITE_ERROR; }
    std::string text(int col) const {
        const auto *p = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, col));
        return p ? std::string(p, size_t(sqlite3_column_bytes(m_stmt, col))) : std::string();
    }
    int64_t integer(int col) const { return sqlite3_column_int64(m_stmt, col); }

private:
    sqlite3_stmt *m_stmt = nullptr;
};

class SqliteAccountStore : public AccountStore {
public:
    explicit SqliteAccountStore(sqlite3 *db) : m_db(db) {}
    ~SqliteAccountStore() override { sqlite3_close(m_db); }

    bool migrate(std::string *error) {
        sqlite3_busy_timeout(m_db, 5000);
        Statement version(m_db, "PRAGMA user_version");
        if (version.step() != SQLITE_ROW)
            return fail(error);
        const int64_t current = version.integer(0);
        const int64_t latest = int64_t(std::size(kMigrations));
        if (current > latest) {
            *error = "the database was made by a newer version of this program";
            return false;
        }
        for (int64_t v = current; v < latest; ++v) {
            const std::string sql = std::string("BEGIN;") + kMigrations[v] +
                                    "PRAGMA user_version=" + std::to_string(v + 1) + ";COMMIT;";
            if (sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) {
                fail(error);
                sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
                return false;
            }
        }
        return true;
    }

    std::optional<Account> verify(const std::string &userCode,
                                  const std::string &password) override {
        std::string hash;
        std::optional<Account> account;
        {
            std::lock_guard lock(m_mutex);
            Statement q(m_db, "SELECT user_code, customer_name, password_hash, disabled FROM "
                              "accounts WHERE user_code = ?");
            q.bind(1, userCode);
            if (q.step() == SQLITE_ROW) {
                account = Account{q.text(0), q.text(1), q.integer(3) != 0};
                hash = q.text(2);
            }
        }
        const bool matches = passwordMatches(account ? hash : decoyHash(), password);
        if (!account || !matches || account->disabled)
            return std::nullopt;
        return account;
    }

    bool addAccount(const std::string &userCode, const std::string &customerName,
                    const std::string &password, std::string *error) override {
        const std::string hash = hashPassword(password);
        std::lock_guard lock(m_mutex);
        Statement q(m_db, "INSERT INTO accounts (user_code, customer_name, password_hash, "
                          "created_at) VALUES (?, ?, ?, strftime('%s','now'))");
        q.bind(1, userCode).bind(2, customerName).bind(3, hash);
        return !hash.empty() && q.step() == SQLITE_DONE ? true : fail(error);
    }

    bool setPassword(const std::string &userCode, const std::string &password,
                     std::string *error) override {
        const std::string hash = hashPassword(password);
        std::lock_guard lock(m_mutex);
        Statement q(m_db, "UPDATE accounts SET password_hash = ? WHERE user_code = ?");
        q.bind(1, hash).bind(2, userCode);
        return !hash.empty() && q.step() == SQLITE_DONE ? changedOne(error) : fail(error);
    }

    bool setDisabled(const std::string &userCode, bool disabled, std::string *error) override {
        std::lock_guard lock(m_mutex);
        Statement q(m_db, "UPDATE accounts SET disabled = ? WHERE user_code = ?");
        q.bind(1, int64_t(disabled)).bind(2, userCode);
        return q.step() == SQLITE_DONE ? changedOne(error) : fail(error);
    }

    std::vector<Account> accounts() override {
        std::lock_guard lock(m_mutex);
        Statement q(m_db, "SELECT user_code, customer_name, disabled FROM accounts ORDER BY "
                          "user_code");
        std::vector<Account> out;
        while (q.step() == SQLITE_ROW)
            out.push_back({q.text(0), q.text(1), q.integer(2) != 0});
        return out;
    }

    bool recordSession(const SessionRecord &r, std::string *error) override {
        std::lock_guard lock(m_mutex);
        Statement q(m_db, "INSERT INTO sessions (user_code, host_name, host_address, started_at, "
                          "ended_at, session_time, end_reason) VALUES (?, ?, ?, ?, ?, ?, ?)");
        q.bind(1, r.userCode).bind(2, r.hostName).bind(3, r.hostAddress);
        q.bind(4, r.startedAt).bind(5, r.endedAt).bind(6, r.sessionTime).bind(7, r.endReason);
        return q.step() == SQLITE_DONE ? true : fail(error);
    }

    std::vector<SessionRecord> sessionRecords(int newestCount) override {
        std::lock_guard lock(m_mutex);
        Statement q(m_db, "SELECT user_code, host_name, host_address, started_at, ended_at, "
                          "session_time, end_reason FROM sessions ORDER BY id DESC LIMIT ?");
        q.bind(1, int64_t(newestCount));
        std::vector<SessionRecord> out;
        while (q.step() == SQLITE_ROW)
            out.push_back({q.text(0), q.text(1), q.text(2), q.integer(3), q.integer(4), q.text(5),
                           q.text(6)});
        return out;
    }

    bool recordErrorReport(const ErrorReport &r, int keepNewest, std::string *error) override {
        std::lock_guard lock(m_mutex);
        if (sqlite3_exec(m_db, "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK)
            return fail(error);
        Statement insert(m_db, "INSERT INTO error_reports (received_at, from_address, report) "
                               "VALUES (?, ?, ?)");
        insert.bind(1, r.receivedAt).bind(2, r.fromAddress).bindBlob(3, r.text);
        Statement trim(m_db, "DELETE FROM error_reports WHERE id <= "
                             "(SELECT max(id) FROM error_reports) - ?");
        trim.bind(1, int64_t(keepNewest));
        const bool ok = insert.step() == SQLITE_DONE && trim.step() == SQLITE_DONE &&
                        sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
        if (!ok) {
            fail(error);
            sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        }
        return ok;
    }

    std::vector<ErrorReport> errorReports(int newestCount) override {
        std::lock_guard lock(m_mutex);
        Statement q(m_db, "SELECT received_at, from_address, report FROM error_reports "
                          "ORDER BY id DESC LIMIT ?");
        q.bind(1, int64_t(newestCount));
        std::vector<ErrorReport> out;
        while (q.step() == SQLITE_ROW)
            out.push_back({q.integer(0), q.text(1), q.text(2)});
        return out;
    }

private:
    bool fail(std::string *error) const {
        if (error)
            *error = sqlite3_errmsg(m_db);
        return false;
    }
    bool changedOne(std::string *error) const {
        if (sqlite3_changes(m_db) == 1)
            return true;
        if (error)
            *error = "no such account";
        return false;
    }

    sqlite3 *m_db;
    std::mutex m_mutex;
};
} // namespace

std::unique_ptr<AccountStore> openSqliteAccountStore(const std::string &path, std::string *error) {
    if (sodium_init() < 0) {
        *error = "libsodium cannot start";
        return nullptr;
    }
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX,
                        nullptr) != SQLITE_OK) {
        *error = path + ": " + (db ? sqlite3_errmsg(db) : "cannot open");
        sqlite3_close(db);
        return nullptr;
    }
    auto store = std::make_unique<SqliteAccountStore>(db);
    if (!store->migrate(error))
        return nullptr;
    return store;
}

} // namespace gatewayd
