#include <QtTest>

#include "SessionTestSupport.h"
#include "common/uLanguageMsg.h"
#include "recorder/AviPlayerLayout.h"
#include "recorder/AviWriter_2.h"
#include "recorder/MoviePlayback.h"
#include "recorder/RecorderControls.h"
#include "recorder/RecorderFrames.h"
#include "recorder/SessionRecorder.h"
#include "recorder/uAviPlayer.h"
#include "screen/FixedPalettes.h"
#include "screen/FullScreenHeader.h"
#include "screen/ScreenArea.h"
#include "screen/ScreenPipeline.h"
#include "screen/ScreenView.h"
#include "ui/FlashInfo.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QSlider>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>

// The player window plays what the recorder writes (listing, play to the end, seeking to the
// right frame, fitting), and the recorder's buttons on both toolbars follow its state.
namespace {
// Frame k of a test movie is one colour of the recorder's palette, so that any frame seen can
// be named.
QRgb colourOf(int k) {
    return FixedPalettes::palette256()[16 + 37 * k % 216];
}

QString writeMovie(const QString &path, QSize size, int frames, const QString &codec = {}) {
    TAviWriter_2 w;
    w.filename = path;
    w.setPixelFormat(TAviWriter_2::pf8bit);
    w.FrameTime = 200;
    w.Width = size.width();
    w.Height = size.height();
    w.OnTheFly = true;
    if (!w.SelectCodec(codec) || !w.StartMovie())
        return w.errorString();
    for (int k = 0; k < frames; ++k) {
        QImage frame(size, QImage::Format_RGB32);
        frame.fill(colourOf(k));
        if (!w.WriteFrame(frame))
            return w.errorString();
    }
    w.EndFrames();
    return w.FinishMovie() ? QString() : w.errorString();
}

// Which frame the player shows now (-1: none or unknown).
int shownFrame(const MoviePlayback *player) {
    const QImage &picture = player->picture();
    if (picture.isNull())
        return -1;
    const QRgb c = picture.pixel(picture.width() / 2, picture.height() / 2);
    for (int k = 0; k < 20; ++k) {
        const QRgb e = colourOf(k);
        // Exact for the uncompressed movies; the MPEG-4 one moves colours a little.
        if (qAbs(qRed(c) - qRed(e)) + qAbs(qGreen(c) - qGreen(e)) + qAbs(qBlue(c) - qBlue(e)) < 24)
            return k;
    }
    return -1;
}
} // namespace

class TestRecorderWindows : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void initTestCase() { resetProcessState(); }

    void timeTextAndPanelFitting() {
        QCOMPARE(AviTimeText(75 * 60000), QStringLiteral("01:15:00"));
        QCOMPARE(AviTimeText(0), QStringLiteral("00:00:00"));
        QCOMPARE(AviTimeText(100 * 3600000LL + 61999), QStringLiteral("100:01:01"));
        const QRect area(0, 33, 800, 567);
        // Smaller both ways: natural size, centred.
        QCOMPARE(FitMoviePanel({320, 240}, area), QRect(240, 33 + 163, 320, 240));
        // Larger: scaled down proportionally.
        QCOMPARE(FitMoviePanel({1600, 900}, area), QRect(0, 33 + 58, 800, 450));
        QCOMPARE(FitMoviePanel({800, 200}, area), QRect(0, 33 + 183, 800, 200));
        QVERIFY(!FitMoviePanel({0, 0}, area));
    }

    void playsSeeksAndEnds() {
        QVERIFY(writeMovie(dir.filePath("b-small.avi"), {160, 120}, 10).isEmpty());
        QVERIFY(writeMovie(dir.filePath("a-large.avi"), {1600, 1200}, 9, "MP43").isEmpty());
        QFile(dir.filePath("notes.txt")).open(QIODevice::WriteOnly);
        QFile(dir.filePath(".c.ABCDEF.part")).open(QIODevice::WriteOnly);
        QDir(dir.path()).mkdir(QStringLiteral("d.avi"));

        TAviPlayerForm form;
        form.Folder = dir.path();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.FilesCombo->count(), 2);
        QCOMPARE(form.FilesCombo->itemText(0), QStringLiteral("a-large.avi"));
        QCOMPARE(form.FilesCombo->itemText(1), QStringLiteral("b-small.avi"));
        QVERIFY(form.LblCaption->text().endsWith(Msg("Replay recorded session")));

        form.FilesCombo->setCurrentIndex(1);
        form.BttnPlayClick();
        QTRY_VERIFY_WITH_TIMEOUT(form.Opened, 10000);
        QCOMPARE(form.LblTotal->text(), QStringLiteral("00:00:02"));
        QCOMPARE(form.TrackBar->maximum(), 2000);
        QCOMPARE(form.DrawPanel->size(), QSize(160, 120));
        QVERIFY((form.DrawPanel->geometry().center() - form.Image1->geometry().center())
                    .manhattanLength() <= 2);

        // Seeking while paused shows the frame of that moment.
        form.BttnPauseClick();
        QCOMPARE(form.MediaPlayer->mode(), MoviePlayback::Paused);
        form.TrackBar->setValue(1100); // as the operator drags it
        QCOMPARE(shownFrame(form.MediaPlayer), 5);
        QCOMPARE(form.MediaPlayer->position(), 1100);
        form.TrackBar->setValue(300);
        QCOMPARE(shownFrame(form.MediaPlayer), 1);

        // Pause again continues; at the end the slider and the time go back to the start.
        QSignalSpy ended(form.MediaPlayer, &MoviePlayback::ended);
        form.BttnPauseClick();
        QCOMPARE(form.MediaPlayer->mode(), MoviePlayback::Playing);
        QVERIFY(ended.wait(15000));
        QCOMPARE(form.TrackBar->value(), 0);
        QCOMPARE(form.LblTime->text(), QStringLiteral("00:00:00"));
        QCOMPARE(form.MediaPlayer->position(), 0);
        QCOMPARE(shownFrame(form.MediaPlayer), 0);
        // Play starts it again from the beginning, and it plays through every frame.
        QList<int> seen;
        connect(form.MediaPlayer, &MoviePlayback::pictureChanged, this,
                [&] { seen.append(shownFrame(form.MediaPlayer)); });
        form.BttnPlayClick();
        QVERIFY(ended.wait(15000));
        QCOMPARE(seen.takeLast(), 0); // back at the start once it ended
        QCOMPARE(seen.last(), 9);
        QVERIFY(std::is_sorted(seen.begin(), seen.end()));
        form.BttnPlayClick();
        QTRY_VERIFY_WITH_TIMEOUT(form.TrackBar->value() > 0, 10000);
        form.BttnStopClick();
        QVERIFY(!form.Opened);
        QCOMPARE(form.TrackBar->value(), 0);
        // Without an open movie the slider stays at the start.
        form.TrackBar->setValue(500);
        QCOMPARE(form.TrackBar->value(), 0);

        // A movie larger than the window is scaled down to fit, keeping its shape.
        form.FilesCombo->setCurrentIndex(0);
        form.BttnPlayClick();
        QTRY_VERIFY_WITH_TIMEOUT(form.Opened, 10000);
        const QRect panel = form.DrawPanel->geometry();
        QVERIFY(form.Image1->geometry().contains(panel));
        QVERIFY(panel.width() == form.Image1->width() || panel.height() == form.Image1->height());
        QVERIFY(qAbs(panel.width() * 3 - panel.height() * 4) <= 4);
        // Seeking between its key frames (every fifth) decodes up to the frame asked for.
        form.BttnPauseClick();
        form.TrackBar->setValue(1450);
        QCOMPARE(shownFrame(form.MediaPlayer), 7);
        form.TrackBar->setValue(650);
        QCOMPARE(shownFrame(form.MediaPlayer), 3);
        form.close();
        QVERIFY(!form.Opened);

        // An empty folder lists nothing and Play does nothing; a missing one is reported.
        QTemporaryDir empty;
        form.Folder = empty.path();
        form.show();
        QCOMPARE(form.FilesCombo->count(), 0);
        form.BttnPlayClick();
        QVERIFY(!form.Opened);
        form.close();
        form.Folder = empty.filePath(QStringLiteral("missing"));
        form.show();
        QCOMPARE(FlashInfoText(), Msg("Folder not found") + QStringLiteral(" : <Recorded>"));
        form.close();
    }

    void recordingButtonsOnBothToolbars() {
        RecordingUi ui;
        auto session = makeTestSession(ui);
        auto *pipeline = new ScreenPipeline(session.get());
        QMainWindow window;
        auto *start = new QLabel(&window);
        auto *area = new ScreenArea(session.get(), pipeline, start, &window);
        window.setCentralWidget(area);
        QToolBar *bar = area->createToolBar(&window);
        window.addToolBar(bar);
        QMenu view;
        auto *controls = new RecorderControls(session.get(), pipeline, area, &window, &view, bar);
        SessionRecorder *recorder = controls->recorder();
        recorder->RecordingFolder = dir.filePath(QStringLiteral("rec"));
        QToolButton *headerStart = area->header()->button(THeaderForm::BttnStartSessionRecording);
        QToolButton *headerStop = area->header()->button(THeaderForm::BttnStopSessionRecording);
        window.show();

        adminVars().HostLoggedOn = true;
        controls->player()->show();
        controls->BttnStartSessionRecording->trigger();
        QVERIFY(recorder->Recording);
        QVERIFY(!controls->player()->isVisible());
        QVERIFY(!controls->BttnStartSessionRecording->isVisible());
        QVERIFY(controls->BttnStopSessionRecording->isVisible());
        QVERIFY(headerStart->isHidden() && !headerStop->isHidden());
        QVERIFY(!controls->MenuReplay->isEnabled());

        // Scaling is refused while recording.
        area->BttnScalePropOn->trigger();
        QCOMPARE(settings().Scaling, quint8(0));
        QCOMPARE(ui.lastFlash(), Msg("Screen scaling is not allowed during session recording"));

        // The stop buttons blink through their frames.
        const QImage first = headerStop->icon().pixmap(24, 24).toImage();
        recorder->RecordAnimTimerTimer();
        recorder->RecordAnimTimerTimer();
        QVERIFY(headerStop->icon().pixmap(24, 24).toImage() != first);
        QCOMPARE(controls->BttnStopSessionRecording->icon().pixmap(24, 24).toImage(),
                 headerStop->icon().pixmap(24, 24).toImage());

        // The frames show what the window shows: the remote user's pointer where its
        // indicator is, the operator's pointer in the shape the view gives it.
        session->dispatchHostMessage("MoMo", "120-80");
        QCOMPARE(recorder->hooks().remotePointer(), std::optional<QPoint>(QPoint(120, 80)));
        area->view()->setPictureCursor(Qt::IBeamCursor);
        QCOMPARE(recorder->hooks().operatorCursorShape(), Qt::IBeamCursor);
        QPoint hotSpot;
        const QImage beam = OperatorCursorPicture(Qt::IBeamCursor, &hotSpot);
        QVERIFY(!beam.isNull() && beam != DefaultOperatorCursor(nullptr));
        QVERIFY(OperatorCursorPicture(Qt::BlankCursor, &hotSpot).isNull());

        // The full-screen toolbar's stop button stops it too.
        headerStop->click();
        QVERIFY(!recorder->Recording);
        QVERIFY(controls->BttnStartSessionRecording->isVisible());
        QVERIFY(!headerStart->isHidden() && headerStop->isHidden());
        recorder->finishAll();
        QVERIFY(controls->MenuReplay->isEnabled());
        QCOMPARE(QDir(recorder->RecordingFolder).entryList({QStringLiteral("*.avi")}).size(), 1);
        adminVars().HostLoggedOn = false;
    }
};

QTEST_MAIN(TestRecorderWindows)

#include "tst_recorder_windows.moc"
