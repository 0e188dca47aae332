#include "ui/MainChrome.h"

#include "common/AdminVars.h"
#include "common/TraceRing.h"
#include "common/VersionText.h"
#include "common/WindowMessages.h"
#include "common/uLanguageMsg.h"
#include "gateway/GatewaySession.h"
#include "settings/uIniFiles.h"
#include "ui/About.h"
#include "ui/GettingStartedUnit.h"
#include "ui/MainMenus.h"
#include "ui/MainToolbar.h"
#include "ui/ResourceBitmap.h"
#include "ui/SplashPanel.h"
#include "ui/WebLinks.h"
#include "ui/uSounds.h"
#include "ui/uUserGuide.h"

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QMainWindow>
#include <QStatusBar>
#include <QSystemTrayIcon>

using namespace WindowMessages;

namespace {
constexpr int TrayFrames = 8;
constexpr int MeterPanelWidth = 130;

Qt::ToolBarArea areaOf(int position) {
    switch (position) {
    case TMainToolbar::OnBottom:
        return Qt::BottomToolBarArea;
    case TMainToolbar::OnLeft:
        return Qt::LeftToolBarArea;
    case TMainToolbar::OnRight:
        return Qt::RightToolBarArea;
    default:
        return Qt::TopToolBarArea;
    }
}

// The status bar's last panel: the connection meter is laid exactly over it.
class MeterPanel : public QWidget {
public:
    MeterPanel(QWidget *meter, QWidget *parent) : QWidget(parent), Meter(meter) {
        setObjectName(QStringLiteral("MeterPanel"));
        setFixedWidth(MeterPanelWidth);
        Meter->setParent(this);
    }

protected:
    void resizeEvent(QResizeEvent *) override { Meter->setGeometry(rect().adjusted(2, 3, -2, -3)); }

private:
    QWidget *Meter;
};
} // namespace

QString TMainChrome::TitleText() {
    return QStringLiteral("QUORVIA Access ") + GetVersionText(2);
}

TMainChrome::TMainChrome(QMainWindow *window, GatewaySession *session)
    : QObject(window), Window(window), Session(session), Toolbar(new TMainToolbar(window)),
      Menus(new TMainMenus(window->menuBar(), this)), Splash(new TSplashPanel(window)),
      About(new TAboutForm(window)), GettingStarted(new TGettingStartedForm(window)),
      UserGuide(new TUserGuideForm(window)), Tray(new QSystemTrayIcon(this)) {
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/quorvia.svg")));
    QGuiApplication::setDesktopFileName(QStringLiteral("example.quorvia.Access"));
    adminVars().TitleBase = TitleText();

    // Toolbar: its own nail buttons, the tray button, the position from TBpos.
    Window->addToolBar(areaOf(settings().TBpos), Toolbar);
    connect(Toolbar->button(TMainToolbar::BttnToTray), &QAction::triggered, this,
            &TMainChrome::BttnToTrayClick);
    connect(Toolbar, &TMainToolbar::geometryChanged, this, &TMainChrome::layoutChanged);
    applySettings();
    updateTrayButton();
    Window->installEventFilter(this);

    // Menu items the chrome serves itself.
    using M = TMainMenus;
    connect(Menus->item(M::MenuStatusBar), &QAction::triggered, this,
            &TMainChrome::MenuStatusBarClick);
    const struct {
        M::Item item;
        int position;
    } positions[] = {{M::MenuTBTop, TMainToolbar::OnTop},
                     {M::MenuTBBottom, TMainToolbar::OnBottom},
                     {M::MenuTBLeft, TMainToolbar::OnLeft},
                     {M::MenuTBRight, TMainToolbar::OnRight}};
    for (const auto &p : positions)
        connect(Menus->item(p.item), &QAction::triggered, this,
                [this, position = p.position] { applyToolbarPosition(position); });
    connect(Menus->item(M::MenuExit), &QAction::triggered, Window, &QWidget::close);
    // F10 takes the keyboard to the toolbar; the arrows then go along it.
    auto *toToolbar = new QAction(this);
    toToolbar->setObjectName(QStringLiteral("FocusToolbar"));
    toToolbar->setShortcut(QKeySequence(Qt::Key_F10));
    connect(toToolbar, &QAction::triggered, Toolbar, &TMainToolbar::focusFirstButton);
    Window->addAction(toToolbar);
    connect(Menus->item(M::MenuAbout), &QAction::triggered, this, &TMainChrome::MenuAboutClick);
    connect(Menus->item(M::MenuGettingStarted), &QAction::triggered, this,
            [this] { PostMessage(Window, WindowMessages::GettingStarted); });
    connect(Menus->item(M::MenuUserGuide), &QAction::triggered, this,
            [this] { PostMessage(Window, WindowMessages::UserGuide); });
    const struct {
        M::Item item;
        WebLink link;
    } web[] = {{M::MenuTechnicalSupport, WebLink::TechnicalSupport},
               {M::MenuKnowledgeBase, WebLink::KnowledgeBase},
               {M::MenuFaq, WebLink::Faq},
               {M::MenuProductHistory, WebLink::ProductHistory},
               {M::MenuProductInformation, WebLink::ProductInformation},
               {M::MenuContact, WebLink::Contact}};
    for (const auto &w : web)
        connect(Menus->item(w.item), &QAction::triggered, this,
                [link = w.link] { OpenWebLink(link); });

    // Quick links: the console's own go through the menu items, so they do what the menu
    // does (and nothing while no feature is attached there); the web pages open directly.
    connect(Splash, &TSplashPanel::linkClicked, this, [this](int link) {
        PlaySystemSound(sndClick);
        const auto menu = [this](M::Item item) {
            if (Menus->item(item)->isEnabled())
                Menus->item(item)->trigger();
        };
        switch (link) {
        case TSplashPanel::LinkStartSession:
            return menu(M::MenuStartSession);
        case TSplashPanel::LinkConnectionSettings:
            return menu(M::MenuConnectionSettings);
        case TSplashPanel::LinkApplicationSettings:
            return menu(M::MenuApplicationSettings);
        case TSplashPanel::LinkGettingStarted:
            return menu(M::MenuGettingStarted);
        case TSplashPanel::LinkUserGuide:
            return menu(M::MenuUserGuide);
        case TSplashPanel::LinkAccount:
            OpenWebLink(WebLink::Account);
            return;
        case TSplashPanel::LinkProductInformation:
            OpenWebLink(WebLink::ProductInformation);
            return;
        case TSplashPanel::LinkFaq:
            OpenWebLink(WebLink::Faq);
            return;
        case TSplashPanel::LinkSupportForum:
            OpenWebLink(WebLink::SupportForum);
            return;
        case TSplashPanel::LinkSupportRequest:
            OpenWebLink(WebLink::SupportRequest);
            return;
        case TSplashPanel::LinkKnowledgeBase:
            OpenWebLink(WebLink::KnowledgeBase);
            return;
        case TSplashPanel::LinkAskQuestion:
            OpenWebLink(WebLink::AskQuestion);
            return;
        default:
            OpenWebLink(WebLink::Contact);
        }
    });

    // The session's life moves the start page and brings the window back from the tray.
    if (Session) {
        connect(Session, &GatewaySession::loggedOn, this, &TMainChrome::SplashStop);
        connect(Session, &GatewaySession::sessionReset, this, [this] {
            setInvitationSent(false);
            // A session that ends while the console waits in the tray brings it back.
            restoreFromTray(false);
            if (!adminVars().LoggedOn)
                SplashPlay();
        });
        connect(Session, &GatewaySession::hostJoined, this, [this] {
            updateTrayButton();
            if (InTray) {
                PlaySystemSound(sndSilentAlarm);
                PostMessage(Window, RestoreFromTray);
            }
        });
        // The tray is for waiting for the remote user: the button goes while one is connected.
        connect(Session, &GatewaySession::hostLeft, this, &TMainChrome::updateTrayButton);
        connect(Session, &GatewaySession::hostLost, this, &TMainChrome::updateTrayButton);
    }

    TrayTimer.setInterval(200);
    connect(&TrayTimer, &QTimer::timeout, this, &TMainChrome::TrayTimerTimer);
    Tray->setIcon(QIcon(QStringLiteral(":/icons/quorvia.svg")));
    connect(Tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
        if (r == QSystemTrayIcon::Trigger || r == QSystemTrayIcon::Context ||
            r == QSystemTrayIcon::DoubleClick)
            restoreFromTray(true);
    });
    SplashPlay();
}

TMainChrome::~TMainChrome() {
    // The guides are windows of their own; they go with the chrome.
    delete GettingStarted;
    delete UserGuide;
}

void TMainChrome::applySettings() {
    applyToolbarPosition(settings().TBpos);
    Toolbar->SetToolBarNailed(settings().TBnailed);
    if (StatusBar) {
        StatusBar->setVisible(settings().ShowST);
        Menus->item(TMainMenus::MenuStatusBar)->setChecked(settings().ShowST);
        Menus->applyTexts();
    }
}

bool TMainChrome::eventFilter(QObject *watched, QEvent *e) {
    // The features attached while the window was made: what has no feature is disabled from
    // the first show on.
    if (watched == Window && e->type() == QEvent::Show && !Shown) {
        Shown = true;
        Menus->updateAttached();
        Toolbar->relayout();
    }
    return QObject::eventFilter(watched, e);
}

void TMainChrome::attachStatusBar(QStatusBar *bar, QWidget *meter) {
    StatusBar = bar;
    if (meter) {
        bar->removeWidget(meter);
        auto *panel = new MeterPanel(meter, bar);
        bar->addPermanentWidget(panel);
        meter->show();
    }
    applySettings();
}

void TMainChrome::MenuStatusBarClick() {
    if (!StatusBar)
        return;
    const bool show = StatusBar->isHidden();
    StatusBar->setVisible(show);
    settings().ShowST = show;
    QAction *item = Menus->item(TMainMenus::MenuStatusBar);
    item->setChecked(show);
    item->setText(show ? Msg("Hide statusbar") : Msg("Show statusbar"));
    TheHooks.toolbarMoved();
}

void TMainChrome::applyToolbarPosition(int position) {
    Toolbar->SetPosition(position);
    const TMainMenus::Item items[] = {TMainMenus::MenuTBTop, TMainMenus::MenuTBBottom,
                                      TMainMenus::MenuTBLeft, TMainMenus::MenuTBRight};
    Menus->item(items[Toolbar->position()])->setChecked(true);
    if (ToolbarOnSplash)
        Splash->setAttached(Toolbar, Toolbar->position());
    else
        placeToolbarOnWindow();
    Toolbar->show();
}

void TMainChrome::placeToolbarOnWindow() {
    if (Toolbar->parentWidget() != Window)
        Toolbar->setParent(Window);
    Window->addToolBar(areaOf(Toolbar->position()), Toolbar);
}

void TMainChrome::layoutChanged() {
    if (ToolbarOnSplash)
        Splash->SplashResize();
    TheHooks.toolbarMoved();
}

void TMainChrome::SplashPlay() {
    // The toolbar sits on the start page, beside its picture.
    ToolbarOnSplash = true;
    Window->removeToolBar(Toolbar);
    Toolbar->setParent(Splash);
    Splash->setAttached(Toolbar, Toolbar->position());
    Toolbar->show();
    Splash->setMode(TSplashPanel::Mode::Playing);
}

void TMainChrome::SplashStop() {
    Splash->setMode(TSplashPanel::Mode::Stopped);
    if (ToolbarOnSplash) {
        ToolbarOnSplash = false;
        Splash->setAttached(nullptr, 0);
        placeToolbarOnWindow();
        Toolbar->show();
    }
}

void TMainChrome::SplashClean() {
    Splash->setMode(TSplashPanel::Mode::Clean);
}

bool TMainChrome::trayAvailable() const {
    return TheHooks.trayAvailable ? TheHooks.trayAvailable()
                                  : QSystemTrayIcon::isSystemTrayAvailable();
}

void TMainChrome::setInvitationSent(bool sent) {
    InvitationSent = sent;
    updateTrayButton();
}

bool TMainChrome::trayAllowed() const {
    const AdminVars &v = adminVars();
    return InvitationSent && v.LoggedOn && !v.HostLoggedOn && trayAvailable();
}

void TMainChrome::updateTrayButton() {
    Toolbar->button(TMainToolbar::BttnToTray)->setVisible(trayAllowed());
}

void TMainChrome::BttnToTrayClick() {
    PlaySystemSound(sndClick);
    AddTrace(73);
    if (TheHooks.invitationOpen() || InTray || !trayAllowed())
        return;
    TheHooks.releaseInput();
    TrayFrame = 0;
    Tray->setIcon(QIcon(LoadResourceBitmap(QStringLiteral("rcTray1_bmp"), QSize(32, 32))));
    Tray->show();
    InTray = true;
    TheHooks.closeWaitForHost();
    Window->hide();
    TrayTimer.start();
}

void TMainChrome::TrayTimerTimer() {
    AddTrace(74);
    TrayFrame = (TrayFrame + 1) % TrayFrames;
    Tray->setIcon(QIcon(
        LoadResourceBitmap(QStringLiteral("rcTray%1_bmp").arg(TrayFrame + 1), QSize(32, 32))));
}

void TMainChrome::restoreFromTray(bool reconnectAll) {
    if (!InTray)
        return;
    AddTrace(99);
    TrayTimer.stop();
    Tray->hide();
    InTray = false;
    Window->show();
    Window->raise();
    Window->activateWindow();
    TheHooks.connectInput();
    if (reconnectAll && !adminVars().HostLoggedOn)
        TheHooks.showWaitForHost();
}

void TMainChrome::WMRestoreFromTray() {
    restoreFromTray(false);
}

void TMainChrome::WMBringToFront() {
    if (Window->isHidden())
        Window->show();
    Window->raise();
    Window->activateWindow();
}

void TMainChrome::MenuAboutClick() {
    if (adminVars().HostLoggedOn)
        return;
    PlaySystemSound(sndClick);
    About->SetUserCode(settings().UserCode);
    PostMessage(Window, WindowMessages::About);
}

bool TMainChrome::WindowMessage(int message) {
    switch (message) {
    case WindowMessages::About:
        About->SetVersion(Session ? Session->VersionTag : QStringLiteral("A") + GetVersionText(1));
        About->ShowAbout();
        return true;
    case WindowMessages::UserGuide:
        UserGuide->ShowGuide();
        return true;
    case WindowMessages::GettingStarted:
        GettingStarted->ShowGuide();
        return true;
    case RestoreFromTray:
        WMRestoreFromTray();
        return true;
    case BringToFront:
        WMBringToFront();
        return true;
    default:
        return false;
    }
}

void TMainChrome::applyTexts() {
    Menus->applyTexts();
    Toolbar->applyTexts();
    Splash->applyTexts();
    GettingStarted->ApplyTexts();
    UserGuide->ApplyTexts();
}

void TMainChrome::setHostKeysShown(bool shown) {
    Menus->setHostKeysShown(shown);
    Toolbar->setHostKeysShown(shown);
}
