#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>

#include "core/catalogue/Messages.h"
#include "docview/print/PrintJob.h"
#include "tests/docview/print/PrintTestSupport.h"

using namespace PrintTest;
using namespace ViewTest;
using namespace LogPagination;

namespace {

class PrintLog : public ViewFixture {
protected:
    PrintLog()
    {
        // The left hole: coal to 25 m, claystone to 40 m, sandstone to 52 m; the right one shorter.
        FillBorehole(Hole(0), L"BH-Left", {{25, {{L"COAL", 100}}}, {40, {{L"CLAYSTONE", 100}}},
                                           {52, {{L"SANDSTONE", 100}}}});
        FillBorehole(Hole(1), L"BH-Right", {{10, {{L"CLAYSTONE", 100}}}, {30, {{L"COAL", 100}}}});
        view->m_settings.projectName = L"North Pit";
        PageSetupSettings& setup = view->PageSetup();
        setup.topText = L"%r";
        setup.leftText = L"Page %p/%t";
        setup.rightText = L"%s";
    }

    // Prints the log to a PDF file; the layout the pages were made with is kept for the checks.
    std::filesystem::path Print(const std::string& name = "log.pdf")
    {
        const std::filesystem::path pdf = dir / name;
        QPrinter printer(QPrinter::HighResolution);
        UsePdf(printer, pdf);
        EXPECT_TRUE(view->OnBeginPrinting(printer, true));
        layout = CurrentLayout();
        view->OnEndPrinting();
        printed = view->PrintLog(printer);
        return pdf;
    }

    LogPagination::Layout CurrentLayout()
    {
        const PrintJob* job = view->CurrentPrintJob();
        return job ? job->layout : LogPagination::Layout();
    }

    // A point of the printable area (millimetres) on the paper.
    static double Paper(double mm) { return kEdge + mm; }

    QuorTest::TempDir dir;
    LogPagination::Layout layout;
    bool printed = false;
};

} // namespace

TEST_F(PrintLog, WritesThePdf)
{
    const auto pdf = Print();
    EXPECT_TRUE(printed);
    const PdfInfo info = ReadInfo(pdf);
    EXPECT_GT(info.pages, 0);
    QuorTest::run_program("/usr/bin/cp", {pdf.string(), "/tmp/print-sample.pdf"});
}
