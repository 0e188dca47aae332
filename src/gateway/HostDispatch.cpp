// The poll loop and the dispatch of the host's messages.
#include "gateway/GatewaySession.h"

#include "common/AdminVars.h"
#include "common/Cp1252.h"
#include "common/TraceRing.h"
#include "common/WindowMessages.h"
#include "gateway/GatewayRequests.h"
#include "gateway/HttpChannel.h"
#include "gateway/SessionUi.h"

using namespace WindowMessages;

void GatewaySession::WMPollGateway() {
    AddTrace(87);
    if (QState != QIdle || adminVars().CurrentKey.isEmpty())
        return;
    PollGateway();
}

void GatewaySession::PollGateway() {
    AddTrace(85);
    QueueStopped = false;
    if (QState != QIdle || adminVars().CurrentKey.isEmpty() || QClient->busy())
        return;
    GatewayCheckTimer.stop();
    GatewayCheckTimer.setInterval(60000);
    GatewayCheckTimer.start();
    QState = QPoll;
    QRequestGeneration = Generation;
    QClient->get(GatewayRequests::poll(GatewayUrl.toLatin1(), toCp1252(adminVars().CurrentKey)));
}

void GatewaySession::PollRequestDone(int error, int status, const QByteArray &body) {
    AddTrace(86, QStringLiteral("E:") + QString::number(error));
    // An unusable or empty reply leaves no poll outstanding: the gateway watchdog ends the
    // session if nothing starts one within a minute.
    if (error != 0 || status != 200 || body.isEmpty())
        return;
    const quint64 generation = Generation;
    HoldAfterEventMs = 0;
    WMGatewayEvent(0, body);
    if (HoldAfterEventMs <= 0) {
        PostMessage(this, WindowMessages::HostMessage, 0, 0, body);
        return;
    }
    // The gateway event asked the session to hold still for a moment (after the host logged
    // off); the message, and with it the next poll, follows afterwards.
    QTimer::singleShot(HoldAfterEventMs, this, [this, generation, body] {
        if (generation == Generation)
            PostMessage(this, WindowMessages::HostMessage, 0, 0, body);
    });
}

void GatewaySession::WMHostMessage(const QByteArray &message) {
    if (message.isEmpty()) {
        PostMessage(this, WindowMessages::PollGateway);
        return;
    }
    const qsizetype q = message.indexOf('?');
    const QByteArray command = q < 0 ? message : message.left(q);
    const QByteArray parameter = q < 0 ? QByteArray() : message.mid(q + 1);
    AddTrace(89, QStringLiteral("Cmd:%1 - Par:%2")
                     .arg(QString::fromLatin1(command.left(64)),
                          command == "ChSt" ? QStringLiteral("…")
                                            : QString::fromLatin1(parameter.left(64))));
    bool pollNext = true;
    try {
        if (message.startsWith("QAD")) {
            // Nothing happened on the host side.
        } else if (message.startsWith("Strl")) {
            SendCmd("@RStrl" + message.mid(4));
        } else if (command == "QVif") {
            SendCmd("@RInfo");
        } else if (command == "nSCh") {
            emit screenWatchdogRearm();
        } else if (command == "SDum") {
            QueueStopped = true;
            // The owner of the stop (the file transfer window for reason 0) polls in the
            // session's place while it is open; without one polling goes on here so the session
            // does not die.
            const auto claim = QueueStopClaims.value(StopQueueReason);
            if (claim.first && claim.second && claim.second())
                pollNext = false;
        } else if (gatewayEventKind(message) != NoGatewayEvent) {
            // Handled as the gateway event when the poll returned.
        } else {
            dispatchHostMessage(command, parameter);
        }
    } catch (const std::exception &e) {
        // A failing handler is reported, and the poll loop goes on.
        reportException(&e);
    } catch (...) {
        reportException(nullptr);
    }
    if (pollNext)
        PostMessage(this, WindowMessages::PollGateway);
}

void GatewaySession::resumePolling() {
    QueueStopped = false;
    PostMessage(this, WindowMessages::PollGateway);
}
