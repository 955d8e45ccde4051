#include <gtest/gtest.h>

#include <cmath>

#include <QLineEdit>
#include <QPushButton>

#include "app/QuorApp.h"
#include "dialogs/Setrock.h"
#include "tests/docview/DocviewTestSupport.h"
#include "tests/docview/mouse/MouseTestSupport.h"
#include "widgets/controls/HatchComboBox.h"

using namespace MouseModes;
using MouseTest::MouseFixture;

namespace {

class EditModes : public MouseFixture {
protected:
    std::vector<std::wstring> Picture(int pane) { return DocviewTest::picture(Hole(pane)); }
};

} // namespace

TEST_F(EditModes, SetBaseDepthAsksForTheDepthAtTheRelease)
{
    view->m_editMode = SetBaseDepth;
    QString shown;
    sandbox.dialogs.inspect = [&](QDialog& dialog) {
        auto* edit = dialog.findChild<QLineEdit*>("id1176");
        ASSERT_NE(edit, nullptr);
        shown = edit->text();
        EXPECT_EQ(dialog.windowTitle(), "Set Depth");
        edit->setText("7.126");
        dialog.findChild<QPushButton*>("id1")->click();
    };
    Press(At(0, 7));
    EXPECT_EQ(view->m_selectedUnit, 1);
    EXPECT_TRUE(sandbox.dialogs.shown.empty()) << "nothing before the release";
    Release(At(0, 7));
    EXPECT_EQ(shown, "10.00") << "the unit's base with DisplayPrecision decimals";
    EXPECT_NEAR(Hole(0)[1].bottom, 7.13, 1e-9) << "snapped to 1/Tolerance";
    EXPECT_DOUBLE_EQ(Hole(0)[2].bottom, 15);
    EXPECT_EQ(Mode(), SetBaseDepth);
    EXPECT_EQ(LastStep(), L"Edit Unit Depth");

    // A press off any unit clears the selection and asks nothing.
    sandbox.dialogs.shown.clear();
    Click(At(0, 30));
    EXPECT_EQ(view->m_selectedUnit, -1);
    EXPECT_TRUE(sandbox.dialogs.shown.empty());

    // A base shared with units of no thickness: they all move, and Undo takes them back in one go.
    ViewTest::FillBorehole(Hole(0), L"Zero", {{5, {{L"Coal", 100}}}, {5, {{L"Shale", 100}}}, {10, {{L"Coal", 100}}}});
    document->dropPaneEntries(0);
    sandbox.dialogs.inspect = [&](QDialog& dialog) {
        dialog.findChild<QLineEdit*>("id1176")->setText("3.5");
        dialog.findChild<QPushButton*>("id1")->click();
    };
    Click(At(0, 2));
    EXPECT_EQ(Bases(0), (std::vector<double>{3.5, 3.5, 10}));
    EXPECT_EQ(document->GetUndoCount(), 1u);
    document->Undo();
    EXPECT_EQ(Bases(0), (std::vector<double>{5, 5, 10}));
}

TEST_F(EditModes, SetRockEditsTheUnitsRockTypesAfterOk)
{
    CQuorApp app;
    app.m_tables = tables;
    view->SetApplication(&app);
    view->m_editMode = SetRock;
    sandbox.dialogs.inspect = [&](QDialog& dialog) {
        auto* rock = dynamic_cast<Setrock*>(&dialog);
        ASSERT_NE(rock, nullptr);
        CHatchComboBox* list = rock->rockTypeList(0);
        EXPECT_EQ(list->currentText(), "COAL") << "the unit's own rock type, in any case";
        const int shale = list->findText("SHALE");
        ASSERT_GE(shale, 0);
        list->setCurrentIndex(shale);
        emit list->activated(shale);
        dialog.findChild<QPushButton*>("id1")->click();
    };
    Click(At(0, 7));
    EXPECT_EQ(Hole(0)[1].elements.at(0).rockType.str(), L"SHALE");
    EXPECT_EQ(LastStep(), L"Edit Rocktypes");
    EXPECT_EQ(Mode(), SetRock);

    // Cancel changes nothing.
    sandbox.dialogs.inspect = nullptr;
    sandbox.dialogs.result = QDialog::Rejected;
    const auto before = Picture(0);
    Click(At(0, 12));
    EXPECT_EQ(Picture(0), before);
}

TEST_F(EditModes, DeleteAsksFirstAndFollowsInsertMode)
{
    view->m_editMode = Delete;
    sandbox.boxes.answers = {ORBAX_Platform::MessageResult::No};
    Click(At(0, 7));
    ASSERT_EQ(sandbox.boxes.shown.size(), 1u);
    EXPECT_EQ(sandbox.boxes.shown[0].text, L"Do you want to delete this unit?");
    EXPECT_EQ(sandbox.boxes.shown[0].buttons, ORBAX_Platform::MessageButtons::YesNo);
    EXPECT_EQ(Hole(0).unitCount(), 3);

    sandbox.boxes.answers = {ORBAX_Platform::MessageResult::Yes};
    Click(At(0, 7));
    EXPECT_EQ(Bases(0), (std::vector<double>{5, 15})) << "insert mode off: the unit below takes its place";
    EXPECT_EQ(view->m_activePane, -1);
    EXPECT_TRUE(view->m_selection.empty());
    EXPECT_EQ(Mode(), Delete);
    document->Undo();

    view->m_settings.insertMode = true;
    sandbox.boxes.answers = {ORBAX_Platform::MessageResult::Yes};
    Click(At(0, 7));
    EXPECT_EQ(Bases(0), (std::vector<double>{5, 10})) << "insert mode on: the units below move up";
}

TEST_F(EditModes, InsertMakesAUnitOfTheMinimumThicknessAndSizesItByTheDrag)
{
    view->m_editMode = Insert;
    const auto before = Picture(0);
    const QPoint press = At(0, 6.5);
    const double depth = SnappedDepthAt(0, press);
    Press(press);
    EXPECT_EQ(Mode(), InsertDrag);
    ASSERT_EQ(Hole(0).unitCount(), 5);
    EXPECT_NEAR(Hole(0)[1].bottom, depth, 1e-9) << "the copy of the unit above the press";
    EXPECT_NEAR(Hole(0)[2].bottom, depth + 0.01, 1e-9) << "the new unit, the minimum thick";
    EXPECT_EQ(view->m_dragUnit, 2);

    const QPoint to = At(0, 8.4);
    DragTo(to);
    Release(to);
    EXPECT_EQ(Mode(), Insert);
    EXPECT_NEAR(Hole(0)[2].bottom, SnappedDepthAt(0, to), 1e-9);
    EXPECT_DOUBLE_EQ(Hole(0)[3].bottom, 10) << "the unit pressed in keeps its base";
    EXPECT_EQ(Hole(0)[2].elements.at(0).rockType.str(), L"") << "the new unit is blank";
    EXPECT_EQ(LastStep(), L"Insert Unit");
    EXPECT_EQ(document->GetUndoCount(), 1u) << "both boundaries in one step";
    document->Undo();
    EXPECT_EQ(Picture(0), before);

    // Below the last unit: two units appended.
    ASSERT_GT(ColumnBottomDepth(0), 17);
    Click(At(0, 16.5));
    ASSERT_EQ(Hole(0).unitCount(), 5);
    EXPECT_NEAR(Hole(0)[3].bottom, SnappedDepthAt(0, At(0, 16.5)), 1e-9);
    EXPECT_NEAR(Hole(0)[4].thickness, 0.01, 1e-9);
    document->Undo();

    // On a boundary: too close to keep the minimum, a beep and nothing else.
    view->m_settings.minimumThickness = 0.1;
    Click(At(0, 10));
    EXPECT_EQ(sandbox.beeps.count, 1);
    view->m_settings.minimumThickness = 0.01;
    EXPECT_EQ(Picture(0), before);
    EXPECT_EQ(document->GetUndoCount(), 0u);
    // Off the columns: a beep.
    Click(QPoint(2, 2));
    EXPECT_EQ(sandbox.beeps.count, 2);

    // Shift (insert mode off): the units below move with the inserted unit's base.
    Press(press, Qt::ShiftModifier);
    EXPECT_EQ(Mode(), InsertDragShift);
    DragTo(At(0, 8.4), Qt::ShiftModifier);
    Release(At(0, 8.4), Qt::ShiftModifier);
    const double grown = Hole(0)[2].bottom - depth;
    EXPECT_NEAR(Hole(0)[3].bottom, 10 + grown, 1e-9);
    EXPECT_NEAR(Hole(0)[4].bottom, 15 + grown, 1e-9);
}

TEST_F(EditModes, CreateBoundariesSplitsOrAppendsAtThePress)
{
    view->m_editMode = CreateBoundaries;
    const QPoint inside = At(0, 12.3);
    Click(inside);
    ASSERT_EQ(Hole(0).unitCount(), 4);
    EXPECT_NEAR(Hole(0)[2].bottom, SnappedDepthAt(0, inside), 1e-9);
    EXPECT_DOUBLE_EQ(Hole(0)[3].bottom, 15);
    EXPECT_EQ(Hole(0)[2].elements.at(0).rockType.str(), L"Shale") << "both halves keep the unit's rock";
    EXPECT_TRUE(std::isnan(Hole(0)[2].recovered) && std::isnan(Hole(0)[3].recovered))
        << "a unit without a recovered length splits into two without one";
    EXPECT_EQ(LastStep(), L"Create Boundary");
    EXPECT_EQ(Mode(), CreateBoundaries);
    EXPECT_FALSE(document->HasDragStep());

    ASSERT_GT(ColumnBottomDepth(0), 17);
    Click(At(0, 16.5));
    ASSERT_EQ(Hole(0).unitCount(), 5);
    EXPECT_NEAR(Hole(0)[4].bottom, SnappedDepthAt(0, At(0, 16.5)), 1e-9);
    EXPECT_EQ(document->GetUndoCount(), 2u);

    // Just below the last base, by no more than the minimum: a beep.
    view->m_settings.minimumThickness = 0.5;
    Click(Below(At(0, Hole(0)[4].bottom), 2));
    EXPECT_EQ(sandbox.beeps.count, 1);
    EXPECT_EQ(Hole(0).unitCount(), 5);
}

TEST_F(EditModes, AnAltPressMakesABoundaryAndItsDragASecondOne)
{
    // Released within the double-click rectangle: the one boundary.
    const QPoint press = At(0, 12);
    Press(press, Qt::AltModifier);
    EXPECT_EQ(Mode(), SplitWait);
    EXPECT_EQ(view->m_activePane, 0);
    ASSERT_EQ(Hole(0).unitCount(), 4);
    const double first = SnappedDepthAt(0, press);
    EXPECT_NEAR(Hole(0)[2].bottom, first, 1e-9);
    DragTo(press + QPoint(3, 3), Qt::AltModifier);
    EXPECT_EQ(Hole(0).unitCount(), 4);
    Release(press + QPoint(3, 3), Qt::AltModifier);
    EXPECT_EQ(Mode(), Normal);
    EXPECT_EQ(LastStep(), L"Insert Unit");
    document->Undo();
    EXPECT_EQ(Bases(0), (std::vector<double>{5, 10, 15}));

    // Dragged beyond it: a second boundary follows the pointer, held above the next base.
    Press(press, Qt::AltModifier);
    DragTo(At(0, 13), Qt::AltModifier);
    EXPECT_EQ(Mode(), SplitDrag);
    ASSERT_EQ(Hole(0).unitCount(), 5);
    DragTo(At(0, 20), Qt::AltModifier);
    Release(At(0, 20), Qt::AltModifier);
    EXPECT_NEAR(Hole(0)[2].bottom, first, 1e-9);
    EXPECT_NEAR(Hole(0)[3].bottom, 14.99, 1e-9);
    EXPECT_DOUBLE_EQ(Hole(0)[4].bottom, 15);
    EXPECT_EQ(document->GetUndoCount(), 1u);
    document->Undo();

    // Insert mode on: the second boundary pushes the units below.
    view->m_settings.insertMode = true;
    Press(press, Qt::AltModifier);
    EXPECT_EQ(Mode(), SplitWaitShift);
    DragTo(At(0, 20), Qt::AltModifier);
    EXPECT_EQ(Mode(), SplitDragShift);
    Release(At(0, 20), Qt::AltModifier);
    ASSERT_EQ(Hole(0).unitCount(), 5);
    EXPECT_GT(Hole(0)[4].bottom, 15 + 4) << "the rest moved down";
}

TEST_F(EditModes, MergeJoinsTheUnitWithTheOneAbove)
{
    view->m_editMode = Merge;
    Click(At(0, 7));
    EXPECT_EQ(Bases(0), (std::vector<double>{10, 15}));
    EXPECT_EQ(view->m_selectedUnit, 0) << "the merged unit is selected";
    EXPECT_EQ(Hole(0)[0].elements.at(0).rockType.str(), L"Coal");
    // The first unit has none above: nothing changes.
    const auto before = Picture(0);
    Click(At(0, 2));
    EXPECT_EQ(Picture(0), before);
    EXPECT_EQ(Mode(), Merge);
}

TEST_F(EditModes, PickAndDragShowsHandlesThatDragThePickedBoundary)
{
    view->m_editMode = PickAndDrag;
    Click(At(0, 7));
    EXPECT_EQ(Mode(), PickAndDrag) << "inside a unit: nothing picked";
    Click(At(0, 10));
    EXPECT_EQ(Mode(), Picked);
    EXPECT_EQ(view->m_dragUnit, 1);

    // The right handle: 1 to 3 mm right of the column, on the base.
    auto handleOf = [&](double base) {
        const QRectF& column = view->Layout().leftColumn;
        const QPointF handle(column.right() + 2, column.top() + (base - view->GetPaneTopDepth(0)) / view->GetScale());
        return view->PageToDevice(handle).toPoint();
    };
    const QPoint onHandle = handleOf(10);
    Press(onHandle);
    EXPECT_EQ(Mode(), PickedDrag);
    const int offset = view->m_dragOffset;
    const QPoint to = Below(onHandle, 14);
    DragTo(to);
    Release(to);
    EXPECT_EQ(Mode(), Picked);
    EXPECT_NEAR(Hole(0)[1].bottom, SnappedDepthAt(0, to, offset), 1e-9);
    EXPECT_EQ(LastStep(), L"Edit Unit Thickness");

    // Ctrl on a handle moves nothing; a press elsewhere drops the pick.
    const double base = Hole(0)[1].bottom;
    const QPoint moved = handleOf(base);
    Press(moved, Qt::ControlModifier);
    EXPECT_EQ(Mode(), Picked);
    DragTo(Below(moved, 10), Qt::ControlModifier);
    Release(Below(moved, 10), Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(Hole(0)[1].bottom, base);
    Click(At(0, 2));
    EXPECT_EQ(Mode(), PickAndDrag);
}

TEST_F(EditModes, CorrelateOpensTheCorrelateOrSampleNumberDialogOnTheUnit)
{
    // The application's configuration, with a correlation site, serves the unit commands.
    CQuorApp app;
    app.m_tables = tables;
    view->SetApplication(&app);
    for (const auto& [id, site] : app.m_tables.correlations)
        app.m_tables.currentCorrelationSiteId = id;
    int selectedThen = -1, modeThen = -1;
    sandbox.dialogs.inspect = [&](QDialog&) {
        selectedThen = view->m_selectedUnit;
        modeThen = view->m_editMode;
    };

    view->m_editMode = Correlate;
    Click(At(0, 30));
    EXPECT_EQ(sandbox.beeps.count, 1) << "no unit there";
    EXPECT_TRUE(sandbox.dialogs.shown.empty());
    Press(At(0, 12));
    EXPECT_EQ(Mode(), CorrelatePick);
    EXPECT_TRUE(sandbox.dialogs.shown.empty()) << "nothing before the release";
    Release(At(0, 12));
    EXPECT_EQ(sandbox.dialogs.shown, std::vector<QString>{"dlg156"});
    EXPECT_EQ(selectedThen, 2);
    EXPECT_EQ(modeThen, Correlate) << "the mode returns before the dialog opens";
    EXPECT_EQ(Mode(), Correlate);

    view->m_settings.showSampleNumbers = true;
    Click(At(0, 7));
    EXPECT_EQ(sandbox.dialogs.shown, (std::vector<QString>{"dlg156", "dlg159"}));
    EXPECT_EQ(selectedThen, 1);
}

TEST_F(EditModes, ALeftPressAnywhereInAPaneMakesItTheActiveOneInEveryMode)
{
    // Beside the column (where its labels go), on a unit and on a boundary, at depths where units exist,
    // with the other pane active; then beside the column of a new empty borehole. The release keeps it.
    auto pressIn = [this](int pane, MouseModes::Mode mode, const QPoint& point) {
        view->Select(-1, -1, 1 - pane, -1);
        view->m_editMode = mode;
        Click(point);
        EXPECT_EQ(view->m_activePane, pane) << "mode " << mode << " at " << point.x() << "," << point.y();
        view->m_editMode = Normal;
    };
    for (MouseModes::Mode mode :
         {Normal, CreateBoundaries, PickAndDrag, SetRock, Merge, Insert, SetBaseDepth, Correlate, Delete}) {
        for (int pane : {0, 1})
            for (const QPoint& point : {At(pane, 3, 1.6), At(pane, 3), At(pane, 4)})
                pressIn(pane, mode, point);
        document->GetBorehole(1) = ORBAX_Logging::Borehole(schema);
        view->OnSize();
        pressIn(1, mode, At(1, 3, 1.6));
        ViewTest::FillBorehole(Hole(1), L"Right hole", {{4, {{L"Shale", 100}}}, {12, {{L"Coal", 100}}}});
    }
}
