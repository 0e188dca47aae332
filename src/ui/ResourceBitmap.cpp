#include "ui/ResourceBitmap.h"

#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmapCache>
#include <QSvgRenderer>

namespace {
QString resourcePath(const QString &name) {
    return QStringLiteral(":/pictures/") + name;
}

// Checked before the renderer sees the name: it logs a warning for every file it cannot read,
// and a panel without a centre piece passes an empty name.
bool havePicture(const QString &name) {
    return !name.isEmpty() && QFile::exists(resourcePath(name));
}

qreal screenRatio() {
    return qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
}
} // namespace

QSize ResourceBitmapSize(const QString &name) {
    if (!havePicture(name))
        return QSize();
    QSvgRenderer renderer(resourcePath(name));
    return renderer.isValid() ? renderer.defaultSize() : QSize();
}

QPixmap LoadResourceBitmap(const QString &name, const QSize &size) {
    const qreal ratio = screenRatio();
    const QString key =
        QStringLiteral("rc:%1:%2x%3@%4").arg(name).arg(size.width()).arg(size.height()).arg(ratio);
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap))
        return pixmap;
    if (!havePicture(name))
        return QPixmap();
    QSvgRenderer renderer(resourcePath(name));
    if (!renderer.isValid())
        return QPixmap();
    const QSize logical = size.isEmpty() ? renderer.defaultSize() : size;
    if (logical.isEmpty())
        return QPixmap();
    pixmap = QPixmap(logical * ratio);
    pixmap.fill(Qt::transparent);
    {
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        renderer.render(&p);
    }
    pixmap.setDevicePixelRatio(ratio);
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

void DrawSlicedPanel(QPainter &painter, const QRect &target, const QString &left,
                     const QString &center, const QString &right, int fixedTop, int fixedBottom) {
    const QPixmap pieces[3] = {LoadResourceBitmap(left), LoadResourceBitmap(center),
                               LoadResourceBitmap(right)};
    const int leftWidth = ResourceBitmapSize(left).width();
    const int rightWidth = ResourceBitmapSize(right).width();
    const int columns[4] = {target.left(), target.left() + leftWidth,
                            target.right() + 1 - rightWidth, target.right() + 1};
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (int c = 0; c < 3; ++c) {
        const QPixmap &piece = pieces[c];
        if (piece.isNull() || columns[c + 1] <= columns[c])
            continue;
        const qreal ratio = piece.devicePixelRatio();
        const qreal sourceWidth = piece.width();
        const qreal designHeight = piece.height() / ratio;
        const int top = qMin(fixedTop, target.height() / 2);
        const int bottom = qMin(fixedBottom, target.height() - top);
        // Rows as (destination top, destination height, source top, source height) in
        // device-independent pixels.
        const qreal rows[3][4] = {
            {0, qreal(top), 0, qreal(top)},
            {qreal(top), qreal(target.height() - top - bottom), qreal(top),
             designHeight - top - bottom},
            {qreal(target.height() - bottom), qreal(bottom), designHeight - bottom, qreal(bottom)},
        };
        for (const auto &row : rows) {
            if (row[1] <= 0 || row[3] <= 0)
                continue;
            const QRectF dest(columns[c], target.top() + row[0], columns[c + 1] - columns[c],
                              row[1]);
            const QRectF source(0, row[2] * ratio, sourceWidth, row[3] * ratio);
            painter.drawPixmap(dest, piece, source);
        }
    }
    painter.restore();
}
