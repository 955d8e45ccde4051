#include "docview/mouse/rules/MouseModes.h"

namespace MouseModes {

bool IsTransient(Mode mode)
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

Mode ModeAfterRelease(Mode mode)
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

bool HoldsDragStep(Mode mode)
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

bool MovesBoundary(Mode mode)
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

bool MovesUnitsBelow(Mode mode)
{
    return mode == DragBoundaryShift || mode == InsertDragShift || mode == SplitDragShift || mode == PickedDragShift;
}

bool SelectsByBand(Mode mode) { return (mode >= SelectSingle && mode <= BandAdd) || mode == CorrelatePick; }

bool ShowsPickHandles(Mode mode) { return mode >= Picked && mode <= PickedDragShift; }

} // namespace MouseModes
