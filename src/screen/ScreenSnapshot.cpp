#include "screen/ScreenSnapshot.h"

#include "transfer/uFileUtils.h"

#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>
#include <QTemporaryFile>
#include <QUrl>

namespace {
constexpr int JpegQuality = 90;
// Screenshots within one second beyond this many are not worth a name of their own.
constexpr int MaxSameSecond = 1000;

QString desktopEntryValue(const QString &text) {
    QString out;
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '\\':
            out += QStringLiteral("\\\\");
            break;
        case '\n':
            out += QStringLiteral("\\n");
            break;
        case '\r':
            out += QStringLiteral("\\r");
            break;
        case '\t':
            out += QStringLiteral("\\t");
            break;
        default:
            out += c;
        }
    }
    return out;
}

QString writeLink(const QString &desktopFolder, const QString &picturePath) {
    const QString name = QStringLiteral("Quorvia ") + QFileInfo(picturePath).completeBaseName();
    const QString linkPath = QDir(desktopFolder).filePath(name + QStringLiteral(".desktop"));
    QSaveFile link(linkPath);
    if (!link.open(QIODevice::WriteOnly))
        return {};
    const QString entry =
        QStringLiteral("[Desktop Entry]\nType=Link\nName=%1\nIcon=image-x-generic\nURL=%2\n")
            .arg(desktopEntryValue(name),
                 QString::fromLatin1(QUrl::fromLocalFile(picturePath).toEncoded()));
    link.write(entry.toUtf8());
    if (!link.flush() || !link.commit())
        return {};
    return linkPath;
}
} // namespace

QString SnapshotBaseName(const QDateTime &when) {
    return when.toString(QStringLiteral("yy-MM-dd_HH-mm-ss"));
}

SnapshotResult SaveSnapshot(const QImage &picture, const QString &folder,
                            const QString &desktopFolder, const QDateTime &when) {
    SnapshotResult result;
    if (picture.isNull() || folder.isEmpty())
        return result;
    const QDir dir(folder);
    // Written beside its final name, so that the rename below is atomic.
    QTemporaryFile file(dir.filePath(QStringLiteral(".snapshot-XXXXXX.jpg")));
    if (!file.open())
        return result;
    QImageWriter writer(&file, "jpeg");
    writer.setQuality(JpegQuality);
    if (!writer.write(picture.convertToFormat(QImage::Format_RGB888)) || !file.flush())
        return result;
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                        QFileDevice::ReadOther);
    const QString written = file.fileName();
    file.close();
    const QString base = SnapshotBaseName(when);
    for (int n = 1; n <= MaxSameSecond && !result.saved; ++n) {
        const QString name =
            base + (n == 1 ? QString() : QStringLiteral("_%1").arg(n)) + QStringLiteral(".jpg");
        const QString path = dir.filePath(name);
        // QFile::rename never replaces an existing file: a name taken by anyone, even in the
        // same instant, moves on to the next one. (QTemporaryFile's own rename loses its file
        // after one refusal, so the static one renames it.)
        if (QFile::rename(written, path)) {
            file.setAutoRemove(false);
            result.saved = true;
            result.picturePath = path;
        } else if (!QFileInfo::exists(path)) {
            return result; // the folder refuses the file itself
        }
    }
    if (result.saved && !desktopFolder.isEmpty() && QFileInfo(desktopFolder).isDir())
        result.linkPath = writeLink(desktopFolder, result.picturePath);
    return result;
}

QString DesktopFolder() {
    const QString desktop = SpecialFolderPath(16);
    if (desktop.isEmpty() || !QFileInfo(desktop).isDir())
        return {};
    if (QDir(desktop).canonicalPath() == QDir::home().canonicalPath())
        return {};
    return desktop;
}

bool PrintInLandscape(QSize picture) {
    return picture.width() > picture.height();
}

QRect PrintTarget(QSize picture, QSize page) {
    if (picture.isEmpty() || page.isEmpty())
        return {};
    const long double w = picture.width();
    const long double h = picture.height();
    const long double s = w / h > static_cast<long double>(page.width()) / page.height()
                              ? page.width() / w
                              : page.height() / h;
    return QRect(0, 0, int(w * s), int(h * s));
}
