// The unit and clipboard commands run from the command table: their update rules, the dialogs they
// ask, and the document and its history afterwards.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>

#include "dialogs/Correlate.h"
#include "dialogs/PasteSpecial.h"
#include "dialogs/SampleNumber.h"
#include "dialogs/Setrock.h"
#include "resources/CommandIds.h"
#include "tests/docview/DocviewTestSupport.h"
#include "tests/docview/commands/CommandTestSupport.h"
#include "widgets/controls/HatchComboBox.h"

namespace {

using namespace QuorCommand;
using CommandTest::CommandFixture;
using DocviewTest::picture;

class UnitCommands : public CommandFixture {};

TEST_F(UnitCommands, UpdateRulesFollowTheSelectionTheSchemaAndTheClipboard)
{
    const int unitCommands[] = {ID_DELETE_UNIT,    ID_UNIT_PROPERTIES, ID_SET_ROCK_TYPE,
                                ID_CORRELATE_UNIT, ID_SAMPLE_NUMBER,   ID_MERGE_UP};
    for (int id : unitCommands)
        EXPECT_FALSE(enabled(id)) << id << " with nothing selected";
    EXPECT_FALSE(enabled(ID_EDIT_COPY));
    EXPECT_FALSE(enabled(ID_RELABEL_SAMPLE_NUMBERS));

    // A pane without a unit: Copy (the view's picture) and Relabel (the whole borehole) only.
    view->Select(-1, -1, 0, -1);
    EXPECT_TRUE(enabled(ID_EDIT_COPY));
    EXPECT_TRUE(enabled(ID_RELABEL_SAMPLE_NUMBERS));
    EXPECT_FALSE(enabled(ID_DELETE_UNIT));

    view->Select(-1, -1, 0, 0);
    for (int id : {ID_DELETE_UNIT, ID_UNIT_PROPERTIES, ID_SET_ROCK_TYPE, ID_CORRELATE_UNIT, ID_SAMPLE_NUMBER})
        EXPECT_TRUE(enabled(id)) << id;
    EXPECT_FALSE(enabled(ID_MERGE_UP)) << "nothing above the first unit";
    EXPECT_FALSE(enabled(ID_PREVIOUS_UNIT));
    EXPECT_TRUE(enabled(ID_NEXT_UNIT));
    EXPECT_FALSE(enabled(ID_EDIT_PASTE)) << "no unit on the clipboard";
    view->Select(-1, -1, 0, 4);
    EXPECT_TRUE(enabled(ID_MERGE_UP));
    EXPECT_FALSE(enabled(ID_NEXT_UNIT)) << "the last unit";

    // Copying one unit offers it to Paste and Paste Special, but not over an interbedded unit.
    run(ID_EDIT_COPY);
    EXPECT_TRUE(sandbox.clipboard.mimeData()->hasFormat("application/x-quorlog-bore-data"));
    EXPECT_TRUE(sandbox.clipboard.mimeData()->hasImage());
    EXPECT_TRUE(enabled(ID_EDIT_PASTE));
    EXPECT_TRUE(enabled(ID_EDIT_PASTE_SPECIAL));
    // Another program taking the clipboard, and giving the unit back, is seen at once.
    auto* unit = new QMimeData;
    unit->setData("application/x-quorlog-bore-data",
                  sandbox.clipboard.mimeData()->data("application/x-quorlog-bore-data"));
    sandbox.clipboard.setText(L"some text");
    EXPECT_FALSE(enabled(ID_EDIT_PASTE));
    sandbox.clipboard.setMimeData(unit);
    EXPECT_TRUE(enabled(ID_EDIT_PASTE));
    Hole(0)[4].setRockTypes(L"MIX", {50, 50}, {L"COAL", L"SHALE"});
    EXPECT_TRUE(enabled(ID_EDIT_PASTE));
    EXPECT_FALSE(enabled(ID_EDIT_PASTE_SPECIAL));

    // A schema without SEAM and SAMPLE fields: neither Correlate nor the sample commands.
    Hole(1) = ORBAX_Logging::Borehole(ViewTest::SchemaNamed(tables, L"Lithology"));
    ViewTest::FillBorehole(Hole(1), L"Lith", {{1, {{L"SHALE", 100}}}, {2, {{L"COAL", 100}}}});
    view->Select(-1, -1, 1, 1);
    EXPECT_TRUE(enabled(ID_SET_ROCK_TYPE));
    EXPECT_FALSE(enabled(ID_CORRELATE_UNIT));
    EXPECT_FALSE(enabled(ID_SAMPLE_NUMBER));
    EXPECT_FALSE(enabled(ID_RELABEL_SAMPLE_NUMBERS));
}

TEST_F(UnitCommands, DeleteTakesTheSelectionInOneStepAndMergeUpTheUnitAbove)
{
    selectUnits(0, 1, 2);
    run(ID_DELETE_UNIT);
    ASSERT_EQ(Hole(0).unitCount(), 3);
    EXPECT_EQ(document->GetUndoCount(), 1u) << "two units, one step";
    EXPECT_EQ(document->GetLastStepDescription(), L"Delete Unit");
    EXPECT_DOUBLE_EQ(Hole(0)[1].bottom, 6) << "without insert mode the unit below takes the room";
    EXPECT_EQ(view->m_selectedUnit, -1);
    EXPECT_TRUE(view->m_selection.empty());

    // Del with insert mode on shifts the units below up.
    run(ID_INSERT_MODE);
    view->Select(-1, -1, 0, 0);
    run(ID_DELETE_KEY);
    ASSERT_EQ(Hole(0).unitCount(), 2);
    EXPECT_DOUBLE_EQ(Hole(0)[0].bottom, 4);

    // Merge Up on the first unit: a beep and no change; on the second, the unit above goes.
    const int beeps = sandbox.beeps.count;
    view->Select(-1, -1, 0, 0);
    command(ID_MERGE_UP)->setEnabled(true);
    command(ID_MERGE_UP)->trigger();
    EXPECT_EQ(sandbox.beeps.count, beeps + 1);
    EXPECT_EQ(Hole(0).unitCount(), 2);
    view->Select(-1, -1, 0, 1);
    run(ID_MERGE_UP);
    ASSERT_EQ(Hole(0).unitCount(), 1);
    EXPECT_DOUBLE_EQ(Hole(0)[0].bottom, 7);
    EXPECT_DOUBLE_EQ(Hole(0)[0].thickness, 7) << "the unit takes the room of the one above";

    // Del with nothing selected beeps.
    view->Select(-1, -1, -1, -1);
    run(ID_DELETE_KEY);
    EXPECT_EQ(sandbox.beeps.count, beeps + 2);
}

TEST_F(UnitCommands, SetRockTypeAppliesTheDialogsChoiceToTheSelection)
{
    selectUnits(0, 0, 1);
    sandbox.dialogs.inspect = [](QDialog& dialog) {
        auto* setrock = dynamic_cast<Setrock*>(&dialog);
        ASSERT_NE(setrock, nullptr);
        CHatchComboBox* list = setrock->rockTypeList(0);
        const int coal = list->findText("COAL", Qt::MatchFixedString);
        ASSERT_GE(coal, 0);
        list->setCurrentIndex(coal);
        emit list->activated(coal);
        setrock->accept();
    };
    run(ID_SET_ROCK_TYPE);
    EXPECT_EQ(Hole(0)[0].elements.at(0).rockType.str(), L"COAL");
    EXPECT_EQ(Hole(0)[1].elements.at(0).rockType.str(), L"COAL");
    EXPECT_EQ(Hole(0)[2].elements.at(0).rockType.str(), L"COAL") << "was coal already";
    EXPECT_EQ(Hole(0)[3].elements.at(0).rockType.str(), L"COAL");
    EXPECT_EQ(document->GetLastStepDescription(), L"Edit Rocktypes");
    EXPECT_EQ(view->m_selection.count(), 2) << "the selection stays";

    // Enter selects the unit alone and runs the same command; Cancel changes nothing.
    sandbox.dialogs.inspect = nullptr;
    sandbox.dialogs.result = QDialog::Rejected;
    const auto before = picture(Hole(0));
    run(ID_ENTER_KEY);
    EXPECT_EQ(view->m_selection.count(), 1);
    EXPECT_EQ(picture(Hole(0)), before);
}

TEST_F(UnitCommands, SetRockTypeWithoutAHatchListAsksForOneFirst)
{
    app.m_tables.currentHatchListId = 0;
    view->Select(-1, -1, 0, 1);
    sandbox.dialogs.result = QDialog::Rejected;
    run(ID_SET_ROCK_TYPE);
    ASSERT_EQ(sandbox.boxes.shown.size(), 1u);
    EXPECT_EQ(sandbox.boxes.shown[0].text, L"No hatch list has been selected.  Please use the following dialog box to "
                                           L"select your hatch list.");
    ASSERT_EQ(sandbox.dialogs.shown.size(), 1u) << "the sheet, and no rock type dialog after its Cancel";
    EXPECT_EQ(sandbox.dialogs.shown[0], "PropertySheet");
    EXPECT_EQ(document->GetUndoCount(), 0u);
}

TEST_F(UnitCommands, CorrelateProposesTheSeamTheUnitsShareIgnoringCase)
{
    QString seam;
    QString ply;
    sandbox.dialogs.inspect = [&](QDialog& dialog) {
        auto* correlate = dynamic_cast<CCorrelate*>(&dialog);
        ASSERT_NE(correlate, nullptr);
        seam = dialog.findChild<QComboBox*>("id1055")->currentText();
        ply = dialog.findChild<QComboBox*>("id1070")->currentText();
    };
    sandbox.dialogs.result = QDialog::Rejected;
    selectUnits(0, 2, 3);
    run(ID_CORRELATE_UNIT);
    EXPECT_EQ(seam, "Upper");
    EXPECT_EQ(ply, "U1");
    selectUnits(0, 2, 4);
    run(ID_CORRELATE_UNIT);
    EXPECT_EQ(seam, "") << "Lower differs";

    // OK sets the chosen seam and ply on every selected unit, in one step.
    sandbox.dialogs.inspect = [](QDialog& dialog) {
        auto* seams = dialog.findChild<QComboBox*>("id1055");
        const int lower = seams->findText("Lower");
        ASSERT_GE(lower, 0);
        seams->setCurrentIndex(lower);
        emit seams->activated(lower);
        static_cast<CCorrelate&>(dialog).accept();
    };
    run(ID_CORRELATE_UNIT);
    for (int i = 2; i <= 4; ++i)
        EXPECT_EQ(Hole(0)[static_cast<std::size_t>(i)].seam.str(), L"Lower");
    EXPECT_EQ(document->GetLastStepDescription(), L"Edit Seam or Ply");
}

TEST_F(UnitCommands, SampleNumberProposesTheSharedNumberOrTheNextOne)
{
    std::wstring proposed;
    sandbox.dialogs.inspect = [&](QDialog& dialog) {
        proposed = dialog.findChild<QLineEdit*>("id1106")->text().toStdWString();
    };
    selectUnits(0, 1, 2);
    run(ID_SAMPLE_NUMBER);
    EXPECT_EQ(proposed, L"") << "S-002 and S-003 differ";
    Hole(0)[1].sample = L"";
    Hole(0)[2].sample = L"";
    run(ID_SAMPLE_NUMBER);
    EXPECT_EQ(proposed, Hole(0).nextSampleNumber());
    EXPECT_EQ(document->GetUndoCount(), 0u);

    sandbox.dialogs.inspect = [](QDialog& dialog) {
        dialog.findChild<QLineEdit*>("id1106")->setText("K-77");
        static_cast<CSampleNumber&>(dialog).accept();
    };
    run(ID_SAMPLE_NUMBER);
    EXPECT_EQ(samples(0), (std::vector<std::wstring>{L"S-001", L"K-77", L"K-77", L"S-004", L"S-005"}));
    EXPECT_EQ(document->GetLastStepDescription(), L"Edit Sample Number");
}

TEST_F(UnitCommands, RelabelRunsFromTheSelectedUnitDownAndSaysWhenANumberCannotBeSplit)
{
    sandbox.dialogs.inspect = [](QDialog& dialog) {
        dialog.findChild<QLineEdit*>("id1164")->setText("N");
        dialog.findChild<QLineEdit*>("id1003")->setText("11");
        static_cast<DdxDialog&>(dialog).accept();
    };
    view->Select(-1, -1, 0, 2);
    run(ID_RELABEL_SAMPLE_NUMBERS);
    EXPECT_EQ(samples(0), (std::vector<std::wstring>{L"S-001", L"S-002", L"N011", L"N012", L"N013"}))
        << "the unit and all below it, the order kept by an offset";
    EXPECT_EQ(document->GetLastStepDescription(), L"Renumber sample numbers");

    // A unit below whose number has no digits: everything goes back, and the user is told.
    Hole(0)[4].sample = L"lost";
    const auto before = picture(Hole(0));
    const auto steps = document->GetUndoCount();
    view->Select(-1, -1, 0, -1);
    run(ID_RELABEL_SAMPLE_NUMBERS);
    EXPECT_EQ(picture(Hole(0)), before);
    EXPECT_EQ(document->GetUndoCount(), steps);
    ASSERT_FALSE(sandbox.boxes.shown.empty());
    EXPECT_EQ(sandbox.boxes.shown.back().text, L"Unable to understand the sample number format");

    // No unit with a number at all: the command says so before any dialog.
    for (auto& unit : Hole(0))
        unit.sample = L"";
    const auto dialogs = sandbox.dialogs.shown.size();
    command(ID_RELABEL_SAMPLE_NUMBERS)->setEnabled(true);
    command(ID_RELABEL_SAMPLE_NUMBERS)->trigger();
    EXPECT_EQ(sandbox.dialogs.shown.size(), dialogs);
    EXPECT_EQ(sandbox.boxes.shown.back().text, L"Unable to understand the sample number format");
}

TEST_F(UnitCommands, CopyAndPasteBetweenPanesAreUndoableSteps)
{
    view->Select(-1, -1, 0, 2);
    run(ID_EDIT_COPY);
    selectUnits(1, 0, 1);
    run(ID_EDIT_PASTE);
    for (int i = 0; i < 2; ++i) {
        const auto& unit = Hole(1)[static_cast<std::size_t>(i)];
        EXPECT_EQ(unit.elements.at(0).rockType.str(), L"COAL");
        EXPECT_EQ(unit.seam.str(), L"Upper");
        EXPECT_EQ(unit.ply.str(), L"U1");
        EXPECT_EQ(unit.sample.str(), i == 0 ? L"T-1" : L"T-2");
    }
    EXPECT_TRUE(document->IsPaneModified(1));
    EXPECT_EQ(document->GetLastStepDescription(), L"Paste");
    frame.UpdateCommands();
    EXPECT_TRUE(command(ID_EDIT_UNDO)->text().startsWith("&Undo Paste")) << command(ID_EDIT_UNDO)->text().toStdString();
    run(ID_EDIT_UNDO);
    EXPECT_EQ(Hole(1)[0].elements.at(0).rockType.str(), L"SHALE");
    EXPECT_FALSE(document->IsPaneModified(1));
}

TEST_F(UnitCommands, PasteSpecialPastesTheChosenFieldsOnly)
{
    Hole(0)[2].elements[0].values.set(8, L"bright");
    view->Select(-1, -1, 0, 2);
    run(ID_EDIT_COPY);
    sandbox.dialogs.inspect = [](QDialog& dialog) {
        auto* list = dialog.findChild<QListWidget*>("id1245");
        ASSERT_NE(list, nullptr);
        for (int i = 0; i < list->count(); ++i)
            list->item(i)->setSelected(list->item(i)->text() == "Seam" || list->item(i)->text() == "Comment");
        static_cast<CPasteSpecial&>(dialog).accept();
    };
    view->Select(-1, -1, 1, 1);
    run(ID_EDIT_PASTE_SPECIAL);
    const auto& unit = Hole(1)[1];
    EXPECT_EQ(unit.seam.str(), L"Upper");
    EXPECT_EQ(unit.ply.str(), L"") << "the ply was not chosen";
    EXPECT_EQ(unit.elements.at(0).values.at(8), L"bright");
    EXPECT_EQ(unit.elements.at(0).rockType.str(), L"COAL");
    EXPECT_EQ(document->GetLastStepDescription(), L"Paste Special");
    EXPECT_TRUE(document->IsPaneModified(1));
}

TEST_F(UnitCommands, UnitPropertiesShowsTheSelectedUnitAndStepsTheView)
{
    selectUnits(0, 1, 3);
    sandbox.dialogs.inspect = [](QDialog& dialog) {
        EXPECT_EQ(dialog.findChild<QLineEdit*>("id1011")->text(), "5.000") << "the selected unit alone";
        dialog.findChild<QPushButton*>("id1185")->click();
        EXPECT_EQ(dialog.findChild<QLineEdit*>("id1195")->text(), "S-005");
    };
    run(ID_UNIT_PROPERTIES);
    EXPECT_EQ(view->m_selectedUnit, 4) << "the view follows the dialog";
    EXPECT_EQ(view->m_selection.count(), 1);
}

} // namespace
