#include "gateway/HttpChannelWire.h"

#include <string_view>

namespace HttpWire {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int hexValue(char c) {
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// RFC 9110 tchar.
bool isTokenChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || isDigit(c) ||
           std::string_view("!#$%&'*+-.^_`|~").find(c) != std::string_view::npos;
}

QByteArrayView trimmed(QByteArrayView s) {
    while (!s.isEmpty() && isBlank(s.front()))
        s = s.sliced(1);
    while (!s.isEmpty() && isBlank(s.back()))
        s.chop(1);
    return s;
}

// Lower-case items of a comma-separated header list.
QList<QByteArray> listItems(const QList<QByteArray> &values) {
    QList<QByteArray> items;
    for (const QByteArray &value : values) {
        for (const QByteArray &part : value.split(',')) {
            const QByteArrayView item = trimmed(part);
            if (!item.isEmpty())
                items.append(item.toByteArray().toLower());
        }
    }
    return items;
}

bool isHostChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || isDigit(c) || c == '-' || c == '.' ||
           c == '_';
}

} // namespace

bool parseTarget(QByteArrayView url, Target &out) {
    Target t;
    qsizetype pos = 0;
    if (url.size() >= 8 && url.first(8).compare("https://", Qt::CaseInsensitive) == 0) {
        t.https = true;
        pos = 8;
    } else if (url.size() >= 7 && url.first(7).compare("http://", Qt::CaseInsensitive) == 0) {
        pos = 7;
    } else {
        return false;
    }
    qsizetype end = pos;
    while (end < url.size() && url[end] != '/' && url[end] != '?' && url[end] != '#')
        ++end;
    const QByteArrayView authority = url.sliced(pos, end - pos);

    QByteArrayView host;
    QByteArrayView portText;
    bool bracketed = false;
    if (authority.startsWith('[')) {
        const qsizetype close = authority.indexOf(']');
        if (close < 2)
            return false;
        host = authority.sliced(1, close - 1);
        for (char c : host)
            if (hexValue(c) < 0 && c != ':' && c != '.')
                return false;
        const QByteArrayView after = authority.sliced(close + 1);
        if (!after.isEmpty()) {
            if (after.front() != ':')
                return false;
            portText = after.sliced(1);
        }
        bracketed = true;
    } else {
        const qsizetype colon = authority.indexOf(':');
        host = colon < 0 ? authority : authority.first(colon);
        if (colon >= 0)
            portText = authority.sliced(colon + 1);
        for (char c : host)
            if (!isHostChar(c))
                return false; // user information ("@") included
    }
    if (host.isEmpty())
        return false;
    const quint16 defaultPort = t.https ? 443 : 80;
    t.port = defaultPort;
    if (!portText.isEmpty()) {
        if (portText.size() > 5)
            return false;
        int port = 0;
        for (char c : portText) {
            if (!isDigit(c))
                return false;
            port = port * 10 + (c - '0');
        }
        if (port < 1 || port > 65535)
            return false;
        t.port = quint16(port);
    }

    QByteArrayView rest = url.sliced(end);
    const qsizetype hash = rest.indexOf('#');
    if (hash >= 0)
        rest = rest.first(hash);
    // The target goes into the request line as it is: nothing that could end the line or the
    // field, nothing that would need encoding.
    for (char c : rest)
        if (c <= ' ' || c >= 127)
            return false;

    t.host = host.toByteArray();
    const QByteArray hostText = bracketed ? "[" + t.host + "]" : t.host;
    const QByteArray portPart = ":" + QByteArray::number(t.port);
    t.hostHeader = t.port == defaultPort ? hostText : hostText + portPart;
    t.tunnel = hostText + portPart;
    t.origin = (t.https ? "https://" : "http://") + t.hostHeader;
    t.pathAndQuery = rest.startsWith('/') ? rest.toByteArray() : "/" + rest.toByteArray();
    out = t;
    return true;
}

void ReplyParser::start(bool connectRequest) {
    m_state = State::Head;
    m_step = Step::StatusLine;
    m_connectRequest = connectRequest;
    m_partial.clear();
    m_headBytes = 0;
    m_interim = 0;
    m_headerLines = 0;
    m_http10 = false;
    m_status = 0;
    m_headers.clear();
    m_body.clear();
    m_sink = nullptr;
    m_bodyBytes = 0;
    m_contentLength = -1;
    m_remaining = 0;
    m_keepAlive = false;
}

QList<QByteArray> ReplyParser::headerValues(QByteArrayView name) const {
    QList<QByteArray> values;
    for (const auto &h : m_headers)
        if (QByteArrayView(h.first).compare(name, Qt::CaseInsensitive) == 0)
            values.append(h.second);
    return values;
}

void ReplyParser::fail(State state) {
    m_state = state;
    m_partial.clear();
    m_keepAlive = false;
}

// One line ending in LF (a CR before it is dropped). False when the line is not complete yet
// (its start is kept) or broke a limit (the state says so).
bool ReplyParser::takeLine(QByteArrayView data, qsizetype &pos, QByteArray &line) {
    const qsizetype room = m_limits.maxLineBytes + 2 - m_partial.size(); // + CR LF
    const QByteArrayView window = data.sliced(pos, std::min(data.size() - pos, room));
    const qsizetype nl = window.indexOf('\n');
    if (nl < 0) {
        if (window.size() >= room) {
            fail(State::Malformed);
            return false;
        }
        m_partial += window;
        pos += window.size();
        return false;
    }
    line = std::move(m_partial);
    line += window.first(nl);
    m_partial.clear();
    pos += nl + 1;
    if (line.endsWith('\r'))
        line.chop(1);
    if (line.size() > m_limits.maxLineBytes) {
        fail(State::Malformed);
        return false;
    }
    for (char c : line) {
        if ((c >= 0 && c < ' ' && c != '\t') || c == 127) {
            fail(State::Malformed);
            return false;
        }
    }
    return true;
}

qsizetype ReplyParser::feed(QByteArrayView data) {
    qsizetype pos = 0;
    while (!finished() && pos < data.size()) {
        switch (m_step) {
        case Step::StatusLine:
        case Step::HeaderLine:
        case Step::Trailer:
        case Step::ChunkSize:
        case Step::ChunkEnd: {
            const Step step = m_step;
            const qsizetype before = pos;
            QByteArray line;
            const bool complete = takeLine(data, pos, line);
            if (step != Step::ChunkSize && step != Step::ChunkEnd) {
                m_headBytes += pos - before;
                if (m_headBytes > m_limits.maxHeadBytes)
                    fail(State::Malformed);
            }
            if (!complete || finished())
                break;
            bool ok = false;
            switch (step) {
            case Step::StatusLine:
                ok = onStatusLine(line);
                break;
            case Step::HeaderLine:
            case Step::Trailer:
                ok = onHeaderLine(line);
                break;
            case Step::ChunkSize:
                ok = onChunkSize(line);
                break;
            default: // ChunkEnd: the CR LF after the chunk's data
                ok = line.isEmpty();
                m_step = Step::ChunkSize;
                break;
            }
            if (!ok && !finished())
                fail(State::Malformed);
            break;
        }
        case Step::Fixed:
        case Step::ChunkData: {
            const qint64 n = std::min<qint64>(m_remaining, data.size() - pos);
            if (!appendBody(data.sliced(pos, n)))
                break;
            pos += n;
            m_remaining -= n;
            if (m_remaining == 0) {
                if (m_step == Step::Fixed)
                    m_state = State::Complete;
                else
                    m_step = Step::ChunkEnd;
            }
            break;
        }
        case Step::UntilClose:
            if (appendBody(data.sliced(pos)))
                pos = data.size();
            break;
        }
    }
    return pos;
}

void ReplyParser::endOfStream() {
    if (m_state == State::Body && m_step == Step::UntilClose)
        m_state = State::Complete;
}

bool ReplyParser::onStatusLine(const QByteArray &line) {
    // "HTTP/1.x NNN reason"; the reason may be missing, with or without its space.
    if (line.size() < 12 || !line.startsWith("HTTP/1.") || (line[7] != '0' && line[7] != '1') ||
        line[8] != ' ' || (line.size() > 12 && line[12] != ' '))
        return false;
    int status = 0;
    for (int i = 9; i < 12; ++i) {
        if (!isDigit(line[i]))
            return false;
        status = status * 10 + (line[i] - '0');
    }
    if (status < 100)
        return false;
    m_http10 = line[7] == '0';
    m_status = status;
    m_step = Step::HeaderLine;
    return true;
}

bool ReplyParser::onHeaderLine(const QByteArray &line) {
    const bool trailer = m_step == Step::Trailer;
    if (line.isEmpty()) {
        if (!trailer)
            return onHeadEnd();
        m_state = State::Complete;
        return true;
    }
    if (isBlank(line.front())) {
        // An obsolete continuation line: it belongs to the previous field's value.
        if (trailer || m_headers.isEmpty())
            return trailer; // trailers are read and dropped
        const QByteArrayView more = trimmed(line);
        if (!more.isEmpty())
            m_headers.last().second += ' ' + more.toByteArray();
        return true;
    }
    const qsizetype colon = line.indexOf(':');
    if (colon <= 0)
        return false;
    for (char c : QByteArrayView(line).first(colon))
        if (!isTokenChar(c))
            return false;
    if (++m_headerLines > m_limits.maxHeaderCount)
        return false;
    if (!trailer)
        m_headers.append(
            {line.first(colon), trimmed(QByteArrayView(line).sliced(colon + 1)).toByteArray()});
    return true;
}

bool ReplyParser::onHeadEnd() {
    if (m_status < 200) {
        // An interim reply ("100 Continue"): the real one follows. Switching protocols was never
        // asked for.
        if (m_status == 101 || ++m_interim > m_limits.maxInterimReplies)
            return false;
        m_status = 0;
        m_headers.clear();
        m_headerLines = 0;
        m_headBytes = 0;
        m_step = Step::StatusLine;
        return true;
    }

    QList<QByteArray> connection = headerValues("Connection");
    connection += headerValues("Proxy-Connection");
    const QList<QByteArray> tokens = listItems(connection);
    const bool close = tokens.contains("close");
    m_keepAlive = !close && (!m_http10 || tokens.contains("keep-alive"));

    if ((m_connectRequest && m_status < 300) || m_status == 204 || m_status == 304) {
        m_state = State::Complete; // no body (after CONNECT the tunnel begins)
        return true;
    }
    m_state = State::Body;

    const QList<QByteArray> lengths = headerValues("Content-Length");
    const QList<QByteArray> codings = listItems(headerValues("Transfer-Encoding"));
    if (!codings.isEmpty()) {
        // Content codings are never undone, so chunked is the only transfer coding we can read.
        if (codings != QList<QByteArray>{"chunked"})
            return false;
        if (!lengths.isEmpty())
            m_keepAlive = false; // a message framed two ways: do not trust what follows it
        m_step = Step::ChunkSize;
        return true;
    }
    if (!lengths.isEmpty()) {
        qint64 length = -1;
        for (const QByteArray &value : lengths) {
            for (const QByteArray &part : value.split(',')) {
                const QByteArrayView digits = trimmed(part);
                if (digits.isEmpty() || digits.size() > 18)
                    return false;
                qint64 n = 0;
                for (char c : digits) {
                    if (!isDigit(c))
                        return false;
                    n = n * 10 + (c - '0');
                }
                if (length >= 0 && n != length)
                    return false;
                length = n;
            }
        }
        if (length > m_limits.maxBodyBytes) {
            fail(State::TooLarge);
            return false;
        }
        m_contentLength = length;
        if (length == 0) {
            m_state = State::Complete;
            return true;
        }
        m_remaining = length;
        m_step = Step::Fixed;
        return true;
    }
    m_keepAlive = false;
    m_step = Step::UntilClose;
    return true;
}

bool ReplyParser::onChunkSize(const QByteArray &line) {
    qsizetype i = 0;
    quint64 size = 0;
    while (i < line.size() && hexValue(line[i]) >= 0) {
        if (i == 16)
            return false;
        size = size * 16 + quint64(hexValue(line[i]));
        ++i;
    }
    if (i == 0)
        return false;
    while (i < line.size() && isBlank(line[i]))
        ++i;
    if (i < line.size() && line[i] != ';')
        return false; // chunk extensions are allowed and ignored, nothing else
    if (size == 0) {
        m_headBytes = 0;
        m_headerLines = 0;
        m_step = Step::Trailer;
        return true;
    }
    if (size > quint64(m_limits.maxBodyBytes - m_bodyBytes)) {
        fail(State::TooLarge);
        return false;
    }
    m_remaining = qint64(size);
    m_step = Step::ChunkData;
    return true;
}

bool ReplyParser::appendBody(QByteArrayView bytes) {
    if (bytes.size() > m_limits.maxBodyBytes - m_bodyBytes) {
        fail(State::TooLarge);
        return false;
    }
    m_bodyBytes += bytes.size();
    if (m_sink && m_status >= 200 && m_status < 300) {
        if (!bytes.isEmpty() && !m_sink(bytes)) {
            fail(State::Malformed);
            return false;
        }
        return true;
    }
    m_body += bytes;
    return true;
}

} // namespace HttpWire
