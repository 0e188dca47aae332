#pragma once
#include <QByteArray>
#include <QObject>
#include <QTimer>

#include <functional>

class GatewaySession;
class QClipboard;

// Clipboard transfer between the operator's clipboard (the CLIPBOARD selection) and the remote
// one. Uploads and downloads ride the command queue as "@SClip?code" and "@RClip?code", so
// they keep their place among the other commands; the host's "DlCl", "ClSt" and "ClEr" drive
// the download and end the progress window. The windows (options, progress) only follow the
// signals.
//
// A transfer ends on every path: the upload's completion, the host's answer, a reset of the
// session, or the answer timeout when the host never says anything (a transfer that timed out
// leaves the queue). The host answers in order and its answers do not say which transfer
// they belong to: "ClSt" and "ClEr" answer the uploads awaiting confirmation first, so a
// download started meanwhile is not ended by them. Received content is checked
// whole before the local clipboard is touched, so a malformed or oversized body leaves the
// clipboard as it was and the operator is told.
class ClipboardTransfer : public QObject {
    Q_OBJECT
public:
    explicit ClipboardTransfer(GatewaySession *session, QObject *parent = nullptr);

    struct Hooks {
        // Whether the operator may act on the remote computer (not view-only).
        std::function<bool()> fullControl;
        // The options window: the option 0 (cancel) to 3 for an upload or a download.
        std::function<int(bool upload)> askOption;
        // The clipboard to read and write; the application's by default.
        std::function<QClipboard *()> clipboard;
    };
    Hooks &hooks() { return H; }

    // The toolbar buttons and menu items.
    void BttnUploadClipboardClick();
    void BttnDownloadClipboardClick();

    // A transfer is under way (from the option's choice to its end); a second one is refused.
    bool busy() const { return ClipboardBusy || Pending || AwaitingHost; }
    bool progressVisible() const { return ProgressShown; }
    // How long a transfer waits for the host before it gives up.
    void setAnswerTimeout(int ms) { AnswerTimer.setInterval(ms); }
    int answerTimeout() const { return AnswerTimer.interval(); }

signals:
    void progressShown(bool sending);
    void progressClosed();
    void waitCursor(bool on);
    // The local clipboard received the content of a download.
    void clipboardPlaced(int option);
    // A transfer ended (the busy state is released); `ok` is false when it failed.
    void finished(bool upload, bool ok);

private:
    void sendClipboard(const QByteArray &entry);
    void receiveClipboard(const QByteArray &entry);
    void uploadDone(int error, int status);
    void downloadDone(int error, int status, const QByteArray &body);
    void hostReady(const QByteArray &code);
    void hostStored();
    void hostFailed(const QByteArray &reason);
    void answerTimedOut();
    void confirmTimedOut();
    void uploadAnswered();
    void showProgress(bool sending);
    void closeProgress();
    void release(bool ok);
    void setWait(bool on);
    void reset(bool sessionGone);
    bool mayStart() const;
    // What both buttons check and ask first: the option chosen, or -1 when nothing is to be done.
    int chooseOption(bool upload, int trace);
    QClipboard *clipboard() const;

    GatewaySession *Session;
    Hooks H;
    bool ClipboardBusy = false;
    bool Pending = false;      // chosen and queued, not yet started
    bool AwaitingHost = false; // "DlCl?" sent, the host's "DlCl" not yet in
    bool Exchanging = false;   // our request is out on the command channel
    int ConfirmsOwed = 0;      // uploads that went out; the host's "ClSt"/"ClEr" not yet in
    bool Uploading = false;    // the transfer under way is an upload
    QByteArray QueuedEntry;    // our entry waiting in the command queue
    bool ProgressShown = false;
    bool ProgressSending = false;
    bool WaitShown = false;
    int ClipFormat = 0;
    QTimer AnswerTimer;
    QTimer ConfirmTimer;
};
