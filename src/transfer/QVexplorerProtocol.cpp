#include "transfer/QVexplorerProtocol.h"

#include "common/AdminVars.h"
#include "common/AppFolders.h"
#include "common/Cp1252.h"
#include "common/RemoteNames.h"
#include "common/SessionLog.h"
#include "common/TraceRing.h"
#include "common/WindowMessages.h"
#include "common/uLanguageMsg.h"
#include "gateway/GatewayRequests.h"
#include "gateway/HttpChannel.h"
#include "gateway/Url_Utils.h"
#include "transfer/FileStreams.h"
#include "transfer/uFileUtils.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QLocale>
#include <QSaveFile>
#include <QTemporaryFile>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>

using namespace HostListings;
using namespace WindowMessages;

namespace {

// A poll answer is one host message; the host's longest ones are a few kilobytes.
constexpr qint64 kMaxPollReply = 1024 * 1024;
// A list fetch body (zlib) may not be larger than the list it inflates to.
constexpr qint64 kMaxListReply = HostListings::kMaxListBytes;
// The gateway's answer to a command or an upload is read and not used.
constexpr qint64 kMaxCommandReply = 64 * 1024;
// Texts that wait for ExplorerClient while it carries a short exchange.
constexpr qsizetype kMaxWaitingTexts = 16;

QString withSeparator(QString folder, QChar separator) {
    if (!folder.endsWith(separator))
        folder.append(separator);
    return folder;
}

QString remoteFolder(const QString &folder) {
    return withSeparator(folder, QLatin1Char('\\'));
}

QString localFolder(const QString &folder) {
    return withSeparator(QDir::fromNativeSeparators(folder), QLatin1Char('/'));
}

// A remote folder without its trailing "\", for comparing folders.
QString folderKey(const QString &folder) {
    QString f = folder;
    while (f.endsWith(QLatin1Char('\\')))
        f.chop(1);
    return f.toCaseFolded();
}

// A name as it may be shown: control characters become "?".
QString printable(const QString &text) {
    QString out = text.left(kMaxRemoteFileNameLength);
    for (QChar &c : out)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f ||
            (c.unicode() >= 0x80 && c.unicode() < 0xa0))
            c = QLatin1Char('?');
    return out;
}

// The first line of a gateway's error body, short and printable, as the reason of a status.
QString reasonOf(const QByteArray &body) {
    QByteArray line = body.left(120);
    const qsizetype nl = line.indexOf('\n');
    if (nl >= 0)
        line.truncate(nl);
    return printable(fromCp1252(line.trimmed()));
}

// Where a compressed upload is made: the application's cache, which lies on a disk, unlike the
// temporary folder on many systems.
QString compressionFolder() {
    const QString cache = appFolders().Cache;
    if (!cache.isEmpty() && QDir().mkpath(cache))
        return cache;
    return QDir::tempPath();
}

} // namespace

struct TQVexplorerProtocol::CompressJob {
    std::unique_ptr<QIODevice> source;
    std::unique_ptr<QTemporaryFile> target;
    std::atomic<bool> cancel{false};
};

TQVexplorerProtocol::TQVexplorerProtocol(const Setup &setup, QObject *parent)
    : QObject(parent), FullControl(setup.fullControl), Key(setup.key),
      GatewayUrlBytes(setup.gatewayUrl.toLatin1()), KeyBytes(toCp1252(setup.key)) {
    AddTrace(182);
    OpenSource = [](const QString &path) -> std::unique_ptr<QIODevice> {
        return OpenLocalFileForTransfer(path);
    };
    Qclient = new HttpChannel(QStringLiteral("Qclient"), this);
    ExplorerClient = new HttpChannel(QStringLiteral("ExplorerClient"), this);
    for (HttpChannel *c : {Qclient, ExplorerClient})
        c->setProxy(setup.proxy.host, setup.proxy.port, setup.proxy.user, setup.proxy.password);
    Qclient->setMaxReplySize(kMaxPollReply);
    connect(Qclient, &HttpChannel::requestDone, this, &TQVexplorerProtocol::QclientRequestDone);
    connect(ExplorerClient, &HttpChannel::requestDone, this,
            &TQVexplorerProtocol::ExplorerClientRequestDone);
    connect(ExplorerClient, &HttpChannel::uploadProgress, this, [this](qint64 sent, qint64) {
        if (TransferStep != Step::Uploading || UploadSize <= 0)
            return;
        AddTrace(174);
        restartStallTimer();
        UpdateProgress(false, sent * 50 / UploadSize);
    });
    connect(ExplorerClient, &HttpChannel::downloadProgress, this, [this](qint64 received, qint64) {
        if (TransferStep != Step::Downloading)
            return;
        restartStallTimer();
        if (GatewayFileSize > 0)
            UpdateProgress(true, qMin(received, GatewayFileSize) * 50 / GatewayFileSize);
    });

    StopTimer.setSingleShot(true);
    connect(&StopTimer, &QTimer::timeout, this, &TQVexplorerProtocol::StopTimerTimer);
    ListTimer.setSingleShot(true);
    connect(&ListTimer, &QTimer::timeout, this, [this] {
        AddTrace(181);
        listLost();
    });
    LateTimer.setSingleShot(true);
    connect(&LateTimer, &QTimer::timeout, this, &TQVexplorerProtocol::LateTimerTimer);
    TargetCheckTimer.setSingleShot(true);
    connect(&TargetCheckTimer, &QTimer::timeout, this, &TQVexplorerProtocol::TargetCheckTimerTimer);
    ConnectionTimer.setSingleShot(true);
    connect(&ConnectionTimer, &QTimer::timeout, this, &TQVexplorerProtocol::ConnectionTimerTimer);
    TransferStallTimer.setSingleShot(true);
    connect(&TransferStallTimer, &QTimer::timeout, this,
            &TQVexplorerProtocol::TransferStallTimerTimer);
    FinishTimer.setSingleShot(true);
    connect(&FinishTimer, &QTimer::timeout, this, [this] {
        CloseProgress(true);
        emit remoteFilesChanged();
    });
}

TQVexplorerProtocol::~TQVexplorerProtocol() {
    // A compression still running owns its files and ends on its own.
    if (Compression)
        Compression->cancel = true;
    Inflate.reset();
    if (TargetFile)
        TargetFile->cancelWriting();
}

bool TQVexplorerProtocol::event(QEvent *e) {
    if (messageOf(e) == QCheckQueue) {
        CheckQueue();
        return true;
    }
    return QObject::event(e);
}

void TQVexplorerProtocol::showNotice(const QString &title, const QString &text) {
    AddTrace(120, QStringLiteral("Header:") + title + QStringLiteral(" - Msg:") + text);
    emit notification(title, text);
}

// ---- Lifecycle -------------------------------------------------------------------------------

void TQVexplorerProtocol::Activate() {
    if (Activated || Closing)
        return;
    Activated = true;
    FindDrives();
    CheckQueue();
}

void TQVexplorerProtocol::Close(bool byWatchdog) {
    if (Closing)
        return;
    Closing = true;
    WatchdogClose = byWatchdog;
    AddTrace(175);
    if (TransferActive || TransferStep != Step::None)
        CloseProgress(false);
    Asking.reset();
    abortWait();
    AddTrace(176);
    ConnectionTimer.stop();
    emit waitingChanged(true);
    // Nobody would answer "15": the host is gone, or this window never polled.
    if (Stopped || Key.isEmpty() || !adminVars().HostLoggedOn || !Activated) {
        finishClose();
        return;
    }
    WaitingTexts.clear();
    DeferredList.clear();
    ResetExplorerClient();
    SendCtrlCmd("15");
    WaitForEvent(StopAcknowledged, StopTimeoutMs, [this](bool) { finishClose(); });
}

void TQVexplorerProtocol::finishClose() {
    if (ClosedDone)
        return;
    ClosedDone = true;
    Stopped = true;
    StopTimer.stop();
    ConnectionTimer.stop();
    ListTimer.stop();
    LateTimer.stop();
    if (FolderDeferred)
        std::exchange(FolderDeferred, std::nullopt)->done(false);
    // Whoever waits for a list hears that none comes.
    for (ListRequest &r : std::exchange(ListQueue, {}))
        if (r.done)
            r.done(false, {});
    if (ListOutstanding && ListOutstanding->done)
        ListOutstanding->done(false, {});
    ListOutstanding.reset();
    FileList.clear();
    WaitingTexts.clear();
    ResetExplorerClient();
    ResetQClient();
    emit waitingChanged(false);
    emit closed(WatchdogClose);
}

// ---- Commands and ExplorerClient ---------------------------------------------------------------

void TQVexplorerProtocol::SendCmd(const QByteArray &command) {
    AddTrace(164, QStringLiteral("Data:") + fromCp1252(command.left(512)));
    SendStringToHost(command);
}

void TQVexplorerProtocol::SendCtrlCmd(const QByteArray &code) {
    AddTrace(165, QStringLiteral("Data:") + fromCp1252(code));
    SendStringToHost("#" + code);
}

// A text asked for while ExplorerClient carries a short exchange waits for it (a reply and the
// next command often cross); while a file occupies the channel, it is refused.
bool TQVexplorerProtocol::SendStringToHost(const QByteArray &text) {
    if (Stopped)
        return false;
    AddTrace(166, QStringLiteral("Cmd:") + fromCp1252(text.left(512)));
    if (Key.isEmpty()) {
        showNotice(QString(), Msg("Not logged on !"));
        return false;
    }
    if (ExplorerState != Idle || ExplorerClient->busy() || !WaitingTexts.isEmpty()) {
        if (ExplorerState == SendingFile || ExplorerState == ReceivingFile ||
            WaitingTexts.size() >= kMaxWaitingTexts) {
            showNotice(QString(), QStringLiteral("Explorer Busy!"));
            return false;
        }
        WaitingTexts.append(text);
        return true;
    }
    sendQueued(text);
    return true;
}

void TQVexplorerProtocol::sendQueued(const QByteArray &text) {
    ActiveText = text;
    // Each request sets its own bound: the last download's size is no bound for a command.
    ExplorerClient->setMaxReplySize(kMaxCommandReply);
    startOnExplorerClient(SendingCommand, [this, &text] {
        if (text.startsWith('#'))
            return ExplorerClient->get(GatewayRequests::control(GatewayUrlBytes, KeyBytes,
                                                                text.mid(1), NextDyParam().mid(1)));
        return ExplorerClient->get(GatewayRequests::command(GatewayUrlBytes, KeyBytes, text));
    });
}

bool TQVexplorerProtocol::startOnExplorerClient(quint8 state, const std::function<bool()> &start) {
    ExplorerState = state;
    if (!start()) {
        ExplorerState = Idle;
        return false;
    }
    ActiveRequest = ExplorerClient->requestId();
    return true;
}

void TQVexplorerProtocol::ExplorerClientRequestDone(int error, int status, const QByteArray &body) {
    // The completion of a request that was reset belongs to nobody.
    if (ActiveRequest == 0 || ExplorerClient->finishedRequestId() != ActiveRequest) {
        runWhenIdle();
        return;
    }
    ActiveRequest = 0;
    AddTrace(161, QStringLiteral("Status:") + QString::number(status));
    const quint8 state = ExplorerState;
    ExplorerState = Idle;
    switch (state) {
    case SendingCommand:
        SendStringRequestDone(error, status);
        break;
    case SendingFile:
        SendFileToHostRequestDone(error, status, body);
        break;
    case ReceivingFile:
        ReceiveFromHostRequestDone(error, status, body);
        break;
    case FetchingList:
        GetStrListRequestDone(error, status, body);
        break;
    default:
        break;
    }
    runWhenIdle();
}

// Work that waited for the channel, most urgent first: a transfer, an announced list, texts.
void TQVexplorerProtocol::runWhenIdle() {
    if (Stopped || ExplorerState != Idle || ExplorerClient->busy())
        return;
    if (TransferStep == Step::Downloading && DownloadDeferred) {
        DownloadDeferred = false;
        startDownload();
        return;
    }
    if (TransferStep == Step::Uploading && ActiveRequest == 0 && UploadBody) {
        startUpload(UploadBody, UploadSize, UploadName);
        return;
    }
    if (!DeferredList.isEmpty()) {
        fetchList(std::exchange(DeferredList, QByteArray()), DeferredListNumber);
        if (ExplorerState != Idle)
            return;
    }
    if (!WaitingTexts.isEmpty())
        sendQueued(WaitingTexts.takeFirst());
}

void TQVexplorerProtocol::SendStringRequestDone(int error, int status) {
    AddTrace(167, QStringLiteral("Err:%1 - Status:%2").arg(error).arg(status));
    // An answer to a request the host never heard of will not come.
    if (error != 0 || status != 200) {
        if (ListOutstanding && ListOutstanding->command == ActiveText) {
            ListAnswers.unsend();
            QTimer::singleShot(0, this, &TQVexplorerProtocol::listLost);
        } else if (ActiveText.startsWith("Cdir?")) {
            CreateAnswers.unsend();
        } else if (ActiveText.startsWith("Rdir?")) {
            RenameAnswers.unsend();
        }
    }
    if (error != 0)
        showNotice(QString(), QStringLiteral("SendString failed"));
    else if (status != 200)
        showNotice(QString(), QStringLiteral("SendString failed: \r%1").arg(status));
}

void TQVexplorerProtocol::ResetExplorerClient() {
    AddTrace(184);
    if (ActiveRequest != 0)
        ExplorerClient->abort();
    ActiveRequest = 0;
    ExplorerState = Idle;
    DownloadDeferred = false;
}

void TQVexplorerProtocol::ResetQClient() {
    AddTrace(185);
    Qclient->abort();
}

// ---- Polling ---------------------------------------------------------------------------------

void TQVexplorerProtocol::CheckQueue() {
    if (Stopped)
        return;
    AddTrace(159);
    ConnectionTimer.start(WatchdogMs);
    if (Key.isEmpty()) {
        showNotice(QString(), Msg("Not logged on !"));
        return;
    }
    if (Qclient->busy())
        return;
    Qclient->get(GatewayRequests::poll(GatewayUrlBytes, KeyBytes));
}

void TQVexplorerProtocol::QclientRequestDone(int error, int status, const QByteArray &body) {
    if (Stopped)
        return;
    if (error != 0 || status != 200) {
        // Polling ends here; the watchdog closes the window.
        AddTrace(159, QStringLiteral("Err:%1 - Status:%2").arg(error).arg(status));
        showNotice(QString(), status != 0 && error == 0
                                  ? QStringLiteral("CheckQueue failed: \r%1").arg(status)
                                  : QStringLiteral("CheckQueue failed"));
        return;
    }
    if (body.isEmpty()) {
        PostMessage(this, QCheckQueue);
        return;
    }
    try {
        handleMessage(body);
    } catch (const std::exception &e) {
        // A failing handler is recorded, and polling goes on.
        AddTrace(159, QStringLiteral("Exception: ") + QString::fromLocal8Bit(e.what()));
        if (!Stopped)
            PostMessage(this, QCheckQueue);
    }
}

void TQVexplorerProtocol::handleMessage(const QByteArray &message) {
    const qsizetype q = message.indexOf('?');
    const QByteArray command = q < 0 ? message : message.left(q);
    const QByteArray parameter = q < 0 ? QByteArray() : message.mid(q + 1);
    AddTrace(159, QStringLiteral("Cmd:") + fromCp1252(command.left(64)) +
                      QStringLiteral(" - Parms:") + fromCp1252(parameter.left(128)));
    auto startsNoCase = [&message](const char *prefix) {
        const qsizetype n = qsizetype(qstrlen(prefix));
        return message.size() >= n && qstrnicmp(message.constData(), prefix, n) == 0;
    };
    if (message.startsWith("QAD")) {
        // Nothing happened on the host side.
    } else if (message.startsWith("Strl")) {
        HandleMessageGetStringList(message.mid(4));
    } else if (startsNoCase("HOSTLOGOFF")) {
        emit hostLoggedOff();
        Close();
    } else if (startsNoCase("HostDisappeared")) {
        // The host is gone without a word; the main window must hear of it, as it would have.
        emit hostMessage(command, parameter);
        Close();
    } else if (command == "Rdir") {
        folderReply(RenameReplied, parameter);
    } else if (command == "Cdir") {
        folderReply(CreateReplied, parameter);
    } else if (command == "Drvs") {
        FindDrivesDone(parameter);
    } else if (command == "SfSt") {
        HandleStatus(false, parameter);
    } else if (command == "RfSt") {
        HandleStatus(true, parameter);
    } else if (command == "Sfil") {
        ReceiveFileFromHost(parameter);
    } else if (command == "GrCt" || command == "VwOy") {
        FullControl = command == "GrCt";
        emit controlModeChanged(FullControl);
        emit hostMessage(command, parameter);
    } else if (command == "UScr" || command == "GScr") {
        emit hostMessage(command, parameter);
    } else if (command == "SDum") {
        // The host answers no more on this queue: polling ends.
        raiseEvent(StopAcknowledged);
        return;
    }
    if (!Stopped)
        PostMessage(this, QCheckQueue);
}

void TQVexplorerProtocol::ConnectionTimerTimer() {
    AddTrace(183);
    Close(true);
}

// ---- Lists -----------------------------------------------------------------------------------

void TQVexplorerProtocol::HandleMessageGetStringList(const QByteArray &name) {
    AddTrace(162, QStringLiteral("Status msg") + fromCp1252(name.left(16)));
    if (Stopped || (name != "Gdir" && name != "Gfil"))
        return;
    const quint64 number = ListAnswers.answer();
    if (!ListOutstanding || ListOutstanding->number != number ||
        ListOutstanding->folders != (name == "Gdir")) {
        // The late answer of a list given up on, or one nobody asked for.
        AddTrace(162, QStringLiteral("dropped"));
        lateAnswerSettled();
        return;
    }
    // The answer is here; only its fetch may have to wait for the channel.
    ListTimer.stop();
    fetchList(name, number);
}

void TQVexplorerProtocol::fetchList(const QByteArray &name, quint64 number) {
    if (Stopped || !ListOutstanding || ListOutstanding->number != number)
        return;
    // The notice may overtake the completion of the command that asked for the list, or come
    // during a download: the fetch then waits for the channel instead of being lost.
    if (ExplorerState != Idle || ExplorerClient->busy()) {
        DeferredList = name;
        DeferredListNumber = number;
        return;
    }
    FetchingListNumber = number;
    ListMode = name == "Gdir" ? 2 : 3;
    ExplorerClient->setMaxReplySize(kMaxListReply);
    startOnExplorerClient(FetchingList, [this] {
        return ExplorerClient->get(GatewayRequests::stringList(GatewayUrlBytes, KeyBytes) +
                                   NextDyParam());
    });
}

void TQVexplorerProtocol::GetStrListRequestDone(int error, int status, const QByteArray &body) {
    AddTrace(159,
             QStringLiteral("Err:%1 - Status:%2 - Mode:%3").arg(error).arg(status).arg(ListMode));
    // The list answers the request on its way only when it was fetched for it.
    const bool folders = ListMode == 2;
    std::optional<ListRequest> request;
    if (ListOutstanding && ListOutstanding->number == FetchingListNumber)
        request = std::exchange(ListOutstanding, std::nullopt);
    if (request) {
        ListTimer.stop();
        QTimer::singleShot(0, this, &TQVexplorerProtocol::sendNextList);
    }
    std::optional<QList<QByteArray>> lines;
    if (error != 0) {
        showNotice(QString(), QStringLiteral("Strl failed. Error #%1").arg(error));
    } else if (status != 200) {
        showNotice(QString(),
                   QStringLiteral("Strl failed: \r%1 %2").arg(status).arg(reasonOf(body)));
    } else if (!(lines = InflateList(body))) {
        showNotice(QString(), QStringLiteral("Strl failed: \rinvalid list"));
    }
    if (!request)
        return;
    if (folders) {
        if (request->done)
            request->done(lines.has_value(),
                          lines ? ParseFolderList(*lines) : QList<FolderEntry>());
        return;
    }
    if (!lines) {
        FileList.clear();
        ListedFolder.clear();
        emit filesLost(request->path);
        return;
    }
    const QList<FileEntry> files = ParseFileList(*lines);
    FileList = files;
    ListedFolder = request->path;
    // The target check answers first: whoever hears of the list may start other work.
    if (TransferStep == Step::CheckingTarget &&
        folderKey(ListedFolder) == folderKey(Current.targetFolder)) {
        TargetCheckTimer.stop();
        continueCopy(files);
    }
    emit filesArrived(ListedFolder, files);
}

void TQVexplorerProtocol::FindDrives() {
    AddTrace(130);
    SendCmd("Drvs");
}

void TQVexplorerProtocol::FindDrivesDone(const QByteArray &parameters) {
    AddTrace(131, fromCp1252(parameters.left(256)));
    emit drivesArrived(ParseDriveList(parameters));
}

// The host leaves every list in one place on the gateway and its list does not say what it
// lists: a list is asked for only when the one before has been fetched, so none can take
// another's place.
void TQVexplorerProtocol::GetHostDirs(const QString &path, FoldersDone done) {
    AddTrace(124, path);
    ListQueue.append({true, path, std::move(done), {}});
    sendNextList();
}

void TQVexplorerProtocol::GetHostFiles(const QString &path) {
    AddTrace(125, path);
    // Only the latest file list asked for is still wanted.
    ListQueue.removeIf([](const ListRequest &r) { return !r.folders; });
    ListQueue.append({false, path, {}, {}});
    sendNextList();
}

void TQVexplorerProtocol::sendNextList() {
    while (!ListOutstanding && !ListQueue.isEmpty() && !Stopped && !ListAnswers.owesLate()) {
        ListRequest request = ListQueue.takeFirst();
        const QByteArray command =
            (request.folders ? "Gdir?" : "Gfil?") + EncodeQueryValue(toCp1252(request.path));
        AddTrace(164, QStringLiteral("Data:") + fromCp1252(command.left(512)));
        if (!SendStringToHost(command)) {
            if (request.done)
                request.done(false, {});
            continue;
        }
        request.command = command;
        request.number = ListAnswers.send();
        ListOutstanding = std::move(request);
        ListTimer.start(ReplyTimeoutMs);
    }
}

void TQVexplorerProtocol::listLost() {
    ListTimer.stop();
    std::optional<ListRequest> request = std::exchange(ListOutstanding, std::nullopt);
    if (request) {
        ListAnswers.giveUp(request->number);
        if (request->done)
            request->done(false, {});
        if (!request->folders) {
            // The view shows nothing rather than another folder's files.
            FileList.clear();
            ListedFolder.clear();
            emit filesLost(request->path);
            if (TransferStep == Step::CheckingTarget &&
                folderKey(request->path) == folderKey(Current.targetFolder)) {
                TargetCheckTimer.stop();
                TargetCheckTimerTimer();
            }
        }
    }
    if (ListAnswers.owesLate())
        LateTimer.start(LateAnswerGraceMs);
    sendNextList();
}

void TQVexplorerProtocol::CreateHostDir(const QString &path, std::function<void(bool)> done) {
    AddTrace(122, path);
    sendFolderCommand({"Cdir?" + toCp1252(path), CreateReplied, std::move(done)});
}

void TQVexplorerProtocol::RenameDirectory(const QString &oldPath, const QString &newPath,
                                          std::function<void(bool)> done) {
    AddTrace(123, QStringLiteral("Old:") + oldPath + QStringLiteral(" to:") + newPath);
    sendFolderCommand(
        {"Rdir?" + toCp1252(oldPath) + "&" + toCp1252(newPath), RenameReplied, std::move(done)});
}

TQVexplorerProtocol::AnswerOrder &TQVexplorerProtocol::answersOf(quint8 event) {
    return event == RenameReplied ? RenameAnswers : CreateAnswers;
}

// A folder command waits while an answer of its kind is owed: that answer is not its own.
void TQVexplorerProtocol::sendFolderCommand(FolderCommand command) {
    AnswerOrder &answers = answersOf(command.event);
    if (answers.owed()) {
        if (FolderDeferred)
            std::exchange(FolderDeferred, std::nullopt)->done(false);
        FolderDeferred = std::move(command);
        return;
    }
    if (!SendStringToHost(command.text)) {
        command.done(false);
        return;
    }
    const quint64 number = answers.send();
    WaitForEvent(
        command.event, ReplyTimeoutMs,
        [this, event = command.event, number, done = std::move(command.done)](bool ok) {
            if (!ok) {
                answersOf(event).giveUp(number);
                if (answersOf(event).owesLate())
                    LateTimer.start(LateAnswerGraceMs);
            }
            done(ok && ReplyText == QLatin1String("OK"));
        },
        number);
}

void TQVexplorerProtocol::folderReply(quint8 event, const QByteArray &parameter) {
    const quint64 number = answersOf(event).answer();
    ReplyText = fromCp1252(parameter);
    if (OpenWait && OpenWait->event == event && OpenWait->number == number)
        raiseEvent(event, number);
    else
        AddTrace(121, QStringLiteral("late reply dropped:") + ReplyText.left(64));
    lateAnswerSettled();
}

// Requests held back for an owed answer go once it came.
void TQVexplorerProtocol::lateAnswerSettled() {
    if (!ListAnswers.owesLate() && !CreateAnswers.owesLate() && !RenameAnswers.owesLate())
        LateTimer.stop();
    sendNextList();
    if (FolderDeferred && !answersOf(FolderDeferred->event).owed())
        sendFolderCommand(*std::exchange(FolderDeferred, std::nullopt));
}

// The answers given up on did not come within the grace time: the host dropped them.
void TQVexplorerProtocol::LateTimerTimer() {
    AddTrace(181, QStringLiteral("late answers forgotten"));
    for (AnswerOrder *answers : {&ListAnswers, &CreateAnswers, &RenameAnswers})
        answers->forgetLate();
    lateAnswerSettled();
}

// ---- The one open wait -------------------------------------------------------------------------

void TQVexplorerProtocol::WaitForEvent(quint8 event, int timeoutMs, std::function<void(bool)> done,
                                       quint64 number) {
    AddTrace(121, QStringLiteral("Event:") + QString::number(event));
    abortWait(); // one wait at a time: a new one ends the old one, as the shared flag did
    PendingEvent = NoEvent;
    OpenWait = Wait{event, number, std::move(done)};
    if (timeoutMs > 0)
        StopTimer.start(timeoutMs);
}

void TQVexplorerProtocol::raiseEvent(quint8 event, quint64 number) {
    PendingEvent = event;
    if (!OpenWait || OpenWait->event != event || OpenWait->number != number)
        return;
    Wait wait = std::move(*OpenWait);
    OpenWait.reset();
    StopTimer.stop();
    PendingEvent = NoEvent;
    wait.done(true);
}

void TQVexplorerProtocol::abortWait() {
    if (!OpenWait)
        return;
    Wait wait = std::move(*OpenWait);
    OpenWait.reset();
    StopTimer.stop();
    PendingEvent = NoEvent;
    wait.done(false);
}

void TQVexplorerProtocol::StopTimerTimer() {
    AddTrace(181);
    emit waitingChanged(false);
    abortWait();
}

void TQVexplorerProtocol::TargetCheckTimerTimer() {
    if (TransferStep != Step::CheckingTarget)
        return;
    // The target folder could not be listed: whether the file exists is unknown, so the
    // operator is asked.
    TransferStep = Step::Asking;
    Asking = Current;
    emit overwriteQuestion(Msg("File already exists\rproceed ?"));
}

// ---- Transfers -------------------------------------------------------------------------------

bool TQVexplorerProtocol::CopyFile(const Transfer &transfer) {
    if (!FullControl) {
        showNotice(Msg("Error"), Msg("View only mode - not allowed!"));
        return false;
    }
    AddTrace(149, QStringLiteral("To Host:") +
                      (transfer.toHost ? QStringLiteral("-1") : QStringLiteral("0")));
    // A second transfer is refused without a message, before any question.
    if (Closing || TransferActive || TransferStep != Step::None)
        return false;
    if (!IsSafeRemoteFileName(transfer.name)) {
        showNotice(Msg("Error"),
                   Msg("Unsafe file name refused:") + QLatin1Char('\r') + printable(transfer.name));
        return false;
    }
    Current = transfer;
    if (transfer.toHost) {
        Current.sourceFolder = localFolder(transfer.sourceFolder);
        Current.targetFolder = remoteFolder(transfer.targetFolder);
    } else {
        Current.sourceFolder = remoteFolder(transfer.sourceFolder);
        Current.targetFolder = localFolder(transfer.targetFolder);
    }
    AddTrace(148, QStringLiteral("To Host:") +
                      (transfer.toHost ? QStringLiteral("-1") : QStringLiteral("0")));
    if (transfer.toHost) {
        // Whether the target exists is asked of the host now: a listing shown earlier may be
        // of another folder or out of date (the remote user works there too).
        TransferStep = Step::CheckingTarget;
        QString folder = Current.targetFolder;
        folder.chop(1);
        GetHostFiles(folder);
        TargetCheckTimer.start(ReplyTimeoutMs);
        return true;
    }
    const QFileInfo target(Current.targetFolder + Current.name);
    if (target.exists() || target.isSymLink()) {
        TransferStep = Step::Asking;
        Asking = Current;
        emit overwriteQuestion(Msg("File already exists\rproceed ?"));
        return true;
    }
    startTransfer();
    return true;
}

void TQVexplorerProtocol::continueCopy(const QList<FileEntry> &targetFiles) {
    // Reached after the target folder was listed.
    bool exists = false;
    for (const FileEntry &f : targetFiles)
        exists = exists || f.name.compare(Current.name, Qt::CaseInsensitive) == 0;
    TransferStep = Step::None;
    if (exists) {
        TransferStep = Step::Asking;
        Asking = Current;
        emit overwriteQuestion(Msg("File already exists\rproceed ?"));
        return;
    }
    startTransfer();
}

void TQVexplorerProtocol::AnswerOverwrite(bool yes) {
    if (!Asking)
        return;
    Asking.reset();
    TransferStep = Step::None;
    if (yes && !Closing)
        startTransfer();
}

void TQVexplorerProtocol::startTransfer() {
    if (TransferActive)
        return;
    const Transfer &t = Current;
    const QString time = QLocale().toString(QDateTime::currentDateTime(), QLocale::ShortFormat);
    WriteSessionLog(
        (t.toHost ? Msg("Transferring local file: ") : Msg("Transferring remote file: ")) +
        t.sourceFolder + t.name + (t.toHost ? Msg(" to remote: ") : Msg(" to local: ")) +
        t.targetFolder + t.name + QStringLiteral(" - ") + Msg("Time: ") + time);
    emit transferStarted(t.toHost, t.sourceFolder + t.name, t.targetFolder + t.name);
    EnableProgress();
    if (t.toHost)
        SendFileToHost();
    else
        RetrieveFileFromHost();
}

void TQVexplorerProtocol::EnableProgress() {
    AddTrace(179);
    TransferActive = true;
    setPosition(0);
    restartStallTimer();
}

void TQVexplorerProtocol::CloseProgress(bool ok) {
    AddTrace(180);
    TransferStallTimer.stop();
    TargetCheckTimer.stop();
    FinishTimer.stop();
    const bool wasActive = TransferActive || TransferStep != Step::None;
    TransferActive = false;
    TransferStep = Step::None;
    if (ExplorerState == SendingFile || ExplorerState == ReceivingFile)
        ResetExplorerClient();
    DownloadDeferred = false;
    discardTransferFiles();
    if (wasActive)
        emit transferEnded(ok);
}

void TQVexplorerProtocol::CancelTransfer() {
    AddTrace(177);
    if (Asking) {
        Asking.reset();
        TransferStep = Step::None;
        return;
    }
    CloseProgress(false);
}

void TQVexplorerProtocol::failTransfer(const QString &title, const QString &text) {
    CloseProgress(false);
    showNotice(title, text);
}

void TQVexplorerProtocol::discardTransferFiles() {
    Inflate.reset();
    PlainWriter.reset();
    if (TargetFile) {
        TargetFile->cancelWriting(); // the temporary file goes, the target stays as it was
        TargetFile.reset();
    }
    UploadBody = nullptr;
    if (Compression) {
        Compression->cancel = true;
        Compression.reset();
    }
    SourceFile.reset();
    CompressedFile.reset();
}

void TQVexplorerProtocol::restartStallTimer() {
    if (TransferStallMs > 0)
        TransferStallTimer.start(TransferStallMs);
}

void TQVexplorerProtocol::TransferStallTimerTimer() {
    AddTrace(178);
    failTransfer(QString(), Msg("No answer from the remote computer - transfer stopped"));
}

void TQVexplorerProtocol::UpdateProgress(bool secondHalf, qint64 value) {
    setPosition(int(std::clamp<qint64>(value, 0, 50)) + (secondHalf ? 50 : 0));
}

void TQVexplorerProtocol::setPosition(int position) {
    Position = position;
    emit progressChanged(position);
}

void TQVexplorerProtocol::HandleStatus(bool secondHalf, const QByteArray &parameter) {
    // A status after the transfer ended (cancelled, failed) belongs to nothing, and one of the
    // other direction to an earlier transfer: "SfSt" comes while the host stores a file for a
    // download, "RfSt" while it takes an upload.
    if (!TransferActive || secondHalf != Current.toHost)
        return;
    const TransferStatus s = ParseTransferStatus(parameter);
    switch (s.kind) {
    case TransferStatus::Percent:
        restartStallTimer();
        UpdateProgress(secondHalf, s.percent / 2);
        break;
    case TransferStatus::Failed:
        failTransfer(QString(),
                     Msg("Client file error:") + QLatin1Char('\r') + printable(s.reason));
        break;
    case TransferStatus::Done:
        if (!secondHalf) {
            // The host has stored the file; its "Sfil" starts the download.
            restartStallTimer();
            UpdateProgress(false, 50);
            break;
        }
        if (TransferStep == Step::Uploading || TransferStep == Step::AwaitingHost) {
            TransferStallTimer.stop();
            TransferStep = Step::AwaitingHost;
            setPosition(100);
            FinishTimer.start(FinishDelayMs);
        }
        break;
    case TransferStatus::Unknown:
        break;
    }
}

// Upload: the file, or its zlib form made in a temporary file, goes to the gateway ("13");
// the host fetches it and reports with "RfSt".
void TQVexplorerProtocol::SendFileToHost() {
    const Transfer &t = Current;
    const QString path = t.sourceFolder + t.name;
    if (Stopped) {
        CloseProgress(false);
        return;
    }
    abortWait();
    AddTrace(168, QStringLiteral("File:") + t.name + QStringLiteral(" - LocalFolder:") +
                      t.sourceFolder + QStringLiteral(" - HostFolder:") + t.targetFolder);
    if (Key.isEmpty()) {
        failTransfer(QString(), Msg("Not logged on !"));
        return;
    }
    const QFileInfo info(path);
    if (!info.exists()) {
        failTransfer(QString(), Msg("File not found ") + QLatin1Char('\r') + path);
        return;
    }
    SourceFile = OpenSource(path);
    if (!SourceFile) {
        failTransfer(QString(), Msg("Error reading file ") + QLatin1Char('\r') + path);
        return;
    }
    SendPlain = IsArchiveFile(t.name);
    if (SendPlain) {
        startUpload(SourceFile.get(), SourceFile->size(), "/" + toCp1252(t.name));
        return;
    }
    // A temporary file of its own for each upload, where no other program looks; it goes when
    // the upload ends, however it ends.
    auto job = std::make_shared<CompressJob>();
    job->source = std::move(SourceFile);
    job->target = std::make_unique<QTemporaryFile>(compressionFolder() +
                                                   QStringLiteral("/QVtemp-XXXXXX.$$$"));
    if (!job->target->open()) {
        failTransfer(QString(), Msg("Error creating compressed file "));
        return;
    }
    TransferStep = Step::Compressing;
    // Compressing is local work: nothing is asked of the host meanwhile.
    TransferStallTimer.stop();
    Compression = job;
    auto *watcher = new QFutureWatcher<FileStreams::Result>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, job] {
        watcher->deleteLater();
        compressionDone(job, watcher->result());
    });
    watcher->setFuture(QtConcurrent::run(
        [job] { return FileStreams::Deflate(*job->source, *job->target, &job->cancel); }));
}

void TQVexplorerProtocol::compressionDone(const std::shared_ptr<CompressJob> &job,
                                          FileStreams::Result result) {
    // A cancelled compression touches nothing of the upload that may have started since.
    if (job != Compression || TransferStep != Step::Compressing)
        return;
    Compression.reset();
    CompressedFile = std::move(job->target);
    const QString path = Current.sourceFolder + Current.name;
    switch (result) {
    case FileStreams::Result::ReadError:
        failTransfer(QString(), Msg("Error reading file ") + QLatin1Char('\r') + path);
        return;
    case FileStreams::Result::WriteError:
        failTransfer(QString(), Msg("Error creating compressed file "));
        return;
    case FileStreams::Result::Cancelled:
        CloseProgress(false);
        return;
    case FileStreams::Result::Ok:
        break;
    }
    if (!CompressedFile->flush() || !CompressedFile->seek(0)) {
        failTransfer(QString(), Msg("Error creating compressed file "));
        return;
    }
    startUpload(CompressedFile.get(), CompressedFile->size(), toCp1252(Current.name));
}

void TQVexplorerProtocol::startUpload(QIODevice *body, qint64 size, const QByteArray &uploadName) {
    ExplorerClient->setMaxReplySize(kMaxCommandReply);
    TransferStep = Step::Uploading;
    UploadBody = body;
    UploadSize = size;
    UploadName = uploadName;
    restartStallTimer();
    if (ExplorerState != Idle || ExplorerClient->busy())
        return; // runWhenIdle starts it
    abortWait();
    const QByteArray url = GatewayRequests::fileUpload(GatewayUrlBytes, KeyBytes, uploadName,
                                                       toCp1252(Current.targetFolder));
    if (!startOnExplorerClient(
            SendingFile, [&] { return ExplorerClient->postFrom(url, body, size, "text/plain"); }))
        failTransfer(QString(), QStringLiteral("SendFile failed"));
}

void TQVexplorerProtocol::SendFileToHostRequestDone(int error, int status, const QByteArray &body) {
    AddTrace(169, QStringLiteral("Err:%1 - Status:%2").arg(error).arg(status));
    abortWait();
    UploadBody = nullptr;
    SourceFile.reset();
    CompressedFile.reset();
    if (error != 0) {
        failTransfer(QString(), QStringLiteral("SendFile failed"));
        return;
    }
    if (status != 200) {
        failTransfer(QString(),
                     QStringLiteral("SendFile failed: %1\r%2").arg(status).arg(reasonOf(body)));
        return;
    }
    // The progress stays: the host fetches the file now and reports with "RfSt".
    if (TransferStep == Step::Uploading)
        TransferStep = Step::AwaitingHost;
    restartStallTimer();
}

// Download: "Sfil?" asks the host to store the file on the gateway; its "Sfil" names it and
// its size, and the body is fetched from "Files/".
void TQVexplorerProtocol::RetrieveFileFromHost() {
    const Transfer &t = Current;
    AddTrace(170,
             QStringLiteral("HostFolder:") + t.sourceFolder + QStringLiteral(" - File:") + t.name);
    SendPlain = IsArchiveFile(t.name);
    AskedName = t.name;
    TransferStep = Step::AwaitingFile;
    if (!SendStringToHost("Sfil?" + toCp1252(t.sourceFolder) + "&" + (SendPlain ? "/" : "") +
                          toCp1252(t.name)))
        CloseProgress(false);
}

void TQVexplorerProtocol::ReceiveFileFromHost(const QByteArray &parameters) {
    if (Stopped)
        return;
    // A "Sfil" that nobody waits for (the transfer was cancelled or failed) is dropped.
    if (TransferStep != Step::AwaitingFile) {
        AddTrace(171, QStringLiteral("Unexpected"));
        return;
    }
    abortWait();
    AddTrace(171, QStringLiteral("Params:") + fromCp1252(parameters.left(512)));
    const StoredFile stored = ParseStoredFile(parameters);
    if (stored.name != AskedName) {
        failTransfer(QString(), Msg("Wrong file on gateway"));
        return;
    }
    GatewayFileSize = stored.size;
    Received = 0;
    const QString targetPath = Current.targetFolder + AskedName;
    // The body goes into a temporary file of a unique name beside the target; the target is
    // replaced only by a complete and checked file.
    TargetFile = std::make_unique<QSaveFile>(targetPath);
    if (!TargetFile->open(QIODevice::WriteOnly)) {
        TargetFile.reset();
        failTransfer(QString(), Msg("Error creating file ") + QLatin1Char('\r') + targetPath);
        return;
    }
    if (SendPlain)
        PlainWriter = std::make_unique<FileStreams::SparseWriter>(*TargetFile);
    else
        Inflate = std::make_unique<FileStreams::Inflater>(*TargetFile, HostListings::kMaxFileSize);
    TransferStep = Step::Downloading;
    restartStallTimer();
    if (ExplorerState != Idle || ExplorerClient->busy()) {
        DownloadDeferred = true; // the command that asked for it still completes
        return;
    }
    startDownload();
}

void TQVexplorerProtocol::startDownload() {
    ExplorerClient->setMaxReplySize(GatewayFileSize);
    const QByteArray url =
        GatewayRequests::fileDownload(GatewayUrlBytes, KeyBytes, toCp1252(AskedName));
    if (!startOnExplorerClient(ReceivingFile, [&] {
            return ExplorerClient->getInto(
                url, [this](QByteArrayView piece) { return receivePiece(piece); });
        }))
        failTransfer(QString(), QStringLiteral("FileFromHost failed"));
}

bool TQVexplorerProtocol::receivePiece(QByteArrayView piece) {
    Received += piece.size();
    if (PlainWriter)
        return PlainWriter->write(piece);
    return Inflate && Inflate->feed(piece);
}

void TQVexplorerProtocol::ReceiveFromHostRequestDone(int error, int status,
                                                     const QByteArray &body) {
    AddTrace(172,
             QStringLiteral("Err:%1 - Status:%2 - Bytes:%3").arg(error).arg(status).arg(Received));
    abortWait();
    const QString targetPath = Current.targetFolder + AskedName;
    const bool damaged = Inflate && (Inflate->state() == FileStreams::Inflater::State::Corrupt ||
                                     Inflate->state() == FileStreams::Inflater::State::TooLarge);
    if (error == HttpChannel::LocalFileError) {
        failTransfer(QString(), damaged
                                    ? Msg("Error decompressing file ")
                                    : Msg("Error creating file ") + QLatin1Char('\r') + targetPath);
        return;
    }
    if (error == HttpChannel::ReplyTooLargeError) {
        failTransfer(QString(), Msg("The received file is incomplete and was not saved"));
        return;
    }
    if (error != 0) {
        failTransfer(QString(), QStringLiteral("FileFromHost failed. Error #%1").arg(error));
        return;
    }
    if (status != 200) {
        failTransfer(QString(),
                     QStringLiteral("FileFromHost failed: %1\r%2").arg(status).arg(reasonOf(body)));
        return;
    }
    if (Received != GatewayFileSize) {
        failTransfer(QString(), Msg("The received file is incomplete and was not saved"));
        return;
    }
    if (Inflate && !Inflate->finish()) {
        const bool writeFailed = Inflate->state() == FileStreams::Inflater::State::WriteError;
        failTransfer(QString(), writeFailed
                                    ? Msg("Error creating file ") + QLatin1Char('\r') + targetPath
                                    : Msg("Error decompressing file "));
        return;
    }
    if (PlainWriter && !PlainWriter->finish()) {
        failTransfer(QString(), Msg("Error creating file ") + QLatin1Char('\r') + targetPath);
        return;
    }
    Inflate.reset();
    PlainWriter.reset();
    if (!TargetFile->flush() || !TargetFile->commit()) {
        failTransfer(QString(), Msg("Error creating file ") + QLatin1Char('\r') + targetPath);
        return;
    }
    TargetFile.reset();
    const QString folder = Current.targetFolder;
    CloseProgress(true);
    emit localFilesChanged(folder);
}
