#include "screen/BmpDecoder.h"

#include "screen/FixedPalettes.h"

#include <QtEndian>

#include <algorithm>
#include <bit>

namespace {
enum : quint32 { BI_RGB = 0, BI_BITFIELDS = 3 };

quint16 u16(const uchar *p) {
    return qFromLittleEndian<quint16>(p);
}
quint32 u32(const uchar *p) {
    return qFromLittleEndian<quint32>(p);
}
qint32 s32(const uchar *p) {
    return qFromLittleEndian<qint32>(p);
}

bool refuse(QString *why, const char *text) {
    if (why)
        *why = QString::fromLatin1(text);
    return false;
}

bool reduces(int depth) {
    return depth == 4 || depth == 8;
}

// The palette colour of each 5-bit colour cell, taken from FixedPalettes so that the console
// reduces exactly as the host does.
std::vector<QRgb> buildCellTable(int depth) {
    QImage cells(256, 128, QImage::Format_RGB32);
    for (int cell = 0; cell < 32768; ++cell)
        cells.setPixel(cell % 256, cell / 256,
                       qRgb(((cell >> 10) & 31) << 3, ((cell >> 5) & 31) << 3, (cell & 31) << 3));
    const QImage reduced = FixedPalettes::reduceToDepth(cells, depth);
    std::vector<QRgb> table(32768);
    for (int cell = 0; cell < 32768; ++cell)
        table[size_t(cell)] = reduced.pixel(cell % 256, cell / 256) | 0xff000000u;
    return table;
}

const std::vector<QRgb> &cellTable(int depth) {
    static const std::vector<QRgb> table16 = buildCellTable(4);
    static const std::vector<QRgb> table256 = buildCellTable(8);
    return depth == 4 ? table16 : table256;
}

QRgb reduce(QRgb c, const std::vector<QRgb> &cells) {
    return cells[size_t(FixedPalettes::cellOf(c))];
}

// A channel mask as a shift and a width; false when its bits are not contiguous.
bool splitMask(quint32 mask, int &shift, int &bits) {
    if (mask == 0) {
        shift = bits = 0;
        return true;
    }
    shift = std::countr_zero(mask);
    bits = std::popcount(mask);
    return (mask >> shift) == ((bits == 32) ? 0xffffffffu : ((1u << bits) - 1));
}

// A channel value of `bits` bits as 8 bits: narrower channels are widened as the host's
// reduction does it (remote white stays 255), wider ones keep their top 8 bits.
int channel(quint32 value, int shift, int bits) {
    if (bits == 0)
        return 0;
    const quint32 v = (value >> shift) & ((bits == 32) ? 0xffffffffu : ((1u << bits) - 1));
    return bits <= 8 ? FixedPalettes::widenChannel(v, bits) : int(v >> (bits - 8));
}

struct MaskShifts {
    int shift[3] = {0, 0, 0};
    int bits[3] = {0, 0, 0};
    QRgb colour(quint32 v) const {
        return qRgb(channel(v, shift[0], bits[0]), channel(v, shift[1], bits[1]),
                    channel(v, shift[2], bits[2]));
    }
};

MaskShifts shiftsOf(const quint32 masks[3]) {
    MaskShifts m;
    for (int i = 0; i < 3; ++i)
        splitMask(masks[i], m.shift[i], m.bits[i]);
    return m;
}
} // namespace

QString BmpDecoder::sizeRefusal(qint64 width, qint64 height) {
    const qint64 rows = height < 0 ? -height : height;
    if (width < 1 || rows < 1)
        return QStringLiteral("remote picture of %1 x %2 pixels has no pixels")
            .arg(width)
            .arg(rows);
    if (width > kMaxSide || rows > kMaxSide)
        return QStringLiteral("remote picture of %1 x %2 pixels is wider or taller than %3 pixels")
            .arg(width)
            .arg(rows)
            .arg(kMaxSide);
    // Both sides fit 16 bits here, so the product cannot overflow; it is compared in pixels
    // to keep clear of the multiplication by 4 as well.
    if (width * rows > kMaxPictureBytes / 4)
        return QStringLiteral("remote picture of %1 x %2 pixels is too large: it would take %3 "
                              "MiB, more than the %4 MiB allowed")
            .arg(width)
            .arg(rows)
            .arg((width * rows * 4 + (1 << 20) - 1) >> 20)
            .arg(kMaxPictureBytes >> 20);
    return {};
}

std::optional<BmpDecoder::Header> BmpDecoder::parseHeader(QByteArrayView file, QString *why) {
    auto fail = [why](const char *text) -> std::optional<Header> {
        refuse(why, text);
        return std::nullopt;
    };
    const auto *p = reinterpret_cast<const uchar *>(file.data());
    const qsizetype size = file.size();
    if (size < 14 + 40)
        return fail("shorter than the BMP headers");
    if (p[0] != 'B' || p[1] != 'M')
        return fail("not a BMP file");
    const quint32 offBits = u32(p + 10);
    const quint32 infoSize = u32(p + 14);
    if (infoSize != 40 && infoSize != 52 && infoSize != 56 && infoSize != 108 && infoSize != 124)
        return fail("unsupported BMP info header");
    if (size < 14 + qsizetype(infoSize))
        return fail("BMP info header cut short");

    Header h;
    const qint64 width = s32(p + 18);
    const qint64 height = s32(p + 22);
    const int planes = u16(p + 26);
    h.bitCount = u16(p + 28);
    const quint32 compression = u32(p + 30);
    const quint32 colorsUsed = u32(p + 46);
    if (const QString refusal = sizeRefusal(width, height); !refusal.isEmpty()) {
        if (why)
            *why = refusal;
        return std::nullopt;
    }
    if (planes != 1)
        return fail("BMP with more than one plane");
    h.width = int(width);
    h.height = int(height < 0 ? -height : height);
    h.topDown = height < 0;

    switch (h.bitCount) {
    case 1:
    case 4:
    case 8:
    case 24:
        if (compression != BI_RGB)
            return fail("compressed BMP");
        break;
    case 16:
    case 32:
        if (compression != BI_RGB && compression != BI_BITFIELDS)
            return fail("compressed BMP");
        break;
    default:
        return fail("unsupported bits per pixel");
    }

    qsizetype headerEnd = 14 + qsizetype(infoSize);
    if (compression == BI_BITFIELDS) {
        // Masks follow a 40-byte header; later headers hold them in their own fields.
        const qsizetype masksAt = 14 + 40;
        if (infoSize == 40)
            headerEnd += 12;
        if (size < masksAt + 12)
            return fail("BMP bit masks cut short");
        for (int i = 0; i < 3; ++i)
            h.masks[i] = u32(p + masksAt + 4 * i);
        const quint32 limit = h.bitCount == 16 ? 0xffffu : 0xffffffffu;
        for (quint32 m : h.masks) {
            int shift = 0, bits = 0;
            if (m > limit || !splitMask(m, shift, bits))
                return fail("bad BMP bit masks");
        }
    } else if (h.bitCount == 16) {
        h.masks[0] = 0x7c00;
        h.masks[1] = 0x03e0;
        h.masks[2] = 0x001f;
    } else if (h.bitCount == 32) {
        h.masks[0] = 0x00ff0000;
        h.masks[1] = 0x0000ff00;
        h.masks[2] = 0x000000ff;
    }

    if (offBits < headerEnd)
        return fail("BMP pixel data overlaps its headers");
    if (offBits > kMaxPixelOffset)
        return fail("BMP pixel data offset out of range");
    h.pixelOffset = qsizetype(offBits);
    h.paletteOffset = headerEnd;
    if (h.bitCount <= 8) {
        const quint32 maxEntries = 1u << h.bitCount;
        if (colorsUsed > maxEntries)
            return fail("BMP palette larger than its bits allow");
        const quint32 declared = colorsUsed ? colorsUsed : maxEntries;
        // Entries the writer left out before the pixel data read as black.
        const qsizetype room = (h.pixelOffset - headerEnd) / 4;
        h.paletteEntries = int(std::min<qsizetype>(declared, room));
        if (h.paletteEntries < 1)
            return fail("BMP without a palette");
        if (size < h.paletteOffset + 4 * qsizetype(h.paletteEntries))
            return fail("BMP palette cut short");
    } else if (colorsUsed > 256) {
        return fail("BMP palette count out of range");
    }
    h.stride = ((qsizetype(h.width) * h.bitCount + 31) / 32) * 4;
    return h;
}

const std::vector<QRgb> &BmpDecoder::table16(const quint32 masks[3], int depth) {
    const quint64 key = (quint64(masks[0] & 0xffff) << 40) | (quint64(masks[1] & 0xffff) << 24) |
                        (quint64(masks[2] & 0xffff) << 8) | quint64(reduces(depth) ? depth : 15);
    if (key == m_table16Key && !m_table16.empty())
        return m_table16;
    const MaskShifts m = shiftsOf(masks);
    m_table16.resize(65536);
    if (reduces(depth)) {
        const std::vector<QRgb> &cells = cellTable(depth);
        for (quint32 v = 0; v < 65536; ++v)
            m_table16[v] = reduce(m.colour(v), cells);
    } else {
        for (quint32 v = 0; v < 65536; ++v)
            m_table16[v] = m.colour(v);
    }
    m_table16Key = key;
    return m_table16;
}

bool BmpDecoder::prepare(QByteArrayView file, int depth, Header &h, QString *why) {
    const auto header = parseHeader(file, why);
    if (!header)
        return false;
    h = *header;
    if (file.size() < h.requiredSize())
        return refuse(why, "BMP pixel data cut short");
    if (h.bitCount <= 8) {
        const auto *p = reinterpret_cast<const uchar *>(file.data()) + h.paletteOffset;
        m_palette.fill(qRgb(0, 0, 0));
        for (int i = 0; i < h.paletteEntries; ++i)
            m_palette[size_t(i)] = qRgb(p[4 * i + 2], p[4 * i + 1], p[4 * i]);
        if (reduces(depth)) {
            const std::vector<QRgb> &cells = cellTable(depth);
            for (QRgb &c : m_palette)
                c = reduce(c, cells);
        }
    }
    return true;
}

void BmpDecoder::drawRows(const Header &h, const uchar *pixels, QImage &dst, int dstX, int dstY,
                          const QRect &source, int depth) const {
    const int sx = source.left();
    const int n = source.width();
    const bool reduce24 = reduces(depth);
    const std::vector<QRgb> *cells = reduce24 ? &cellTable(depth) : nullptr;
    const MaskShifts m = shiftsOf(h.masks);
    const bool plain32 =
        h.masks[0] == 0x00ff0000 && h.masks[1] == 0x0000ff00 && h.masks[2] == 0x000000ff;
    const QRgb *pal = m_palette.data();
    const QRgb *t16 = h.bitCount == 16 ? m_table16.data() : nullptr;

    for (int r = source.top(); r <= source.bottom(); ++r) {
        const int fileRow = h.topDown ? r : h.height - 1 - r;
        const uchar *row = pixels + qsizetype(fileRow) * h.stride;
        auto *out = reinterpret_cast<QRgb *>(dst.scanLine(dstY + r - source.top())) + dstX;
        switch (h.bitCount) {
        case 1:
            for (int i = 0; i < n; ++i) {
                const int x = sx + i;
                out[i] = pal[(row[x >> 3] >> (7 - (x & 7))) & 1];
            }
            break;
        case 4:
            for (int i = 0; i < n; ++i) {
                const int x = sx + i;
                const uchar b = row[x >> 1];
                out[i] = pal[(x & 1) ? (b & 15) : (b >> 4)];
            }
            break;
        case 8:
            for (int i = 0; i < n; ++i)
                out[i] = pal[row[sx + i]];
            break;
        case 16: {
            const uchar *s = row + 2 * qsizetype(sx);
            for (int i = 0; i < n; ++i, s += 2)
                out[i] = t16[s[0] | (s[1] << 8)];
            break;
        }
        case 24: {
            const uchar *s = row + 3 * qsizetype(sx);
            if (cells) {
                for (int i = 0; i < n; ++i, s += 3)
                    out[i] =
                        (*cells)[size_t(((s[2] >> 3) << 10) | ((s[1] >> 3) << 5) | (s[0] >> 3))];
            } else {
                for (int i = 0; i < n; ++i, s += 3)
                    out[i] = 0xff000000u | (quint32(s[2]) << 16) | (quint32(s[1]) << 8) | s[0];
            }
            break;
        }
        case 32: {
            const uchar *s = row + 4 * qsizetype(sx);
            for (int i = 0; i < n; ++i, s += 4) {
                const quint32 v = u32(s);
                const QRgb c = plain32 ? (0xff000000u | (v & 0x00ffffffu)) : m.colour(v);
                out[i] = cells ? reduce(c, *cells) : c;
            }
            break;
        }
        default:
            break;
        }
    }
}

QImage BmpDecoder::decode(QByteArrayView file, int depth, QString *why) {
    QImage out;
    QRect where;
    const QRect all(0, 0, kMaxSide, kMaxSide);
    if (!decodeClipped(file, 0, 0, all, depth, &out, &where, why))
        return {};
    return out;
}

bool BmpDecoder::decodeClipped(QByteArrayView file, qint64 atX, qint64 atY, const QRect &clip,
                               int depth, QImage *out, QRect *where, QString *why) {
    *out = QImage();
    *where = QRect();
    Header h;
    if (!prepare(file, depth, h, why))
        return false;
    // In 64 bits: a corner near the ends of the 32-bit range must not wrap.
    const qint64 left = std::max<qint64>(atX, clip.left());
    const qint64 top = std::max<qint64>(atY, clip.top());
    const qint64 right = std::min<qint64>(atX + h.width, qint64(clip.left()) + clip.width());
    const qint64 bottom = std::min<qint64>(atY + h.height, qint64(clip.top()) + clip.height());
    if (left >= right || top >= bottom)
        return true;
    const QRect source(int(left - atX), int(top - atY), int(right - left), int(bottom - top));
    QImage img(source.size(), QImage::Format_RGB32);
    if (img.isNull()) {
        if (why)
            *why = QStringLiteral("not enough memory for a remote picture of %1 x %2 pixels")
                       .arg(source.width())
                       .arg(source.height());
        return false;
    }
    if (h.bitCount == 16)
        table16(h.masks, depth);
    drawRows(h, reinterpret_cast<const uchar *>(file.data()) + h.pixelOffset, img, 0, 0, source,
             depth);
    *out = std::move(img);
    *where = QRect(int(left), int(top), source.width(), source.height());
    return true;
}

bool BmpDecoder::decodeInto(QByteArrayView file, QImage &target, qint64 atX, qint64 atY, int depth,
                            QRect *drawn, QString *why) {
    if (drawn)
        *drawn = QRect();
    if (target.format() != QImage::Format_RGB32)
        return refuse(why, "target is not in the display format");
    Header h;
    if (!prepare(file, depth, h, why))
        return false;
    const qint64 left = std::max<qint64>(atX, 0);
    const qint64 top = std::max<qint64>(atY, 0);
    const qint64 right = std::min<qint64>(atX + h.width, target.width());
    const qint64 bottom = std::min<qint64>(atY + h.height, target.height());
    if (left >= right || top >= bottom)
        return true;
    const QRect source(int(left - atX), int(top - atY), int(right - left), int(bottom - top));
    if (h.bitCount == 16)
        table16(h.masks, depth);
    drawRows(h, reinterpret_cast<const uchar *>(file.data()) + h.pixelOffset, target, int(left),
             int(top), source, depth);
    if (drawn)
        *drawn = QRect(int(left), int(top), source.width(), source.height());
    return true;
}
