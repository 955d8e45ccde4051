#include <gtest/gtest.h>

#include "core/catalogue/Messages.h"
#include "widgets/dialogs/FileFilters.h"

namespace {

TEST(FileFilters, StoredFiltersBecomeTheFileDialogsAndBack)
{
    const QStringList filters = QtFileFilters(ORBAX_Utilities::get_message_wide(211));
    EXPECT_EQ(filters.join(QStringLiteral(";;")),
              "Enhanced metafiles (*.emf *.EMF);;JPG files (*.jpg *.JPG *.jpeg *.JPEG);;TIFF files (*.tiff *.TIFF);;"
              "Bitmap files (*.bmp *.BMP);;All files (*)");
    EXPECT_EQ(FileFilterAt(filters, 2), "JPG files (*.jpg *.JPG *.jpeg *.JPEG)");
    EXPECT_EQ(FileFilterPosition(filters, "All files (*)"), 5);
    // Positions that the profile may hold but the list does not: the first filter.
    EXPECT_EQ(FileFilterAt(filters, 0), filters.front());
    EXPECT_EQ(FileFilterAt(filters, 9), filters.front());
    EXPECT_EQ(FileFilterPosition(filters, "Text (*.txt)"), 1);
    EXPECT_TRUE(QtFileFilters(L"").isEmpty());
    EXPECT_EQ(FileFilterAt(QStringList(), 1), QString());
    EXPECT_EQ(QtFileFilters(L"Prolog files|*.*||").join(";;"), "Prolog files (*)");
    // A pattern stored in capitals also finds names in small letters; a refused entry is left out.
    EXPECT_EQ(QtFileFilters(L"LAS files (*.LAS)|*.LAS|Text|*.txt||",
                            [](const QStringList& patterns) { return !patterns.contains("*.txt"); })
                  .join(";;"),
              "LAS files (*.LAS *.las)");
}

} // namespace
