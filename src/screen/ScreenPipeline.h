#pragma once
#include "screen/ScreenFrame.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QObject>
#include <QRegion>
#include <QSize>
#include <optional>

class GatewaySession;
class TPictureThread;

// The screen update cycle of a session: the host's screen notices, one fetch at a time on the
// screen channel, the hand-over of each body to the decoding worker, and the shown picture.
// Lives on the main thread; it attaches to the session (a child of it, so it goes with it) and
// follows the session's life through its signals.
//
// For the screen view: picture() is the remote screen in Format_RGB32, always one consistent
// frame. pictureChanged() gives the region that changed, screenSizeChanged() a new size (an
// empty one when the picture is cleared), fullPictureShown() follows every full picture (the
// view lays itself out again when it scales). Paint straight from picture(); a copy kept
// elsewhere would make the next update copy the whole picture.
class ScreenPipeline : public QObject {
    Q_OBJECT
public:
    enum FetchKind : quint8 { None = 0, Full = 1, UpdatePoll = 2, UpdateMirror = 3 };
    enum UpdateState : quint8 { Running = 0, Stopping = 1, Stopped = 2 };

    explicit ScreenPipeline(GatewaySession *session);
    ~ScreenPipeline() override;

    // The shown picture and its colour depth choice (4, 8 or 15; anything else counts as 15).
    const QImage &picture() const { return Frame.picture(); }
    int colorDepth() const { return ColorDepth; }
    void setColorDepth(int depth);

    // Screen state, main thread only.
    QList<QByteArray> PendingScreenNotices; // notice name directly followed by its parameter
    quint8 ScreenFetch = None;
    quint8 ScreenUpdateState = Stopped;
    bool FullPicturePending = false;
    bool FirstPictureShown = false;

    // A "GScr" or "UScr" notice from the host (or passed on by the file transfer window, which
    // sets ScreenUpdateState to Stopping first).
    void HandleScreenNotice(const QByteArray &name, const QByteArray &parameter);
    void StartScreenFetch(quint8 kind);
    // The completion of a request on the session's ScreenClient.
    void ScreenClientRequestDone(int error, int status, const QByteArray &body);
    void HandOverScreenData();
    void ProcessNextScreenNotice();

    void StopScreenUpdates();
    void RestartScreenUpdates(bool full);
    void RestartHostScreenProg();
    // Queues "GScr" for the host; every Part that wants a full picture asks through here.
    void RequestFullPicture();
    // The refresh command of both toolbars and the menu; `ctrlHeld` as the main window saw it.
    void BttnRefreshScreenClick(bool ctrlHeld);
    // WM_USER+27.
    void WMScreenRefresh();
    // "SErr": the host cannot read its screen.
    void ShowScreenError(const QByteArray &parameter);

    // Session hooks. InitVars: the session reset (the worker is told to end, the picture
    // cleared). ResetFetch: no fetch counts as in flight any more (socket start, accepted
    // reboot). HostJoined: the host logged on (again): nothing fetched or waiting for the old
    // one may hold up the new cycle.
    void InitVars();
    void ResetFetch();
    void HostJoined();
    // The shown picture goes (the logoff request leaves, the session resets).
    void clearPicture();

    bool workerBusy() const { return WorkerBusy; }
    bool workerRunning() const { return PictureThread != nullptr; }
    // Bodies dropped since the start (a bad body, or no picture to update).
    int droppedBodies() const { return DroppedBodies; }

    bool event(QEvent *e) override;

signals:
    void pictureChanged(const QRegion &dirty);
    void screenSizeChanged(const QSize &size);
    void fullPictureShown();
    // A body or some of its records were dropped; the picture kept what it had.
    void pictureDropped(const QString &why);

private:
    void onJobDone();
    void applyResult(PictureResult &&result);
    void queue(const QByteArray &command);
    void ensureWorker();
    void endWorker();

    GatewaySession *Session;
    ScreenFrame Frame;
    TPictureThread *PictureThread = nullptr;
    bool WorkerBusy = false;                // a job was handed over and its result not applied yet
    std::optional<QByteArray> ReceivedBody; // fetched, waiting for the worker
    quint64 Generation = 1;
    int ColorDepth = 15;
    int DroppedBodies = 0;
    bool DropReported = false; // the operator was told of a dropped picture this session
};
