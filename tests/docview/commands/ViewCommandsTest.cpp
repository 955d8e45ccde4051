// The view's own commands run from the command table: display switches and their ticks, the edit
// modes and the status panes, scale, zoom and position, Esc, the unit keys and the trace commands.
#include <cmath>

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QScrollBar>

#include "docview/document/history/UndoStep.h"
#include "resources/CommandIds.h"
#include "tests/docview/commands/CommandTestSupport.h"

namespace {

using namespace QuorCommand;
using CommandTest::CommandFixture;

class ViewCommands : public CommandFixture {
protected:
    // A trace file of three curves read from text and taken into the view's list.
    void attachTrace()
    {
        auto file = std::make_unique<LasProperty>(app.m_tables.traceDefinitions);
        const std::string text = ViewTest::LasText(0, 0.5, 40,
                                                   {{"GR", [](int r) { return 20.0 + r % 7; }},
                                                    {"DEN", [](int r) { return 2.0 + 0.01 * r; }},
                                                    {"ILD", [](int r) { return 5.0 + r % 3; }}});
        std::wstring error;
        ASSERT_EQ(file->read_bytes(text, L"well.las", error), 0) << QString::fromStdWString(error).toStdString();
        view->AttachTrace(std::move(file));
    }

    // Answers the next value prompt with `text` and OK.
    void answerPrompt(const QString& text)
    {
        sandbox.dialogs.inspect = [text](QDialog& dialog) {
            dialog.findChild<QLineEdit*>("id1176")->setText(text);
            dialog.accept();
        };
    }
};

TEST_F(ViewCommands, SwitchesTickAndModesShowInThePanes)
{
    EXPECT_FALSE(checked(ID_SAMPLE_NUMBERS));
    run(ID_SAMPLE_NUMBERS);
    EXPECT_TRUE(checked(ID_SAMPLE_NUMBERS));
    EXPECT_TRUE(view->m_settings.showSampleNumbers);
    EXPECT_TRUE(checked(ID_RULER));
    run(ID_RULER);
    EXPECT_FALSE(checked(ID_RULER));
    for (int id : {ID_FINE_SCROLL, ID_INSERT_MODE}) {
        run(id);
        EXPECT_TRUE(checked(id)) << id;
    }
    run(ID_LINK_SCROLLBARS);
    EXPECT_FALSE(view->m_settings.linkScrolling);
    EXPECT_EQ(frame.StatusPane(59140)->text(), "INS");

    EXPECT_EQ(pane(ID_INDICATOR_TOOL), "Normal");
    EXPECT_EQ(pane(ID_INDICATOR_SCALE), "Scale 1:100");
    run(ID_MODE_PICK_AND_DRAG);
    EXPECT_EQ(view->m_editMode, MouseModes::PickAndDrag);
    EXPECT_TRUE(checked(ID_MODE_PICK_AND_DRAG));
    EXPECT_FALSE(checked(ID_MODE_NORMAL));
    EXPECT_EQ(pane(ID_INDICATOR_TOOL), "Pick and drag");
    view->m_editMode = MouseModes::PickedDrag; // a drag of that mode under way
    EXPECT_TRUE(checked(ID_MODE_PICK_AND_DRAG));
    run(ID_MODE_INSERT);
    view->m_editMode = MouseModes::InsertDrag;
    EXPECT_FALSE(checked(ID_MODE_INSERT)) << "ticked in the first insert state only";
    EXPECT_EQ(pane(ID_INDICATOR_TOOL), "Insert");
    run(ID_MODE_NORMAL);
    EXPECT_EQ(view->m_editMode, MouseModes::Normal);
    EXPECT_EQ(pane(ID_INDICATOR_TOOL), "Normal");
    view->m_lithologyText = L"COAL 100%";
    EXPECT_EQ(pane(ID_INDICATOR_LITHOLOGY), "COAL 100%");
}

TEST_F(ViewCommands, EscRollsBackTheOpenDragThenNarrowsTheSelection)
{
    // A drag step under way in Set Base Depth mode: Esc puts its change back and leaves the mode.
    run(ID_MODE_SET_BASE_DEPTH);
    const double base = Hole(0)[1].bottom;
    document->openDragStep(0, 199);
    document->EditUnitDepth(0, 1, false, 3.5);
    ASSERT_DOUBLE_EQ(Hole(0)[1].bottom, 3.5);
    run(ID_CANCEL_OPERATION);
    EXPECT_DOUBLE_EQ(Hole(0)[1].bottom, base);
    EXPECT_FALSE(document->HasDragStep());
    EXPECT_EQ(document->GetUndoCount(), 0u);
    EXPECT_EQ(view->m_editMode, MouseModes::Normal);

    selectUnits(0, 1, 2);
    run(ID_CANCEL_OPERATION);
    EXPECT_EQ(view->m_activePane, 0) << "the first Esc drops the unit";
    EXPECT_EQ(view->m_selectedUnit, -1);
    run(ID_CANCEL_OPERATION);
    EXPECT_EQ(view->m_activePane, -1) << "the second the pane";
}

TEST_F(ViewCommands, ScaleRefusesNothingAndZoomStepsThroughTheTable)
{
    answerPrompt("0");
    run(ID_SCALE);
    EXPECT_DOUBLE_EQ(view->GetScale(), 0.1) << "a scale of 0 is refused";
    ASSERT_EQ(sandbox.boxes.shown.size(), 1u);
    EXPECT_EQ(sandbox.boxes.shown[0].text, L"The scale must be greater than 0.");

    std::wstring shown;
    sandbox.dialogs.inspect = [&shown](QDialog& dialog) {
        shown = dialog.findChild<QLineEdit*>("id1176")->text().toStdWString();
        dialog.findChild<QLineEdit*>("id1176")->setText("200");
        dialog.accept();
    };
    view->SetScale(0.1239);
    run(ID_SCALE);
    EXPECT_EQ(shown, L"123") << "truncated, not rounded";
    EXPECT_DOUBLE_EQ(view->GetScale(), 0.2);
    EXPECT_EQ(pane(ID_INDICATOR_SCALE), "Scale 1:200");

    run(ID_ZOOM_IN);
    EXPECT_DOUBLE_EQ(view->GetScale(), 0.1);
    run(ID_ZOOM_OUT);
    run(ID_ZOOM_OUT);
    EXPECT_DOUBLE_EQ(view->GetScale(), 0.5);
    view->SetScale(1.0);
    run(ID_ZOOM_OUT);
    EXPECT_DOUBLE_EQ(view->GetScale(), 1.0) << "1:1000 is as far as it goes";
}

TEST_F(ViewCommands, TopDepthAndScrollingKeepTheLinkedPanesTogether)
{
    view->Select(-1, -1, 1, -1);
    view->SetPaneTopDepth(0, 2.0);
    view->SetPaneTopDepth(1, 5.0);
    answerPrompt("8");
    run(ID_SET_DISPLAY_TOP_DEPTH);
    EXPECT_NEAR(view->GetPaneTopDepth(1), 8.0, 0.05);
    EXPECT_NEAR(view->GetPaneTopDepth(0), 5.0, 0.05) << "the left pane keeps its distance";

    view->Select(-1, -1, 0, -1);
    answerPrompt("1");
    run(ID_SET_DISPLAY_TOP_DEPTH);
    EXPECT_NEAR(view->GetPaneTopDepth(0), 1.0, 0.05);
    EXPECT_NEAR(view->GetPaneTopDepth(1), 8.0, 0.05) << "the left pane moves alone";

    // Scroll to Bottom puts the last base 10 mm above the bottom of the column.
    Hole(0)[4].bottom = 80;
    Hole(0)[4].thickness = 74;
    view->UpdateScrollRanges();
    run(ID_SCROLL_TO_BOTTOM);
    const double expected = 80.0 - (view->Layout().column(0).height() - 10) * view->GetScale();
    ASSERT_GT(expected, 10.0);
    EXPECT_NEAR(view->GetPaneTopDepth(0), expected, 0.05);
    run(ID_SCROLL_TO_TOP);
    EXPECT_NEAR(view->GetPaneTopDepth(0), 0.0, 0.05);

    // Page keys scroll the active pane by a page.
    const int before = view->PaneScrollBar(0)->value();
    run(ID_PAGE_DOWN);
    EXPECT_GT(view->PaneScrollBar(0)->value(), before);
}

TEST_F(ViewCommands, UnitKeysMoveTheSelectionAndBeepAtTheEnds)
{
    view->Select(-1, -1, 0, 3);
    run(ID_NEXT_UNIT);
    EXPECT_EQ(view->m_selectedUnit, 4);
    EXPECT_FALSE(enabled(ID_NEXT_UNIT));
    const int beeps = sandbox.beeps.count;
    command(ID_NEXT_UNIT)->setEnabled(true);
    command(ID_NEXT_UNIT)->trigger();
    EXPECT_EQ(sandbox.beeps.count, beeps + 1);
    EXPECT_EQ(view->m_selectedUnit, 4);
    run(ID_PREVIOUS_UNIT);
    EXPECT_EQ(view->m_selectedUnit, 3);
    view->Select(-1, -1, 0, 0);
    EXPECT_FALSE(enabled(ID_PREVIOUS_UNIT));
}

TEST_F(ViewCommands, TraceCommandsFollowTheSelectedCurve)
{
    EXPECT_FALSE(enabled(ID_CLOSE_ALL_TRACES));
    EXPECT_TRUE(enabled(ID_TRACE_MANAGER));
    attachTrace();
    ASSERT_EQ(view->Traces().size(), 1u);
    EXPECT_TRUE(enabled(ID_CLOSE_ALL_TRACES));
    for (int id : {ID_TRACE_COLUMN1, ID_TRACE_COLUMN2, ID_TRACE_COLUMN3, ID_SHIFT_TRACE, ID_AVERAGE_TRACE,
                   ID_TRACE_COLOUR_FIRST})
        EXPECT_FALSE(enabled(id)) << id << " without a selected trace";

    // The focus walks the panes, then the visible curves in column order.
    view->Select(-1, -1, 1, -1);
    run(ID_MOVE_FOCUS_RIGHT);
    ASSERT_EQ(view->m_selectedTraceFile, 0);
    const int curve = view->m_selectedCurve;
    const CurveProperty& selected = view->Traces()[0]->curves()[static_cast<std::size_t>(curve)];
    const int column = selected.displayField;
    EXPECT_TRUE(checked(ID_TRACE_COLUMN1 + column));
    EXPECT_FALSE(enabled(ID_TRACE_COLUMN1 + column)) << "the current column is ticked and disabled";
    const int other = (column + 1) % 3;
    EXPECT_TRUE(enabled(ID_TRACE_COLUMN1 + other));
    run(ID_TRACE_COLUMN1 + other);
    EXPECT_EQ(selected.displayField, other);

    run(ID_TRACE_COLOUR_FIRST + 5);
    EXPECT_EQ(selected.colourIndex, 5);
    EXPECT_TRUE(checked(ID_TRACE_COLOUR_FIRST + 5));
    EXPECT_FALSE(enabled(ID_TRACE_COLOUR_FIRST + 5));

    answerPrompt("1.25");
    run(ID_SHIFT_TRACE);
    EXPECT_DOUBLE_EQ(selected.depthOffset, 1.25);

    const bool filtered = view->m_settings.showFilteredTraces;
    run(ID_FILTER_TRACES);
    EXPECT_NE(view->m_settings.showFilteredTraces, filtered);
    EXPECT_EQ(selected.smoothing, view->m_settings.showFilteredTraces);

    run(ID_CLOSE_ALL_TRACES);
    EXPECT_TRUE(view->Traces().empty());
    EXPECT_EQ(view->m_selectedTraceFile, -1);
}

TEST_F(ViewCommands, OpenTraceAsksBeforeReplacingAndRemembersTheFolder)
{
    attachTrace();
    ORBAX_Platform::ScriptedFilePrompts prompts;
    ORBAX_Platform::ScopedFilePrompts scoped(prompts);
    sandbox.boxes.answers = {ORBAX_Platform::MessageResult::Cancel};
    run(ID_OPEN_TRACE);
    ASSERT_EQ(sandbox.boxes.shown.size(), 1u);
    EXPECT_EQ(sandbox.boxes.shown[0].text, L"Do you want to remove the existing traces from the display?");
    EXPECT_TRUE(prompts.captions.empty()) << "Cancel ends the command";
    EXPECT_EQ(view->Traces().size(), 1u);

    const auto folder = sandbox.file("logs");
    std::filesystem::create_directories(folder);
    const QString las = QString::fromStdString((folder / "missing.las").string());
    prompts.answers = {QStringList{las}};
    sandbox.boxes.answers = {ORBAX_Platform::MessageResult::Yes};
    run(ID_OPEN_TRACE);
    EXPECT_TRUE(view->Traces().empty()) << "Yes removed the traces";
    EXPECT_EQ(prompts.captions.back(), "Open Trace");
    view->WaitForTraceLoads();
    EXPECT_EQ(ORBAX_Platform::Settings(L"Options").readString(L"LasPath", L""), folder.wstring());
}

} // namespace
