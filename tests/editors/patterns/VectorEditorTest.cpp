#include <gtest/gtest.h>

#include <QPlainTextEdit>

#include "editors/patterns/VectorEditor.h"
#include "editors/patterns/VectorView.h"
#include "tests/editors/EditorTestSupport.h"
#include "widgets/controls/ColourComboBox.h"
#include "widgets/controls/ColourPatch.h"
#include "widgets/controls/EditedTables.h"

using namespace EditorTest;
using ORBAX_Platform::MessageResult;

namespace {

const char* const configurationText = R"(Quorlog Configuration v3
Vectors {
   Shale (220, 220, 220)      100       50 {
      line           3   (0, 0, 0) solid {0, 25; 1000, 25}
   }
   Tillite (255, 240, 220)       60       60 {
      rect    (180, 140, 100)         0 0 60 60
   }
}
Definitions {
   Main {
      Isovector  Shale                { SHALE }
      Anivector  Tillite              { TILLITE }
   }
}
)";

// Answers the colour prompt with a colour, or cancels it.
class ColourPrompts : public ORBAX_Platform::ScriptedFilePrompts {
public:
    std::deque<QColor> colours;
    std::vector<QColor> initial;
    bool chooseColour(QWidget*, const QColor& start, QColor& chosen) override
    {
        initial.push_back(start);
        if (colours.empty() || !colours.front().isValid()) {
            if (!colours.empty())
                colours.pop_front();
            return false;
        }
        chosen = colours.front();
        colours.pop_front();
        return true;
    }
};

class VectorEditorTest : public ::testing::Test {
protected:
    VectorEditorTest() : configured(configurationText, sandbox.programFolder()), script(sandbox.dialogs) {}

    std::unique_ptr<CVectorEditor> open() { return std::make_unique<CVectorEditor>(configured.tables.vectors); }
    CColourComboBox* names(const CVectorEditor& editor) { return Control<CColourComboBox>(editor, "id1254"); }
    QPlainTextEdit* elements(const CVectorEditor& editor) { return Control<QPlainTextEdit>(editor, "id1256"); }
    QLineEdit* width(const CVectorEditor& editor) { return Control<QLineEdit>(editor, "id1009"); }
    QLineEdit* height(const CVectorEditor& editor) { return Control<QLineEdit>(editor, "id1258"); }
    bool compileEnabled(const CVectorEditor& editor) { return Control<QPushButton>(editor, "id1259")->isEnabled(); }
    const VectorPattern& named(const CVectorEditor& editor, const std::wstring& name)
    {
        for (const VectorPattern& pattern : editor.patterns)
            if (pattern.name == name)
                return pattern;
        throw std::runtime_error("no such vector");
    }

    AppTest::Sandbox sandbox;
    ConfiguredTables configured;
    PromptScript script;
};

// The colour of the preview at a point given in millimetres from its top-left corner.
QRgb PreviewAt(CVectorView& view, const QImage& image, double xMm, double yMm)
{
    const double perMm = view.logicalDpiX() / 25.4;
    return image.pixel(static_cast<int>(xMm * perMm), static_cast<int>(yMm * perMm));
}

} // namespace

TEST_F(VectorEditorTest, ShowsThePatternsSizeColourAndElementText)
{
    auto editor = open();
    EXPECT_EQ(editor->objectName(), "dlg206");
    EXPECT_EQ(Texts(names(*editor)), QStringList({"Shale", "Tillite"}));
    EXPECT_EQ(width(*editor)->text(), "10");
    EXPECT_EQ(height(*editor)->text(), "5");
    EXPECT_EQ(Control<CColourPatch>(*editor, "id1142")->colour, 0xFFDCDCDCu);
    EXPECT_TRUE(elements(*editor)->toPlainText().trimmed().startsWith("line"));
    EXPECT_FALSE(compileEnabled(*editor));
    EXPECT_FALSE(names(*editor)->HasItemColour(0));
}

TEST_F(VectorEditorTest, ANewPatternIsTenByTenWhiteAndUncompiledUntilItsTextCompiles)
{
    auto editor = open();
    script.name(QStringLiteral("shale")).name(QStringLiteral("Stripes"));
    Click(*editor, "id1242");
    EXPECT_EQ(sandbox.boxes.shown.back().text, L"A vector with that name already exists");
    Click(*editor, "id1242");
    EXPECT_EQ(script.initialTexts, std::vector<QString>({"new vector", "new vector"}));
    const VectorPattern& stripes = named(*editor, L"Stripes");
    EXPECT_FLOAT_EQ(stripes.width, 10);
    EXPECT_FLOAT_EQ(stripes.height, 10);
    EXPECT_EQ(stripes.colour, 0xFFFFFFFFu);
    EXPECT_FALSE(stripes.compiled);
    EXPECT_EQ(width(*editor)->text(), "10");

    // The left half of each cell red: the tiled preview repeats it every 10 mm, the full-width one
    // stretches one cell over the whole width.
    elements(*editor)->setPlainText(QStringLiteral("rect (255, 0, 0) 0 0 50 100\n"));
    Click(*editor, "id1259");
    EXPECT_TRUE(named(*editor, L"Stripes").compiled);
    EXPECT_EQ(named(*editor, L"Stripes").sourceText, L"rect (255, 0, 0) 0 0 50 100\n");
    EXPECT_FALSE(compileEnabled(*editor));

    auto* tiled = Control<CVectorView>(*editor, "id1253");
    auto* full = Control<CVectorView>(*editor, "id1255");
    tiled->resize(300, 100);
    full->resize(300, 100);
    const QImage tiledImage = tiled->grab().toImage();
    const QImage fullImage = full->grab().toImage();
    EXPECT_EQ(PreviewAt(*tiled, tiledImage, 2.5, 2.5), 0xFFFF0000u);
    EXPECT_EQ(PreviewAt(*tiled, tiledImage, 7.5, 2.5), 0xFFFFFFFFu);
    EXPECT_EQ(PreviewAt(*tiled, tiledImage, 12.5, 12.5), 0xFFFF0000u);
    const double fullWidthMm = 300 * 25.4 / full->logicalDpiX();
    EXPECT_EQ(PreviewAt(*full, fullImage, 7.5, 2.5), 0xFFFF0000u);
    EXPECT_EQ(PreviewAt(*full, fullImage, fullWidthMm * 0.75, 2.5), 0xFFFFFFFFu);
    EXPECT_TRUE(script.done());
}

TEST_F(VectorEditorTest, SizesNotAboveZeroAndTextThatDoesNotCompileLeaveThePatternAsItWas)
{
    auto editor = open();
    const VectorPattern before = named(*editor, L"Shale");
    width(*editor)->setText(QStringLiteral("0"));
    script.errors();
    Click(*editor, "id1259");
    width(*editor)->setText(QStringLiteral("10"));
    height(*editor)->setText(QStringLiteral("-2"));
    script.errors();
    Click(*editor, "id1259");
    height(*editor)->setText(QStringLiteral("8"));
    elements(*editor)->setPlainText(QStringLiteral("line 3 (0, 0, 0) solid {0, 10; 100, 10}\nsquiggle 1 2 3\n"));
    script.errors();
    Click(*editor, "id1259");
    ASSERT_EQ(script.errorLines.size(), 3u);
    EXPECT_EQ(script.errorLines[0], "Error: Vector Shale has height or width less than or equal to zero");
    EXPECT_EQ(script.errorLines[1], script.errorLines[0]);
    EXPECT_TRUE(script.errorLines[2].contains("Unrecognized drawing primitive \"squiggle\""))
        << script.errorLines[2].toStdString();

    const VectorPattern& after = named(*editor, L"Shale");
    EXPECT_FLOAT_EQ(after.height, before.height);
    EXPECT_TRUE(after.compiled);
    EXPECT_EQ(after.elements, before.elements);
    EXPECT_EQ(after.sourceText, before.sourceText);
    EXPECT_TRUE(compileEnabled(*editor));
}

TEST_F(VectorEditorTest, AChosenColourIsPendingUntilCompiledAndTheCustomColoursAreKept)
{
    ColourPrompts prompts;
    ORBAX_Platform::ScopedFilePrompts installed(prompts);
    auto editor = open();
    prompts.colours = {QColor(), QColor(10, 20, 30)};
    Click(*editor, "id1260"); // cancelled: nothing changes
    EXPECT_FALSE(compileEnabled(*editor));
    Click(*editor, "id1260");
    ASSERT_EQ(prompts.initial.size(), 2u);
    EXPECT_EQ(prompts.initial[0].rgb(), 0xFFDCDCDCu);
    auto* patch = Control<CColourPatch>(*editor, "id1142");
    EXPECT_EQ(patch->colour, 0xFF0A141Eu);
    EXPECT_EQ(named(*editor, L"Shale").colour, 0xFFDCDCDCu);
    EXPECT_TRUE(compileEnabled(*editor));
    Click(*editor, "id1259");
    EXPECT_EQ(named(*editor, L"Shale").colour, 0xFF0A141Eu);
    EXPECT_EQ(ORBAX_Platform::Settings(L"Options").readBinary(L"CustomColors").size(), 64u);

    // Leaving a pattern with a pending colour asks, and No drops it.
    prompts.colours = {QColor(200, 0, 0)};
    Click(*editor, "id1260");
    Choose(names(*editor), QStringLiteral("Tillite"));
    ASSERT_EQ(sandbox.boxes.shown.size(), 1u);
    EXPECT_EQ(named(*editor, L"Shale").colour, 0xFF0A141Eu);
    EXPECT_EQ(patch->colour, named(*editor, L"Tillite").colour);
}

TEST_F(VectorEditorTest, PendingChangesAreOfferedWhenAnotherPatternIsChosen)
{
    auto editor = open();
    height(*editor)->setText(QStringLiteral("7.5"));
    sandbox.boxes.answers.push_back(MessageResult::Yes);
    Choose(names(*editor), QStringLiteral("Tillite"));
    ASSERT_EQ(sandbox.boxes.shown.size(), 1u);
    EXPECT_EQ(sandbox.boxes.shown[0].text,
              L"Changes to this vector definition have been made.  Do you wish to compile and update?");
    EXPECT_FLOAT_EQ(named(*editor, L"Shale").height, 7.5f);
    EXPECT_EQ(names(*editor)->currentText(), "Tillite");
    EXPECT_EQ(width(*editor)->text(), "6");
}

TEST_F(VectorEditorTest, OkHandsBackTheEditsAndRenamedPatternsKeepTheirRockTypes)
{
    const int lastId = configured.tables.vectors.LastId();
    auto editor = open();
    script.name(QStringLiteral("Grey shale")).name(QStringLiteral("Dots"));
    Click(*editor, "id1249");
    Click(*editor, "id1242");
    elements(*editor)->setPlainText(QStringLiteral("fillcircle (0, 0, 0) 10 50 50"));
    Choose(names(*editor), QStringLiteral("Tillite"));
    Click(*editor, "id1264");
    EXPECT_EQ(Texts(names(*editor)), QStringList({"Dots", "Grey shale"}));
    sandbox.boxes.answers.push_back(MessageResult::Yes);
    Choose(names(*editor), QStringLiteral("Dots"));
    elements(*editor)->setPlainText(QStringLiteral("fillcircle (0, 0, 0) 10 50 50"));
    sandbox.boxes.answers.push_back(MessageResult::Yes);
    Click(*editor, "id1");
    ASSERT_EQ(editor->result(), QDialog::Accepted);

    EditedTables::ApplyVectors(configured.tables, editor->patterns);
    const VectorTable& table = configured.tables.vectors;
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table.begin()->second.name, L"Grey shale");
    const VectorPattern& dots = std::next(table.begin())->second;
    EXPECT_GT(dots.id, lastId);
    EXPECT_TRUE(dots.compiled);
    const HatchList& main = configured.tables.hatchLists.begin()->second;
    EXPECT_EQ(main.entries[0].patternName, L"Grey shale");
    ExpectRoundTrip(configured, sandbox.file("written.txt"));
}

TEST_F(VectorEditorTest, CancelLeavesTheTableAsItWas)
{
    const std::string before = ConfigTest::writeAndRead(configured.config, sandbox.file("before.txt"));
    auto editor = open();
    height(*editor)->setText(QStringLiteral("20"));
    Click(*editor, "id1259");
    Click(*editor, "id1264");
    Click(*editor, "id2");
    EXPECT_EQ(editor->result(), QDialog::Rejected);
    EXPECT_EQ(ConfigTest::writeAndRead(configured.config, sandbox.file("after.txt")), before);
}

TEST(VectorView, APatternWithoutAPositiveSizeStaysWhite)
{
    VectorPattern pattern(L"flat", 10, 0);
    ConfigMessageList messages;
    ASSERT_TRUE(VectorPattern::Compile(pattern, L"rect (255, 0, 0) 0 0 100 100", messages, 1));
    pattern.height = 0;
    for (bool fullWidth : {false, true}) {
        CVectorView view(fullWidth);
        view.resize(200, 100);
        view.pattern = &pattern;
        EXPECT_EQ(view.grab().toImage().pixel(50, 50), 0xFFFFFFFFu);
    }
}

TEST(VectorView, CellsAtFractionalPixelsShowNoSeamsBetweenThem)
{
    // 3.3 by 2.7 mm cells start at fractions of a pixel; their smoothed edges must not let white through.
    VectorPattern pattern(L"plain", 3.3f, 2.7f);
    ConfigMessageList messages;
    ASSERT_TRUE(VectorPattern::Compile(pattern, L"", messages, 1));
    pattern.colour = 0xFF4080C0u;
    for (bool fullWidth : {false, true}) {
        CVectorView view(fullWidth);
        view.resize(211, 97);
        view.pattern = &pattern;
        const QImage image = view.grab().toImage();
        int seams = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                seams += std::abs(qRed(image.pixel(x, y)) - 0x40) > 2 ||
                         std::abs(qGreen(image.pixel(x, y)) - 0x80) > 2 ||
                         std::abs(qBlue(image.pixel(x, y)) - 0xC0) > 2;
        EXPECT_EQ(seams, 0) << fullWidth;
    }
}
