#pragma once
#include <QDateTime>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

// Saving and printing the remote picture: file names, the JPEG with its desktop link, and where
// a print goes on the page. No windows here; the printer dialog and the painting on a printer
// live with the toolbar buttons.

// "YY-MM-DD_HH-MM-SS" of `when` (24-hour clock, local time): 15 March 2008 at 14:05:33 gives
// "08-03-15_14-05-33". Fixed digits instead of the desktop's long time format, which on this
// platform may carry a time-zone name with blanks and slashes.
QString SnapshotBaseName(const QDateTime &when);

struct SnapshotResult {
    bool saved = false;
    QString picturePath; // the JPEG written
    QString linkPath;    // the desktop link; empty when there is no desktop folder
};

// Writes `picture` as a baseline JPEG of quality 90 into `folder`, named after `when`. The file
// appears whole or not at all and never replaces another one: a name already taken (a second
// screenshot within one second) gets "_2", "_3", … Then a freedesktop link to it named
// "Quorvia " + the file's base name + ".desktop" goes into `desktopFolder` unless that is empty
// or missing; a link that cannot be written leaves the screenshot saved.
SnapshotResult SaveSnapshot(const QImage &picture, const QString &folder,
                            const QString &desktopFolder, const QDateTime &when);

// The user's desktop folder (XDG_DESKTOP_DIR), or empty when there is none: a desktop that does
// not exist, or one that is just the home folder (no desktop configured).
QString DesktopFolder();

// Where a picture of `picture` size goes on a page: printed in landscape when it is wider than
// high; `target` scales it to fill the page's width or height, whichever is reached first, with
// the aspect ratio kept, at the page's top left corner.
bool PrintInLandscape(QSize picture);
QRect PrintTarget(QSize picture, QSize page);
