#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <regex>
#include <set>

#include <QImage>
#include <QPrintDialog>
#include <QPrintPreviewWidget>

#include "core/catalogue/Messages.h"
#include "docview/print/PrintJob.h"
#include "docview/view/geometry/FittedText.h"
#include "tests/docview/print/PrintTestSupport.h"

using namespace PrintTest;
using namespace ViewTest;
using namespace LogPagination;

namespace {

// A hairline comes out as a light shade of its colour.
bool IsGreen(QRgb c) { return qGreen(c) - qRed(c) > 50 && qGreen(c) - qBlue(c) > 50; }

class PrintLog : public ViewFixture {
protected:
    PrintLog()
    {
        // The left hole: coal to 25 m, claystone to 40 m, sandstone to 52 m; the right one shorter.
        FillBorehole(Hole(0), L"BH-Left",
                     {{25, {{L"COAL", 100}}}, {40, {{L"CLAYSTONE", 100}}}, {52, {{L"SANDSTONE", 100}}}});
        FillBorehole(Hole(1), L"BH-Right", {{10, {{L"CLAYSTONE", 100}}}, {30, {{L"COAL", 100}}}});
        view->m_settings.projectName = L"North Pit";
        PageSetupSettings& setup = view->PageSetup();
        setup.topText = L"%r";
        setup.leftText = L"Page %p/%t";
        setup.rightText = L"%s";
    }

    // Prints the log to a PDF file; the layout the pages were made with is kept for the checks.
    std::filesystem::path Print(const std::string& name = "log.pdf",
                                QPageLayout::Orientation orientation = QPageLayout::Portrait)
    {
        const std::filesystem::path pdf = dir / name;
        QPrinter printer(QPrinter::HighResolution);
        UsePdf(printer, pdf, QPageSize::A4, orientation);
        sandbox.boxes.answers = {answer};
        sandbox.boxes.shown.clear();
        if (view->OnBeginPrinting(printer, true)) {
            layout = view->CurrentPrintJob()->layout;
            labelHeight = view->MeasureText("TESTLABEL", view->CurrentPrintJob()->resources->tickFont).height();
        }
        view->OnEndPrinting();
        printed = view->PrintLog(printer);
        return pdf;
    }

    // The page (from 1) and the paper's y (millimetres) of a depth in the first page-column.
    std::pair<int, double> DepthOnPaper(double depth) const
    {
        const int page = static_cast<int>(std::floor(depth / layout.depthPerColumn)) + 1 + FirstLogPage();
        const double top = layout.pages[static_cast<std::size_t>(page - 1)].topDepth;
        return {page, kEdge + layout.bodyTop + (depth - top) / view->GetScale()};
    }
    int FirstLogPage() const
    {
        int n = 0;
        while (n < static_cast<int>(layout.pages.size()) && layout.pages[static_cast<std::size_t>(n)].legendPage)
            ++n;
        return n;
    }
    // The paper's x of a point `fraction` across a field's body in the first page-column.
    double BodyX(int field, double fraction) const
    {
        const QRectF& body = layout.fields[field].body;
        return kEdge + layout.content.left() + body.left() + fraction * body.width();
    }
    static QRectF OnPaper(const QRectF& r) { return r.translated(kEdge, kEdge); }

    // Message `i` shown, and message `id` of the catalogue, as UTF-8.
    static std::string Utf8(const std::wstring& text) { return QString::fromStdWString(text).toStdString(); }
    std::string Told(std::size_t i) const { return Utf8(sandbox.boxes.shown.at(i).text); }
    static std::string Message(int id) { return Utf8(ORBAX_Utilities::get_message_wide(id)); }
    std::vector<std::wstring> MessagesShown() const
    {
        std::vector<std::wstring> texts;
        for (const auto& m : sandbox.boxes.shown)
            texts.push_back(m.text);
        return texts;
    }

    QuorTest::TempDir dir;
    LogPagination::Layout layout;
    double labelHeight = 0; // a unit label's, at its full size
    bool printed = false;
    // The answer to printing a log whose fields are too narrow for some of its texts.
    ORBAX_Platform::MessageResult answer = ORBAX_Platform::MessageResult::Yes;
};

} // namespace

TEST_F(PrintLog, PagesCarryTheirDepthRangesWithTheColumnsAtTheirDepths)
{
    const auto pdf = Print();
    ASSERT_TRUE(printed);
    const double D = layout.depthPerColumn;
    ASSERT_GT(D, 0);
    const int pages = static_cast<int>(std::ceil(52 / D));
    EXPECT_EQ(static_cast<int>(layout.pages.size()), pages);
    const PdfInfo info = ReadInfo(pdf);
    EXPECT_EQ(info.pages, pages);
    EXPECT_NEAR(info.widthPoints, 595.3, 1);
    EXPECT_NEAR(info.heightPoints, 841.9, 1);

    const std::string first = ReadText(pdf, 1);
    EXPECT_TRUE(Contains(first, "BH-Left")) << "the names stand over the columns when both are shown";
    EXPECT_TRUE(Contains(first, "Page 1/" + std::to_string(pages)));
    EXPECT_TRUE(Contains(first, "1:100"));
    EXPECT_TRUE(Contains(ReadText(pdf, pages), "Page " + std::to_string(pages) + "/" + std::to_string(pages)));

    // Coal down to 25 m, claystone (white) below, wherever the page breaks fall.
    for (double depth : {1.0, 24.0, 26.0, 39.0, 41.0}) {
        const auto [page, y] = DepthOnPaper(depth);
        const PageImage image = RenderPage(pdf, page);
        const QRgb pixel = image.At(BodyX(LeftBorehole, 0.5), y);
        if (depth < 25)
            EXPECT_TRUE(IsBlack(pixel)) << depth;
        else if (depth < 40)
            EXPECT_TRUE(IsWhite(pixel)) << depth;
        else
            EXPECT_FALSE(IsBlack(pixel)) << depth; // the sand pattern
    }
    // The frame around the content area.
    const PageImage image = RenderPage(pdf, 1);
    const QRectF content = OnPaper(layout.content);
    EXPECT_TRUE(image.Near(content.left(), content.center().y(), IsDark));
    EXPECT_TRUE(image.Near(content.center().x(), content.top(), IsDark));
    EXPECT_TRUE(IsWhite(image.At(content.left() - 3, content.center().y())));
}

TEST_F(PrintLog, TwoPageColumnsShowFollowingRangesSideBySide)
{
    view->PageSetup().columnsPerPage = 2;
    view->PageSetup().showTrace1 = view->PageSetup().showTrace2 = view->PageSetup().showTrace3 = false;
    const auto pdf = Print();
    ASSERT_TRUE(printed);
    const double D = layout.depthPerColumn;
    ASSERT_LT(D, 25) << "coal must start the second page-column for this test";
    EXPECT_EQ(ReadInfo(pdf).pages, static_cast<int>(std::ceil(52 / (2 * D))));
    const PageImage image = RenderPage(pdf, 1);
    // The second page-column's left borehole starts at D: coal to 25 m, then claystone.
    const double x = BodyX(LeftBorehole, 0.5) + layout.pageColumnWidth;
    const double top = kEdge + layout.bodyTop;
    EXPECT_TRUE(IsBlack(image.At(x, top + (24 - D) / 0.1)));
    EXPECT_TRUE(IsWhite(image.At(x, top + (26 - D) / 0.1)));
}

TEST_F(PrintLog, TitleBlockHoldsItsTextsInItsRows)
{
    view->PageSetup().middleText = L"Logged for %n";
    const auto pdf = Print();
    ASSERT_TRUE(printed);
    const std::string text = ReadText(pdf, 1);
    EXPECT_TRUE(Contains(text, "BH-Right")) << "%r";
    EXPECT_TRUE(Contains(text, "Logged for North Pit"));
    const PageImage image = RenderPage(pdf, 1);
    const QRectF title = OnPaper(layout.titleBlock);
    const double row = title.height() / 3;
    // The left edge and the rows' lines; the bottom row's middle line only there.
    EXPECT_TRUE(image.Near(title.left(), title.center().y(), IsDark));
    EXPECT_TRUE(image.Near(title.left() + 3, title.top() + row, IsDark));
    EXPECT_TRUE(image.Near(title.left() + 3, title.bottom() - row, IsDark));
    EXPECT_TRUE(image.Near(title.center().x(), title.bottom() - row / 2, IsDark));
    EXPECT_TRUE(IsWhite(image.At(title.center().x() + 0.5, title.top() + row / 4)));

    // Without a middle text the block has two rows.
    view->PageSetup().middleText.clear();
    const auto two = Print("two.pdf");
    const PageImage twoRows = RenderPage(two, 1);
    EXPECT_TRUE(twoRows.Near(title.left() + 3, title.top() + title.height() / 2, IsDark));
    EXPECT_TRUE(IsWhite(twoRows.At(title.left() + 3, title.top() + title.height() / 3)));
}

TEST_F(PrintLog, LogoFitsItsBoxKeepingItsShapeAndAMissingOneLeavesItEmpty)
{
    QImage logo(200, 100, QImage::Format_RGB32);
    logo.fill(Qt::red);
    const std::filesystem::path file = dir / "logo.png";
    ASSERT_TRUE(logo.save(QString::fromStdString(file.string())));
    view->PageSetup().logoFile = file.wstring();
    const auto pdf = Print();
    ASSERT_TRUE(printed);
    ASSERT_TRUE(layout.hasLogo);
    const QRectF box = OnPaper(layout.logoBox);
    EXPECT_DOUBLE_EQ(box.width(), box.height());
    EXPECT_DOUBLE_EQ(box.right(), OnPaper(layout.titleBlock).left());
    PageImage image = RenderPage(pdf, 1);
    EXPECT_TRUE(IsRed(image.At(box.center().x(), box.center().y())));
    // Twice as wide as high: it spans the box's inner width and half its height.
    EXPECT_TRUE(IsRed(image.At(box.left() + 1.5, box.center().y())));
    EXPECT_TRUE(IsWhite(image.At(box.center().x(), box.top() + 2)));
    EXPECT_TRUE(image.Near(box.left(), box.center().y(), IsDark)) << "the box's left edge";

    view->PageSetup().logoFile = (dir / "missing.png").wstring();
    const auto missing = Print("missing.pdf");
    ASSERT_TRUE(printed) << "a logo that cannot be read does not stop the print";
    image = RenderPage(missing, 1);
    EXPECT_TRUE(IsWhite(image.At(box.center().x(), box.center().y())));
    EXPECT_TRUE(image.Near(box.left(), box.center().y(), IsDark));
}

TEST_F(PrintLog, TracesDrawAtTheirDepthsInTheirFields)
{
    TraceDefinition gr;
    gr.SetName("GR");
    gr.colourIndex = 2;  // green
    gr.displayField = 1; // the first trace field
    gr.ownRange = true;
    TraceDefinition depth;
    depth.SetName("DEPT");
    depth.visible = false;
    auto file = std::make_unique<LasProperty>(TraceDefinitionList{gr, depth});
    std::wstring error;
    ASSERT_EQ(file->read_bytes(LasText(0, 0.5, 121, {{"GR", [](int r) { return r * 0.5; }}}), L"gr.las", error), 0);
    view->m_settings.showFilteredTraces = false;
    view->AttachTrace(std::move(file));
    const auto pdf = Print();
    ASSERT_TRUE(printed);
    EXPECT_EQ(static_cast<int>(layout.pages.size()), static_cast<int>(std::ceil(60 / layout.depthPerColumn)));
    EXPECT_TRUE(Contains(ReadText(pdf, 1), "GR"));
    // GR equals the depth (0 to 60): at 40 m two thirds across the body.
    const auto [page, y] = DepthOnPaper(40);
    const PageImage image = RenderPage(pdf, page, 300);
    EXPECT_TRUE(image.Near(BodyX(Trace1, 40.0 / 60), y, IsGreen));
    EXPECT_FALSE(image.Near(BodyX(Trace1, 20.0 / 60), y, IsGreen));
}

TEST_F(PrintLog, NamesAndRangeLabelsStayWholeInsideTheirFields)
{
    // A name wider than its printed field, and a trace whose range labels stand on the body's edges.
    Hole(0).name = L"BH-Left-Northern-Extension";
    TraceDefinition gr;
    gr.SetName("GR");
    gr.colourIndex = 2;
    gr.displayField = 1; // the first trace field
    gr.ownRange = true;
    TraceDefinition depth;
    depth.SetName("DEPT");
    depth.visible = false;
    auto file = std::make_unique<LasProperty>(TraceDefinitionList{gr, depth});
    std::wstring error;
    ASSERT_EQ(file->read_bytes(LasText(0, 0.5, 121, {{"GR", [](int r) { return 1000 + r * 0.5; }}}), L"gr.las", error),
              0);
    view->AttachTrace(std::move(file));
    const auto pdf = Print();
    ASSERT_TRUE(printed);
    auto inField = [&](int field, const QRectF& word) {
        const QRectF box = layout.fields[field].field.translated(kEdge + layout.content.left(), kEdge);
        return word.left() >= box.left() - 0.2 && word.right() <= box.right() + 0.2;
    };
    bool name = false;
    int labels = 0;
    for (const Word& word : ReadWords(pdf, 1)) {
        if (word.text.rfind("BH-Left", 0) == 0) {
            name = true;
            EXPECT_TRUE(inField(LeftBorehole, word.box)) << word.text;
        }
        if (word.text == "1000.0" || word.text == "1060.0") {
            ++labels;
            EXPECT_TRUE(inField(Trace1, word.box)) << word.text;
        }
    }
    EXPECT_TRUE(name);
    EXPECT_EQ(labels, 2);
}

TEST_F(PrintLog, EveryTextOfTheLogPrintsWholeOffTheColumnsAndApartFromTheOthers)
{
    std::vector<TestUnit> units;
    for (int i = 1; i <= 20; ++i)
        units.push_back({3.0 * i, {{L"COAL", 100}}, L"UP-00" + std::to_wstring(i % 10)});
    FillBorehole(Hole(0), L"BH-Left", units);
    FillBorehole(Hole(1), L"BH-Right", units);
    view->m_settings.showSampleNumbers = true;
    // GR on a range of 0 to 150 in the first trace field; a curve holding no value in the second.
    TraceDefinition gr, empty, depth;
    gr.SetName("GR");
    gr.colourIndex = empty.colourIndex = 2;
    gr.maximum = 150;
    empty.SetName("EMPTY");
    empty.displayField = 2;
    empty.ownRange = true;
    depth.SetName("DEPT");
    depth.visible = false;
    auto file = std::make_unique<LasProperty>(TraceDefinitionList{gr, empty, depth});
    std::wstring error;
    ASSERT_EQ(
        file->read_bytes(
            LasText(0, 0.5, 121, {{"GR", [](int r) { return r * 1.0; }}, {"EMPTY", [](int) { return std::nan(""); }}}),
            L"gr.las", error),
        0);
    view->AttachTrace(std::move(file));

    // The default page; two page-columns beside the legend, upright and across; 1:2000, where labels
    // 5 m apart would stand 2.5 mm apart.
    PageSetupSettings& setup = view->PageSetup();
    for (int run = 0; run < 4; ++run) {
        setup.columnsPerPage = run == 1 || run == 2 ? 2 : 1;
        setup.legendPosition = run == 1 || run == 2 ? PageSetupSettings::RightOfPage : PageSetupSettings::NoLegend;
        view->SetScale(run == 3 ? 2.0 : 0.1);
        const auto orientation = run == 2 ? QPageLayout::Landscape : QPageLayout::Portrait;
        const auto pdf = Print("log" + std::to_string(run) + ".pdf", orientation);
        ASSERT_TRUE(printed);
        // Upright beside the legend too, the fields give the sample numbers room.
        EXPECT_EQ(sandbox.boxes.shown.size(), 0u) << "no room for the sample numbers";
        const double left = kEdge + layout.content.left();
        std::vector<QRectF> rulers; // the fields' bodies in every page-column: no text crosses one
        for (int column = 0; column < layout.columns; ++column)
            for (const Field& f : layout.fields)
                if (f.shown)
                    rulers.push_back(f.body.translated(left + column * layout.pageColumnWidth, kEdge));
        std::vector<Word> words;
        int rulerLabels = 0;
        for (const Word& word : ReadWords(pdf, 1)) {
            EXPECT_EQ(word.text.find("nan"), std::string::npos) << run;
            if (word.box.center().x() > kEdge + layout.usableRight ||
                word.box.top() > kEdge + layout.bodyBottom + 5 * 4)
                continue; // the legend and the title block
            words.push_back(word);
            // Inside the frame, or a depth number wholly in the page margin; off every column and plot but
            // for the end of hole, which stands in its column.
            EXPECT_TRUE(word.box.left() > left - 0.1 || (word.box.right() < left && IsNumber(word.text))) << word.text;
            EXPECT_LE(word.box.right(), kEdge + layout.usableRight + 0.1) << run << " " << word.text;
            for (const QRectF& body : rulers)
                EXPECT_TRUE(word.text == "EOH" || !body.adjusted(0.1, 0.1, -0.1, -0.1).intersects(word.box))
                    << word.text;
            // A number above the range labels is a depth number: the depth of its tick on the ruler to its right.
            if (IsNumber(word.text) && word.box.center().y() < kEdge + layout.bodyBottom + layout.tickTextOffset / 2) {
                const auto ruler =
                    std::min_element(rulers.begin(), rulers.end(), [&](const QRectF& a, const QRectF& b) {
                        return (a.left() < word.box.right() ? 1e9 : a.left()) <
                               (b.left() < word.box.right() ? 1e9 : b.left());
                    });
                const int column = static_cast<int>(std::floor((ruler->left() - left) / layout.pageColumnWidth));
                // The last number ends at the body's end, its tick at its foot.
                const double bottom = kEdge + layout.bodyBottom;
                const double y = std::fabs(word.box.bottom() - bottom) < 0.3 ? bottom : word.box.center().y();
                const double depth =
                    layout.ColumnTopDepth(layout.pages[0], column) + (y - kEdge - layout.bodyTop) * view->GetScale();
                EXPECT_NEAR(std::stod(word.text), depth, layout.ruler.step / 4) << run << " " << word.text;
                ++rulerLabels;
            }
        }
        for (std::size_t i = 0; i < words.size(); ++i)
            for (std::size_t j = i + 1; j < words.size(); ++j)
                EXPECT_FALSE(words[i].box.adjusted(0.1, 0.3, -0.1, -0.3).intersects(words[j].box))
                    << run << " " << words[i].text << " / " << words[j].text;
        auto printedWord = [&](const std::string& text) {
            return std::any_of(words.begin(), words.end(), [&](const Word& w) { return w.text == text; });
        };
        EXPECT_TRUE(printedWord("GR") && printedWord("EMPTY")) << run;
        if (run == 0) {
            EXPECT_TRUE(printedWord("UP-001") && printedWord("150.0"));
        } else if (run == 2) {
            EXPECT_TRUE(printedWord("10") && printedWord("16")) << "ruler labels of both page-columns";
        } else if (run == 3) {
            EXPECT_TRUE(printedWord("50") && !printedWord("55"));
        }
        EXPECT_GT(rulerLabels, 10) << run;
    }
}

TEST_F(PrintLog, LegendAtTheBottomSitsBesideTheTitleBlockOnEveryPage)
{
    PageSetupSettings& setup = view->PageSetup();
    setup.legendPosition = PageSetupSettings::BottomOfPage;
    setup.legendInclude = LegendUtils::AllInHole;
    const auto pdf = Print();
    ASSERT_TRUE(printed);
    for (int page = 1; page <= ReadInfo(pdf).pages; ++page) {
        const std::string text = ReadText(pdf, page);
        EXPECT_TRUE(Contains(text, "COAL") && Contains(text, "CLAYSTONE") && Contains(text, "SANDSTONE")) << page;
    }
    const PageRecord& first = layout.pages.front();
    ASSERT_EQ(first.legend.size(), 3u);
    const QRectF content = OnPaper(layout.content);
    const double top = std::min(OnPaper(layout.titleBlock).top(), content.bottom() - first.legendSize.height());
    const PageImage image = RenderPage(pdf, 1, 150);
    // The frame's top edge, and the swatches by rows: claystone (white), coal (black), sandstone.
    EXPECT_TRUE(image.Near(content.left() + 1, top, IsDark));
    const LegendStyle& style = view->PageSetup().legendStyle;
    const QPointF coal = LegendGrid::CellOrigin(style, first.grid.cellWidth, QPointF(content.left(), top), 0,
                                                first.grid.columns > 1 ? 1 : 0);
    EXPECT_EQ(first.legend[1]->name, L"COAL");
    EXPECT_TRUE(IsBlack(image.At(coal.x() + style.boxWidth / 2, coal.y() + style.boxHeight / 2)));
    EXPECT_GE(layout.content.bottom(), layout.bodyBottom + first.legendSize.height()) << "below the body";
}

TEST_F(PrintLog, LegendAtTheRightNarrowsTheLog)
{
    PageSetupSettings& setup = view->PageSetup();
    setup.legendPosition = PageSetupSettings::RightOfPage;
    setup.legendInclude = LegendUtils::AllOnPage;
    const auto pdf = Print();
    ASSERT_TRUE(printed);
    // The first page shows coal and claystone only; sandstone starts below 40 m.
    const std::string first = ReadText(pdf, 1);
    EXPECT_TRUE(Contains(first, "COAL"));
    EXPECT_FALSE(Contains(first, "SANDSTONE"));
    const PageRecord& page = layout.pages.front();
    const QRectF content = OnPaper(layout.content);
    EXPECT_NEAR(layout.usableRight, layout.content.right() - page.legendSize.width(), 1e-9);
    const double frameLeft = content.right() - page.legendSize.width();
    const PageImage image = RenderPage(pdf, 1, 150);
    EXPECT_TRUE(image.Near(frameLeft, content.top() + 30, IsDark));
    // The log ends left of the legend.
    EXPECT_LE(layout.fields[Trace3].field.right() + layout.content.left(), layout.usableRight + 1e-9);
}

TEST_F(PrintLog, LegendPagesAtTheEndHoldTheLegendInsteadOfTheLog)
{
    PageSetupSettings& setup = view->PageSetup();
    setup.legendPosition = PageSetupSettings::EndOfDocument;
    setup.legendInclude = LegendUtils::AllInHatchList;
    const auto pdf = Print();
    ASSERT_TRUE(printed);
    const int pages = ReadInfo(pdf).pages;
    ASSERT_EQ(pages, static_cast<int>(layout.pages.size()));
    ASSERT_TRUE(layout.pages.back().legendPage);
    ASSERT_FALSE(layout.pages.front().legendPage);
    const std::string last = ReadText(pdf, pages);
    EXPECT_TRUE(Contains(last, "CONGLOMERATE")) << "every rock type of the hatch list";
    EXPECT_FALSE(Contains(last, "BH-Left")) << "no log on a legend page";
    EXPECT_TRUE(Contains(last, "Page " + std::to_string(pages) + "/" + std::to_string(pages)));
    EXPECT_FALSE(Contains(ReadText(pdf, 1), "CONGLOMERATE"));

    // Swatches show the patterns of the view's configuration: conglomerate on its cream ground.
    const PageRecord& legend = layout.pages.back();
    const auto found = std::find_if(legend.legend.begin(), legend.legend.end(),
                                    [](const auto& e) { return e->name == L"CONGLOMERATE"; });
    ASSERT_NE(found, legend.legend.end());
    const LegendGrid::Cell cell = legend.grid.cells[static_cast<std::size_t>(found - legend.legend.begin())];
    const LegendStyle& style = setup.legendStyle;
    const QPointF at =
        LegendGrid::CellOrigin(style, legend.grid.cellWidth, OnPaper(layout.content).topLeft(), cell.row, cell.column);
    const PageImage image = RenderPage(pdf, pages, 150);
    auto cream = [](QRgb c) { return qRed(c) > 240 && qGreen(c) > 240 && qBlue(c) > 180 && qBlue(c) < 230; };
    EXPECT_TRUE(image.Near(at.x() + style.boxWidth / 2, at.y() + style.boxHeight / 2, cream, 8));
}

TEST_F(PrintLog, SetupsThatCannotPrintAreRefusedWithAMessage)
{
    using ORBAX_Utilities::get_message_wide;
    view->PageSetup().topMargin = 150;
    view->PageSetup().bottomMargin = 130;
    auto pdf = Print("margins.pdf");
    EXPECT_FALSE(printed);
    EXPECT_FALSE(std::filesystem::exists(pdf));
    EXPECT_EQ(MessagesShown(), std::vector<std::wstring>{get_message_wide(27163)});

    view->PageSetup().topMargin = view->PageSetup().bottomMargin = 20;
    view->PageSetup().legendPosition = PageSetupSettings::BeginningOfDocument;
    view->PageSetup().legendStyle.boxWidth = 300; // no cell fits the page
    sandbox.boxes.shown.clear();
    pdf = Print("legend.pdf");
    EXPECT_FALSE(printed);
    EXPECT_FALSE(std::filesystem::exists(pdf));
    EXPECT_EQ(MessagesShown(), std::vector<std::wstring>{get_message_wide(27161)});

    view->PageSetup().legendPosition = PageSetupSettings::NoLegend;
    Hole(0).clear();
    Hole(1).clear();
    sandbox.boxes.shown.clear();
    pdf = Print("empty.pdf");
    EXPECT_FALSE(printed);
    EXPECT_FALSE(std::filesystem::exists(pdf));
    EXPECT_EQ(MessagesShown(), std::vector<std::wstring>{get_message_wide(27164)});

    // Nothing shown still prints its one page with the title block.
    PageSetupSettings& setup = view->PageSetup();
    setup.showLeftBorehole = setup.showRightBorehole = false;
    setup.showTrace1 = setup.showTrace2 = setup.showTrace3 = false;
    pdf = Print("bare.pdf");
    EXPECT_TRUE(printed);
    EXPECT_EQ(ReadInfo(pdf).pages, 1);
    EXPECT_TRUE(Contains(ReadText(pdf), "Page 1/1"));
}

TEST_F(PrintLog, APageRangePrintsOnlyThosePages)
{
    const std::filesystem::path pdf = dir / "range.pdf";
    QPrinter printer(QPrinter::HighResolution);
    UsePdf(printer, pdf);
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(2, 2);
    ASSERT_TRUE(view->PrintLog(printer));
    EXPECT_EQ(ReadInfo(pdf).pages, 1);
    EXPECT_TRUE(Contains(ReadText(pdf), "Page 2/3"));
}

TEST_F(PrintLog, CommandsRunTheirDialogsThroughTheService)
{
    const std::filesystem::path pdf = dir / "command.pdf";
    int previewPages = -1;
    sandbox.dialogs.inspect = [&](QDialog& dialog) {
        if (auto* print = qobject_cast<QPrintDialog*>(&dialog)) {
            UsePdf(*print->printer(), pdf);
            dialog.setResult(QDialog::Accepted);
        } else if (auto* preview = dialog.findChild<QPrintPreviewWidget*>()) {
            preview->updatePreview();
            previewPages = preview->pageCount();
        }
    };
    view->OnFilePrintSetup();
    // A page range left from an earlier print does not cut the preview short.
    view->Printer().setPrintRange(QPrinter::PageRange);
    view->Printer().setFromTo(2, 2);
    view->OnFilePrintPreview();
    view->OnFilePrint();
    EXPECT_EQ(sandbox.dialogs.shown,
              (std::vector<QString>{QStringLiteral("dlgPrintSetup"), QStringLiteral("dlgPrintPreview"),
                                    QStringLiteral("dlgPrint")}));
    EXPECT_EQ(previewPages, 3) << "the preview shows the pages the print makes";
    EXPECT_EQ(ReadInfo(pdf).pages, 3);
    EXPECT_TRUE(sandbox.boxes.shown.empty());

    // Cancelled: nothing is written.
    std::filesystem::remove(pdf);
    sandbox.dialogs.inspect = nullptr;
    sandbox.dialogs.result = QDialog::Rejected;
    view->OnFilePrint();
    EXPECT_FALSE(std::filesystem::exists(pdf));

    // A setup that cannot print is told before the preview would open.
    view->PageSetup().leftMargin = 300;
    sandbox.dialogs.shown.clear();
    view->OnFilePrintPreview();
    EXPECT_TRUE(sandbox.dialogs.shown.empty());
    EXPECT_EQ(MessagesShown(), std::vector<std::wstring>{ORBAX_Utilities::get_message_wide(27162)});
}

TEST_F(PrintLog, NarrowFieldsPrintTheirDepthNumbersSmallerOrSaySoBeforePrinting)
{
    // A 600 m hole with a seam of two plies in every 18 m, clear of the page-columns' ends.
    std::vector<TestUnit> units;
    for (int i = 1; i <= 300; ++i) {
        const bool seam = i % 9 == 3 || i % 9 == 4;
        units.push_back({2.0 * i,
                         {{seam ? L"COAL" : L"SANDSTONE", 100}},
                         L"",
                         seam ? L"Main" : L"",
                         seam ? (i % 9 == 3 ? L"M1" : L"M2") : L""});
    }
    FillBorehole(Hole(0), L"BH-Left", units);
    FillBorehole(Hole(1), L"BH-Right", units);
    PageSetupSettings& setup = view->PageSetup();
    setup.columnsPerPage = 2;
    setup.legendPosition = PageSetupSettings::RightOfPage;
    setup.legendInclude = LegendUtils::AllInHatchList; // a wide legend: each field has about 10 mm
    const auto pdf = Print();
    EXPECT_TRUE(MessagesShown().empty());
    ASSERT_EQ(ReadInfo(pdf).pages, 17);
    std::map<std::string, int> labels;
    for (int page = 1; page <= 17; ++page) {
        int depths = 0;
        const std::vector<Word> words = ReadWords(pdf, page);
        for (std::size_t i = 0; i < words.size(); ++i) {
            if (IsNumber(words[i].text) && words[i].box.top() < kEdge + layout.bodyBottom && ++depths) {
                EXPECT_GT(words[i].box.height(), 1.3) << words[i].text << ": about 4 pt at least";
            }
            ++labels[words[i].text];
            for (std::size_t j = i + 1; j < words.size(); ++j) // numbers over a neighbour's margin, labels beside
                EXPECT_FALSE(words[i].box.adjusted(0.1, 0.3, -0.1, -0.3).intersects(words[j].box)) << words[i].text;
        }
        EXPECT_EQ(depths, 2 * 5 * static_cast<int>(layout.depthPerColumn / layout.ruler.step + 1)) << page;
    }
    // Each seam's name at its top and base and each ply's (the last seam, at the base, has one), beside
    // both holes: whole, or shortened.
    EXPECT_EQ(labels["M1"], 2 * 34);
    EXPECT_EQ(labels["M2"], 2 * 33);
    EXPECT_EQ(labels["Main"] + labels["Ma\u2026"] + labels["M\u2026"], 4 * 34);
    // Three page-columns leave no room for two digits (the seams are given theirs): printing asks first,
    // and No prints nothing.
    setup.columnsPerPage = 3;
    answer = ORBAX_Platform::MessageResult::No;
    EXPECT_FALSE(std::filesystem::exists(Print("three.pdf")));
    using ORBAX_Utilities::get_message_wide;
    const std::wstring told = ORBAX_Utilities::format_message1(382, get_message_wide(384));
    EXPECT_EQ(sandbox.boxes.shown.at(0).text.rfind(told, 0), 0u);
    sandbox.boxes.shown.clear();
    view->OnFilePrintPreview(); // says so and still opens
    EXPECT_EQ(MessagesShown(), std::vector<std::wstring>{told});
    EXPECT_EQ(sandbox.dialogs.shown, std::vector<QString>{QStringLiteral("dlgPrintPreview")});
}

TEST_F(PrintLog, SampleNumbersPrintWholeOrNotAtAll)
{
    std::vector<TestUnit> units;
    for (int i = 1; i <= 43; ++i)
        units.push_back({1.2 * i, {{L"COAL", 100}}, QString::asprintf("SMP-%05d", i).toStdWString()});
    FillBorehole(Hole(0), L"BH-Left", units);
    view->m_settings.showSampleNumbers = true;
    for (int run = 0; run < 3; ++run) {
        view->SetScale(run == 1 ? 0.2 : 0.1);
        // Two page-columns beside the legend: the fields give them room, narrowing the columns.
        view->PageSetup().columnsPerPage = run == 2 ? 2 : 1;
        view->PageSetup().legendPosition = run == 2 ? PageSetupSettings::RightOfPage : PageSetupSettings::NoLegend;
        const auto pdf = Print();
        std::set<std::string> samples;
        for (int page = 1; page <= ReadInfo(pdf).pages; ++page)
            for (const Word& word : ReadWords(pdf, page))
                if (std::regex_search(word.text, std::regex("^S(MP|\u2026)")) && samples.insert(word.text).second) {
                    EXPECT_TRUE(std::regex_match(word.text, std::regex("SMP-000[0-4][0-9]"))) << word.text;
                }
        EXPECT_EQ(samples.size(), 43u) << run;
        EXPECT_TRUE(MessagesShown().empty()) << run;
    }
}

TEST_F(PrintLog, RangeValuesReadAsTheValuesInNarrowFields)
{
    TraceDefinition curves, depth; // DEN and ILD in the first field, each on its own data range
    curves.SetName("DEN|ILD");
    curves.ownRange = true;
    depth.SetName("DEPT");
    depth.visible = false;
    auto file = std::make_unique<LasProperty>(TraceDefinitionList{curves, depth});
    const std::string las =
        LasText(0, 0.5, 100,
                {{"DEN", [](int r) { return 1.93 + r * 0.0094; }}, {"ILD", [](int r) { return 3.4 + r * 0.4424; }}});
    std::wstring error;
    ASSERT_EQ(file->read_bytes(las, L"traces.las", error), 0);
    view->AttachTrace(std::move(file));
    view->PageSetup().legendPosition = PageSetupSettings::RightOfPage;
    view->PageSetup().legendInclude = LegendUtils::AllInHatchList;
    // Smaller first, then the mnemonics give way; a value never loses a digit that changes it.
    for (int columns : {2, 3}) {
        view->PageSetup().columnsPerPage = columns;
        const auto pdf = Print();
        int values = 0;
        for (const Word& word : ReadWords(pdf, 1))
            if (IsNumber(word.text) && std::fabs(word.box.top() - kEdge - layout.bodyBottom - 5) < 5 && ++values) {
                const double v = std::stod(word.text); // within the precision of one of the four ends
                EXPECT_LE(std::min({fabs(v - 1.93), fabs(v - 2.8606), fabs(v - 3.4), fabs(v - 47.198)}), 0.05) << v;
            }
        EXPECT_EQ(values, 4 * columns) << columns;
        EXPECT_EQ(Contains(ReadText(pdf, 1), "DEN"), columns == 2);
    }
}

TEST_F(PrintLog, TitleTextsStandWholeInTheirCellsTheirNumbersNeverCut)
{
    Hole(0).name = L"Northern Extension Borehole NE-2024-117 Deep";
    Hole(1).name = L"Southern Extension Borehole SE-2024-118 Shallow Twin";
    PageSetupSettings& setup = view->PageSetup();
    setup.topText = L"%l and %r - Scale %s";
    setup.middleText = L"Geological log of the northern pit prepared for the annual resource review of the year";
    setup.rightText = L"%n";
    for (double scale : {1.0, 20.0}) {
        view->SetScale(scale);
        const auto pdf = Print("title.pdf", scale > 1 ? QPageLayout::Portrait : QPageLayout::Landscape);
        EXPECT_TRUE(printed && MessagesShown().empty());
        const QRectF title = OnPaper(layout.titleBlock);
        std::string line;
        for (const Word& word : ReadWords(pdf, 1))
            if (title.contains(word.box.center())) {
                line += word.text + " ";
                EXPECT_TRUE(title.adjusted(0.5, 0, -0.5, 0).contains(word.box)) << word.text;
            }
        EXPECT_TRUE(Contains(line, scale > 1 ? "- Scale 1:20000 " : "- Scale 1:1000 ")) << line;
        EXPECT_TRUE(Contains(line, "\u2026")) << "the names shortened: " << line;
    }
    // A text of numbers alone that cannot stand even at the smallest size is told, and left out.
    setup.rightText = L"%d %d %d %d %d %d %d %d";
    const auto pdf = Print("dates.pdf");
    EXPECT_TRUE(Contains(Told(0), Message(389)));
    const QRectF title = OnPaper(layout.titleBlock);
    const QRectF right(title.center().x(), title.bottom() - title.height() / 3, title.width() / 2, title.height() / 3);
    for (const Word& word : ReadWords(pdf, 1))
        EXPECT_FALSE(right.contains(word.box.center())) << word.text;
}

TEST_F(PrintLog, TypedTitleTextsThatCannotStandWholeAreToldNamesKeepTheirEnds)
{
    Hole(0).name = L"Northern_exploration_licence_NX-0042";
    view->PageSetup().rightText = L"%l";
    view->PageSetup().middleText =
        L"Log of the northern licence with the seams, plies and core recovered, the sampling "
        L"summary, approved by the chief geologist on behalf of the operator for the annual "
        L"resource statement, with the assays of every seam and ply by the laboratory";
    const auto pdf = Print("title.pdf");
    ASSERT_TRUE(MessagesShown().size() == 1 && Contains(Told(0), Message(389))) << "a shortened typed text is told";
    std::string middle;
    int names = 0; // the name shortened in its middle in its half of the title block
    for (const Word& word : ReadWords(pdf, 1)) {
        if (std::abs(word.box.center().y() - OnPaper(layout.titleBlock).center().y()) < 1)
            middle += word.text + " ";
        names += Contains(word.text, "\u2026") && Contains(word.text, "_NX-0042");
    }
    EXPECT_EQ(names, 1);
    EXPECT_TRUE(Contains(middle, "\u2026")) << middle;
}

TEST_F(PrintLog, SampleNumbersStandNearTheirSamplesOrAreToldAsLeftOut)
{
    // A 600 m hole of 95 samples: 14 of 4 m, 20 of 0.3 m from 115 m, 16 of 2.76 m, then every 9.6 m.
    std::vector<TestUnit> units;
    std::vector<std::pair<double, double>> spans; // each sample's top and base
    auto sample = [&](double top, double base) {
        if (top > (units.empty() ? 0 : units.back().bottom))
            units.push_back({top, {{L"SANDSTONE", 100}}});
        units.push_back({base, {{L"COAL", 100}}, QString::asprintf("SMP-%05d", int(spans.size()) + 1).toStdWString()});
        spans.emplace_back(top, base);
    };
    for (int k = 0; k < 95; ++k) {
        const double top = k < 14   ? 6 + 7.5 * k
                           : k < 34 ? 115 + 0.3 * (k - 14)
                           : k < 50 ? 121 + 2.76 * (k - 34)
                                    : 9.6 * k - 308.24;
        sample(top, top + (k < 14 ? 4 : k < 34 ? 0.3 : k < 50 ? 2.76 : 3));
    }
    units.push_back({600, {{L"CLAYSTONE", 100}}});
    FillBorehole(Hole(0), L"BH-600", units);
    view->m_settings.showSampleNumbers = true;
    view->PageSetup().showRightBorehole = false;
    // On one page-column and on several: each prints near its sample, or is named, and only then.
    for (const auto& [scale, columns] : {std::pair{1.0, 1}, {20.0, 1}, {1.0, 2}, {1.0, 4}}) {
        view->SetScale(scale);
        view->PageSetup().columnsPerPage = columns;
        const auto pdf = Print("crowded.pdf");
        const std::string told = Told(0); // which are left out
        std::set<std::string> printed;
        for (int page = 1; page <= ReadInfo(pdf).pages; ++page)
            for (const Word& word : ReadWords(pdf, page)) {
                if (word.text.rfind("SMP-", 0) != 0)
                    continue;
                printed.insert(word.text);
                const auto [top, base] = spans[std::stoi(word.text.substr(4)) - 1];
                const int column =
                    static_cast<int>((word.box.left() - kEdge - layout.content.left()) / layout.pageColumnWidth);
                const double pageTop = layout.ColumnTopDepth(layout.pages[page - 1], column);
                const double y = word.box.center().y() - kEdge - layout.bodyTop;
                EXPECT_LT(std::max({0.0, top - pageTop - y * scale, pageTop + y * scale - base}),
                          2 * labelHeight * scale)
                    << word.text << " stands within two label heights of its sample";
                EXPECT_LE(word.box.bottom(), kEdge + layout.bodyBottom) << word.text;
                EXPECT_FALSE(Contains(told, word.text)) << word.text << " printed and told";
            }
        std::smatch others;
        const std::regex name("SMP-\\d{5}");
        const auto named = std::distance(std::sregex_iterator(told.begin(), told.end(), name), {});
        const bool more = std::regex_search(told, others, std::regex(" and (\\d+) others"));
        EXPECT_EQ(printed.size() + named + (more ? std::stoul(others[1]) : 0), 95u) << columns << told;
        if (scale > 1 || columns > 1)
            continue;
        const PageImage image = RenderPage(pdf, 1, 600); // the thin samples' leaders: apart halfway along
        int dark = 0;
        for (double y = DepthOnPaper(105).second; y < DepthOnPaper(131).second; y += 0.05)
            dark += IsDark(image.At(BodyX(LeftBorehole, 1) + 2, y));
        EXPECT_LT(dark, 260) << "dark along less than half of 26 mm";
    }
    // On screen no number stands where the view cannot scroll to it: none below the hole and its reach.
    view->SetScale(20.0);
    const QImage screen = Render();
    const QRectF& column = view->Layout().leftColumn;
    for (double y = column.top() + (600 + 300) / 20.0; y < column.bottom(); y += 0.5)
        ASSERT_FALSE(IsDark(screen.pixel(Pixel(column.right() + 7, y)))) << y;
}

TEST_F(PrintLog, SeamAndPlyLabelsStandNearTheirSeamsOrAreToldAsLeftOut)
{
    // Three seams of two plies in 70 m at 1:20000 (3.5 mm): the twelve labels cannot all stand near.
    std::vector<TestUnit> units;
    for (const auto& [seam, top] : {std::pair{L"Upper", 12.0}, {L"Main", 30.4}, {L"Lower", 54.0}}) {
        units.push_back({top, {{L"SHALE", 100}}});
        units.push_back({top + 0.9, {{L"COAL", 100}}, L"", seam, std::wstring(seam, 1) + L"1"});
        units.push_back({top + 2.3, {{L"COAL", 100}}, L"", seam, std::wstring(seam, 1) + L"2"});
    }
    units.push_back({70, {{L"SANDSTONE", 100}}});
    FillBorehole(Hole(0), L"BH-Seams", units);
    view->SetScale(20.0);
    const auto pdf = Print("seams.pdf");
    ASSERT_EQ(MessagesShown().size(), 1u);
    EXPECT_TRUE(Contains(Told(0), Utf8(ORBAX_Utilities::format_message1(393, L""))));
    int shown = 0;
    for (const Word& word : ReadWords(pdf, 1))
        if (std::regex_match(word.text, std::regex("Upper|Main|Lower|[UML][12]")) && ++shown) {
            EXPECT_LT(word.box.center().y(), DepthOnPaper(70).second + 2 * labelHeight) << word.text;
            EXPECT_FALSE(word.text.size() == 2 && Contains(Told(0), word.text)) << word.text << " printed and told";
        }
    EXPECT_GT(shown, 1);
    // On screen nothing is carried below the hole and its reach, where the view cannot scroll.
    const QImage screen = Render();
    const QRectF& column = view->Layout().leftColumn;
    for (double y = column.top() + 70 / 20.0 + 3 * labelHeight; y < column.bottom(); y += 0.5)
        ASSERT_FALSE(IsDark(screen.pixel(Pixel(column.right() + 5, y)))) << y;
}

TEST_F(PrintLog, LastDepthNumbersReadAsTheirTicksClearOfTheRangeValues)
{
    // Eight curves in the first trace field; all but one hidden until the last round, whose rows of
    // range values leave the last depth number no room below the plot.
    TraceDefinitionList definitions(9);
    std::vector<LasCurve> curves;
    for (int k = 0; k < 8; ++k) {
        definitions[k].SetName("C" + std::to_string(k));
        definitions[k].displayField = 1;
        definitions[k].ownRange = true;
        curves.push_back({"C" + std::to_string(k), [k](int r) { return 10.0 * k + r; }});
    }
    definitions[8].SetName("DEPT");
    definitions[8].visible = false;
    auto file = std::make_unique<LasProperty>(definitions);
    std::wstring error;
    ASSERT_EQ(file->read_bytes(LasText(0, 0.5, 121, curves), L"c.las", error), 0);
    LasProperty& traces = *file;
    view->AttachTrace(std::move(file));
    for (const auto& [scale, rows] : std::vector<std::pair<double, int>>{{0.02, 1}, {1, 1}, {20, 1}, {1, 8}}) {
        view->SetScale(scale);
        for (int k = 1; k < 8; ++k)
            traces.curves()[k].visible = rows == 8;
        const auto pdf = Print();
        const double spacing = layout.ruler.halfStep / scale, bottom = kEdge + layout.bodyBottom;
        for (int f : {int(LeftBorehole), int(Trace1)}) {
            const double ruler = kEdge + layout.content.left() + layout.fields[f].body.left();
            double lowest = 0, values = 1e9; // the last depth number's foot, the range values' head
            for (const Word& word : ReadWords(pdf, FirstLogPage() + 1)) {
                const QRectF& box = word.box;
                if (!IsNumber(word.text) || box.right() > ruler + 0.5 || box.right() < ruler - 12)
                    continue;
                if (box.center().y() > bottom + layout.tickTextOffset) {
                    values = std::min(values, box.top());
                    continue;
                }
                const double tick = kEdge + layout.bodyTop + std::stod(word.text) / scale;
                EXPECT_LT(std::abs(box.center().y() - tick), spacing / 2) << word.text << " at 1:" << scale * 1000;
                lowest = std::max(lowest, box.bottom());
            }
            EXPECT_LE(lowest, values + 0.1) << "1:" << scale * 1000 << " with " << rows << " rows";
        }
    }
}

TEST_F(PrintLog, PreviewPrintAsksAndDepthsRangesAndEndOfHoleReadApart)
{
    TraceDefinition gr, depth;
    gr.SetName("GR");
    gr.displayField = 1;
    gr.ownRange = true;
    depth.SetName("DEPT");
    depth.visible = false;
    auto file = std::make_unique<LasProperty>(TraceDefinitionList{gr, depth});
    std::wstring error;
    ASSERT_EQ(file->read_bytes(LasText(0, 0.5, 121, {{"GR", [](int r) { return r * 0.5; }}}), L"gr.las", error), 0);
    view->AttachTrace(std::move(file));
    // Three page-columns beside a wide legend: no room for some depth numbers, and a narrow column.
    PageSetupSettings& setup = view->PageSetup();
    setup.columnsPerPage = 3;
    setup.legendPosition = PageSetupSettings::RightOfPage;
    setup.legendInclude = LegendUtils::AllInHatchList;
    const auto pdf = Print();
    ASSERT_TRUE(printed);
    int ends = 0; // "EOH" whole: inside its narrow column, or at 4 pt (about 3 mm) where that is too narrow
    for (int page = 1; page <= ReadInfo(pdf).pages; ++page) {
        for (const Word& word : ReadWords(pdf, page)) {
            if (word.text == "EOH" && ++ends) {
                EXPECT_LE(word.box.width(), std::max(layout.fields[LeftBorehole].body.width(), 3.3));
            }
        }
    }
    EXPECT_EQ(ends, 2);
    // The last depth number of the trace field stands above the range value under it.
    const QRectF field = layout.fields[Trace1].field.translated(kEdge + layout.content.left(), kEdge);
    double lowest = 0, value = 1e9; // the last depth number's foot, the range value's head
    for (const Word& word : ReadWords(pdf, 1))
        if (field.contains(word.box.center()) && IsNumber(word.text)) {
            if (word.box.top() < kEdge + layout.bodyBottom - 0.5)
                lowest = std::max(lowest, word.box.bottom());
            else
                value = std::min(value, word.box.top());
        }
    EXPECT_LE(lowest, value + 0.2);

    // The preview's own print button prints on the printer: it asks first, and No prints nothing.
    const std::filesystem::path previewed = dir / "previewed.pdf";
    UsePdf(view->Printer(), previewed);
    sandbox.dialogs.inspect = [&](QDialog& dialog) {
        if (auto* preview = dialog.findChild<QPrintPreviewWidget*>())
            preview->print();
    };
    sandbox.boxes.answers = {ORBAX_Platform::MessageResult::Ok, ORBAX_Platform::MessageResult::No};
    sandbox.boxes.shown.clear();
    view->OnFilePrintPreview();
    EXPECT_TRUE(Contains(Told(1), Message(383))) << "told before the preview, asked before printing";
    EXPECT_FALSE(std::filesystem::exists(previewed));
}

TEST_F(PrintLog, TextsKeepClearOfTheFrameTheNextRulerAndTheEndOfTheHole)
{
    // 80 samples of 0.1 m at the end of a 600 m hole, long-named seams above; ILD (to 50) in the last
    // field, at the frame.
    std::vector<TestUnit> units;
    for (int k = 0; k < 80; ++k)
        units.push_back({150.0 + 3.75 * k,
                         {{k % 2 ? L"COAL" : L"SHALE", 100}},
                         L"",
                         k % 2 ? L"Northern_Extension_Seam_" + std::to_wstring(k / 16) : L""});
    for (int k = 0; k <= 80; ++k)
        units.push_back({592 + 0.1 * k, {{L"COAL", 100}}, k ? QString::asprintf("E-%05d", k).toStdWString() : L""});
    FillBorehole(Hole(0), L"BH-600", units);
    auto file = std::make_unique<LasProperty>(tables.traceDefinitions);
    std::wstring error;
    ASSERT_EQ(file->read_bytes(LasText(0, 1, 601, {{"ILD", [](int r) { return r % 18; }}}), L"ild.las", error), 0);
    view->AttachTrace(std::move(file));
    view->SetScale(1.0);
    for (bool samples : {true, false}) {
        view->m_settings.showSampleNumbers = samples;
        const auto pdf = Print("clear.pdf", samples ? QPageLayout::Portrait : QPageLayout::Landscape);
        const auto [endPage, endY] = DepthOnPaper(600);
        const QRectF frame = OnPaper(layout.content);
        for (int page = 1; page <= ReadInfo(pdf).pages; ++page) {
            const std::vector<Word> words = ReadWords(pdf, page);
            for (const Word& word : words) {
                const bool inFrame = word.box.center().y() > frame.top() && word.box.center().y() < frame.bottom();
                EXPECT_TRUE(!inFrame || word.box.right() < frame.right() - 0.45) << word.text;
                const bool sample = word.text.rfind("E-", 0) == 0;
                EXPECT_TRUE(!sample || page < endPage || word.box.center().y() <= endY) << word.text << " below";
                if (word.text.rfind("N", 0) != 0)
                    continue;
                for (const Word& number : words) // a seam and a depth number in one row stay a space apart
                    EXPECT_FALSE(IsNumber(number.text) && number.box.left() > word.box.left() &&
                                 number.box.adjusted(-0.8, 0.3, 0, -0.3).intersects(word.box))
                        << word.text << " " << number.text;
            }
        }
    }
}

TEST_F(PrintLog, EndOfHoleLegendNamesBracketsAndSideMarginsMissNothingOnPaper)
{
    // Every "EOH" inside the frame, its word and its stem printed: also at a page-column's foot, below
    // which the body ends, and above a legend at the bottom; no wider than its column, and at its full
    // size where the column is wide.
    auto endsShow = [&](const std::filesystem::path& pdf, bool wide) {
        const QRectF frame = OnPaper(layout.content);
        double legendTop = frame.bottom();
        for (const PageRecord& page : layout.pages)
            if (view->PageSetup().legendPosition == PageSetupSettings::BottomOfPage && !page.legend.empty())
                legendTop = std::min(legendTop, frame.bottom() - page.legendSize.height());
        int ends = 0;
        for (int page = 1; page <= ReadInfo(pdf).pages; ++page) {
            const PageImage image = RenderPage(pdf, page, 300);
            for (const Word& word : ReadWords(pdf, page)) {
                if (word.text != "EOH" || !++ends)
                    continue;
                const QPointF c = word.box.center();
                EXPECT_TRUE(frame.contains(word.box) && word.box.bottom() < legendTop) << page << " " << c.y();
                EXPECT_LE(word.box.width(), layout.fields[LeftBorehole].body.width()) << page;
                EXPECT_TRUE(!wide || word.box.height() > 0.9 * labelHeight) << page;
                bool inked = false; // the word's letters
                for (double x = word.box.left(); x < word.box.right(); x += 0.1)
                    inked = inked || image.Near(x, c.y(), IsDark, 1);
                EXPECT_TRUE(inked && image.Near(c.x(), word.box.top() - 1, IsDark)) << page << " " << c.y();
            }
        }
        return ends;
    };
    Hole(1).clear();
    FillBorehole(Hole(0), L"BH-18", {{10, {{L"SANDSTONE", 100}}}, {18, {{L"COAL", 100}}, L"", L"Upper", L"U1"}});
    EXPECT_EQ(endsShow(Print("eoh18.pdf"), true), 1);
    EXPECT_DOUBLE_EQ(layout.depthPerColumn, 18); // the hole ends at the page-column's foot
    view->PageSetup().columnsPerPage = 4;        // columns narrowed for their labels
    EXPECT_GE(endsShow(Print("eoh4.pdf"), false), 1);
    view->PageSetup().columnsPerPage = 1;
    view->PageSetup().legendPosition = PageSetupSettings::BottomOfPage;
    view->PageSetup().legendInclude = LegendUtils::AllInHatchList; // leaving the body a line above it
    view->SetScale(0.085);
    for (QPageLayout::Orientation orientation : {QPageLayout::Landscape, QPageLayout::Portrait}) {
        FillBorehole(Hole(0), L"BH-3", {{3, {{L"COAL", 100}}}});
        Print("legend.pdf", orientation);
        FillBorehole(Hole(0), L"BH-10",
                     {{0.6 * layout.depthPerColumn, {{L"SANDSTONE", 100}}}, {layout.depthPerColumn, {{L"COAL", 100}}}});
        EXPECT_EQ(endsShow(Print("eoh10.pdf", orientation), true), 1) << orientation;
    }
    view->SetScale(0.1);

    // A legend name of 69 letters on a narrow page: shortened in its middle and told, at every place.
    const std::wstring name(69, L'W');
    FillBorehole(Hole(0), L"BH-W", {{5, {{name, 100}}}, {9, {{L"COAL", 100}}}});
    view->PageSetup().leftMargin = 50.2f; // a cell as wide as the page, rounded up, once did not fit it
    view->PageSetup().rightMargin = 50;
    view->PageSetup().legendInclude = LegendUtils::AllInHole;
    for (int position : {PageSetupSettings::BottomOfPage, PageSetupSettings::RightOfPage,
                         PageSetupSettings::BeginningOfDocument, PageSetupSettings::EndOfDocument}) {
        view->PageSetup().legendPosition = position;
        const auto pdf = Print("long.pdf");
        ASSERT_TRUE(printed) << position;
        EXPECT_TRUE(Contains(Told(0), Message(394))) << position;
        int shortened = 0;
        for (int page = 1; page <= ReadInfo(pdf).pages; ++page)
            for (const Word& word : ReadWords(pdf, page))
                shortened +=
                    std::regex_match(word.text, std::regex("W+\u2026W+")) && OnPaper(layout.content).contains(word.box);
        EXPECT_GE(shortened, 1) << position;
    }

    // A sample number with no room beside its column is left out, and so are the brackets only it had.
    view->PageSetup() = PageSetupSettings();
    view->PageSetup().columnsPerPage = 3;
    view->m_settings.showSampleNumbers = true;
    const std::wstring wide = L"LONGSAMPLENUMBER-00000000000000000002";
    FillBorehole(Hole(0), L"BH-S",
                 {{4, {{L"SANDSTONE", 100}}},
                  {5, {{L"COAL", 100}}, L"S-1"},
                  {7, {{L"SHALE", 100}}},
                  {8, {{L"COAL", 100}}, wide},
                  {12, {{L"SHALE", 100}}}});
    const auto samples = Print("samples.pdf");
    EXPECT_TRUE(Contains(Told(0), Utf8(wide)));
    const PageImage image = RenderPage(samples, 1, 300);
    auto bracket = [&](double depth) {
        return image.Near(BodyX(LeftBorehole, 1) + 0.3, DepthOnPaper(depth).second, IsDark); // clear of the column
    };
    EXPECT_TRUE(bracket(4) && bracket(5));
    EXPECT_FALSE(bracket(7) || bracket(8));

    // Side margins that leave the title block too narrow are told so.
    view->PageSetup().leftMargin = view->PageSetup().rightMargin = 90;
    EXPECT_FALSE(std::filesystem::exists(Print("narrow.pdf")));
    EXPECT_EQ(MessagesShown(), std::vector<std::wstring>{ORBAX_Utilities::get_message_wide(27162)});
}

// A hole that ends at the foot of a page-column prints its end there, below the foot, and not again at
// the top of the next page-column: on the same page, or on the next where a longer hole beside it goes on.
TEST_F(PrintLog, AnEndAtAPageColumnsFootPrintsOnceBelowIt)
{
    for (const auto& [ratio, columns, beside] :
         {std::tuple{100, 6, false}, {100, 1, true}, {20, 6, true}, {20000, 3, true}}) {
        view->SetScale(ratio / 1000.0);
        view->PageSetup().columnsPerPage = columns;
        Print("probe.pdf");
        const double D = layout.depthPerColumn, foot = kEdge + layout.bodyTop + D / view->GetScale();
        FillBorehole(Hole(0), L"BH-A", {{0.6 * D, {{L"SANDSTONE", 100}}}, {D, {{L"COAL", 100}}}});
        FillBorehole(Hole(1), L"BH-B",
                     beside ? std::vector<TestUnit>{{7.5 * D, {{L"COAL", 100}}}} : std::vector<TestUnit>{});
        const auto pdf = Print();
        int ends = 0;
        for (int page = 1; page <= ReadInfo(pdf).pages; ++page)
            for (const Word& word : ReadWords(pdf, page))
                if (word.text == "EOH" && ++ends == 1) { // the first hole's, just below the first page-column's foot
                    EXPECT_TRUE(page == 1 && word.box.top() > foot + EndMarkStem - 0.5 &&
                                word.box.bottom() < foot + EndMarkStem + labelHeight &&
                                word.box.right() < kEdge + layout.content.left() + layout.pageColumnWidth)
                        << ratio << " " << word.box.top();
                }
        EXPECT_EQ(ends, beside ? 2 : 1) << ratio << " " << columns;
    }
}
