#include "platform/CursorShapes.h"

Qt::CursorShape CursorShapeForNumber(int number) {
    switch (number) {
    case -1:
        return Qt::BlankCursor;
    case -2:
        return Qt::ArrowCursor;
    case -3:
        return Qt::CrossCursor;
    case -4:
        return Qt::IBeamCursor;
    case -6:
        return Qt::SizeBDiagCursor;
    case -7:
        return Qt::SizeVerCursor;
    case -8:
        return Qt::SizeFDiagCursor;
    case -9:
        return Qt::SizeHorCursor;
    case -10:
        return Qt::UpArrowCursor;
    case -11:
        return Qt::WaitCursor;
    case -12:
        return Qt::DragMoveCursor;
    case -13:
    case -18:
        return Qt::ForbiddenCursor;
    case -14:
        return Qt::SplitHCursor;
    case -15:
        return Qt::SplitVCursor;
    case -16:
        return Qt::DragCopyCursor;
    case -17:
    case -19:
        return Qt::BusyCursor;
    case -20:
        return Qt::WhatsThisCursor;
    case -21:
        return Qt::PointingHandCursor;
    case -22:
        return Qt::SizeAllCursor;
    default:
        return Qt::ArrowCursor;
    }
}
