#include "main/QuorvAdmin.h"

#include "common/AdminVars.h"
#include "common/AppFolders.h"
#include "common/TraceRing.h"
#include "common/VersionText.h"
#include "common/WindowMessages.h"
#include "common/uLanguageMsg.h"
#include "gateway/ConnectionMeter.h"
#include "gateway/GatewaySession.h"
#include "gateway/UrlsAdmin.h"
#include "hook/QVBlockHook.h"
#include "recorder/RecorderControls.h"
#include "screen/RemoteActionButtons.h"
#include "screen/RemoteActions.h"
#include "screen/RemoteInput.h"
#include "screen/ScreenArea.h"
#include "screen/ScreenModeBoxes.h"
#include "screen/ScreenModes.h"
#include "screen/ScreenPipeline.h"
#include "settings/ApplicationSettingsCore.h"
#include "settings/ConnectionSettingsCore.h"
#include "settings/ServiceConfig.h"
#include "settings/uApplicationSettings.h"
#include "settings/uConnectionSettings.h"
#include "settings/uFindProxyForUrl.h"
#include "settings/uIniFiles.h"
#include "settings/uProxyPACAuth.h"
#include "tools/ClipboardTransfer.h"
#include "tools/RemoteChat.h"
#include "tools/RemoteSystemInfo.h"
#include "tools/RemoteTools.h"
#include "transfer/FileTransfer.h"
#include "transfer/QVexplorer.h"
#include "ui/ApplicationException.h"
#include "ui/ChooseMail.h"
#include "ui/FlashInfo.h"
#include "ui/Invitation.h"
#include "ui/MainChrome.h"
#include "ui/MainMenus.h"
#include "ui/MainToolbar.h"
#include "ui/QVMessage.h"
#include "ui/SplashPanel.h"
#include "ui/uAskWarning.h"
#include "ui/uDownloadUpdate.h"
#include "ui/uPopUp.h"
#include "ui/uShowBadConn.h"
#include "ui/uShowInfoMsg.h"
#include "ui/uSounds.h"
#include "ui/uUpgrade.h"
#include "ui/uWaitForHost.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QScreen>
#include <QSslSocket>
#include <QStatusBar>
#include <QToolBar>

using namespace WindowMessages;

namespace {
QRect firstMonitor() {
    if (QScreen *s = QGuiApplication::primaryScreen())
        return s->geometry();
    return QRect(0, 0, 1024, 768);
}
} // namespace

TQuorvAdminForm::TQuorvAdminForm(QWidget *parent) : QMainWindow(parent) {
    const struct {
        QTimer *timer;
        int ms;
    } timers[] = {{&ScreenThreadReadyTimer, 50},
                  {&SessionRecTimer, 200},
                  {&RecordAnimTimer, 500},
                  {&TrayTimer, 200},
                  {&SplashTimer, 80}};
    for (const auto &t : timers)
        t.timer->setInterval(t.ms);
    FormCreate();
}

TQuorvAdminForm::~TQuorvAdminForm() {
    FormDestroy();
}

void TQuorvAdminForm::FormCreate() {
    AddTrace(1);
    QGuiApplication::setApplicationDisplayName(QString());
    QCoreApplication::setApplicationName(QStringLiteral("Quorvia"));

    const QString exeName = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    appFolders() = ComputeAppFolders(exeName.isEmpty() ? QStringLiteral("quorvia") : exeName);
    MigrateOldSettingsFile(QCoreApplication::applicationDirPath() + QLatin1Char('/') + exeName +
                               QStringLiteral(".ini"),
                           appFolders().SettingsFile);
    const FolderCreation folders = CreateAppFolders(appFolders());
    ExtractSounds();
    if (!folders.snapShotsCreated) {
        // No other window exists yet; the message waits for the first show.
        QTimer::singleShot(0, this, [] {
            ShowMessageWindow(mkError, Msg("Could not create Snapshots folder"), MsgButton::OK);
        });
    }

    ConnectionBar = new QProgressBar(this);
    ConnectionBar->setRange(0, 100);
    ConnectionBar->setTextVisible(false);
    ConnectionBar->setMaximumWidth(120);
    StatusPanel = new QLabel(this);
    HostPanel = new QLabel(this);
    SessionPanel = new QLabel(this);
    SessionPanel->setObjectName(QStringLiteral("SessionPanel"));
    statusBar()->addWidget(StatusPanel, 2);
    statusBar()->addWidget(HostPanel, 2);
    statusBar()->addWidget(SessionPanel, 3);
    statusBar()->addPermanentWidget(ConnectionBar);

    Session = new GatewaySession(this);
    Session->setUi(this);
    // The settings are read here; the job runs on a worker and touches nothing of the window.
    Session->setProxyResolver([](const QString &scheme) -> GatewaySession::ProxyJob {
        return [request = ProxyRequestFromSettings(scheme)] {
            const EffectiveProxyState p = ResolveProxyCached(request);
            return ChannelProxy{p.EffectiveProxyHost,
                                quint16(qBound(0, p.EffectiveProxyPort, 65535)),
                                p.EffectiveProxyUser, p.EffectiveProxyPassword};
        };
    });
    Session->setExceptionReporter(ApplicationException);
    connect(Session, &GatewaySession::tlsFailure, this, &TQuorvAdminForm::onTlsFailure);
    connect(Session->Meter, &ConnectionMeter::positionChanged, ConnectionBar,
            &QProgressBar::setValue);
    connect(Session->Meter, &ConnectionMeter::badConnection, this,
            [this](bool show) { PostMessage(this, BadConnection, 0, show ? 1 : 0); });

    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
                if (state == Qt::ApplicationActive)
                    ApplicationActivate();
                else
                    ApplicationDeactivate();
            });

    // The chrome (menu, picture toolbar, start page, tray, help windows) comes before the
    // screen area, which shows its start page; buildMenus attaches the window's actions.
    Chrome = new TMainChrome(this, Session);
    StartPage = Chrome->startPage();
    Pipeline = new ScreenPipeline(Session);
    Screen = new ScreenArea(Session, Pipeline, StartPage, this);
    setCentralWidget(Screen);
    StartHook();
    BadConnForm = new TShowBadConnForm(this);
    InfoMessagesForm = new TShowInfoMessagesForm(this);

    Session->VersionTag = QStringLiteral("A") + GetVersionText(1);

    ScreenGeometry screens{QRect(), QSize()};
    if (QScreen *s = QGuiApplication::primaryScreen())
        screens = ScreenGeometry{s->availableGeometry(), s->geometry().size()};
    setLanguageSelectedHook([](int language) { SelectLanguage(static_cast<quint8>(language)); });
    LoadSettings(appFolders().SettingsFile, screens);

    Session->GatewayUrl = serviceConfig().Domain;
    FillServiceUrls();

    buildMenus();

    // Remote actions: reboot, Ctrl-Alt-Del, task manager, control mode, screenshot and print.
    Actions = new RemoteActions(Session, Pipeline, Screen->modes(), this);
    ActionButtons = new RemoteActionButtons(Actions, Screen, this);
    {
        TMainToolbar *bar = Chrome->toolbar();
        bar->bind(TMainToolbar::BttnTaskMgr, ActionButtons->BttnTaskMgr);
        bar->bind(TMainToolbar::BttnCtrlAltDel, ActionButtons->BttnCtrlAltDel);
        bar->bind(TMainToolbar::BttnReboot, ActionButtons->BttnReboot);
        bar->bind(TMainToolbar::BttnPrint, ActionButtons->BttnPrint);
        bar->bind(TMainToolbar::BttnPictToDesktop, ActionButtons->BttnPictToDesktop);
    }
    ActionButtons->showModeText = [this](const QString &text) { SessionPanel->setText(text); };

    CreateDialogsAndInvitation();
    // ---- Clipboard transfer, chat and remote system information (src/tools): their cores and
    // windows, the toolbar buttons and the "Transfer" and "Client" menu items.
    Tools = new RemoteTools(Session, Pipeline, Screen, this);
    {
        TMainToolbar *bar = Chrome->toolbar();
        TMainMenus *menus = Chrome->menus();
        bar->bind(TMainToolbar::BttnOsHostInfo, Tools->BttnOsHostInfo);
        bar->bind(TMainToolbar::BttnChat, Tools->BttnChat);
        bar->bind(TMainToolbar::BttnDownloadClipboard, Tools->BttnDownloadClipboard);
        bar->bind(TMainToolbar::BttnUploadClipboard, Tools->BttnUploadClipboard);
        menus->bind(TMainMenus::MenuHostInfo, Tools->BttnOsHostInfo);
        menus->bind(TMainMenus::MenuDownloadClipboard, Tools->BttnDownloadClipboard);
        menus->bind(TMainMenus::MenuUploadClipboard, Tools->BttnUploadClipboard);
        Tools->toolbarSide = [bar] { return bar->position(); };
    }
    // In view-only mode the tools that change the remote computer refuse.
    Tools->clipboard()->hooks().fullControl = [this] { return Actions->fullControl(); };
    Tools->info()->hooks().fullControl = [this] { return Actions->fullControl(); };
    // Mouse and keys follow the control mode; keys stay local while the chat window is open.
    connect(Actions, &RemoteActions::fullControlChanged, Screen->input(),
            &RemoteInput::SetFullControl);
    Screen->input()->hooks().chatVisible = [this] { return Tools->chat()->isOpen(); };

    // ---- Session recorder and recorded-session player (recorder/)
    {
        auto *recorder = new RecorderControls(Session, Pipeline, Screen, this, nullptr, nullptr);
        TMainToolbar *bar = Chrome->toolbar();
        bar->bind(TMainToolbar::BttnStartSessionRecording, recorder->BttnStartSessionRecording);
        bar->bind(TMainToolbar::BttnStopSessionRecording, recorder->BttnStopSessionRecording);
        Chrome->menus()->bind(TMainMenus::MenuReplay, recorder->MenuReplay);
        recorder->barStopButton = [bar] {
            return bar->buttonWidget(TMainToolbar::BttnStopSessionRecording);
        };
    }
    // ----
    // ---- File transfer: "Transfer file" (Ctrl+Alt+E and the full-screen toolbar) stops the
    // session's queue; the host's acknowledgement opens the transfer window, which polls in the
    // session's place until it closes.
    Transfer = new FileTransfer(Session, Pipeline);
    auto *transferFile = TransferFile = new QAction(this);
    transferFile->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_E));
    transferFile->setShortcutContext(Qt::ApplicationShortcut);
    addAction(transferFile);
    Chrome->toolbar()->bind(TMainToolbar::BttnCopyFile, transferFile);
    Chrome->menus()->bind(TMainMenus::MenuTransferFile, transferFile);
    connect(transferFile, &QAction::triggered, Transfer, &FileTransfer::BttnCopyFileClick);
    connect(Screen, &ScreenArea::headerButtonClicked, Transfer, [this](THeaderForm::Button b) {
        if (b == THeaderForm::BttnCopyFile)
            Transfer->BttnCopyFileClick();
    });
    connect(Transfer, &FileTransfer::explorerOpened, this, [this](TQVexplorerProtocol *protocol) {
        auto *window = new TQVexplorerForm(protocol, this);
        window->show();
        window->activateWindow();
    });
    Transfer->fullControl = [this] { return Actions->fullControl(); };
    Transfer->chatVisible = [this] { return Tools->chat()->isOpen(); };
    connect(Transfer, &FileTransfer::controlModeFollows, Actions, [this](bool full) {
        if (full)
            Actions->SetFullControl();
        else
            Actions->SetViewOnly();
    });
    // ---- end of file transfer

    registerLanguageListener(this);
    Screen->SetScaling();
    WMUpdateForm();
    ApplyStoredGeometry();
}

void TQuorvAdminForm::buildMenus() {
    // ---- Main window chrome: the window's own actions and the screen's on the menu and the
    // picture toolbar (ui/MainChrome, MainMenus.h and MainToolbar.h say how features attach).
    using M = TMainMenus;
    using B = TMainToolbar;
    TMainMenus *menus = Chrome->menus();
    TMainToolbar *bar = Chrome->toolbar();
    ActConnect = menus->item(M::MenuStartSession);
    connect(ActConnect, &QAction::triggered, this, [this] { PostMessage(Session, WanConnect); });
    ActDisconnect = menus->item(M::MenuEndSession);
    connect(ActDisconnect, &QAction::triggered, this, [this] {
        AddTrace(38);
        PostMessage(Session, WANdisconnect, 0, 0);
    });
    bar->bind(B::BttnWANconnect, ActConnect);
    bar->bind(B::BttnWANdisconnect, ActDisconnect);
    const std::pair<B::Button, QAction *> screenButtons[] = {
        {B::BttnScreenRefresh, Screen->BttnRefreshScreen},
        {B::BttnHideWallpaper, Screen->BttnHideWallpaper},
        {B::BttnShowWallpaper, Screen->BttnShowWallpaper},
        {B::BttnFullScreen, Screen->BttnFullScreen},
        {B::BttnScalePropOn, Screen->BttnScalePropOn},
        {B::BttnScalePropOff, Screen->BttnScalePropOff},
        {B::BttnScaleMaxOn, Screen->BttnScaleMaxOn},
        {B::BttnScaleMaxOff, Screen->BttnScaleMaxOff}};
    for (const auto &[button, action] : screenButtons)
        bar->bind(button, action);
    menus->bind(M::MenuRefreshScreen, Screen->BttnRefreshScreen);
    // "Show mouse moves on remote (on)": the state is in the caption, not in a check mark.
    connect(menus->item(M::MenuMouseMoves), &QAction::triggered, Screen->MenuShowMouseMoves,
            [this] { Screen->MenuShowMouseMoves->trigger(); });
    connect(Screen->input(), &RemoteInput::showMouseMovesChanged, menus,
            &TMainMenus::SetMouseMovesState);
    menus->SetMouseMovesState(Screen->input()->showMouseMoves());
    // The screen mode and colour boxes sit at the end of the menu row.
    auto *boxes = new QWidget(menuBar());
    auto *row = new QHBoxLayout(boxes);
    row->setContentsMargins(0, 0, 4, 0);
    row->addWidget(new ScreenModeBox(Screen->modes(), boxes));
    row->addWidget(new ColorBox(Screen->modes(), boxes));
    menuBar()->setCornerWidget(boxes);
    Chrome->attachStatusBar(statusBar(), ConnectionBar);
    TMainChrome::Hooks &hooks = Chrome->hooks();
    hooks.releaseInput = [this] { ReleaseFormEvents(); };
    hooks.connectInput = [this] { ConnectFormEvents(); };
    hooks.toolbarMoved = [this] {
        if (adminVars().HostLoggedOn)
            Screen->SetImagePosition();
    };
}

void TQuorvAdminForm::WMUpdateForm() {
    Chrome->applyTexts();
    Screen->applyTexts();
    updateKeyboardPanel();
}

void TQuorvAdminForm::ApplyStoredGeometry() {
    const Settings &s = settings();
    const QRect monitor = firstMonitor();
    // The settings already hold clamped values: a window that was maximized when it closed
    // comes back as a normal window covering the first monitor from its top left corner.
    QRect r(s.WindowLeft, s.WindowTop, s.WindowWidth, s.WindowHeight);
    if (r.width() >= monitor.width() && r.height() >= monitor.height())
        r = QRect(monitor.topLeft(), monitor.size());
    if (r.width() <= 0 || r.height() <= 0)
        r = QRect(monitor.topLeft(), monitor.size());
    setWindowState(Qt::WindowNoState);
    setGeometry(r);
}

void TQuorvAdminForm::showEvent(QShowEvent *e) {
    QMainWindow::showEvent(e);
    if (!FormEventsConnected || FirstShowDone)
        return;
    FirstShowDone = true;
    FormShow();
}

void TQuorvAdminForm::FormShow() {
    if (!QSslSocket::supportsSsl()) {
        ShowMessageWindow(mkError, QStringLiteral("TLS support (OpenSSL) is missing !"),
                          MsgButton::OK);
        QTimer::singleShot(0, this, &QWidget::close);
        return;
    }
    AddTrace(3);
    InitVars();
    UpdateConnectionStatus();
    PostMessage(this, FormPresent);
}

void TQuorvAdminForm::WMFormPresent() {
    // A settings file that could not be read whole is kept as it is; the operator learns where
    // this run's settings go instead.
    if (const QString notice = SettingsFileNotice(); !notice.isEmpty())
        ShowMessageWindow(mkWarning, notice, MsgButton::OK);
    if (!settings().UserCode.isEmpty() && !settings().Password.isEmpty())
        return;
    ShowMessageWindow(mkWarning, Msg("Connection settings incomplete"), MsgButton::OK);
    MenuLogonCodesClick();
}

void TQuorvAdminForm::InitVars() {
    Session->InitVars();
}

void TQuorvAdminForm::resetWindow() {
    setWindowTitle(adminVars().TitleBase);
    ConnectionBar->setValue(100);
    ConnectionBar->hide();
    for (QTimer *t : {&TrayTimer, &ScreenThreadReadyTimer})
        t->stop();
    ActDisconnect->setVisible(false);
    ActConnect->setVisible(true);
    SessionPanel->clear();
    unsetCursor();
    Screen->resetWindow();
}

void TQuorvAdminForm::CloseMessageForms() {
    // The remote information, invitation, wait-for-host and chat windows close here before the
    // question window, in that order, as they come to exist. The flash notice is not among
    // them: it closes by its own timer, so "Logged off" and the session time stay readable.
    if (ChooseMailForm)
        ChooseMailForm->hide();
    if (WaitForHostForm)
        WaitForHostForm->CloseWaiting();
    CloseAskWarning();
}

void TQuorvAdminForm::UpdateConnectionStatus() {
    const AdminVars &v = adminVars();
    ActConnect->setVisible(!v.LoggedOn);
    ActConnect->setEnabled(!v.LoggedOn);
    ActDisconnect->setVisible(v.LoggedOn);
    ActDisconnect->setEnabled(v.LoggedOn);
    // The settings, the about window and the web pages wait until the session is over; the
    // file transfer needs the remote computer.
    TMainMenus *menus = Chrome->menus();
    for (auto item : {TMainMenus::MenuConnectionSettings, TMainMenus::MenuApplicationSettings,
                      TMainMenus::MenuAbout})
        menus->item(item)->setEnabled(!v.LoggedOn);
    menus->menu(TMainMenus::MenuWeb)->menuAction()->setEnabled(!v.LoggedOn);
    if (TransferFile)
        TransferFile->setEnabled(v.HostLoggedOn);
    QString state;
    if (!v.LoggedOn)
        state = Msg("Disconnected");
    else if (v.HostLoggedOn)
        state = Msg("Connected to client");
    else
        state = Msg("Connected to gateway");
    StatusPanel->setText(Msg("Connection status : ") + state);
    HostPanel->setText(v.LoggedOn ? Msg("Client IP:") + Session->HostIP + QStringLiteral("  ") +
                                        Msg("Name:") + v.HostName
                                  : Msg("Client IP:"));
    if (!v.LoggedOn)
        SessionPanel->clear();
    ConnectionBar->setVisible(v.LoggedOn && v.HostLoggedOn);
    setWindowTitle(v.TitleBase + QStringLiteral(" - ") + state);
    Screen->updateConnectionStatus();
    if (ActionButtons)
        ActionButtons->updateButtons();
}

void TQuorvAdminForm::ReleaseFormEvents() {
    FormEventsConnected = false;
    AddTrace(15);
}

void TQuorvAdminForm::ConnectFormEvents() {
    FormEventsConnected = true;
    AddTrace(16);
}

bool TQuorvAdminForm::FormCloseQuery() {
    AddTrace(6);
    if (!adminVars().LoggedOn)
        return true;
    CloseAskWarning();
    if (AskWarning(Msg("Connected to gateway") + QLatin1Char('\r') + Msg("Disconnect ?"), this))
        PostMessage(Session, WANdisconnect, makeWParam(1, 0), 1);
    return false;
}

void TQuorvAdminForm::closeEvent(QCloseEvent *e) {
    if (!FormEventsConnected || CloseAccepted) {
        e->accept();
        return;
    }
    if (Closing) {
        e->ignore();
        return;
    }
    if (!FormCloseQuery()) {
        e->ignore();
        return;
    }
    FormClose();
    if (ClosingDelayMs <= 0) {
        CloseAccepted = true;
        e->accept();
        return;
    }
    // The window stays while "Closing ..." shows; the event loop keeps running meanwhile.
    Closing = true;
    e->ignore();
    QTimer::singleShot(ClosingDelayMs, this, [this] {
        CloseAccepted = true;
        CloseFlashInfo();
        close();
    });
}

void TQuorvAdminForm::FormClose() {
    AddTrace(7);
    ClosePopUp();
    SplashTimer.stop();
    Settings &s = settings();
    const QRect g = geometry();
    s.WindowTop = g.top();
    s.WindowLeft = g.left();
    s.WindowWidth = g.width();
    s.WindowHeight = g.height();
    // ShowST, TBpos and TBnailed are kept in the settings by the chrome as they change.
    SaveSettings(appFolders().SettingsFile);
    ShowFlashInfo(QString(), Msg("Closing ..."), 2);
    if (adminVars().CloseMode == 2)
        RunUpdateAtClose(this);
    adminVars().CloseMode = 0;
}

void TQuorvAdminForm::FormDestroy() {
    AddTrace(8);
    CloseFlashInfo();
    if (adminVars().SocketsStarted)
        Session->CloseSockets();
}

void TQuorvAdminForm::changeEvent(QEvent *e) {
    QMainWindow::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && FormEventsConnected) {
        if (isActiveWindow())
            FormActivate();
        else
            FormDeactivate();
    }
}

void TQuorvAdminForm::FormActivate() {
    AddTrace(4);
    KeyHook->InstallHook();
}
void TQuorvAdminForm::FormDeactivate() {
    AddTrace(10);
    KeyHook->RemoveHook();
}

void TQuorvAdminForm::ApplicationActivate() {
    if (!FormEventsConnected)
        return;
    QTimer::singleShot(100, this, [this] {
        if (isVisible()) {
            AddTrace(9);
            if (isActiveWindow())
                KeyHook->InstallHook();
        }
    });
}

void TQuorvAdminForm::ApplicationDeactivate() {
    if (FormEventsConnected) {
        AddTrace(10);
        KeyHook->RemoveHook();
    }
}

void TQuorvAdminForm::onTlsFailure(const QString &text) {
    ShowMessageWindow(mkError, text, MsgButton::OK);
    PostMessage(Session, WANdisconnect, 0, 1);
}

void TQuorvAdminForm::flash(const QString &title, const QString &text, int seconds) {
    ShowFlashInfo(title, text, seconds);
}

int TQuorvAdminForm::message(int kind, const QString &text, int buttons) {
    return ShowMessageWindow(kind, text, buttons);
}

bool TQuorvAdminForm::ask(const QString &text) {
    return AskWarning(text, this);
}

bool TQuorvAdminForm::questionVisible() const {
    return AskWarningVisible();
}

void TQuorvAdminForm::closeMainWindow() {
    // Out of the completion that asked for it, so the close runs on a settled session.
    QTimer::singleShot(0, this, &QWidget::close);
}

void TQuorvAdminForm::setSessionPanel(const QString &text) {
    SessionPanel->setText(text);
}

void TQuorvAdminForm::hostJoined() {
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

bool TQuorvAdminForm::offerResolutionTip(bool current) {
    return ScreenArea::OfferResolutionTip(this, current);
}

// The resizing of full-screen mode must not run the window's own handlers.
void TQuorvAdminForm::WMFullScreen() {
    if (!adminVars().HostLoggedOn)
        return;
    ReleaseFormEvents();
    Screen->WMFullScreen();
    ConnectFormEvents();
}

void TQuorvAdminForm::WMNormalScreen() {
    ReleaseFormEvents();
    Screen->WMNormalScreen();
    ConnectFormEvents();
}

void TQuorvAdminForm::WMBadConnection(qint64 lParam) {
    if (lParam != 0)
        BadConnForm->ShowBadConn(); // with the pop-up sound
    else
        BadConnForm->CloseBadConn();
}

void TQuorvAdminForm::hostEnded() {
    ShowPopUp(pkSessionEnded, 3000);
} // with the pop-up sound

void TQuorvAdminForm::playSound(int sound) {
    PlaySystemSound(sound);
}

bool TQuorvAdminForm::offerUpdate(bool mandatory) {
    return AskUpgrade(mandatory, this);
}

void TQuorvAdminForm::showAnnouncement(bool product, const QString &title, const QString &text) {
    InfoMessagesForm->ShowInfoMessage(product, title, text);
}

bool TQuorvAdminForm::event(QEvent *e) {
    const int msg = messageOf(e);
    if (msg == 0)
        return QMainWindow::event(e);
    const auto *m = static_cast<MessageEvent *>(e);
    switch (msg) {
    case FormPresent:
        WMFormPresent();
        break;
    case WANdisconnect:
    case WanConnect:
    case Logon:
    case WindowMessages::PollGateway:
    case PumpQueue:
    case WindowMessages::RequestInfoMessage:
        // Session messages posted to the window go to the session that handles them.
        PostMessage(Session, msg, m->wParam, m->lParam, m->text);
        break;
    case UpdateForm:
        WMUpdateForm();
        break;
    case BadConnection:
        WMBadConnection(m->lParam);
        break;
    case FullScreen:
        WMFullScreen();
        break;
    case NormalScreen:
        WMNormalScreen();
        break;
    case HideWallpaper:
        Screen->modes()->WMHideWallpaper();
        break;
    case SetColors:
        Screen->modes()->WMSetColors();
        break;
    case Reboot:
        PostMessage(Actions, msg, m->wParam, m->lParam);
        break;
    case WindowMessages::SendMail:
        WMSendMail(m->lParam);
        break;
    case WindowMessages::About:
    case WindowMessages::UserGuide:
    case WindowMessages::GettingStarted:
    case RestoreFromTray:
    case BringToFront:
        Chrome->WindowMessage(msg);
        break;
    default:
        break;
    }
    return true;
}

// ---- Settings dialogs and the setup invitation --------------------------------------------

void TQuorvAdminForm::CreateDialogsAndInvitation() {
    connect(Chrome->menus()->item(TMainMenus::MenuConnectionSettings), &QAction::triggered, this,
            &TQuorvAdminForm::MenuLogonCodesClick);
    connect(Chrome->menus()->item(TMainMenus::MenuApplicationSettings), &QAction::triggered, this,
            &TQuorvAdminForm::MenuApplSettingsClick);

    // A proxy script server that wants credentials asks the operator, once per run.
    SetProxyCredentialsPrompt(ProxyInfoAuthentication);

    Invite = new Invitation(Session, this);
    ChooseMailForm = new TChooseMailForm(Invite, this);
    ChooseMailForm->setMailListPath(appFolders().MailAddressFile);
    WaitForHostForm = new TWaitForHostForm(this);
    connect(ChooseMailForm, &TChooseMailForm::invitationKeyChanged, this,
            [this](const QString &key) { setSessionPanel(Msg("Session Key: ") + key); });
    connect(ChooseMailForm, &TChooseMailForm::finished, this,
            [this](TChooseMailForm::Choice choice, const QString &key, const QString &address) {
                Chrome->SplashClean();
                if (choice == TChooseMailForm::EndSession) {
                    AddTrace(38);
                    PostMessage(Session, WANdisconnect, 0, 0);
                    return;
                }
                // The instructions went out: the tray button may take the window away now.
                Chrome->setInvitationSent(true);
                WaitForHostForm->ShowWaiting(key, ShortSetupAddress(settings().SetupUrl), address);
            });
    connect(WaitForHostForm, &TWaitForHostForm::cancelSession, this, [this] {
        AddTrace(38);
        PostMessage(Session, WANdisconnect, 0, 0);
    });
    connect(Invite, &Invitation::mailAnswered, this, [this](bool ok) {
        if (ok) {
            ShowFlashInfo(Msg("Mail info"), Msg("An email is sent to the remote user."), 2);
            return;
        }
        ShowFlashInfo(Msg("Mail error"), Msg("Mail delivery error"), 3);
        WaitForHostForm->CloseWaiting();
        PostMessage(this, WindowMessages::SendMail, 0, 3);
    });
    // While the remote computer reboots, the operator waits for it again.
    connect(Session, &GatewaySession::hostLeft, this, [this](bool rebooting) {
        if (rebooting)
            WaitForHostForm->ShowAgain();
    });
    connect(Session, &GatewaySession::sessionReset, this, [this] { WaitForHostForm->Forget(); });
    TMainChrome::Hooks &chrome = Chrome->hooks();
    chrome.invitationOpen = [this] { return ChooseMailForm->isVisible(); };
    chrome.closeWaitForHost = [this] { WaitForHostForm->CloseWaiting(); };
    chrome.showWaitForHost = [this] { WaitForHostForm->ShowAgain(); };
}

void TQuorvAdminForm::MenuLogonCodesClick() {
    PlaySystemSound(sndClick);
    if (qobject_cast<TConnectionSettingsForm *>(SettingsDialog)) {
        SettingsDialog->raise();
        SettingsDialog->activateWindow();
        return;
    }
    // The proxy wants credentials while the application settings are open: those are
    // cancelled, the connection settings are what the operator needs now.
    if (SettingsDialog) {
        QDialog *other = SettingsDialog;
        SettingsDialog.clear();
        other->reject();
    }
    auto *form = new TConnectionSettingsForm(this);
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->Prepare(ConnectionValuesFrom(settings()), Session->GatewayScheme);
    connect(form, &QDialog::accepted, this, [this, form] {
        StoreConnectionValues(form->values());
        // A changed proxy is discovered afresh at the next logon.
        InvalidateProxyCache();
        Session->ApplyProxySettings();
        SaveSettings(appFolders().SettingsFile);
    });
    SettingsDialog = form;
    form->centreOver(this);
    form->open();
}

void TQuorvAdminForm::MenuApplSettingsClick() {
    PlaySystemSound(sndClick);
    if (SettingsDialog) {
        SettingsDialog->raise();
        SettingsDialog->activateWindow();
        return;
    }
    auto *form = new TApplicationSettingsForm(this);
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->Prepare(ApplicationValuesFrom(settings()), Screen->modes()->colorEntries());
    connect(form, &QDialog::accepted, this, [this, form] {
        StoreApplicationValues(form->values(), settings());
        Screen->modes()->SetColorBox();
        SaveSettings(appFolders().SettingsFile);
    });
    SettingsDialog = form;
    form->centreOver(this);
    form->open();
}

void TQuorvAdminForm::openConnectionSettings() {
    // Out of the logon's completion, so the dialog never runs inside it.
    QTimer::singleShot(0, this, &TQuorvAdminForm::MenuLogonCodesClick);
}

void TQuorvAdminForm::logonCompleted() {
    PostMessage(this, WindowMessages::SendMail, 0, 0);
}

void TQuorvAdminForm::closeWaitForHost() {
    WaitForHostForm->CloseWaiting();
}

void TQuorvAdminForm::WMSendMail(qint64 lParam) {
    if (lParam <= 0) {
        SendMail();
        return;
    }
    // The invitation comes back after the wait only to the session that asked for it.
    const quint64 generation = Session->generation();
    QTimer::singleShot(int(qMin<qint64>(lParam, 60)) * 1000, this, [this, generation] {
        if (Session->generation() == generation)
            SendMail();
    });
}

void TQuorvAdminForm::SendMail() {
    const AdminVars &v = adminVars();
    if (!v.LoggedOn || v.HostLoggedOn)
        return;
    AddTrace(34);
    ChooseMailForm->Open(Session->displayKey(), Session->CustomerName, settings().MILang, Screen);
}

// --- Keyboard hook ---------------------------------------------------------------------------
// Keys of the main window go to the remote computer while a host is connected, and the keyboard
// is captured while the window is active. The hook runs only while the window is active, so a
// dialog, a notice or the tray takes it away.
void TQuorvAdminForm::StartHook() {
    AddTrace(17);
    KeyHook = new TQVBlockHook(this);
    KeyHook->BlockSystemKeys = true;
    RemoteInput *input = Screen->input();
    KeyHook->OnKey = [input](const HookedKey &k) {
        input->HookKey(k.info, k.character, k.suppressed);
    };
    KeyHook->OnWindowKey = [input](bool down, bool ctrl) { input->windowKey(down, ctrl); };
    // Out of the key's delivery: a command may open a question with its own event loop.
    KeyHook->OnHostCommand = [this](HostKeys::Command command) {
        QTimer::singleShot(0, this, [this, command] { RunHostCommand(command); });
    };
    KeyHook->keepKeysFor(Screen->header());
    connect(KeyHook, &TQVBlockHook::sessionActiveChanged, Chrome, &TMainChrome::setHostKeysShown);
    connect(Session, &GatewaySession::hostJoined, KeyHook,
            [this] { KeyHook->setSessionActive(true); });
    for (auto signal : {&GatewaySession::hostLost, &GatewaySession::sessionReset,
                        &GatewaySession::logoffStarting})
        connect(Session, signal, KeyHook, [this] { KeyHook->setSessionActive(false); });
    connect(Session, &GatewaySession::hostLeft, KeyHook,
            [this] { KeyHook->setSessionActive(false); });
    connect(input, &RemoteInput::fullControlChanged, KeyHook, &TQVBlockHook::setCaptureAllowed);
    KeyboardPanel = new QLabel(this);
    KeyboardPanel->setObjectName(QStringLiteral("KeyboardPanel"));
    statusBar()->addPermanentWidget(KeyboardPanel);
    connect(KeyHook, &TQVBlockHook::capturedChanged, this, &TQuorvAdminForm::updateKeyboardPanel);
    updateKeyboardPanel();
    if (isActiveWindow())
        KeyHook->InstallHook();
}

void TQuorvAdminForm::RunHostCommand(HostKeys::Command command) {
    AddTrace(18, QString(QLatin1Char(HostKeys::letter(command))));
    if (command == HostKeys::FullScreen) {
        PostMessage(this, Screen->FullScreen ? NormalScreen : WindowMessages::FullScreen);
        return;
    }
    QAction *const actions[HostKeys::CommandCount] = {ActDisconnect,
                                                      Chrome->menus()->item(TMainMenus::MenuExit),
                                                      nullptr,
                                                      TransferFile,
                                                      Tools->BttnOsHostInfo,
                                                      Tools->BttnChat,
                                                      ActionButtons->BttnPictToDesktop,
                                                      Screen->BttnRefreshScreen};
    if (QAction *a = actions[command]; a && a->isEnabled())
        a->trigger();
}

void TQuorvAdminForm::updateKeyboardPanel() {
    const bool captured = KeyHook && KeyHook->captured();
    KeyboardPanel->setText(captured ? Msg("Keyboard captured (Right Ctrl releases it)")
                                    : QString());
    // The other panels give way: the operator must see how to get the keyboard back.
    KeyboardPanel->setMinimumWidth(KeyboardPanel->sizeHint().width());
    KeyboardPanel->setVisible(captured);
}
