#include "ui/uUpgrade.h"

#include "common/uLanguageMsg.h"
#include "ui/BorderlessWindow.h"
#include "ui/ResourceBitmap.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

namespace {
AskUpgradeHook &hook() {
    static AskUpgradeHook h;
    return h;
}

constexpr int Width = 380;
constexpr int Picture = 64; // "rcUpgrade_bmp" is drawn 64 x 64 at the left
constexpr int TextLeft = 24 + Picture + 18;
constexpr int ButtonHeight = 26;
} // namespace

void SetAskUpgradeHook(AskUpgradeHook h) {
    hook() = std::move(h);
}

TUpgradeForm::TUpgradeForm(QWidget *mainWindow)
    : QDialog(mainWindow, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("UpgradeForm"));
    setModal(true);
    setStyleSheet(NoticeControlsStyle());
    LblHead = new QLabel(this);
    LblHead->setObjectName(QStringLiteral("LblHead"));
    SetHeadingFont(LblHead);
    LblText = new QLabel(this);
    LblText->setObjectName(QStringLiteral("LblText"));
    LblText->setTextFormat(Qt::PlainText);
    LblText->setWordWrap(true);
    LblText->setStyleSheet(QStringLiteral("color: rgb(16,67,134);"));
    BttnYes = new QPushButton(this);
    BttnYes->setObjectName(QStringLiteral("BttnYes"));
    BttnNo = new QPushButton(this);
    BttnNo->setObjectName(QStringLiteral("BttnNo"));
    for (QPushButton *b : {BttnYes, BttnNo})
        PlayClickOnClick(b);
    connect(BttnYes, &QPushButton::clicked, this, [this] {
        Yes = true;
        accept();
    });
    connect(BttnNo, &QPushButton::clicked, this, &QDialog::reject);
    connect(this, &QDialog::rejected, this, [this] { Yes = false; });
    EnableSurfaceDrag(this);
}

void TUpgradeForm::Prepare(bool required) {
    Yes = false;
    LblHead->setText(required ? Msg("Warning") : Msg("Info"));
    LblHead->setStyleSheet(required ? QStringLiteral("color: rgb(204,0,0);")
                                    : QStringLiteral("color: rgb(16,67,134);"));
    LblText->setText(ToDisplayLines(required ? Msg("A new update is required\r\nUpgrade now?")
                                             : Msg("A new upgrade is available\r\nUpgrade now?")));
    BttnYes->setText(Msg("Yes"));
    BttnNo->setText(required ? Msg("Close") : Msg("No"));

    const int textWidth = Width - TextLeft - 20;
    const int textHeight =
        QFontMetrics(LblText->font())
            .boundingRect(QRect(0, 0, textWidth, 1000), Qt::TextWordWrap, LblText->text())
            .height();
    const int buttonsTop = qMax(24 + Picture + 14, 48 + textHeight + 16);
    const int height = buttonsTop + ButtonHeight + 18;
    setFixedSize(Width, height);
    LblHead->setGeometry(TextLeft, 18, textWidth, 24);
    LblText->setGeometry(TextLeft, 48, textWidth, textHeight);
    const int yesWidth = qMax(90, BttnYes->sizeHint().width());
    const int noWidth = qMax(90, BttnNo->sizeHint().width());
    BttnNo->setGeometry(Width - 20 - noWidth, buttonsTop, noWidth, ButtonHeight);
    BttnYes->setGeometry(Width - 20 - noWidth - 12 - yesWidth, buttonsTop, yesWidth, ButtonHeight);
    BttnYes->setDefault(true);
    BttnYes->setFocus();

    QRect around(0, 0, 1024, 768);
    if (QScreen *s = QGuiApplication::primaryScreen())
        around = s->availableGeometry();
    if (QWidget *owner = parentWidget(); owner && owner->isVisible())
        around = owner->frameGeometry();
    move(around.center() - QPoint(Width / 2, height / 2));
}

void TUpgradeForm::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.fillRect(QRect(0, 0, width(), 6), QColor(16, 67, 134));
    const QPixmap picture = LoadResourceBitmap(QStringLiteral("rcUpgrade_bmp"), {Picture, Picture});
    if (!picture.isNull())
        p.drawPixmap(24, 24, picture);
    p.setPen(QColor(0xc4, 0xcd, 0xd8));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

bool AskUpgrade(bool required, QWidget *mainWindow) {
    if (hook())
        return hook()(required);
    TUpgradeForm form(mainWindow);
    form.Prepare(required);
    form.exec();
    return form.Answer();
}
