#pragma once
// The mouse cursor of each edit mode: the system's arrow or vertical sizing cursor, or one of the
// program's own (drawn under resources/cursors), each pointing with the tip of its arrow.
#include <QCursor>

#include "docview/mouse/rules/MouseModes.h"

namespace ModeCursors {

// The program's cursor that a mode shows (136, 139, 140, 141, 142, 144, 145 or 200); 0 when the mode
// shows a system cursor.
int CursorResource(MouseModes::Mode mode);

// The cursor of a mode; `overBoundary` tells Normal mode that the pointer lies on a boundary it can drag.
QCursor CursorFor(MouseModes::Mode mode, bool overBoundary);

// One of the program's cursors by its number; the arrow for a number it does not have.
QCursor ProgramCursor(int resource);

} // namespace ModeCursors
