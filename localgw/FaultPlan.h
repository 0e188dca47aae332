#pragma once
#include "HostileBodies.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

namespace localgw {

// What a fault does to the request it hits.
struct Fault {
    enum Kind {
        Status,     // answer with `status` (403, 404, 500, ...) and `text` as body
        Drop,       // close the connection without an answer
        Redirect,   // 200 "GW:" + `gateway`
        LogonError, // 200 "Err:" + `text` (its first character is the code)
        Delay,      // serve the request normally, answer `delayMs` later
        EmptyBody,  // 200 with an empty body
        Body,       // 200 with `text` as the body
        ProxyAuth,  // 407 with a Proxy-Authenticate challenge, as a proxy would answer
        Hostile,    // 200 with the body of `hostile`
    };
    Kind kind = Status;
    int status = 403;
    int gateway = 1;
    int delayMs = 0;
    QByteArray text;
    HostileKind hostile = HostileKind::RandomBytes;

    static Fault withStatus(int status, const QByteArray &body = {});
    static Fault drop();
    static Fault redirect(int gateway);
    // "Err:" + code + " " + text.
    static Fault logonError(char code, const QByteArray &text);
    static Fault delay(int ms);
    static Fault emptyBody();
    static Fault body(const QByteArray &bytes);
    static Fault proxyAuth();
    static Fault hostileBody(HostileKind kind);

    QByteArray describe() const;
};

// One rule: which requests it hits and how often.
struct FaultRule {
    int gateway = 0; // 1..G#; 0: every gateway
    QByteArray code; // "16", "03", "Files", ...; empty: every request
    int count = 1;   // requests still to hit; < 0: every one, for ever
    Fault fault;
};

// Faults armed for the next requests. The first rule that matches a request applies to it and
// uses up one of its hits; rules are kept in the order they were added.
class FaultPlan {
public:
    void add(const FaultRule &rule) { m_rules.append(rule); }
    void clear() { m_rules.clear(); }
    QList<FaultRule> rules() const { return m_rules; }
    std::optional<Fault> take(int gateway, const QByteArray &code);

    // A rule from admin parameters: gw, code, count, kind (status, drop, redirect, err, delay,
    // empty, body, proxy-auth, hostile) and status, to, err, text, ms, hostile.
    static std::optional<FaultRule> fromQuery(const QByteArray &rawQuery, QString *error);

private:
    QList<FaultRule> m_rules;
};

} // namespace localgw
