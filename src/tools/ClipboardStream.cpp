#include "tools/ClipboardStream.h"

#include "common/Cp1252.h"

#include <QtEndian>

namespace ClipboardStream {

namespace {
bool isAscii(const QString &text) {
    for (const QChar c : text) {
        if (c.unicode() >= 0x80)
            return false;
    }
    return true;
}

void appendLe32(QByteArray &out, quint32 v) {
    const quint32 le = qToLittleEndian(v);
    out.append(reinterpret_cast<const char *>(&le), 4);
}

// Reads values from the front of the list; every read checks the bytes that are left.
class Reader {
public:
    explicit Reader(QByteArrayView bytes) : m_p(bytes.data()), m_left(bytes.size()) {}

    bool byte(quint8 &v) {
        if (m_left < 1)
            return fail("list cut short");
        v = quint8(*m_p);
        advance(1);
        return true;
    }

    // The next byte without reading it; -1 at the end.
    int peek() const { return m_left > 0 ? int(quint8(*m_p)) : -1; }

    bool integer(qint32 &v) {
        quint8 tag = 0;
        if (!byte(tag))
            return false;
        switch (tag) {
        case TagInt8:
            if (m_left < 1)
                return fail("integer cut short");
            v = qint8(*m_p);
            advance(1);
            return true;
        case TagInt16:
            if (m_left < 2)
                return fail("integer cut short");
            v = qFromLittleEndian<qint16>(m_p);
            advance(2);
            return true;
        case TagInt32:
            if (m_left < 4)
                return fail("integer cut short");
            v = qFromLittleEndian<qint32>(m_p);
            advance(4);
            return true;
        default:
            return fail("value is not an integer");
        }
    }

    bool string(QString &s) {
        quint8 tag = 0;
        if (!byte(tag))
            return false;
        qint64 length = 0;
        switch (tag) {
        case TagString: {
            quint8 n = 0;
            if (!byte(n))
                return false;
            length = n;
            break;
        }
        case TagLString:
        case TagWString:
        case TagUtf8String:
            if (m_left < 4)
                return fail("string length cut short");
            // The host writes a signed 32-bit length.
            length = qFromLittleEndian<qint32>(m_p);
            advance(4);
            break;
        default:
            return fail("value is not a string");
        }
        const qint64 bytes = tag == TagWString ? length * 2 : length;
        if (length < 0 || bytes > m_left)
            return fail("string longer than the list");
        const QByteArrayView raw(m_p, qsizetype(bytes));
        if (tag == TagWString)
            s = QString::fromUtf16(reinterpret_cast<const char16_t *>(raw.data()),
                                   qsizetype(length));
        else if (tag == TagUtf8String)
            s = QString::fromUtf8(raw);
        else
            s = fromCp1252(raw.toByteArray());
        advance(qsizetype(bytes));
        return true;
    }

    bool block(qint32 size, QByteArray &out) {
        if (size < 0)
            return fail("negative block size");
        if (size > m_left)
            return fail("block larger than the list");
        out = QByteArray(m_p, size);
        advance(size);
        return true;
    }

    bool fail(const char *why) {
        m_why = QString::fromLatin1(why);
        return false;
    }
    QString why() const { return m_why; }

private:
    void advance(qsizetype n) {
        m_p += n;
        m_left -= n;
    }
    const char *m_p;
    qsizetype m_left;
    QString m_why;
};
} // namespace

void appendInt(QByteArray &out, qint32 value) {
    if (value >= -128 && value <= 127) {
        out.append(char(TagInt8));
        out.append(char(qint8(value)));
    } else if (value >= -32768 && value <= 32767) {
        out.append(char(TagInt16));
        const qint16 le = qToLittleEndian(qint16(value));
        out.append(reinterpret_cast<const char *>(&le), 2);
    } else {
        out.append(char(TagInt32));
        appendLe32(out, quint32(value));
    }
}

void appendString(QByteArray &out, const QString &text) {
    if (!isAscii(text)) {
        const QByteArray utf8 = text.toUtf8();
        out.append(char(TagUtf8String));
        appendLe32(out, quint32(utf8.size()));
        out.append(utf8);
        return;
    }
    const QByteArray ansi = text.toLatin1();
    if (ansi.size() <= 255) {
        out.append(char(TagString));
        out.append(char(quint8(ansi.size())));
    } else {
        out.append(char(TagLString));
        appendLe32(out, quint32(ansi.size()));
    }
    out.append(ansi);
}

QByteArray encode(const QList<Entry> &entries) {
    QByteArray out;
    out.append('\x01');
    for (const Entry &e : entries) {
        if (e.format == 0 || e.data.isEmpty())
            continue;
        appendInt(out, e.format);
        appendString(out, e.name.left(kMaxNameChars));
        appendInt(out, qint32(e.data.size()));
        out.append(e.data);
    }
    out.append('\0');
    return out;
}

std::optional<QList<Entry>> decode(QByteArrayView bytes, QString *why) {
    Reader r(bytes);
    auto failed = [&]() -> std::optional<QList<Entry>> {
        if (why)
            *why = r.why();
        return std::nullopt;
    };
    quint8 start = 0;
    if (!r.byte(start))
        return failed();
    if (start != 1) {
        r.fail("no list start");
        return failed();
    }
    QList<Entry> entries;
    for (int read = 0;; ++read) {
        // The list end is the byte 0 where the next format number's value type would be.
        const int next = r.peek();
        if (next < 0) {
            r.fail("no list end");
            return failed();
        }
        if (next == 0)
            break;
        if (read >= kMaxEntries) {
            r.fail("too many formats");
            return failed();
        }
        Entry e;
        qint32 size = 0;
        if (!r.integer(e.format) || !r.string(e.name) || !r.integer(size) || !r.block(size, e.data))
            return failed();
        e.name.truncate(kMaxNameChars);
        if (e.format != 0)
            entries.append(std::move(e));
    }
    return entries;
}

} // namespace ClipboardStream
