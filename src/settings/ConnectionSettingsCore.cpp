#include "settings/ConnectionSettingsCore.h"

#include "gateway/HttpChannel.h"
#include "settings/uIniFiles.h"

#include <QNetworkReply>

ConnectionValues ConnectionValuesFrom(const Settings &s) {
    ConnectionValues v;
    v.UserCode = s.UserCode;
    v.Password = s.Password;
    v.ManProxy = s.ManProxy;
    v.ProxyName = s.ProxyName;
    v.ProxyPort = s.ProxyPort;
    v.ProxyUserCode = s.ProxyUserCode;
    v.ProxyPassword = s.ProxyPassword;
    return v;
}

void StoreConnectionValues(const ConnectionValues &v) {
    Settings &s = settings();
    s.UserCode = v.UserCode;
    s.ManProxy = v.ManProxy;
    s.ProxyName = v.ProxyName;
    s.ProxyPort = v.ProxyPort;
    s.ProxyUserCode = v.ProxyUserCode;
    SetPasswordSetting(v.Password);
    SetProxyPasswordSetting(v.ProxyPassword);
}

namespace {
std::optional<int> portNumber(const QString &text) {
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(n) : std::nullopt;
}
} // namespace

std::optional<int> ProxyPortToSave(const QString &text, const QString &proxyName) {
    if (text.trimmed().isEmpty())
        return proxyName.trimmed().isEmpty() ? 0 : 8080;
    const std::optional<int> port = portNumber(text);
    if (!port)
        return std::nullopt;
    if (*port >= 80 && *port <= 65535)
        return port;
    if (proxyName.trimmed().isEmpty())
        return port;
    return std::nullopt;
}

int ProxyPortToTest(const QString &text) {
    return portNumber(text).value_or(0);
}

QStringList UserNameForms(const QString &domain, const QString &typedUser) {
    const QString d = domain.trimmed();
    const QString u = typedUser;
    if (d.isEmpty() || u.isEmpty())
        return {u};
    const QString prefix = d + QLatin1Char('\\');
    const QString suffix = QLatin1Char('@') + d;
    if (u.size() > prefix.size() && u.startsWith(prefix, Qt::CaseInsensitive)) {
        const QString name = u.mid(prefix.size());
        return {u, name, name + QLatin1Char('@') + d};
    }
    if (u.size() > suffix.size() && u.endsWith(suffix, Qt::CaseInsensitive)) {
        const QString name = u.left(u.size() - suffix.size());
        return {u, name, d + QLatin1Char('\\') + name};
    }
    return {u, prefix + u, u + suffix};
}

ProxyCheck::ProxyCheck(QObject *parent) : QObject(parent) {}

ProxyCheck::~ProxyCheck() {
    cancel();
}

void ProxyCheck::start(const Request &request) {
    cancel();
    m_request = request;
    m_index = -1;
    m_failure = Failure::None;
    next();
}

void ProxyCheck::cancel() {
    if (!m_channel)
        return;
    HttpChannel *channel = m_channel;
    m_channel = nullptr;
    channel->disconnect(this);
    if (channel->busy())
        channel->abort();
    channel->deleteLater();
}

void ProxyCheck::next() {
    // The first form always, the others only when there is one.
    do {
        ++m_index;
    } while (m_index > 0 && m_index < m_request.userNames.size() &&
             m_request.userNames.at(m_index).isEmpty());
    if (m_index >= qMax<qsizetype>(1, m_request.userNames.size())) {
        emit finished(false, QString());
        return;
    }
    const QString user = m_request.userNames.value(m_index);
    // A client of its own for each attempt: nothing of a refused logon carries over.
    auto *channel = new HttpChannel(QStringLiteral("ProxyTest"), this);
    channel->setTransferTimeout(m_timeoutMs);
    channel->setProxySetupTimeout(m_timeoutMs);
    channel->setMaxReplySize(64 * 1024);
    channel->setProxy(m_request.proxyHost, m_request.proxyPort, user, m_request.password);
    connect(channel, &HttpChannel::requestDone, this,
            [this](int error, int status, const QByteArray &) { onDone(error, status); });
    m_channel = channel;
    emit attemptStarted(user);
    if (!channel->get(m_request.url)) {
        // Not an address the channel takes: no form can succeed.
        cancel();
        m_failure = Failure::Other;
        emit finished(false, QString());
    }
}

void ProxyCheck::onDone(int error, int status) {
    HttpChannel *channel = m_channel;
    m_channel = nullptr;
    if (channel) {
        channel->disconnect(this);
        channel->deleteLater();
    }
    if (error == 0 && status == 200) {
        m_failure = Failure::None;
        emit finished(true, m_request.userNames.value(m_index));
        return;
    }
    // The credentials refused by one form and the proxy unreachable for another still mean the
    // password: it is what the operator can mend.
    const Failure now = failureOf(error, status);
    if (m_failure != Failure::WrongPassword)
        m_failure = now;
    next();
}

ProxyCheck::Failure ProxyCheck::failureOf(int error, int status) {
    if (error == 0)
        return status == 407 ? Failure::WrongPassword : Failure::Other;
    switch (error) {
    case QNetworkReply::ConnectionRefusedError:
    case QNetworkReply::HostNotFoundError:
    case QNetworkReply::ProxyConnectionRefusedError:
    case QNetworkReply::ProxyNotFoundError:
    case QNetworkReply::ProxyConnectionClosedError:
    case QNetworkReply::RemoteHostClosedError:
        return Failure::ProxyRefused;
    case QNetworkReply::TimeoutError:
    case QNetworkReply::ProxyTimeoutError:
        return Failure::NoAnswer;
    case QNetworkReply::ProxyAuthenticationRequiredError:
        return Failure::WrongPassword;
    default:
        return Failure::Other;
    }
}
