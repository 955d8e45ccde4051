#pragma once
// What the view's commands decide without a window: the zoom steps, the status panes' texts, the
// order in which the focus moves, how Esc narrows the selection, which units the relabel command
// works on and how, and the values that the unit dialogs propose.
#include <cstdint>
#include <string>
#include <vector>

#include "docview/document/history/UnitRangeList.h"
#include "docview/mouse/rules/MouseModes.h"

class BoreholeDocument;
namespace ORBAX_Logging {
class Borehole;
}

namespace ViewCommandRules {

// The scale denominators that zooming steps through.
extern const double ZoomTable[10];
// The denominator Zoom In (I) or Zoom Out (O) goes to from `denominator`; -1 when it stays. A
// denominator within 10% of a table entry counts as that entry.
double ZoomInDenominator(double denominator);
double ZoomOutDenominator(double denominator);

// The Scale dialog's value for a scale in metres per millimetre: the denominator truncated.
int ScaleDialogValue(double scale);

// Whether the command of a standing mode is ticked in the current mode.
bool ModeTicked(MouseModes::Mode commandMode, MouseModes::Mode currentMode);

// Status pane 109: the name of the edit mode (the message naming it, 0 for "Normal"). Pane 111:
// "Scale 1:<denominator>".
int ToolPaneMessage(MouseModes::Mode mode);
std::wstring ToolPaneText(MouseModes::Mode mode);
std::wstring ScalePaneText(double scale);

// What is selected: a pane (0, 1 or -1) with a unit (or -1), or a trace (file and curve, or -1).
struct Selection {
    int pane = -1;
    int unit = -1;
    int traceFile = -1;
    int curve = -1;
    friend bool operator==(const Selection& a, const Selection& b)
    {
        return a.pane == b.pane && a.unit == b.unit && a.traceFile == b.traceFile && a.curve == b.curve;
    }
};
// One curve of the focus order (trace file and curve index).
struct CurveRef {
    int traceFile;
    int curve;
};
// The focus moved right: left pane, right pane, the curves in `order`, back to the left pane; left is
// the mirror. The unit selection is dropped; a moved focus selects a pane or a curve.
Selection MoveFocusRight(const Selection& current, const std::vector<CurveRef>& order);
Selection MoveFocusLeft(const Selection& current, const std::vector<CurveRef>& order);
// Esc in Normal mode: a selected unit is dropped (the pane stays active); a pane without a unit, or a
// trace, is dropped too; nothing selected stays so.
Selection NarrowSelection(const Selection& current);

// The units that Relabel Sample Numbers works on: every unit with an empty selection, the selected
// unit and all below it when one unit is selected, else the selection.
UnitRangeList RelabelUnits(const UnitRangeList& selection, int unitCount);
// The first unit of `units` whose sample number has a pattern: its prefix, suffix, number and width.
bool FindSampleNumberPattern(const ORBAX_Logging::Borehole& borehole, const UnitRangeList& units, std::wstring& prefix,
                             std::wstring& suffix, std::int32_t& firstNumber, std::int32_t& width);

// The choices of the Relabel dialog.
struct RelabelRequest {
    std::wstring newPrefix;
    std::wstring newPostfix;
    unsigned newStart = 0;
    int currentStart = 0;
    int width = 0;
    bool maintainOrder = true;
    bool maintainPrefix = false;
    bool maintainNumber = false;
    bool maintainPostfix = false;
};
enum class RelabelOperation { Change, Renumber, Resequence };
RelabelOperation ChooseRelabel(const RelabelRequest& request);
// Runs the chosen operation on pane k's units; false when a unit's number could not be split (the
// operation then put everything back).
bool RunRelabel(BoreholeDocument& document, int k, const UnitRangeList& units, const RelabelRequest& request);

// The seam and ply that Correlate proposes: the first selected unit's, or both empty when any selected
// unit differs (letter case aside).
void ProposeSeamAndPly(const ORBAX_Logging::Borehole& borehole, const UnitRangeList& selection, std::wstring& seam,
                       std::wstring& ply);
// The sample number that Sample Number proposes: the first selected unit's; empty when they differ;
// the borehole's next sample number when they all have none.
std::wstring ProposeSampleNumber(const ORBAX_Logging::Borehole& borehole, const UnitRangeList& selection);

// Whether any selected unit has more than one element.
bool SelectionHasInterbedded(const ORBAX_Logging::Borehole& borehole, const UnitRangeList& selection);
// Sample labels can be printed: a SAMPLE field and at least one unit with a sample number.
bool HasSampleLabels(const ORBAX_Logging::Borehole& borehole);

} // namespace ViewCommandRules
