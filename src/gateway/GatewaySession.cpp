#include "gateway/GatewaySession.h"

#include "common/AdminVars.h"
#include "common/TraceRing.h"
#include "common/WindowMessages.h"
#include "gateway/ConnectionMeter.h"
#include "gateway/HttpChannel.h"
#include "gateway/SessionUi.h"

#include <QtConcurrent>

using namespace WindowMessages;

GatewaySession::GatewaySession(QObject *parent)
    : QObject(parent), DefaultUi(std::make_unique<SessionUi>()) {
    Ui = DefaultUi.get();
    QClient = new HttpChannel(this);
    ExecClient = new HttpChannel(this);
    ScreenClient = new HttpChannel(this);
    QClient->setName(QStringLiteral("QClient"));
    ExecClient->setName(QStringLiteral("ExecClient"));
    ScreenClient->setName(QStringLiteral("ScreenClient"));
    connect(QClient, &HttpChannel::requestDone, this, &GatewaySession::onQClientDone);
    connect(ExecClient, &HttpChannel::requestDone, this, &GatewaySession::onExecClientDone);
    for (HttpChannel *c : {QClient, ExecClient, ScreenClient}) {
        connect(c, &HttpChannel::tlsFailure, this, [this](const QString &text) {
            // One failed handshake ends the session once, however many channels report it.
            if (tlsFailureReported)
                return;
            tlsFailureReported = true;
            emit tlsFailure(text);
        });
    }
    LogOffTimer.setInterval(3000);
    LogOffTimer.setSingleShot(true);
    connect(&LogOffTimer, &QTimer::timeout, this, &GatewaySession::LogOffTimerTimer);
    GatewayCheckTimer.setInterval(60000);
    connect(&GatewayCheckTimer, &QTimer::timeout, this, &GatewaySession::GatewayCheckTimerTimer);
    ScreenProgCheckTimer.setInterval(10000);
    connect(&ScreenProgCheckTimer, &QTimer::timeout, this,
            &GatewaySession::ScreenProgCheckTimerTimer);
    connect(this, &GatewaySession::screenWatchdogRearm, this,
            &GatewaySession::RestartScreenProgCheckTimer);
    Meter = new ConnectionMeter(this);
    connect(this, &GatewaySession::commandRequestStarted, Meter, &ConnectionMeter::RequestStarted);
    connect(this, &GatewaySession::commandRequestFinished, Meter,
            &ConnectionMeter::RequestFinished);
    connect(&ProxyWatcher, &QFutureWatcher<ChannelProxy>::finished, this,
            &GatewaySession::onProxyResolved);
}

GatewaySession::~GatewaySession() {
    // A discovery still running finishes on its worker (it holds nothing of the session); its
    // result is not wanted any more.
    ProxyWatcher.disconnect(this);
}

void GatewaySession::setUi(SessionUi *ui) {
    Ui = ui ? ui : DefaultUi.get();
}

void GatewaySession::InitVars() {
    AddTrace(12);
    Ui->closeMessageForms();
    // Whatever is still in flight belongs to the session that ends here.
    ++Generation;
    AdminVars &v = adminVars();
    TriedGateways.clear();
    HostIP.clear();
    v.HostName.clear();
    v.HostLoggedOn = false;
    v.SocketsStarted = false;
    v.LoggedOn = false;
    v.CurrentKey.clear();
    v.LoggingOff = false;
    HostOS = QStringLiteral("WNT");
    RebootPending = 0;
    CertChecked = false;
    tlsFailureReported = false;
    WatchdogEnding = false;
    // Commands left over from this session would block the next one's queue for ever.
    CommandQueue.clear();
    QueueStopped = false;
    if (QState != QIdle || QClient->busy())
        QClient->abort();
    if (ExecState != ExecIdle || ExecClient->busy())
        ExecClient->abort();
    QState = QIdle;
    ExecState = ExecIdle;
    FeatureDone = nullptr;
    LogOffTimer.stop();
    GatewayCheckTimer.stop();
    ScreenProgCheckTimer.stop();
    Meter->reset();
    EnableCommands();
    emit sessionReset();
    Ui->resetWindow();
}

bool GatewaySession::isLate(quint64 startedIn, int trace) {
    if (startedIn == Generation)
        return false;
    AddTrace(trace, QStringLiteral("late reply of an ended session ignored"));
    return true;
}

void GatewaySession::runGuarded(const std::function<void()> &step) {
    try {
        step();
    } catch (const std::exception &e) {
        reportException(&e);
    } catch (...) {
        reportException(nullptr);
    }
}

void GatewaySession::reportException(const std::exception *e) {
    if (ExceptionReporter) {
        ExceptionReporter(this, e);
        return;
    }
    AddTrace(0, QStringLiteral("Err msg: ") +
                    (e ? QString::fromLocal8Bit(e->what()) : QStringLiteral("unknown")));
}

void GatewaySession::claimHostMessage(const QByteArray &command, QObject *owner,
                                      HostMessageHandler handler) {
    HostClaims.insert(command, Claim{owner, std::move(handler)});
}

void GatewaySession::dispatchHostMessage(const QByteArray &command, const QByteArray &parameter) {
    // Claimants in the order they claimed (QMultiHash gives the newest first); a copy, since a
    // handler may claim or end claims.
    QList<Claim> claims = HostClaims.values(command);
    std::reverse(claims.begin(), claims.end());
    bool handled = false;
    for (const Claim &c : std::as_const(claims)) {
        if (!c.owner)
            continue;
        handled = true;
        runGuarded([&] { c.handler(parameter); });
    }
    if (!handled)
        AddTrace(89, QStringLiteral("no handler for ") + QString::fromLatin1(command.left(64)));
}

void GatewaySession::claimQueueEntry(const QByteArray &prefix, QObject *owner,
                                     QueueEntryHandler handler) {
    QueueClaims.append({prefix, Claim{owner, std::move(handler)}});
}

void GatewaySession::claimQueueStop(quint8 reason, QObject *owner, std::function<bool()> handler) {
    QueueStopClaims.insert(reason, {QPointer<QObject>(owner), std::move(handler)});
}

bool GatewaySession::execGet(const QByteArray &url, ExecDone done) {
    if (ExecState != ExecIdle || ExecClient->busy())
        return false;
    ExecState = ExecFeature;
    ExecRequestGeneration = Generation;
    FeatureDone = std::move(done);
    return ExecClient->get(url);
}

bool GatewaySession::execPost(const QByteArray &url, const QByteArray &body,
                              const QByteArray &contentType, ExecDone done) {
    if (ExecState != ExecIdle || ExecClient->busy())
        return false;
    ExecState = ExecFeature;
    ExecRequestGeneration = Generation;
    FeatureDone = std::move(done);
    return ExecClient->post(url, body, contentType);
}

QString GatewaySession::displayKey() const {
    return adminVars().CurrentKey + QString::number(GatewayNumber);
}

void GatewaySession::onQClientDone(int error, int status, const QByteArray &body) {
    AddTrace(67, QStringLiteral("E:") + QString::number(error));
    if (isLate(QRequestGeneration, 67)) {
        // The channel is free again: the current session polls if it has been waiting for it.
        PostMessage(this, WindowMessages::PollGateway);
        return;
    }
    const quint8 state = QState;
    QState = QIdle;
    switch (state) {
    case QLogon:
        LogonRequestDone(error, status, body);
        break;
    case QPoll:
        PollRequestDone(error, status, body);
        break;
    default:
        break;
    }
}

void GatewaySession::onExecClientDone(int error, int status, const QByteArray &body) {
    AddTrace(66, QStringLiteral("E:") + QString::number(error));
    if (isLate(ExecRequestGeneration, 66)) {
        PostMessage(this, PumpQueue);
        return;
    }
    const quint8 state = ExecState;
    ExecState = ExecIdle;
    switch (state) {
    case ExecLogoff:
        LogoffRequestDone(error, status, body);
        break;
    case ExecCommand:
        CommandRequestDone(error, status);
        break;
    case ExecStringList:
        StringListRequestDone(error, status, body);
        break;
    case ExecAnnouncement:
        InfoMessageRequestDone(error, status, body);
        break;
    case ExecFeature: {
        const ExecDone done = std::exchange(FeatureDone, nullptr);
        if (done)
            runGuarded([&] { done(error, status, body); });
        PostMessage(this, PumpQueue);
        break;
    }
    default:
        // An aborted request whose owner gave it up; the queue goes on.
        PostMessage(this, PumpQueue);
        break;
    }
}

bool GatewaySession::event(QEvent *e) {
    const int msg = messageOf(e);
    if (msg == 0)
        return QObject::event(e);
    const auto *m = static_cast<MessageEvent *>(e);
    switch (msg) {
    case WindowMessages::PollGateway:
        WMPollGateway();
        break;
    case WindowMessages::HostMessage:
        WMHostMessage(m->text);
        break;
    case PumpQueue:
        WMPumpQueue();
        break;
    case Logon:
        WMLogon(static_cast<qint16>(loWord(m->lParam)));
        break;
    case WANdisconnect:
        WMWANdisconnect(m->wParam, m->lParam);
        break;
    case WindowMessages::RequestInfoMessage:
        WMRequestInfoMessage(static_cast<int>(m->wParam), m->lParam != 0);
        break;
    case WanConnect:
        WANconnect(false);
        break;
    default:
        break;
    }
    return true;
}
