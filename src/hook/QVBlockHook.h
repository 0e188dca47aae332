#pragma once
#include "hook/HostKeys.h"
#include "platform/KeyboardGrab.h"
#include "platform/VirtualKeys.h"
#include "screen/InputCommands.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <optional>

class QKeyEvent;
class QWidget;

// One key as the hook hands it on: the key information, the Windows-1252 character it
// produces (0 if none), and whether it is a system combination kept from the local desktop.
struct HookedKey {
    InputCommands::KeyInfo info;
    quint8 character = 0;
    bool suppressed = false;
    bool injected = false;
};

// Turns a key event of the toolkit into the hook's key. Dead keys and compose sequences go
// through `composer`: a key that only starts a sequence gives nothing. `blockSystemKeys`: the
// console keeps system combinations from the desktop (they are then reported as suppressed).
// `repeatCount` is the hook's counter of consecutive key-down reports.
std::optional<HookedKey> TranslateKeyEvent(const QKeyEvent &event, KeyComposer &composer,
                                           bool blockSystemKeys, quint32 &repeatCount);

// The keyboard hook of the main window (component TQVBlockHook). While it is installed (the
// window is active) and a host is connected (session active), every key the main window
// receives goes to OnKey instead of the window, shortcuts included, and the keyboard is
// captured, so Alt+Tab, Alt+F4, Ctrl+Esc and the Super keys reach the
// remote computer and not the local desktop. The operator gets out with a pointer press outside
// the window or the host key, Right Ctrl, which toggles the capture when it is pressed and let
// go alone. Right Ctrl held with a command letter (HostKeys) runs the console's command.
class TQVBlockHook : public QObject {
    Q_OBJECT
public:
    explicit TQVBlockHook(QWidget *mainWindow);
    ~TQVBlockHook() override;

    // The platform layer replaces the hook library: always there.
    bool HookLibLoaded() const { return true; }
    bool Enabled() const { return IsEnabled; }
    // The layout active when the component was created.
    const QString &KeyboardLayout() const { return Layout; }
    bool BlockSystemKeys = true;

    // Installed while the console is the active application.
    bool InstallHook();
    bool RemoveHook();
    // A host is connected: keys belong to the remote computer.
    void setSessionActive(bool on);
    bool sessionActive() const { return SessionActive; }
    // In view-only mode keys do not reach the remote computer: the desktop keeps its keyboard.
    void setCaptureAllowed(bool allowed);
    // The keyboard is captured (grabbed) now.
    bool captured() const { return Grab.active(); }
    // The host key toggles the capture during a session.
    void toggleCapture();

    // Keys for `widget` and its children stay with it (the full-screen toolbar's own keys);
    // the host key and its commands still work there.
    void keepKeysFor(QWidget *widget) { KeptKeys = widget; }

    using KeyHandler = std::function<void(const HookedKey &key)>;
    KeyHandler OnKey;
    // A host-key command; nothing of the combination reaches OnKey.
    std::function<void(HostKeys::Command command)> OnHostCommand;
    // Every key event of the window itself, for the Ctrl state the refresh command reads.
    std::function<void(bool down, bool ctrl)> OnWindowKey;

signals:
    void capturedChanged(bool captured);
    // Keys belong to the remote computer (a host is connected) or to the console again.
    void sessionActiveChanged(bool active);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool inMainWindow(QObject *o) const;
    // True when the event was taken (not for the window).
    bool keyEvent(QKeyEvent *event, bool keptByWidget);
    bool hostKeyEvent(QKeyEvent *event);
    void report(const HookedKey &key);
    void updateGrab();

    QPointer<QWidget> MainWindow;
    KeyboardGrab Grab;
    KeyComposer Composer;
    QString Layout;
    bool IsEnabled = false;
    bool SessionActive = false;
    bool CaptureOff = false;    // the host key released the capture
    bool CaptureAllowed = true; // full control
    bool PointerLeft = false;   // a press outside released it until the next press inside
    bool HostKeyAlone = false;  // Right Ctrl is down and nothing else was pressed since
    bool HostKeyDown = false;   // Right Ctrl is down
    quint32 CommandKey = 0;     // the virtual key of a command run, until it is let go
    QPointer<QWidget> KeptKeys;
    bool WasCaptured = false;
    quint32 RepeatCount = 0;
};
