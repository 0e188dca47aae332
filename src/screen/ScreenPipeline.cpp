#include "screen/ScreenPipeline.h"

#include "common/AdminVars.h"
#include "common/Cp1252.h"
#include "common/TraceRing.h"
#include "common/WindowMessages.h"
#include "common/uLanguageMsg.h"
#include "gateway/GatewayRequests.h"
#include "gateway/GatewaySession.h"
#include "gateway/HttpChannel.h"
#include "gateway/SessionUi.h"
#include "screen/ScreenTimeline.h"
#include "screen/TPictureThread.h"

#include <exception>
#include <stdexcept>
#include <typeinfo>

using namespace WindowMessages;

namespace {
enum : int { mkWarning = 0 };
enum : int { btnYes = 1, btnNo = 2 };
enum : int { mrYes = 0 };
enum : int { sndClick = 0 };

const char *fetchName(quint8 kind) {
    switch (kind) {
    case ScreenPipeline::Full:
        return "Refresh";
    case ScreenPipeline::UpdatePoll:
        return "Update Pol";
    default:
        return "Update Mirror";
    }
}
} // namespace

ScreenPipeline::ScreenPipeline(GatewaySession *session) : QObject(session), Session(session) {
    for (const char *notice : {"GScr", "UScr"}) {
        const QByteArray name(notice);
        Session->claimHostMessage(name, this, [this, name](const QByteArray &parameter) {
            HandleScreenNotice(name, parameter);
        });
    }
    Session->claimHostMessage("SErr", this, [this](const QByteArray &p) { ShowScreenError(p); });
    // An accepted reboot: the fetch in flight will never be answered.
    Session->claimHostMessage("ReBt", this, [this](const QByteArray &p) {
        if (p != "NOK")
            ResetFetch();
    });
    connect(Session->ScreenClient, &HttpChannel::requestDone, this,
            &ScreenPipeline::ScreenClientRequestDone);
    connect(Session, &GatewaySession::fullPictureRequested, this,
            [this] { FullPicturePending = true; });
    connect(Session, &GatewaySession::socketsStarted, this, &ScreenPipeline::ResetFetch);
    connect(Session, &GatewaySession::hostJoined, this, &ScreenPipeline::HostJoined);
    connect(Session, &GatewaySession::logoffStarting, this, [this] {
        PendingScreenNotices.clear();
        StopScreenUpdates();
    });
    // The picture goes as the logoff request leaves.
    connect(Session, &GatewaySession::logoffSending, this, &ScreenPipeline::clearPicture);
    connect(Session, &GatewaySession::sessionReset, this, &ScreenPipeline::InitVars);
    connect(Session, &GatewaySession::screenProgramStuck, this,
            &ScreenPipeline::RestartHostScreenProg);
}

ScreenPipeline::~ScreenPipeline() {
    // Workers end (after the job in hand) before anything they report to is gone.
    for (TPictureThread *t : findChildren<TPictureThread *>(Qt::FindDirectChildrenOnly))
        delete t;
}

void ScreenPipeline::setColorDepth(int depth) {
    ColorDepth = (depth == 4 || depth == 8) ? depth : 15;
}

void ScreenPipeline::queue(const QByteArray &command) {
    if (command.startsWith("GScr") && adminVars().HostLoggedOn && !Session->CommandsDisabled)
        FullPicturePending = true;
    Session->SendCmd(command);
}

void ScreenPipeline::HandleScreenNotice(const QByteArray &name, const QByteArray &parameter) {
    if (Session->RebootPending != 0)
        return;
    if (!PendingScreenNotices.isEmpty() || ScreenFetch != None || Session->ScreenClient->busy()) {
        // A full picture makes every waiting update pointless.
        if (name == "GScr")
            PendingScreenNotices.clear();
        PendingScreenNotices.append(name + parameter);
        // With nothing in flight, nobody else would pick the list up again.
        if (ScreenFetch == None)
            PostMessage(this, WindowMessages::ProcessNextScreenNotice);
        return;
    }
    if (name == "GScr")
        StartScreenFetch(Full);
    else
        StartScreenFetch(parameter == "md1" ? UpdateMirror : UpdatePoll);
}

void ScreenPipeline::ProcessNextScreenNotice() {
    if (PendingScreenNotices.isEmpty() || ScreenFetch != None || Session->ScreenClient->busy())
        return;
    const QByteArray notice = PendingScreenNotices.takeFirst();
    if (notice.startsWith("GScr"))
        StartScreenFetch(Full);
    else if (notice.size() < 5)
        StartScreenFetch(UpdatePoll);
    else
        StartScreenFetch(notice.mid(4) == "md1" ? UpdateMirror : UpdatePoll);
}

void ScreenPipeline::StartScreenFetch(quint8 kind) {
    if (adminVars().LoggingOff)
        return;
    AddTrace(96, QStringLiteral("Scrn=") + QLatin1String(fetchName(kind)));
    ScreenFetch = kind;
    const QByteArray base = Session->GatewayUrl.toLatin1();
    const QByteArray key = toCp1252(adminVars().CurrentKey);
    const QByteArray url = kind == Full ? GatewayRequests::fullPicture(base, key)
                                        : GatewayRequests::pictureUpdate(base, key);
    ScreenTimeline::mark(ScreenTimeline::FetchStarted);
    if (!Session->ScreenClient->get(url))
        ScreenFetch = None;
}

void ScreenPipeline::ScreenClientRequestDone(int error, int status, const QByteArray &body) {
    AddTrace(68, QStringLiteral("E:") + QString::number(error));
    if (ScreenFetch == None) {
        // A fetch given up earlier (reboot, host logon) has finished: the channel is free for
        // the notices that came meanwhile.
        if (!PendingScreenNotices.isEmpty())
            PostMessage(this, WindowMessages::ProcessNextScreenNotice);
        return;
    }
    ScreenTimeline::mark(ScreenTimeline::FetchDone);
    AddTrace(97, QStringLiteral("E:") + QString::number(error));
    const AdminVars &v = adminVars();
    if (v.LoggingOff || !v.HostLoggedOn || error != 0 || status != 200) {
        // No new request: the next notice or the screen watchdog resumes the cycle.
        ScreenFetch = None;
        return;
    }
    ReceivedBody = body;
    // A busy worker hands the body over itself when its result has been applied.
    if (!WorkerBusy)
        HandOverScreenData();
}

void ScreenPipeline::HandOverScreenData() {
    const quint8 fetched = ScreenFetch;
    try {
        PictureJob job;
        job.generation = Generation;
        job.ReceivedData = ReceivedBody ? std::move(*ReceivedBody) : QByteArray();
        ReceivedBody.reset();
        job.ColorDepth = ColorDepth;
        job.DecodeMode = fetched == Full           ? PictureJob::FullPicture
                         : fetched == UpdateMirror ? PictureJob::RectangleList
                                                   : PictureJob::WholeScreenUpdate;
        if (job.DecodeMode != PictureJob::FullPicture) {
            job.frame = Frame.picture();
            job.convertFrame = Frame.needsConversion(ColorDepth);
        }
        ensureWorker();
        if (!PictureThread->Start(std::move(job)))
            throw std::logic_error("decoding worker not idle");
        WorkerBusy = true;
        // Whatever follows, this fetch is over: a fetch left set would hold every later notice
        // in the list and freeze the picture (a hand-over while the host is away, a reboot).
        ScreenFetch = None;
        const AdminVars &v = adminVars();
        if (!v.LoggingOff && v.HostLoggedOn) {
            if (fetched == Full) {
                FullPicturePending = false;
                ScreenUpdateState = Running;
            }
            if (ScreenUpdateState == Running) {
                if (PendingScreenNotices.isEmpty())
                    queue("UScr");
                else
                    PostMessage(this, WindowMessages::ProcessNextScreenNotice);
            } else if (ScreenUpdateState == Stopping) {
                ScreenUpdateState = Stopped;
            }
        }
    } catch (const std::exception &e) {
        AddTrace(98, QStringLiteral("TRYEX:") + QString::fromLatin1(typeid(e).name()));
        ScreenFetch = None;
        ReceivedBody.reset();
    }
}

void ScreenPipeline::ensureWorker() {
    if (PictureThread)
        return;
    PictureThread = new TPictureThread(this);
    connect(PictureThread, &TPictureThread::jobDone, this, &ScreenPipeline::onJobDone);
    connect(PictureThread, &QThread::finished, PictureThread, &QObject::deleteLater);
    PictureThread->start();
}

void ScreenPipeline::endWorker() {
    if (PictureThread)
        PictureThread->End();
    PictureThread = nullptr;
    WorkerBusy = false;
    ++Generation;
}

void ScreenPipeline::onJobDone() {
    auto *worker = qobject_cast<TPictureThread *>(sender());
    if (!worker)
        return;
    std::optional<PictureResult> result = worker->TakeResult();
    if (worker != PictureThread)
        return; // a worker told to end finished its last job
    WorkerBusy = false;
    if (result && result->generation == Generation)
        applyResult(std::move(*result));
    if (ScreenFetch != None && ReceivedBody)
        HandOverScreenData();
}

void ScreenPipeline::applyResult(PictureResult &&result) {
    if (!result.ok || result.recordsDropped > 0) {
        if (!result.ok)
            ++DroppedBodies;
        AddTrace(98, QStringLiteral("picture dropped: ") + result.failure.left(200));
        emit pictureDropped(result.failure);
        // Said once a session: a host that keeps sending what cannot be shown must not bury the
        // operator in notices, but a picture that never comes must not go unexplained either.
        if (!DropReported) {
            DropReported = true;
            Session->ui().flash(QString(),
                                QStringLiteral("Remote screen error - ") + result.failure, 5);
        }
        if (!result.ok)
            return;
    }
    const bool full = result.mode == PictureJob::FullPicture;
    const ScreenFrame::Applied applied = Frame.apply(std::move(result));
    if (applied.sizeChanged)
        emit screenSizeChanged(Frame.picture().size());
    if (!applied.dirty.isEmpty())
        emit pictureChanged(applied.dirty);
    ScreenTimeline::mark(ScreenTimeline::Applied);
    if (full) {
        FirstPictureShown = true;
        emit fullPictureShown();
    }
}

void ScreenPipeline::StopScreenUpdates() {
    ScreenUpdateState = Stopping;
    queue("SSup");
    Session->ScreenProgCheckTimer.stop();
}

void ScreenPipeline::RestartScreenUpdates(bool full) {
    AddTrace(20);
    ScreenUpdateState = Running;
    queue(full ? "GScr" : "UScr");
}

void ScreenPipeline::RestartHostScreenProg() {
    if (!adminVars().HostLoggedOn)
        return;
    Session->ScreenProgCheckTimer.stop();
    queue("RsPr");
    ScreenUpdateState = Stopping;
    FullPicturePending = true;
    queue("GScr");
}

void ScreenPipeline::RequestFullPicture() {
    queue("GScr");
}

void ScreenPipeline::BttnRefreshScreenClick(bool ctrlHeld) {
    if (!adminVars().HostLoggedOn)
        return;
    if (FullPicturePending && !ctrlHeld)
        return;
    Session->ui().playSound(sndClick);
    AddTrace(19);
    if (!adminVars().LoggedOn)
        return;
    StopScreenUpdates();
    if (ctrlHeld)
        RestartHostScreenProg();
    else
        queue("GScr");
}

void ScreenPipeline::WMScreenRefresh() {
    AddTrace(71);
    ScreenUpdateState = Running;
    queue("GScr");
}

void ScreenPipeline::ShowScreenError(const QByteArray &parameter) {
    QString text;
    if (parameter == "BLCKERR")
        text = QStringLiteral("Reading remote screen is not allowed !");
    else if (parameter == "PROCERR")
        text = QStringLiteral("Remote screen processing failure");
    else if (parameter.startsWith("SCRNERR"))
        text = QStringLiteral("Remote screen error - ") + fromCp1252(parameter.mid(8).left(512));
    const int answer = Session->ui().message(
        mkWarning, text + QLatin1Char('\r') + Msg("Cancel session"), btnYes | btnNo);
    if (answer == mrYes)
        PostMessage(Session, WANdisconnect, 0, 0);
}

void ScreenPipeline::InitVars() {
    ScreenUpdateState = Stopped;
    FullPicturePending = false;
    FirstPictureShown = false;
    DropReported = false;
    endWorker();
    ReceivedBody.reset();
    clearPicture();
}

void ScreenPipeline::clearPicture() {
    const QRect shown = Frame.picture().rect();
    if (Frame.clear()) {
        emit screenSizeChanged(QSize());
        emit pictureChanged(QRegion(shown));
    }
}

void ScreenPipeline::ResetFetch() {
    ScreenFetch = None;
    ReceivedBody.reset();
    // Its completion comes later and is then taken for what it is: stale.
    if (Session->ScreenClient->busy())
        Session->ScreenClient->abort();
}

void ScreenPipeline::HostJoined() {
    PendingScreenNotices.clear();
    ResetFetch();
}

bool ScreenPipeline::event(QEvent *e) {
    switch (messageOf(e)) {
    case 0:
        return QObject::event(e);
    case WindowMessages::ProcessNextScreenNotice:
        ProcessNextScreenNotice();
        return true;
    case WindowMessages::ScreenRefresh:
        WMScreenRefresh();
        return true;
    default:
        return true;
    }
}
