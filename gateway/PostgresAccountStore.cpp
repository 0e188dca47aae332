#include "AccountStore.h"
#include "DatabaseText.h"

#include <libpq-fe.h>
#include <sodium.h>

#include <mutex>

namespace gatewayd {
namespace {
// Each entry moves the schema one version up; the version is kept in schema_version. Gateways
// that start together take an advisory lock, so only one of them migrates.
const char *const kMigrations[] = {
    "CREATE TABLE accounts ("
    " user_code TEXT NOT NULL,"
    " customer_name TEXT NOT NULL,"
    " password_hash TEXT NOT NULL,"
    " disabled BOOLEAN NOT NULL DEFAULT FALSE,"
    " created_at BIGINT NOT NULL);"
    "CREATE UNIQUE INDEX accounts_user_code ON accounts (lower(user_code));"
    "CREATE TABLE sessions ("
    " id BIGSERIAL PRIMARY KEY,"
    " gateway INTEGER NOT NULL,"
    " user_code TEXT NOT NULL,"
    " host_name TEXT NOT NULL,"
    " host_address TEXT NOT NULL,"
    " started_at BIGINT NOT NULL,"
    " ended_at BIGINT NOT NULL,"
    " session_time TEXT NOT NULL,"
    " end_reason TEXT NOT NULL);"
    "CREATE INDEX sessions_open ON sessions (ended_at, gateway);"
    "CREATE TABLE error_reports ("
    " id BIGSERIAL PRIMARY KEY,"
    " received_at BIGINT NOT NULL,"
    " peer TEXT NOT NULL,"
    " report TEXT NOT NULL);"
    "CREATE TABLE gateway_load ("
    " gateway INTEGER PRIMARY KEY,"
    " instance TEXT NOT NULL,"
    " sessions INTEGER NOT NULL,"
    " capacity INTEGER NOT NULL,"
    " beat_ms BIGINT NOT NULL);",
};
constexpr long long kMigrationLock = 0x51756f7276696101; // any number, the same in every gateway
#define PG_NOW_MS "(extract(epoch from clock_timestamp()) * 1000)::bigint"

// One result, freed with it.
class Result {
public:
    explicit Result(PGresult *r) : m_r(r) {}
    ~Result() { PQclear(m_r); }
    Result(const Result &) = delete;
    Result &operator=(const Result &) = delete;
    bool ok() const {
        const auto s = PQresultStatus(m_r);
        return s == PGRES_COMMAND_OK || s == PGRES_TUPLES_OK;
    }
    int rows() const { return PQntuples(m_r); }
    std::string text(int row, int col) const {
        return std::string(PQgetvalue(m_r, row, col), size_t(PQgetlength(m_r, row, col)));
    }
    int64_t integer(int row, int col) const { return std::stoll(text(row, col)); }
    bool flag(int row, int col) const { return text(row, col) == "t"; }
    std::string affected() const { return PQcmdTuples(m_r); }

private:
    PGresult *m_r;
};

class PostgresAccountStore : public AccountStore {
public:
    explicit PostgresAccountStore(PGconn *db) : m_db(db) {}
    ~PostgresAccountStore() override { PQfinish(m_db); }

    bool migrate(std::string *error) {
        std::lock_guard lock(m_mutex);
        if (!run("BEGIN", {}, error))
            return false;
        const bool ok = [&] {
            if (!run("SELECT pg_advisory_xact_lock(" + std::to_string(kMigrationLock) + ")", {},
                     error) ||
                !run("CREATE TABLE IF NOT EXISTS schema_version (version INTEGER NOT NULL)", {},
                     error))
                return false;
            Result v(exec("SELECT coalesce(max(version), 0) FROM schema_version", {}));
            if (!v.ok())
                return fail(error);
            const int64_t current = v.integer(0, 0);
            const int64_t latest = int64_t(std::size(kMigrations));
            if (current > latest) {
                *error = "the database was made by a newer version of this program";
                return false;
            }
            for (int64_t i = current; i < latest; ++i)
                if (!run(kMigrations[i], {}, error))
                    return false;
            return run("DELETE FROM schema_version", {}, error) &&
                   run("INSERT INTO schema_version VALUES ($1)", {std::to_string(latest)}, error);
        }();
        if (!ok) {
            exec("ROLLBACK", {});
            return false;
        }
        return run("COMMIT", {}, error);
    }

    std::optional<Account> verify(const std::string &userCode, const std::string &password,
                                  bool *storeFailed) override {
        std::string hash;
        std::optional<Account> account;
        {
            std::lock_guard lock(m_mutex);
            Result q(exec("SELECT user_code, customer_name, password_hash, disabled FROM accounts "
                          "WHERE lower(user_code) = lower($1)",
                          {userCode}));
            if (!q.ok()) {
                *storeFailed = true;
                return std::nullopt;
            }
            if (q.rows() == 1) {
                account = Account{q.text(0, 0), q.text(0, 1), q.flag(0, 3)};
                hash = q.text(0, 2);
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
        if (hash.empty())
            return *error = "cannot hash the password", false;
        std::lock_guard lock(m_mutex);
        return run("INSERT INTO accounts (user_code, customer_name, password_hash, created_at) "
                   "VALUES ($1, $2, $3, extract(epoch from now())::bigint)",
                   {userCode, customerName, hash}, error);
    }

    bool setPassword(const std::string &userCode, const std::string &password,
                     std::string *error) override {
        const std::string hash = hashPassword(password);
        if (hash.empty())
            return *error = "cannot hash the password", false;
        std::lock_guard lock(m_mutex);
        return changeOne(
            "UPDATE accounts SET password_hash = $1 WHERE lower(user_code) = lower($2)",
            {hash, userCode}, error);
    }

    bool setDisabled(const std::string &userCode, bool disabled, std::string *error) override {
        std::lock_guard lock(m_mutex);
        return changeOne("UPDATE accounts SET disabled = $1 WHERE lower(user_code) = lower($2)",
                         {disabled ? "true" : "false", userCode}, error);
    }

    std::vector<Account> accounts() override {
        std::lock_guard lock(m_mutex);
        Result q(exec("SELECT user_code, customer_name, disabled FROM accounts ORDER BY "
                      "lower(user_code)",
                      {}));
        std::vector<Account> out;
        for (int i = 0; q.ok() && i < q.rows(); ++i)
            out.push_back({q.text(i, 0), q.text(i, 1), q.flag(i, 2)});
        return out;
    }

    int64_t openSessionRecord(const SessionRecord &r, std::string *error) override {
        std::lock_guard lock(m_mutex);
        Result q(exec("INSERT INTO sessions (gateway, user_code, host_name, host_address, "
                      "started_at, ended_at, session_time, end_reason) "
                      "VALUES ($1, $2, '', '', $3, 0, '', 'open') RETURNING id",
                      {std::to_string(r.gateway), r.userCode, std::to_string(r.startedAt)}));
        if (!q.ok() || q.rows() != 1)
            return fail(error), 0;
        return q.integer(0, 0);
    }

    bool closeSessionRecord(int64_t id, const SessionRecord &r, std::string *error) override {
        std::lock_guard lock(m_mutex);
        return changeOne("UPDATE sessions SET host_name = $1, host_address = $2, ended_at = $3, "
                         "session_time = $4, end_reason = $5 WHERE id = $6",
                         {r.hostName, r.hostAddress, std::to_string(r.endedAt), r.sessionTime,
                          r.endReason, std::to_string(id)},
                         error);
    }

    bool closeAbandonedSessions(const std::vector<int> &gateways, std::string *error) override {
        std::lock_guard lock(m_mutex);
        for (int gateway : gateways)
            if (!run("UPDATE sessions SET ended_at = extract(epoch from now())::bigint, "
                     "end_reason = 'lost' WHERE ended_at = 0 AND gateway = $1",
                     {std::to_string(gateway)}, error))
                return false;
        return true;
    }

    std::vector<SessionRecord> sessionRecords(int newestCount) override {
        std::lock_guard lock(m_mutex);
        Result q(exec("SELECT gateway, user_code, host_name, host_address, started_at, ended_at, "
                      "session_time, end_reason FROM sessions ORDER BY id DESC LIMIT $1",
                      {std::to_string(newestCount)}));
        std::vector<SessionRecord> out;
        for (int i = 0; q.ok() && i < q.rows(); ++i)
            out.push_back({int(q.integer(i, 0)), q.text(i, 1), q.text(i, 2), q.text(i, 3),
                           q.integer(i, 4), q.integer(i, 5), q.text(i, 6), q.text(i, 7)});
        return out;
    }

    bool addErrorReport(const ErrorReport &r, int maxCount, std::string *error) override {
        std::lock_guard lock(m_mutex);
        if (!run("BEGIN", {}, error))
            return false;
        const bool ok =
            run("INSERT INTO error_reports (received_at, peer, report) VALUES ($1, $2, $3)",
                {std::to_string(r.receivedAt), r.peer, r.text}, error) &&
            run("DELETE FROM error_reports WHERE id <= (SELECT id FROM error_reports ORDER BY id "
                "DESC LIMIT 1 OFFSET $1)",
                {std::to_string(maxCount)}, error);
        if (!ok) {
            exec("ROLLBACK", {});
            return false;
        }
        return run("COMMIT", {}, error);
    }

    std::vector<ErrorReport> errorReports(int newestCount) override {
        std::lock_guard lock(m_mutex);
        Result q(exec("SELECT received_at, peer, report FROM error_reports ORDER BY id DESC "
                      "LIMIT $1",
                      {std::to_string(newestCount)}));
        std::vector<ErrorReport> out;
        for (int i = 0; q.ok() && i < q.rows(); ++i)
            out.push_back({q.integer(i, 0), q.text(i, 1), q.text(i, 2)});
        return out;
    }

    bool reportLoad(const std::vector<GatewayLoad> &mine, std::string *error) override {
        std::lock_guard lock(m_mutex);
        for (const GatewayLoad &g : mine)
            if (!run("INSERT INTO gateway_load (gateway, instance, sessions, capacity, beat_ms) "
                     "VALUES ($1, $2, $3, $4, " PG_NOW_MS ") ON CONFLICT (gateway) DO UPDATE SET "
                     "instance = excluded.instance, sessions = excluded.sessions, "
                     "capacity = excluded.capacity, beat_ms = excluded.beat_ms",
                     {std::to_string(g.gateway), g.instance, std::to_string(g.sessions),
                      std::to_string(g.capacity)},
                     error))
                return false;
        return true;
    }

    std::vector<GatewayLoad> gatewayLoads() override {
        std::lock_guard lock(m_mutex);
        Result q(exec("SELECT gateway, instance, sessions, capacity, " PG_NOW_MS
                      " - beat_ms FROM gateway_load ORDER BY gateway",
                      {}));
        std::vector<GatewayLoad> out;
        for (int i = 0; q.ok() && i < q.rows(); ++i)
            out.push_back({int(q.integer(i, 0)), q.text(i, 1), int(q.integer(i, 2)),
                           int(q.integer(i, 3)), q.integer(i, 4)});
        return out;
    }

private:
    // Parameters travel apart from the statement, as text; nothing is spliced into SQL. A
    // connection the server dropped (a restart) is made again once before giving up.
    PGresult *exec(const std::string &sql, const std::vector<std::string> &params) {
        std::vector<std::string> texts;
        for (const auto &p : params)
            texts.push_back(databaseText(p));
        std::vector<const char *> values;
        for (const auto &t : texts)
            values.push_back(t.c_str());
        for (int attempt = 0;; ++attempt) {
            // Without parameters (the migrations: several statements in one text) libpq's
            // simple query protocol runs them.
            PGresult *r = values.empty()
                              ? PQexec(m_db, sql.c_str())
                              : PQexecParams(m_db, sql.c_str(), int(values.size()), nullptr,
                                             values.data(), nullptr, nullptr, 0);
            if (PQstatus(m_db) == CONNECTION_OK || attempt > 0)
                return r;
            PQclear(r);
            PQreset(m_db);
        }
    }
    bool run(const std::string &sql, const std::vector<std::string> &params, std::string *error) {
        Result r(exec(sql, params));
        return r.ok() ? true : fail(error);
    }
    bool changeOne(const std::string &sql, const std::vector<std::string> &params,
                   std::string *error) {
        Result r(exec(sql, params));
        if (!r.ok())
            return fail(error);
        if (r.affected() == "1")
            return true;
        if (error)
            *error = "no such account";
        return false;
    }
    bool fail(std::string *error) const {
        if (error)
            *error = PQerrorMessage(m_db);
        return false;
    }

    PGconn *m_db;
    std::mutex m_mutex;
};
} // namespace

std::unique_ptr<AccountStore> openPostgresAccountStore(const std::string &connection,
                                                       std::string *error) {
    if (sodium_init() < 0) {
        *error = "libsodium cannot start";
        return nullptr;
    }
    PGconn *db = PQconnectdb(connection.c_str());
    if (PQstatus(db) != CONNECTION_OK) {
        *error = std::string("PostgreSQL: ") + PQerrorMessage(db);
        PQfinish(db);
        return nullptr;
    }
    auto store = std::make_unique<PostgresAccountStore>(db);
    if (!store->migrate(error))
        return nullptr;
    return store;
}

} // namespace gatewayd
