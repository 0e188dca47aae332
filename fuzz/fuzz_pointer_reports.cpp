#include "screen/InputCommands.h"

#include <cstddef>
#include <cstdint>

// The host's pointer ("MoMo", "MsCl") and cursor ("SCur") reports, and what the console does
// with a parsed position: scale it for the view and follow it along an axis. The first byte
// picks the scale; inputs are at most 64 bytes, as a report is a few numbers.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size == 0 || size > 64)
        return 0;
    const double scales[] = {0.0, 0.25, 0.78125, 1.0, 1.75, 16.0};
    const double scale = scales[data[0] % 6];
    const QByteArray text(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));

    InputCommands::ParseCursorNumber(text);
    const auto p = InputCommands::ParsePointerReport(text);
    if (!p)
        return 0;
    // Nine digits at most: anything larger is refused, never wrapped.
    if (qAbs(qint64(p->x())) > 999999999 || qAbs(qint64(p->y())) > 999999999)
        __builtin_trap();
    const QPoint shown = InputCommands::ToDisplayed(*p, scale, scale);
    int scroll = 0, last = 0;
    const auto f = InputCommands::FollowPointerAxis(shown.x(), 800, scroll, last);
    if (f.changed && (f.place < 0 || f.place > 800)) // the arrow stays in the view
        __builtin_trap();
    InputCommands::FollowPointerAxis(shown.y(), 600, scroll, last);
    return 0;
}
