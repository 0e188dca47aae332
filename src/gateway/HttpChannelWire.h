#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QPair>

#include <functional>

// What HttpChannel puts on the wire and how it reads what comes back, as pure functions of
// bytes so that the reply reader can be fuzzed and tested without a socket.
namespace HttpWire {

// An http or https address split the way the request line needs it. Nothing is decoded or
// re-encoded: the path and query travel exactly as the caller composed them.
struct Target {
    bool https = false;
    QByteArray host;         // as written, without the brackets of an IPv6 address
    quint16 port = 0;        // the scheme's default port when none is written
    QByteArray hostHeader;   // host, with ":port" unless it is the default ("[::1]:8443")
    QByteArray tunnel;       // host:port, always with the port: the CONNECT target
    QByteArray origin;       // scheme "://" hostHeader: the absolute form through a proxy
    QByteArray pathAndQuery; // "/gw001/16?user=..." (fragment dropped; "/" when empty)
};

// False for anything but an http or https address with a host, or with bytes that cannot go
// into a request line unencoded (controls, spaces, non-ASCII), or with user information.
bool parseTarget(QByteArrayView url, Target &out);

// Bounds on every size read from the peer.
struct Limits {
    qsizetype maxLineBytes = 16 * 1024; // status line, one header line, one chunk-size line
    qsizetype maxHeadBytes = 64 * 1024; // all lines of one head (or of the trailers)
    int maxHeaderCount = 100;
    int maxInterimReplies = 8;                // "100 Continue" and the like before the reply
    qint64 maxBodyBytes = 64LL * 1024 * 1024; // body after de-chunking
};

using HeaderList = QList<QPair<QByteArray, QByteArray>>;

// Reads one HTTP/1.0 or 1.1 reply, fed in pieces as they arrive. Bodies framed by
// Content-Length, by chunked transfer coding or by the end of the connection; no content
// coding is undone. Anything outside the limits or the grammar ends in TooLarge or Malformed,
// never in a partial read of unbounded data.
class ReplyParser {
public:
    enum class State { Head, Body, Complete, TooLarge, Malformed };

    explicit ReplyParser(const Limits &limits = {}) : m_limits(limits) {}

    // Ready for the reply to the next request. A successful reply to CONNECT has no body.
    // Forgets the body sink.
    void start(bool connectRequest = false);
    void setLimits(const Limits &limits) { m_limits = limits; }

    // The body of a successful (2xx) reply goes to the sink piece by piece instead of into
    // body(), so a file never has to fit in memory; other replies keep theirs in body(). The
    // limits apply the same. A sink that returns false ends the reply as Malformed.
    using BodySink = std::function<bool(QByteArrayView piece)>;
    void setBodySink(BodySink sink) { m_sink = std::move(sink); }
    // Body bytes read so far (in body() or handed to the sink), and the Content-Length of the
    // reply, -1 when it has none.
    qint64 bodyBytes() const { return m_bodyBytes; }
    qint64 contentLength() const { return m_contentLength; }

    // Takes bytes from the start of `data` and returns how many; it stops at the end of the
    // reply, so whatever follows is left to the caller. Once the state is Complete, TooLarge
    // or Malformed nothing more is taken.
    qsizetype feed(QByteArrayView data);
    // The peer closed the connection: a body that runs until the end is complete now; in every
    // other unfinished state the reply stays incomplete.
    void endOfStream();

    State state() const { return m_state; }
    bool finished() const { return m_state != State::Head && m_state != State::Body; }

    int status() const { return m_status; }
    const HeaderList &headers() const { return m_headers; }
    // Values of every header line with this name (case-insensitive), in order.
    QList<QByteArray> headerValues(QByteArrayView name) const;
    const QByteArray &body() const { return m_body; }
    // After Complete: the connection may carry another request.
    bool keepAlive() const { return m_keepAlive; }
    // The body had neither a length nor chunks: it ended where the connection closed, so a
    // body cut short looks the same.
    bool endedByClose() const { return m_step == Step::UntilClose; }

private:
    enum class Step {
        StatusLine,
        HeaderLine,
        Fixed,
        ChunkSize,
        ChunkData,
        ChunkEnd,
        Trailer,
        UntilClose
    };

    bool takeLine(QByteArrayView data, qsizetype &pos, QByteArray &line);
    bool onStatusLine(const QByteArray &line);
    bool onHeaderLine(const QByteArray &line);
    bool onHeadEnd();
    bool onChunkSize(const QByteArray &line);
    bool appendBody(QByteArrayView bytes);
    void fail(State state);

    Limits m_limits;
    State m_state = State::Head;
    Step m_step = Step::StatusLine;
    bool m_connectRequest = false;
    QByteArray m_partial; // an unfinished line
    qsizetype m_headBytes = 0;
    int m_interim = 0;
    int m_headerLines = 0; // of the head being read, or of the trailers
    bool m_http10 = false;
    int m_status = 0;
    HeaderList m_headers;
    QByteArray m_body;
    BodySink m_sink;
    qint64 m_bodyBytes = 0;
    qint64 m_contentLength = -1;
    qint64 m_remaining = 0; // of the fixed body or of the current chunk
    bool m_keepAlive = false;
};

} // namespace HttpWire
