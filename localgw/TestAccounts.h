#pragma once
#include "AccountStore.h"
#include "GatewayConfig.h"

#include <mutex>

namespace localgw {

// The test mode's operator accounts: the ones on the command line or in the test's
// configuration, kept in memory with their passwords in clear (they are on the command line
// anyway), so a logon costs no hashing. Session records are kept in memory too.
class TestAccounts : public gatewayd::AccountStore {
public:
    explicit TestAccounts(const QList<GatewayAccount> &accounts);

    std::optional<gatewayd::Account>
    verify(const std::string &userCode, const std::string &password, bool *storeFailed) override;
    bool addAccount(const std::string &userCode, const std::string &customerName,
                    const std::string &password, std::string *error) override;
    bool setPassword(const std::string &userCode, const std::string &password,
                     std::string *error) override;
    bool setDisabled(const std::string &userCode, bool disabled, std::string *error) override;
    std::vector<gatewayd::Account> accounts() override;
    int64_t openSessionRecord(const gatewayd::SessionRecord &record, std::string *error) override;
    bool closeSessionRecord(int64_t id, const gatewayd::SessionRecord &record,
                            std::string *error) override;
    bool closeAbandonedSessions(const std::vector<int> &, std::string *) override { return true; }
    std::vector<gatewayd::SessionRecord> sessionRecords(int newestCount) override;
    bool addErrorReport(const gatewayd::ErrorReport &report, int maxCount,
                        std::string *error) override;
    std::vector<gatewayd::ErrorReport> errorReports(int newestCount) override;
    // One process serves every gateway of the test mode: no other loads to share with.
    bool reportLoad(const std::vector<gatewayd::GatewayLoad> &, std::string *) override {
        return true;
    }
    std::vector<gatewayd::GatewayLoad> gatewayLoads() override { return {}; }

private:
    struct Entry {
        gatewayd::Account account;
        std::string password;
    };
    Entry *find(const std::string &userCode);

    std::mutex m_mutex; // the service asks from its pool's threads
    std::vector<Entry> m_entries;
    std::vector<gatewayd::SessionRecord> m_records; // id: first id + index
    int64_t m_firstRecordId = 1;
    std::vector<gatewayd::ErrorReport> m_reports;
};

} // namespace localgw
