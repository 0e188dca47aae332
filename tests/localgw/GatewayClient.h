#pragma once
// A plain HTTPS client for the gateway's tests: one request at a time, waited for, trusting the
// gateway's own CA, with Qt's automatic decompression turned off.
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslConfiguration>
#include <QTimer>

struct GatewayAnswer {
    QNetworkReply::NetworkError error = QNetworkReply::NoError;
    int status = 0; // 0 when no HTTP answer came
    QByteArray body;
    QByteArray header(const QByteArray &name) const { return headers.value(name.toLower()); }
    QHash<QByteArray, QByteArray> headers;
};

class GatewayClient {
public:
    explicit GatewayClient(const QList<QSslCertificate> &trusted) {
        m_ssl = QSslConfiguration::defaultConfiguration();
        m_ssl.setCaCertificates(m_ssl.caCertificates() + trusted);
    }

    GatewayAnswer get(const QByteArray &url, int timeoutMs = 30000) {
        return run(start(url, {}, false), timeoutMs);
    }
    GatewayAnswer post(const QByteArray &url, const QByteArray &body, int timeoutMs = 30000) {
        return run(start(url, body, true), timeoutMs);
    }
    // A request left running; finish it with wait().
    QNetworkReply *start(const QByteArray &url, const QByteArray &body = {}, bool post = false) {
        QNetworkRequest request(QUrl::fromEncoded(url));
        request.setSslConfiguration(m_ssl);
        request.setRawHeader("Accept-Encoding", "identity");
        if (post) {
            request.setHeader(QNetworkRequest::ContentTypeHeader, "text/plain");
            return m_nam.post(request, body);
        }
        return m_nam.get(request);
    }
    static GatewayAnswer wait(QNetworkReply *reply, int timeoutMs = 30000) {
        return run(reply, timeoutMs);
    }

private:
    static GatewayAnswer run(QNetworkReply *reply, int timeoutMs) {
        if (!reply->isFinished()) {
            QEventLoop loop;
            QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
            QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
            loop.exec();
        }
        GatewayAnswer a;
        if (!reply->isFinished()) {
            reply->abort();
            a.error = QNetworkReply::TimeoutError;
        } else {
            a.error = reply->error();
        }
        a.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        a.body = reply->readAll();
        for (const auto &h : reply->rawHeaderPairs())
            a.headers.insert(h.first.toLower(), h.second);
        reply->deleteLater();
        return a;
    }

    QNetworkAccessManager m_nam;
    QSslConfiguration m_ssl;
};
