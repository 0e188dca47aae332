#include "screen/ScreenButtonPictures.h"

#include "ui/ResourceBitmap.h"

#include <QFile>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {
const QColor Ink(22, 67, 134);
const QColor Accent(214, 60, 40);
const QColor Paper(250, 252, 255);

QPen pen(const QColor &c, qreal w = 1.6) {
    return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void arrow(QPainter &p, QPointF from, QPointF to) {
    p.drawLine(from, to);
    const QLineF l(to, from);
    QLineF a = l;
    a.setLength(4);
    a.setAngle(l.angle() + 35);
    QLineF b = l;
    b.setLength(4);
    b.setAngle(l.angle() - 35);
    p.drawLine(a);
    p.drawLine(b);
}

void monitor(QPainter &p, const QRectF &r) {
    p.setPen(pen(Ink));
    p.setBrush(Paper);
    p.drawRoundedRect(r, 1.5, 1.5);
    p.drawLine(QPointF(r.center().x(), r.bottom()), QPointF(r.center().x(), r.bottom() + 2.5));
    p.drawLine(QPointF(r.center().x() - 4, r.bottom() + 2.5),
               QPointF(r.center().x() + 4, r.bottom() + 2.5));
}

void landscape(QPainter &p, const QRectF &r) {
    p.setPen(pen(Ink));
    p.setBrush(QColor(190, 220, 245));
    p.drawRect(r);
    QPainterPath hills;
    hills.moveTo(r.left(), r.bottom());
    hills.lineTo(r.left() + r.width() * 0.35, r.top() + r.height() * 0.4);
    hills.lineTo(r.left() + r.width() * 0.6, r.top() + r.height() * 0.7);
    hills.lineTo(r.left() + r.width() * 0.8, r.top() + r.height() * 0.5);
    hills.lineTo(r.right(), r.bottom());
    hills.closeSubpath();
    p.setBrush(QColor(70, 150, 80));
    p.drawPath(hills);
    p.setBrush(QColor(250, 200, 40));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(r.right() - 4, r.top() + 4), 2, 2);
}

void clipboard(QPainter &p) {
    p.setPen(pen(Ink));
    p.setBrush(QColor(230, 200, 150));
    p.drawRoundedRect(QRectF(4, 4, 12, 16), 1.5, 1.5);
    p.setBrush(Paper);
    p.drawRect(QRectF(7, 2.5, 6, 3));
}

void document(QPainter &p, QPointF at) {
    QPainterPath d;
    d.moveTo(at);
    d.lineTo(at + QPointF(7, 0));
    d.lineTo(at + QPointF(10, 3));
    d.lineTo(at + QPointF(10, 13));
    d.lineTo(at + QPointF(0, 13));
    d.closeSubpath();
    p.setPen(pen(Ink, 1.3));
    p.setBrush(Paper);
    p.drawPath(d);
}

void cornerArrows(QPainter &p, bool outward) {
    const QPointF c(12, 12);
    const QPointF corners[] = {{3, 3}, {21, 3}, {3, 21}, {21, 21}};
    p.setPen(pen(Ink, 1.8));
    for (const QPointF &k : corners) {
        const QPointF inner = c + (k - c) * 0.35;
        if (outward)
            arrow(p, inner, k);
        else
            arrow(p, k, inner);
    }
}

void drawGlyph(QPainter &p, const QString &stem) {
    p.setRenderHint(QPainter::Antialiasing);
    if (stem == QLatin1String("NailUp") || stem == QLatin1String("NailDown")) {
        p.save();
        p.translate(12, 12);
        if (stem == QLatin1String("NailUp"))
            p.rotate(45);
        p.setPen(pen(Ink));
        p.setBrush(Accent);
        p.drawRoundedRect(QRectF(-4, -10, 8, 8), 2, 2);
        p.drawRect(QRectF(-6, -3, 12, 2.5));
        p.setPen(pen(Ink, 1.4));
        p.drawLine(QPointF(0, -0.5), QPointF(0, 10));
        p.restore();
    } else if (stem == QLatin1String("HostInfo")) {
        p.setPen(pen(Ink));
        p.setBrush(QColor(60, 120, 210));
        p.drawEllipse(QRectF(3, 3, 18, 18));
        p.setPen(pen(Qt::white, 2.4));
        p.drawPoint(QPointF(12, 7.5));
        p.drawLine(QPointF(12, 11), QPointF(12, 17));
    } else if (stem == QLatin1String("Refresh")) {
        p.setPen(pen(QColor(30, 140, 70), 2.2));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(4, 4, 16, 16), 60 * 16, 280 * 16);
        const QPointF tip(18.5, 6.5);
        p.drawLine(tip, tip + QPointF(-5, 0.2));
        p.drawLine(tip, tip + QPointF(0.5, 5));
    } else if (stem == QLatin1String("HideWallpaper") || stem == QLatin1String("ShowWallpaper")) {
        landscape(p, QRectF(3, 5, 18, 14));
        if (stem == QLatin1String("HideWallpaper")) {
            p.setPen(pen(Accent, 2.4));
            p.drawLine(QPointF(3, 21), QPointF(21, 3));
        }
    } else if (stem == QLatin1String("TaskManager")) {
        monitor(p, QRectF(3, 3, 18, 14));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 140, 70));
        p.drawRect(QRectF(6, 10, 3, 5));
        p.drawRect(QRectF(10.5, 7, 3, 8));
        p.drawRect(QRectF(15, 9, 3, 6));
    } else if (stem == QLatin1String("CtrlAltDel")) {
        p.setPen(pen(Ink, 1.2));
        p.setBrush(Paper);
        p.drawRoundedRect(QRectF(2, 6, 20, 12), 2, 2);
        QFont f = p.font();
        f.setPixelSize(7);
        f.setBold(true);
        p.setFont(f);
        p.drawText(QRectF(2, 6, 20, 12), Qt::AlignCenter, QStringLiteral("CAD"));
    } else if (stem == QLatin1String("Reboot")) {
        p.setPen(pen(Accent, 2.2));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(4, 5, 16, 16), 125 * 16, 290 * 16);
        p.drawLine(QPointF(12, 3), QPointF(12, 12));
    } else if (stem == QLatin1String("PrintScreen")) {
        p.setPen(pen(Ink));
        p.setBrush(Paper);
        p.drawRect(QRectF(7, 3, 10, 6));
        p.setBrush(QColor(170, 180, 195));
        p.drawRoundedRect(QRectF(3, 9, 18, 8), 1.5, 1.5);
        p.setBrush(Paper);
        p.drawRect(QRectF(7, 14, 10, 7));
    } else if (stem == QLatin1String("ChatBtn")) {
        QPainterPath b;
        b.addRoundedRect(QRectF(3, 4, 18, 12), 3, 3);
        b.moveTo(7, 16);
        b.lineTo(6, 21);
        b.lineTo(11, 16);
        p.setPen(pen(Ink));
        p.setBrush(QColor(255, 240, 170));
        p.drawPath(b.simplified());
        p.setPen(pen(Ink, 2));
        for (qreal x : {8.0, 12.0, 16.0})
            p.drawPoint(QPointF(x, 10));
    } else if (stem == QLatin1String("DownloadClip") || stem == QLatin1String("UploadClip")) {
        clipboard(p);
        p.setPen(pen(QColor(30, 140, 70), 2.2));
        if (stem == QLatin1String("DownloadClip"))
            arrow(p, QPointF(18, 7), QPointF(18, 21));
        else
            arrow(p, QPointF(18, 21), QPointF(18, 7));
    } else if (stem == QLatin1String("FileTransfer")) {
        document(p, QPointF(2, 2));
        document(p, QPointF(12, 9));
        p.setPen(pen(QColor(30, 140, 70), 1.8));
        arrow(p, QPointF(6, 19), QPointF(11, 19));
    } else if (stem == QLatin1String("Screenshot")) {
        p.setPen(pen(Ink));
        p.setBrush(QColor(90, 100, 120));
        p.drawRoundedRect(QRectF(2, 7, 20, 13), 2, 2);
        p.drawRect(QRectF(8, 4.5, 8, 3));
        p.setBrush(QColor(180, 210, 240));
        p.drawEllipse(QPointF(12, 13.5), 4.5, 4.5);
    } else if (stem == QLatin1String("StartRecording")) {
        p.setPen(pen(Ink, 1.2));
        p.setBrush(Accent);
        p.drawEllipse(QPointF(12, 12), 7, 7);
    } else if (stem == QLatin1String("StopRecording")) {
        p.setPen(pen(Ink, 1.2));
        p.setBrush(QColor(60, 60, 70));
        p.drawRoundedRect(QRectF(5, 5, 14, 14), 2, 2);
    } else if (stem == QLatin1String("FitToScreen")) {
        monitor(p, QRectF(2, 3, 20, 15));
        p.setPen(pen(Accent, 1.6));
        arrow(p, QPointF(9, 10.5), QPointF(4.5, 10.5));
        arrow(p, QPointF(15, 10.5), QPointF(19.5, 10.5));
    } else if (stem == QLatin1String("NormalScreen")) {
        cornerArrows(p, false);
    } else if (stem == QLatin1String("FullScreen")) {
        cornerArrows(p, true);
    } else if (stem.startsWith(QLatin1String("ScaleProp")) ||
               stem.startsWith(QLatin1String("ScaleMax"))) {
        const bool prop = stem.startsWith(QLatin1String("ScaleProp"));
        p.setPen(pen(Ink, 1.3));
        p.setBrush(Paper);
        p.drawRect(QRectF(2.5, 2.5, 19, 19));
        p.setBrush(QColor(190, 220, 245));
        p.drawRect(prop ? QRectF(7, 7, 10, 10) : QRectF(5, 9, 14, 6));
        p.setPen(pen(Ink, 1.5));
        if (prop) {
            arrow(p, QPointF(16, 8), QPointF(20, 4));
            arrow(p, QPointF(8, 16), QPointF(4, 20));
        } else {
            arrow(p, QPointF(12, 9), QPointF(12, 4));
            arrow(p, QPointF(12, 15), QPointF(12, 20));
        }
        if (stem.endsWith(QLatin1String("Off"))) {
            p.setPen(pen(Accent, 2.2));
            p.drawLine(QPointF(3, 21), QPointF(21, 3));
        }
    } else {
        p.setPen(pen(Ink));
        p.setBrush(Paper);
        p.drawRoundedRect(QRectF(4, 4, 16, 16), 3, 3);
    }
}

QPixmap drawnPicture(const QString &stem, bool selected) {
    QPixmap pm(48, 48);
    pm.setDevicePixelRatio(2.0);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    if (selected) {
        p.setPen(QPen(QColor(230, 150, 30), 1));
        p.setBrush(QColor(255, 232, 170));
        p.drawRoundedRect(QRectF(0.5, 0.5, 23, 23), 4, 4);
    }
    drawGlyph(p, stem);
    return pm;
}

QPixmap picture(const QString &stem, bool selected) {
    const QString name = QStringLiteral("rc") + stem +
                         (selected ? QStringLiteral("Sel_bmp") : QStringLiteral("_bmp"));
    if (!QFile::exists(QStringLiteral(":/pictures/") + name))
        return drawnPicture(stem, selected);
    const QPixmap pm = LoadResourceBitmap(name, QSize(24, 24));
    return pm.isNull() ? drawnPicture(stem, selected) : pm;
}
} // namespace

QIcon ButtonIconFrom(const QString &resourceName,
                     const std::function<QPixmap(const QString &stem, bool selected)> &draw) {
    QString stem = resourceName;
    if (stem.startsWith(QLatin1String("rc")))
        stem.remove(0, 2);
    if (stem.endsWith(QLatin1String("_bmp")))
        stem.chop(4);
    QIcon icon;
    icon.addPixmap(draw(stem, false), QIcon::Normal);
    icon.addPixmap(draw(stem, true), QIcon::Active);
    return icon;
}

QIcon ScreenButtonIcon(const QString &resourceName) {
    return ButtonIconFrom(resourceName, picture);
}
