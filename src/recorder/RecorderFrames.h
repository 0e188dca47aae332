#pragma once
#include <QImage>
#include <QPoint>
#include <QtCore/qnamespace.h>

#include <optional>

// What is painted over the remote picture in a recorded frame: the operator's own pointer
// while it is over the picture, and in view-only mode the remote user's pointer indicator.
struct PointerMarks {
    std::optional<QPoint> operatorAt; // the pointer's hot spot, in picture pixels
    QImage operatorCursor;            // the cursor's picture; its hot spot below
    QPoint operatorHotSpot;
    std::optional<QPoint> remoteAt; // the indicator's tip (top left corner of its picture)
};

// The operator's arrow pointer as the frames show it (hot spot at its tip).
QImage DefaultOperatorCursor(QPoint *hotSpot);
// The pointer the view shows over the picture (it takes the remote cursor's shape) as the
// frames show it: the arrow, the text beam, the pointing hand, the cross, the hourglass, the
// sizing arrows and the forbidden sign; other shapes as the arrow. Nothing for a hidden one.
QImage OperatorCursorPicture(Qt::CursorShape shape, QPoint *hotSpot);

// Paints the marks into `frame`. The operator's pointer is left out when its position lies
// outside the picture.
void DrawPointerMarks(QImage &frame, const PointerMarks &marks);
