#include "platform/VirtualKeys.h"
#include "platform/WinKeyTable.h"

#include <QByteArray>
#include <QList>
#include <QtCore/qnamespace.h>

#include <clocale>
#include <xkbcommon/xkbcommon-compose.h>
#include <xkbcommon/xkbcommon.h>

namespace {
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
    if (const winkeys::VirtualKey k = winkeys::VirtualKeyFromKeysym(keysym); k.vk != 0)
        return {k.vk, k.extended};
    for (const winkeys::PlaceEntry &e : winkeys::placeTable) {
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
