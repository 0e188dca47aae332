#pragma once
#include <QPixmap>
#include <QString>

class QPainter;
class QRect;

// The console's pictures are SVG resources under the names the windows know them by
// ("rcInfoLeft_bmp", "rcTip_bmp", ...). A missing or damaged picture gives an empty pixmap and
// no error, so a window still opens with its texts.

// The picture at the given size in device-independent pixels (its designed size when empty),
// rendered sharp for the screen's pixel ratio.
QPixmap LoadResourceBitmap(const QString &name, const QSize &size = QSize());
// The designed size of a picture; empty when it is missing.
QSize ResourceBitmapSize(const QString &name);

// Paints a panel made of a left cap, a stretched centre and a right cap over `target`. The caps
// keep their designed width; the top `fixedTop` and bottom `fixedBottom` rows of every piece
// keep their designed height, so corners and the title band never stretch when the window grows.
// An empty name leaves that piece out (the window's own background shows there).
void DrawSlicedPanel(QPainter &painter, const QRect &target, const QString &left,
                     const QString &center, const QString &right, int fixedTop, int fixedBottom);
