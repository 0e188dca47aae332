#include "ui/ErrorReportSend.h"

#include "common/Cp1252.h"
#include "common/uLanguageMsg.h"
#include "gateway/HttpChannel.h"
#include "gateway/Url_Utils.h"

#include <QUrl>

QByteArray ErrorReportText(const QStringList &trace, const QString &comment, bool contact,
                           const QString &sessionKey) {
    QByteArray text;
    for (const QString &line : trace)
        text += toCp1252(line) + "\r\n";
    if (!comment.isEmpty()) {
        QString lines = comment;
        lines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        for (const QString &line : lines.split(QLatin1Char('\n')))
            text += toCp1252(line) + "\r\n";
    }
    if (contact)
        text += toCp1252(Msg("Session Key: ") + sessionKey) + "\r\n";
    return text;
}

QByteArray ErrorReportAddress(const QString &base, QStringList trace, QString comment, bool contact,
                              const QString &sessionKey) {
    QByteArray encoded = EncodeQueryValue(ErrorReportText(trace, comment, contact, sessionKey));
    while (encoded.size() > kMaxEncodedReportBytes && !trace.isEmpty()) {
        trace.removeFirst();
        encoded = EncodeQueryValue(ErrorReportText(trace, comment, contact, sessionKey));
    }
    while (encoded.size() > kMaxEncodedReportBytes && !comment.isEmpty()) {
        // Every character encodes to at most 3 bytes: cut what is certainly too much.
        const qsizetype excess = (encoded.size() - kMaxEncodedReportBytes + 2) / 3;
        comment.chop(qMax<qsizetype>(1, excess));
        encoded = EncodeQueryValue(ErrorReportText(trace, comment, contact, sessionKey));
    }
    return base.toUtf8() + encoded;
}

ErrorReportSender::ErrorReportSender(QObject *parent)
    : QObject(parent), Channel(new HttpChannel(QStringLiteral("ErrorReport"), this)) {
    Channel->setMaxReplySize(64 * 1024);
    Channel->setTransferTimeout(30 * 1000);
    connect(Channel, &HttpChannel::tlsFailure, this, [this](const QString &t) { TlsText = t; });
    connect(Channel, &HttpChannel::requestDone, this, [this](int error, int status) {
        const QString tls = std::exchange(TlsText, QString());
        emit done(error == 0 && status == 200, tls);
    });
}

bool ErrorReportSender::busy() const {
    return Channel->busy();
}

bool ErrorReportSender::send(const QByteArray &address, const EffectiveProxyState &proxy) {
    if (!address.startsWith("https://") || Channel->busy())
        return false;
    const bool proxied = !proxy.EffectiveProxyHost.isEmpty() && proxy.EffectiveProxyPort > 0;
    Channel->setProxy(proxied ? proxy.EffectiveProxyHost : QString(),
                      proxied ? quint16(qBound(1, proxy.EffectiveProxyPort, 65535)) : 0,
                      proxy.EffectiveProxyUser, proxy.EffectiveProxyPassword);
    TlsText.clear();
    return Channel->get(address);
}
