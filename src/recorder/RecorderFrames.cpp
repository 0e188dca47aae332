#include "recorder/RecorderFrames.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

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

QImage RemotePointerPicture() {
    static const QImage picture = [] {
        QImage img(15, 22, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        QPainter p(&img);
        const QPolygon arrow({{0, 0}, {0, 17}, {4, 13}, {8, 21}, {10, 19}, {7, 12}, {13, 12}});
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 0, 0));
        p.drawPolygon(arrow, Qt::OddEvenFill);
        return img;
    }();
    return picture;
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
