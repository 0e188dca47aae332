// The host's list of screen modes: every listed mode must come back from the box entry made of
// it, and the list never offers more than the cap.
#include "screen/ScreenModes.h"

#include <QList>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray text(reinterpret_cast<const char *>(data), qsizetype(size));
    const QList<QByteArray> lines = text.split('\n');
    const ScreenModeList list = ParseScreenModeList(lines);
    if (list.modes.size() > MaxScreenModes)
        __builtin_trap();
    for (const QSize &m : list.modes) {
        int w = 0, h = 0;
        if (m.width() < 1 || m.height() < 1 ||
            !ParseScreenModeEntry(FormatScreenMode(m.width(), m.height()), w, h) ||
            QSize(w, h) != m)
            __builtin_trap();
    }
    int w = 0, h = 0;
    ParseScreenModeEntry(QString::fromLatin1(text.left(64)), w, h);
    return 0;
}
