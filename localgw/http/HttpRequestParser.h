#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QPair>

// Parser of one HTTP/1.x request at the start of a receive buffer. It is a pure function of
// the bytes so that it can be fuzzed and so that the server can simply call it again when more
// data arrives.

struct HttpLimits {
    qsizetype maxHeaderBytes = 64 * 1024;      // request line + header lines + blank line
    qsizetype maxBodyBytes = 64 * 1024 * 1024; // Content-Length above this is refused (413)
    int maxHeaderCount = 100;
};

using HttpHeaderList = QList<QPair<QByteArray, QByteArray>>;

struct HttpRequest {
    QByteArray method;      // as sent, e.g. "GET"
    QByteArray target;      // request target as sent
    QByteArray path;        // target up to "?" (absolute-form targets reduced to their path;
                            // CONNECT: the whole "host:port")
    QByteArray rawQuery;    // after "?", still percent-encoded; empty when none
    QByteArray version;     // "HTTP/1.0" or "HTTP/1.1"
    HttpHeaderList headers; // in order, names as sent, values without surrounding blanks
    QByteArray body;
    bool keepAlive = true;

    // First header with this name (case-insensitive), or a null QByteArray.
    QByteArray header(QByteArrayView name) const;
    bool hasHeader(QByteArrayView name) const;
};

struct HttpParseResult {
    enum State { Incomplete, Complete, Invalid };
    State state = Incomplete;
    qsizetype consumed = 0; // Complete: bytes of the buffer taken by this request
    int errorStatus = 0;    // Invalid: the status to answer with (400, 413, 431, 501, 505)
    HttpRequest request;    // Complete only
};

// Looks at the start of `buffer`. Incomplete means "wait for more bytes" and is returned only
// while the head is within limits.maxHeaderBytes; anything malformed is Invalid.
// Chunked request bodies are not supported (501).
HttpParseResult parseHttpRequest(QByteArrayView buffer, const HttpLimits &limits = {});
