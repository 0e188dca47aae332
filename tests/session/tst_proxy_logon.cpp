#include <QtTest>

#include "LocalGateway.h"
#include "SessionTestSupport.h"
#include "SquidFixture.h"
#include "common/AdminVars.h"
#include "common/uLanguageMsg.h"
#include "gateway/GatewaySession.h"
#include "settings/ServiceConfig.h"

// Logon to the local gateway through a real squid that wants Basic credentials.
class TestProxyLogon : public QObject {
    Q_OBJECT
    SquidFixture squid;
    std::unique_ptr<localgw::LocalGateway> gw;
    std::unique_ptr<GatewaySession> session;
    RecordingUi ui;

    void startSession(const QString &user, const QString &password) {
        session = makeTestSession(ui);
        const quint16 port = squid.port();
        session->setProxyResolver([=](const QString &) -> GatewaySession::ProxyJob {
            return [=] { return ChannelProxy{QStringLiteral("127.0.0.1"), port, user, password}; };
        });
        session->WANconnect(false);
    }

private slots:
    void initTestCase() {
        if (SquidFixture::squidBinary().isEmpty())
            QSKIP("squid is not installed (scripts/deps.sh installs it)");
        QString error;
        QVERIFY2(squid.start("operator", "s3cret pass", &error), qPrintable(error));
        localgw::GatewayConfig c;
        c.hostDelayMs = -1;
        c.pollHoldMs = 300;
        gw = std::make_unique<localgw::LocalGateway>(c);
        QVERIFY2(gw->start(&error), qPrintable(error));
    }

    void init() {
        resetProcessState();
        ui = RecordingUi();
        useLocalGateway(gw->gatewayAddress(), gw->caPemPath());
    }

    void cleanup() { session.reset(); }

    void rightPasswordLogsOn() {
        startSession(QStringLiteral("operator"), QStringLiteral("s3cret pass"));
        QTRY_VERIFY_WITH_TIMEOUT(adminVars().LoggedOn, 15000);
        QVERIFY(squid.accessLog().contains("CONNECT 127.0.0.1"));
    }

    void wrongPasswordEndsWithAMessageAndNoLoop() {
        const int before = gw->requestLog().withCode("16").size();
        startSession(QStringLiteral("operator"), QStringLiteral("wrong"));
        QTRY_VERIFY_WITH_TIMEOUT(!ui.messages.isEmpty() || !ui.flashes.isEmpty(), 15000);
        QVERIFY(!adminVars().LoggedOn);
        const qsizetype connects = squid.accessLog().count("TCP_DENIED");
        QTest::qWait(1500);
        QCOMPARE(squid.accessLog().count("TCP_DENIED"), connects); // nothing more is tried
        QCOMPARE(gw->requestLog().withCode("16").size(), before);
    }

    void noCredentialsAsksForProxySettings() {
        startSession(QString(), QString());
        QTRY_COMPARE_WITH_TIMEOUT(ui.settingsDialogs, 1, 15000);
        QCOMPARE(ui.messages.value(0), Msg("Proxy settings required"));
        QVERIFY(!adminVars().LoggedOn);
    }
};

QTEST_GUILESS_MAIN(TestProxyLogon)
#include "tst_proxy_logon.moc"
