#include "screen/ScreenFrame.h"

#include <cstring>

ScreenFrame::Applied ScreenFrame::apply(PictureResult &&result) {
    Applied a;
    if (!result.ok)
        return a;
    const QSize before = m_picture.size();
    const bool hadChanges = !result.replacement.isNull() || !result.patches.isEmpty();
    if (!result.replacement.isNull()) {
        m_picture = std::move(result.replacement);
        a.dirty = QRegion(m_picture.rect());
    }
    for (ScreenPatch &p : result.patches) {
        const QRect target = QRect(p.at, p.pixels.size()).intersected(m_picture.rect());
        if (target.isEmpty() || p.pixels.format() != QImage::Format_RGB32)
            continue;
        if (target == m_picture.rect() && p.pixels.size() == m_picture.size()) {
            m_picture = std::move(p.pixels);
        } else {
            const int dx = target.left() - p.at.x();
            const int dy = target.top() - p.at.y();
            for (int row = 0; row < target.height(); ++row)
                std::memcpy(m_picture.scanLine(target.top() + row) + 4 * qsizetype(target.left()),
                            p.pixels.constScanLine(dy + row) + 4 * qsizetype(dx),
                            4 * size_t(target.width()));
        }
        a.dirty += target;
    }
    if (hadChanges && (result.mode == PictureJob::FullPicture || !a.dirty.isEmpty()))
        m_depth = result.depth;
    a.sizeChanged = m_picture.size() != before;
    return a;
}

bool ScreenFrame::clear() {
    const bool had = !m_picture.isNull();
    m_picture = QImage();
    m_depth = 15;
    return had;
}
