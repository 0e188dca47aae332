#pragma once
#include <QImage>
#include <QPolygon>

// The remote user's pointer as the console shows it in view-only mode: a red arrow with a dark
// edge, its tip at (0, 0). The indicator window and the recorded frames draw the same picture.
QPolygon RemotePointerArrow();
// The arrow on a transparent picture just large enough for it and its edge.
QImage RemotePointerPicture();
