#include "gateway/ProxyAuthProbe.h"

#include "gateway/NtlmAuth.h"

#include <QNetworkProxy>
#include <QTcpSocket>
#include <QTimer>

namespace {

QByteArrayView trimmed(QByteArrayView s) {
    while (!s.isEmpty() && (s.front() == ' ' || s.front() == '\t'))
        s = s.sliced(1);
    while (!s.isEmpty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.chop(1);
    return s;
}

// The scheme word of a Proxy-Authenticate value, lower case.
QByteArray schemeOf(const QByteArray &value) {
    const qsizetype sp = value.indexOf(' ');
    return (sp < 0 ? value : value.left(sp)).toLower();
}

} // namespace

qsizetype ProxyAuthProbe::parseReplyHead(QByteArrayView data, ReplyHead &out) {
    const qsizetype end = data.first(std::min(data.size(), kMaxHeadBytes)).indexOf("\r\n\r\n");
    if (end < 0)
        return data.size() >= kMaxHeadBytes ? -1 : 0;
    ReplyHead head;
    bool first = true;
    bool http10 = false;
    bool sawConnection = false;
    qsizetype pos = 0;
    while (pos < end) {
        qsizetype eol = data.indexOf("\r\n", pos);
        if (eol < 0 || eol > end)
            eol = end;
        const QByteArrayView line = data.sliced(pos, eol - pos);
        pos = eol + 2;
        if (first) {
            first = false;
            // "HTTP/1.x NNN reason"
            if (line.size() < 12 || !line.startsWith("HTTP/1.") || line[8] != ' ')
                return -1;
            http10 = line[7] == '0';
            bool ok = false;
            head.status = line.sliced(9, 3).toInt(&ok);
            if (!ok || head.status < 100 || head.status > 999)
                return -1;
            continue;
        }
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0)
            return -1;
        const QByteArrayView name = trimmed(line.first(colon));
        const QByteArrayView value = trimmed(line.sliced(colon + 1));
        if (name.compare("Proxy-Authenticate", Qt::CaseInsensitive) == 0) {
            if (head.proxyAuthenticate.size() < 16)
                head.proxyAuthenticate.append(value.toByteArray());
        } else if (name.compare("Content-Length", Qt::CaseInsensitive) == 0) {
            bool ok = false;
            const qint64 len = value.toLongLong(&ok);
            if (!ok || len < 0)
                return -1;
            head.contentLength = len;
        } else if (name.compare("Proxy-Connection", Qt::CaseInsensitive) == 0 ||
                   name.compare("Connection", Qt::CaseInsensitive) == 0) {
            sawConnection = true;
            head.close = value.compare("close", Qt::CaseInsensitive) == 0;
        }
    }
    if (first)
        return -1;
    if (!sawConnection)
        head.close = http10;
    out = head;
    return end + 4;
}

ProxyAuthProbe::ProxyAuthProbe(const Setup &setup, QObject *parent)
    : QObject(parent), m_setup(setup), m_timer(new QTimer(this)) {
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, [this] { finish(Inconclusive); });
}

ProxyAuthProbe::~ProxyAuthProbe() {
    if (m_socket) {
        m_socket->disconnect(this);
        m_socket->abort();
    }
}

void ProxyAuthProbe::start(int timeoutMs) {
    m_timer->start(timeoutMs);
    connectAndSend(Step::Plain);
}

void ProxyAuthProbe::connectAndSend(Step step) {
    if (m_socket) {
        m_socket->disconnect(this);
        m_socket->abort();
        m_socket->deleteLater();
    }
    m_buffer.clear();
    m_skip = 0;
    m_haveHead = false;
    m_step = step;
    m_socket = new QTcpSocket(this);
    // The probe itself must not go through any proxy Qt might pick on its own.
    m_socket->setProxy(QNetworkProxy::NoProxy);
    connect(m_socket, &QTcpSocket::connected, this, [this] {
        send(m_step == Step::Negotiate ? "NTLM " + NtlmAuth::negotiateMessage().toBase64()
                                       : QByteArray());
    });
    connect(m_socket, &QTcpSocket::readyRead, this, &ProxyAuthProbe::onReadable);
    connect(m_socket, &QTcpSocket::errorOccurred, this, [this] { finish(Inconclusive); });
    m_socket->connectToHost(m_setup.proxyHost, m_setup.proxyPort);
}

void ProxyAuthProbe::send(const QByteArray &authorization) {
    const QByteArray authority =
        m_setup.targetHost.toUtf8() + ':' + QByteArray::number(m_setup.targetPort);
    QByteArray req = "CONNECT " + authority + " HTTP/1.1\r\nHost: " + authority + "\r\n";
    if (!m_setup.userAgent.isEmpty())
        req += "User-Agent: " + m_setup.userAgent + "\r\n";
    req += "Proxy-Connection: Keep-alive\r\n";
    if (!authorization.isEmpty())
        req += "Proxy-Authorization: " + authorization + "\r\n";
    req += "\r\n";
    m_socket->write(req);
}

void ProxyAuthProbe::onReadable() {
    m_buffer += m_socket->readAll();
    if (!m_haveHead) {
        const qsizetype len = parseReplyHead(m_buffer, m_head);
        if (len < 0) {
            finish(Inconclusive);
            return;
        }
        if (len == 0)
            return;
        m_haveHead = true;
        m_buffer.remove(0, len);
        if (m_head.status == 200) {
            finish(m_step == Step::Plain ? Open : Accepted);
            return;
        }
        if (m_head.contentLength > kMaxSkippedBody) {
            finish(Inconclusive);
            return;
        }
        m_skip = m_head.contentLength;
    }
    // The body of a 407 is skipped so the next message starts clean on the same connection.
    const qint64 take = std::min<qint64>(m_skip, m_buffer.size());
    m_buffer.remove(0, take);
    m_skip -= take;
    if (m_skip > 0)
        return;
    onHead(m_head);
}

void ProxyAuthProbe::onHead(const ReplyHead &head) {
    if (head.status != 407) {
        finish(Inconclusive); // 403, 502 ...: Qt reports those itself
        return;
    }
    bool ntlm = false;
    bool strongerThanNtlm = false;
    QByteArray ntlmChallenge;
    for (const QByteArray &value : head.proxyAuthenticate) {
        const QByteArray scheme = schemeOf(value);
        if (scheme == "ntlm") {
            ntlm = true;
            if (value.size() > 5)
                ntlmChallenge = value.mid(5).trimmed();
        } else if (scheme == "negotiate" || scheme == "digest") {
            strongerThanNtlm = true; // Qt would pick that one
        }
    }

    switch (m_step) {
    case Step::Plain:
        if (strongerThanNtlm || !ntlm) {
            // Basic, or a scheme we do not speak. Without credentials Qt gives up cleanly on
            // Basic; on the others it might not, so say so now.
            finish(m_setup.user.isEmpty() && ntlm ? Rejected : LeaveToQt);
            return;
        }
        if (m_setup.user.isEmpty()) {
            finish(Rejected);
            return;
        }
        if (head.close) {
            connectAndSend(Step::Negotiate);
            return;
        }
        m_step = Step::Negotiate;
        m_haveHead = false;
        send("NTLM " + NtlmAuth::negotiateMessage().toBase64());
        return;
    case Step::Negotiate: {
        NtlmAuth::Challenge challenge;
        const QByteArray raw = QByteArray::fromBase64(ntlmChallenge);
        if (head.close || !NtlmAuth::parseChallenge(raw, challenge)) {
            finish(Inconclusive);
            return;
        }
        m_step = Step::Authenticate;
        m_haveHead = false;
        send("NTLM " +
             NtlmAuth::authenticateMessage(challenge, m_setup.user, m_setup.password).toBase64());
        return;
    }
    case Step::Authenticate:
        finish(Rejected);
        return;
    }
}

void ProxyAuthProbe::finish(Verdict verdict) {
    if (m_done)
        return;
    m_done = true;
    m_timer->stop();
    if (m_socket) {
        m_socket->disconnect(this);
        m_socket->abort();
    }
    emit finished(verdict);
}
