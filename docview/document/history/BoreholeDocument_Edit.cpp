// The unit edit operations: each opens a step, records a copy of every unit immediately before it
// changes it, marks the pane modified and commits. An operation that fails leaves through its step,
// which puts the borehole back as it was.
#include <string>

#include "core/model/Exception.h"
#include "docview/document/history/BoreholeDocument.h"
#include "docview/document/history/UndoStep.h"

using ORBAX_Logging::Borehole;
using ORBAX_Logging::Exception;

namespace {

constexpr int kEditUnitDepth = 155;
constexpr int kEditRocktypes = 158;
constexpr int kAppendUnit = 127;
constexpr int kInsertUnit = 157;
constexpr int kDeleteUnit = 156;
constexpr int kEditSampleNumber = 125;
constexpr int kEditSeamOrPly = 126;
constexpr int kResequence = 122;
constexpr int kRenumber = 123;
constexpr int kChangeSamples = 124;

enum RelabelMode { Resequence, Renumber, Change };

// A number with at least `width` digits, padded with "0" after any minus sign ("-05").
std::wstring paddedNumber(long long number, int width)
{
    std::wstring digits = std::to_wstring(number < 0 ? -number : number);
    if (width > 0 && digits.size() < static_cast<std::size_t>(width))
        digits.insert(0, static_cast<std::size_t>(width) - digits.size(), L'0');
    return number < 0 ? L"-" + digits : digits;
}

} // namespace

void BoreholeDocument::checkSelection(int k, int index) const
{
    if (index < 0 || index >= unitCountOnSide(k))
        throw Exception(Exception::UnitOutOfRange);
}

// Deleting a unit without shifting gives its share of the column, recovered length included, to the unit
// below it. Putting the deleted unit back returns the thickness but not the recovered length, so the
// unit below is recorded as it was, and undoing restores it after the deleted unit is back.
void BoreholeDocument::recordFollower(int k, int i, bool shift)
{
    m_followerRecorded = false;
    if (shift || i + 1 >= unitCountOnSide(k))
        return;
    UndoAction& follower = addAction(UndoUnitValues, k, i + 1);
    follower.copy = GetBorehole(k)[static_cast<std::size_t>(i) + 1];
    m_followerRecorded = true;
}

void BoreholeDocument::markFollowerDone()
{
    if (!m_followerRecorded)
        return;
    // The follower's action sits just before the deleted unit's.
    auto& actions = m_history.back().actions;
    if (actions.size() >= 2)
        actions[actions.size() - 2].done = true;
    m_followerRecorded = false;
}

void BoreholeDocument::EditUnitDepth(int k, int i, bool shift, double depth)
{
    UndoStep step(*this, kEditUnitDepth, k);
    checkStep();
    checkSelection(k, i);
    Borehole& borehole = GetBorehole(k);
    UndoAction& action = addAction(shift ? UndoSetDepthShift : UndoSetDepth, k, i);
    action.copy = borehole[static_cast<std::size_t>(i)];
    borehole.setUnitDepth(i, shift, depth);
    action.done = true;
    pane(k).modified = true;
    step.commit();
}

void BoreholeDocument::EditRocktypes(int k, int i, const std::vector<std::wstring>& names,
                                     const std::vector<std::int32_t>& percentages, const std::wstring& intervalRockType)
{
    UndoStep step(*this, kEditRocktypes, k);
    checkStep();
    checkSelection(k, i);
    Borehole& borehole = GetBorehole(k);
    UndoAction& action = addAction(UndoRockTypes, k, i);
    action.copy = borehole[static_cast<std::size_t>(i)];
    borehole[static_cast<std::size_t>(i)].setRockTypes(intervalRockType, percentages, names);
    action.done = true;
    pane(k).modified = true;
    step.commit();
}

void BoreholeDocument::EditSelectionRocktypes(int k, const UnitRangeList& selection,
                                              const std::vector<std::wstring>& names,
                                              const std::vector<std::int32_t>& percentages,
                                              const std::wstring& intervalRockType)
{
    UndoStep step(*this, kEditRocktypes, k);
    checkStep();
    for (const UnitRange& range : selection)
        for (int i = range.first; i <= range.last; ++i)
            EditRocktypes(k, i, names, percentages, intervalRockType);
    pane(k).modified = true;
    step.commit();
}

int BoreholeDocument::AppendUnit(int k, double depth)
{
    UndoStep step(*this, kAppendUnit, k);
    checkStep();
    Borehole& borehole = GetBorehole(k);
    UndoAction& action = addAction(UndoAppended, k, borehole.unitCount());
    const int added = borehole.appendUnit(depth);
    action.done = true;
    pane(k).modified = true;
    step.commit();
    return added;
}

int BoreholeDocument::InsertUnit(int k, int i, bool shift, bool blank, double depth)
{
    if (i >= unitCountOnSide(k))
        return AppendUnit(k, depth);
    UndoStep step(*this, kInsertUnit, k);
    checkStep();
    checkSelection(k, i);
    Borehole& borehole = GetBorehole(k);
    UndoAction& action = addAction(shift ? UndoInsertedShift : UndoInserted, k, i);
    action.copy = borehole[static_cast<std::size_t>(i)];
    const int inserted = borehole.insertUnit(i, shift, blank, depth);
    action.done = true;
    pane(k).modified = true;
    step.commit();
    return inserted;
}

int BoreholeDocument::DeleteUnit(int k, int i, bool shift)
{
    UndoStep step(*this, kDeleteUnit, k);
    checkStep();
    checkSelection(k, i);
    Borehole& borehole = GetBorehole(k);
    recordFollower(k, i, shift);
    UndoAction& action = addAction(shift ? UndoDeletedShift : UndoDeleted, k, i);
    action.copy = borehole[static_cast<std::size_t>(i)];
    const int next = borehole.deleteUnit(i, shift);
    markFollowerDone();
    action.done = true;
    pane(k).modified = true;
    step.commit();
    return next;
}

void BoreholeDocument::DeleteUnits(int k, const UnitRangeList& selection, bool shift)
{
    UndoStep step(*this, kDeleteUnit, k);
    checkStep();
    Borehole& borehole = GetBorehole(k);
    // From the highest index down, so that the indices still to be deleted stay where they were.
    const auto& ranges = selection.ranges();
    for (auto range = ranges.rbegin(); range != ranges.rend(); ++range) {
        for (int i = range->last; i >= range->first; --i) {
            checkSelection(k, i);
            recordFollower(k, i, shift);
            UndoAction& action = addAction(shift ? UndoDeletedShift : UndoDeleted, k, i);
            action.copy = borehole[static_cast<std::size_t>(i)];
            borehole.deleteUnit(i, shift);
            action.done = true;
            markFollowerDone();
        }
    }
    pane(k).modified = true;
    step.commit();
}

void BoreholeDocument::EditSampleNumber(int k, const UnitRangeList& selection, const std::wstring& text)
{
    UndoStep step(*this, kEditSampleNumber, k);
    checkStep();
    Borehole& borehole = GetBorehole(k);
    for (const UnitRange& range : selection) {
        for (int i = range.first; i <= range.last; ++i) {
            checkSelection(k, i);
            UndoAction& action = addAction(UndoUnitValues, k, i);
            action.copy = borehole[static_cast<std::size_t>(i)];
            borehole[static_cast<std::size_t>(i)].sample = text;
            action.done = true;
        }
    }
    pane(k).modified = true;
    step.commit();
}

void BoreholeDocument::EditSeamOrPly(int k, const UnitRangeList& selection, const std::wstring& seam,
                                     const std::wstring& ply)
{
    UndoStep step(*this, kEditSeamOrPly, k);
    checkStep();
    Borehole& borehole = GetBorehole(k);
    for (const UnitRange& range : selection) {
        for (int i = range.first; i <= range.last; ++i) {
            checkSelection(k, i);
            UndoAction& action = addAction(UndoUnitValues, k, i);
            action.copy = borehole[static_cast<std::size_t>(i)];
            borehole[static_cast<std::size_t>(i)].seam = seam;
            borehole[static_cast<std::size_t>(i)].ply = ply;
            action.done = true;
        }
    }
    pane(k).modified = true;
    step.commit();
}

bool BoreholeDocument::ResequenceSampleNumbers(int k, const UnitRangeList& selection, const std::wstring& newPrefix,
                                               const std::wstring& newSuffix, int startNumber, bool replacePrefix,
                                               bool replaceSuffix, int width)
{
    return relabelSamples(k, selection, kResequence, Resequence, newPrefix, newSuffix, startNumber, replacePrefix,
                          replaceSuffix, width);
}

bool BoreholeDocument::RenumberSampleNumbers(int k, const UnitRangeList& selection, const std::wstring& newPrefix,
                                             const std::wstring& newSuffix, int offset, bool replacePrefix,
                                             bool replaceSuffix, int width)
{
    return relabelSamples(k, selection, kRenumber, Renumber, newPrefix, newSuffix, offset, replacePrefix, replaceSuffix,
                          width);
}

bool BoreholeDocument::ChangeSampleNumbers(int k, const UnitRangeList& selection, const std::wstring& newPrefix,
                                           const std::wstring& newSuffix, bool replacePrefix, bool replaceSuffix)
{
    return relabelSamples(k, selection, kChangeSamples, Change, newPrefix, newSuffix, 0, replacePrefix, replaceSuffix,
                          0);
}

bool BoreholeDocument::relabelSamples(int k, const UnitRangeList& selection, int descriptionId, int mode,
                                      const std::wstring& newPrefix, const std::wstring& newSuffix, int number,
                                      bool replacePrefix, bool replaceSuffix, int width)
{
    UndoStep step(*this, descriptionId, k);
    checkStep();
    Borehole& borehole = GetBorehole(k);
    long long running = number; // Resequence: the next number to give
    std::wstring previousOld;
    std::wstring previousNew;
    for (const UnitRange& range : selection) {
        for (int i = range.first; i <= range.last; ++i) {
            checkSelection(k, i);
            const std::wstring old = borehole[static_cast<std::size_t>(i)].sample.str();
            if (old.empty())
                continue;
            std::wstring text;
            if (mode == Resequence && old == previousOld) {
                // The same sample as the unit before it keeps sharing its label.
                text = previousNew;
            } else {
                std::wstring prefix;
                std::wstring suffix;
                std::wstring middle;
                std::int32_t ownWidth = 0;
                if (mode == Change) {
                    if (!borehole.splitSampleNumber(i, prefix, middle, suffix, ownWidth))
                        return false;
                } else {
                    std::int32_t own = 0;
                    if (!borehole.parseSampleNumber(i, prefix, own, suffix, ownWidth))
                        return false;
                    middle = mode == Resequence ? paddedNumber(running++, width)
                                                : paddedNumber(static_cast<long long>(own) + number, width);
                }
                text = (replacePrefix ? newPrefix : prefix) + middle + (replaceSuffix ? newSuffix : suffix);
                previousOld = old;
                previousNew = text;
            }
            UndoAction& action = addAction(UndoUnitValues, k, i);
            action.copy = borehole[static_cast<std::size_t>(i)];
            borehole[static_cast<std::size_t>(i)].sample = text;
            action.done = true;
        }
    }
    pane(k).modified = true;
    step.commit();
    return true;
}
