#include "screen/FixedPalettes.h"

#include <array>
#include <climits>
#include <vector>

namespace FixedPalettes {
namespace {
const QList<QRgb> kVga = {
    qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
    qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
    qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
    qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255),
};

QList<QRgb> build256() {
    QList<QRgb> p = kVga;
    static const int levels[6] = {0, 51, 102, 153, 204, 255};
    for (int r : levels)
        for (int g : levels)
            for (int b : levels)
                p.append(qRgb(r, g, b));
    // Greys that fall into 5-bit cells no other entry uses, so that the lookup below can send
    // every palette colour to itself.
    std::array<bool, 32> used{};
    for (QRgb c : p)
        if (qRed(c) == qGreen(c) && qGreen(c) == qBlue(c))
            used[size_t(qRed(c) >> 3)] = true;
    for (int cell = 0; cell < 32; ++cell)
        if (!used[size_t(cell)])
            p.append(qRgb(cell * 8 + 4, cell * 8 + 4, cell * 8 + 4));
    Q_ASSERT(p.size() == 256);
    return p;
}

// Nearest palette index for each of the 32768 five-bit colour cells. Each palette colour owns
// its own cell (the palettes are built so that no two distinct colours share one), which makes
// the reduction idempotent.
std::vector<quint8> buildLookup(const QList<QRgb> &palette) {
    std::vector<quint8> lut(32768);
    for (int cell = 0; cell < 32768; ++cell) {
        const int r = ((cell >> 10) & 31) * 8 + 4;
        const int g = ((cell >> 5) & 31) * 8 + 4;
        const int b = (cell & 31) * 8 + 4;
        int best = 0;
        int bestDist = INT_MAX;
        for (int i = 0; i < palette.size(); ++i) {
            const int dr = qRed(palette[i]) - r;
            const int dg = qGreen(palette[i]) - g;
            const int db = qBlue(palette[i]) - b;
            const int d = dr * dr + dg * dg + db * db;
            if (d < bestDist) {
                bestDist = d;
                best = i;
            }
        }
        lut[size_t(cell)] = quint8(best);
    }
    for (int i = int(palette.size()) - 1; i >= 0; --i)
        lut[size_t(cellOf(palette[i]))] = quint8(i);
    return lut;
}

const std::vector<quint8> &lookupFor(int depth) {
    static const std::vector<quint8> lut16 = buildLookup(palette16());
    static const std::vector<quint8> lut256 = buildLookup(palette256());
    return depth == 4 ? lut16 : lut256;
}
} // namespace

const quint8 *cellLookup(int depth) {
    if (depth != 4 && depth != 8)
        return nullptr;
    return lookupFor(depth).data();
}

const QList<QRgb> &palette16() {
    return kVga;
}

const QList<QRgb> &palette256() {
    static const QList<QRgb> p = build256();
    return p;
}

const QList<QRgb> &paletteForDepth(int depth) {
    static const QList<QRgb> none;
    if (depth == 4)
        return palette16();
    if (depth == 8)
        return palette256();
    return none;
}

QImage toIndexed(const QImage &image, int depth) {
    if ((depth != 4 && depth != 8) || image.isNull())
        return {};
    const QImage src = image.convertToFormat(QImage::Format_RGB32);
    const std::vector<quint8> &lut = lookupFor(depth);
    QImage out(src.size(), QImage::Format_Indexed8);
    out.setColorTable(paletteForDepth(depth));
    for (int y = 0; y < src.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(src.constScanLine(y));
        uchar *dst = out.scanLine(y);
        for (int x = 0; x < src.width(); ++x)
            dst[x] = lut[size_t(cellOf(in[x]))];
    }
    return out;
}

QImage reduceToDepth(const QImage &image, int depth) {
    if (image.isNull())
        return {};
    if (depth == 4 || depth == 8)
        return toIndexed(image, depth).convertToFormat(QImage::Format_RGB32);
    QImage out = image.convertToFormat(QImage::Format_RGB32);
    if (depth != 15)
        return out;
    for (int y = 0; y < out.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            line[x] = qRgb(widenChannel(quint32(qRed(line[x])) >> 3, 5),
                           widenChannel(quint32(qGreen(line[x])) >> 3, 5),
                           widenChannel(quint32(qBlue(line[x])) >> 3, 5));
    }
    return out;
}

int widenChannel(quint32 value, int bits) {
    if (bits <= 0)
        return 0;
    if (bits >= 8)
        return int(value & 0xff);
    value &= (1u << bits) - 1;
    quint32 wide = value << (8 - bits);
    for (int filled = bits; filled < 8; filled += bits)
        wide |= wide >> bits;
    return int(wide & 0xff);
}

} // namespace FixedPalettes
