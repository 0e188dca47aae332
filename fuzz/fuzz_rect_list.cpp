// Rectangle lists: the container's records and their pictures drawn onto a small screen.
#include "common/Zlib.h"
#include "screen/ScreenDecoder.h"
#include "screen/ScreenFrame.h"
#include "screen/TMultiStream.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 1)
        return 0;
    const QByteArrayView list(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));

    // The container alone: every record lies inside the data and the position only grows.
    TMultiStream c;
    c.Data() = list.toByteArray();
    qint32 x = 0;
    qint32 y = 0;
    QByteArrayView image;
    qint64 last = 0;
    int records = 0;
    while (c.ReadNext(x, y, image)) {
        ++records;
        if (image.data() < c.Data().constData() ||
            image.data() + image.size() > c.Data().constData() + c.Size() || c.Position() <= last)
            __builtin_trap();
        last = c.Position();
    }

    // The same list through a decoding job and onto the shown picture.
    static const int depths[] = {4, 8, 15};
    ScreenFrame frame;
    PictureResult full;
    full.ok = true;
    full.replacement = QImage(48, 32, QImage::Format_RGB32);
    full.replacement.fill(Qt::darkCyan);
    frame.apply(std::move(full));

    PictureJob job;
    job.DecodeMode = PictureJob::RectangleList;
    job.ReceivedData = Zlib::deflate(list, 1);
    job.ColorDepth = depths[data[0] % 3];
    job.frame = frame.picture();
    job.convertFrame = frame.needsConversion(job.ColorDepth);
    static ScreenDecoder decoder; // its tables and inflater are reused, as on the worker
    PictureResult r = decoder.run(std::move(job));
    if (!r.ok || r.records != records)
        __builtin_trap();
    for (const ScreenPatch &p : r.patches)
        if (!frame.picture().rect().contains(QRect(p.at, p.pixels.size())))
            __builtin_trap();
    frame.apply(std::move(r));
    if (frame.picture().size() != QSize(48, 32))
        __builtin_trap();
    return 0;
}
