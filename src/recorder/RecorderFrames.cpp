#include "recorder/RecorderFrames.h"

#include "screen/RemotePointerPicture.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

#include <functional>

namespace {
constexpr int CursorSide = 21;

// A cursor drawn black on white, as the desktop's standard cursors are.
QImage drawCursor(const std::function<void(QPainter &)> &draw) {
    QImage img(CursorSide, CursorSide, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    draw(p);
    return img;
}

// A line drawn twice: white and wide under black and thin, so it shows on any picture.
void outlinedPath(QPainter &p, const QPainterPath &path) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::SquareCap));
    p.drawPath(path);
    p.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::SquareCap));
    p.drawPath(path);
}

// Straight strokes, outlined.
QImage strokes(std::initializer_list<QLineF> lines) {
    return drawCursor([lines](QPainter &p) {
        QPainterPath path;
        for (const QLineF &l : lines) {
            path.moveTo(l.p1());
            path.lineTo(l.p2());
        }
        outlinedPath(p, path);
    });
}

// A double-headed arrow through the centre in direction (dx, dy).
QPainterPath sizingArrow(int dx, int dy) {
    const QPointF c(10, 10);
    const QPointF d(dx, dy);
    const QPointF n(-dy, dx);
    QPainterPath path;
    path.moveTo(c - d * 8);
    path.lineTo(c + d * 8);
    for (const int end : {-1, 1}) {
        const QPointF tip = c + d * 8 * end;
        path.moveTo(tip - d * 3 * end + n * 3);
        path.lineTo(tip);
        path.lineTo(tip - d * 3 * end - n * 3);
    }
    return path;
}
} // namespace

QImage DefaultOperatorCursor(QPoint *hotSpot) {
    static const QImage picture = [] {
        QImage img(13, 21, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        QPainter p(&img);
        const QPolygon arrow({{0, 0}, {0, 16}, {4, 12}, {7, 19}, {9, 18}, {6, 11}, {11, 11}});
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::white);
        p.drawPolygon(arrow);
        return img;
    }();
    if (hotSpot)
        *hotSpot = QPoint(0, 0);
    return picture;
}

QImage OperatorCursorPicture(Qt::CursorShape shape, QPoint *hotSpot) {
    const QPoint centre(10, 10);
    if (hotSpot)
        *hotSpot = centre;
    switch (shape) {
    case Qt::BlankCursor:
        return {};
    case Qt::IBeamCursor:
        return strokes({{7, 2, 13, 2}, {10, 2, 10, 18}, {7, 18, 13, 18}});
    case Qt::CrossCursor:
        return strokes({{10, 1, 10, 19}, {1, 10, 19, 10}});
    case Qt::SizeHorCursor:
    case Qt::SplitHCursor:
        return drawCursor([](QPainter &p) { outlinedPath(p, sizingArrow(1, 0)); });
    case Qt::SizeVerCursor:
    case Qt::SplitVCursor:
        return drawCursor([](QPainter &p) { outlinedPath(p, sizingArrow(0, 1)); });
    case Qt::SizeFDiagCursor:
        return drawCursor([](QPainter &p) { outlinedPath(p, sizingArrow(1, 1)); });
    case Qt::SizeBDiagCursor:
        return drawCursor([](QPainter &p) { outlinedPath(p, sizingArrow(1, -1)); });
    case Qt::SizeAllCursor:
        return drawCursor([](QPainter &p) {
            outlinedPath(p, sizingArrow(1, 0));
            outlinedPath(p, sizingArrow(0, 1));
        });
    case Qt::WaitCursor:
    case Qt::BusyCursor:
        return drawCursor([](QPainter &p) {
            const QPolygon glass({{4, 2}, {16, 2}, {11, 10}, {16, 18}, {4, 18}, {9, 10}});
            p.setPen(QPen(Qt::black, 1));
            p.setBrush(Qt::white);
            p.drawPolygon(glass);
        });
    case Qt::ForbiddenCursor:
        return drawCursor([](QPainter &p) {
            p.setRenderHint(QPainter::Antialiasing, true);
            QPainterPath sign;
            sign.addEllipse(QPointF(10, 10), 7, 7);
            sign.moveTo(5, 5);
            sign.lineTo(15, 15);
            outlinedPath(p, sign);
        });
    case Qt::PointingHandCursor:
        if (hotSpot)
            *hotSpot = QPoint(6, 0);
        return drawCursor([](QPainter &p) {
            const QPolygon hand({{5, 1},
                                 {7, 1},
                                 {8, 2},
                                 {8, 8},
                                 {16, 9},
                                 {17, 10},
                                 {17, 15},
                                 {14, 20},
                                 {6, 20},
                                 {2, 13},
                                 {2, 11},
                                 {4, 11},
                                 {4, 2}});
            p.setPen(QPen(Qt::black, 1));
            p.setBrush(Qt::white);
            p.drawPolygon(hand);
        });
    default:
        return DefaultOperatorCursor(hotSpot);
    }
}

void DrawPointerMarks(QImage &frame, const PointerMarks &marks) {
    if (frame.isNull())
        return;
    const bool cursorShown = marks.operatorAt && !marks.operatorCursor.isNull() &&
                             marks.operatorAt->x() >= 0 && marks.operatorAt->y() >= 0 &&
                             marks.operatorAt->x() <= frame.width() &&
                             marks.operatorAt->y() <= frame.height();
    if (!cursorShown && !marks.remoteAt)
        return;
    QPainter p(&frame);
    if (cursorShown)
        p.drawImage(*marks.operatorAt - marks.operatorHotSpot, marks.operatorCursor);
    if (marks.remoteAt)
        p.drawImage(*marks.remoteAt, RemotePointerPicture());
}
