#pragma once
#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>

class ConnectionMeter;
class HttpChannel;
class ScreenPipeline;
class SessionUi;

// Where the channels send their requests, copied from the effective proxy at every logon.
struct ChannelProxy {
    QString host;
    quint16 port = 0;
    QString user;
    QString password;
};

// The gateway session: the three channels, logon and logoff, the command queue, the poll loop
// and the dispatch of host messages. It lives on the main thread, is driven by window messages
// posted to itself, and shows things only through SessionUi, so it runs without any window.
class GatewaySession : public QObject {
    Q_OBJECT
public:
    explicit GatewaySession(QObject *parent = nullptr);
    ~GatewaySession() override;

    void setUi(SessionUi *ui);
    SessionUi &ui() const { return *Ui; }
    // Discovery of the effective proxy, run at every connect.
    void setProxyResolver(std::function<ChannelProxy()> resolver) {
        ProxyResolver = std::move(resolver);
    }
    // Settings writes go through here so tests can keep them away from files.
    void setSettingsSaver(std::function<void()> saver) { SaveSettingsFn = std::move(saver); }

    enum QStateValue : quint8 { QIdle = 0, QLogon = 1, QPoll = 3 };
    enum ExecStateValue : quint8 {
        ExecIdle = 0,
        ExecLogoff = 2,
        ExecCommand = 4,
        ExecStringList = 10,
        ExecClipUpload = 11,
        ExecClipDownload = 12,
        ExecAnnouncement = 13,
    };

    HttpChannel *QClient = nullptr;
    HttpChannel *ExecClient = nullptr;
    HttpChannel *ScreenClient = nullptr;

    QString GatewayUrl;
    QString GatewayScheme;
    int GatewayNumber = 0;
    QStringList TriedGateways;
    QString VersionTag;
    QString CustomerName;
    QDateTime SessionStart;
    QString HostIP, HostOS = QStringLiteral("WNT");
    quint8 QState = QIdle;
    quint8 ExecState = ExecIdle;
    QList<QByteArray> CommandQueue;
    bool CommandsDisabled = false;
    quint8 StopQueueReason = 0;
    bool QueueStopped = false;
    quint8 RebootPending = 0;
    bool CertChecked = false;
    bool AnnouncementIsProduct = false;
    quint8 ListKind = 0;

    QTimer LogOffTimer;
    QTimer GatewayCheckTimer;
    QTimer ScreenProgCheckTimer;
    ConnectionMeter *Meter = nullptr;
    // The screen update cycle (notices, fetches, decoding, the shown picture).
    ScreenPipeline *Screen = nullptr;
    // How long "Gateway connection lost" shows before the session is reset; tests shorten it.
    int WatchdogCloseDelayMs = 4200;

    // Session reset (the session's part; the window resets its controls through the ui).
    void InitVars();

    // Logon and logoff.
    void WANconnect(bool noLogon = false);
    void WMLogon(int gateway);
    void SendLogonRequest(int gateway);
    bool StartSockets();
    void ApplyProxySettings();
    bool CloseSockets();
    void WMWANdisconnect(qint64 wParam, qint64 lParam);
    void SendLogoffRequest();
    // The gateway event (sent, not posted): logon, logoff and host presence texts.
    void WMGatewayEvent(int code, const QByteArray &text);

    // Command queue.
    void SendCmd(const QByteArray &command);
    void SendCtrlCmd(const QByteArray &text);
    void SendStopQueue(quint8 reason);
    void DisableCommands();
    void EnableCommands();
    void WMPumpQueue();
    void SendCommandRequest(QByteArray entry);
    void RequestStringList(const QByteArray &kind);
    void RequestInfoMessage(const QByteArray &rest);
    void WMRequestInfoMessage(int id, bool product);

    // Poll loop and dispatch.
    void WMPollGateway();
    void PollGateway();
    void WMHostMessage(const QByteArray &message);

    // Host presence and supervision.
    void HostLogon(const QByteArray &text);
    void HostEndedSession();
    void HostDisappeared();
    void StartWANsession();
    // The gateway watchdog fired: no poll for 60 seconds.
    void GatewayCheckTimerTimer();
    void RestartScreenProgCheckTimer();
    void ScreenProgCheckTimerTimer();
    // The host's screen program seems stuck: have it restarted and ask for a whole picture.
    void RestartHostScreenProg();

    // Window messages addressed to the session.
    bool event(QEvent *e) override;

    // The key the operator gives to the remote user: the session key and the gateway number.
    QString displayKey() const;

signals:
    void tlsFailure(const QString &text);
    // A host message whose owner handles it elsewhere (screen, chat, clipboard, ...).
    void hostMessage(const QByteArray &command, const QByteArray &parameter);
    // A string list arrived (kind 1 screen modes, 4 and 5 system information).
    void stringListReceived(int kind, const QList<QByteArray> &lines);
    // Fired for the owner of the screen watchdog: a "GScr"/"UScr" command went out or "nSCh"
    // arrived.
    void screenWatchdogRearm();
    // A command beginning with "GScr" was accepted by the queue: a full picture is pending.
    void fullPictureRequested();
    // Logon finished (true) or the session was reset (false).
    void sessionStateChanged(bool loggedOn);
    // The connection meter's hooks around every command request.
    void commandRequestStarted();
    void commandRequestFinished();
    // Anything sent to the host, for the mouse timer's owner.
    void commandQueued();

private:
    void LogonRequestDone(int error, int status, const QByteArray &body);
    void LogoffRequestDone(int error, int status, const QByteArray &body);
    void CommandRequestDone(int error, int status);
    void StringListRequestDone(int error, int status, const QByteArray &body);
    void InfoMessageRequestDone(int error, int status, const QByteArray &body);
    void PollRequestDone(int error, int status, const QByteArray &body);
    void WANconnectDone(int code, const QString &text);
    void WANdisconnectDone(int code, const QString &text);
    void LogOffTimerTimer();
    void logonEvent(int code, const QByteArray &text);
    void logoffEvent(int code, const QByteArray &text);
    void retryLogon(int gateway);
    void saveSettings();

    void onQClientDone(int error, int status, const QByteArray &body);
    void onExecClientDone(int error, int status, const QByteArray &body);
    void onScreenClientDone(int error, int status, const QByteArray &body);

    SessionUi *Ui = nullptr;
    std::unique_ptr<SessionUi> DefaultUi;
    std::function<ChannelProxy()> ProxyResolver;
    ChannelProxy EffectiveProxy; // what the last connect resolved
    std::function<void()> SaveSettingsFn;
    bool tlsFailureReported = false;
    int LogonRetriesInARow = 0; // redirects and "Err:8" retries since the last real attempt
    bool CloseRequested = false;
};
