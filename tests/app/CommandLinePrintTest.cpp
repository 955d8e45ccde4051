// "-p file" and "-pt file printer" print the file without a dialog and end the program: a printer
// that does not exist or a file that cannot be read is told with its reason and ends with failure.
#include <filesystem>

#include <gtest/gtest.h>

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>

#include "app/QuorApp.h"
#include "core/catalogue/Messages.h"
#include "docview/document/QuorDoc.h"
#include "tests/support/AppTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

namespace fs = std::filesystem;
using ORBAX_Platform::Settings;
using ORBAX_Utilities::format_message;

// The printer named "PDF" writes a file: no test machine has a real printer to name.
class PdfPrintingApp : public CQuorApp {
public:
    explicit PdfPrintingApp(fs::path pdf) : m_pdf(std::move(pdf)) {}

protected:
    std::unique_ptr<QPrinter> ShellPrinter(const CQuorLogCommandLine& commandLine, std::wstring& reason) override
    {
        if (commandLine.printerName != L"PDF")
            return CQuorApp::ShellPrinter(commandLine, reason);
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(QString::fromStdString(m_pdf.string()));
        printer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(5, 5, 5, 5),
                                           QPageLayout::Millimeter));
        return printer;
    }

private:
    fs::path m_pdf;
};

class CommandLinePrint : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::copy_file(QuorTest::data_file("document/QuorLogConfig.txt"), sandbox.programFolder() / "QuorLogConfig.txt");
        for (const char* name : {"west_bore.csv", "not_a_borehole"})
            fs::copy_file(QuorTest::data_file(std::string("document/") + name), sandbox.file(name));
        Settings(L"Options").writeInt(L"ShowSplash", 0);
        for (const wchar_t* section : {L"PrologOptions", L"CSVOptions"}) {
            Settings(section).writeString(L"Schema", L"Coal");
            Settings(section).writeInt(L"AlwaysAsk", 0);
        }
    }

    std::wstring File(const char* name) const { return sandbox.file(name).wstring(); }
    std::vector<std::wstring> Messages() const
    {
        std::vector<std::wstring> texts;
        for (const auto& box : sandbox.boxes.shown)
            texts.push_back(box.text);
        return texts;
    }

    AppTest::Sandbox sandbox;
    QuorTest::TempDir dir;
};

TEST_F(CommandLinePrint, PrintToANamedPrinterPrintsTheLogAndEnds)
{
    const fs::path pdf = dir / "west.pdf";
    PdfPrintingApp app(pdf);
    EXPECT_FALSE(app.InitInstance({L"-pt", File("west_bore.csv"), L"PDF"})) << "the program ends after printing";
    EXPECT_EQ(app.GetDocument()->unitCountOnSide(0), 3) << "the file went into the left pane";
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(app.ExitInstance(), 0);
    ASSERT_TRUE(fs::exists(pdf));
    const QuorTest::RunResult text = QuorTest::run_program("/usr/bin/pdftotext", {"-layout", pdf.string(), "-"});
    EXPECT_NE(text.out.find("Page 1/1"), std::string::npos) << text.out;
    EXPECT_FALSE(Settings(L"Options").contains(L"SaveSettings")) << "a print run keeps the settings as they were";
}

TEST_F(CommandLinePrint, APrinterThatDoesNotExistIsToldAndEndsWithFailure)
{
    PdfPrintingApp app(dir / "none.pdf");
    EXPECT_FALSE(app.InitInstance({L"-pt", File("west_bore.csv"), L"No Such Printer 42"}));
    EXPECT_EQ(app.ExitInstance(), 1);
    // The file is fine: the message says it was not printed, not that it could not be opened.
    EXPECT_EQ(Messages(), std::vector<std::wstring>{format_message(
                              390, {File("west_bore.csv"), format_message(27168, {L"No Such Printer 42"})})});
    EXPECT_EQ(Messages()[0].rfind(L"Unable to print ", 0), 0u);
    EXPECT_FALSE(fs::exists(dir / "none.pdf"));
}

TEST_F(CommandLinePrint, PrintWithoutADefaultPrinterIsToldAndEndsWithFailure)
{
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "this machine has a default printer";
    PdfPrintingApp app(dir / "none.pdf");
    EXPECT_FALSE(app.InitInstance({L"-p", File("west_bore.csv")}));
    EXPECT_EQ(app.ExitInstance(), 1);
    EXPECT_EQ(Messages(), std::vector<std::wstring>{
                              format_message(390, {File("west_bore.csv"), ORBAX_Utilities::get_message_wide(27169)})});
}

TEST_F(CommandLinePrint, AFileThatCannotBeReadIsToldWithItsReasonAndEndsWithFailure)
{
    const fs::path pdf = dir / "bad.pdf";
    {
        PdfPrintingApp app(pdf);
        EXPECT_FALSE(app.InitInstance({L"-pt", File("absent.csv"), L"PDF"}));
        EXPECT_EQ(app.ExitInstance(), 1);
        EXPECT_EQ(Messages(), std::vector<std::wstring>{format_message(
                                  1001, {File("absent.csv"), ORBAX_Utilities::SystemErrorText(ENOENT)})});
    }
    sandbox.boxes.shown.clear();
    {
        // Not a borehole: the reader's own words say why.
        PdfPrintingApp app(pdf);
        EXPECT_FALSE(app.InitInstance({L"-pt", File("not_a_borehole"), L"PDF"}));
        EXPECT_EQ(app.ExitInstance(), 1);
        const std::vector<std::wstring> shown = Messages();
        ASSERT_EQ(shown.size(), 1u);
        const std::wstring start = format_message(1001, {File("not_a_borehole"), L""});
        EXPECT_EQ(shown[0].rfind(start.substr(0, start.size() - 1), 0), 0u) << "message 1001 with the file";
        EXPECT_GT(shown[0].size(), start.size() + 5) << "and a reason";
    }
    EXPECT_FALSE(fs::exists(pdf));
}

TEST_F(CommandLinePrint, ALogThatCannotPrintIsToldByThePrintAndEndsWithFailure)
{
    // Margins that leave the log no room: the print's own message, and nothing written.
    Settings(L"PageSetup").writeString(L"TopMargin", L"200");
    Settings(L"PageSetup").writeString(L"BottomMargin", L"200");
    const fs::path pdf = dir / "margins.pdf";
    PdfPrintingApp app(pdf);
    EXPECT_FALSE(app.InitInstance({L"-pt", File("west_bore.csv"), L"PDF"}));
    EXPECT_EQ(app.ExitInstance(), 1);
    EXPECT_EQ(Messages(), std::vector<std::wstring>{ORBAX_Utilities::get_message_wide(27163)});
    EXPECT_FALSE(fs::exists(pdf));
}

} // namespace
