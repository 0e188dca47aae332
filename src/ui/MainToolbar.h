#pragma once
#include <QAbstractButton>
#include <QAction>
#include <QPointer>
#include <QTimer>
#include <QToolBar>

#include <array>
#include <functional>

class TImageEx;

// A toolbar button's or menu item's action, which knows whether a feature listens to it.
class TChromeAction : public QAction {
    Q_OBJECT
public:
    using QAction::QAction;
    // The widgets that show the action (a menu) listen to it too: what listens now is not a
    // feature.
    void markBaseline();
    bool hasListener() const;

private:
    int Baseline = 0;
};

// The main window's picture-button toolbar: a 31-pixel panel with its background picture and
// a row of 24 x 24 picture buttons in a fixed order, on any of the four sides of the window.
// Not nailed, it slides to a 3-pixel strip one second after the pointer went from it into the
// window, and comes back at once when the pointer touches the strip.
//
// How a feature attaches to a button. The toolbar owns one QAction per button, in the order
// below; it carries the button's picture name and its hint from the catalog. A feature either
//   - connects to the action:   connect(toolbar->button(TMainToolbar::BttnReboot),
//                                       &QAction::triggered, actions, &RemoteActions::Reboot);
//   - or binds an action it already has, which the button then mirrors (its visible and
//     enabled state follow, a click triggers it):
//                               toolbar->bind(TMainToolbar::BttnFullScreen,
//                               screen->BttnFullScreen);
// Buttons may also be found by name: button(QStringLiteral("BttnReboot")).
// A button shows when something is attached to it and its action is visible; a button without
// a feature stays hidden and the buttons after it close the gap. The two buttons of a pair
// (connect/disconnect, hide/show wallpaper, start/stop recording, the scale buttons, nail
// up/down) share one place; the feature shows one of them with QAction::setVisible. The nail
// buttons belong to the toolbar itself; the tray button to the main window's chrome.
class TMainToolbar : public QToolBar {
    Q_OBJECT
public:
    enum Button : int {
        BttnWANconnect,
        BttnWANdisconnect,
        BttnOsHostInfo,
        BttnScreenRefresh,
        BttnHideWallpaper,
        BttnShowWallpaper,
        BttnTaskMgr,
        BttnCtrlAltDel,
        BttnReboot,
        BttnPrint,
        BttnChat,
        BttnDownloadClipboard,
        BttnUploadClipboard,
        BttnCopyFile,
        BttnPictToDesktop,
        BttnStartSessionRecording,
        BttnStopSessionRecording,
        BttnFullScreen,
        BttnScalePropOn,
        BttnScalePropOff,
        BttnScaleMaxOn,
        BttnScaleMaxOff,
        BttnNailUp,
        BttnNailDown,
        BttnToTray,
        ButtonCount
    };
    // TBpos: where the toolbar sits.
    enum Position : int { OnTop = 0, OnBottom = 1, OnLeft = 2, OnRight = 3 };

    static constexpr int Thickness = 31;
    static constexpr int StripThickness = 3;
    static constexpr int SlideDelayMs = 1000;

    explicit TMainToolbar(QWidget *parent = nullptr);

    QAction *button(Button b) const { return Actions[b]; }
    // By control name ("BttnReboot"); nullptr for an unknown name.
    QAction *button(const QString &name) const;
    static QString buttonName(Button b);
    void bind(Button b, QAction *featureAction);
    // Whether a button is on the bar now (attached and visible).
    bool buttonShown(Button b) const;
    TImageEx *buttonWidget(Button b) const { return Widgets[b]; }

    // TBpos. Switching between horizontal and vertical swaps every button's coordinates:
    // going horizontal, left := former top and top := 3; going vertical, top := former left
    // and left := 5 on the left side, 3 on the right.
    void SetPosition(int position);
    int position() const { return Pos; }
    bool horizontal() const { return Pos == OnTop || Pos == OnBottom; }

    // TBnailed: a nailed toolbar stays 31 pixels thick; releasing it starts the slide.
    void SetToolBarNailed(bool nailed);
    bool nailed() const { return Nailed; }
    // Current thickness: 31, or 3 while slid away.
    int thickness() const { return CurrentThickness; }
    QTimer &slideTimer() { return SlideTimer; }

    // Texts from the catalog (creation and language change).
    void applyTexts();
    // During a session the hints name the host-key combinations (the window's shortcuts
    // belong to the remote computer then), outside one the window's shortcuts.
    void setHostKeysShown(bool shown);
    // Keyboard focus to the first button that can be pressed (F10); false when there is none.
    bool focusFirstButton();
    // Lays the buttons out again (after a feature attached or showed or hid a button).
    void relayout();
    // Length along the bar that the shown buttons need.
    int contentLength() const { return ContentLength; }

    // Where the pointer is, in global coordinates; tests replace it.
    std::function<QPoint()> pointerPos;

signals:
    // The toolbar changed its place, thickness or contents: the window lays itself out again
    // (the start page re-centres, the remote screen is repositioned).
    void geometryChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;

private:
    void SwapControlCoordinates(bool toHorizontal, bool leftSide);
    void setThickness(int thickness);
    void ToolbarSlideTimerTimer();
    void pointerEntered();
    void pointerLeft();
    bool attached(Button b) const;

    QWidget *Panel;
    std::array<QAction *, ButtonCount> Actions{};
    std::array<TImageEx *, ButtonCount> Widgets{};
    std::array<bool, ButtonCount> Bound{};
    QTimer SlideTimer;
    int Pos = OnTop;
    bool Nailed = true;
    int CurrentThickness = Thickness;
    bool Laying = false;
    bool HostKeysShown = false;
    int ContentLength = 0;
};

// A picture button: the picture "rc" + name + "_bmp", and "rc" + name + "Sel_bmp" while the
// pointer is over it. A click, Space or Return triggers its action; the arrow keys move the
// focus along the bar.
class TImageEx : public QAbstractButton {
    Q_OBJECT
public:
    TImageEx(const QString &pictureName, QAction *action, QWidget *parent);
    QString pictureName() const { return Picture; }
    bool hovered() const { return Hovered; }

protected:
    void paintEvent(QPaintEvent *e) override;
    void enterEvent(QEnterEvent *e) override;
    void leaveEvent(QEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    void focusNeighbour(int step);

    QString Picture;
    QPointer<QAction> Action;
    bool Hovered = false;
};
