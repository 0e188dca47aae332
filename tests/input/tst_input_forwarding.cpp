#include <QtTest>

#include "LocalGateway.h"
#include "LocalGatewaySession.h"
#include "SessionTestSupport.h"
#include "TestSession.h"
#include "common/AdminVars.h"
#include "gateway/GatewaySession.h"
#include "screen/InputCommands.h"
#include "screen/RemoteInput.h"

using namespace localgw;
using namespace InputCommands;

namespace {
bool isInput(const QByteArray &c) {
    for (const char *p : {"MsCl", "StDr", "MoUp", "MoMo", "MWhl", "KbdP", "AdLa"})
        if (c.startsWith(p))
            return true;
    return false;
}

KeyInfo key(quint32 vk, bool down, bool shift = false, bool ctrl = false, bool alt = false,
            bool extended = false) {
    KeyInfo k;
    k.virtualKey = vk;
    k.down = down;
    k.shift = shift;
    k.ctrl = ctrl;
    k.alt = alt;
    k.extended = extended;
    return k;
}
} // namespace

// The operator's gestures and keys, driven through the input core against the local gateway:
// what the simulated host receives is checked command by command, with positions scaled as the
// proportional mode scales a 1024 x 768 screen into 800 x 600.
class TestInputForwarding : public QObject {
    Q_OBJECT
    std::unique_ptr<LocalGateway> gw;
    std::unique_ptr<GatewaySession> session;
    RemoteInput *input = nullptr;
    RecordingUi ui;
    bool screenStopped = false;
    qsizetype seen = 0; // input commands of the host already looked at

    SimulatedHost &host() { return gw->latestSession()->host(); }

    QList<QByteArray> inputCommands() {
        QList<QByteArray> out;
        for (const QByteArray &c : host().receivedCommands())
            if (isInput(c))
                out.append(c);
        return out;
    }
    // The input commands since the last call, once `last` has arrived (the queue keeps order,
    // so everything sent before it has arrived too). Pointer moves are left out unless asked.
    QList<QByteArray> arrivedUpTo(const QByteArray &last, bool withMoves = false) {
        bool arrived =
            QTest::qWaitFor([&] { return inputCommands().mid(seen).contains(last); }, 10000);
        const QList<QByteArray> all = inputCommands();
        QList<QByteArray> out;
        for (const QByteArray &c : all.mid(seen))
            if (withMoves || !c.startsWith("MoMo"))
                out.append(c);
        seen = all.size();
        if (!arrived)
            out.append("(missing: " + last + ")");
        return out;
    }
    // A wheel notch as a marker: it goes out in view-only mode too.
    QList<QByteArray> arrivedBeforeMarker(bool withMoves = true) {
        input->wheel(120, {}, true);
        QList<QByteArray> out = arrivedUpTo("MWhl?120/0", withMoves);
        out.removeAll("MWhl?120/0");
        return out;
    }
    void click(QPoint p, RemoteInput::Button b, RemoteInput::Modifiers m = {}) {
        input->pointerMoved(p);
        input->buttonDown(b, m);
        input->buttonUp(b);
    }
    void waitForMoveTimer() { QTRY_VERIFY_WITH_TIMEOUT(!input->MouseMoveTimer.isActive(), 5000); }

private slots:
    void initTestCase() {
        resetProcessState();
        gw = startLocalGateway(steadyHostConfig({1024, 768}));
        QVERIFY(gw);
        session = makeTestSession(ui);
        input = new RemoteInput(session.get(), session.get());
        input->hooks().scale = [] { return QPointF(0.78125, 0.78125); };
        input->hooks().screenStopped = [this] { return screenStopped; };
        input->setKeyboardLayoutText(QStringLiteral("00000407"));
        session->WANconnect(false);
        QTRY_VERIFY_WITH_TIMEOUT(adminVars().HostLoggedOn, 10000);
    }

    void cleanupTestCase() {
        session.reset();
        gw.reset();
    }

    void translationAtEachScale_data() {
        QTest::addColumn<double>("scale");
        QTest::addColumn<int>("displayed");
        QTest::addColumn<int>("remote");
        QTest::newRow("unscaled") << 1.0 << 799 << 799;
        QTest::newRow("proportional") << 0.78125 << 400 << 512;
        QTest::newRow("proportional, truncated") << 0.78125 << 1 << 1;
        QTest::newRow("full width") << double(900.0f / 1024.0f) << 450 << 512;
        QTest::newRow("left of the picture, toward zero") << 0.78125 << -1 << -1;
        QTest::newRow("no factor") << 0.0 << 37 << 37;
    }
    void translationAtEachScale() {
        QFETCH(double, scale);
        QFETCH(int, displayed);
        QFETCH(int, remote);
        QCOMPARE(ToRemote(displayed, scale), remote);
        if (scale != 0.0 && displayed > 0) // and back, as the host's reports come
            QVERIFY(qAbs(ToDisplayed(remote, scale) - displayed) <= 1);
    }

    void gesturesAndKeysReachTheHost() {
        click({400, 300}, RemoteInput::Left);
        click({1, 1}, RemoteInput::Left, {false, true, false});
        click({400, 300}, RemoteInput::Right, {false, true, false});
        // A double click: press, release, the double-click press, release.
        input->pointerMoved({400, 300});
        input->buttonDown(RemoteInput::Left, {});
        input->buttonUp(RemoteInput::Left);
        input->buttonDown(RemoteInput::Left, {}, true);
        input->buttonUp(RemoteInput::Left);
        // A drag of the left button by two pixels and on.
        input->pointerMoved({100, 100});
        input->buttonDown(RemoteInput::Left, {});
        input->pointerMoved({102, 100});
        input->pointerMoved({200, 150});
        input->buttonUp(RemoteInput::Left);
        // A touchpad: eight small deltas make one notch.
        for (int i = 0; i < 8; ++i)
            input->wheel(15, {}, true);
        QVERIFY(!input->wheel(120, {}, false)); // not over the picture: the view scrolls
        QTRY_COMPARE(input->WheelSum, 0);
        input->wheel(-120, {true, false, false}, true);
        input->wheel(-120, {true, false, false}, true);
        QTRY_COMPARE(input->WheelSum, 0);

        // Keys, each pressed and released as the hook reports them.
        input->HookKey(key(164, true, false, false, true), 0, false); // Alt
        input->HookKey(key(9, true, false, false, true), 0, true);    // Tab, kept from the desktop
        input->HookKey(key(9, false, false, false, true), 0, true);
        input->HookKey(key(164, false), 0, false);
        input->HookKey(key('A', true), 'a', false);
        input->HookKey(key('A', false), 0, false);
        input->HookKey(key(160, true, true), 0, false); // Shift alone
        input->HookKey(key('A', true, true), 'A', false);
        input->HookKey(key(160, false), 0, false);
        input->HookKey(key('C', true, false, true), 0, false);              // Ctrl+C: no character
        input->HookKey(key(46, true, false, false, false, true), 0, false); // Delete
        input->HookKey(key('Q', true), '@', false);  // AltGr+Q of a German keyboard
        input->HookKey(key('E', true), 0x80, false); // AltGr+E: the euro sign
        input->HookKey(key('L', true), 0, false);    // a character Windows-1252 lacks
        input->HookKey(key(144, true, false, false, false, true), 0, false); // Num Lock
        input->HookKey(key(0, true), 0, false); // a key the host could not know
        input->SendKeyboardLayout();

        const QList<QByteArray> expected = {
            "MsCl?1-512-384-1-0", "MsCl?1-1-1-1-2",     "MsCl?1-512-384-2-0",
            "MsCl?1-512-384-1-0", "MsCl?1-512-384-1-0", "StDr?128-128-130-128-1-0",
            "MoUp?256-192-1",     "MWhl?120/0",         "MWhl?-240/1",
            "KbdP?#9-0-4",        "KbdP?#0-97-0",       "KbdP?#0-65-1",
            "KbdP?#67-0-2",       "KbdP?#46-0-64",      "KbdP?#0-64-0",
            "KbdP?#0-128-0",      "KbdP?#76-0-0",       "AdLa?00000407",
        };
        QCOMPARE(arrivedUpTo("AdLa?00000407"), expected);
        // The host typed what the keys produced, the euro sign decoded from Windows-1252.
        QCOMPARE(host().desktop().typedText(), QStringLiteral("aA@\u20ac"));
        QCOMPARE(host().input().lastInput(), QStringLiteral("L"));
    }

    void pointerMovesAreCoalesced() {
        waitForMoveTimer();
        input->pointerMoved({300, 200});
        waitForMoveTimer();
        QCOMPARE(arrivedUpTo("MoMo?384-256", true).last(), QByteArray("MoMo?384-256"));
        QCOMPARE(host().desktop().pointer(), QPoint(384, 256));
        // A pixel is no move.
        input->pointerMoved({301, 201});
        waitForMoveTimer();
        QCOMPARE(arrivedBeforeMarker(), QList<QByteArray>());

        // A pointer that keeps moving is reported while it moves: the timer keeps its
        // schedule instead of starting over with every move.
        for (int i = 0; i < 12; ++i) {
            input->pointerMoved({10 + 20 * i, 400});
            QTest::qWait(50);
        }
        // The last position may still wait for its tick; the marker must not overtake it.
        waitForMoveTimer();
        const QList<QByteArray> moves = arrivedBeforeMarker();
        QVERIFY2(moves.size() >= 2 && moves.last() == "MoMo?294-512", moves.join(' '));

        // Without "Show mouse moves on remote" the pointer does not move the host's, but a
        // drag still goes out.
        input->setShowMouseMoves(false);
        input->pointerMoved({500, 500});
        waitForMoveTimer();
        input->buttonDown(RemoteInput::Left, {});
        input->pointerMoved({520, 500});
        input->buttonUp(RemoteInput::Left);
        waitForMoveTimer();
        QCOMPARE(arrivedBeforeMarker(),
                 (QList<QByteArray>{"StDr?640-640-665-640-1-0", "MoUp?665-640-1"}));
        input->setShowMouseMoves(true);
    }

    void viewOnlyAndStoppedScreen() {
        waitForMoveTimer();
        input->SetFullControl(false);
        click({50, 50}, RemoteInput::Left);
        click({60, 60}, RemoteInput::Right);
        input->buttonDown(RemoteInput::Left, {});
        input->pointerMoved({90, 90});
        input->buttonUp(RemoteInput::Left);
        input->HookKey(key('A', true), 'a', false);
        input->HookKey(key(9, true, false, false, true), 0, true);
        QTest::qWait(250); // a mouse timer tick in view-only mode sends nothing either
        QCOMPARE(arrivedBeforeMarker(), QList<QByteArray>());
        input->SetFullControl(true);
        waitForMoveTimer();
        QCOMPARE(arrivedBeforeMarker(), QList<QByteArray>{"MoMo?115-115"});

        // The screen stopped (the file transfer window is open): no clicks, no drags, but the
        // pointer still moves; the chat window keeps the keys.
        screenStopped = true;
        waitForMoveTimer();
        click({80, 80}, RemoteInput::Left);
        input->buttonDown(RemoteInput::Left, {});
        input->pointerMoved({120, 80});
        input->buttonUp(RemoteInput::Left);
        waitForMoveTimer();
        bool chat = true;
        input->hooks().chatVisible = [&chat] { return chat; };
        input->HookKey(key('B', true), 'b', false);
        QCOMPARE(arrivedBeforeMarker(), QList<QByteArray>{"MoMo?153-102"});
        screenStopped = false;
        input->hooks().chatVisible = [] { return false; };
    }

    void remoteUsersPointerAndCursor() {
        QSignalSpy moved(input, &RemoteInput::remotePointerReported);
        QSignalSpy cursor(input, &RemoteInput::cursorShapeChanged);
        host().reportUserPointer({-5, -12}, false);
        host().reportUserPointer({512, 384}, true);
        host().say("MoMo?12"); // malformed: nothing moves
        host().say("MoMo?1-2-3");
        host().say("MoMo?9999999999-1");
        host().say("SCur?-11");
        host().say("SCur?hand");
        QTRY_COMPARE(cursor.size(), 2);
        QCOMPARE(moved.size(), 2);
        QCOMPARE(moved[0], (QList<QVariant>{QPoint(-3, -9), false}));
        QCOMPARE(moved[1], (QList<QVariant>{QPoint(400, 300), true}));
        QCOMPARE(input->remotePointer(), QPoint(400, 300));
        QCOMPARE(cursor[0][0].toInt(), -11);
        QCOMPARE(cursor[1][0].toInt(), 0);

        // Following the pointer along one axis of a 500-pixel view: out on the far side the
        // view scrolls so that it is at the edge, back inside it just moves.
        int scroll = 0, last = 0;
        auto f = FollowPointerAxis(700, 500, scroll, last);
        QCOMPARE((QList<int>{f.place, f.scrollBy, scroll}), (QList<int>{500, -200, -200}));
        f = FollowPointerAxis(300, 500, scroll, last);
        QCOMPARE((QList<int>{f.place, f.scrollBy, scroll}), (QList<int>{100, 0, -200}));
        f = FollowPointerAxis(100, 500, scroll, last);
        QCOMPARE((QList<int>{f.place, f.scrollBy, scroll}), (QList<int>{0, 100, -100}));
        QVERIFY(!FollowPointerAxis(100, 500, scroll, last).changed);
    }

    void sessionResetRestoresFullControl() {
        input->SetFullControl(false);
        QSignalSpy reset(input, &RemoteInput::inputReset);
        input->wheel(240, {}, true);
        session->InitVars();
        QCOMPARE(reset.size(), 1);
        QVERIFY(input->fullControl());
        QCOMPARE(input->WheelSum, 0);
        QCOMPARE(input->cursorNumber(), 0);
        QVERIFY(!input->MouseMoveTimer.isActive() && !input->MouseWheelTimer.isActive());
    }
};

QTEST_GUILESS_MAIN(TestInputForwarding)
#include "tst_input_forwarding.moc"
