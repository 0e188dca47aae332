#include "ui/uShowBadConn.h"

#include "common/WindowMessages.h"
#include "common/uLanguageMsg.h"
#include "ui/BorderlessWindow.h"
#include "ui/ResourceBitmap.h"
#include "ui/uSounds.h"

#include <QLabel>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPainter>

namespace {
constexpr int TextLeft = 52;
}

TShowBadConnForm::TShowBadConnForm(QWidget *mainWindow) : QWidget(mainWindow) {
    setObjectName(QStringLiteral("ShowBadConnForm"));
    setFixedSize(FormWidth, FormHeight);
    setCursor(Qt::PointingHandCursor);
    SetRoundedMask(this, 8);
    LblBad = new QLabel(this);
    LblBad->setObjectName(QStringLiteral("LblBadConnection"));
    QFont bold = LblBad->font();
    bold.setBold(true);
    LblBad->setFont(bold);
    LblWait = new QLabel(this);
    LblWait->setObjectName(QStringLiteral("LblPleaseWait"));
    for (QLabel *l : {LblBad, LblWait}) {
        l->setStyleSheet(QStringLiteral("color: rgb(93,129,163);"));
        l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        // Clicks on the texts are clicks on the window.
        l->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    LblBad->setGeometry(TextLeft, 15, FormWidth - TextLeft - 6, 20);
    LblWait->setGeometry(TextLeft, 37, FormWidth - TextLeft - 6, 20);
    hide();
    if (mainWindow)
        mainWindow->installEventFilter(this);
    registerLanguageListener(this);
}

void TShowBadConnForm::ApplyTexts() {
    LblBad->setText(Msg("Bad connection"));
    LblWait->setText(Msg("Please wait a moment ..."));
    for (QLabel *l : {LblBad, LblWait})
        FitLabelFont(l, l->width());
}

void TShowBadConnForm::PlaceInCorner() {
    QWidget *owner = parentWidget();
    if (!owner)
        return;
    // Over the main window's working area, clear of its status bar.
    QRect area = owner->rect();
    if (auto *main = qobject_cast<QMainWindow *>(owner); main && main->centralWidget())
        area = main->centralWidget()->geometry();
    move(area.right() + 1 - FormWidth - Margin, area.bottom() + 1 - FormHeight - Margin);
}

void TShowBadConnForm::ShowBadConn() {
    ApplyTexts();
    PlaceInCorner();
    PlaySystemSound(sndPopup);
    show();
    raise();
}

void TShowBadConnForm::CloseBadConn() {
    hide();
}

void TShowBadConnForm::mousePressEvent(QMouseEvent *e) {
    e->accept();
    CloseBadConn();
}

bool TShowBadConnForm::eventFilter(QObject *watched, QEvent *e) {
    if (watched == parentWidget() &&
        (e->type() == QEvent::Resize || e->type() == QEvent::LayoutRequest) && isVisible())
        PlaceInCorner();
    return false;
}

bool TShowBadConnForm::event(QEvent *e) {
    if (WindowMessages::messageOf(e) == WindowMessages::UpdateForm) {
        ApplyTexts();
        return true;
    }
    return QWidget::event(e);
}

void TShowBadConnForm::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0xf4, 0xf7, 0xfb));
    p.drawPixmap(rect(), LoadResourceBitmap(QStringLiteral("rcBadConnection_bmp"), size()));
}
