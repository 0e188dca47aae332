#include "TestAccounts.h"

#include <QString>

namespace localgw {

TestAccounts::TestAccounts(const QList<GatewayAccount> &accounts) {
    for (const GatewayAccount &a : accounts)
        m_entries.push_back({{a.userCode.toStdString(), a.customerName.toStdString(), false},
                             a.password.toStdString()});
}

TestAccounts::Entry *TestAccounts::find(const std::string &userCode) {
    const QString wanted = QString::fromLatin1(userCode);
    for (Entry &e : m_entries)
        if (QString::fromLatin1(e.account.userCode).compare(wanted, Qt::CaseInsensitive) == 0)
            return &e;
    return nullptr;
}

std::optional<gatewayd::Account>
TestAccounts::verify(const std::string &userCode, const std::string &password, bool *storeFailed) {
    std::lock_guard lock(m_mutex);
    if (storeFailed)
        *storeFailed = false;
    const Entry *e = find(userCode);
    if (!e || e->account.disabled || e->password != password)
        return std::nullopt;
    return e->account;
}

bool TestAccounts::addAccount(const std::string &userCode, const std::string &customerName,
                              const std::string &password, std::string *error) {
    std::lock_guard lock(m_mutex);
    if (find(userCode)) {
        *error = "the account exists";
        return false;
    }
    m_entries.push_back({{userCode, customerName, false}, password});
    return true;
}

bool TestAccounts::setPassword(const std::string &userCode, const std::string &password,
                               std::string *error) {
    std::lock_guard lock(m_mutex);
    Entry *e = find(userCode);
    if (!e)
        return *error = "no such account", false;
    e->password = password;
    return true;
}

bool TestAccounts::setDisabled(const std::string &userCode, bool disabled, std::string *error) {
    std::lock_guard lock(m_mutex);
    Entry *e = find(userCode);
    if (!e)
        return *error = "no such account", false;
    e->account.disabled = disabled;
    return true;
}

std::vector<gatewayd::Account> TestAccounts::accounts() {
    std::lock_guard lock(m_mutex);
    std::vector<gatewayd::Account> out;
    for (const Entry &e : m_entries)
        out.push_back(e.account);
    return out;
}

int64_t TestAccounts::openSessionRecord(const gatewayd::SessionRecord &record, std::string *) {
    std::lock_guard lock(m_mutex);
    // A test mode runs for minutes, but a benchmark may open sessions by the thousand.
    if (m_records.size() >= 10000) {
        m_records.erase(m_records.begin(), m_records.begin() + 5000);
        m_firstRecordId += 5000;
    }
    m_records.push_back(record);
    return m_firstRecordId + int64_t(m_records.size()) - 1;
}

bool TestAccounts::closeSessionRecord(int64_t id, const gatewayd::SessionRecord &record,
                                      std::string *) {
    std::lock_guard lock(m_mutex);
    if (id >= m_firstRecordId && id - m_firstRecordId < int64_t(m_records.size()))
        m_records[size_t(id - m_firstRecordId)] = record;
    return true; // a record dropped for room is no failure
}

bool TestAccounts::addErrorReport(const gatewayd::ErrorReport &report, int maxCount,
                                  std::string *) {
    std::lock_guard lock(m_mutex);
    m_reports.push_back(report);
    if (maxCount > 0 && m_reports.size() > size_t(maxCount))
        m_reports.erase(m_reports.begin(), m_reports.end() - maxCount);
    return true;
}

std::vector<gatewayd::ErrorReport> TestAccounts::errorReports(int newestCount) {
    std::lock_guard lock(m_mutex);
    const size_t n = std::min(m_reports.size(), size_t(std::max(0, newestCount)));
    return {m_reports.rbegin(), m_reports.rbegin() + std::ptrdiff_t(n)};
}

std::vector<gatewayd::SessionRecord> TestAccounts::sessionRecords(int newestCount) {
    std::lock_guard lock(m_mutex);
    const size_t n = std::min(m_records.size(), size_t(std::max(0, newestCount)));
    return {m_records.end() - std::ptrdiff_t(n), m_records.end()};
}

} // namespace localgw
