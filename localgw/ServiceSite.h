#pragma once
#include "PendingReply.h"

#include <QByteArray>
#include <QList>

namespace localgw {

// The service's web servers beside the gateways, on the same port: the update server (version
// file and setup program) and the setup server's error report page. A console reaches them
// with UpdateHost and SetupUrl set to "127.0.0.1:PORT".
//
//   GET /updateversion.txt            the version text ("A" + digits)
//   GET /upgrade/QvAccessSetup.zip    the setup program (a small shell script that does nothing)
//   GET /errorrep.aspx?report=…       records the decoded report, answers "OK"
class ServiceSite {
public:
    enum class SetupMode {
        Whole,      // the setup program, with its length
        CutHalfWay, // the head announces it whole, half of it arrives, the line breaks
        Missing,    // 404
        Chunked,    // the setup program in chunks, without a length
        Empty,      // 200 with no body
    };

    static bool isSitePath(const QByteArray &path);
    // Answers a request for one of the paths above; false for any other path.
    bool serve(const GatewayRequest &request, const ReplyPtr &reply,
               const QByteArray &versionDigits);

    void setSetupMode(SetupMode mode) { m_setupMode = mode; }
    // The setup is reached through `hops` redirections, each to `origin` (scheme://host:port)
    // + the setup's path and "?hop=" + its number.
    void redirectSetup(int hops, const QByteArray &origin) {
        m_redirectHops = hops;
        m_redirectOrigin = origin;
    }
    // The setup program as served whole.
    static QByteArray setupBody();
    // Reports received, decoded, oldest first.
    const QList<QByteArray> &reports() const { return m_reports; }

private:
    SetupMode m_setupMode = SetupMode::Whole;
    int m_redirectHops = 0;
    QByteArray m_redirectOrigin;
    QList<QByteArray> m_reports;
};

} // namespace localgw
