// The host's arrival, departure and loss, and the watchdogs that end dead sessions.
#include "gateway/GatewaySession.h"

#include "common/AdminVars.h"
#include "common/Cp1252.h"
#include "common/SessionLog.h"
#include "common/TraceRing.h"
#include "common/WindowMessages.h"
#include "common/uLanguageMsg.h"
#include "gateway/ConnectionMeter.h"
#include "gateway/SessionUi.h"
#include "gateway/Url_Utils.h"
#include "settings/uIniFiles.h"

#include <QLocale>
#include <QTime>

using namespace WindowMessages;

namespace {
QString nowText() {
    return QLocale().toString(QTime::currentTime(), QLocale::ShortFormat);
}

QString field(const QByteArray &text, const char *name) {
    QByteArray value;
    GetUrlParam(text, name, value);
    return fromCp1252(value);
}
} // namespace

void GatewaySession::HostLogon(const QByteArray &text) {
    RebootPending = 0;
    Ui->closeMessageForms();
    if (settings().ConnMsg)
        Ui->flash(QString(), Msg("Client logged on"), 2);
    AdminVars &v = adminVars();
    HostIP = field(text, "IP");
    v.HostName = field(text, "HN");
    HostOS =
        field(text, "WV") == QLatin1String("W32") ? QStringLiteral("W32") : QStringLiteral("WNT");
    v.HostKeyboard = field(text, "LA");
    Ui->hostJoined();
    v.HostLoggedOn = true;
    // Features start their part of the host session (nothing fetched or waiting for an earlier
    // host may hold up the new one).
    emit hostJoined();
    Ui->updateConnectionStatus();
    WriteSessionLog(Msg("Client connected at: ") + nowText() + QStringLiteral(" - ") +
                    Msg("Client IP:") + HostIP + QStringLiteral(" - ") + Msg("Name:") + v.HostName);
    StartWANsession();
}

void GatewaySession::StartWANsession() {
    AddTrace(37);
    emit hostSessionStarting();
    SendCmd("GScM");
}

void GatewaySession::HostEndedSession() {
    AdminVars &v = adminVars();
    v.HostLoggedOn = false;
    const bool rebooting = RebootPending == 1;
    emit hostLeft(rebooting);
    // The session holds still for a moment before it goes on with the next message.
    HoldAfterEventMs = HostLogoffPauseMs;
    if (rebooting) {
        if (settings().ConnMsg)
            Ui->flash(QString(), Msg("Remote computer is rebooting"), 25);
        WriteSessionLog(Msg("Client disconnected at: ") + nowText() + QStringLiteral(" - ") +
                        Msg("Rebooting ..."));
        Ui->updateConnectionStatus();
        return;
    }
    // While the operator is logging off, the logoff under way finishes the session.
    if (v.LoggingOff)
        return;
    Ui->hostEnded();
    const quint64 generation = Generation;
    QTimer::singleShot(qMax(0, HostLogoffPauseMs), this, [this, generation] {
        if (generation == Generation)
            PostMessage(this, WANdisconnect, 0, 1);
    });
}

void GatewaySession::HostDisappeared() {
    emit hostLost();
    Ui->flash(QString(), Msg("Client connection lost ..."), 5);
    adminVars().HostLoggedOn = false;
    Ui->updateConnectionStatus();
    PostMessage(this, WANdisconnect, 0, 0);
}

void GatewaySession::GatewayCheckTimerTimer() {
    AddTrace(69);
    GatewayCheckTimer.stop();
    Ui->flash(QString(), Msg("Gateway connection lost\rClosing current session"), 4);
    // While the notice shows, the session is over: no logoff may start with a key that the
    // reset is about to clear.
    WatchdogEnding = true;
    LogOffTimer.stop();
    const quint64 generation = Generation;
    auto finish = [this, generation] {
        if (generation != Generation)
            return; // something else reset the session meanwhile
        CloseSockets();
        InitVars();
        Ui->updateConnectionStatus();
        Ui->closeMessageForms();
    };
    if (WatchdogCloseDelayMs <= 0)
        finish();
    else
        QTimer::singleShot(WatchdogCloseDelayMs, this, finish);
}

void GatewaySession::RestartScreenProgCheckTimer() {
    ScreenProgCheckTimer.stop();
    ScreenProgCheckTimer.setInterval(10000);
    ScreenProgCheckTimer.start();
}

void GatewaySession::ScreenProgCheckTimerTimer() {
    const bool poorConnection = Meter->position() < 30;
    const bool queueBacklog = CommandQueue.size() > 2;
    ScreenProgCheckTimer.stop();
    if (!poorConnection && !queueBacklog) {
        emit screenProgramStuck();
        return;
    }
    // Pictures may simply be stuck behind a slow line: look again later instead.
    ScreenProgCheckTimer.setInterval(poorConnection && queueBacklog ? 5000 : 2500);
    ScreenProgCheckTimer.start();
}
