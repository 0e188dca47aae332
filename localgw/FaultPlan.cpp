#include "FaultPlan.h"
#include "gateway/Url_Utils.h"

namespace localgw {

Fault Fault::withStatus(int status, const QByteArray &body) {
    Fault f;
    f.kind = Status;
    f.status = status;
    f.text = body;
    return f;
}

Fault Fault::drop() {
    Fault f;
    f.kind = Drop;
    return f;
}

Fault Fault::redirect(int gateway) {
    Fault f;
    f.kind = Redirect;
    f.gateway = gateway;
    return f;
}

Fault Fault::logonError(char code, const QByteArray &text) {
    Fault f;
    f.kind = LogonError;
    f.text = QByteArray(1, code) + " " + text;
    return f;
}

Fault Fault::delay(int ms) {
    Fault f;
    f.kind = Delay;
    f.delayMs = ms;
    return f;
}

Fault Fault::emptyBody() {
    Fault f;
    f.kind = EmptyBody;
    return f;
}

Fault Fault::body(const QByteArray &bytes) {
    Fault f;
    f.kind = Body;
    f.text = bytes;
    return f;
}

Fault Fault::proxyAuth() {
    Fault f;
    f.kind = ProxyAuth;
    f.status = 407;
    return f;
}

Fault Fault::hostileBody(HostileKind kind) {
    Fault f;
    f.kind = Hostile;
    f.hostile = kind;
    return f;
}

QByteArray Fault::describe() const {
    switch (kind) {
    case Status:
        return "status " + QByteArray::number(status);
    case Drop:
        return "drop";
    case Redirect:
        return "redirect GW:" + QByteArray::number(gateway);
    case LogonError:
        return "Err:" + text;
    case Delay:
        return "delay " + QByteArray::number(delayMs) + " ms";
    case EmptyBody:
        return "empty body";
    case Body:
        return "body of " + QByteArray::number(text.size()) + " bytes";
    case ProxyAuth:
        return "proxy 407";
    case Hostile:
        return "hostile " + HostileBodies::name(hostile);
    }
    return {};
}

std::optional<Fault> FaultPlan::take(int gateway, const QByteArray &code) {
    for (qsizetype i = 0; i < m_rules.size(); ++i) {
        FaultRule &rule = m_rules[i];
        if (rule.gateway != 0 && rule.gateway != gateway)
            continue;
        if (!rule.code.isEmpty() && rule.code != "*" && rule.code != code)
            continue;
        const Fault fault = rule.fault;
        if (rule.count > 0 && --rule.count == 0)
            m_rules.removeAt(i);
        return fault;
    }
    return std::nullopt;
}

std::optional<FaultRule> FaultPlan::fromQuery(const QByteArray &rawQuery, QString *error) {
    auto param = [&](const char *name, const QByteArray &fallback = {}) {
        QByteArray v;
        return GetUrlParam(rawQuery, name, v) ? v : fallback;
    };
    bool ok = true;
    auto number = [&](const char *name, int fallback) {
        const QByteArray v = param(name);
        if (v.isEmpty())
            return fallback;
        bool good = false;
        const int n = v.toInt(&good);
        ok = ok && good;
        return n;
    };
    auto failed = [error](const QString &text) -> std::optional<FaultRule> {
        if (error)
            *error = text;
        return std::nullopt;
    };

    FaultRule rule;
    rule.gateway = number("gw", 0);
    rule.count = number("count", 1);
    rule.code = param("code");
    const QByteArray kind = param("kind");
    if (kind == "status") {
        rule.fault = Fault::withStatus(number("status", 403), param("text"));
    } else if (kind == "drop") {
        rule.fault = Fault::drop();
    } else if (kind == "redirect") {
        rule.fault = Fault::redirect(number("to", 1));
    } else if (kind == "err") {
        const QByteArray code = param("err", "9");
        if (code.size() != 1)
            return failed(QStringLiteral("err must be one character"));
        rule.fault = Fault::logonError(code[0], param("text", "Error from the local gateway"));
    } else if (kind == "delay") {
        rule.fault = Fault::delay(number("ms", 5000));
    } else if (kind == "empty") {
        rule.fault = Fault::emptyBody();
    } else if (kind == "body") {
        rule.fault = Fault::body(param("text"));
    } else if (kind == "proxy-auth") {
        rule.fault = Fault::proxyAuth();
    } else if (kind == "hostile") {
        const auto h = HostileBodies::fromName(param("hostile"));
        if (!h)
            return failed(QStringLiteral("unknown hostile body"));
        rule.fault = Fault::hostileBody(*h);
    } else {
        return failed(QStringLiteral("unknown fault kind"));
    }
    if (!ok)
        return failed(QStringLiteral("a number does not parse"));
    return rule;
}

} // namespace localgw
