#include "screen/FullScreenHeader.h"

#include "common/AdminVars.h"
#include "common/TraceRing.h"
#include "common/WindowMessages.h"
#include "common/uLanguageMsg.h"
#include "hook/HostKeys.h"
#include "screen/ScreenButtonPictures.h"
#include "screen/ScreenLayout.h"
#include "screen/ScreenModeBoxes.h"
#include "ui/AccessibleControls.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QMetaEnum>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QToolButton>

using namespace WindowMessages;

bool THeaderForm::SlidingDown = false;

namespace {
struct ButtonInfo {
    const char *picture;
    const char *hint;
    const char *suffix;
    int hostKey; // its host-key command (the toolbar shows only during a session), or -1
    int slot;    // position in the row of buttons; -1 for the right end
};

// In the order of THeaderForm::Button.
const ButtonInfo ButtonTable[THeaderForm::ButtonCount] = {
    {"rcNailUp_bmp", "Lock toolbar", "", -1, 0},
    {"rcNailDown_bmp", "Release toolbar", "", -1, 0},
    {"rcHostInfo_bmp", "Get info client PC", "", HostKeys::HostInfo, 1},
    {"rcRefresh_bmp", "Refresh screen", "", HostKeys::Refresh, 2},
    {"rcHideWallpaper_bmp", "Hide wallpaper", "", -1, 3},
    {"rcShowWallpaper_bmp", "Show wallpaper", "", -1, 3},
    {"rcTaskManager_bmp", "Start taskmanager", "", -1, 4},
    {"rcCtrlAltDel_bmp", "Send Ctrl-Alt-Del", "", -1, 5},
    {"rcReboot_bmp", "Reboot client computer", "", -1, 6},
    {"rcPrintScreen_bmp", "Print remote screen", "", -1, 7},
    {"rcChatBtn_bmp", "Start chat session", "", HostKeys::Chat, 8},
    {"rcDownloadClip_bmp", "Download clipboard from client", "", -1, 9},
    {"rcUploadClip_bmp", "Upload clipboard to client", "", -1, 10},
    {"rcFileTransfer_bmp", "Transfer file", "", HostKeys::TransferFile, 11},
    {"rcScreenshot_bmp", "Save screenshot to desktop", "", HostKeys::Screenshot, 12},
    {"rcStartRecording_bmp", "Start session recording", "", -1, 13},
    {"rcStopRecording_bmp", "End session recording", "", -1, 13},
    {"rcFitToScreen_bmp", "Fit to screen", "", -1, -1},
    {"rcNormalScreen_bmp", "Switch to normal screen mode", " (Alt-Enter)", -1, -1},
};

constexpr int FirstButtonX = 22;
constexpr int ButtonPitch = 32;
constexpr int ButtonTop = 3;
constexpr int CtrlAltDelSlot = 5;
// The console runs only in its standard application mode, which has no Ctrl-Alt-Del button.
constexpr bool CtrlAltDelShown = false;

QPolygon outline() {
    return QPolygon({QPoint(0, 0), QPoint(THeaderForm::HeaderWidth, 0),
                     QPoint(THeaderForm::HeaderWidth - 15, THeaderForm::HeaderHeight),
                     QPoint(15, THeaderForm::HeaderHeight)});
}
} // namespace

THeaderForm::THeaderForm(ScreenModes *modes, QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("HeaderForm"));
    setFixedSize(HeaderWidth, HeaderHeight);
    setMask(QRegion(outline()));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
    for (int i = 0; i < ButtonCount; ++i) {
        auto *b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(QMetaEnum::fromType<Button>().valueToKey(i)));
        b->setIcon(ScreenButtonIcon(QString::fromLatin1(ButtonTable[i].picture)));
        b->setIconSize(QSize(24, 24));
        b->setFixedSize(24, 24);
        b->setAutoRaise(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setStyleSheet(QStringLiteral("QToolButton { border: none; padding: 0; }"));
        Buttons[i] = b;
        const auto which = Button(i);
        connect(b, &QToolButton::clicked, this, [this, which] {
            switch (which) {
            case BttnNailUp:
                BttnNailUpClick();
                break;
            case BttnNailDown:
                BttnNailDownClick();
                break;
            case BttnNormalScreen:
                if (ClickSound)
                    ClickSound();
                BttnSetNormalScreen();
                break;
            default:
                emit buttonClicked(which);
            }
        });
    }
    ModeBox = new ScreenModeBox(modes, this);
    ColourBox = new ColorBox(modes, this);
    ModeBox->setGeometry(440, 4, 120, 22);
    ColourBox->setGeometry(564, 4, 132, 22);
    placeButtons();
    setWallpaperHidden(false);
    setRecording(false);
    Buttons[BttnNailDown]->hide();

    Timer1.setInterval(50);
    AutoUpTimer.setInterval(3000);
    connect(&Timer1, &QTimer::timeout, this, &THeaderForm::Timer1Timer);
    connect(&AutoUpTimer, &QTimer::timeout, this, &THeaderForm::AutoHide);
    applyTexts();
    registerLanguageListener(this);
    hide();
}

void THeaderForm::placeButtons() {
    for (int i = 0; i < ButtonCount; ++i) {
        const int slot = ButtonTable[i].slot;
        int x;
        if (slot < 0)
            x = HeaderWidth - 22 - (i == BttnNormalScreen ? 24 : 24 + ButtonPitch);
        else
            x = FirstButtonX + ButtonPitch * slot -
                (slot > CtrlAltDelSlot && !CtrlAltDelShown ? ButtonPitch : 0);
        Buttons[i]->move(x, ButtonTop);
    }
    Buttons[BttnCtrlAltDel]->setVisible(CtrlAltDelShown);
}

void THeaderForm::applyTexts() {
    for (int i = 0; i < ButtonCount; ++i) {
        const QString name = Msg(ButtonTable[i].hint);
        const int hostKey = ButtonTable[i].hostKey;
        SetButtonHint(Buttons[i],
                      name + (hostKey >= 0 ? QStringLiteral(" (") +
                                                 HostKeys::text(HostKeys::Command(hostKey)) +
                                                 QLatin1Char(')')
                                           : QString::fromLatin1(ButtonTable[i].suffix)),
                      name);
    }
    ModeBox->applyTexts();
}

void THeaderForm::setWallpaperHidden(bool hidden) {
    Buttons[BttnHideWallpaper]->setVisible(!hidden);
    Buttons[BttnShowWallpaper]->setVisible(hidden);
}

void THeaderForm::setRecording(bool recording) {
    Buttons[BttnStartSessionRecording]->setVisible(!recording);
    Buttons[BttnStopSessionRecording]->setVisible(recording);
}

void THeaderForm::placeOnParent() {
    if (QWidget *p = parentWidget())
        move((p->width() - width()) / 2, y());
}

void THeaderForm::setTop(int top) {
    placeOnParent();
    move(x(), top);
}

void THeaderForm::Start() {
    placeButtons();
    raise();
    if (Nailed) {
        Buttons[BttnNailDown]->show();
        Buttons[BttnNailUp]->hide();
        setTop(0);
        Lowered = true;
        show();
        return;
    }
    Buttons[BttnNailUp]->show();
    Buttons[BttnNailDown]->hide();
    setTop(1 - height());
    show();
    Lowered = false;
    Reveal();
    AutoUpTimer.start();
}

void THeaderForm::Reveal() {
    if (Lowered)
        return;
    setTop(-3);
    show();
    raise();
    SlidingDown = true;
    Timer1.start();
}

void THeaderForm::Timer1Timer() {
    Timer1.stop();
    const SlideStep step = HeaderSlideStep(y(), height(), SlidingDown);
    if (step.finished) {
        Lowered = SlidingDown;
        return;
    }
    move(x(), step.top);
    Timer1.start();
}

void THeaderForm::ArmAutoHide() {
    AutoUpTimer.stop();
    if (Nailed || !Lowered)
        return;
    show();
    raise();
    SlidingDown = false;
    AutoUpTimer.start();
}

bool THeaderForm::pointerBusyHere() const {
    // The operator is working with the toolbar: it does not slide away under the pointer or
    // under an open drop-down list.
    return underMouse() || ModeBox->view()->isVisible() || ColourBox->view()->isVisible();
}

void THeaderForm::AutoHide() {
    AutoUpTimer.stop();
    if (Nailed || !Lowered)
        return;
    if (isVisible() && pointerBusyHere()) {
        AutoUpTimer.start();
        return;
    }
    show();
    raise();
    SlidingDown = false;
    Lowered = false;
    Timer1.start();
}

void THeaderForm::BttnNailUpClick() {
    if (ClickSound)
        ClickSound();
    Timer1.stop();
    AutoUpTimer.stop();
    Nailed = true;
    setTop(0);
    Lowered = true;
    Buttons[BttnNailDown]->show();
    Buttons[BttnNailUp]->hide();
}

void THeaderForm::BttnNailDownClick() {
    if (!adminVars().HostLoggedOn)
        return;
    if (ClickSound)
        ClickSound();
    Nailed = false;
    Buttons[BttnNailUp]->show();
    Buttons[BttnNailDown]->hide();
    AutoHide();
}

void THeaderForm::BttnSetNormalScreen() {
    AddTrace(65);
    if (QWidget *w = window(); w != this)
        PostMessage(w, NormalScreen);
}

void THeaderForm::CloseHeader() {
    Timer1.stop();
    AutoUpTimer.stop();
    Lowered = false;
    hide();
}

bool THeaderForm::event(QEvent *e) {
    if (messageOf(e) == UpdateForm) {
        applyTexts();
        return true;
    }
    return QWidget::event(e);
}

void THeaderForm::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, HeaderHeight);
    g.setColorAt(0.0, QColor(236, 242, 250));
    g.setColorAt(0.55, QColor(200, 216, 236));
    g.setColorAt(1.0, QColor(150, 176, 212));
    QPainterPath path;
    path.addPolygon(QPolygonF(outline()));
    path.closeSubpath();
    p.fillPath(path, g);
    p.setPen(QPen(QColor(70, 100, 150), 1.5));
    p.drawLine(QPointF(0.5, 0), QPointF(15.5, HeaderHeight - 0.75));
    p.drawLine(QPointF(15.5, HeaderHeight - 0.75),
               QPointF(HeaderWidth - 15.5, HeaderHeight - 0.75));
    p.drawLine(QPointF(HeaderWidth - 15.5, HeaderHeight - 0.75), QPointF(HeaderWidth - 0.5, 0));
}

void THeaderForm::keyPressEvent(QKeyEvent *e) {
    e->accept();
}

void THeaderForm::keyReleaseEvent(QKeyEvent *e) {
    e->accept();
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) &&
        (e->modifiers() & Qt::AltModifier))
        BttnSetNormalScreen();
}

void THeaderForm::leaveEvent(QEvent *e) {
    QWidget::leaveEvent(e);
    if (Lowered && !Nailed)
        ArmAutoHide();
}
