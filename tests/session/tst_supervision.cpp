#include <QtTest>

#include "SessionTestSupport.h"
#include "TestHttpServer.h"
#include "common/AdminVars.h"
#include "common/WindowMessages.h"
#include "common/uLanguageMsg.h"
#include "gateway/ConnectionMeter.h"
#include "gateway/GatewaySession.h"

// Host presence, the watchdogs, the connection meter and the logoff, with the clock injected
// where time matters.
class TestSupervision : public QObject {
    Q_OBJECT
    TestHttpServer server;
    QList<QByteArray> seen;
    QByteArray logoffBody = "00:12:30";
    int logoffStatus = 200;
    std::unique_ptr<GatewaySession> session;
    RecordingUi ui;
    qint64 clock = 0;

    void meterAt(ConnectionMeter &m, qint64 ms) {
        // The timer would tick every 40 ms; stepping the clock the same way gives the same
        // sequence of values without waiting.
        while (clock < ms) {
            clock = qMin(clock + 40, ms);
            m.tick();
        }
    }

private slots:
    void initTestCase() {
        server.setHandler([this](const TestHttpServer::Request &r) {
            seen.append(r.path + "?" + r.rawQuery);
            if (r.path == "/17")
                server.respond(r.id, logoffStatus, logoffBody);
            else if (r.path != "/03")
                server.respond(r.id, 200, QByteArray());
        });
        QVERIFY(server.listen());
    }

    void init() {
        resetProcessState();
        seen.clear();
        ui = RecordingUi();
        session = makeTestSession(ui);
        session->GatewayUrl = QStringLiteral("http://127.0.0.1:%1/").arg(server.port());
        session->LogOffTimer.setInterval(10);
        session->WatchdogCloseDelayMs = 0;
        adminVars().LoggedOn = true;
        adminVars().SocketsStarted = true;
        adminVars().CurrentKey = QStringLiteral("KEY");
    }

    void cleanup() { session.reset(); }

    void gaugeFollowsTheRoundTrip() {
        ConnectionMeter m;
        clock = 0;
        m.setClock([this] { return clock; });
        QSignalSpy warnings(&m, &ConnectionMeter::badConnection);
        m.RequestStarted();
        meterAt(m, 199);
        QCOMPARE(m.position(), 100);
        meterAt(m, 1000);
        QCOMPARE(m.position(), 80);
        meterAt(m, 3000);
        QCOMPARE(m.position(), 30);
        QCOMPARE(warnings.size(), 0);
        meterAt(m, 4200);
        QCOMPARE(m.position(), 0);
        QCOMPARE(warnings.size(), 1);
        QCOMPARE(warnings[0][0].toBool(), true);
        QVERIFY(!m.measuring()); // nothing ticks once the bottom is reached
        meterAt(m, 5000);
        m.RequestFinished();
        QCOMPARE(warnings.size(), 1);

        // The next command answered within 3 seconds closes the warning.
        m.RequestStarted();
        meterAt(m, 5000 + 1000);
        m.RequestFinished();
        QCOMPARE(m.position(), 80);
        QCOMPARE(warnings.size(), 2);
        QCOMPARE(warnings[1][0].toBool(), false);
    }

    void screenWatchdogPostponesOnABadLine() {
        ConnectionMeter &m = *session->Meter;
        adminVars().HostLoggedOn = true;
        clock = 0;
        m.setClock([this] { return clock; });
        m.RequestStarted();
        meterAt(m, 3200); // gauge 25
        QCOMPARE(m.position(), 25);
        session->CommandQueue = {"MoMo?1,1"};
        session->ScreenProgCheckTimerTimer();
        QCOMPARE(session->ScreenProgCheckTimer.interval(), 2500);
        QVERIFY(session->ScreenProgCheckTimer.isActive());
        session->CommandQueue = {"a", "b", "c", "d", "e"};
        session->ScreenProgCheckTimerTimer();
        QCOMPARE(session->ScreenProgCheckTimer.interval(), 5000);

        m.reset(); // gauge 100 again
        session->CommandQueue = {"a", "b"};
        QSignalSpy stuck(session.get(), &GatewaySession::screenProgramStuck);
        session->ScreenProgCheckTimerTimer();
        QVERIFY(!session->ScreenProgCheckTimer.isActive() ||
                session->ScreenProgCheckTimer.interval() == 10000);
        QCOMPARE(stuck.size(), 1);
    }

    void hostLogonFillsTheIdentityAndStartsTheSession() {
        session->WMGatewayEvent(0, "HostLogon=1&IP=10.0.0.5&HN=DESK%2D7&WV=W32&LA=00000413");
        QVERIFY(adminVars().HostLoggedOn);
        QCOMPARE(session->HostIP, QStringLiteral("10.0.0.5"));
        QCOMPARE(adminVars().HostName, QStringLiteral("DESK-7"));
        QCOMPARE(session->HostOS, QStringLiteral("W32"));
        QCOMPARE(adminVars().HostKeyboard, QStringLiteral("00000413"));
        QCOMPARE(session->CommandQueue, QList<QByteArray>{"GScM"});
        QCOMPARE(ui.lastFlash(), Msg("Client logged on"));
    }

    void hostLogoffDuringRebootKeepsTheSession() {
        adminVars().HostLoggedOn = true;
        session->RebootPending = 1;
        session->WMGatewayEvent(0, "HostLogoff");
        QVERIFY(adminVars().LoggedOn);
        QVERIFY(!adminVars().HostLoggedOn);
        QCOMPARE(ui.rebooting, 1);
        QCOMPARE(ui.lastFlash(), Msg("Remote computer is rebooting"));
        QTest::qWait(20);
        QVERIFY(ui.questions.isEmpty());
        QCOMPARE(session->LogOffTimer.isActive(), false);
    }

    void hostLogoffEndsTheSessionWithoutQuestion() {
        adminVars().HostLoggedOn = true;
        session->WMGatewayEvent(0, "HostLogoff");
        QCOMPARE(ui.ended, 1);
        auto logoffSent = [this] {
            return std::any_of(seen.begin(), seen.end(),
                               [](const QByteArray &s) { return s.startsWith("/17?key=KEY&dy="); });
        };
        QTRY_VERIFY(logoffSent());
        QVERIFY(ui.questions.isEmpty());
        QTRY_VERIFY(!adminVars().LoggedOn);
    }

    void hostLogoffWhileLoggingOffLetsTheLogoffFinish() {
        adminVars().HostLoggedOn = true;
        adminVars().LoggingOff = true;
        session->WMGatewayEvent(0, "HostLogoff");
        QCOMPARE(ui.ended, 0);
        QTest::qWait(30);
        QVERIFY(!session->LogOffTimer.isActive());
    }

    void hostVanishingAsksToEndTheSession() {
        adminVars().HostLoggedOn = true;
        ui.answerYes = false;
        session->WMGatewayEvent(0, "HostDisappeared");
        QCOMPARE(ui.lost, 1);
        QCOMPARE(ui.lastFlash(), Msg("Client connection lost ..."));
        QTRY_COMPARE(ui.questions.size(), 1);
        QCOMPARE(ui.questions[0], Msg("End this session ?"));
        QVERIFY(adminVars().LoggedOn); // No keeps it
    }

    void logoffQueuesQuitWaitsAndShowsTheSessionTime() {
        adminVars().HostLoggedOn = true;
        settings().SesTime = true;
        session->WMWANdisconnect(0, 1);
        QVERIFY(adminVars().LoggingOff);
        QTRY_VERIFY(!adminVars().LoggedOn);
        // The host is told to quit (after its screen updates were stopped), then the logoff goes.
        QVERIFY(seen.size() >= 2);
        QVERIFY(seen[seen.size() - 2].contains("string=QUIT"));
        QVERIFY(seen.last().startsWith("/17?key=KEY&dy="));
        QCOMPARE(ui.lastFlash(), Msg("Logged off") + "\r" + Msg("Session time : ") + "00:12:30");
        QVERIFY(adminVars().CurrentKey.isEmpty());
        QCOMPARE(ui.closes, 0);
    }

    void logoffThatClosesClosesOnce() {
        session->WMWANdisconnect(WindowMessages::makeWParam(1, 0), 1);
        QTRY_VERIFY(!adminVars().LoggedOn);
        QTest::qWait(20);
        QCOMPARE(ui.closes, 1);
    }

    void failedLogoffIsNotACompletedLogoff() {
        server.close(); // the logoff request cannot get through
        session->WMWANdisconnect(0, 1);
        QTRY_COMPARE(ui.lastFlash().left(13), QStringLiteral("Logoff failed"));
        QVERIFY(adminVars().LoggedOn);
        QVERIFY(!adminVars().LoggingOff);
        QVERIFY(server.listen(server.port()) || server.listen());
        session->GatewayUrl = QStringLiteral("http://127.0.0.1:%1/").arg(server.port());
    }

    void logoffIsNeitherPostponedNorAbandoned() {
        // A command is out when the logoff starts; a second request and an open question
        // window must not hold the logoff up.
        adminVars().HostLoggedOn = true;
        session->LogOffTimer.setInterval(3000);
        session->Meter->RequestStarted();
        session->ExecState = GatewaySession::ExecCommand;
        struct QuestionOpen : RecordingUi {
            bool questionVisible() const override { return true; }
        } asking;
        session->setUi(&asking);
        session->WMWANdisconnect(0, 0); // the question window is already up: no second one
        QVERIFY(asking.questions.isEmpty());
        QVERIFY(adminVars().LoggingOff);
        QVERIFY(session->LogOffTimer.isActive());
        const int left = session->LogOffTimer.remainingTime();
        QTest::qWait(30);
        session->WMWANdisconnect(0, 1);                                // Disconnect again
        session->WMWANdisconnect(WindowMessages::makeWParam(1, 0), 1); // close meanwhile
        QVERIFY(session->LogOffTimer.remainingTime() <= left);
        session->LogOffTimer.setInterval(10);
        session->LogOffTimer.start();
        // The logoff request fails (nothing listens); a close asked for still closes, and the
        // command given up for it does not count as a slow answer.
        session->GatewayUrl = QStringLiteral("http://127.0.0.1:1/");
        QTRY_COMPARE(asking.closes, 1);
        QVERIFY(!session->Meter->measuring());
        QVERIFY(!adminVars().LoggedOn);
        session->setUi(&ui);
    }

    void aReplyOfAnEndedSessionChangesNothing() {
        QList<quint64> held;
        server.setHandler([&](const TestHttpServer::Request &r) {
            seen.append(r.path + "?" + r.rawQuery);
            held.append(r.id);
        });
        session->PollGateway();
        QTRY_COMPARE(held.size(), 1);
        session->CloseSockets();
        session->InitVars();
        server.respond(held[0], 200, "HostLogon?SID=1&IP=10.0.0.9&HN=LATE&WV=WNT&LA=0409");
        QTest::qWait(50);
        QVERIFY(!adminVars().HostLoggedOn);
        QVERIFY(adminVars().HostName.isEmpty());
        initTestCase(); // the usual handler again
    }

    void hostLogoffPausesBeforeTheLogoff() {
        adminVars().HostLoggedOn = true;
        session->HostLogoffPauseMs = 60000;
        session->WMGatewayEvent(0, "HostLogoff");
        QCOMPARE(ui.ended, 1);
        QTest::qWait(50);
        QVERIFY(!adminVars().LoggingOff); // still holding still
    }

    void gatewayWatchdogEndsTheSessionLocally() {
        session->PollGateway();
        QVERIFY(session->GatewayCheckTimer.isActive());
        QCOMPARE(session->GatewayCheckTimer.interval(), 60000);
        session->GatewayCheckTimerTimer();
        QCOMPARE(ui.flashes.first().text, Msg("Gateway connection lost\rClosing current session"));
        // During the notice a Disconnect starts no logoff with a key about to be cleared.
        session->WatchdogCloseDelayMs = 100;
        adminVars().LoggedOn = true;
        adminVars().CurrentKey = QStringLiteral("KEY");
        session->GatewayCheckTimerTimer();
        session->WMWANdisconnect(0, 1);
        QVERIFY(!session->LogOffTimer.isActive());
        QTRY_VERIFY(!adminVars().LoggedOn);
        QVERIFY(!adminVars().LoggedOn);
        QVERIFY(adminVars().CurrentKey.isEmpty());
        QVERIFY(!session->GatewayCheckTimer.isActive());
        QTest::qWait(20);
        for (const QByteArray &s : seen)
            QVERIFY(!s.startsWith("/17")); // no logoff request
    }
};

QTEST_GUILESS_MAIN(TestSupervision)
#include "tst_supervision.moc"
