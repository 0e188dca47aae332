// Logon to a gateway and logoff.
#include "gateway/GatewaySession.h"

#include "common/AdminVars.h"
#include "common/AppFolders.h"
#include "common/Cp1252.h"
#include "common/SessionLog.h"
#include "common/TraceRing.h"
#include "common/WindowMessages.h"
#include "common/uLanguageMsg.h"
#include "gateway/ConnectionMeter.h"
#include "gateway/GatewayRequests.h"
#include "gateway/HttpChannel.h"
#include "gateway/SessionUi.h"
#include "gateway/Url_Utils.h"
#include "platform/ComputerName.h"
#include "settings/ServiceConfig.h"
#include "settings/uIniFiles.h"

#include <QLocale>
#include <QRandomGenerator>
#include <QtConcurrent>

using namespace WindowMessages;

namespace {
// Redirects and "try another gateway" answers in a row before the attempt is given up: a
// gateway that keeps redirecting must not keep the console busy for ever.
constexpr int MaxLogonRetriesInARow = 10;
constexpr int LogonRetryBackoffMs = 300;
constexpr int MaxGatewayNumber = 999;

enum : int { mkWarning = 0, mkError = 1, mkInformation = 2 };
enum : int { btnYes = 1, btnNo = 2, btnOK = 4, btnCancel = 8 };
enum : int { mrOK = 2, mrCancel = 3 };

QString threeDigits(int n) {
    return QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0'));
}

// "C12" -> ('C', 12); anything else is no announcement.
bool parseInfo(const QByteArray &info, char &letter, int &number) {
    if (info.size() < 2 || !std::isalpha(static_cast<unsigned char>(info[0])))
        return false;
    bool ok = false;
    number = info.mid(1).toInt(&ok);
    letter = info[0];
    return ok && number != 0;
}
} // namespace

void GatewaySession::saveSettings() {
    if (SaveSettingsFn)
        SaveSettingsFn();
    else
        SaveSettings(appFolders().SettingsFile);
}

void GatewaySession::WANconnect(bool noLogon) {
    Ui->playSound(0);
    AddTrace(33);
    if (ProxyWatcher.isRunning())
        return; // this connect is already on its way
    LogonRetriesInARow = 0;
    // Every new connect reports its own handshake failure.
    tlsFailureReported = false;
    ConnectNoLogon = noLogon;
    ProxyPending = true;
    if (!ProxyResolver) {
        EffectiveProxy = ChannelProxy{};
        onProxyResolved();
        return;
    }
    // Discovery may run programs and scripts for seconds: off the main thread, so the window
    // stays alive; the connect goes on when it is done. It runs once per connect and the
    // channels take its result now and at StartSockets.
    const QString scheme = GatewayScheme.isEmpty() ? QStringLiteral("https") : GatewayScheme;
    ProxyWatcher.setFuture(QtConcurrent::run(ProxyResolver(scheme)));
}

void GatewaySession::cancelConnect() {
    if (!ProxyWatcher.isRunning())
        return;
    AddTrace(33, QStringLiteral("connect cancelled"));
    ProxyPending = false;
    ProxyWatcher.disconnect(this);
    ProxyWatcher.setFuture(QFuture<ChannelProxy>());
    connect(&ProxyWatcher, &QFutureWatcher<ChannelProxy>::finished, this,
            &GatewaySession::onProxyResolved);
}

void GatewaySession::onProxyResolved() {
    // The watcher also reports the empty future it is reset to below, and the one a cancelled
    // connect leaves: only the discovery of the connect under way goes on, once.
    if (!ProxyPending)
        return;
    ProxyPending = false;
    if (ProxyWatcher.future().isValid() && ProxyWatcher.future().resultCount() > 0) {
        EffectiveProxy = ProxyWatcher.result();
        ProxyWatcher.setFuture(QFuture<ChannelProxy>());
    }
    ApplyProxySettings();
    Settings &s = settings();
    if (s.ResTip && (!s.SetRes || s.IscrMode != 0))
        s.ResTip = Ui->offerResolutionTip(s.ResTip);
    Ui->closeWaitForHost();
    if (!adminVars().SocketsStarted) {
        for (HttpChannel *c : {ScreenClient, QClient, ExecClient})
            c->abort();
        if (GatewayUrl.isEmpty() || s.UserCode.isEmpty() || s.Password.isEmpty()) {
            // The operator may have cancelled the first start's dialog: it is what is needed.
            Ui->flash(QString(), Msg("Connection settings incomplete"), 4);
            Ui->openConnectionSettings();
            return;
        }
        if (!StartSockets()) {
            Ui->flash(QString(), Msg("Error starting sockets"), 4);
            return;
        }
    }
    if (!ConnectNoLogon)
        PostMessage(this, Logon, 0, 0);
}

void GatewaySession::WMLogon(int gateway) {
    AddTrace(78);
    if (!adminVars().LoggedOn)
        SendLogonRequest(gateway);
}

bool GatewaySession::StartSockets() {
    AddTrace(75);
    QState = QIdle;
    ExecState = ExecIdle;
    emit socketsStarted();
    adminVars().LoggedOn = false;
    adminVars().SocketsStarted = true;
    ApplyProxySettings();
    return true;
}

void GatewaySession::ApplyProxySettings() {
    AddTrace(76);
    const ChannelProxy &p = EffectiveProxy;
    for (HttpChannel *c : {QClient, ExecClient, ScreenClient})
        c->setProxy(p.host, p.port, p.user, p.password);
}

bool GatewaySession::CloseSockets() {
    AddTrace(77);
    // Replies still in flight belong to the session that ends here; their late completions
    // are recognised by the generation and ignored.
    ++Generation;
    for (HttpChannel *c : {QClient, ExecClient, ScreenClient}) {
        if (c->busy())
            c->abort();
        c->closeConnections();
    }
    QState = QIdle;
    ExecState = ExecIdle;
    adminVars().LoggedOn = false;
    adminVars().SocketsStarted = false;
    return true;
}

void GatewaySession::SendLogonRequest(int gateway) {
    AddTrace(79);
    if (QState != QIdle)
        return;
    if (QClient->busy()) {
        // A request of an ended session is still being cancelled; log on when it has reported.
        QTimer::singleShot(10, this, [this, gateway] { SendLogonRequest(gateway); });
        return;
    }
    GatewayScheme = QStringLiteral("https");
    int chosen = gateway;
    if (gateway > 0) {
        if (gateway > MaxGatewayNumber) {
            Ui->flash(Msg("Warning"), Msg("Bad connection to gateway"), 3);
            return;
        }
    } else {
        // Draw among the gateways not tried yet, so the draw always ends.
        const int count = qBound(1, settings().GCount, MaxGatewayNumber);
        QList<int> untried;
        for (int n = 1; n <= count; ++n) {
            if (!TriedGateways.contains(threeDigits(n)))
                untried.append(n);
        }
        if (untried.isEmpty()) {
            Ui->flash(QString(),
                      Msg("Bad connection to gateway") + QLatin1Char('\r') +
                          Msg("or incorrect connection settings"),
                      4);
            TriedGateways.clear();
            QClient->closeConnections();
            return;
        }
        chosen = untried.at(QRandomGenerator::global()->bounded(int(untried.size())));
    }
    QState = QLogon;
    GatewayNumber = chosen;
    GatewayUrl = serviceConfig().gatewayUrl(chosen);
    Ui->setSessionPanel(Msg("Connecting to ") + GatewayUrl);
    const Settings &s = settings();
    QRequestGeneration = Generation;
    QClient->get(GatewayRequests::logon(GatewayUrl.toLatin1(), toCp1252(s.UserCode),
                                        toCp1252(s.Password), toCp1252(ComputerName()),
                                        VersionTag.toLatin1()));
}

void GatewaySession::retryLogon(int gateway) {
    if (++LogonRetriesInARow > MaxLogonRetriesInARow) {
        LogonRetriesInARow = 0;
        Ui->flash(Msg("Warning"), Msg("Bad connection to gateway"), 3);
        Ui->updateConnectionStatus();
        return;
    }
    QTimer::singleShot(LogonRetryBackoffMs, this,
                       [this, gateway] { PostMessage(this, Logon, 0, gateway); });
}

void GatewaySession::LogonRequestDone(int error, int status, const QByteArray &body) {
    AddTrace(80, QStringLiteral("E:") + QString::number(error));
    const QString current = threeDigits(GatewayNumber);
    if (error != 0 || status == 403) {
        if (!TriedGateways.contains(current))
            TriedGateways.append(current);
        PostMessage(this, Logon, 0, 0);
        return;
    }
    if (status == 407) {
        Ui->message(mkInformation, Msg("Proxy settings required"), btnOK);
        Ui->openConnectionSettings();
        return;
    }
    if (status != 200) {
        Ui->flash(Msg("Warning"), Msg("Bad connection to gateway"), 3);
        Ui->updateConnectionStatus();
        return;
    }
    const QByteArray &b = body;
    if (b.size() > 6 && b.startsWith("Err:")) {
        switch (b[4]) {
        case '7':
            adminVars().CloseMode = Ui->offerUpdate(true) ? 2 : 1;
            Ui->closeMainWindow();
            return;
        case '8':
            retryLogon(0);
            return;
        case '9':
            if (!TriedGateways.contains(current))
                TriedGateways.append(current);
            if (Ui->message(mkWarning, Msg("Internal database error - retry"), btnOK | btnCancel) ==
                mrOK)
                PostMessage(this, Logon, 0, 0);
            return;
        default:
            Ui->message(mkWarning, fromCp1252(b.mid(6)), btnOK);
            return;
        }
    }
    if (b.size() > 3 && b.startsWith("GW:")) {
        bool ok = false;
        int n = b.mid(3).trimmed().toInt(&ok);
        if (!ok)
            n = 1;
        if (n < 1 || n > MaxGatewayNumber) {
            Ui->flash(Msg("Warning"), Msg("Bad connection to gateway"), 3);
            Ui->updateConnectionStatus();
            return;
        }
        retryLogon(n);
        return;
    }

    QByteArray key, gw, name, vers, info;
    GetUrlParam(b, "key", key);
    if (key.isEmpty()) {
        // A reply without a session key is no session: nothing could be polled or joined.
        Ui->flash(Msg("Warning"), Msg("Bad connection to gateway"), 3);
        Ui->updateConnectionStatus();
        return;
    }
    LogonRetriesInARow = 0;
    Settings &s = settings();
    AdminVars &v = adminVars();
    v.CurrentKey = fromCp1252(key);
    s.CurrentKey = v.CurrentKey;
    bool ok = false;
    GetUrlParam(b, "gw", gw);
    const int count = gw.toInt(&ok);
    s.GCount = ok ? qBound(1, count, MaxGatewayNumber) : 1;
    GetUrlParam(b, "name", name);
    CustomerName = fromCp1252(name);
    v.LoggedOn = true;

    if (GetUrlParam(b, "vers", vers) && vers.size() >= 3) {
        const QByteArray announced = vers.left(vers.size() - 1).mid(1);
        if (announced != VersionTag.toLatin1().mid(1) && Ui->offerUpdate(false)) {
            v.CloseMode = 2;
            PostMessage(this, WANdisconnect, 0, 1);
            return;
        }
    }

    bool announcementDue = false;
    int announcement = 0;
    char letter = 0;
    if (GetUrlParam(b, "info", info) && parseInfo(info, letter, announcement)) {
        AnnouncementIsProduct = letter == 'C';
        if (AnnouncementIsProduct) {
            if (announcement != s.MsgComm && s.ShowComm) {
                s.MsgComm = announcement;
                announcementDue = true;
            }
        } else if (announcement != s.MsgAnn) {
            s.MsgAnn = announcement;
            announcementDue = true;
        }
    }
    SessionStart = QDateTime::currentDateTime();
    saveSettings();
    WMGatewayEvent(0, "Logon OK?UniqueKey = " + key + " Gateways: " + QByteArray::number(s.GCount) +
                          " CustomerName: " + name);
    PostMessage(this, WindowMessages::PollGateway);
    if (announcementDue)
        PostMessage(this, WindowMessages::RequestInfoMessage, announcement,
                    AnnouncementIsProduct ? 1 : 0);
}

GatewaySession::GatewayEventKind GatewaySession::gatewayEventKind(const QByteArray &text) {
    auto starts = [&text](const char *prefix) {
        return text.size() >= qsizetype(qstrlen(prefix)) &&
               qstrnicmp(text.constData(), prefix, qstrlen(prefix)) == 0;
    };
    if (starts("Logon"))
        return LogonEvent;
    if (starts("Logoff"))
        return LogoffEvent;
    if (starts("HostLogon"))
        return HostLogonEvent;
    if (starts("HostLogoff"))
        return HostLogoffEvent;
    if (starts("HostDisappeared"))
        return HostDisappearedEvent;
    return NoGatewayEvent;
}

void GatewaySession::WMGatewayEvent(int code, const QByteArray &text) {
    switch (gatewayEventKind(text)) {
    case LogonEvent:
        logonEvent(code, text);
        break;
    case LogoffEvent:
        logoffEvent(code, text);
        break;
    case HostLogonEvent:
        HostLogon(text);
        break;
    case HostLogoffEvent:
        HostEndedSession();
        break;
    case HostDisappearedEvent:
        HostDisappeared();
        break;
    case NoGatewayEvent:
        break;
    }
}

void GatewaySession::logonEvent(int code, const QByteArray &text) {
    SetSessionLogFile(SessionLogPathForKey(adminVars().CurrentKey));
    const QLocale locale;
    WriteSessionLog(Msg("Connected to gateway") + QStringLiteral(" - ") + Msg("Time: ") +
                    locale.toString(SessionStart, QLocale::ShortFormat));
    WriteSessionLog(Msg("Operator:") + CustomerName);
    WANconnectDone(code, fromCp1252(text));
}

void GatewaySession::WANconnectDone(int code, const QString &text) {
    AddTrace(36, QStringLiteral("E:%1 - Emsg=%2").arg(code).arg(text));
    AdminVars &v = adminVars();
    if (code == 0) {
        v.LoggedOn = true;
        v.HostLoggedOn = false;
        Ui->updateConnectionStatus();
        Ui->setSessionPanel(Msg("Session Key: ") + displayKey());
        Meter->reset();
        emit loggedOn();
        Ui->logonCompleted();
        return;
    }
    v.LoggedOn = false;
    v.HostLoggedOn = false;
    Ui->updateConnectionStatus();
    if (code == 1)
        Ui->message(mkWarning, text, btnOK);
    else
        Ui->message(mkError, HttpChannel::errorText(code), btnOK);
}

void GatewaySession::WMWANdisconnect(qint64 wParam, qint64 lParam) {
    const int delay = qMin(hiWord(wParam), 5);
    if (delay > 0) {
        // The wait keeps the message loop running; the logoff goes on afterwards.
        QTimer::singleShot(delay * 1000, this, [this, wParam, lParam] {
            WMWANdisconnect(makeWParam(loWord(wParam), 0), lParam);
        });
        return;
    }
    AdminVars &v = adminVars();
    if (!v.LoggedOn || WatchdogEnding)
        return; // no session, or the watchdog's reset is on its way
    if (v.LoggingOff) {
        // A logoff is under way: a second request (Disconnect again, a late answer, a TLS
        // failure) neither asks nor postpones it; a close asked meanwhile still closes.
        if (loWord(wParam) != 0)
            v.CloseMode = 1;
        return;
    }
    AddTrace(41);
    if (lParam == 0) {
        Ui->playSound(0);
        // With the question window already open the logoff goes on without asking again.
        if (!Ui->questionVisible() && !Ui->ask(Msg("End this session ?")))
            return;
        if (!v.LoggedOn || v.LoggingOff || WatchdogEnding)
            return; // the session ended or a logoff began while the question was open
    }
    if (loWord(wParam) != 0)
        v.CloseMode = 1;
    Ui->closeMessageForms();
    CommandQueue.clear();
    emit logoffStarting();
    SendCmd("QUIT");
    v.LoggingOff = true;
    Ui->closeMessageForms();
    Ui->flash(QString(), Msg("Logging off ..."), 3);
    LogOffTimer.start();
    ScreenClient->abort();
}

void GatewaySession::LogOffTimerTimer() {
    AddTrace(39);
    LogOffTimer.stop();
    emit logoffSending();
    SendLogoffRequest();
}

void GatewaySession::SendLogoffRequest() {
    AddTrace(81);
    if (adminVars().CurrentKey.isEmpty())
        return; // the session was reset meanwhile: there is nothing to log off
    if (ExecState != ExecIdle) {
        // The abort's completion arrives later and must not be taken for the logoff's.
        if (ExecState == ExecCommand)
            emit commandRequestFinished(); // the meter must not count it as a slow answer
        ExecClient->abort();
        ExecState = ExecIdle;
        FeatureDone = nullptr;
    }
    if (ExecClient->busy()) {
        // The aborted request has not reported yet; send as soon as it has.
        QTimer::singleShot(10, this, &GatewaySession::SendLogoffRequest);
        return;
    }
    ExecState = ExecLogoff;
    ExecRequestGeneration = Generation;
    ExecClient->get(
        GatewayRequests::logoff(GatewayUrl.toLatin1(), toCp1252(adminVars().CurrentKey)));
}

void GatewaySession::LogoffRequestDone(int error, int status, const QByteArray &body) {
    AddTrace(82, QStringLiteral("E:") + QString::number(error));
    AdminVars &v = adminVars();
    if (error != 0) {
        WMGatewayEvent(error, "Logoff failed");
        return;
    }
    if (status != 200)
        WMGatewayEvent(1, "Logoff failed: " + QByteArray::number(status));
    v.LoggedOn = false;
    QClient->closeConnections();
    v.CurrentKey.clear();
    settings().CurrentKey.clear();
    saveSettings();
    WMGatewayEvent(0, "Logoff OK?" + body);
}

void GatewaySession::logoffEvent(int code, const QByteArray &text) {
    if (text.startsWith("Logoff failed")) {
        AdminVars &v = adminVars();
        v.LoggingOff = false;
        WANdisconnectDone(code, fromCp1252(text));
        if (v.CloseMode == 1 || v.CloseMode == 2) {
            // The operator wants to leave: an unreachable gateway must not keep the console
            // open. The session ends here; the gateway drops it by its own timeout.
            if (v.SocketsStarted)
                CloseSockets();
            InitVars();
            Ui->updateConnectionStatus();
            Ui->closeMainWindow();
        }
        // Otherwise the session goes on and the operator may log off again.
        return;
    }
    WriteSessionLog(Msg("Disconnected from gateway") + QStringLiteral(" - ") + Msg("Time: ") +
                    QLocale().toString(QTime::currentTime(), QLocale::ShortFormat) +
                    QStringLiteral(" - ") + Msg("Session ended"));
    WANdisconnectDone(code, fromCp1252(text));
}

void GatewaySession::WANdisconnectDone(int code, const QString &text) {
    AddTrace(40, QStringLiteral("E:%1 - Emsg:%2").arg(code).arg(text));
    const qsizetype q = text.indexOf(QLatin1Char('?'));
    const QString head = q < 0 ? text : text.left(q);
    const QString tail = q < 0 ? QString() : text.mid(q + 1);
    if (code == 1) {
        Ui->flash(QString(), head, 3);
        return;
    }
    if (code != 0) {
        Ui->flash(QString(),
                  head + QStringLiteral(": ") + QLatin1Char('\r') + HttpChannel::errorText(code),
                  3);
        return;
    }
    Ui->flash(QString(),
              settings().SesTime
                  ? Msg("Logged off") + QLatin1Char('\r') + Msg("Session time : ") + tail
                  : Msg("Logged off"),
              3);
    if (adminVars().SocketsStarted)
        CloseSockets();
    InitVars();
    Ui->updateConnectionStatus();
    if (adminVars().CloseMode == 1 || adminVars().CloseMode == 2)
        Ui->closeMainWindow();
}

void GatewaySession::WMRequestInfoMessage(int id, bool product) {
    AdminVars &v = adminVars();
    const bool wasHost = v.HostLoggedOn;
    v.HostLoggedOn = true;
    SendCmd("@RInfo&type=" + QByteArray(product ? "C" : "O") + "&ID=" + QByteArray::number(id));
    v.HostLoggedOn = wasHost;
}
