#include "screen/uRebootWait.h"

#include "common/WindowMessages.h"
#include "common/uLanguageMsg.h"
#include "ui/BorderlessWindow.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

TRebootWaitForm::TRebootWaitForm(QWidget *mainWindow) : QWidget(mainWindow) {
    setObjectName(QStringLiteral("RebootWaitForm"));
    setStyleSheet(NoticeControlsStyle());
    LblInfo = new QLabel(this);
    LblInfo->setObjectName(QStringLiteral("LblInfo"));
    LblInfo->setAlignment(Qt::AlignCenter);
    LblInfo->setStyleSheet(QStringLiteral("color: rgb(16,67,134); font-weight: bold;"));
    Bar = new QProgressBar(this);
    Bar->setRange(0, 0); // no end known: it runs until the host is back
    Bar->setTextVisible(false);
    Bar->setFixedHeight(12);
    BttnEnd = new QPushButton(this);
    BttnEnd->setObjectName(QStringLiteral("BttnEnd"));
    PlayClickOnClick(BttnEnd);
    connect(BttnEnd, &QPushButton::clicked, this, [this] {
        if (EndSession)
            EndSession();
    });
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 16);
    layout->setSpacing(12);
    layout->addWidget(LblInfo);
    layout->addWidget(Bar);
    layout->addWidget(BttnEnd, 0, Qt::AlignHCenter);
    applyTexts();
    registerLanguageListener(this);
    mainWindow->installEventFilter(this);
    hide();
}

void TRebootWaitForm::applyTexts() {
    LblInfo->setText(ToDisplayLines(Msg("Remote computer is rebooting")));
    BttnEnd->setText(Msg("End support session"));
    adjustSize();
    setFixedWidth(qMax(320, sizeHint().width()));
}

// In the lower third: the middle of the screen belongs to the flash notices that come with a
// reboot ("Rebooting remote computer ...", "Remote computer is rebooting").
void TRebootWaitForm::placeOnParent() {
    if (QWidget *p = parentWidget())
        move((p->width() - width()) / 2,
             qMax(0, qMin(p->height() * 2 / 3 - height() / 2, p->height() - height() - 30)));
}

void TRebootWaitForm::ShowWait() {
    placeOnParent();
    show();
    raise();
    repaint();
}

void TRebootWaitForm::CloseWait() {
    hide();
}

bool TRebootWaitForm::event(QEvent *e) {
    if (WindowMessages::messageOf(e) == WindowMessages::UpdateForm) {
        applyTexts();
        placeOnParent();
        return true;
    }
    return QWidget::event(e);
}

bool TRebootWaitForm::eventFilter(QObject *watched, QEvent *e) {
    if (watched == parentWidget() && e->type() == QEvent::Resize && isVisible())
        placeOnParent();
    return QWidget::eventFilter(watched, e);
}

void TRebootWaitForm::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(0x8a, 0xa3, 0xbf));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
}
