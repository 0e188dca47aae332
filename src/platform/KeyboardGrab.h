#pragma once
#include <QObject>
#include <QPointer>
#include <QTimer>

class QWindow;

// Takes the whole keyboard for one window of the console, so that the desktop's own
// combinations (Alt+Tab, Alt+F4, the Super keys) reach it instead of the window manager. On X11
// (also XWayland) this is the X keyboard grab; where the desktop has none, grab() fails and the
// console gets keys only while it has the focus.
//
// The grab is owned: it ends with release(), with the window, and with this object, so no path
// out of the session logic (an exception included) leaves the desktop without its keyboard; the
// X server itself ends it if the process dies.
class KeyboardGrab : public QObject {
    Q_OBJECT
public:
    explicit KeyboardGrab(QObject *parent = nullptr);
    ~KeyboardGrab() override;

    // Whether this desktop lets a program take the keyboard.
    static bool supported();

    bool grab(QWindow *window);
    void release();
    bool active() const { return !Window.isNull(); }

signals:
    // A pointer button went down outside the window: the operator reaches for something else,
    // so the grab was released.
    void releasedByPointer();

private:
    void watchPointer();

    QPointer<QWindow> Window;
    QTimer Watch;
    bool PopupSeen = false;
};
