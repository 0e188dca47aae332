#include "common/Cp1252.h"

namespace {

// Code points of the bytes 0x80 to 0x9F; the undefined ones carry their own C1 value.
constexpr char16_t HighTable[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char toByte(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return char(cp);
    for (int i = 0; i < 32; ++i) {
        if (HighTable[i] == cp)
            return char(0x80 + i);
    }
    return '?';
}

} // namespace

QByteArray toCp1252(const QString &text) {
    QByteArray out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < n && text.at(i + 1).isLowSurrogate()) {
            ++i;
            out.append('?');
            continue;
        }
        out.append(c.isSurrogate() ? '?' : toByte(c.unicode()));
    }
    return out;
}

QString fromCp1252(const QByteArray &bytes) {
    QString out;
    out.resize(bytes.size());
    QChar *dst = out.data();
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        *dst++ = (b >= 0x80 && b < 0xA0) ? QChar(HighTable[b - 0x80]) : QChar(b);
    }
    return out;
}
