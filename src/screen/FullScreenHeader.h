#pragma once
#include <QTimer>
#include <QWidget>

#include <array>
#include <functional>

class ColorBox;
class QToolButton;
class ScreenModeBox;
class ScreenModes;

// The full-screen toolbar: a trapezoid strip at the top edge of the full-screen picture with
// the screen actions and the mode and colour boxes. It is a child of the main window laid over
// the picture, so it needs nothing from the window manager. It slides out of sight above the
// top edge and comes back when the pointer touches that edge, unless it is pinned.
class THeaderForm : public QWidget {
    Q_OBJECT
public:
    enum Button : int {
        BttnNailUp,
        BttnNailDown,
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
        BttnFitToScreen,
        BttnNormalScreen,
        ButtonCount
    };
    Q_ENUM(Button)
    static constexpr int HeaderWidth = 780;
    static constexpr int HeaderHeight = 30;

    THeaderForm(ScreenModes *modes, QWidget *parent);

    QToolButton *button(Button b) const { return Buttons[b]; }
    ScreenModeBox *modeBox() const { return ModeBox; }
    ColorBox *colorBox() const { return ColourBox; }

    bool Nailed = false;
    bool Lowered = false;
    // Direction of the slide under way; one toolbar exists, so it is kept with the class.
    static bool SlidingDown;
    QTimer Timer1;      // the slide step
    QTimer AutoUpTimer; // the delay before sliding away

    // Shown for full-screen mode, pinned or about to come down.
    void Start();
    void Reveal();
    // The pointer left the reveal zone: slide away in 3 seconds unless pinned.
    void ArmAutoHide();
    void AutoHide();
    void BttnNailUpClick();
    void BttnNailDownClick();
    // Leaving full-screen mode.
    void CloseHeader();

    void setWallpaperHidden(bool hidden);
    void setRecording(bool recording);
    void setClickSound(std::function<void()> click) { ClickSound = std::move(click); }
    // Horizontally centred on the parent; the top is where the slide has it.
    void placeOnParent();

signals:
    // Every button but the two nails and the normal-screen button, which the toolbar handles.
    void buttonClicked(THeaderForm::Button button);

protected:
    bool event(QEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void keyReleaseEvent(QKeyEvent *e) override;
    void leaveEvent(QEvent *e) override;

private:
    void Timer1Timer();
    void BttnSetNormalScreen();
    void applyTexts();
    void placeButtons();
    void setTop(int top);
    bool pointerBusyHere() const;

    std::array<QToolButton *, ButtonCount> Buttons{};
    ScreenModeBox *ModeBox = nullptr;
    ColorBox *ColourBox = nullptr;
    std::function<void()> ClickSound;
};
