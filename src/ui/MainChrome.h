#pragma once
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>

class GatewaySession;
class QMainWindow;
class QStatusBar;
class QSystemTrayIcon;
class TAboutForm;
class TGettingStartedForm;
class TMainMenus;
class TMainToolbar;
class TSplashPanel;
class TUserGuideForm;

// The main window's frame around the remote screen: the menu, the picture-button toolbar, the
// start page, the status bar's meter panel and menu item, the title, the tray icon, and the
// help windows they open. The main window creates it in one block and hands it the few things
// only the window can do (Hooks). Features attach to the toolbar and the menu through
// toolbar() and menus() (see MainToolbar.h and MainMenus.h).
//
// Settings: TBpos, TBnailed and ShowST are applied when the chrome is made and kept in the
// settings as they change, so the settings written at close hold them.
//
// What the invitation and the input features hand the chrome when they are wired in:
//   hooks().invitationOpen, closeWaitForHost, showWaitForHost   (the invitation windows)
//   hooks().releaseInput, connectInput                          (events and keyboard hook)
//   setInvitationSent(true) once the instructions went out      (shows the tray button)
//   SplashClean() when the invitation window closes
//   menus()->SetMouseMovesState(on) when "show mouse moves" changes
// The start page plays at start and after each session, and stops at the logon, by itself.
class TMainChrome : public QObject {
    Q_OBJECT
public:
    // What the window does for the chrome; each has a harmless default.
    struct Hooks {
        std::function<bool()> invitationOpen = [] { return false; };
        std::function<void()> closeWaitForHost = [] {};
        std::function<void()> showWaitForHost = [] {};
        // Around the tray: the window's input events and the keyboard hook.
        std::function<void()> releaseInput = [] {};
        std::function<void()> connectInput = [] {};
        // The toolbar moved, slid or was nailed: the remote screen is placed again.
        std::function<void()> toolbarMoved = [] {};
        std::function<bool()> trayAvailable;
    };

    TMainChrome(QMainWindow *window, GatewaySession *session);
    ~TMainChrome() override;

    Hooks &hooks() { return TheHooks; }
    // A session runs: the menu and the toolbar name the host-key combinations.
    void setHostKeysShown(bool shown);
    TMainToolbar *toolbar() const { return Toolbar; }
    TMainMenus *menus() const { return Menus; }
    // The start page, for the screen area to show until the first picture.
    TSplashPanel *startPage() const { return Splash; }
    TAboutForm *about() const { return About; }
    TGettingStartedForm *gettingStarted() const { return GettingStarted; }
    TUserGuideForm *userGuide() const { return UserGuide; }

    // Puts `meter` (the connection bar) exactly over the status bar's last panel, and applies
    // the settings (the window reads them after it made the chrome).
    void attachStatusBar(QStatusBar *bar, QWidget *meter);
    // TBpos, TBnailed and ShowST from the settings.
    void applySettings();

    void SplashPlay();
    void SplashStop();
    void SplashClean();

    // The tray button shows once an invitation was sent, where the desktop has a tray, while
    // the session waits for the remote user.
    void setInvitationSent(bool sent);
    void BttnToTrayClick();
    bool inTray() const { return InTray; }
    QSystemTrayIcon *trayIcon() const { return Tray; }

    void MenuStatusBarClick();
    void MenuAboutClick();
    // WM_USER+16, +17, +18, +28 and +29, which the main window forwards.
    bool WindowMessage(int message);

    // Captions, hints and link texts (creation and language change).
    void applyTexts();
    // "QUORVIA Access 1.00": the title the frame used to carry, now the window title's base.
    static QString TitleText();

    // Timers: the main window's, set up here.
    QTimer &trayTimer() { return TrayTimer; }
    int trayFrame() const { return TrayFrame; }

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void applyToolbarPosition(int position);
    void placeToolbarOnWindow();
    void TrayTimerTimer();
    void restoreFromTray(bool reconnectAll);
    void WMRestoreFromTray();
    void WMBringToFront();
    void updateTrayButton();
    bool trayAvailable() const;
    bool trayAllowed() const;
    void layoutChanged();

    QMainWindow *Window;
    GatewaySession *Session;
    Hooks TheHooks;
    TMainToolbar *Toolbar;
    TMainMenus *Menus;
    TSplashPanel *Splash;
    TAboutForm *About;
    TGettingStartedForm *GettingStarted;
    TUserGuideForm *UserGuide;
    QPointer<QStatusBar> StatusBar;
    QSystemTrayIcon *Tray;
    QTimer TrayTimer;
    int TrayFrame = 0;
    bool InTray = false;
    bool InvitationSent = false;
    bool ToolbarOnSplash = false;
    bool Shown = false;
};
