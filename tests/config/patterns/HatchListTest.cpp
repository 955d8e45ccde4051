#include <gtest/gtest.h>

#include <sstream>

#include "config/CorrelationDefinition.h"
#include "config/HatchList.h"
#include "tests/support/PaintSupport.h"

namespace {

constexpr QRgb Grey = 0xFF808080u;
constexpr QRgb White = 0xFFFFFFFFu;
constexpr QRgb Red = 0xFFFF0000u;

struct Tables {
    BitmapTable bitmaps;
    VectorTable vectors;
    InbuiltPatternList inbuilts;
};

int CountColour(const QImage& image, QRgb colour, const QRect& area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixel(x, y) == colour ? 1 : 0;
    return count;
}

} // namespace

TEST(Inbuilt, TableHoldsTheSixPatternsInOrder)
{
    InbuiltPatternList list;
    const wchar_t* names[] = {L"Black", L"Red", L"Blue", L"Green", L"White", L"NoRecord"};
    ASSERT_EQ(list.size(), 6u);
    for (int id = 1; id <= 6; ++id)
        EXPECT_EQ(list.Get(id).GetName(), names[id - 1]);
    EXPECT_EQ(list.LastId(), 6);
}

TEST(Inbuilt, PlainColoursAndTheNoRecordCross)
{
    InbuiltPatternList list;
    QImage canvas = PaintTest::MakeCanvas(200, 240, 10);
    QPainter painter(&canvas);
    ORBAX_Platform::Graphics graphics(painter);
    list.Get(3).Draw(graphics, QRectF(12, 0, 5, 5), QRectF(), false);
    list.Get(6).Draw(graphics, QRectF(0, 0, 10, 20), QRectF(), false);
    InbuiltPattern nothing(L"Nothing");
    nothing.Draw(graphics, QRectF(0, 21, 5, 2), QRectF(), false);
    painter.end();

    EXPECT_EQ(canvas.pixel(140, 20), 0xFF0000FFu);
    EXPECT_EQ(canvas.pixel(50, 30), White);
    EXPECT_TRUE(PaintTest::ColourNear(canvas, 20, 40, Red)) << "on the diagonal from (0, 0) to (10, 20)";
    EXPECT_TRUE(PaintTest::ColourNear(canvas, 80, 40, Red)) << "on the diagonal from (10, 0) to (0, 20)";
    EXPECT_TRUE(PaintTest::ColourNear(canvas, 50, 100, Red)) << "the crossing";
    EXPECT_EQ(canvas.pixel(20, 100), White);
    EXPECT_EQ(canvas.pixel(20, 220), Grey) << "a pattern without a draw function draws nothing";
}

TEST(HatchListEntry, ResolvesByKindAndNameIgnoringCase)
{
    PaintTest::EnsureGuiApplication();
    Tables t;
    t.bitmaps.Insert(BitmapPattern(L"Coal"));
    t.vectors.Insert(VectorPattern(L"Clay", 5, 5));
    t.vectors.Insert(VectorPattern(L"Sand", 5, 5));

    HatchListEntry iso(HatchListEntry::Isovector, L"sand", L"SST");
    EXPECT_TRUE(HatchListEntry::Resolve(t.bitmaps, iso, t.vectors, t.inbuilts, false));
    EXPECT_EQ(iso.patternId, 2);
    HatchListEntry ani(HatchListEntry::Anivector, L"CLAY", L"CL");
    EXPECT_TRUE(HatchListEntry::Resolve(t.bitmaps, ani, t.vectors, t.inbuilts, false));
    EXPECT_EQ(ani.patternId, 1) << "both vector kinds share the vector table";
    HatchListEntry inbuilt(HatchListEntry::Inbuilt, L"white", L"X");
    EXPECT_TRUE(HatchListEntry::Resolve(t.bitmaps, inbuilt, t.vectors, t.inbuilts, false));
    EXPECT_EQ(inbuilt.patternId, 5);

    HatchListEntry wrongKind(HatchListEntry::Bitmap, L"Sand", L"SST");
    wrongKind.patternId = 9;
    EXPECT_FALSE(HatchListEntry::Resolve(t.bitmaps, wrongKind, t.vectors, t.inbuilts, false));
    EXPECT_EQ(wrongKind.patternId, 0);

    // A bitmap entry keeps a still valid id after a rename unless forced; vectors look up again.
    HatchListEntry coal(HatchListEntry::Bitmap, L"coal", L"C");
    ASSERT_TRUE(HatchListEntry::Resolve(t.bitmaps, coal, t.vectors, t.inbuilts, false));
    t.bitmaps.Get(coal.patternId).name = L"Lignite";
    EXPECT_TRUE(HatchListEntry::Resolve(t.bitmaps, coal, t.vectors, t.inbuilts, false));
    EXPECT_EQ(coal.patternId, 1);
    EXPECT_FALSE(HatchListEntry::Resolve(t.bitmaps, coal, t.vectors, t.inbuilts, true));
    EXPECT_EQ(coal.patternId, 0);
    t.vectors.Get(2).name = L"Sandstone";
    EXPECT_FALSE(HatchListEntry::Resolve(t.bitmaps, iso, t.vectors, t.inbuilts, false));
}

TEST(HatchList, FindRockTypeTakesTheFirstEntryIgnoringCase)
{
    HatchList list(L"Default");
    list.entries.emplace_back(HatchListEntry::Inbuilt, L"Black", L"CLAY");
    list.entries.emplace_back(HatchListEntry::Inbuilt, L"Red", L"clay");
    const HatchListEntry* found = HatchList::FindRockType(list, L"Clay");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->patternName, L"Black");
    EXPECT_EQ(HatchList::FindRockType(list, L"SAND"), nullptr);

    HatchListTable table;
    const int id = table.Insert(list)->first;
    EXPECT_EQ(GetHatchList(table, 0), nullptr);
    EXPECT_EQ(GetHatchList(table, id + 1), nullptr);
    ASSERT_NE(GetHatchList(table, id), nullptr);
    EXPECT_EQ(GetHatchList(table, id)->entries.size(), 2u);
}

TEST(HatchList, WritersUseTheFileForms)
{
    HatchList list(L"Coal measures");
    list.entries.emplace_back(HatchListEntry::Bitmap, L"Coal", L"COAL");
    list.entries.emplace_back(HatchListEntry::Anivector, L"Fine sand", L"SST, fine");
    std::ostringstream out;
    list.Write(out, 3);
    EXPECT_EQ(out.str(), "\"Coal measures\" {\n"
                         "      Bitmap    Coal                 { COAL }\n"
                         "      Anivector \"Fine sand\"          { SST, fine }\n"
                         "   }");
    EXPECT_STREQ(HatchListEntry::FileKindWord(HatchListEntry::Isovector), "Isovector ");
    EXPECT_STREQ(HatchListEntry::FileKindWord(HatchListEntry::Inbuilt), "Inbuilt   ");
}

TEST(HatchDraw, DispatchesByKindAndShowsMissingPatterns)
{
    Tables t;
    BitmapPattern mono(L"Mono");
    mono.width = 2;
    ConfigMessageList problems;
    ASSERT_TRUE(BitmapPattern::ParseMonoData(problems, L"0x2 0x1", mono, 1));
    t.bitmaps.Insert(mono);
    VectorPattern vector(L"Yellow", 5, 5);
    vector.colour = 0xFFFFFF00u;
    t.vectors.Insert(vector);

    QImage canvas = PaintTest::MakeCanvas(400, 300, 10);
    QPainter painter(&canvas);
    ORBAX_Platform::Graphics graphics(painter);
    const QRectF reference(0, 0, 40, 30);
    auto draw = [&](HatchListEntry entry, const QRectF& rect) {
        HatchListEntry::Resolve(t.bitmaps, entry, t.vectors, t.inbuilts, false);
        HatchListEntry::Draw(t.bitmaps, t.inbuilts, entry, graphics, rect, reference, t.vectors, false);
    };
    draw(HatchListEntry(HatchListEntry::Bitmap, L"mono", L"A"), QRectF(0, 0, 5, 5));
    draw(HatchListEntry(HatchListEntry::Isovector, L"YELLOW", L"B"), QRectF(10, 0, 5, 5));
    draw(HatchListEntry(HatchListEntry::Inbuilt, L"red", L"C"), QRectF(20, 0, 5, 5));
    draw(HatchListEntry(HatchListEntry::Anivector, L"x", L"D"), QRectF(0, 10, 30, 10));
    // An id that has left its table since it was resolved draws the placeholder instead of throwing.
    HatchListEntry stale(HatchListEntry::Inbuilt, L"gone", L"E");
    stale.patternId = 42;
    EXPECT_NO_THROW(HatchListEntry::Draw(t.bitmaps, t.inbuilts, stale, graphics, QRectF(0, 22, 30, 8), reference,
                                         t.vectors, false));
    HatchListEntry other(7, L"Black", L"F");
    other.patternId = 1;
    HatchListEntry::Draw(t.bitmaps, t.inbuilts, other, graphics, QRectF(30, 0, 5, 5), reference, t.vectors, false);
    painter.end();

    EXPECT_EQ(canvas.pixel(0, 0), White);
    EXPECT_EQ(canvas.pixel(1, 0), 0xFF000000u);
    EXPECT_EQ(canvas.pixel(120, 20), 0xFFFFFF00u);
    EXPECT_EQ(canvas.pixel(220, 20), Red);
    EXPECT_EQ(canvas.pixel(320, 20), Grey) << "an unknown kind draws nothing";

    const QRect placeholder(0, 100, 300, 100);
    EXPECT_EQ(canvas.pixel(2, 102), White);
    const int red = CountColour(canvas, Red, placeholder);
    EXPECT_GT(red, 20) << "the red text of the placeholder";
    EXPECT_LT(red, 300 * 100 / 4) << "text, not a red fill";
    EXPECT_EQ(CountColour(canvas, Red, QRect(0, 100, 300, 25)), 0) << "the text is centred vertically";
    EXPECT_GT(CountColour(canvas, Red, QRect(0, 220, 300, 80)), 0);
}
