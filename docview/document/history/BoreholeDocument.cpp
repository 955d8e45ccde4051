#include "docview/document/history/BoreholeDocument.h"

#include <stdexcept>

#include "core/catalogue/Messages.h"
#include "core/catalogue/QuorLogException.h"
#include "core/model/Exception.h"
#include "docview/document/history/UndoStep.h"

using ORBAX_Logging::Borehole;
using ORBAX_Logging::Exception;
using ORBAX_Logging::Interval;

BoreholeDocument::BoreholeDocument(ORBAX_Logging::SchemaPtr schema)
{
    for (Pane& p : m_panes)
        p.borehole = std::make_unique<Borehole>(schema);
}

BoreholeDocument::~BoreholeDocument()
{
    // A drag still open is dropped without putting anything back: the boreholes go too.
    m_history.clear();
    m_depth = 0;
    m_failed = false;
    // With no step open its end does nothing.
    m_dragStep.reset();
}

BoreholeDocument::Pane& BoreholeDocument::pane(int k)
{
    if (k < 0 || k >= PaneCount)
        throw std::out_of_range("pane index out of range");
    return m_panes[static_cast<std::size_t>(k)];
}

const BoreholeDocument::Pane& BoreholeDocument::pane(int k) const
{
    if (k < 0 || k >= PaneCount)
        throw std::out_of_range("pane index out of range");
    return m_panes[static_cast<std::size_t>(k)];
}

Borehole& BoreholeDocument::GetBorehole(int k) { return *pane(k).borehole; }
const Borehole& BoreholeDocument::GetBorehole(int k) const { return *pane(k).borehole; }
int BoreholeDocument::unitCountOnSide(int k) const { return GetBorehole(k).unitCount(); }
const std::wstring& BoreholeDocument::GetPathName(int k) const { return pane(k).path; }
const ORBAX_Logging::OptionsData* BoreholeDocument::GetFormatOptions(int k) const
{
    return pane(k).formatOptions.get();
}
bool BoreholeDocument::IsPaneModified(int k) const { return pane(k).modified; }
void BoreholeDocument::SetPaneModified(int k, bool modified) { pane(k).modified = modified; }

void BoreholeDocument::updateTitle()
{
    std::wstring title = GetBorehole(Left).name;
    if (!title.empty())
        title += L", ";
    title += GetBorehole(Right).name;
    if (title != m_title) {
        m_title = title;
        OnTitleChanged();
    }
}

void BoreholeDocument::replaceBorehole(int k, std::unique_ptr<Borehole> borehole)
{
    if (!borehole)
        throw std::invalid_argument("no borehole");
    // Whatever was recorded against the old borehole must never be applied to the new one.
    if (m_dragStep && m_dragStep->pane() == k)
        cancelDragStep();
    dropPaneEntries(k);
    pane(k).borehole = std::move(borehole);
    OnPaneChanged(k);
}

void BoreholeDocument::setFormatOptions(int k, std::unique_ptr<ORBAX_Logging::OptionsData> options)
{
    pane(k).formatOptions = std::move(options);
}

void BoreholeDocument::markSaved(int k)
{
    for (UndoEntry& entry : m_history)
        if (entry.pane == k)
            entry.wasModified = true;
}

// ---------------------------------------------------------------------------------------------------
// Reads

const Interval& BoreholeDocument::unit(int k, int i) const
{
    const Borehole& borehole = GetBorehole(k);
    if (i < 0 || i >= borehole.unitCount())
        throw Exception(Exception::UnitOutOfRange);
    return borehole[static_cast<std::size_t>(i)];
}

double BoreholeDocument::GetBoreholeBaseDepth(int k) const
{
    const Borehole& borehole = GetBorehole(k);
    return borehole.empty() ? 0.0 : borehole.back().bottom;
}

double BoreholeDocument::GetUnitBase(int k, int i) const { return unit(k, i).bottom; }
double BoreholeDocument::GetUnitThickness(int k, int i) const { return unit(k, i).thickness; }

double BoreholeDocument::GetUnitTop(int k, int i) const
{
    unit(k, i);
    return i == 0 ? 0.0 : unit(k, i - 1).bottom;
}

std::wstring BoreholeDocument::GetUnitSampleNumber(int k, int i) const { return unit(k, i).sample.str(); }

std::wstring GetUnitSeam(const Borehole& borehole, int i)
{
    if (i < 0 || i >= borehole.unitCount())
        throw Exception(Exception::UnitOutOfRange);
    return borehole[static_cast<std::size_t>(i)].seam.str();
}

std::wstring GetUnitPly(const Borehole& borehole, int i)
{
    if (i < 0 || i >= borehole.unitCount())
        throw Exception(Exception::UnitOutOfRange);
    return borehole[static_cast<std::size_t>(i)].ply.str();
}

void unitElements(const Interval& unit, std::vector<std::wstring>& names, std::vector<std::int32_t>& percentages,
                  std::wstring& intervalRockType)
{
    for (const auto& element : unit.elements) {
        names.push_back(element.rockType.str());
        percentages.push_back(element.percentage);
    }
    intervalRockType = unit.composite ? unit.composite->rockType.str() : std::wstring();
}

void BoreholeDocument::GetSelectionRockTypes(const UnitRangeList& selection, int k, std::vector<std::wstring>& names,
                                             std::vector<std::int32_t>& percentages,
                                             std::wstring& intervalRockType) const
{
    names.clear();
    percentages.clear();
    intervalRockType.clear();
    bool first = true;
    for (const UnitRange& range : selection) {
        for (int i = range.first; i <= range.last; ++i) {
            const Interval& u = unit(k, i);
            if (first) {
                unitElements(u, names, percentages, intervalRockType);
                first = false;
                continue;
            }
            std::vector<std::wstring> otherNames;
            std::vector<std::int32_t> otherPercentages;
            std::wstring otherInterval;
            unitElements(u, otherNames, otherPercentages, otherInterval);
            if (otherNames != names || otherPercentages != percentages || otherInterval != intervalRockType) {
                names.clear();
                percentages.clear();
                intervalRockType.clear();
                return;
            }
        }
    }
}

// ---------------------------------------------------------------------------------------------------
// The history

std::wstring BoreholeDocument::GetLastStepDescription() const
{
    if (m_history.empty())
        throw QuorLogException();
    return m_history.back().description;
}

bool BoreholeDocument::CanUndo() const { return !m_history.empty() && m_depth == 0 && !m_dragStep; }

bool BoreholeDocument::beginStep(const std::wstring& description, bool wasModified, int pane)
{
    if (m_failed)
        return false;
    // The open entry is undone on its own pane's borehole: an edit of the other pane cannot join it.
    if (m_depth > 0 && !m_history.empty() && m_history.back().pane != pane)
        return false;
    if (m_depth == 0) {
        UndoEntry entry;
        entry.description = description;
        entry.wasModified = wasModified;
        entry.pane = pane;
        m_history.push_back(std::move(entry));
    }
    ++m_depth;
    return true;
}

UndoAction& BoreholeDocument::addAction(std::int32_t kind, int k, int unitIndex)
{
    if (m_depth == 0 || m_history.empty())
        throw QuorLogException();
    UndoEntry& entry = m_history.back();
    UndoAction action;
    action.kind = kind;
    action.unit = unitIndex;
    action.copy = Interval(GetBorehole(k).schema);
    entry.actions.push_back(std::move(action));
    return entry.actions.back();
}

void BoreholeDocument::checkStep() const
{
    if (m_depth <= 0 || m_failed || m_history.empty())
        throw QuorLogException();
}

void BoreholeDocument::endStep(bool committed)
{
    // Nothing is open when the step's entry went with its pane's borehole.
    if (m_depth <= 0)
        return;
    if (committed) {
        --m_depth;
    } else if (!m_failed) {
        if (!m_history.empty()) {
            applyEntry(m_history.back(), true);
            m_history.pop_back();
        }
        --m_depth;
        if (m_depth > 0)
            m_failed = true;
    } else {
        --m_depth;
    }
    if (m_depth == 0) {
        while (m_history.size() > MaxUndoEntries)
            m_history.pop_front();
        m_failed = false;
    }
}

void BoreholeDocument::applyEntry(UndoEntry& entry, bool rollBack)
{
    if (entry.pane < 0 || entry.pane >= PaneCount)
        return;
    Borehole& borehole = GetBorehole(entry.pane);
    for (auto action = entry.actions.rbegin(); action != entry.actions.rend(); ++action) {
        // A change recorded but never made has nothing to put back.
        if (rollBack && !action->done)
            continue;
        try {
            const double depth = action->copy.bottom;
            const int i = action->unit;
            switch (action->kind) {
            case UndoSetDepthShift: borehole.setUnitDepth(i, true, depth); break;
            case UndoSetDepth: borehole.setUnitDepth(i, false, depth); break;
            case UndoDeletedShift:
            case UndoDeleted:
                // A unit deleted from the end has no unit to go in front of: it is appended again.
                if (i < borehole.unitCount())
                    borehole.insertUnit(i, action->kind == UndoDeletedShift, true, depth);
                else
                    borehole.appendUnit(depth);
                borehole[static_cast<std::size_t>(i)] = action->copy;
                break;
            case UndoInsertedShift: borehole.deleteUnit(i, true); break;
            case UndoInserted: borehole.deleteUnit(i, false); break;
            case UndoAppended:
                if (borehole.unitCount() > 0)
                    borehole.deleteUnit(borehole.unitCount() - 1, false);
                break;
            default:
                if (i >= 0 && i < borehole.unitCount())
                    borehole[static_cast<std::size_t>(i)] = action->copy;
                break;
            }
        } catch (const std::exception&) {
            // The rest of the entry still goes back: an action that cannot be applied (a borehole
            // changed outside the history) must not stop the others.
        }
    }
    pane(entry.pane).modified = entry.wasModified;
}

bool BoreholeDocument::Undo()
{
    if (!CanUndo())
        return false;
    UndoEntry& entry = m_history.back();
    const int k = entry.pane;
    applyEntry(entry, false);
    m_history.pop_back();
    OnPaneChanged(k);
    return true;
}

void BoreholeDocument::dropPaneEntries(int k)
{
    // An open step whose entry belongs to the pane loses it: the step can no longer be rolled back.
    const bool openEntryDropped = m_depth > 0 && !m_history.empty() && m_history.back().pane == k;
    for (auto entry = m_history.begin(); entry != m_history.end();) {
        if (entry->pane == k)
            entry = m_history.erase(entry);
        else
            ++entry;
    }
    if (openEntryDropped) {
        --m_depth;
        if (m_depth > 0)
            m_failed = true;
        else
            m_failed = false;
    }
}

void BoreholeDocument::openDragStep(int k, int descriptionId)
{
    // A drag whose release never came (another window took the pointer) is rolled back first, so that
    // the new drag begins a step of its own.
    if (m_dragStep)
        cancelDragStep();
    m_dragStep = std::make_unique<UndoStep>(*this, descriptionId, k);
}

void BoreholeDocument::closeDragStep()
{
    if (!m_dragStep)
        return;
    m_dragStep->commit();
    m_dragStep.reset();
}

void BoreholeDocument::cancelDragStep() { m_dragStep.reset(); }
