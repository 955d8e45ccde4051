// The View page: the tolerance table, the precision warning, values outside the arrows' range kept,
// and refused numbers keeping the sheet open.
#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "app/QuorApp.h"
#include "dialogs/OptionsView.h"
#include "tests/support/AppTestSupport.h"

namespace {

template <class T>
T* control(QWidget* page, int id)
{
    return page->findChild<T*>(QStringLiteral("id%1").arg(id));
}

void choose(QComboBox* combo, int index)
{
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

TEST(OptionsView, ToleranceAndPrecisionWarning)
{
    EXPECT_EQ(COptionsView::DecimalsNeeded(1000), 3);
    EXPECT_EQ(COptionsView::DecimalsNeeded(500), 3);
    EXPECT_EQ(COptionsView::DecimalsNeeded(100), 2);
    EXPECT_EQ(COptionsView::DecimalsNeeded(20), 2);
    EXPECT_EQ(COptionsView::DecimalsNeeded(10), 1);
    EXPECT_EQ(COptionsView::DecimalsNeeded(2), 1);
    EXPECT_EQ(COptionsView::DecimalsNeeded(1), 0);

    AppTest::Sandbox sandbox;
    CQuorApp app;
    PropertySheet sheet(L"QUOR_Log Options");
    auto* page = new COptionsView(true, false, 100, 250, 0.05, 1, 1, 12);
    sheet.AddPage(page);
    sandbox.dialogs.inspect = [&](QDialog&) {
        EXPECT_EQ(page->objectName(), "dlg314");
        auto* tolerance = control<QComboBox>(page, 1047);
        ASSERT_EQ(tolerance->count(), 10);
        EXPECT_EQ(tolerance->itemText(9), "1.0");
        EXPECT_EQ(tolerance->currentText(), "0.01");
        EXPECT_EQ(control<QLineEdit>(page, 1044)->text(), "250");
        EXPECT_TRUE(control<QCheckBox>(page, 1149)->isChecked());
        EXPECT_TRUE(control<QRadioButton>(page, 139)->isChecked());
        // 0.01 needs two places and one is shown.
        EXPECT_TRUE(page->PrecisionWarningShown());
        control<QLineEdit>(page, 1230)->setText("2");
        EXPECT_FALSE(page->PrecisionWarningShown());
        choose(tolerance, 0); // 0.001
        EXPECT_EQ(page->m_toleranceDivisor, 1000);
        EXPECT_TRUE(page->PrecisionWarningShown());
        control<QLineEdit>(page, 1230)->setText("x");
        EXPECT_TRUE(page->PrecisionWarningShown());
        choose(tolerance, 9); // 1.0 needs none
        EXPECT_FALSE(page->PrecisionWarningShown());
        control<QLineEdit>(page, 1230)->setText("4");
        control<QRadioButton>(page, 1001)->setChecked(true);
        control<QLineEdit>(page, 1045)->setText(" 0.02 ");
        sheet.accept();
    };
    ASSERT_EQ(sheet.DoModal(), QDialog::Accepted);
    EXPECT_EQ(page->m_toleranceDivisor, 1);
    EXPECT_EQ(page->m_depthPrecision, 4);
    // A precision beyond the arrows' range survives OK.
    EXPECT_EQ(page->m_tracePrecision, 12);
    EXPECT_EQ(page->m_insertMode, 0);
    EXPECT_DOUBLE_EQ(page->m_minimumThickness, 0.02);
    EXPECT_DOUBLE_EQ(page->m_scale, 250);
    EXPECT_TRUE(page->m_ruler);
    EXPECT_FALSE(page->m_fineScroll);
}

TEST(OptionsView, DivisorOutsideTheTableAndRefusedNumbers)
{
    AppTest::Sandbox sandbox;
    CQuorApp app;
    PropertySheet sheet(L"QUOR_Log Options");
    auto* page = new COptionsView(false, true, 3, 100, 0.01, 0, 2, 1);
    sheet.AddPage(page);
    int attempts = 0;
    sandbox.dialogs.inspect = [&](QDialog& dialog) {
        EXPECT_EQ(control<QComboBox>(page, 1047)->currentIndex(), -1);
        // 1/3 m would need one place: none is missing.
        EXPECT_FALSE(page->PrecisionWarningShown());
        for (const char* bad : {"0", "-100", "1:100"}) {
            control<QLineEdit>(page, 1044)->setText(QString::fromLatin1(bad));
            sheet.accept();
            ++attempts;
            EXPECT_EQ(dialog.result(), -1) << bad << ": the sheet stays open";
        }
        control<QLineEdit>(page, 1044)->setText("500");
        sheet.accept();
    };
    ASSERT_EQ(sheet.DoModal(), QDialog::Accepted);
    ASSERT_EQ(sandbox.boxes.shown.size(), 3u);
    EXPECT_EQ(sandbox.boxes.shown[0].text, L"Please enter a scale greater than 0.");
    EXPECT_EQ(sandbox.boxes.shown[1].text, L"Please enter a scale greater than 0.");
    EXPECT_EQ(sandbox.boxes.shown[2].text, L"Please enter a number.");
    // Saved without a tolerance chosen: the divisor stays as it was.
    EXPECT_EQ(page->m_toleranceDivisor, 3);
    EXPECT_DOUBLE_EQ(page->m_scale, 500);
}

} // namespace
