#include "hook/QVBlockHook.h"

#include "common/Cp1252.h"
#include "platform/KeyboardLayout.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QWidget>
#include <QWindow>

using InputCommands::KeyInfo;

namespace {
// The Windows-1252 byte of a produced character; 0 for none, a control character, or one the
// code page does not have (the key then goes by its virtual key, never as a wrong byte).
quint8 characterOf(const QString &text) {
    if (text.isEmpty())
        return 0;
    const QString first = text.left(text.at(0).isHighSurrogate() ? 2 : 1);
    const char32_t c = first.toUcs4().value(0);
    if (c < 0x20 || c == 0x7f || (c >= 0x80 && c < 0xa0))
        return 0;
    const QByteArray b = toCp1252(first);
    if (b.size() != 1 || (b[0] == '?' && c != '?'))
        return 0;
    return quint8(b[0]);
}

// The desktop's own key data where it gives some (xcb), else the toolkit's key.
WinKey winKeyOf(const QKeyEvent &e) {
    const quint32 keysym = e.nativeVirtualKey();
    const quint32 keycode = e.nativeScanCode();
    return keysym != 0 || keycode != 0
               ? WinKeyFromX11(keysym, keycode)
               : WinKeyFromQtKey(e.key(), e.modifiers() & Qt::KeypadModifier);
}

bool isSystemCombination(const KeyInfo &k) {
    const quint32 vk = k.virtualKey;
    return (k.alt && (vk == 9 || vk == 27 || vk == 115)) || (k.ctrl && vk == 27) || vk == 91 ||
           vk == 92;
}
} // namespace

std::optional<HookedKey> TranslateKeyEvent(const QKeyEvent &e, KeyComposer &composer,
                                           bool blockSystemKeys, quint32 &repeatCount) {
    HookedKey k;
    KeyInfo &i = k.info;
    i.down = e.type() == QEvent::KeyPress;
    const Qt::KeyboardModifiers m = e.modifiers();
    i.shift = m & Qt::ShiftModifier;
    i.ctrl = m & Qt::ControlModifier;
    i.alt = m & Qt::AltModifier;
    const quint32 keysym = e.nativeVirtualKey();
    const quint32 keycode = e.nativeScanCode();
    const WinKey w = winKeyOf(e);
    i.virtualKey = w.vk;
    i.extended = w.extended;
    i.scanCode = ScanCodeFromX11(keycode);
    i.hookFlags = (w.extended ? 1u : 0u) | (i.alt ? 0x20u : 0u) | (i.down ? 0u : 0x80u);
    i.time = quint32(e.timestamp());
    repeatCount = i.down ? repeatCount + 1 : 0;
    i.repeatCount = repeatCount;

    QString text = e.text();
    if (i.down) {
        const auto r = composer.feed(keysym != 0 ? keysym : KeysymFromQt(e.key(), text));
        if (r.status == KeyComposer::Composing)
            return std::nullopt; // a dead key: its character comes with the next key
        if (r.status == KeyComposer::Composed)
            text = r.text;
    }
    // Ctrl without Alt makes a control code of a character, as on the host's desktop; AltGr
    // is not Ctrl+Alt here, so its characters come through with their own modifiers.
    k.character = i.ctrl && !i.alt ? 0 : characterOf(text);
    k.suppressed = blockSystemKeys && isSystemCombination(i);
    return k;
}

TQVBlockHook::TQVBlockHook(QWidget *mainWindow)
    : QObject(mainWindow), MainWindow(mainWindow), Layout(GetKeyboardLayoutText()) {
    connect(&Grab, &KeyboardGrab::releasedByPointer, this, [this] {
        PointerLeft = true;
        updateGrab();
    });
}

TQVBlockHook::~TQVBlockHook() {
    // The window that listens may be half gone: the keyboard goes back without a word.
    blockSignals(true);
    RemoveHook();
}

bool TQVBlockHook::InstallHook() {
    if (IsEnabled)
        return false;
    IsEnabled = true;
    PointerLeft = false;
    // Whatever was held when the window lost the keyboard was let go elsewhere.
    HostKeyAlone = HostKeyDown = false;
    CommandKey = 0;
    Composer.reset();
    qApp->installEventFilter(this);
    updateGrab();
    return true;
}

bool TQVBlockHook::RemoveHook() {
    const bool was = IsEnabled;
    IsEnabled = false;
    if (qApp)
        qApp->removeEventFilter(this);
    updateGrab();
    return was;
}

void TQVBlockHook::setSessionActive(bool on) {
    const bool changed = SessionActive != on;
    SessionActive = on;
    if (!on)
        CaptureOff = false;
    Composer.reset();
    updateGrab();
    if (changed)
        emit sessionActiveChanged(on);
}

void TQVBlockHook::setCaptureAllowed(bool allowed) {
    CaptureAllowed = allowed;
    updateGrab();
}

void TQVBlockHook::toggleCapture() {
    CaptureOff = !CaptureOff;
    PointerLeft = false;
    updateGrab();
}

void TQVBlockHook::updateGrab() {
    QWidget *w = MainWindow.data();
    const bool want = IsEnabled && SessionActive && CaptureAllowed && !CaptureOff && !PointerLeft &&
                      w && w->isActiveWindow() && w->windowHandle();
    if (want)
        Grab.grab(w->windowHandle());
    else
        Grab.release();
    if (Grab.active() != WasCaptured) {
        WasCaptured = Grab.active();
        emit capturedChanged(WasCaptured);
    }
}

bool TQVBlockHook::inMainWindow(QObject *o) const {
    QWidget *main = MainWindow.data();
    if (!main || !o)
        return false;
    if (o->isWindowType())
        return o == main->windowHandle();
    if (o->isWidgetType())
        return static_cast<QWidget *>(o)->window() == main;
    return false;
}

bool TQVBlockHook::eventFilter(QObject *watched, QEvent *event) {
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Taking the override keeps the key from every shortcut of the window (F5, F11, the
        // menus' keys): during a session it belongs to the remote computer.
        if (SessionActive && inMainWindow(watched)) {
            event->accept();
            return true;
        }
        break;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        // Without a host the window keeps its keys; with one, the first delivery (to the
        // window) is the only one, since it is taken.
        if (SessionActive && inMainWindow(watched))
            return keyEvent(static_cast<QKeyEvent *>(event),
                            KeptKeys && watched->isWidgetType() &&
                                (watched == KeptKeys ||
                                 KeptKeys->isAncestorOf(static_cast<QWidget *>(watched))));
        break;
    case QEvent::InputMethod:
        // An input method composed the text itself: the characters go out as typed.
        if (SessionActive && inMainWindow(watched)) {
            const QString text = static_cast<QInputMethodEvent *>(event)->commitString();
            for (qsizetype n = 0; n < text.size(); ++n) {
                HookedKey k;
                k.character = characterOf(text.mid(n, 1));
                if (k.character)
                    report(k);
            }
            return true;
        }
        break;
    case QEvent::Wheel:
        // Right Ctrl held for a click or the wheel is a modifier, not the host key: letting
        // it go keeps the capture as it is.
        if (inMainWindow(watched))
            HostKeyAlone = false;
        break;
    case QEvent::MouseButtonPress:
        if (inMainWindow(watched))
            HostKeyAlone = false;
        if (PointerLeft && inMainWindow(watched)) {
            PointerLeft = false;
            updateGrab();
        }
        break;
    default:
        break;
    }
    return false;
}

bool TQVBlockHook::keyEvent(QKeyEvent *e, bool keptByWidget) {
    const bool down = e->type() == QEvent::KeyPress;
    if (OnWindowKey)
        OnWindowKey(down, e->modifiers() & Qt::ControlModifier);
    if (hostKeyEvent(e))
        return true;
    if (keptByWidget)
        return false;
    if (const auto k = TranslateKeyEvent(*e, Composer, BlockSystemKeys && captured(), RepeatCount))
        report(*k);
    return true;
}

bool TQVBlockHook::hostKeyEvent(QKeyEvent *e) {
    const bool down = e->type() == QEvent::KeyPress;
    if (e->nativeVirtualKey() == Keysym::ControlR) {
        if (down && !e->isAutoRepeat()) {
            HostKeyAlone = true;
            HostKeyDown = true;
        } else if (!down) {
            if (HostKeyAlone)
                toggleCapture();
            HostKeyAlone = false;
            HostKeyDown = false;
        }
        return true; // the host key stays with the console
    }
    if (down)
        HostKeyAlone = false;
    const quint32 vk = winKeyOf(*e).vk;
    // The letter of a command stays with the console until it is let go, repeats included.
    if (CommandKey != 0 && vk == CommandKey) {
        if (!down && !e->isAutoRepeat())
            CommandKey = 0;
        return true;
    }
    // The modifiers guard against a Right Ctrl let go while another window had the keyboard.
    if (!down || !HostKeyDown || !(e->modifiers() & Qt::ControlModifier))
        return false;
    const auto command = HostKeys::commandForVirtualKey(vk);
    if (!command)
        return false;
    CommandKey = vk;
    if (OnHostCommand)
        OnHostCommand(*command);
    return true;
}

void TQVBlockHook::report(const HookedKey &key) {
    if (!OnKey)
        return;
    try {
        OnKey(key);
    } catch (...) {
        // The session logic failed on this key: the desktop gets its keyboard back before the
        // failure goes on to the application's handler.
        CaptureOff = true;
        updateGrab();
        throw;
    }
}
