#include "tools/uClipBrdOptions.h"

#include "common/uLanguageMsg.h"
#include "ui/AccessibleControls.h"
#include "ui/BorderlessWindow.h"
#include "ui/ResourceBitmap.h"

#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

namespace {
constexpr int FormHeight = 150;
constexpr int PictureWidth = 50;
constexpr int RightWidth = 10;
constexpr int LabelLeft = 64;
constexpr int Distance = 30; // from the mouse, away from the toolbar

const char *const OptionTexts[3] = {"Plain text", "Bitmap", "Complete clipboard (5MB limit)"};
const QString LabelStyle = QStringLiteral("color: #104386;");
const QString HighlightStyle =
    QStringLiteral("color: palette(highlight); text-decoration: underline;");
} // namespace

TClipBrdOptionsForm::TClipBrdOptionsForm(bool upload, QPoint mouse, int toolbarSide,
                                         QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      Upload(upload), Mouse(mouse), ToolbarSide(toolbarSide) {
    setObjectName(QStringLiteral("ClipBrdOptionsForm"));
    setModal(true);
    setStyleSheet(NoticeControlsStyle());
    LblHead = new QLabel(Msg(upload ? "Clipboard upload" : "Clipboard download"), this);
    LblHead->setObjectName(QStringLiteral("LblHead"));
    QFont head = LblHead->font();
    head.setBold(true);
    LblHead->setFont(head);
    LblHead->setStyleSheet(QStringLiteral("color: #163f70;"));
    int right = 0;
    for (int i = 0; i < 3; ++i) {
        auto *l = new TClickLabel(Msg(OptionTexts[i]), this);
        l->setObjectName(QStringLiteral("LblOption%1").arg(i + 1));
        l->setStyleSheet(LabelStyle);
        l->adjustSize();
        l->move(LabelLeft, 40 + 24 * i);
        l->installEventFilter(this);
        connect(l, &TClickLabel::clicked, this, [this, i] {
            Result = i + 1;
            accept();
        });
        Labels[i] = l;
        right = std::max(right, l->geometry().right());
    }
    BttnCancel = new QPushButton(Msg("Cancel"), this);
    BttnCancel->setObjectName(QStringLiteral("BttnCancel"));
    PlayClickOnClick(BttnCancel);
    // Return on an option chooses it; anywhere else it cancels, the harmless answer.
    BttnCancel->setDefault(true);
    connect(BttnCancel, &QPushButton::clicked, this, [this] {
        Result = 0;
        reject();
    });
    const int width = std::max({230, right + 10 + RightWidth, PictureWidth + 160});
    setFixedSize(width, FormHeight);
    LblHead->setGeometry(PictureWidth + 8, 10, width - 65, 22);
    FitLabelFont(LblHead, LblHead->width());
    const int w = std::max(90, BttnCancel->sizeHint().width());
    BttnCancel->setGeometry((width - w) / 2 + PictureWidth / 2 - RightWidth / 2, 114, w, 26);
    SetRoundedMask(this, 10);
}

QLabel *TClipBrdOptionsForm::optionLabel(int option) const {
    return option >= 1 && option <= 3 ? Labels[option - 1] : nullptr;
}

QPoint TClipBrdOptionsForm::placement(QPoint mouse, QSize size, int toolbarSide) {
    switch (toolbarSide) {
    case 1:
        return {mouse.x(), mouse.y() - size.height() - Distance};
    case 2:
        return {mouse.x() + Distance, mouse.y()};
    case 3:
        return {mouse.x() - size.width() - Distance, mouse.y()};
    default:
        return {mouse.x(), mouse.y() + Distance};
    }
}

void TClipBrdOptionsForm::showEvent(QShowEvent *e) {
    QDialog::showEvent(e);
    QPoint at = placement(Mouse, size(), ToolbarSide);
    // Kept on the screen the mouse is on.
    if (QScreen *s = QGuiApplication::screenAt(Mouse)) {
        const QRect r = s->availableGeometry();
        at.setX(std::clamp(at.x(), r.left(), std::max(r.left(), r.right() - width())));
        at.setY(std::clamp(at.y(), r.top(), std::max(r.top(), r.bottom() - height())));
    }
    move(at);
    Labels[0]->setFocus(Qt::TabFocusReason);
}

void TClipBrdOptionsForm::hideEvent(QHideEvent *e) {
    for (QLabel *l : Labels)
        l->unsetCursor();
    QDialog::hideEvent(e);
}

bool TClipBrdOptionsForm::eventFilter(QObject *watched, QEvent *e) {
    for (int i = 0; i < 3; ++i) {
        if (watched != Labels[i])
            continue;
        switch (e->type()) {
        case QEvent::Enter:
            Labels[i]->setStyleSheet(HighlightStyle);
            Labels[i]->setCursor(Qt::PointingHandCursor);
            break;
        case QEvent::Leave:
            Labels[i]->setStyleSheet(LabelStyle);
            Labels[i]->unsetCursor();
            break;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, e);
}

void TClipBrdOptionsForm::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(0x6f, 0x8f, 0xb3));
    p.setBrush(QColor(0xf7, 0xfa, 0xfd));
    p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 10, 10);
    const QString left = Upload ? QStringLiteral("rcClipboardUpload_bmp")
                                : QStringLiteral("rcClipboardDownload_bmp");
    p.drawPixmap(0, 0, LoadResourceBitmap(left, QSize(PictureWidth, height())));
    p.drawPixmap(
        width() - RightWidth, 0,
        LoadResourceBitmap(QStringLiteral("rcClipboardRight_bmp"), QSize(RightWidth, height())));
}

int GetClipBoardOption(bool upload, int toolbarSide, QWidget *mainWindow) {
    TClipBrdOptionsForm form(upload, QCursor::pos(), toolbarSide, mainWindow);
    form.exec();
    return form.Option();
}
