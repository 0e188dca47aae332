#include "gateway/Url_Utils.h"

namespace {
bool isAsciiAlnum(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

int hexValue(unsigned char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

QByteArray decodeValue(const char *p, qsizetype n) {
    QByteArray out;
    out.reserve(n);
    for (qsizetype i = 0; i < n; ++i) {
        const unsigned char c = static_cast<unsigned char>(p[i]);
        if (c == '+') {
            out.append(' ');
        } else if (c == '%' && i + 2 < n) {
            const int hi = hexValue(static_cast<unsigned char>(p[i + 1]));
            const int lo = hexValue(static_cast<unsigned char>(p[i + 2]));
            if (hi >= 0 && lo >= 0) {
                out.append(static_cast<char>(hi * 16 + lo));
                i += 2;
            } else {
                out.append('%');
            }
        } else {
            out.append(static_cast<char>(c));
        }
    }
    return out;
}
} // namespace

QByteArray EncodeQueryValue(const QByteArray &value) {
    static const char hex[] = "0123456789ABCDEF";
    QByteArray out;
    out.reserve(value.size() * 3);
    for (const char ch : value) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (isAsciiAlnum(c)) {
            out.append(ch);
        } else {
            out.append('%');
            out.append(hex[c >> 4]);
            out.append(hex[c & 0x0f]);
        }
    }
    return out;
}

bool GetUrlParam(const QByteArray &text, const QByteArray &name, QByteArray &out) {
    out.clear();
    const qsizetype n = text.size();
    qsizetype pos = 0;
    while (pos < n) {
        qsizetype eq = text.indexOf('=', pos);
        if (eq < 0)
            eq = n;
        const qsizetype nameLen = eq - pos;
        qsizetype valueStart = eq < n ? eq + 1 : n;
        qsizetype amp = text.indexOf('&', valueStart);
        if (amp < 0)
            amp = n;
        if (nameLen == name.size() &&
            qstrnicmp(text.constData() + pos, name.constData(), nameLen) == 0) {
            out = decodeValue(text.constData() + valueStart, amp - valueStart);
            return true;
        }
        pos = amp + 1;
    }
    return false;
}
