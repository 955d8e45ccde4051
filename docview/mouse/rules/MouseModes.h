#pragma once
// The edit modes of the mouse, the one numbering of them: the standing modes that the mode commands
// set, and the transient modes that a button press enters and its release leaves. Which way a drag
// moves the units below, which modes hold a drag step open, and where each mode goes at the release.

namespace MouseModes {

enum Mode {
    Normal = 0,
    DragBoundary = 1,      // a boundary dragged; the next unit takes up the change
    DragBoundaryShift = 2, // a boundary dragged; the units below move with it
    SelectSingle = 3,      // a unit selected alone, then a crossing band
    SelectAdd = 4,         // Ctrl: the unit added, then the band added to the saved selection
    SelectExtend = 5,      // Shift: the selection extended from the selected unit
    BandNew = 6,           // a band selection that replaces the selection
    BandAdd = 7,           // Ctrl: a band selection added to the saved selection
    SetBaseDepth = 9,      // pick a unit, then type its base depth
    SetRock = 10,          // pick a unit, then edit its rock types
    Delete = 11,           // pick a unit, confirm, delete it
    Insert = 12,           // press to insert a unit and size it by dragging
    InsertDrag = 13,       // the inserted unit's base dragged; the next unit takes up the change
    InsertDragShift = 14,  // the inserted unit's base dragged; the units below move
    SplitWait = 15,        // Alt: a boundary made at the press; waiting for the drag
    SplitWaitShift = 16,   // as 15, the units below to move
    SplitDrag = 17,        // the second new boundary dragged; the next unit takes up the change
    SplitDragShift = 18,   // as 17; the units below move
    Merge = 19,            // pick a unit, merge it with the unit above
    CreateBoundaries = 20, // press to split a unit or to append one
    PickAndDrag = 21,      // press on a boundary to pick it
    Picked = 22,           // a boundary is picked and shows two handles
    PickedDrag = 23,       // the picked boundary dragged; the next unit takes up the change
    PickedDragShift = 24,  // the picked boundary dragged; the units below move
    Correlate = 25,        // press on a unit
    CorrelatePick = 26,    // the unit picked; the dialog opens at the release
};

// Whether a drag moves the units below with the boundary (the shifting kind): insert mode on without
// Shift, or insert mode off with Shift. Otherwise the next unit takes up the change.
inline bool ShiftingChoice(bool insertMode, bool shiftHeld) { return insertMode != shiftHeld; }

// A mode that a press entered and that its release leaves.
bool IsTransient(Mode mode);
// The mode the release of a press leaves the view in (a standing mode stays as it is).
Mode ModeAfterRelease(Mode mode);
// The modes during which a drag step is open, from the press to the release.
bool HoldsDragStep(Mode mode);
// The drags that move a boundary as the pointer moves, and those of them that move the units below.
bool MovesBoundary(Mode mode);
bool MovesUnitsBelow(Mode mode);
// The modes in which moving the pointer draws a selection band.
bool SelectsByBand(Mode mode);
// The modes in which a boundary is picked and shows its two handles.
bool ShowsPickHandles(Mode mode);

} // namespace MouseModes
