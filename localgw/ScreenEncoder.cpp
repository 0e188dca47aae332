#include "ScreenEncoder.h"
#include "common/Zlib.h"
#include "screen/BmpWriter.h"
#include "screen/FixedPalettes.h"
#include "screen/RectListWriter.h"

#include <cstring>

namespace localgw {

namespace {
// Below this share of changed pixels a rectangle list is smaller than the whole screen.
constexpr double kRectListShare = 0.4;

bool tileDiffers(const QImage &a, const QImage &b, const QRect &r) {
    for (int y = r.top(); y <= r.bottom(); ++y) {
        const auto *la = reinterpret_cast<const QRgb *>(a.constScanLine(y)) + r.left();
        const auto *lb = reinterpret_cast<const QRgb *>(b.constScanLine(y)) + r.left();
        if (std::memcmp(la, lb, size_t(r.width()) * sizeof(QRgb)) != 0)
            return true;
    }
    return false;
}
} // namespace

void ScreenEncoder::setDepth(int depth) {
    if (depth == 4 || depth == 8 || depth == 15)
        m_depth = depth;
}

ScreenEncoder::Picture ScreenEncoder::full(const QImage &desktop) {
    m_shown = FixedPalettes::reduceToDepth(desktop, m_depth);
    m_shownDepth = m_depth;
    Picture p;
    p.full = true;
    p.notice = "GScr";
    p.body = Zlib::deflate(BmpWriter::encode(m_shown, m_depth));
    return p;
}

std::optional<ScreenEncoder::Picture> ScreenEncoder::update(const QImage &desktop) {
    if (m_shown.isNull() || m_shown.size() != desktop.size() || m_shownDepth != m_depth)
        return full(desktop);
    const QImage next = FixedPalettes::reduceToDepth(desktop, m_depth);
    const QList<QRect> rects = changedRects(m_shown, next);
    if (rects.isEmpty())
        return std::nullopt;

    qint64 changed = 0;
    for (const QRect &r : rects)
        changed += qint64(r.width()) * r.height();
    const double share = double(changed) / (qint64(next.width()) * next.height());
    const bool asList = m_format == UpdateFormat::RectList ||
                        (m_format == UpdateFormat::Auto && share <= kRectListShare);

    Picture p;
    if (asList) {
        RectListWriter list;
        for (const QRect &r : rects)
            list.append(r.x(), r.y(), BmpWriter::encode(next.copy(r), m_depth));
        p.notice = "UScr?md1";
        p.body = Zlib::deflate(list.data());
        p.rectCount = list.count();
    } else {
        // Always the whole screen: the console pastes it over its last full picture, which
        // does not hold what earlier rectangle lists drew.
        p.notice = "UScr";
        p.body = Zlib::deflate(BmpWriter::encode(next, m_depth));
    }
    m_shown = next;
    return p;
}

QList<QRect> ScreenEncoder::changedRects(const QImage &before, const QImage &after, int tile) {
    QList<QRect> out;
    if (before.size() != after.size() || tile <= 0)
        return out;
    const QImage a = before.convertToFormat(QImage::Format_RGB32);
    const QImage b = after.convertToFormat(QImage::Format_RGB32);
    const int w = a.width();
    const int h = a.height();
    QList<QRect> previousRow;
    for (int ty = 0; ty < h; ty += tile) {
        const int th = qMin(tile, h - ty);
        QList<QRect> row;
        int runStart = -1;
        for (int tx = 0;; tx += tile) {
            const bool atEnd = tx >= w;
            const bool changed = !atEnd && tileDiffers(a, b, QRect(tx, ty, qMin(tile, w - tx), th));
            if (changed && runStart < 0)
                runStart = tx;
            if (!changed && runStart >= 0) {
                row.append(QRect(runStart, ty, qMin(tx, w) - runStart, th));
                runStart = -1;
            }
            if (atEnd)
                break;
        }
        // A run with the same columns as one that ended on the row above extends it.
        QList<QRect> carried;
        for (const QRect &r : row) {
            bool merged = false;
            for (qsizetype i = 0; i < previousRow.size(); ++i) {
                QRect &above = previousRow[i];
                if (above.left() == r.left() && above.width() == r.width() &&
                    above.bottom() + 1 == r.top()) {
                    above.setBottom(r.bottom());
                    carried.append(above);
                    previousRow.removeAt(i);
                    merged = true;
                    break;
                }
            }
            if (!merged)
                carried.append(r);
        }
        out.append(previousRow);
        previousRow = carried;
    }
    out.append(previousRow);
    return out;
}

} // namespace localgw
