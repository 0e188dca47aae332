#include "screen/ScreenDecoder.h"

#include "screen/FixedPalettes.h"
#include "screen/TMultiStream.h"

#include <algorithm>

namespace {
QString inflateFailure(Zlib::InflateError e) {
    switch (e) {
    case Zlib::InflateError::TooLarge:
        return QStringLiteral("inflates beyond what the screen can hold");
    case Zlib::InflateError::Truncated:
        return QStringLiteral("zlib stream cut short");
    default:
        return QStringLiteral("not a valid zlib stream");
    }
}

qint64 area(QSize s) {
    return qint64(s.width()) * s.height();
}
} // namespace

qsizetype ScreenDecoder::rectListBound(QSize screen) {
    const qint64 pixels =
        std::clamp<qint64>(qint64(std::max(screen.width(), 1)) * std::max(screen.height(), 1), 1,
                           BmpDecoder::kMaxPictureBytes / 4);
    return qsizetype(pixels * 4 * 2 + (1 << 20));
}

std::optional<QByteArray> ScreenDecoder::inflatePicture(const QByteArray &body, QString *why) {
    // The header says how large the picture is; the rest of the stream may not inflate to more,
    // so a small body that expands without end costs next to nothing.
    const QByteArray head = PictureInflater::inflateHead(body, BmpDecoder::kMaxHeaderBytes);
    if (head.isEmpty()) {
        *why = QStringLiteral("not a valid zlib stream");
        return std::nullopt;
    }
    const auto header = BmpDecoder::parseHeader(head, why);
    if (!header)
        return std::nullopt;
    const qsizetype bound = header->requiredSize() + kTrailingSlack;
    Zlib::InflateError error = Zlib::InflateError::None;
    auto file = m_inflater.inflate(body, bound, bound, &error);
    if (!file)
        *why = inflateFailure(error);
    return file;
}

PictureResult ScreenDecoder::run(PictureJob job) {
    PictureResult r;
    r.generation = job.generation;
    r.mode = job.DecodeMode;
    r.depth = (job.ColorDepth == 4 || job.ColorDepth == 8) ? job.ColorDepth : 15;
    job.ColorDepth = r.depth;
    switch (job.DecodeMode) {
    case PictureJob::FullPicture:
        runFull(job, r);
        break;
    case PictureJob::WholeScreenUpdate:
        runWholeScreen(job, r);
        break;
    case PictureJob::RectangleList:
        runRectangleList(job, r);
        break;
    default:
        r.failure = QStringLiteral("unknown decode mode");
        break;
    }
    return r;
}

void ScreenDecoder::runFull(PictureJob &job, PictureResult &r) {
    const auto file = inflatePicture(job.ReceivedData, &r.failure);
    job.ReceivedData = QByteArray();
    if (!file)
        return;
    r.replacement = m_bmp.decode(*file, job.ColorDepth, &r.failure);
    r.ok = !r.replacement.isNull();
}

void ScreenDecoder::runWholeScreen(PictureJob &job, PictureResult &r) {
    if (job.frame.isNull()) {
        r.failure = QStringLiteral("no picture to update");
        return;
    }
    const auto file = inflatePicture(job.ReceivedData, &r.failure);
    job.ReceivedData = QByteArray();
    if (!file)
        return;
    if (job.convertFrame) {
        QImage base = FixedPalettes::reduceToDepth(job.frame, job.ColorDepth);
        job.frame = QImage();
        if (!m_bmp.decodeInto(*file, base, 0, 0, job.ColorDepth, nullptr, &r.failure))
            return;
        r.replacement = std::move(base);
        r.ok = true;
        return;
    }
    ScreenPatch patch;
    QRect where;
    if (!m_bmp.decodeClipped(*file, 0, 0, job.frame.rect(), job.ColorDepth, &patch.pixels, &where,
                             &r.failure))
        return;
    if (!patch.pixels.isNull()) {
        patch.at = where.topLeft();
        r.patches.append(std::move(patch));
    }
    r.ok = true;
}

void ScreenDecoder::runRectangleList(PictureJob &job, PictureResult &r) {
    if (job.frame.isNull()) {
        r.failure = QStringLiteral("no picture to update");
        return;
    }
    TMultiStream Container;
    const qsizetype bound = rectListBound(job.frame.size());
    const qsizetype expected = std::min(bound, std::max<qsizetype>(m_lastListSize * 2, 256 * 1024));
    Zlib::InflateError error = Zlib::InflateError::None;
    auto inflated = m_inflater.inflate(job.ReceivedData, bound, expected, &error);
    job.ReceivedData = QByteArray();
    if (!inflated) {
        r.failure = inflateFailure(error);
        return;
    }
    m_lastListSize = inflated->size();
    Container.Data() = std::move(*inflated);
    Container.SeekTo(0);
    r.ok = true;
    if (Container.Size() == 0)
        return;

    // Rectangles become patches while they add up to less than the screen; beyond that (many
    // overlapping ones) they are drawn into one copy of the picture, so memory stays bounded.
    QImage canvas;
    if (job.convertFrame)
        canvas = FixedPalettes::reduceToDepth(job.frame, job.ColorDepth);
    const QRect screen = job.frame.rect();
    const qint64 patchBudget = area(screen.size());
    qint64 patchArea = 0;
    qint32 x = 0;
    qint32 y = 0;
    QByteArrayView image;
    QString why;
    while (Container.ReadNext(x, y, image)) {
        ++r.records;
        if (canvas.isNull()) {
            ScreenPatch patch;
            QRect where;
            if (!m_bmp.decodeClipped(image, x, y, screen, job.ColorDepth, &patch.pixels, &where,
                                     &why)) {
                ++r.recordsDropped;
                r.failure = why;
                continue;
            }
            if (patch.pixels.isNull())
                continue;
            patch.at = where.topLeft();
            patchArea += area(where.size());
            r.patches.append(std::move(patch));
            if (patchArea > patchBudget) {
                canvas = job.frame.copy();
                for (const ScreenPatch &p : std::as_const(r.patches)) {
                    for (int row = 0; row < p.pixels.height(); ++row)
                        memcpy(canvas.scanLine(p.at.y() + row) + 4 * qsizetype(p.at.x()),
                               p.pixels.constScanLine(row), 4 * size_t(p.pixels.width()));
                }
                r.patches.clear();
            }
            continue;
        }
        if (!m_bmp.decodeInto(image, canvas, x, y, job.ColorDepth, nullptr, &why)) {
            ++r.recordsDropped;
            r.failure = why;
        }
    }
    job.frame = QImage();
    if (!canvas.isNull())
        r.replacement = std::move(canvas);
}
