#include "HostileBodies.h"
#include "common/Zlib.h"
#include "screen/BmpWriter.h"
#include "screen/RectListWriter.h"

#include <QImage>
#include <QRandomGenerator>
#include <QtEndian>
#include <zlib.h>

#include <climits>

namespace localgw {

namespace HostileBodies {
namespace {
struct Entry {
    HostileKind kind;
    const char *name;
    Slot slot;
};

const Entry kEntries[] = {
    {HostileKind::ZlibBomb, "zlib-bomb", Slot::FullPicture},
    {HostileKind::ZlibTruncated, "zlib-truncated", Slot::FullPicture},
    {HostileKind::ZlibOfGarbage, "zlib-garbage", Slot::FullPicture},
    {HostileKind::RandomBytes, "random-bytes", Slot::FullPicture},
    {HostileKind::BmpHugeDimensions, "bmp-huge-dimensions", Slot::FullPicture},
    {HostileKind::BmpHugePalette, "bmp-huge-palette", Slot::FullPicture},
    {HostileKind::BmpCutShort, "bmp-cut-short", Slot::FullPicture},
    {HostileKind::RectNegativeLength, "rect-negative-length", Slot::Update},
    {HostileKind::RectOverlongLength, "rect-overlong-length", Slot::Update},
    {HostileKind::RectFarOutside, "rect-far-outside", Slot::Update},
    {HostileKind::RectTruncatedLast, "rect-truncated-last", Slot::Update},
    {HostileKind::HugeMessage, "huge-message", Slot::PollMessage},
    {HostileKind::MillionLines, "million-lines", Slot::StringList},
};

const Entry &entryOf(HostileKind kind) {
    for (const Entry &e : kEntries)
        if (e.kind == kind)
            return e;
    return kEntries[0];
}

using BmpWriter::appendLe16;
using BmpWriter::appendLe32;
void put16(QByteArray &out, quint16 v) { appendLe16(out, v); }
void put32(QByteArray &out, quint32 v) { appendLe32(out, v); }

// File and info header with whatever the caller claims.
QByteArray bmpHeader(qint32 width, qint32 height, quint16 bits, quint32 colorsUsed, quint32 offBits,
                     quint32 fileSize) {
    QByteArray out("BM");
    put32(out, fileSize);
    put32(out, 0);
    put32(out, offBits);
    put32(out, 40);
    put32(out, quint32(width));
    put32(out, quint32(height));
    put16(out, 1);
    put16(out, bits);
    put32(out, 0);
    put32(out, 0);
    put32(out, 2835);
    put32(out, 2835);
    put32(out, colorsUsed);
    put32(out, 0);
    return out;
}

QImage samplePicture(QSize size) {
    QImage img(size.isValid() ? size : QSize(64, 48), QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            img.setPixel(x, y, qRgb((x * 7) & 255, (y * 5) & 255, ((x + y) * 3) & 255));
    return img;
}

QByteArray randomBytes(qsizetype n, quint32 seed) {
    QRandomGenerator gen(seed);
    QByteArray out(n, '\0');
    for (qsizetype i = 0; i < n; ++i)
        out[i] = char(gen.bounded(256));
    return out;
}

QByteArray rectList(HostileKind kind) {
    const QByteArray small = BmpWriter::encode(samplePicture({16, 16}), 15);
    RectListWriter w;
    switch (kind) {
    case HostileKind::RectNegativeLength:
        w.append(0, 0, small);
        w.appendRaw(10, 10, -5, small);
        break;
    case HostileKind::RectOverlongLength:
        w.appendRaw(0, 0, INT_MAX - 16, small);
        break;
    case HostileKind::RectFarOutside:
        w.append(2000000000, -2000000000, small);
        w.append(INT_MAX, INT_MAX, small);
        w.append(INT_MIN, 0, small);
        break;
    case HostileKind::RectTruncatedLast:
    default:
        w.append(0, 0, small);
        w.append(32, 32, small);
        w.appendRaw(64, 64, qint32(small.size()), small.left(small.size() / 2));
        break;
    }
    return w.data();
}
} // namespace

QList<HostileKind> all() {
    QList<HostileKind> out;
    for (const Entry &e : kEntries)
        out.append(e.kind);
    return out;
}

QByteArray name(HostileKind kind) {
    return entryOf(kind).name;
}

std::optional<HostileKind> fromName(const QByteArray &name) {
    for (const Entry &e : kEntries)
        if (name == e.name)
            return e.kind;
    return std::nullopt;
}

Slot slotOf(HostileKind kind) {
    return entryOf(kind).slot;
}

QByteArray noticeOf(HostileKind kind) {
    switch (slotOf(kind)) {
    case Slot::FullPicture:
        return "GScr";
    case Slot::Update:
        return "UScr?md1";
    case Slot::StringList:
        return "StrlGScM";
    case Slot::PollMessage:
        break;
    }
    return body(kind);
}

QByteArray zlibBomb(qint64 outputBytes) {
    constexpr qint64 kChunk = 1 << 20;
    const QByteArray zeros(kChunk, '\0');
    // One raw deflate segment that ends on a byte boundary without closing the stream: a
    // sync flush leaves the last block open-ended, so copies can follow each other.
    z_stream zs{};
    deflateInit2(&zs, 9, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY);
    QByteArray segment(int(deflateBound(&zs, kChunk)) + 64, '\0');
    zs.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(zeros.data()));
    zs.avail_in = uInt(kChunk);
    zs.next_out = reinterpret_cast<Bytef *>(segment.data());
    zs.avail_out = uInt(segment.size());
    deflate(&zs, Z_SYNC_FLUSH);
    segment.resize(segment.size() - zs.avail_out);
    deflateEnd(&zs);

    const qint64 copies = std::max<qint64>(1, outputBytes / kChunk);
    QByteArray out;
    out.reserve(2 + segment.size() * copies + 8);
    out.append("\x78\xda", 2);
    const uLong chunkAdler =
        adler32(adler32(0, nullptr, 0), reinterpret_cast<const Bytef *>(zeros.constData()), kChunk);
    uLong adler = adler32(0, nullptr, 0);
    for (qint64 i = 0; i < copies; ++i) {
        out.append(segment);
        adler = adler32_combine(adler, chunkAdler, kChunk);
    }
    out.append("\x03\x00", 2); // an empty final block
    const quint32 be = qToBigEndian(quint32(adler));
    out.append(reinterpret_cast<const char *>(&be), 4);
    return out;
}

QByteArray body(HostileKind kind, QSize screen) {
    if (!screen.isValid())
        screen = {1024, 768};
    switch (kind) {
    case HostileKind::ZlibBomb:
        return zlibBomb(qint64(1) << 30);
    case HostileKind::ZlibTruncated: {
        const QByteArray whole = Zlib::deflate(BmpWriter::encode(samplePicture(screen), 15));
        return whole.left(whole.size() / 2);
    }
    case HostileKind::ZlibOfGarbage:
        return Zlib::deflate(randomBytes(64 * 1024, 7));
    case HostileKind::RandomBytes:
        return randomBytes(64 * 1024, 11);
    case HostileKind::BmpHugeDimensions: {
        QByteArray bmp = bmpHeader(1000000, 1000000, 24, 0, 54, 0xffffffffu);
        bmp.append(QByteArray(4096, '\x55'));
        return Zlib::deflate(bmp);
    }
    case HostileKind::BmpHugePalette: {
        QByteArray bmp = bmpHeader(64, 48, 8, 0x7fffffffu, 54 + 1024, 54 + 1024 + 64 * 48);
        bmp.append(QByteArray(1024 + 64 * 48, '\x21'));
        return Zlib::deflate(bmp);
    }
    case HostileKind::BmpCutShort: {
        const QByteArray whole = BmpWriter::encode(samplePicture(screen), 15);
        return Zlib::deflate(whole.left(54 + (whole.size() - 54) / 2));
    }
    case HostileKind::RectNegativeLength:
    case HostileKind::RectOverlongLength:
    case HostileKind::RectFarOutside:
    case HostileKind::RectTruncatedLast:
        return Zlib::deflate(rectList(kind));
    case HostileKind::HugeMessage: {
        QByteArray msg("ChSt?");
        const QByteArray filler("0123456789 abcdefghijklmnopqrstuvwxyz ");
        while (msg.size() < 10 * 1024 * 1024)
            msg.append(filler);
        return msg.left(10 * 1024 * 1024);
    }
    case HostileKind::MillionLines: {
        QByteArray lines;
        lines.reserve(9 * 1000001);
        for (int i = 0; i < 1000000; ++i)
            lines.append("800 600\r\n");
        lines.append("0\r\n");
        return Zlib::deflate(lines);
    }
    }
    return {};
}

} // namespace HostileBodies

} // namespace localgw
