#pragma once
#include <QImage>
#include <QPoint>

#include <optional>

// What is painted over the remote picture in a recorded frame: the operator's own pointer
// while it is over the picture, and in view-only mode the remote user's pointer indicator.
struct PointerMarks {
    std::optional<QPoint> operatorAt; // the pointer's hot spot, in picture pixels
    QImage operatorCursor;            // the cursor's picture; its hot spot below
    QPoint operatorHotSpot;
    std::optional<QPoint> remoteAt; // top left corner of the remote pointer indicator
};

// The operator's arrow pointer as the frames show it (hot spot at its tip).
QImage DefaultOperatorCursor(QPoint *hotSpot);

// The remote pointer indicator's arrow: red, 15 by 22 pixels.
QImage RemotePointerPicture();

// Paints the marks into `frame`. The operator's pointer is left out when its position lies
// outside the picture.
void DrawPointerMarks(QImage &frame, const PointerMarks &marks);
