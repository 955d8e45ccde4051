#include <gtest/gtest.h>

#include <QImage>
#include <QPlainTextEdit>
#include <QRadioButton>

#include "editors/patterns/BitmapEditor.h"
#include "editors/patterns/BitmapView.h"
#include "editors/patterns/ImageFileFilter.h"
#include "platform/services/QtNames.h"
#include "tests/editors/EditorTestSupport.h"
#include "widgets/controls/ColourComboBox.h"
#include "widgets/controls/EditedTables.h"

using namespace EditorTest;
using ORBAX_Platform::MessageResult;

namespace {

const char* const configurationText = R"(Quorlog Configuration v3
Bitmaps {
   Sand                 mono   2 "0x2 0x1"
   Photo                rgb      "photo.png"
}
Definitions {
   Main {
      Bitmap     Sand                 { SANDSTONE }
      Bitmap     Photo                { GRANITE }
   }
}
)";

void WriteImage(const std::filesystem::path& file, int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(0xFF336699u);
    ASSERT_TRUE(image.save(QString::fromStdString(file.string()), "PNG"));
}

class BitmapEditorTest : public ::testing::Test {
protected:
    BitmapEditorTest() : script(sandbox.dialogs)
    {
        WriteImage(sandbox.programFolder() / "photo.png", 24, 12);
        configured = std::make_unique<ConfiguredTables>(configurationText, sandbox.programFolder());
    }

    std::unique_ptr<CBitmapEditor> open()
    {
        auto editor = std::make_unique<CBitmapEditor>(configured->tables.bitmaps);
        return editor;
    }
    CColourComboBox* names(const CBitmapEditor& editor) { return Control<CColourComboBox>(editor, "id1174"); }
    QPlainTextEdit* rows(const CBitmapEditor& editor) { return Control<QPlainTextEdit>(editor, "id1256"); }
    QLineEdit* width(const CBitmapEditor& editor) { return Control<QLineEdit>(editor, "id1009"); }
    bool compileEnabled(const CBitmapEditor& editor) { return Control<QPushButton>(editor, "id1259")->isEnabled(); }
    const BitmapPattern& named(const CBitmapEditor& editor, const std::wstring& name)
    {
        for (const BitmapPattern& pattern : editor.patterns)
            if (pattern.name == name)
                return pattern;
        throw std::runtime_error("no such bitmap");
    }
    bool red(const CBitmapEditor& editor, const QString& name)
    {
        const int item = names(editor)->findText(name);
        return item >= 0 && names(editor)->HasItemColour(item) && names(editor)->ItemColour(item) == 0xFFFF0000u;
    }

    AppTest::Sandbox sandbox;
    std::unique_ptr<ConfiguredTables> configured;
    PromptScript script;
};

} // namespace

TEST_F(BitmapEditorTest, OpensOnTheFirstNameAndShowsEachSourceInItsControls)
{
    auto editor = open();
    EXPECT_EQ(editor->objectName(), "dlg207");
    EXPECT_EQ(Texts(names(*editor)), QStringList({"Photo", "Sand"}));
    EXPECT_EQ(names(*editor)->currentText(), "Photo");
    EXPECT_TRUE(Control<QRadioButton>(*editor, "id1265")->isChecked());
    EXPECT_EQ(Control<QLineEdit>(*editor, "id1267")->text(), "photo.png");
    EXPECT_FALSE(rows(*editor)->isEnabled());
    EXPECT_FALSE(compileEnabled(*editor));
    EXPECT_FALSE(red(*editor, "Photo"));

    Choose(names(*editor), QStringLiteral("Sand"));
    EXPECT_TRUE(Control<QRadioButton>(*editor, "id1266")->isChecked());
    EXPECT_EQ(width(*editor)->text(), "2");
    EXPECT_EQ(rows(*editor)->toPlainText(), "0x2 0x1");
    EXPECT_TRUE(Control<QLineEdit>(*editor, "id1267")->text().isEmpty());
    EXPECT_FALSE(compileEnabled(*editor)); // nothing typed yet
}

TEST_F(BitmapEditorTest, ANewBitmapStartsRedAsAnEmptyFileAndCompilesFromMonoRows)
{
    auto editor = open();
    script.name(QStringLiteral("SAND")).name(QStringLiteral("")).name(QStringLiteral("Zircon"));
    Click(*editor, "id1242");
    Click(*editor, "id1242");
    Click(*editor, "id1242");
    EXPECT_EQ(script.initialTexts, std::vector<QString>({"new bitmap", "new bitmap", "new bitmap"}));
    ASSERT_EQ(sandbox.boxes.shown.size(), 2u);
    EXPECT_EQ(sandbox.boxes.shown[0].text, L"A bitmap with that name already exists");
    EXPECT_EQ(names(*editor)->currentText(), "Zircon");
    EXPECT_TRUE(red(*editor, "Zircon"));
    EXPECT_TRUE(Control<QRadioButton>(*editor, "id1265")->isChecked());
    EXPECT_TRUE(Control<QLineEdit>(*editor, "id1267")->text().isEmpty());
    EXPECT_FALSE(compileEnabled(*editor));

    Click(*editor, "id1266");
    EXPECT_EQ(width(*editor)->text(), "8");
    EXPECT_TRUE(compileEnabled(*editor));
    rows(*editor)->setPlainText(QStringLiteral("0xFF\n0x0F\n0xF0"));
    Click(*editor, "id1259");
    const BitmapPattern& zircon = named(*editor, L"Zircon");
    EXPECT_EQ(zircon.kind, BitmapPattern::Mono);
    EXPECT_EQ(zircon.width, 8);
    EXPECT_EQ(zircon.height, 3);
    EXPECT_EQ(zircon.rowsText, L"0xFF\n0x0F\n0xF0");
    EXPECT_FALSE(red(*editor, "Zircon"));
    EXPECT_FALSE(compileEnabled(*editor));
    EXPECT_TRUE(script.done());
}

TEST_F(BitmapEditorTest, RowsThatDoNotCompileAreReportedAndLeaveThePatternAsItWas)
{
    auto editor = open();
    Choose(names(*editor), QStringLiteral("Sand"));
    width(*editor)->setText(QStringLiteral("4"));
    rows(*editor)->setPlainText(QStringLiteral("0xF 0xZZ"));
    script.errors();
    Click(*editor, "id1259");
    ASSERT_EQ(script.errorLines.size(), 1u);
    EXPECT_EQ(script.errorLines[0], "Error: Unrecognised number \"0xZZ\" on line 1");
    const BitmapPattern& sand = named(*editor, L"Sand");
    EXPECT_EQ(sand.width, 2);
    EXPECT_EQ(sand.height, 2);
    EXPECT_EQ(sand.rowsText, L"0x2 0x1");
    EXPECT_EQ(sand.image.size(), QSize(2, 2));
    EXPECT_TRUE(compileEnabled(*editor)); // the typed changes are still pending
}

TEST_F(BitmapEditorTest, PendingChangesAreOfferedForCompilingBeforeAnotherPatternIsShown)
{
    auto editor = open();
    Choose(names(*editor), QStringLiteral("Sand"));
    rows(*editor)->setPlainText(QStringLiteral("0xZ 0x1"));
    // Yes, and the rows do not compile: the user stays on Sand.
    sandbox.boxes.answers.push_back(MessageResult::Yes);
    script.errors();
    Choose(names(*editor), QStringLiteral("Photo"));
    ASSERT_EQ(sandbox.boxes.shown.size(), 1u);
    EXPECT_EQ(sandbox.boxes.shown[0].text,
              L"Changes to this bitmap definition have been made.  Do you wish to compile and update?");
    EXPECT_EQ(sandbox.boxes.shown[0].buttons, ORBAX_Platform::MessageButtons::YesNo);
    EXPECT_EQ(names(*editor)->currentText(), "Sand");
    EXPECT_EQ(rows(*editor)->toPlainText(), "0xZ 0x1");

    // A pattern added meanwhile sorts before Sand; the question is still about Sand, and Yes compiles it.
    rows(*editor)->setPlainText(QStringLiteral("0x3 0x3"));
    sandbox.boxes.answers.push_back(MessageResult::Yes);
    script.name(QStringLiteral("Agate"));
    Click(*editor, "id1242");
    EXPECT_EQ(named(*editor, L"Sand").rowsText, L"0x3 0x3");
    EXPECT_EQ(names(*editor)->currentText(), "Agate");

    // No drops what was typed.
    Choose(names(*editor), QStringLiteral("Sand"));
    rows(*editor)->setPlainText(QStringLiteral("0x0 0x0"));
    sandbox.boxes.answers.push_back(MessageResult::No);
    Choose(names(*editor), QStringLiteral("Photo"));
    EXPECT_EQ(named(*editor, L"Sand").rowsText, L"0x3 0x3");
    EXPECT_EQ(names(*editor)->currentText(), "Photo");

    // OK asks too: Yes with rows that do not compile keeps the dialog open, No closes it.
    Choose(names(*editor), QStringLiteral("Sand"));
    rows(*editor)->setPlainText(QStringLiteral("0xQ"));
    sandbox.boxes.answers.push_back(MessageResult::Yes);
    script.errors();
    Click(*editor, "id1");
    EXPECT_NE(editor->result(), QDialog::Accepted);
    sandbox.boxes.answers.push_back(MessageResult::No);
    Click(*editor, "id1");
    EXPECT_EQ(editor->result(), QDialog::Accepted);
    EXPECT_EQ(named(*editor, L"Sand").rowsText, L"0x3 0x3");
    EXPECT_TRUE(script.done());
}

TEST_F(BitmapEditorTest, ImageFilesAreChosenWithThePromptAndUnreadableOnesReported)
{
    ORBAX_Platform::ScriptedFilePrompts prompts;
    ORBAX_Platform::ScopedFilePrompts installed(prompts);
    WriteImage(sandbox.programFolder() / "other.png", 16, 8);
    QuorTest::write_file(sandbox.programFolder() / "broken.png", "not an image");

    auto editor = open();
    ASSERT_EQ(names(*editor)->currentText(), "Photo");
    const QString other = QString::fromStdString((sandbox.programFolder() / "other.png").string());
    const QString broken = QString::fromStdString((sandbox.programFolder() / "broken.png").string());
    prompts.answers = {{other}, {broken}};
    Click(*editor, "id1268");
    EXPECT_EQ(named(*editor, L"Photo").width, 16);
    EXPECT_EQ(Control<QLineEdit>(*editor, "id1267")->text(), other);
    EXPECT_FALSE(red(*editor, "Photo"));

    script.errors();
    Click(*editor, "id1268");
    ASSERT_EQ(script.errorLines.size(), 1u);
    EXPECT_TRUE(
        script.errorLines[0].startsWith("Error: Problem reading the bitmap file \"" + broken + "\" for bitmap Photo\n"))
        << script.errorLines[0].toStdString();
    EXPECT_EQ(Control<QLineEdit>(*editor, "id1267")->text(), broken);
    EXPECT_TRUE(red(*editor, "Photo"));

    // Mono, then back to the file box that Mono emptied: the pattern turns red without a message.
    Choose(names(*editor), QStringLiteral("Sand"));
    Click(*editor, "id1265");
    EXPECT_TRUE(red(*editor, "Sand"));
    EXPECT_TRUE(script.done());
}

TEST_F(BitmapEditorTest, AnImageNameTheConfigurationCannotHoldIsRefusedAndNeverWrittenAsAQuestionMark)
{
    ORBAX_Platform::ScriptedFilePrompts prompts;
    ORBAX_Platform::ScopedFilePrompts installed(prompts);
    const std::wstring latin = ORBAX_Platform::wide_from_name((sandbox.programFolder() / "pat\xE9.png").string());
    prompts.answers = {{QString::fromStdWString(L"/data/\u043C.png")}, {ORBAX_Platform::qt_from_name(latin)}};
    auto editor = open();
    Click(*editor, "id1268");
    Click(*editor, "id1268");
    ASSERT_EQ(sandbox.boxes.shown.size(), 2u);
    EXPECT_NE(sandbox.boxes.shown[0].text.find(L"\u043C.png: it contains the character \u043C."), std::wstring::npos);
    EXPECT_NE(sandbox.boxes.shown[1].text.find(L"pat\uFFFD.png: the name is not UTF-8"), std::wstring::npos);
    EXPECT_EQ(named(*editor, L"Photo").fileName, L"photo.png");
    // Tables that hold such a name all the same fail the write, and the file keeps what it held.
    for (auto& [id, pattern] : configured->tables.bitmaps)
        pattern.fileName = latin;
    const std::filesystem::path file = sandbox.file("written.txt");
    QuorTest::write_file(file, "kept");
    ConfigMessageList messages;
    configured->config.WriteConfiguration(file.wstring(), messages);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, L"Unable to write " + file.wstring() +
                                    L"\n(The configuration file cannot hold the character \uFFFD in \"" +
                                    ORBAX_Platform::shown_name(latin) + L"\")");
    EXPECT_EQ(QuorTest::read_file(file), "kept");
}

TEST_F(BitmapEditorTest, OkHandsBackTheEditsAndRenamedPatternsKeepTheirRockTypes)
{
    const int lastId = configured->tables.bitmaps.LastId();
    auto editor = open();
    Choose(names(*editor), QStringLiteral("Sand"));
    script.name(QStringLiteral("Beach sand"));
    Click(*editor, "id1249");
    EXPECT_EQ(names(*editor)->currentIndex(), 1); // renamed in place
    script.name(QStringLiteral("Grid"));
    Click(*editor, "id1242");
    Click(*editor, "id1266");
    rows(*editor)->setPlainText(QStringLiteral("0xAA 0x55"));
    sandbox.boxes.answers.push_back(MessageResult::Yes); // leaving Grid offers to compile its rows
    Choose(names(*editor), QStringLiteral("Photo"));
    Click(*editor, "id1264"); // deletes Photo without asking
    EXPECT_EQ(Texts(names(*editor)), QStringList({"Grid", "Beach sand"}));
    Click(*editor, "id1");
    ASSERT_EQ(editor->result(), QDialog::Accepted);

    EditedTables::ApplyBitmaps(configured->tables, editor->patterns);
    const BitmapTable& table = configured->tables.bitmaps;
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table.begin()->second.name, L"Beach sand");
    const BitmapPattern& grid = std::next(table.begin())->second;
    EXPECT_EQ(grid.name, L"Grid");
    EXPECT_GT(grid.id, lastId);
    EXPECT_EQ(grid.width, 8);
    EXPECT_EQ(grid.height, 2);
    const HatchList& main = configured->tables.hatchLists.begin()->second;
    EXPECT_EQ(main.entries[0].patternName, L"Beach sand");
    EXPECT_EQ(main.entries[1].patternName, L"Photo"); // deleted: the re-check reports it
    const ConfigMessageList problems = configured->config.CheckHatchLists();
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].text.find(L"(Photo)"), std::wstring::npos);

    ExpectRoundTrip(*configured, sandbox.file("written.txt"));
}

TEST_F(BitmapEditorTest, CancelLeavesTheTableAsItWas)
{
    const std::string before = ConfigTest::writeAndRead(configured->config, sandbox.file("before.txt"));
    auto editor = open();
    Choose(names(*editor), QStringLiteral("Sand"));
    rows(*editor)->setPlainText(QStringLiteral("0x1 0x1"));
    Click(*editor, "id1259");
    Click(*editor, "id1264");
    Click(*editor, "id2");
    EXPECT_EQ(editor->result(), QDialog::Rejected);
    EXPECT_EQ(ConfigTest::writeAndRead(configured->config, sandbox.file("after.txt")), before);
}

TEST(BitmapView, TilesThePatternAtItsPixelSizeAndStaysWhiteWithoutAWholePattern)
{
    BitmapPattern pattern(L"check");
    pattern.width = 2;
    ConfigMessageList messages;
    ASSERT_TRUE(BitmapPattern::ParseMonoData(messages, L"0x2 0x1", pattern, 1));
    CBitmapView view;
    view.resize(40, 30);
    view.pattern = &pattern;
    QImage image = view.grab().toImage();
    EXPECT_EQ(image.pixel(0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(image.pixel(1, 0), 0xFF000000u);
    EXPECT_EQ(image.pixel(2, 0), 0xFFFFFFFFu);
    EXPECT_EQ(image.pixel(0, 1), 0xFF000000u);
    EXPECT_EQ(image.pixel(38, 29), 0xFF000000u);
    EXPECT_EQ(image.pixel(39, 29), 0xFFFFFFFFu);

    pattern.height = 0; // incomplete
    image = view.grab().toImage();
    EXPECT_EQ(image.pixel(1, 0), 0xFFFFFFFFu);
}

TEST(ImageFileFilter, TakesThePatternsOfEachEntryAndLeavesOutFormatsThatCannotBeRead)
{
    const QString filter = ImageFileFilter(L"Bitmap files (*.bmp)|*.bmp|Enhanced metafiles (*.emf)|*.emf|"
                                           L"JPEG files (*.jpg;*.jpeg)|*.jpg;*.jpeg|All files (*.*)|*.*||");
    EXPECT_EQ(filter, "Bitmap files (*.bmp *.BMP);;JPEG files (*.jpg *.JPG *.jpeg *.JPEG);;All files (*)");
}
