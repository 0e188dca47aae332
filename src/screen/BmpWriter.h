#pragma once
#include <QByteArray>
#include <QImage>
#include <QRect>

// Windows bitmap files as the host sends its screen pictures: BITMAPFILEHEADER ("BM") and
// BITMAPINFOHEADER (40 bytes), bottom-up rows padded to 4 bytes, no compression (BI_RGB).
namespace BmpWriter {

// Depth 4 and 8 write indexed pixels with the fixed palettes (all 16 or 256 entries, counted
// in biClrUsed); 15 writes 16-bit pixels in 5-5-5 layout; 24 writes 24-bit BGR. Any other depth
// or a null image gives an empty result.
QByteArray encode(const QImage &image, int depth);

// Little-endian fields as BMP headers and rectangle records hold them.
void appendLe16(QByteArray &out, quint16 value);
void appendLe32(QByteArray &out, quint32 value);

// The same bitmap without the 14-byte file header, as the clipboard's DIB format holds it.
QByteArray encodeDib(const QImage &image, int depth);

// Pixels as the simulated host keeps its screen, ready for the wire: one byte per pixel (an
// index into the fixed palette) for depths 4 and 8, one 16-bit 5-5-5 value in host byte order
// for 15; rows top-down, `stride` bytes apart.
struct WirePixels {
    const uchar *bits = nullptr;
    qsizetype stride = 0;
    int depth = 15;
};

// The BMP file of `rect` of such pixels, as encode() writes it; the rows are copied (packed
// for depth 4), not converted. The rectangle must lie inside the pixels.
QByteArray encodeWire(const WirePixels &pixels, const QRect &rect);

} // namespace BmpWriter
