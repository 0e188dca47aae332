#include "NtlmTestProxy.h"

#include <QCryptographicHash>
#include <QMessageAuthenticationCode>
#include <QRandomGenerator>
#include <QTcpSocket>
#include <QtEndian>

#include <optional>

#include <boost/beast/http.hpp>

namespace {

const QByteArray kSignature("NTLMSSP\0", 8);
const char *const kChallengeProperty = "ntlmChallenge";
const char *const kBufferProperty = "requestBuffer";

// The request at the head of `buffer`, read by Beast's parser: its method and
// Proxy-Authorization header and the bytes it took; nullopt while it is incomplete, `bad` when
// it is no HTTP request at all.
struct ProxyRequest {
    QByteArray method;
    QByteArray target; // CONNECT: "host:port"
    QByteArray authorization;
    qsizetype consumed = 0;
};
std::optional<ProxyRequest> takeRequest(const QByteArray &buffer, bool *bad) {
    namespace http = boost::beast::http;
    http::request_parser<http::string_body> parser;
    parser.eager(true);
    parser.header_limit(64 * 1024);
    parser.body_limit(1 << 20);
    boost::beast::error_code ec;
    size_t used = 0;
    while (!parser.is_done()) {
        const size_t n = parser.put(
            boost::asio::buffer(buffer.constData() + used, size_t(buffer.size()) - used), ec);
        used += n;
        if (ec == http::error::need_more || (!ec && n == 0))
            return std::nullopt;
        if (ec) {
            *bad = true;
            return std::nullopt;
        }
    }
    const auto &message = parser.get();
    const auto bytes = [](boost::beast::string_view v) {
        return QByteArray(v.data(), qsizetype(v.size()));
    };
    return ProxyRequest{bytes(message.method_string()), bytes(message.target()),
                        bytes(message[http::field::proxy_authorization]).trimmed(),
                        qsizetype(used)};
}

// Through a view of exactly the bytes read, so that the compiler sees the bound it checks.
quint32 u32(const QByteArray &m, int at) {
    if (at < 0 || at + 4 > m.size())
        return 0;
    const QByteArrayView v = QByteArrayView(m).sliced(at, 4);
    return quint32(quint8(v[0])) | quint32(quint8(v[1])) << 8 | quint32(quint8(v[2])) << 16 |
           quint32(quint8(v[3])) << 24;
}

quint16 u16(const QByteArray &m, int at) {
    if (at < 0 || at + 2 > m.size())
        return 0;
    const QByteArrayView v = QByteArrayView(m).sliced(at, 2);
    return quint16(quint8(v[0]) | quint8(v[1]) << 8);
}

// A security buffer (length, allocated, offset) of an NTLM message; empty when out of range.
QByteArray securityBuffer(const QByteArray &m, int at) {
    const quint16 len = u16(m, at);
    const quint32 offset = u32(m, at + 4);
    if (at + 8 > m.size() || offset > quint32(m.size()) || len > m.size() - offset)
        return {};
    return m.mid(offset, len);
}

QByteArray utf16le(const QString &s) {
    QByteArray out;
    for (QChar c : s) {
        out += char(c.unicode() & 0xff);
        out += char(c.unicode() >> 8);
    }
    return out;
}

QString fromUtf16le(const QByteArray &b) {
    QString s;
    for (int i = 0; i + 1 < b.size(); i += 2)
        s += QChar(quint16(quint8(b[i]) | (quint8(b[i + 1]) << 8)));
    return s;
}

void put16(QByteArray &m, int at, quint16 v) {
    qToLittleEndian(v, m.data() + at);
}
void put32(QByteArray &m, int at, quint32 v) {
    qToLittleEndian(v, m.data() + at);
}

QByteArray challengeMessage(const QByteArray &challenge) {
    const QByteArray target = utf16le(QStringLiteral("TESTDOM"));
    QByteArray info;
    auto avPair = [&info](quint16 id, const QByteArray &value) {
        QByteArray pair(4, '\0');
        put16(pair, 0, id);
        put16(pair, 2, quint16(value.size()));
        info += pair + value;
    };
    avPair(2, target);                               // NetBIOS domain name
    avPair(1, utf16le(QStringLiteral("TESTPROXY"))); // NetBIOS computer name
    avPair(0, {});                                   // end of list

    const int headerSize = 48;
    QByteArray m(headerSize, '\0');
    m.replace(0, 8, kSignature);
    put32(m, 8, 2);
    put16(m, 12, quint16(target.size()));
    put16(m, 14, quint16(target.size()));
    put32(m, 16, headerSize);
    // UNICODE | REQUEST_TARGET | NTLM | ALWAYS_SIGN | TARGET_TYPE_DOMAIN | EXTENDED_SESSION
    // | TARGET_INFO
    put32(m, 20,
          0x00000001 | 0x00000004 | 0x00000200 | 0x00008000 | 0x00010000 | 0x00080000 | 0x00800000);
    m.replace(24, 8, challenge);
    put16(m, 40, quint16(info.size()));
    put16(m, 42, quint16(info.size()));
    put32(m, 44, quint32(headerSize + target.size()));
    return m + target + info;
}

} // namespace

NtlmTestProxy::NtlmTestProxy(const QByteArray &user, const QByteArray &password, QObject *parent)
    : QTcpServer(parent), m_user(user), m_password(password) {}

bool NtlmTestProxy::start() {
    return listen(QHostAddress::LocalHost, 0);
}

QByteArray NtlmTestProxy::ntHash(const QByteArray &passwordUtf8) {
    return QCryptographicHash::hash(utf16le(QString::fromUtf8(passwordUtf8)),
                                    QCryptographicHash::Md4);
}

bool NtlmTestProxy::verifyNtlmV2(const QByteArray &passwordUtf8, const QByteArray &userUtf16,
                                 const QByteArray &domainUtf16, const QByteArray &serverChallenge,
                                 const QByteArray &ntResponse) {
    if (ntResponse.size() <= 24) // 24 bytes would be NTLMv1, which this proxy does not accept
        return false;
    const QByteArray identity = utf16le(fromUtf16le(userUtf16).toUpper()) + domainUtf16;
    const QByteArray ntowfv2 =
        QMessageAuthenticationCode::hash(identity, ntHash(passwordUtf8), QCryptographicHash::Md5);
    const QByteArray proof = ntResponse.left(16);
    const QByteArray blob = ntResponse.mid(16);
    const QByteArray expected =
        QMessageAuthenticationCode::hash(serverChallenge + blob, ntowfv2, QCryptographicHash::Md5);
    return expected == proof;
}

void NtlmTestProxy::incomingConnection(qintptr descriptor) {
    auto *client = new QTcpSocket(this);
    if (!client->setSocketDescriptor(descriptor)) {
        delete client;
        return;
    }
    connect(client, &QTcpSocket::readyRead, this, [this, client] { onClientData(client); });
    connect(client, &QTcpSocket::disconnected, client, &QObject::deleteLater);
}

void NtlmTestProxy::answer(QTcpSocket *client, const QByteArray &statusLine,
                           const QByteArray &headers) {
    client->write("HTTP/1.1 " + statusLine + "\r\n" + headers +
                  "Content-Length: 0\r\nProxy-Connection: keep-alive\r\n\r\n");
}

void NtlmTestProxy::onClientData(QTcpSocket *client) {
    if (client->property("tunnel").toBool())
        return; // the tunnel's own handler forwards
    QByteArray buffer = client->property(kBufferProperty).toByteArray() + client->readAll();
    for (;;) {
        bool bad = false;
        const auto req = takeRequest(buffer, &bad);
        if (bad) {
            answer(client, "400 Bad Request", {});
            client->disconnectFromHost();
            return;
        }
        if (!req)
            break;
        buffer.remove(0, req->consumed);
        if (req->method != "CONNECT") {
            answer(client, "501 Not Implemented", {});
            continue;
        }
        const QByteArray auth = req->authorization;
        if (!auth.startsWith("NTLM ")) {
            ++unauthenticatedRequests;
            answer(client, "407 Proxy Authentication Required", "Proxy-Authenticate: NTLM\r\n");
            continue;
        }
        const QByteArray message = QByteArray::fromBase64(auth.mid(5).trimmed());
        if (!message.startsWith(kSignature)) {
            answer(client, "400 Bad Request", {});
            continue;
        }
        const quint32 type = u32(message, 8);
        if (type == 1) {
            ++negotiateMessages;
            QByteArray challenge(8, '\0');
            QRandomGenerator::global()->fillRange(reinterpret_cast<quint32 *>(challenge.data()), 2);
            client->setProperty(kChallengeProperty, challenge);
            answer(client, "407 Proxy Authentication Required",
                   "Proxy-Authenticate: NTLM " + challengeMessage(challenge).toBase64() + "\r\n");
            continue;
        }
        if (type != 3) {
            answer(client, "400 Bad Request", {});
            continue;
        }
        ++authenticateMessages;
        const QByteArray ntResponse = securityBuffer(message, 20);
        const QByteArray domain = securityBuffer(message, 28);
        const QByteArray user = securityBuffer(message, 36);
        lastUser = fromUtf16le(user).toUtf8();
        lastDomain = fromUtf16le(domain).toUtf8();
        const QByteArray challenge = client->property(kChallengeProperty).toByteArray();
        const bool ok = !challenge.isEmpty() &&
                        QString::fromUtf8(lastUser).compare(QString::fromUtf8(m_user),
                                                            Qt::CaseInsensitive) == 0 &&
                        verifyNtlmV2(m_password, user, domain, challenge, ntResponse) &&
                        (acceptLimit < 0 || acceptedLogons < acceptLimit);
        client->setProperty(kChallengeProperty, QByteArray());
        if (!ok) {
            ++rejectedLogons;
            answer(client, "407 Proxy Authentication Required", "Proxy-Authenticate: NTLM\r\n");
            continue;
        }
        ++acceptedLogons;
        client->setProperty(kBufferProperty, buffer);
        openTunnel(client, req->target);
        return;
    }
    client->setProperty(kBufferProperty, buffer);
}

void NtlmTestProxy::openTunnel(QTcpSocket *client, const QByteArray &authority) {
    const qsizetype colon = authority.lastIndexOf(':');
    const QByteArray host = authority.left(colon);
    bool portOk = false;
    const quint16 port = authority.mid(colon + 1).toUShort(&portOk);
    if (!portOk || (host != "127.0.0.1" && host != "localhost")) {
        answer(client, "403 Forbidden", {});
        return;
    }
    client->setProperty("tunnel", true);
    auto *upstream = new QTcpSocket(client);
    connect(upstream, &QTcpSocket::connected, client, [client, upstream] {
        client->write("HTTP/1.1 200 Connection established\r\n\r\n");
        const QByteArray early = client->property(kBufferProperty).toByteArray();
        if (!early.isEmpty())
            upstream->write(early);
        connect(client, &QTcpSocket::readyRead, upstream,
                [client, upstream] { upstream->write(client->readAll()); });
        connect(upstream, &QTcpSocket::readyRead, client,
                [client, upstream] { client->write(upstream->readAll()); });
        if (client->bytesAvailable())
            upstream->write(client->readAll());
    });
    connect(upstream, &QTcpSocket::disconnected, client, &QTcpSocket::disconnectFromHost);
    connect(upstream, &QTcpSocket::errorOccurred, client,
            [client] { client->disconnectFromHost(); });
    connect(client, &QTcpSocket::disconnected, upstream, &QTcpSocket::disconnectFromHost);
    upstream->connectToHost(QHostAddress::LocalHost, port);
}
