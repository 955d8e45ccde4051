#pragma once
// The borehole document without its windows: the two panes (0 left, 1 right), each a borehole with
// the file it came from, the format options it was read or written with and whether it has unsaved
// changes; the edit history; and every unit edit operation, each run in an undoable step.
#include <array>
#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "core/model/Borehole.h"
#include "core/options/OptionsData.h"
#include "docview/document/history/UndoEntry.h"
#include "docview/document/history/UnitRangeList.h"

class UndoStep;

class BoreholeDocument {
public:
    static constexpr int Left = 0;
    static constexpr int Right = 1;
    static constexpr int PaneCount = 2;
    // The history keeps at most this many entries once no step is open.
    static constexpr std::size_t MaxUndoEntries = 100;

    // Two empty boreholes with the schema (left first).
    explicit BoreholeDocument(ORBAX_Logging::SchemaPtr schema);
    virtual ~BoreholeDocument();
    BoreholeDocument(const BoreholeDocument&) = delete;
    BoreholeDocument& operator=(const BoreholeDocument&) = delete;

    // ---- Panes
    ORBAX_Logging::Borehole& GetBorehole(int k);
    const ORBAX_Logging::Borehole& GetBorehole(int k) const;
    int unitCountOnSide(int k) const;
    // The file of pane k; empty when the pane has none.
    const std::wstring& GetPathName(int k) const;
    // The options the pane was last read or written with; null when there are none.
    const ORBAX_Logging::OptionsData* GetFormatOptions(int k) const;
    // Unsaved changes of pane k.
    bool IsPaneModified(int k) const;
    void SetPaneModified(int k, bool modified);

    // The document title: the left borehole's name, ", " when that name is not empty, the right one's.
    const std::wstring& GetTitle() const { return m_title; }
    void updateTitle();

    // Trace files the view is reading in the background.
    std::int32_t pendingTraceLoads = 0;

    // ---- Bounds-checked reads of the panes' units (a bad index throws ORBAX_Logging::Exception, 11101)
    // Base of the last unit; 0 without units.
    double GetBoreholeBaseDepth(int k) const;
    double GetUnitBase(int k, int i) const;
    double GetUnitThickness(int k, int i) const;
    // Base of unit i - 1; 0 for the first unit.
    double GetUnitTop(int k, int i) const;
    std::wstring GetUnitSampleNumber(int k, int i) const;
    // The rock types and percentages of the first selected unit's elements and its interval rock type;
    // all three empty when any other selected unit differs in them.
    void GetSelectionRockTypes(const UnitRangeList& selection, int k, std::vector<std::wstring>& names,
                               std::vector<std::int32_t>& percentages, std::wstring& intervalRockType) const;

    // ---- Edit history
    // The description of the newest entry; throws QuorLogException when the history is empty.
    std::wstring GetLastStepDescription() const;
    std::size_t GetUndoCount() const { return m_history.size(); }
    const std::list<UndoEntry>& GetHistory() const { return m_history; }
    int GetNestingDepth() const { return m_depth; }
    bool IsStepFailed() const { return m_failed; }
    // Whether Undo may run now: an entry to undo and no step open (a drag holds one open).
    bool CanUndo() const;
    // Undoes the newest entry: its actions last to first, then the pane's modified flag as it was when
    // the entry began. Nothing while a step is open or when there is nothing to undo.
    bool Undo();
    // Removes every entry of pane k. An open step of that pane loses a level, and the failed mark is set
    // when steps stay open.
    void dropPaneEntries(int k);

    // Opens a step: with none open a new entry begins. False (and nothing changed) while the failed mark
    // is set, or when the open entry belongs to the other pane.
    bool beginStep(const std::wstring& description, bool wasModified, int pane);
    // Appends an action to the open entry, its copy an empty unit of the pane's schema for the caller
    // to fill.
    UndoAction& addAction(std::int32_t kind, int pane, int unit);
    // Ends a step (UndoStep does this): commits, or rolls the entry back.
    void endStep(bool committed);

    // The step a mouse drag holds open from press to release: opening one rolls back a stale one first.
    void openDragStep(int k, int descriptionId);
    // Commits the drag's step.
    void closeDragStep();
    // Ends the drag's step uncommitted, rolling its edits back (Esc).
    void cancelDragStep();
    bool HasDragStep() const { return static_cast<bool>(m_dragStep); }

    // ---- Unit edit operations; each is one undoable step and marks the pane modified.
    void EditUnitDepth(int k, int i, bool shift, double depth);
    void EditRocktypes(int k, int i, const std::vector<std::wstring>& names,
                       const std::vector<std::int32_t>& percentages, const std::wstring& intervalRockType);
    void EditSelectionRocktypes(int k, const UnitRangeList& selection, const std::vector<std::wstring>& names,
                                const std::vector<std::int32_t>& percentages, const std::wstring& intervalRockType);
    int AppendUnit(int k, double depth);
    int InsertUnit(int k, int i, bool shift, bool blank, double depth);
    int DeleteUnit(int k, int i, bool shift);
    void DeleteUnits(int k, const UnitRangeList& selection, bool shift);
    void EditSampleNumber(int k, const UnitRangeList& selection, const std::wstring& text);
    void EditSeamOrPly(int k, const UnitRangeList& selection, const std::wstring& seam, const std::wstring& ply);
    bool ResequenceSampleNumbers(int k, const UnitRangeList& selection, const std::wstring& newPrefix,
                                 const std::wstring& newSuffix, int startNumber, bool replacePrefix, bool replaceSuffix,
                                 int width);
    bool RenumberSampleNumbers(int k, const UnitRangeList& selection, const std::wstring& newPrefix,
                               const std::wstring& newSuffix, int offset, bool replacePrefix, bool replaceSuffix,
                               int width);
    bool ChangeSampleNumbers(int k, const UnitRangeList& selection, const std::wstring& newPrefix,
                             const std::wstring& newSuffix, bool replacePrefix, bool replaceSuffix);

protected:
    // Replaces pane k's borehole, drops its history and tells the views.
    void replaceBorehole(int k, std::unique_ptr<ORBAX_Logging::Borehole> borehole);
    void setPathName(int k, const std::wstring& path) { pane(k).path = path; }
    void setFormatOptions(int k, std::unique_ptr<ORBAX_Logging::OptionsData> options);
    // After a successful save: undoing what came before it makes the pane differ from its file.
    void markSaved(int k);

    // Told when a pane's borehole changed and when the title changed; the window document signals.
    virtual void OnPaneChanged(int /*k*/) {}
    virtual void OnTitleChanged() {}

    struct Pane {
        std::unique_ptr<ORBAX_Logging::Borehole> borehole;
        std::unique_ptr<ORBAX_Logging::OptionsData> formatOptions;
        std::wstring path;
        bool modified = false;
    };
    Pane& pane(int k);
    const Pane& pane(int k) const;

private:
    // Puts the entry's actions back, last to first, and the pane's modified flag.
    void applyEntry(UndoEntry& entry, bool rollBack);
    // Checks that an edit runs inside an open step; throws QuorLogException otherwise.
    void checkStep() const;
    const ORBAX_Logging::Interval& unit(int k, int i) const;
    void checkSelection(int k, int index) const;
    void recordFollower(int k, int i, bool shift);
    void markFollowerDone();
    bool relabelSamples(int k, const UnitRangeList& selection, int descriptionId, int mode,
                        const std::wstring& newPrefix, const std::wstring& newSuffix, int number, bool replacePrefix,
                        bool replaceSuffix, int width);

    std::array<Pane, PaneCount> m_panes;
    std::wstring m_title;
    std::list<UndoEntry> m_history;
    int m_depth = 0;
    bool m_failed = false;
    std::unique_ptr<UndoStep> m_dragStep;
    bool m_followerRecorded = false;
};

// The rock type and percentage of each element of a unit (appended) and its interval rock type (the rock
// type of its composite row).
void unitElements(const ORBAX_Logging::Interval& unit, std::vector<std::wstring>& names,
                  std::vector<std::int32_t>& percentages, std::wstring& intervalRockType);
std::wstring GetUnitSeam(const ORBAX_Logging::Borehole& borehole, int i);
std::wstring GetUnitPly(const ORBAX_Logging::Borehole& borehole, int i);
