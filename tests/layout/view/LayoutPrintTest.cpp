// A composed page printed to PDF and read back with the poppler tools: every item at its position,
// offset by the margins, and no selection frame.
#include <gtest/gtest.h>

#include <cmath>

#include <QImage>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>

#include "layout/geometry/LegendLayoutItem.h"
#include "layout/geometry/SectionLayoutItem.h"
#include "layout/geometry/TitleLayoutItem.h"
#include "tests/docview/print/PrintTestSupport.h"
#include "tests/layout/view/LayoutTestSupport.h"

using namespace PrintTest;

namespace {

bool RoyalBlue(QRgb c) { return qBlue(c) > 180 && qRed(c) < 100 && qGreen(c) > 80 && qGreen(c) < 140; }
bool Dark(QRgb c) { return qGray(c) < 160; }
bool Pink(QRgb c) { return qRed(c) > 240 && qGreen(c) > 180 && qGreen(c) < 205 && qBlue(c) > 190 && qBlue(c) < 215; }

class LayoutPrint : public LayoutTest::FrameFixture {};

} // namespace

TEST_F(LayoutPrint, AComposedPageComesOutAtTheItemsPositions)
{
    FillRight();
    CQuorLayout* layout = OpenLayout();
    ASSERT_NE(layout, nullptr);
    layout->Page().Append(std::make_shared<SectionLayoutItem>());
    auto block = std::make_shared<TitleLayoutItem>();
    layout->Page().Append(block);
    layout->Page().entries.back().position = QPointF(100, 20);
    layout->Page().Append(std::make_shared<LegendLayoutItem>(*layout, *document));
    layout->Page().entries.back().position = QPointF(100, 120);
    // The title block is selected: its frame shows on screen only.
    layout->Page().selection = 1;

    QuorTest::TempDir dir;
    const std::filesystem::path pdf = dir.path() / "layout.pdf";
    QPrinter printer(QPrinter::HighResolution);
    UsePdf(printer, pdf);
    ASSERT_TRUE(layout->PrintPage(printer));

    const std::string text = ReadText(pdf);
    for (const char* word : {"Hello", "There", "east", "COAL", "SANDSTONE"})
        EXPECT_NE(text.find(word), std::string::npos) << word << " in\n" << text;

    EXPECT_EQ(ReadInfo(pdf).pages, 1);
    const PageImage page = RenderPage(pdf, 1);
    ASSERT_FALSE(page.image.isNull());
    const double origin = kEdge + 20; // edge and the layout's left and top margins
    // The title block: royal blue inside, not beside it.
    EXPECT_TRUE(RoyalBlue(page.At(origin + 100 + 3, origin + 20 + 46)));
    EXPECT_TRUE(IsWhite(page.At(origin + 100 - 3, origin + 20 + 46)));
    EXPECT_TRUE(IsWhite(page.At(origin + 100 + 53, origin + 20 + 46)));
    // The section's field: its left edge 10 mm in from the section's, drawn somewhere down the field.
    EXPECT_TRUE(page.Near(origin + 10, origin + 70, Dark));
    // The coal (drawn black) from 2 to 5.5 m lies 20 to 55 mm below the field's top, which is three
    // lines (some 12 to 16 mm) below the section's; the sandstone above it is not black.
    EXPECT_TRUE(page.Near(origin + 20, origin + 51, [](QRgb c) { return qGray(c) < 60; }));
    EXPECT_FALSE(page.Near(origin + 20, origin + 22, [](QRgb c) { return qGray(c) < 60; }));
    // The legend's grey frame at its top-left corner, and its first swatch (coal, black) inside it.
    EXPECT_TRUE(page.Near(origin + 100, origin + 120 + 3, Dark));
    EXPECT_TRUE(page.Near(origin + 100 + 6, origin + 120 + 6, [](QRgb c) { return qGray(c) < 60; }));
    // Nothing in the top margin, and no selection frame anywhere.
    EXPECT_TRUE(IsWhite(page.At(origin + 60, kEdge + 10)));
    bool pink = false;
    for (int y = 0; y < page.image.height() && !pink; y += 2)
        for (int x = 0; x < page.image.width() && !pink; x += 2)
            pink = Pink(page.image.pixel(x, y));
    EXPECT_FALSE(pink);
}

TEST_F(LayoutPrint, APrinterThatCannotStartIsReported)
{
    CQuorLayout* layout = OpenLayout();
    ASSERT_NE(layout, nullptr);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QStringLiteral("/nonexistent-folder/layout.pdf"));
    EXPECT_FALSE(layout->PrintPage(printer));
    ASSERT_EQ(sandbox.boxes.shown.size(), 1u);
    EXPECT_EQ(sandbox.boxes.shown[0].text, L"Unable to print the layout to /nonexistent-folder/layout.pdf.");
}

TEST_F(LayoutPrint, ASectionOfAStoredScaleOfNothingPrintsAsTheOtherItemsDo)
{
    FillRight();
    CQuorLayout* layout = OpenLayout();
    ASSERT_NE(layout, nullptr);
    auto section = std::make_shared<SectionLayoutItem>();
    section->scale = 0.0;
    layout->Page().Append(section);
    layout->Page().Append(std::make_shared<TitleLayoutItem>());
    layout->Page().entries.back().position = QPointF(100, 20);

    QuorTest::TempDir dir;
    const std::filesystem::path pdf = dir.path() / "layout.pdf";
    QPrinter printer(QPrinter::HighResolution);
    UsePdf(printer, pdf);
    ASSERT_TRUE(layout->PrintPage(printer));
    const PageImage page = RenderPage(pdf, 1);
    ASSERT_FALSE(page.image.isNull());
    const double origin = kEdge + 20;
    // The section has no field to draw; the block beside it is printed.
    EXPECT_FALSE(page.Near(origin + 20, origin + 30, Dark, 4));
    EXPECT_TRUE(RoyalBlue(page.At(origin + 100 + 3, origin + 20 + 46)));
}
