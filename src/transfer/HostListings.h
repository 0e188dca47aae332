#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <optional>

// The host's text forms of drives, folders and files, read from outside input with a bound on
// every size, and the file view's texts made from them. Names arrive in Windows-1252.
namespace HostListings {

// What a list fetch may inflate to, how many lines are read and how long a line may be (a
// longer one is dropped: no Windows name is that long).
inline constexpr qsizetype kMaxListBytes = 16 * 1024 * 1024;
inline constexpr qsizetype kMaxListLines = 100000;
inline constexpr qsizetype kMaxLineBytes = 2048;
// Drives of one "Drvs" reply, and the length of a drive name.
inline constexpr int kMaxDrives = 64;
inline constexpr int kMaxDriveNameBytes = 64;
// File sizes beyond this (a petabyte) count as not parsing.
inline constexpr qint64 kMaxFileSize = qint64(1) << 50;

// A drive of the "Drvs" reply; kind is the digit after the name, -1 when it is none.
struct Drive {
    QString name;
    int kind = -1;
};
struct DriveList {
    QString first; // the drive to open first; empty when the reply had none
    QList<Drive> drives;
};
// "C:-A:2-C:3-D:5-": items ended by "-", the first the drive to open first, every further one a
// drive name followed by its kind digit.
DriveList ParseDriveList(QByteArrayView parameters);

struct FolderEntry {
    QString name;
    bool hasSubfolders = false; // the host wrote the name with a trailing "\"
};
struct FileEntry {
    QString name;
    qint64 size = 0;
    int attributes = 0;
};

// The lines of an inflated list, split at CR LF or LF; at most kMaxListLines, overlong lines
// dropped.
QList<QByteArray> SplitLines(QByteArrayView text);
// A list fetch's body: zlib text, one entry per line. Nothing when it does not inflate within
// kMaxListBytes.
std::optional<QList<QByteArray>> InflateList(QByteArrayView body);

// A "Gdir" listing: one folder per line, "%Empty%" first for none; empty names are skipped.
QList<FolderEntry> ParseFolderList(const QList<QByteArray> &lines);
// A "Gfil" listing: "name/size/attributes" per line, "%Empty%" first for none. The last two
// fields are taken from the right, so a name with a "/" in it stays whole (and is refused
// later as a file name). A size or attribute field that does not parse counts as 0.
QList<FileEntry> ParseFileList(const QList<QByteArray> &lines);

// The file view's "Size": size div 1024 + 1, then " kB" (0 to 1023 bytes show 1 kB).
QString FileSizeText(qint64 size);
// The file view's "Attr": "R-", "H-", "S-", "A-" for the bits 1, 2, 4 and 32, without the
// last character.
QString AttributeText(int attributes);

// One of the 23 archive extensions (".ZIP", ".7Z", ...), compared without regard to case; such
// files travel as they are, every other one through zlib.
bool IsArchiveFile(const QString &name);

// The parameter of a "SfSt" or "RfSt" status.
struct TransferStatus {
    enum Kind { Unknown, Percent, Failed, Done } kind = Unknown;
    int percent = 0; // Percent: 0 to 100
    QString reason;  // Failed: from the fifth character on, when the parameter has at least six
};
TransferStatus ParseTransferStatus(QByteArrayView parameter);

// The "Sfil" parameter: name + "&" + size, split at the last "&" (names may hold one). A size that
// does not parse (or is beyond kMaxFileSize) is 0.
struct StoredFile {
    QString name;
    qint64 size = 0;
};
StoredFile ParseStoredFile(QByteArrayView parameter);

} // namespace HostListings
