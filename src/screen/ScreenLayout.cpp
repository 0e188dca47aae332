#include "screen/ScreenLayout.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {
// A shown side of at least one pixel keeps the scale factors above 0.
int atLeastOne(int v) {
    return std::max(v, 1);
}

void layoutPanel(ImageLayout &l, const ViewGeometry &g) {
    const int pw = g.picture.width(), ph = g.picture.height();
    int iw = pw, ih = ph;
    if (l.stretch) {
        iw = atLeastOne(static_cast<int>(std::trunc(pw * l.ScaleX)));
        ih = atLeastOne(static_cast<int>(std::trunc(ph * l.ScaleY)));
    }
    const int dx = g.scrollClient.width() - iw;
    const int dy = g.scrollClient.height() - ih;
    QPoint pos(0, 0);
    int m = 0;
    if (l.stretch) {
        m = 1;
        pos = QPoint(dx / 2 - 1, dy / 2 - 1);
    } else if (dx > 4 && dy > 4) {
        m = std::min((std::min(dx, dy) - 4) / 2, 5);
        pos = QPoint(dx / 2 - m, dy / 2 - m);
    }
    l.parent = ImageLayout::InPanel;
    l.margin = m;
    l.panel = QRect(pos, QSize(iw + 2 * m + 2, ih + 2 * m + 2));
    l.image = QRect(pos + QPoint(m, m), QSize(iw, ih));
    // The frame is drawn evenly around the picture; the scroll box scrolls over what is drawn.
    const QRect drawn = l.image.adjusted(-m, -m, m, m);
    l.content = QSize(std::max(0, drawn.right() + 1), std::max(0, drawn.bottom() + 1));
}
} // namespace

ImageLayout ComputeImageLayout(const ViewGeometry &g) {
    ImageLayout l;
    const int pw = g.picture.width(), ph = g.picture.height();
    l.image = QRect(0, 0, std::max(pw, 0), std::max(ph, 0));
    l.content = l.image.size();
    if (pw <= 0 || ph <= 0)
        return l;

    const int cw = g.scrollClient.width(), ch = g.scrollClient.height();
    if (g.fullScreen) {
        if (g.monitor == g.picture) {
            l.parent = ImageLayout::InWindow;
            return l;
        }
        if (g.monitor.width() < pw || g.monitor.height() < ph)
            return l;
    } else if (pw > cw || ph > ch) {
        if (g.scaling == 1) {
            l.stretch = true;
            l.scrollBars = false;
            const float sx = float(g.scrollOuter.width() - 6) / float(pw);
            const float sy = float(g.scrollOuter.height() - 6) / float(ph);
            // A window too small for any picture still shows one pixel of it.
            const float s = std::max(std::min(sx, sy), 1.0f / float(std::max(pw, ph)));
            l.ScaleX = l.ScaleY = s;
        } else if (g.scaling == 2) {
            l.stretch = true;
            l.image = QRect(0, 0, atLeastOne(cw), atLeastOne(ch));
            l.ScaleX = float(l.image.width()) / float(pw);
            l.ScaleY = float(l.image.height()) / float(ph);
            l.content = l.image.size();
            return l;
        } else {
            return l;
        }
    }
    layoutPanel(l, g);
    return l;
}

bool InRevealZone(QPoint pointer, int areaWidth, int headerWidth, int depth) {
    const int w = (areaWidth - headerWidth) / 2;
    return w < pointer.x() && pointer.x() < areaWidth - w && 0 <= pointer.y() &&
           pointer.y() < depth;
}

SlideStep HeaderSlideStep(int top, int height, bool slidingDown) {
    const int q = -(height / 4);
    if (slidingDown) {
        if (top >= 0)
            return {top, true};
        return {std::min(top + (top < q ? 3 : 1), 0), false};
    }
    if (top <= -height)
        return {top, true};
    return {std::max(top - (top > q ? 3 : 1), -height), false};
}

bool RemoteFitsMonitor(QSize remote, QSize monitor) {
    return std::abs(remote.width() - monitor.width()) <= 10 &&
           std::abs(remote.height() - monitor.height()) <= 10;
}
