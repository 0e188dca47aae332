#pragma once
#include <QObject>
#include <QString>

#include <functional>

class GatewaySession;

// The chat with the remote user, without its window: who opened it, the messages both ways as
// the lines the window shows, the typing notices both ways, the chat log per session key and
// the session log lines. Either side opens it ("RqCh"); the operator's messages go through the
// command queue, the remote user's come through the dispatcher.
//
// Remote text is data: the window shows it as plain text. The chat log is appended to and
// flushed line by line, so a crash loses at most the line being written.
class RemoteChat : public QObject {
    Q_OBJECT
public:
    explicit RemoteChat(GatewaySession *session, QObject *parent = nullptr);

    struct Hooks {
        // The remote user closed the chat: the screen updates start again.
        std::function<void()> restartScreenUpdates;
    };
    Hooks &hooks() { return H; }

    // A message longer than this is cut: the operator's because it travels in a request
    // address, the remote user's because the display and the log need no more.
    static constexpr qsizetype kMaxSentChars = 4000;
    static constexpr qsizetype kMaxReceivedChars = 64 * 1024;

    // Main window: the chat button, the posted WM_USER+30 and WM_USER+9, and the host's
    // messages.
    void BttnChatClick();
    void StartChat(bool hostRequested);
    void ChatStringReceived(const QString &text);
    void HostRequestStopChat();

    // Chat window: "Send" (false when the input was empty and nothing went out), the input's
    // changes, "Close", the "Log chat" tick.
    bool send(const QString &input);
    void inputChanged(bool empty);
    void closeByOperator();
    void setLogChat(bool on);

    bool isOpen() const { return Open; }
    bool hostRequested() const { return HostRequested; }
    bool logChat() const { return LogChat; }
    bool remoteTyping() const { return RemoteTyping; }
    QString remoteName() const { return RemoteName; }
    QString operatorName() const { return OperatorName; }
    QString clientIp() const { return ClientIp; }
    QString logFilePath() const { return LogFile; }
    // "<" + name + "> :  " + text, as the display and the log show a message.
    static QString lineFor(const QString &name, const QString &text);

signals:
    void opened(bool hostRequested);
    void closed();
    void lineAdded(bool remote, const QString &line);
    void remoteTypingChanged(bool typing);

protected:
    bool event(QEvent *e) override;

private:
    void UpdateDisplay(bool remote, const QString &text);
    void AddTolog(const QString &line);
    void setRemoteTyping(bool typing);
    void close();

    GatewaySession *Session;
    Hooks H;
    bool Open = false;
    bool HostRequested = false;
    bool LogChat = true;
    bool Typing = false; // "RTpg" sent for the operator's current input
    bool RemoteTyping = false;
    bool HeaderWritten = false;
    QString RemoteName, ClientIp, OperatorName, Key, LogFile;
};
