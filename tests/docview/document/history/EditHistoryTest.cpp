// The edit history and the unit edit operations, without any window.
#include <functional>

#include <gtest/gtest.h>

#include "core/catalogue/QuorLogException.h"
#include "core/model/Exception.h"
#include "docview/document/history/BoreholeDocument.h"
#include "docview/document/history/UndoStep.h"
#include "tests/docview/DocviewTestSupport.h"

namespace {

using DocviewTest::picture;
using ORBAX_Logging::Exception;

class TestDocument : public BoreholeDocument {
public:
    TestDocument() : BoreholeDocument(DocviewTest::fullSchema())
    {
        replaceBorehole(Left, DocviewTest::column(GetBorehole(Left).schema, {1, 2, 3.5, 5, 7}));
        replaceBorehole(Right, DocviewTest::column(GetBorehole(Right).schema, {10, 20}));
    }
    using BoreholeDocument::markSaved;
    using BoreholeDocument::replaceBorehole;
};

// Every unit edit, undone, gives back the borehole exactly as it was and its modified flag.
TEST(EditHistory, EachOperationUndoesToTheBoreholeBeforeIt)
{
    using Edit = std::function<void(TestDocument&)>;
    const std::vector<std::pair<const char*, Edit>> edits = {
        {"depth, shifting", [](TestDocument& d) { d.EditUnitDepth(0, 1, true, 2.6); }},
        {"depth", [](TestDocument& d) { d.EditUnitDepth(0, 1, false, 3.2); }},
        {"rock types",
         [](TestDocument& d) {
             d.EditRocktypes(0, 2, {L"SAND", L"CLAY"}, {60, 40}, L"IN GENERAL");
         }},
        {"append", [](TestDocument& d) { EXPECT_EQ(d.AppendUnit(0, 9), 5); }},
        {"insert, shifting", [](TestDocument& d) { EXPECT_EQ(d.InsertUnit(0, 2, true, true, 3), 2); }},
        {"insert, splitting", [](TestDocument& d) { EXPECT_EQ(d.InsertUnit(0, 2, false, false, 3), 2); }},
        {"insert past the end", [](TestDocument& d) { EXPECT_EQ(d.InsertUnit(0, 5, false, true, 8), 5); }},
        {"delete, shifting", [](TestDocument& d) { EXPECT_EQ(d.DeleteUnit(0, 1, true), 1); }},
        {"delete, merging into the unit below", [](TestDocument& d) { EXPECT_EQ(d.DeleteUnit(0, 1, false), 1); }},
        {"delete the last unit", [](TestDocument& d) { EXPECT_EQ(d.DeleteUnit(0, 4, false), -1); }},
        {"delete the last unit, shifting", [](TestDocument& d) { EXPECT_EQ(d.DeleteUnit(0, 4, true), -1); }},
        {"delete the last units, shifting",
         [](TestDocument& d) {
             d.DeleteUnits(0, {{3, 4}}, true);
         }},
        {"delete a selection",
         [](TestDocument& d) {
             d.DeleteUnits(0, {{0, 1}, {3, 4}}, false);
         }},
        {"sample numbers",
         [](TestDocument& d) {
             d.EditSampleNumber(0, {{1, 3}}, L"X9");
         }},
        {"seam and ply",
         [](TestDocument& d) {
             d.EditSeamOrPly(0, {{0, 4}}, L"Upper", L"U1");
         }},
        {"resequence",
         [](TestDocument& d) {
             EXPECT_TRUE(d.ResequenceSampleNumbers(0, {{0, 4}}, L"", L"", 7, false, false, 3));
         }},
    };
    for (const auto& [name, edit] : edits) {
        TestDocument document;
        const auto before = picture(document.GetBorehole(0));
        const auto right = picture(document.GetBorehole(1));
        edit(document);
        EXPECT_NE(picture(document.GetBorehole(0)), before) << name;
        EXPECT_TRUE(document.IsPaneModified(0)) << name;
        EXPECT_FALSE(document.IsPaneModified(1)) << name;
        ASSERT_EQ(document.GetUndoCount(), 1u) << name;
        ASSERT_TRUE(document.Undo()) << name;
        EXPECT_EQ(picture(document.GetBorehole(0)), before) << name;
        EXPECT_EQ(picture(document.GetBorehole(1)), right) << name;
        EXPECT_FALSE(document.IsPaneModified(0)) << name;
        EXPECT_EQ(document.GetUndoCount(), 0u) << name;
        EXPECT_FALSE(document.Undo()) << "nothing left: " << name;
    }
}

TEST(EditHistory, KeepsAtMostAHundredEntriesDroppingTheOldest)
{
    TestDocument document;
    std::vector<std::vector<std::wstring>> states;
    for (int n = 0; n < 150; ++n) {
        states.push_back(picture(document.GetBorehole(0)));
        document.EditSampleNumber(0, {{0, 0}}, L"N" + std::to_wstring(n));
        EXPECT_LE(document.GetUndoCount(), 100u);
    }
    EXPECT_EQ(document.GetUndoCount(), 100u);
    EXPECT_EQ(document.GetLastStepDescription(), L"Edit Sample Number");
    for (int n = 0; n < 100; ++n)
        ASSERT_TRUE(document.Undo());
    EXPECT_FALSE(document.Undo());
    EXPECT_EQ(picture(document.GetBorehole(0)), states[50]) << "the fifty oldest entries are gone";
    EXPECT_TRUE(document.IsPaneModified(0)) << "the oldest remaining entry began on a modified pane";
}

TEST(EditHistory, NestedStepsShareTheOutermostEntry)
{
    TestDocument document;
    const auto before = picture(document.GetBorehole(0));
    {
        UndoStep outer(document, 155, 0);
        document.EditUnitDepth(0, 0, false, 1.5);
        document.AppendUnit(0, 8);
        document.EditSeamOrPly(0, {{1, 1}}, L"B", L"");
        EXPECT_EQ(document.GetUndoCount(), 1u);
        EXPECT_EQ(document.GetNestingDepth(), 1);
        outer.commit();
    }
    ASSERT_EQ(document.GetUndoCount(), 1u);
    EXPECT_EQ(document.GetHistory().back().actions.size(), 3u);
    EXPECT_EQ(document.GetNestingDepth(), 0);
    document.Undo();
    EXPECT_EQ(picture(document.GetBorehole(0)), before);
}

// A failure half-way through an operation puts back what it had changed and leaves no entry; the error
// reaches the caller.
TEST(EditHistory, FailureRollsTheStepBack)
{
    TestDocument document;
    const auto before = picture(document.GetBorehole(0));
    try {
        document.EditSampleNumber(0, {{0, 2}, {9, 9}}, L"Z");
        FAIL() << "an index past the last unit must be refused";
    } catch (const Exception& e) {
        EXPECT_EQ(e.type(), Exception::UnitOutOfRange);
    }
    EXPECT_EQ(picture(document.GetBorehole(0)), before);
    EXPECT_EQ(document.GetUndoCount(), 0u);
    EXPECT_FALSE(document.IsPaneModified(0));

    // A deletion over a selection that runs past the end deletes nothing.
    EXPECT_THROW(document.DeleteUnits(0, {{1, 1}, {4, 6}}, true), Exception);
    EXPECT_EQ(picture(document.GetBorehole(0)), before);

    // An insert the borehole refuses removes no unit: its recorded action is discarded.
    EXPECT_THROW(document.InsertUnit(0, 2, false, true, 6.0), Exception);
    EXPECT_EQ(picture(document.GetBorehole(0)), before);
    EXPECT_EQ(document.GetUndoCount(), 0u);
    EXPECT_EQ(document.GetNestingDepth(), 0);
}

// A failed inner step inside an open outer step marks the history failed: every edit is refused until
// the outer step ends, and nothing of the outer step remains.
TEST(EditHistory, FailedMarkRefusesEditsUntilTheOuterStepEnds)
{
    TestDocument document;
    document.EditSampleNumber(0, {{0, 0}}, L"first");
    const auto before = picture(document.GetBorehole(0));
    {
        UndoStep outer(document, 155, 0);
        document.EditUnitDepth(0, 0, false, 0.5);
        EXPECT_THROW(document.EditUnitDepth(0, 3, false, 99.0), Exception);
        EXPECT_TRUE(document.IsStepFailed());
        EXPECT_EQ(picture(document.GetBorehole(0)), before) << "the whole outer entry went back at once";
        EXPECT_THROW(document.AppendUnit(0, 20), QuorLogException);
        EXPECT_THROW(UndoStep(document, 155, 0), QuorLogException);
        EXPECT_FALSE(document.CanUndo());
        outer.commit();
    }
    EXPECT_FALSE(document.IsStepFailed());
    EXPECT_EQ(document.GetNestingDepth(), 0);
    ASSERT_EQ(document.GetUndoCount(), 1u) << "only the entry before the failed step";
    EXPECT_EQ(document.AppendUnit(0, 20), 5);
    EXPECT_EQ(document.GetUndoCount(), 2u);
}

TEST(EditHistory, UndoRestoresTheModifiedFlagTheFileSaw)
{
    TestDocument document;
    // Edit, save, undo: the pane differs from its file again.
    document.EditSampleNumber(0, {{0, 0}}, L"A");
    document.SetPaneModified(0, false);
    document.markSaved(0);
    document.Undo();
    EXPECT_TRUE(document.IsPaneModified(0));

    // Save, edit, undo: back to what the file holds.
    document.SetPaneModified(0, false);
    document.markSaved(0);
    document.EditSampleNumber(0, {{0, 0}}, L"B");
    document.Undo();
    EXPECT_FALSE(document.IsPaneModified(0));
}

TEST(EditHistory, DragStepIsRolledBackByEscAndByANewDrag)
{
    TestDocument document;
    const auto before = picture(document.GetBorehole(0));
    document.openDragStep(0, 155);
    document.EditUnitDepth(0, 1, true, 2.5);
    document.EditUnitDepth(0, 1, true, 2.7);
    EXPECT_FALSE(document.CanUndo()) << "no Undo while a drag holds its step open";
    EXPECT_FALSE(document.Undo());
    document.cancelDragStep();
    EXPECT_EQ(picture(document.GetBorehole(0)), before);
    EXPECT_EQ(document.GetUndoCount(), 0u);

    // A release that never came: the next press rolls the stale drag back and starts its own.
    document.openDragStep(0, 155);
    document.EditUnitDepth(0, 0, false, 0.5);
    document.openDragStep(0, 127);
    EXPECT_EQ(picture(document.GetBorehole(0)), before);
    document.InsertUnit(0, 0, false, true, 0.25);
    document.closeDragStep();
    ASSERT_EQ(document.GetUndoCount(), 1u);
    EXPECT_EQ(document.GetLastStepDescription(), L"Append Unit");
    document.Undo();
    EXPECT_EQ(picture(document.GetBorehole(0)), before);
}

// An entry is undone on its own pane's borehole: an edit of the other pane while a step (a drag) is open
// would be put back onto the wrong borehole, so it is refused and the drag goes on.
TEST(EditHistory, AnOpenStepRefusesEditsOfTheOtherPane)
{
    TestDocument document;
    const auto left = picture(document.GetBorehole(0));
    const auto right = picture(document.GetBorehole(1));
    document.openDragStep(0, 155);
    document.EditUnitDepth(0, 1, true, 2.5);
    EXPECT_THROW(document.EditSampleNumber(1, {{0, 0}}, L"R9"), QuorLogException);
    EXPECT_EQ(picture(document.GetBorehole(1)), right);
    EXPECT_FALSE(document.IsPaneModified(1));
    EXPECT_FALSE(document.IsStepFailed());
    document.EditUnitDepth(0, 1, true, 2.7);
    document.cancelDragStep();
    EXPECT_EQ(picture(document.GetBorehole(0)), left);
    EXPECT_EQ(picture(document.GetBorehole(1)), right);
    EXPECT_EQ(document.GetUndoCount(), 0u);
}

TEST(EditHistory, ReplacingABoreholeDropsOnlyItsPanesEntries)
{
    TestDocument document;
    document.EditSampleNumber(0, {{0, 0}}, L"L");
    document.EditSampleNumber(1, {{0, 0}}, L"R");
    document.EditSampleNumber(0, {{1, 1}}, L"L2");
    document.replaceBorehole(0, DocviewTest::column(document.GetBorehole(0).schema, {4}));
    ASSERT_EQ(document.GetUndoCount(), 1u);
    EXPECT_EQ(document.GetHistory().front().pane, 1);
    document.Undo();
    EXPECT_EQ(document.GetUnitSampleNumber(1, 0), L"S1");
    EXPECT_EQ(document.unitCountOnSide(0), 1);
}

TEST(EditHistory, DeletingASelectionGoesFromTheHighestIndexDown)
{
    TestDocument document;
    document.replaceBorehole(0, DocviewTest::column(document.GetBorehole(0).schema, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    document.DeleteUnits(0, {{2, 4}, {8, 9}}, true);
    std::vector<int> order;
    for (const UndoAction& action : document.GetHistory().back().actions)
        order.push_back(action.unit);
    EXPECT_EQ(order, std::vector<int>({9, 8, 4, 3, 2}));
    EXPECT_EQ(document.unitCountOnSide(0), 5);
}

TEST(SampleNumberOperations, RelabelOverTheSelection)
{
    TestDocument document;
    auto& hole = document.GetBorehole(0);
    hole[0].sample = L"A1";
    hole[1].sample = L"A1";
    hole[2].sample = L"";
    hole[3].sample = L"B7x";
    ASSERT_TRUE(document.ResequenceSampleNumbers(0, {{0, 3}}, L"", L"", 10, false, false, 3));
    EXPECT_EQ(document.GetUnitSampleNumber(0, 0), L"A010");
    EXPECT_EQ(document.GetUnitSampleNumber(0, 1), L"A010") << "the same sample keeps its shared label";
    EXPECT_EQ(document.GetUnitSampleNumber(0, 2), L"") << "units without a sample are skipped";
    EXPECT_EQ(document.GetUnitSampleNumber(0, 3), L"B011x");

    ASSERT_TRUE(document.RenumberSampleNumbers(0, {{0, 0}, {3, 3}}, L"C-", L"", -12, true, false, 2));
    EXPECT_EQ(document.GetUnitSampleNumber(0, 0), L"C--02") << "the sign stands before the padding";
    EXPECT_EQ(document.GetUnitSampleNumber(0, 3), L"C--01x");

    ASSERT_TRUE(document.ChangeSampleNumbers(0, {{1, 1}}, L"P", L"s", true, true));
    EXPECT_EQ(document.GetUnitSampleNumber(0, 1), L"P010s") << "the digit run is kept as it is";
    EXPECT_EQ(document.GetUndoCount(), 3u);
}

TEST(SampleNumberOperations, UnsplittableNumberRollsEverythingBack)
{
    TestDocument document;
    document.GetBorehole(0)[3].sample = L"none";
    const auto before = picture(document.GetBorehole(0));
    EXPECT_FALSE(document.RenumberSampleNumbers(0, {{0, 4}}, L"", L"", 5, false, false, 0));
    EXPECT_FALSE(document.ChangeSampleNumbers(0, {{0, 4}}, L"Q", L"", true, false));
    EXPECT_EQ(picture(document.GetBorehole(0)), before);
    EXPECT_EQ(document.GetUndoCount(), 0u);
    EXPECT_FALSE(document.IsPaneModified(0));

    // Nothing to relabel still makes an entry, which only restores the modified flag.
    for (auto& unit : document.GetBorehole(1))
        unit.sample = L"";
    EXPECT_TRUE(document.ResequenceSampleNumbers(1, {{0, 1}}, L"", L"", 1, false, false, 0));
    ASSERT_EQ(document.GetUndoCount(), 1u);
    EXPECT_TRUE(document.GetHistory().back().actions.empty());
    EXPECT_TRUE(document.IsPaneModified(1));
    document.Undo();
    EXPECT_FALSE(document.IsPaneModified(1));
}

TEST(DocumentReads, BoundsAndSelectionRockTypes)
{
    TestDocument document;
    EXPECT_DOUBLE_EQ(document.GetBoreholeBaseDepth(0), 7.0);
    EXPECT_DOUBLE_EQ(document.GetUnitTop(0, 0), 0.0);
    EXPECT_DOUBLE_EQ(document.GetUnitTop(0, 3), 3.5);
    EXPECT_DOUBLE_EQ(document.GetUnitThickness(0, 2), 1.5);
    EXPECT_THROW(document.GetUnitBase(0, 5), Exception);
    EXPECT_THROW(document.GetUnitTop(1, -1), Exception);
    EXPECT_THROW(document.GetLastStepDescription(), QuorLogException);

    document.EditSelectionRocktypes(0, {{1, 2}}, {L"SAND", L"COAL"}, {70, 30}, L"MIX");
    EXPECT_EQ(document.GetUndoCount(), 1u);
    std::vector<std::wstring> names;
    std::vector<std::int32_t> percentages;
    std::wstring interval;
    document.GetSelectionRockTypes({{1, 2}}, 0, names, percentages, interval);
    EXPECT_EQ(names, std::vector<std::wstring>({L"SAND", L"COAL"}));
    EXPECT_EQ(percentages, std::vector<std::int32_t>({70, 30}));
    EXPECT_EQ(interval, L"MIX");
    document.GetSelectionRockTypes({{1, 3}}, 0, names, percentages, interval);
    EXPECT_TRUE(names.empty() && percentages.empty() && interval.empty()) << "unit 3 differs";
}

TEST(UnitRangeList, NormalisesTruncatesAndWalks)
{
    UnitRangeList list;
    list.add(5);
    list.add(1, 2);
    list.add(3);
    list.add(9, 7);
    list.add(2);
    EXPECT_EQ(list.ranges(), std::vector<UnitRange>({{1, 3}, {5, 5}, {7, 9}})) << "touching ranges merge";
    EXPECT_EQ(list.count(), 7);
    EXPECT_EQ(nextSelectedUnit(0, list), 1);
    EXPECT_EQ(nextSelectedUnit(3, list), 5);
    EXPECT_EQ(nextSelectedUnit(7, list), 8);
    EXPECT_EQ(nextSelectedUnit(9, list), -1);
    EXPECT_EQ(nextSelectedUnit(-1, list), -1);
    list.truncate(8);
    EXPECT_EQ(list.ranges(), std::vector<UnitRange>({{1, 3}, {5, 5}, {7, 7}}));
    list.truncate(5);
    EXPECT_EQ(list.ranges(), std::vector<UnitRange>({{1, 3}}));
}

} // namespace
