#pragma once
#include <QString>
#include <QtGlobal>

#include <memory>

// The key identities the host program understands are Windows virtual keys with the extended
// flag. This is where the desktop's own key data becomes one: from X keysyms and key codes
// (the xcb platform) or, where the desktop gives no native data, from the toolkit's key.
struct WinKey {
    quint8 vk = 0;
    bool extended = false;
    bool operator==(const WinKey &) const = default;
};

// `keysym` as the key produced it (modifiers applied), `keycode` the X key code (evdev: the
// kernel's code + 8). Special keys go by keysym (so the keypad follows Num Lock), letters by
// the layout's letter, everything else by the key's place on a 105-key PC keyboard.
WinKey WinKeyFromX11(quint32 keysym, quint32 keycode);
// From a Qt::Key; `keypad` when the key is on the numeric keypad.
WinKey WinKeyFromQtKey(int qtKey, bool keypad);
// The PC (set 1) scan code of an X key code, 0 when unknown.
quint32 ScanCodeFromX11(quint32 keycode);

// X keysyms the key hook needs by name.
namespace Keysym {
inline constexpr quint32 ControlR = 0xffe4;
} // namespace Keysym

// The keysym of a key without native data: dead keys from the toolkit's key, characters from
// their text (Latin-1 keysyms are the code point, other characters 0x1000000 + code point).
quint32 KeysymFromQt(int qtKey, const QString &text);

// Dead keys and compose sequences as the operator's locale defines them (the desktop's compose
// table): feed each pressed key's keysym; a key that is part of a sequence gives Composing and
// must not act on its own, the last key of one gives the composed text.
class KeyComposer {
public:
    KeyComposer();
    ~KeyComposer();
    KeyComposer(const KeyComposer &) = delete;
    KeyComposer &operator=(const KeyComposer &) = delete;

    enum Status { Nothing, Composing, Composed, Cancelled };
    struct Result {
        Status status = Nothing;
        QString text; // with Composed
    };
    Result feed(quint32 keysym);
    void reset();
    // Whether a compose table was found; without one every key stands alone.
    bool available() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
