#include "tools/RemoteChat.h"

#include "common/AdminVars.h"
#include "common/AppFolders.h"
#include "common/Cp1252.h"
#include "common/RemoteNames.h"
#include "common/SessionLog.h"
#include "common/TraceRing.h"
#include "common/WindowMessages.h"
#include "common/uLanguageMsg.h"
#include "gateway/GatewaySession.h"
#include "gateway/SessionUi.h"
#include "settings/uIniFiles.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLocale>

using namespace WindowMessages;

namespace {
QString nowText() {
    return QLocale().toString(QTime::currentTime(), QLocale::ShortFormat);
}

QString chatLogFolder() {
    return appFolders().Home + QStringLiteral("ChatLogs/");
}
} // namespace

RemoteChat::RemoteChat(GatewaySession *session, QObject *parent)
    : QObject(parent), Session(session) {
    H.restartScreenUpdates = [] {};
    session->claimHostMessage("RqCh", this,
                              [this](const QByteArray &) { PostMessage(this, HostStartedChat); });
    session->claimHostMessage("ChSt", this, [this](const QByteArray &p) {
        // Only as much as is ever shown is converted.
        ChatStringReceived(fromCp1252(p.left(kMaxReceivedChars)));
    });
    session->claimHostMessage("RTpg", this, [this](const QByteArray &) { setRemoteTyping(true); });
    session->claimHostMessage("RsTp", this, [this](const QByteArray &) { setRemoteTyping(false); });
    session->claimHostMessage("StCh", this, [this](const QByteArray &) { HostRequestStopChat(); });
    session->claimHostMessage("ChDn", this, [this](const QByteArray &) {
        Session->ui().flash(QString(), Msg("Chat denied - no user logged"), 3);
        HostRequestStopChat();
    });
    // The chat belongs to the session and to the host it was opened with: it closes with the
    // session, and when a host logs on (after a reboot or a lost host), which never had it
    // open; either way without a word to the host.
    for (auto signal : {&GatewaySession::sessionReset, &GatewaySession::hostJoined})
        connect(session, signal, this, [this] {
            if (Open)
                close();
        });
}

bool RemoteChat::event(QEvent *e) {
    switch (messageOf(e)) {
    case WindowMessages::StartChat:
        this->StartChat(false);
        return true;
    case HostStartedChat:
        if (!Open) {
            AddTrace(54);
            this->StartChat(true);
        }
        return true;
    default:
        return QObject::event(e);
    }
}

void RemoteChat::BttnChatClick() {
    AddTrace(53);
    if (!adminVars().HostLoggedOn || Open)
        return;
    Session->ui().playSound(0);
    Session->SendCmd("RqCh");
    PostMessage(this, WindowMessages::StartChat);
}

void RemoteChat::StartChat(bool hostRequested) {
    AddTrace(55,
             QStringLiteral("HR:") + (hostRequested ? QStringLiteral("-1") : QStringLiteral("0")));
    if (hostRequested)
        WriteSessionLog(Msg("Chat session started ") + Msg("(requested by client)") +
                        QStringLiteral(" - ") + Msg("Time: ") + nowText());
    else
        WriteSessionLog(Msg("Chat session started ") + QStringLiteral("- ") + nowText());
    RemoteName = adminVars().HostName;
    ClientIp = Session->HostIP;
    HostRequested = hostRequested;
    LogChat = settings().LogChat;
    Key = adminVars().CurrentKey;
    OperatorName = Session->CustomerName;
    // What showing the window sets up; without the console's folders there is no log.
    LogFile.clear();
    if (!appFolders().Home.isEmpty()) {
        QDir().mkpath(chatLogFolder());
        LogFile =
            SessionKeyFilePath(chatLogFolder(), QStringLiteral("Log"), Key, QStringLiteral(".txt"));
    }
    HeaderWritten = false;
    Typing = false;
    RemoteTyping = false;
    Open = true;
    emit opened(hostRequested);
}

QString RemoteChat::lineFor(const QString &name, const QString &text) {
    return QLatin1Char('<') + name + QStringLiteral("> :  ") + text;
}

bool RemoteChat::send(const QString &input) {
    Session->ui().playSound(0);
    if (input.isEmpty())
        return false;
    const QString text = input.left(kMaxSentChars);
    // The host's text forms have Windows line ends.
    QString wire = text;
    wire.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    wire.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    Session->SendCmd("ChSt?" + toCp1252(wire));
    UpdateDisplay(false, text);
    // Emptying the input follows in the window; its change sends "RsTp".
    return true;
}

void RemoteChat::inputChanged(bool empty) {
    if (empty) {
        if (Typing)
            Session->SendCmd("RsTp");
        Typing = false;
    } else if (!Typing) {
        Typing = true;
        Session->SendCmd("RTpg");
    }
}

void RemoteChat::ChatStringReceived(const QString &text) {
    AddTrace(56, QStringLiteral("Str:…"));
    QString t = text.left(kMaxReceivedChars);
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    UpdateDisplay(true, t);
}

void RemoteChat::UpdateDisplay(bool remote, const QString &text) {
    if (remote)
        setRemoteTyping(false);
    const QString line = lineFor(remote ? RemoteName : OperatorName, text);
    emit lineAdded(remote, line);
    if (LogChat)
        AddTolog(line);
}

void RemoteChat::AddTolog(const QString &line) {
    if (LogFile.isEmpty())
        return;
    QFile f(LogFile);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append))
        return; // the conversation goes on without its log
    // Lines end in CR LF, as in the session log, so the file reads the same in any editor.
    QString text;
    if (!HeaderWritten)
        text = Msg("Chat session started ") +
               QLocale().toString(QDateTime::currentDateTime(), QLocale::ShortFormat) +
               QStringLiteral(" - ") + Msg("Client IP:") + ClientIp + QLatin1Char('\n');
    text += line + QLatin1Char('\n');
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    const QByteArray out = text.toUtf8();
    // One write per line, flushed before the file closes: what is written is on disk.
    if (f.write(out) == out.size() && f.flush())
        HeaderWritten = true;
}

void RemoteChat::setLogChat(bool on) {
    LogChat = on;
}

void RemoteChat::setRemoteTyping(bool typing) {
    if (RemoteTyping == typing)
        return;
    RemoteTyping = typing;
    emit remoteTypingChanged(typing);
}

void RemoteChat::closeByOperator() {
    Session->ui().playSound(0);
    Session->SendCmd("StCh");
    WriteSessionLog(Msg("Chat session ended ") + QStringLiteral(" - ") + Msg("Time: ") + nowText());
    close();
}

void RemoteChat::HostRequestStopChat() {
    AddTrace(57);
    if (Open) {
        close();
        WriteSessionLog(Msg("Chat session ended ") + Msg("(requested by client)") +
                        QStringLiteral(" - ") + Msg("Time: ") + nowText());
    }
    H.restartScreenUpdates();
}

void RemoteChat::close() {
    Open = false;
    Typing = false;
    setRemoteTyping(false);
    settings().LogChat = LogChat;
    emit closed();
}
