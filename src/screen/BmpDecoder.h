#pragma once
#include <QByteArrayView>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QtGlobal>

#include <array>
#include <optional>
#include <vector>

// Reads the Windows bitmap files of the remote screen straight into the display format
// (QImage::Format_RGB32): 1, 4 and 8 bits with a palette, 16 bits (5-5-5, or any bit fields
// such as 5-6-5), 24 and 32 bits; bottom-up and top-down; BI_RGB and BI_BITFIELDS. Every size,
// offset, count and row is checked against the bytes present before anything is allocated or
// read; anything else is refused with a reason, never guessed at.
//
// Colour depth: 4 and 8 map every pixel to the nearest colour of the fixed 16- and 256-colour
// palettes (the same mapping as FixedPalettes::reduceToDepth); any other value keeps the colours
// as the file holds them (5- and 6-bit channels widened by repeating their top bits).
//
// One decoder keeps the colour tables of the last file it read, so it belongs to one thread.
class BmpDecoder {
public:
    // The largest picture the console accepts is bounded by the memory its decoded form takes
    // (4 bytes a pixel), not by its sides: three 4K monitors side by side (11520 x 2160) take
    // 95 MiB. Each side is still bounded, so that no coordinate arithmetic comes near the
    // ends of int.
    static constexpr qint64 kMaxPictureBytes = qint64(512) << 20;
    static constexpr int kMaxSide = 65535;

    // Why a picture of `width` x `height` pixels (height negative for top-down rows, as a BMP
    // header holds it) is refused, in plain English; empty when it is accepted.
    static QString sizeRefusal(qint64 width, qint64 height);
    // Room the file and info headers, the bit masks and a full palette can take: reading this
    // much of a file is enough for parseHeader.
    static constexpr qsizetype kMaxHeaderBytes = 14 + 124 + 16 + 256 * 4;
    // Where the pixel rows may start at the latest (room for a colour profile before them): the
    // size a file claims must stay what a screen can hold, whatever its offset field says.
    static constexpr qsizetype kMaxPixelOffset = 1 << 20;

    struct Header {
        int width = 0;
        int height = 0; // rows, always positive
        bool topDown = false;
        int bitCount = 0;
        quint32 masks[3] = {0, 0, 0}; // red, green, blue (16 and 32 bits)
        qsizetype paletteOffset = 0;
        int paletteEntries = 0; // entries present in the file (1 to 8 bits)
        qsizetype pixelOffset = 0;
        qsizetype stride = 0; // bytes per row, padded to 4

        // Bytes the file must have for all its rows.
        qsizetype requiredSize() const { return pixelOffset + stride * height; }
        QSize size() const { return {width, height}; }
    };

    // Checks the headers, the bit masks and the palette of a file (or of its first bytes:
    // kMaxHeaderBytes are always enough). The pixel rows are not looked at; requiredSize()
    // says how long the whole file must be.
    static std::optional<Header> parseHeader(QByteArrayView file, QString *why = nullptr);

    // The whole picture; a null image when the file is refused.
    QImage decode(QByteArrayView file, int depth, QString *why = nullptr);

    // The part of the picture that lands inside `clip` when its top left corner is put at `at`
    // (coordinates may lie anywhere in the 32-bit range). `where` receives that part's place;
    // a picture wholly outside gives true with a null image and an empty `where`.
    bool decodeClipped(QByteArrayView file, qint64 atX, qint64 atY, const QRect &clip, int depth,
                       QImage *out, QRect *where, QString *why = nullptr);

    // Draws the picture into `target` (Format_RGB32) with its top left corner at `at`, clipped
    // to the target. Returns false, leaving the target untouched, when the file is refused.
    bool decodeInto(QByteArrayView file, QImage &target, qint64 atX, qint64 atY, int depth,
                    QRect *drawn = nullptr, QString *why = nullptr);

private:
    bool prepare(QByteArrayView file, int depth, Header &h, QString *why);
    void drawRows(const Header &h, const uchar *pixels, QImage &dst, int dstX, int dstY,
                  const QRect &source, int depth) const;
    const std::vector<QRgb> &table16(const quint32 masks[3], int depth);

    std::array<QRgb, 256> m_palette{};
    std::vector<QRgb> m_table16; // 16-bit pixel value -> colour, for m_table16Key
    quint64 m_table16Key = ~quint64(0);
};
