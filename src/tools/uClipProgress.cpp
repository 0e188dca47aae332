#include "tools/uClipProgress.h"

#include "common/WindowMessages.h"
#include "common/uLanguageMsg.h"
#include "ui/BorderlessWindow.h"
#include "ui/ResourceBitmap.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

TClipProgressForm::TClipProgressForm(QWidget *mainWindow)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      MainWindow(mainWindow) {
    setObjectName(QStringLiteral("ClipProgressForm"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(FormWidth, FormHeight);
    SetRoundedMask(this, 10);
    BallTimer.setInterval(240);
    connect(&BallTimer, &QTimer::timeout, this, &TClipProgressForm::step);
    registerLanguageListener(this);
}

QString TClipProgressForm::text() const {
    return Msg(Sending ? "Sending clipboard..." : "Receiving clipboard...");
}

void TClipProgressForm::ShowClipProgress(bool sending) {
    Sending = sending;
    Position = sending ? 0 : 3;
    QRect centre = MainWindow ? MainWindow->frameGeometry() : QRect();
    if (centre.isEmpty())
        if (QScreen *s = QGuiApplication::primaryScreen())
            centre = s->availableGeometry();
    move(centre.center() - QPoint(FormWidth / 2, FormHeight / 2));
    BallTimer.start();
    update();
    show();
    raise();
}

void TClipProgressForm::CloseClipProgress() {
    BallTimer.stop();
    hide();
}

void TClipProgressForm::step() {
    Position = Sending ? (Position + 1) % 4 : (Position + 3) % 4;
    update();
}

void TClipProgressForm::mousePressEvent(QMouseEvent *e) {
    e->accept();
    CloseClipProgress();
    emit closedByClick();
}

bool TClipProgressForm::event(QEvent *e) {
    if (WindowMessages::messageOf(e) == WindowMessages::UpdateForm) {
        update();
        return true;
    }
    return QWidget::event(e);
}

void TClipProgressForm::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0xf4, 0xf7, 0xfb));
    p.drawPixmap(0, 0, LoadResourceBitmap(QStringLiteral("rcTransferClip_bmp"), size()));
    p.drawPixmap(BallLefts[Position], BallTop,
                 LoadResourceBitmap(QStringLiteral("rcClipBall_bmp"), QSize(24, 24)));
    const QString t = text();
    QFont f = FontFittingWidth(font(), t, FormWidth - 20);
    p.setFont(f);
    p.setPen(QColor(0x10, 0x43, 0x86));
    const QFontMetrics fm(f);
    const QRect r(10, 0, FormWidth - 20, FormHeight);
    const QRect needed = fm.boundingRect(r, Qt::AlignHCenter | Qt::TextWordWrap, t);
    // One line sits at 80, two lines start a little higher.
    const int top = needed.height() <= 20 ? 80 : 72;
    p.drawText(QRect(10, top, FormWidth - 20, FormHeight - top),
               Qt::AlignHCenter | Qt::TextWordWrap, t);
}
