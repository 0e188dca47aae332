#include "ui/uAskWarning.h"

#include "common/uLanguageMsg.h"
#include "ui/BorderlessWindow.h"
#include "ui/ResourceBitmap.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScreen>

namespace {
constexpr int LeftPicture = 40;  // width of "rcWarningLeft_bmp"
constexpr int SidePictures = 75; // both side pictures together
constexpr int ButtonHeight = 26;

AskWarningHook &hook() {
    static AskWarningHook h;
    return h;
}

QPointer<TAskWarningForm> openForm;

// Where the first letter or digit of a caption is that differs from `unlike` (in any case).
qsizetype letterAt(const QString &caption, QChar unlike = QChar()) {
    for (qsizetype i = 0; i < caption.size(); ++i) {
        const QChar c = caption[i];
        if (c.isLetterOrNumber() && (unlike.isNull() || c.toCaseFolded() != unlike.toCaseFolded()))
            return i;
    }
    return -1;
}

// The caption with the answering letter underlined, as Qt marks a mnemonic.
QString withMnemonic(const QString &caption, QChar key) {
    const qsizetype at = caption.indexOf(key);
    if (key.isNull() || at < 0)
        return caption;
    return caption.left(at) + QLatin1Char('&') + caption.mid(at);
}

bool sameLetter(QChar a, QChar b) {
    return !a.isNull() && a.toCaseFolded() == b.toCaseFolded();
}
} // namespace

TAskWarningForm::AnswerKeys TAskWarningForm::KeysFor(const QString &yesCaption,
                                                     const QString &noCaption) {
    AnswerKeys keys;
    const qsizetype yes = letterAt(yesCaption);
    if (yes >= 0)
        keys.Yes = yesCaption[yes];
    const qsizetype no = letterAt(noCaption, keys.Yes);
    if (no >= 0)
        keys.No = noCaption[no];
    return keys;
}

void SetAskWarningHook(AskWarningHook h) {
    hook() = std::move(h);
}

TAskWarningForm::TAskWarningForm(QWidget *mainWindow)
    : QDialog(mainWindow, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("AskWarningForm"));
    setModal(true);
    setStyleSheet(NoticeControlsStyle());
    LblHead = new QLabel(this);
    LblHead->setObjectName(QStringLiteral("LblHead"));
    SetHeadingFont(LblHead);
    LblHead->setStyleSheet(QStringLiteral("color: rgb(204,0,0);"));
    LblQuestion = new QLabel(this);
    LblQuestion->setObjectName(QStringLiteral("LblQuestion"));
    LblQuestion->setAlignment(Qt::AlignCenter);
    LblQuestion->setTextFormat(Qt::PlainText);
    LblQuestion->setWordWrap(true);
    LblQuestion->setStyleSheet(QStringLiteral("color: rgb(16,67,134);"));
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
    connect(BttnNo, &QPushButton::clicked, this, [this] {
        Yes = false;
        QDialog::reject();
    });
    EnableSurfaceDrag(this);
}

void TAskWarningForm::Prepare(const QString &question) {
    Yes = false;
    LblHead->setText(Msg("Warning"));
    LblQuestion->setText(ToDisplayLines(question));
    Keys = KeysFor(Msg("Yes"), Msg("No"));
    BttnYes->setText(withMnemonic(Msg("Yes"), Keys.Yes));
    BttnNo->setText(withMnemonic(Msg("No"), Keys.No));

    QRect screen(0, 0, 1024, 768);
    if (QScreen *s = QGuiApplication::primaryScreen())
        screen = s->availableGeometry();
    const QFontMetrics fm(LblQuestion->font());
    const QRect q = fm.boundingRect(QRect(0, 0, qMax(230, screen.width() - 100), 100000),
                                    Qt::AlignHCenter | Qt::TextWordWrap, LblQuestion->text());
    const int width = qMax(230, q.width() + 30);
    const int questionTop = q.height() <= 20 ? 65 : 57;
    const int yesWidth = qMax(80, BttnYes->sizeHint().width());
    const int noWidth = qMax(80, BttnNo->sizeHint().width());
    const int buttonsLeft = (width - yesWidth - noWidth) / 10 * 3;
    const int buttonsTop = qMax(100, questionTop + q.height() + 16);
    const int height = buttonsTop + ButtonHeight + 16;

    setFixedSize(width, height);
    LblHead->setGeometry(LeftPicture, 8, width - SidePictures, 26);
    LblQuestion->setGeometry(15, questionTop, width - 30, q.height());
    BttnYes->setGeometry(buttonsLeft, buttonsTop, yesWidth, ButtonHeight);
    BttnNo->setGeometry(width - buttonsLeft - noWidth, buttonsTop, noWidth, ButtonHeight);

    QRect around = screen;
    if (QWidget *owner = parentWidget(); owner && owner->isVisible())
        around = owner->frameGeometry();
    move(around.left() + (around.width() - width) / 2,
         around.top() + (around.height() - height) / 2);
    // Enter on a question about overwriting or disconnecting should not say yes by itself:
    // it presses the button with the focus, and "No" when none of them has it.
    BttnNo->setDefault(true);
    BttnNo->setFocus();
}

void TAskWarningForm::keyPressEvent(QKeyEvent *e) {
    const Qt::KeyboardModifiers mods = e->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    if (mods == Qt::NoModifier || mods == Qt::AltModifier) {
        const QString text = e->text();
        QChar typed;
        if (!text.isEmpty() && text[0].isLetterOrNumber())
            typed = text[0];
        else if (e->key() > 0 && e->key() <= 0xffff)
            typed = QChar(e->key()); // Alt combinations may come without text
        if (sameLetter(typed, Keys.Yes)) {
            BttnYes->click();
            return;
        }
        if (sameLetter(typed, Keys.No)) {
            BttnNo->click();
            return;
        }
    }
    QDialog::keyPressEvent(e);
}

void TAskWarningForm::reject() {
    Yes = false;
    QDialog::reject();
}

void TAskWarningForm::paintEvent(QPaintEvent *) {
    QPainter p(this);
    PaintWarningPanel(p, rect());
}

void PaintWarningPanel(QPainter &p, const QRect &rect) {
    p.fillRect(rect, Qt::white);
    DrawSlicedPanel(p, rect, QStringLiteral("rcWarningLeft_bmp"), QString(),
                    QStringLiteral("rcWarningRight_bmp"), 40, 4);
    p.setPen(QColor(0xc4, 0xcd, 0xd8));
    p.drawRect(rect.adjusted(0, 0, -1, -1));
}

bool AskWarning(const QString &question, QWidget *mainWindow) {
    if (hook())
        return hook()(question);
    TAskWarningForm form(mainWindow);
    form.Prepare(question);
    openForm = &form;
    form.exec();
    openForm = nullptr;
    return form.Answer();
}

bool AskWarningVisible() {
    return openForm && openForm->isVisible();
}

void CloseAskWarning() {
    if (openForm)
        openForm->reject();
}
