#include "screen/BmpWriter.h"
#include "screen/FixedPalettes.h"

#include <QtEndian>

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
void put16(QByteArray &out, quint16 v) { appendLe16(out, v); }
void put32(QByteArray &out, quint32 v) { appendLe32(out, v); }

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

QByteArray build(const QImage &image, int depth, bool fileHeader) {
    const int bits = bitsFor(depth);
    if (bits == 0 || image.isNull())
        return {};
    const QList<QRgb> &palette = FixedPalettes::paletteForDepth(depth);
    const qsizetype stride = ((qsizetype(image.width()) * bits + 31) / 32) * 4;
    const QByteArray rows = pixelRows(image, depth, stride);
    const quint32 headers = (fileHeader ? 14 : 0) + 40 + 4 * quint32(palette.size());

    QByteArray out;
    out.reserve(headers + rows.size());
    if (fileHeader) {
        out.append("BM", 2);
        put32(out, headers + quint32(rows.size()));
        put32(out, 0);
        put32(out, headers);
    }
    put32(out, 40);
    put32(out, quint32(image.width()));
    put32(out, quint32(image.height())); // positive: bottom-up
    put16(out, 1);
    put16(out, quint16(bits));
    put32(out, 0); // BI_RGB
    put32(out, quint32(rows.size()));
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

} // namespace BmpWriter
