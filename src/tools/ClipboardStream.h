#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <optional>

// The component-stream list that carries a whole clipboard between the console and the host
// program: one byte 1, then for every format its number, its registered name (empty for the
// predefined formats), its size and its bytes, then one byte 0. Numbers and names are tagged
// values as the host's stream reader knows them.
namespace ClipboardStream {

// What the list may hold at most: the clipboard limit, and no more formats than a clipboard
// could sensibly carry.
inline constexpr qsizetype kMaxContentBytes = 5000000;
inline constexpr int kMaxEntries = 1024;
// A registered name is read into a buffer of 129 characters on the host: 128 are kept.
inline constexpr int kMaxNameChars = 128;

struct Entry {
    qint32 format = 0;
    QString name;
    QByteArray data;
    bool operator==(const Entry &) const = default;
};

// Value type bytes of the stream.
enum Tag : quint8 {
    TagInt8 = 2,
    TagInt16 = 3,
    TagInt32 = 4,
    TagString = 6,     // one length byte, ANSI characters
    TagLString = 12,   // four-byte length, ANSI characters
    TagWString = 18,   // four-byte length in characters, UTF-16 little-endian
    TagUtf8String = 20 // four-byte length in bytes, UTF-8
};

// The smallest of the three integer forms that holds `value`.
void appendInt(QByteArray &out, qint32 value);
// ASCII names as TagString (TagLString beyond 255 characters), anything else as TagUtf8String.
void appendString(QByteArray &out, const QString &text);

// The whole list. Names longer than kMaxNameChars are cut there; entries of format 0 or
// without bytes are left out, as the host never writes them.
QByteArray encode(const QList<Entry> &entries);

// Reads a whole list. Anything malformed (an unknown value type, a length or size beyond the
// bytes present, a negative size, too many entries, a missing list end) gives nothing and a
// reason; nothing is half-read. Bytes after the list end are ignored. Entries of format 0 are
// skipped, as the host skips them.
std::optional<QList<Entry>> decode(QByteArrayView bytes, QString *why = nullptr);

} // namespace ClipboardStream
