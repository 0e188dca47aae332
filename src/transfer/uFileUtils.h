#pragma once
#include <QFile>
#include <QString>
#include <QStringList>

#include <memory>

class QFileInfo;

// File-system routines for the operator's computer. The listings have the same entry forms as
// the host's folder and file listings, so both panes of the file transfer window read alike:
//   folder entry: name, with "\" appended when the folder has subfolders of its own;
//   file entry:   name + "/" + size in bytes + "/" + attribute bits, both in decimal.
// Paths may be written with "/" or "\": a "\" is taken as "/", so a Linux file name that holds
// a backslash cannot be reached through these routines. No routine reports a failure: a
// missing or unreadable folder lists nothing.

// The Windows attribute bits a file entry carries. Linux has no such bits; they are derived:
// read-only when the owner may not write, hidden for names starting with ".", directory, and
// archive for every regular file (Windows sets it on each file written, so host listings
// show it almost everywhere).
namespace FileAttribute {
inline constexpr int ReadOnly = 1;
inline constexpr int Hidden = 2;
inline constexpr int Directory = 16;
inline constexpr int Archive = 32;
} // namespace FileAttribute

int FileAttributes(const QFileInfo &info);

// The path with "/" separators and a trailing "/".
QString NormalizeFolderPath(const QString &path);

// Whether the path's folder can be listed: there are no drive letters, so the test is that the
// folder exists and may be read and entered.
bool DriveReady(const QString &path);
bool HasSubfolders(const QString &folder);
// Append the entries of `folder` to `list`, hidden ones included, sorted by name without regard
// to case as the Windows file system returns them. Only folders and regular files are listed
// (links to them count as what they point to); FIFOs, sockets, device nodes and dangling links
// are left out, as the Windows listings never show such things.
void ListSubfolders(const QString &folder, QStringList &list);
void ListFiles(const QString &folder, QStringList &list);

// The file at `path` opened for reading to send it, or null when it cannot be opened or is not
// a regular file (links to one are followed). Never waits on a FIFO or a device.
std::unique_ptr<QFile> OpenLocalFileForTransfer(const QString &path);

// "~" and "~/..." name the home folder; any other path is returned as it is.
QString ShellPathToFileSystemPath(const QString &path);

// The Windows special-folder numbers the callers use, mapped to the desktop's folders:
// 5 documents, 11 start menu (the applications folder), 16 desktop, 26 application data.
// Any other number gives an empty path.
QString SpecialFolderPath(int csidl);

// Version information: Linux executables carry none, so our own executable answers from the
// build's constants and every other file gives empty values.
inline constexpr const char *VersionInfoNames[8] = {
    "CompanyName",    "FileDescription",  "FileVersion", "InternalName",
    "LegalCopyright", "OriginalFilename", "ProductName", "ProductVersion"};
QString VersionInfoValue(const QString &filePath, const QString &name);
// The eight values in the order of VersionInfoNames.
QStringList ReadVersionInfo(const QString &filePath);
