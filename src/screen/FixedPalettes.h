#pragma once
#include <QImage>
#include <QList>
#include <QRgb>

// The colour depths the operator can choose for the remote screen (4, 8 and 15) and the fixed
// palettes behind the two indexed ones. The host encodes its pictures with these palettes and
// the console converts what it shows with the same ones, so a picture reduced twice is the
// picture reduced once.
namespace FixedPalettes {

// The 16 colours of the classic VGA palette.
const QList<QRgb> &palette16();
// The 16 VGA colours, a 6x6x6 colour cube and 24 greys.
const QList<QRgb> &palette256();

// The palette for a depth value: 16 entries for 4, 256 for 8, empty otherwise.
const QList<QRgb> &paletteForDepth(int depth);

// The 5-bit colour cell of a colour: red, green and blue cut to their upper 5 bits, as the
// 15-bit value a 16-bit 5-5-5 pixel holds.
inline quint32 cellOf(QRgb c) {
    return ((c >> 9) & 0x7c00u) | ((c >> 6) & 0x03e0u) | ((c >> 3) & 0x001fu);
}

// The nearest palette index of depth 4 or 8 for each of the 32768 colour cells (cellOf); the
// reduction toIndexed makes, as a table. Null for any other depth.
const quint8 *cellLookup(int depth);

// Format_Indexed8 image of `image` with the palette of depth 4 or 8 as colour table (16 or 256
// entries); each pixel takes the palette colour nearest to it. Null for any other depth.
QImage toIndexed(const QImage &image, int depth);

// `image` as it looks at `depth`, as Format_RGB32: depths 4 and 8 map every pixel to the
// nearest palette colour; 15 keeps the upper 5 bits of each channel, widened back to 8 bits
// as a 16-bit 5-5-5 picture reads back (widenChannel); any other depth leaves the colours
// unchanged.
QImage reduceToDepth(const QImage &image, int depth);

// A channel value of 1 to 8 bits as 8 bits, its top bits repeated below (5 bits:
// v << 3 | v >> 2; 6 bits: v << 2 | v >> 4), so that the darkest and brightest values stay
// 0 and 255: with zeros below, white would come back as 248.
int widenChannel(quint32 value, int bits);

} // namespace FixedPalettes
