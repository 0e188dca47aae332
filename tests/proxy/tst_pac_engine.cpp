// Proxy scripts: the helper functions scripts rely on, the time bound, and scripts that fail.
#include "settings/PacEngine.h"

#include <QtTest>

namespace {

// Wednesday 15 May 2024, 10:30:15 local time.
const QDateTime Now(QDate(2024, 5, 15), QTime(10, 30, 15));

ProxySources scriptSources(int timeoutMs = 1000) {
    ProxySources s;
    s.lookupHost = [](const QString &host) {
        if (host == QLatin1String("known.example"))
            return QStringList{"2001:db8::1", "10.1.2.3"};
        if (host == QLatin1String("v6only.example"))
            return QStringList{"2001:db8::2"};
        return QStringList{};
    };
    s.myIpAddress = [] { return QStringLiteral("192.0.2.7"); };
    s.now = [] { return Now; };
    s.pacTimeoutMs = timeoutMs;
    return s;
}

} // namespace

class TestPacEngine : public QObject {
    Q_OBJECT
private slots:
    void helpers_data();
    void helpers();
    void gmtRanges();
    void findProxyForUrl();
    void endlessScriptsAreStopped();
    void failingScripts_data();
    void failingScripts();
    void helpersObjectIsHidden();
};

void TestPacEngine::helpers_data() {
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("value");
    const auto row = [](const char *expression, const char *value) {
        QTest::newRow(expression) << QString::fromLatin1(expression) << QString::fromLatin1(value);
    };
    row("isPlainHostName('www')", "true");
    row("isPlainHostName('www.quorvia.example')", "false");
    row("dnsDomainIs('www.quorvia.example', '.quorvia.example')", "true");
    row("dnsDomainIs('www', '.quorvia.example')", "false");
    row("localHostOrDomainIs('www.q.example', 'www.q.example')", "true");
    row("localHostOrDomainIs('www', 'www.q.example')", "true");
    row("localHostOrDomainIs('www.other.example', 'www.q.example')", "false");
    row("isResolvable('known.example')", "true");
    row("isResolvable('unknown.example')", "false");
    row("isResolvable('v6only.example')", "false");
    row("dnsResolve('known.example')", "10.1.2.3");
    row("dnsResolve('unknown.example') === null", "true");
    row("isInNet('known.example', '10.1.0.0', '255.255.0.0')", "true");
    row("isInNet('10.2.0.1', '10.1.0.0', '255.255.0.0')", "false");
    row("isInNet('unknown.example', '0.0.0.0', '0.0.0.0')", "false");
    row("isInNet('10.1.2.3', 'bad', '255.0.0.0')", "false");
    row("myIpAddress()", "192.0.2.7");
    row("dnsDomainLevels('www.quorvia.example')", "2");
    row("dnsDomainLevels('www')", "0");
    row("shExpMatch('http://home.example/people/ari/index.html', '*/ari/*')", "true");
    row("shExpMatch('www.quorvia.example', '*.quorvia.*')", "true");
    row("shExpMatch('ab', 'a?')", "true");
    row("shExpMatch('abc', 'a?')", "false");
    row("shExpMatch('x.y', '*.z')", "false");
    row("shExpMatch('aaaaaaaaaaaaaaaaaaaaaaaaaaaaab', '*a*a*a*a*a*a*a*a*c')", "false");
    row("weekdayRange('WED')", "true");
    row("weekdayRange('MON', 'FRI')", "true");
    row("weekdayRange('SAT', 'SUN')", "false");
    row("weekdayRange('FRI', 'TUE')", "false"); // wraps round the weekend
    row("weekdayRange('MON', 'NODAY')", "false");
    row("dateRange(15)", "true");
    row("dateRange('MAY')", "true");
    row("dateRange(2024)", "true");
    row("dateRange('JAN', 'MAR')", "false");
    row("dateRange('DEC', 'JUN')", "true"); // wraps round the new year
    row("dateRange(1, 'MAY', 31, 'MAY')", "true");
    row("dateRange(16, 'MAY', 2024, 1, 'JAN', 2025)", "false");
    row("dateRange('APR', 2024, 'JUN', 2024)", "true");
    row("dateRange(1, 'MAY', 'JUN', 2)", "false"); // the halves name different fields
    row("dateRange(1, 2, 3)", "false");
    row("timeRange(10)", "true");
    row("timeRange(9, 17)", "true");
    row("timeRange(17, 9)", "false");
    row("timeRange(11, 12)", "false");
    row("timeRange(10, 30, 10, 31)", "true");
    row("timeRange(10, 0, 10, 30)", "false"); // the end is not part of the range
    row("timeRange(10, 30, 15, 10, 30, 16)", "true");
    row("timeRange('ten')", "false");
    row("alert('x') === undefined", "true");
}

void TestPacEngine::helpers() {
    QFETCH(QString, expression);
    QFETCH(QString, value);
    PacEngine engine(scriptSources());
    QString error;
    const auto result = engine.evaluate(expression, &error);
    QVERIFY2(result.has_value(), qPrintable(error));
    QCOMPARE(*result, value);
}

void TestPacEngine::gmtRanges() {
    ProxySources s = scriptSources();
    // 23:30 on Sunday in UTC is Monday in a zone two hours ahead.
    const QDateTime utc(QDate(2024, 5, 12), QTime(23, 30), Qt::UTC);
    s.now = [utc] { return utc.toTimeZone(QTimeZone(7200)); };
    PacEngine engine(s);
    QCOMPARE(engine.evaluate("weekdayRange('SUN', 'GMT')").value_or("?"), QString("true"));
    QCOMPARE(engine.evaluate("timeRange(23, 'GMT')").value_or("?"), QString("true"));
    QCOMPARE(engine.evaluate("dateRange(12, 'GMT')").value_or("?"), QString("true"));
}

void TestPacEngine::findProxyForUrl() {
    PacEngine engine(scriptSources());
    QString error;
    QVERIFY2(engine.load("function FindProxyForURL(url, host) {\n"
                         "  if (isPlainHostName(host) || dnsDomainIs(host, '.lan'))\n"
                         "    return 'DIRECT';\n"
                         "  if (url.substring(0, 6) == 'https:') return 'PROXY s:3129';\n"
                         "  return 'PROXY p:3128; DIRECT';\n"
                         "}",
                         &error),
             qPrintable(error));
    QCOMPARE(engine.findProxyForUrl("http://intranet/", "intranet").value_or("?"),
             QString("DIRECT"));
    QCOMPARE(
        engine.findProxyForUrl("https://www.quorvia.example/", "www.quorvia.example").value_or("?"),
        QString("PROXY s:3129"));
    QCOMPARE(
        engine.findProxyForUrl("http://www.quorvia.example/", "www.quorvia.example").value_or("?"),
        QString("PROXY p:3128; DIRECT"));
}

void TestPacEngine::endlessScriptsAreStopped() {
    PacEngine engine(scriptSources(300));
    QString error;
    QVERIFY(engine.load("function FindProxyForURL(u, h) { for (;;) {} }", &error));
    QVERIFY(!engine.findProxyForUrl("http://a/", "a", &error));
    QVERIFY2(error.contains("stopped"), qPrintable(error));
    // Stopping one run does not spoil the next.
    QCOMPARE(engine.evaluate("6 * 7").value_or("?"), QString("42"));

    PacEngine topLevel(scriptSources(300));
    QVERIFY(
        !topLevel.load("while (true) {} function FindProxyForURL() { return 'DIRECT'; }", &error));
    QVERIFY(error.contains("stopped"));

    // Each helper call is bounded too: a script looping over lookups is stopped as well.
    PacEngine lookups(scriptSources(300));
    QVERIFY(!lookups.evaluate("for (var i = 0; ; ++i) dnsResolve('h' + i + '.example');", &error));
    QVERIFY(error.contains("stopped"));
}

void TestPacEngine::failingScripts_data() {
    QTest::addColumn<QString>("script");
    QTest::addColumn<bool>("loads");
    QTest::newRow("syntax error") << "function FindProxyForURL(u, h) {" << false;
    QTest::newRow("no function") << "var FindProxyForURL = 'DIRECT';" << false;
    QTest::newRow("throws at load") << "throw 'broken'; function FindProxyForURL(){}" << false;
    QTest::newRow("throws a string") << "function FindProxyForURL() { throw 'DIRECT'; }" << true;
    QTest::newRow("throws an error") << "function FindProxyForURL() { null.x; }" << true;
    QTest::newRow("returns a number") << "function FindProxyForURL() { return 42; }" << true;
    QTest::newRow("returns nothing") << "function FindProxyForURL() {}" << true;
    QTest::newRow("deep recursion")
        << "function f(n) { return f(n + 1) + 1; } function FindProxyForURL() { return f(0); }"
        << true;
}

void TestPacEngine::failingScripts() {
    QFETCH(QString, script);
    QFETCH(bool, loads);
    PacEngine engine(scriptSources());
    QString error;
    QCOMPARE(engine.load(script, &error), loads);
    QVERIFY(!error.isEmpty() || loads);
    if (loads)
        QVERIFY(!engine.findProxyForUrl("http://a/", "a", &error).has_value());
}

void TestPacEngine::helpersObjectIsHidden() {
    PacEngine engine(scriptSources());
    QCOMPARE(engine.evaluate("typeof p + typeof __pac + typeof g").value_or("?"),
             QString("undefinedundefinedundefined"));
    // A script that replaces a helper only changes its own view.
    QVERIFY(
        engine.load("isPlainHostName = function () { return 'x'; };"
                    "function FindProxyForURL(u, h) { return 'PROXY ' + isPlainHostName(h); }"));
    QCOMPARE(engine.findProxyForUrl("http://a/", "a").value_or("?"), QString("PROXY x"));
}

QTEST_GUILESS_MAIN(TestPacEngine)
#include "tst_pac_engine.moc"
