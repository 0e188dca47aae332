#pragma once
#include <QIcon>
#include <QObject>
#include <QPointer>

#include <functional>

class GatewaySession;
class QAction;
class QMainWindow;
class QMenu;
class QToolBar;
class ScreenArea;
class ScreenPipeline;
class SessionRecorder;
class TAviPlayerForm;

// The recorder's part of the main window: the start and stop buttons on the main toolbar and
// on the full-screen toolbar (one of the two shows; the stop buttons blink while a recording
// runs), the View menu item "Replay recorded session" with the player window, and the hooks
// that tie the recorder to the screen (the picture, the pointer, the scaling refusal, the mode
// switch). It creates the recorder and the player and owns both.
class RecorderControls : public QObject {
    Q_OBJECT
public:
    RecorderControls(GatewaySession *session, ScreenPipeline *pipeline, ScreenArea *area,
                     QMainWindow *mainWindow, QMenu *viewMenu, QToolBar *toolBar);
    ~RecorderControls() override;

    SessionRecorder *recorder() const { return Recorder; }
    TAviPlayerForm *player() const;

    QAction *BttnStartSessionRecording;
    QAction *BttnStopSessionRecording;
    QAction *MenuReplay;
    // The stop button's widget on the main toolbar, for "is the pointer over it". Set from
    // `toolBar` when one is given; a window that binds the actions to its own bar sets it.
    std::function<const QWidget *()> barStopButton;

    // The stop button's four animation frames (ImStopSession0 to ImStopSession3).
    static QIcon StopSessionPicture(int frame);

protected:
    bool event(QEvent *e) override;

private:
    void applyTexts();
    void showStopButton(bool shown);
    void showStopFrame(int frame);
    void openPlayer();

    SessionRecorder *Recorder;
    QPointer<TAviPlayerForm> Player;
    ScreenArea *Area;
    QToolBar *ToolBar;
};
