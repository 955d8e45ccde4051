#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include <QColor>
#include <QFontMetricsF>

#include "platform/qt/Graphics.h"
#include "tests/docview/view/ViewTestSupport.h"

using namespace ViewTest;

namespace {

bool IsBlack(QRgb c) { return qGray(c) < 60; }
// Thin lines drawn smooth come out grey.
bool IsDark(QRgb c) { return qGray(c) < 200; }
bool IsWhite(QRgb c) { return qRed(c) > 240 && qGreen(c) > 240 && qBlue(c) > 240; }
bool IsRed(QRgb c) { return qRed(c) > 180 && qGreen(c) < 120 && qBlue(c) < 120; }
// The selection colour, half-transparent magenta, over white.
bool IsSelection(QRgb c) { return qRed(c) > 220 && qBlue(c) > 220 && qGreen(c) > 90 && qGreen(c) < 170; }

class BoreholeDrawing : public ViewFixture {
protected:
    // The pixel at a depth of a pane's column, `fraction` of the way across it.
    QRgb ColumnPixel(const QImage& image, int pane, double fraction, double depth, double yOffsetMm = 0)
    {
        const QRectF& column = view->Layout().column(pane);
        const double y = column.top() + (depth - view->GetPaneTopDepth(pane)) / view->GetScale() + yOffsetMm;
        const QPoint p = Pixel(column.left() + fraction * column.width(), y);
        return image.pixel(p);
    }

    // Whether any pixel within `radius` of the page point passes the test.
    template <class Test>
    bool Near(const QImage& image, double xMm, double yMm, Test test, int radius = 1)
    {
        const QPoint p = Pixel(xMm, yMm);
        for (int dy = -radius; dy <= radius; ++dy)
            for (int dx = -radius; dx <= radius; ++dx) {
                const QPoint q(p.x() + dx, p.y() + dy);
                if (image.rect().contains(q) && test(image.pixel(q)))
                    return true;
            }
        return false;
    }
};

} // namespace

TEST_F(BoreholeDrawing, UnitsLieAtTheirDepthsWithTheirPatterns)
{
    FillBorehole(Hole(0), L"A", {{2, {{L"COAL", 100}}}, {5, {{L"CLAYSTONE", 100}}}, {6, {{L"coal", 100}}}});
    const QImage image = Render();
    EXPECT_TRUE(IsBlack(ColumnPixel(image, 0, 0.5, 1.0)));
    EXPECT_TRUE(IsWhite(ColumnPixel(image, 0, 0.5, 3.5)));
    EXPECT_TRUE(IsBlack(ColumnPixel(image, 0, 0.5, 5.5))) << "rock types match without regard to case";
    // Half a millimetre either side of the boundary at 2 m.
    EXPECT_TRUE(IsBlack(ColumnPixel(image, 0, 0.5, 2.0, -0.5)));
    EXPECT_TRUE(IsWhite(ColumnPixel(image, 0, 0.5, 2.0, +0.5)));
    // The right pane draws its own borehole, empty here: a white column.
    EXPECT_TRUE(IsWhite(ColumnPixel(image, 1, 0.5, 1.0)));
}

TEST_F(BoreholeDrawing, ElementsShareTheColumnLeftToRight)
{
    FillBorehole(Hole(0), L"A", {{4, {{L"COAL", 60}, {L"CLAYSTONE", 40}}}});
    const QImage image = Render();
    EXPECT_TRUE(IsBlack(ColumnPixel(image, 0, 0.3, 2.0)));
    EXPECT_TRUE(IsBlack(ColumnPixel(image, 0, 0.55, 2.0)));
    EXPECT_TRUE(IsWhite(ColumnPixel(image, 0, 0.65, 2.0)));
    EXPECT_TRUE(IsWhite(ColumnPixel(image, 0, 0.9, 2.0)));
}

TEST_F(BoreholeDrawing, RockTypesWithoutAHatchEntryShowTheNoRecordCross)
{
    FillBorehole(Hole(0), L"A", {{4, {{L"GRANITE", 100}}}});
    const QImage image = Render();
    const QRectF& column = view->Layout().leftColumn;
    const double height = 4 / view->GetScale();
    // On both diagonals, and white between them.
    EXPECT_TRUE(Near(image, column.left() + column.width() * 0.25, column.top() + height * 0.25, IsRed));
    EXPECT_TRUE(Near(image, column.left() + column.width() * 0.75, column.top() + height * 0.25, IsRed));
    EXPECT_TRUE(IsWhite(ColumnPixel(image, 0, 0.5, 1.0)));

    // Without a current hatch list every element shows it.
    tables.currentHatchListId = 0;
    FillBorehole(Hole(0), L"A", {{4, {{L"COAL", 100}}}});
    const QImage plain = Render();
    EXPECT_TRUE(Near(plain, column.left() + column.width() * 0.25, column.top() + height * 0.25, IsRed));
}

TEST_F(BoreholeDrawing, EndOfHoleOnlyWhenTheLastUnitIsReached)
{
    FillBorehole(Hole(0), L"A", {{5, {{L"COAL", 100}}}});
    QImage image = Render();
    const QRectF& column = view->Layout().leftColumn;
    const double base = column.top() + 5 / view->GetScale();
    const double x0 = column.center().x();
    EXPECT_TRUE(Near(image, x0, base + 1.5, IsDark)) << "the stem below the base";
    EXPECT_TRUE(IsWhite(image.pixel(Pixel(x0 + 1.5, base + 1.5)))) << "white beside the stem";
    EXPECT_TRUE(IsWhite(ColumnPixel(image, 0, 0.5, 5, 15))) << "white below";

    // A long hole whose last unit lies off-screen: the white unit below 5 m shows no stem.
    FillBorehole(Hole(0), L"A", {{5, {{L"COAL", 100}}}, {500, {{L"CLAYSTONE", 100}}}});
    image = Render();
    EXPECT_FALSE(Near(image, x0, base + 1.5, IsDark));
}

TEST_F(BoreholeDrawing, AnEmptyBoreholeShowsAWhiteColumnWithoutEndMarks)
{
    FillBorehole(Hole(0), L"Empty", {});
    const QImage image = Render();
    const QRectF& column = view->Layout().leftColumn;
    for (double depth : {0.0, 0.15, 1.0, 10.0})
        EXPECT_TRUE(IsWhite(ColumnPixel(image, 0, 0.5, depth, 0.3))) << depth;
    EXPECT_FALSE(Near(image, column.center().x(), column.top() + 1.0, IsBlack, 0));
}

TEST_F(BoreholeDrawing, AboveDepthZeroIsWhiteWithTheStartOfHole)
{
    FillBorehole(Hole(0), L"A", {{20, {{L"COAL", 100}}}});
    FillBorehole(Hole(1), L"B", {{200, {{L"COAL", 100}}}});
    view->UpdateScrollRanges();
    // The right pane at 5 m, then scrolled to its top: the linked left pane goes 5 m above depth 0.
    view->SetPaneTopDepth(1, 5);
    view->OnVScroll(1, CQuorView::ThumbTrack, 0);
    ASSERT_NEAR(view->GetPaneTopDepth(0), -5, 0.05);
    const QImage image = Render();
    const QRectF& column = view->Layout().leftColumn;
    const double zero = column.top() + (0 - view->GetPaneTopDepth(0)) / view->GetScale();
    EXPECT_TRUE(IsWhite(image.pixel(Pixel(column.left() + 1, column.top() + 10))));
    EXPECT_TRUE(Near(image, column.left() + 1, zero, IsDark)) << "the line across at depth 0";
    EXPECT_TRUE(IsBlack(ColumnPixel(image, 0, 0.5, 1.0)));

    // Starting at depth 0 there is no start-of-hole mark, even when the first unit starts lower.
    view->SetPaneTopDepth(0, 0);
    Hole(0)[0].thickness = 10;
    const QImage top = Render();
    EXPECT_FALSE(Near(top, column.center().x(), column.top() - 1.5, IsBlack, 0));
}

TEST_F(BoreholeDrawing, SelectionOutlinesEachRunInsideTheColumn)
{
    FillBorehole(Hole(0), L"A",
                 {{2, {{L"CLAYSTONE", 100}}},
                  {4, {{L"CLAYSTONE", 100}}},
                  {6, {{L"CLAYSTONE", 100}}},
                  {8, {{L"CLAYSTONE", 100}}}});
    view->Select(-1, -1, 0, 1);
    QImage image = Render();
    // The 0.7 mm pen lies inside the column: about 0.4 mm in from its left edge.
    auto outlined = [&](const QImage& picture, int pane, double depth) {
        const QRectF& column = view->Layout().column(pane);
        const double y = column.top() + (depth - view->GetPaneTopDepth(pane)) / view->GetScale();
        return Near(picture, column.left() + 0.4, y, IsSelection);
    };
    const double inside = 0.4 / view->Layout().leftColumn.width();
    EXPECT_TRUE(outlined(image, 0, 3.0));
    EXPECT_TRUE(IsWhite(ColumnPixel(image, 0, 0.5, 3.0)));
    EXPECT_FALSE(outlined(image, 0, 1.0));
    // The right pane is not active: no outline there.
    FillBorehole(Hole(1), L"B", {{2, {{L"CLAYSTONE", 100}}}, {4, {{L"CLAYSTONE", 100}}}});
    image = Render();
    EXPECT_FALSE(outlined(image, 1, 3.0));

    // Units 1 and 2 are one run: one outline, no edge between them.
    UnitRangeList run;
    run.add(1, 2);
    view->ExtendSelection(0, run);
    image = Render();
    EXPECT_TRUE(outlined(image, 0, 4.0));
    EXPECT_TRUE(IsWhite(ColumnPixel(image, 0, 0.5, 4.0, 0.6)));
    EXPECT_FALSE(outlined(image, 0, 7.0));
    (void)inside;
}

TEST_F(BoreholeDrawing, TicksAtHalfStepsBesideTheColumn)
{
    FillBorehole(Hole(0), L"A", {{40, {{L"CLAYSTONE", 100}}}});
    const QImage image = Render();
    const QRectF& column = view->Layout().leftColumn;
    auto tickAt = [&](double depth) {
        const double y = column.top() + depth / view->GetScale();
        return Near(image, column.left() - 0.5, y, IsBlack, 0) || Near(image, column.left() - 0.5, y - 0.1, IsBlack, 0);
    };
    // The step for this column at 1:100 is 2 m, so ticks every metre.
    EXPECT_TRUE(tickAt(1));
    EXPECT_TRUE(tickAt(2));
    EXPECT_TRUE(tickAt(5));
    EXPECT_FALSE(tickAt(1.5));
    EXPECT_FALSE(tickAt(2.5));
}

TEST_F(BoreholeDrawing, ZeroThicknessUnitsShowARedMarkerWithSampleNumbers)
{
    FillBorehole(Hole(0), L"A",
                 {{2, {{L"CLAYSTONE", 100}}, L"S1"}, {2, {{L"COAL", 100}}, L"S1"}, {4, {{L"CLAYSTONE", 100}}, L"S2"}});
    const QRectF& column = view->Layout().leftColumn;
    const double y = column.top() + 2 / view->GetScale();
    view->m_settings.showSampleNumbers = true;
    QImage image = Render();
    EXPECT_TRUE(Near(image, column.right() + 0.7, y, IsRed));
    EXPECT_FALSE(Near(image, column.right() + 0.7, y, IsSelection, 0));
    // Selected, the marker is filled with the selection colour.
    view->Select(-1, -1, 0, 1);
    image = Render();
    EXPECT_TRUE(Near(image, column.right() + 0.8, y, IsSelection));
    view->m_settings.showSampleNumbers = false;
    image = Render();
    EXPECT_FALSE(Near(image, column.right() + 0.7, y, IsRed));
}

// Texts of the view are laid out from their measured size ("Depth: " then the depth beside it, the
// last footer line ending at the window's bottom): drawn on a millimetre page, a text must take the
// room that measuring it gives, not the room of a font shrunk to the page scale and rounded there.
TEST(ViewText, DrawnTextTakesTheRoomItsMeasureGives)
{
    QImage image(600, 200, QImage::Format_ARGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    image.fill(Qt::white);
    const QFont font = ORBAX_Platform::CreateNamedFont(QStringLiteral("Arial"), 10);
    const QFontMetricsF metrics(font, &image);
    const QString text = QStringLiteral("Top of display: 47.69 gyp");
    {
        QPainter painter(&image);
        ORBAX_Platform::Graphics graphics(painter);
        CQuorView::DrawTextAt(graphics, QPointF(10, 10), text, font, QBrush(Qt::black), Qt::AlignLeft | Qt::AlignTop);
    }
    int top = image.height(), bottom = -1, left = image.width(), right = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
                left = std::min(left, x);
                right = std::max(right, x);
            }
    ASSERT_GE(bottom, 0) << "the text is drawn";
    const double x0 = 10 * 3.78, y0 = 10 * 3.78;
    EXPECT_GE(top, std::floor(y0));
    EXPECT_LE(bottom, std::ceil(y0 + metrics.height())) << "descenders stay inside the measured line";
    EXPECT_GE(left, std::floor(x0) - 1);
    EXPECT_LE(right, std::ceil(x0 + metrics.horizontalAdvance(text)) + 1) << "no wider than measured";
    EXPECT_GE(right, x0 + 0.9 * metrics.horizontalAdvance(text) - 2) << "nor much narrower";
}
