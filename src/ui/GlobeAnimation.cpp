#include "ui/GlobeAnimation.h"

#include "ui/ResourceBitmap.h"

#include <QPainter>
#include <QPainterPath>

namespace {
QString frameName(int index) {
    return QStringLiteral("rcWorld%1_bmp").arg(index + 1);
}

int countFrames() {
    int n = 0;
    while (n < 64 && !ResourceBitmapSize(frameName(n)).isEmpty())
        ++n;
    return n;
}

constexpr int DrawnFrames = 12;

// A sphere with meridians that move with the phase (0..1), for a program without the frames.
void drawGlobe(QPainter &p, const QRectF &r, qreal phase) {
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient sea(r.center() - QPointF(r.width() * 0.2, r.height() * 0.2), r.width() * 0.7);
    sea.setColorAt(0, QColor(120, 185, 235));
    sea.setColorAt(1, QColor(20, 80, 150));
    p.setPen(QPen(QColor(16, 67, 134), 1.2));
    p.setBrush(sea);
    p.drawEllipse(r);
    QPainterPath clip;
    clip.addEllipse(r);
    p.save();
    p.setClipPath(clip);
    p.setPen(QPen(QColor(255, 255, 255, 150), 0.9));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 6; ++i) {
        const qreal a = (i / 6.0 + phase / 6.0) * M_PI;
        const qreal w = r.width() * std::abs(std::cos(a));
        p.drawEllipse(QRectF(r.center().x() - w / 2, r.top(), w, r.height()));
    }
    for (int j = 1; j < 4; ++j) {
        const qreal y = r.top() + r.height() * j / 4.0;
        p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
    }
    p.restore();
}
} // namespace

GlobeAnimation::GlobeAnimation(QWidget *parent, int intervalMs)
    : QWidget(parent), FrameCount(countFrames()) {
    setAttribute(Qt::WA_TranslucentBackground);
    Timer.setInterval(intervalMs);
    connect(&Timer, &QTimer::timeout, this, [this] {
        Frame = (Frame + 1) % (FrameCount > 0 ? FrameCount : DrawnFrames);
        update();
    });
}

void GlobeAnimation::reset() {
    Frame = 0;
    update();
}

void GlobeAnimation::paintEvent(QPaintEvent *) {
    QPainter p(this);
    const int side = qMin(width(), height()) - 2;
    const QRectF square((width() - side) / 2.0, (height() - side) / 2.0, side, side);
    if (FrameCount > 0) {
        const QPixmap pm = LoadResourceBitmap(frameName(Frame), QSize(side, side));
        if (!pm.isNull()) {
            p.drawPixmap(square.topLeft(), pm);
            return;
        }
    }
    drawGlobe(p, square, qreal(Frame) / DrawnFrames);
}
