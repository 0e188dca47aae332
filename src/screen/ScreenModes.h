#pragma once
#include <QByteArray>
#include <QList>
#include <QObject>
#include <QSize>
#include <QStringList>

#include <functional>

class GatewaySession;
class ScreenPipeline;

// The remote screen modes, colour depth and wallpaper: the model behind the two mode boxes and
// the two colour boxes (main window and full-screen toolbar show the same one), the commands
// that change them on the host and the choices applied when a session starts.

// A host may list any number of lines; more modes than this are not offered.
inline constexpr int MaxScreenModes = 256;

struct ScreenModeList {
    QList<QSize> modes;
    int current = 0; // the host's current mode, as it reported it
};

// The list's lines: one "width height ..." per mode, then the index of the current mode. A
// width or height that is not a number between 1 and 32767 reads as 800 or 600; an index that
// is not a number reads as 0.
ScreenModeList ParseScreenModeList(const QList<QByteArray> &lines);
// "%5d x%5d", as the boxes show a mode.
QString FormatScreenMode(int width, int height);
// Reads a box entry back: width from characters 1 to 5, height from 8 to 12.
bool ParseScreenModeEntry(const QString &entry, int &width, int &height);
// The resolution the setting "IscrMode" chooses from " 800 x 600" and "1024 x 768"; an index
// outside the list is taken as its nearest entry.
QSize PreferredResolution(int iscrMode);
// Colour box index to the depth value of the screen commands: 0 gives 4, 1 gives 8, else 15.
int ColorDepthOf(int colorIndex);
// "   16 colors", "  256 colors", "65536 colors" in the current language.
QStringList ColorBoxEntries();

class ScreenModes : public QObject {
    Q_OBJECT
public:
    // What the modes ask of the screen pipeline, the recorder, the remote actions and the
    // input side. The screen hooks go to the session's pipeline; the others default to full
    // control, no recording and the primary screen until their owners set them.
    struct Hooks {
        std::function<void()> stopScreenUpdates;
        std::function<void(bool full)> restartScreenUpdates;
        std::function<void()> requestFullPicture;
        std::function<bool()> fullPicturePending;
        std::function<bool()> fullControl;
        std::function<bool()> recording;
        std::function<void()> stopRecording;
        std::function<void()> sendKeyboardLayout;
        std::function<QSize()> monitorSize;
    };

    ScreenModes(GatewaySession *session, ScreenPipeline *pipeline, QObject *parent = nullptr);
    Hooks &hooks() { return H; }

    const QStringList &modeEntries() const { return ModeEntries; }
    int modeIndex() const { return ModeIndex; } // -1: the box shows "Screen modes"
    bool modeBoxEnabled() const { return ModeBoxEnabled; }
    const QStringList &colorEntries() const { return ColorEntries; }
    int colorIndex() const { return ColorIndex; }
    bool colorBoxEnabled() const { return ColorBoxEnabled; }
    int colorDepth() const { return ColorDepthOf(ColorIndex); }
    bool wallpaperHidden() const { return WallpaperHidden; }

    int RequestedModeIndex = -1;
    int ConfirmedModeIndex = -1;

    void GetScreenModesRequestDone(const QList<QByteArray> &lines);
    int FindScreenMode(int width, int height);
    void SetNewScreenMode(int width, int height, int index, int depth);
    // The operator picked an entry in either mode box.
    void ScreenModeBoxSelect(int index);
    void ScreenModeBoxSelectDone(bool ok);
    void SetScreenColors();
    // The operator picked an entry in either colour box.
    void ColorBoxSelect(int index);
    void FitToFullScreen();
    void BttnHideWallpaperClick();
    void BttnShowWallpaperClick();
    void WMHideWallpaper();
    void WMSetColors() { SetScreenColors(); }
    // A mode box is being opened: an empty list is asked for again.
    void ModeBoxDropDown();

    // Refills the colour entries (language change, settings dialog) and selects the colour
    // choice of the settings.
    void SetColorBox();
    // New texts for the colour entries (language change), keeping the choice.
    void RelabelColorBox();
    // Session reset: boxes enabled, mode box empty ("Screen modes"), colours refilled,
    // wallpaper shown.
    void ResetBoxes();
    // Logoff: the mode box is emptied and the wallpaper buttons go back.
    void LogoffStarted();
    // A Windows 9x host sends 16 colours only.
    void HostJoined(bool w32);
    void setModeBoxEnabled(bool enabled);

signals:
    void modesChanged();
    void colorsChanged();
    void colorDepthChanged(int depth);
    void wallpaperChanged(bool hidden);
    // After a mode switch the picture takes the keyboard again.
    void focusViewRequested();

private:
    void selectMode(int index);
    void selectColor(int index);
    void setWallpaperHidden(bool hidden);
    void send(const QByteArray &command);
    void clickSound();
    bool hostConnected() const;

    GatewaySession *Session;
    Hooks H;
    QStringList ModeEntries;
    int ModeIndex = -1;
    bool ModeBoxEnabled = true;
    QStringList ColorEntries;
    int ColorIndex = -1;
    bool ColorBoxEnabled = true;
    bool WallpaperHidden = false;
};
