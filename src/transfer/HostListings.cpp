#include "transfer/HostListings.h"

#include "common/Cp1252.h"
#include "common/Zlib.h"

namespace HostListings {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// A decimal number of at most 18 digits without sign, or nothing.
std::optional<qint64> decimal(QByteArrayView text) {
    if (text.isEmpty() || text.size() > 18)
        return std::nullopt;
    qint64 n = 0;
    for (char c : text) {
        if (!isDigit(c))
            return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n;
}

bool isEmptyMarker(const QList<QByteArray> &lines) {
    return !lines.isEmpty() && lines.first() == "%Empty%";
}

} // namespace

DriveList ParseDriveList(QByteArrayView parameters) {
    DriveList out;
    qsizetype pos = 0;
    auto nextItem = [&]() {
        const qsizetype dash = parameters.indexOf('-', pos);
        const qsizetype end = dash < 0 ? parameters.size() : dash;
        const QByteArrayView item = parameters.sliced(pos, end - pos);
        pos = dash < 0 ? parameters.size() : dash + 1;
        return item;
    };
    if (parameters.isEmpty())
        return out;
    const QByteArrayView first = nextItem();
    if (first.size() <= kMaxDriveNameBytes)
        out.first = fromCp1252(first.toByteArray());
    while (parameters.size() - pos > 1 && out.drives.size() < kMaxDrives) {
        const QByteArrayView item = nextItem();
        if (item.size() < 2 || item.size() > kMaxDriveNameBytes + 1)
            continue;
        Drive d;
        d.name = fromCp1252(item.first(item.size() - 1).toByteArray());
        const char kind = item.back();
        d.kind = isDigit(kind) ? kind - '0' : -1;
        out.drives.append(d);
    }
    return out;
}

QList<QByteArray> SplitLines(QByteArrayView text) {
    QList<QByteArray> lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    auto take = [&](qsizetype end) {
        if (end - start <= kMaxLineBytes)
            lines.append(text.sliced(start, end - start).toByteArray());
    };
    for (qsizetype i = 0; i < n && lines.size() < kMaxListLines; ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n')
            continue;
        // A lone CR is no line end: only CR LF and LF are.
        if (c == '\r' && (i + 1 >= n || text[i + 1] != '\n'))
            continue;
        take(i);
        if (c == '\r')
            ++i;
        start = i + 1;
    }
    if (start < n && lines.size() < kMaxListLines)
        take(n);
    return lines;
}

std::optional<QList<QByteArray>> InflateList(QByteArrayView body) {
    const auto text = Zlib::inflateBounded(body, kMaxListBytes);
    if (!text)
        return std::nullopt;
    return SplitLines(*text);
}

QList<FolderEntry> ParseFolderList(const QList<QByteArray> &lines) {
    QList<FolderEntry> out;
    if (isEmptyMarker(lines))
        return out;
    for (const QByteArray &line : lines) {
        FolderEntry e;
        QByteArray name = line;
        if (name.endsWith('\\')) {
            name.chop(1);
            e.hasSubfolders = true;
        }
        if (name.isEmpty())
            continue;
        e.name = fromCp1252(name);
        out.append(e);
    }
    return out;
}

QList<FileEntry> ParseFileList(const QList<QByteArray> &lines) {
    QList<FileEntry> out;
    if (isEmptyMarker(lines))
        return out;
    for (const QByteArray &line : lines) {
        if (line.isEmpty())
            continue;
        FileEntry e;
        QByteArrayView name = line;
        const qsizetype last = line.lastIndexOf('/');
        if (last >= 0) {
            const qsizetype before = last > 0 ? line.lastIndexOf('/', last - 1) : -1;
            if (before >= 0) {
                name = QByteArrayView(line).first(before);
                const auto size =
                    decimal(QByteArrayView(line).sliced(before + 1, last - before - 1));
                e.size = size && *size <= kMaxFileSize ? *size : 0;
            } else {
                name = QByteArrayView(line).first(last);
            }
            const auto attributes = decimal(QByteArrayView(line).sliced(last + 1));
            e.attributes = attributes && *attributes <= 0xffffffffLL ? int(*attributes) : 0;
        }
        if (name.isEmpty())
            continue;
        e.name = fromCp1252(name.toByteArray());
        out.append(e);
    }
    return out;
}

QString FileSizeText(qint64 size) {
    qint64 kb = (size < 0 ? 0 : size) / 1024 + 1;
    if (kb == 0)
        kb = 1;
    return QString::number(kb) + QStringLiteral(" kB");
}

QString AttributeText(int attributes) {
    QString text;
    if (attributes & 1)
        text += QStringLiteral("R-");
    if (attributes & 2)
        text += QStringLiteral("H-");
    if (attributes & 4)
        text += QStringLiteral("S-");
    if (attributes & 32)
        text += QStringLiteral("A-");
    text.chop(1);
    return text;
}

bool IsArchiveFile(const QString &name) {
    static const char *const extensions[] = {".ACE", ".ARC", ".ARJ", ".PAK",  ".TAR", ".RAR",
                                             ".ZOO", ".ZIP", ".GZ",  ".GZIP", ".CAB", ".JAR",
                                             ".LHA", ".RPM", ".DEB", ".ENC",  ".EZ",  ".BH",
                                             ".PK3", ".TGZ", ".XXE", ".Z",    ".7Z"};
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return false;
    const QString extension = name.mid(dot);
    for (const char *e : extensions)
        if (extension.compare(QLatin1String(e), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

TransferStatus ParseTransferStatus(QByteArrayView parameter) {
    TransferStatus s;
    if (parameter.startsWith("NOK")) {
        s.kind = TransferStatus::Failed;
        if (parameter.size() >= 6)
            s.reason = fromCp1252(parameter.sliced(4)
                                      .first(qMin<qsizetype>(parameter.size() - 4, 512))
                                      .toByteArray());
    } else if (parameter == "OK") {
        s.kind = TransferStatus::Done;
    } else if (parameter.startsWith('P')) {
        const auto n = decimal(parameter.sliced(1));
        if (n && *n <= 100) {
            s.kind = TransferStatus::Percent;
            s.percent = int(*n);
        }
    }
    return s;
}

StoredFile ParseStoredFile(QByteArrayView parameter) {
    StoredFile f;
    // A name may hold "&" itself; the size is digits only, so it follows the last one.
    const qsizetype amp = parameter.lastIndexOf('&');
    const QByteArrayView name = amp < 0 ? parameter : parameter.first(amp);
    f.name = fromCp1252(name.first(qMin<qsizetype>(name.size(), kMaxLineBytes)).toByteArray());
    if (amp >= 0) {
        const auto size = decimal(parameter.sliced(amp + 1));
        f.size = size && *size <= kMaxFileSize ? *size : 0;
    }
    return f;
}

} // namespace HostListings
