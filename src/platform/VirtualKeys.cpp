#include "platform/VirtualKeys.h"

#include <QByteArray>
#include <QList>
#include <QtCore/qnamespace.h>

#include <clocale>
#include <xkbcommon/xkbcommon-compose.h>
#include <xkbcommon/xkbcommon.h>

namespace {
struct KeysymEntry {
    quint32 keysym;
    quint8 vk;
    bool extended;
};

// Keys that are not characters, by keysym. The extended flag is Windows': the grey navigation
// block, the right-hand Ctrl and Alt, keypad Enter and Divide, the Windows and menu keys, and
// the media and browser keys.
constexpr KeysymEntry keysymTable[] = {
    {0xff08, 8, false},   // BackSpace
    {0xff09, 9, false},   // Tab
    {0xfe20, 9, false},   // ISO_Left_Tab (Shift+Tab)
    {0xff0a, 13, false},  // Linefeed
    {0xff0b, 12, false},  // Clear
    {0xff0d, 13, false},  // Return
    {0xff13, 19, false},  // Pause
    {0xff14, 145, false}, // Scroll_Lock
    {0xff15, 44, true},   // Sys_Req (Alt+Print)
    {0xff1b, 27, false},  // Escape
    {0xffff, 46, true},   // Delete
    {0xff50, 36, true},   // Home
    {0xff51, 37, true},   // Left
    {0xff52, 38, true},   // Up
    {0xff53, 39, true},   // Right
    {0xff54, 40, true},   // Down
    {0xff55, 33, true},   // Prior
    {0xff56, 34, true},   // Next
    {0xff57, 35, true},   // End
    {0xff58, 12, false},  // Begin
    {0xff60, 41, false},  // Select
    {0xff61, 44, true},   // Print
    {0xff62, 43, false},  // Execute
    {0xff63, 45, true},   // Insert
    {0xff67, 93, true},   // Menu
    {0xff69, 3, false},   // Cancel
    {0xff6a, 47, false},  // Help
    {0xff6b, 3, true},    // Break (Ctrl+Pause)
    {0xff7f, 144, true},  // Num_Lock
    {0xff80, 32, false},  // KP_Space
    {0xff89, 9, false},   // KP_Tab
    {0xff8d, 13, true},   // KP_Enter
    {0xff91, 112, false}, // KP_F1
    {0xff92, 113, false}, // KP_F2
    {0xff93, 114, false}, // KP_F3
    {0xff94, 115, false}, // KP_F4
    {0xff95, 36, false},  // KP_Home
    {0xff96, 37, false},  // KP_Left
    {0xff97, 38, false},  // KP_Up
    {0xff98, 39, false},  // KP_Right
    {0xff99, 40, false},  // KP_Down
    {0xff9a, 33, false},  // KP_Prior
    {0xff9b, 34, false},  // KP_Next
    {0xff9c, 35, false},  // KP_End
    {0xff9d, 12, false},  // KP_Begin
    {0xff9e, 45, false},  // KP_Insert
    {0xff9f, 46, false},  // KP_Delete
    {0xffaa, 106, false}, // KP_Multiply
    {0xffab, 107, false}, // KP_Add
    {0xffac, 108, false}, // KP_Separator
    {0xffad, 109, false}, // KP_Subtract
    {0xffae, 110, false}, // KP_Decimal
    {0xffaf, 111, true},  // KP_Divide
    {0xffe1, 160, false}, // Shift_L
    {0xffe2, 161, false}, // Shift_R
    {0xffe3, 162, false}, // Control_L
    {0xffe4, 163, true},  // Control_R
    {0xffe5, 20, false},  // Caps_Lock
    // Meta is Shift+Alt on most layouts, never the Windows key (that is Super).
    {0xffe7, 164, false},    // Meta_L
    {0xffe8, 165, true},     // Meta_R
    {0xffe9, 164, false},    // Alt_L
    {0xffea, 165, true},     // Alt_R
    {0xfe03, 165, true},     // ISO_Level3_Shift (AltGr)
    {0xff7e, 165, true},     // Mode_switch
    {0xffeb, 91, true},      // Super_L
    {0xffec, 92, true},      // Super_R
    {0x0020, 32, false},     // space
    {0x1008ff11, 174, true}, // XF86AudioLowerVolume
    {0x1008ff12, 173, true}, // XF86AudioMute
    {0x1008ff13, 175, true}, // XF86AudioRaiseVolume
    {0x1008ff14, 179, true}, // XF86AudioPlay
    {0x1008ff31, 179, true}, // XF86AudioPause
    {0x1008ff15, 178, true}, // XF86AudioStop
    {0x1008ff16, 177, true}, // XF86AudioPrev
    {0x1008ff17, 176, true}, // XF86AudioNext
    {0x1008ff18, 172, true}, // XF86HomePage
    {0x1008ff19, 180, true}, // XF86Mail
    {0x1008ff1b, 170, true}, // XF86Search
    {0x1008ff1d, 183, true}, // XF86Calculator
    {0x1008ff26, 166, true}, // XF86Back
    {0x1008ff27, 167, true}, // XF86Forward
    {0x1008ff28, 169, true}, // XF86Stop
    {0x1008ff29, 168, true}, // XF86Refresh
    {0x1008ff2f, 95, false}, // XF86Sleep
    {0x1008ff30, 171, true}, // XF86Favorites
    {0x1008ff32, 181, true}, // XF86AudioMedia
    {0x1008ff33, 182, true}, // XF86MyComputer
};

// The character keys by their place (evdev key codes of a 105-key PC keyboard) with the
// virtual keys of the US layout, for keys whose keysym says nothing about the key (symbols,
// AltGr levels, non-Latin layouts).
struct PlaceEntry {
    quint8 keycode;
    quint8 vk;
};
constexpr PlaceEntry placeTable[] = {
    {10, '1'}, {11, '2'}, {12, '3'}, {13, '4'}, {14, '5'}, {15, '6'}, {16, '7'}, {17, '8'},
    {18, '9'}, {19, '0'}, {20, 189}, {21, 187}, {24, 'Q'}, {25, 'W'}, {26, 'E'}, {27, 'R'},
    {28, 'T'}, {29, 'Y'}, {30, 'U'}, {31, 'I'}, {32, 'O'}, {33, 'P'}, {34, 219}, {35, 221},
    {38, 'A'}, {39, 'S'}, {40, 'D'}, {41, 'F'}, {42, 'G'}, {43, 'H'}, {44, 'J'}, {45, 'K'},
    {46, 'L'}, {47, 186}, {48, 222}, {49, 192}, {51, 220}, {52, 'Z'}, {53, 'X'}, {54, 'C'},
    {55, 'V'}, {56, 'B'}, {57, 'N'}, {58, 'M'}, {59, 188}, {60, 190}, {61, 191}, {94, 226},
};

// Kernel key codes above the first block, with the scan code they have after the E0 prefix.
struct ScanEntry {
    quint8 keycode;
    quint8 scan;
};
constexpr ScanEntry extendedScans[] = {
    {104, 0x1c}, {105, 0x1d}, {106, 0x35}, {107, 0x37}, {108, 0x38}, {110, 0x47}, {111, 0x48},
    {112, 0x49}, {113, 0x4b}, {114, 0x4d}, {115, 0x4f}, {116, 0x50}, {117, 0x51}, {118, 0x52},
    {119, 0x53}, {127, 0x45}, {133, 0x5b}, {134, 0x5c}, {135, 0x5d},
};
} // namespace

WinKey WinKeyFromX11(quint32 keysym, quint32 keycode) {
    for (const KeysymEntry &e : keysymTable) {
        if (e.keysym == keysym)
            return {e.vk, e.extended};
    }
    if (keysym >= 0xffbe && keysym <= 0xffd5) // F1..F24
        return {quint8(112 + keysym - 0xffbe), false};
    if (keysym >= 0xffb0 && keysym <= 0xffb9) // KP_0..KP_9
        return {quint8(96 + keysym - 0xffb0), false};
    if (keysym >= 'a' && keysym <= 'z')
        return {quint8(keysym - 'a' + 'A'), false};
    if (keysym >= 'A' && keysym <= 'Z')
        return {quint8(keysym), false};
    for (const PlaceEntry &e : placeTable) {
        if (e.keycode == keycode)
            return {e.vk, false};
    }
    return {};
}

quint32 ScanCodeFromX11(quint32 keycode) {
    if (keycode >= 9 && keycode < 8 + 89)
        return keycode - 8;
    for (const ScanEntry &e : extendedScans) {
        if (e.keycode == keycode)
            return e.scan;
    }
    return 0;
}

WinKey WinKeyFromQtKey(int key, bool keypad) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return {quint8(key), false};
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return {quint8(keypad ? 96 + key - Qt::Key_0 : key), false};
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return {quint8(112 + key - Qt::Key_F1), false};
    // The navigation keys are extended unless they are the keypad's.
    const bool nav = !keypad;
    switch (key) {
    case Qt::Key_Backspace:
        return {8, false};
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return {9, false};
    case Qt::Key_Clear:
        return {12, false};
    case Qt::Key_Return:
        return {13, false};
    case Qt::Key_Enter:
        return {13, true};
    case Qt::Key_Pause:
        return {19, false};
    case Qt::Key_Escape:
        return {27, false};
    case Qt::Key_Space:
        return {32, false};
    case Qt::Key_PageUp:
        return {33, nav};
    case Qt::Key_PageDown:
        return {34, nav};
    case Qt::Key_End:
        return {35, nav};
    case Qt::Key_Home:
        return {36, nav};
    case Qt::Key_Left:
        return {37, nav};
    case Qt::Key_Up:
        return {38, nav};
    case Qt::Key_Right:
        return {39, nav};
    case Qt::Key_Down:
        return {40, nav};
    case Qt::Key_Print:
    case Qt::Key_SysReq:
        return {44, true};
    case Qt::Key_Insert:
        return {45, nav};
    case Qt::Key_Delete:
        return {46, nav};
    case Qt::Key_Help:
        return {47, false};
    case Qt::Key_Super_L:
        return {91, true};
    case Qt::Key_Super_R:
        return {92, true};
    case Qt::Key_Menu:
        return {93, true};
    case Qt::Key_Asterisk:
        return {quint8(keypad ? 106 : 0), false};
    case Qt::Key_Plus:
        return {quint8(keypad ? 107 : 187), false};
    case Qt::Key_Minus:
        return {quint8(keypad ? 109 : 189), false};
    case Qt::Key_Period:
        return {quint8(keypad ? 110 : 190), false};
    case Qt::Key_Slash:
        return {quint8(keypad ? 111 : 191), keypad};
    case Qt::Key_NumLock:
        return {144, true};
    case Qt::Key_ScrollLock:
        return {145, false};
    case Qt::Key_Shift:
        return {160, false};
    case Qt::Key_Control:
        return {162, false};
    case Qt::Key_Alt:
    case Qt::Key_Meta: // Shift+Alt on the X layouts
        return {164, false};
    case Qt::Key_AltGr:
        return {165, true};
    case Qt::Key_CapsLock:
        return {20, false};
    case Qt::Key_Equal:
        return {187, false};
    case Qt::Key_Comma:
        return {188, false};
    case Qt::Key_Semicolon:
        return {186, false};
    case Qt::Key_Apostrophe:
        return {222, false};
    case Qt::Key_QuoteLeft:
        return {192, false};
    case Qt::Key_BracketLeft:
        return {219, false};
    case Qt::Key_Backslash:
        return {220, false};
    case Qt::Key_BracketRight:
        return {221, false};
    case Qt::Key_Back:
        return {166, true};
    case Qt::Key_Forward:
        return {167, true};
    case Qt::Key_Refresh:
        return {168, true};
    case Qt::Key_Stop:
        return {169, true};
    case Qt::Key_Search:
        return {170, true};
    case Qt::Key_Favorites:
        return {171, true};
    case Qt::Key_HomePage:
        return {172, true};
    case Qt::Key_VolumeMute:
        return {173, true};
    case Qt::Key_VolumeDown:
        return {174, true};
    case Qt::Key_VolumeUp:
        return {175, true};
    case Qt::Key_MediaNext:
        return {176, true};
    case Qt::Key_MediaPrevious:
        return {177, true};
    case Qt::Key_MediaStop:
        return {178, true};
    case Qt::Key_MediaPlay:
    case Qt::Key_MediaPause:
    case Qt::Key_MediaTogglePlayPause:
        return {179, true};
    case Qt::Key_LaunchMail:
        return {180, true};
    case Qt::Key_LaunchMedia:
        return {181, true};
    case Qt::Key_Launch0:
        return {182, true};
    case Qt::Key_Calculator:
    case Qt::Key_Launch1:
        return {183, true};
    case Qt::Key_Sleep:
        return {95, false};
    default:
        return {};
    }
}

quint32 KeysymFromQt(int qtKey, const QString &text) {
    // Qt numbers its dead keys in the order of the X keysyms dead_grave..dead_currency and on.
    if (qtKey >= Qt::Key_Dead_Grave && qtKey <= Qt::Key_Dead_Longsolidusoverlay)
        return 0xfe50 + quint32(qtKey - Qt::Key_Dead_Grave);
    if (text.isEmpty())
        return 0;
    const char32_t c = text.toUcs4().value(0);
    if ((c >= 0x20 && c <= 0x7e) || (c >= 0xa0 && c <= 0xff))
        return c;
    return c >= 0x100 ? 0x1000000 + c : 0;
}

struct KeyComposer::Impl {
    xkb_context *context = nullptr;
    xkb_compose_table *table = nullptr;
    xkb_compose_state *state = nullptr;
};

namespace {
QByteArray composeLocale() {
    for (const char *name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const QByteArray v = qgetenv(name);
        if (!v.isEmpty())
            return v == "C" || v == "POSIX" ? QByteArray("C.UTF-8") : v;
    }
    return "C.UTF-8";
}
} // namespace

KeyComposer::KeyComposer() : d(std::make_unique<Impl>()) {
    d->context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    if (!d->context)
        return;
    d->table = xkb_compose_table_new_from_locale(d->context, composeLocale().constData(),
                                                 XKB_COMPOSE_COMPILE_NO_FLAGS);
    if (!d->table) // a locale without a table of its own uses the common one
        d->table =
            xkb_compose_table_new_from_locale(d->context, "C.UTF-8", XKB_COMPOSE_COMPILE_NO_FLAGS);
    if (d->table)
        d->state = xkb_compose_state_new(d->table, XKB_COMPOSE_STATE_NO_FLAGS);
}

KeyComposer::~KeyComposer() {
    if (d->state)
        xkb_compose_state_unref(d->state);
    if (d->table)
        xkb_compose_table_unref(d->table);
    if (d->context)
        xkb_context_unref(d->context);
}

bool KeyComposer::available() const {
    return d->state != nullptr;
}

void KeyComposer::reset() {
    if (d->state)
        xkb_compose_state_reset(d->state);
}

KeyComposer::Result KeyComposer::feed(quint32 keysym) {
    Result r;
    if (!d->state || keysym == 0)
        return r;
    if (xkb_compose_state_feed(d->state, keysym) == XKB_COMPOSE_FEED_IGNORED)
        return r; // modifiers do not take part
    switch (xkb_compose_state_get_status(d->state)) {
    case XKB_COMPOSE_COMPOSING:
        r.status = Composing;
        break;
    case XKB_COMPOSE_COMPOSED: {
        char buffer[64];
        const int n = xkb_compose_state_get_utf8(d->state, buffer, sizeof buffer);
        r.status = Composed;
        r.text = QString::fromUtf8(buffer, qBound(0, n, int(sizeof buffer) - 1));
        xkb_compose_state_reset(d->state);
        break;
    }
    case XKB_COMPOSE_CANCELLED:
        r.status = Cancelled;
        xkb_compose_state_reset(d->state);
        break;
    case XKB_COMPOSE_NOTHING:
        break;
    }
    return r;
}
