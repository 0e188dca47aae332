// The BMP decoder on arbitrary files: whole pictures, clipped parts and drawing into a screen.
#include "common/Zlib.h"
#include "screen/BmpDecoder.h"
#include "screen/ScreenDecoder.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 2)
        return 0;
    static const int depths[] = {4, 8, 15};
    const int depth = depths[data[0] % 3];
    const QByteArrayView file(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));

    BmpDecoder d;
    const auto header = BmpDecoder::parseHeader(file);
    const QImage whole = d.decode(file, depth);
    if (!whole.isNull()) {
        // A decoded picture always has the size its header gives, the display format and no
        // more memory than a picture may take.
        if (!header || whole.size() != header->size() || whole.format() != QImage::Format_RGB32 ||
            whole.sizeInBytes() > BmpDecoder::kMaxPictureBytes)
            __builtin_trap();
    }
    if (header && !BmpDecoder::sizeRefusal(header->width, header->height).isEmpty())
        __builtin_trap();

    const qint64 at = qint64(int8_t(data[0])) * 3;
    QImage part;
    QRect where;
    const QRect clip(0, 0, 40, 30);
    if (d.decodeClipped(file, at, -at, clip, depth, &part, &where) && !part.isNull() &&
        (!clip.contains(where) || part.size() != where.size()))
        __builtin_trap();

    QImage screen(37, 23, QImage::Format_RGB32);
    screen.fill(Qt::black);
    QRect drawn;
    if (d.decodeInto(file, screen, -at, at, depth, &drawn) && !screen.rect().contains(drawn) &&
        !drawn.isEmpty())
        __builtin_trap();

    // The same file as a full picture body: inflating is bounded by its header.
    static ScreenDecoder decoder; // its tables and inflater are reused, as on the worker
    PictureJob job;
    job.ReceivedData = Zlib::deflate(file, 1);
    job.ColorDepth = depth;
    const PictureResult r = decoder.run(std::move(job));
    if (file.size() <= ScreenDecoder::kTrailingSlack && r.ok != !whole.isNull())
        __builtin_trap();
    return 0;
}
