#pragma once
// Selecting units with a band dragged over a borehole column: which units the band takes, how they
// combine with the selection held before the press, and when the drag has left the column so far
// that the pane scrolls by itself. Nothing here needs a window.
#include <QPoint>
#include <QRectF>

#include "core/model/Borehole.h"
#include "docview/document/history/UnitRangeList.h"
#include "docview/mouse/rules/MouseModes.h"

namespace BandSelection {

// Containment takes only units wholly inside the band; crossing takes every unit the band overlaps.
enum class Rule { Containment, Crossing };

// Containment for a band selection (modes 6 and 7) drawn rightward; crossing for any band drawn
// leftward and for the bands that follow a press on a unit.
Rule RuleFor(MouseModes::Mode mode, int startX, int pointerX);

// The units of the column the band takes, from the first down; the walk ends after the first unit
// that starts below the band. `band` need not be normalised. Page millimetres.
UnitRangeList UnitsInBand(const ORBAX_Logging::Borehole& borehole, const QRectF& column, double topDepth, double scale,
                          const QRectF& band, Rule rule);

// The selection a band makes from the units it took, in the given mode: Ctrl modes (4 and 7) add the
// selection held before the press; the Shift mode (5) spans from the selected unit to the farthest unit
// taken. `taken` is not empty.
UnitRangeList Combine(MouseModes::Mode mode, const UnitRangeList& taken, const UnitRangeList& saved, int selectedUnit);

// The band has left the column (rows of the client area): it started above the column's bottom and the
// pointer is below it, or started below its top and the pointer is above it.
bool LeftColumn(int startRow, int pointerRow, int columnTopRow, int columnBottomRow);

} // namespace BandSelection
