#include "ScreenEncoder.h"
#include "common/Zlib.h"
#include "screen/BmpWriter.h"
#include "screen/FixedPalettes.h"
#include "screen/RectListWriter.h"

#include <array>
#include <cstring>

#ifdef QUORVIA_HAVE_LIBDEFLATE
#include <libdeflate.h>
#endif

namespace hostside {

namespace {
// Below this share of changed pixels a rectangle list is smaller than the whole screen.
constexpr double kRectListShare = 0.4;
// The side of the tiles an update compares and sends.
constexpr int kTile = 32;

bool tileDiffers(const QImage &a, const QImage &b, const QRect &r) {
    for (int y = r.top(); y <= r.bottom(); ++y) {
        const auto *la = reinterpret_cast<const QRgb *>(a.constScanLine(y)) + r.left();
        const auto *lb = reinterpret_cast<const QRgb *>(b.constScanLine(y)) + r.left();
        if (std::memcmp(la, lb, size_t(r.width()) * sizeof(QRgb)) != 0)
            return true;
    }
    return false;
}

// The tiles of a `size` screen for which `changed(tile)` holds, merged into runs along each
// row and then into columns of equal runs, so that no two rectangles overlap.
template <typename Changed> QList<QRect> mergeTiles(QSize size, int tile, Changed changed) {
    QList<QRect> out;
    const int w = size.width();
    const int h = size.height();
    QList<QRect> previousRow;
    for (int ty = 0; ty < h; ty += tile) {
        const int th = qMin(tile, h - ty);
        QList<QRect> row;
        int runStart = -1;
        for (int tx = 0;; tx += tile) {
            const bool atEnd = tx >= w;
            const bool isChanged = !atEnd && changed(QRect(tx, ty, qMin(tile, w - tx), th));
            if (isChanged && runStart < 0)
                runStart = tx;
            if (!isChanged && runStart >= 0) {
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

int bytesPerPixel(int depth) {
    return depth == 15 ? 2 : 1;
}

// One row of desktop pixels in the wire format of `depth`.
void reduceRow(const QRgb *in, uchar *out, int n, int depth) {
    if (depth == 15) {
        auto *o = reinterpret_cast<quint16 *>(out);
        for (int i = 0; i < n; ++i)
            o[i] = quint16(FixedPalettes::cellOf(in[i]));
        return;
    }
    const quint8 *lut = FixedPalettes::cellLookup(depth);
    for (int i = 0; i < n; ++i)
        out[i] = lut[FixedPalettes::cellOf(in[i])];
}

QImage inDisplayFormat(const QImage &image) {
    if (image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32)
        return image;
    return image.convertToFormat(QImage::Format_RGB32);
}

// The colour a 5-5-5 value reads back as, for every value.
const std::array<QRgb, 32768> &colours555() {
    static const std::array<QRgb, 32768> table = [] {
        std::array<QRgb, 32768> t{};
        for (quint32 v = 0; v < 32768; ++v)
            t[v] = qRgb(FixedPalettes::widenChannel(v >> 10, 5),
                        FixedPalettes::widenChannel(v >> 5, 5), FixedPalettes::widenChannel(v, 5));
        return t;
    }();
    return table;
}
} // namespace

// zlib streams at the fastest setting: libdeflate when the build has it, zlib otherwise.
class ScreenEncoder::Compressor {
public:
    Compressor() {
#ifdef QUORVIA_HAVE_LIBDEFLATE
        m_compressor = libdeflate_alloc_compressor(1);
#endif
    }
    ~Compressor() {
#ifdef QUORVIA_HAVE_LIBDEFLATE
        if (m_compressor)
            libdeflate_free_compressor(m_compressor);
#endif
    }
    Compressor(const Compressor &) = delete;
    Compressor &operator=(const Compressor &) = delete;

    QByteArray deflate(const QByteArray &data) {
#ifdef QUORVIA_HAVE_LIBDEFLATE
        if (m_compressor) {
            const size_t bound = libdeflate_zlib_compress_bound(m_compressor, size_t(data.size()));
            QByteArray out(qsizetype(bound), Qt::Uninitialized);
            const size_t n = libdeflate_zlib_compress(m_compressor, data.constData(),
                                                      size_t(data.size()), out.data(), bound);
            if (n > 0) {
                out.truncate(qsizetype(n));
                return out;
            }
        }
#endif
        return Zlib::deflate(data, 1);
    }

private:
#ifdef QUORVIA_HAVE_LIBDEFLATE
    libdeflate_compressor *m_compressor = nullptr;
#endif
};

ScreenEncoder::ScreenEncoder() : m_compressor(std::make_unique<Compressor>()) {}

ScreenEncoder::~ScreenEncoder() = default;

void ScreenEncoder::setDepth(int depth) {
    if (depth == 4 || depth == 8 || depth == 15)
        m_depth = depth;
}

void ScreenEncoder::forget() {
    m_shownDepth = 0;
    m_size = QSize();
    m_stride = 0;
    m_wire = {};
}

ScreenEncoder::Picture ScreenEncoder::full(const QImage &desktop) {
    const QImage src = inDisplayFormat(desktop);
    m_size = src.size();
    m_shownDepth = m_depth;
    m_stride = qsizetype(m_size.width()) * bytesPerPixel(m_depth);
    m_wire.resize(size_t(m_stride * m_size.height()));
    for (int y = 0; y < m_size.height(); ++y)
        reduceRow(reinterpret_cast<const QRgb *>(src.constScanLine(y)),
                  m_wire.data() + y * m_stride, m_size.width(), m_depth);
    Picture p;
    p.full = true;
    p.notice = "GScr";
    p.body = m_compressor->deflate(encodeWhole());
    return p;
}

QByteArray ScreenEncoder::encodeWhole() const {
    return BmpWriter::encodeWire({m_wire.data(), m_stride, m_shownDepth},
                                 QRect(QPoint(0, 0), m_size));
}

bool ScreenEncoder::refreshTile(const QImage &desktop, const QRect &tile) {
    const int bpp = bytesPerPixel(m_shownDepth);
    const size_t rowBytes = size_t(tile.width()) * size_t(bpp);
    alignas(8) uchar reduced[kTile * 2];
    bool changed = false;
    for (int y = tile.top(); y <= tile.bottom(); ++y) {
        reduceRow(reinterpret_cast<const QRgb *>(desktop.constScanLine(y)) + tile.left(), reduced,
                  tile.width(), m_shownDepth);
        uchar *wire = m_wire.data() + y * m_stride + qsizetype(tile.left()) * bpp;
        if (std::memcmp(wire, reduced, rowBytes) != 0) {
            std::memcpy(wire, reduced, rowBytes);
            changed = true;
        }
    }
    return changed;
}

std::optional<ScreenEncoder::Picture> ScreenEncoder::update(const QImage &desktop,
                                                            const QRegion &changed) {
    if (m_shownDepth == 0 || m_size != desktop.size() || m_shownDepth != m_depth)
        return full(desktop);
    const QImage src = inDisplayFormat(desktop);
    const QRect screen(QPoint(0, 0), m_size);
    const int tilesAcross = (m_size.width() + kTile - 1) / kTile;
    const int tilesDown = (m_size.height() + kTile - 1) / kTile;
    m_tileState.assign(size_t(tilesAcross) * size_t(tilesDown), 0);
    for (const QRect &part : changed) {
        const QRect r = part & screen;
        if (r.isEmpty())
            continue;
        for (int ty = r.top() / kTile; ty <= r.bottom() / kTile; ++ty) {
            for (int tx = r.left() / kTile; tx <= r.right() / kTile; ++tx) {
                quint8 &state = m_tileState[size_t(ty) * size_t(tilesAcross) + size_t(tx)];
                if (state == 0)
                    state = refreshTile(src, QRect(tx * kTile, ty * kTile, kTile, kTile) & screen)
                                ? 2
                                : 1;
            }
        }
    }
    const QList<QRect> rects = mergeTiles(m_size, kTile, [&](const QRect &tile) {
        return m_tileState[size_t(tile.y() / kTile) * size_t(tilesAcross) +
                           size_t(tile.x() / kTile)] == 2;
    });
    if (rects.isEmpty())
        return std::nullopt;

    qint64 area = 0;
    for (const QRect &r : rects)
        area += qint64(r.width()) * r.height();
    const double share = double(area) / (qint64(m_size.width()) * m_size.height());
    const bool asList = m_format == UpdateFormat::RectList ||
                        (m_format == UpdateFormat::Auto && share <= kRectListShare);

    Picture p;
    if (asList) {
        RectListWriter list;
        const BmpWriter::WirePixels wire{m_wire.data(), m_stride, m_shownDepth};
        for (const QRect &r : rects)
            list.append(r.x(), r.y(), BmpWriter::encodeWire(wire, r));
        p.notice = "UScr?md1";
        p.body = m_compressor->deflate(list.data());
        p.rectCount = list.count();
    } else {
        // Always the whole screen: the console pastes it over its last full picture, which
        // does not hold what earlier rectangle lists drew.
        p.notice = "UScr";
        p.body = m_compressor->deflate(encodeWhole());
    }
    return p;
}

QImage ScreenEncoder::shown() const {
    if (m_shownDepth == 0)
        return {};
    QImage out(m_size, QImage::Format_RGB32);
    const int w = m_size.width();
    for (int y = 0; y < m_size.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        const uchar *wire = m_wire.data() + y * m_stride;
        if (m_shownDepth == 15) {
            const auto &colours = colours555();
            const auto *v = reinterpret_cast<const quint16 *>(wire);
            for (int x = 0; x < w; ++x)
                line[x] = colours[v[x] & 0x7fff];
        } else {
            const QList<QRgb> &palette = FixedPalettes::paletteForDepth(m_shownDepth);
            for (int x = 0; x < w; ++x)
                line[x] = palette[wire[x]];
        }
    }
    return out;
}

QList<QRect> ScreenEncoder::changedRects(const QImage &before, const QImage &after, int tile) {
    if (before.size() != after.size() || tile <= 0)
        return {};
    const QImage a = before.convertToFormat(QImage::Format_RGB32);
    const QImage b = after.convertToFormat(QImage::Format_RGB32);
    return mergeTiles(a.size(), tile, [&](const QRect &r) { return tileDiffers(a, b, r); });
}

} // namespace hostside
