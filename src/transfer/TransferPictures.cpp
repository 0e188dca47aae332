#include "transfer/TransferPictures.h"
#include "screen/ScreenButtonPictures.h"

#include <QFont>
#include <QHash>
#include <QPainter>
#include <QPainterPath>

namespace TransferPictures {
namespace {

const QColor Ink(22, 67, 134);
const QColor Paper(250, 252, 255);
const QColor FolderYellow(246, 196, 76);
const QColor FolderEdge(184, 132, 24);
const QColor Highlight(214, 60, 40);

QPen pen(const QColor &c, qreal w = 1.4) {
    return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QPixmap canvas(int w, int h) {
    QPixmap pm(w * 2, h * 2);
    pm.setDevicePixelRatio(2);
    pm.fill(Qt::transparent);
    return pm;
}

void folder(QPainter &p, const QRectF &r, bool open) {
    p.setPen(pen(FolderEdge, 1));
    p.setBrush(FolderYellow.darker(108));
    QPainterPath back;
    back.moveTo(r.left(), r.top() + r.height() * 0.2);
    back.lineTo(r.left() + r.width() * 0.38, r.top() + r.height() * 0.2);
    back.lineTo(r.left() + r.width() * 0.48, r.top() + r.height() * 0.34);
    back.lineTo(r.right(), r.top() + r.height() * 0.34);
    back.lineTo(r.right(), r.bottom());
    back.lineTo(r.left(), r.bottom());
    back.closeSubpath();
    p.drawPath(back);
    p.setBrush(FolderYellow);
    if (open) {
        QPainterPath front;
        front.moveTo(r.left() + r.width() * 0.14, r.top() + r.height() * 0.5);
        front.lineTo(r.right() + 1, r.top() + r.height() * 0.5);
        front.lineTo(r.right() - r.width() * 0.1, r.bottom());
        front.lineTo(r.left(), r.bottom());
        front.closeSubpath();
        p.drawPath(front);
    } else {
        p.drawRect(QRectF(r.left(), r.top() + r.height() * 0.42, r.width(), r.height() * 0.58));
    }
}

// A page with a folded corner, a coloured band and a short tag.
QPixmap page(const QColor &band, const QString &tag) {
    QPixmap pm = canvas(16, 16);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath sheet;
    sheet.moveTo(2.5, 0.5);
    sheet.lineTo(10.5, 0.5);
    sheet.lineTo(13.5, 3.5);
    sheet.lineTo(13.5, 15.5);
    sheet.lineTo(2.5, 15.5);
    sheet.closeSubpath();
    p.setPen(pen(QColor(120, 130, 145), 1));
    p.setBrush(Paper);
    p.drawPath(sheet);
    p.drawLine(QPointF(10.5, 0.5), QPointF(10.5, 3.5));
    p.drawLine(QPointF(10.5, 3.5), QPointF(13.5, 3.5));
    if (band.isValid()) {
        p.setPen(Qt::NoPen);
        p.setBrush(band);
        p.drawRect(QRectF(0.5, 8, 15, 6.5));
        QFont f;
        f.setPixelSize(6);
        f.setBold(true);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(QRectF(0.5, 8, 15, 6.5), Qt::AlignCenter, tag);
    } else {
        p.setPen(pen(QColor(170, 180, 195), 1));
        for (int y = 6; y <= 13; y += 2)
            p.drawLine(QPointF(4.5, y), QPointF(11.5, y));
    }
    return pm;
}

QPixmap drive(int kind) {
    QPixmap pm = canvas(16, 16);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF body(1, 5, 14, 7);
    QColor face(200, 206, 216);
    switch (kind) {
    case 2: // removable
        face = QColor(120, 150, 200);
        break;
    case 3: // fixed
        face = QColor(190, 196, 206);
        break;
    case 4: // network
        face = QColor(150, 190, 160);
        break;
    default:
        break;
    }
    p.setPen(pen(QColor(90, 100, 115), 1));
    p.setBrush(face);
    p.drawRoundedRect(body, 1.5, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(kind == 1 ? QColor(150, 150, 150) : QColor(70, 200, 90));
    p.drawEllipse(QPointF(12.5, 9.5), 1, 1);
    p.setPen(pen(Ink, 1.2));
    if (kind == 4) {
        p.drawLine(QPointF(8, 12), QPointF(8, 15));
        p.drawLine(QPointF(3, 15), QPointF(13, 15));
    } else if (kind == 2) {
        p.drawLine(QPointF(3, 8.5), QPointF(9, 8.5));
    } else if (kind == 1) {
        p.setPen(pen(Highlight, 1.3));
        p.drawLine(QPointF(4, 6.5), QPointF(8, 10.5));
        p.drawLine(QPointF(8, 6.5), QPointF(4, 10.5));
    } else if (kind < 0 || kind > 4) {
        QFont f;
        f.setPixelSize(7);
        f.setBold(true);
        p.setFont(f);
        p.drawText(QRectF(2, 5, 8, 7), Qt::AlignCenter, QStringLiteral("?"));
    } else if (kind == 0) {
        p.drawLine(QPointF(3, 8.5), QPointF(7, 8.5));
    } else {
        p.drawLine(QPointF(3, 8.5), QPointF(10, 8.5));
    }
    return pm;
}

QPixmap button(const QString &stem, bool hot) {
    QPixmap pm = canvas(24, 24);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    if (hot) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 150));
        p.drawRoundedRect(QRectF(0.5, 0.5, 23, 23), 4, 4);
    }
    const QColor accent = hot ? Highlight : Ink;
    if (stem == QLatin1String("FtNewFolder")) {
        folder(p, QRectF(2, 5, 17, 15), false);
        p.setPen(pen(accent, 2));
        p.drawLine(QPointF(18, 3), QPointF(18, 11));
        p.drawLine(QPointF(14, 7), QPointF(22, 7));
    } else if (stem == QLatin1String("FtRename")) {
        folder(p, QRectF(2, 6, 15, 13), false);
        p.setPen(pen(accent, 1.6));
        p.setBrush(Paper);
        QPainterPath pencil;
        pencil.moveTo(12, 20);
        pencil.lineTo(13, 16);
        pencil.lineTo(20, 9);
        pencil.lineTo(22, 11);
        pencil.lineTo(15, 18);
        pencil.closeSubpath();
        p.drawPath(pencil);
    } else if (stem == QLatin1String("FtFolderUp")) {
        folder(p, QRectF(2, 7, 18, 14), false);
        p.setPen(pen(accent, 2));
        p.drawLine(QPointF(11, 19), QPointF(11, 4));
        p.drawLine(QPointF(11, 4), QPointF(7, 8));
        p.drawLine(QPointF(11, 4), QPointF(15, 8));
    } else if (stem == QLatin1String("FtFileTransfer") || stem == QLatin1String("FileTransfer")) {
        p.drawPixmap(QRectF(1, 3, 12, 12), page(QColor(), QString()), QRectF(0, 0, 32, 32));
        p.drawPixmap(QRectF(11, 9, 12, 12), page(QColor(), QString()), QRectF(0, 0, 32, 32));
        p.setPen(pen(accent, 2));
        p.drawLine(QPointF(6, 19), QPointF(14, 19));
        p.drawLine(QPointF(14, 19), QPointF(11, 16));
        p.drawLine(QPointF(14, 19), QPointF(11, 22));
        p.drawLine(QPointF(18, 5), QPointF(10, 5));
        p.drawLine(QPointF(10, 5), QPointF(13, 2));
        p.drawLine(QPointF(10, 5), QPointF(13, 8));
    } else if (stem == QLatin1String("FtRefresh")) {
        p.setPen(pen(accent, 2.2));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(4, 4, 16, 16), 40 * 16, 280 * 16);
        p.setBrush(accent);
        p.setPen(Qt::NoPen);
        QPainterPath head;
        head.moveTo(20.5, 3.5);
        head.lineTo(21, 10);
        head.lineTo(14.5, 8.5);
        head.closeSubpath();
        p.drawPath(head);
    }
    return pm;
}

} // namespace

QIcon ButtonIcon(const QString &resourceName) {
    return ButtonIconFrom(resourceName, button);
}

QIcon ComputerIcon() {
    QPixmap pm = canvas(16, 16);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(pen(Ink, 1.2));
    p.setBrush(QColor(190, 220, 245));
    p.drawRoundedRect(QRectF(1.5, 1.5, 13, 9.5), 1.2, 1.2);
    p.drawLine(QPointF(8, 11), QPointF(8, 13.5));
    p.drawLine(QPointF(4, 14), QPointF(12, 14));
    return QIcon(pm);
}

QIcon DriveIcon(int kind) {
    return QIcon(drive(kind));
}

QIcon FolderIcon(bool open) {
    QPixmap pm = canvas(16, 16);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    folder(p, QRectF(1, 2, 14, 12), open);
    return QIcon(pm);
}

QIcon FileIcon(const QString &name) {
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString ext = dot < 0 ? QString() : name.mid(dot).toUpper();
    struct Kind {
        const char *extensions;
        QColor band;
        const char *tag;
    };
    static const Kind kinds[] = {
        {".INI", QColor(110, 120, 135), "INI"},
        {".BMP", QColor(60, 150, 90), "BMP"},
        {".EXE", QColor(40, 80, 160), "EXE"},
        {".HTM", QColor(30, 130, 190), "WEB"},
        {".DLL", QColor(100, 80, 150), "DLL"},
        {".HLP", QColor(200, 150, 20), "?"},
        {".ZIP.TZG", QColor(170, 110, 40), "ZIP"},
        {".RAR", QColor(140, 50, 110), "RAR"},
        {".DOC.TXT.RTF", QColor(50, 100, 200), "DOC"},
        {".AVI", QColor(190, 60, 60), "AVI"},
        {".MP3.WAV", QColor(220, 110, 30), "SND"},
        {".BAT.CFG", QColor(70, 70, 70), "BAT"},
        {".JPG.GIF.TIF.PNG.ICO", QColor(40, 160, 140), "IMG"},
    };
    static QHash<QString, QIcon> cache;
    if (!ext.isEmpty()) {
        for (const Kind &k : kinds) {
            const QString list = QLatin1String(k.extensions);
            qsizetype at = list.indexOf(ext);
            // A whole extension of the list: followed by the next "." or the end.
            while (at >= 0) {
                const qsizetype end = at + ext.size();
                if (end == list.size() || list[end] == QLatin1Char('.'))
                    break;
                at = list.indexOf(ext, at + 1);
            }
            if (at < 0)
                continue;
            const QString key = QLatin1String(k.tag);
            auto it = cache.find(key);
            if (it == cache.end())
                it = cache.insert(key, QIcon(page(k.band, key)));
            return *it;
        }
    }
    auto it = cache.find(QString());
    if (it == cache.end())
        it = cache.insert(QString(), QIcon(page(QColor(), QString())));
    return *it;
}

QPixmap FlyingFolder(bool right) {
    QPixmap pm = canvas(40, 32);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    if (!right) {
        p.translate(40, 0);
        p.scale(-1, 1);
    }
    p.setPen(pen(QColor(120, 170, 230), 1.6));
    for (int i = 0; i < 3; ++i)
        p.drawLine(QPointF(1 + i * 2, 11 + i * 5), QPointF(10 + i * 2, 11 + i * 5));
    folder(p, QRectF(13, 6, 24, 20), false);
    p.setPen(pen(Ink, 2));
    p.drawLine(QPointF(20, 18), QPointF(31, 18));
    p.drawLine(QPointF(31, 18), QPointF(27, 14.5));
    p.drawLine(QPointF(31, 18), QPointF(27, 21.5));
    return pm;
}

} // namespace TransferPictures
