#include "ui/uTips.h"

#include "common/uLanguageMsg.h"
#include "ui/BorderlessWindow.h"
#include "ui/ResourceBitmap.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

namespace {
TipsWindowHook &hook() {
    static TipsWindowHook h;
    return h;
}
} // namespace

void SetTipsWindowHook(TipsWindowHook h) {
    hook() = std::move(h);
}

TTipsForm::TTipsForm(QWidget *mainWindow)
    : QDialog(mainWindow, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("TipsForm"));
    setModal(true);
    setFixedSize(FormWidth, FormHeight);
    setStyleSheet(NoticeControlsStyle());
    SetRoundedMask(this, 10);
    LblTitle = new QLabel(this);
    LblTitle->setObjectName(QStringLiteral("LblTitle"));
    LblTitle->setTextFormat(Qt::PlainText);
    QFont f = LblTitle->font();
    f.setBold(true);
    LblTitle->setFont(f);
    LblTitle->setStyleSheet(QStringLiteral("color: rgb(16,67,134);"));
    LblTitle->setGeometry(50, 0, FormWidth - 62, 44);
    MemoTip = new QPlainTextEdit(this);
    MemoTip->setObjectName(QStringLiteral("MemoTip"));
    MemoTip->setReadOnly(true);
    MemoTip->setFocusPolicy(Qt::NoFocus);
    MemoTip->setStyleSheet(
        QStringLiteral("QPlainTextEdit { background: rgb(238,238,230); color: rgb(16,67,134); "
                       "border: 1px solid #d3cfbd; border-radius: 4px; padding: 2px; }"));
    // A little smaller than the window's text, so the longer translations of a tip fit
    // without scrolling.
    QFont memoFont = MemoTip->font();
    if (memoFont.pointSizeF() > 8)
        memoFont.setPointSizeF(memoFont.pointSizeF() - 0.5);
    MemoTip->setFont(memoFont);
    MemoTip->setGeometry(12, 52, FormWidth - 24, 144);
    ChkNeverAsk = new QCheckBox(this);
    ChkNeverAsk->setObjectName(QStringLiteral("ChkNeverAsk"));
    PlayClickOnClick(ChkNeverAsk);
    BttnClose = new QPushButton(this);
    BttnClose->setObjectName(QStringLiteral("BttnClose"));
    BttnClose->setDefault(true);
    PlayClickOnClick(BttnClose);
    connect(BttnClose, &QPushButton::clicked, this, &QDialog::accept);
    EnableSurfaceDrag(this);
}

void TTipsForm::Prepare(const QString &title, const QString &text, bool offerNeverAsk) {
    LblTitle->setText(ToDisplayLines(title).simplified());
    // The catalog breaks tip texts for a box of another width and font: single line breaks
    // become blanks so the box wraps the text itself; empty lines still part paragraphs.
    QStringList paragraphs = ToDisplayLines(text).split(QStringLiteral("\n\n"));
    for (QString &paragraph : paragraphs)
        paragraph = paragraph.split(QLatin1Char('\n')).join(QLatin1Char(' ')).simplified();
    MemoTip->setPlainText(paragraphs.join(QStringLiteral("\n\n")));
    ChkNeverAsk->setText(Msg("Never ask me again"));
    ChkNeverAsk->setChecked(false);
    ChkNeverAsk->setVisible(offerNeverAsk);
    Offered = offerNeverAsk;
    BttnClose->setText(Msg("Close"));
    const int w = qMax(90, BttnClose->sizeHint().width());
    BttnClose->setGeometry(FormWidth - 14 - w, 212, w, 28);
    ChkNeverAsk->setGeometry(16, 212, FormWidth - 46 - w, 28);
    QRect around;
    if (QWidget *owner = parentWidget())
        around = owner->frameGeometry();
    else if (QScreen *s = QGuiApplication::primaryScreen())
        around = s->availableGeometry();
    if (around.isValid())
        move(around.left() + (around.width() - FormWidth) / 2,
             around.top() + (around.height() - FormHeight) / 2);
    BttnClose->setFocus();
}

bool TTipsForm::neverAskChecked() const {
    return Offered && ChkNeverAsk->isChecked();
}

void TTipsForm::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0xf8, 0xf8, 0xf4));
    p.drawPixmap(rect(), LoadResourceBitmap(QStringLiteral("rcTip_bmp"), size()));
}

bool ShowTip(QWidget *mainWindow, const QString &title, const QString &text, bool offerNeverAsk) {
    if (hook())
        return hook()(title, text, offerNeverAsk);
    TTipsForm form(mainWindow);
    form.Prepare(title, text, offerNeverAsk);
    form.exec();
    return form.neverAskChecked();
}
