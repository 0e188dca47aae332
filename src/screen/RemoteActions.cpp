#include "screen/RemoteActions.h"

#include "common/AdminVars.h"
#include "common/AppFolders.h"
#include "common/TraceRing.h"
#include "common/WindowMessages.h"
#include "common/uLanguageMsg.h"
#include "gateway/GatewaySession.h"
#include "gateway/SessionUi.h"
#include "screen/ScreenModes.h"
#include "screen/ScreenPipeline.h"

#include <QPointer>

#include <memory>
#include <utility>

using namespace WindowMessages;

namespace {
enum : int { mkError = 1 };
enum : int { btnOK = 1 << 2 };
enum : int { sndClick = 0 };
// How long "QtRb" may wait for the command channel before the session ends without it.
constexpr int QuitCommandWaitMs = 3000;
} // namespace

RemoteActions::RemoteActions(GatewaySession *session, ScreenPipeline *pipeline, ScreenModes *modes,
                             QObject *parent)
    : QObject(parent), Session(session), Pipeline(pipeline), Modes(modes) {
    H.now = [] { return QDateTime::currentDateTime(); };
    H.desktopFolder = [] { return DesktopFolder(); };
    H.snapshotFolder = [] { return appFolders().SnapShots; };
    H.askReboot = [](RebootQuestion) { return false; };

    Modes->hooks().fullControl = [self = QPointer<RemoteActions>(this)] {
        return !self || self->FullControl;
    };
    Session->claimHostMessage("GrCt", this, [this](const QByteArray &) { SetFullControl(); });
    Session->claimHostMessage("VwOy", this, [this](const QByteArray &) { SetViewOnly(); });
    Session->claimHostMessage("WaBt", this, [this](const QByteArray &) {
        if (hostConnected() && FullControl)
            PostMessage(this, Reboot, 0, HostShuttingDown);
    });
    // An accepted reboot needs nothing here: the host's logoff and logon carry it on.
    Session->claimHostMessage("ReBt", this, [this](const QByteArray &p) {
        if (p == "NOK")
            rebootRefused();
    });

    RebootTimer.setSingleShot(true);
    connect(&RebootTimer, &QTimer::timeout, this, &RemoteActions::rebootTimedOut);
    connect(Session, &GatewaySession::hostLeft, this, [this](bool rebooting) {
        if (!rebooting)
            return;
        // The restart itself gets the whole time again.
        RebootTimer.start(RebootTimeoutMs);
        if (!Waiting) {
            Waiting = true;
            emit waitingForHostChanged(true);
        }
    });
    connect(Session, &GatewaySession::hostJoined, this, &RemoteActions::endWait);
    connect(Session, &GatewaySession::hostLost, this, &RemoteActions::endWait);
    connect(Session, &GatewaySession::logoffStarting, this, &RemoteActions::endWait);
    connect(Session, &GatewaySession::sessionReset, this, [this] {
        endWait();
        if (!FullControl) {
            FullControl = true;
            emit fullControlChanged(true);
        }
    });
}

bool RemoteActions::hostConnected() const {
    return adminVars().HostLoggedOn;
}

void RemoteActions::SetViewOnly() {
    Modes->setModeBoxEnabled(false);
    const bool changed = FullControl;
    FullControl = false;
    if (changed)
        emit fullControlChanged(false);
    emit controlModeAnnounced(false);
}

void RemoteActions::SetFullControl() {
    Modes->setModeBoxEnabled(hostConnected());
    const bool changed = !FullControl;
    FullControl = true;
    if (changed)
        emit fullControlChanged(true);
    emit controlModeAnnounced(true);
}

void RemoteActions::BttnRebootClick() {
    if (!hostConnected() || !FullControl)
        return;
    Session->ui().playSound(sndClick);
    AddTrace(51);
    PostMessage(this, Reboot, 0, OperatorReboot);
}

void RemoteActions::WMReboot(qint64 question) {
    if (!FullControl)
        return;
    const RebootQuestion which = question == OperatorReboot ? OperatorReboot : HostShuttingDown;
    if (Asking) {
        // The remote computer is going down and waits for an answer: the operator's own
        // question gives way to the reconnection question.
        if (which == HostShuttingDown && AskingWhich == OperatorReboot) {
            HostAskedMeanwhile = true;
            H.dismissQuestion();
        }
        return;
    }
    AddTrace(50);
    const quint64 generation = Session->generation();
    Asking = true;
    AskingWhich = which;
    const bool yes = H.askReboot(which);
    Asking = false;
    const bool hostAsked = std::exchange(HostAskedMeanwhile, false);
    // The question is modal but the session ran on: an answer for a host that has gone, or for
    // an ended session, acts on nothing.
    if (generation != Session->generation() || !hostConnected())
        return;
    if (yes) {
        // The operator's own reboot needs the control right still when the answer comes. A
        // confirmed reboot answers the host's shutdown as well.
        if (which == OperatorReboot && !FullControl)
            return;
        confirmReboot();
    } else if (which == HostShuttingDown) {
        Session->CommandQueue.clear();
        Session->SendCmd("QtRb");
        endSessionAfterQuit();
    } else if (hostAsked) {
        PostMessage(this, Reboot, 0, HostShuttingDown);
    }
}

void RemoteActions::confirmReboot() {
    Session->ui().flash(QString(), Msg("Rebooting remote computer ..."), 20);
    Session->SendCmd("ReBt");
    Session->RebootPending = 1;
    // A host that accepts and never leaves, or never comes back, must not hold the session
    // (its screen notices are ignored meanwhile) for ever.
    RebootTimer.start(RebootTimeoutMs);
}

void RemoteActions::rebootRefused() {
    const bool wasPending = Session->RebootPending != 0;
    Session->RebootPending = 0;
    RebootTimer.stop();
    Session->ui().flash(Msg("Error"),
                        Msg("Reboot/shutdown denied by peer\rClose all running programs"), 4);
    // Screen notices that came while the reboot was pending were dropped; nothing would ask
    // for the next picture until the screen watchdog fires.
    if (wasPending && hostConnected())
        Pipeline->RestartScreenUpdates(true);
}

void RemoteActions::rebootTimedOut() {
    if (Session->RebootPending == 0 && !Waiting)
        return;
    Session->RebootPending = 0;
    endWait();
    PostMessage(Session, WANdisconnect, 0, 1);
    Session->ui().message(
        mkError,
        Msg("The remote computer did not reconnect after the reboot\rClosing current session"),
        btnOK);
}

void RemoteActions::endWait() {
    RebootTimer.stop();
    if (!Waiting)
        return;
    Waiting = false;
    emit waitingForHostChanged(false);
}

// "QtRb" must reach the host before the logoff's "QUIT", which would empty the queue it waits
// in: the session ends once it has left (or could not leave within a few seconds).
void RemoteActions::endSessionAfterQuit() {
    const quint64 generation = Session->generation();
    const auto left = [this] { return !Session->CommandQueue.contains("QtRb"); };
    if (left()) {
        PostMessage(Session, WANdisconnect, 0, 1);
        return;
    }
    // Whichever comes first, the command leaving or the time running out, ends the session;
    // the watcher goes with it, and with it the other trigger.
    auto *watch = new QObject(this);
    const auto finish = [this, watch, generation, done = std::make_shared<bool>(false)] {
        if (std::exchange(*done, true))
            return;
        watch->deleteLater();
        if (generation == Session->generation())
            PostMessage(Session, WANdisconnect, 0, 1);
    };
    connect(Session, &GatewaySession::commandRequestStarted, watch, [left, finish] {
        if (left())
            finish();
    });
    QTimer::singleShot(QuitCommandWaitMs, watch, finish);
}

void RemoteActions::BttnCtrlAltDelClick() {
    // Ctrl-Alt-Del is input like any key: refused in view-only mode.
    if (!hostConnected() || !FullControl)
        return;
    Session->ui().playSound(sndClick);
    Session->SendCmd("sCAD");
    Pipeline->RestartHostScreenProg();
}

void RemoteActions::BttnTaskMgrClick() {
    if (!hostConnected() || !FullControl)
        return;
    Session->ui().playSound(sndClick);
    AddTrace(58);
    Session->SendCmd("TMgr");
}

SnapshotResult RemoteActions::BttnPictToDesktopClick() {
    AddTrace(42);
    if (!hostConnected())
        return {};
    Session->ui().playSound(sndClick);
    const SnapshotResult result =
        SaveSnapshot(Pipeline->picture(), H.snapshotFolder(), H.desktopFolder(), H.now());
    if (!result.saved)
        Session->ui().message(mkError, Msg("Error saving picture"), btnOK);
    return result;
}

bool RemoteActions::BeginPrint() {
    AddTrace(49);
    if (!hostConnected())
        return false;
    Session->ui().playSound(sndClick);
    return true;
}

QImage RemoteActions::pictureToPrint() const {
    return Pipeline->picture().copy();
}

void RemoteActions::NoPrinters() {
    Session->ui().flash(QString(), Msg("No printers available"), 3);
}

bool RemoteActions::event(QEvent *e) {
    const int msg = messageOf(e);
    if (msg == 0)
        return QObject::event(e);
    if (msg == Reboot)
        WMReboot(static_cast<const MessageEvent *>(e)->lParam);
    return true;
}
