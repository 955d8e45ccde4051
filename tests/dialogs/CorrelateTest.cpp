// The Correlate dialog: the empty seam, plies following the chosen seam, and stored names found
// exactly before they are found by their beginning.
#include <gtest/gtest.h>

#include <functional>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "app/QuorApp.h"
#include "config/CorrelationDefinition.h"
#include "dialogs/Correlate.h"
#include "tests/support/AppTestSupport.h"

namespace {

CorrelationDefinition site()
{
    CorrelationDefinition s(L"Moura North");
    s.seams.emplace_back(L"B10");
    s.seams.back().plies = {L"B10a", L"B10b"};
    s.seams.emplace_back(L"b1 upper");
    s.seams.back().plies = {L"P1"};
    s.seams.emplace_back(L"B1");
    s.seams.back().plies = {L"B1L", L"B1"};
    s.seams.emplace_back(L"C");
    return s;
}

QStringList items(const QComboBox* combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts;
}

void choose(QComboBox* combo, int index)
{
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

// Runs the dialog as the view does; `drive` works its controls while it is open.
int run(AppTest::Sandbox& sandbox, CCorrelate& dialog, const std::function<void()>& drive)
{
    sandbox.dialogs.inspect = [&](QDialog& shown) {
        EXPECT_EQ(&shown, &dialog);
        drive();
    };
    return dialog.DoModal();
}

TEST(Correlate, EmptySeamAndPlies)
{
    AppTest::Sandbox sandbox;
    CorrelationDefinition s = site();
    CCorrelate dialog(&s, L"", L"");
    EXPECT_EQ(dialog.objectName(), "dlg156");
    auto* seams = dialog.findChild<QComboBox*>("id1055");
    auto* plies = dialog.findChild<QComboBox*>("id1070");
    int result = run(sandbox, dialog, [&] {
        EXPECT_EQ(dialog.findChild<QLineEdit*>("id1048")->text(), "Moura North");
        EXPECT_EQ(items(seams), QStringList({"", "B10", "b1 upper", "B1", "C"}));
        EXPECT_EQ(seams->currentIndex(), 0);
        EXPECT_EQ(plies->count(), 0) << "the empty seam has no ply entries at all";

        choose(seams, 1);
        EXPECT_EQ(items(plies), QStringList({"", "B10a", "B10b"}));
        EXPECT_EQ(plies->currentIndex(), -1);
        choose(plies, 2);
        choose(seams, 4);
        EXPECT_EQ(items(plies), QStringList({""}));
        choose(seams, 0);
        EXPECT_EQ(plies->count(), 0);
        dialog.findChild<QPushButton*>("id1")->click();
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(dialog.m_seamName, L"");
    EXPECT_EQ(dialog.m_plyName, L"");
}

TEST(Correlate, StoredNamesExactBeforePrefix)
{
    AppTest::Sandbox sandbox;
    CorrelationDefinition s = site();
    {
        // "B1" is listed after "B10" and "b1 upper": the exact entry wins, also for the ply.
        CCorrelate dialog(&s, L"b1", L"b1");
        auto* seams = dialog.findChild<QComboBox*>("id1055");
        auto* plies = dialog.findChild<QComboBox*>("id1070");
        EXPECT_EQ(run(sandbox, dialog,
                      [&] {
                          EXPECT_EQ(seams->currentText(), "B1");
                          EXPECT_EQ(plies->currentText(), "B1");
                          dialog.accept();
                      }),
                  QDialog::Accepted);
        EXPECT_EQ(dialog.m_seamName, L"B1");
        EXPECT_EQ(dialog.m_plyName, L"B1");
    }
    {
        // No exact entry: the first one that begins with the name, in any case.
        CorrelationDefinition t = site();
        t.seams.erase(t.seams.begin() + 2);
        t.seams.erase(t.seams.begin());
        CCorrelate dialog(&t, L"B1", L"p");
        run(sandbox, dialog, [&] {
            EXPECT_EQ(dialog.findChild<QComboBox*>("id1055")->currentText(), "b1 upper");
            EXPECT_EQ(dialog.findChild<QComboBox*>("id1070")->currentText(), "P1");
        });
    }
    {
        // A name that matches nothing selects nothing; Cancel and OK keep the stored names.
        CCorrelate dialog(&s, L"Z", L"Y");
        run(sandbox, dialog, [&] {
            EXPECT_EQ(dialog.findChild<QComboBox*>("id1055")->currentIndex(), -1);
            dialog.accept();
        });
        EXPECT_EQ(dialog.m_seamName, L"Z");
        EXPECT_EQ(dialog.m_plyName, L"Y");
    }
    {
        CCorrelate dialog(nullptr, L"", L"");
        run(sandbox, dialog, [&] {
            EXPECT_EQ(items(dialog.findChild<QComboBox*>("id1055")), QStringList({""}));
            dialog.findChild<QPushButton*>("id57670")->click();
        });
        EXPECT_EQ(sandbox.help.contexts, std::vector<unsigned>{0x20000 + 156});
    }
}

} // namespace
