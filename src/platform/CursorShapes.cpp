#include "platform/CursorShapes.h"
#include "platform/CursorNumbers.h"

Qt::CursorShape CursorShapeForNumber(int number) {
    switch (number) {
    case CursorNumber::None:
        return Qt::BlankCursor;
    case CursorNumber::Arrow:
        return Qt::ArrowCursor;
    case CursorNumber::Cross:
        return Qt::CrossCursor;
    case CursorNumber::IBeam:
        return Qt::IBeamCursor;
    case CursorNumber::SizeNESW:
        return Qt::SizeBDiagCursor;
    case CursorNumber::SizeNS:
        return Qt::SizeVerCursor;
    case CursorNumber::SizeNWSE:
        return Qt::SizeFDiagCursor;
    case CursorNumber::SizeWE:
        return Qt::SizeHorCursor;
    case CursorNumber::UpArrow:
        return Qt::UpArrowCursor;
    case CursorNumber::HourGlass:
        return Qt::WaitCursor;
    case CursorNumber::Drag:
        return Qt::DragMoveCursor;
    case CursorNumber::NoDrop:
    case CursorNumber::No:
        return Qt::ForbiddenCursor;
    case CursorNumber::HSplit:
        return Qt::SplitHCursor;
    case CursorNumber::VSplit:
        return Qt::SplitVCursor;
    case CursorNumber::MultiDrag:
        return Qt::DragCopyCursor;
    case CursorNumber::SqlWait:
    case CursorNumber::AppStart:
        return Qt::BusyCursor;
    case CursorNumber::Help:
        return Qt::WhatsThisCursor;
    case CursorNumber::HandPoint:
        return Qt::PointingHandCursor;
    case CursorNumber::SizeAll:
        return Qt::SizeAllCursor;
    default:
        return Qt::ArrowCursor;
    }
}
