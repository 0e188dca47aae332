#include "GatewayService.h"
#include "InvitationMail.h"
#include "gateway/Url_Utils.h"

#include <QRandomGenerator>
#include <QTimer>

namespace localgw {

namespace {
QByteArray param(const QByteArray &rawQuery, const char *name) {
    QByteArray value;
    GetUrlParam(rawQuery, name, value);
    return value;
}

// Everything after the key and its value, as the console appended it ("skey=A&addr=b").
QByteArray paramsAfterKey(const QByteArray &rawQuery) {
    if (!rawQuery.startsWith("key="))
        return rawQuery;
    const qsizetype amp = rawQuery.indexOf('&');
    return amp < 0 ? QByteArray() : rawQuery.mid(amp + 1);
}

bool isDigits(const QByteArray &s) {
    if (s.isEmpty())
        return false;
    for (char c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}
} // namespace

GatewayService::GatewayService(const GatewayConfig &config, QObject *parent)
    : QObject(parent), m_config(config) {
    // A console that went away without logging off leaves its session behind; the host in it
    // would keep talking to nobody.
    m_idleCheck.setInterval(qBound(50, m_config.sessionIdleMs / 2, 10000));
    connect(&m_idleCheck, &QTimer::timeout, this, &GatewayService::dropIdleSessions);
    m_idleCheck.start();
}

void GatewayService::endSession(LocalSession *s) {
    const QByteArray key = s->key();
    s->end();
    m_sessions.removeAll(QPointer<LocalSession>(s));
    s->deleteLater();
    emit sessionEnded(key);
}

void GatewayService::dropIdleSessions() {
    for (LocalSession *s : sessions())
        if (!s->hasHeldPoll() && s->idleMs() > m_config.sessionIdleMs)
            endSession(s);
}

GatewayService::~GatewayService() {
    for (const auto &s : m_sessions)
        delete s.data();
}

bool GatewayService::parsePath(const QByteArray &path, int *gateway, QByteArray *code,
                               QByteArray *rest) {
    if (!path.startsWith("/gw"))
        return false;
    const qsizetype slash = path.indexOf('/', 3);
    if (slash < 0)
        return false;
    const QByteArray number = path.mid(3, slash - 3);
    if (!isDigits(number) || number.size() > 6)
        return false;
    const QByteArray tail = path.mid(slash + 1);
    const qsizetype next = tail.indexOf('/');
    *gateway = number.toInt();
    *code = next < 0 ? tail : tail.left(next);
    *rest = next < 0 ? QByteArray() : tail.mid(next + 1);
    return true;
}

QList<LocalSession *> GatewayService::sessions() const {
    QList<LocalSession *> out;
    for (const auto &s : m_sessions)
        if (s && !s->isEnded())
            out.append(s.data());
    return out;
}

LocalSession *GatewayService::session(const QByteArray &key) const {
    for (const auto &s : m_sessions)
        if (s && !s->isEnded() && s->key() == key)
            return s.data();
    return nullptr;
}

LocalSession *GatewayService::latestSession() const {
    const QList<LocalSession *> live = sessions();
    return live.isEmpty() ? nullptr : live.last();
}

QByteArray GatewayService::newKey() {
    if (!m_nextKey.isEmpty())
        return std::exchange(m_nextKey, QByteArray());
    static const char letters[] = "ABCDEFGHJKLMNPQRSTUVWXYZ";
    static const char alphabet[] = "ABCDEFGHJKLMNPQRSTUVWXYZ23456789";
    QByteArray key;
    for (int i = 0; i < 9; ++i)
        key.append(alphabet[QRandomGenerator::global()->bounded(int(sizeof alphabet) - 1)]);
    // A letter last, so that the gateway number the operator appends stays readable.
    key.append(letters[QRandomGenerator::global()->bounded(int(sizeof letters) - 1)]);
    return key;
}

void GatewayService::handle(const GatewayRequest &request, const ReplyPtr &reply) {
    int gateway = 0;
    QByteArray code;
    QByteArray rest;
    const bool numbered = parsePath(request.path, &gateway, &code, &rest);

    LoggedRequest entry;
    entry.gateway = numbered ? gateway : 0;
    entry.method = request.method;
    entry.path = request.path;
    entry.code = numbered ? code : QByteArray();
    entry.rawQuery = request.rawQuery;
    entry.query = RequestLog::splitQuery(request.rawQuery);
    entry.bodySize = request.body.size();
    m_log.add(entry);

    if (!numbered && m_site.serve(request, reply, m_config.versionDigits))
        return;
    if (!numbered || gateway < 1 || gateway > m_config.gatewayCount) {
        reply->send(GatewayReply::withStatus(404, "No such gateway"));
        return;
    }
    ReplyPtr target = reply;
    if (const auto fault = m_faults.take(gateway, code)) {
        ReplyPtr delayed;
        if (applyFault(*fault, gateway, reply, &delayed))
            return;
        target = delayed;
    }
    serve(gateway, code, rest, request, target);
}

bool GatewayService::applyFault(const Fault &fault, int gateway, const ReplyPtr &reply,
                                ReplyPtr *delayed) {
    switch (fault.kind) {
    case Fault::Status:
        reply->send(GatewayReply::withStatus(fault.status, fault.text));
        return true;
    case Fault::Drop:
        reply->drop();
        return true;
    case Fault::Redirect:
        reply->send(GatewayReply::ok("GW:" + QByteArray::number(fault.gateway)));
        return true;
    case Fault::LogonError:
        reply->send(GatewayReply::ok("Err:" + fault.text));
        return true;
    case Fault::EmptyBody:
        reply->send(GatewayReply::ok({}));
        return true;
    case Fault::Body:
        reply->send(GatewayReply::ok(fault.text));
        return true;
    case Fault::ProxyAuth: {
        GatewayReply r = GatewayReply::withStatus(407, "Proxy authentication required");
        r.headers.append(
            qMakePair(QByteArray("Proxy-Authenticate"), QByteArray("Basic realm=\"local proxy\"")));
        reply->send(r);
        return true;
    }
    case Fault::Hostile: {
        QSize screen = m_config.screenSize;
        for (LocalSession *s : sessions())
            if (s->gateway() == gateway)
                screen = s->host().desktop().size();
        reply->send(GatewayReply::ok(HostileBodies::body(fault.hostile, screen)));
        return true;
    }
    case Fault::Delay: {
        // The request is served now; only its answer waits.
        const int ms = fault.delayMs;
        ReplyPtr outer = reply; // kept alive by the inner promise until it is answered
        *delayed = std::make_shared<PendingReply>(
            [this, outer, ms](const GatewayReply &r) {
                QTimer::singleShot(ms, this, [outer, r] { outer->send(r); });
            },
            [outer] { outer->drop(); });
        // Losing the client cancels the inner promise too, so a held poll is released.
        std::weak_ptr<PendingReply> inner = *delayed;
        reply->setOnCancel([inner] {
            if (auto i = inner.lock())
                i->cancel();
        });
        return false;
    }
    }
    return false;
}

void GatewayService::serve(int gateway, const QByteArray &code, const QByteArray &rest,
                           const GatewayRequest &request, const ReplyPtr &reply) {
    if (code == "16") {
        logon(gateway, request, reply);
        return;
    }

    QByteArray key = param(request.rawQuery, "key");
    if (code == "Files") {
        // "Files/" + key + "/" + name: the key travels in the path.
        const qsizetype slash = rest.indexOf('/');
        key = slash < 0 ? QByteArray() : rest.left(slash);
    }
    LocalSession *s = session(key);
    if (!s || s->gateway() != gateway) {
        reply->send(GatewayReply::withStatus(403, "Unknown session"));
        return;
    }

    s->touch();
    if (code == "03") {
        s->poll(reply);
    } else if (code == "01") {
        s->host().command(param(request.rawQuery, "string"));
        reply->send(GatewayReply::ok("OK"));
    } else if (code == "17") {
        const QByteArray time = s->sessionTimeText();
        endSession(s);
        reply->send(GatewayReply::ok(time));
    } else if (code == "09") {
        serveDeposit(s, DepositKind::StringList, reply);
    } else if (code == "05") {
        serveDeposit(s, DepositKind::FullPicture, reply);
    } else if (code == "07") {
        serveDeposit(s, DepositKind::Update, reply);
    } else if (code == "11") {
        if (request.method == "POST") {
            s->storeConsoleClipboard(param(request.rawQuery, "par"), request.body);
            reply->send(GatewayReply::ok("OK"));
        } else {
            serveDeposit(s, DepositKind::Clipboard, reply);
        }
    } else if (code == "23") {
        const QByteArray id = param(request.rawQuery, "ID");
        const QByteArray text =
            m_config.announcementText + " (" + param(request.rawQuery, "type") + " " + id + ")";
        reply->send(GatewayReply::ok("title=" + EncodeQueryValue(m_config.announcementTitle) +
                                     "&cont=" + EncodeQueryValue(text)));
    } else if (code == "13") {
        s->storeUploadedFile(param(request.rawQuery, "Path"), param(request.rawQuery, "filename"),
                             request.body);
        reply->send(GatewayReply::ok("OK"));
    } else if (code == "Files") {
        const auto file =
            s->hostFile(QByteArray::fromPercentEncoding(rest.mid(rest.indexOf('/') + 1)));
        reply->send(file ? GatewayReply::ok(*file) : GatewayReply::withStatus(404, "No file"));
    } else if (code.size() == 2 && isDigits(code)) {
        control(s, code, request);
        reply->send(GatewayReply::ok("OK"));
    } else {
        reply->send(GatewayReply::withStatus(404, "Unknown request"));
    }
}

void GatewayService::serveDeposit(LocalSession *s, DepositKind kind, const ReplyPtr &reply) {
    const auto body = s->deposit(kind);
    reply->send(body ? GatewayReply::ok(*body) : GatewayReply::withStatus(404, "Nothing stored"));
}

void GatewayService::control(LocalSession *s, const QByteArray &code,
                             const GatewayRequest &request) {
    const QByteArray params = paramsAfterKey(request.rawQuery);
    if (code == "22") {
        s->post(InvitationMailAnswer(m_config, params));
        return;
    }
    s->host().control(code, params);
}

void GatewayService::logon(int gateway, const GatewayRequest &request, const ReplyPtr &reply) {
    const QByteArray user = param(request.rawQuery, "user");
    const QByteArray pass = param(request.rawQuery, "pass");
    const GatewayAccount *account = nullptr;
    for (const GatewayAccount &a : m_config.accounts)
        if (a.userCode.compare(user, Qt::CaseInsensitive) == 0 && a.password == pass)
            account = &a;
    if (!account) {
        reply->send(GatewayReply::ok("Err:1 Invalid user code or password"));
        return;
    }

    const QByteArray key = newKey();
    auto *s = new LocalSession(key, gateway, *account, m_config, this);
    m_sessions.append(s);

    QByteArray digits = m_config.versionDigits;
    if (digits.isEmpty())
        digits = param(request.rawQuery, "vers").mid(1);
    const QByteArray body = "key=" + EncodeQueryValue(key) +
                            "&gw=" + QByteArray::number(m_config.gatewayCount) +
                            "&name=" + EncodeQueryValue(account->customerName) +
                            "&vers=" + EncodeQueryValue("A" + digits + "0") +
                            "&info=" + EncodeQueryValue(m_config.info);
    emit sessionStarted(s);
    reply->send(GatewayReply::ok(body));
}

} // namespace localgw
