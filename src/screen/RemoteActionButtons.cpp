#include "screen/RemoteActionButtons.h"

#include "common/AdminVars.h"
#include "common/WindowMessages.h"
#include "common/uLanguageMsg.h"
#include "screen/RemoteActions.h"
#include "screen/ScreenArea.h"
#include "screen/ScreenButtonPictures.h"
#include "screen/ScreenSnapshot.h"
#include "screen/ScreenView.h"
#include "screen/uAskReboot.h"
#include "screen/uRebootWait.h"
#include "settings/uIniFiles.h"
#include "ui/uPopUp.h"

#include <QAction>
#include <QMainWindow>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QToolButton>
#include <QtConcurrent/QtConcurrentRun>

using namespace WindowMessages;

namespace {
const char *const HintProperty = "catalogHint";
// The console runs only in its standard application mode, which has no Ctrl-Alt-Del button.
constexpr bool CtrlAltDelShown = false;
constexpr int PopUpMs = 3500;
} // namespace

bool PrintPicture(const QImage &picture, QPrinter &printer) {
    if (picture.isNull())
        return false;
    printer.setPageOrientation(PrintInLandscape(picture.size()) ? QPageLayout::Landscape
                                                                : QPageLayout::Portrait);
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const QRect target = PrintTarget(picture.size(), page.size());
    if (target.isEmpty())
        return false;
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, picture);
    return painter.end();
}

QFuture<bool> PrintPictureAsync(QImage picture, std::shared_ptr<QPrinter> printer) {
    return QtConcurrent::run([picture = std::move(picture), printer = std::move(printer)] {
        return PrintPicture(picture, *printer);
    });
}

RemoteActionButtons::RemoteActionButtons(RemoteActions *actions, ScreenArea *area,
                                         QMainWindow *mainWindow)
    : QObject(mainWindow), Actions(actions), Area(area), MainWindow(mainWindow) {
    BttnTaskMgr = makeAction("rcTaskManager_bmp", "Start taskmanager");
    BttnCtrlAltDel = makeAction("rcCtrlAltDel_bmp", "Send Ctrl-Alt-Del");
    BttnReboot = makeAction("rcReboot_bmp", "Reboot client computer");
    BttnPrint = makeAction("rcPrintScreen_bmp", "Print remote screen");
    BttnPictToDesktop = makeAction("rcScreenshot_bmp", "Save screenshot to desktop");
    BttnCtrlAltDel->setVisible(CtrlAltDelShown);
    printersAvailable = [] { return !QPrinterInfo::availablePrinters().isEmpty(); };

    connect(BttnTaskMgr, &QAction::triggered, Actions, &RemoteActions::BttnTaskMgrClick);
    connect(BttnCtrlAltDel, &QAction::triggered, Actions, &RemoteActions::BttnCtrlAltDelClick);
    connect(BttnReboot, &QAction::triggered, Actions, &RemoteActions::BttnRebootClick);
    connect(BttnPrint, &QAction::triggered, this, &RemoteActionButtons::BttnPrintClick);
    connect(BttnPictToDesktop, &QAction::triggered, Actions,
            [this] { Actions->BttnPictToDesktopClick(); });
    connect(Area, &ScreenArea::headerButtonClicked, this, &RemoteActionButtons::onHeaderButton);

    Actions->hooks().askReboot = [this](RemoteActions::RebootQuestion question) {
        return AskReboot(question, MainWindow);
    };
    Actions->hooks().dismissQuestion = CloseAskReboot;
    connect(Actions, &RemoteActions::fullControlChanged, this, &RemoteActionButtons::updateButtons);
    connect(Actions, &RemoteActions::controlModeAnnounced, this,
            &RemoteActionButtons::modeAnnounced);

    WaitForm = new TRebootWaitForm(mainWindow);
    WaitForm->setEndSession([this] { PostMessage(MainWindow, WANdisconnect, 0, 0); });
    connect(Actions, &RemoteActions::waitingForHostChanged, WaitForm, [this](bool waiting) {
        if (waiting)
            WaitForm->ShowWait();
        else
            WaitForm->CloseWait();
    });
    registerLanguageListener(this);
    updateButtons();
}

QAction *RemoteActionButtons::makeAction(const char *picture, const char *hint) {
    auto *a = new QAction(ScreenButtonIcon(QString::fromLatin1(picture)), Msg(hint), this);
    a->setToolTip(Msg(hint));
    a->setProperty(HintProperty, QByteArray(hint));
    a->setObjectName(QString::fromLatin1(picture));
    return a;
}

void RemoteActionButtons::applyTexts() {
    for (QAction *a : {BttnTaskMgr, BttnCtrlAltDel, BttnReboot, BttnPrint, BttnPictToDesktop}) {
        const QByteArray hint = a->property(HintProperty).toByteArray();
        a->setText(Msg(hint.constData()));
        a->setToolTip(Msg(hint.constData()));
    }
}

bool RemoteActionButtons::event(QEvent *e) {
    if (messageOf(e) == UpdateForm) {
        applyTexts();
        return true;
    }
    return QObject::event(e);
}

void RemoteActionButtons::updateButtons() {
    const bool host = adminVars().HostLoggedOn;
    const bool control = host && Actions->fullControl();
    for (QAction *a : {BttnTaskMgr, BttnCtrlAltDel, BttnReboot})
        a->setEnabled(control);
    for (QAction *a : {BttnPrint, BttnPictToDesktop})
        a->setEnabled(host);
    // Refused in view-only mode as well; the buttons say so before they are pressed.
    for (QAction *a : {Area->BttnHideWallpaper, Area->BttnShowWallpaper})
        a->setEnabled(control);
    THeaderForm *header = Area->header();
    for (auto b : {THeaderForm::BttnTaskMgr, THeaderForm::BttnCtrlAltDel, THeaderForm::BttnReboot,
                   THeaderForm::BttnHideWallpaper, THeaderForm::BttnShowWallpaper})
        header->button(b)->setEnabled(control);
    for (auto b : {THeaderForm::BttnPrint, THeaderForm::BttnPictToDesktop})
        header->button(b)->setEnabled(host);
}

void RemoteActionButtons::modeAnnounced(bool fullControl) {
    if (settings().ShowPops)
        ShowPopUp(fullControl ? pkFullControl : pkViewOnly, PopUpMs);
    showModeText(fullControl ? Msg("Full Control mode") : Msg("View Only mode"));
    if (fullControl) {
        Area->view()->setEnabled(true);
    } else {
        MainWindow->activateWindow();
        MainWindow->setFocus();
    }
    updateButtons();
}

void RemoteActionButtons::onHeaderButton(THeaderForm::Button button) {
    switch (button) {
    case THeaderForm::BttnTaskMgr:
        Actions->BttnTaskMgrClick();
        break;
    case THeaderForm::BttnCtrlAltDel:
        Actions->BttnCtrlAltDelClick();
        break;
    case THeaderForm::BttnReboot:
        Actions->BttnRebootClick();
        break;
    case THeaderForm::BttnPrint:
        BttnPrintClick();
        break;
    case THeaderForm::BttnPictToDesktop:
        Actions->BttnPictToDesktopClick();
        break;
    default:
        break;
    }
}

void RemoteActionButtons::BttnPrintClick() {
    if (!Actions->BeginPrint())
        return;
    if (!printersAvailable()) {
        Actions->NoPrinters();
        return;
    }
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    // Modal, with the message loop running: the session polls on while it is open.
    QPrintDialog dialog(printer.get(), MainWindow);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // What shows when the operator confirms is printed, whatever arrives while it prints.
    QImage picture = Actions->pictureToPrint();
    if (picture.isNull())
        return;
    PrintPictureAsync(std::move(picture), std::move(printer));
}
