#include "screen/TMouseForm.h"

#include "screen/RemotePointerPicture.h"

#include <QBitmap>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QRegion>
#include <QTimer>

TMouseForm::TMouseForm(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowDoesNotAcceptFocus | Qt::X11BypassWindowManagerHint) {
    setObjectName(QStringLiteral("MouseForm"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    const QImage picture = RemotePointerPicture();
    setFixedSize(picture.size());
    // The window is the arrow itself, outline included: the desktop shows around it.
    setMask(QBitmap::fromImage(picture.createAlphaMask()));
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
    QPainter(this).drawImage(0, 0, RemotePointerPicture());
}

void TMouseForm::closeEvent(QCloseEvent *e) {
    ++Closes;
    QWidget::closeEvent(e);
}

void TMouseForm::mousePressEvent(QMouseEvent *e) {
    e->accept();
    close();
}
