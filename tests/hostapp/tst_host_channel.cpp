// The host program's session over the real gateway service, through an authenticating proxy,
// with the console's session core at the other end: consent, the join, the picture, and Stop.
#include "FakeDesktop.h"
#include "GatewaydProcess.h"
#include "SessionTestSupport.h"
#include "SquidFixture.h"
#include "common/AdminVars.h"
#include "core/ChannelLink.h"
#include "core/HostSession.h"
#include "gateway/GatewaySession.h"
#include "platform/ComputerName.h"
#include "screen/FixedPalettes.h"
#include "screen/ScreenModes.h"
#include "screen/ScreenPipeline.h"

#include <QSignalSpy>
#include <QtTest>

using namespace qhost;

class TestHostChannel : public QObject {
    Q_OBJECT
    GatewaydProcess gw;
    RecordingUi ui;

private slots:
    void initTestCase() {
        QString error;
        QVERIFY2(gw.start("gateway_count = 3\npoll_hold_ms = 400\n", &error), qPrintable(error));
        QVERIFY(gw.cli({"add", "demo", "--name", "Demo Operator"}, "demo\n"));
        resetProcessState();
        useLocalGateway(gw.gatewayAddress(), gw.caPemPath());
    }

    void consentPictureAndStop() {
        if (SquidFixture::squidBinary().isEmpty())
            QSKIP("squid is not installed (scripts/deps.sh)");
        SquidFixture squid;
        QString error;
        QVERIFY2(squid.start("helper", "s3cret", &error), qPrintable(error));

        auto console = makeTestSession(ui);
        auto *pipeline = new ScreenPipeline(console.get());
        new ScreenModes(console.get(), pipeline, console.get());
        console->WANconnect(false);
        QTRY_VERIFY_WITH_TIMEOUT(adminVars().LoggedOn, 20000);

        FakeDesktop desktop({320, 200});
        ChannelLink link;
        HostSession session(desktop, link);
        connect(&link, &ChannelLink::command, &session, &HostSession::command);
        connect(&link, &ChannelLink::control, &session, &HostSession::control);
        QSignalSpy welcomed(&link, &ChannelLink::welcomed);
        QSignalSpy left(&link, &ChannelLink::left);

        gatewayd::HostChannelClient::Endpoint endpoint;
        endpoint.address = "127.0.0.1";
        endpoint.port = gw.port();
        endpoint.gateway = console->GatewayNumber;
        endpoint.caFile = gw.caPemPath().toStdString();
        endpoint.proxyAddress = "127.0.0.1";
        endpoint.proxyPort = squid.port();
        endpoint.proxyAuthorization =
            "Basic " + QByteArray("helper:s3cret").toBase64().toStdString();
        gatewayd::HostChannelClient::Identity identity{"10.0.0.9", ComputerName().toStdString(),
                                                       "LNX", "00000407"};
        link.open(endpoint, console->displayKey(), identity);
        QTRY_COMPARE_WITH_TIMEOUT(welcomed.size(), 1, 20000);
        QCOMPARE(welcomed[0][1].toString(), QStringLiteral("Demo Operator"));
        QVERIFY(!adminVars().HostLoggedOn); // nothing before the user accepted

        link.accept();
        session.start();
        QTRY_VERIFY_WITH_TIMEOUT(adminVars().HostLoggedOn, 20000);
        QCOMPARE(adminVars().HostName, ComputerName());
        QCOMPARE(console->HostIP, QStringLiteral("10.0.0.9"));
        QCOMPARE(console->HostOS, QStringLiteral("WNT")); // "LNX" is no 9x family
        const QImage expected = FixedPalettes::reduceToDepth(desktop.screen(), 15);
        QTRY_COMPARE_WITH_TIMEOUT(pipeline->picture(), expected, 30000);
        desktop.paint({40, 30, 25, 25}, Qt::magenta);
        QTRY_COMPARE_WITH_TIMEOUT(pipeline->picture(),
                                  FixedPalettes::reduceToDepth(desktop.screen(), 15), 30000);
        // Stop: the console hears that the host left, and its later commands reach nothing.
        session.end();
        link.leave();
        QTRY_COMPARE_WITH_TIMEOUT(left.size(), 1, 20000);
        // squid logs a tunnel when it closes.
        QTRY_VERIFY2_WITH_TIMEOUT(
            squid.accessLog().contains("CONNECT 127.0.0.1:" + QString::number(gw.port())),
            "the channel did not go through the proxy", 20000);
        QTRY_VERIFY_WITH_TIMEOUT(!adminVars().HostLoggedOn, 20000);
        const QStringList calls = desktop.calls;
        console->SendCmd("MoMo?5-5");
        console->SendCmd("sCAD");
        QTest::qWait(300);
        QCOMPARE(desktop.calls, calls);

        console->WMWANdisconnect(0, 1);
        QTRY_VERIFY_WITH_TIMEOUT(!adminVars().LoggedOn, 20000);
    }
};

QTEST_MAIN(TestHostChannel)
#include "tst_host_channel.moc"
