#pragma once
#include "gateway/GatewaySession.h"
#include "transfer/HostListings.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

class HttpChannel;
class QFile;
class QSaveFile;
class QTemporaryFile;
namespace FileStreams {
class Inflater;
class SparseWriter;
enum class Result;
} // namespace FileStreams

// The file transfer window's conversation with the host, without any widget: its own two
// channels to the gateway, its poll loop, the remote drives, folders and files, remote folder
// creation and renaming, and the transfer of single files in both directions.
//
// No nested event loop runs here: an operation that waits for a reply takes a completion and
// returns at once, and the effects follow in the order the replies come. One wait for a
// folder command is open at a time (starting or ending a transfer, closing, or the reply
// timeout ends it with false), and one folder or file list is asked for at a time. Nothing
// here outlives the object: replies that come after it was closed find nothing to act on.
//
// Received files never reach their place unchecked: the remote name must be one safe path
// component (IsSafeRemoteFileName), the body goes into a uniquely named temporary file beside
// the target, and only a complete body of the announced size that expands cleanly replaces
// the target. Cancelling, a failure or a lost host leave the previous file as it was.
class TQVexplorerProtocol : public QObject {
    Q_OBJECT
public:
    struct Setup {
        QString key;        // the session key; empty means not logged on
        QString gatewayUrl; // ends in "/"
        ChannelProxy proxy;
        bool fullControl = true;
    };

    explicit TQVexplorerProtocol(const Setup &setup, QObject *parent = nullptr);
    ~TQVexplorerProtocol() override;

    // The request running on ExplorerClient.
    enum ExplorerStateValue : quint8 {
        Idle = 0,
        SendingCommand = 4,
        SendingFile = 5,
        ReceivingFile = 6,
        FetchingList = 7,
    };
    // What a reply raises for the one open wait.
    enum WaitEvent : quint8 {
        NoEvent = 0,
        RenameReplied = 3,
        CreateReplied = 4,
        StopAcknowledged = 7,
    };

    HttpChannel *Qclient = nullptr;
    HttpChannel *ExplorerClient = nullptr;
    quint8 ExplorerState = Idle;
    quint8 ListMode = 0; // 2 folder list, 3 file list
    quint8 PendingEvent = NoEvent;
    QString ReplyText;
    bool Stopped = false;
    bool FullControl = true;
    bool TransferActive = false;

    // Times; tests shorten them.
    int ReplyTimeoutMs = 10000;    // "Gdir", "Cdir", "Rdir" and the target check
    int LateAnswerGraceMs = 10000; // an answer given up on may still come this long after
    int StopTimeoutMs = 8000;      // "SDum" after "15" at close
    int WatchdogMs = 60000;        // no poll for this long closes the window
    int TransferStallMs = 60000;   // a transfer without any progress for this long ends
    int FinishDelayMs = 100;       // the full bar shows this long before the progress closes
    // Opens a local file to upload; tests put a slow source in its place.
    std::function<std::unique_ptr<QIODevice>(const QString &path)> OpenSource;

    // The window's first activation: the drive list is asked for and polling starts (once).
    void Activate();
    // Closes: a running transfer is cancelled, the host is told to stop answering this queue
    // ("15", then "SDum" or the timeout) and closed() follows. `byWatchdog` marks a close
    // because polling died.
    void Close(bool byWatchdog = false);
    bool isClosing() const { return Closing; }
    bool isClosed() const { return ClosedDone; }

    // Browsing. Completions run once, also with false when the wait was ended early.
    void FindDrives();
    using FoldersDone =
        std::function<void(bool ok, const QList<HostListings::FolderEntry> &folders)>;
    void GetHostDirs(const QString &path, FoldersDone done);
    // The answer comes as filesArrived().
    void GetHostFiles(const QString &path);
    void CreateHostDir(const QString &path, std::function<void(bool ok)> done);
    void RenameDirectory(const QString &oldPath, const QString &newPath,
                         std::function<void(bool ok)> done);

    // A transfer. Remote folders are Windows paths ("C:\Temp"), local ones paths of this
    // computer; either may end in its separator or not.
    struct Transfer {
        bool toHost = false;
        QString name;
        QString sourceFolder;
        QString targetFolder;
    };
    // False when refused at once (view only, an unsafe name, a transfer already running);
    // true when it started or when the overwrite question was asked (overwriteQuestion()).
    bool CopyFile(const Transfer &transfer);
    bool questionOpen() const { return Asking.has_value(); }
    void AnswerOverwrite(bool yes);
    void CancelTransfer();

    // The last remote file listing and the folder it belongs to.
    QString listedFolder() const { return ListedFolder; }
    const QList<HostListings::FileEntry> &remoteFiles() const { return FileList; }

signals:
    // A notice for 3 seconds; an empty title shows as "Info".
    void notification(const QString &title, const QString &text);
    void drivesArrived(const HostListings::DriveList &drives);
    void filesArrived(const QString &path, const QList<HostListings::FileEntry> &files);
    // The file list of `path` did not come: what is known of that folder is nothing.
    void filesLost(const QString &path);
    // The target exists: the window asks (warning sound, yes/no) and calls AnswerOverwrite.
    void overwriteQuestion(const QString &question);
    void transferStarted(bool toHost, const QString &source, const QString &target);
    void progressChanged(int position); // 0 to 100
    void transferEnded(bool ok);        // the progress closes
    void remoteFilesChanged();          // the remote file view is to be read again
    void localFilesChanged(const QString &folder);
    void controlModeChanged(bool fullControl); // "GrCt" / "VwOy"
    // Messages meant for the main window ("UScr", "GScr", "GrCt", "VwOy").
    void hostMessage(const QByteArray &command, const QByteArray &parameter);
    void hostLoggedOff();           // "HOSTLOGOFF": the window closes after this
    void waitingChanged(bool busy); // the wait cursor
    void closed(bool byWatchdog);

protected:
    bool event(QEvent *e) override;

private:
    struct Wait {
        quint8 event;
        quint64 number; // the request of its kind it waits for
        std::function<void(bool)> done;
    };
    // The host's lists and folder replies do not say which request they answer: they are
    // matched to the requests of their kind by order, as the host answers them. A request given
    // up on still owes its answer, which is dropped when it comes; the next request of the kind
    // is sent only after it, or after a grace time (LateTimer) in which it did not come.
    struct AnswerOrder {
        quint64 sent = 0;
        quint64 answered = 0;
        quint64 givenUp = 0; // the last request given up on
        quint64 send() { return ++sent; }
        void unsend() {
            if (sent > answered)
                --sent;
        }
        // The number of the request an answer that just came belongs to; 0: none is owed.
        quint64 answer() { return answered < sent ? ++answered : 0; }
        bool owed() const { return answered < sent; }
        void giveUp(quint64 number) { givenUp = qMax(givenUp, qMin(number, sent)); }
        bool owesLate() const { return answered < givenUp; }
        void forgetLate() { answered = qMax(answered, givenUp); }
    };
    struct FolderCommand {
        QByteArray text;
        quint8 event;
        std::function<void(bool)> done;
    };
    struct CompressJob;
    enum class Step {
        None,
        CheckingTarget,
        Asking,
        Compressing,
        Uploading,
        AwaitingHost,
        AwaitingFile,
        Downloading
    };

    // Commands and the channel.
    void SendCmd(const QByteArray &command);
    void SendCtrlCmd(const QByteArray &code);
    bool SendStringToHost(const QByteArray &text);
    void sendQueued(const QByteArray &text);
    bool startOnExplorerClient(quint8 state, const std::function<bool()> &start);
    void ExplorerClientRequestDone(int error, int status, const QByteArray &body);
    void SendStringRequestDone(int error, int status);
    void GetStrListRequestDone(int error, int status, const QByteArray &body);
    void SendFileToHostRequestDone(int error, int status, const QByteArray &body);
    void ReceiveFromHostRequestDone(int error, int status, const QByteArray &body);
    void runWhenIdle();
    void ResetExplorerClient();
    void ResetQClient();

    // Polling.
    void CheckQueue();
    void QclientRequestDone(int error, int status, const QByteArray &body);
    void handleMessage(const QByteArray &message);
    void HandleMessageGetStringList(const QByteArray &name);
    void fetchList(const QByteArray &name, quint64 number);
    void sendNextList();
    void listLost();
    void FindDrivesDone(const QByteArray &parameters);
    void HandleStatus(bool secondHalf, const QByteArray &parameter);
    void ConnectionTimerTimer();

    // Waits.
    void WaitForEvent(quint8 event, int timeoutMs, std::function<void(bool)> done,
                      quint64 number = 0);
    void raiseEvent(quint8 event, quint64 number = 0);
    AnswerOrder &answersOf(quint8 event);
    void sendFolderCommand(FolderCommand command);
    void folderReply(quint8 event, const QByteArray &parameter);
    void lateAnswerSettled();
    void LateTimerTimer();
    void abortWait();
    void StopTimerTimer();
    void TargetCheckTimerTimer();

    // Transfers.
    void continueCopy(const QList<HostListings::FileEntry> &targetFiles);
    void startTransfer();
    void SendFileToHost();
    void compressionDone(const std::shared_ptr<CompressJob> &job, FileStreams::Result result);
    void startUpload(QIODevice *body, qint64 size, const QByteArray &uploadName);
    void RetrieveFileFromHost();
    void ReceiveFileFromHost(const QByteArray &parameters);
    void startDownload();
    bool receivePiece(QByteArrayView piece);
    void UpdateProgress(bool secondHalf, qint64 value);
    void setPosition(int position);
    void EnableProgress();
    void CloseProgress(bool ok = false);
    void discardTransferFiles();
    void failTransfer(const QString &title, const QString &text);
    void restartStallTimer();
    void TransferStallTimerTimer();
    void showNotice(const QString &title, const QString &text);
    void finishClose();

    QString Key;
    QByteArray GatewayUrlBytes;
    QByteArray KeyBytes;
    bool Activated = false;
    bool Polling = false;
    bool Closing = false;
    bool ClosedDone = false;
    bool WatchdogClose = false;

    std::optional<Wait> OpenWait;
    QTimer StopTimer;
    QTimer TargetCheckTimer;
    QTimer ConnectionTimer;
    QTimer TransferStallTimer;
    QTimer FinishTimer;

    // ExplorerClient: the request whose completion counts, texts waiting for the channel, a
    // list notification that came while it was busy, and work to do once it is free.
    quint64 ActiveRequest = 0;
    QList<QByteArray> WaitingTexts;
    QByteArray DeferredList;
    quint64 DeferredListNumber = 0;
    bool DownloadDeferred = false;

    QList<HostListings::FileEntry> FileList;
    QString ListedFolder;
    // Folder and file lists: the one on its way (waited for ReplyTimeoutMs) and those asked for
    // after it.
    struct ListRequest {
        bool folders = false;
        QString path;
        FoldersDone done;
        QByteArray command;
        quint64 number = 0;
    };
    std::optional<ListRequest> ListOutstanding;
    QList<ListRequest> ListQueue;
    QTimer ListTimer;
    quint64 FetchingListNumber = 0;
    AnswerOrder ListAnswers;
    AnswerOrder CreateAnswers;
    AnswerOrder RenameAnswers;
    std::optional<FolderCommand> FolderDeferred;
    QTimer LateTimer;
    QByteArray ActiveText; // the text of the command on ExplorerClient

    // The transfer under way.
    Step TransferStep = Step::None;
    Transfer Current;
    std::optional<Transfer> Asking;
    bool SendPlain = false;
    QString AskedName;
    qint64 GatewayFileSize = 0;
    qint64 UploadSize = 0;
    qint64 Received = 0;
    int Position = 0;
    std::unique_ptr<QIODevice> SourceFile;
    std::unique_ptr<QTemporaryFile> CompressedFile;
    std::unique_ptr<QSaveFile> TargetFile;
    std::unique_ptr<FileStreams::Inflater> Inflate;
    std::unique_ptr<FileStreams::SparseWriter> PlainWriter;
    QIODevice *UploadBody = nullptr; // the source or its compressed form, while it is sent
    QByteArray UploadName;
    // The compression running on a worker. The job owns its files, so a cancelled one can
    // run out on its own while the next upload has files of its own.
    std::shared_ptr<CompressJob> Compression;
};
