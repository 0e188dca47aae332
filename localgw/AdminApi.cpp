#include "AdminApi.h"
#include "LocalGateway.h"
#include "gateway/Url_Utils.h"

#include <QBuffer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace localgw {

namespace AdminApi {
namespace {
constexpr char kPrefix[] = "/_admin/";

GatewayReply json(const QJsonObject &o) {
    GatewayReply r = GatewayReply::ok(QJsonDocument(o).toJson(QJsonDocument::Indented));
    r.contentType = "application/json";
    return r;
}

GatewayReply png(const QImage &image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    GatewayReply r = GatewayReply::ok(bytes);
    r.contentType = "image/png";
    return r;
}

QString formatName(ScreenEncoder::UpdateFormat f) {
    switch (f) {
    case ScreenEncoder::UpdateFormat::WholeScreen:
        return QStringLiteral("whole");
    case ScreenEncoder::UpdateFormat::RectList:
        return QStringLiteral("rect");
    default:
        return QStringLiteral("auto");
    }
}

QJsonObject sessionJson(TestSession *s) {
    SimulatedHost &h = s->host();
    QJsonArray waiting;
    for (const QByteArray &m : s->waitingMessages())
        waiting.append(QString::fromLatin1(m.left(200)));
    return QJsonObject{
        {"key", QString::fromLatin1(s->key())},
        {"gateway", s->gateway()},
        {"user", QString::fromLatin1(s->account().userCode)},
        {"heldPoll", s->hasHeldPoll()},
        {"waitingMessages", waiting},
        {"host",
         QJsonObject{
             {"joined", h.isJoined()},
             {"silent", h.screenSilent()},
             {"depth", h.encoder().depth()},
             {"width", h.desktop().size().width()},
             {"height", h.desktop().size().height()},
             {"wallpaper", h.desktop().wallpaperVisible()},
             {"updateFormat", formatName(h.encoder().updateFormat())},
             {"updateWanted", h.updateWanted()},
             {"commandsReceived", int(h.receivedCommands().size())},
         }},
    };
}

QJsonObject stateJson(LocalGateway &service) {
    QJsonArray sessions;
    for (TestSession *s : service.sessions())
        sessions.append(sessionJson(s));
    QJsonArray faults;
    for (const FaultRule &r : service.faults().rules())
        faults.append(QJsonObject{{"gateway", r.gateway},
                                  {"code", QString::fromLatin1(r.code)},
                                  {"count", r.count},
                                  {"fault", QString::fromLatin1(r.fault.describe())}});
    return QJsonObject{{"gateways", service.config().gatewayCount},
                       {"sessions", sessions},
                       {"faults", faults},
                       {"requests", int(service.requestLog().entries().size())}};
}

bool flag(const QByteArray &v) {
    return v == "1" || v == "true" || v == "on" || v == "yes";
}

GatewayReply hostOperation(TestSession *s, const QByteArray &op, const QByteArray &query) {
    auto p = [&](const char *name) {
        QByteArray v;
        GetUrlParam(query, name, v);
        return v;
    };
    SimulatedHost &h = s->host();
    if (op == "join") {
        h.join();
    } else if (op == "leave") {
        h.leave();
    } else if (op == "vanish") {
        h.vanish();
    } else if (op == "silent") {
        h.setScreenSilent(flag(p("on")));
    } else if (op == "serr") {
        h.setScreenError(p("code").isEmpty() ? QByteArray("SCRNERR 5") : p("code"));
    } else if (op == "say") {
        h.say(p("text"));
    } else if (op == "pointer") {
        h.reportUserPointer(QPoint(p("x").toInt(), p("y").toInt()), flag(p("click")));
    } else if (op == "wander") {
        h.setUserPointerWandering(flag(p("on")));
    } else if (op == "hostile") {
        const auto kind = HostileBodies::fromName(p("kind"));
        if (!kind)
            return GatewayReply::withStatus(400, "unknown hostile body");
        h.sendHostile(*kind);
    } else if (op == "format") {
        const QByteArray mode = p("mode");
        h.setUpdateFormat(mode == "whole"  ? ScreenEncoder::UpdateFormat::WholeScreen
                          : mode == "rect" ? ScreenEncoder::UpdateFormat::RectList
                                           : ScreenEncoder::UpdateFormat::Auto);
    } else if (op == "clock") {
        if (!p("running").isEmpty())
            h.setClockRunning(flag(p("running")));
        if (!p("advance").isEmpty())
            h.advanceClock(p("advance").toInt());
    } else if (op == "refuse") {
        const QByteArray what = p("what");
        const bool on = p("on").isEmpty() || flag(p("on"));
        if (what == "reboot")
            h.setRefuseReboot(on);
        else if (what == "modes")
            h.setRefuseModeSwitch(on);
        else if (what == "clipboard")
            h.setClipboardEmpty(on);
        else if (what == "chat")
            h.setChatDenied(on);
        else
            return GatewayReply::withStatus(400, "unknown refusal");
    } else if (op == "clipboard-hold") {
        h.tools().holdUploadAnswers(flag(p("on")));
    } else if (op == "files-late") {
        const QByteArray count = p("count");
        h.files().setLateAnswers(p("cmd"), p("ms") == "never" ? -1 : p("ms").toInt(),
                                 count.isEmpty() ? 1 : count.toInt());
    } else if (op == "control") {
        h.setViewOnly(p("mode") == "view");
    } else if (op == "reboot") {
        const QByteArray delay = p("delay-ms");
        h.setRebootDelay(delay == "never" ? -1 : delay.toInt());
    } else if (op == "identity") {
        HostIdentity id = h.identity();
        for (auto [name, field] :
             {std::pair{"IP", &id.ip}, std::pair{"HN", &id.hostName},
              std::pair{"WV", &id.windowsFamily}, std::pair{"LA", &id.keyboardLayout}}) {
            QByteArray v;
            if (GetUrlParam(query, name, v))
                *field = v;
        }
        h.setIdentity(id);
    } else if (op == "dump") {
        QString error;
        if (!h.dumpPictures(QString::fromLocal8Bit(p("dir")), &error))
            return GatewayReply::withStatus(500, error.toUtf8());
    } else if (op == "shown.png") {
        return png(h.shownPicture());
    } else if (op == "desktop.png") {
        return png(h.desktop().render());
    } else if (op == "reduced.png") {
        return png(h.reducedDesktop());
    } else if (op == "costs") {
        QJsonArray costs;
        for (const SimulatedHost::PictureCost &c : h.pictureCosts())
            costs.append(QJsonObject{{"cpuUs", double(c.cpuNs) / 1000.0},
                                     {"changedAtNs", double(c.changedAtNs)},
                                     {"sentAtNs", double(c.sentAtNs)},
                                     {"bytes", qint64(c.bodyBytes)},
                                     {"rects", c.rects},
                                     {"full", c.full}});
        return json(QJsonObject{{"pictures", costs}});
    } else {
        return GatewayReply::withStatus(404, "unknown host operation");
    }
    return json(sessionJson(s));
}
} // namespace

bool isAdminPath(const QByteArray &path) {
    return path.startsWith(kPrefix);
}

void handle(LocalGateway &service, const GatewayRequest &request, const ReplyPtr &reply) {
    const QByteArray op = request.path.mid(int(sizeof kPrefix) - 1);
    const QByteArray &query = request.rawQuery;
    auto p = [&](const char *name) {
        QByteArray v;
        GetUrlParam(query, name, v);
        return v;
    };

    if (op == "state") {
        reply->send(json(stateJson(service)));
    } else if (op == "log") {
        QByteArray lines;
        for (const LoggedRequest &e : service.requestLog().entries())
            lines += QJsonDocument(e.toJson()).toJson(QJsonDocument::Compact) + "\n";
        reply->send(GatewayReply::ok(lines));
    } else if (op == "log/clear") {
        service.requestLog().clear();
        reply->send(GatewayReply::ok("OK"));
    } else if (op == "fault") {
        QString error;
        const auto rule = FaultPlan::fromQuery(query, &error);
        if (!rule) {
            reply->send(GatewayReply::withStatus(400, error.toUtf8()));
            return;
        }
        service.faults().add(*rule);
        reply->send(json(stateJson(service)));
    } else if (op == "faults") {
        reply->send(json(stateJson(service)));
    } else if (op == "faults/clear") {
        service.faults().clear();
        reply->send(GatewayReply::ok("OK"));
    } else if (op == "next-key") {
        service.setNextKey(p("value"));
        reply->send(GatewayReply::ok("OK"));
    } else if (op == "config") {
        GatewayConfig &c = service.config();
        if (!p("host-delay-ms").isEmpty())
            c.hostDelayMs = p("host-delay-ms").toInt();
        if (!p("poll-hold-ms").isEmpty())
            c.pollHoldMs = p("poll-hold-ms").toInt();
        if (!p("info").isEmpty())
            c.info = p("info");
        if (!p("version-digits").isEmpty())
            c.versionDigits = p("version-digits");
        if (!p("mail-fails").isEmpty())
            c.mailFails = p("mail-fails") == "1";
        reply->send(GatewayReply::ok("OK"));
    } else if (op.startsWith("host/")) {
        const QByteArray key = p("key");
        TestSession *s = key.isEmpty() ? service.latestSession() : service.session(key);
        if (!s) {
            reply->send(GatewayReply::withStatus(409, "No such session"));
            return;
        }
        reply->send(hostOperation(s, op.mid(5), query));
    } else {
        reply->send(GatewayReply::withStatus(404, "Unknown admin operation"));
    }
}

} // namespace AdminApi

} // namespace localgw
