#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <sstream>

#include <QImage>
#include <QPainter>

#include "config/traces/LasProperty.h"
#include "tests/support/CurveSupport.h"
#include "tests/support/PaintSupport.h"

namespace {

// A high-resolution log: `rows` rows 1 mm apart from depth 10, one curve GR of noise on a slow wave,
// null on rows 5000 to 5099 and around row 7000, which stands alone between nulls.
std::string DenseLas(int rows)
{
    std::ostringstream out;
    out << "~Version\nVERS. 2.0 : v\nWRAP. NO : w\n~Well\nSTRT.M 10 : s\nSTOP.M " << 10 + (rows - 1) * 0.001
        << " : s\nSTEP.M 0.001 : s\nNULL. -999.25 : n\n~Curve\nDEPT.M : d\nGR.API : g\n~A\n";
    out.precision(10);
    unsigned random = 7;
    for (int r = 0; r < rows; ++r) {
        random = random * 1664525u + 1013904223u;
        const bool null = (r >= 5000 && r < 5100) || (r >= 6990 && r <= 7010 && r != 7000);
        const double value = 50 + 30 * std::sin(r / 700.0) + (random >> 24) % 20;
        out << 10 + r * 0.001 << ' ' << (null ? -999.25 : value) << '\n';
    }
    return out.str();
}

class CurveDrawing : public ::testing::Test {
protected:
    CurveDrawing()
    {
        std::wstring error;
        EXPECT_EQ(las.read_bytes(DenseLas(20000), L"dense.las", error), 0);
        curve = &las.curves().at(1);
        curve->smoothing = false;
    }

    // The device row of a point drawn at 96 dpi, the plot's top 2.3 rows down.
    double RowOf(double y) const { return std::floor(kRowsPerMm * y + 2.3); }

    CurvePolylines Draw(double top, double bottom) const
    {
        CurvePolylines polylines;
        curve->DrawingPolylines(top, bottom, 50.0f, kScale, kRowsPerMm, 2.3, polylines);
        return polylines;
    }

    static constexpr double kScale = 0.25; // 1:250
    static constexpr double kRowsPerMm = 96 / 25.4;
    LasProperty las;
    CurveProperty* curve = nullptr;
};

} // namespace

TEST_F(CurveDrawing, EachDeviceRowGetsAtMostFourPointsSpanningItsValues)
{
    const CurvePolylines drawn = Draw(10, 40);
    // Every row of the log as drawn one by one, in runs: the lowest and highest x of the rows of runs
    // of two or more on each device row, which the few points drawn there must span exactly.
    std::map<double, std::pair<double, double>> expected;
    const int rows = las.row_count();
    for (int r = 0; r < rows; ++r) {
        const bool present = !std::isnan(curve->DrawnValue(r));
        const bool inRun = present && ((r > 0 && !std::isnan(curve->DrawnValue(r - 1))) ||
                                       (r + 1 < rows && !std::isnan(curve->DrawnValue(r + 1))));
        if (!inRun)
            continue;
        const PointF p = curve->PointAt(r, 50.0f, kScale);
        auto [it, made] = expected.emplace(RowOf(p.Y), std::make_pair(double(p.X), double(p.X)));
        if (!made)
            it->second = {std::min<double>(it->second.first, p.X), std::max<double>(it->second.second, p.X)};
    }
    std::map<double, std::pair<double, double>> got;
    std::map<double, int> pointsPerRow;
    int from = 0;
    for (int end : drawn.ends) {
        ASSERT_GE(end - from, 2) << "a run draws a line";
        for (int i = from; i < end; ++i) {
            const QPointF& p = drawn.points[static_cast<std::size_t>(i)];
            const double row = RowOf(p.y());
            if (i > from) {
                EXPECT_GE(row, RowOf(drawn.points[static_cast<std::size_t>(i - 1)].y())) << "runs go down";
            }
            ++pointsPerRow[row];
            auto [it, made] = got.emplace(row, std::make_pair(p.x(), p.x()));
            if (!made)
                it->second = {std::min(it->second.first, p.x()), std::max(it->second.second, p.x())};
        }
        from = end;
    }
    ASSERT_EQ(got.size(), expected.size());
    for (const auto& [row, span] : expected) {
        ASSERT_TRUE(got.count(row)) << "device row " << row;
        EXPECT_NEAR(got[row].first, span.first, 1e-3) << "device row " << row;
        EXPECT_NEAR(got[row].second, span.second, 1e-3) << "device row " << row;
    }
    for (const auto& [row, count] : pointsPerRow)
        EXPECT_LE(count, 8) << "device row " << row << ": four points, twice where a null splits the row";
    // 20,000 rows on some 300 device rows.
    EXPECT_LT(drawn.points.size(), 1500u);
    // The nulls end runs: three runs, and row 7000 on its own draws nothing.
    EXPECT_EQ(drawn.ends.size(), 3u);
    const PointF lone = curve->PointAt(7000, 50.0f, kScale);
    for (const QPointF& p : drawn.points)
        EXPECT_FALSE(p.x() == lone.X && p.y() == lone.Y);
}

TEST_F(CurveDrawing, APartDrawnAloneIsThatPartOfTheWholeAndLooksLikeEveryRowDrawn)
{
    // The rows of 14 m to 16 m drawn alone give the same points, inside that stretch, as the whole log.
    auto inside = [&](const CurvePolylines& drawn) {
        std::vector<std::pair<double, double>> points;
        const double top = RowOf((14 + 0.5) / kScale);
        const double bottom = RowOf((16 - 0.5) / kScale);
        for (const QPointF& p : drawn.points)
            if (RowOf(p.y()) >= top && RowOf(p.y()) <= bottom)
                points.emplace_back(p.x(), p.y());
        return points;
    };
    EXPECT_EQ(inside(Draw(14, 16)), inside(Draw(10, 40)));

    // The smoothed values are drawn where smoothing is on.
    curve->smoothing = true;
    curve->smoothingWindow = 40;
    const CurvePolylines smoothed = Draw(10, 12);
    const PointF first = curve->PointAt(0, 50.0f, kScale);
    ASSERT_FALSE(smoothed.points.empty());
    EXPECT_NEAR(smoothed.points[0].x(), first.X, 1e-3);

    // On paper of 1200 dots an inch each dot row holds a row or two, drawn as they are; on the screen
    // the few points per row ink the pixels that every row drawn would ink.
    curve->smoothing = false;
    auto render = [&](bool everyRow) {
        QImage image = PaintTest::MakeCanvas(200, 500, kRowsPerMm, 0xFFFFFFFFu);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        // Whole device rows up from the rows the points were gathered on, so that they stay gathered.
        const double up = std::round((10 + 0.7) / kScale * kRowsPerMm);
        painter.setTransform(QTransform::fromScale(kRowsPerMm, kRowsPerMm) * QTransform::fromTranslate(10, 2.3 - up));
        // The view's hairline: thinner than a pixel, so drawn one pixel wide.
        QPen pen(Qt::black, 0);
        pen.setCosmetic(true);
        painter.setPen(pen);
        if (everyRow) {
            PaintTest::DrawEverySample(painter, las, *curve, 50.0f, kScale);
        } else {
            const CurvePolylines drawn = Draw(10, 40);
            int from = 0;
            for (int end : drawn.ends) {
                painter.drawPolyline(drawn.points.data() + from, end - from);
                from = end;
            }
        }
        return image;
    };
    const QImage all = render(true);
    const QImage few = render(false);
    // Every pixel the one inks has ink next to it in the other: they differ by a shade at the edges,
    // where a pixel-wide line over many rows spills into the next device row.
    int inked = 0;
    for (int y = 0; y < all.height(); ++y)
        for (int x = 0; x < all.width(); ++x)
            inked += qGray(all.pixel(x, y)) < 128;
    ASSERT_GT(inked, 1000);
    EXPECT_EQ(PaintTest::StrayInk(all, few), 0);
    EXPECT_EQ(PaintTest::StrayInk(few, all), 0);
}
