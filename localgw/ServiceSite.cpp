#include "ServiceSite.h"
#include "gateway/Url_Utils.h"

namespace localgw {

namespace {
const QByteArray VersionPath = "/updateversion.txt";
const QByteArray SetupPath = "/upgrade/QvAccessSetup.zip";
const QByteArray ReportPath = "/errorrep.aspx";
} // namespace

bool ServiceSite::isSitePath(const QByteArray &path) {
    return path == VersionPath || path == SetupPath || path == ReportPath;
}

QByteArray ServiceSite::setupBody() {
    // Large enough that a download shows its progress in several steps.
    QByteArray body = "#!/bin/sh\n"
                      "# Stand-in for the console's setup program, served by the local gateway.\n"
                      "exit 0\n";
    const QByteArray filler = "# ............................................................\n";
    while (body.size() < 256 * 1024)
        body += filler;
    return body;
}

bool ServiceSite::serve(const GatewayRequest &request, const ReplyPtr &reply,
                        const QByteArray &versionDigits) {
    if (request.path == VersionPath) {
        reply->send(GatewayReply::ok("A" + (versionDigits.isEmpty() ? "100" : versionDigits)));
        return true;
    }
    if (request.path == SetupPath) {
        if (m_setupMode == SetupMode::Missing) {
            reply->send(GatewayReply::withStatus(404, "Not Found"));
            return true;
        }
        QByteArray hop;
        GetUrlParam(request.rawQuery, "hop", hop);
        if (hop.toInt() < m_redirectHops) {
            GatewayReply r = GatewayReply::withStatus(302);
            r.headers.append({"Location", m_redirectOrigin + SetupPath +
                                              "?hop=" + QByteArray::number(hop.toInt() + 1)});
            reply->send(r);
            return true;
        }
        GatewayReply r =
            GatewayReply::ok(m_setupMode == SetupMode::Empty ? QByteArray() : setupBody());
        r.contentType = "application/octet-stream";
        if (m_setupMode == SetupMode::CutHalfWay)
            r.cutAfter = r.body.size() / 2;
        r.chunked = m_setupMode == SetupMode::Chunked;
        reply->send(r);
        return true;
    }
    if (request.path == ReportPath) {
        QByteArray report;
        GetUrlParam(request.rawQuery, "report", report);
        m_reports.append(report);
        reply->send(GatewayReply::ok("OK"));
        return true;
    }
    return false;
}

} // namespace localgw
