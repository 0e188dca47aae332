#include "screen/BmpWriter.h"
#include "screen/FixedPalettes.h"

#include <QtEndian>

#include <cstring>

namespace BmpWriter {

void appendLe16(QByteArray &out, quint16 v) {
    const quint16 le = qToLittleEndian(v);
    out.append(reinterpret_cast<const char *>(&le), 2);
}

void appendLe32(QByteArray &out, quint32 v) {
    const quint32 le = qToLittleEndian(v);
    out.append(reinterpret_cast<const char *>(&le), 4);
}

namespace {
void put16(QByteArray &out, quint16 v) {
    appendLe16(out, v);
}
void put32(QByteArray &out, quint32 v) {
    appendLe32(out, v);
}

int bitsFor(int depth) {
    switch (depth) {
    case 4:
        return 4;
    case 8:
        return 8;
    case 15:
        return 16;
    case 24:
        return 24;
    default:
        return 0;
    }
}

QByteArray pixelRows(const QImage &image, int depth, qsizetype stride) {
    const int w = image.width();
    const int h = image.height();
    QByteArray rows(stride * h, '\0');
    if (depth == 4 || depth == 8) {
        const QImage idx = FixedPalettes::toIndexed(image, depth);
        for (int y = 0; y < h; ++y) {
            const uchar *src = idx.constScanLine(y);
            auto *dst = reinterpret_cast<uchar *>(rows.data() + stride * (h - 1 - y));
            if (depth == 8) {
                memcpy(dst, src, size_t(w));
            } else {
                for (int x = 0; x < w; ++x)
                    dst[x / 2] |= (x % 2 == 0) ? uchar(src[x] << 4) : src[x];
            }
        }
        return rows;
    }
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        const auto *src = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        auto *dst = reinterpret_cast<uchar *>(rows.data() + stride * (h - 1 - y));
        for (int x = 0; x < w; ++x) {
            const QRgb c = src[x];
            if (depth == 15) {
                const quint16 v =
                    quint16(((qRed(c) >> 3) << 10) | ((qGreen(c) >> 3) << 5) | (qBlue(c) >> 3));
                dst[2 * x] = uchar(v & 0xff);
                dst[2 * x + 1] = uchar(v >> 8);
            } else {
                dst[3 * x] = uchar(qBlue(c));
                dst[3 * x + 1] = uchar(qGreen(c));
                dst[3 * x + 2] = uchar(qRed(c));
            }
        }
    }
    return rows;
}

quint32 headerSize(int depth, bool fileHeader) {
    return (fileHeader ? 14 : 0) + 40 + 4 * quint32(FixedPalettes::paletteForDepth(depth).size());
}

qsizetype strideFor(int width, int bits) {
    return ((qsizetype(width) * bits + 31) / 32) * 4;
}

// The file header (when asked), the info header and the fixed palette of `depth`.
void putHeaders(QByteArray &out, int width, int height, int depth, quint32 rowBytes,
                bool fileHeader) {
    const QList<QRgb> &palette = FixedPalettes::paletteForDepth(depth);
    const quint32 headers = headerSize(depth, fileHeader);
    if (fileHeader) {
        out.append("BM", 2);
        put32(out, headers + rowBytes);
        put32(out, 0);
        put32(out, headers);
    }
    put32(out, 40);
    put32(out, quint32(width));
    put32(out, quint32(height)); // positive: bottom-up
    put16(out, 1);
    put16(out, quint16(bitsFor(depth)));
    put32(out, 0); // BI_RGB
    put32(out, rowBytes);
    put32(out, 2835); // 72 dpi
    put32(out, 2835);
    put32(out, quint32(palette.size()));
    put32(out, 0);
    for (QRgb c : palette) {
        out.append(char(qBlue(c)));
        out.append(char(qGreen(c)));
        out.append(char(qRed(c)));
        out.append('\0');
    }
}

QByteArray build(const QImage &image, int depth, bool fileHeader) {
    const int bits = bitsFor(depth);
    if (bits == 0 || image.isNull())
        return {};
    const qsizetype stride = strideFor(image.width(), bits);
    const QByteArray rows = pixelRows(image, depth, stride);
    QByteArray out;
    out.reserve(headerSize(depth, fileHeader) + rows.size());
    putHeaders(out, image.width(), image.height(), depth, quint32(rows.size()), fileHeader);
    out.append(rows);
    return out;
}
} // namespace

QByteArray encode(const QImage &image, int depth) {
    return build(image, depth, true);
}

QByteArray encodeDib(const QImage &image, int depth) {
    return build(image, depth, false);
}

QByteArray encodeWire(const WirePixels &pixels, const QRect &rect) {
    const int bits = bitsFor(pixels.depth);
    if (bits == 0 || bits == 24 || rect.isEmpty() || !pixels.bits)
        return {};
    const int w = rect.width();
    const int h = rect.height();
    const qsizetype stride = strideFor(w, bits);
    const qsizetype headers = headerSize(pixels.depth, true);
    QByteArray out;
    out.reserve(headers + stride * h);
    putHeaders(out, w, h, pixels.depth, quint32(stride * h), true);
    out.resize(headers + stride * h);
    const int bytesPerPixel = pixels.depth == 15 ? 2 : 1;
    for (int y = 0; y < h; ++y) {
        const uchar *src = pixels.bits + (qsizetype(rect.y()) + y) * pixels.stride +
                           qsizetype(rect.x()) * bytesPerPixel;
        auto *dst = reinterpret_cast<uchar *>(out.data() + headers + stride * (h - 1 - y));
        qsizetype used = 0;
        if (pixels.depth == 4) {
            for (int x = 0; x + 1 < w; x += 2)
                dst[x / 2] = uchar((src[x] << 4) | (src[x + 1] & 15));
            if (w % 2)
                dst[w / 2] = uchar(src[w - 1] << 4);
            used = (w + 1) / 2;
        } else if (pixels.depth == 8 || Q_BYTE_ORDER == Q_LITTLE_ENDIAN) {
            used = qsizetype(w) * bytesPerPixel;
            std::memcpy(dst, src, size_t(used));
        } else {
            for (int x = 0; x < w; ++x) {
                const quint16 v = reinterpret_cast<const quint16 *>(src)[x];
                dst[2 * x] = uchar(v & 0xff);
                dst[2 * x + 1] = uchar(v >> 8);
            }
            used = qsizetype(w) * 2;
        }
        std::memset(dst + used, 0, size_t(stride - used));
    }
    return out;
}

} // namespace BmpWriter
