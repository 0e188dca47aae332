#include <QtTest>

#include "common/AdminVars.h"
#include "common/VersionText.h"
#include "gateway/GatewayRequests.h"
#include "gateway/Url_Utils.h"
#include "gateway/UrlsAdmin.h"
#include "settings/ServiceConfig.h"
#include "settings/uIniFiles.h"

#include <QUrlQuery>
#include <thread>

class TestGatewayHelpers : public QObject {
    Q_OBJECT
private slots:
    void encodeKeepsOnlyLettersAndDigits() {
        QCOMPARE(EncodeQueryValue("a b-c.d"), QByteArray("a%20b%2Dc%2Ed"));
        QCOMPARE(EncodeQueryValue(""), QByteArray());
        QCOMPARE(EncodeQueryValue("Az09"), QByteArray("Az09"));
        // Bytes above 127 (Windows-1252 letters) are escaped like any other byte.
        QCOMPARE(EncodeQueryValue("\xe9_%&="), QByteArray("%E9%5F%25%26%3D"));
        QCOMPARE(EncodeQueryValue(QByteArray("\0\xff", 2)), QByteArray("%00%FF"));
    }

    void getUrlParamFindsDecodedFields() {
        QByteArray v;
        QVERIFY(GetUrlParam("key=ab%2fc+d&gw=3", "KEY", v));
        QCOMPARE(v, QByteArray("ab/c d"));
        QVERIFY(GetUrlParam("key=ab%2fc+d&gw=3", "gw", v));
        QCOMPARE(v, QByteArray("3"));
        v = "stale";
        QVERIFY(!GetUrlParam("key=ab%2fc+d&gw=3", "k", v));
        QVERIFY(v.isEmpty());
    }

    void getUrlParamQuirks() {
        QByteArray v;
        // A leading word without "=" joins the first field's name.
        QVERIFY(!GetUrlParam("GW:5", "gw", v));
        QVERIFY(!GetUrlParam("Logon&IP=1&HN=x", "IP", v));
        QVERIFY(GetUrlParam("Logon&IP=1&HN=x", "HN", v));
        QCOMPARE(v, QByteArray("x"));
        // First match wins; an empty value is found; a bad escape stays as it is.
        QVERIFY(GetUrlParam("a=1&A=2", "a", v));
        QCOMPARE(v, QByteArray("1"));
        QVERIFY(GetUrlParam("a=&b=2", "a", v));
        QVERIFY(v.isEmpty());
        QVERIFY(GetUrlParam("a=%zz%4", "a", v));
        QCOMPARE(v, QByteArray("%zz%4"));
        QVERIFY(GetUrlParam("a=%41%4a%4A", "a", v));
        QCOMPARE(v, QByteArray("AJJ"));
        // A name may not run past its "=" into the next field.
        QVERIFY(!GetUrlParam("ab=1", "a", v));
        QVERIFY(!GetUrlParam("", "a", v));
    }

    void dyValuesAreConsecutiveAcrossCallersAndThreads() {
        const int before = RequestCounterValue();
        QCOMPARE(NextDyParam(true), "?dy=" + QByteArray::number(before + 1));
        QCOMPARE(NextDyParam(), "&dy=" + QByteArray::number(before + 2));
        const QByteArray poll = GatewayRequests::poll("https://gw001.x/", "k");
        QVERIFY(poll.endsWith("&dy=" + QByteArray::number(before + 3)));
        const QByteArray pic = GatewayRequests::fullPicture("https://gw001.x/", "k");
        QVERIFY(pic.endsWith("&dy=" + QByteArray::number(before + 4)));
        // The file transfer window's channels draw from the same counter on another thread:
        // no value is ever handed out twice.
        std::vector<QByteArray> a, b;
        std::thread t1([&] {
            for (int i = 0; i < 1000; ++i)
                a.push_back(NextDyParam());
        });
        std::thread t2([&] {
            for (int i = 0; i < 1000; ++i)
                b.push_back(NextDyParam());
        });
        t1.join();
        t2.join();
        QSet<QByteArray> all(a.begin(), a.end());
        all.unite(QSet<QByteArray>(b.begin(), b.end()));
        QCOMPARE(all.size(), 2000);
        QCOMPARE(RequestCounterValue(), before + 2004);
    }

    void requestTable_data() {
        QTest::addColumn<QByteArray>("url");
        QTest::addColumn<QByteArray>("expected"); // without the dy part
        const QByteArray g = "https://gw007.example.net/";
        const QByteArray key = "a b/1";
        QTest::newRow("logon")
            << GatewayRequests::logon(g, "op 1", "p&w", "PC-1", "A100")
            << g + "16?user=op%201&pass=p%26w&name=PC%2D1&vers=A100&dack=0&prot=1";
        QTest::newRow("poll") << GatewayRequests::poll(g, key) << g + "03?key=a%20b%2F1";
        QTest::newRow("command") << GatewayRequests::command(g, key, "MoMo?10,20")
                                 << g + "01?key=a%20b%2F1&string=MoMo%3F10%2C20";
        QTest::newRow("control") << GatewayRequests::control(g, key, "22", "skey=A&addr=b")
                                 << g + "22?key=a%20b%2F1&skey=A&addr=b";
        QTest::newRow("control bare")
            << GatewayRequests::control(g, key, "15", "") << g + "15?key=a%20b%2F1";
        QTest::newRow("logoff") << GatewayRequests::logoff(g, key) << g + "17?key=a%20b%2F1";
        QTest::newRow("list") << GatewayRequests::stringList(g, key) << g + "09?key=a%20b%2F1";
        QTest::newRow("clip down")
            << GatewayRequests::clipboardDownload(g, key) << g + "11?key=a%20b%2F1";
        QTest::newRow("clip up") << GatewayRequests::clipboardUpload(g, key, "TEXT")
                                 << g + "11?key=a%20b%2F1&par=TEXT";
        QTest::newRow("announcement") << GatewayRequests::announcement(g, key, "C", 12)
                                      << g + "23?key=a%20b%2F1&type=C&ID=12";
        QTest::newRow("announcement untyped")
            << GatewayRequests::announcement(g, key, "", 3) << g + "23?key=a%20b%2F1&ID=3";
        QTest::newRow("full picture")
            << GatewayRequests::fullPicture(g, key) << g + "05?key=a%20b%2F1";
        QTest::newRow("update") << GatewayRequests::pictureUpdate(g, key) << g + "07?key=a%20b%2F1";
    }
    void requestTable() {
        QFETCH(QByteArray, url);
        QFETCH(QByteArray, expected);
        static const QRegularExpression dy(QStringLiteral("&dy=\\d+$"));
        QString withoutDy = QString::fromLatin1(url);
        withoutDy.remove(dy);
        QCOMPARE(withoutDy.toLatin1(), expected);
    }

    void gatewayAddressIsBuiltFromTheNumber() {
        ServiceConfig c;
        c.Domain = QStringLiteral("example.net");
        QCOMPARE(c.gatewayUrl(4), QStringLiteral("https://gw004.example.net/"));
        QCOMPARE(c.gatewayUrl(123), QStringLiteral("https://gw123.example.net/"));
        c.GatewayAddress = QStringLiteral("https://127.0.0.1:8443/g{n}");
        QCOMPARE(c.gatewayUrl(2), QStringLiteral("https://127.0.0.1:8443/g002/"));
    }

    void versionLayouts() {
        const QStringList parts = GetVersionText(0).split(QLatin1Char('.'));
        QCOMPARE(parts.size(), 4);
        QCOMPARE(GetVersionText(1), parts[0] + parts[1] + parts[2]);
        QCOMPARE(GetVersionText(2), parts[0] + "." + parts[1] + parts[2]);
        QCOMPARE(GetVersionText(3), parts[0] + "." + parts[1] + "." + parts[2]);
    }

    void serviceLinkCarriesProductVersionAndLanguage() {
        serviceConfig().Domain = QStringLiteral("example.net");
        settings().AppLang = 2;
        FillServiceUrls();
        QCOMPARE(ServiceLinkUrl(51), QStringLiteral("http://links.example.net?ID=51&P=A&V=") +
                                         GetVersionText(3) + QStringLiteral("&L=3"));
        settings().SetupUrl = QStringLiteral("setup.example.net");
        FillServiceUrls();
        QCOMPARE(serviceUrls().SetupLogonPage,
                 QStringLiteral("https://setup.example.net/logon.aspx"));
    }
};

QTEST_GUILESS_MAIN(TestGatewayHelpers)
#include "tst_gateway_helpers.moc"
