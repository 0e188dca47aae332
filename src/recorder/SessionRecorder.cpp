#include "recorder/SessionRecorder.h"

#include "common/AdminVars.h"
#include "common/AppFolders.h"
#include "common/TraceRing.h"
#include "common/uLanguageMsg.h"
#include "gateway/GatewaySession.h"
#include "gateway/SessionUi.h"
#include "recorder/AviWriter_2.h"
#include "recorder/RecorderFrames.h"
#include "recorder/RecordingFiles.h"
#include "recorder/RecordingWorker.h"
#include "screen/ScreenModes.h"
#include "screen/ScreenPipeline.h"
#include "settings/uIniFiles.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QtConcurrent/QtConcurrentRun>

namespace {
// The main window's writer as laid out on the form: the codec choice asks it.
constexpr int FormWidth = 102;
constexpr int FormHeight = 76;
constexpr int FormFrameTime = 1000;
const char *const PreferenceList[] = {"MP43", "MP42", "MPG4", "CVID", "MSVC"};
constexpr int TickMs = 100;
constexpr int ClickSound = 0;
constexpr int MsgError = 1;         // the message window's kind
constexpr int MsgButtonOK = 1 << 2; // and its OK button
} // namespace

SessionRecorder::SessionRecorder(GatewaySession *session, ScreenPipeline *pipeline, QObject *parent)
    : QObject(parent), Session(session), Pipeline(pipeline) {
    RecordingFolder = appFolders().Recorded;
    OperatorCursor = DefaultOperatorCursor(&OperatorHotSpot);
    H.operatorPointer = [] { return std::optional<QPoint>(); };
    H.operatorCursorShape = [] { return Qt::ArrowCursor; };
    H.fullControl = [] { return true; };
    H.remotePointer = [] { return std::optional<QPoint>(); };
    H.pointerOverStopButton = [] { return false; };

    SessionRecTimer.setInterval(TickMs);
    RecordAnimTimer.setInterval(500);
    connect(&SessionRecTimer, &QTimer::timeout, this, &SessionRecorder::SessionRecTimerTimer);
    connect(&RecordAnimTimer, &QTimer::timeout, this, &SessionRecorder::RecordAnimTimerTimer);

    // The session's end in any form ends the recording with the frames taken so far.
    const auto end = [this] {
        if (Recording)
            stopRecording(false);
    };
    connect(session, &GatewaySession::logoffStarting, this, end);
    connect(session, &GatewaySession::hostLeft, this, end);
    connect(session, &GatewaySession::hostLost, this, end);
    connect(session, &GatewaySession::sessionReset, this, [this, end] {
        end();
        setStopShown(false);
    });
}

SessionRecorder::~SessionRecorder() {
    if (Recording) {
        // No command goes out from here: the session may be gone already.
        Session.clear();
        stopRecording(false);
    }
    finishAll();
    Recovery.waitForFinished();
}

void SessionRecorder::flash(const QString &title, const QString &text) {
    if (Session)
        Session->ui().flash(title, text, 3);
}

void SessionRecorder::setStopShown(bool shown) {
    if (StopShown == shown)
        return;
    StopShown = shown;
    emit stopButtonShownChanged(shown);
}

void SessionRecorder::attachScreenModes(ScreenModes *modes) {
    const QPointer<SessionRecorder> self(this);
    modes->hooks().recording = [self] { return self && self->Recording; };
    modes->hooks().stopRecording = [self] {
        if (self)
            self->stopRecording(false);
    };
}

void SessionRecorder::ChooseCodec() {
    PreferredCodec.clear();
    TAviWriter_2 probe;
    probe.Width = FormWidth;
    probe.Height = FormHeight;
    probe.FrameTime = FormFrameTime;
    probe.setPixelFormat(TAviWriter_2::pf24bit);
    const QStringList list = probe.ListCodecs();
    if (list.size() <= 1)
        return;
    for (const char *wanted : PreferenceList) {
        for (const QString &entry : list) {
            if (entry.left(4).compare(QLatin1String(wanted), Qt::CaseInsensitive) == 0) {
                PreferredCodec = QLatin1String(wanted);
                return;
            }
        }
    }
}

void SessionRecorder::BttnStartSessionRecordingClick() {
    AddTrace(43);
    if (!adminVars().HostLoggedOn || Recording || !Session || !Pipeline)
        return;
    if (settings().Scaling != 0) {
        flash(Msg("Info"), Msg("Screen recording not allowed when screenscaling is enabled"));
        return;
    }
    Session->ui().playSound(ClickSound);
    emit closePlayerRequested();
    setStopShown(true);
    RecordedSize = QSize();
    StopButtonFrame = 0;
    SessionRecTimer.setInterval(TickMs);

    QDir().mkpath(RecordingFolder);
    Movie = RecordingFiles::MovieFileName(RecordingFolder, QDateTime::currentDateTime(),
                                          adminVars().CurrentKey);
    auto writer = std::make_unique<TAviWriter_2>();
    writer->filename = Movie;
    writer->setPixelFormat(TAviWriter_2::pf8bit);
    FrameTimeMs = 2 * SessionRecTimer.interval();
    writer->FrameTime = FrameTimeMs;
    // Before the first picture the size is not known yet; the first frame fixes it.
    const QSize shown = Pipeline->picture().size();
    writer->Width = shown.isEmpty() ? FormWidth : shown.width();
    writer->Height = shown.isEmpty() ? FormHeight : shown.height();
    const bool codecOk = writer->SelectCodec(PreferredCodec);
    writer->OnTheFly = !PreferredCodec.isEmpty();
    if (writer->OnTheFly)
        writer->SetCodecQuality(5000);
    if (prepareWriter)
        prepareWriter(*writer);
    if (!codecOk || !writer->StartMovie()) {
        // The stop button stays until the operator clicks it.
        flash(Msg("Error"), Msg("Could not start recorder"));
        return;
    }

    Recording = true;
    Dropped = 0;
    LastSlot = -1;
    Clock.invalidate();
    Worker = new RecordingWorker(std::move(writer), QueueCapacity, this);
    RecordingWorker *worker = Worker;
    // A file that cannot be written any more (a full disk), or an encoder that refuses the
    // picture's size, ends the recording; the operator learns why the stop button went.
    connect(worker, &RecordingWorker::writeFailed, this, [this, worker] {
        if (Recording && Worker == worker) {
            const bool started = worker->framesWritten() > 0;
            stopRecording(false);
            flash(Msg("Error"),
                  started ? Msg("Screen recording stopped: the movie file could not be written.")
                          : Msg("Could not start recorder"));
        }
    });
    connect(worker, &RecordingWorker::finished, this,
            [this, worker](bool ok, const QString &error) { onWorkerFinished(worker, ok, error); });
    Session->SendCmd("Info?StRc");
    emit replayEnabledChanged(false);
    SessionRecTimer.start();
    RecordAnimTimer.start();
}

void SessionRecorder::SessionRecTimerTimer() {
    AddTrace(45);
    SessionRecTimer.stop();
    if (!Recording || !Worker || !Pipeline)
        return;
    const QImage &picture = Pipeline->picture();
    // Started before the first picture: the recording begins with it.
    if (picture.isNull()) {
        SessionRecTimer.start();
        return;
    }
    if (RecordedSize.isEmpty()) {
        RecordedSize = picture.size();
    } else if (picture.size() != RecordedSize) {
        stopRecording(false);
        return;
    }
    if (!Clock.isValid())
        Clock.start();
    const qint64 slot = Clock.elapsed() / FrameTimeMs;
    if (slot > LastSlot) {
        LastSlot = slot;
        if (Worker->canAccept()) {
            RecordingWorker::Frame frame;
            frame.slot = slot;
            // The pointers are painted on the worker; only their places are read here.
            if (const auto at = H.operatorPointer()) {
                AddTrace(47);
                frame.marks.operatorAt = at;
                const Qt::CursorShape shape = H.operatorCursorShape();
                if (shape == Qt::ArrowCursor) {
                    frame.marks.operatorCursor = OperatorCursor;
                    frame.marks.operatorHotSpot = OperatorHotSpot;
                } else {
                    frame.marks.operatorCursor =
                        OperatorCursorPicture(shape, &frame.marks.operatorHotSpot);
                }
            }
            if (!H.fullControl())
                frame.marks.remoteAt = H.remotePointer();
            frame.picture = picture.copy();
            if (!Worker->submit(std::move(frame)))
                ++Dropped;
        } else {
            ++Dropped;
        }
    }
    SessionRecTimer.start();
}

void SessionRecorder::RecordAnimTimerTimer() {
    AddTrace(44);
    if (H.pointerOverStopButton())
        return;
    emit stopButtonFrameChanged(StopButtonFrame);
    StopButtonFrame = (StopButtonFrame + 1) % StopButtonFrames;
}

void SessionRecorder::BttnStopSessionRecordingClick() {
    stopRecording(true);
}

void SessionRecorder::stopRecording(bool byOperator) {
    if (byOperator && Session)
        Session->ui().playSound(ClickSound);
    AddTrace(46);
    Recording = false;
    SessionRecTimer.stop();
    RecordAnimTimer.stop();
    setStopShown(false);
    if (Worker) {
        // The frames still queued are written and the movie completed on the worker; the
        // screen goes on meanwhile.
        Finishing.append(Worker);
        Worker->finish();
        Worker = nullptr;
    }
    if (Session)
        Session->SendCmd("Info?SpRc");
    if (Finishing.isEmpty())
        emit replayEnabledChanged(true);
}

void SessionRecorder::onWorkerFinished(RecordingWorker *worker, bool ok, const QString &error) {
    if (!Finishing.removeOne(worker))
        return;
    const QString movie = worker->movie();
    worker->waitFinished();
    const QString kept = worker->keptFile();
    worker->deleteLater();
    if (!kept.isEmpty())
        reportKeptFrames({kept});
    emit movieFinished(movie, ok, error);
    if (!Recording && Finishing.isEmpty())
        emit replayEnabledChanged(true);
}

void SessionRecorder::finishAll() {
    if (Recording)
        stopRecording(false);
    for (RecordingWorker *w : std::as_const(Finishing))
        w->waitFinished();
    // Their finished() signals wait in this thread's queue.
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

void SessionRecorder::RecoverLeftovers() {
    if (RecordingFolder.isEmpty() || Recovery.isRunning())
        return;
    const QPointer<SessionRecorder> self(this);
    Recovery = QtConcurrent::run([self, folder = RecordingFolder] {
        const QStringList kept =
            RecordingFiles::RecoverLeftoverRecordings(folder, QDir::tempPath()).kept;
        if (!kept.isEmpty())
            QMetaObject::invokeMethod(qApp, [self, kept] {
                if (self)
                    self->reportKeptFrames(kept);
            });
    });
}

void SessionRecorder::reportKeptFrames(const QStringList &files) {
    emit framesKept(files);
    if (Session)
        Session->ui().message(MsgError,
                              Msg("The recording could not be saved as a movie.\rIts frames are "
                                  "kept in:") +
                                  QLatin1Char('\r') + files.join(QLatin1Char('\r')),
                              MsgButtonOK);
}
