#pragma once
#include <QByteArray>
#include <QDateTime>
#include <QFutureWatcher>
#include <QList>
#include <QMultiHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>

class ConnectionMeter;
class HttpChannel;
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
//
// Features (screen, input, actions, transfer, clipboard, chat, system information, recorder)
// attach from their own folders; the session knows none of them. They claim the host messages
// they handle, queue commands, may run their own exchange on the command channel in queue order,
// and follow the session's life through its signals (socketsStarted, loggedOn, hostJoined,
// hostLeft, hostLost, logoffStarting, logoffSending, sessionReset).
class GatewaySession : public QObject {
    Q_OBJECT
public:
    explicit GatewaySession(QObject *parent = nullptr);
    ~GatewaySession() override;

    void setUi(SessionUi *ui);
    SessionUi &ui() const { return *Ui; }
    // Discovery of the effective proxy at every connect. It may run programs and scripts for
    // seconds, so it runs on a worker: the resolver is called on the main thread (where it may
    // read the settings) and returns the job that the worker runs.
    using ProxyJob = std::function<ChannelProxy()>;
    void setProxyResolver(std::function<ProxyJob(const QString &scheme)> resolver) {
        ProxyResolver = std::move(resolver);
    }
    bool resolvingProxy() const { return ProxyWatcher.isRunning(); }
    // Gives up a connect whose discovery is still running; its result is dropped.
    void cancelConnect();
    // Settings writes go through here so tests can keep them away from files.
    void setSettingsSaver(std::function<void()> saver) { SaveSettingsFn = std::move(saver); }

    enum QStateValue : quint8 { QIdle = 0, QLogon = 1, QPoll = 3 };
    enum ExecStateValue : quint8 {
        ExecIdle = 0,
        ExecLogoff = 2,
        ExecCommand = 4,
        ExecStringList = 10,
        ExecFeature = 11, // a feature's own exchange (execGet/execPost)
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
    // How long "Gateway connection lost" shows before the session is reset; tests shorten it.
    int WatchdogCloseDelayMs = 4200;
    // How long the session holds still after the host logged off before it goes on; tests
    // shorten it.
    int HostLogoffPauseMs = 1000;
    // Counts sessions: a reply started under an earlier generation belongs to an ended session.
    quint64 generation() const { return Generation; }

    // --- What features attach to ---------------------------------------------------------

    // A host message handler, called with the message's parameter on the main thread.
    using HostMessageHandler = std::function<void(const QByteArray &parameter)>;
    // Several owners may claim one command; they are called in the order they claimed it. A
    // claim ends with its owner. A message nobody claims is traced and dropped.
    void claimHostMessage(const QByteArray &command, QObject *owner, HostMessageHandler handler);
    // Hands one host message to its claimants; a handler that throws is reported like any
    // failing event handler and the others still run.
    void dispatchHostMessage(const QByteArray &command, const QByteArray &parameter);

    // Queue entries that a feature carries out itself ("@SClip", "@RClip"): the handler runs
    // when the entry reaches the head of the queue with the command channel idle. It may start
    // one exchange with execGet/execPost; if it does not, the queue moves on.
    using QueueEntryHandler = std::function<void(const QByteArray &entry)>;
    void claimQueueEntry(const QByteArray &prefix, QObject *owner, QueueEntryHandler handler);
    using ExecDone = std::function<void(int error, int status, const QByteArray &body)>;
    bool execGet(const QByteArray &url, ExecDone done);
    bool execPost(const QByteArray &url, const QByteArray &body, const QByteArray &contentType,
                  ExecDone done);

    // The host acknowledged a stop of the queue ("SDum") asked with `reason`: the handler
    // returns true when it took over polling (the file transfer window polls in the session's
    // place until it hands back with resumePolling()).
    void claimQueueStop(quint8 reason, QObject *owner, std::function<bool()> handler);
    void resumePolling();

    // Reports an exception that escaped a feature's handler (error sound, trace, error
    // window); the main window sets it, the default only traces.
    void setExceptionReporter(std::function<void(QObject *, const std::exception *)> reporter) {
        ExceptionReporter = std::move(reporter);
    }

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

    // Window messages addressed to the session.
    bool event(QEvent *e) override;

    // The key the operator gives to the remote user: the session key and the gateway number.
    QString displayKey() const;

signals:
    void tlsFailure(const QString &text);
    // The session's life, for the features.
    void socketsStarted();         // channels (re)configured, nothing in flight counts any more
    void loggedOn();               // the logon completed
    void hostJoined();             // the host logged on (again); HostLoggedOn is set
    void hostSessionStarting();    // right after hostJoined: the host session's commands begin
    void hostLeft(bool rebooting); // the host logged off (for a reboot when `rebooting`)
    void hostLost();               // the host vanished
    void logoffStarting();         // the operator's logoff begins (queue cleared, "QUIT" next)
    void logoffSending();          // the logoff request goes out now
    void sessionReset();           // InitVars: everything of the session is to be forgotten
    // The screen watchdog found the host's screen program silent.
    void screenProgramStuck();
    // A string list arrived (kind 1 screen modes, 4 and 5 system information).
    void stringListReceived(int kind, const QList<QByteArray> &lines);
    // Fired for the owner of the screen watchdog: a "GScr"/"UScr" command went out or "nSCh"
    // arrived.
    void screenWatchdogRearm();
    // A command beginning with "GScr" was accepted by the queue: a full picture is pending.
    void fullPictureRequested();
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
    void onProxyResolved();
    bool isLate(quint64 startedIn, int trace);
    void reportException(const std::exception *e);
    // Runs a feature's handler; what it throws is reported and goes no further.
    void runGuarded(const std::function<void()> &step);
    void endWatchdogWait();

    struct Claim {
        QPointer<QObject> owner;
        std::function<void(const QByteArray &)> handler;
    };
    QMultiHash<QByteArray, Claim> HostClaims;
    QList<QPair<QByteArray, Claim>> QueueClaims;
    QHash<quint8, QPair<QPointer<QObject>, std::function<bool()>>> QueueStopClaims;
    ExecDone FeatureDone;
    std::function<void(QObject *, const std::exception *)> ExceptionReporter;

    SessionUi *Ui = nullptr;
    std::unique_ptr<SessionUi> DefaultUi;
    std::function<ProxyJob(const QString &scheme)> ProxyResolver;
    ChannelProxy EffectiveProxy; // what the last connect resolved
    std::function<void()> SaveSettingsFn;
    bool tlsFailureReported = false;
    int LogonRetriesInARow = 0; // redirects and "Err:8" retries since the last real attempt
    bool CloseRequested = false;
    quint64 Generation = 1;
    quint64 QRequestGeneration = 0;    // of the request on QClient
    quint64 ExecRequestGeneration = 0; // of the request on ExecClient
    bool WatchdogEnding = false;       // "Gateway connection lost" shows; the reset follows
    bool ConnectNoLogon = false;
    int HoldAfterEventMs = 0; // set by a gateway event that wants the session to pause
    QFutureWatcher<ChannelProxy> ProxyWatcher;
    bool ProxyPending = false; // a connect waits for its discovery
};
