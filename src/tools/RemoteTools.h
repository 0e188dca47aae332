#pragma once
#include <QObject>
#include <QSet>

#include <functional>

class ClipboardTransfer;
class GatewaySession;
class QAction;
class QMainWindow;
class RemoteChat;
class RemoteSystemInfo;
class ScreenArea;
class ScreenPipeline;
class TAdminChatForm;
class TClipProgressForm;
class TInfoHostForm;

// The main window's part of the clipboard transfer, the chat and the remote system information:
// their core objects and windows, the toolbar buttons and menu items that start them, and the
// full-screen toolbar's buttons for them. The main window creates one and adds nothing else.
class RemoteTools : public QObject {
    Q_OBJECT
public:
    RemoteTools(GatewaySession *session, ScreenPipeline *pipeline, ScreenArea *screen,
                QMainWindow *mainWindow);
    ~RemoteTools() override;

    ClipboardTransfer *clipboard() const { return Clipboard; }
    RemoteChat *chat() const { return Chat; }
    RemoteSystemInfo *info() const { return Info; }
    TAdminChatForm *chatForm() const { return ChatForm; }
    TInfoHostForm *infoForm() const { return InfoForm; }
    TClipProgressForm *progressForm() const { return ClipProgress; }

    // The main window puts these on its toolbar and menus.
    QAction *BttnOsHostInfo, *BttnChat, *BttnDownloadClipboard, *BttnUploadClipboard;
    // Where the main toolbar sits (0 top, 1 bottom, 2 left, 3 right): the clipboard options
    // open away from it.
    std::function<int()> toolbarSide = [] { return 0; };

protected:
    bool event(QEvent *e) override;

private:
    void applyTexts();
    void updateActions();
    void setWait(QObject *source, bool on);

    GatewaySession *Session;
    QMainWindow *MainWindow;
    ClipboardTransfer *Clipboard;
    RemoteChat *Chat;
    RemoteSystemInfo *Info;
    TAdminChatForm *ChatForm;
    TInfoHostForm *InfoForm;
    TClipProgressForm *ClipProgress;
    QSet<QObject *> Waiting; // the cores that want the wait cursor
};
