#pragma once
#include "screen/FullScreenHeader.h"

#include <QFuture>
#include <QImage>
#include <QObject>

#include <functional>
#include <memory>

class QAction;
class QMainWindow;
class QPrinter;
class RemoteActions;
class ScreenArea;
class TRebootWaitForm;

// Prints `picture` on one page of `printer`: landscape when it is wider than high, scaled to
// the printable area with its aspect kept. False when nothing could be printed. Safe on a
// worker thread (painting on a printer does not need the user interface thread).
bool PrintPicture(const QImage &picture, QPrinter &printer);
// The same on a worker: the session's polling and the picture go on while the printer works.
QFuture<bool> PrintPictureAsync(QImage picture, std::shared_ptr<QPrinter> printer);

// The remote-action buttons of the main toolbar and the full-screen toolbar, the reboot
// question, the waiting window and the control mode shown to the operator. Thin: the actions
// themselves are RemoteActions.
class RemoteActionButtons : public QObject {
    Q_OBJECT
public:
    RemoteActionButtons(RemoteActions *actions, ScreenArea *area, QMainWindow *mainWindow);

    // The main window puts these on its toolbar.
    QAction *BttnTaskMgr, *BttnCtrlAltDel, *BttnReboot, *BttnPrint, *BttnPictToDesktop;
    // Enabled while the host is connected; reboot, task manager and Ctrl-Alt-Del, the
    // wallpaper buttons too, only in full control. Called after every connection change.
    void updateButtons();
    // Where the control mode is shown (the status bar's third panel).
    std::function<void(const QString &)> showModeText = [](const QString &) {};
    // Whether any printer is installed; tests replace it.
    std::function<bool()> printersAvailable;

    void BttnPrintClick();
    TRebootWaitForm *waitForm() const { return WaitForm; }

protected:
    bool event(QEvent *e) override;

private:
    QAction *makeAction(const char *picture, const char *hint);
    void applyTexts();
    void onHeaderButton(THeaderForm::Button button);
    void modeAnnounced(bool fullControl);

    RemoteActions *Actions;
    ScreenArea *Area;
    QMainWindow *MainWindow;
    TRebootWaitForm *WaitForm;
};
