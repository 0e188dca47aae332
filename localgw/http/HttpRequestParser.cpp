#include "HttpRequestParser.h"

namespace {

bool isTokenChar(char c) {
    const auto u = static_cast<unsigned char>(c);
    if (u <= 0x20 || u >= 0x7f)
        return false;
    switch (c) {
    case '(':
    case ')':
    case ',':
    case '/':
    case ':':
    case ';':
    case '<':
    case '=':
    case '>':
    case '?':
    case '@':
    case '[':
    case '\\':
    case ']':
    case '{':
    case '}':
    case '"':
        return false;
    default:
        return true;
    }
}

bool isToken(QByteArrayView s) {
    if (s.isEmpty())
        return false;
    for (char c : s)
        if (!isTokenChar(c))
            return false;
    return true;
}

bool hasControlOrSpace(QByteArrayView s) {
    for (char c : s) {
        const auto u = static_cast<unsigned char>(c);
        if (u <= 0x20 || u == 0x7f)
            return true;
    }
    return false;
}

// Field values may hold visible characters, blanks and obs-text, but no other controls.
bool isFieldValue(QByteArrayView s) {
    for (char c : s) {
        const auto u = static_cast<unsigned char>(c);
        if ((u < 0x20 && c != '\t') || u == 0x7f)
            return false;
    }
    return true;
}

QByteArrayView trimBlanks(QByteArrayView s) {
    while (!s.isEmpty() && (s.front() == ' ' || s.front() == '\t'))
        s = s.sliced(1);
    while (!s.isEmpty() && (s.back() == ' ' || s.back() == '\t'))
        s.chop(1);
    return s;
}

bool hasToken(QByteArrayView list, QByteArrayView token) {
    for (QByteArrayView part : QByteArray(list.toByteArray()).split(',')) {
        if (trimBlanks(part).compare(token, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

// Content-Length: decimal digits only; an overflow counts as "too large".
bool parseLength(QByteArrayView s, qint64 &out, bool &tooLarge) {
    s = trimBlanks(s);
    if (s.isEmpty() || s.size() > 20)
        return false;
    qint64 v = 0;
    tooLarge = false;
    for (char c : s) {
        if (c < '0' || c > '9')
            return false;
        if (v > (std::numeric_limits<qint64>::max() - 9) / 10)
            tooLarge = true;
        else
            v = v * 10 + (c - '0');
    }
    out = v;
    return true;
}

HttpParseResult invalid(int status) {
    HttpParseResult r;
    r.state = HttpParseResult::Invalid;
    r.errorStatus = status;
    return r;
}

} // namespace

QByteArray HttpRequest::header(QByteArrayView name) const {
    for (const auto &h : headers)
        if (QByteArrayView(h.first).compare(name, Qt::CaseInsensitive) == 0)
            return h.second;
    return {};
}

bool HttpRequest::hasHeader(QByteArrayView name) const {
    for (const auto &h : headers)
        if (QByteArrayView(h.first).compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

HttpParseResult parseHttpRequest(QByteArrayView buffer, const HttpLimits &limits) {
    // A few empty lines before a request are tolerated (some clients send a CRLF after a body).
    qsizetype pos = 0;
    for (int i = 0; i < 4 && pos < buffer.size(); ++i) {
        if (buffer.sliced(pos).startsWith("\r\n"))
            pos += 2;
        else if (buffer[pos] == '\n')
            pos += 1;
        else
            break;
    }

    // Split the head into lines; it ends at the first empty line.
    QList<QByteArrayView> lines;
    qsizetype headEnd = -1;
    qsizetype lineStart = pos;
    const qsizetype scanLimit = std::min(buffer.size(), pos + limits.maxHeaderBytes);
    for (qsizetype i = pos; i < scanLimit; ++i) {
        if (buffer[i] != '\n')
            continue;
        QByteArrayView line = buffer.sliced(lineStart, i - lineStart);
        if (line.endsWith('\r'))
            line.chop(1);
        lineStart = i + 1;
        if (line.isEmpty()) {
            headEnd = lineStart;
            break;
        }
        if (lines.size() > limits.maxHeaderCount)
            return invalid(431);
        lines.append(line);
    }
    if (headEnd < 0) {
        if (buffer.size() - pos >= limits.maxHeaderBytes)
            return invalid(431);
        // A request line that is already visibly not HTTP need not wait for more bytes.
        for (qsizetype i = pos; i < std::min(buffer.size(), pos + 16); ++i) {
            const auto u = static_cast<unsigned char>(buffer[i]);
            if ((u < 0x20 && buffer[i] != '\r' && buffer[i] != '\n') || u == 0x7f)
                return invalid(400);
        }
        return {};
    }
    if (lines.isEmpty())
        return invalid(400);

    HttpParseResult result;
    HttpRequest &req = result.request;

    // Request line: method SP target SP version, exactly.
    const QByteArrayView requestLine = lines.first();
    const qsizetype sp1 = requestLine.indexOf(' ');
    const qsizetype sp2 = sp1 < 0 ? -1 : requestLine.indexOf(' ', sp1 + 1);
    if (sp1 <= 0 || sp2 < 0 || requestLine.indexOf(' ', sp2 + 1) >= 0)
        return invalid(400);
    const QByteArrayView method = requestLine.first(sp1);
    const QByteArrayView target = requestLine.sliced(sp1 + 1, sp2 - sp1 - 1);
    const QByteArrayView version = requestLine.sliced(sp2 + 1);
    if (!isToken(method) || method.size() > 32 || target.isEmpty() || hasControlOrSpace(target))
        return invalid(400);
    if (!version.startsWith("HTTP/"))
        return invalid(400);
    if (version != "HTTP/1.1" && version != "HTTP/1.0")
        return invalid(505);
    req.method = method.toByteArray();
    req.target = target.toByteArray();
    req.version = version.toByteArray();

    QByteArrayView pathAndQuery = target;
    if (method == "CONNECT") {
        // authority-form "host:port": kept whole as the path
        if (target.startsWith('/') || target.indexOf(':') <= 0)
            return invalid(400);
        req.path = target.toByteArray();
    } else if (!target.startsWith('/') && target != "*") {
        // absolute-form ("http://host/path?q"): keep only the path and query
        const qsizetype scheme = target.indexOf("://");
        if (scheme <= 0)
            return invalid(400);
        const qsizetype slash = target.indexOf('/', scheme + 3);
        pathAndQuery = slash < 0 ? QByteArrayView("/") : target.sliced(slash);
    }
    if (method != "CONNECT") {
        const qsizetype q = pathAndQuery.indexOf('?');
        req.path = (q < 0 ? pathAndQuery : pathAndQuery.first(q)).toByteArray();
        if (q >= 0)
            req.rawQuery = pathAndQuery.sliced(q + 1).toByteArray();
    }

    // Header lines.
    bool haveLength = false;
    qint64 contentLength = 0;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArrayView line = lines[i];
        if (line.front() == ' ' || line.front() == '\t')
            return invalid(400); // obsolete line folding
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0)
            return invalid(400);
        const QByteArrayView name = line.first(colon);
        const QByteArrayView value = trimBlanks(line.sliced(colon + 1));
        if (!isToken(name) || !isFieldValue(value))
            return invalid(400);
        req.headers.append({name.toByteArray(), value.toByteArray()});

        if (name.compare("Content-Length", Qt::CaseInsensitive) == 0) {
            qint64 len = 0;
            bool tooLarge = false;
            if (!parseLength(value, len, tooLarge))
                return invalid(400);
            if (tooLarge)
                return invalid(413);
            if (haveLength && len != contentLength)
                return invalid(400);
            haveLength = true;
            contentLength = len;
        } else if (name.compare("Transfer-Encoding", Qt::CaseInsensitive) == 0) {
            return invalid(501);
        }
    }
    if (contentLength > limits.maxBodyBytes)
        return invalid(413);

    const QByteArray connection = req.header("Connection");
    if (req.version == "HTTP/1.1")
        req.keepAlive = !hasToken(connection, "close");
    else
        req.keepAlive = hasToken(connection, "keep-alive");

    if (buffer.size() - headEnd < contentLength)
        return {}; // body still arriving
    req.body = buffer.sliced(headEnd, contentLength).toByteArray();
    result.state = HttpParseResult::Complete;
    result.consumed = headEnd + contentLength;
    return result;
}
