#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "editors/hatchlists/NewRecordDialog.h"
#include "tests/support/AppTestSupport.h"

namespace {

template <class T>
T* Find(QDialog& dialog, const char* name)
{
    T* found = dialog.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

void Choose(QComboBox* combo, const QString& text)
{
    const int index = combo->findText(text);
    ASSERT_GE(index, 0);
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

} // namespace

TEST(NewHatchList, OkNeedsANameAndWhenCopyingAChosenSourceListedInSortedOrder)
{
    AppTest::Sandbox sandbox;
    CNewHatchList dialog({L"shallow", L"Deep", L"basin"});
    dialog.DoModal(); // opens and hands the dialog back at once: the test is the user
    EXPECT_EQ(dialog.objectName(), "dlg321");
    auto* name = Find<QLineEdit>(dialog, "id1174");
    auto* check = Find<QCheckBox>(dialog, "id1310");
    auto* source = Find<QComboBox>(dialog, "id1274");
    auto* ok = Find<QPushButton>(dialog, "id1");
    ASSERT_EQ(source->count(), 3);
    EXPECT_EQ(source->itemText(0), "basin");
    EXPECT_EQ(source->itemText(1), "Deep");
    EXPECT_EQ(source->currentIndex(), -1);
    EXPECT_FALSE(source->isEnabled());
    EXPECT_FALSE(ok->isEnabled());

    name->setText(QStringLiteral("Deep")); // a duplicate is the caller's to refuse
    EXPECT_TRUE(ok->isEnabled());
    check->click();
    EXPECT_TRUE(source->isEnabled());
    EXPECT_FALSE(ok->isEnabled());
    Choose(source, QStringLiteral("shallow"));
    EXPECT_TRUE(ok->isEnabled());
    name->clear();
    EXPECT_FALSE(ok->isEnabled());
    name->setText(QStringLiteral("Copy of shallow"));
    ok->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(dialog.copy);
    EXPECT_EQ(dialog.copyFrom, L"shallow");
    EXPECT_EQ(dialog.newName, L"Copy of shallow");
}

TEST(NewSchema, TypingASourceEnablesNothingButIsWhatTheDialogReturns)
{
    AppTest::Sandbox sandbox;
    CNewSchema dialog({L"Basic", L"Coal"});
    dialog.DoModal();
    EXPECT_EQ(dialog.objectName(), "dlg317");
    auto* source = Find<QComboBox>(dialog, "id1241");
    ASSERT_TRUE(source->isEditable());
    Find<QLineEdit>(dialog, "id1309")->setText(QStringLiteral("Mine"));
    Find<QCheckBox>(dialog, "id1310")->click();
    source->setEditText(QStringLiteral("Coa"));
    EXPECT_FALSE(Find<QPushButton>(dialog, "id1")->isEnabled());
    Choose(source, QStringLiteral("Coal"));
    source->setEditText(QStringLiteral("Coal seam"));
    EXPECT_TRUE(Find<QPushButton>(dialog, "id1")->isEnabled());
    Find<QPushButton>(dialog, "id1")->click();
    EXPECT_EQ(dialog.copyFrom, L"Coal seam"); // the caller copies only from an exact match
    Find<QPushButton>(dialog, "id57670")->click();
    EXPECT_EQ(sandbox.help.contexts, std::vector<unsigned>({0x20000u + 317}));
}
