#include "screen/RemoteInput.h"

#include "common/AdminVars.h"
#include "common/TraceRing.h"
#include "common/WindowMessages.h"
#include "gateway/GatewaySession.h"
#include "platform/KeyboardLayout.h"
#include "settings/uIniFiles.h"

using namespace InputCommands;

namespace {
// Return, keypad Enter and Linefeed: the console's keys give no control characters, so the
// key is known by its virtual key.
constexpr quint32 VkReturn = 13;

bool within1(QPoint a, QPoint b) {
    return qAbs(qint64(a.x()) - b.x()) <= 1 && qAbs(qint64(a.y()) - b.y()) <= 1;
}
} // namespace

RemoteInput::RemoteInput(GatewaySession *session, QObject *parent)
    : QObject(parent), Session(session) {
    MouseMoveTimer.setInterval(200);
    MouseWheelTimer.setInterval(120);
    connect(&MouseMoveTimer, &QTimer::timeout, this, &RemoteInput::MouseMoveTimerTimer);
    connect(&MouseWheelTimer, &QTimer::timeout, this, &RemoteInput::MouseWheelTimerTimer);

    session->claimHostMessage("MoMo", this,
                              [this](const QByteArray &p) { ProcessRemotePointer(p, false); });
    session->claimHostMessage("MsCl", this,
                              [this](const QByteArray &p) { ProcessRemotePointer(p, true); });
    session->claimHostMessage("SCur", this, [this](const QByteArray &p) {
        CursorNumber = ParseCursorNumber(p);
        emit cursorShapeChanged(CursorNumber);
    });
    // Anything queued, and the start of the host session, wake the mouse timer.
    connect(session, &GatewaySession::commandQueued, this, &RemoteInput::startMoveTimer);
    connect(session, &GatewaySession::hostSessionStarting, this, &RemoteInput::startMoveTimer);
    connect(session, &GatewaySession::sessionReset, this, &RemoteInput::reset);
}

bool RemoteInput::hostConnected() const {
    return adminVars().HostLoggedOn;
}

void RemoteInput::startMoveTimer() {
    // QTimer::start() would restart a running timer: a pointer that keeps moving would then
    // never be reported.
    if (!MouseMoveTimer.isActive())
        MouseMoveTimer.start();
}

QPoint RemoteInput::toRemote(QPoint displayed) const {
    const QPointF s = H.scale();
    return ToRemote(displayed, s.x(), s.y());
}

void RemoteInput::SetFullControl(bool on) {
    if (FullControl == on)
        return;
    FullControl = on;
    emit fullControlChanged(on);
}

bool RemoteInput::showMouseMoves() const {
    return settings().ShowMM;
}

void RemoteInput::setShowMouseMoves(bool on) {
    if (settings().ShowMM == on)
        return;
    settings().ShowMM = on;
    emit showMouseMovesChanged(on);
}

void RemoteInput::reset() {
    MouseMoveTimer.stop();
    MouseWheelTimer.stop();
    WheelSum = 0;
    WheelShift = {};
    DownShift = {};
    CtrlHeld = false;
    CursorNumber = 0;
    SetFullControl(true);
    emit inputReset();
    emit cursorShapeChanged(0);
}

void RemoteInput::pointerMoved(QPoint p) {
    if (!hostConnected())
        return;
    // The threshold is measured at this event's position: a quick flick of two pixels that
    // arrives as one move is a drag, not a click where the button went up.
    if (CurrentButton > NoButton && !within1(p, ButtonDownPointer)) {
        if (!Dragging) {
            MouseMoveTimer.stop();
            if (FullControl && !H.screenStopped()) {
                Session->SendCmd(DragStart(toRemote(ButtonDownPointer), toRemote(p), CurrentButton,
                                           DownShift.code()));
                LastSentPointer = p;
            }
        }
        Dragging = true;
    }
    LastPointer = p;
    emit pointerPositionChanged(p);
    startMoveTimer();
}

void RemoteInput::buttonDown(Button button, Modifiers modifiers, bool doubleClick) {
    // The toolkit's double-click event comes before the press it belongs to.
    PressWasDoubleClick = doubleClick && button == Left;
    DownShift = modifiers;
    if (PressWasDoubleClick)
        SendImageClicks(1, Left);
    CurrentButton = button;
    ButtonDownPointer = LastPointer;
    Dragging = false;
}

void RemoteInput::buttonUp(Button button, bool overPicture) {
    // The click event of a left release comes before the button-up event, while the modifiers
    // of the press still count. The release of a double click raises none.
    if (button == Left && overPicture && !PressWasDoubleClick)
        SendImageClicks(1, Left);
    PressWasDoubleClick = false;
    CurrentButton = button;
    DownShift = {};
    switch (button) {
    case Right:
        SendImageClicks(1, Right);
        break;
    case Middle:
        SendImageClicks(1, Middle);
        break;
    case Left:
        if (Dragging)
            SendMouseUp();
        break;
    default:
        break;
    }
    CurrentButton = NoButton;
}

void RemoteInput::SendImageClicks(int clicks, int button) {
    if (Dragging || !FullControl)
        return;
    AddTrace(31, QStringLiteral("Clicks:%1-bttn:%2").arg(clicks).arg(button));
    const QPoint p = toRemote(LastPointer);
    if (hostConnected() && !H.screenStopped())
        Session->SendCmd(Click(clicks, p, button, DownShift.code()));
}

void RemoteInput::SendMouseUp() {
    if (!FullControl || !hostConnected() || H.screenStopped())
        return;
    Session->SendCmd(MouseUp(toRemote(LastPointer), CurrentButton));
}

void RemoteInput::MouseMoveTimerTimer() {
    if (!FullControl)
        return; // the timer keeps running in view-only mode
    MouseMoveTimer.stop();
    if (!hostConnected() || within1(LastPointer, LastSentPointer))
        return;
    if (showMouseMoves())
        Session->SendCmd(MouseMove(toRemote(LastPointer)));
    LastSentPointer = LastPointer;
}

bool RemoteInput::wheel(int delta, Modifiers modifiers, bool overPicture) {
    if (!overPicture)
        return false;
    WheelShift = modifiers;
    // 32 bits as the command carries them; a sum that would overflow stays at its bound.
    WheelSum = qint32(std::clamp<qint64>(qint64(WheelSum) + delta, INT32_MIN, INT32_MAX));
    if (WheelSum == 0)
        return false;
    // A turning wheel must not keep pushing its report back.
    if (!MouseWheelTimer.isActive())
        MouseWheelTimer.start();
    return true;
}

void RemoteInput::MouseWheelTimerTimer() {
    if (WheelSum != 0) {
        Session->SendCmd(Wheel(WheelSum, WheelShift.code()));
        WheelSum = 0;
    } else {
        MouseWheelTimer.stop();
    }
    WheelShift = {};
}

void RemoteInput::windowKey(bool down, bool ctrl) {
    if (down && ctrl)
        CtrlHeld = true;
    else if (!down && !ctrl)
        CtrlHeld = false;
}

void RemoteInput::HookKey(const KeyInfo &key, quint8 character, bool suppressed) {
    if (key.shift && key.down && key.repeatCount <= 1 && key.virtualKey == VkReturn) {
        if (H.fullScreen()) {
            if (H.windowMessages)
                WindowMessages::PostMessage(H.windowMessages, WindowMessages::NormalScreen);
        } else if (hostConnected() && H.windowMessages) {
            WindowMessages::PostMessage(H.windowMessages, WindowMessages::FullScreen);
        }
    }
    if (!hostConnected())
        return;
    for (const QByteArray &command : KeyCommands(key, character, suppressed))
        sendKey(command);
}

void RemoteInput::sendKey(const QByteArray &command) {
    if (!FullControl || !hostConnected() || H.chatVisible())
        return;
    Session->SendCmd(command);
}

void RemoteInput::SendKeyboardLayout() {
    Session->SendCmd(
        KeyboardLayout(LayoutOverride.isEmpty() ? GetKeyboardLayoutText() : LayoutOverride));
}

void RemoteInput::ProcessRemotePointer(const QByteArray &parameter, bool click) {
    const auto remote = ParsePointerReport(parameter);
    if (!remote)
        return; // a malformed report moves nothing
    const QPointF s = H.scale();
    RemotePointer = ToDisplayed(*remote, s.x(), s.y());
    emit remotePointerReported(RemotePointer, click);
}
