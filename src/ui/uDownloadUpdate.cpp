#include "ui/uDownloadUpdate.h"

#include "common/AppFolders.h"
#include "common/TraceRing.h"
#include "common/WindowMessages.h"
#include "common/uLanguageMsg.h"
#include "gateway/UrlsAdmin.h"
#include "ui/QVMessage.h"
#include "ui/SetupDownload.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

using namespace WindowMessages;

namespace {
const QString ErrorResult = QStringLiteral("Error");
}

TDownloadUpdateForm::TDownloadUpdateForm(QWidget *mainWindow)
    : QDialog(mainWindow, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      LblText(new QLabel(this)), ProgressBar(new QProgressBar(this)),
      Download(new SetupDownload(this)) {
    setObjectName(QStringLiteral("DownloadUpdateForm"));
    setModal(true);
    setWindowTitle(QStringLiteral("  Upgrade in progess ..."));
    LblText->setObjectName(QStringLiteral("LblText"));
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setRange(0, 100);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 16);
    layout->setSpacing(10);
    layout->addWidget(LblText);
    layout->addWidget(ProgressBar);
    setFixedSize(380, 96);
    connect(Download, &SetupDownload::progress, this,
            [this](int percent) { PostMessage(this, DownloadProgress, percent); });
    connect(Download, &SetupDownload::finished, this, [this](bool ok, const QString &) {
        DownloadResult = ok ? Target : ErrorResult;
        if (!ok)
            ShowMessageWindow(mkError, Msg("File Access error"), MsgButton::OK);
        PostMessage(this, DownloadDone);
    });
}

int TDownloadUpdateForm::Percent() const {
    return ProgressBar->value();
}

QString TDownloadUpdateForm::Run(const QString &url, const QString &target,
                                 const EffectiveProxyState &proxy) {
    Url = url;
    Target = target;
    Proxy = proxy;
    DownloadResult.clear();
    if (QWidget *owner = parentWidget(); owner && owner->isVisible())
        move(owner->frameGeometry().center() - rect().center());
    exec();
    return DownloadResult;
}

void TDownloadUpdateForm::showEvent(QShowEvent *e) {
    QDialog::showEvent(e);
    LblText->clear();
    ProgressBar->setValue(0);
    PostMessage(this, DownloadStart);
}

void TDownloadUpdateForm::WMDownloadStart() {
    LblText->setText(Msg("Downloading ") + QFileInfo(Target).fileName());
    AddTrace(0, QStringLiteral("Update download: ") + Url);
    if (!Download->start(Url, Target, Proxy)) {
        DownloadResult = ErrorResult;
        ShowMessageWindow(mkError, Msg("File Access error"), MsgButton::OK);
        PostMessage(this, DownloadDone);
    }
}

// The operator cannot cancel half way: the window goes when the download has ended.
void TDownloadUpdateForm::reject() {
    if (!DownloadResult.isEmpty())
        QDialog::reject();
}

bool TDownloadUpdateForm::event(QEvent *e) {
    switch (messageOf(e)) {
    case DownloadProgress:
        ProgressBar->setValue(int(static_cast<MessageEvent *>(e)->wParam));
        return true;
    case DownloadStart:
        WMDownloadStart();
        return true;
    case DownloadDone:
        if (DownloadResult.isEmpty())
            DownloadResult = ErrorResult;
        QDialog::reject();
        return true;
    default:
        return QDialog::event(e);
    }
}

void RunUpdateAtClose(QWidget *mainWindow) {
    RunUpdateAtClose(mainWindow, QCoreApplication::applicationDirPath());
}

void RunUpdateAtClose(QWidget *mainWindow, const QString &programFolder) {
    bool fallback = false;
    const QString folder =
        ChooseSetupFolder(programFolder, appFolders().Home + QStringLiteral("Update"), &fallback);
    if (folder.isEmpty()) {
        ShowMessageWindow(mkWarning,
                          Msg("You have insufficient rights to perform this update.\rContact "
                              "your local administrator."),
                          MsgButton::OK);
        return;
    }
    const QString target = QDir(folder).filePath(serviceUrls().SetupProgramName);
    TDownloadUpdateForm form(mainWindow);
    const QString result = form.Run(serviceUrls().UpgradeArchive, target, effectiveProxy());
    if (result != target)
        return;
    if (fallback)
        ShowMessageWindow(mkInformation,
                          Msg("The program's folder cannot be written.\rThe update has been "
                              "saved in:") +
                              QLatin1Char('\r') + QDir::toNativeSeparators(target),
                          MsgButton::OK);
    if (!StartSetupProgram(target))
        AddTrace(0, QStringLiteral("Setup could not be started: ") + target);
}
