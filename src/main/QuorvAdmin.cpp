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
#include "screen/ScreenArea.h"
#include "screen/ScreenModeBoxes.h"
#include "screen/ScreenModes.h"
#include "screen/ScreenPipeline.h"
#include "settings/ServiceConfig.h"
#include "settings/uFindProxyForUrl.h"
#include "settings/uIniFiles.h"
#include "ui/ApplicationException.h"
#include "ui/FlashInfo.h"
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
                  {&MouseMoveTimer, 200},
                  {&MouseWheelTimer, 120},
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
    MenuConnection = menus->menu(M::MenuConnection);
    MenuView = menus->menu(M::MenuView);
    MenuHelp = menus->menu(M::MenuHelp);
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
    MenuView->addSeparator();
    Screen->addViewMenuItems(MenuView);
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
    // The connection settings dialog opens here once it exists.
}

void TQuorvAdminForm::InitVars() {
    Session->InitVars();
}

void TQuorvAdminForm::resetWindow() {
    setWindowTitle(adminVars().TitleBase);
    ConnectionBar->setValue(100);
    ConnectionBar->hide();
    for (QTimer *t : {&MouseMoveTimer, &TrayTimer, &MouseWheelTimer, &ScreenThreadReadyTimer})
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
    CloseAskWarning();
}

void TQuorvAdminForm::UpdateConnectionStatus() {
    const AdminVars &v = adminVars();
    ActConnect->setVisible(!v.LoggedOn);
    ActConnect->setEnabled(!v.LoggedOn);
    ActDisconnect->setVisible(v.LoggedOn);
    ActDisconnect->setEnabled(v.LoggedOn);
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
}
void TQuorvAdminForm::FormDeactivate() {
    AddTrace(10);
}

void TQuorvAdminForm::ApplicationActivate() {
    if (!FormEventsConnected)
        return;
    QTimer::singleShot(100, this, [this] {
        if (isVisible())
            AddTrace(9);
    });
}

void TQuorvAdminForm::ApplicationDeactivate() {
    if (FormEventsConnected)
        AddTrace(10);
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
