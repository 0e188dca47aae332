// Clipboard content from the host: the component-stream list, the text blocks and the bitmaps
// inside it. Whatever comes in is refused whole or read within its own bytes, and a list that
// is read writes back to one that reads the same.
#include "tools/ClipboardContent.h"
#include "tools/ClipboardStream.h"

#include <QMimeData>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size > size_t(ClipboardStream::kMaxContentBytes))
        return 0;
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    if (const auto entries = ClipboardStream::decode(bytes)) {
        if (entries->size() > ClipboardStream::kMaxEntries)
            __builtin_trap();
        qsizetype total = 0;
        for (const auto &e : *entries) {
            total += e.data.size();
            if (e.name.size() > ClipboardStream::kMaxNameChars || e.format == 0)
                __builtin_trap();
        }
        if (total > bytes.size())
            __builtin_trap();
        // Names go back in their own form, so only the entries the writer keeps compare.
        const auto again = ClipboardStream::decode(ClipboardStream::encode(*entries));
        if (!again || again->size() > entries->size())
            __builtin_trap();
    }
    for (int option : {ClipboardContent::Text, ClipboardContent::Bitmap, ClipboardContent::All}) {
        const std::unique_ptr<QMimeData> mime = ClipboardContent::mimeDataOf(bytes, option);
        if (mime && mime->hasImage() && qvariant_cast<QImage>(mime->imageData()).isNull())
            __builtin_trap();
    }
    ClipboardContent::htmlOfBlock(bytes);
    return 0;
}
