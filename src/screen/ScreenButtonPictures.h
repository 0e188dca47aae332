#pragma once
#include <QIcon>
#include <QString>

#include <functional>

// The 24 by 24 pictures of the screen buttons (full-screen toolbar, scaling and wallpaper
// buttons), by resource name ("rcRefresh_bmp"). A picture in the program's resources wins;
// otherwise the picture is drawn here. The icon's active mode holds the "Sel" variant shown
// under the pointer.
QIcon ScreenButtonIcon(const QString &resourceName);

// The icon of a button picture "rcName_bmp" made by `draw("Name", selected)`: its normal and
// its active ("Sel") picture.
QIcon ButtonIconFrom(const QString &resourceName,
                     const std::function<QPixmap(const QString &stem, bool selected)> &draw);
