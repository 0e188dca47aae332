#pragma once
#include <QList>
#include <QMap>
#include <QString>

#include <xcb/xcb.h>

struct xkb_context;
struct xkb_keymap;
struct xkb_state;

namespace qhost::x11 {

// The operator's keys and characters as key presses of the desktop's own keyboard map, sent
// through XTest. A character goes to the key (and Shift or AltGr level) that types it under the
// current layout and locks; a character the map lacks is put on a spare key code for the time
// it is typed, and the spare keys get their empty mapping back when typing pauses.
class KeyboardInjector {
public:
    explicit KeyboardInjector(xcb_connection_t *connection);
    ~KeyboardInjector();
    KeyboardInjector(const KeyboardInjector &) = delete;
    KeyboardInjector &operator=(const KeyboardInjector &) = delete;

    bool open(QString *error);
    // Lets go of held keys and gives the spare keys back.
    void close();

    // A Windows virtual key with its extended flag.
    void key(int virtualKey, bool extended, bool down);
    void typeCharacter(char32_t character);
    void releaseAll();

    // The keyboard map changed (another layout, our own spare keys): read it again when needed.
    void keymapChanged() { keymapStale = true; }
    bool isKeymapNotify(const xcb_generic_event_t *event) const;
    bool hasBorrowedKeys() const { return !borrowed.isEmpty(); }
    void returnBorrowedKeys();

private:
    struct Stroke {
        xcb_keycode_t keycode = 0;
        uint32_t mods = 0; // real modifiers that must be down
    };
    bool loadKeymap();
    Stroke strokeForCharacter(char32_t character);
    xcb_keycode_t keycodeForKeysym(uint32_t keysym);
    xcb_keycode_t keycodeForVirtualKey(int vk, bool extended);
    xcb_keycode_t borrowKey(uint32_t keysym);
    bool isModifierKey(xcb_keycode_t keycode);
    void fake(xcb_keycode_t keycode, bool down);
    void tap(xcb_keycode_t keycode, uint32_t mods);

    xcb_connection_t *c;
    xkb_context *context = nullptr;
    xkb_keymap *keymap = nullptr;
    int32_t deviceId = -1;
    uint8_t xkbEventBase = 0;
    bool keymapStale = true;
    uint32_t levelThreeMod = 0; // the real modifier of the AltGr key, 0 if the map has none
    xcb_keycode_t shiftKey = 0;
    xcb_keycode_t levelThreeKey = 0;
    QList<xcb_keycode_t> spareKeys;
    struct Borrowed {
        xcb_keycode_t keycode;
        uint32_t keysym;
    };
    QList<Borrowed> borrowed; // least recently used first
    QList<xcb_keycode_t> held;
};

} // namespace qhost::x11
