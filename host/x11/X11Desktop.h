#pragma once
#include "desktop/DesktopBackend.h"

#include <QHash>
#include <QTimer>

#include <xcb/xcb.h>

class QSocketNotifier;

namespace qhost::x11 {

class ScreenCapture;
class KeyboardInjector;
class RandrModes;
class Wallpaper;

// The desktop of an X server, over a connection of its own (the program's windows may be on
// another platform plugin or display): capture with MIT-SHM and DAMAGE, input with XTEST, the
// cursor's name with XFIXES, modes with RandR, the user's own clicks with XInput 2's raw events.
class X11Desktop : public DesktopBackend {
    Q_OBJECT
public:
    explicit X11Desktop(QObject *parent = nullptr);
    ~X11Desktop() override;

    bool open(QString *error) override;
    void close() override;

    QSize screenSize() const override;
    QRegion grab(QImage &frame) override;

    QList<DesktopMode> modes() const override;
    DesktopMode currentMode() const override;
    bool setMode(const DesktopMode &mode) override;
    bool setWallpaperVisible(bool visible) override;

    void movePointer(QPoint position) override;
    void pressButton(int button, bool down) override;
    void wheel(int delta) override;
    void key(int virtualKey, bool extended, bool down) override;
    void typeCharacter(QChar character) override;
    void releaseAll() override;

    bool lockScreen() override;
    bool openTaskManager() override;

    int cursorNumber() const override { return cursor; }

    // Whether the frames come through shared memory (else plain GetImage); off for the next
    // open() reads them as from a display over the network.
    bool usesSharedMemory() const;
    void setSharedMemoryAllowed(bool allowed);

private:
    void pumpEvents();
    void schedulePump();
    void handle(const xcb_generic_event_t *event);
    void screenChanged();
    int cursorForName(uint32_t nameAtom);
    int cursorForImage();
    void pollPointer();
    void userClick(int xButton);
    void fakeButton(int xButton, bool down);
    void disconnect();

    xcb_connection_t *c = nullptr;
    const xcb_screen_t *screen = nullptr;
    QSocketNotifier *notifier = nullptr;
    std::unique_ptr<ScreenCapture> capture;
    std::unique_ptr<KeyboardInjector> keyboard;
    std::unique_ptr<RandrModes> randr;
    std::unique_ptr<Wallpaper> wallpaper;
    bool pumpQueued = false;
    bool sharedMemoryAllowed = true;

    uint8_t xfixesEventBase = 0;
    uint8_t xinputOpcode = 0;
    int cursor = 0;
    QHash<uint32_t, int> cursorByName;

    QPoint lastInjected{-1, -1};
    QPoint lastSeen{-1, -1};
    uint16_t heldButtons = 0;    // X button mask bits we pressed
    uint16_t seenButtons = 0;    // buttons down at the last poll
    int expectedPresses[4] = {}; // our own presses of X buttons 1-3 not yet seen as raw events
    bool rawEvents = false;
    int wheelRemainder = 0;
    QTimer pointerPoll;
    QTimer spareKeyReturn;
};

} // namespace qhost::x11
