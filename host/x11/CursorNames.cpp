#include "x11/CursorNames.h"

#include "platform/CursorNumbers.h"

namespace qhost::x11 {

namespace {
struct NamedCursor {
    const char *name;
    int number;
};
// Themes name one shape several ways: the core cursor font's names (what old programs and
// window managers ask for), the CSS names (GTK, Qt, browsers) and the hashes of the old
// toolkits' bitmaps.
constexpr NamedCursor namedCursors[] = {
    {"left_ptr", CursorNumber::Arrow},
    {"default", CursorNumber::Arrow},
    {"arrow", CursorNumber::Arrow},
    {"top_left_arrow", CursorNumber::Arrow},
    {"right_ptr", CursorNumber::Arrow},
    {"context-menu", CursorNumber::Arrow},
    {"none", CursorNumber::None},
    {"blank", CursorNumber::None},
    {"crosshair", CursorNumber::Cross},
    {"cross", CursorNumber::Cross},
    {"tcross", CursorNumber::Cross},
    {"cross_reverse", CursorNumber::Cross},
    {"diamond_cross", CursorNumber::Cross},
    {"cell", CursorNumber::Cross},
    {"plus", CursorNumber::Cross},
    {"xterm", CursorNumber::IBeam},
    {"text", CursorNumber::IBeam},
    {"ibeam", CursorNumber::IBeam},
    {"vertical-text", CursorNumber::IBeam},
    {"nesw-resize", CursorNumber::SizeNESW},
    {"size_bdiag", CursorNumber::SizeNESW},
    {"ne-resize", CursorNumber::SizeNESW},
    {"sw-resize", CursorNumber::SizeNESW},
    {"top_right_corner", CursorNumber::SizeNESW},
    {"bottom_left_corner", CursorNumber::SizeNESW},
    {"fcf1c3c7cd4491d801f1e1c78f100000", CursorNumber::SizeNESW},
    {"ns-resize", CursorNumber::SizeNS},
    {"size_ver", CursorNumber::SizeNS},
    {"sb_v_double_arrow", CursorNumber::SizeNS},
    {"v_double_arrow", CursorNumber::SizeNS},
    {"double_arrow", CursorNumber::SizeNS},
    {"n-resize", CursorNumber::SizeNS},
    {"s-resize", CursorNumber::SizeNS},
    {"top_side", CursorNumber::SizeNS},
    {"bottom_side", CursorNumber::SizeNS},
    {"00008160000006810000408080010102", CursorNumber::SizeNS},
    {"nwse-resize", CursorNumber::SizeNWSE},
    {"size_fdiag", CursorNumber::SizeNWSE},
    {"nw-resize", CursorNumber::SizeNWSE},
    {"se-resize", CursorNumber::SizeNWSE},
    {"top_left_corner", CursorNumber::SizeNWSE},
    {"bottom_right_corner", CursorNumber::SizeNWSE},
    {"c7088f0f3e6c8088236ef8e1e3e70000", CursorNumber::SizeNWSE},
    {"ew-resize", CursorNumber::SizeWE},
    {"size_hor", CursorNumber::SizeWE},
    {"sb_h_double_arrow", CursorNumber::SizeWE},
    {"h_double_arrow", CursorNumber::SizeWE},
    {"e-resize", CursorNumber::SizeWE},
    {"w-resize", CursorNumber::SizeWE},
    {"left_side", CursorNumber::SizeWE},
    {"right_side", CursorNumber::SizeWE},
    {"028006030e0e7ebffc7f7070c0600140", CursorNumber::SizeWE},
    {"up_arrow", CursorNumber::UpArrow},
    {"sb_up_arrow", CursorNumber::UpArrow},
    {"center_ptr", CursorNumber::UpArrow},
    {"watch", CursorNumber::HourGlass},
    {"wait", CursorNumber::HourGlass},
    {"clock", CursorNumber::HourGlass},
    {"alias", CursorNumber::Drag},
    {"dnd-link", CursorNumber::Drag},
    {"dnd-move", CursorNumber::Drag},
    {"grabbing", CursorNumber::Drag},
    {"closedhand", CursorNumber::Drag},
    {"no-drop", CursorNumber::NoDrop},
    {"dnd-no-drop", CursorNumber::NoDrop},
    {"dnd-none", CursorNumber::NoDrop},
    {"col-resize", CursorNumber::HSplit},
    {"split_h", CursorNumber::HSplit},
    {"14fef782d02440884392942c11205230", CursorNumber::HSplit},
    {"row-resize", CursorNumber::VSplit},
    {"split_v", CursorNumber::VSplit},
    {"2870a09082c103050810ffdffffe0204", CursorNumber::VSplit},
    {"copy", CursorNumber::MultiDrag},
    {"dnd-copy", CursorNumber::MultiDrag},
    {"not-allowed", CursorNumber::No},
    {"forbidden", CursorNumber::No},
    {"crossed_circle", CursorNumber::No},
    {"circle", CursorNumber::No},
    {"03b6e0fcb3499374a867c041f52298f0", CursorNumber::No},
    {"progress", CursorNumber::AppStart},
    {"left_ptr_watch", CursorNumber::AppStart},
    {"half-busy", CursorNumber::AppStart},
    {"08e8e1c95fe2fc01f976f1e063a24ccd", CursorNumber::AppStart},
    {"3ecb610c1bf2410f44200f48c40d3599", CursorNumber::AppStart},
    {"help", CursorNumber::Help},
    {"question_arrow", CursorNumber::Help},
    {"whats_this", CursorNumber::Help},
    {"left_ptr_help", CursorNumber::Help},
    {"d9ce0ab605698f320427677b458ad60b", CursorNumber::Help},
    {"5c6cd98b3f3ebcb1f9c7f1c204630408", CursorNumber::Help},
    {"pointer", CursorNumber::HandPoint},
    {"hand", CursorNumber::HandPoint},
    {"hand1", CursorNumber::HandPoint},
    {"hand2", CursorNumber::HandPoint},
    {"pointing_hand", CursorNumber::HandPoint},
    {"openhand", CursorNumber::HandPoint},
    {"grab", CursorNumber::HandPoint},
    {"e29285e634086352946a0e7090d73106", CursorNumber::HandPoint},
    {"9d800788f1b08800ae810202380a0822", CursorNumber::HandPoint},
    {"fleur", CursorNumber::SizeAll},
    {"move", CursorNumber::SizeAll},
    {"all-scroll", CursorNumber::SizeAll},
    {"size_all", CursorNumber::SizeAll},
    {"4498f0e0c1937ffe01fd06f973665830", CursorNumber::SizeAll},
};
} // namespace

int CursorNumberForName(QByteArrayView name) {
    for (const NamedCursor &c : namedCursors) {
        if (name == QByteArrayView(c.name))
            return c.number;
    }
    return CursorNumber::Default;
}

} // namespace qhost::x11
