#include "Service.h"
#include "Log.h"
#include "QueryText.h"
#include "SessionKeys.h"
#include "SupportSession.h"

#include <boost/asio/post.hpp>
#include <sodium.h>

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace asio = boost::asio;
using namespace std::chrono;

namespace gatewayd {
namespace {
constexpr size_t kMaxOutboxMessages = 4096;
constexpr size_t kMaxOutboxBytes = size_t(16) << 20;
constexpr size_t kMaxHostFiles = 256;
constexpr size_t kMaxUserCode = 256;
constexpr size_t kMaxPassword = 1024;
constexpr size_t kMaxKeyText = 64;

std::string digestOf(std::string_view key) {
    unsigned char out[crypto_generichash_BYTES];
    crypto_generichash(out, sizeof out, reinterpret_cast<const unsigned char *>(key.data()),
                       key.size(), nullptr, 0);
    return std::string(reinterpret_cast<const char *>(out), sizeof out);
}

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
    return s;
}

// Everything after the key and its value, as the console appended it ("skey=A&addr=b").
std::string paramsAfterKey(const std::string &query) {
    if (query.rfind("key=", 0) != 0)
        return query;
    const size_t amp = query.find('&');
    return amp == std::string::npos ? std::string() : query.substr(amp + 1);
}

bool isDigits(std::string_view s) {
    return !s.empty() &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

ConsoleReply ok(std::string body) {
    return {200, std::move(body)};
}
} // namespace

std::string SupportSession::sessionTimeText() const {
    const auto s = duration_cast<seconds>(steady_clock::now() - started).count();
    char text[32];
    std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", static_cast<long long>(s / 3600),
                  static_cast<long long>((s / 60) % 60), static_cast<long long>(s % 60));
    return text;
}

Service::Service(asio::io_context &io, const Config &config, AccountStore &accounts)
    : m_strand(asio::make_strand(io)), m_config(config), m_accounts(accounts),
      m_throttle(milliseconds(config.failureDelayMs), milliseconds(config.maxFailureDelayMs)),
      m_idleTimer(m_strand) {
    asio::post(m_strand, [this] { checkIdle(); });
}

Service::~Service() {
    m_pool.join();
}

bool Service::parsePath(std::string_view path, int *gateway, std::string *code, std::string *rest) {
    if (path.substr(0, 3) != "/gw")
        return false;
    const size_t slash = path.find('/', 3);
    if (slash == std::string_view::npos)
        return false;
    const std::string_view number = path.substr(3, slash - 3);
    if (!isDigits(number) || number.size() > 6)
        return false;
    *gateway = std::stoi(std::string(number));
    const std::string_view tail = path.substr(slash + 1);
    const size_t next = tail.find('/');
    *code = std::string(tail.substr(0, next));
    *rest = next == std::string_view::npos ? std::string() : std::string(tail.substr(next + 1));
    return true;
}

SupportSession *Service::find(std::string_view key) {
    if (key.empty() || key.size() > kMaxKeyText)
        return nullptr;
    const auto it = m_sessions.find(digestOf(key));
    return it != m_sessions.end() && sameSecret(it->second->key, key) ? it->second.get() : nullptr;
}

void Service::later(milliseconds delay, std::function<void()> action) {
    if (delay.count() <= 0) {
        action();
        return;
    }
    auto timer = std::make_shared<asio::steady_timer>(m_strand, delay);
    timer->async_wait([timer, action = std::move(action)](auto) { action(); });
}

void Service::refuseLater(const std::string &peer, std::function<void()> answer) {
    const auto now = steady_clock::now();
    m_throttle.failed("a:" + peer, now);
    later(m_throttle.delayFor("a:" + peer, now), std::move(answer));
}

void Service::console(ConsoleRequest request, ReplyFn reply) {
    asio::post(m_strand, [this, request = std::move(request), reply = std::move(reply)]() mutable {
        if (request.path == "/healthz") {
            // For load balancers and the service manager: up, and taking sessions.
            reply(m_stopping ? ConsoleReply{503, "stopping"} : ok("ok"));
            return;
        }
        const auto &readers = m_config.metricsFrom;
        if (request.path == "/metrics" &&
            std::find(readers.begin(), readers.end(), request.peer) != readers.end()) {
            m_metrics.setSessions(m_sessions.size());
            m_metrics.setHosts(m_hosts.size());
            reply(ok(m_metrics.text()));
            return;
        }
        int gateway = 0;
        std::string code, rest;
        const auto served = m_config.servedNumbers();
        if (!parsePath(request.path, &gateway, &code, &rest) ||
            std::find(served.begin(), served.end(), gateway) == served.end()) {
            reply({404, "No such gateway"});
            return;
        }
        if (m_stopping) {
            reply({503, "Shutting down"});
            return;
        }
        if (code == "16") {
            logon(gateway, request, std::move(reply));
            return;
        }
        std::string key = queryParam(request.query, "key");
        if (code == "Files")
            key = rest.substr(0, rest.find('/'));
        SupportSession *s = find(key);
        if (!s || s->gateway != gateway) {
            m_metrics.unknownKey();
            refuseLater(request.peer, [reply] { reply({403, "Unknown session"}); });
            return;
        }
        m_metrics.consoleRequest();
        s->lastRequest = steady_clock::now();
        serve(*s, code, rest, request, reply);
    });
}

void Service::serve(SupportSession &s, const std::string &code, const std::string &rest,
                    const ConsoleRequest &request, ReplyFn &reply) {
    const auto deposit = [&reply](const std::optional<std::string> &body) {
        reply(body ? ok(*body) : ConsoleReply{404, "Nothing stored"});
    };
    const auto toHost = [&s](FrameType type, const std::vector<std::string_view> &fields) {
        // Nothing waits for a host that is not there: the console sends nothing before
        // "HostLogon" and learns of a departure from its poll.
        if (s.host && s.hostAccepted)
            s.host->send(encodeFrame(type, fields));
    };
    const bool isPost = request.method == "POST";
    if (code == "03") {
        poll(s, std::move(reply));
    } else if (code == "01") {
        toHost(FrameType::Command, {queryParam(request.query, "string")});
        reply(ok("OK"));
    } else if (code == "17") {
        std::string time = s.sessionTimeText();
        endSession(s, "logoff");
        reply(ok(std::move(time)));
    } else if (code == "09") {
        deposit(s.stringList);
    } else if (code == "05") {
        deposit(s.fullPicture);
    } else if (code == "07") {
        deposit(s.update);
    } else if (code == "11" && !isPost) {
        deposit(s.clipboard);
    } else if (code == "11") {
        toHost(FrameType::Clipboard, {queryParam(request.query, "par"), request.body});
        reply(ok("OK"));
    } else if (code == "13" && isPost) {
        toHost(FrameType::Upload, {queryParam(request.query, "Path"),
                                   queryParam(request.query, "filename"), request.body});
        reply(ok("OK"));
    } else if (code == "13") {
        reply({404, "Unknown request"}); // an upload is a POST; no host takes "13" as a control
    } else if (code == "Files") {
        const auto it = s.hostFiles.find(percentDecode(rest.substr(rest.find('/') + 1)));
        reply(it == s.hostFiles.end() ? ConsoleReply{404, "No file"} : ok(it->second));
    } else if (code == "23") {
        reply(ok("title=" + encodeQueryValue(m_config.announcementTitle) +
                 "&cont=" + encodeQueryValue(m_config.announcementText)));
    } else if (code == "22") {
        // This gateway sends no mail yet; saying so lets the operator pass the key on by hand.
        post(s, "Mail?Error");
        reply(ok("OK"));
    } else if (code.size() == 2 && isDigits(code)) {
        toHost(FrameType::Control, {code, paramsAfterKey(request.query)});
        reply(ok("OK"));
    } else {
        reply({404, "Unknown request"});
    }
}

void Service::logon(int gateway, const ConsoleRequest &request, ReplyFn reply) {
    std::string user = queryParam(request.query, "user");
    std::string pass = queryParam(request.query, "pass");
    std::string vers = queryParam(request.query, "vers");
    if (m_sessions.size() >= size_t(m_config.maxSessions)) {
        m_metrics.logon(Metrics::Logon::Full);
        reply(ok("Err:8 This gateway is full"));
        return;
    }
    const auto now = steady_clock::now();
    const auto wait = std::max(m_throttle.delayFor("a:" + request.peer, now),
                               m_throttle.delayFor("u:" + lower(user), now));
    later(wait, [this, gateway, user = std::move(user), pass = std::move(pass),
                 vers = std::move(vers), peer = request.peer, reply = std::move(reply)]() mutable {
        asio::post(m_pool, [this, gateway, user = std::move(user), pass = std::move(pass),
                            vers = std::move(vers), peer = std::move(peer),
                            reply = std::move(reply)]() mutable {
            std::optional<Account> account;
            if (!user.empty() && user.size() <= kMaxUserCode && pass.size() <= kMaxPassword)
                account = m_accounts.verify(user, pass);
            sodium_memzero(pass.data(), pass.size());
            asio::post(m_strand, [this, gateway, user = std::move(user), vers = std::move(vers),
                                  account = std::move(account), peer = std::move(peer),
                                  reply = std::move(reply)]() mutable {
                finishLogon(gateway, user, vers, std::move(account), peer, std::move(reply));
            });
        });
    });
}

void Service::finishLogon(int gateway, const std::string &user, const std::string &vers,
                          std::optional<Account> account, const std::string &peer, ReplyFn reply) {
    const auto now = steady_clock::now();
    const std::string accountParty = "u:" + lower(user.substr(0, kMaxUserCode));
    if (!account) {
        m_metrics.logon(Metrics::Logon::Refused);
        m_throttle.failed("a:" + peer, now);
        m_throttle.failed(accountParty, now);
        const auto wait =
            std::max(m_throttle.delayFor("a:" + peer, now), m_throttle.delayFor(accountParty, now));
        later(wait, [reply] { reply(ok("Err:1 Invalid user code or password")); });
        return;
    }
    m_throttle.succeeded(accountParty);
    const std::string operatorKey = lower(account->userCode);
    if (m_stopping || m_sessions.size() >= size_t(m_config.maxSessions)) {
        m_metrics.logon(Metrics::Logon::Full);
        reply(ok("Err:8 This gateway is full"));
        return;
    }
    if (m_perOperator[operatorKey] >= m_config.maxSessionsPerOperator) {
        m_metrics.logon(Metrics::Logon::Full);
        reply(ok("Err:6 Too many sessions open for this account"));
        return;
    }
    auto session = std::make_unique<SupportSession>(m_strand);
    do {
        session->key = newSessionKey();
        session->digest = digestOf(session->key);
    } while (m_sessions.count(session->digest));
    session->gateway = gateway;
    session->account = *account;
    session->startedAt = int64_t(std::time(nullptr));
    ++m_perOperator[operatorKey];

    std::string digits = m_config.versionDigits.empty()
                             ? vers.substr(std::min<size_t>(1, vers.size()), 32)
                             : m_config.versionDigits;
    std::string body = "key=" + encodeQueryValue(session->key) +
                       "&gw=" + std::to_string(m_config.gatewayCount) +
                       "&name=" + encodeQueryValue(account->customerName) +
                       "&vers=" + encodeQueryValue("A" + digits + "0") +
                       "&info=" + encodeQueryValue(m_config.info);
    logLine("logon: " + account->userCode + " from " + peer + " on gateway " +
            std::to_string(gateway));
    m_sessions.emplace(session->digest, std::move(session));
    m_metrics.logon(Metrics::Logon::Accepted);
    reply(ok(std::move(body)));
}

void Service::poll(SupportSession &s, ReplyFn reply) {
    if (s.heldPoll)
        answerHeldPoll(s, "QAD");
    if (!s.outbox.empty()) {
        std::string message = std::move(s.outbox.front());
        s.outbox.pop_front();
        s.outboxBytes -= message.size();
        reply(ok(std::move(message)));
        return;
    }
    s.heldPoll = std::move(reply);
    s.pollTimer.expires_after(milliseconds(m_config.pollHoldMs));
    s.pollTimer.async_wait([this, digest = s.digest](const boost::system::error_code &ec) {
        // The session may have ended, or a newer poll taken this one's place, meanwhile.
        const auto it = m_sessions.find(digest);
        if (!ec && it != m_sessions.end() && it->second->heldPoll &&
            it->second->pollTimer.expiry() <= steady_clock::now())
            answerHeldPoll(*it->second, "QAD");
    });
}

void Service::answerHeldPoll(SupportSession &s, std::string body) {
    s.pollTimer.cancel();
    ReplyFn reply = std::move(s.heldPoll);
    s.heldPoll = nullptr;
    if (reply)
        reply(ok(std::move(body)));
}

void Service::post(SupportSession &s, std::string message) {
    if (s.outbox.size() >= kMaxOutboxMessages || s.outboxBytes + message.size() > kMaxOutboxBytes) {
        // A host that talks faster than the console polls would fill the gateway's memory.
        detachHost(s, "HostDisappeared", "too many messages waiting for the console");
        return;
    }
    s.outboxBytes += message.size();
    s.outbox.push_back(std::move(message));
    if (s.heldPoll) {
        std::string next = std::move(s.outbox.front());
        s.outbox.pop_front();
        s.outboxBytes -= next.size();
        answerHeldPoll(s, std::move(next));
    }
}

bool Service::store(SupportSession &s, std::optional<std::string> &slot, std::string body) {
    const size_t old = slot ? slot->size() : 0;
    if (s.storedBytes - old + body.size() > size_t(m_config.maxSessionBytes))
        return false;
    s.storedBytes = s.storedBytes - old + body.size();
    slot = std::move(body);
    return true;
}

void Service::hostHello(int gateway, HostFrame hello, std::string peer,
                        std::shared_ptr<HostLink> link,
                        std::function<void(bool, std::string)> done) {
    asio::post(m_strand, [this, gateway, hello = std::move(hello), peer = std::move(peer),
                          link = std::move(link), done = std::move(done)]() mutable {
        const auto joinKey =
            hello.type == FrameType::Hello ? splitJoinKey(hello.fields[0]) : std::nullopt;
        SupportSession *s = joinKey ? find(joinKey->key) : nullptr;
        // A host joins only the sessions of the gateway it reached, with the number the
        // operator passed on.
        if (!s || joinKey->gateway != gateway || s->gateway != gateway || m_stopping) {
            m_metrics.join(Metrics::Join::Refused);
            refuseLater(peer, [done] { done(false, "unknown session key"); });
            return;
        }
        if (s->host) {
            m_metrics.join(Metrics::Join::Refused);
            done(false, "another host is in this session");
            return;
        }
        m_metrics.join(Metrics::Join::Accepted);
        s->host = link;
        s->hostAccepted = false;
        m_hosts[link.get()] = s;
        s->hostAddress = peer;
        done(true, {});
        // The remote user sees who asks before anything is shared; the console hears of the
        // host only when the user accepted.
        const std::string &operatorName =
            s->account.customerName.empty() ? s->account.userCode : s->account.customerName;
        link->send(encodeFrame(FrameType::Welcome, {std::to_string(gateway), operatorName}));
        s->pendingLogon = "&IP=" + encodeQueryValue(hello.fields[1]) +
                          "&HN=" + encodeQueryValue(hello.fields[2]) +
                          "&WV=" + encodeQueryValue(hello.fields[3]) +
                          "&LA=" + encodeQueryValue(hello.fields[4]);
        s->pendingHostName = hello.fields[2];
    });
}

void Service::hostFrame(HostLink *link, HostFrame frame) {
    asio::post(m_strand, [this, link, frame = std::move(frame)]() mutable {
        const auto it = m_hosts.find(link);
        if (it == m_hosts.end())
            return;
        SupportSession &s = *it->second;
        auto &f = frame.fields;
        if (!s.hostAccepted) {
            if (frame.type == FrameType::Accept) {
                s.hostAccepted = true;
                s.hostName = s.pendingHostName;
                ++s.hostJoins;
                // The first field after the event name is never found by the console's field
                // reader (its name would be "HostLogon?SID"), so a join counter goes there.
                post(s, "HostLogon?SID=" + std::to_string(s.hostJoins) + s.pendingLogon);
            } else if (frame.type == FrameType::Bye) {
                detachHost(s, nullptr, {}); // the user refused: the console never knew
            } else {
                detachHost(s, nullptr, "nothing may be sent before the user accepted");
            }
            return;
        }
        switch (frame.type) {
        case FrameType::Message:
            post(s, std::move(f[0]));
            return;
        case FrameType::Deposit: {
            std::optional<std::string> *slot = f[0] == "picture"     ? &s.fullPicture
                                               : f[0] == "update"    ? &s.update
                                               : f[0] == "list"      ? &s.stringList
                                               : f[0] == "clipboard" ? &s.clipboard
                                                                     : nullptr;
            if (!slot)
                detachHost(s, "HostDisappeared", "unknown deposit kind");
            else if (!store(s, *slot, std::move(f[1])))
                detachHost(s, "HostDisappeared", "the session holds too much");
            return;
        }
        case FrameType::File: {
            const auto old = s.hostFiles.find(f[0]);
            const size_t oldSize = old == s.hostFiles.end() ? 0 : old->second.size();
            if (f[0].empty() || (old == s.hostFiles.end() && s.hostFiles.size() >= kMaxHostFiles) ||
                s.storedBytes - oldSize + f[1].size() > size_t(m_config.maxSessionBytes)) {
                detachHost(s, "HostDisappeared", "the session holds too much");
                return;
            }
            s.storedBytes = s.storedBytes - oldSize + f[1].size();
            s.hostFiles[f[0]] = std::move(f[1]);
            return;
        }
        case FrameType::Bye:
            detachHost(s, "HostLogoff", {});
            return;
        default:
            detachHost(s, "HostDisappeared", "unexpected frame type");
            return;
        }
    });
}

void Service::hostGone(HostLink *link, bool bye) {
    asio::post(m_strand, [this, link, bye] {
        const auto it = m_hosts.find(link);
        if (it != m_hosts.end())
            detachHost(*it->second, bye ? "HostLogoff" : "HostDisappeared", {});
    });
}

void Service::detachHost(SupportSession &s, const char *event, const std::string &reason) {
    if (!s.host)
        return;
    std::shared_ptr<HostLink> link = std::move(s.host);
    s.host.reset();
    const bool known = s.hostAccepted; // the console heard "HostLogon"
    s.hostAccepted = false;
    m_hosts.erase(link.get());
    if (!reason.empty())
        link->send(encodeFrame(FrameType::End, {reason}));
    link->close();
    if (event && known)
        post(s, event);
}

void Service::endSession(SupportSession &s, const std::string &reason) {
    detachHost(s, nullptr, "the session ended");
    // A poll held over the end learns that polling is over.
    if (s.heldPoll)
        answerHeldPoll(s, {});
    SessionRecord record{
        s.account.userCode,          s.hostName,          s.hostAddress, s.startedAt,
        int64_t(std::time(nullptr)), s.sessionTimeText(), reason};
    logLine("session end: " + s.account.userCode + " after " + record.sessionTime + " (" + reason +
            ")");
    const std::string operatorKey = lower(s.account.userCode);
    if (--m_perOperator[operatorKey] <= 0)
        m_perOperator.erase(operatorKey);
    m_sessions.erase(s.digest); // the key is dead from here on
    asio::post(m_pool, [this, record = std::move(record)] {
        std::string error;
        if (!m_accounts.recordSession(record, &error))
            logLine("session record not written: " + error);
    });
}

void Service::checkIdle() {
    if (m_stopping)
        return;
    const auto now = steady_clock::now();
    std::vector<SupportSession *> idle;
    for (auto &[digest, s] : m_sessions)
        if (!s->heldPoll && now - s->lastRequest > milliseconds(m_config.sessionIdleMs))
            idle.push_back(s.get());
    for (SupportSession *s : idle)
        endSession(*s, "idle");
    m_idleTimer.expires_after(
        std::min(milliseconds(m_config.sessionIdleMs / 2), milliseconds(10000)));
    m_idleTimer.async_wait([this](const boost::system::error_code &ec) {
        if (!ec)
            checkIdle();
    });
}

void Service::shutdown(std::function<void()> done) {
    asio::post(m_strand, [this, done = std::move(done)] {
        m_stopping = true;
        m_idleTimer.cancel();
        std::vector<SupportSession *> all;
        for (auto &[digest, s] : m_sessions)
            all.push_back(s.get());
        for (SupportSession *s : all)
            endSession(*s, "shutdown");
        m_pool.join(); // the records are written before the process goes
        done();
    });
}

} // namespace gatewayd
