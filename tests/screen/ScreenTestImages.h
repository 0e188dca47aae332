#pragma once
// Pictures and bitmap files for the screen tests: test patterns, and BMP files built field by
// field, so that forms the host's own writer never produces are covered too.
#include <QByteArray>
#include <QImage>
#include <QList>
#include <QtEndian>

namespace ScreenTestImages {

// A picture with many colours, every pixel different from its neighbours.
inline QImage pattern(int w, int h, int seed = 0) {
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y,
                         qRgb((x * 37 + y * 11 + seed * 53) & 255, (x * 5 + y * 71 + seed) & 255,
                              (x * 113 + y * 29 + seed * 7) & 255));
    return img;
}

inline QImage filled(int w, int h, QRgb colour) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(colour);
    return img;
}

inline void put16(QByteArray &out, quint16 v) {
    const quint16 le = qToLittleEndian(v);
    out.append(reinterpret_cast<const char *>(&le), 2);
}

inline void put32(QByteArray &out, quint32 v) {
    const quint32 le = qToLittleEndian(v);
    out.append(reinterpret_cast<const char *>(&le), 4);
}

// Rows of a picture as a BMP holds them, top row first (the builder orders them).
struct Form {
    int bits = 24;
    quint32 compression = 0; // 0 BI_RGB, 3 BI_BITFIELDS
    QList<quint32> masks;    // written after a 40-byte header, or inside a larger one
    QList<QRgb> palette;     // written as given
    quint32 colorsUsed = 0;  // biClrUsed as written
    quint32 infoSize = 40;   // 40, 52, 56, 108 or 124
    bool topDown = false;
    quint8 padByte = 0; // 32 bits BI_RGB: the unused fourth byte

    static Form of(int bits) {
        Form f;
        f.bits = bits;
        return f;
    }
    // BI_BITFIELDS with these masks.
    Form &fields(const QList<quint32> &m) {
        compression = 3;
        masks = m;
        return *this;
    }
    Form &colours(const QList<QRgb> &p, quint32 used = 0) {
        palette = p;
        colorsUsed = used;
        return *this;
    }
    Form &info(quint32 size) {
        infoSize = size;
        return *this;
    }
    Form &down() {
        topDown = true;
        return *this;
    }
    Form &pad(quint8 b) {
        padByte = b;
        return *this;
    }
};

// A pixel of `c` in 16 bits with the given masks (5-5-5 when none).
inline quint16 pack16(QRgb c, const QList<quint32> &masks) {
    const quint32 m[3] = {masks.value(0, 0x7c00), masks.value(1, 0x03e0), masks.value(2, 0x001f)};
    const int v[3] = {qRed(c), qGreen(c), qBlue(c)};
    quint32 out = 0;
    for (int i = 0; i < 3; ++i) {
        const int shift = __builtin_ctz(m[i]);
        const int bits = __builtin_popcount(m[i]);
        out |= (quint32(v[i]) >> (8 - bits)) << shift;
    }
    return quint16(out);
}

// A BMP file of `indexes` (1 to 8 bits, values into the form's palette) or of `image`.
inline QByteArray build(const Form &f, const QImage &image, const QList<QList<int>> &indexes = {}) {
    const int w = indexes.isEmpty() ? image.width() : int(indexes[0].size());
    const int h = indexes.isEmpty() ? image.height() : int(indexes.size());
    const int stride = ((w * f.bits + 31) / 32) * 4;
    QByteArray rows;
    for (int r = 0; r < h; ++r) {
        const int y = f.topDown ? r : h - 1 - r;
        QByteArray row(stride, '\0');
        for (int x = 0; x < w; ++x) {
            auto *p = reinterpret_cast<uchar *>(row.data());
            if (f.bits <= 8) {
                const int i = indexes[y][x];
                const int perByte = 8 / f.bits;
                const int shift = 8 - f.bits * (x % perByte + 1);
                p[x / perByte] |= uchar(i << shift);
                continue;
            }
            const QRgb c = image.pixel(x, y);
            if (f.bits == 16) {
                const quint16 v = pack16(c, f.masks);
                p[2 * x] = uchar(v & 0xff);
                p[2 * x + 1] = uchar(v >> 8);
            } else if (f.bits == 24) {
                p[3 * x] = uchar(qBlue(c));
                p[3 * x + 1] = uchar(qGreen(c));
                p[3 * x + 2] = uchar(qRed(c));
            } else {
                quint32 v = 0;
                if (f.masks.isEmpty()) {
                    v = (quint32(f.padByte) << 24) | (c & 0xffffff);
                } else {
                    const int ch[3] = {qRed(c), qGreen(c), qBlue(c)};
                    for (int i = 0; i < 3; ++i)
                        v |= quint32(ch[i]) << __builtin_ctz(f.masks[i]);
                }
                qToLittleEndian(v, p + 4 * x);
            }
        }
        rows.append(row);
    }
    const bool masksAfter = f.infoSize == 40 && !f.masks.isEmpty();
    const quint32 headers = 14 + f.infoSize + (masksAfter ? 4 * quint32(f.masks.size()) : 0) +
                            4 * quint32(f.palette.size());
    QByteArray out("BM");
    put32(out, headers + quint32(rows.size()));
    put32(out, 0);
    put32(out, headers);
    QByteArray info;
    put32(info, f.infoSize);
    put32(info, quint32(w));
    put32(info, quint32(f.topDown ? -h : h));
    put16(info, 1);
    put16(info, quint16(f.bits));
    put32(info, f.compression);
    put32(info, quint32(rows.size()));
    put32(info, 2835);
    put32(info, 2835);
    put32(info, f.colorsUsed);
    put32(info, 0);
    if (!masksAfter)
        for (quint32 m : f.masks)
            put32(info, m);
    info.resize(f.infoSize, '\0');
    out.append(info);
    if (masksAfter)
        for (quint32 m : f.masks)
            put32(out, m);
    for (QRgb c : f.palette) {
        out.append(char(qBlue(c)));
        out.append(char(qGreen(c)));
        out.append(char(qRed(c)));
        out.append('\0');
    }
    out.append(rows);
    return out;
}

// The picture `indexes` stand for with `palette`.
inline QImage fromIndexes(const QList<QList<int>> &indexes, const QList<QRgb> &palette) {
    QImage img(int(indexes[0].size()), int(indexes.size()), QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            img.setPixel(x, y, palette.value(indexes[y][x], qRgb(0, 0, 0)));
    return img;
}

inline QList<QList<int>> indexPattern(int w, int h, int count) {
    QList<QList<int>> out;
    for (int y = 0; y < h; ++y) {
        QList<int> row;
        for (int x = 0; x < w; ++x)
            row.append((x * 3 + y * 5 + x * y) % count);
        out.append(row);
    }
    return out;
}

} // namespace ScreenTestImages
