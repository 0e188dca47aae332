#include <QtTest>

#include "LocalGateway.h"
#include "LocalGatewaySession.h"
#include "SessionTestSupport.h"
#include "TestSession.h"
#include "common/AdminVars.h"
#include "gateway/GatewaySession.h"
#include "gateway/HttpChannel.h"
#include "screen/ScreenPipeline.h"
#include "settings/ServiceConfig.h"

using namespace localgw;

// A whole session against the local gateway over HTTPS: the console logs on through the real
// logon, the simulated host joins, and the picture the pipeline holds is compared with what
// the host knows it sent, pixel for pixel.
class TestScreenEndToEnd : public QObject {
    Q_OBJECT
    std::unique_ptr<LocalGateway> gw;
    std::unique_ptr<GatewaySession> session;
    ScreenPipeline *screen = nullptr;
    RecordingUi ui;
    int pointer = 0;

    SimulatedHost &host() { return gw->latestSession()->host(); }

    // Nothing in flight anywhere: the host waits for its desktop to change, the console has
    // applied all it fetched.
    bool quiet() { return screenSettled(host(), *screen, *session); }

    bool showsWhatTheHostSent() {
        if (!QTest::qWaitFor([this] { return quiet(); }, 20000))
            return false;
        return screen->picture() == host().shownPicture();
    }

    // The operator moves the remote pointer: the host's desktop changes around it.
    void movePointer() {
        pointer = (pointer + 1) % 40;
        session->SendCmd("MoMo?" + QByteArray::number(100 + pointer * 17) + "-" +
                         QByteArray::number(80 + pointer * 11));
    }

private slots:
    void initTestCase() {
        resetProcessState();
        gw = startLocalGateway(steadyHostConfig({640, 480}));
        QVERIFY(gw);
        session = makeTestSession(ui);
        screen = new ScreenPipeline(session.get());
        // Stands in for the screen-mode handling, which starts the cycle once the list is in.
        connect(session.get(), &GatewaySession::stringListReceived, this, [this](int kind) {
            if (kind == 1)
                screen->RestartScreenUpdates(true);
        });
        session->WANconnect(false);
        QTRY_VERIFY_WITH_TIMEOUT(adminVars().LoggedOn, 10000);
        QTRY_VERIFY_WITH_TIMEOUT(adminVars().HostLoggedOn, 10000);
        QTRY_VERIFY_WITH_TIMEOUT(screen->FirstPictureShown, 10000);
    }

    void cleanupTestCase() {
        session.reset();
        gw.reset();
    }

    void firstPictureIsTheHostsScreen() {
        QVERIFY(showsWhatTheHostSent());
        QCOMPARE(screen->picture().size(), QSize(640, 480));
    }

    void updatesInEveryFormat_data() {
        QTest::addColumn<int>("format");
        QTest::newRow("rectangle lists") << int(ScreenEncoder::UpdateFormat::RectList);
        QTest::newRow("whole screen") << int(ScreenEncoder::UpdateFormat::WholeScreen);
        QTest::newRow("mixed") << int(ScreenEncoder::UpdateFormat::Auto);
    }
    void updatesInEveryFormat() {
        QFETCH(int, format);
        host().setUpdateFormat(ScreenEncoder::UpdateFormat(format));
        const qsizetype updates = gw->requestLog().withCode("07").size();
        for (int i = 0; i < 6; ++i) {
            movePointer();
            if (i % 2 == 0)
                continue; // sometimes two changes make one update
            QTest::qWait(150);
            QVERIFY2(showsWhatTheHostSent(), qPrintable(QStringLiteral("step %1").arg(i)));
        }
        QCOMPARE(screen->droppedBodies(), 0);
        QVERIFY(gw->requestLog().withCode("07").size() >= updates + 2);
    }

    void colourDepths_data() {
        QTest::addColumn<int>("depth");
        QTest::newRow("16 colours") << 4;
        QTest::newRow("256 colours") << 8;
        QTest::newRow("65536 colours") << 15;
    }
    void colourDepths() {
        QFETCH(int, depth);
        // As the colour box does it: stop, tell the host, ask for a full picture.
        host().setUpdateFormat(ScreenEncoder::UpdateFormat::Auto);
        screen->setColorDepth(depth);
        screen->StopScreenUpdates();
        session->SendCmd("SCol?" + QByteArray::number(depth));
        screen->RequestFullPicture();
        QTest::qWait(150);
        QVERIFY(showsWhatTheHostSent());
        for (int i = 0; i < 3; ++i) {
            movePointer();
            QTest::qWait(150);
            QVERIFY(showsWhatTheHostSent());
        }
    }

    void hostileBodiesLeaveTheSessionGoing_data() {
        QTest::addColumn<int>("kind");
        for (HostileKind k : HostileBodies::all()) {
            const auto slot = HostileBodies::slotOf(k);
            if (slot == HostileBodies::Slot::FullPicture || slot == HostileBodies::Slot::Update)
                QTest::newRow(HostileBodies::name(k).constData()) << int(k);
        }
    }
    void hostileBodiesLeaveTheSessionGoing() {
        QFETCH(int, kind);
        const HostileKind k = HostileKind(kind);
        const bool full = HostileBodies::slotOf(k) == HostileBodies::Slot::FullPicture;
        const QByteArray code = full ? "05" : "07";
        QVERIFY(showsWhatTheHostSent());
        const int dropped = screen->droppedBodies();
        const qsizetype fetched = gw->requestLog().withCode(code).size();
        host().sendHostile(k);
        // Fetched and handed over; the cycle asked the host for the next update.
        QTRY_VERIFY_WITH_TIMEOUT(gw->requestLog().withCode(code).size() > fetched && quiet(),
                                 20000);
        if (full)
            QCOMPARE(screen->droppedBodies(), dropped + 1);
        QVERIFY(adminVars().LoggedOn && adminVars().HostLoggedOn);
        // Some rectangle records were good and drawn; a full picture puts everything right.
        screen->RequestFullPicture();
        QTest::qWait(150);
        QVERIFY(showsWhatTheHostSent());
        movePointer();
        QTest::qWait(150);
        QVERIFY(showsWhatTheHostSent());
    }

    void screenProgramRestartAfterSilence() {
        // The watchdog's way back: "RsPr" and a full picture, then updates again.
        screen->RestartHostScreenProg();
        QTest::qWait(150);
        QVERIFY(showsWhatTheHostSent());
        QCOMPARE(int(screen->ScreenUpdateState), int(ScreenPipeline::Running));
        movePointer();
        QTest::qWait(150);
        QVERIFY(showsWhatTheHostSent());
    }
};

QTEST_GUILESS_MAIN(TestScreenEndToEnd)
#include "tst_screen_end_to_end.moc"
