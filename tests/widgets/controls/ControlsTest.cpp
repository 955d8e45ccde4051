#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QImage>

#include "config/HatchList.h"
#include "tests/support/AppTestSupport.h"
#include "widgets/controls/ColourComboBox.h"
#include "widgets/controls/ColourListBox.h"
#include "widgets/controls/ColourPatch.h"
#include "widgets/controls/HatchComboBox.h"
#include "widgets/controls/HatchListBox.h"

namespace {

struct PatternTables {
    BitmapTable bitmaps;
    VectorTable vectors;
    InbuiltPatternList inbuilts;
};

// Distinct colours for the bands and the selection, so that pixels tell them apart.
QPalette TestPalette()
{
    QPalette palette;
    palette.setColor(QPalette::Light, QColor(0xFF, 0xF0, 0xC0));
    palette.setColor(QPalette::Base, QColor(0xC0, 0xF0, 0xFF));
    palette.setColor(QPalette::Highlight, QColor(0x20, 0x40, 0x80));
    return palette;
}

QImage Shown(QWidget& widget)
{
    widget.show();
    QApplication::processEvents();
    return widget.grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

TEST(OwnerDrawLists, AReleasedItemsPlaceServesANewItemWithoutTheOldColour)
{
    CColourListBox list;
    list.AddString(QStringLiteral("first"), 0);
    list.AddString(QStringLiteral("second"), 1);
    list.SetItemColour(1, 0xFFFF0000u);
    EXPECT_TRUE(list.HasItemColour(1));
    list.ReleaseItem(1);
    EXPECT_EQ(list.InsertString(1, QStringLiteral("third"), 5), 1);
    EXPECT_FALSE(list.HasItemColour(1));
    EXPECT_EQ(list.ItemData(1), 5);
    EXPECT_EQ(list.ItemData(7), -1);

    CColourComboBox combo;
    combo.setSorted(true);
    combo.AddString(QStringLiteral("b"), 0);
    combo.AddString(QStringLiteral("A"), 1);
    combo.SetItemColour(0, 0xFFFF0000u);
    combo.ReleaseItem(0);
    EXPECT_EQ(combo.AddString(QStringLiteral("a"), 2), 0);
    EXPECT_FALSE(combo.HasItemColour(0));
    EXPECT_EQ(combo.ItemData(1), 0);
    combo.ResetContent();
    EXPECT_EQ(combo.count(), 0);
    EXPECT_EQ(combo.GetCurSel(), -1);
}

TEST(OwnerDrawLists, RowsAreBandedTheSelectedRowHighlightedWhateverItsIndex)
{
    CColourListBox list;
    list.setPalette(TestPalette());
    list.resize(200, 120);
    for (int i = 0; i < 3; ++i)
        list.AddString(QStringLiteral("r"), i);
    list.SetItemColour(2, 0xFF00FF00u);
    list.SetCurSel(2);
    const QImage image = Shown(list);
    auto colourOfRow = [&](int row) {
        const QRect r = list.visualItemRect(list.item(row));
        const QPoint p = list.viewport()->mapTo(&list, QPoint(r.right() - 20, r.center().y()));
        return QColor(image.pixel(p));
    };
    EXPECT_EQ(colourOfRow(0), TestPalette().color(QPalette::Light));
    EXPECT_EQ(colourOfRow(1), TestPalette().color(QPalette::Base));
    EXPECT_EQ(colourOfRow(2), TestPalette().color(QPalette::Highlight));
}

TEST(OwnerDrawLists, ItemHeightsFollowTheTextHatchComboRowsAreTwoLines)
{
    PatternTables tables;
    CHatchListBox list(&tables.vectors, &tables.bitmaps, &tables.inbuilts);
    list.resize(300, 200);
    list.AddString(QStringLiteral("Sandstone"), 0);
    list.AddString(QStringLiteral("Sandstone\n IsoVector (dots)"), 1);
    const int one = list.sizeHintForRow(0);
    const int two = list.sizeHintForRow(1);
    EXPECT_GE(two, 2 * one - 2);
    EXPECT_LE(two, 2 * one + 2);

    CHatchComboBox combo(&tables.vectors, &tables.bitmaps, &tables.inbuilts);
    combo.AddString(QStringLiteral("Sandstone"), 0);
    EXPECT_EQ(combo.view()->sizeHintForRow(0), 2 * QFontMetrics(combo.view()->font()).height());
}

TEST(OwnerDrawLists, SwatchWidthIsAThirdOfTheWidthAtTheFirstHatchAndStaysOnResize)
{
    PatternTables tables;
    CHatchListBox list(&tables.vectors, &tables.bitmaps, &tables.inbuilts);
    EXPECT_EQ(list.objectName(), "id1273");
    list.setFrameShape(QFrame::NoFrame);
    list.resize(300, 200);
    list.AddString(QStringLiteral("Coal"), 0);
    EXPECT_EQ(list.swatchWidth(), -1);
    list.SetItemHatch(0, L"Black", HatchListEntry::Inbuilt);
    EXPECT_EQ(list.swatchWidth(), 100);
    list.resize(600, 200);
    list.SetItemHatch(0, L"Red", HatchListEntry::Inbuilt);
    EXPECT_EQ(list.swatchWidth(), 100);
}

TEST(OwnerDrawLists, SwatchShowsTheResolvedPatternOutlinedAndNothingForAnUnknownName)
{
    PatternTables tables;
    CHatchListBox list(&tables.vectors, &tables.bitmaps, &tables.inbuilts);
    list.setPalette(TestPalette());
    list.setFrameShape(QFrame::NoFrame);
    list.resize(300, 200);
    list.AddString(QStringLiteral("Red rock\n Inbuilt (red)"), 0);
    list.AddString(QStringLiteral("Lost rock\n Bitmap (gone)"), 1);
    list.SetItemHatch(0, L"red", HatchListEntry::Inbuilt); // names resolve ignoring case
    list.SetItemHatch(1, L"gone", HatchListEntry::Bitmap);
    const QImage image = Shown(list);

    const QRect first = list.visualItemRect(list.item(0));
    const int swatchLeft = first.x() + first.width() - 1 - 100 - 1;
    EXPECT_EQ(image.pixel(swatchLeft + 50, first.center().y()), 0xFFFF0000u);
    EXPECT_EQ(image.pixel(swatchLeft, first.center().y()), 0xFF000000u); // the one-pixel outline
    EXPECT_EQ(QColor(image.pixel(swatchLeft - 4, first.center().y())), TestPalette().color(QPalette::Light));

    const QRect second = list.visualItemRect(list.item(1));
    EXPECT_EQ(QColor(image.pixel(swatchLeft + 50, second.center().y())), TestPalette().color(QPalette::Base));
    EXPECT_EQ(QColor(image.pixel(swatchLeft, second.center().y())), TestPalette().color(QPalette::Base));
}

TEST(OwnerDrawLists, ClosedHatchComboShowsTheChosenItemsSwatch)
{
    PatternTables tables;
    CHatchComboBox combo(&tables.vectors, &tables.bitmaps, &tables.inbuilts);
    combo.resize(240, 40);
    combo.AddString(QStringLiteral("Red rock"), 0);
    combo.SetItemHatch(0, L"Red", HatchListEntry::Inbuilt);
    combo.SetCurSel(0);
    const QImage image = Shown(combo);
    int red = 0;
    for (int x = 0; x < image.width(); ++x)
        red += image.pixel(x, image.height() / 2) == 0xFFFF0000u;
    EXPECT_GT(red, combo.swatchWidth() / 2);
}

TEST(ColourPatch, FillsItselfWithItsColour)
{
    CColourPatch patch;
    patch.resize(30, 20);
    patch.colour = 0xFFF5DEB3u;
    const QImage image = Shown(patch);
    EXPECT_EQ(image.pixel(15, 10), 0xFFF5DEB3u);
}
