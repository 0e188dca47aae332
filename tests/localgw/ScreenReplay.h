#pragma once
// What a console does with the host's pictures, in its plainest form: the reference the
// gateway's tests compare the host's own idea of the shown picture with.
#include "common/Zlib.h"

#include <QImage>
#include <QPainter>
#include <QtEndian>
#include <optional>

namespace ScreenReplay {

// Bits per pixel of a BMP file (0 when it is too short to say).
inline int bitCount(const QByteArray &file) {
    return file.size() >= 30 ? qFromLittleEndian<quint16>(file.constData() + 28) : 0;
}

inline std::optional<QImage> bmp(const QByteArray &file) {
    QImage img;
    if (!img.loadFromData(file, "BMP"))
        return std::nullopt;
    img = img.convertToFormat(QImage::Format_RGB32);
    if (bitCount(file) == 16) {
        // Qt's reader leaves the low bits of the host's 5-bit channels 0; a console repeats
        // the top bits there, so that 31 is 255.
        const auto wide = [](int v) { return v | v >> 5; };
        for (int y = 0; y < img.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
            for (int x = 0; x < img.width(); ++x)
                line[x] = qRgb(wide(qRed(line[x])), wide(qGreen(line[x])), wide(qBlue(line[x])));
        }
    }
    return img;
}

struct Record {
    qint32 x = 0;
    qint32 y = 0;
    QByteArray image;
};

// The complete records of a rectangle list; a cut-short or inconsistent record ends the list.
inline QList<Record> records(const QByteArray &list) {
    QList<Record> out;
    qsizetype pos = 0;
    while (list.size() - pos >= 12) {
        Record r;
        r.x = qFromLittleEndian<qint32>(list.constData() + pos);
        r.y = qFromLittleEndian<qint32>(list.constData() + pos + 4);
        const qint32 n = qFromLittleEndian<qint32>(list.constData() + pos + 8);
        if (n <= 0 || n > list.size() - pos - 12)
            break;
        r.image = list.mid(pos + 12, n);
        out.append(r);
        pos += 12 + n;
    }
    return out;
}

// Applies one fetched body to the shown picture: "GScr" replaces it, "UScr" pastes a BMP at the
// top left, "UScr?md1" draws each record. False when the body does not decode.
inline bool apply(QImage &shown, const QByteArray &notice, const QByteArray &body) {
    const auto inflated = Zlib::inflateBounded(body, 64 << 20);
    if (!inflated)
        return false;
    if (notice == "GScr") {
        const auto img = bmp(*inflated);
        if (!img)
            return false;
        shown = *img;
        return true;
    }
    if (shown.isNull())
        return false;
    QPainter p(&shown);
    if (notice == "UScr?md1") {
        for (const Record &r : records(*inflated)) {
            const auto img = bmp(r.image);
            if (!img)
                return false;
            p.drawImage(QPoint(r.x, r.y), *img);
        }
        return true;
    }
    const auto img = bmp(*inflated);
    if (!img)
        return false;
    p.drawImage(QPoint(0, 0), *img);
    return true;
}

} // namespace ScreenReplay
