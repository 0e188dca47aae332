#pragma once
#include <QElapsedTimer>
#include <QFuture>
#include <QImage>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QSize>
#include <QString>
#include <QTimer>

#include <functional>
#include <optional>

class GatewaySession;
class RecordingWorker;
class ScreenModes;
class ScreenPipeline;
class TAviWriter_2;

// The main window's session recorder, without its buttons: it samples the shown picture of
// the screen pipeline, paints the pointers in, and hands the frames to a movie writer running
// on a worker (RecordingWorker), so that recording never holds up the screen. It follows the
// session's life: the end of the session, the host's departure and a new remote screen size
// stop it. The windows show its state from its signals (RecorderControls).
//
// Frames are taken at most once per movie frame (200 ms) and placed on the movie's time line
// by the time they were taken, so a movie plays as fast as the session ran, whatever the
// interval between frames; a frame that could not be taken or written leaves the one before
// it on the screen.
class SessionRecorder : public QObject {
    Q_OBJECT
public:
    SessionRecorder(GatewaySession *session, ScreenPipeline *pipeline, QObject *parent = nullptr);
    // A recording under way is stopped and every movie finished before the recorder goes.
    ~SessionRecorder() override;

    // What the recorder asks of the input side and the windows; by default there is no
    // pointer to draw, full control, and no stop button under the pointer.
    struct Hooks {
        // The operator's pointer (its hot spot) over the picture, in picture pixels; nothing
        // while it is elsewhere or hidden.
        std::function<std::optional<QPoint>()> operatorPointer;
        // The shape the view gives that pointer (the remote cursor's).
        std::function<Qt::CursorShape()> operatorCursorShape;
        // False in view-only mode, when the remote user's pointer is drawn into the frames.
        std::function<bool()> fullControl;
        // The remote user's pointer as last reported, in picture pixels; nothing when unknown.
        std::function<std::optional<QPoint>()> remotePointer;
        // The pointer rests on a stop button: its animation holds still meanwhile.
        std::function<bool()> pointerOverStopButton;
    };
    Hooks &hooks() { return H; }

    // Where the movies go; the "Recorded" folder by default.
    QString RecordingFolder;
    // The operator's arrow as the frames show it; other shapes have their own pictures.
    QImage OperatorCursor;
    QPoint OperatorHotSpot;
    // Frames waiting for the writer at most; more are dropped.
    int QueueCapacity = 2;
    // Called with each new writer before it starts (tests slow the encoder down here).
    std::function<void(TAviWriter_2 &)> prepareWriter;

    // State as the window knows it.
    bool Recording = false;
    QSize RecordedSize;
    QString PreferredCodec;
    int StopButtonFrame = 0;
    QTimer SessionRecTimer; // the frame tick
    QTimer RecordAnimTimer; // the stop buttons' animation
    static constexpr int StopButtonFrames = 4;

    // Which of start and stop the toolbars show.
    bool stopButtonShown() const { return StopShown; }
    // The movie of the running (or last) recording.
    QString currentMovie() const { return Movie; }
    int framesDropped() const { return Dropped; }
    // Movies stopped but not yet complete on disk.
    int moviesFinishing() const { return int(Finishing.size()); }

    // A screen mode switch asked by the console stops the recording first.
    void attachScreenModes(ScreenModes *modes);

    // Picks the compressor of the preference list that is available.
    void ChooseCodec();
    void BttnStartSessionRecordingClick();
    void BttnStopSessionRecordingClick();
    void SessionRecTimerTimer();
    void RecordAnimTimerTimer();
    // Movies left half-written by a console that died are saved as far as they go, on a
    // worker thread.
    void RecoverLeftovers();
    // Blocks until every stopped movie is complete (the program ends, tests).
    void finishAll();

signals:
    void stopButtonShownChanged(bool shown);
    void stopButtonFrameChanged(int frame);
    // "Replay recorded session" is offered while nothing is being recorded or finished.
    void replayEnabledChanged(bool enabled);
    void closePlayerRequested();
    void movieFinished(const QString &movie, bool ok, const QString &error);
    // Working files that still hold frames no movie could be made of (the operator is told).
    void framesKept(const QStringList &files);

private:
    void stopRecording(bool byOperator);
    void setStopShown(bool shown);
    void onWorkerFinished(RecordingWorker *worker, bool ok, const QString &error);
    void flash(const QString &title, const QString &text);
    void reportKeptFrames(const QStringList &files);

    QPointer<GatewaySession> Session;
    QPointer<ScreenPipeline> Pipeline;
    Hooks H;
    bool StopShown = false;
    QString Movie;
    int FrameTimeMs = 200;
    QElapsedTimer Clock; // runs from the first frame
    qint64 LastSlot = -1;
    int Dropped = 0;
    RecordingWorker *Worker = nullptr;
    QList<RecordingWorker *> Finishing;
    QFuture<void> Recovery;
};
