#include "ui/QVMessage.h"

#include "common/uLanguageMsg.h"
#include "ui/BorderlessWindow.h"
#include "ui/ResourceBitmap.h"
#include "ui/uSounds.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

namespace {
MessageWindowHook &hook() {
    static MessageWindowHook h;
    return h;
}

struct ButtonDef {
    int bit;
    int result;
    const char *caption;
    const char *name;
};
// The order on screen, whatever order the caller thinks of them in.
constexpr ButtonDef ButtonDefs[] = {
    {MsgButton::Yes, mrYes, QT_TRANSLATE_NOOP("MessageCatalog", "Yes"), "BttnYes"},
    {MsgButton::No, mrNo, QT_TRANSLATE_NOOP("MessageCatalog", "No"), "BttnNo"},
    {MsgButton::OK, mrOK, QT_TRANSLATE_NOOP("MessageCatalog", "OK"), "BttnOK"},
    {MsgButton::Cancel, mrCancel, QT_TRANSLATE_NOOP("MessageCatalog", "Cancel"), "BttnCancel"},
    {MsgButton::Close, mrClose, QT_TRANSLATE_NOOP("MessageCatalog", "Close"), "BttnClose"},
    {MsgButton::CancelSession, mrCancelSession,
     QT_TRANSLATE_NOOP("MessageCatalog", "Cancel session"), "BttnCancelSession"},
};

constexpr int TitleBand = 34;  // height of the title band of the panel pictures
constexpr int TextMiddle = 78; // where a short text's middle sits
constexpr int ButtonGap = 50;  // between neighbouring buttons
constexpr int ButtonHeight = 26;
constexpr int MinButtonsTop = 118;
constexpr int BottomMargin = 24;
constexpr int CornerRadius = 8;

int soundOfKind(int kind) {
    switch (kind) {
    case mkError:
        return sndError;
    case mkInformation:
        return sndPopup;
    default:
        return sndWarning;
    }
}

QRect availableScreen() {
    if (QScreen *s = QGuiApplication::primaryScreen())
        return s->availableGeometry();
    return QRect(0, 0, 1024, 768);
}
} // namespace

void SetMessageWindowHook(MessageWindowHook h) {
    hook() = std::move(h);
}

int ShowMessageWindow(int kind, const QString &text, int buttons) {
    if ((buttons & (MsgButton::Yes | MsgButton::No | MsgButton::OK | MsgButton::Cancel |
                    MsgButton::Close | MsgButton::CancelSession)) == 0)
        buttons = MsgButton::Close;
    if (hook())
        return hook()(kind, text, buttons);
    TQVMessageForm form;
    form.Prepare(kind, text, buttons);
    form.exec();
    return form.Result();
}

TQVMessageForm::TQVMessageForm(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("QVMessageForm"));
    setModal(true);
    setStyleSheet(NoticeControlsStyle());
    LblTitle = new QLabel(this);
    LblTitle->setObjectName(QStringLiteral("LblTitle"));
    QFont titleFont = LblTitle->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() + 1);
    LblTitle->setFont(titleFont);
    LblTitle->setStyleSheet(QStringLiteral("color: rgb(93,129,163);"));
    LblTitle->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    LblText = new QLabel(this);
    LblText->setObjectName(QStringLiteral("LblText"));
    LblText->setStyleSheet(QStringLiteral("color: rgb(16,67,134);"));
    LblText->setAlignment(Qt::AlignCenter);
    LblText->setWordWrap(true);
    LblText->setTextFormat(Qt::PlainText);
    EnableSurfaceDrag(this);
}

void TQVMessageForm::Prepare(int kind, const QString &text, int buttons) {
    MessageKind = kind;
    qDeleteAll(Buttons);
    Buttons.clear();
    ButtonResult = mrClose;

    // Every kind is titled "Warning": the kind only chooses the sound.
    LblTitle->setText(QLatin1Char(' ') + Msg("Warning").toUpper());
    LblText->setText(QLatin1Char(' ') + ToDisplayLines(text));

    for (const ButtonDef &d : ButtonDefs) {
        if (!(buttons & d.bit))
            continue;
        auto *b = new QPushButton(Msg(d.caption).replace(QStringLiteral("&&"), QStringLiteral("&")),
                                  this);
        b->setObjectName(QLatin1String(d.name));
        b->setProperty("msgResult", d.result);
        // "Yes" starts what the question was about and gives no click of its own.
        if (d.result != mrYes)
            PlayClickOnClick(b);
        const int result = d.result;
        connect(b, &QPushButton::clicked, this, [this, result] { ButtonClick(result); });
        Buttons.append(b);
    }
    if (Buttons.isEmpty())
        return Prepare(kind, text, MsgButton::Close);

    // Layout: as wide as the text plus 20, at least 200, and wide enough for the buttons with
    // 50 pixels between them and 30 on each side. A text wider than the screen allows wraps.
    const QRect screen = availableScreen();
    const int maxTextWidth = qMax(200, screen.width() - 80);
    const QFontMetrics fm(LblText->font());
    const QRect textBounds = fm.boundingRect(QRect(0, 0, maxTextWidth, 100000),
                                             Qt::AlignHCenter | Qt::TextWordWrap, LblText->text());
    int buttonsWidth = 0;
    for (QPushButton *b : Buttons) {
        const int w = qMax(80, b->sizeHint().width());
        b->resize(w, ButtonHeight);
        buttonsWidth += w;
    }
    buttonsWidth += ButtonGap * (int(Buttons.size()) - 1);
    const int width = std::max({textBounds.width() + 20, 200, buttonsWidth + 60});

    const int textHeight = textBounds.height();
    const int textTop = qMax(TitleBand + 10, TextMiddle - textHeight / 2);
    const int buttonsTop = qMax(MinButtonsTop, textTop + textHeight + 28);
    const int height = buttonsTop + ButtonHeight + BottomMargin;

    setFixedSize(width, height);
    LblTitle->setGeometry(36, 0, width - 46, TitleBand);
    LblText->setGeometry(10, textTop, width - 20, textHeight);
    int x = (width - buttonsWidth) / 2;
    for (QPushButton *b : Buttons) {
        b->move(x, buttonsTop);
        x += b->width() + ButtonGap;
    }
    Buttons.first()->setDefault(true);
    Buttons.first()->setFocus();
    move(screen.left() + (screen.width() - width) / 2,
         screen.top() + (screen.height() - height) / 2);
}

void TQVMessageForm::ButtonClick(int result) {
    ButtonResult = result;
    done(result);
}

void TQVMessageForm::reject() {
    for (int wanted : {mrCancel, mrNo, mrClose, mrOK}) {
        for (QPushButton *b : Buttons) {
            if (b->property("msgResult").toInt() == wanted) {
                b->click();
                return;
            }
        }
    }
}

void TQVMessageForm::showEvent(QShowEvent *e) {
    QDialog::showEvent(e);
    PlaySystemSound(soundOfKind(MessageKind));
}

void TQVMessageForm::resizeEvent(QResizeEvent *e) {
    QDialog::resizeEvent(e);
    SetRoundedMask(this, CornerRadius);
}

void TQVMessageForm::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0xf4, 0xf7, 0xfb));
    DrawSlicedPanel(p, rect(), QStringLiteral("rcInfoLeft_bmp"), QStringLiteral("rcInfoCenter_bmp"),
                    QStringLiteral("rcInfoRight_bmp"), TitleBand + 10, 16);
}
