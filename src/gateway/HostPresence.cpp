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
#include "screen/ScreenPipeline.h"
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
    Screen->HostJoined();
    Ui->hostJoined(HostOS == QLatin1String("W32"));
    v.HostLoggedOn = true;
    Ui->updateConnectionStatus();
    WriteSessionLog(Msg("Client connected at: ") + nowText() + QStringLiteral(" - ") +
                    Msg("Client IP:") + HostIP + QStringLiteral(" - ") + Msg("Name:") + v.HostName);
    StartWANsession();
}

void GatewaySession::StartWANsession() {
    AddTrace(37);
    if (settings().AutoFS)
        Ui->enterFullScreen();
    SendCmd("GScM");
}

void GatewaySession::HostEndedSession() {
    Ui->leaveFullScreen();
    AdminVars &v = adminVars();
    v.HostLoggedOn = false;
    if (RebootPending == 1) {
        Ui->hostRebooting();
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
    PostMessage(this, WANdisconnect, 0, 1);
}

void GatewaySession::HostDisappeared() {
    Ui->hostLost();
    Ui->flash(QString(), Msg("Client connection lost ..."), 5);
    adminVars().HostLoggedOn = false;
    Ui->updateConnectionStatus();
    PostMessage(this, WANdisconnect, 0, 0);
}

void GatewaySession::GatewayCheckTimerTimer() {
    AddTrace(69);
    GatewayCheckTimer.stop();
    Ui->flash(QString(), Msg("Gateway connection lost\rClosing current session"), 4);
    auto finish = [this] {
        CloseSockets();
        Ui->leaveFullScreen();
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
        RestartHostScreenProg();
        return;
    }
    // Pictures may simply be stuck behind a slow line: look again later instead.
    ScreenProgCheckTimer.setInterval(poorConnection && queueBacklog ? 5000 : 2500);
    ScreenProgCheckTimer.start();
}

void GatewaySession::RestartHostScreenProg() {
    Screen->RestartHostScreenProg();
}
