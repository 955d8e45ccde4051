#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include <QPainter>

#include "docview/view/QuorView.h"
#include "platform/qt/Graphics.h"
#include "tests/support/CurveSupport.h"
#include "tests/support/PaintSupport.h"

namespace {

constexpr double kRowsPerMm = 96 / 25.4;

// `rows` samples from depth 10 m, `step` metres apart: noise on a slow wave, null on rows 1500 to 1799
// and around row 2500, which stands alone between nulls.
std::string Log(int rows, double step)
{
    std::ostringstream out;
    out.precision(10);
    out << "~Version\nVERS. 2.0 : v\nWRAP. NO : w\n~Well\nSTRT.M 10 : s\nSTOP.M " << 10 + (rows - 1) * step
        << " : s\nSTEP.M " << step << " : s\nNULL. -999.25 : n\n~Curve\nDEPT.M : d\nGR.API : g\n~A\n";
    unsigned random = 7;
    for (int r = 0; r < rows; ++r) {
        random = random * 1664525u + 1013904223u;
        const bool null = (r >= 1500 && r < 1800) || (r >= 2490 && r <= 2510 && r != 2500);
        out << 10 + r * step << ' ' << (null ? -999.25 : 50 + 30 * std::sin(r / 70.0) + (random >> 24) % 20) << '\n';
    }
    return out.str();
}

// The curve over 10 m to 10 m + `metres` at 1:`denominator`, drawn as the view draws it on the screen
// or every row as one point of the lines.
QImage Render(const LasProperty& las, const CurveProperty& curve, double metres, double denominator, bool everyRow)
{
    const double scale = denominator / 1000;
    const int height = static_cast<int>(metres / scale * kRowsPerMm) + 4;
    QImage image = PaintTest::MakeCanvas(200, height, kRowsPerMm, 0xFFFFFFFFu);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    ORBAX_Platform::Graphics graphics(painter);
    graphics.setWorldTransform(QTransform::fromTranslate(5, 0.6 - 10 / scale));
    QPen pen(Qt::black, 0);
    pen.setCosmetic(true);
    if (everyRow) {
        painter.setPen(pen);
        PaintTest::DrawEverySample(painter, las, curve, 40.0f, scale);
    } else {
        const QTransform toDevice = graphics.worldToDevice();
        CurvePolylines polylines;
        curve.DrawingPolylines(10, 10 + metres, 40.0f, scale, toDevice.m22(), std::round(toDevice.dy() * 1024) / 1024,
                               polylines);
        CQuorView::DrawCurvePolyline(graphics, pen, polylines);
    }
    return image;
}

} // namespace

TEST(CurveOnScreen, DenseRowsInkWhatEveryLineInksAndSparseRowsAreTheLinesThemselves)
{
    // 1 mm samples at 1:250 and 1:2500: tens and hundreds of samples on each device row, filled; at
    // 1:10 two or three, rows filled and rows drawn as lines by turns.
    LasProperty dense;
    std::wstring error;
    ASSERT_EQ(dense.read_bytes(Log(4000, 0.001), L"dense.las", error), 0);
    CurveProperty& gr = dense.curves().at(1);
    gr.smoothing = false;
    for (double denominator : {10.0, 250.0, 2500.0}) {
        const QImage all = Render(dense, gr, 4, denominator, true);
        const QImage few = Render(dense, gr, 4, denominator, false);
        int inked = 0;
        for (int y = 0; y < few.height(); ++y)
            for (int x = 0; x < few.width(); ++x)
                inked += qGray(few.pixel(x, y)) < 128;
        EXPECT_GT(inked, 100) << "1:" << denominator;
        EXPECT_EQ(PaintTest::StrayInk(all, few), 0) << "1:" << denominator;
        EXPECT_EQ(PaintTest::StrayInk(few, all), 0) << "1:" << denominator;
    }
    // The null rows stay blank at 1:250: rows 1500 to 1799 are 1.2 mm, four device rows, of nothing
    // between the curve's parts.
    const QImage few = Render(dense, gr, 4, 250, false);
    const int row = static_cast<int>(std::floor((0.6 + 1.65 / 0.25) * kRowsPerMm));
    for (int x = 0; x < few.width(); ++x)
        EXPECT_GE(qGray(few.pixel(x, row)), 200) << "x " << x;

    // 10 cm samples at 1:100: each on its own device rows, drawn as the very lines.
    LasProperty sparse;
    ASSERT_EQ(sparse.read_bytes(Log(800, 0.1), L"sparse.las", error), 0);
    CurveProperty& coarse = sparse.curves().at(1);
    coarse.smoothing = false;
    // (Below the stretch asked for, the lines drawn end where every row's go on.)
    const QImage lines = Render(sparse, coarse, 20, 100, false);
    const QRect inside(0, 0, lines.width(), lines.height() - 8);
    EXPECT_EQ(lines.copy(inside), Render(sparse, coarse, 20, 100, true).copy(inside));
}
