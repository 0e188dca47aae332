#pragma once
#include <QByteArray>
#include <QImage>

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

} // namespace BmpWriter
