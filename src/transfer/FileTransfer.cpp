#include "transfer/FileTransfer.h"

#include "common/AdminVars.h"
#include "common/TraceRing.h"
#include "common/WindowMessages.h"
#include "common/uLanguageMsg.h"
#include "gateway/GatewaySession.h"
#include "gateway/SessionUi.h"
#include "screen/ScreenPipeline.h"
#include "transfer/QVexplorerProtocol.h"

using namespace WindowMessages;

FileTransfer::FileTransfer(GatewaySession *session, ScreenPipeline *pipeline)
    : QObject(session), Session(session), Pipeline(pipeline) {
    qRegisterMetaType<TQVexplorerProtocol *>();
    // The host stopped answering the session's queue for us: the window takes over polling.
    Session->claimQueueStop(0, this, [this] {
        PostMessage(this, WindowMessages::StartExplorer);
        return true;
    });
    // A session that ends takes the window with it, without asking the host anything.
    connect(Session, &GatewaySession::sessionReset, this, [this] {
        if (Explorer)
            Explorer->Close();
        Pending = false;
    });
}

bool FileTransfer::event(QEvent *e) {
    if (messageOf(e) == WindowMessages::StartExplorer) {
        StartExplorer();
        return true;
    }
    return QObject::event(e);
}

bool FileTransfer::BttnCopyFileClick() {
    if (!adminVars().HostLoggedOn || !fullControl() || Pending || !Pipeline->FirstPictureShown)
        return false;
    if (chatVisible()) {
        Session->ui().flash(Msg("Info"), Msg("Not allowed while chatting"), 4);
        return false;
    }
    AddTrace(52);
    Session->CommandQueue.clear();
    Pipeline->StopScreenUpdates();
    Session->DisableCommands();
    Session->SendStopQueue(0);
    Pending = true;
    return true;
}

void FileTransfer::StartExplorer() {
    AddTrace(13);
    if (Explorer || adminVars().CurrentKey.isEmpty()) {
        // Nothing to open for (the session ended meanwhile): polling goes back to the session.
        Pending = false;
        Session->EnableCommands();
        Session->resumePolling();
        return;
    }
    Session->GatewayCheckTimer.stop();
    TQVexplorerProtocol::Setup setup;
    setup.key = adminVars().CurrentKey;
    setup.gatewayUrl = Session->GatewayUrl;
    setup.proxy = Session->effectiveProxy();
    setup.fullControl = fullControl();
    auto *protocol = new TQVexplorerProtocol(setup, this);
    Explorer = protocol;
    if (configure)
        configure(protocol);
    connect(protocol, &TQVexplorerProtocol::closed, this, &FileTransfer::explorerDone);
    connect(protocol, &TQVexplorerProtocol::hostMessage, this,
            [this](const QByteArray &command, const QByteArray &parameter) {
                if (command.compare("HostDisappeared", Qt::CaseInsensitive) == 0) {
                    Session->WMGatewayEvent(0, command);
                    return;
                }
                // The screen notices go to the main window's screen cycle, which is stopped.
                if (command == "UScr" || command == "GScr")
                    Pipeline->ScreenUpdateState = ScreenPipeline::Stopping;
                Session->dispatchHostMessage(command, parameter);
            });
    connect(protocol, &TQVexplorerProtocol::hostLoggedOff, this,
            [this] { Session->WMGatewayEvent(0, "HostLogoff"); });
    emit explorerOpened(protocol);
}

void FileTransfer::explorerDone(bool byWatchdog) {
    TQVexplorerProtocol *protocol = Explorer;
    if (!protocol)
        return;
    if (protocol->FullControl != fullControl())
        emit controlModeFollows(protocol->FullControl);
    Explorer = nullptr;
    protocol->deleteLater();
    Pending = false;
    if (byWatchdog) {
        Session->GatewayCheckTimerTimer();
        emit explorerClosed(true);
        return;
    }
    // The host gets its queue back, and the screen comes again in full.
    Session->EnableCommands();
    Session->SendCmd("HrSt");
    Session->SendCmd("EhCh");
    if (adminVars().HostLoggedOn)
        Pipeline->RestartScreenUpdates(true);
    Session->resumePolling();
    emit explorerClosed(false);
}
