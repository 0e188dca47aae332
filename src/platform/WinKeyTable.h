#pragma once
// The one table between X keys and Windows virtual keys. The console reads it from X to Windows
// (the operator's keys become the host's virtual keys); the host program reads it backwards
// (the console's virtual keys become keys of the desktop's keyboard map). Where several keysyms
// give one virtual key, the first entry is the key a host presses, the others are its stand-ins
// on layouts that lack it.
#include <QList>
#include <QtGlobal>

namespace winkeys {

struct KeysymEntry {
    quint32 keysym;
    quint8 vk;
    bool extended;
};

// Keys that are not characters, by keysym. The extended flag is Windows': the grey navigation
// block, the right-hand Ctrl and Alt, keypad Enter and Divide, the Windows and menu keys, and
// the media and browser keys.
inline constexpr KeysymEntry keysymTable[] = {
    {0xff08, 8, false},   // BackSpace
    {0xff09, 9, false},   // Tab
    {0xfe20, 9, false},   // ISO_Left_Tab (Shift+Tab)
    {0xff0d, 13, false},  // Return
    {0xff0a, 13, false},  // Linefeed
    {0xff0b, 12, false},  // Clear
    {0xff13, 19, false},  // Pause
    {0xff14, 145, false}, // Scroll_Lock
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
    {0xff15, 44, true},   // Sys_Req (Alt+Print)
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
    {0xffe9, 164, false}, // Alt_L
    {0xffea, 165, true},  // Alt_R
    {0xfe03, 165, true},  // ISO_Level3_Shift (AltGr)
    // Meta is Shift+Alt on most layouts, never the Windows key (that is Super).
    {0xffe7, 164, false},    // Meta_L
    {0xffe8, 165, true},     // Meta_R
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
inline constexpr PlaceEntry placeTable[] = {
    {10, '1'}, {11, '2'}, {12, '3'}, {13, '4'}, {14, '5'}, {15, '6'}, {16, '7'}, {17, '8'},
    {18, '9'}, {19, '0'}, {20, 189}, {21, 187}, {24, 'Q'}, {25, 'W'}, {26, 'E'}, {27, 'R'},
    {28, 'T'}, {29, 'Y'}, {30, 'U'}, {31, 'I'}, {32, 'O'}, {33, 'P'}, {34, 219}, {35, 221},
    {38, 'A'}, {39, 'S'}, {40, 'D'}, {41, 'F'}, {42, 'G'}, {43, 'H'}, {44, 'J'}, {45, 'K'},
    {46, 'L'}, {47, 186}, {48, 222}, {49, 192}, {51, 220}, {52, 'Z'}, {53, 'X'}, {54, 'C'},
    {55, 'V'}, {56, 'B'}, {57, 'N'}, {58, 'M'}, {59, 188}, {60, 190}, {61, 191}, {94, 226},
};

// Special keys, letters, function keys and keypad digits by keysym; {0, false} for the rest,
// which go by their place (placeTable).
struct VirtualKey {
    quint8 vk = 0;
    bool extended = false;
};
inline VirtualKey VirtualKeyFromKeysym(quint32 keysym) {
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
    return {};
}

// Backwards: the keysyms that give `vk`, best first. An entry with the other extended flag
// counts when none has the one asked for (a console may not know which of the two keys it was).
inline QList<quint32> KeysymsForVirtualKey(quint8 vk, bool extended) {
    QList<quint32> exact, other;
    for (const KeysymEntry &e : keysymTable) {
        if (e.vk == vk)
            (e.extended == extended ? exact : other).append(e.keysym);
    }
    if (vk >= 112 && vk <= 135)
        exact.append(0xffbe + vk - 112);
    else if (vk >= 96 && vk <= 105)
        exact.append(0xffb0 + vk - 96);
    else if (vk >= 'A' && vk <= 'Z')
        exact.append(vk - 'A' + 'a');
    return exact + other;
}

// The X key code (evdev) of the key at the place of `vk` on a 105-key PC keyboard; 0 if none.
inline quint32 PlaceKeycodeForVirtualKey(quint8 vk) {
    for (const PlaceEntry &e : placeTable) {
        if (e.vk == vk)
            return e.keycode;
    }
    return 0;
}

} // namespace winkeys
