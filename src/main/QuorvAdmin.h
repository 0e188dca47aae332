#pragma once
#include <QMainWindow>
#include <QPointer>
#include <QTimer>

class GatewaySession;
class QLabel;
class QProgressBar;
class QStackedWidget;
class QAction;

// The main window: it owns the gateway session and is the target of every window message.
class TQuorvAdminForm : public QMainWindow {
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

    QTimer LogOffTimer, GatewayCheckTimer, ScreenProgCheckTimer, ScreenThreadReadyTimer,
        MouseMoveTimer, MouseWheelTimer, SessionRecTimer, RecordAnimTimer, TrayTimer, SplashTimer,
        ToolbarSlideTimer;

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
    void WMWANdisconnect(qint64 wParam, qint64 lParam);
    void WMUpdateForm();
    void UpdateConnectionStatus();
    void ApplyStoredGeometry();
    void buildMenus();

    void onTlsFailure(const QString &text);

    GatewaySession *Session = nullptr;
    QLabel *StartPage = nullptr;
    QProgressBar *ConnectionBar = nullptr;
    QLabel *StatusPanel = nullptr;
    QAction *ActConnect = nullptr;
    QAction *ActDisconnect = nullptr;
    QMenu *MenuConnection = nullptr;
    QMenu *MenuHelp = nullptr;

    bool FormEventsConnected = true;
    bool FirstShowDone = false;
    bool Closing = false;      // FormClose ran and the closing delay is under way
    bool CloseAccepted = false; // the delay is over: the next close goes through
    int ClosingDelayMs = 2200;
};
