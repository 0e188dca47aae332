#include "screen/ScreenArea.h"

#include "common/AdminVars.h"
#include "common/TraceRing.h"
#include "common/WindowMessages.h"
#include "common/uLanguageMsg.h"
#include "gateway/GatewaySession.h"
#include "gateway/SessionUi.h"
#include "platform/CursorShapes.h"
#include "screen/InputCommands.h"
#include "screen/RemoteInput.h"
#include "screen/ScreenButtonPictures.h"
#include "screen/ScreenLayout.h"
#include "screen/ScreenModeBoxes.h"
#include "screen/ScreenModes.h"
#include "screen/ScreenPipeline.h"
#include "screen/ScreenView.h"
#include "screen/TMouseForm.h"
#include "settings/uIniFiles.h"
#include "ui/uSounds.h"
#include "ui/uTips.h"

#include <QAction>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStackedLayout>
#include <QStatusBar>
#include <QToolBar>

using namespace WindowMessages;

namespace {
// Catalog texts of the screen actions, re-applied when the language changes.
const char *const HintProperty = "catalogHint";
} // namespace

ScreenArea::ScreenArea(GatewaySession *session, ScreenPipeline *pipeline, QWidget *startPage,
                       QMainWindow *mainWindow)
    : QWidget(mainWindow), Session(session), Pipeline(pipeline), MainWindow(mainWindow),
      StartPage(startPage) {
    setObjectName(QStringLiteral("ScreenArea"));
    Stack = new QStackedLayout(this);
    Stack->setContentsMargins(0, 0, 0, 0);
    View = new ScreenView(this);
    View->setObjectName(QStringLiteral("ScrollBox1"));
    Stack->addWidget(StartPage);
    Stack->addWidget(View);
    Modes = new ScreenModes(session, pipeline, this);
    Modes->hooks().monitorSize = [this] { return monitorSize(); };
    Header = new THeaderForm(Modes, this);
    Header->setClickSound([this] { Session->ui().playSound(0); });

    connect(session, &GatewaySession::hostSessionStarting, this, [this] {
        if (settings().AutoFS)
            PostMessage(MainWindow, WindowMessages::FullScreen);
    });
    connect(session, &GatewaySession::hostLeft, this, [this](bool rebooting) {
        if (FullScreen)
            PostMessage(MainWindow, NormalScreen);
        if (rebooting)
            hostRebooting();
    });
    connect(session, &GatewaySession::hostLost, this, &ScreenArea::hostLost);
    View->setPictureSource([pipeline]() -> const QImage & { return pipeline->picture(); });
    connect(pipeline, &ScreenPipeline::pictureChanged, this, [this](const QRegion &dirty) {
        View->pictureChanged(dirty);
        showPictureOrStartPage();
    });
    connect(pipeline, &ScreenPipeline::screenSizeChanged, this, [this](const QSize &size) {
        View->screenSizeChanged(size);
        showPictureOrStartPage();
    });
    connect(View, &ScreenView::pointerMoved, this, &ScreenArea::viewPointerMoved);
    connect(Modes, &ScreenModes::wallpaperChanged, this, &ScreenArea::setWallpaperButtons);
    connect(Modes, &ScreenModes::focusViewRequested, this, [this] {
        if (View->isVisible())
            View->setFocus();
    });
    connect(Header, &THeaderForm::buttonClicked, this, &ScreenArea::onHeaderButton);

    BttnScalePropOn = makeAction("rcScalePropOn_bmp", "Enable proportional scale");
    BttnScalePropOff = makeAction("rcScalePropOff_bmp", "Disable proportional scale");
    BttnScaleMaxOn = makeAction("rcScaleMaxOn_bmp", "Enable full scale");
    BttnScaleMaxOff = makeAction("rcScaleMaxOff_bmp", "Disable full scale");
    BttnFullScreen = makeAction("rcFullScreen_bmp", "Switch to full screen mode");
    BttnRefreshScreen = makeAction("rcRefresh_bmp", "Refresh screen");
    BttnHideWallpaper = makeAction("rcHideWallpaper_bmp", "Hide wallpaper");
    BttnShowWallpaper = makeAction("rcShowWallpaper_bmp", "Show wallpaper");
    BttnFitToScreen = makeAction("rcFitToScreen_bmp", "Fit to screen");
    // No F5/F11 shortcuts: both actions work only while a host is connected, and then every
    // key belongs to the remote computer.
    setupInput();

    connect(BttnScalePropOn, &QAction::triggered, this, [this] { setScalingMode(1); });
    connect(BttnScaleMaxOn, &QAction::triggered, this, [this] { setScalingMode(2); });
    connect(BttnScalePropOff, &QAction::triggered, this, [this] { setScalingMode(0); });
    connect(BttnScaleMaxOff, &QAction::triggered, this, [this] { setScalingMode(0); });
    connect(BttnFullScreen, &QAction::triggered, this, [this] {
        if (FullScreen) {
            Session->ui().playSound(0);
            AddTrace(65);
            PostMessage(MainWindow, NormalScreen);
            return;
        }
        if (!adminVars().HostLoggedOn)
            return;
        Session->ui().playSound(0);
        AddTrace(64);
        PostMessage(MainWindow, WindowMessages::FullScreen);
    });
    connect(BttnRefreshScreen, &QAction::triggered, this,
            [this] { Pipeline->BttnRefreshScreenClick(ctrlHeld()); });
    connect(BttnHideWallpaper, &QAction::triggered, Modes, &ScreenModes::BttnHideWallpaperClick);
    connect(BttnShowWallpaper, &QAction::triggered, Modes, &ScreenModes::BttnShowWallpaperClick);
    connect(BttnFitToScreen, &QAction::triggered, this, &ScreenArea::BttnFitToScreenClick);

    Modes->SetColorBox();
    setWallpaperButtons(false);
    SetScaling();
    updateConnectionStatus();
    showPictureOrStartPage();
}

QAction *ScreenArea::makeAction(const char *picture, const char *hint) {
    auto *a = new QAction(ScreenButtonIcon(QString::fromLatin1(picture)), Msg(hint), this);
    a->setToolTip(Msg(hint));
    a->setProperty(HintProperty, QByteArray(hint));
    a->setObjectName(QString::fromLatin1(picture));
    return a;
}

void ScreenArea::applyTexts() {
    for (QAction *a : findChildren<QAction *>(Qt::FindDirectChildrenOnly)) {
        const QByteArray hint = a->property(HintProperty).toByteArray();
        if (hint.isEmpty())
            continue;
        a->setText(Msg(hint.constData()));
        if (a != MenuShowMouseMoves)
            a->setToolTip(Msg(hint.constData()));
    }
    Modes->RelabelColorBox();
    for (ScreenModeBox *box : MainWindow->findChildren<ScreenModeBox *>())
        box->applyTexts();
}

QToolBar *ScreenArea::createToolBar(QWidget *parent) {
    auto *bar = new QToolBar(parent);
    bar->setObjectName(QStringLiteral("ScreenToolBar"));
    bar->setIconSize(QSize(24, 24));
    bar->addWidget(new ScreenModeBox(Modes, bar));
    bar->addWidget(new ColorBox(Modes, bar));
    bar->addSeparator();
    bar->addAction(BttnHideWallpaper);
    bar->addAction(BttnShowWallpaper);
    bar->addSeparator();
    bar->addAction(BttnScalePropOn);
    bar->addAction(BttnScalePropOff);
    bar->addAction(BttnScaleMaxOn);
    bar->addAction(BttnScaleMaxOff);
    bar->addAction(BttnFullScreen);
    bar->addAction(BttnRefreshScreen);
    return bar;
}

void ScreenArea::addViewMenuItems(QMenu *menu) {
    menu->addAction(BttnScalePropOn);
    menu->addAction(BttnScalePropOff);
    menu->addAction(BttnScaleMaxOn);
    menu->addAction(BttnScaleMaxOff);
    menu->addSeparator();
    menu->addAction(BttnFullScreen);
    menu->addAction(BttnFitToScreen);
    menu->addAction(BttnRefreshScreen);
    menu->addSeparator();
    menu->addAction(BttnHideWallpaper);
    menu->addAction(BttnShowWallpaper);
    menu->addSeparator();
    menu->addAction(MenuShowMouseMoves);
}

void ScreenArea::setupInput() {
    Input = new RemoteInput(Session, this);
    RemoteInput::Hooks &h = Input->hooks();
    h.screenStopped = [this] { return Pipeline->ScreenUpdateState == ScreenPipeline::Stopped; };
    h.scale = [this] { return QPointF(View->ScaleX(), View->ScaleY()); };
    h.fullScreen = [this] { return FullScreen; };
    h.windowMessages = MainWindow;
    Modes->hooks().sendKeyboardLayout = [this] { Input->SendKeyboardLayout(); };
    Modes->hooks().fullControl = [this] { return Input->fullControl(); };
    ctrlHeld = [this] { return Input->CtrlHeld; };
    View->setRemoteInput(Input);

    MouseForm = new TMouseForm(MainWindow);
    connect(Input, &RemoteInput::cursorShapeChanged, this,
            [this](int number) { View->setPictureCursor(CursorShapeForNumber(number)); });
    connect(Input, &RemoteInput::remotePointerReported, this, &ScreenArea::moveRemotePointer);
    connect(Input, &RemoteInput::fullControlChanged, this, [this](bool on) {
        if (on) {
            MouseForm->close();
            return;
        }
        moveRemotePointer(Input->remotePointer(), false);
        MouseForm->show();
        MouseForm->raise();
    });
    connect(Session, &GatewaySession::hostJoined, this, [this] {
        if (!Input->fullControl() && !MouseForm->isVisible()) {
            MouseForm->show();
            MouseForm->raise();
        }
    });
    connect(Input, &RemoteInput::inputReset, this, [this] {
        MouseForm->close();
        RemotePointerLast = QPoint();
    });

    MenuShowMouseMoves = new QAction(Msg("Show mouse moves on remote"), this);
    MenuShowMouseMoves->setObjectName(QStringLiteral("MenuShowMouseMoves"));
    MenuShowMouseMoves->setProperty(HintProperty, QByteArray("Show mouse moves on remote"));
    MenuShowMouseMoves->setCheckable(true);
    MenuShowMouseMoves->setChecked(Input->showMouseMoves());
    connect(MenuShowMouseMoves, &QAction::triggered, this, [this](bool on) {
        Session->ui().playSound(0);
        Input->setShowMouseMoves(on);
    });
    connect(Input, &RemoteInput::showMouseMovesChanged, MenuShowMouseMoves, &QAction::setChecked);
}

void ScreenArea::moveRemotePointer(QPoint p, bool click) {
    if (click)
        PlaySystemSound(sndClick, true); // heard even with the sounds off
    const ImageLayout &layout = View->imageLayout();
    QWidget *viewport = View->viewport();
    if (layout.parent == ImageLayout::InPanel) {
        MouseForm->moveTipTo(viewport->mapToGlobal(View->imageRect().topLeft() + p));
        return;
    }
    // The view follows the pointer: it scrolls just enough to keep it in sight. The scroll bars
    // move with the content, so the operator's own positions stay right.
    const QPoint offset = View->scrollOffset();
    int sx = -offset.x(), sy = -offset.y();
    const auto fx =
        InputCommands::FollowPointerAxis(p.x(), viewport->width(), sx, RemotePointerLast.rx());
    const auto fy =
        InputCommands::FollowPointerAxis(p.y(), viewport->height(), sy, RemotePointerLast.ry());
    if (fx.changed || fy.changed)
        View->scrollTo(QPoint(-sx, -sy));
    MouseForm->moveTipTo(
        viewport->mapToGlobal(layout.image.topLeft() + QPoint(fx.place, fy.place)));
    if (click)
        MouseForm->Flash();
}

QSize ScreenArea::monitorSize() const {
    const QScreen *s = MainWindow->screen();
    if (!s)
        s = QGuiApplication::primaryScreen();
    return s ? s->size() : QSize();
}

void ScreenArea::setScalingMode(quint8 scaling) {
    Session->ui().playSound(0);
    if (scaling != 0 && recording()) {
        Session->ui().flash(QString(),
                            Msg("Screen scaling is not allowed during session recording"), 3);
        return;
    }
    settings().Scaling = scaling;
    SetScaling();
}

void ScreenArea::SetScaling() {
    quint8 &scaling = settings().Scaling;
    if (scaling > 2)
        scaling = 0;
    BttnScaleMaxOn->setVisible(scaling != 2);
    BttnScalePropOn->setVisible(scaling != 1);
    BttnScalePropOff->setVisible(scaling == 1);
    BttnScaleMaxOff->setVisible(scaling == 2);
    View->setScaling(scaling);
    if (adminVars().HostLoggedOn)
        SetImagePosition();
}

void ScreenArea::SetImagePosition() {
    View->setFullScreen(FullScreen, monitorSize());
    View->SetImagePosition();
    showPictureOrStartPage();
}

void ScreenArea::showPictureOrStartPage() {
    QWidget *shown = View->hasPicture() ? static_cast<QWidget *>(View) : StartPage;
    if (Stack->currentWidget() != shown)
        Stack->setCurrentWidget(shown);
    if (Header->isVisible())
        Header->raise();
}

void ScreenArea::setWallpaperButtons(bool hidden) {
    BttnHideWallpaper->setVisible(!hidden);
    BttnShowWallpaper->setVisible(hidden);
    Header->setWallpaperHidden(hidden);
}

void ScreenArea::WMFullScreen() {
    if (!adminVars().HostLoggedOn || FullScreen)
        return;
    SavedBounds = MainWindow->geometry();
    SavedState = MainWindow->windowState();
    HiddenBars.clear();
    for (QWidget *w : MainWindow->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if ((qobject_cast<QMenuBar *>(w) || qobject_cast<QStatusBar *>(w) ||
             qobject_cast<QToolBar *>(w)) &&
            !w->isHidden()) {
            HiddenBars.append(w);
            w->hide();
        }
    }
    FullScreen = true;
    MainWindow->showFullScreen();
    // Without a window manager nothing honours the full-screen state: the window covers its
    // screen by its own geometry then. A window manager that does ignores this request.
    if (const QScreen *s = MainWindow->screen(); s && MainWindow->geometry() != s->geometry())
        MainWindow->setGeometry(s->geometry());
    MainWindow->raise();
    SetImagePosition();
    Header->Nailed = HeaderNailed;
    Header->Start();
    // A focused control of the hidden bars must not hand the keys to the toolbar, which
    // keeps them from the remote computer.
    if (View->isVisible())
        View->setFocus();
    emit fullScreenChanged(true);
}

void ScreenArea::WMNormalScreen() {
    if (!FullScreen)
        return;
    Header->CloseHeader();
    MainWindow->setWindowState(SavedState & ~Qt::WindowFullScreen);
    if (!(SavedState & (Qt::WindowMaximized | Qt::WindowMinimized)))
        MainWindow->setGeometry(SavedBounds);
    FullScreen = false;
    for (QWidget *w : std::as_const(HiddenBars))
        w->show();
    HiddenBars.clear();
    HeaderNailed = Header->Nailed;
    SetImagePosition();
    MainWindow->raise();
    emit fullScreenChanged(false);
}

void ScreenArea::BttnFitToScreenClick() {
    Session->ui().playSound(0);
    const QImage &picture = Pipeline->picture();
    if (!picture.isNull() && RemoteFitsMonitor(picture.size(), monitorSize()))
        return;
    Modes->FitToFullScreen();
}

void ScreenArea::onHeaderButton(THeaderForm::Button button) {
    switch (button) {
    case THeaderForm::BttnScreenRefresh:
        BttnRefreshScreen->trigger();
        break;
    case THeaderForm::BttnHideWallpaper:
        Modes->BttnHideWallpaperClick();
        break;
    case THeaderForm::BttnShowWallpaper:
        Modes->BttnShowWallpaperClick();
        break;
    case THeaderForm::BttnFitToScreen:
        BttnFitToScreenClick();
        break;
    default:
        emit headerButtonClicked(button);
    }
}

void ScreenArea::viewPointerMoved(QPoint viewportPos, bool overPicture) {
    if (!FullScreen || Header->isHidden())
        return;
    const QPoint p = View->viewport()->mapTo(this, viewportPos);
    if (InRevealZone(p, width(), THeaderForm::HeaderWidth, overPicture ? 5 : 3))
        Header->Reveal();
    else if (Header->Lowered && !Header->Nailed)
        Header->ArmAutoHide();
}

void ScreenArea::resizeEvent(QResizeEvent *e) {
    QWidget::resizeEvent(e);
    Header->placeOnParent();
}

void ScreenArea::resetWindow() {
    if (FullScreen)
        WMNormalScreen();
    HeaderNailed = false;
    Header->Nailed = false;
    View->clear();
    Modes->ResetBoxes();
    SetScaling();
    showPictureOrStartPage();
    updateConnectionStatus();
}

void ScreenArea::hostRebooting() {
    View->setGreyed(true);
    // The remote user's pointer is gone with the remote computer until it is back.
    MouseForm->close();
    if (FullScreen && !Header->Nailed) {
        Header->Nailed = true;
        Header->Start();
    }
}

void ScreenArea::hostLost() {
    View->clear();
    if (FullScreen)
        PostMessage(MainWindow, NormalScreen);
    else
        SetImagePosition();
    showPictureOrStartPage();
}

void ScreenArea::updateConnectionStatus() {
    const bool host = adminVars().HostLoggedOn;
    BttnFullScreen->setEnabled(host || FullScreen);
    for (QAction *a : {BttnRefreshScreen, BttnHideWallpaper, BttnShowWallpaper, BttnFitToScreen})
        a->setEnabled(host);
}

bool ScreenArea::OfferResolutionTip(QWidget *mainWindow, bool current) {
    if (!current)
        return current;
    const bool neverAgain = ShowTip(
        mainWindow, Msg("SCREEN RESOLUTION SETTINGS"),
        Msg("It is highly recommended to switch the remote screen resolution\rto 800x600 pixels "
            "to increase performance.\rThe original screen resolution will automatically reset "
            "when\ra session ends.\r\rYou can configure \"Connection Settings\" to automatically "
            "switch\rto 800x600 pixels each time a session starts."),
        true);
    return !neverAgain;
}
