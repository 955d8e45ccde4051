#include "docview/mouse/rules/MouseModes.h"

namespace MouseModes {

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

// Every standing mode stays as it is at a release; every transient one goes back to its standing mode.
bool IsTransient(Mode mode) { return ModeAfterRelease(mode) != mode; }

// The drags that move a boundary, and the wait of a split, whose press has already made a boundary.
bool HoldsDragStep(Mode mode) { return MovesBoundary(mode) || mode == SplitWait || mode == SplitWaitShift; }

bool MovesUnitsBelow(Mode mode)
{
    return mode == DragBoundaryShift || mode == InsertDragShift || mode == SplitDragShift || mode == PickedDragShift;
}

bool SelectsByBand(Mode mode) { return (mode >= SelectSingle && mode <= BandAdd) || mode == CorrelatePick; }

bool ShowsPickHandles(Mode mode) { return mode >= Picked && mode <= PickedDragShift; }

} // namespace MouseModes
