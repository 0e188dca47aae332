#include "transfer/uFileUtils.h"
#include "common/VersionText.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QStandardPaths>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QList<QFileInfo> entries(const QString &folder, QDir::Filters filters) {
    const QString path = NormalizeFolderPath(folder);
    if (!DriveReady(path))
        return {};
    return QDir(path).entryInfoList(filters | QDir::Hidden | QDir::NoDotAndDotDot,
                                    QDir::Name | QDir::IgnoreCase);
}

bool isOwnExecutable(const QString &filePath) {
    if (!QCoreApplication::instance())
        return false;
    const QString own = QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath();
    return !own.isEmpty() && QFileInfo(filePath).canonicalFilePath() == own;
}

QString ownVersionValue(const QString &name) {
    const struct {
        const char *name;
        QString value;
    } values[] = {
        {"CompanyName", QStringLiteral("Quorvia")},
        {"FileDescription", QStringLiteral("Quorvia Access operator console")},
        {"FileVersion", GetVersionText(0)},
        {"InternalName", QStringLiteral("quorvia")},
        {"LegalCopyright", QStringLiteral("Copyright (C) Quorvia")},
        {"OriginalFilename", QStringLiteral("quorvia")},
        {"ProductName", QStringLiteral("Quorvia Access")},
        {"ProductVersion", GetVersionText(0)},
    };
    for (const auto &v : values) {
        if (name.compare(QLatin1String(v.name), Qt::CaseInsensitive) == 0)
            return v.value;
    }
    return {};
}

} // namespace

int FileAttributes(const QFileInfo &info) {
    int attributes = 0;
    if (!info.permission(QFileDevice::WriteOwner))
        attributes |= FileAttribute::ReadOnly;
    if (info.fileName().startsWith(QLatin1Char('.')))
        attributes |= FileAttribute::Hidden;
    if (info.isDir())
        attributes |= FileAttribute::Directory;
    else if (info.isFile())
        attributes |= FileAttribute::Archive;
    return attributes;
}

QString NormalizeFolderPath(const QString &path) {
    QString p = path;
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!p.endsWith(QLatin1Char('/')))
        p.append(QLatin1Char('/'));
    return p;
}

bool DriveReady(const QString &path) {
    const QFileInfo info(NormalizeFolderPath(path));
    return info.isDir() && info.isReadable() && info.isExecutable();
}

bool HasSubfolders(const QString &folder) {
    const QString path = NormalizeFolderPath(folder);
    if (!DriveReady(path))
        return false;
    QDirIterator it(path, QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    return it.hasNext();
}

void ListSubfolders(const QString &folder, QStringList &list) {
    // QDir::Dirs lets links to folders through, which are fine; a dangling link is no folder.
    for (const QFileInfo &info : entries(folder, QDir::Dirs)) {
        if (!info.isDir())
            continue;
        QString entry = info.fileName();
        if (HasSubfolders(info.filePath()))
            entry.append(QLatin1Char('\\'));
        list.append(entry);
    }
}

void ListFiles(const QString &folder, QStringList &list) {
    // Regular files only (links to them included): reading a FIFO waits for a writer for
    // ever, and sockets, device nodes and dangling links are nothing to transfer.
    for (const QFileInfo &info : entries(folder, QDir::Files)) {
        if (!info.isFile())
            continue;
        // One arg() call: a "%2" inside a file name must not be taken as a placeholder.
        list.append(QStringLiteral("%1/%2/%3")
                        .arg(info.fileName(), QString::number(info.size()),
                             QString::number(FileAttributes(info))));
    }
}

std::unique_ptr<QFile> OpenLocalFileForTransfer(const QString &path) {
    // Special files are not even opened (opening a device can have effects). The open does
    // not wait (a FIFO would block until a writer comes) and the check is repeated on the
    // descriptor, so that the path cannot be swapped between check and open.
    if (!QFileInfo(path).isFile())
        return nullptr;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    auto file = std::make_unique<QFile>();
    if (!file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return nullptr;
    }
    return file;
}

QString ShellPathToFileSystemPath(const QString &path) {
    if (path == QLatin1String("~"))
        return QDir::homePath();
    if (path.startsWith(QLatin1String("~/")) || path.startsWith(QLatin1String("~\\")))
        return QDir::homePath() + QLatin1Char('/') + path.mid(2);
    return path;
}

QString SpecialFolderPath(int csidl) {
    switch (csidl) {
    case 5:
        return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    case 11:
        return QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation);
    case 16:
        return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    case 26:
        return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    default:
        return {};
    }
}

QString VersionInfoValue(const QString &filePath, const QString &name) {
    return isOwnExecutable(filePath) ? ownVersionValue(name) : QString();
}

QStringList ReadVersionInfo(const QString &filePath) {
    QStringList record;
    for (const char *name : VersionInfoNames)
        record.append(VersionInfoValue(filePath, QLatin1String(name)));
    return record;
}
