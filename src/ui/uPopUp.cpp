#include "ui/uPopUp.h"

#include "common/WindowMessages.h"
#include "common/uLanguageMsg.h"
#include "ui/BorderlessWindow.h"
#include "ui/ResourceBitmap.h"
#include "ui/uSounds.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPointer>
#include <QScreen>

namespace {
constexpr int RightMargin = 10;
constexpr int BottomMargin = 30;
constexpr int TextLeft = 32;
constexpr int FastStep = 5;
constexpr int SlowStep = 2;
constexpr int SlowZone = 9;

QPointer<TPopUpForm> current;
} // namespace

TPopUpForm::TPopUpForm(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowDoesNotAcceptFocus | Qt::X11BypassWindowManagerHint) {
    setObjectName(QStringLiteral("PopUpForm"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(FormWidth, FormHeight);
    SetRoundedMask(this, 8);
    SlideTimer.setInterval(StepMs);
    connect(&SlideTimer, &QTimer::timeout, this, &TPopUpForm::tick);
    WaitTimer.setSingleShot(true);
    connect(&WaitTimer, &QTimer::timeout, this, &TPopUpForm::finishWait);
    registerLanguageListener(this);
}

QRect TPopUpForm::screenGeometry() const {
    if (Screen.isValid())
        return Screen;
    if (QScreen *s = QGuiApplication::primaryScreen())
        return s->geometry();
    return QRect(0, 0, 1024, 768);
}

int TPopUpForm::startTop() const {
    return screenGeometry().bottom() + 1;
}

int TPopUpForm::targetTop() const {
    const QRect s = screenGeometry();
    return s.top() + s.height() - FormHeight - BottomMargin;
}

void TPopUpForm::ApplyTexts() {
    switch (Kind) {
    case pkFullControl:
        Text = Msg("Full Control mode").toUpper();
        break;
    case pkViewOnly:
        Text = Msg("View Only mode").toUpper();
        break;
    default:
        Text = Msg("Session ended by client");
        break;
    }
    update();
}

void TPopUpForm::ShowPopUp(int kind, int durationMs) {
    Kind = (kind >= pkFullControl && kind <= pkSessionEnded) ? kind : pkSessionEnded;
    DurationMs = qMax(0, durationMs);
    ApplyTexts();
    WaitTimer.stop();
    const QRect s = screenGeometry();
    const int left = s.left() + s.width() - FormWidth - RightMargin;
    if (CurrentState == Idle)
        move(left, startTop());
    else
        move(left, y());
    CurrentState = Rising;
    if (!SlideTimer.isActive())
        SlideTimer.start();
}

int TPopUpForm::stepTowards(int from, int to) {
    const int distance = qAbs(to - from);
    const int step = qMin(distance, distance <= SlowZone ? SlowStep : FastStep);
    return from < to ? from + step : from - step;
}

void TPopUpForm::tick() {
    switch (CurrentState) {
    case Rising:
        if (!isVisible())
            show();
        move(x(), stepTowards(y(), targetTop()));
        if (y() == targetTop()) {
            CurrentState = Waiting;
            SlideTimer.stop();
            WaitTimer.start(DurationMs);
        }
        break;
    case Falling:
        move(x(), stepTowards(y(), startTop()));
        if (y() == startTop()) {
            CurrentState = Idle;
            SlideTimer.stop();
            close();
        }
        break;
    case Waiting:
    case Idle:
        break;
    }
}

void TPopUpForm::finishWait() {
    if (CurrentState != Waiting)
        return;
    WaitTimer.stop();
    CurrentState = Falling;
    SlideTimer.start();
}

void TPopUpForm::closeEvent(QCloseEvent *e) {
    SlideTimer.stop();
    WaitTimer.stop();
    CurrentState = Idle;
    QWidget::closeEvent(e);
}

bool TPopUpForm::event(QEvent *e) {
    if (WindowMessages::messageOf(e) == WindowMessages::UpdateForm) {
        ApplyTexts();
        return true;
    }
    return QWidget::event(e);
}

void TPopUpForm::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.fillRect(rect(), QColor(0xf4, 0xf7, 0xfb));
    p.drawPixmap(rect(),
                 LoadResourceBitmap(Kind == pkFullControl ? QStringLiteral("rcFullControl_bmp")
                                                          : QStringLiteral("rcViewOnly_bmp"),
                                    size()));
    p.setPen(Kind == pkFullControl ? QColor(0, 128, 0) : QColor(204, 0, 0));
    // Centred right of the picture's margin. A translation too long for that area is set a
    // little smaller rather than cut; should even that not do, it starts at the margin.
    const int room = width() - TextLeft - 6;
    QFont bold = font();
    bold.setBold(true);
    const QFont f = FontFittingWidth(bold, Text, room);
    p.setFont(f);
    const bool fits = QFontMetrics(f).horizontalAdvance(Text) <= room;
    p.drawText(QRect(TextLeft, 0, fits ? room : width() - TextLeft, height()),
               (fits ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter, Text);
}

void ShowPopUp(int kind, int durationMs) {
    if (!current) {
        current = new TPopUpForm;
        current->setAttribute(Qt::WA_DeleteOnClose);
    }
    PlaySystemSound(sndPopup);
    current->ShowPopUp(kind, durationMs);
}

void ClosePopUp() {
    if (current)
        current->close();
    current = nullptr;
}

TPopUpForm *CurrentPopUp() {
    return current;
}
