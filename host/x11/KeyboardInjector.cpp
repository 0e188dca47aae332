#include "x11/KeyboardInjector.h"

#include "platform/WinKeyTable.h"
#include "x11/XcbReply.h"

#include <algorithm>
// The XKB protocol header names a field after a C++ keyword.
#define explicit xkb_explicit
#include <xcb/xkb.h>
#undef explicit
#include <xcb/xtest.h>
#include <xkbcommon/xkbcommon-keysyms.h>
#include <xkbcommon/xkbcommon-x11.h>
#include <xkbcommon/xkbcommon.h>

namespace qhost::x11 {

namespace {
// Spare key codes borrowed at most at once; more distinct missing characters in a row reuse
// the one typed longest ago. Programs built on Xlib read the keyboard map again only when they
// look a key up, so a key given a new symbol too soon may be read with it: the more spare
// keys, the rarer that is.
constexpr int maxSpareKeys = 10;

bool isModifierKeysym(xkb_keysym_t sym) {
    switch (sym) {
    case XKB_KEY_Shift_L:
    case XKB_KEY_Shift_R:
    case XKB_KEY_Control_L:
    case XKB_KEY_Control_R:
    case XKB_KEY_Alt_L:
    case XKB_KEY_Alt_R:
    case XKB_KEY_Meta_L:
    case XKB_KEY_Meta_R:
    case XKB_KEY_Super_L:
    case XKB_KEY_Super_R:
    case XKB_KEY_Hyper_L:
    case XKB_KEY_Hyper_R:
    case XKB_KEY_ISO_Level3_Shift:
    case XKB_KEY_ISO_Level5_Shift:
    case XKB_KEY_Mode_switch:
        return true;
    default:
        return false;
    }
}

struct KeyboardState {
    xkb_mod_mask_t locked = 0;
    xkb_layout_index_t layout = 0;
};
} // namespace

KeyboardInjector::KeyboardInjector(xcb_connection_t *connection) : c(connection) {}

KeyboardInjector::~KeyboardInjector() {
    close();
    if (keymap)
        xkb_keymap_unref(keymap);
    if (context)
        xkb_context_unref(context);
}

bool KeyboardInjector::open(QString *error) {
    const xcb_query_extension_reply_t *test = xcb_get_extension_data(c, &xcb_test_id);
    if (!test || !test->present) {
        *error = QStringLiteral("The X server lacks the XTEST extension: no input can be given.");
        return false;
    }
    XcbReply<xcb_test_get_version_reply_t> v(
        xcb_test_get_version_reply(c, xcb_test_get_version(c, 2, 2), nullptr));
    if (!v || !xkb_x11_setup_xkb_extension(
                  c, XKB_X11_MIN_MAJOR_XKB_VERSION, XKB_X11_MIN_MINOR_XKB_VERSION,
                  XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, nullptr, nullptr, nullptr, nullptr)) {
        *error = QStringLiteral("The X server's keyboard extension (XKB) is missing.");
        return false;
    }
    // A client of the keyboard extension gets no core MappingNotify for a new layout
    // (setxkbmap, a layout switcher): it must ask for the extension's own notices.
    const xcb_query_extension_reply_t *xkb = xcb_get_extension_data(c, &xcb_xkb_id);
    xkbEventBase = xkb ? xkb->first_event : 0;
    const uint16_t events = XCB_XKB_EVENT_TYPE_NEW_KEYBOARD_NOTIFY | XCB_XKB_EVENT_TYPE_MAP_NOTIFY;
    const uint16_t parts = XCB_XKB_MAP_PART_KEY_TYPES | XCB_XKB_MAP_PART_KEY_SYMS |
                           XCB_XKB_MAP_PART_MODIFIER_MAP | XCB_XKB_MAP_PART_EXPLICIT_COMPONENTS |
                           XCB_XKB_MAP_PART_KEY_ACTIONS | XCB_XKB_MAP_PART_VIRTUAL_MODS |
                           XCB_XKB_MAP_PART_VIRTUAL_MOD_MAP;
    xcb_xkb_select_events(c, XCB_XKB_ID_USE_CORE_KBD, events, 0, events, parts, parts, nullptr);
    context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    deviceId = xkb_x11_get_core_keyboard_device_id(c);
    if (!context || deviceId < 0 || !loadKeymap()) {
        *error = QStringLiteral("The desktop's keyboard map cannot be read.");
        return false;
    }
    return true;
}

bool KeyboardInjector::isKeymapNotify(const xcb_generic_event_t *event) const {
    const uint8_t type = event->response_type & 0x7f;
    return type == XCB_MAPPING_NOTIFY || (xkbEventBase && type == xkbEventBase);
}

void KeyboardInjector::close() {
    releaseAll();
    returnBorrowedKeys();
}

bool KeyboardInjector::loadKeymap() {
    xkb_keymap *fresh =
        xkb_x11_keymap_new_from_device(context, c, deviceId, XKB_KEYMAP_COMPILE_NO_FLAGS);
    if (!fresh)
        return keymap != nullptr;
    if (keymap)
        xkb_keymap_unref(keymap);
    keymap = fresh;
    keymapStale = false;

    // Spare keys: codes without symbols, from the top (where no keyboard has keys), and those
    // we borrowed ourselves.
    spareKeys.clear();
    for (xkb_keycode_t kc = xkb_keymap_max_keycode(keymap);
         kc >= xkb_keymap_min_keycode(keymap) && kc > 8 && spareKeys.size() < maxSpareKeys; --kc) {
        const bool ours = std::any_of(borrowed.begin(), borrowed.end(),
                                      [kc](const Borrowed &b) { return b.keycode == kc; });
        if (ours || xkb_keymap_num_layouts_for_key(keymap, kc) == 0)
            spareKeys.append(xcb_keycode_t(kc));
    }

    // The keys that give Shift and the third level, through the modifier map.
    shiftKey = levelThreeKey = 0;
    levelThreeMod = 0;
    XcbReply<xcb_get_modifier_mapping_reply_t> mm(
        xcb_get_modifier_mapping_reply(c, xcb_get_modifier_mapping(c), nullptr));
    if (!mm)
        return true;
    static const char *const realMods[8] = {XKB_MOD_NAME_SHIFT,
                                            XKB_MOD_NAME_CAPS,
                                            XKB_MOD_NAME_CTRL,
                                            "Mod1",
                                            "Mod2",
                                            "Mod3",
                                            "Mod4",
                                            "Mod5"};
    const xcb_keycode_t *codes = xcb_get_modifier_mapping_keycodes(mm.get());
    const int perMod = mm->keycodes_per_modifier;
    for (int m = 0; m < 8; ++m) {
        for (int i = 0; i < perMod; ++i) {
            const xcb_keycode_t kc = codes[m * perMod + i];
            const xkb_keysym_t *syms = nullptr;
            if (!kc || xkb_keymap_key_get_syms_by_level(keymap, kc, 0, 0, &syms) < 1)
                continue;
            const xkb_mod_index_t index = xkb_keymap_mod_get_index(keymap, realMods[m]);
            if (index == XKB_MOD_INVALID)
                continue;
            if (m == 0 && !shiftKey && (syms[0] == XKB_KEY_Shift_L || syms[0] == XKB_KEY_Shift_R))
                shiftKey = kc;
            if (m >= 3 && !levelThreeKey && syms[0] == XKB_KEY_ISO_Level3_Shift) {
                levelThreeKey = kc;
                levelThreeMod = 1u << index;
            }
        }
    }
    return true;
}

namespace {
KeyboardState readState(xcb_connection_t *c, xkb_keymap *keymap, int32_t deviceId) {
    KeyboardState s;
    if (xkb_state *state = xkb_x11_state_new_from_device(keymap, c, deviceId)) {
        s.locked = xkb_state_serialize_mods(state, XKB_STATE_MODS_LOCKED);
        s.layout = xkb_state_serialize_layout(state, XKB_STATE_LAYOUT_EFFECTIVE);
        xkb_state_unref(state);
    }
    return s;
}
} // namespace

KeyboardInjector::Stroke KeyboardInjector::strokeForCharacter(char32_t character) {
    if (keymapStale)
        loadKeymap();
    const KeyboardState now = readState(c, keymap, deviceId);
    const xkb_mod_index_t shiftIndex = xkb_keymap_mod_get_index(keymap, XKB_MOD_NAME_SHIFT);
    QList<uint32_t> masks{0};
    if (shiftKey && shiftIndex != XKB_MOD_INVALID)
        masks.append(1u << shiftIndex);
    if (levelThreeKey) {
        masks.append(levelThreeMod);
        if (masks.size() == 3)
            masks.append(masks[1] | levelThreeMod);
    }
    // What each key gives under each choice of Shift and AltGr, with the locks (Caps Lock,
    // Num Lock) and the layout as they are now on the desktop.
    xkb_state *probe = xkb_state_new(keymap);
    Stroke found;
    for (xkb_keycode_t kc = xkb_keymap_min_keycode(keymap);
         kc <= xkb_keymap_max_keycode(keymap) && !found.keycode; ++kc) {
        for (uint32_t m : masks) {
            xkb_state_update_mask(probe, m, 0, now.locked, 0, 0, now.layout);
            if (xkb_state_key_get_utf32(probe, kc) == uint32_t(character)) {
                found = {xcb_keycode_t(kc), m};
                break;
            }
        }
    }
    xkb_state_unref(probe);
    return found;
}

xcb_keycode_t KeyboardInjector::keycodeForKeysym(uint32_t keysym) {
    if (keymapStale)
        loadKeymap();
    const xkb_layout_index_t layout = readState(c, keymap, deviceId).layout;
    xcb_keycode_t higher = 0;
    for (xkb_keycode_t kc = xkb_keymap_min_keycode(keymap); kc <= xkb_keymap_max_keycode(keymap);
         ++kc) {
        const xkb_layout_index_t keyLayout =
            layout < xkb_keymap_num_layouts_for_key(keymap, kc) ? layout : 0;
        const xkb_level_index_t levels = xkb_keymap_num_levels_for_key(keymap, kc, keyLayout);
        for (xkb_level_index_t level = 0; level < levels; ++level) {
            const xkb_keysym_t *syms = nullptr;
            const int n = xkb_keymap_key_get_syms_by_level(keymap, kc, keyLayout, level, &syms);
            for (int i = 0; i < n; ++i) {
                if (syms[i] != keysym)
                    continue;
                if (level == 0)
                    return xcb_keycode_t(kc);
                if (!higher)
                    higher = xcb_keycode_t(kc);
            }
        }
    }
    return higher;
}

xcb_keycode_t KeyboardInjector::keycodeForVirtualKey(int vk, bool extended) {
    // The console sends the left and right keys; Windows programs may send the generic ones.
    if (vk == 16)
        vk = 160;
    else if (vk == 17)
        vk = extended ? 163 : 162;
    else if (vk == 18)
        vk = extended ? 165 : 164;
    if (vk <= 0 || vk > 255)
        return 0;
    if (keymapStale)
        loadKeymap();
    auto hasSymbols = [this](quint32 kc) {
        return kc >= xkb_keymap_min_keycode(keymap) && kc <= xkb_keymap_max_keycode(keymap) &&
               xkb_keymap_num_layouts_for_key(keymap, kc) > 0;
    };
    // Digits and punctuation keys are named by their place on the keyboard, letters by the
    // letter the layout puts on them.
    const bool letter = vk >= 'A' && vk <= 'Z';
    const quint32 place = winkeys::PlaceKeycodeForVirtualKey(quint8(vk));
    if (place && !letter && hasSymbols(place))
        return xcb_keycode_t(place);
    const QList<quint32> keysyms = winkeys::KeysymsForVirtualKey(quint8(vk), extended);
    for (quint32 keysym : keysyms) {
        if (const xcb_keycode_t kc = keycodeForKeysym(keysym))
            return kc;
    }
    if (place && hasSymbols(place))
        return xcb_keycode_t(place);
    return keysyms.isEmpty() ? 0 : borrowKey(keysyms.first());
}

xcb_keycode_t KeyboardInjector::borrowKey(uint32_t keysym) {
    for (qsizetype i = 0; i < borrowed.size(); ++i) {
        if (borrowed[i].keysym == keysym) {
            borrowed.append(borrowed.takeAt(i));
            return borrowed.last().keycode;
        }
    }
    xcb_keycode_t kc = 0;
    for (xcb_keycode_t spare : spareKeys) {
        if (std::none_of(borrowed.begin(), borrowed.end(),
                         [spare](const Borrowed &b) { return b.keycode == spare; })) {
            kc = spare;
            break;
        }
    }
    if (!kc && !borrowed.isEmpty())
        kc = borrowed.takeFirst().keycode;
    if (!kc)
        return 0;
    // Both levels carry the symbol, so Shift or Caps Lock held on the desktop changes nothing.
    const xcb_keysym_t syms[2] = {keysym, keysym};
    xcb_change_keyboard_mapping(c, 1, kc, 2, syms);
    borrowed.append({kc, keysym});
    keymapStale = true;
    return kc;
}

void KeyboardInjector::returnBorrowedKeys() {
    if (borrowed.isEmpty())
        return;
    const xcb_keysym_t none[2] = {0, 0};
    for (const Borrowed &b : std::as_const(borrowed))
        xcb_change_keyboard_mapping(c, 1, b.keycode, 2, none);
    borrowed.clear();
    keymapStale = true;
    xcb_flush(c);
}

bool KeyboardInjector::isModifierKey(xcb_keycode_t keycode) {
    const xkb_keysym_t *syms = nullptr;
    return keymap && xkb_keymap_key_get_syms_by_level(keymap, keycode, 0, 0, &syms) > 0 &&
           isModifierKeysym(syms[0]);
}

void KeyboardInjector::fake(xcb_keycode_t keycode, bool down) {
    xcb_test_fake_input(c, down ? XCB_KEY_PRESS : XCB_KEY_RELEASE, keycode, XCB_CURRENT_TIME,
                        XCB_NONE, 0, 0, 0);
}

void KeyboardInjector::tap(xcb_keycode_t keycode, uint32_t mods) {
    // The operator's held modifiers would change the level the key types at: they go up for
    // the stroke and down again after it.
    QList<xcb_keycode_t> lifted;
    for (xcb_keycode_t h : std::as_const(held)) {
        if (isModifierKey(h)) {
            fake(h, false);
            lifted.append(h);
        }
    }
    const xkb_mod_index_t shiftIndex = xkb_keymap_mod_get_index(keymap, XKB_MOD_NAME_SHIFT);
    QList<xcb_keycode_t> pressed;
    if (shiftIndex != XKB_MOD_INVALID && (mods & (1u << shiftIndex)) && shiftKey)
        pressed.append(shiftKey);
    if (levelThreeMod && (mods & levelThreeMod))
        pressed.append(levelThreeKey);
    for (xcb_keycode_t m : std::as_const(pressed))
        fake(m, true);
    fake(keycode, true);
    fake(keycode, false);
    for (auto it = pressed.crbegin(); it != pressed.crend(); ++it)
        fake(*it, false);
    for (xcb_keycode_t h : std::as_const(lifted))
        fake(h, true);
    xcb_flush(c);
}

void KeyboardInjector::key(int virtualKey, bool extended, bool down) {
    const xcb_keycode_t kc = keycodeForVirtualKey(virtualKey, extended);
    if (!kc)
        return;
    if (down) {
        fake(kc, true);
        if (!held.contains(kc))
            held.append(kc);
    } else if (held.removeAll(kc) > 0) {
        // A release of a key we never pressed is dropped: it might let go of a key the
        // desktop's user holds.
        fake(kc, false);
    }
    xcb_flush(c);
}

void KeyboardInjector::typeCharacter(char32_t character) {
    switch (character) {
    case '\r':
    case '\n':
        if (const xcb_keycode_t kc = keycodeForKeysym(XKB_KEY_Return))
            tap(kc, 0);
        return;
    case '\t':
        if (const xcb_keycode_t kc = keycodeForKeysym(XKB_KEY_Tab))
            tap(kc, 0);
        return;
    case '\b':
        if (const xcb_keycode_t kc = keycodeForKeysym(XKB_KEY_BackSpace))
            tap(kc, 0);
        return;
    default:
        break;
    }
    if (character < 0x20 || (character >= 0x7f && character < 0xa0) || character > 0x10ffff)
        return;
    const Stroke stroke = strokeForCharacter(character);
    if (stroke.keycode) {
        tap(stroke.keycode, stroke.mods);
        return;
    }
    const xkb_keysym_t keysym = xkb_utf32_to_keysym(uint32_t(character));
    if (keysym == XKB_KEY_NoSymbol)
        return;
    if (const xcb_keycode_t kc = borrowKey(keysym))
        tap(kc, 0);
}

void KeyboardInjector::releaseAll() {
    for (auto it = held.crbegin(); it != held.crend(); ++it)
        fake(*it, false);
    held.clear();
    xcb_flush(c);
}

} // namespace qhost::x11
