#include "screen/TMouseForm.h"

#include <QBitmap>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QRegion>
#include <QTimer>

namespace {
const QColor ArrowRed(220, 0, 0);
const QColor ArrowEdge(90, 0, 0);

void paintArrow(QPainter &p) {
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(ArrowEdge);
    p.setBrush(ArrowRed);
    p.drawPolygon(TMouseForm::arrow(), Qt::OddEvenFill);
}
} // namespace

TMouseForm::TMouseForm(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowDoesNotAcceptFocus | Qt::X11BypassWindowManagerHint) {
    setObjectName(QStringLiteral("MouseForm"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(arrow().boundingRect().size() + QSize(1, 1));
    // The window is the arrow itself, outline included: the desktop shows around it.
    QImage shape(size(), QImage::Format_ARGB32_Premultiplied);
    shape.fill(Qt::transparent);
    QPainter p(&shape);
    paintArrow(p);
    p.end();
    setMask(QBitmap::fromImage(shape.createAlphaMask()));
}

QPolygon TMouseForm::arrow() {
    return QPolygon({{0, 0}, {0, 17}, {4, 13}, {8, 21}, {10, 19}, {7, 12}, {13, 12}});
}

QImage TMouseForm::arrowImage() {
    QImage img(15, 20, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    paintArrow(p);
    return img;
}

void TMouseForm::moveTipTo(QPoint global) {
    move(global);
}

void TMouseForm::Flash() {
    if (!isVisible())
        return;
    hide();
    QPointer<TMouseForm> self(this);
    const int closes = Closes;
    QTimer::singleShot(50, this, [self, closes] {
        // Closed meanwhile (full control came back): it stays closed.
        if (!self || self->Closes != closes)
            return;
        self->show();
        self->raise();
    });
}

void TMouseForm::paintEvent(QPaintEvent *) {
    QPainter p(this);
    paintArrow(p);
}

void TMouseForm::closeEvent(QCloseEvent *e) {
    ++Closes;
    QWidget::closeEvent(e);
}

void TMouseForm::mousePressEvent(QMouseEvent *e) {
    e->accept();
    close();
}
