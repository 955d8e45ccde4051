#include <gtest/gtest.h>

#include <QCursor>
#include <QScrollBar>

#include "docview/document/history/UndoStep.h"
#include "tests/docview/mouse/MouseTestSupport.h"

using namespace MouseModes;
using MouseTest::MouseFixture;

namespace {

class NormalMode : public MouseFixture {};

} // namespace

TEST_F(NormalMode, DraggingABaseMovesItInWholeStepsAsOneUndoableStep)
{
    // The press 0.5 mm above the boundary: the boundary keeps that distance from the pointer.
    const QPoint press = Below(At(0, 5), -0.5);
    Press(press);
    EXPECT_EQ(Mode(), DragBoundary);
    EXPECT_EQ(view->m_dragUnit, 0);
    const int offset = view->m_dragOffset;
    EXPECT_LT(offset, 0);

    const QPoint first = Below(press, 12);
    DragTo(first);
    const QPoint second = Below(press, 23.3);
    DragTo(second);
    const double expected = SnappedDepthAt(0, second, offset);
    EXPECT_NEAR(Hole(0)[0].bottom, expected, 1e-9);
    EXPECT_NEAR(expected * 100, std::round(expected * 100), 1e-6) << "a whole step of 1/Tolerance";
    EXPECT_NEAR(Hole(0)[0].bottom, 5 + 2.33, 0.03) << "the boundary followed the pointer, not the press";
    EXPECT_DOUBLE_EQ(Hole(0)[1].bottom, 10) << "the next unit takes up the change";
    Release(second);

    EXPECT_EQ(Mode(), Normal);
    EXPECT_EQ(view->m_dragOffset, 0);
    EXPECT_EQ(document->GetUndoCount(), 1u) << "the whole drag is one step";
    EXPECT_EQ(LastStep(), L"Edit Unit Thickness");
    EXPECT_TRUE(document->IsPaneModified(0));
    document->Undo();
    EXPECT_EQ(Bases(0), (std::vector<double>{5, 10, 15}));
    EXPECT_FALSE(document->IsPaneModified(0));

    // A click on a boundary that moves nothing leaves no step to undo.
    Click(At(0, 10));
    EXPECT_EQ(document->GetUndoCount(), 0u);
    EXPECT_EQ(Mode(), Normal);
}

TEST_F(NormalMode, ABoundaryStopsAtTheMinimumThicknessUnlessTheUnitsBelowMove)
{
    // Down past the next base: the next unit keeps exactly the minimum.
    Press(At(0, 5));
    DragTo(At(0, 13));
    Release(At(0, 13));
    EXPECT_NEAR(Hole(0)[0].bottom, 9.99, 1e-9);
    EXPECT_NEAR(Hole(0)[1].thickness, 0.01, 1e-9);
    document->Undo();

    // Up past the unit's top: it keeps exactly the minimum.
    Press(At(0, 10));
    DragTo(At(0, 2));
    Release(At(0, 2));
    EXPECT_NEAR(Hole(0)[1].bottom, 5.01, 1e-9);
    EXPECT_DOUBLE_EQ(Hole(0)[2].bottom, 15);
    document->Undo();

    // Shift: the units below move with the boundary and nothing stops it.
    Press(At(0, 5), Qt::ShiftModifier);
    EXPECT_EQ(Mode(), DragBoundaryShift);
    const QPoint to = At(0, 13);
    DragTo(to, Qt::ShiftModifier);
    Release(to, Qt::ShiftModifier);
    const double moved = Hole(0)[0].bottom - 5;
    EXPECT_GT(moved, 7.9);
    EXPECT_NEAR(Hole(0)[1].bottom, 10 + moved, 1e-9);
    EXPECT_NEAR(Hole(0)[2].bottom, 15 + moved, 1e-9);
    document->Undo();

    // Insert mode turns the choice round.
    view->m_settings.insertMode = true;
    Press(At(0, 5));
    EXPECT_EQ(Mode(), DragBoundaryShift);
    Release(At(0, 5));
    Press(At(0, 5), Qt::ShiftModifier);
    EXPECT_EQ(Mode(), DragBoundary);
    Release(At(0, 5));
}

TEST_F(NormalMode, PressesNearTheEndsOfTheBoreholeTakeTheLastBaseButNotTheFirstTop)
{
    // Within 1 mm below the last unit: its base.
    Press(Below(At(0, 15), 0.5));
    EXPECT_EQ(Mode(), DragBoundary);
    EXPECT_EQ(view->m_dragUnit, 2);
    const int offset = view->m_dragOffset;
    EXPECT_GT(offset, 0);
    const QPoint deeper = Below(At(0, 15), 20.5);
    DragTo(deeper);
    Release(deeper);
    EXPECT_NEAR(Hole(0)[2].bottom, SnappedDepthAt(0, deeper, offset), 1e-9);
    EXPECT_NEAR(Hole(0)[2].bottom, 17, 0.03);
    document->Undo();

    // Within 1 mm of the first unit's top: a band, nothing dragged.
    Press(Below(At(0, 0), 0.5));
    EXPECT_EQ(Mode(), BandNew);
    EXPECT_TRUE(view->m_bandShown);
    Release(Below(At(0, 0), 0.5));
    EXPECT_FALSE(view->m_bandShown);
    EXPECT_EQ(document->GetUndoCount(), 0u);

    // Ctrl on a boundary starts no drag: it adds a band to the selection.
    Press(At(0, 10), Qt::ControlModifier);
    EXPECT_EQ(Mode(), BandAdd);
    DragTo(Below(At(0, 10), 10), Qt::ControlModifier);
    Release(Below(At(0, 10), 10), Qt::ControlModifier);
    EXPECT_EQ(Bases(0), (std::vector<double>{5, 10, 15}));
    EXPECT_EQ(document->GetUndoCount(), 0u);
}

TEST_F(NormalMode, UnitsOfNoThicknessMoveWithTheBaseTheyShare)
{
    ViewTest::FillBorehole(Hole(0), L"Zero", {{5, {{L"Coal", 100}}}, {5, {{L"Shale", 100}}}, {10, {{L"Coal", 100}}}});
    Press(At(0, 5));
    EXPECT_EQ(view->m_dragUnit, 0);
    const QPoint to = At(0, 7.5);
    DragTo(to);
    Release(to);
    const double base = Hole(0)[0].bottom;
    EXPECT_GT(base, 7);
    EXPECT_DOUBLE_EQ(Hole(0)[1].bottom, base);
    EXPECT_DOUBLE_EQ(Hole(0)[1].thickness, 0);
    EXPECT_DOUBLE_EQ(Hole(0)[2].bottom, 10);
    EXPECT_EQ(document->GetUndoCount(), 1u);
}

TEST_F(NormalMode, PressesSelectUnitsAloneAddThemWithCtrlAndSpanWithShift)
{
    Click(At(0, 2));
    EXPECT_EQ(view->m_activePane, 0);
    EXPECT_EQ(view->m_selectedUnit, 0);
    EXPECT_EQ(view->m_selection, (UnitRangeList{{0, 0}}));
    EXPECT_EQ(Mode(), Normal);

    Click(At(0, 12), Qt::ControlModifier);
    EXPECT_EQ(view->m_selection, (UnitRangeList{{0, 0}, {2, 2}}));
    EXPECT_EQ(view->m_selectedUnit, 2);

    Click(At(0, 7));
    Click(At(0, 12), Qt::ShiftModifier);
    EXPECT_EQ(view->m_selection, (UnitRangeList{{1, 2}}));
    EXPECT_EQ(view->m_selectedUnit, 1) << "the unit the span started from stays current";

    // The other pane's unit: that pane becomes the active one.
    Click(At(1, 8));
    EXPECT_EQ(view->m_activePane, 1);
    EXPECT_EQ(view->m_selection, (UnitRangeList{{1, 1}}));

    // The borehole's title: active, no unit.
    const QRectF& column = view->Layout().leftColumn;
    const QPointF title(column.center().x(), column.top() - 1.5 * view->Layout().lineHeight);
    Click(view->PageToDevice(title).toPoint());
    EXPECT_EQ(view->m_activePane, 0);
    EXPECT_EQ(view->m_selectedUnit, -1);
    EXPECT_TRUE(view->m_selection.empty());
}

TEST_F(NormalMode, BandsContainRightwardCrossLeftwardAndCtrlAddsToTheSelectionBefore)
{
    const QRectF& column = view->Layout().leftColumn;
    const double across = 1.05; // just right of the column
    // Rightward from left of the column, over units 1 and 2 only in depth: containment.
    const QPoint start = At(0, 4, -0.05);
    Press(start);
    EXPECT_EQ(Mode(), BandNew);
    const QPoint end = At(0, 16, across);
    DragTo(end);
    EXPECT_EQ(view->m_selection, (UnitRangeList{{1, 2}}));
    Release(end);
    EXPECT_EQ(Mode(), Normal);
    EXPECT_FALSE(view->m_bandShown);

    // Leftward over the same span: crossing takes unit 0, which the band only touches.
    Press(At(0, 16, across));
    DragTo(At(0, 4, -0.05));
    EXPECT_EQ(view->m_selection, (UnitRangeList{{0, 2}}));
    Release(At(0, 4, -0.05));
    ASSERT_GT(column.width(), 0);

    // Ctrl: the band's units join the selection held before the press.
    Click(At(0, 2));
    Press(At(0, 11, across), Qt::ControlModifier);
    EXPECT_EQ(Mode(), BandAdd);
    DragTo(At(0, 11.5, -0.05), Qt::ControlModifier);
    EXPECT_EQ(view->m_selection, (UnitRangeList{{0, 0}, {2, 2}}));
    Release(At(0, 11.5, -0.05), Qt::ControlModifier);

    // A press on a unit continues as a crossing band: dragging from unit 0 into unit 1 takes both.
    Press(At(0, 2));
    DragTo(At(0, 6));
    EXPECT_EQ(view->m_selection, (UnitRangeList{{0, 1}}));
    Release(At(0, 6));
}

TEST_F(NormalMode, ABandLeavingTheColumnScrollsOnEachTickUntilItComesBack)
{
    Click(At(0, 2));
    const QRect column = view->PageRectToDevice(view->Layout().leftColumn);
    Press(At(0, 3, 1.05));
    const QPoint outside(column.center().x(), column.bottom() + 15);
    DragTo(outside);
    EXPECT_TRUE(view->m_autoScroll);

    // The tick reads where the pointer is.
    QCursor::setPos(view->mapToGlobal(outside));
    const int before = view->PaneScrollBar(0)->value();
    view->OnTimer();
    EXPECT_GT(view->PaneScrollBar(0)->value(), before) << "the active pane scrolled down a line";
    const int after = view->PaneScrollBar(0)->value();

    DragTo(column.center());
    EXPECT_FALSE(view->m_autoScroll);
    DragTo(outside);
    EXPECT_TRUE(view->m_autoScroll);
    Release(outside);
    EXPECT_FALSE(view->m_autoScroll);
    EXPECT_EQ(view->PaneScrollBar(0)->value(), after);
}

TEST_F(NormalMode, ADragWhoseReleaseWasLostIsRolledBackBeforeTheNextPress)
{
    Press(At(0, 5));
    DragTo(At(0, 7));
    ASSERT_GT(Hole(0)[0].bottom, 6.5);
    // No release: another window took the pointer. The next press starts afresh.
    Press(At(0, 10));
    EXPECT_EQ(Mode(), DragBoundary);
    EXPECT_DOUBLE_EQ(Hole(0)[0].bottom, 5) << "the lost drag was rolled back";
    DragTo(At(0, 12));
    Release(At(0, 12));
    EXPECT_DOUBLE_EQ(Hole(0)[0].bottom, 5);
    EXPECT_GT(Hole(0)[1].bottom, 11.5);
    EXPECT_EQ(document->GetUndoCount(), 1u);
    EXPECT_FALSE(document->IsStepFailed());
    EXPECT_EQ(document->GetNestingDepth(), 0);

    // Losing the pointer while dragging ends the drag where it stands.
    Press(At(0, 5));
    DragTo(At(0, 7));
    view->OnCaptureLost();
    EXPECT_EQ(Mode(), Normal);
    EXPECT_FALSE(document->HasDragStep());
    EXPECT_EQ(document->GetUndoCount(), 2u);
    EXPECT_GT(Hole(0)[0].bottom, 6.5);
}

TEST_F(NormalMode, APressThatCannotOpenItsStepReportsTheInternalError)
{
    // A step left failed: the history refuses every new step until it is closed.
    {
        UndoStep outer(*document, 155, 0);
        UndoStep inner(*document, 155, 0);
        document->dropPaneEntries(0);
        ASSERT_TRUE(document->IsStepFailed());
        Press(At(0, 5));
        EXPECT_EQ(sandbox.dialogs.shown.size(), 1u) << "the error list";
        EXPECT_EQ(Mode(), DragBoundary) << "the mode the press had reached";
        Release(At(0, 5));
        EXPECT_EQ(Mode(), Normal);
    }
    EXPECT_EQ(Bases(0), (std::vector<double>{5, 10, 15}));

    // An edit that fails after the press opened its step: the error, and no step left open.
    view->m_editMode = CreateBoundaries;
    const ORBAX_Logging::SchemaPtr schema = Hole(0).schema;
    Hole(0).schema.reset();
    Click(At(0, 7));
    Hole(0).schema = schema;
    EXPECT_EQ(sandbox.dialogs.shown.size(), 2u);
    EXPECT_FALSE(document->HasDragStep());
    EXPECT_EQ(document->GetNestingDepth(), 0);
    EXPECT_FALSE(document->IsStepFailed());
    EXPECT_EQ(Bases(0), (std::vector<double>{5, 10, 15}));
    view->m_editMode = Normal;

    // Once the failed step is gone, drags work again.
    Press(At(0, 5));
    DragTo(At(0, 6));
    Release(At(0, 6));
    EXPECT_GT(Hole(0)[0].bottom, 5.5);
}

TEST_F(NormalMode, APressOnABoundaryMakesItsPaneTheOneTheFileCommandsActOn)
{
    view->Select(-1, -1, 0, 0);
    Press(At(1, 4));
    DragTo(At(1, 5));
    Release(At(1, 5));
    EXPECT_EQ(view->m_activePane, 1);
    // New asks about the right borehole's edits, and No discards them; the left stays.
    sandbox.boxes.answers.push_back(ORBAX_Platform::MessageResult::No);
    view->OnNewBorehole();
    EXPECT_EQ(sandbox.boxes.shown.size(), 1u);
    EXPECT_EQ(Hole(1).unitCount(), 0);
    EXPECT_EQ(Hole(0).unitCount(), 3);
    // A boundary picked in Pick and Drag, too.
    view->Select(-1, -1, 1, -1);
    view->m_editMode = PickAndDrag;
    Press(At(0, 5));
    EXPECT_EQ(view->m_activePane, 0);
}
