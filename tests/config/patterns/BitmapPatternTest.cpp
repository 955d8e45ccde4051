#include <gtest/gtest.h>

#include <sstream>

#include "config/BitmapPattern.h"
#include "tests/support/PaintSupport.h"
#include "tests/support/TestSupport.h"

namespace {

constexpr QRgb W = 0xFFFFFFFFu;
constexpr QRgb B = 0xFF000000u;

BitmapPattern Parsed(int width, const std::wstring& rows, ConfigMessageList* problems = nullptr)
{
    PaintTest::EnsureGuiApplication();
    BitmapPattern pattern(L"Test");
    pattern.width = width;
    ConfigMessageList local;
    BitmapPattern::ParseMonoData(problems ? *problems : local, rows, pattern, 1);
    return pattern;
}

std::string Row(const BitmapPattern& pattern, int row)
{
    std::string out;
    for (int c = 0; c < pattern.image.width(); ++c)
        out += pattern.image.pixel(c, row) == W ? 'W' : (pattern.image.pixel(c, row) == B ? 'B' : '?');
    return out;
}

} // namespace

TEST(MonoRows, DigitsFillFromTheRightFourPixelsEach)
{
    BitmapPattern two = Parsed(8, L"0xFF 0x00");
    EXPECT_EQ(two.kind, BitmapPattern::Mono);
    EXPECT_EQ(two.height, 2);
    EXPECT_EQ(Row(two, 0), "WWWWWWWW");
    EXPECT_EQ(Row(two, 1), "BBBBBBBB");
    EXPECT_EQ(two.rowsText, L"0xFF 0x00");

    EXPECT_EQ(Row(Parsed(8, L"0x0F"), 0), "BBBBWWWW");
    EXPECT_EQ(Row(Parsed(4, L"0x1F"), 0), "WWWW") << "digits beyond the width are ignored";
    EXPECT_EQ(Row(Parsed(12, L"0xf"), 0), "BBBBBBBBWWWW");
    EXPECT_EQ(Row(Parsed(8, L"12"), 0), "BBBWBBWB") << "decimal digits give the pixels of the same hex digit";
    EXPECT_EQ(Row(Parsed(6, L"0X3F"), 0), "WWWWWW");

    BitmapPattern separated = Parsed(4, L"0x1\t0x2\n\n0x4  0x8");
    EXPECT_EQ(separated.height, 4);
    EXPECT_EQ(Row(separated, 3), "WBBB");
}

TEST(MonoRows, BadDigitsAndEmptyTextsAreReported)
{
    ConfigMessageList problems;
    BitmapPattern pattern(L"Sand");
    pattern.width = 8;
    EXPECT_FALSE(BitmapPattern::ParseMonoData(problems, L"0xFF 0x", pattern, 17));
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].word(), 0x30029u);
    EXPECT_EQ(problems[0].text, L"Unrecognised number \"0x\" on line 17");

    problems.clear();
    pattern.width = 8;
    EXPECT_FALSE(BitmapPattern::ParseMonoData(problems, L"0xFG", pattern, 3));
    EXPECT_EQ(problems.at(0).text, L"Unrecognised number \"0xFG\" on line 3");

    problems.clear();
    pattern.width = 8;
    EXPECT_FALSE(BitmapPattern::ParseMonoData(problems, L" 0xFF", pattern, 3));
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].code, 8);
    EXPECT_EQ(problems[0].severity, 3);
    EXPECT_EQ(problems[0].text, L"Bitmap Sand height or width is zero.");

    problems.clear();
    pattern.width = 0;
    EXPECT_FALSE(BitmapPattern::ParseMonoData(problems, L"0xFF", pattern, 3));
    EXPECT_EQ(problems.at(0).code, 8);

    // A width no tile has (a damaged file) is refused before any image is made.
    problems.clear();
    pattern.width = 2000000000;
    EXPECT_FALSE(BitmapPattern::ParseMonoData(problems, L"0xFF 0x81", pattern, 9));
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].word(), 0x30029u);
    EXPECT_EQ(problems[0].text, L"Unrecognised number \"2000000000\" on line 9");
    EXPECT_EQ(pattern.width, pattern.image.isNull() ? 0 : pattern.image.width());
    problems.clear();
    pattern.width = 4096;
    EXPECT_TRUE(BitmapPattern::ParseMonoData(problems, L"0xFF 0x81", pattern, 9));
    EXPECT_EQ(pattern.image.width(), 4096);
}

TEST(MonoRows, FailedParseKeepsSizeAndImageInAgreement)
{
    ConfigMessageList problems;
    BitmapPattern pattern = Parsed(4, L"0xF 0x0 0xF");
    ASSERT_EQ(pattern.height, 3);
    pattern.width = 16; // as the caller sets it before parsing a new text
    EXPECT_FALSE(BitmapPattern::ParseMonoData(problems, L"0xFFFF 0xFFFF 0xFFFF 0xFFFF 0xZZ", pattern, 1));
    EXPECT_EQ(pattern.width, pattern.image.width());
    EXPECT_EQ(pattern.height, pattern.image.height());
    EXPECT_EQ(pattern.rowsText, L"0xF 0x0 0xF");
    std::ostringstream out;
    pattern.Write(out); // walks width x height pixels of the image
    EXPECT_NE(out.str().find("\"0xF 0x0 0xF \""), std::string::npos) << out.str();

    BitmapPattern empty(L"Empty");
    empty.width = 8;
    EXPECT_FALSE(BitmapPattern::ParseMonoData(problems, L"0x0G", empty, 1));
    EXPECT_EQ(empty.width, 0);
    EXPECT_EQ(empty.height, 0);
}

TEST(MonoRows, WrittenRowsReadBackToTheSamePixels)
{
    BitmapPattern original = Parsed(6, L"0x2A 0x15 0x3F 0x0");
    std::ostringstream out;
    original.Write(out);
    EXPECT_EQ(out.str(), "Test                 mono   6 \"0x2A 0x15 0x3F 0x00 \"");

    BitmapPattern again = Parsed(6, std::wstring(L"0x2A 0x15 0x3F 0x00 "));
    ASSERT_EQ(again.height, 4);
    for (int r = 0; r < 4; ++r)
        EXPECT_EQ(Row(again, r), Row(original, r));

    BitmapPattern odd = Parsed(5, L"0x11 0x1F");
    EXPECT_EQ(odd.MonoRowsText(), "0x11 0x1F ");

    BitmapPattern named(L"Coal seam");
    named.kind = BitmapPattern::Mono;
    out.str("");
    named.Write(out);
    EXPECT_EQ(out.str(), "\"Coal seam\"          mono   0 \"\"");

    BitmapPattern file(L"Photo");
    file.fileName = L"images/photo.png";
    out.str("");
    file.Write(out);
    EXPECT_EQ(out.str(), "Photo                rgb      \"images/photo.png\"");
}

TEST(ImageFile, LoadsSizeOrFailsToWhite)
{
    PaintTest::EnsureGuiApplication();
    QuorTest::TempDir dir;
    QImage source(24, 3, QImage::Format_ARGB32);
    source.fill(0xFF0000FFu);
    ASSERT_TRUE(source.save(QString::fromStdString((dir / "tile.png").string())));

    BitmapPattern pattern(L"Tile");
    std::wstring error = L"old";
    EXPECT_TRUE(BitmapPattern::LoadImageFile(L"tile.png", pattern, error, dir.path()));
    EXPECT_EQ(pattern.fileName, L"tile.png") << "the name is kept as given";
    EXPECT_EQ(pattern.width, 24);
    EXPECT_EQ(pattern.height, 3);
    EXPECT_TRUE(error.empty());

    EXPECT_FALSE(BitmapPattern::LoadImageFile(L"missing.png", pattern, error, dir.path()));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(pattern.width, 0);
    EXPECT_EQ(pattern.kind, BitmapPattern::ImageFile);

    // The same from the file's bytes: a whole image loads, a cut one leaves the pattern white.
    const std::string bytes = QuorTest::read_file(dir / "tile.png");
    BitmapPattern inMemory(L"Memory");
    EXPECT_TRUE(BitmapPattern::LoadImageData(bytes, L"tile.png", inMemory, error));
    EXPECT_EQ(inMemory.fileName, L"tile.png");
    EXPECT_EQ(inMemory.width, 24);
    EXPECT_EQ(inMemory.image.pixel(0, 0), 0xFF0000FFu);
    EXPECT_FALSE(BitmapPattern::LoadImageData(bytes.substr(0, 20), L"cut.png", inMemory, error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(inMemory.width, 0);
    EXPECT_TRUE(inMemory.image.isNull());

    for (bool physical : {false, true}) {
        QImage canvas = PaintTest::MakeCanvas(40, 40, 10);
        QPainter painter(&canvas);
        ORBAX_Platform::Graphics graphics(painter);
        BitmapPattern::Fill(pattern, graphics, QRectF(1, 1, 2, 2), physical);
        painter.end();
        EXPECT_EQ(canvas.pixel(15, 15), W);
        EXPECT_EQ(canvas.pixel(5, 5), 0xFF808080u);
    }
}

TEST(BitmapFill, PixelModeDrawsOneImagePixelPerDevicePixelWithinTheRectangle)
{
    BitmapPattern checker = Parsed(2, L"0x2 0x1"); // W B / B W
    QImage canvas = PaintTest::MakeCanvas(80, 60, 10);
    QPainter painter(&canvas);
    ORBAX_Platform::Graphics graphics(painter);
    BitmapPattern::Fill(checker, graphics, QRectF(1, 1, 5, 3), false); // device 10..60 x 10..40
    painter.end();

    EXPECT_EQ(canvas.pixel(10, 10), W);
    EXPECT_EQ(canvas.pixel(11, 10), B);
    EXPECT_EQ(canvas.pixel(10, 11), B);
    EXPECT_EQ(canvas.pixel(13, 11), W);
    EXPECT_EQ(canvas.pixel(59, 39), W);
    EXPECT_EQ(canvas.pixel(9, 10), 0xFF808080u);
    EXPECT_EQ(canvas.pixel(60, 10), 0xFF808080u) << "tiles are clipped to the rectangle";
    EXPECT_EQ(canvas.pixel(20, 40), 0xFF808080u);
}

TEST(BitmapFill, PixelModeTilesStartAtTheRectanglesCornerWhereverItLies)
{
    // A 3-pixel-wide row, one black pixel first: the black pixels fall at the rectangle's left edge
    // plus multiples of 3, whatever the edge's position.
    BitmapPattern row = Parsed(3, L"0x3");
    for (double left : {1.1, 1.2, 2.3}) {
        QImage canvas = PaintTest::MakeCanvas(80, 20, 10);
        QPainter painter(&canvas);
        ORBAX_Platform::Graphics graphics(painter);
        BitmapPattern::Fill(row, graphics, QRectF(left, 0.5, 5, 1), false);
        painter.end();
        const int x0 = static_cast<int>(std::floor(left * 10 + 0.5));
        for (int x = x0; x < x0 + 30; ++x)
            EXPECT_EQ(canvas.pixel(x, 10), (x - x0) % 3 == 0 ? B : W) << left << " " << x;
    }
}

TEST(BitmapFill, PhysicalModeSizesTilesFromTheResolution)
{
    PaintTest::EnsureGuiApplication();
    BitmapPattern pattern(L"Stripe");
    QImage stripe(24, 4, QImage::Format_ARGB32);
    stripe.fill(W);
    for (int y = 0; y < 4; ++y)
        stripe.setPixel(0, y, 0xFFFF0000u);
    stripe.setDotsPerMeterX(3780); // 96 dpi: 24 pixels are 6.35 mm
    stripe.setDotsPerMeterY(3780);
    pattern.image = stripe;
    pattern.width = 24;
    pattern.height = 4;
    EXPECT_NEAR(pattern.HorizontalResolution(), 96.0, 0.02);

    QImage canvas = PaintTest::MakeCanvas(200, 20, 10);
    QPainter painter(&canvas);
    ORBAX_Platform::Graphics graphics(painter);
    BitmapPattern::Fill(pattern, graphics, QRectF(0, 0, 15, 1), true);
    painter.end();

    EXPECT_EQ(canvas.pixel(1, 5), 0xFFFF0000u);
    EXPECT_EQ(canvas.pixel(30, 5), W);
    EXPECT_EQ(canvas.pixel(65, 5), 0xFFFF0000u) << "second tile starts near 63.5 pixels";
    EXPECT_EQ(canvas.pixel(128, 5), 0xFFFF0000u) << "third tile starts near 127 pixels";
    EXPECT_EQ(canvas.pixel(100, 5), W);
    EXPECT_EQ(canvas.pixel(170, 5), W) << "the last tile runs past the rectangle: no clip is set";

    // A rectangle reaching far above and left of the device still covers what can be seen, with its
    // tiles aligned to its own corner.
    QImage tall = PaintTest::MakeCanvas(200, 20, 10);
    QPainter tallPainter(&tall);
    ORBAX_Platform::Graphics tallGraphics(tallPainter);
    BitmapPattern::Fill(pattern, tallGraphics, QRectF(-63.5, -1000, 78.5, 1001), true);
    tallPainter.end();
    EXPECT_EQ(tall.pixel(1, 5), 0xFFFF0000u);
    EXPECT_EQ(tall.pixel(1, 0), 0xFFFF0000u);
    EXPECT_EQ(tall.pixel(30, 5), W);
    EXPECT_EQ(tall.pixel(65, 9), 0xFFFF0000u);
    EXPECT_EQ(tall.pixel(100, 5), W);
    EXPECT_EQ(tall.pixel(100, 15), 0xFF808080u) << "below the rectangle";
}

TEST(BitmapFill, AnImpossibleResolutionFillsWhiteInsteadOfCountingMinuteTiles)
{
    PaintTest::EnsureGuiApplication();
    BitmapPattern pattern(L"Dense");
    QImage dense(8, 8, QImage::Format_ARGB32);
    dense.fill(0xFFFF0000u);
    dense.setDotsPerMeterX(2000000000); // an image file may state any resolution
    dense.setDotsPerMeterY(2000000000);
    pattern.image = dense;
    pattern.width = 8;
    pattern.height = 8;

    QImage canvas = PaintTest::MakeCanvas(60, 60, 10);
    QPainter painter(&canvas);
    ORBAX_Platform::Graphics graphics(painter);
    BitmapPattern::Fill(pattern, graphics, QRectF(0, 0, 5, 5), true);
    painter.end();
    EXPECT_EQ(canvas.pixel(25, 25), W);
    EXPECT_EQ(canvas.pixel(55, 55), 0xFF808080u);
}
