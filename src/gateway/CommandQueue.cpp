// The command queue: everything the console tells the host goes out on ExecClient, one request
// at a time, in order.
#include "gateway/GatewaySession.h"

#include "common/AdminVars.h"
#include "common/Cp1252.h"
#include "common/TraceRing.h"
#include "common/WindowMessages.h"
#include "common/Zlib.h"
#include "gateway/GatewayRequests.h"
#include "gateway/HttpChannel.h"
#include "gateway/SessionUi.h"
#include "gateway/Url_Utils.h"

using namespace WindowMessages;

namespace {
// Bounds for a string list: what it may inflate to and how many lines are kept.
constexpr qsizetype MaxStringListBytes = 16 * 1024 * 1024;
constexpr qsizetype MaxStringListLines = 100000;

QList<QByteArray> splitLines(const QByteArray &text) {
    QList<QByteArray> lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n && lines.size() < MaxStringListLines; ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == '\r' && i + 1 < n && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < n && lines.size() < MaxStringListLines)
        lines.append(text.mid(start));
    return lines;
}

// What a keystroke command must not leave in the trace ring: the keys themselves.
QString traceableCommand(const QByteArray &command) {
    if (command.startsWith("KbdP") || command.startsWith("ChSt"))
        return QString::fromLatin1(command.left(4)) + QStringLiteral("?…");
    return QString::fromLatin1(command);
}
} // namespace

void GatewaySession::SendCmd(const QByteArray &command) {
    const AdminVars &v = adminVars();
    if (!v.HostLoggedOn || CommandsDisabled)
        return;
    if (command.startsWith("GScr"))
        emit fullPictureRequested();
    if (command.startsWith("GScr") || command.startsWith("UScr"))
        emit screenWatchdogRearm();
    if (v.LoggedOn) {
        AddTrace(61, QStringLiteral("Data:") + traceableCommand(command));
        // Whenever the channel is idle the queue is pumped, whatever it already holds: entries
        // waiting on an idle channel would otherwise never move.
        if (ExecState == ExecIdle)
            PostMessage(this, PumpQueue);
        CommandQueue.append(command);
    }
    emit commandQueued();
}

void GatewaySession::SendCtrlCmd(const QByteArray &text) {
    if (adminVars().LoggedOn) {
        AddTrace(62, QStringLiteral("Data:") + QString::fromLatin1(text));
        if (!CommandQueue.isEmpty() || ExecState != ExecIdle || ExecClient->busy())
            CommandQueue.append("#" + text);
        else
            SendCommandRequest("#" + text);
    }
    emit commandQueued();
}

void GatewaySession::SendStopQueue(quint8 reason) {
    const AdminVars &v = adminVars();
    if (!v.HostLoggedOn)
        return;
    StopQueueReason = reason;
    if (v.LoggedOn) {
        AddTrace(63, QStringLiteral("Opt:") + QString::number(reason));
        CommandQueue.clear();
        SendCtrlCmd("15");
    }
}

void GatewaySession::DisableCommands() {
    AddTrace(59);
    CommandsDisabled = true;
}

void GatewaySession::EnableCommands() {
    AddTrace(60);
    CommandsDisabled = false;
}

void GatewaySession::WMPumpQueue() {
    AddTrace(88, QStringLiteral("Cnt:") + QString::number(CommandQueue.size()));
    if (CommandQueue.isEmpty())
        return;
    // A busy channel keeps the head of the queue where it is; the channel's completion pumps
    // again, so nothing is lost and no second request is started.
    if (ExecState != ExecIdle || ExecClient->busy())
        return;
    if (CommandQueue.size() > 4) {
        while (CommandQueue.size() >= 2 && CommandQueue.first().startsWith("MoMo"))
            CommandQueue.removeFirst();
    }
    if (adminVars().CurrentKey.isEmpty()) {
        // No session to send to: what is queued belongs to none.
        CommandQueue.clear();
        return;
    }
    const QByteArray entry = CommandQueue.takeFirst();
    const QByteArray head = entry.left(6);
    for (const auto &[prefix, claim] : std::as_const(QueueClaims)) {
        if (!claim.owner || !entry.startsWith(prefix))
            continue;
        runGuarded([&] { claim.handler(entry); });
        // The owner's exchange pumps again when it completes; without one the queue goes on.
        if (ExecState == ExecIdle)
            PostMessage(this, PumpQueue);
        return;
    }
    if (head == "@SClip" || head == "@RClip") {
        AddTrace(88, QStringLiteral("no handler for ") + QString::fromLatin1(head));
        PostMessage(this, PumpQueue);
    } else if (head == "@RInfo") {
        RequestInfoMessage(entry.mid(6));
    } else if (head == "@RStrl") {
        RequestStringList(entry.mid(6));
    } else {
        SendCommandRequest(entry);
    }
}

void GatewaySession::SendCommandRequest(QByteArray entry) {
    AddTrace(83, QStringLiteral("Cmd:") + traceableCommand(entry));
    const bool control = entry.startsWith('#');
    if (control)
        entry.remove(0, 1);
    if (ExecState != ExecIdle || ExecClient->busy())
        return;
    const QByteArray key = toCp1252(adminVars().CurrentKey);
    if (key.isEmpty())
        return;
    ExecState = ExecCommand;
    emit commandRequestStarted();
    const QByteArray base = GatewayUrl.toLatin1();
    if (control) {
        const qsizetype q = entry.indexOf('?');
        const QByteArray code = q < 0 ? entry : entry.left(q);
        const QByteArray extra = q < 0 ? QByteArray() : entry.mid(q + 1);
        ExecRequestGeneration = Generation;
        ExecClient->get(GatewayRequests::control(base, key, code, extra));
    } else {
        ExecRequestGeneration = Generation;
        ExecClient->get(GatewayRequests::command(base, key, entry));
    }
}

void GatewaySession::CommandRequestDone(int error, int status) {
    Q_UNUSED(status);
    AddTrace(84, QStringLiteral("E:") + QString::number(error));
    emit commandRequestFinished();
    PostMessage(this, PumpQueue);
}

void GatewaySession::RequestStringList(const QByteArray &kind) {
    AddTrace(90, QStringLiteral("StatMsg:") + QString::fromLatin1(kind));
    static const QByteArray kinds[] = {"GScM", "Gdir", "Gfil", "PcFo", "PcUp"};
    ListKind = 0;
    for (int i = 0; i < 5; ++i) {
        if (kind == kinds[i])
            ListKind = quint8(i + 1);
    }
    if (ListKind == 0) {
        PostMessage(this, PumpQueue);
        return;
    }
    ExecState = ExecStringList;
    ExecRequestGeneration = Generation;
    ExecClient->get(
        GatewayRequests::stringList(GatewayUrl.toLatin1(), toCp1252(adminVars().CurrentKey)));
}

void GatewaySession::StringListRequestDone(int error, int status, const QByteArray &body) {
    AddTrace(91, QStringLiteral("E:%1 - M:%2").arg(error).arg(ListKind));
    if (error == 0 && status == 200) {
        // A list that does not inflate is dropped; the queue goes on either way.
        if (const auto text = Zlib::inflateBounded(body, MaxStringListBytes))
            emit stringListReceived(ListKind, splitLines(*text));
    }
    PostMessage(this, PumpQueue);
}

void GatewaySession::RequestInfoMessage(const QByteArray &rest) {
    ExecState = ExecAnnouncement;
    QByteArray extra = rest;
    if (extra.startsWith('&'))
        extra.remove(0, 1);
    ExecRequestGeneration = Generation;
    ExecClient->get(GatewayRequests::control(GatewayUrl.toLatin1(),
                                             toCp1252(adminVars().CurrentKey), "23", extra));
}

void GatewaySession::InfoMessageRequestDone(int error, int status, const QByteArray &body) {
    if (error == 0 && status == 200 && !body.isEmpty()) {
        QByteArray title, content;
        GetUrlParam(body, "title", title);
        GetUrlParam(body, "cont", content);
        Ui->showAnnouncement(AnnouncementIsProduct, fromCp1252(title), fromCp1252(content));
    }
    PostMessage(this, PumpQueue);
}
