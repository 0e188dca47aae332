#include "settings/PacEngine.h"

#include <QHash>
#include <QHostAddress>
#include <QJSEngine>
#include <QJSValue>
#include <QObject>
#include <QThread>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

// Longer texts make helpers answer false: a script must not make C++ code run unbounded
// outside the engine's interruption checks.
constexpr qsizetype MaxHelperText = 64 * 1024;
constexpr qsizetype MaxPatternLength = 1024;
// Name lookups one script may cause; each may take the resolver's time bound.
constexpr int MaxLookups = 32;

// Interrupts the engine from another thread when a run takes longer than the bound.
class Watchdog {
public:
    Watchdog(QJSEngine *engine, int timeoutMs)
        : m_thread([this, engine, timeoutMs] {
              std::unique_lock lock(m_mutex);
              if (!m_done.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                   [this] { return m_finished; }))
                  engine->setInterrupted(true);
          }) {}
    ~Watchdog() {
        {
            std::lock_guard lock(m_mutex);
            m_finished = true;
        }
        m_done.notify_all();
        m_thread.join();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_done;
    bool m_finished = false;
    std::thread m_thread; // last: starts once the members above exist
};

const char *const HelperInstaller = R"JS(
(function (g, p) {
    g.isPlainHostName = function (host) { return p.isPlainHostName(String(host)); };
    g.dnsDomainIs = function (host, domain) { return p.dnsDomainIs(String(host), String(domain)); };
    g.localHostOrDomainIs = function (host, hostdom) {
        return p.localHostOrDomainIs(String(host), String(hostdom));
    };
    g.dnsResolve = function (host) { var a = p.dnsResolve(String(host)); return a === "" ? null : a; };
    g.isResolvable = function (host) { return p.dnsResolve(String(host)) !== ""; };
    g.isInNet = function (host, pattern, mask) {
        var a = p.dnsResolve(String(host));
        return a !== "" && p.isInNet(a, String(pattern), String(mask));
    };
    g.myIpAddress = function () { return p.myIpAddress(); };
    g.dnsDomainLevels = function (host) { return p.dnsDomainLevels(String(host)); };
    g.shExpMatch = function (str, pattern) { return p.shExpMatch(String(str), String(pattern)); };
    g.weekdayRange = function () { return p.weekdayRange(Array.prototype.slice.call(arguments)); };
    g.dateRange = function () { return p.dateRange(Array.prototype.slice.call(arguments)); };
    g.timeRange = function () { return p.timeRange(Array.prototype.slice.call(arguments)); };
    g.alert = function () {};
})
)JS";

QStringList upperStrings(const QVariantList &args) {
    QStringList list;
    for (const QVariant &v : args)
        list.append(v.toString().toUpper());
    return list;
}

// Drops a trailing "GMT" and says which clock the range is about.
QDateTime clockFor(QVariantList &args, const QDateTime &now) {
    if (!args.isEmpty() && args.last().typeId() == QMetaType::QString &&
        args.last().toString().compare(QLatin1String("GMT"), Qt::CaseInsensitive) == 0) {
        args.removeLast();
        return now.toUTC();
    }
    return now.toLocalTime();
}

int weekdayNumber(const QString &name) {
    static const QStringList days{"SUN", "MON", "TUE", "WED", "THU", "FRI", "SAT"};
    return int(days.indexOf(name.toUpper()));
}

int monthNumber(const QString &name) {
    static const QStringList months{"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                    "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    const qsizetype i = months.indexOf(name.toUpper());
    return i < 0 ? -1 : int(i) + 1;
}

// start..end, both inclusive, wrapping round when start is after end.
bool inRange(qint64 value, qint64 start, qint64 end) {
    return start <= end ? (start <= value && value <= end) : (value >= start || value <= end);
}

bool isNumber(const QVariant &v) {
    bool ok = false;
    v.toDouble(&ok);
    return ok && v.typeId() != QMetaType::QString;
}

} // namespace

namespace Pac {

bool shExpMatch(const QString &text, const QString &pattern) {
    if (text.size() > MaxHelperText || pattern.size() > MaxPatternLength)
        return false;
    // Glob matching with one back-up point per "*": linear in practice, text × pattern at worst.
    qsizetype t = 0, p = 0, starP = -1, starT = 0;
    while (t < text.size()) {
        if (p < pattern.size() && (pattern[p] == QLatin1Char('?') || pattern[p] == text[t])) {
            ++t;
            ++p;
        } else if (p < pattern.size() && pattern[p] == QLatin1Char('*')) {
            starP = p++;
            starT = t;
        } else if (starP >= 0) {
            p = starP + 1;
            t = ++starT;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == QLatin1Char('*'))
        ++p;
    return p == pattern.size();
}

bool isInNet(const QString &address, const QString &pattern, const QString &mask) {
    const QHostAddress a(address), n(pattern), m(mask);
    if (a.protocol() != QAbstractSocket::IPv4Protocol ||
        n.protocol() != QAbstractSocket::IPv4Protocol ||
        m.protocol() != QAbstractSocket::IPv4Protocol)
        return false;
    const quint32 bits = m.toIPv4Address();
    return (a.toIPv4Address() & bits) == (n.toIPv4Address() & bits);
}

bool dnsDomainIs(const QString &host, const QString &domain) {
    return host.size() >= domain.size() && host.endsWith(domain, Qt::CaseInsensitive);
}

bool localHostOrDomainIs(const QString &host, const QString &hostdom) {
    if (host.compare(hostdom, Qt::CaseInsensitive) == 0)
        return true;
    return !host.isEmpty() && !host.contains(QLatin1Char('.')) &&
           hostdom.startsWith(host + QLatin1Char('.'), Qt::CaseInsensitive);
}

int dnsDomainLevels(const QString &host) {
    return int(host.count(QLatin1Char('.')));
}

bool weekdayRange(const QVariantList &arguments, const QDateTime &now) {
    QVariantList args = arguments;
    const QDateTime clock = clockFor(args, now);
    if (args.isEmpty() || args.size() > 2)
        return false;
    const QStringList names = upperStrings(args);
    const int first = weekdayNumber(names[0]);
    const int last = names.size() == 2 ? weekdayNumber(names[1]) : first;
    if (first < 0 || last < 0)
        return false;
    return inRange(clock.date().dayOfWeek() % 7, first, last);
}

bool dateRange(const QVariantList &arguments, const QDateTime &now) {
    QVariantList args = arguments;
    const QDateTime clock = clockFor(args, now);
    const qsizetype n = args.size();
    if (n == 0 || n > 6 || (n > 1 && n % 2 != 0))
        return false;
    enum Field { Day, Month, Year };
    struct Part {
        Field field;
        int value;
    };
    QList<Part> parts;
    for (const QVariant &v : std::as_const(args)) {
        if (isNumber(v)) {
            const int number = v.toInt();
            if (number >= 1 && number <= 31)
                parts.append({Day, number});
            else if (number >= 1000 && number <= 9999)
                parts.append({Year, number});
            else
                return false;
        } else {
            const int month = monthNumber(v.toString());
            if (month < 0)
                return false;
            parts.append({Month, month});
        }
    }
    const QDate today = clock.date();
    const auto current = [&](Field f) {
        return f == Day ? today.day() : f == Month ? today.month() : today.year();
    };
    if (n == 1)
        return current(parts[0].field) == parts[0].value;

    // Each half names the same fields in the same order; they are compared as one number
    // built from the largest field down.
    const qsizetype half = n / 2;
    qint64 start = 0, end = 0, value = 0;
    QList<Field> order;
    for (qsizetype i = 0; i < half; ++i) {
        if (parts[i].field != parts[i + half].field || order.contains(parts[i].field))
            return false;
        order.append(parts[i].field);
    }
    for (Field f : {Year, Month, Day}) {
        const qsizetype i = order.indexOf(f);
        if (i < 0)
            continue;
        start = start * 10000 + parts[i].value;
        end = end * 10000 + parts[i + half].value;
        value = value * 10000 + current(f);
    }
    return inRange(value, start, end);
}

bool timeRange(const QVariantList &arguments, const QDateTime &now) {
    QVariantList args = arguments;
    const QDateTime clock = clockFor(args, now);
    const qsizetype n = args.size();
    if (n != 1 && n != 2 && n != 4 && n != 6)
        return false;
    QList<int> v;
    for (const QVariant &a : std::as_const(args)) {
        if (!isNumber(a))
            return false;
        v.append(a.toInt());
    }
    const QTime t = clock.time();
    if (n == 1)
        return t.hour() == v[0];
    // Compared at the precision the arguments give; the end is exclusive, except that a range
    // ending where it starts covers that one hour, minute or second.
    qint64 start, end, current;
    if (n == 2) {
        start = v[0];
        end = v[1];
        current = t.hour();
    } else if (n == 4) {
        start = v[0] * 60 + v[1];
        end = v[2] * 60 + v[3];
        current = t.hour() * 60 + t.minute();
    } else {
        start = v[0] * 3600 + v[1] * 60 + v[2];
        end = v[3] * 3600 + v[4] * 60 + v[5];
        current = t.hour() * 3600 + t.minute() * 60 + t.second();
    }
    if (start == end)
        return current == start;
    if (start < end)
        return start <= current && current < end;
    return current >= start || current < end;
}

} // namespace Pac

class PacHelpers : public QObject {
    Q_OBJECT
public:
    explicit PacHelpers(const ProxySources &sources)
        : m_lookupHost(sources.lookupHost), m_myIpAddress(sources.myIpAddress), m_now(sources.now) {
    }

    Q_INVOKABLE bool isPlainHostName(const QString &host) const {
        return !host.contains(QLatin1Char('.'));
    }
    Q_INVOKABLE bool dnsDomainIs(const QString &host, const QString &domain) const {
        return Pac::dnsDomainIs(host, domain);
    }
    Q_INVOKABLE bool localHostOrDomainIs(const QString &host, const QString &hostdom) const {
        return Pac::localHostOrDomainIs(host, hostdom);
    }
    // The first IPv4 address of a name, or "" when it has none.
    Q_INVOKABLE QString dnsResolve(const QString &host) {
        if (host.isEmpty() || host.size() > 255)
            return {};
        const auto cached = m_resolved.constFind(host.toLower());
        if (cached != m_resolved.constEnd())
            return *cached;
        QString address;
        const QHostAddress literal(host);
        if (!literal.isNull()) {
            if (literal.protocol() == QAbstractSocket::IPv4Protocol)
                address = literal.toString();
        } else if (m_lookupHost && m_lookups < MaxLookups) {
            ++m_lookups;
            for (const QString &a : m_lookupHost(host)) {
                if (QHostAddress(a).protocol() == QAbstractSocket::IPv4Protocol) {
                    address = a;
                    break;
                }
            }
        }
        m_resolved.insert(host.toLower(), address);
        return address;
    }
    Q_INVOKABLE bool isInNet(const QString &address, const QString &pattern,
                             const QString &mask) const {
        return Pac::isInNet(address, pattern, mask);
    }
    Q_INVOKABLE QString myIpAddress() const {
        const QString own = m_myIpAddress ? m_myIpAddress() : QString();
        return own.isEmpty() ? QStringLiteral("127.0.0.1") : own;
    }
    Q_INVOKABLE int dnsDomainLevels(const QString &host) const {
        return Pac::dnsDomainLevels(host);
    }
    Q_INVOKABLE bool shExpMatch(const QString &text, const QString &pattern) const {
        return Pac::shExpMatch(text, pattern);
    }
    Q_INVOKABLE bool weekdayRange(const QVariantList &args) const {
        return Pac::weekdayRange(args, now());
    }
    Q_INVOKABLE bool dateRange(const QVariantList &args) const {
        return Pac::dateRange(args, now());
    }
    Q_INVOKABLE bool timeRange(const QVariantList &args) const {
        return Pac::timeRange(args, now());
    }

private:
    QDateTime now() const { return m_now ? m_now() : QDateTime::currentDateTime(); }

    std::function<QStringList(const QString &)> m_lookupHost;
    std::function<QString()> m_myIpAddress;
    std::function<QDateTime()> m_now;
    QHash<QString, QString> m_resolved;
    int m_lookups = 0;
};

PacEngine::PacEngine(const ProxySources &sources)
    : m_timeoutMs(sources.pacTimeoutMs > 0 ? sources.pacTimeoutMs : 5000),
      m_helpers(std::make_unique<PacHelpers>(sources)), m_engine(std::make_unique<QJSEngine>()) {
    QJSEngine::setObjectOwnership(m_helpers.get(), QJSEngine::CppOwnership);
    // The helpers object is handed to the installer only, so a script cannot reach it (or its
    // deleteLater) by name.
    const QJSValue installer = m_engine->evaluate(QString::fromUtf8(HelperInstaller));
    installer.call({m_engine->globalObject(), m_engine->newQObject(m_helpers.get())});
    m_invoker = std::make_unique<QJSValue>(
        m_engine->evaluate(QStringLiteral("(function (f, u, h) {"
                                          "  try { return { ok: true, value: f(u, h) }; }"
                                          "  catch (e) { return { ok: false, value: String(e) }; }"
                                          "})")));
}

PacEngine::~PacEngine() = default;

std::optional<QJSValue> PacEngine::run(const std::function<QJSValue(QString &)> &job,
                                       QString *error) {
    if (QThread::currentThread() != m_engine->thread()) {
        // A script engine is bound to the thread that made it; another thread would corrupt it.
        if (error)
            *error = QStringLiteral("the script engine belongs to another thread");
        return std::nullopt;
    }
    QJSValue value;
    QString thrown;
    {
        Watchdog watchdog(m_engine.get(), m_timeoutMs);
        value = job(thrown);
    }
    // Checked after the watchdog is gone: an interruption that came just after the run ended
    // would otherwise stop the next one at once.
    const bool stopped = m_engine->isInterrupted();
    m_engine->setInterrupted(false);
    if (m_engine->hasError() && thrown.isEmpty())
        thrown = m_engine->catchError().toString();
    if (stopped) {
        if (error)
            *error = QStringLiteral("stopped after %1 ms").arg(m_timeoutMs);
        return std::nullopt;
    }
    if (!thrown.isEmpty()) {
        if (error)
            *error = thrown.left(200);
        return std::nullopt;
    }
    return value;
}

QJSValue PacEngine::evaluateChecked(const QString &program, QString &thrown) {
    QStringList stack;
    QJSValue value = m_engine->evaluate(program, QStringLiteral("proxy.pac"), 1, &stack);
    // An exception is told apart from a value by its stack trace: a thrown string is no error
    // object.
    if (!stack.isEmpty())
        thrown = QStringLiteral("exception: ") + value.toString();
    return value;
}

bool PacEngine::load(const QString &script, QString *error) {
    const auto result =
        run([&](QString &thrown) { return evaluateChecked(script, thrown); }, error);
    if (!result)
        return false;
    if (!m_engine->globalObject().property(QStringLiteral("FindProxyForURL")).isCallable()) {
        if (error)
            *error = QStringLiteral("no FindProxyForURL function");
        return false;
    }
    return true;
}

std::optional<QString> PacEngine::findProxyForUrl(const QString &url, const QString &host,
                                                  QString *error) {
    const QJSValue function = m_engine->globalObject().property(QStringLiteral("FindProxyForURL"));
    if (!function.isCallable()) {
        if (error)
            *error = QStringLiteral("no FindProxyForURL function");
        return std::nullopt;
    }
    const auto result = run(
        [&](QString &thrown) {
            // call() hands back a thrown value as if it had been returned.
            const QJSValue outcome = m_invoker->call({function, url, host});
            if (!outcome.property(QStringLiteral("ok")).toBool())
                thrown = QStringLiteral("exception: ") +
                         outcome.property(QStringLiteral("value")).toString();
            return outcome.property(QStringLiteral("value"));
        },
        error);
    if (!result)
        return std::nullopt;
    if (!result->isString()) {
        if (error)
            *error = QStringLiteral("the answer is not a string");
        return std::nullopt;
    }
    return result->toString().left(MaxAnswerLength);
}

std::optional<QString> PacEngine::evaluate(const QString &expression, QString *error) {
    const auto result =
        run([&](QString &thrown) { return evaluateChecked(expression, thrown); }, error);
    if (!result)
        return std::nullopt;
    return result->toString().left(MaxAnswerLength);
}

#include "PacEngine.moc"
