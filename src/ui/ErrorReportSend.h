#pragma once
#include "settings/uFindProxyForUrl.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

class HttpChannel;

// The error report the operator sends after an unexpected error: the trace ring, the
// operator's comment and, only when the operator allows to be contacted, the session key.

// The report text, Windows-1252: every trace line followed by CR LF, every line of the comment
// followed by CR LF, then, when `contact`, "Session Key: " + the key + CR LF.
QByteArray ErrorReportText(const QStringList &trace, const QString &comment, bool contact,
                           const QString &sessionKey);

// The report travels in the query of one GET, and servers and proxies refuse very long
// request lines: the encoded text is kept within this many bytes by leaving out the oldest
// trace lines first, then the end of the comment. The session key is never cut.
inline constexpr int kMaxEncodedReportBytes = 32 * 1024;

// The report address: `base` (ending in "report=") followed by the encoded text.
QByteArray ErrorReportAddress(const QString &base, QStringList trace, QString comment, bool contact,
                              const QString &sessionKey);

// Sends one report on a channel of its own with the gateway channels' TLS policy (certificate
// and host name verified at every handshake) through the effective proxy.
class ErrorReportSender : public QObject {
    Q_OBJECT
public:
    explicit ErrorReportSender(QObject *parent = nullptr);

    // False when the address is not https or a report is already on its way.
    bool send(const QByteArray &address, const EffectiveProxyState &proxy);
    bool busy() const;

signals:
    // `tlsFailure` is "SSL negotiation error" or "SSL certificate not valid" when the
    // connection could not be trusted, otherwise empty; other failures are not reported.
    void done(bool delivered, const QString &tlsFailure);

private:
    HttpChannel *Channel;
    QString TlsText;
};
