#include "screen/RemotePointerPicture.h"

#include <QPainter>

QPolygon RemotePointerArrow() {
    return QPolygon({{0, 0}, {0, 17}, {4, 13}, {8, 21}, {10, 19}, {7, 12}, {13, 12}});
}

QImage RemotePointerPicture() {
    static const QImage picture = [] {
        const QPolygon arrow = RemotePointerArrow();
        QImage img(arrow.boundingRect().size() + QSize(1, 1), QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QColor(90, 0, 0));
        p.setBrush(QColor(220, 0, 0));
        p.drawPolygon(arrow, Qt::OddEvenFill);
        return img;
    }();
    return picture;
}
