#pragma once
// One entry of the edit history: the copies of the units that one user operation changed, taken
// before each change, so that undoing the entry puts the pane's borehole back as it was.
#include <cstdint>
#include <string>
#include <vector>

#include "core/model/Interval.h"

// What undoing an action does to the pane's borehole (the depth used is the copy's base depth).
enum UndoKind : std::int32_t {
    UndoSetDepthShift = 0, // setUnitDepth(unit, shift set, depth)
    UndoSetDepth = 1,      // setUnitDepth(unit, shift clear, depth)
    UndoDeletedShift = 2,  // insertUnit(unit, shift, blank, depth) or appendUnit past the end, then the copy
    UndoDeleted = 3,       // insertUnit(unit, no shift, blank, depth) or appendUnit past the end, then the copy
    UndoInsertedShift = 4, // deleteUnit(unit, shift)
    UndoInserted = 5,      // deleteUnit(unit, no shift)
    UndoRockTypes = 6,     // the copy back
    UndoPasted = 7,        // the copy back
    UndoUnitValues = 8,    // the copy back
    UndoAppended = 9,      // deleteUnit(last unit, no shift)
};

struct UndoAction {
    std::int32_t kind = 0;
    std::int32_t unit = 0;
    // The unit as it was before the change.
    ORBAX_Logging::Interval copy;
    // Set once the change this action records has been made; a roll-back skips an action whose
    // change never happened.
    bool done = false;
};

struct UndoEntry {
    std::vector<UndoAction> actions;
    std::wstring description;
    // The pane's modified flag when the entry was begun, given back by undoing it.
    bool wasModified = false;
    std::int32_t pane = 0;
};
