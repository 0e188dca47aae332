#pragma once
#include "screen/FullScreenHeader.h"

#include <QRect>
#include <QWidget>

#include <functional>

class GatewaySession;
class ScreenPipeline;
class QAction;
class QMainWindow;
class QMenu;
class QStackedLayout;
class QToolBar;
class ScreenModes;
class ScreenView;
class RemoteInput;
class TMouseForm;

// The main window's screen area: the start page until the first picture, then the remote
// screen; the scaling and full-screen modes, the full-screen toolbar laid over the picture, and
// the screen mode, colour and wallpaper controls. The main window owns it as its central widget
// and calls in from its window messages and session hooks.
class ScreenArea : public QWidget {
    Q_OBJECT
public:
    ScreenArea(GatewaySession *session, ScreenPipeline *pipeline, QWidget *startPage,
               QMainWindow *mainWindow);

    ScreenView *view() const { return View; }
    THeaderForm *header() const { return Header; }
    ScreenModes *modes() const { return Modes; }
    // The operator's mouse and keys on the remote computer, and the remote user's pointer.
    RemoteInput *input() const { return Input; }
    TMouseForm *mouseForm() const { return MouseForm; }

    // The main window's controls. Exactly two of the four scale buttons show at a time.
    QAction *BttnScalePropOn, *BttnScalePropOff, *BttnScaleMaxOn, *BttnScaleMaxOff;
    QAction *BttnFullScreen, *BttnRefreshScreen, *BttnHideWallpaper, *BttnShowWallpaper,
        *BttnFitToScreen;
    // View menu: "Show mouse moves on remote" (checked while on).
    QAction *MenuShowMouseMoves;
    // The toolbar with the mode and colour boxes and the screen buttons.
    QToolBar *createToolBar(QWidget *parent);
    void addViewMenuItems(QMenu *menu);

    // Shows `scaling` (the "Scaling" setting) on the buttons and lays the picture out.
    void SetScaling();
    void SetImagePosition();

    bool FullScreen = false;
    QRect SavedBounds;
    bool HeaderNailed = false;
    // WM_USER+12 and WM_USER+13. The main window detaches its own event handlers around them.
    void WMFullScreen();
    void WMNormalScreen();
    void BttnFitToScreenClick();

    // The window's part of the session reset, and the status after a connection change.
    void resetWindow();
    void updateConnectionStatus();
    // Texts from the catalog (window creation and language change).
    void applyTexts();

    // The screen-resolution advice at connect; returns the new "ResTip".
    static bool OfferResolutionTip(QWidget *mainWindow, bool current);

    // Whether a session recording runs; scaling is refused meanwhile. Set by the recorder.
    std::function<bool()> recording = [] { return false; };
    // Whether Ctrl is held for the refresh command (the input side knows).
    std::function<bool()> ctrlHeld = [] { return false; };

signals:
    // The full-screen toolbar's buttons that act elsewhere (information, chat, clipboard,
    // file transfer, remote actions, recording).
    void headerButtonClicked(THeaderForm::Button button);
    void fullScreenChanged(bool on);

protected:
    void resizeEvent(QResizeEvent *e) override;

private:
    void setScalingMode(quint8 scaling);
    // The host left for a reboot: the picture greys, the full-screen toolbar stays pinned.
    void hostRebooting();
    // The host vanished: the picture goes.
    void hostLost();
    void viewPointerMoved(QPoint viewportPos, bool overPicture);
    // The remote user's pointer: the indicator moves, the view follows it.
    void moveRemotePointer(QPoint displayed, bool click);
    void setupInput();
    void onHeaderButton(THeaderForm::Button button);
    void showPictureOrStartPage();
    void setWallpaperButtons(bool hidden);
    QSize monitorSize() const;
    QAction *makeAction(const char *picture, const char *hint);

    GatewaySession *Session;
    ScreenPipeline *Pipeline;
    QMainWindow *MainWindow;
    QWidget *StartPage;
    QStackedLayout *Stack;
    ScreenView *View;
    ScreenModes *Modes;
    THeaderForm *Header;
    RemoteInput *Input;
    TMouseForm *MouseForm;
    QPoint RemotePointerLast; // last reported position, per axis, for following it
    Qt::WindowStates SavedState;
    // Which of the window's bars were showing before full-screen mode hid them.
    QList<QWidget *> HiddenBars;
};
