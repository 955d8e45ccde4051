// "-p file" and "-pt file printer" print the file without a window and end the program: a printer
// that does not exist or a file that cannot be read is told on the standard error with its reason and
// ends with failure; no message box is shown and no one is asked anything.
#include <filesystem>
#include <sstream>

#include <gtest/gtest.h>

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>

#include "app/QuorApp.h"
#include "core/catalogue/Messages.h"
#include "docview/document/QuorDoc.h"
#include "platform/Text.h"
#include "platform/services/ConsoleServices.h"
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

    // What the run wrote to the standard error.
    std::ostringstream console;

protected:
    std::ostream& ConsoleOutput() override { return console; }
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
    // The messages on the standard error, one a line; none ever in a box or a dialog.
    static std::string Line(const std::wstring& text) { return ORBAX_Platform::utf8_from_wide(text) + "\n"; }
    std::string Messages(const PdfPrintingApp& app) const
    {
        EXPECT_TRUE(sandbox.boxes.shown.empty());
        EXPECT_TRUE(sandbox.dialogs.shown.empty());
        return app.console.str();
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
    EXPECT_EQ(Messages(app), "");
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
    EXPECT_EQ(Messages(app),
              Line(format_message(390, {File("west_bore.csv"), format_message(27168, {L"No Such Printer 42"})})));
    EXPECT_EQ(Messages(app).rfind("Unable to print ", 0), 0u);
    EXPECT_FALSE(fs::exists(dir / "none.pdf"));
}

TEST_F(CommandLinePrint, PrintWithoutADefaultPrinterIsToldAndEndsWithFailure)
{
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "this machine has a default printer";
    PdfPrintingApp app(dir / "none.pdf");
    EXPECT_FALSE(app.InitInstance({L"-p", File("west_bore.csv")}));
    EXPECT_EQ(app.ExitInstance(), 1);
    EXPECT_EQ(Messages(app),
              Line(format_message(390, {File("west_bore.csv"), ORBAX_Utilities::get_message_wide(27169)})));
}

TEST_F(CommandLinePrint, AFileThatCannotBeReadIsToldWithItsReasonAndEndsWithFailure)
{
    const fs::path pdf = dir / "bad.pdf";
    {
        PdfPrintingApp app(pdf);
        EXPECT_FALSE(app.InitInstance({L"-pt", File("absent.csv"), L"PDF"}));
        EXPECT_EQ(app.ExitInstance(), 1);
        EXPECT_EQ(Messages(app),
                  Line(format_message(1001, {File("absent.csv"), ORBAX_Utilities::SystemErrorText(ENOENT)})));
    }
    {
        // Not a borehole: the reader's own words say why.
        PdfPrintingApp app(pdf);
        EXPECT_FALSE(app.InitInstance({L"-pt", File("not_a_borehole"), L"PDF"}));
        EXPECT_EQ(app.ExitInstance(), 1);
        const std::string shown = Messages(app);
        const std::string start = ORBAX_Platform::utf8_from_wide(format_message(1001, {File("not_a_borehole"), L""}));
        EXPECT_EQ(shown.rfind(start.substr(0, start.size() - 1), 0), 0u) << "message 1001 with the file";
        EXPECT_GT(shown.size(), start.size() + 5) << "and a reason";
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
    EXPECT_EQ(Messages(app), Line(ORBAX_Utilities::get_message_wide(27163)));
    EXPECT_FALSE(fs::exists(pdf));
}

// Nothing waits for an answer: "-pt" without a printer, a format whose options page would be asked
// for, a read with warnings and a configuration that fails are all told on the standard error, and the
// exit status says whether the log was printed. A question is answered No (or Cancel), and says so.
TEST_F(CommandLinePrint, EveryMessageGoesToTheErrorStreamAndNoOneIsAsked)
{
    using ORBAX_Utilities::get_message_wide;
    auto run = [this](const std::vector<std::wstring>& arguments) {
        PdfPrintingApp app(dir / "out.pdf");
        EXPECT_FALSE(app.InitInstance(arguments));
        const int status = app.ExitInstance();
        return std::make_pair(status, Messages(app));
    };
    EXPECT_EQ(run({L"-pt", File("west_bore.csv")}),
              std::make_pair(1, Line(format_message(390, {File("west_bore.csv"), get_message_wide(29601)}))));
    Settings(L"CSVOptions").writeInt(L"AlwaysAsk", 1);
    std::string text = QuorTest::read_file(sandbox.file("west_bore.csv"));
    QuorTest::write_file(sandbox.file("warned.csv"), text.replace(text.find("COAL,100"), 8, "COAL,100.5"));
    const auto [printed, warned] = run({L"-pt", File("warned.csv"), L"PDF"});
    EXPECT_EQ(printed, 0);
    EXPECT_EQ(warned.rfind("Warning: Line 2 gives \"100.5\" as its percentage", 0), 0u) << warned;
    QuorTest::write_file(sandbox.programFolder() / "QuorLogConfig.txt",
                         "Quorlog Configuration v3\nBitmaps {\n   Bad mono 2 \"zz\"\n}\n");
    EXPECT_EQ(run({L"-pt", File("west_bore.csv"), L"PDF"}),
              std::make_pair(1, Line(get_message_wide(219) + L"\nError: Unrecognised number \"zz\" on line 3")));

    std::ostringstream out;
    ORBAX_Platform::ConsoleMessageBoxes boxes(out, L"(No)", L"(Cancel)");
    EXPECT_EQ(boxes.show(nullptr, L"Print?", L"", ORBAX_Platform::MessageButtons::YesNo, {}),
              ORBAX_Platform::MessageResult::No);
    EXPECT_EQ(out.str(), "Print?\n(No)\n");
}

} // namespace
