#include "ui/MainToolbar.h"

#include "common/uLanguageMsg.h"
#include "hook/HostKeys.h"
#include "settings/uIniFiles.h"
#include "ui/AccessibleControls.h"
#include "ui/ResourceBitmap.h"

#include <QCursor>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>

namespace {
struct ButtonDef {
    const char *name;    // control name
    const char *picture; // "rc" + picture + "_bmp"
    const char *hint;    // catalog text
    const char *suffix;  // fixed text after the hint: the shortcut outside a session
    int hostKey;         // the host-key command during a session, or -1
    int slot;            // place on the bar; the buttons of a pair share one
    int gapBefore;       // extra space before the slot, between groups
};

// The buttons in the order of the bar.
constexpr ButtonDef Defs[TMainToolbar::ButtonCount] = {
    {"BttnWANconnect", "Connect", "Start new support session", "", -1, 0, 0},
    {"BttnWANdisconnect", "Disconnect", "End support session", "", HostKeys::EndSession, 0, 0},
    {"BttnOsHostInfo", "HostInfo", "Get info client PC", " (Ctrl-I)", HostKeys::HostInfo, 1, 8},
    {"BttnScreenRefresh", "Refresh", "Refresh screen", "", HostKeys::Refresh, 2, 0},
    {"BttnHideWallpaper", "HideWallpaper", "Hide wallpaper", "", -1, 3, 0},
    {"BttnShowWallpaper", "ShowWallpaper", "Show wallpaper", "", -1, 3, 0},
    {"BttnTaskMgr", "TaskManager", "Start taskmanager", "", -1, 4, 8},
    {"BttnCtrlAltDel", "CtrlAltDel", "Send Ctrl-Alt-Del", "", -1, 5, 0},
    {"BttnReboot", "Reboot", "Reboot client computer", "", -1, 6, 0},
    {"BttnPrint", "PrintScreen", "Print remote screen", "", -1, 7, 0},
    {"BttnChat", "ChatBtn", "Start chat session", "", HostKeys::Chat, 8, 8},
    {"BttnDownloadClipboard", "DownloadClip", "Download clipboard from client", "", -1, 9, 0},
    {"BttnUploadClipboard", "UploadClip", "Upload clipboard to client", "", -1, 10, 0},
    {"BttnCopyFile", "FileTransfer", "Transfer file", " (Ctrl-Alt-E)", HostKeys::TransferFile, 11,
     0},
    {"BttnPictToDesktop", "Screenshot", "Save screenshot to desktop", "", HostKeys::Screenshot, 12,
     8},
    {"BttnStartSessionRecording", "StartRecording", "Start session recording", "", -1, 13, 0},
    {"BttnStopSessionRecording", "StopRecording", "End session recording", "", -1, 13, 0},
    {"BttnFullScreen", "FullScreen", "Switch to full screen mode", "", HostKeys::FullScreen, 14, 8},
    {"BttnScalePropOn", "ScalePropOn", "Enable proportional scale", "", -1, 15, 0},
    {"BttnScalePropOff", "ScalePropOff", "Disable proportional scale", "", -1, 15, 0},
    {"BttnScaleMaxOn", "ScaleMaxOn", "Enable full scale", "", -1, 16, 0},
    {"BttnScaleMaxOff", "ScaleMaxOff", "Disable full scale", "", -1, 16, 0},
    {"BttnNailUp", "NailUp", "Lock toolbar", "", -1, 17, 8},
    {"BttnNailDown", "NailDown", "Release toolbar", "", -1, 17, 0},
    {"BttnToTray", "ToTray",
     "Move application to system tray and restore when the remote user connects.", "", -1, 18, 0},
};

constexpr int ButtonSize = 24;
constexpr int FirstOffset = 6; // along the bar, before the first button
constexpr int Pitch = 26;      // from one button to the next

// The toolbar's background: "rcToolBar_bmp" stretched along the bar (turned for a vertical bar).
class ToolbarPanel : public QWidget {
public:
    explicit ToolbarPanel(TMainToolbar *bar) : QWidget(bar), Bar(bar) {
        setObjectName(QStringLiteral("ImToolBar"));
    }

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter p(this);
        const QPixmap tile =
            LoadResourceBitmap(QStringLiteral("rcToolBar_bmp"), QSize(64, TMainToolbar::Thickness));
        if (tile.isNull()) {
            p.fillRect(rect(), QColor(220, 230, 241));
            return;
        }
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        if (Bar->horizontal()) {
            p.drawPixmap(QRect(0, 0, width(), TMainToolbar::Thickness), tile);
        } else {
            // The picture's top edge goes to the side that faces away from the window.
            p.translate(Bar->position() == TMainToolbar::OnLeft ? TMainToolbar::Thickness : 0, 0);
            p.rotate(Bar->position() == TMainToolbar::OnLeft ? 90 : -90);
            if (Bar->position() == TMainToolbar::OnRight)
                p.translate(-height(), 0);
            p.drawPixmap(QRect(0, 0, height(), TMainToolbar::Thickness), tile);
        }
    }

private:
    TMainToolbar *Bar;
};
} // namespace

void TChromeAction::markBaseline() {
    Baseline = receivers(SIGNAL(triggered(bool))) + receivers(SIGNAL(toggled(bool)));
}

bool TChromeAction::hasListener() const {
    return receivers(SIGNAL(triggered(bool))) + receivers(SIGNAL(toggled(bool))) > Baseline;
}

TImageEx::TImageEx(const QString &pictureName, QAction *action, QWidget *parent)
    : QAbstractButton(parent), Picture(pictureName), Action(action) {
    setFixedSize(ButtonSize, ButtonSize);
    setCursor(Qt::PointingHandCursor);
    // Tab reaches the bar outside a session; during one every key goes to the remote computer.
    setFocusPolicy(Qt::TabFocus);
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (Action && Action->isEnabled())
            Action->trigger();
    });
}

void TImageEx::paintEvent(QPaintEvent *) {
    QPainter p(this);
    // Errors are ignored: a missing picture leaves the place empty.
    const QString name = QStringLiteral("rc") + Picture +
                         (Hovered ? QStringLiteral("Sel_bmp") : QStringLiteral("_bmp"));
    QPixmap pm = LoadResourceBitmap(name, size());
    if (pm.isNull() && Hovered)
        pm = LoadResourceBitmap(QStringLiteral("rc") + Picture + QStringLiteral("_bmp"), size());
    if (!isEnabled())
        p.setOpacity(0.35);
    p.drawPixmap(0, 0, pm);
    if (hasFocus()) {
        p.setOpacity(1.0);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(palette().color(QPalette::Highlight), 2));
        p.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 3, 3);
    }
}

void TImageEx::enterEvent(QEnterEvent *e) {
    Hovered = true;
    update();
    QAbstractButton::enterEvent(e);
}

void TImageEx::leaveEvent(QEvent *e) {
    Hovered = false;
    update();
    QAbstractButton::leaveEvent(e);
}

void TImageEx::keyPressEvent(QKeyEvent *e) {
    switch (e->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        focusNeighbour(-1);
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        focusNeighbour(1);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!e->isAutoRepeat())
            click();
        break;
    default:
        QAbstractButton::keyPressEvent(e);
        return;
    }
    e->accept();
}

void TImageEx::focusNeighbour(int step) {
    // The buttons were made in the order of the bar; hidden and disabled ones are skipped.
    const QList<TImageEx *> all =
        parentWidget()->findChildren<TImageEx *>(QString(), Qt::FindDirectChildrenOnly);
    const qsizetype n = all.size();
    const qsizetype here = all.indexOf(this);
    for (qsizetype i = 1; i < n; ++i) {
        TImageEx *b = all[((here + step * i) % n + n) % n];
        if (b->isVisible() && b->isEnabled()) {
            b->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

TMainToolbar::TMainToolbar(QWidget *parent) : QToolBar(parent), Panel(new ToolbarPanel(this)) {
    setObjectName(QStringLiteral("Toolbar"));
    setMovable(false);
    setFloatable(false);
    setContextMenuPolicy(Qt::PreventContextMenu);
    setContentsMargins(0, 0, 0, 0);
    if (layout()) {
        layout()->setContentsMargins(0, 0, 0, 0);
        layout()->setSpacing(0);
    }
    setStyleSheet(QStringLiteral("QToolBar#Toolbar { border: 0; padding: 0; spacing: 0; }"));
    // The panel covers the whole bar by its own geometry: the toolbar's layout would size it
    // to a hint, and the buttons are placed by hand anyway.
    Panel->setGeometry(rect());
    pointerPos = [] { return QCursor::pos(); };
    for (int i = 0; i < ButtonCount; ++i) {
        auto *a = new TChromeAction(this);
        a->setObjectName(QLatin1String(Defs[i].name));
        Actions[i] = a;
        auto *w = new TImageEx(QLatin1String(Defs[i].picture), a, Panel);
        w->setObjectName(QLatin1String(Defs[i].name));
        w->hide();
        w->installEventFilter(this);
        Widgets[i] = w;
        connect(a, &QAction::changed, this, [this, w, a] {
            w->setEnabled(a->isEnabled());
            w->setToolTip(a->toolTip());
            relayout();
        });
    }
    connect(Actions[BttnNailUp], &QAction::triggered, this, [this] { SetToolBarNailed(true); });
    connect(Actions[BttnNailDown], &QAction::triggered, this, [this] { SetToolBarNailed(false); });
    SlideTimer.setSingleShot(true);
    SlideTimer.setInterval(SlideDelayMs);
    connect(&SlideTimer, &QTimer::timeout, this, &TMainToolbar::ToolbarSlideTimerTimer);
    installEventFilter(this);
    applyTexts();
    SetToolBarNailed(true);
    setThickness(Thickness);
}

QAction *TMainToolbar::button(const QString &name) const {
    for (int i = 0; i < ButtonCount; ++i)
        if (name == QLatin1String(Defs[i].name))
            return Actions[i];
    return nullptr;
}

QString TMainToolbar::buttonName(Button b) {
    return QLatin1String(Defs[b].name);
}

void TMainToolbar::bind(Button b, QAction *featureAction) {
    QAction *own = Actions[b];
    Bound[b] = true;
    const auto mirror = [own, featureAction] {
        own->setVisible(featureAction->isVisible());
        own->setEnabled(featureAction->isEnabled());
    };
    connect(featureAction, &QAction::changed, own, mirror);
    connect(featureAction, &QObject::destroyed, this, [this, b] {
        Bound[b] = false;
        relayout();
    });
    connect(own, &QAction::triggered, featureAction, [featureAction] { featureAction->trigger(); });
    mirror();
    relayout();
}

bool TMainToolbar::attached(Button b) const {
    if (b == BttnNailUp || b == BttnNailDown)
        return true;
    return Bound[b] || static_cast<TChromeAction *>(Actions[b])->hasListener();
}

bool TMainToolbar::buttonShown(Button b) const {
    return !Widgets[b]->isHidden();
}

void TMainToolbar::applyTexts() {
    for (int i = 0; i < ButtonCount; ++i) {
        const QString name = Msg(Defs[i].hint);
        const QString hint =
            name + (HostKeysShown && Defs[i].hostKey >= 0
                        ? QStringLiteral(" (") +
                              HostKeys::text(HostKeys::Command(Defs[i].hostKey)) + QLatin1Char(')')
                        : QLatin1String(Defs[i].suffix));
        Actions[i]->setText(hint);
        Actions[i]->setToolTip(hint);
        SetButtonHint(Widgets[i], hint, name);
    }
}

void TMainToolbar::setHostKeysShown(bool shown) {
    HostKeysShown = shown;
    applyTexts();
}

bool TMainToolbar::focusFirstButton() {
    for (TImageEx *w : Widgets) {
        if (w->isVisible() && w->isEnabled()) {
            pointerEntered(); // a bar slid away comes back for the keyboard too
            w->setFocus(Qt::ShortcutFocusReason);
            return true;
        }
    }
    return false;
}

void TMainToolbar::relayout() {
    if (Laying)
        return;
    Laying = true;
    const bool across = horizontal();
    const int cross = across ? 3 : (Pos == OnLeft ? 5 : 3);
    int along = FirstOffset;
    int lastSlot = -1;
    bool anyShown = false;
    for (int i = 0; i < ButtonCount; ++i) {
        const Button b = Button(i);
        const bool show = attached(b) && Actions[i]->isVisible();
        if (show) {
            if (Defs[i].slot != lastSlot) {
                if (anyShown)
                    along += Pitch + Defs[i].gapBefore;
                lastSlot = Defs[i].slot;
                anyShown = true;
            }
            Widgets[i]->move(across ? QPoint(along, cross) : QPoint(cross, along));
        }
        Widgets[i]->setVisible(show);
    }
    ContentLength = along + ButtonSize + FirstOffset;
    Laying = false;
    emit geometryChanged();
}

void TMainToolbar::SwapControlCoordinates(bool toHorizontal, bool leftSide) {
    for (TImageEx *w : Widgets) {
        const QPoint p = w->pos();
        if (toHorizontal)
            w->move(p.y(), 3);
        else
            w->move(leftSide ? 5 : 3, p.x());
    }
}

void TMainToolbar::SetPosition(int position) {
    if (position < OnTop || position > OnRight)
        position = OnTop;
    const bool wasHorizontal = horizontal();
    const int previous = Pos;
    Pos = position;
    settings().TBpos = position;
    if (wasHorizontal != horizontal())
        SwapControlCoordinates(horizontal(), Pos == OnLeft);
    else if (previous != Pos && !horizontal())
        SwapControlCoordinates(false, Pos == OnLeft); // left to right: the cross offset changes
    setOrientation(horizontal() ? Qt::Horizontal : Qt::Vertical);
    setThickness(CurrentThickness);
    relayout();
    if (!Nailed)
        SlideTimer.start();
}

void TMainToolbar::SetToolBarNailed(bool nailed) {
    Nailed = nailed;
    settings().TBnailed = nailed;
    Actions[BttnNailDown]->setVisible(nailed);
    Actions[BttnNailUp]->setVisible(!nailed);
    if (nailed) {
        SlideTimer.stop();
        setThickness(Thickness);
    } else {
        SlideTimer.start();
    }
    relayout();
}

void TMainToolbar::setThickness(int thickness) {
    CurrentThickness = thickness;
    if (horizontal()) {
        setMinimumWidth(0);
        setMaximumWidth(QWIDGETSIZE_MAX);
        setFixedHeight(thickness);
    } else {
        setMinimumHeight(0);
        setMaximumHeight(QWIDGETSIZE_MAX);
        setFixedWidth(thickness);
    }
    emit geometryChanged();
}

void TMainToolbar::ToolbarSlideTimerTimer() {
    if (!Nailed && CurrentThickness != StripThickness)
        setThickness(StripThickness);
}

void TMainToolbar::resizeEvent(QResizeEvent *e) {
    QToolBar::resizeEvent(e);
    Panel->setGeometry(rect());
}

void TMainToolbar::showEvent(QShowEvent *e) {
    // Features attach after the toolbar is made; what they attached shows from the first show.
    relayout();
    QToolBar::showEvent(e);
}

bool TMainToolbar::eventFilter(QObject *watched, QEvent *e) {
    // A bar slid away comes back when the keyboard reaches one of its buttons.
    if (e->type() == QEvent::FocusIn && watched != this)
        pointerEntered();
    if (watched == this) {
        if (e->type() == QEvent::Enter)
            pointerEntered();
        else if (e->type() == QEvent::Leave)
            pointerLeft();
    }
    return QToolBar::eventFilter(watched, e);
}

void TMainToolbar::pointerEntered() {
    SlideTimer.stop();
    if (!Nailed && CurrentThickness != Thickness)
        setThickness(Thickness);
}

void TMainToolbar::pointerLeft() {
    if (Nailed)
        return;
    // Only a pointer that went into the window starts the slide; one that left over the
    // outer edge (to the menu, off the window) leaves the bar as it is.
    const QPoint p = mapFromGlobal(pointerPos());
    bool inward = false;
    switch (Pos) {
    case OnTop:
        inward = p.y() > StripThickness;
        break;
    case OnBottom:
        inward = p.y() < height() - StripThickness;
        break;
    case OnLeft:
        inward = p.x() > StripThickness;
        break;
    default:
        inward = p.x() < width() - StripThickness;
        break;
    }
    if (inward)
        SlideTimer.start();
}
