#pragma once
#include "screen/ScreenSnapshot.h"

#include <QByteArray>
#include <QDateTime>
#include <QImage>
#include <QObject>
#include <QTimer>

#include <functional>

class GatewaySession;
class ScreenModes;
class ScreenPipeline;

// The operator's actions on the remote computer as a whole: reboot with reconnection,
// Ctrl-Alt-Del, task manager, screenshot, and the control mode the remote user grants (full
// control or view only). Lives on the main thread and attaches to the session like the screen
// pipeline; the toolbar buttons, the reboot question and the waiting window are thin windows
// that call in here and follow the signals.
//
// In view-only mode everything that would act on the remote computer is refused without a
// word: reboot, task manager, Ctrl-Alt-Del, the screen mode switches and wallpaper changes
// (through the mode hook) and, following fullControlChanged(), mouse and keys.
class RemoteActions : public QObject {
    Q_OBJECT
public:
    // The two forms of the reboot question.
    enum RebootQuestion : int { OperatorReboot = 0, HostShuttingDown = 1 };

    RemoteActions(GatewaySession *session, ScreenPipeline *pipeline, ScreenModes *modes,
                  QObject *parent = nullptr);

    // What the windows provide; tests replace them. The question is modal and answers true for
    // Yes; its default says No. The others default to the clock and the user's desktop folder.
    struct Hooks {
        std::function<bool(RebootQuestion)> askReboot;
        // Closes the open question as if No was answered.
        std::function<void()> dismissQuestion = [] {};
        std::function<QDateTime()> now;
        std::function<QString()> desktopFolder;
        std::function<QString()> snapshotFolder;
    };
    Hooks &hooks() { return H; }

    // True after every session reset; the remote user switches it with "GrCt" and "VwOy".
    bool fullControl() const { return FullControl; }
    void SetFullControl();
    void SetViewOnly();

    // The host left for a reboot and the console waits for it to log on again.
    bool waitingForHost() const { return Waiting; }
    // How long a confirmed reboot may take, from the confirmation and again from the host's
    // logoff, until the session gives up; tests shorten it.
    int RebootTimeoutMs = 5 * 60 * 1000;
    // Runs from a confirmed reboot until the host is back; its expiry ends the session.
    QTimer RebootTimer;

    // The toolbar buttons.
    void BttnRebootClick();
    // WM_USER+15: the reboot question, OperatorReboot or HostShuttingDown.
    void WMReboot(qint64 question);
    void BttnCtrlAltDelClick();
    void BttnTaskMgrClick();
    // Saves the shown picture; "Error saving picture" when that fails.
    SnapshotResult BttnPictToDesktopClick();
    // Printing: whether it may start now (trace and click sound), and the picture to print,
    // copied so that updates arriving meanwhile neither wait for the printer nor change the
    // print. Empty when there is nothing to print.
    bool BeginPrint();
    QImage pictureToPrint() const;
    // Nothing to print on: "No printers available".
    void NoPrinters();

    bool event(QEvent *e) override;

signals:
    // Full control or view only: on every change, and at a session reset back to full control.
    void fullControlChanged(bool fullControl);
    // The remote user announced the mode (each "GrCt" or "VwOy", also a repeated one): the
    // operator is told.
    void controlModeAnnounced(bool fullControl);
    // The waiting window opens (the host left for a reboot) or closes (it came back, the session
    // ended, or the wait timed out).
    void waitingForHostChanged(bool waiting);

private:
    void confirmReboot();
    void rebootRefused();
    void rebootTimedOut();
    void endWait();
    void endSessionAfterQuit();
    bool hostConnected() const;

    GatewaySession *Session;
    ScreenPipeline *Pipeline;
    ScreenModes *Modes;
    Hooks H;
    bool FullControl = true;
    bool Waiting = false;
    bool Asking = false; // a reboot question is open
    RebootQuestion AskingWhich = OperatorReboot;
    bool HostAskedMeanwhile = false; // "WaBt" came while the operator's own question was open
};
