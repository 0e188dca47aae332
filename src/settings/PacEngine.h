#pragma once
#include "platform/ProxySources.h"

#include <QDateTime>
#include <QString>
#include <QVariantList>

#include <memory>
#include <optional>

class QJSEngine;
class QJSValue;
class PacHelpers;

// Runs a proxy auto-configuration script with the standard helper functions (isPlainHostName,
// dnsDomainIs, localHostOrDomainIs, isResolvable, isInNet, dnsResolve, myIpAddress,
// dnsDomainLevels, shExpMatch, weekdayRange, dateRange, timeRange, alert). Scripts come from
// the network, possibly from whoever answers a WPAD name, so every run is stopped after the
// time bound, and the script sees nothing of this program but those functions.
// An engine belongs to the thread that created it: discovery on a worker makes its own, and a
// call from any other thread fails instead of running.
class PacEngine {
public:
    // Name lookups, the own address and the clock come from `sources`; so does the time bound.
    explicit PacEngine(const ProxySources &sources);
    ~PacEngine();
    PacEngine(const PacEngine &) = delete;
    PacEngine &operator=(const PacEngine &) = delete;

    // Runs the script's top level. False (with the reason) when it fails, runs too long or
    // defines no FindProxyForURL function.
    bool load(const QString &script, QString *error = nullptr);
    // FindProxyForURL(url, host) as text, at most MaxAnswerLength characters; nothing when the
    // call fails, runs too long or does not return a string.
    std::optional<QString> findProxyForUrl(const QString &url, const QString &host,
                                           QString *error = nullptr);
    // Evaluates an expression in the script's global scope under the same bound; its value as
    // text.
    std::optional<QString> evaluate(const QString &expression, QString *error = nullptr);

    static constexpr qsizetype MaxAnswerLength = 64 * 1024;

private:
    // Runs a job under the time bound; the job reports an exception in its argument.
    std::optional<QJSValue> run(const std::function<QJSValue(QString &thrown)> &job,
                                QString *error);
    QJSValue evaluateChecked(const QString &program, QString &thrown);

    int m_timeoutMs;
    // Declared before the engine so that it outlives it.
    std::unique_ptr<PacHelpers> m_helpers;
    std::unique_ptr<QJSEngine> m_engine;
    std::unique_ptr<QJSValue> m_invoker; // calls a function and catches what it throws
};

// The helpers' logic, for the engine and for tests.
namespace Pac {
bool shExpMatch(const QString &text, const QString &pattern);
// IPv4 only, as in every browser's implementation.
bool isInNet(const QString &address, const QString &pattern, const QString &mask);
bool localHostOrDomainIs(const QString &host, const QString &hostdom);
bool dnsDomainIs(const QString &host, const QString &domain);
int dnsDomainLevels(const QString &host);
// Arguments as the script passed them (numbers and strings, "GMT" last when given).
bool weekdayRange(const QVariantList &args, const QDateTime &now);
bool dateRange(const QVariantList &args, const QDateTime &now);
bool timeRange(const QVariantList &args, const QDateTime &now);
} // namespace Pac
