#pragma once
#include <QByteArray>
#include <QList>
#include <QPair>
#include <functional>
#include <memory>

namespace localgw {

// One answer of the gateway: a status, a body and optional extra header lines.
struct GatewayReply {
    int status = 200;
    QByteArray body;
    QByteArray contentType = "text/plain";
    QList<QPair<QByteArray, QByteArray>> headers;
    qint64 cutAfter = -1; // >= 0: only this many body bytes go out, then the line breaks
    bool chunked = false; // the body in chunks instead of with a Content-Length

    static GatewayReply ok(const QByteArray &body) {
        return GatewayReply{200, body, "text/plain", {}};
    }
    static GatewayReply withStatus(int status, const QByteArray &body = {}) {
        return GatewayReply{status, body, "text/plain", {}};
    }
};

// The promise of one answer to one request. The gateway may answer at once or hold the request
// (a poll waiting for a message, a delayed reply); whoever holds it can learn that the client
// went away. Only the first send() or drop() counts.
class PendingReply {
public:
    using SendFn = std::function<void(const GatewayReply &)>;
    using DropFn = std::function<void()>;

    PendingReply(SendFn send, DropFn drop) : m_send(std::move(send)), m_drop(std::move(drop)) {}

    // Still waiting for an answer and the client still there.
    bool isOpen() const { return !m_done; }

    void send(const GatewayReply &reply) {
        if (m_done)
            return;
        m_done = true;
        if (m_send)
            m_send(reply);
        release();
    }
    // Closes the connection without an answer.
    void drop() {
        if (m_done)
            return;
        m_done = true;
        if (m_drop)
            m_drop();
        release();
    }
    // The connection was lost; later answers go nowhere.
    void cancel() {
        if (m_done)
            return;
        m_done = true;
        auto onCancel = std::move(m_onCancel);
        release();
        if (onCancel)
            onCancel();
    }
    void setOnCancel(std::function<void()> onCancel) { m_onCancel = std::move(onCancel); }

private:
    void release() {
        m_send = nullptr;
        m_drop = nullptr;
        m_onCancel = nullptr;
    }

    SendFn m_send;
    DropFn m_drop;
    std::function<void()> m_onCancel;
    bool m_done = false;
};

using ReplyPtr = std::shared_ptr<PendingReply>;

// A request as the gateway sees it, whatever server carried it.
struct GatewayRequest {
    QByteArray method;   // "GET", "POST"
    QByteArray path;     // "/gw001/03", without the query
    QByteArray rawQuery; // as sent, still encoded
    QByteArray body;
};

} // namespace localgw
