// The section, legend and title-block dialogs and the title block's grid control, driven by their
// controls' object names.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "docview/document/QuorDoc.h"
#include "layout/items/LegendLayoutItemDialog.h"
#include "layout/items/SectionLayoutItemDialog.h"
#include "layout/items/TitleLayoutItemControl.h"
#include "layout/items/TitleLayoutItemDialog.h"
#include "tests/docview/DocviewTestSupport.h"
#include "tests/support/AppTestSupport.h"

namespace {

template <class T = QLineEdit>
T* Control(QWidget& dialog, int id)
{
    return dialog.findChild<T*>(QStringLiteral("id%1").arg(id));
}

QPushButton* Ok(QDialog& dialog)
{
    for (QPushButton* button : dialog.findChildren<QPushButton*>())
        if (button->text().remove(QLatin1Char('&')) == QStringLiteral("OK"))
            return button;
    return nullptr;
}

// The user picks entry `index` of a combo box.
void Choose(QComboBox* combo, int index)
{
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

QStringList Items(QComboBox* combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

// Left "west" with seams Upper, Main, Main; right "east" with seams Coal B, Coal A, none.
class SectionDialog : public ::testing::Test {
protected:
    SectionDialog()
    {
        auto left = DocviewTest::column(DocviewTest::fullSchema(), {1, 2, 3});
        left->name = L"west";
        (*left)[0].seam = L"Upper";
        (*left)[1].seam = L"Main";
        (*left)[2].seam = L"Main";
        document.GetBorehole(0) = *left;
        auto right = DocviewTest::column(DocviewTest::fullSchema(), {2, 4, 6});
        right->name = L"east";
        (*right)[0].seam = L"Coal B";
        (*right)[1].seam = L"Coal A";
        document.GetBorehole(1) = *right;
    }

    AppTest::Sandbox sandbox;
    CQuorDoc document{DocviewTest::fullSchema()};
};

} // namespace

TEST_F(SectionDialog, OpensOnTheSectionWithBothBoreholesNamed)
{
    SectionLayoutItem item;
    CSectionLayoutItemDialog dialog(QPointF(5, 6), document, item);
    bool checked = false;
    sandbox.dialogs.inspect = [&](QDialog& d) {
        EXPECT_EQ(d.objectName(), "dlg215");
        EXPECT_EQ(d.windowTitle(), "Section Properties");
        EXPECT_EQ(Items(Control<QComboBox>(d, 1334)), (QStringList{"Bore 0: west", "Bore 1: east"}));
        EXPECT_EQ(Control<QComboBox>(d, 1333)->currentText(), "Bore 1: east");
        EXPECT_EQ(Control(d, 1044)->text(), "0.1");
        EXPECT_EQ(Control(d, 1338)->text(), "0");
        EXPECT_EQ(Control(d, 1337)->text(), "10");
        EXPECT_EQ(Control<QComboBox>(d, 1335)->currentText(), "Depth");
        EXPECT_EQ(Control(d, 1340)->text(), "20");
        EXPECT_EQ(Control(d, 1342)->text(), "30");
        EXPECT_EQ(Control(d, 1343)->text(), "20");
        EXPECT_EQ(Control(d, 1344)->text(), "10");
        EXPECT_FALSE(Control<QCheckBox>(d, 1154)->isChecked());
        EXPECT_TRUE(Control<QCheckBox>(d, 1155)->isChecked());
        // A depth end: its edit on, its seam list off.
        EXPECT_TRUE(Control(d, 1338)->isEnabled());
        EXPECT_FALSE(Control<QComboBox>(d, 1339)->isEnabled());
        Control<QComboBox>(d, 1335)->setCurrentIndex(DepthSpec::TopOfSeam);
        EXPECT_FALSE(Control(d, 1338)->isEnabled());
        EXPECT_TRUE(Control<QComboBox>(d, 1339)->isEnabled());
        EXPECT_TRUE(Control(d, 1337)->isEnabled());

        // OK only while something is shown: unchecking all disables it, the third trace field alone
        // enables it.
        EXPECT_TRUE(Ok(d)->isEnabled());
        Control<QCheckBox>(d, 1155)->click();
        EXPECT_FALSE(Ok(d)->isEnabled());
        Control<QCheckBox>(d, 1153)->click();
        EXPECT_TRUE(Ok(d)->isEnabled());
        checked = true;
    };
    EXPECT_EQ(dialog.DoModal(), QDialog::Rejected);
    EXPECT_TRUE(checked);
    EXPECT_EQ(dialog.Position(), QPointF(5, 6));
}

TEST_F(SectionDialog, AScaleOfNothingIsRefusedAndTheDialogStaysOpen)
{
    SectionLayoutItem item;
    CSectionLayoutItemDialog dialog(QPointF(), document, item);
    sandbox.dialogs.inspect = [&](QDialog& d) {
        for (const char* text : {"0", "-0.5", "abc"}) {
            Control(d, 1044)->setText(QString::fromLatin1(text));
            d.accept();
            EXPECT_EQ(d.result(), -1) << text;
        }
        ASSERT_EQ(sandbox.boxes.shown.size(), 3u);
        EXPECT_EQ(sandbox.boxes.shown[0].text, L"Please enter a scale greater than 0.");
        EXPECT_EQ(sandbox.boxes.shown[2].text, L"Please enter a number.");
        Control(d, 1044)->setText(QStringLiteral("0.25"));
        Control(d, 1337)->setText(QStringLiteral("42.5"));
        Control<QCheckBox>(d, 1154)->click();
        d.accept();
    };
    ASSERT_EQ(dialog.DoModal(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(dialog.Item()->scale, 0.25);
    EXPECT_DOUBLE_EQ(dialog.Item()->bottomSpec.depth, 42.5);
    EXPECT_TRUE(dialog.Item()->showLeftBorehole);
    // The dialog worked on a copy.
    EXPECT_DOUBLE_EQ(item.scale, 0.1);
}

TEST_F(SectionDialog, ChoosingABoreholeListsItsSeamsInOrder)
{
    SectionLayoutItem item;
    CSectionLayoutItemDialog dialog(QPointF(), document, item);
    sandbox.dialogs.inspect = [&](QDialog& d) {
        auto* topBorehole = Control<QComboBox>(d, 1334);
        auto* topSeams = Control<QComboBox>(d, 1339);
        EXPECT_EQ(Items(topSeams), (QStringList{"Coal A", "Coal B"}));
        Choose(topBorehole, 0);
        EXPECT_EQ(Items(topSeams), (QStringList{"Main", "Upper"}));
        // The other end's list follows its own borehole.
        EXPECT_EQ(Items(Control<QComboBox>(d, 1341)), (QStringList{"Coal A", "Coal B"}));
        Control<QComboBox>(d, 1335)->setCurrentIndex(DepthSpec::BottomOfSeam);
        topSeams->setCurrentIndex(0);
        d.accept();
    };
    ASSERT_EQ(dialog.DoModal(), QDialog::Accepted);
    EXPECT_EQ(dialog.Item()->topBorehole, 0);
    EXPECT_EQ(dialog.Item()->topSpec.option, DepthSpec::BottomOfSeam);
    EXPECT_EQ(dialog.Item()->topSpec.seam, L"Main");
    // The depth kept for the end that became a seam is still there.
    EXPECT_DOUBLE_EQ(dialog.Item()->topSpec.depth, 0.0);
}

TEST_F(SectionDialog, AnUntouchedOkKeepsTheStoredSeams)
{
    SectionLayoutItem item;
    item.topSpec = {DepthSpec::TopOfSeam, 1.5, L"Coal B"};
    // A seam no unit carries any longer stays too.
    item.bottomSpec = {DepthSpec::BottomOfSeam, 7.0, L"Gone"};
    CSectionLayoutItemDialog dialog(QPointF(), document, item);
    sandbox.dialogs.inspect = [&](QDialog& d) {
        EXPECT_EQ(Control<QComboBox>(d, 1339)->currentText(), "Coal B");
        EXPECT_EQ(Control<QComboBox>(d, 1341)->currentText(), "Gone");
        d.accept();
    };
    ASSERT_EQ(dialog.DoModal(), QDialog::Accepted);
    EXPECT_EQ(dialog.Item()->topSpec, item.topSpec);
    EXPECT_EQ(dialog.Item()->bottomSpec, item.bottomSpec);
}

TEST_F(SectionDialog, EditPropertiesTakesTheCopyOnlyOnOk)
{
    SectionLayoutItem item;
    sandbox.dialogs.inspect = [&](QDialog& d) {
        Control(d, 1344)->setText(QStringLiteral("12.5"));
        Control<QCheckBox>(d, 1156)->click();
    };
    sandbox.dialogs.result = QDialog::Rejected;
    EXPECT_FALSE(item.EditProperties(document, QPointF()));
    EXPECT_FLOAT_EQ(item.depthWidth, 10.0f);
    EXPECT_FALSE(item.showTrace1);

    sandbox.dialogs.inspect = [&](QDialog& d) {
        Control(d, 1344)->setText(QStringLiteral("12.5"));
        Control<QCheckBox>(d, 1156)->click();
        d.accept();
    };
    EXPECT_TRUE(item.EditProperties(document, QPointF()));
    EXPECT_FLOAT_EQ(item.depthWidth, 12.5f);
    EXPECT_TRUE(item.showTrace1);
}

TEST(LegendDialog, EditsACopyAndTakesItOverOnOk)
{
    AppTest::Sandbox sandbox;
    ORBAX_Platform::ScriptedFilePrompts prompts;
    ORBAX_Platform::ScopedFilePrompts usePrompts(prompts);
    CQuorDoc document{DocviewTest::fullSchema()};
    LegendLayoutItem legend;
    for (const wchar_t* name : {L"Sand", L"Coal"}) {
        auto entry = LegendUtils::MakeLegendItemDetails();
        entry->name = name;
        legend.entries.push_back(entry);
    }
    QFont times(QStringLiteral("Times"));
    times.setPointSizeF(12);
    prompts.fonts.push_back(times);

    sandbox.dialogs.inspect = [&](QDialog& d) {
        EXPECT_EQ(d.objectName(), "dlg218");
        EXPECT_EQ(d.windowTitle(), "Legend Properties");
        EXPECT_EQ(Control<QComboBox>(d, 1324)->currentText(), "Alphabetical");
        EXPECT_EQ(Control<QComboBox>(d, 1325)->currentText(), "All items on page");
        EXPECT_EQ(Control(d, 1258)->text(), "8");
        EXPECT_EQ(Control(d, 1009)->text(), "8");
        auto* font = Control<QPushButton>(d, 1329);
        EXPECT_EQ(font->text(), "10pt Arial");
        font->click();
        EXPECT_EQ(font->text(), "12pt Times");
        // A cancelled font prompt leaves the font as it is.
        font->click();
        EXPECT_EQ(font->text(), "12pt Times");
        Control<QComboBox>(d, 1324)->setCurrentIndex(LegendUtils::Frequency);
        Control(d, 1258)->setText(QStringLiteral("6.5"));
    };
    sandbox.dialogs.result = QDialog::Rejected;
    EXPECT_FALSE(legend.EditProperties(document, QPointF()));
    EXPECT_EQ(legend.style.font.face, L"Arial");
    EXPECT_EQ(legend.sortOrder, LegendUtils::Alphabetical);

    prompts.fonts.push_back(times);
    sandbox.dialogs.result = QDialog::Accepted;
    sandbox.dialogs.inspect = [&](QDialog& d) {
        Control<QPushButton>(d, 1329)->click();
        Control<QComboBox>(d, 1324)->setCurrentIndex(LegendUtils::Frequency);
        Control<QComboBox>(d, 1325)->setCurrentIndex(LegendUtils::AllInHole);
        Control(d, 1258)->setText(QStringLiteral("6.5"));
        d.accept();
    };
    const auto entries = legend.entries;
    EXPECT_TRUE(legend.EditProperties(document, QPointF()));
    EXPECT_EQ(legend.sortOrder, LegendUtils::Frequency);
    EXPECT_EQ(legend.includeMode, LegendUtils::AllInHole);
    EXPECT_FLOAT_EQ(legend.style.boxHeight, 6.5f);
    EXPECT_EQ(legend.style.font.face, L"Times");
    // The entries are the same ones, not collected again by the new order.
    EXPECT_EQ(legend.entries, entries);
    EXPECT_EQ(legend.entries[0]->name, L"Sand");
}

TEST(TitleDialog, AddRowAboveAppendsToTheCopyAndTheGridCountsIt)
{
    AppTest::Sandbox sandbox;
    TitleLayoutItem block;
    CTitleLayoutItemDialog dialog(block);
    sandbox.dialogs.inspect = [&](QDialog& d) {
        EXPECT_EQ(d.objectName(), "dlg219");
        EXPECT_EQ(d.windowTitle(), "Title Properties");
        auto* grid = Control<CTitleLayoutItemControl>(d, 1347);
        ASSERT_NE(grid, nullptr);
        EXPECT_EQ(grid->CountText(), "1 2");
        auto* add = Control<QPushButton>(d, 1339);
        EXPECT_EQ(add->text(), "Add row above");
        add->click();
        add->click();
        EXPECT_EQ(grid->CountText(), "3 2");
        EXPECT_EQ(grid->Item(), dialog.Item());
        // The edits of cell width and row height do nothing yet.
        EXPECT_FALSE(Control(d, 1348)->isEnabled());
        EXPECT_FALSE(Control(d, 1349)->isEnabled());
    };
    EXPECT_EQ(dialog.DoModal(), QDialog::Rejected);
    EXPECT_EQ(dialog.Item()->rows.size(), 3u);
    EXPECT_EQ(block.rows.size(), 1u);
}

TEST(TitleDialog, OkKeepsTheRowsAddedAndCancelDropsThem)
{
    AppTest::Sandbox sandbox;
    CQuorDoc document{DocviewTest::fullSchema()};
    TitleLayoutItem block;
    sandbox.dialogs.inspect = [&](QDialog& d) { Control<QPushButton>(d, 1339)->click(); };
    sandbox.dialogs.result = QDialog::Rejected;
    EXPECT_FALSE(block.EditProperties(document, QPointF()));
    EXPECT_EQ(block.rows.size(), 1u);
    sandbox.dialogs.result = QDialog::Accepted;
    EXPECT_TRUE(block.EditProperties(document, QPointF()));
    ASSERT_EQ(block.rows.size(), 2u);
    EXPECT_FLOAT_EQ(block.rows[1]->heightWeight, 1.0f);
}

TEST(TitleDialog, GrowsWithItsGridAndNeverShrinksBelowItsFirstSize)
{
    AppTest::Sandbox sandbox;
    CTitleLayoutItemDialog dialog{TitleLayoutItem()};
    sandbox.dialogs.inspect = [&](QDialog& d) {
        d.show();
        QApplication::processEvents();
        const QSize first = d.size();
        EXPECT_EQ(d.minimumSize(), first);
        auto* grid = Control<CTitleLayoutItemControl>(d, 1347);
        auto* add = Control<QPushButton>(d, 1339);
        const QRect gridBefore = grid->geometry();
        const QRect addBefore = add->geometry();
        d.resize(first + QSize(120, 80));
        QApplication::processEvents();
        EXPECT_EQ(grid->geometry().topLeft(), gridBefore.topLeft());
        EXPECT_EQ(grid->geometry().size(), gridBefore.size() + QSize(120, 80));
        EXPECT_EQ(add->geometry(), addBefore.translated(0, 80));
        d.resize(first - QSize(50, 50));
        QApplication::processEvents();
        EXPECT_EQ(d.size(), first);
        d.hide();
    };
    dialog.DoModal();
}

TEST(TitleGrid, PaintsTheBlockOnGoldenrod)
{
    AppTest::Sandbox sandbox;
    CTitleLayoutItemControl grid;
    EXPECT_EQ(grid.CountText(), "");
    grid.resize(400, 300);
    auto block = std::make_shared<TitleLayoutItem>();
    grid.SetItem(block);
    const QImage image = grid.grab().toImage();
    // Beyond the block's 50 mm the ground shows; a cell's beige outline runs along the block's left edge.
    const double perMm = grid.logicalDpiX() / 25.4;
    EXPECT_EQ(image.pixel(static_cast<int>(60 * perMm), static_cast<int>(60 * perMm)), 0xFFDAA520u);
    EXPECT_EQ(image.pixel(static_cast<int>(0.2 * perMm), static_cast<int>(25 * perMm)), 0xFFF5F5DCu);
    block->InsertRow();
    EXPECT_EQ(grid.CountText(), "2 2");
    block->rows.clear();
    EXPECT_EQ(grid.CountText(), "0");
}
