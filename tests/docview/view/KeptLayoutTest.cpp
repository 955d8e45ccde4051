// The view keeps the last layouts of its rulers and range labels: what it draws from a kept layout is
// what a fresh one gives, whatever smallest size and reach the drawings before it passed.
#include <gtest/gtest.h>

#include <QPainter>

#include <cstdlib>
#include <thread>

#include "docview/view/QuorView.h"
#include "docview/view/geometry/FittedText.h"
#include "platform/qt/Graphics.h"
#include "tests/support/PaintSupport.h"

namespace {

constexpr double kPixelsPerMm = 600 / 25.4; // a printer's resolution

// A ruler at x = 40 mm over 100 m at 1:1000 with `room` mm of field left of it.
QImage Ruler(double room, double smallestPoints, const RulerReach* reach)
{
    QImage image = PaintTest::MakeCanvas(static_cast<int>(60 * kPixelsPerMm), static_cast<int>(120 * kPixelsPerMm),
                                         kPixelsPerMm, 0xFFFFFFFFu);
    QPainter painter(&image);
    ORBAX_Platform::Graphics graphics(painter);
    QFont font;
    font.setPointSizeF(8);
    CQuorView::DrawDepthTicks(graphics, 40, 10, 110, 0, 1, QPointF(2, 1.5), QBrush(Qt::black), QPen(Qt::NoPen), 0, 0, 0,
                              0.1, QPen(Qt::black, 0), font, 40 - room, smallestPoints, reach);
    return image;
}

// The most ink two drawings differ by in any millimetre square. Glyphs are rasterised a little
// differently once the font engine has met other sizes, so pictures of one layout differ by a few
// pixels at the glyphs' edges; a number moved, resized or left out differs by hundreds.
int MostDifferentInk(const QImage& a, const QImage& b)
{
    const int cell = static_cast<int>(kPixelsPerMm);
    int most = 0;
    for (int top = 0; top + cell <= a.height(); top += cell)
        for (int left = 0; left + cell <= a.width(); left += cell) {
            int difference = 0;
            for (int y = top; y < top + cell; ++y)
                for (int x = left; x < left + cell; ++x)
                    difference += (qGray(a.pixel(x, y)) < 128) - (qGray(b.pixel(x, y)) < 128);
            most = std::max(most, std::abs(difference));
        }
    return most;
}

} // namespace

TEST(KeptLayout, ADrawingDoesNotDependOnTheOnesBeforeIt)
{
    // Each case drawn alone, on a thread of its own (the kept layouts are the thread's), then the whole
    // list twice in a row on this one: any key the cache misses shows as a changed picture.
    RulerReach left{-14, -6, false}, right{4, 16, false}; // from the ruler
    struct Case {
        double room, smallest;
        const RulerReach* reach;
    };
    const Case cases[] = {{12, 0, nullptr},
                          {3, 0, nullptr},
                          {3, LegiblePrintPoints, nullptr},
                          {1, LegiblePrintPoints, &left},
                          {1, LegiblePrintPoints, &right}};
    std::vector<QImage> alone;
    for (const Case& c : cases)
        std::thread([&] { alone.push_back(Ruler(c.room, c.smallest, c.reach)); }).join();
    constexpr int kSame = 40; // pixels of a millimetre square (557 at this resolution)
    for (int round = 0; round < 2; ++round)
        for (std::size_t i = 0; i < std::size(cases); ++i)
            EXPECT_LE(MostDifferentInk(Ruler(cases[i].room, cases[i].smallest, cases[i].reach), alone[i]), kSame)
                << "case " << i << ", round " << round;
    // The cases are told apart by the ruler at all: a narrower field, the legible size and the reach
    // each change what it draws.
    for (std::size_t i = 1; i < std::size(cases); ++i)
        EXPECT_GT(MostDifferentInk(alone[i], alone[i - 1]), 4 * kSame) << "case " << i;

    // A density range under a narrow plot: kept rows at either size read as freshly placed ones.
    QImage device = PaintTest::MakeCanvas(10, 10, kPixelsPerMm);
    QFont font;
    font.setPointSizeF(8);
    const QRectF plot(2, 0, 9, 50), field(0, 0, 13, 60);
    for (double smallest : {0.0, LegiblePrintPoints, 0.0, LegiblePrintPoints}) {
        const TraceLabelRow kept =
            CQuorView::PlacedTraceLabels(&device, font, plot, field, 1.95, 2.87, 2, "DEN", 0, smallest);
        const TraceLabelRow fresh = LayOutTraceLabels(&device, font, plot, field, 1.95, 2.87, 2, "DEN", 0, smallest);
        EXPECT_EQ(kept.lower.text, fresh.lower.text) << smallest;
        EXPECT_EQ(kept.lower.font.pointSizeF(), fresh.lower.font.pointSizeF()) << smallest;
        EXPECT_EQ(kept.upper.text, fresh.upper.text) << smallest;
        EXPECT_EQ(kept.name.text, fresh.name.text) << smallest;
    }
}
