#include "gateway/GatewaySession.h"

#include "common/AdminVars.h"
#include "common/TraceRing.h"
#include "common/WindowMessages.h"
#include "gateway/ConnectionMeter.h"
#include "gateway/HttpChannel.h"
#include "gateway/SessionUi.h"
#include "screen/ScreenPipeline.h"

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
    connect(ScreenClient, &HttpChannel::requestDone, this, &GatewaySession::onScreenClientDone);
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
    Screen = new ScreenPipeline(this);
}

GatewaySession::~GatewaySession() = default;

void GatewaySession::setUi(SessionUi *ui) {
    Ui = ui ? ui : DefaultUi.get();
}

void GatewaySession::InitVars() {
    AddTrace(12);
    Ui->closeMessageForms();
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
    GatewayCheckTimer.stop();
    ScreenProgCheckTimer.stop();
    Meter->reset();
    Screen->InitVars();
    EnableCommands();
    Ui->resetWindow();
    emit sessionStateChanged(false);
}

QString GatewaySession::displayKey() const {
    return adminVars().CurrentKey + QString::number(GatewayNumber);
}

void GatewaySession::onQClientDone(int error, int status, const QByteArray &body) {
    AddTrace(67, QStringLiteral("E:") + QString::number(error));
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
    default:
        // Clipboard transfers complete through their owner once it exists.
        PostMessage(this, PumpQueue);
        break;
    }
}

void GatewaySession::onScreenClientDone(int error, int status, const QByteArray &body) {
    Screen->ScreenClientRequestDone(error, status, body);
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
