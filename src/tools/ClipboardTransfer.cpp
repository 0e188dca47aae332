#include "tools/ClipboardTransfer.h"

#include "common/AdminVars.h"
#include "common/Cp1252.h"
#include "common/TraceRing.h"
#include "common/Zlib.h"
#include "common/uLanguageMsg.h"
#include "gateway/GatewayRequests.h"
#include "gateway/GatewaySession.h"
#include "gateway/SessionUi.h"
#include "tools/ClipboardContent.h"
#include "tools/ClipboardStream.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

using namespace ClipboardContent;

namespace {
// The host reads its clipboard, compresses it and stores it on the gateway before it answers;
// a minute covers the largest content on a slow line.
constexpr int kAnswerTimeoutMs = 60000;

QString tooLargeText(const QString &detail) {
    return Msg("Clipboard content to large") + QLatin1Char('\r') + detail;
}
} // namespace

ClipboardTransfer::ClipboardTransfer(GatewaySession *session, QObject *parent)
    : QObject(parent), Session(session) {
    H.fullControl = [] { return true; };
    H.askOption = [](bool) { return int(None); };
    H.clipboard = [] { return QGuiApplication::clipboard(); };
    AnswerTimer.setSingleShot(true);
    AnswerTimer.setInterval(kAnswerTimeoutMs);
    connect(&AnswerTimer, &QTimer::timeout, this, &ClipboardTransfer::answerTimedOut);
    ConfirmTimer.setSingleShot(true);
    connect(&ConfirmTimer, &QTimer::timeout, this, &ClipboardTransfer::confirmTimedOut);

    session->claimQueueEntry("@SClip", this, [this](const QByteArray &e) { sendClipboard(e); });
    session->claimQueueEntry("@RClip", this, [this](const QByteArray &e) { receiveClipboard(e); });
    session->claimHostMessage("DlCl", this, [this](const QByteArray &p) { hostReady(p); });
    session->claimHostMessage("ClSt", this, [this](const QByteArray &) { hostStored(); });
    session->claimHostMessage("ClEr", this, [this](const QByteArray &p) { hostFailed(p); });
    // Whatever was under way belongs to a host or a session that is gone.
    // An exchange still out when the host goes completes normally; one of an ended session
    // never reports back.
    connect(session, &GatewaySession::sessionReset, this, [this] { reset(true); });
    connect(session, &GatewaySession::hostLeft, this, [this] { reset(false); });
    connect(session, &GatewaySession::hostLost, this, [this] { reset(false); });
}

QClipboard *ClipboardTransfer::clipboard() const {
    return H.clipboard ? H.clipboard() : QGuiApplication::clipboard();
}

bool ClipboardTransfer::mayStart() const {
    return !busy() && !Exchanging;
}

int ClipboardTransfer::chooseOption(bool upload, int trace) {
    const auto controlled = [this] { return adminVars().HostLoggedOn && H.fullControl(); };
    if (!controlled())
        return -1;
    AddTrace(trace);
    if (!mayStart())
        return -1;
    Session->ui().playSound(0);
    const int option = H.askOption(upload);
    // The options window is modal and the session ran on: the host may have taken control away
    // or gone since.
    if (!controlled())
        return -1;
    return option < Text || option > All ? -1 : option;
}

void ClipboardTransfer::BttnUploadClipboardClick() {
    const int option = chooseOption(true, 29);
    if (option < 0)
        return;
    // Chosen is taken: a second click before the queue reaches this one is refused as well.
    Pending = true;
    Uploading = true;
    AnswerTimer.start();
    QueuedEntry = "@SClip?" + codeOf(option);
    Session->SendCmd(QueuedEntry);
}

void ClipboardTransfer::BttnDownloadClipboardClick() {
    const int option = chooseOption(false, 30);
    if (option < 0)
        return;
    ClipboardBusy = true;
    AwaitingHost = true;
    Uploading = false;
    showProgress(false);
    AnswerTimer.start();
    Session->SendCmd("DlCl?" + codeOf(option));
}

void ClipboardTransfer::sendClipboard(const QByteArray &entry) {
    if (ClipboardBusy || Exchanging) {
        AddTrace(88, QStringLiteral("clipboard upload dropped: a transfer is under way"));
        return;
    }
    QueuedEntry.clear();
    Pending = true;
    Uploading = true;
    const QByteArray code = entry.size() < 8 ? QByteArray() : entry.mid(7);
    showProgress(true);
    QByteArray content;
    if (QClipboard *cb = clipboard())
        content = contentOf(cb->mimeData(QClipboard::Clipboard), uploadOptionOf(code));
    if (content.size() > ClipboardStream::kMaxContentBytes) {
        Session->ui().flash(QString(), tooLargeText(QStringLiteral("(>5 MB)")), 3);
        release(false);
        return;
    }
    if (content.isEmpty()) {
        release(false);
        return;
    }
    setWait(true);
    Pending = false;
    ClipboardBusy = true;
    ++ConfirmsOwed;
    const QByteArray url = GatewayRequests::clipboardUpload(Session->GatewayUrl.toLatin1(),
                                                            toCp1252(adminVars().CurrentKey), code);
    Exchanging = Session->execPost(
        url, Zlib::deflate(content), "text/plain",
        [this](int error, int status, const QByteArray &) { uploadDone(error, status); });
    if (!Exchanging)
        uploadDone(-1, 0);
}

void ClipboardTransfer::uploadDone(int error, int status) {
    AddTrace(95, QStringLiteral("E:") + QString::number(error));
    Exchanging = false;
    if (error != 0 || status != 200) {
        Session->ui().flash(QString(), Msg("Error sending clipboard"), 2);
        // The host never saw the content and will not answer: nothing is left to wait for.
        ConfirmsOwed = qMax(0, ConfirmsOwed - 1);
        release(false);
        return;
    }
    setWait(false);
    ClipboardBusy = false;
    Uploading = false;
    AnswerTimer.stop();
    // The progress window waits for the host's "ClSt" or "ClEr" (which may have come
    // already), guarded by its own timer: a download may start meanwhile.
    if (ConfirmsOwed > 0)
        ConfirmTimer.start(AnswerTimer.interval());
    emit finished(true, true);
}

void ClipboardTransfer::hostReady(const QByteArray &code) {
    if (!AwaitingHost) {
        AddTrace(89, QStringLiteral("DlCl without a download waiting"));
        return;
    }
    AwaitingHost = false;
    Pending = true;
    QueuedEntry = "@RClip?" + code.left(16);
    Session->SendCmd(QueuedEntry);
}

void ClipboardTransfer::receiveClipboard(const QByteArray &entry) {
    const QByteArray code = entry.size() < 8 ? QByteArray() : entry.mid(7);
    if (!Pending || Uploading || Exchanging) {
        AddTrace(88, QStringLiteral("clipboard download dropped: none is waiting"));
        return;
    }
    Pending = false;
    QueuedEntry.clear();
    AddTrace(92, QStringLiteral("Cmd:") + QString::fromLatin1(code));
    setWait(true);
    ClipFormat = downloadOptionOf(code);
    const QByteArray url = GatewayRequests::clipboardDownload(Session->GatewayUrl.toLatin1(),
                                                              toCp1252(adminVars().CurrentKey));
    Exchanging = Session->execGet(url, [this](int error, int status, const QByteArray &body) {
        downloadDone(error, status, body);
    });
    if (!Exchanging)
        downloadDone(-1, 0, {});
}

void ClipboardTransfer::downloadDone(int error, int status, const QByteArray &body) {
    AddTrace(93, QStringLiteral("E:") + QString::number(error));
    Exchanging = false;
    bool ok = false;
    QString failure = Msg("Clipboard transfer error");
    int seconds = 2;
    if (error == 0 && status == 200 && !body.isEmpty()) {
        Zlib::InflateError inflateError = Zlib::InflateError::None;
        const auto content =
            Zlib::inflateBounded(body, ClipboardStream::kMaxContentBytes, &inflateError);
        QString why;
        std::unique_ptr<QMimeData> mime;
        if (content)
            mime = mimeDataOf(*content, ClipFormat, &why);
        if (inflateError == Zlib::InflateError::TooLarge) {
            failure = tooLargeText(QStringLiteral("(>5 MB)"));
            seconds = 3;
        } else if (!mime) {
            AddTrace(93, QStringLiteral("content refused: ") + why.left(80));
        } else if (QClipboard *cb = clipboard()) {
            cb->setMimeData(mime.release(), QClipboard::Clipboard);
            ok = true;
        }
    }
    // On failure the local clipboard still holds what it held, and the operator is told so
    // that it is not pasted as the remote content.
    if (ok)
        emit clipboardPlaced(ClipFormat);
    else
        Session->ui().flash(QString(), failure, seconds);
    release(ok);
}

void ClipboardTransfer::hostStored() {
    if (ConfirmsOwed == 0) {
        AddTrace(89, QStringLiteral("ClSt without an upload"));
        return;
    }
    // Before the upload's completion came back, the completion still ends the transfer.
    uploadAnswered();
}

// The host answered the oldest upload awaiting it; the progress closes when it is an upload's.
void ClipboardTransfer::uploadAnswered() {
    --ConfirmsOwed;
    if (ConfirmsOwed > 0)
        return;
    ConfirmTimer.stop();
    if (ProgressSending)
        closeProgress();
}

void ClipboardTransfer::hostFailed(const QByteArray &reason) {
    QString text;
    int seconds = 2;
    if (reason.startsWith('>')) {
        text = tooLargeText(QString::fromLatin1(reason.left(16)) + QStringLiteral("KB"));
        seconds = 3;
    } else if (reason == "Empty") {
        text = Msg("No clipboard content");
        seconds = 3;
    } else {
        text = Msg("Clipboard transfer error");
    }
    Session->ui().flash(QString(), text, seconds);
    if (ConfirmsOwed > 0) {
        // An upload's failure: a download started since goes on.
        uploadAnswered();
        return;
    }
    if (Exchanging) {
        closeProgress();
        return;
    }
    if (busy() || ProgressShown)
        release(false);
}

void ClipboardTransfer::answerTimedOut() {
    if (Exchanging) {
        // The request on the channel ends the transfer itself.
        AnswerTimer.start();
        return;
    }
    if (!busy())
        return;
    AddTrace(89, QStringLiteral("clipboard transfer: no answer from the host"));
    Session->ui().flash(QString(), Msg("Clipboard transfer error"), 2);
    // Given up on: it must not run later, with whatever the clipboard holds by then.
    if (!QueuedEntry.isEmpty())
        Session->CommandQueue.removeOne(std::exchange(QueuedEntry, {}));
    release(false);
}

void ClipboardTransfer::confirmTimedOut() {
    if (ConfirmsOwed == 0)
        return;
    AddTrace(89, QStringLiteral("clipboard upload: no answer from the host"));
    Session->ui().flash(QString(), Msg("Clipboard transfer error"), 2);
    ConfirmsOwed = 0;
    if (ProgressSending)
        closeProgress();
}

void ClipboardTransfer::showProgress(bool sending) {
    ProgressShown = true;
    ProgressSending = sending;
    emit progressShown(sending);
}

void ClipboardTransfer::closeProgress() {
    if (!ProgressShown)
        return;
    ProgressShown = false;
    emit progressClosed();
}

void ClipboardTransfer::setWait(bool on) {
    if (WaitShown == on)
        return;
    WaitShown = on;
    emit waitCursor(on);
}

void ClipboardTransfer::release(bool ok) {
    const bool upload = Uploading;
    const bool wasBusy = busy();
    AnswerTimer.stop();
    ClipboardBusy = false;
    Pending = false;
    AwaitingHost = false;
    Uploading = false;
    // An earlier upload's progress, still waiting for the host, stays.
    if (ProgressSending == upload || ConfirmsOwed == 0)
        closeProgress();
    setWait(false);
    if (wasBusy)
        emit finished(upload, ok);
}

void ClipboardTransfer::reset(bool sessionGone) {
    if (sessionGone)
        Exchanging = false;
    AnswerTimer.stop();
    ConfirmTimer.stop();
    ClipboardBusy = false;
    Pending = false;
    AwaitingHost = false;
    ConfirmsOwed = 0;
    Uploading = false;
    QueuedEntry.clear();
    closeProgress();
    setWait(false);
}
