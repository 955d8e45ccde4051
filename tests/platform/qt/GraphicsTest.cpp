#include <gtest/gtest.h>

#include "platform/qt/Graphics.h"
#include "tests/support/PaintSupport.h"

namespace {

// The rows between the first and the last that hold a pixel of the colour; 0 when none does.
int InkHeight(const QImage& image, QRgb colour)
{
    int top = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == colour) {
                if (top < 0)
                    top = y;
                bottom = y;
            }
    return top < 0 ? 0 : bottom - top + 1;
}

} // namespace

TEST(Graphics, FontsKeepTheirPointSizeUnderTheMillimetreUnit)
{
    PaintTest::EnsureGuiApplication();
    const QFont font = ORBAX_Platform::CreateNamedFont(QStringLiteral("No Such Family 12345"), 24);
    EXPECT_FALSE(font.family().isEmpty());
    EXPECT_DOUBLE_EQ(font.pointSizeF(), 24);

    // 24 points are 8.47 mm: about 85 pixels at 10 pixels per millimetre, whichever unit is set.
    int heights[2] = {0, 0};
    for (int pass = 0; pass < 2; ++pass) {
        QImage canvas = PaintTest::MakeCanvas(600, 300, 10, 0xFFFFFFFFu);
        QPainter painter(&canvas);
        ORBAX_Platform::Graphics graphics(painter);
        QRectF rect(0, 0, 60, 30);
        if (pass == 1) {
            graphics.setPageUnit(ORBAX_Platform::PageUnit::Pixel);
            rect = QRectF(0, 0, 600, 300);
        }
        graphics.drawTextCentred(QStringLiteral("Hg"), font, 0xFF000000u, rect);
        painter.end();
        heights[pass] = InkHeight(canvas, 0xFF000000u);
    }
    EXPECT_GT(heights[0], 40);
    EXPECT_LT(heights[0], 100);
    EXPECT_NEAR(heights[0], heights[1], heights[1] * 0.1) << "hinting differs a little between the scales";
}

TEST(Graphics, StateRestoresClipTransformAndUnit)
{
    QImage canvas = PaintTest::MakeCanvas(100, 100, 10);
    QPainter painter(&canvas);
    ORBAX_Platform::Graphics graphics(painter);
    graphics.setWorldTransform(QTransform::fromTranslate(1, 1));
    {
        ORBAX_Platform::GraphicsState state(graphics);
        graphics.intersectClip(QRectF(0, 0, 2, 2));
        graphics.setPageUnit(ORBAX_Platform::PageUnit::Pixel);
        graphics.resetWorldTransform();
        graphics.fillRect(QRectF(0, 0, 100, 100), 0xFF000000u);
    }
    EXPECT_EQ(graphics.pageUnit(), ORBAX_Platform::PageUnit::Millimetre);
    EXPECT_EQ(graphics.worldTransform(), QTransform::fromTranslate(1, 1));
    EXPECT_FALSE(graphics.hasClip());
    graphics.fillRect(QRectF(5, 5, 1, 1), 0xFFFFFFFFu); // device 60..70
    painter.end();

    EXPECT_EQ(canvas.pixel(5, 5), 0xFF808080u) << "the clip lay at (1 mm, 1 mm) in the translated world";
    EXPECT_EQ(canvas.pixel(15, 15), 0xFF000000u);
    EXPECT_EQ(canvas.pixel(35, 35), 0xFF808080u);
    EXPECT_EQ(canvas.pixel(65, 65), 0xFFFFFFFFu);
}
