#pragma once
#include <QImage>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QRegion>
#include <QSize>
#include <QString>

#include <memory>

namespace qhost {

// One screen mode the desktop can switch to.
struct DesktopMode {
    QSize size;
    int depth = 24;
    bool operator==(const DesktopMode &) const = default;
};

// Everything the host program needs from the desktop it shares: the screen, the input, the
// cursor, the screen modes, the wallpaper and the session manager. The rest of the program
// speaks only to this interface, so another desktop (Wayland through the desktop portal) is
// one more folder beside `x11/`. Every call is made on the thread the backend was created on.
class DesktopBackend : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~DesktopBackend() override = default;

    // Opens the desktop; false with a reason the user can read.
    virtual bool open(QString *error) = 0;
    // Stops watching and gives back what the session changed (mode, wallpaper, held buttons
    // and keys). Called when the session ends, also after an error; safe to call twice.
    virtual void close() = 0;

    // --- screen
    virtual QSize screenSize() const = 0;
    // Brings `frame` (Format_RGB32, screenSize(); reallocated when the size changed) up to date
    // and returns the part that changed since the previous grab: the whole screen on the first
    // grab and after a size change, empty when nothing changed.
    virtual QRegion grab(QImage &frame) = 0;

    // --- screen modes
    virtual QList<DesktopMode> modes() const = 0;
    virtual DesktopMode currentMode() const = 0;
    // Switches the mode (the depth may be ignored where the desktop cannot change it); false
    // when refused. The mode found at open() comes back at close().
    virtual bool setMode(const DesktopMode &mode) = 0;
    // Hides or shows the wallpaper; false where the desktop does not let us.
    virtual bool setWallpaperVisible(bool visible) = 0;

    // --- input from the operator, in screen pixels
    virtual void movePointer(QPoint position) = 0;
    // button: 1 left, 2 right, 3 middle.
    virtual void pressButton(int button, bool down) = 0;
    // In wheel notches' units of 120, positive away from the user.
    virtual void wheel(int delta) = 0;
    // A Windows virtual key code, with its extended flag, pressed or released; typed through
    // the desktop's own keyboard map.
    virtual void key(int virtualKey, bool extended, bool down) = 0;
    // A character (Windows-1252 already decoded) that the console sent as text: typed through
    // the keyboard map, or through a spare key code when the map has no key for it.
    virtual void typeCharacter(QChar character) = 0;
    // Lets go of every button and key the operator holds (control taken away, session over).
    virtual void releaseAll() = 0;

    // --- session manager
    // The "Ctrl-Alt-Del" of this desktop: locks the screen; false when that failed.
    virtual bool lockScreen() = 0;
    // Opens the desktop's system monitor (or a terminal with top); false when none started.
    virtual bool openTaskManager() = 0;

    // The console's cursor number (CursorShapes) of the pointer's shape now, for a session's
    // start; cursorChanged() follows every change after it.
    virtual int cursorNumber() const { return 0; }

signals:
    // The screen changed: the next grab() returns something.
    void damaged();
    // The pointer's shape changed; `cursorNumber` is the console's cursor number (CursorShapes).
    void cursorChanged(int cursorNumber);
    // The desktop's own user moved the pointer or clicked (not the operator's input).
    void userPointer(QPoint position, bool click);
    void screenSizeChanged(QSize size);
    // The desktop went away (the X server ended or dropped the connection): the backend is
    // closed, and the session cannot go on.
    void desktopLost();
};

// The backend for the desktop the program runs on (X11 now); null when none fits.
std::unique_ptr<DesktopBackend> CreateDesktopBackend(QObject *parent = nullptr);

} // namespace qhost
