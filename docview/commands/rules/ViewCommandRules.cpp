#include "docview/commands/rules/ViewCommandRules.h"

#include <climits>
#include <cmath>
#include <cstdio>

#include "core/catalogue/Messages.h"
#include "core/model/Borehole.h"
#include "core/model/Exception.h"
#include "core/model/NoCaseCompare.h"
#include "docview/document/history/BoreholeDocument.h"

using ORBAX_Logging::Borehole;
using ORBAX_Utilities::get_message_wide;

namespace ViewCommandRules {

const double ZoomTable[10] = {1, 2, 5, 10, 20, 50, 100, 200, 500, 1000};

double ZoomInDenominator(double denominator)
{
    int i = 0;
    while (i < 10 && !(denominator / ZoomTable[i] <= 1.1))
        ++i;
    return i > 0 ? ZoomTable[i - 1] : -1;
}

double ZoomOutDenominator(double denominator)
{
    int i = 9;
    while (i >= 0 && !(denominator / ZoomTable[i] >= 0.9))
        --i;
    return i < 9 ? ZoomTable[i + 1] : -1;
}

int ScaleDialogValue(double scale)
{
    // scale = n / 1000 comes back a hair below n for some n: a tiny nudge before truncating keeps n,
    // while 0.1239 still gives 123. A scale beyond the dialog's whole numbers (typed in the view
    // options, or read from a damaged profile) shows as the largest of them.
    const double denominator = scale * 1000 + 1e-7;
    return denominator < INT_MAX ? static_cast<int>(denominator) : INT_MAX;
}

bool ModeTicked(MouseModes::Mode commandMode, MouseModes::Mode currentMode)
{
    // Pick and drag stays ticked while a boundary is picked and dragged.
    if (commandMode == MouseModes::PickAndDrag)
        return currentMode >= MouseModes::PickAndDrag && currentMode <= MouseModes::PickedDragShift;
    return commandMode == currentMode;
}

int ToolPaneMessage(MouseModes::Mode mode)
{
    using namespace MouseModes;
    switch (mode) {
    case SetBaseDepth: return 207;
    case SetRock: return 204;
    case Delete: return 201;
    case Insert:
    case InsertDrag:
    case InsertDragShift: return 206;
    case Merge: return 205;
    case CreateBoundaries: return 202;
    case PickAndDrag:
    case Picked:
    case PickedDrag:
    case PickedDragShift: return 203;
    case Correlate:
    case CorrelatePick: return 208;
    default: return 0;
    }
}

std::wstring ToolPaneText(MouseModes::Mode mode)
{
    const int message = ToolPaneMessage(mode);
    return message ? get_message_wide(message) : L"Normal";
}

std::wstring ScalePaneText(double scale)
{
    wchar_t ratio[64];
    std::swprintf(ratio, 64, L"1:%.0lf", scale * 1000);
    return ORBAX_Utilities::format_message(149, {ratio});
}

namespace {

int curveIndex(const Selection& current, const std::vector<CurveRef>& order)
{
    if (current.traceFile < 0)
        return -1;
    for (std::size_t i = 0; i < order.size(); ++i)
        if (order[i].traceFile == current.traceFile && order[i].curve == current.curve)
            return static_cast<int>(i);
    return -1;
}

Selection pane(int k)
{
    Selection s;
    s.pane = k;
    return s;
}

Selection curve(const CurveRef& ref)
{
    Selection s;
    s.traceFile = ref.traceFile;
    s.curve = ref.curve;
    return s;
}

} // namespace

Selection MoveFocusRight(const Selection& current, const std::vector<CurveRef>& order)
{
    if (current.pane == 0)
        return pane(1);
    if (current.pane == 1)
        return order.empty() ? pane(0) : curve(order.front());
    const int at = curveIndex(current, order);
    if (at >= 0 && at + 1 < static_cast<int>(order.size()))
        return curve(order[static_cast<std::size_t>(at) + 1]);
    return pane(0);
}

Selection MoveFocusLeft(const Selection& current, const std::vector<CurveRef>& order)
{
    if (current.pane == 1)
        return pane(0);
    if (current.pane == 0)
        return order.empty() ? pane(1) : curve(order.back());
    const int at = curveIndex(current, order);
    if (at > 0)
        return curve(order[static_cast<std::size_t>(at) - 1]);
    return pane(1);
}

Selection NarrowSelection(const Selection& current)
{
    if (current.pane >= 0 && current.unit >= 0)
        return pane(current.pane);
    return Selection();
}

UnitRangeList RelabelUnits(const UnitRangeList& selection, int unitCount)
{
    UnitRangeList units;
    if (unitCount <= 0)
        return units;
    if (selection.empty()) {
        units.add(0, unitCount - 1);
    } else if (selection.count() == 1) {
        const int first = selection.begin()->first;
        if (first < unitCount)
            units.add(first, unitCount - 1);
    } else {
        units = selection;
    }
    return units;
}

bool FindSampleNumberPattern(const Borehole& borehole, const UnitRangeList& units, std::wstring& prefix,
                             std::wstring& suffix, std::int32_t& firstNumber, std::int32_t& width)
{
    for (const UnitRange& range : units) {
        for (int i = range.first; i <= range.last; ++i) {
            if (i < 0 || i >= borehole.unitCount())
                continue;
            bool prefixDiffers = false;
            bool suffixDiffers = false;
            bool widthDiffers = false;
            if (borehole.sampleNumberPattern(i, i, prefix, suffix, firstNumber, width, prefixDiffers, suffixDiffers,
                                             widthDiffers))
                return true;
        }
    }
    return false;
}

RelabelOperation ChooseRelabel(const RelabelRequest& request)
{
    if (request.maintainNumber)
        return RelabelOperation::Change;
    if (request.maintainOrder)
        return RelabelOperation::Renumber;
    return RelabelOperation::Resequence;
}

bool RunRelabel(BoreholeDocument& document, int k, const UnitRangeList& units, const RelabelRequest& request)
{
    // The maintain boxes keep the original parts; the operations are told which parts to replace.
    const bool replacePrefix = !request.maintainPrefix;
    const bool replacePostfix = !request.maintainPostfix;
    switch (ChooseRelabel(request)) {
    case RelabelOperation::Change:
        return document.ChangeSampleNumbers(k, units, request.newPrefix, request.newPostfix, replacePrefix,
                                            replacePostfix);
    case RelabelOperation::Renumber:
        return document.RenumberSampleNumbers(
            k, units, request.newPrefix, request.newPostfix,
            static_cast<int>(static_cast<long long>(request.newStart) - request.currentStart), replacePrefix,
            replacePostfix, request.width);
    case RelabelOperation::Resequence:
        return document.ResequenceSampleNumbers(k, units, request.newPrefix, request.newPostfix,
                                                static_cast<int>(request.newStart), replacePrefix, replacePostfix,
                                                request.width);
    }
    return false;
}

namespace {

// Calls `visit` for every selected index of the borehole; a selected index beyond the units raises
// "Unit out of range".
template <class Visit>
void forSelected(const Borehole& borehole, const UnitRangeList& selection, Visit visit)
{
    for (const UnitRange& range : selection)
        for (int i = range.first; i <= range.last; ++i) {
            if (i < 0 || i >= borehole.unitCount())
                throw ORBAX_Logging::Exception(ORBAX_Logging::Exception::UnitOutOfRange);
            visit(borehole[static_cast<std::size_t>(i)]);
        }
}

} // namespace

void ProposeSeamAndPly(const Borehole& borehole, const UnitRangeList& selection, std::wstring& seam, std::wstring& ply)
{
    seam.clear();
    ply.clear();
    bool first = true;
    bool differ = false;
    const NoCaseCompare compare;
    forSelected(borehole, selection, [&](const ORBAX_Logging::Interval& unit) {
        if (first) {
            seam = unit.seam.str();
            ply = unit.ply.str();
            first = false;
        } else if (!compare.Equal(unit.seam.str(), seam) || !compare.Equal(unit.ply.str(), ply)) {
            differ = true;
        }
    });
    if (differ) {
        seam.clear();
        ply.clear();
    }
}

std::wstring ProposeSampleNumber(const Borehole& borehole, const UnitRangeList& selection)
{
    std::wstring proposal;
    bool first = true;
    bool differ = false;
    const NoCaseCompare compare;
    forSelected(borehole, selection, [&](const ORBAX_Logging::Interval& unit) {
        if (first) {
            proposal = unit.sample.str();
            first = false;
        } else if (!compare.Equal(unit.sample.str(), proposal)) {
            differ = true;
        }
    });
    if (differ)
        return std::wstring();
    if (proposal.empty())
        return borehole.nextSampleNumber();
    return proposal;
}

bool SelectionHasInterbedded(const Borehole& borehole, const UnitRangeList& selection)
{
    for (const UnitRange& range : selection)
        for (int i = range.first; i <= range.last; ++i)
            if (i >= 0 && i < borehole.unitCount() && borehole[static_cast<std::size_t>(i)].elements.size() > 1)
                return true;
    return false;
}

bool HasSampleLabels(const Borehole& borehole)
{
    if (!borehole.schema || !borehole.hasSampleField())
        return false;
    for (const auto& unit : borehole)
        if (!unit.sample.empty())
            return true;
    return false;
}

} // namespace ViewCommandRules
