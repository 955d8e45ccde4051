#include <gtest/gtest.h>

#include <QAction>
#include <QPrintDialog>

#include "core/catalogue/Messages.h"
#include "tests/docview/print/PrintTestSupport.h"

using namespace PrintTest;
using namespace ViewTest;

namespace {

class SampleLabelPrint : public ViewFixture {
protected:
    SampleLabelPrint()
    {
        // Five samples; S2 runs over two units of two seams.
        FillBorehole(Hole(0), L"BH-7",
                     {{1.25, {{L"COAL", 100}}, L"S1", L"Upper", L"U1"},
                      {2.5, {{L"COAL", 100}}, L"S2", L"Upper", L"U2"},
                      {4, {{L"CLAYSTONE", 100}}, L"s2", L"Lower", L"L1"},
                      {5, {{L"CLAYSTONE", 100}}},
                      {6, {{L"COAL", 100}}, L"S3"},
                      {7, {{L"COAL", 100}}, L"S4"},
                      {8, {{L"COAL", 100}}, L"S5"}});
        view->m_settings.projectName = L"North Pit";
    }

    std::filesystem::path Print(QPageSize::PageSizeId size = QPageSize::A4, const std::string& name = "labels.pdf")
    {
        const std::filesystem::path pdf = dir / name;
        QPrinter printer(QPrinter::HighResolution);
        UsePdf(printer, pdf, size);
        printed = view->PrintSampleLabels(printer, 0);
        return pdf;
    }

    QuorTest::TempDir dir;
    bool printed = false;
};

} // namespace

TEST_F(SampleLabelPrint, LabelsFillTheGridAndGoOnToTheNextPage)
{
    for (int i = 6; i <= 9; ++i) { // four more samples (eight a page), of a hole with a long name
        ORBAX_Logging::Interval unit = Hole(0)[static_cast<std::size_t>(Hole(0).unitCount() - 1)];
        unit.bottom += 1;
        unit.sample = L"S" + std::to_wstring(i);
        Hole(0).push_back(unit);
    }
    Hole(0).name = L"BH-7 of the Northern Extension drilling programme";
    const auto pdf = Print();
    ASSERT_TRUE(printed);
    // A4 with 5 mm the printer cannot print on: two columns of four labels inside the paper's margins.
    EXPECT_EQ(ReadInfo(pdf).pages, 2);
    const std::string first = ReadText(pdf, 1);
    for (const char* text : {"North Pit", "Borename", "From", "To", "Sample No.", "Seam", "Ply", "Comment", "1.250",
                             "4.000", "Lower, Upper", "L1, U2", "S4", "S8"})
        EXPECT_TRUE(Contains(first, text)) << text;
    EXPECT_FALSE(Contains(first, "S9"));
    EXPECT_TRUE(Contains(ReadText(pdf, 2), "12.000"));
    // The name set smaller and shortened to fit its cell.
    EXPECT_TRUE(Contains(first, "\u2026"));

    // The grid: its left edge 19.9 mm from the paper's, the line between the first two cells 57 mm below
    // its top, 20 mm from the paper's.
    const PageImage image = RenderPage(pdf, 1, 200);
    const double left = 19.9, top = 20;
    EXPECT_TRUE(image.Near(left, top + 30, IsDark, 1));
    EXPECT_TRUE(image.Near(left + 85, top + 30, IsDark, 1));
    EXPECT_TRUE(image.Near(left + 170, top + 30, IsDark, 1));
    EXPECT_TRUE(image.Near(left + 60, top + 57, IsDark, 1));
    EXPECT_TRUE(image.Near(left + 60, top + 4 * 57, IsDark, 1));
    EXPECT_TRUE(IsWhite(image.At(left + 60, top + 4 * 57 + 5))) << "nothing below the grid";
    EXPECT_TRUE(IsWhite(image.At(left - 3, top + 30)));
}

TEST_F(SampleLabelPrint, LongNamesKeepWhatTellsHolesApart)
{
    // Two holes whose names share a long start print labels that tell them apart.
    for (int n : {2, 3}) {
        Hole(0).name = L"Northern_exploration_licence_drilling_NX-004" + std::to_wstring(n);
        const auto pdf = Print();
        const std::regex shortened("Northern.*\u2026.*_NX-004" + std::to_string(n));
        int labels = 0;
        for (const Word& word : ReadWords(pdf, 1))
            labels += std::regex_match(word.text, shortened);
        EXPECT_EQ(labels, 5) << "each of the five labels names its hole";
    }
}

TEST_F(SampleLabelPrint, NoSampleGivesOneBlankPage)
{
    FillBorehole(Hole(0), L"BH-8", {{3, {{L"COAL", 100}}}, {4, {{L"COAL", 100}}}});
    const auto pdf = Print();
    ASSERT_TRUE(printed);
    EXPECT_EQ(ReadInfo(pdf).pages, 1);
    EXPECT_EQ(ReadText(pdf).find_first_not_of(" \n\f"), std::string::npos);
}

TEST_F(SampleLabelPrint, PaperTooSmallForALabelIsRefused)
{
    // A6 less 5 mm edges: 95 mm across, too narrow for one 85 mm label between 19.9 mm sides.
    const auto pdf = Print(QPageSize::A6, "a6.pdf");
    EXPECT_FALSE(printed);
    EXPECT_FALSE(std::filesystem::exists(pdf));
    ASSERT_EQ(sandbox.boxes.shown.size(), 1u);
    EXPECT_EQ(sandbox.boxes.shown.front().text, ORBAX_Utilities::get_message_wide(27165));
}

TEST_F(SampleLabelPrint, CommandNeedsAnActivePaneWithSampleNumbers)
{
    QAction action;
    view->m_activePane = -1;
    view->OnUpdatePrintSampleLabels(action);
    EXPECT_FALSE(action.isEnabled());
    view->m_activePane = 0;
    view->OnUpdatePrintSampleLabels(action);
    EXPECT_TRUE(action.isEnabled());
    view->m_activePane = 1; // no units, so no sample number
    view->OnUpdatePrintSampleLabels(action);
    EXPECT_FALSE(action.isEnabled());

    // Run from the command: the print dialog through the service, the document named after the hole.
    const std::filesystem::path pdf = dir / "command.pdf";
    QString documentName;
    sandbox.dialogs.inspect = [&](QDialog& dialog) {
        auto* print = qobject_cast<QPrintDialog*>(&dialog);
        ASSERT_NE(print, nullptr);
        documentName = print->printer()->docName();
        UsePdf(*print->printer(), pdf);
        dialog.setResult(QDialog::Accepted);
    };
    view->m_activePane = 0;
    view->OnPrintSampleLabels();
    EXPECT_EQ(sandbox.dialogs.shown, std::vector<QString>{QStringLiteral("dlgPrintSampleLabels")});
    EXPECT_EQ(documentName, QStringLiteral("BH-7 sample labels"));
    EXPECT_EQ(ReadInfo(pdf).pages, 1);

    // A schema without a sample field prints nothing.
    std::filesystem::remove(pdf);
    Hole(0).schema = SchemaNamed(tables, L"Lithology");
    view->OnUpdatePrintSampleLabels(action);
    EXPECT_FALSE(action.isEnabled());
    view->OnPrintSampleLabels();
    EXPECT_FALSE(std::filesystem::exists(pdf));
}

// A list of seams or plies is shortened name by name, each keeping its first and last four characters;
// names that cannot stand even so are left out after an ellipsis and named in the question before printing.
TEST_F(SampleLabelPrint, ListsOfNamesAreShortenedNameByNameAndThoseLeftOutAreAsked)
{
    FillBorehole(Hole(0), L"BH-9",
                 {{1, {{L"COAL", 100}}, L"S1", L"Main_Upper_Seam_North_Block", L"Upper_Ply_Of_The_North_Block"},
                  {2, {{L"COAL", 100}}, L"S1", L"Main_Lower_Seam_North_Block", L"Lower_Ply_Of_The_North_Block"}});
    const std::string both = ReadText(Print(), 1);
    EXPECT_TRUE(printed && sandbox.boxes.shown.empty());
    EXPECT_TRUE(std::regex_search(
        both, std::regex(R"(Main_L\S*_Block, Main_U\S*_Block\s[\s\S]*Lower_\S*_Block, Upper_\S*_Block\s)")));

    std::vector<TestUnit> units; // eight seams: No prints nothing, Yes the names that stand
    for (char c = 'A'; c <= 'H'; ++c)
        units.push_back({1.0 + (c - 'A'), {{L"COAL", 100}}, L"S1", std::wstring(1, c) + L"_Seam_of_the_North_Block"});
    FillBorehole(Hole(0), L"BH-10", units);
    sandbox.boxes.answers = {ORBAX_Platform::MessageResult::No, ORBAX_Platform::MessageResult::Yes};
    EXPECT_FALSE(std::filesystem::exists(Print(QPageSize::A4, "no.pdf")) || printed);
    const std::wstring asked = sandbox.boxes.shown.at(0).text, head = ORBAX_Utilities::get_message_wide(27180);
    EXPECT_EQ(asked.rfind(head.substr(0, head.find(L'%')) + L"seams ", 0), 0u) << asked;
    EXPECT_TRUE(asked.find(L"B_Seam") == std::wstring::npos &&
                asked.find(L"H_Seam_of_the_North_Block.") != std::wstring::npos);
    const std::string text = ReadText(Print(QPageSize::A4, "yes.pdf"), 1);
    EXPECT_TRUE(printed && std::regex_search(text, std::regex("Seam +A_Se\\S*, B_Se\\S*, \u2026\n"))) << text;
}
