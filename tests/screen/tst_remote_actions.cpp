#include <QtTest>

#include "LocalGateway.h"
#include "LocalGatewaySession.h"
#include "SessionTestSupport.h"
#include "TestSession.h"
#include "common/AdminVars.h"
#include "gateway/GatewaySession.h"
#include "gateway/HttpChannel.h"
#include "screen/RemoteActions.h"
#include "screen/ScreenModes.h"
#include "screen/ScreenPipeline.h"

#include <QImageReader>

using namespace localgw;

// The remote actions in whole sessions against the local gateway: what the host receives, in
// what order, and how the session and the picture carry on afterwards.
class TestRemoteActions : public QObject {
    Q_OBJECT
    std::unique_ptr<LocalGateway> gw;
    std::unique_ptr<GatewaySession> session;
    ScreenPipeline *screen = nullptr;
    ScreenModes *modes = nullptr;
    RemoteActions *actions = nullptr;
    RecordingUi ui;
    QTemporaryDir dir;
    QList<RemoteActions::RebootQuestion> questions;
    bool answerYes = true;

    SimulatedHost &host() { return gw->latestSession()->host(); }

    bool quiet() { return screenSettled(host(), *screen, *session); }
    // The picture is live: after everything in flight it is exactly what the host sent.
    bool showsWhatTheHostSent() {
        if (!QTest::qWaitFor([this] { return quiet(); }, 20000))
            return false;
        return screen->picture() == host().shownPicture();
    }

    // What the host received since `from`, screen commands left out.
    QList<QByteArray> received(qsizetype from) {
        QList<QByteArray> out;
        for (const QByteArray &c : host().receivedCommands().mid(from))
            if (!c.startsWith("UScr") && !c.startsWith("nSCh"))
                out.append(c);
        return out;
    }
    // Sends a marker behind everything queued so far and waits until the host has it: whatever
    // the console queued before has arrived by then.
    bool drained(const QByteArray &marker) {
        session->SendCmd(marker);
        return QTest::qWaitFor([&] { return host().receivedCommands().contains(marker); }, 20000);
    }

    void connectSession() {
        session->WANconnect(false);
        QTRY_VERIFY_WITH_TIMEOUT(adminVars().LoggedOn, 10000);
        QTRY_VERIFY_WITH_TIMEOUT(adminVars().HostLoggedOn, 10000);
        QTRY_VERIFY_WITH_TIMEOUT(screen->FirstPictureShown, 10000);
    }

private slots:
    void initTestCase() {
        QVERIFY(dir.isValid());
        resetProcessState();
        gw = startLocalGateway(steadyHostConfig({640, 480}));
        QVERIFY(gw);
        session = makeTestSession(ui);
        session->WatchdogCloseDelayMs = 0;
        screen = new ScreenPipeline(session.get());
        modes = new ScreenModes(session.get(), screen, session.get());
        actions = new RemoteActions(session.get(), screen, modes, session.get());
        actions->hooks().askReboot = [this](RemoteActions::RebootQuestion q) {
            questions.append(q);
            return answerYes;
        };
        connectSession();
    }

    void cleanupTestCase() {
        session.reset();
        gw.reset();
    }

    void rebootRoundTrip() {
        host().setRebootDelay(300);
        QSignalSpy waiting(actions, &RemoteActions::waitingForHostChanged);
        QSignalSpy fullPictures(screen, &ScreenPipeline::fullPictureShown);
        const qsizetype from = host().receivedCommands().size();
        answerYes = true;
        actions->BttnRebootClick();
        QTRY_COMPARE(questions.size(), 1);
        QCOMPARE(int(questions.first()), int(RemoteActions::OperatorReboot));
        QCOMPARE(session->RebootPending, quint8(1));
        QCOMPARE(ui.lastFlash(), QStringLiteral("Rebooting remote computer ..."));

        // The host accepts, leaves, and the console waits for it with the session open.
        QTRY_VERIFY_WITH_TIMEOUT(!waiting.isEmpty(), 10000);
        QCOMPARE(waiting.first().first().toBool(), true);
        QVERIFY(adminVars().LoggedOn && !adminVars().HostLoggedOn);
        QCOMPARE(ui.rebooting, 1);
        QCOMPARE(received(from), QList<QByteArray>{"ReBt"});

        // It logs on again: the session goes on with a fresh picture that is live.
        QTRY_VERIFY_WITH_TIMEOUT(adminVars().HostLoggedOn, 10000);
        QCOMPARE(waiting.size(), 2);
        QCOMPARE(waiting.last().first().toBool(), false);
        QCOMPARE(session->RebootPending, quint8(0));
        QVERIFY(!actions->RebootTimer.isActive());
        QTRY_VERIFY_WITH_TIMEOUT(!fullPictures.isEmpty(), 10000);
        QVERIFY(showsWhatTheHostSent());

        // Commands reach the new host and show on its picture.
        actions->BttnTaskMgrClick();
        session->SendCmd("MsCl?1-1-300-200-0");
        QTRY_VERIFY_WITH_TIMEOUT(host().desktop().taskManagerVisible(), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(host().receivedCommands().contains("MsCl?1-1-300-200-0"), 10000);
        QVERIFY(showsWhatTheHostSent());
        QVERIFY(adminVars().LoggedOn);
    }

    void declinedAndRefusedReboots() {
        // Answered No: nothing goes out.
        qsizetype from = host().receivedCommands().size();
        answerYes = false;
        questions.clear();
        actions->BttnRebootClick();
        QTRY_COMPARE(questions.size(), 1);
        QVERIFY(drained("MoMo?10-10"));
        QCOMPARE(received(from), QList<QByteArray>{"MoMo?10-10"});
        QCOMPARE(session->RebootPending, quint8(0));

        // Refused by the remote user: the notice, no wait, and the picture stays live.
        host().setRefuseReboot(true);
        answerYes = true;
        from = host().receivedCommands().size();
        const int flashes = ui.flashes.size();
        actions->BttnRebootClick();
        QTRY_VERIFY_WITH_TIMEOUT(session->RebootPending == 0 && ui.flashes.size() >= flashes + 2,
                                 10000);
        QCOMPARE(ui.flashes.last().title, QStringLiteral("Error"));
        QCOMPARE(ui.flashes.last().text,
                 QStringLiteral("Reboot/shutdown denied by peer\rClose all running programs"));
        QVERIFY(!actions->waitingForHost());
        QVERIFY(!actions->RebootTimer.isActive());
        QTRY_VERIFY_WITH_TIMEOUT(received(from).contains("GScr"), 10000);
        QVERIFY(showsWhatTheHostSent());
        host().advanceClock(7);
        QTest::qWait(100);
        QVERIFY(showsWhatTheHostSent());
        host().setRefuseReboot(false);
    }

    // The remote computer announces its shutdown while the operator's own reboot question is
    // open: that question gives way, and the reconnection question answers the host.
    void shutdownWhileTheOperatorIsAsked() {
        host().setRebootDelay(300);
        bool dismissed = false;
        actions->hooks().dismissQuestion = [&dismissed] { dismissed = true; };
        actions->hooks().askReboot = [&](RemoteActions::RebootQuestion q) {
            questions.append(q);
            if (q == RemoteActions::HostShuttingDown)
                return true;
            host().say("WaBt");
            return !QTest::qWaitFor([&] { return dismissed; }, 10000); // stands for "No"
        };
        questions.clear();
        const qsizetype from = host().receivedCommands().size();
        actions->BttnRebootClick();
        QTRY_COMPARE_WITH_TIMEOUT(questions.size(), 2, 15000);
        QCOMPARE(int(questions.last()), int(RemoteActions::HostShuttingDown));
        QTRY_VERIFY_WITH_TIMEOUT(received(from).contains("ReBt"), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(!adminVars().HostLoggedOn, 10000);
        QTRY_VERIFY_WITH_TIMEOUT(adminVars().HostLoggedOn, 10000);
        actions->hooks().askReboot = [this](RemoteActions::RebootQuestion q) {
            questions.append(q);
            return answerYes;
        };
        actions->hooks().dismissQuestion = [] {};
    }

    void ctrlAltDelRestartsTheScreenProgram() {
        // What the console asks of a host that joined again is done first.
        QVERIFY(showsWhatTheHostSent());
        const qsizetype from = host().receivedCommands().size();
        actions->BttnCtrlAltDelClick();
        QTRY_VERIFY_WITH_TIMEOUT(host().desktop().securityScreenVisible(), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(received(from).size() >= 3, 10000);
        QCOMPARE(received(from).mid(0, 3), (QList<QByteArray>{"sCAD", "RsPr", "GScr"}));
        QVERIFY(showsWhatTheHostSent());
    }

    void screenshots() {
        const QString snaps = dir.filePath(QStringLiteral("snaps"));
        const QString desktop = dir.filePath(QStringLiteral("desktop"));
        QVERIFY(QDir().mkpath(snaps) && QDir().mkpath(desktop));
        actions->hooks().snapshotFolder = [snaps] { return snaps; };
        actions->hooks().desktopFolder = [desktop] { return desktop; };
        actions->hooks().now = [] { return QDateTime(QDate(2008, 3, 15), QTime(14, 5, 33)); };
        QVERIFY(showsWhatTheHostSent());
        const QImage shown = screen->picture().copy();

        const SnapshotResult first = actions->BttnPictToDesktopClick();
        const SnapshotResult second = actions->BttnPictToDesktopClick();
        QVERIFY(first.saved && second.saved);
        QCOMPARE(first.picturePath, QDir(snaps).filePath(QStringLiteral("08-03-15_14-05-33.jpg")));
        QCOMPARE(second.picturePath,
                 QDir(snaps).filePath(QStringLiteral("08-03-15_14-05-33_2.jpg")));
        // Nothing half-written stays behind.
        QCOMPARE(QDir(snaps).entryList(QDir::Files | QDir::Hidden).size(), 2);

        for (const QString &path : {first.picturePath, second.picturePath}) {
            QImageReader reader(path);
            QCOMPARE(reader.format(), QByteArray("jpeg"));
            const QImage saved = reader.read().convertToFormat(QImage::Format_RGB32);
            QCOMPARE(saved.size(), shown.size());
            qint64 sum = 0;
            for (int y = 0; y < saved.height(); ++y) {
                for (int x = 0; x < saved.width(); ++x) {
                    const QRgb a = saved.pixel(x, y), b = shown.pixel(x, y);
                    sum += qAbs(qRed(a) - qRed(b)) + qAbs(qGreen(a) - qGreen(b)) +
                           qAbs(qBlue(a) - qBlue(b));
                }
            }
            const double meanError = double(sum) / (3.0 * saved.width() * saved.height());
            QVERIFY2(meanError < 4.0, qPrintable(QString::number(meanError)));
        }

        // The link on the desktop opens the picture.
        QCOMPARE(first.linkPath,
                 QDir(desktop).filePath(QStringLiteral("Quorvia 08-03-15_14-05-33.desktop")));
        QFile link(first.linkPath);
        QVERIFY(link.open(QIODevice::ReadOnly));
        const QByteArray entry = link.readAll();
        QVERIFY(entry.startsWith("[Desktop Entry]\n"));
        QVERIFY(entry.contains("\nType=Link\n"));
        const qsizetype url = entry.indexOf("\nURL=") + 5;
        QCOMPARE(
            QUrl(QString::fromUtf8(entry.mid(url, entry.indexOf('\n', url) - url))).toLocalFile(),
            first.picturePath);

        // No desktop folder: the picture without a link.
        actions->hooks().desktopFolder = [this] { return dir.filePath(QStringLiteral("none")); };
        const SnapshotResult third = actions->BttnPictToDesktopClick();
        QVERIFY(third.saved && third.linkPath.isEmpty());
        QCOMPARE(QDir(desktop).entryList(QDir::Files).size(), 2);

        // A folder that takes no file: the operator is told.
        actions->hooks().snapshotFolder = [this] {
            return dir.filePath(QStringLiteral("no/such"));
        };
        QVERIFY(!actions->BttnPictToDesktopClick().saved);
        QCOMPARE(ui.messages.last(), QStringLiteral("Error saving picture"));
        actions->hooks().snapshotFolder = [snaps] { return snaps; };
    }

    void viewOnlyRefusesEveryAction() {
        QSignalSpy changed(actions, &RemoteActions::fullControlChanged);
        QSignalSpy announced(actions, &RemoteActions::controlModeAnnounced);
        host().setViewOnly(true);
        QTRY_VERIFY_WITH_TIMEOUT(!actions->fullControl(), 10000);
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed.first().first().toBool(), false);
        QCOMPARE(announced.size(), 1);
        QVERIFY(!modes->hooks().fullControl());
        QVERIFY(!modes->modeBoxEnabled());

        const qsizetype from = host().receivedCommands().size();
        questions.clear();
        actions->BttnRebootClick();
        actions->BttnTaskMgrClick();
        actions->BttnCtrlAltDelClick();
        modes->BttnHideWallpaperClick();
        host().say("WaBt");
        QTest::qWait(200);
        // The screenshot still works.
        QVERIFY(actions->BttnPictToDesktopClick().saved);
        QVERIFY(drained("MWhl?120-0"));
        QCOMPARE(received(from), QList<QByteArray>{"MWhl?120-0"});
        QVERIFY(questions.isEmpty());

        host().setViewOnly(false);
        QTRY_VERIFY_WITH_TIMEOUT(actions->fullControl(), 10000);
        QCOMPARE(changed.size(), 2);
        QVERIFY(modes->hooks().fullControl() && modes->modeBoxEnabled());

        // Back to view only, then the session ends: the next one starts in full control.
        host().setViewOnly(true);
        QTRY_VERIFY_WITH_TIMEOUT(!actions->fullControl(), 10000);
        session->WMWANdisconnect(0, 1);
        QTRY_VERIFY_WITH_TIMEOUT(!adminVars().LoggedOn, 10000);
        QVERIFY(actions->fullControl());
        QCOMPARE(changed.last().first().toBool(), true);
    }

    // The host announces its restart and the operator asks to reconnect: "ReBt" goes out, the
    // console waits with the session open, and the session goes on with the returning host.
    void hostShuttingDownAnsweredYes() {
        connectSession();
        host().setRebootDelay(300);
        questions.clear();
        answerYes = true;
        const qsizetype from = host().receivedCommands().size();
        QSignalSpy waiting(actions, &RemoteActions::waitingForHostChanged);
        host().say("WaBt");
        QTRY_COMPARE(questions.size(), 1);
        QCOMPARE(int(questions.first()), int(RemoteActions::HostShuttingDown));
        QCOMPARE(session->RebootPending, quint8(1));
        QTRY_VERIFY_WITH_TIMEOUT(!waiting.isEmpty(), 10000);
        QVERIFY(adminVars().LoggedOn && !adminVars().HostLoggedOn);
        QCOMPARE(received(from), QList<QByteArray>{"ReBt"});
        QTRY_VERIFY_WITH_TIMEOUT(adminVars().HostLoggedOn, 10000);
        QCOMPARE(session->RebootPending, quint8(0));
        QCOMPARE(waiting.last().first().toBool(), false);
        QVERIFY(showsWhatTheHostSent());
        QVERIFY(drained("MWhl?120-0"));
        QVERIFY(adminVars().LoggedOn);
        session->WMWANdisconnect(0, 1);
        QTRY_VERIFY_WITH_TIMEOUT(!adminVars().LoggedOn, 10000);
    }

    void hostShuttingDownAnsweredNo() {
        connectSession();
        questions.clear();
        answerYes = false;
        host().say("WaBt");
        QTRY_COMPARE(questions.size(), 1);
        QCOMPARE(int(questions.first()), int(RemoteActions::HostShuttingDown));
        // "QtRb" leaves before the logoff's "QUIT", and the session ends.
        QTRY_VERIFY_WITH_TIMEOUT(!adminVars().LoggedOn, 10000);
        QList<QByteArray> sent;
        for (const LoggedRequest &r : gw->requestLog().withCode("01"))
            sent.append(r.value("string"));
        QVERIFY(sent.contains("QtRb") && sent.contains("QUIT"));
        QVERIFY(sent.lastIndexOf("QtRb") < sent.lastIndexOf("QUIT"));
    }

    void rebootThatNeverComesBack() {
        connectSession();
        host().setRebootDelay(-1);
        answerYes = true;
        // The wait is cut short once it has begun.
        connect(actions, &RemoteActions::waitingForHostChanged, this, [this](bool waiting) {
            if (waiting)
                actions->RebootTimer.start(50);
        });
        QSignalSpy waiting(actions, &RemoteActions::waitingForHostChanged);
        actions->BttnRebootClick();
        QTRY_VERIFY_WITH_TIMEOUT(waiting.size() == 2, 20000);
        QTRY_VERIFY_WITH_TIMEOUT(!adminVars().LoggedOn, 10000);
        QCOMPARE(
            ui.messages.last(),
            QStringLiteral(
                "The remote computer did not reconnect after the reboot\rClosing current session"));
        QCOMPARE(session->RebootPending, quint8(0));
        QVERIFY(!actions->waitingForHost());
    }
};

QTEST_GUILESS_MAIN(TestRemoteActions)
#include "tst_remote_actions.moc"
