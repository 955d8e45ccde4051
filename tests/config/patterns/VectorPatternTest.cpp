#include <gtest/gtest.h>

#include <sstream>

#include "config/VectorPattern.h"
#include "tests/support/PaintSupport.h"

namespace {

VectorPattern Compiled(const std::wstring& text, float width = 10, float height = 10)
{
    VectorPattern pattern(L"Test", width, height);
    ConfigMessageList problems;
    EXPECT_TRUE(VectorPattern::Compile(pattern, text, problems, 1))
        << (problems.empty() ? L"" : problems[0].text).size();
    EXPECT_TRUE(problems.empty());
    return pattern;
}

ConfigMessage Failure(const std::wstring& text, int firstLine = 1)
{
    VectorPattern pattern(L"Test", 10, 10);
    ConfigMessageList problems;
    EXPECT_FALSE(VectorPattern::Compile(pattern, text, problems, firstLine));
    EXPECT_FALSE(pattern.compiled);
    EXPECT_TRUE(pattern.elements.empty()) << "a failed compile keeps no elements";
    EXPECT_EQ(problems.size(), 1u);
    return problems.empty() ? ConfigMessage() : problems[0];
}

} // namespace

TEST(VectorCompile, ReadsEachPrimitiveInTenthsOfAMillimetre)
{
    VectorPattern pattern = Compiled(L"LINE 2.5 (255, 0, 0) solid { 0, 0; 100, 50 }\n"
                                     L"Rect (0, 0, 0) 10 20 30 40 # a comment\n"
                                     L"circle 1 (0, 0, 255) 20 50 50\n"
                                     L"fillcircle 0x00FF00 5 6 7\n"
                                     L"fillpoly (0, 128, 0) { 0, 0; 100, 0; 50, 100 }\n");
    ASSERT_EQ(pattern.elements.size(), 5u);
    EXPECT_TRUE(pattern.compiled);
    const VectorPatternElement& line = pattern.elements[0];
    EXPECT_EQ(line.type, VectorPatternElement::Line);
    EXPECT_DOUBLE_EQ(line.penWidth, 0.25);
    EXPECT_EQ(line.colour, 0xFFFF0000u);
    EXPECT_EQ(line.lineStyle, 0);
    ASSERT_EQ(line.points.size(), 2u);
    EXPECT_FLOAT_EQ(line.points[1].x, 10.0f);
    EXPECT_FLOAT_EQ(line.points[1].y, 5.0f);

    const VectorPatternElement& rect = pattern.elements[1];
    EXPECT_EQ(rect.type, VectorPatternElement::Rect);
    ASSERT_EQ(rect.points.size(), 2u);
    EXPECT_FLOAT_EQ(rect.points[1].y, 4.0f);

    const VectorPatternElement& circle = pattern.elements[2];
    EXPECT_EQ(circle.colour, 0xFF0000FFu);
    EXPECT_FLOAT_EQ(circle.points[0].x, 2.0f);
    EXPECT_FLOAT_EQ(circle.points[1].x, 5.0f);
    EXPECT_EQ(pattern.elements[3].colour, 0xFF00FF00u);
    EXPECT_EQ(pattern.elements[4].colour, 0xFF008000u);
    EXPECT_EQ(pattern.elements[4].points.size(), 3u);
}

TEST(VectorCompile, LineStylesAndPointLists)
{
    VectorPattern custom = Compiled(L"line 1 (0, 0, 0) (2, 1) {0,0;10,10}");
    EXPECT_EQ(custom.elements.at(0).lineStyle, 5);
    EXPECT_EQ(custom.elements[0].dashes, (std::vector<float>{2, 1}));
    EXPECT_TRUE(Compiled(L"line 1 (0,0,0) () {0,0}").elements.at(0).dashes.empty());
    EXPECT_EQ(Compiled(L"line 1 (0,0,0) dashdotdot {0,0}").elements.at(0).lineStyle, 4);

    EXPECT_EQ(Compiled(L"line 1 (0,0,0) solid { 0, 0;; 10, 10 }").elements.at(0).points.size(), 1u);
    EXPECT_EQ(Compiled(L"line 1 (0,0,0) solid { 0, 0; 10, 10; }").elements.at(0).points.size(), 2u);

    VectorPattern empty = Compiled(L"");
    EXPECT_TRUE(empty.compiled);
    EXPECT_TRUE(empty.elements.empty());
    EXPECT_TRUE(Compiled(L"  # nothing but a comment\n").compiled);
}

TEST(VectorCompile, EachProblemHasItsMessageAndLine)
{
    ConfigMessage missing = Failure(L"rect (0, 0, 0) 10 10", 40);
    EXPECT_EQ(missing.word(), 0x30005u);
    EXPECT_EQ(missing.text, L"Format problem with configuration file on line 40");

    ConfigMessage primitive = Failure(L"line 1 (0,0,0) solid {0,0}\nblob 1 2", 7);
    EXPECT_EQ(primitive.word(), 0x30005u);
    EXPECT_EQ(primitive.text, L"Unrecognized drawing primitive \"blob\" on line 8");

    ConfigMessage style = Failure(L"line 1 (0,0,0) Solid {0,0}");
    EXPECT_EQ(style.word(), 0x3002Du);
    EXPECT_EQ(style.text, L"Unrecognised line style \"Solid\" on line 1");

    EXPECT_EQ(Failure(L"line 1 (0,0,0) (2, x) {0,0}").text, L"Unrecognised line style \"(2,x\" on line 1");
    EXPECT_EQ(Failure(L"line 1 (0,0,0) (2 3) {0,0}").code, 45);
    EXPECT_EQ(Failure(L"\"quoted\" 1 2").text, L"Format problem with configuration file on line 1");
    EXPECT_EQ(Failure(L"line 1 (0,0) solid {0,0}").code, 5) << "bad colour";
    EXPECT_EQ(Failure(L"line 1 (0,0,0) solid 0,0").code, 5) << "missing brace";
    EXPECT_EQ(Failure(L"line 1 (0,0,0) solid {0,0").code, 5) << "unclosed brace";
    EXPECT_EQ(Failure(L"fillpoly (0,0,0) 1,2").code, 5);
}

TEST(VectorCompile, FailureKeepsThePreviousSource)
{
    VectorPattern pattern = Compiled(L"rect (0,0,0) 0 0 100 100");
    ConfigMessageList problems;
    EXPECT_FALSE(VectorPattern::Compile(pattern, L"rect (0,0,0) 1 2", problems, 1));
    EXPECT_EQ(pattern.sourceText, L"rect (0,0,0) 0 0 100 100");
    EXPECT_TRUE(pattern.elements.empty());
    EXPECT_FALSE(pattern.compiled);
}

TEST(VectorCompile, WrittenElementsCompileBackToTheSameElements)
{
    VectorPattern original = Compiled(L"line 2.5 (255, 0, 0) solid { 0, 0; 100, 50 }\n"
                                      L"line 1 (1, 2, 3) (2, 1.5) {0,0;10,10;20,0}\n"
                                      L"line 3 (0, 0, 0) dashdot {5,5}\n"
                                      L"rect (0, 0, 0) 10 20 30 40\n"
                                      L"circle 1 (0, 0, 255) 20 50 50\n"
                                      L"fillcircle (9, 8, 7) 5 6 7\n"
                                      L"fillpoly (0, 128, 0) { 0, 0; 100, 0; 50, 100 }\n");
    std::ostringstream text;
    for (const VectorPatternElement& element : original.elements) {
        element.Write(text);
        text << "\n";
    }
    const std::string written = text.str();
    EXPECT_EQ(written.substr(0, written.find('\n')), "line         2.5   (255, 0, 0) solid {0, 0; 100, 50}");
    EXPECT_NE(written.find("rect    (0, 0, 0)         10 20 30 40\n"), std::string::npos) << written;
    EXPECT_NE(written.find("circle        1  (0, 0, 255)       20       50       50\n"), std::string::npos);
    EXPECT_NE(written.find("fillcircle (9, 8, 7)        5        6        7\n"), std::string::npos);
    EXPECT_NE(written.find("fillpoly (0, 128, 0) { 0, 0; 100, 0; 50, 100}\n"), std::string::npos);
    EXPECT_NE(written.find("(2, 1.5) {"), std::string::npos);

    VectorPattern again = Compiled(std::wstring(written.begin(), written.end()));
    ASSERT_EQ(again.elements.size(), original.elements.size());
    for (std::size_t i = 0; i < original.elements.size(); ++i)
        EXPECT_TRUE(again.elements[i] == original.elements[i]) << "element " << i;
}

TEST(VectorCompile, LargeAndSmallNumbersAreWrittenWithoutExponent)
{
    VectorPattern original = Compiled(L"rect (0, 0, 0) 12345678 0.0001 5 5\nline 0.00002 (0,0,0) (3000000, 1) {0,0}\n"
                                      L"circle 20000000 (0, 0, 0) 1 2 3");
    std::ostringstream text;
    for (const VectorPatternElement& element : original.elements) {
        element.Write(text);
        text << "\n";
    }
    const std::string written = text.str();
    EXPECT_EQ(written.find("e+"), std::string::npos) << written;
    EXPECT_EQ(written.find("e-"), std::string::npos) << written;
    VectorPattern again = Compiled(std::wstring(written.begin(), written.end()));
    ASSERT_EQ(again.elements.size(), 3u);
    EXPECT_NEAR(again.elements[0].points[0].x, original.elements[0].points[0].x, 10);
    EXPECT_NEAR(again.elements[1].penWidth, 0.000002, 1e-9);
    EXPECT_EQ(again.elements[1].dashes, (std::vector<float>{3000000, 1}));
    EXPECT_DOUBLE_EQ(again.elements[2].penWidth, 2000000.0) << "a circle's pen width";

    EXPECT_EQ(Failure(L"rect (0, 0, 0) 1e999 1 2 3").code, 5) << "a length too large to hold";
}

TEST(VectorFill, IsotropicCellsDrawElementsUpFromTheCellBottom)
{
    VectorPattern pattern = Compiled(L"line 2.5 (255, 0, 0) solid { 0, 0; 100, 50 }\n"
                                     L"fillpoly (0, 128, 0) { 0, 0; 100, 0; 100, 20 }",
                                     10, 5);
    QImage canvas = PaintTest::MakeCanvas(300, 120, 10);
    QPainter painter(&canvas);
    ORBAX_Platform::Graphics graphics(painter);
    const QRectF rect(0, 0, 25, 10);
    VectorPattern::FillRect(rect, pattern, graphics, rect, false);
    painter.end();

    EXPECT_EQ(canvas.pixel(2, 2), 0xFFFFFFFFu) << "background";
    EXPECT_TRUE(PaintTest::ColourNear(canvas, 50, 25, 0xFFFF0000u)) << "line through the cell's middle";
    EXPECT_TRUE(PaintTest::ColourNear(canvas, 150, 25, 0xFFFF0000u)) << "second cell";
    EXPECT_TRUE(PaintTest::ColourNear(canvas, 50, 75, 0xFFFF0000u)) << "second row";
    EXPECT_EQ(canvas.pixel(90, 48), 0xFF008000u) << "triangle at the cell's bottom right";
    EXPECT_EQ(canvas.pixel(260, 25), 0xFF808080u) << "clipped to the rectangle";
    EXPECT_EQ(canvas.pixel(100, 110), 0xFF808080u);
}

TEST(VectorFill, AnisotropicCellIsStretchedHorizontallyOnly)
{
    VectorPattern pattern = Compiled(L"circle 1 (0, 0, 255) 20 50 50");
    QImage canvas = PaintTest::MakeCanvas(420, 120, 10);
    QPainter painter(&canvas);
    ORBAX_Platform::Graphics graphics(painter);
    const QRectF rect(0, 0, 40, 10);
    VectorPattern::FillRect(rect, pattern, graphics, rect, true);
    painter.end();

    // An ellipse 16 mm wide and 4 mm high around (20 mm, 5 mm).
    EXPECT_TRUE(PaintTest::ColourNear(canvas, 120, 50, 0xFF0000FFu));
    EXPECT_TRUE(PaintTest::ColourNear(canvas, 280, 50, 0xFF0000FFu));
    EXPECT_TRUE(PaintTest::ColourNear(canvas, 200, 30, 0xFF0000FFu));
    EXPECT_TRUE(PaintTest::ColourNear(canvas, 200, 70, 0xFF0000FFu));
    EXPECT_EQ(canvas.pixel(200, 50), 0xFFFFFFFFu);
    EXPECT_EQ(canvas.pixel(100, 50), 0xFFFFFFFFu);
}

TEST(VectorFill, RowsAboveTheReferenceAreSkippedButStayAligned)
{
    VectorPattern pattern = Compiled(L"rect (0, 0, 0) 0 0 100 50"); // the bottom half of each cell
    QImage canvas = PaintTest::MakeCanvas(20, 200, 2);
    QPainter painter(&canvas);
    ORBAX_Platform::Graphics graphics(painter);
    VectorPattern::FillRect(QRectF(0, 0, 10, 100), pattern, graphics, QRectF(0, 35, 10, 20), false);
    painter.end();

    auto at = [&](double mm) { return canvas.pixel(10, static_cast<int>(mm * 2)); };
    EXPECT_EQ(at(27), 0xFFFFFFFFu) << "row 2 lies above the reference: background only";
    EXPECT_EQ(at(37), 0xFF000000u) << "rows start at the fourth row, aligned to the rectangle";
    EXPECT_EQ(at(33), 0xFFFFFFFFu);
    EXPECT_EQ(at(67), 0xFF000000u) << "one row past the reference's bottom";
    EXPECT_EQ(at(77), 0xFFFFFFFFu);
}

TEST(VectorFill, UncompiledPatternDrawsOnlyItsBackground)
{
    VectorPattern pattern(L"Broken", 10, 10);
    pattern.colour = 0xFFFFFF00u;
    ConfigMessageList problems;
    EXPECT_FALSE(VectorPattern::Compile(pattern, L"rect (0, 0, 0) 10 10", problems, 1));
    QImage canvas = PaintTest::MakeCanvas(50, 50, 2);
    QPainter painter(&canvas);
    ORBAX_Platform::Graphics graphics(painter);
    VectorPattern::FillRect(QRectF(0, 0, 20, 20), pattern, graphics, QRectF(0, 0, 20, 20), false);
    painter.end();
    EXPECT_EQ(canvas.pixel(1, 1), 0xFFFFFF00u);
    EXPECT_EQ(canvas.pixel(39, 39), 0xFFFFFF00u);
    EXPECT_EQ(canvas.pixel(41, 41), 0xFF808080u);
}

TEST(VectorFill, CellsTooSmallToCountDrawOnlyTheBackground)
{
    // Sizes a damaged file can give: millions of cells per millimetre, and far below the spacing of
    // the coordinates at a deep unit's position, where adding a cell height no longer moves on.
    VectorPattern pattern = Compiled(L"rect (0, 0, 0) 0 0 100 100", 1e-5f, 1e-9f);
    QImage canvas = PaintTest::MakeCanvas(40, 40, 2);
    QPainter painter(&canvas);
    ORBAX_Platform::Graphics graphics(painter);
    VectorPattern::FillRect(QRectF(0, 0, 20, 20), pattern, graphics, QRectF(0, 0, 20, 20), false);
    QTransform deep;
    deep.translate(0, -50000);
    graphics.setWorldTransform(deep);
    VectorPattern::FillRect(QRectF(0, 50000, 20, 20), pattern, graphics, QRectF(0, 50000, 20, 20), true);
    painter.end();
    EXPECT_EQ(canvas.pixel(5, 5), 0xFFFFFFFFu);
    EXPECT_EQ(canvas.pixel(35, 35), 0xFFFFFFFFu);
}

TEST(VectorFill, ATiledFillLooksLikeTheCellsDrawnOneByOne)
{
    // Lines, a circle and a filled shape, in cells of 6 x 4 mm over a rectangle that starts off a
    // whole pixel, at 4 pixels a millimetre.
    VectorPattern pattern = Compiled(L"line 3 (200, 0, 0) solid {0, 30; 60, 30}\n"
                                     L"circle 2 (0, 0, 200) 8 40 20\n"
                                     L"fillpoly (0, 120, 0) {0, 0; 20, 0; 0, 20}\n",
                                     6, 4);
    pattern.colour = 0xFFFFF0C0u;
    const QRectF rect(2.3, 1.7, 30, 40);
    QImage tiled = PaintTest::MakeCanvas(160, 200, 4);
    {
        QPainter painter(&tiled);
        ORBAX_Platform::Graphics graphics(painter);
        graphics.setSmoothing(true);
        VectorPattern::FillRect(rect, pattern, graphics, rect, false);
    }
    QImage drawn = PaintTest::MakeCanvas(160, 200, 4);
    {
        QPainter painter(&drawn);
        ORBAX_Platform::Graphics graphics(painter);
        graphics.setSmoothing(true);
        graphics.intersectClip(rect);
        graphics.fillRect(rect, pattern.colour);
        for (double y = rect.y(); y < rect.bottom(); y += 4)
            for (double x = rect.x(); x < rect.right(); x += 6)
                VectorPattern::DrawElements(graphics, x, y, pattern, QSizeF(6, 4));
    }
    // Tiles lie on whole pixels, so colours may shift by a pixel at an edge: compare the images as
    // a whole and outside the rectangle exactly.
    int differing = 0;
    for (int y = 0; y < tiled.height(); ++y)
        for (int x = 0; x < tiled.width(); ++x) {
            const QRgb a = tiled.pixel(x, y), b = drawn.pixel(x, y);
            const int worst =
                std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
            differing += worst > 80;
            if (!QRectF(rect.x() * 4 - 1, rect.y() * 4 - 1, rect.width() * 4 + 2, rect.height() * 4 + 2)
                     .contains(x, y)) {
                ASSERT_EQ(a, 0xFF808080u) << x << "," << y;
            }
        }
    const double share = differing / (rect.width() * 4 * rect.height() * 4);
    EXPECT_LT(share, 0.04) << "the same pattern, at most a pixel's shift here and there";
    // And a green triangle in the bottom-left corner of cell (2, 3), y counted up from the cell's bottom.
    const QPoint green(static_cast<int>((rect.x() + 2 * 6 + 0.4) * 4), static_cast<int>((rect.y() + 3 * 4 + 3.6) * 4));
    EXPECT_GT(qGreen(tiled.pixel(green)), 100);
    EXPECT_LT(qRed(tiled.pixel(green)), 60);
}

TEST(VectorFill, ElementsReachingBeyondTheirCellAreStillDrawnCellByCell)
{
    // A line 12 mm up in a 5 mm high cell shows in the cells above it, as cells drawn one by one
    // leave it; a tile could not.
    VectorPattern pattern = Compiled(L"line 3 (0, 0, 0) solid {0, 120; 100, 120}", 10, 5);
    const QRectF rect(1, 1, 20, 30);
    auto render = [&](bool byFill) {
        QImage canvas = PaintTest::MakeCanvas(100, 140, 4);
        QPainter painter(&canvas);
        ORBAX_Platform::Graphics graphics(painter);
        if (byFill) {
            VectorPattern::FillRect(rect, pattern, graphics, rect, false);
        } else {
            graphics.intersectClip(rect);
            graphics.fillRect(rect, pattern.colour);
            for (double y = rect.y(); y < rect.bottom() + 5; y += 5)
                for (double x = rect.x(); x < rect.right(); x += 10)
                    VectorPattern::DrawElements(graphics, x, y, pattern, QSizeF(10, 5));
        }
        return canvas;
    };
    const QImage filled = render(true);
    EXPECT_EQ(filled, render(false));
    // The line of the third row lies 7 mm above it, at 3 mm into the first row.
    EXPECT_LT(qGray(filled.pixel(40, static_cast<int>((1 + 3) * 4))), 128);
}
