#include "screen/uAskReboot.h"

#include "common/uLanguageMsg.h"
#include "ui/BorderlessWindow.h"
#include "ui/uAskWarning.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

namespace {
constexpr int MinWidth = 240;
constexpr int TextMargin = 20; // the window is this much wider than the information text
constexpr int LeftPicture = 40;
constexpr int SidePictures = 75;
constexpr int ButtonHeight = 26;
constexpr int BarHeight = 14;
} // namespace

TAskRebootForm::TAskRebootForm(QWidget *mainWindow)
    : QDialog(mainWindow, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("AskRebootForm"));
    setWindowTitle(QStringLiteral("Confirm reboot client"));
    setModal(true);
    setStyleSheet(NoticeControlsStyle());
    LblHead = new QLabel(this);
    LblHead->setObjectName(QStringLiteral("LblHead"));
    LblHead->setStyleSheet(QStringLiteral("color: rgb(204,0,0);"));
    LblInfo = new QLabel(this);
    LblInfo->setObjectName(QStringLiteral("LblInfo"));
    LblInfo->setAlignment(Qt::AlignCenter);
    LblInfo->setTextFormat(Qt::PlainText);
    LblInfo->setStyleSheet(QStringLiteral("color: rgb(16,67,134);"));
    ProgressBar = new QProgressBar(this);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setTextVisible(false);
    BttnYes = new QPushButton(this);
    BttnYes->setObjectName(QStringLiteral("BttnYes"));
    BttnNo = new QPushButton(this);
    BttnNo->setObjectName(QStringLiteral("BttnNo"));
    for (QPushButton *b : {BttnYes, BttnNo})
        PlayClickOnClick(b);
    connect(BttnYes, &QPushButton::clicked, this, [this] {
        Timer1.stop();
        Yes = true;
        accept();
    });
    connect(BttnNo, &QPushButton::clicked, this, &TAskRebootForm::reject);
    Timer1.setInterval(1000);
    connect(&Timer1, &QTimer::timeout, this, &TAskRebootForm::Timer1Timer);
    EnableSurfaceDrag(this);
}

void TAskRebootForm::Prepare(int variant) {
    Yes = false;
    Timer1.stop();
    const bool countdown = variant != 0;
    QFont head = font();
    head.setPointSizeF(head.pointSizeF() + 1);
    head.setBold(!countdown);
    LblHead->setFont(head);
    LblHead->setText(countdown ? Msg("Client shutdown in progress") : Msg("Warning").toUpper());
    LblInfo->setText(ToDisplayLines(
        countdown ? Msg("Do you want to reconnect automatically after reboot?")
                  : Msg("Critical information may be lost !\rReboot the remote computer ?")));
    BttnYes->setText(Msg("Yes"));
    BttnNo->setText(Msg("No"));
    Count = CountdownSeconds;
    ProgressBar->setRange(0, CountdownSeconds);
    ProgressBar->setValue(Count);
    ProgressBar->setVisible(countdown);

    const QFontMetrics fm(LblInfo->font());
    const QRect info =
        fm.boundingRect(QRect(0, 0, 100000, 100000), Qt::AlignHCenter, LblInfo->text());
    const QFontMetrics hm(head);
    const int width = std::max({MinWidth, info.width() + TextMargin,
                                hm.horizontalAdvance(LblHead->text()) + SidePictures + 10});
    const int infoTop = 50;
    int y = infoTop + info.height() + 14;
    const int barTop = y;
    if (countdown)
        y += BarHeight + 12;
    const int yesWidth = qMax(80, BttnYes->sizeHint().width());
    const int noWidth = qMax(80, BttnNo->sizeHint().width());
    const int buttonsLeft = (width - yesWidth - noWidth) * 3 / 10;
    const int height = y + ButtonHeight + 16;

    setFixedSize(width, height);
    LblHead->setGeometry(LeftPicture, 8, width - SidePictures, 26);
    LblInfo->setGeometry((width - info.width()) / 2, infoTop, info.width(), info.height());
    ProgressBar->setGeometry(TextMargin / 2, barTop, width - TextMargin, BarHeight);
    BttnYes->setGeometry(buttonsLeft, y, yesWidth, ButtonHeight);
    BttnNo->setGeometry(width - buttonsLeft - noWidth, y, noWidth, ButtonHeight);

    QRect around(0, 0, 1024, 768);
    if (QScreen *s = QGuiApplication::primaryScreen())
        around = s->availableGeometry();
    if (QWidget *owner = parentWidget(); owner && owner->isVisible())
        around = owner->frameGeometry();
    move(around.left() + (around.width() - width) / 2,
         around.top() + (around.height() - height) / 2);
    // Enter answers with the focused button: No, unless the operator moves to Yes.
    BttnNo->setDefault(true);
    BttnNo->setFocus();
    if (countdown)
        Timer1.start();
}

void TAskRebootForm::showEvent(QShowEvent *e) {
    QDialog::showEvent(e);
    BttnNo->setFocus();
}

void TAskRebootForm::Timer1Timer() {
    if (Count <= 0)
        return;
    --Count;
    ProgressBar->setValue(Count);
    if (Count == 0) {
        Timer1.stop();
        reject();
    }
}

void TAskRebootForm::reject() {
    Timer1.stop();
    Yes = false;
    QDialog::reject();
}

void TAskRebootForm::paintEvent(QPaintEvent *) {
    QPainter p(this);
    PaintWarningPanel(p, rect());
}

namespace {
QPointer<TAskRebootForm> openQuestion;
}

bool AskReboot(int variant, QWidget *mainWindow) {
    TAskRebootForm form(mainWindow);
    form.Prepare(variant);
    openQuestion = &form;
    form.exec();
    return form.Answer();
}

void CloseAskReboot() {
    if (openQuestion)
        openQuestion->reject();
}
