#include "docview/mouse/rules/MouseModes.h"

namespace MouseModes {

bool IsTransient(int mode)
{
    switch (mode) {
    case DragBoundary:
    case DragBoundaryShift:
    case SelectSingle:
    case SelectAdd:
    case SelectExtend:
    case BandNew:
    case BandAdd:
    case InsertDrag:
    case InsertDragShift:
    case SplitWait:
    case SplitWaitShift:
    case SplitDrag:
    case SplitDragShift:
    case PickedDrag:
    case PickedDragShift:
    case CorrelatePick: return true;
    default: return false;
    }
}

int ModeAfterRelease(int mode)
{
    switch (mode) {
    case DragBoundary:
    case DragBoundaryShift:
    case SelectSingle:
    case SelectAdd:
    case SelectExtend:
    case BandNew:
    case BandAdd:
    case SplitWait:
    case SplitWaitShift:
    case SplitDrag:
    case SplitDragShift: return Normal;
    case InsertDrag:
    case InsertDragShift: return Insert;
    case PickedDrag:
    case PickedDragShift: return Picked;
    case CorrelatePick: return Correlate;
    default: return mode;
    }
}

bool HoldsDragStep(int mode)
{
    switch (mode) {
    case DragBoundary:
    case DragBoundaryShift:
    case InsertDrag:
    case InsertDragShift:
    case SplitWait:
    case SplitWaitShift:
    case SplitDrag:
    case SplitDragShift:
    case PickedDrag:
    case PickedDragShift: return true;
    default: return false;
    }
}

bool MovesBoundary(int mode)
{
    switch (mode) {
    case DragBoundary:
    case DragBoundaryShift:
    case InsertDrag:
    case InsertDragShift:
    case SplitDrag:
    case SplitDragShift:
    case PickedDrag:
    case PickedDragShift: return true;
    default: return false;
    }
}

bool MovesUnitsBelow(int mode)
{
    return mode == DragBoundaryShift || mode == InsertDragShift || mode == SplitDragShift || mode == PickedDragShift;
}

bool SelectsByBand(int mode) { return (mode >= SelectSingle && mode <= BandAdd) || mode == CorrelatePick; }

} // namespace MouseModes
