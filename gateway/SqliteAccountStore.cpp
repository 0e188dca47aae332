#include "AccountStore.h"

#include <sodium.h>
#include <sqlite3.h>

#include <mutex>

namespace gatewayd {

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
    // Records written at the logon, error reports, and the gateways' loads for load sharing.
    "ALTER TABLE sessions ADD COLUMN gateway INTEGER NOT NULL DEFAULT 0;"
    "CREATE INDEX sessions_open ON sessions (ended_at, gateway);"
    "CREATE TABLE error_reports ("
    " id INTEGER PRIMARY KEY,"
    " received_at INTEGER NOT NULL,"
    " peer TEXT NOT NULL,"
    " report TEXT NOT NULL);"
    "CREATE TABLE gateway_load ("
    " gateway INTEGER PRIMARY KEY,"
    " instance TEXT NOT NULL,"
    " sessions INTEGER NOT NULL,"
    " capacity INTEGER NOT NULL,"
    " beat_ms INTEGER NOT NULL);",
};

// Milliseconds since the epoch by SQLite's clock.
#define SQLITE_NOW_MS "CAST((julianday('now') - 2440587.5) * 86400000 AS INTEGER)"

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

    std::optional<Account> verify(const std::string &userCode, const std::string &password,
                                  bool *storeFailed) override {
        std::string hash;
        std::optional<Account> account;
        {
            std::lock_guard lock(m_mutex);
            Statement q(m_db, "SELECT user_code, customer_name, password_hash, disabled FROM "
                              "accounts WHERE user_code = ?");
            q.bind(1, userCode);
            const int step = q.step();
            if (step == SQLITE_ROW) {
                account = Account{q.text(0), q.text(1), q.integer(3) != 0};
                hash = q.text(2);
            } else if (step != SQLITE_DONE) {
                *storeFailed = true;
                return std::nullopt;
            }
        }
        const bool matches = passwordMatches(account ? hash : decoyPasswordHash(), password);
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

    int64_t openSessionRecord(const SessionRecord &r, std::string *error) override {
        std::lock_guard lock(m_mutex);
        Statement q(m_db, "INSERT INTO sessions (gateway, user_code, host_name, host_address, "
                          "started_at, ended_at, session_time, end_reason) "
                          "VALUES (?, ?, '', '', ?, 0, '', 'open')");
        q.bind(1, int64_t(r.gateway)).bind(2, r.userCode).bind(3, r.startedAt);
        if (q.step() != SQLITE_DONE)
            return fail(error), 0;
        return sqlite3_last_insert_rowid(m_db);
    }

    bool closeSessionRecord(int64_t id, const SessionRecord &r, std::string *error) override {
        std::lock_guard lock(m_mutex);
        Statement q(m_db, "UPDATE sessions SET host_name = ?, host_address = ?, ended_at = ?, "
                          "session_time = ?, end_reason = ? WHERE id = ?");
        q.bind(1, r.hostName).bind(2, r.hostAddress).bind(3, r.endedAt);
        q.bind(4, r.sessionTime).bind(5, r.endReason).bind(6, id);
        return q.step() == SQLITE_DONE ? changedOne(error) : fail(error);
    }

    bool closeAbandonedSessions(const std::vector<int> &gateways, std::string *error) override {
        std::lock_guard lock(m_mutex);
        for (int gateway : gateways) {
            Statement q(m_db, "UPDATE sessions SET ended_at = strftime('%s','now'), "
                              "end_reason = 'lost' WHERE ended_at = 0 AND gateway = ?");
            q.bind(1, int64_t(gateway));
            if (q.step() != SQLITE_DONE)
                return fail(error);
        }
        return true;
    }

    std::vector<SessionRecord> sessionRecords(int newestCount) override {
        std::lock_guard lock(m_mutex);
        Statement q(m_db, "SELECT gateway, user_code, host_name, host_address, started_at, "
                          "ended_at, session_time, end_reason FROM sessions ORDER BY id DESC "
                          "LIMIT ?");
        q.bind(1, int64_t(newestCount));
        std::vector<SessionRecord> out;
        while (q.step() == SQLITE_ROW)
            out.push_back({int(q.integer(0)), q.text(1), q.text(2), q.text(3), q.integer(4),
                           q.integer(5), q.text(6), q.text(7)});
        return out;
    }

    bool addErrorReport(const ErrorReport &r, int maxCount, std::string *error) override {
        std::lock_guard lock(m_mutex);
        if (sqlite3_exec(m_db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK)
            return fail(error);
        Statement add(m_db,
                      "INSERT INTO error_reports (received_at, peer, report) VALUES (?, ?, ?)");
        add.bind(1, r.receivedAt).bind(2, r.peer).bind(3, r.text);
        Statement trim(m_db, "DELETE FROM error_reports WHERE id <= (SELECT id FROM error_reports "
                             "ORDER BY id DESC LIMIT 1 OFFSET ?)");
        trim.bind(1, int64_t(maxCount));
        const bool ok = add.step() == SQLITE_DONE && trim.step() == SQLITE_DONE;
        if (!ok)
            fail(error);
        sqlite3_exec(m_db, ok ? "COMMIT" : "ROLLBACK", nullptr, nullptr, nullptr);
        return ok;
    }

    std::vector<ErrorReport> errorReports(int newestCount) override {
        std::lock_guard lock(m_mutex);
        Statement q(m_db, "SELECT received_at, peer, report FROM error_reports ORDER BY id DESC "
                          "LIMIT ?");
        q.bind(1, int64_t(newestCount));
        std::vector<ErrorReport> out;
        while (q.step() == SQLITE_ROW)
            out.push_back({q.integer(0), q.text(1), q.text(2)});
        return out;
    }

    bool reportLoad(const std::vector<GatewayLoad> &mine, std::string *error) override {
        std::lock_guard lock(m_mutex);
        // One transaction: one write to the disk per heartbeat, however many gateways.
        if (sqlite3_exec(m_db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK)
            return fail(error);
        bool ok = true;
        for (size_t i = 0; ok && i < mine.size(); ++i) {
            const GatewayLoad &g = mine[i];
            Statement q(m_db, "INSERT OR REPLACE INTO gateway_load (gateway, instance, sessions, "
                              "capacity, beat_ms) VALUES (?, ?, ?, ?, " SQLITE_NOW_MS ")");
            q.bind(1, int64_t(g.gateway)).bind(2, g.instance);
            q.bind(3, int64_t(g.sessions)).bind(4, int64_t(g.capacity));
            ok = q.step() == SQLITE_DONE;
        }
        if (!ok)
            fail(error);
        sqlite3_exec(m_db, ok ? "COMMIT" : "ROLLBACK", nullptr, nullptr, nullptr);
        return ok;
    }

    std::vector<GatewayLoad> gatewayLoads() override {
        std::lock_guard lock(m_mutex);
        Statement q(m_db, "SELECT gateway, instance, sessions, capacity, " SQLITE_NOW_MS
                          " - beat_ms FROM gateway_load ORDER BY gateway");
        std::vector<GatewayLoad> out;
        while (q.step() == SQLITE_ROW)
            out.push_back(
                {int(q.integer(0)), q.text(1), int(q.integer(2)), int(q.integer(3)), q.integer(4)});
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
