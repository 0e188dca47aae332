#include "tools/RemoteTools.h"

#include "common/AdminVars.h"
#include "common/WindowMessages.h"
#include "common/uLanguageMsg.h"
#include "gateway/GatewaySession.h"
#include "screen/ScreenArea.h"
#include "screen/ScreenButtonPictures.h"
#include "screen/ScreenPipeline.h"
#include "tools/AdminChat.h"
#include "tools/ClipboardTransfer.h"
#include "tools/RemoteChat.h"
#include "tools/RemoteSystemInfo.h"
#include "tools/uClipBrdOptions.h"
#include "tools/uClipProgress.h"
#include "tools/uShowInfoHost.h"

#include <QAction>
#include <QGuiApplication>
#include <QMainWindow>

using namespace WindowMessages;

namespace {
const char *const HintProperty = "catalogHint";

QAction *makeAction(QObject *parent, const char *picture, const char *hint) {
    auto *a = new QAction(ScreenButtonIcon(QString::fromLatin1(picture)), QString(), parent);
    a->setObjectName(QString::fromLatin1(picture));
    a->setProperty(HintProperty, QByteArray(hint));
    return a;
}
} // namespace

RemoteTools::RemoteTools(GatewaySession *session, ScreenPipeline *pipeline, ScreenArea *screen,
                         QMainWindow *mainWindow)
    : QObject(mainWindow), Session(session), MainWindow(mainWindow) {
    Clipboard = new ClipboardTransfer(session, this);
    Chat = new RemoteChat(session, this);
    Info = new RemoteSystemInfo(session, this);
    ChatForm = new TAdminChatForm(Chat, mainWindow);
    InfoForm = new TInfoHostForm(Info);
    ClipProgress = new TClipProgressForm(mainWindow);

    Clipboard->hooks().askOption = [this](bool upload) {
        return GetClipBoardOption(upload, toolbarSide(), MainWindow);
    };
    connect(Clipboard, &ClipboardTransfer::progressShown, ClipProgress,
            &TClipProgressForm::ShowClipProgress);
    connect(Clipboard, &ClipboardTransfer::progressClosed, this,
            [this] { PostMessage(this, CloseClipProgress); });
    Chat->hooks().restartScreenUpdates = [pipeline] { pipeline->RestartScreenUpdates(false); };
    connect(Clipboard, &ClipboardTransfer::waitCursor, this,
            [this](bool on) { setWait(Clipboard, on); });
    connect(Info, &RemoteSystemInfo::waitCursor, this, [this](bool on) { setWait(Info, on); });

    BttnOsHostInfo = makeAction(this, "rcHostInfo_bmp", "Get info client PC");
    BttnOsHostInfo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    BttnChat = makeAction(this, "rcChatBtn_bmp", "Start chat session");
    BttnDownloadClipboard =
        makeAction(this, "rcDownloadClip_bmp", "Download clipboard from client");
    BttnUploadClipboard = makeAction(this, "rcUploadClip_bmp", "Upload clipboard to client");
    connect(BttnOsHostInfo, &QAction::triggered, Info, &RemoteSystemInfo::BttnOsHostInfoClick);
    connect(BttnChat, &QAction::triggered, Chat, &RemoteChat::BttnChatClick);
    connect(BttnDownloadClipboard, &QAction::triggered, Clipboard,
            &ClipboardTransfer::BttnDownloadClipboardClick);
    connect(BttnUploadClipboard, &QAction::triggered, Clipboard,
            &ClipboardTransfer::BttnUploadClipboardClick);
    // The shortcut works in full-screen mode too, where the window's bars are hidden.
    mainWindow->addAction(BttnOsHostInfo);

    connect(screen, &ScreenArea::headerButtonClicked, this, [this](THeaderForm::Button b) {
        switch (b) {
        case THeaderForm::BttnOsHostInfo:
            Info->BttnOsHostInfoClick();
            break;
        case THeaderForm::BttnChat:
            Chat->BttnChatClick();
            break;
        case THeaderForm::BttnDownloadClipboard:
            Clipboard->BttnDownloadClipboardClick();
            break;
        case THeaderForm::BttnUploadClipboard:
            Clipboard->BttnUploadClipboardClick();
            break;
        default:
            break;
        }
    });
    for (auto signal :
         {&GatewaySession::hostJoined, &GatewaySession::hostLost, &GatewaySession::sessionReset})
        connect(session, signal, this, &RemoteTools::updateActions);
    connect(session, &GatewaySession::hostLeft, this, &RemoteTools::updateActions);

    registerLanguageListener(this);
    applyTexts();
    updateActions();
}

RemoteTools::~RemoteTools() {
    // The windows are top-level (they have their own task bar entries) and go first, while the
    // core objects they call are still there.
    delete ChatForm;
    delete InfoForm;
    delete ClipProgress;
}

void RemoteTools::applyTexts() {
    for (QAction *a : {BttnOsHostInfo, BttnChat, BttnDownloadClipboard, BttnUploadClipboard}) {
        const QString text = Msg(a->property(HintProperty).toByteArray().constData());
        a->setText(text);
        a->setToolTip(a == BttnOsHostInfo ? text + QStringLiteral(" (Ctrl-I)") : text);
    }
}

void RemoteTools::updateActions() {
    const bool host = adminVars().HostLoggedOn;
    for (QAction *a : {BttnOsHostInfo, BttnChat, BttnDownloadClipboard, BttnUploadClipboard})
        a->setEnabled(host);
}

void RemoteTools::setWait(QObject *source, bool on) {
    const bool was = !Waiting.isEmpty();
    if (on)
        Waiting.insert(source);
    else
        Waiting.remove(source);
    const bool now = !Waiting.isEmpty();
    if (now && !was)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else if (!now && was)
        QGuiApplication::restoreOverrideCursor();
}

bool RemoteTools::event(QEvent *e) {
    switch (messageOf(e)) {
    case CloseClipProgress:
        ClipProgress->CloseClipProgress();
        return true;
    case UpdateForm:
        applyTexts();
        return true;
    default:
        return QObject::event(e);
    }
}
