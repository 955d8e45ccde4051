#include <gtest/gtest.h>

#include <climits>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

#include "tests/support/AppTestSupport.h"
#include "widgets/dialogs/DlgDouble.h"
#include "widgets/dialogs/DlgInteger.h"
#include "widgets/dialogs/DlgString.h"

namespace {

// Runs the prompt through the dialog service; `type` goes into the edit and `button` ("id1" OK,
// "id2" Cancel) is pressed. Returns the dialog's result and what the edit showed when it opened.
template <class Dialog>
int runWith(AppTest::Sandbox& sandbox, Dialog& dialog, const QString& type, const char* button,
            QString* shown = nullptr)
{
    sandbox.dialogs.inspect = [&](QDialog& d) {
        auto* edit = d.findChild<QLineEdit*>("id1176");
        ASSERT_NE(edit, nullptr);
        if (shown)
            *shown = edit->text();
        edit->setText(type);
        d.findChild<QPushButton*>(button)->click();
    };
    return dialog.DoModal();
}

TEST(ValuePrompts, CaptionPromptAndObjectNamesReplaceTheTemplate)
{
    AppTest::Sandbox sandbox;
    CDlgInteger integer(100, L"Set Scale", L"Enter scale   1:", L"hidd_scale.htm");
    CDlgDouble real(1.0, 2, L"Shift Trace", L"Enter vertical offset in metres for trace:", L"hidd_shifttrace.htm");
    CDlgString text(L"x", L"New name", L"Name:", L"hidd_name.htm");
    sandbox.dialogs.inspect = [](QDialog& d) {
        EXPECT_NE(d.findChild<QPushButton*>("id57670"), nullptr);
        EXPECT_NE(d.findChild<QPushButton*>("id2"), nullptr);
    };
    integer.DoModal();
    real.DoModal();
    text.DoModal();
    EXPECT_EQ(sandbox.dialogs.shown, std::vector<QString>({"dlg309", "dlg166", "dlg320"}));
    EXPECT_EQ(integer.windowTitle(), "Set Scale");
    EXPECT_EQ(integer.promptLabel()->text(), "Enter scale   1:");
    EXPECT_EQ(real.windowTitle(), "Shift Trace");
    EXPECT_EQ(text.promptLabel()->text(), "Name:");
}

TEST(ValuePrompts, RealNumberShowsFixedDecimalsAndReadsTheLeadingNumber)
{
    AppTest::Sandbox sandbox;
    QString shown;
    CDlgDouble two(1234.5678, 2, L"c", L"p", L"t");
    EXPECT_EQ(runWith(sandbox, two, "  7.25m", "id1", &shown), QDialog::Accepted);
    EXPECT_EQ(shown, "1234.57");
    EXPECT_DOUBLE_EQ(two.value, 7.25);

    CDlgDouble none(1234.5678, 0, L"c", L"p", L"t");
    EXPECT_EQ(runWith(sandbox, none, "abc", "id1", &shown), QDialog::Accepted)
        << "text without a number closes with OK and no message";
    EXPECT_EQ(shown, "1235");
    EXPECT_DOUBLE_EQ(none.value, 1234.5678) << "the old value is kept";
    EXPECT_TRUE(sandbox.boxes.shown.empty());

    CDlgDouble three(12.5, 3, L"c", L"p", L"t");
    EXPECT_EQ(runWith(sandbox, three, "99", "id2", &shown), QDialog::Rejected);
    EXPECT_EQ(shown, "12.500");
    EXPECT_DOUBLE_EQ(three.value, 12.5) << "Cancel leaves the value";

    // A precision far beyond any number's digits (a damaged profile's) shows at most 30 decimals.
    CDlgDouble huge(1.5, INT_MAX, L"c", L"p", L"t");
    EXPECT_EQ(runWith(sandbox, huge, "2", "id1", &shown), QDialog::Accepted);
    EXPECT_EQ(shown, "1." + QString(30, '0').replace(0, 1, "5"));
}

TEST(ValuePrompts, IntegerRefusesTextThatIsNotAnIntegerAndStaysOpen)
{
    AppTest::Sandbox sandbox;
    CDlgInteger dialog(100, L"Set Scale", L"Enter scale   1:", L"hidd_scale.htm");
    QString shown;
    for (const char* bad : {"12x", "", "1.5", "99999999999"}) {
        sandbox.boxes.shown.clear();
        int result = runWith(sandbox, dialog, bad, "id1", &shown);
        EXPECT_NE(result, QDialog::Accepted) << bad;
        ASSERT_EQ(sandbox.boxes.shown.size(), 1u) << bad;
        EXPECT_EQ(sandbox.boxes.shown[0].text, L"Please enter an integer.");
        EXPECT_EQ(dialog.value, 100) << bad;
    }
    EXPECT_EQ(shown, "100");
    EXPECT_EQ(runWith(sandbox, dialog, " -250 ", "id1"), QDialog::Accepted);
    EXPECT_EQ(dialog.value, -250);
}

TEST(ValuePrompts, StringAcceptsEveryTextAndCancelKeepsTheValue)
{
    AppTest::Sandbox sandbox;
    CDlgString dialog(L"Coal", L"Rename", L"Name:", L"hidd_rename.htm");
    EXPECT_EQ(runWith(sandbox, dialog, "Sandstone \xC3\xA9", "id2"), QDialog::Rejected);
    EXPECT_EQ(dialog.value, L"Coal");
    EXPECT_EQ(runWith(sandbox, dialog, "", "id1"), QDialog::Accepted);
    EXPECT_EQ(dialog.value, L"") << "the empty text is a value too";
    EXPECT_TRUE(sandbox.boxes.shown.empty());
}

TEST(ValuePrompts, HelpKeyAndButtonOpenTheTopic)
{
    AppTest::Sandbox sandbox;
    CDlgDouble real(0, 2, L"c", L"p", L"hidd_setbasedepth.htm");
    CDlgString text(L"", L"c", L"p", L"hidd_newschema.htm");
    real.helpButton()->click();
    text.helpButton()->click();
    // F1 is the dialog's help shortcut.
    QShortcut* f1 = nullptr;
    for (QShortcut* shortcut : real.findChildren<QShortcut*>())
        if (shortcut->key() == QKeySequence(QKeySequence::HelpContents))
            f1 = shortcut;
    ASSERT_NE(f1, nullptr);
    emit f1->activated();
    EXPECT_EQ(sandbox.help.topics,
              std::vector<std::wstring>({L"hidd_setbasedepth.htm", L"hidd_newschema.htm", L"hidd_setbasedepth.htm"}));
}

} // namespace
