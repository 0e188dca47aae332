#pragma once
#include "screen/InputCommands.h"

#include <QObject>
#include <QPoint>
#include <QPointF>
#include <QPointer>
#include <QTimer>

#include <functional>

class GatewaySession;

// The operator's mouse and keyboard on the remote computer, and the remote user's pointer and
// cursor shape coming back. No widgets: the screen view reports gestures in displayed pixels
// relative to the picture's top left corner, the keyboard hook reports keys, and the windows
// follow the signals. Tests drive it the same way without any window.
class RemoteInput : public QObject {
    Q_OBJECT
public:
    enum Button : int { NoButton = 0, Left = 1, Right = 2, Middle = 3 };
    struct Modifiers {
        bool shift = false;
        bool ctrl = false;
        bool alt = false;
        int code() const { return InputCommands::ModifierCode(shift, ctrl, alt); }
        bool isEmpty() const { return !shift && !ctrl && !alt; }
    };

    // What the input side asks of its neighbours; defaults: running screen updates, no
    // scaling, no chat window, a window that is not in full-screen mode.
    struct Hooks {
        std::function<bool()> screenStopped = [] { return false; };
        std::function<QPointF()> scale = [] { return QPointF(1.0, 1.0); };
        std::function<bool()> chatVisible = [] { return false; };
        std::function<bool()> fullScreen = [] { return false; };
        // Where Shift+Enter posts the full-screen messages (WM_USER+12, WM_USER+13).
        QPointer<QObject> windowMessages;
    };

    explicit RemoteInput(GatewaySession *session, QObject *parent = nullptr);
    Hooks &hooks() { return H; }

    // Full control or view only. In view only no mouse or key command goes out except the
    // wheel, and the remote user's pointer is shown. True after every session reset; the remote
    // actions switch it when the host says so.
    bool fullControl() const { return FullControl; }
    void SetFullControl(bool on);

    // The View menu's "Show mouse moves on remote" (setting "ShowMM").
    bool showMouseMoves() const;
    void setShowMouseMoves(bool on);

    // --- Gestures over the picture (displayed pixels, picture's top left is 0,0) -----------
    void pointerMoved(QPoint position);
    // `doubleClick`: the second press of a double click (the toolkit's double-click event).
    void buttonDown(Button button, Modifiers modifiers, bool doubleClick = false);
    // `overPicture`: released over the picture (the click event needs that).
    void buttonUp(Button button, bool overPicture = true);
    // A wheel turn; `delta` in eighths of a degree (120 a notch, touchpads give less). Returns
    // whether it was taken (the pointer over the picture); otherwise the view scrolls.
    bool wheel(int delta, Modifiers modifiers, bool overPicture);

    // --- Keys -----------------------------------------------------------------------------
    // A key from the keyboard hook. `character` is its Windows-1252 byte, 0 if none.
    void HookKey(const InputCommands::KeyInfo &key, quint8 character, bool suppressed);
    // A key event of the main window itself (which swallows it during a session).
    void windowKey(bool down, bool ctrl);
    bool CtrlHeld = false;

    // "AdLa?": once per session, after the screen-mode list.
    void SendKeyboardLayout();
    // Tests fix the layout; empty means the desktop's.
    void setKeyboardLayoutText(const QString &layout) { LayoutOverride = layout; }

    // --- What the recorder and the windows read -------------------------------------------
    QPoint lastPointer() const { return LastPointer; }
    // The remote user's pointer in displayed pixels, as last reported.
    QPoint remotePointer() const { return RemotePointer; }
    int cursorNumber() const { return CursorNumber; }

    // Pointer state (displayed pixels).
    QPoint LastPointer, ButtonDownPointer, LastSentPointer, RemotePointer;
    int CurrentButton = NoButton;
    Modifiers DownShift;
    bool Dragging = false;
    qint32 WheelSum = 0;
    Modifiers WheelShift;

    QTimer MouseMoveTimer;  // 200 ms
    QTimer MouseWheelTimer; // 120 ms

    void MouseMoveTimerTimer();
    void MouseWheelTimerTimer();

signals:
    void fullControlChanged(bool on);
    void showMouseMovesChanged(bool on);
    // The operator's pointer over the picture, displayed pixels.
    void pointerPositionChanged(QPoint position);
    // The remote user's pointer, displayed pixels; `click` for a click report.
    void remotePointerReported(QPoint position, bool click);
    // The cursor shape for the picture ("SCur"); 0 is the default cursor.
    void cursorShapeChanged(int number);
    // The session was reset: the remote pointer indicator goes, the cursor is the default.
    void inputReset();

private:
    void SendImageClicks(int clicks, int button);
    void SendMouseUp();
    void sendKey(const QByteArray &command);
    bool hostConnected() const;
    QPoint toRemote(QPoint displayed) const;
    void ProcessRemotePointer(const QByteArray &parameter, bool click);
    void startMoveTimer();
    void reset();

    GatewaySession *Session;
    Hooks H;
    bool FullControl = true;
    bool PressWasDoubleClick = false;
    int CursorNumber = 0;
    QString LayoutOverride;
};
