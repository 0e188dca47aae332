#include "ui/MainToolbar.h"

#include "common/uLanguageMsg.h"
#include "settings/uIniFiles.h"
#include "ui/ResourceBitmap.h"

#include <QCursor>
#include <QEnterEvent>
#include <QLayout>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>

namespace {
struct ButtonDef {
    const char *name;    // control name
    const char *picture; // "rc" + picture + "_bmp"
    const char *hint;    // catalog text
    const char *suffix;  // fixed text after the hint (a shortcut)
    int slot;            // place on the bar; the buttons of a pair share one
    int gapBefore;       // extra space before the slot, between groups
};

// The buttons in the order of the bar.
constexpr ButtonDef Defs[TMainToolbar::ButtonCount] = {
    {"BttnWANconnect", "Connect", "Start new support session", "", 0, 0},
    {"BttnWANdisconnect", "Disconnect", "End support session", "", 0, 0},
    {"BttnOsHostInfo", "HostInfo", "Get info client PC", " (Ctrl-I)", 1, 8},
    {"BttnScreenRefresh", "Refresh", "Refresh screen", "", 2, 0},
    {"BttnHideWallpaper", "HideWallpaper", "Hide wallpaper", "", 3, 0},
    {"BttnShowWallpaper", "ShowWallpaper", "Show wallpaper", "", 3, 0},
    {"BttnTaskMgr", "TaskManager", "Start taskmanager", "", 4, 8},
    {"BttnCtrlAltDel", "CtrlAltDel", "Send Ctrl-Alt-Del", "", 5, 0},
    {"BttnReboot", "Reboot", "Reboot client computer", "", 6, 0},
    {"BttnPrint", "PrintScreen", "Print remote screen", "", 7, 0},
    {"BttnChat", "ChatBtn", "Start chat session", "", 8, 8},
    {"BttnDownloadClipboard", "DownloadClip", "Download clipboard from client", "", 9, 0},
    {"BttnUploadClipboard", "UploadClip", "Upload clipboard to client", "", 10, 0},
    {"BttnCopyFile", "FileTransfer", "Transfer file", " (Ctrl-Alt-E)", 11, 0},
    {"BttnPictToDesktop", "Screenshot", "Save screenshot to desktop", "", 12, 8},
    {"BttnStartSessionRecording", "StartRecording", "Start session recording", "", 13, 0},
    {"BttnStopSessionRecording", "StopRecording", "End session recording", "", 13, 0},
    {"BttnFullScreen", "FullScreen", "Switch to full screen mode", " (Alt-Enter)", 14, 8},
    {"BttnScalePropOn", "ScalePropOn", "Enable proportional scale", "", 15, 0},
    {"BttnScalePropOff", "ScalePropOff", "Disable proportional scale", "", 15, 0},
    {"BttnScaleMaxOn", "ScaleMaxOn", "Enable full scale", "", 16, 0},
    {"BttnScaleMaxOff", "ScaleMaxOff", "Disable full scale", "", 16, 0},
    {"BttnNailUp", "NailUp", "Lock toolbar", "", 17, 8},
    {"BttnNailDown", "NailDown", "Release toolbar", "", 17, 0},
    {"BttnToTray", "ToTray",
     "Move application to system tray and restore when the remote user connects.", "", 18, 0},
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
    : QWidget(parent), Picture(pictureName), Action(action) {
    setFixedSize(ButtonSize, ButtonSize);
    setCursor(Qt::PointingHandCursor);
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
}

void TImageEx::enterEvent(QEnterEvent *e) {
    Hovered = true;
    update();
    QWidget::enterEvent(e);
}

void TImageEx::leaveEvent(QEvent *e) {
    Hovered = false;
    update();
    QWidget::leaveEvent(e);
}

void TImageEx::mouseReleaseEvent(QMouseEvent *e) {
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()) && Action &&
        Action->isEnabled())
        Action->trigger();
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
        const QString hint = Msg(Defs[i].hint) + QLatin1String(Defs[i].suffix);
        Actions[i]->setText(hint);
        Actions[i]->setToolTip(hint);
        Widgets[i]->setToolTip(hint);
    }
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
