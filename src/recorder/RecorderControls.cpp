#include "recorder/RecorderControls.h"

#include "common/TraceRing.h"
#include "common/WindowMessages.h"
#include "common/uLanguageMsg.h"
#include "recorder/SessionRecorder.h"
#include "recorder/uAviPlayer.h"
#include "screen/FullScreenHeader.h"
#include "screen/RemoteInput.h"
#include "screen/ScreenArea.h"
#include "screen/ScreenButtonPictures.h"
#include "screen/ScreenModes.h"
#include "screen/ScreenView.h"

#include <QAction>
#include <QCursor>
#include <QMainWindow>
#include <QMenu>
#include <QPainter>
#include <QToolBar>
#include <QToolButton>

RecorderControls::RecorderControls(GatewaySession *session, ScreenPipeline *pipeline,
                                   ScreenArea *area, QMainWindow *mainWindow, QMenu *viewMenu,
                                   QToolBar *toolBar)
    : QObject(mainWindow), Area(area), ToolBar(toolBar) {
    Recorder = new SessionRecorder(session, pipeline, this);
    Player = new TAviPlayerForm();

    BttnStartSessionRecording =
        new QAction(ScreenButtonIcon(QStringLiteral("rcStartRecording_bmp")), QString(), this);
    BttnStartSessionRecording->setObjectName(QStringLiteral("BttnStartSessionRecording"));
    BttnStopSessionRecording = new QAction(StopSessionPicture(0), QString(), this);
    BttnStopSessionRecording->setObjectName(QStringLiteral("BttnStopSessionRecording"));
    BttnStopSessionRecording->setVisible(false);
    MenuReplay = new QAction(this);
    MenuReplay->setObjectName(QStringLiteral("MenuReplay"));
    if (toolBar) {
        toolBar->addSeparator();
        toolBar->addAction(BttnStartSessionRecording);
        toolBar->addAction(BttnStopSessionRecording);
        barStopButton = [this] { return ToolBar->widgetForAction(BttnStopSessionRecording); };
    }
    if (viewMenu) {
        viewMenu->addSeparator();
        viewMenu->addAction(MenuReplay);
    }
    connect(BttnStartSessionRecording, &QAction::triggered, Recorder,
            &SessionRecorder::BttnStartSessionRecordingClick);
    connect(BttnStopSessionRecording, &QAction::triggered, Recorder,
            &SessionRecorder::BttnStopSessionRecordingClick);
    connect(MenuReplay, &QAction::triggered, this, &RecorderControls::openPlayer);
    connect(area, &ScreenArea::headerButtonClicked, this, [this](THeaderForm::Button b) {
        if (b == THeaderForm::BttnStartSessionRecording)
            Recorder->BttnStartSessionRecordingClick();
        else if (b == THeaderForm::BttnStopSessionRecording)
            Recorder->BttnStopSessionRecordingClick();
    });

    connect(Recorder, &SessionRecorder::stopButtonShownChanged, this,
            &RecorderControls::showStopButton);
    connect(Recorder, &SessionRecorder::stopButtonFrameChanged, this,
            &RecorderControls::showStopFrame);
    connect(Recorder, &SessionRecorder::replayEnabledChanged, MenuReplay, &QAction::setEnabled);
    connect(Recorder, &SessionRecorder::closePlayerRequested, this, [this] {
        if (Player)
            Player->close();
    });

    // Scaling is refused while recording, and a mode switch stops the recording first.
    area->recording = [rec = QPointer<SessionRecorder>(Recorder)] { return rec && rec->Recording; };
    Recorder->attachScreenModes(area->modes());
    // View-only mode as the screen modes know it (the remote actions set it there).
    Recorder->hooks().fullControl = [modes = area->modes()] {
        return modes->hooks().fullControl();
    };
    ScreenView *view = area->view();
    Recorder->hooks().operatorPointer = [view]() -> std::optional<QPoint> {
        if (!view->isVisible() || !view->hasPicture())
            return std::nullopt;
        const QWidget *vp = view->viewport();
        if (vp->cursor().shape() == Qt::BlankCursor)
            return std::nullopt;
        const QPoint p = vp->mapFromGlobal(QCursor::pos());
        if (!vp->rect().contains(p) || !view->imageRect().contains(p))
            return std::nullopt;
        return view->toRemote(p);
    };
    Recorder->hooks().operatorCursorShape = [view] { return view->viewport()->cursor().shape(); };
    // In view-only mode the frames show the remote user's pointer where its indicator is.
    Recorder->hooks().remotePointer = [input = area->input()] {
        return std::optional<QPoint>(input->remotePointer());
    };
    Recorder->hooks().pointerOverStopButton = [this] {
        const QWidget *onBar = barStopButton ? barStopButton() : nullptr;
        const QWidget *onHeader = Area->header()->button(THeaderForm::BttnStopSessionRecording);
        return (onBar && onBar->underMouse()) || (onHeader && onHeader->underMouse());
    };

    applyTexts();
    registerLanguageListener(this);
    Recorder->ChooseCodec();
    Recorder->RecoverLeftovers();
}

TAviPlayerForm *RecorderControls::player() const {
    return Player;
}

RecorderControls::~RecorderControls() {
    delete Player;
}

QIcon RecorderControls::StopSessionPicture(int frame) {
    // A stop square with a recording light that pulses through four shades.
    static const QColor Light[SessionRecorder::StopButtonFrames] = {
        QColor(230, 40, 30), QColor(190, 50, 40), QColor(140, 50, 45), QColor(190, 50, 40)};
    QIcon icon;
    for (const bool selected : {false, true}) {
        QPixmap pm(48, 48);
        pm.setDevicePixelRatio(2.0);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        if (selected) {
            p.setPen(QPen(QColor(230, 150, 30), 1));
            p.setBrush(QColor(255, 232, 170));
            p.drawRoundedRect(QRectF(0.5, 0.5, 23, 23), 4, 4);
        }
        p.setPen(QPen(QColor(22, 67, 134), 1.2));
        p.setBrush(QColor(60, 60, 70));
        p.drawRoundedRect(QRectF(4, 4, 14, 14), 2, 2);
        p.setPen(QPen(Qt::white, 1));
        p.setBrush(Light[qBound(0, frame, SessionRecorder::StopButtonFrames - 1)]);
        p.drawEllipse(QPointF(17.5, 17.5), 4.5, 4.5);
        p.end();
        icon.addPixmap(pm, selected ? QIcon::Active : QIcon::Normal);
    }
    return icon;
}

void RecorderControls::applyTexts() {
    BttnStartSessionRecording->setText(Msg("Start session recording"));
    BttnStartSessionRecording->setToolTip(Msg("Start session recording"));
    BttnStopSessionRecording->setText(Msg("End session recording"));
    BttnStopSessionRecording->setToolTip(Msg("End session recording"));
    MenuReplay->setText(Msg("Replay recorded session"));
}

bool RecorderControls::event(QEvent *e) {
    if (WindowMessages::messageOf(e) == WindowMessages::UpdateForm) {
        applyTexts();
        return true;
    }
    return QObject::event(e);
}

void RecorderControls::showStopButton(bool shown) {
    BttnStartSessionRecording->setVisible(!shown);
    BttnStopSessionRecording->setVisible(shown);
    Area->header()->setRecording(shown);
    showStopFrame(0);
}

void RecorderControls::showStopFrame(int frame) {
    const QIcon icon = StopSessionPicture(frame);
    BttnStopSessionRecording->setIcon(icon);
    Area->header()->button(THeaderForm::BttnStopSessionRecording)->setIcon(icon);
}

void RecorderControls::openPlayer() {
    AddTrace(48);
    if (!Player)
        return;
    Player->Folder = Recorder->RecordingFolder;
    if (Player->isVisible())
        Player->close();
    Player->show();
}
