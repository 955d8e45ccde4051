// Paste Special, Relabel Sample Numbers, Sample Number, Save Both and the pane dialog.
#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include "dialogs/LoadBoreHole.h"
#include "dialogs/PasteSpecial.h"
#include "dialogs/Renumber.h"
#include "dialogs/SampleNumber.h"
#include "dialogs/SaveBoth.h"
#include "tests/support/AppTestSupport.h"
#include "widgets/dialogs/SpinButton.h"

namespace {

using namespace ORBAX_Logging;

template <class T>
T* child(QDialog& dialog, int id)
{
    T* found = dialog.findChild<T*>(QStringLiteral("id%1").arg(id));
    EXPECT_NE(found, nullptr) << id;
    return found;
}

// The labels whose text carries a mnemonic ("&" before a letter) but that have no control to take
// the focus: Qt shows their "&" as it stands.
QStringList mnemonicsWithoutBuddy(QWidget& dialog)
{
    QStringList found;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        QString text = label->text();
        text.replace(QStringLiteral("&&"), QString());
        if (text.contains(QLatin1Char('&')) && !label->buddy())
            found << label->text();
    }
    return found;
}

TEST(UnitDialogs, EveryMnemonicLabelTakesTheFocusToItsControl)
{
    AppTest::Sandbox sandbox;
    const std::vector<FieldDefinition> fields = {{ROCKTYPE, L"Rock"}, {STRING, L"Colour"}};
    CRenumber renumber(L"A-", 7, L"x", 4);
    CSampleNumber sample(L"S-010", L"S-001", L"S-009");
    CPasteSpecial paste(&fields);
    CSaveBoth both;
    LoadBoreHole pane;
    for (QDialog* dialog : std::initializer_list<QDialog*>{&renumber, &sample, &paste, &both, &pane})
        EXPECT_EQ(mnemonicsWithoutBuddy(*dialog), QStringList()) << dialog->objectName().toStdString();
    // The heading of the three Maintain boxes goes to the first of them.
    for (QLabel* label : renumber.findChildren<QLabel*>())
        if (label->text() == QStringLiteral("Maintain ori&ginal:")) {
            EXPECT_EQ(label->buddy(), child<QCheckBox>(renumber, 1165));
        }
}

TEST(PasteSpecialDialog, ListsPastableFieldsAndWidensTheSelectionToFieldIndexes)
{
    AppTest::Sandbox sandbox;
    const std::vector<FieldDefinition> fields = {{TOP, L"From"},      {BOTTOM, L"To"},      {ROCKTYPE, L"Rock"},
                                                 {SAMPLE, L"Sample"}, {PERCENTAGE, L"Pct"}, {THICKNESS, L"Thick"},
                                                 {RECOVERED, L"Rec"}, {STRING, L"Colour"}};
    CPasteSpecial dialog(&fields);
    dialog.selection = {false, true, true}; // lines Sample and Colour preselected
    sandbox.dialogs.inspect = [](QDialog& d) {
        auto* list = child<QListWidget>(d, 1245);
        ASSERT_EQ(list->count(), 3);
        EXPECT_EQ(list->item(0)->text(), "Rock");
        EXPECT_EQ(list->item(1)->text(), "Sample");
        EXPECT_EQ(list->item(2)->text(), "Colour");
        EXPECT_FALSE(list->item(0)->isSelected());
        EXPECT_TRUE(list->item(2)->isSelected());
        list->item(2)->setSelected(false);
        child<QPushButton>(d, 1)->click();
    };
    ASSERT_EQ(dialog.DoModal(), QDialog::Accepted);
    EXPECT_EQ(dialog.selection, std::vector<bool>({false, true, false}));
    EXPECT_EQ(dialog.GetSelectedFields(), std::vector<bool>({false, false, false, true, false, false, false, false}));
}

TEST(RenumberDialog, PadsTheNewNumberToTheWidthAndRefusesWhatIsNoNumber)
{
    AppTest::Sandbox sandbox;
    CRenumber dialog(L"A-", 7, L"x", 4);
    QString shown;
    sandbox.dialogs.inspect = [&](QDialog& d) {
        shown = child<QLineEdit>(d, 1003)->text();
        EXPECT_EQ(child<QLineEdit>(d, 1001)->text(), "7");
        EXPECT_EQ(child<QLineEdit>(d, 1164)->text(), "A-");
        EXPECT_TRUE(child<QCheckBox>(d, 1161)->isChecked());
        EXPECT_FALSE(child<QCheckBox>(d, 1166)->isChecked()) << "the maintain boxes start clear";
        // The width follows its edit; stepping down from 4 gives 3.
        child<QLineEdit>(d, 1009)->setText("2");
        EXPECT_EQ(child<QLineEdit>(d, 1003)->text(), "07");
        child<SpinButton>(d, 1170)->downButton()->click();
        EXPECT_EQ(child<QLineEdit>(d, 1009)->text(), "1");
        EXPECT_EQ(child<QLineEdit>(d, 1003)->text(), "7");
        child<QLineEdit>(d, 1009)->setText("0");
        child<QLineEdit>(d, 1003)->setText("12");
        child<QLineEdit>(d, 1004)->setText("-end");
        child<QPushButton>(d, 1)->click();
    };
    ASSERT_EQ(dialog.DoModal(), QDialog::Accepted);
    EXPECT_EQ(shown, "0007");
    EXPECT_EQ(dialog.newNumber, 12u);
    EXPECT_EQ(dialog.width, 0);
    EXPECT_EQ(dialog.newPostfix, L"-end");
    EXPECT_EQ(dialog.currentNumber, 7);

    for (const char* bad : {"-5", "abc", "1 2"}) {
        sandbox.boxes.shown.clear();
        CRenumber refused(L"", 3, L"", 2);
        sandbox.dialogs.inspect = [bad](QDialog& d) {
            child<QLineEdit>(d, 1003)->setText(bad);
            child<QPushButton>(d, 1)->click();
        };
        EXPECT_NE(refused.DoModal(), QDialog::Accepted) << bad;
        ASSERT_EQ(sandbox.boxes.shown.size(), 1u) << bad;
        EXPECT_EQ(sandbox.boxes.shown[0].text, L"Please enter an integer.");
        EXPECT_EQ(refused.newNumber, 3u) << bad;
    }
}

TEST(RenumberDialog, RefusesAWidthOutsideTheArrowsRange)
{
    AppTest::Sandbox sandbox;
    for (const char* bad : {"21", "-1", "5000000"}) {
        sandbox.boxes.shown.clear();
        CRenumber refused(L"S", 3, L"", 2);
        sandbox.dialogs.inspect = [bad](QDialog& d) {
            child<QLineEdit>(d, 1009)->setText(bad);
            child<QPushButton>(d, 1)->click();
        };
        EXPECT_NE(refused.DoModal(), QDialog::Accepted) << bad;
        ASSERT_EQ(sandbox.boxes.shown.size(), 1u) << bad;
        EXPECT_EQ(sandbox.boxes.shown[0].text, L"Please enter an integer between 0 and 20.");
        EXPECT_EQ(refused.width, 2) << bad;
    }
    CRenumber widest(L"S", 3, L"", 2);
    sandbox.dialogs.inspect = [](QDialog& d) {
        child<QLineEdit>(d, 1009)->setText("20");
        child<QPushButton>(d, 1)->click();
    };
    ASSERT_EQ(widest.DoModal(), QDialog::Accepted);
    EXPECT_EQ(widest.width, 20);
}

TEST(RenumberDialog, MaintainBoxesDisableWhatTheyKeep)
{
    AppTest::Sandbox sandbox;
    CRenumber dialog(L"P", 1, L"S", 3);
    sandbox.dialogs.inspect = [](QDialog& d) {
        child<QCheckBox>(d, 1166)->click();
        EXPECT_FALSE(child<QLineEdit>(d, 1003)->isEnabled());
        EXPECT_FALSE(child<QCheckBox>(d, 1161)->isEnabled());
        EXPECT_FALSE(child<QLineEdit>(d, 1009)->isEnabled());
        EXPECT_FALSE(child<SpinButton>(d, 1170)->isEnabled());
        EXPECT_TRUE(child<QLineEdit>(d, 1164)->isEnabled());
        child<QCheckBox>(d, 1165)->click();
        EXPECT_FALSE(child<QLineEdit>(d, 1164)->isEnabled());
        EXPECT_TRUE(child<QLineEdit>(d, 1004)->isEnabled());
        child<QPushButton>(d, 2)->click();
    };
    EXPECT_EQ(dialog.DoModal(), QDialog::Rejected);
    EXPECT_FALSE(dialog.maintainNumber) << "Cancel takes nothing back";
}

TEST(SmallDialogs, SampleNumberSaveBothAndPane)
{
    AppTest::Sandbox sandbox;
    CSampleNumber sample(L"S-010", L"S-001", L"S-009");
    sandbox.dialogs.inspect = [](QDialog& d) {
        EXPECT_EQ(child<QLineEdit>(d, 1104)->text(), "S-001");
        EXPECT_TRUE(child<QLineEdit>(d, 1105)->isReadOnly());
        EXPECT_EQ(child<QLineEdit>(d, 1106)->text(), "S-010");
        child<QLineEdit>(d, 1106)->setText("");
        child<QPushButton>(d, 1)->click();
    };
    ASSERT_EQ(sample.DoModal(), QDialog::Accepted);
    EXPECT_EQ(sample.nextValue, L"");

    CSaveBoth both;
    sandbox.dialogs.inspect = [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "QUOR_Log");
        child<QCheckBox>(d, 1181)->setChecked(true);
        child<QPushButton>(d, 1)->click();
    };
    ASSERT_EQ(both.DoModal(), QDialog::Accepted);
    EXPECT_EQ(both.saveLeft, 0);
    EXPECT_EQ(both.saveRight, 1);

    LoadBoreHole pane;
    pane.side = 1;
    sandbox.dialogs.inspect = [](QDialog& d) {
        EXPECT_TRUE(child<QRadioButton>(d, 1043)->isChecked());
        child<QRadioButton>(d, 1042)->setChecked(true);
        child<QPushButton>(d, 2)->click();
    };
    EXPECT_EQ(pane.DoModal(), QDialog::Rejected);
    EXPECT_EQ(pane.side, 1) << "Cancel keeps the side";
    EXPECT_EQ(sandbox.dialogs.shown, std::vector<QString>({"dlg159", "dlg190", "dlg324"}));
}

} // namespace
