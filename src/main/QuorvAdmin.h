#pragma once
#include "gateway/SessionUi.h"
#include "hook/HostKeys.h"

#include <QDialog>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>

class FileTransfer;
class GatewaySession;
class RemoteActionButtons;
class RemoteActions;
class Invitation;
class ScreenArea;
class TChooseMailForm;
class TWaitForHostForm;
class ScreenPipeline;
class TMainChrome;
class TShowBadConnForm;
class TShowInfoMessagesForm;
class TQVBlockHook;
class QLabel;
class QProgressBar;
class QStackedWidget;
class QAction;
class RemoteTools;

// The main window: it owns the gateway session and is the target of every window message.
class TQuorvAdminForm : public QMainWindow, public SessionUi {
    Q_OBJECT
public:
    explicit TQuorvAdminForm(QWidget *parent = nullptr);
    ~TQuorvAdminForm() override;

    GatewaySession *session() const { return Session; }

    void InitVars();
    void CloseMessageForms();
    void ReleaseFormEvents();
    void ConnectFormEvents();
    bool formEventsConnected() const { return FormEventsConnected; }

    // How long the close waits after "Closing ..." before the window goes; tests shorten it.
    void setClosingDelay(int ms) { ClosingDelayMs = ms; }

    // The window's timers; the session's own (logoff, watchdogs) live in GatewaySession.
    // (The mouse timers belong to the input core, screenArea()->input().)
    QTimer ScreenThreadReadyTimer, SessionRecTimer, RecordAnimTimer, TrayTimer, SplashTimer,
        ToolbarSlideTimer;

    // What the session shows through the windows.
    void flash(const QString &title, const QString &text, int seconds) override;
    int message(int kind, const QString &text, int buttons) override;
    bool ask(const QString &text) override;
    bool questionVisible() const override;
    void closeMainWindow() override;
    void closeMessageForms() override { CloseMessageForms(); }
    void updateConnectionStatus() override { UpdateConnectionStatus(); }
    void setSessionPanel(const QString &text) override;
    void resetWindow() override;
    void hostJoined() override;
    bool offerResolutionTip(bool current) override;
    void hostEnded() override;
    void playSound(int sound) override;
    void showAnnouncement(bool product, const QString &title, const QString &text) override;
    void openConnectionSettings() override;
    void logonCompleted() override;
    void closeWaitForHost() override;
    bool offerUpdate(bool mandatory) override;

    ScreenArea *screenArea() const { return Screen; }
    ScreenPipeline *pipeline() const { return Pipeline; }
    RemoteActions *remoteActions() const { return Actions; }

    // Settings dialogs and the setup invitation.
    void MenuLogonCodesClick();
    void MenuApplSettingsClick();
    TChooseMailForm *chooseMailForm() const { return ChooseMailForm; }
    TWaitForHostForm *waitForHostForm() const { return WaitForHostForm; }
    Invitation *invitation() const { return Invite; }
    // The settings dialog open now, or nullptr.
    QDialog *settingsDialog() const { return SettingsDialog; }
    RemoteTools *tools() const { return Tools; }
    TQVBlockHook *keyboardHook() const { return KeyHook; }
    FileTransfer *fileTransfer() const { return Transfer; }
    TMainChrome *chrome() const { return Chrome; }

protected:
    bool event(QEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    void changeEvent(QEvent *e) override;

private:
    void FormCreate();
    void FormShow();
    bool FormCloseQuery();
    void FormClose();
    void FormDestroy();
    void FormActivate();
    void FormDeactivate();
    void ApplicationActivate();
    void ApplicationDeactivate();

    void WMFormPresent();
    void WMUpdateForm();
    void WMFullScreen();
    void WMNormalScreen();
    void WMBadConnection(qint64 lParam);
    void UpdateConnectionStatus();
    void ApplyStoredGeometry();
    void buildMenus();

    void onTlsFailure(const QString &text);
    void CreateDialogsAndInvitation();
    void WMSendMail(qint64 lParam);
    void SendMail();

    // Keyboard hook: keys of the window go to the remote computer during a session.
    void StartHook();
    // Right Ctrl with a letter: the console's command of that letter.
    void RunHostCommand(HostKeys::Command command);
    void updateKeyboardPanel();
    TQVBlockHook *KeyHook = nullptr;
    QLabel *KeyboardPanel = nullptr;

    GatewaySession *Session = nullptr;
    ScreenPipeline *Pipeline = nullptr;
    FileTransfer *Transfer = nullptr;
    QAction *TransferFile = nullptr;
    QWidget *StartPage = nullptr;
    TMainChrome *Chrome = nullptr;
    ScreenArea *Screen = nullptr;
    RemoteActions *Actions = nullptr;
    RemoteActionButtons *ActionButtons = nullptr;
    RemoteTools *Tools = nullptr;
    TShowBadConnForm *BadConnForm = nullptr;
    TShowInfoMessagesForm *InfoMessagesForm = nullptr;
    QProgressBar *ConnectionBar = nullptr;
    QLabel *StatusPanel = nullptr;
    QLabel *HostPanel = nullptr;
    QLabel *SessionPanel = nullptr;
    QAction *ActConnect = nullptr;
    QAction *ActDisconnect = nullptr;
    Invitation *Invite = nullptr;
    TChooseMailForm *ChooseMailForm = nullptr;
    TWaitForHostForm *WaitForHostForm = nullptr;
    QPointer<QDialog> SettingsDialog;

    bool FormEventsConnected = true;
    bool FirstShowDone = false;
    bool Closing = false;       // FormClose ran and the closing delay is under way
    bool CloseAccepted = false; // the delay is over: the next close goes through
    int ClosingDelayMs = 2200;
};
