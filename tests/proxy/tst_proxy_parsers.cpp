// The readers of what proxy sources hold: server texts, script answers, bypass lists,
// environment values, prefs.js, profiles.ini, gsettings output and kioslaverc.
#include "platform/ProxySources.h"
#include "settings/ProxyInfo.h"
#include "settings/uProxy_Net.h"

#include <QtTest>

class TestProxyParsers : public QObject {
    Q_OBJECT
private slots:
    void serverSpec_data();
    void serverSpec();
    void pacAnswer_data();
    void pacAnswer();
    void pacAnswerIsBounded();
    void bypass_data();
    void bypass();
    void proxyValueForms_data();
    void proxyValueForms();

    void prefsJs();
    void prefsJsBrokenAndHostileInput();
    void prefsProxyTypes_data();
    void prefsProxyTypes();
    void profilesIni_data();
    void profilesIni();
    void browserKind();

    void gsettingsOutput();
    void kioslaverc();
};

void TestProxyParsers::serverSpec_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::newRow("host and port") << "proxy:3128" << 1 << "proxy"
                                   << "3128"
                                   << ""
                                   << "";
    QTest::newRow("host only") << " proxy " << 1 << "proxy"
                               << ""
                               << ""
                               << "";
    QTest::newRow("port not a number kept") << "proxy:abc" << 1 << "proxy"
                                            << "abc"
                                            << ""
                                            << "";
    QTest::newRow("ipv6") << "[::1]:3128" << 1 << "::1"
                          << "3128"
                          << ""
                          << "";
    QTest::newRow("credentials decoded") << "u%40corp:p%3Aw%40@h:1" << 1 << "h"
                                         << "1"
                                         << "u@corp"
                                         << "p:w@";
    QTest::newRow("empty") << "" << 0 << ""
                           << ""
                           << ""
                           << "";
    QTest::newRow("port without host") << ":80" << 0 << ""
                                       << ""
                                       << ""
                                       << "";
    QTest::newRow("unclosed bracket") << "[::1:80" << 0 << ""
                                      << ""
                                      << ""
                                      << "";
}

void TestProxyParsers::serverSpec() {
    QFETCH(QString, text);
    QFETCH(int, kind);
    QFETCH(QString, host);
    QFETCH(QString, port);
    QFETCH(QString, user);
    QFETCH(QString, password);
    const TServerSpec server = ParseServerSpec(text);
    QCOMPARE(int(server.Kind), kind);
    QCOMPARE(server.Host, host);
    QCOMPARE(server.Port, port);
    QCOMPARE(server.User, user);
    QCOMPARE(server.Password, password);
}

void TestProxyParsers::pacAnswer_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QStringList>("servers"); // "DIRECT" or host:port
    QTest::addColumn<int>("skipped");
    QTest::newRow("direct") << "DIRECT" << QStringList{"DIRECT"} << 0;
    QTest::newRow("proxy then direct")
        << "PROXY p1:3128; DIRECT" << QStringList{"p1:3128", "DIRECT"} << 0;
    QTest::newRow("socks skipped in a list")
        << "PROXY a:1; SOCKS b:2; DIRECT" << QStringList{"a:1", "DIRECT"} << 1;
    QTest::newRow("socks alone") << "SOCKS b:2" << QStringList{} << 1;
    QTest::newRow("socks first") << "SOCKS5 b:2;PROXY a:1" << QStringList{"a:1"} << 1;
    QTest::newRow("case, blanks and empty items")
        << " ;; proxy\tp:80 ;direct;" << QStringList{"p:80", "DIRECT"} << 0;
    QTest::newRow("HTTP keyword, HTTPS skipped")
        << "HTTPS s:443; HTTP h:8080" << QStringList{"h:8080"} << 1;
    QTest::newRow("proxy without server") << "PROXY ; PROXY p" << QStringList{"p:"} << 1;
    QTest::newRow("unknown and glued keywords")
        << "BOGUS x:1; PROXYx:1; DIRECT x" << QStringList{} << 3;
    QTest::newRow("credentials refused") << "PROXY u:p@h:1" << QStringList{} << 1;
}

void TestProxyParsers::pacAnswer() {
    QFETCH(QString, answer);
    QFETCH(QStringList, servers);
    QFETCH(int, skipped);
    QStringList skippedItems;
    const TServerSpecList list = ParsePacAnswer(answer, &skippedItems);
    QStringList found;
    for (const TServerSpec &s : list)
        found << (s.Kind == 0 ? QStringLiteral("DIRECT") : s.Host + QLatin1Char(':') + s.Port);
    QCOMPARE(found, servers);
    QCOMPARE(skippedItems.size(), skipped);
}

void TestProxyParsers::pacAnswerIsBounded() {
    QString many;
    for (int i = 0; i < 10000; ++i)
        many += QStringLiteral("PROXY h%1:1;").arg(i);
    QCOMPARE(ParsePacAnswer(many).size(), MaxPacAnswerItems);
    const QString longHost = QStringLiteral("PROXY ") + QString(200000, QLatin1Char('a'));
    QVERIFY(ParsePacAnswer(longHost).size() <= 1);
}

void TestProxyParsers::bypass_data() {
    QTest::addColumn<QString>("host");
    QTest::addColumn<QStringList>("list");
    QTest::addColumn<bool>("local");
    QTest::addColumn<bool>("bypassed");
    const QStringList domain{"quorvia.example"};
    QTest::newRow("domain covers its hosts") << "www.quorvia.example" << domain << false << true;
    QTest::newRow("domain itself") << "QUORVIA.example." << domain << false << true;
    QTest::newRow("not a suffix of a label")
        << "www.notquorvia.example" << domain << false << false;
    QTest::newRow("leading dot") << "gw001.quorvia.example" << QStringList{".quorvia.example"}
                                 << false << true;
    QTest::newRow("wildcard") << "a.b.local" << QStringList{"*.local"} << false << true;
    QTest::newRow("wildcard needs the dot") << "local" << QStringList{"*.local"} << false << false;
    QTest::newRow("star") << "anything" << QStringList{"*"} << false << true;
    QTest::newRow("name with port")
        << "www.quorvia.example" << QStringList{"quorvia.example:443"} << false << true;
    QTest::newRow("<local> item") << "intranet" << QStringList{"<local>"} << false << true;
    QTest::newRow("<local> flag, dotted host") << "www.x" << QStringList{} << true << false;
    QTest::newRow("<local> is not an address") << "::1" << QStringList{} << true << false;
    QTest::newRow("cidr") << "10.1.2.3" << QStringList{"10.0.0.0/8"} << false << true;
    QTest::newRow("cidr not for names")
        << "ten.example" << QStringList{"10.0.0.0/8"} << false << false;
    QTest::newRow("ipv6 literal") << "[::1]" << QStringList{"::1"} << false << true;
    QTest::newRow("empty entries") << "h" << QStringList{"", " "} << false << false;
}

void TestProxyParsers::bypass() {
    QFETCH(QString, host);
    QFETCH(QStringList, list);
    QFETCH(bool, local);
    QFETCH(bool, bypassed);
    QCOMPARE(HostBypassed(host, list, local), bypassed);
}

void TestProxyParsers::proxyValueForms_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("server");
    QTest::addColumn<bool>("socks");
    QTest::newRow("url with credentials") << "http://user:pw@h:3128/"
                                          << "user:pw@h:3128" << false;
    QTest::newRow("bare") << "h:8080"
                          << "h:8080" << false;
    QTest::newRow("no port") << "http://h/"
                             << "h" << false;
    QTest::newRow("https scheme") << "HTTPS://h:443"
                                  << "h:443" << false;
    QTest::newRow("encoded credentials") << "http://d%5Cuser:p%40ss@h:1"
                                         << "d%5Cuser:p%40ss@h:1" << false;
    QTest::newRow("kde blank port") << "http://kde.example 3128"
                                    << "kde.example:3128" << false;
    QTest::newRow("ipv6") << "http://[::1]:3128"
                          << "[::1]:3128" << false;
    QTest::newRow("socks") << "socks5h://s:1080"
                           << "s:1080" << true;
    QTest::newRow("other scheme") << "ftp://f:21"
                                  << "" << false;
    QTest::newRow("blanks inside") << "a b c"
                                   << "" << false;
    QTest::newRow("port zero") << "h:0"
                               << "" << false;
    QTest::newRow("empty") << "   "
                           << "" << false;
    QTest::newRow("oversized") << QString(5000, QLatin1Char('h')) << "" << false;
}

void TestProxyParsers::proxyValueForms() {
    QFETCH(QString, value);
    QFETCH(QString, server);
    QFETCH(bool, socks);
    bool isSocks = !socks;
    QCOMPARE(ProxyServerFromUrlText(value, &isSocks), server);
    QCOMPARE(isSocks, socks);
}

void TestProxyParsers::prefsJs() {
    const QByteArray text =
        "// Mozilla User Preferences\n"
        "/* Do not edit this file.\n user_pref(\"network.proxy.type\", 4); */\n"
        "user_pref(\"browser.startup.page\", 3);\n"
        "user_pref(\"network.proxy.http\", \"proxy.local\");\n"
        "user_pref(\"network.proxy.http_port\", 3128);\n"
        "// user_pref(\"network.proxy.http_port\", 1);\n"
        "user_pref(\"network.proxy.no_proxies_on\", \"localhost, \\\"q\\\"\\u00e9.example\");\n"
        "user_pref('network.proxy.share_proxy_settings', true);\n"
        "user_pref(\"network.proxy.type\", 1);\n"
        "user_pref(\"network.proxy.type\", -2);user_pref(\"network.proxy.type\",1)\n";
    const auto prefs = ParseMozillaPrefs(text);
    QCOMPARE(prefs.value("network.proxy.http").toString(), QString("proxy.local"));
    QCOMPARE(prefs.value("network.proxy.http_port").toLongLong(), 3128);
    QCOMPARE(prefs.value("network.proxy.type").toLongLong(), 1);
    QCOMPARE(prefs.value("network.proxy.no_proxies_on").toString(),
             QString::fromUtf8("localhost, \"q\"\u00e9.example"));
    QCOMPARE(prefs.value("network.proxy.share_proxy_settings").toBool(), true);
    QVERIFY(!prefs.contains("browser.startup.page")); // only proxy preferences are kept
}

void TestProxyParsers::prefsJsBrokenAndHostileInput() {
    // Broken statements are skipped; the next line still counts.
    const QByteArray text = "user_pref(\"network.proxy.http\", \"unterminated);\n"
                            "user_pref(\"network.proxy.ssl\" \"no comma\");\n"
                            "garbage ( ; \"\n"
                            "user_pref(\"network.proxy.ssl_port\", 99999999999999999999999);\n"
                            "user_pref(\"network.proxy.ssl\", \"ok.example\");\n"
                            "/* never closed";
    const auto prefs = ParseMozillaPrefs(text);
    QCOMPARE(prefs.value("network.proxy.ssl").toString(), QString("ok.example"));
    QVERIFY(!prefs.contains("network.proxy.http"));
    QVERIFY(!prefs.contains("network.proxy.ssl_port"));

    // Many distinct proxy preferences: the count is bounded, and a file over the size bound
    // is not read at all.
    QByteArray many;
    for (int i = 0; i < 5000; ++i)
        many += "user_pref(\"network.proxy.x" + QByteArray::number(i) + "\", 1);\n";
    QVERIFY(ParseMozillaPrefs(many).size() <= 256);
    QByteArray huge(MaxPrefsBytes + 1, ' ');
    huge.prepend("user_pref(\"network.proxy.type\", 1);");
    QVERIFY(ParseMozillaPrefs(huge).isEmpty());
}

void TestProxyParsers::prefsProxyTypes_data() {
    QTest::addColumn<QByteArray>("prefs");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("proxyString");
    QTest::addColumn<QString>("detail"); // bypass or script URL
    const QByteArray servers = "user_pref(\"network.proxy.http\", \"h.example\");"
                               "user_pref(\"network.proxy.http_port\", 3128);"
                               "user_pref(\"network.proxy.ssl\", \"s.example\");"
                               "user_pref(\"network.proxy.ssl_port\", 3129);"
                               "user_pref(\"network.proxy.autoconfig_url\", \"http://pac/x.pac\");"
                               "user_pref(\"network.proxy.no_proxies_on\", \"a.example, .b\");";
    const auto type = [](int t) {
        return "user_pref(\"network.proxy.type\", " + QByteArray::number(t) + ");";
    };
    QTest::newRow("no type: the system's")
        << servers << int(DesktopProxySettings::NotConfigured) << ""
        << "";
    QTest::newRow("0 direct") << servers + type(0) << int(DesktopProxySettings::Direct) << ""
                              << "";
    QTest::newRow("1 manual") << servers + type(1) << int(DesktopProxySettings::Manual)
                              << "http=h.example:3128;https=s.example:3129"
                              << "a.example;.b";
    QTest::newRow("1 manual, shared")
        << servers + type(1) + "user_pref(\"network.proxy.share_proxy_settings\", true);"
        << int(DesktopProxySettings::Manual) << "http=h.example:3128;https=h.example:3128"
        << "a.example;.b";
    QTest::newRow("1 manual, port out of range")
        << "user_pref(\"network.proxy.http\", \"h\");user_pref(\"network.proxy.http_port\", 0);" +
               type(1)
        << int(DesktopProxySettings::Manual) << ""
        << "";
    QTest::newRow("2 script") << servers + type(2) << int(DesktopProxySettings::ScriptUrl) << ""
                              << "http://pac/x.pac";
    QTest::newRow("2 without address") << type(2) << int(DesktopProxySettings::NotConfigured) << ""
                                       << "";
    QTest::newRow("4 auto-detect")
        << servers + type(4) << int(DesktopProxySettings::AutoDetect) << ""
        << "";
    QTest::newRow("5 system") << servers + type(5) << int(DesktopProxySettings::NotConfigured) << ""
                              << "";
    QTest::newRow("type as text") << servers + "user_pref(\"network.proxy.type\", \"1\");"
                                  << int(DesktopProxySettings::Manual)
                                  << "http=h.example:3128;https=s.example:3129"
                                  << "a.example;.b";
}

void TestProxyParsers::prefsProxyTypes() {
    QFETCH(QByteArray, prefs);
    QFETCH(int, mode);
    QFETCH(QString, proxyString);
    QFETCH(QString, detail);
    const DesktopProxySettings s = ProxySettingsFromPrefs(ParseMozillaPrefs(prefs));
    QCOMPARE(int(s.mode), mode);
    QCOMPARE(s.proxyString, proxyString);
    QCOMPARE(mode == DesktopProxySettings::ScriptUrl ? s.scriptUrl : s.bypassString, detail);
}

void TestProxyParsers::profilesIni_data() {
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QString>("profile");
    const QByteArray profiles = "[General]\nStartWithLastProfile=1\n\n"
                                "[Profile1]\nName=other\nIsRelative=1\nPath=b.other\n\n"
                                "[Profile0]\nName=default\nIsRelative=1\nPath=a.default\n"
                                "Default=1\n";
    QTest::newRow("install section wins")
        << profiles + "[Install4F96D1932A9F858E]\nDefault=c.default-release\nLocked=1\n"
        << "c.default-release";
    QTest::newRow("default profile") << profiles << "a.default";
    QTest::newRow("first profile")
        << QByteArray("[Profile0]\r\nPath=/abs/first\r\n[Profile1]\r\nPath=second\r\n")
        << "/abs/first";
    QTest::newRow("no profile") << QByteArray("[General]\nVersion=2\n") << "";
    QTest::newRow("garbage") << QByteArray("\0\xff[[=]\n=x\n[Profile0\nPath=p", 24) << "";
}

void TestProxyParsers::profilesIni() {
    QFETCH(QByteArray, ini);
    QFETCH(QString, profile);
    QCOMPARE(ProfileFromProfilesIni(ini), profile);
}

void TestProxyParsers::browserKind() {
    QCOMPARE(BrowserKindFromId("firefox-esr.desktop"), BrowserKind::Firefox);
    // The flatpak name holds both words; it is Firefox.
    QCOMPARE(BrowserKindFromId("org.mozilla.firefox.desktop"), BrowserKind::Firefox);
    QCOMPARE(BrowserKindFromId("seamonkey.desktop"), BrowserKind::Mozilla);
    QCOMPARE(BrowserKindFromId("chromium.desktop"), BrowserKind::System);
    QCOMPARE(BrowserKindFromId(""), BrowserKind::System);
}

void TestProxyParsers::gsettingsOutput() {
    const QByteArray manual =
        "org.gnome.system.proxy.http host 'gnome.example'\n"
        "org.gnome.system.proxy.http port 3128\n"
        "org.gnome.system.proxy.http use-authentication true\n"
        "org.gnome.system.proxy.http authentication-user 'd\\\\op'\n"
        "org.gnome.system.proxy.http authentication-password \"it's;@\"\n"
        "org.gnome.system.proxy.https host 'secure.example'\n"
        "org.gnome.system.proxy.https port uint32 0\n"
        "org.gnome.system.proxy.socks host 'socks.example'\n"
        "org.gnome.system.proxy.socks port 1080\n"
        "org.gnome.system.proxy mode 'manual'\n"
        "org.gnome.system.proxy autoconfig-url ''\n"
        "org.gnome.system.proxy ignore-hosts ['localhost', '127.0.0.0/8', '*.quorvia.example']\n";
    DesktopProxySettings s = ParseGsettingsProxy(manual);
    QCOMPARE(s.mode, DesktopProxySettings::Manual);
    QCOMPARE(s.bypassString, QString("localhost;127.0.0.0/8;*.quorvia.example"));
    TProxyInfo info;
    QVERIFY(info.Apply(s, ProxySources{}));
    QCOMPARE(info.ServerFor(TProxyInfo::SlotHttp).Host, QString("gnome.example"));
    QCOMPARE(info.ServerFor(TProxyInfo::SlotHttp).Port, QString("3128"));
    QCOMPARE(info.ServerFor(TProxyInfo::SlotHttp).User, QString("d\\op"));
    QCOMPARE(info.ServerFor(TProxyInfo::SlotHttp).Password, QString("it's;@"));
    QCOMPARE(info.ServerFor(TProxyInfo::SlotHttps).Host, QString("secure.example"));
    QCOMPARE(info.ServerFor(TProxyInfo::SlotHttps).Port, QString()); // port 0: none given
    QCOMPARE(info.ServerFor(TProxyInfo::SlotSocks).Host, QString("socks.example"));

    s = ParseGsettingsProxy("org.gnome.system.proxy mode 'auto'\n"
                            "org.gnome.system.proxy autoconfig-url 'http://pac.example/p.pac'\n");
    QCOMPARE(s.mode, DesktopProxySettings::ScriptUrl);
    QCOMPARE(s.scriptUrl, QString("http://pac.example/p.pac"));
    s = ParseGsettingsProxy("org.gnome.system.proxy mode 'auto'\n"
                            "org.gnome.system.proxy autoconfig-url ''\n");
    QCOMPARE(s.mode, DesktopProxySettings::AutoDetect);
    s = ParseGsettingsProxy("org.gnome.system.proxy.http host 'x'\n"
                            "org.gnome.system.proxy mode 'none'\n");
    QCOMPARE(s.mode, DesktopProxySettings::NotConfigured);
    QCOMPARE(ParseGsettingsProxy("No such schema \xe2\x80\x9corg.gnome\n").mode,
             DesktopProxySettings::NotConfigured);
}

void TestProxyParsers::kioslaverc() {
    ProxySources env;
    env.environment = [](const QString &name) {
        return name == QLatin1String("MY_PROXY") ? QStringLiteral("http://envkde:1") : QString();
    };
    DesktopProxySettings s = ParseKioslaverc("[Proxy Settings]\nProxyType=1\n"
                                             "httpProxy=http://kde.example 3128\n"
                                             "httpsProxy=kde.example:3129\n"
                                             "NoProxyFor=localhost,.quorvia.example\n"
                                             "ReversedException=false\n",
                                             env);
    QCOMPARE(s.mode, DesktopProxySettings::Manual);
    QCOMPARE(s.proxyString, QString("http=kde.example:3128;https=kde.example:3129"));
    QCOMPARE(s.bypassString, QString("localhost;.quorvia.example"));
    QVERIFY(!s.bypassReversed);

    s = ParseKioslaverc("[Proxy Settings]\nProxyType=2\nProxy Config Script=file:///etc/p.pac\n",
                        env);
    QCOMPARE(s.mode, DesktopProxySettings::ScriptUrl);
    QCOMPARE(s.scriptUrl, QString("file:///etc/p.pac"));
    QCOMPARE(ParseKioslaverc("[Proxy Settings]\nProxyType=3\n", env).mode,
             DesktopProxySettings::AutoDetect);
    QCOMPARE(ParseKioslaverc("[Proxy Settings]\nProxyType=0\nhttpProxy=h:1\n", env).mode,
             DesktopProxySettings::NotConfigured);

    s = ParseKioslaverc("[Proxy Settings]\nProxyType=4\nhttpProxy=MY_PROXY\n", env);
    QCOMPARE(s.mode, DesktopProxySettings::Manual);
    QCOMPARE(s.source, QString("KDE"));
    QVERIFY(s.proxyString.contains("http=envkde:1"));

    // Only the hosts listed use the proxy.
    s = ParseKioslaverc("[Proxy Settings]\nProxyType=1\nhttpProxy=h:1\n"
                        "NoProxyFor=inside.example\nReversedException=true\n",
                        env);
    TProxyInfo info;
    QVERIFY(info.Apply(s, env));
    TServerSpecList list;
    info.FindProxy("http://inside.example/", list);
    QCOMPARE(list.value(0).Host, QString("h"));
    info.FindProxy("http://outside.example/", list);
    QCOMPARE(int(list.value(0).Kind), 0);
}

QTEST_GUILESS_MAIN(TestProxyParsers)
#include "tst_proxy_parsers.moc"
