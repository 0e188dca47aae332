#include <QtTest>

#include "LocalGateway.h"
#include "LocalGatewaySession.h"
#include "SessionTestSupport.h"
#include "common/AdminVars.h"
#include "common/uLanguageMsg.h"
#include "gateway/GatewaySession.h"

using namespace localgw;

// A gateway that takes a request and hangs up without answering: the session must see one
// failed request, never the same request twice (the counter "dy" makes each one unique).
class TestDroppedConnections : public QObject {
    Q_OBJECT
    std::unique_ptr<LocalGateway> gw;
    std::unique_ptr<GatewaySession> session;
    RecordingUi ui;

private slots:
    void init() {
        resetProcessState();
        ui = RecordingUi();
        GatewayConfig config;
        config.hostDelayMs = -1;
        config.pollHoldMs = 300;
        gw = startLocalGateway(config);
        QVERIFY(gw);
        session = makeTestSession(ui);
    }

    void cleanup() {
        session.reset();
        gw.reset();
    }

    void everyRequestGoesOutOnce() {
        // Each gateway drops one logon: each is tried exactly once, then the notice.
        for (int n = 1; n <= 3; ++n)
            gw->faults().add({n, "16", 1, Fault::drop()});
        session->WANconnect(false);
        QTRY_COMPARE_WITH_TIMEOUT(ui.flashes.size(), 1, 15000);
        QCOMPARE(ui.lastFlash(),
                 Msg("Bad connection to gateway") + "\r" + Msg("or incorrect connection settings"));
        QList<int> tried;
        for (const LoggedRequest &r : gw->requestLog().withCode("16"))
            tried.append(r.gateway);
        std::sort(tried.begin(), tried.end());
        QCOMPARE(tried, (QList<int>{1, 2, 3}));
        QVERIFY(gw->faults().rules().isEmpty());
        QVERIFY(!adminVars().LoggedOn);

        // Nothing is armed any more: the next connect logs on at the first attempt.
        session->WANconnect(false);
        QTRY_VERIFY_WITH_TIMEOUT(adminVars().LoggedOn, 15000);
        QCOMPARE(gw->requestLog().withCode("16").size(), 4);

        // A dropped poll fails once and is not sent again by the channel.
        QTRY_VERIFY_WITH_TIMEOUT(!gw->requestLog().withCode("03").isEmpty(), 15000);
        gw->faults().add({0, "03", 1, Fault::drop()});
        QTRY_VERIFY_WITH_TIMEOUT(
            gw->faults().rules().isEmpty() && session->QState == GatewaySession::QIdle, 15000);

        QSet<QByteArray> counters;
        for (const LoggedRequest &r : gw->requestLog().entries()) {
            const QByteArray dy = r.value("dy");
            QVERIFY2(dy.isNull() || !counters.contains(dy),
                     qPrintable("sent twice: " + r.code + " dy=" + dy));
            counters.insert(dy);
        }
    }
};

QTEST_GUILESS_MAIN(TestDroppedConnections)
#include "tst_dropped_connections.moc"
