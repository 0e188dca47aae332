#include "gateway/GatewaySession.h"

#include "common/TraceRing.h"
#include "gateway/HttpChannel.h"

GatewaySession::GatewaySession(QObject *parent) : QObject(parent) {
    QClient = new HttpChannel(this);
    ExecClient = new HttpChannel(this);
    ScreenClient = new HttpChannel(this);
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
}

GatewaySession::~GatewaySession() = default;

void GatewaySession::InitVars() {
    TriedGateways.clear();
    HostIP.clear();
    HostOS = QStringLiteral("WNT");
    RebootPending = 0;
    CertChecked = false;
    CommandsDisabled = false;
    tlsFailureReported = false;
}

void GatewaySession::onQClientDone(int error, int status, const QByteArray &body) {
    Q_UNUSED(status);
    Q_UNUSED(body);
    AddTrace(67, QStringLiteral("E:") + QString::number(error));
    QState = QIdle;
}

void GatewaySession::onExecClientDone(int error, int status, const QByteArray &body) {
    Q_UNUSED(status);
    Q_UNUSED(body);
    AddTrace(66, QStringLiteral("E:") + QString::number(error));
    ExecState = ExecIdle;
}

void GatewaySession::onScreenClientDone(int error, int status, const QByteArray &body) {
    Q_UNUSED(status);
    Q_UNUSED(body);
    AddTrace(68, QStringLiteral("E:") + QString::number(error));
    ScreenFetch = 0;
}
