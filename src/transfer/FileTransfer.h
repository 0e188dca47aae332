#pragma once
#include <QObject>
#include <QPointer>

#include <functional>

class GatewaySession;
class ScreenPipeline;
class TQVexplorerProtocol;

// File transfer attached to the session: the main window's "Transfer file" command, the
// hand-over of the gateway queue to the transfer window's own protocol when the host
// acknowledges the stop ("SDum"), and the way back when that window closes. The window layer
// creates TQVexplorerForm on explorerOpened; headless, the protocol runs alone.
class FileTransfer : public QObject {
    Q_OBJECT
public:
    // A child of the session; it goes with it.
    FileTransfer(GatewaySession *session, ScreenPipeline *pipeline);

    // What other features know: the main window's control mode and whether the chat window
    // shows. Their owners set these; until then full control and no chat.
    std::function<bool()> fullControl = [] { return true; };
    std::function<bool()> chatVisible = [] { return false; };
    // Called with each protocol as it is made, before anything runs (tests shorten times).
    std::function<void(TQVexplorerProtocol *)> configure;

    // Set from the command until the window has closed (the file-transfer-pending flag).
    bool pending() const { return Pending; }
    TQVexplorerProtocol *explorer() const { return Explorer; }

    // The "Transfer file" command (Ctrl+Alt+E, the full-screen toolbar). False when it did
    // nothing.
    bool BttnCopyFileClick();

signals:
    void explorerOpened(TQVexplorerProtocol *protocol);
    // The protocol is gone; `byWatchdog` when its polling died. Emitted after the main window
    // took the queue back (or ran its gateway check).
    void explorerClosed(bool byWatchdog);
    // The window closed in another control mode than the main window's: the main window
    // follows it.
    void controlModeFollows(bool fullControl);

protected:
    bool event(QEvent *e) override;

private:
    void StartExplorer();
    void explorerDone(bool byWatchdog);

    GatewaySession *Session;
    ScreenPipeline *Pipeline;
    QPointer<TQVexplorerProtocol> Explorer;
    bool Pending = false;
};
