// Drawing a legend into an image and probing it where the grid's geometry puts boxes and names.
#include <gtest/gtest.h>

#include <cmath>

#include "config/Quor_Log_Config.h"
#include "printsetup/legend/LegendGrid.h"
#include "printsetup/legend/LegendStyle.h"
#include "tests/support/PaintSupport.h"

using namespace LegendUtils;

namespace {

constexpr double kPixelsPerMm = 10.0;
constexpr QRgb kBackground = 0xFF808080u;
constexpr QRgb kRed = 0xFFFF0000u;
constexpr QRgb kBlue = 0xFF0000FFu;
constexpr QRgb kWhite = 0xFFFFFFFFu;
constexpr QRgb kBlack = 0xFF000000u;

QPoint Pixel(double xMm, double yMm)
{
    return QPoint(static_cast<int>(std::floor(xMm * kPixelsPerMm)), static_cast<int>(std::floor(yMm * kPixelsPerMm)));
}

QRgb At(const QImage& image, double xMm, double yMm) { return image.pixel(Pixel(xMm, yMm)); }

bool AnyDark(const QImage& image, const QRectF& mm)
{
    const QPoint from = Pixel(mm.left(), mm.top());
    const QPoint to = Pixel(mm.right(), mm.bottom());
    for (int y = from.y(); y < to.y(); ++y)
        for (int x = from.x(); x < to.x(); ++x)
            if (qGray(image.pixel(x, y)) < 100)
                return true;
    return false;
}

class LegendDraw : public ::testing::Test {
protected:
    void SetUp() override
    {
        PaintTest::EnsureGuiApplication();
        entries.push_back(Make(L"Sandstone", HatchListEntry(HatchListEntry::Inbuilt, L"Red", L"Sandstone"), tables));
        entries.push_back(Make(L"Coal", HatchListEntry(HatchListEntry::Inbuilt, L"blue", L"Coal"), tables));
        entries.push_back(Make(L"Unlisted", std::nullopt, tables));
    }

    static LegendItemPtr Make(const std::wstring& name, std::optional<HatchListEntry> hatch,
                              ConfigurationTables& tables)
    {
        auto entry = MakeLegendItemDetails();
        entry->name = name;
        if (hatch) {
            HatchListEntry::Resolve(tables.bitmaps, *hatch, tables.vectors, tables.inbuilts, true);
            entry->hatchEntry = hatch;
        }
        // Drawn with the configuration's patterns, as a legend's entries are.
        LegendItems drawn{entry};
        DrawWithTables(drawn, tables);
        return drawn.front();
    }

    QImage Render(const std::function<void(ORBAX_Platform::Graphics&)>& draw)
    {
        QImage image = PaintTest::MakeCanvas(1200, 800, kPixelsPerMm, kBackground);
        QPainter painter(&image);
        ORBAX_Platform::Graphics graphics(painter);
        draw(graphics);
        return image;
    }

    ConfigurationTables tables;
    LegendItems entries;
    LegendStyle style;
    const QPen boxPen = QPen(QBrush(Qt::black), 0.3);
    const QBrush text = QBrush(Qt::black);
};

TEST_F(LegendDraw, CellWidthIsTheWidestNameBesideItsBox)
{
    QImage probe = PaintTest::MakeCanvas(10, 10, kPixelsPerMm);
    QPainter painter(&probe);
    ORBAX_Platform::Graphics graphics(painter);
    const float widest = std::max({style.MeasureName(graphics, L"Sandstone"), style.MeasureName(graphics, L"Coal"),
                                   style.MeasureName(graphics, L"Unlisted")});
    EXPECT_GT(style.MeasureName(graphics, L"Sandstone"), style.MeasureName(graphics, L"Coal"));
    // A 10 pt name is a few millimetres per letter, not pixels.
    EXPECT_GT(widest, 9.0f);
    EXPECT_LT(widest, 40.0f);
    EXPECT_FLOAT_EQ(style.MeasureCellWidth(graphics, entries, 0.0f), style.boxWidth + style.spacing + widest);
    EXPECT_FLOAT_EQ(style.MeasureCellWidth(graphics, entries, 80.0f), 80.0f);
    EXPECT_FLOAT_EQ(style.MeasureCellWidth(graphics, LegendItems(), 0.0f), 0.0f);
    LegendGrid grid = LegendGrid::Compute(style, graphics, entries, 200.0f, 0.0f);
    EXPECT_FLOAT_EQ(grid.cellWidth, style.boxWidth + style.spacing + widest);
}

TEST_F(LegendDraw, ByColumnsPutsSwatchesAndNamesInTheirCells)
{
    const QPointF origin(10, 15);
    LegendGrid grid;
    QImage image = Render([&](ORBAX_Platform::Graphics& graphics) {
        grid = LegendGrid::Compute(style, graphics, entries, 20.0f, 0.0f); // two rows
        grid.DrawByColumns(style, graphics, entries, origin, boxPen, text);
    });
    ASSERT_EQ(grid.rows, 2u);
    ASSERT_EQ(grid.columns, 2u);
    const double w = grid.cellWidth;
    // Entry 0 at row 0, entry 1 below it, entry 2 at the top of the second column.
    const QPointF cell0(origin.x() + 2, origin.y() + 2);
    const QPointF cell1(cell0.x(), cell0.y() + 10);
    const QPointF cell2(cell0.x() + w + 2, cell0.y());

    EXPECT_EQ(At(image, cell0.x() + 2, cell0.y() + 6), kRed);
    EXPECT_EQ(At(image, cell1.x() + 2, cell1.y() + 6), kBlue);
    // No hatch entry: white with red diagonals.
    EXPECT_EQ(At(image, cell2.x() + 4, cell2.y() + 1), kWhite);
    EXPECT_TRUE(PaintTest::ColourNear(image, Pixel(cell2.x() + 4, cell2.y() + 4).x(),
                                      Pixel(cell2.x() + 4, cell2.y() + 4).y(), kRed, 2));
    // Boxes are outlined.
    EXPECT_EQ(At(image, cell0.x(), cell0.y() + 4), kBlack);
    EXPECT_EQ(At(image, cell1.x() + 4, cell1.y() + 8), kBlack);
    // The gap between the two rows and the margin above the legend stay untouched.
    EXPECT_EQ(At(image, cell0.x() + 4, cell0.y() + 9), kBackground);
    EXPECT_EQ(At(image, cell0.x() + 4, origin.y() + 1), kBackground);
    // Names are written right of their boxes, inside their cells.
    EXPECT_TRUE(AnyDark(image, QRectF(cell0.x() + 10, cell0.y(), w - 10, 8)));
    EXPECT_TRUE(AnyDark(image, QRectF(cell1.x() + 10, cell1.y(), w - 10, 8)));
    EXPECT_TRUE(AnyDark(image, QRectF(cell2.x() + 10, cell2.y(), w - 10, 8)));
    EXPECT_FALSE(AnyDark(image, QRectF(cell1.x() + w + 2.5, cell1.y(), 10, 8)));
}

TEST_F(LegendDraw, ByRowsAndInExplicitCells)
{
    const QPointF origin(5, 5);
    LegendGrid grid;
    QImage image = Render([&](ORBAX_Platform::Graphics& graphics) {
        grid =
            style.FitToWidth(graphics, entries, 2 * 2 + 2 * style.MeasureCellWidth(graphics, entries, 0) + 2.01f, 0.0f);
        grid.DrawByRows(style, graphics, entries, origin, boxPen, text);
    });
    ASSERT_EQ(grid.columns, 2u);
    ASSERT_EQ(grid.rows, 2u);
    const double w = grid.cellWidth;
    EXPECT_EQ(At(image, origin.x() + 4, origin.y() + 6), kRed);
    // The second entry is beside the first, the third below it.
    EXPECT_EQ(At(image, origin.x() + 2 + w + 2 + 2, origin.y() + 6), kBlue);
    EXPECT_EQ(At(image, origin.x() + 2 + 4, origin.y() + 12 + 1), kWhite);
    // The widest name ends inside its cell: the gap after the first column stays clear.
    EXPECT_TRUE(AnyDark(image, QRectF(origin.x() + 2 + 10, origin.y() + 2, w - 10, 8)));
    EXPECT_FALSE(AnyDark(image, QRectF(origin.x() + 2 + w + 0.2, origin.y() + 2, 1.4, 8)));

    // Explicit cells: entry i where its cell says, and only as many entries as there are cells.
    LegendGrid placed;
    placed.explicitCells = true;
    placed.cellWidth = 30.0f;
    placed.cells = {{3, 1}, {0, 0}};
    image = Render(
        [&](ORBAX_Platform::Graphics& graphics) { placed.Draw(style, graphics, entries, origin, boxPen, text); });
    const QPointF first = LegendGrid::CellOrigin(style, 30.0f, origin, 3, 1);
    EXPECT_DOUBLE_EQ(first.x(), 5 + 2 + 32);
    EXPECT_DOUBLE_EQ(first.y(), 5 + 2 + 30);
    EXPECT_EQ(At(image, first.x() + 4, first.y() + 6), kRed);
    EXPECT_EQ(At(image, origin.x() + 2 + 4, origin.y() + 2 + 6), kBlue);
    // The third entry has no cell and is not drawn anywhere.
    int white = 0;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            white += image.pixel(x, y) == kWhite;
    EXPECT_EQ(white, 0);
}

TEST_F(LegendDraw, SwatchOfAMissingPatternShowsItAsUnknown)
{
    // A hatch entry whose pattern left the tables (its id is no longer there) draws the white
    // placeholder, never a stale pattern.
    auto entry = Make(L"Ghost", HatchListEntry(HatchListEntry::Bitmap, L"gone", L"Ghost"), tables);
    entry->hatchEntry->patternId = 4242;
    QImage image =
        Render([&](ORBAX_Platform::Graphics& graphics) { entry->DrawSwatch(graphics, QRectF(10, 10, 20, 20)); });
    EXPECT_EQ(At(image, 11, 11), kWhite);
}

} // namespace
