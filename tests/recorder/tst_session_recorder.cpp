#include <QtTest>

#include "LocalGateway.h"
#include "LocalGatewaySession.h"
#include "MovieProbe.h"
#include "SessionTestSupport.h"
#include "TestSession.h"
#include "common/AdminVars.h"
#include "common/WindowMessages.h"
#include "common/uLanguageMsg.h"
#include "gateway/GatewaySession.h"
#include "recorder/RecorderFrames.h"
#include "recorder/SessionRecorder.h"
#include "screen/FixedPalettes.h"
#include "screen/ScreenModes.h"
#include "screen/ScreenPipeline.h"

#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>

using namespace localgw;

// The recorder in a whole session against the local gateway: what it records is the picture the
// console showed, with the pointers painted in; the host hears of the start and the stop; a new
// remote screen size, a mode switch and the logoff each end a recording with a complete movie.
class TestSessionRecorder : public QObject {
    Q_OBJECT
    std::unique_ptr<LocalGateway> gw;
    std::unique_ptr<GatewaySession> session;
    ScreenPipeline *screen = nullptr;
    ScreenModes *modes = nullptr;
    SessionRecorder *recorder = nullptr;
    RecordingUi ui;
    QTemporaryDir folder;

    SimulatedHost &host() { return gw->latestSession()->host(); }

    int hostHeard(const QByteArray &command) {
        return int(host().receivedCommands().count(command));
    }

    // The picture the host shows, as the console shows it, with what the recorder paints over it.
    QImage expectedFrame(const PointerMarks &marks) {
        QImage shown = host().shownPicture().convertToFormat(QImage::Format_RGB32);
        DrawPointerMarks(shown, marks);
        return FixedPalettes::reduceToDepth(shown, 8);
    }

    // Records until the recorder has taken a frame and the screen has settled.
    void recordAWhile() {
        QTRY_VERIFY_WITH_TIMEOUT(!recorder->RecordedSize.isEmpty(), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(host().updateWanted() &&
                                     screen->ScreenFetch == ScreenPipeline::None &&
                                     !screen->workerBusy(),
                                 20000);
        QTest::qWait(700); // a few frames more
    }

    QString finishedMovie(int index) {
        recorder->finishAll();
        return movies.value(index);
    }
    QStringList movies;
    QStringList failedMovies;

private slots:
    void initTestCase() {
        resetProcessState();
        gw = startLocalGateway(steadyHostConfig({640, 480}));
        QVERIFY(gw);
        session = makeTestSession(ui);
        screen = new ScreenPipeline(session.get());
        recorder = new SessionRecorder(session.get(), screen, session.get());
        recorder->RecordingFolder = folder.path();
        connect(
            recorder, &SessionRecorder::movieFinished, this,
            [this](const QString &movie, bool ok) { (ok ? movies : failedMovies).append(movie); });
        session->WANconnect(false);
        QTRY_VERIFY_WITH_TIMEOUT(adminVars().HostLoggedOn, 10000);
    }

    void cleanupTestCase() {
        session.reset();
        gw.reset();
    }

    void recordsWhatTheConsoleShowed() {
        recorder->ChooseCodec();
        QCOMPARE(recorder->PreferredCodec, QStringLiteral("MP43"));
        // Uncompressed, so that every frame can be compared exactly.
        recorder->PreferredCodec.clear();

        settings().Scaling = 1;
        recorder->BttnStartSessionRecordingClick();
        QVERIFY(!recorder->Recording);
        QCOMPARE(ui.lastFlash(), Msg("Screen recording not allowed when screenscaling is enabled"));
        settings().Scaling = 0;

        PointerMarks marks;
        marks.operatorAt = QPoint(50, 40);
        marks.operatorCursor = recorder->OperatorCursor;
        marks.operatorHotSpot = recorder->OperatorHotSpot;
        marks.remoteAt = QPoint(200, 100);
        recorder->hooks().operatorPointer = [&] { return marks.operatorAt; };
        recorder->hooks().fullControl = [] { return false; }; // view only
        recorder->hooks().remotePointer = [&] { return marks.remoteAt; };

        QSignalSpy closePlayer(recorder, &SessionRecorder::closePlayerRequested);
        QSignalSpy replay(recorder, &SessionRecorder::replayEnabledChanged);
        // Started before the first picture: the recording waits for it.
        QVERIFY(screen->picture().isNull());
        recorder->BttnStartSessionRecordingClick();
        QVERIFY(recorder->Recording);
        QVERIFY(recorder->stopButtonShown());
        QCOMPARE(closePlayer.size(), 1);
        QCOMPARE(replay.takeFirst().at(0).toBool(), false);
        QTRY_COMPARE_WITH_TIMEOUT(hostHeard("Info?StRc"), 1, 10000);
        QTest::qWait(350);
        QVERIFY(recorder->RecordedSize.isEmpty());

        screen->RestartScreenUpdates(true);
        recordAWhile();
        const QImage expected = expectedFrame(marks);
        recorder->BttnStopSessionRecordingClick();
        QVERIFY(!recorder->Recording);
        QVERIFY(!recorder->stopButtonShown());
        QTRY_COMPARE_WITH_TIMEOUT(hostHeard("Info?SpRc"), 1, 10000);
        const QString movie = finishedMovie(0);
        QCOMPARE(replay.last().at(0).toBool(), true);

        QVERIFY(QRegularExpression(QStringLiteral("^\\d\\d-\\d\\d-\\d\\d_\\d\\du\\d\\d_") +
                                   adminVars().CurrentKey + QStringLiteral("\\.avi$"))
                    .match(QFileInfo(movie).fileName())
                    .hasMatch());
        const MovieInfo info = ProbeMovie(movie);
        QVERIFY2(info.opened, qPrintable(info.error));
        QCOMPARE(info.tag, 0u);
        QCOMPARE(info.size, QSize(640, 480));
        QVERIFY(info.frames >= 1);
        for (const QImage &picture : info.pictures)
            QVERIFY(picture == expected);
        // The uncompressed frames went through the temporary folder and left nothing there.
        QCOMPARE(
            QDir::temp().entryList({QStringLiteral("~AWTemp-") +
                                    QFileInfo(movie).completeBaseName() + QStringLiteral(".*")}),
            QStringList());
    }

    // The disk fills up under way: the recording ends, the operator is told, and what is left
    // is a movie of the frames that were written, or nothing.
    void aFullDiskEndsTheRecording() {
        recorder->PreferredCodec.clear();
        recorder->hooks().operatorPointer = [] { return std::optional<QPoint>(); };
        recorder->hooks().fullControl = [] { return true; };
        recorder->BttnStartSessionRecordingClick();
        QVERIFY(recorder->Recording);
        const QString movie = recorder->currentMovie();
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit limited = saved;
        limited.rlim_cur = 700 * 1024; // two frames of 640 x 480
        setrlimit(RLIMIT_FSIZE, &limited);
        QTRY_VERIFY_WITH_TIMEOUT(!recorder->Recording, 20000);
        recorder->finishAll();
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, SIG_DFL);
        QCOMPARE(ui.lastFlash(),
                 Msg("Screen recording stopped: the movie file could not be written."));
        QVERIFY(!recorder->stopButtonShown());
        QCOMPARE(failedMovies, QStringList{movie});
        const QStringList left =
            QDir(folder.path()).entryList(QDir::Hidden | QDir::Files).filter(".part");
        if (QFileInfo::exists(movie)) {
            const MovieInfo info = ProbeMovie(movie);
            QVERIFY2(info.opened, qPrintable(info.error));
            QVERIFY(info.frames >= 1);
            QCOMPARE(info.decodeErrors, 0);
            QFile::remove(movie);
            QCOMPARE(left, QStringList());
        } else if (!ui.messages.isEmpty()) {
            // No movie could be made of the frames: they are kept, and the operator learns where.
            const QString kept = ui.messages.last().section(QLatin1Char('\r'), -1);
            QVERIFY2(QFileInfo::exists(kept), qPrintable(ui.messages.last()));
            QFile::remove(kept);
        }
    }

    void theRecordingEndsWithTheScreenAndTheSession() {
        // The screen modes start the screen cycle themselves once the host's list is in; here
        // they come when the first picture has been shown.
        modes = new ScreenModes(session.get(), screen, session.get());
        recorder->attachScreenModes(modes);
        recorder->PreferredCodec = QStringLiteral("MP43");
        PointerMarks marks;
        recorder->hooks().operatorPointer = [] { return std::optional<QPoint>(); };
        recorder->hooks().fullControl = [] { return true; }; // no remote pointer drawn
        recorder->hooks().remotePointer = [] { return std::optional<QPoint>(QPoint(200, 100)); };
        const int stops = hostHeard("Info?SpRc");

        // The remote screen changes its size: the recording stops at the next frame.
        recorder->BttnStartSessionRecordingClick();
        recordAWhile();
        const QImage before = expectedFrame(marks);
        session->SendCmd("SScM?800&600&15");
        QTRY_VERIFY_WITH_TIMEOUT(!recorder->Recording, 20000);
        QVERIFY(!recorder->stopButtonShown());
        QCOMPARE(screen->picture().size(), QSize(800, 600));

        // A mode switch from the console stops it before the command goes out.
        recorder->BttnStartSessionRecordingClick();
        recordAWhile();
        QVERIFY(recorder->Recording);
        modes->SetNewScreenMode(640, 480, 0, 15);
        QVERIFY(!recorder->Recording);

        // So does the end of the session.
        QTRY_COMPARE_WITH_TIMEOUT(screen->picture().size(), QSize(640, 480), 20000);
        recorder->BttnStartSessionRecordingClick();
        recordAWhile();
        WindowMessages::PostMessage(session.get(), WindowMessages::WANdisconnect, 0, 0);
        QTRY_VERIFY_WITH_TIMEOUT(!recorder->Recording, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(hostHeard("Info?SpRc"), stops + 3, 3000);

        finishedMovie(3);
        QCOMPARE(movies.size(), 4);
        // Four recordings within a minute or two: none overwrote another.
        QCOMPARE(QSet<QString>(movies.begin(), movies.end()).size(), 4);
        const QSize sizes[] = {{640, 480}, {800, 600}, {640, 480}};
        for (int i = 1; i <= 3; ++i) {
            const MovieInfo info = ProbeMovie(movies[i], i == 1);
            QVERIFY2(info.opened, qPrintable(movies[i] + QLatin1Char(' ') + info.error));
            QCOMPARE(info.tagText(), QStringLiteral("MP43"));
            QCOMPARE(info.size, sizes[i - 1]);
            QVERIFY(info.frames >= 1);
            if (i == 1) {
                QVERIFY(MeanDifference(info.pictures.first(), before) <= 6);
                // No remote pointer in full control: the arrow's red is not in the frame.
                const QRgb c = info.pictures.first().pixel(202, 108);
                QVERIFY(!(qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 60));
            }
        }
    }
};

QTEST_MAIN(TestSessionRecorder)
#include "tst_session_recorder.moc"
