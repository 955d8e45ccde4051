// The view's file, export and undo commands, run through the main frame's menu items.
#include <filesystem>

#include <gtest/gtest.h>

#include <QAction>
#include <QRadioButton>

#include "app/MainFrame.h"
#include "app/QuorApp.h"
#include "docview/document/QuorDoc.h"
#include "docview/view/QuorView.h"
#include "resources/CommandIds.h"
#include "tests/support/AppTestSupport.h"
#include "widgets/dialogs/ErrorList.h"

namespace {

namespace fs = std::filesystem;
using namespace QuorCommand;
using ORBAX_Platform::Settings;

class FileCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::copy_file(QuorTest::data_file("document/QuorLogConfig.txt"), sandbox.programFolder() / "QuorLogConfig.txt");
        for (const char* name : {"east_bore", "west_bore.csv"})
            fs::copy_file(QuorTest::data_file(std::string("document/") + name), sandbox.file(name));
        Settings(L"Options").writeInt(L"ShowSplash", 0);
        for (const wchar_t* section : {L"PrologOptions", L"CSVOptions"}) {
            Settings(section).writeString(L"Schema", L"Coal");
            Settings(section).writeInt(L"AlwaysAsk", 0);
        }
        sandbox.dialogs.inspect = [this](QDialog& dialog) {
            shown.push_back(dialog.objectName());
            if (respond)
                respond(dialog);
        };
        app = std::make_unique<CQuorApp>();
        ASSERT_TRUE(app->InitInstance({}));
        doc = app->GetDocument();
        view = app->GetView();
        frame = app->GetMainFrame();
    }
    void TearDown() override { app->ExitInstance(); }

    void run(int id)
    {
        QAction* action = frame->GetCommand(id);
        ASSERT_NE(action, nullptr) << id;
        frame->UpdateCommands();
        ASSERT_TRUE(action->isEnabled()) << id;
        action->trigger();
    }
    std::wstring path(const char* name) const { return sandbox.file(name).wstring(); }

    AppTest::Sandbox sandbox;
    ORBAX_Platform::ScriptedFilePrompts prompts;
    ORBAX_Platform::ScopedFilePrompts scopedPrompts{prompts};
    std::unique_ptr<CQuorApp> app;
    CQuorDoc* doc = nullptr;
    CQuorView* view = nullptr;
    CMainFrame* frame = nullptr;
    std::vector<QString> shown;
    std::function<void(QDialog&)> respond;
};

TEST_F(FileCommands, OpenAsksForThePaneWhenNoneIsActive)
{
    respond = [](QDialog& dialog) {
        if (dialog.objectName() == "dlg324") {
            EXPECT_TRUE(dialog.findChild<QRadioButton*>("id1042")->isChecked()) << "left first";
            dialog.findChild<QRadioButton*>("id1043")->setChecked(true);
            dialog.accept();
        }
    };
    prompts.answers.push_back({QString::fromStdWString(path("west_bore.csv"))});
    prompts.filterAnswers.push_back(3);
    run(ID_FILE_OPEN);
    EXPECT_EQ(shown, std::vector<QString>({"dlg324"}));
    EXPECT_EQ(doc->unitCountOnSide(1), 3);
    EXPECT_EQ(doc->unitCountOnSide(0), 0);

    // With a pane active the command asks nothing; Cancel in the pane dialog does nothing.
    view->m_activePane = 0;
    prompts.answers.push_back({QString::fromStdWString(path("east_bore"))});
    prompts.filterAnswers.push_back(1);
    run(ID_FILE_OPEN);
    EXPECT_EQ(doc->unitCountOnSide(0), 3);
    EXPECT_EQ(shown.size(), 1u);

    view->m_activePane = -1;
    respond = [](QDialog& dialog) { dialog.reject(); };
    run(ID_FILE_SAVE);
    EXPECT_EQ(shown.back(), "dlg324");
    EXPECT_EQ(prompts.captions.size(), 2u) << "no save prompt after the pane dialog's Cancel";

    // A selected trace means the right pane.
    view->m_selectedTraceFile = 0;
    EXPECT_EQ(view->ChooseBorehole(), 1);
}

TEST_F(FileCommands, UndoFollowsTheHistory)
{
    QAction* undo = frame->GetCommand(ID_EDIT_UNDO);
    frame->UpdateCommands();
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(undo->text(), "&Undo");
    EXPECT_EQ(undo->shortcut(), QKeySequence("Ctrl+Z"));

    ErrorEntries entries;
    ASSERT_TRUE(doc->LoadPrologBorehole(0, path("east_bore"), entries));
    doc->EditSampleNumber(0, {{0, 1}}, L"Q");
    view->m_activePane = 0;
    view->m_selectedUnit = 1;
    run(ID_EDIT_UNDO);
    EXPECT_EQ(doc->GetUnitSampleNumber(0, 0), L"S1");
    EXPECT_EQ(view->m_activePane, -1) << "the whole selection is cleared";
    EXPECT_EQ(view->m_selectedUnit, -1);

    doc->AppendUnit(0, 20);
    frame->UpdateCommands();
    EXPECT_EQ(undo->text(), "&Undo Append Unit");
    EXPECT_TRUE(undo->isEnabled());
    doc->openDragStep(0, 155);
    frame->UpdateCommands();
    EXPECT_FALSE(undo->isEnabled()) << "no Undo while a drag holds its step open";
    doc->cancelDragStep();
}

TEST_F(FileCommands, ExportBothWritesLeftThenRightAndStopsAtAFailure)
{
    ErrorEntries entries;
    ASSERT_TRUE(doc->LoadPrologBorehole(0, path("east_bore"), entries));
    ASSERT_TRUE(doc->LoadCsvBorehole(1, path("west_bore.csv"), entries));
    prompts.answers.push_back({QString::fromStdWString(path("both.txt"))});
    run(ID_EXPORT_BOTH);
    EXPECT_EQ(prompts.captions.back(), "Export Borehole");
    EXPECT_EQ(prompts.filters.back(), QStringList({"Text Files (*.txt *.TXT)", "All Files (*)"}));
    const std::string both = QuorTest::read_file(sandbox.file("both.txt"));
    const std::size_t sand = both.find("SANDSTONE            100%     2.00");
    const std::size_t second = both.find("Unit ", 10);
    EXPECT_NE(sand, std::string::npos);
    ASSERT_NE(second, std::string::npos);
    EXPECT_LT(sand, second) << "the left borehole comes first";

    prompts.answers.push_back({QString::fromStdWString(path("missing/both.txt"))});
    run(ID_EXPORT_BOTH);
    ASSERT_EQ(sandbox.boxes.shown.size(), 1u) << "one box, the right borehole is not tried";
    EXPECT_EQ(sandbox.boxes.shown[0].text.rfind(L"Unable to open " + path("missing/both.txt"), 0), 0u);

    prompts.answers.push_back({QString::fromStdWString(path("right.txt"))});
    run(ID_EXPORT_RIGHT);
    EXPECT_NE(QuorTest::read_file(sandbox.file("right.txt")).find("COAL                 100%     1.50"),
              std::string::npos);
}

TEST_F(FileCommands, ClosingTheWindowAsksAboutUnsavedChanges)
{
    ErrorEntries entries;
    ASSERT_TRUE(doc->LoadPrologBorehole(0, path("east_bore"), entries));
    doc->EditSampleNumber(0, {{0, 0}}, L"Q");
    sandbox.boxes.answers.push_back(ORBAX_Platform::MessageResult::Cancel);
    EXPECT_FALSE(frame->close());
    EXPECT_TRUE(frame->isVisible());
    sandbox.boxes.answers.push_back(ORBAX_Platform::MessageResult::No);
    EXPECT_TRUE(frame->close());
}

} // namespace
