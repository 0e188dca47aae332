#include <QtTest>

#include "LocalGateway.h"
#include "LocalGatewaySession.h"
#include "SessionTestSupport.h"
#include "TestSession.h"
#include "common/AdminVars.h"
#include "common/AppFolders.h"
#include "common/SessionLog.h"
#include "common/TraceRing.h"
#include "common/WindowMessages.h"
#include "common/uLanguageMsg.h"
#include "gateway/GatewaySession.h"
#include "screen/ScreenModes.h"
#include "screen/ScreenPipeline.h"
#include "settings/ServiceConfig.h"

using namespace localgw;

// Logon, logoff and a whole session against the local gateway over HTTPS.
class TestGatewaySession : public QObject {
    Q_OBJECT
    std::unique_ptr<LocalGateway> gw;
    std::unique_ptr<GatewaySession> session;
    ScreenPipeline *pipeline = nullptr;
    RecordingUi ui;

    void startGateway(GatewayConfig config = {}) {
        session.reset();
        gw.reset();
        config.hostDelayMs = config.hostDelayMs == 3000 ? -1 : config.hostDelayMs;
        config.pollHoldMs = 300;
        gw = startLocalGateway(config);
        QVERIFY(gw);
        session = makeTestSession(ui);
        // The screen attached as in the console.
        pipeline = new ScreenPipeline(session.get());
        new ScreenModes(session.get(), pipeline, session.get());
        session->LogOffTimer.setInterval(100);
    }

    QList<int> logonGateways() const {
        QList<int> out;
        for (const LoggedRequest &r : gw->requestLog().withCode("16"))
            out.append(r.gateway);
        return out;
    }

    void connectAndWait() {
        session->WANconnect(false);
        QTRY_VERIFY_WITH_TIMEOUT(adminVars().LoggedOn, 10000);
    }

private slots:
    void init() {
        resetProcessState();
        ui = RecordingUi();
    }

    void cleanup() {
        session.reset();
        gw.reset();
    }

    void logonSendsTheAccountAndStartsPolling() {
        startGateway();
        connectAndWait();
        const LoggedRequest logon = gw->requestLog().withCode("16").first();
        QCOMPARE(logon.value("user"), QByteArray("demo"));
        QCOMPARE(logon.value("pass"), QByteArray("demo"));
        QCOMPARE(logon.value("vers"), QByteArray("A100"));
        QCOMPARE(logon.value("dack"), QByteArray("0"));
        QCOMPARE(logon.value("prot"), QByteArray("1"));
        QVERIFY(!logon.value("name").isEmpty());
        QVERIFY(!adminVars().CurrentKey.isEmpty());
        QCOMPARE(SessionLogFile(), appFolders().SessionLogs + adminVars().CurrentKey + ".txt");
        QCOMPARE(ui.panel, Msg("Session Key: ") + session->displayKey());
        QTRY_VERIFY(!gw->requestLog().withCode("03").isEmpty());
        QCOMPARE(gw->requestLog().withCode("03").first().value("key").constData(),
                 adminVars().CurrentKey.toLatin1().constData());
    }

    void keyOutsideTheGatewaysAlphabetNamesNoFile() {
        startGateway();
        ClearTrace();
        gw->setNextKey("../../evil");
        connectAndWait();
        QCOMPARE(adminVars().CurrentKey, QStringLiteral("../../evil"));
        QCOMPARE(SessionLogFile(), appFolders().SessionLogs + "session.txt");
        QVERIFY(TraceLines().contains("70;Key unfit for a file name, length 10"));
    }

    void unreachableGatewaysAreSkipped() {
        startGateway();
        gw->faults().add({1, "16", -1, Fault::withStatus(403)});
        gw->faults().add({2, "16", -1, Fault::withStatus(403)});
        connectAndWait();
        const QList<int> tried = logonGateways();
        QVERIFY(tried.size() <= 3);
        QCOMPARE(tried.last(), 3);
        QCOMPARE(QSet<int>(tried.begin(), tried.end()).size(), tried.size()); // never twice
    }

    void allGatewaysUnreachableEndsAfterThreeFailures() {
        startGateway();
        gw->faults().add({0, "16", -1, Fault::withStatus(403)});
        session->WANconnect(false);
        QTRY_COMPARE_WITH_TIMEOUT(ui.flashes.size(), 1, 10000);
        QCOMPARE(ui.lastFlash(),
                 Msg("Bad connection to gateway") + "\r" + Msg("or incorrect connection settings"));
        QCOMPARE(logonGateways().size(), 3);
        QVERIFY(session->TriedGateways.isEmpty());
        QVERIFY(!adminVars().LoggedOn);

        gw->faults().clear();
        connectAndWait(); // the next connect starts afresh
    }

    void redirectGoesToTheNamedGateway() {
        GatewayConfig c;
        c.gatewayCount = 4;
        startGateway(c);
        gw->faults().add({0, "16", 1, Fault::redirect(4)});
        connectAndWait();
        const QList<int> tried = logonGateways();
        QCOMPARE(tried.size(), 2);
        QCOMPARE(tried.last(), 4);
        QVERIFY(session->TriedGateways.isEmpty());
        QCOMPARE(session->GatewayUrl, serviceConfig().gatewayUrl(4));
    }

    void endlessRedirectsGiveUp() {
        startGateway();
        gw->faults().add({0, "16", -1, Fault::redirect(2)});
        session->WANconnect(false);
        QTRY_COMPARE_WITH_TIMEOUT(ui.flashes.size(), 1, 15000);
        QCOMPARE(ui.lastFlash(), Msg("Bad connection to gateway"));
        QCOMPARE(logonGateways().size(), 11);
        QTest::qWait(500);
        QCOMPARE(logonGateways().size(), 11);
    }

    void gatewayErrors() {
        startGateway();
        // "Err:9": the gateway is marked, Cancel ends the attempt.
        gw->faults().add({0, "16", 1, Fault::logonError('9', "db")});
        ui.messageAnswer = 3;
        session->WANconnect(false);
        QTRY_COMPARE_WITH_TIMEOUT(ui.messages.size(), 1, 5000);
        QCOMPARE(ui.messages[0], Msg("Internal database error - retry"));
        QCOMPARE(session->TriedGateways.size(), 1);
        QVERIFY(!adminVars().LoggedOn);

        // Another code shows the gateway's own text.
        gw->faults().add({0, "16", 1, Fault::logonError('5', "Account locked")});
        session->WANconnect(false);
        QTRY_COMPARE_WITH_TIMEOUT(ui.messages.size(), 2, 5000);
        QCOMPARE(ui.messages[1], QStringLiteral("Account locked"));

        // "Err:8": a new attempt without a question.
        gw->faults().add({0, "16", 1, Fault::logonError('8', "busy")});
        connectAndWait();
        QCOMPARE(ui.messages.size(), 2);
    }

    void mandatoryUpdateClosesTheConsole() {
        startGateway();
        gw->faults().add({0, "16", 1, Fault::logonError('7', "update")});
        ui.updateAccepted = true;
        session->WANconnect(false);
        QTRY_COMPARE_WITH_TIMEOUT(ui.closes, 1, 5000);
        QCOMPARE(adminVars().CloseMode, quint8(2));
    }

    void proxyAuthAndOtherStatuses() {
        startGateway();
        gw->faults().add({0, "16", 1, Fault::proxyAuth()});
        session->WANconnect(false);
        QTRY_COMPARE_WITH_TIMEOUT(ui.settingsDialogs, 1, 5000);
        QCOMPARE(ui.messages.value(0), Msg("Proxy settings required"));

        gw->faults().add({0, "16", 1, Fault::withStatus(500)});
        session->WANconnect(false);
        QTRY_COMPARE_WITH_TIMEOUT(ui.flashes.size(), 1, 5000);
        QCOMPARE(ui.flashes[0].title, Msg("Warning"));
        QCOMPARE(ui.lastFlash(), Msg("Bad connection to gateway"));
        QVERIFY(!adminVars().LoggedOn);
    }

    void replyWithoutKeyIsAFailedLogon() {
        startGateway();
        gw->faults().add({0, "16", 1, Fault::body("gw=3&name=Nobody")});
        session->WANconnect(false);
        QTRY_COMPARE_WITH_TIMEOUT(ui.flashes.size(), 1, 5000);
        QVERIFY(!adminVars().LoggedOn);
        QTest::qWait(300);
        QVERIFY(gw->requestLog().withCode("03").isEmpty());
    }

    void announcements_data() {
        QTest::addColumn<QByteArray>("info");
        QTest::addColumn<bool>("showComm");
        QTest::addColumn<QByteArray>("expected"); // the "23" query tail, empty for none
        QTest::newRow("product hidden") << QByteArray("C12") << false << QByteArray();
        QTest::newRow("general seen") << QByteArray("X7") << true << QByteArray();
        QTest::newRow("general new") << QByteArray("X8") << true << QByteArray("type=O&ID=8");
        QTest::newRow("product new") << QByteArray("C12") << true << QByteArray("type=C&ID=12");
        QTest::newRow("malformed") << QByteArray("C") << true << QByteArray();
    }
    void announcements() {
        QFETCH(QByteArray, info);
        QFETCH(bool, showComm);
        QFETCH(QByteArray, expected);
        GatewayConfig c;
        c.info = info;
        startGateway(c);
        settings().ShowComm = showComm;
        settings().MsgComm = 5;
        settings().MsgAnn = 7;
        connectAndWait();
        if (expected.isEmpty()) {
            QTest::qWait(400);
            QVERIFY(gw->requestLog().withCode("23").isEmpty());
            QCOMPARE(settings().MsgComm, 5);
        } else {
            // Under load the request may come late; only its absence is judged after a wait.
            QTRY_COMPARE_WITH_TIMEOUT(gw->requestLog().withCode("23").size(), 1, 10000);
            QVERIFY(gw->requestLog().withCode("23")[0].rawQuery.endsWith(expected));
            QTRY_COMPARE(ui.announcements.size(), 1);
        }
    }

    void versionCheck() {
        GatewayConfig c;
        c.versionDigits = "100"; // as the console's own
        startGateway(c);
        connectAndWait();
        QCOMPARE(ui.updatesOffered, 0);

        c.versionDigits = "101";
        resetProcessState();
        init();
        startGateway(c);
        connectAndWait();
        QCOMPARE(ui.updatesOffered, 1);
    }

    void logoffShowsTheSessionTime() {
        startGateway();
        connectAndWait();
        session->WMWANdisconnect(0, 1);
        QTRY_VERIFY_WITH_TIMEOUT(!adminVars().LoggedOn, 5000);
        const QString prefix = Msg("Logged off") + "\r" + Msg("Session time : ");
        QVERIFY2(ui.lastFlash().startsWith(prefix), qPrintable(ui.lastFlash()));
        QVERIFY(QTime::fromString(ui.lastFlash().mid(prefix.size()), QStringLiteral("hh:mm:ss"))
                    .isValid());
    }

    void wholeSession() {
        GatewayConfig c;
        c.hostDelayMs = 50;
        startGateway(c);
        connectAndWait();
        QTRY_VERIFY_WITH_TIMEOUT(adminVars().HostLoggedOn, 5000);
        QCOMPARE(adminVars().HostName, QStringLiteral("DEMO-PC"));
        QCOMPARE(session->HostIP, QStringLiteral("192.168.10.20"));
        // The session starts by asking for the screen modes.
        QTRY_VERIFY(!gw->requestLog().withCode("01").isEmpty());
        QCOMPARE(gw->requestLog().withCode("01").first().value("string"), QByteArray("GScM"));

        // Commands reach the host in order.
        const QList<QByteArray> cmds = {"MsCl?L", "KbdP?#65", "DiWP", "EnWP", "MoMo?10,10"};
        for (const QByteArray &cmd : cmds)
            session->SendCmd(cmd);
        // The session sends commands of its own at the start too: wait for the last one of
        // these, not for a count.
        const auto sentStrings = [this] {
            QList<QByteArray> sent;
            for (const LoggedRequest &r : gw->requestLog().withCode("01"))
                sent.append(r.value("string"));
            return sent;
        };
        QTRY_VERIFY_WITH_TIMEOUT(sentStrings().contains(cmds.last()), 10000);
        const QList<QByteArray> sent = sentStrings();
        QCOMPARE(sent.mid(sent.indexOf("MsCl?L"), cmds.size()), cmds);

        // A reboot: the host leaves and the session stays.
        session->RebootPending = 1;
        gw->latestSession()->host().leave();
        QTRY_VERIFY(!adminVars().HostLoggedOn);
        QCOMPARE(ui.rebooting, 1);
        QVERIFY(adminVars().LoggedOn);
        gw->latestSession()->host().join();
        QTRY_VERIFY(adminVars().HostLoggedOn);
        QCOMPARE(session->RebootPending, quint8(0));

        // The host vanishes: the operator is asked.
        ui.answerYes = false;
        gw->latestSession()->host().vanish();
        QTRY_COMPARE_WITH_TIMEOUT(ui.questions.size(), 1, 5000);
        QCOMPARE(ui.questions[0], Msg("End this session ?"));
        QVERIFY(adminVars().LoggedOn);

        // A minute without a poll ends the session; the watchdog is fired here instead of
        // waiting for it.
        QVERIFY(session->GatewayCheckTimer.isActive());
        QCOMPARE(session->GatewayCheckTimer.interval(), 60000);
        // Commands left over from the dead session must not block the next one.
        session->CommandQueue = {"MoMo?1,1", "MoMo?2,2"};
        session->WatchdogCloseDelayMs = 0;
        session->GatewayCheckTimerTimer();
        QVERIFY(ui.flashes.last().text == Msg("Gateway connection lost\rClosing current session"));
        QVERIFY(!adminVars().LoggedOn);
        QVERIFY(session->CommandQueue.isEmpty());
        // Whatever the old session's gateway still says changes nothing here.
        gw->latestSession()->host().leave();
        gw->latestSession()->host().join();
        QTest::qWait(400);
        QVERIFY(!adminVars().HostLoggedOn);

        // The next session asks for the screen modes and gets a picture.
        const qsizetype modeRequests = gw->requestLog().withCode("01").size();
        gw->latestSession()->host().leave();
        connectAndWait();
        QTRY_VERIFY_WITH_TIMEOUT(adminVars().HostLoggedOn, 5000);
        QTRY_VERIFY_WITH_TIMEOUT(gw->requestLog().withCode("01").size() > modeRequests, 5000);
        QCOMPARE(gw->requestLog().withCode("01").at(modeRequests).value("string"),
                 QByteArray("GScM"));
        QTRY_VERIFY_WITH_TIMEOUT(!pipeline->picture().isNull(), 10000);
    }

    void everyConnectReportsItsOwnHandshakeFailure() {
        startGateway();
        serviceConfig().TrustedCertificates.clear(); // the local CA is no longer trusted
        QSignalSpy failures(session.get(), &GatewaySession::tlsFailure);
        for (int attempt = 1; attempt <= 2; ++attempt) {
            session->WANconnect(false);
            QTRY_COMPARE_WITH_TIMEOUT(failures.size(), attempt, 10000);
            QCOMPARE(failures.last().at(0).toString(), QStringLiteral("SSL certificate not valid"));
            // What the main window does with it: the session ends without a question.
            session->WMWANdisconnect(0, 1);
        }
    }

    void discoveryDoesNotHoldTheWindow() {
        startGateway();
        QSemaphore release;
        session->setProxyResolver([&release](const QString &) -> GatewaySession::ProxyJob {
            return [&release] {
                release.acquire();
                return ChannelProxy{};
            };
        });
        session->WANconnect(false);
        // The connect returned with discovery still running; the event loop goes on.
        QVERIFY(session->resolvingProxy());
        QTest::qWait(50);
        QVERIFY(!adminVars().LoggedOn);
        session->WANconnect(false); // a second press while discovering is no second connect
        release.release();
        QTRY_VERIFY_WITH_TIMEOUT(adminVars().LoggedOn, 10000);
        QCOMPARE(gw->requestLog().withCode("16").size(), 1);
    }

    void closingWithAHostConnectedSaysGoodbyeFirst() {
        GatewayConfig c;
        c.hostDelayMs = 50;
        startGateway(c);
        connectAndWait();
        QTRY_VERIFY_WITH_TIMEOUT(adminVars().HostLoggedOn, 5000);
        session->WMWANdisconnect(WindowMessages::makeWParam(1, 0), 1);
        // The logoff request waits for the logoff timer, which gives the host time to quit.
        QVERIFY(session->LogOffTimer.isActive());
        QVERIFY(gw->requestLog().withCode("17").isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(ui.closes, 1, 5000);
        const QList<LoggedRequest> log = gw->requestLog().entries();
        qsizetype stop = -1, quit = -1, logoff = -1;
        for (qsizetype i = 0; i < log.size(); ++i) {
            if (log[i].code == "01" && log[i].value("string") == "SSup")
                stop = i;
            if (log[i].code == "01" && log[i].value("string") == "QUIT")
                quit = i;
            if (log[i].code == "17")
                logoff = i;
        }
        QVERIFY(stop >= 0);
        QVERIFY(quit > stop);
        QVERIFY(logoff > quit);
        QTest::qWait(200);
        QCOMPARE(ui.closes, 1);
    }
};

QTEST_MAIN(TestGatewaySession)
#include "tst_gateway_session.moc"
