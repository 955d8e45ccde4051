// The trace manager: the file list, choosing files and traces with their edits kept, adding a file
// read at once, unloading, and Cancel discarding the files it read.
#include <gtest/gtest.h>

#include <functional>

#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "dialogs/LasSetup.h"
#include "platform/settings/Settings.h"
#include "tests/support/AppTestSupport.h"

namespace {

const char* const kLas = "~Version\n VERS. 2.0 : v\n WRAP. NO : w\n~Well\n STRT.M 10 : s\n STOP.M 12 : s\n"
                         " STEP.M 1 : s\n NULL. -999.25 : n\n~Curve\n DEPT.M : d\n GR.API : g\n DEN.G/C3 : d\n"
                         "~A\n10 50 2.1\n11 70 2.3\n12 90 2.5\n";

TraceSetInfo Entry(const std::wstring& name, int curves, int state = TraceSetInfo::Loaded)
{
    TraceSetInfo entry;
    entry.fileName = name;
    entry.startDepth = 100;
    entry.stopDepth = 250.5;
    entry.step = 0.25;
    entry.state = state;
    for (int i = 0; i < curves; ++i) {
        TraceSettings trace;
        trace.mnemonic = L"C" + std::to_wstring(i);
        trace.minimum = i;
        trace.maximum = 10 + i;
        trace.rangeMinimum = 0;
        trace.rangeMaximum = 100;
        entry.curves.push_back(trace);
    }
    return entry;
}

QStringList Lines(const QListWidget* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

int RowOf(const QListWidget* list, const QString& text)
{
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->text() == text)
            return i;
    return -1;
}

template <class T>
T* Control(QDialog& dialog, int id)
{
    return dialog.findChild<T*>(QStringLiteral("id%1").arg(id));
}

class LasSetupTest : public ::testing::Test {
protected:
    // Runs the dialog; `drive` works its controls while it is open.
    int Run(LasSetup& dialog, const std::function<void()>& drive)
    {
        sandbox.dialogs.inspect = [&](QDialog&) { drive(); };
        return dialog.DoModal();
    }

    AppTest::Sandbox sandbox;
    ORBAX_Platform::ScriptedFilePrompts prompts;
    ORBAX_Platform::ScopedFilePrompts scopedPrompts{prompts};
    QuorTest::TempDir dir;
};

} // namespace

TEST_F(LasSetupTest, OpensWithTheFilesNotBeingUnloadedSortedAndNothingChosen)
{
    std::vector<TraceSetInfo> entries;
    entries.push_back(Entry(L"zeta.las", 1));
    entries.push_back(Entry(L"Alpha.las", 2));
    entries.push_back(Entry(L"gone.las", 1, TraceSetInfo::ToUnload));
    entries.push_back(Entry(L"beta.las", 1));
    LasSetup dialog(entries, {});
    EXPECT_EQ(dialog.objectName(), "dlg134");
    Run(dialog, [&] {
        EXPECT_EQ(Lines(dialog.fileList()), QStringList({"Alpha.las", "beta.las", "zeta.las"}));
        EXPECT_EQ(dialog.fileList()->item(0)->data(Qt::UserRole).toInt(), 1);
        auto* colour = Control<QComboBox>(dialog, 1142);
        EXPECT_EQ(colour->count(), 17);
        EXPECT_EQ(colour->itemText(16), "No line");
        EXPECT_EQ(colour->currentIndex(), -1);
        EXPECT_FALSE(Control<QPushButton>(dialog, 1140)->isEnabled());
        EXPECT_FALSE(Control<QLineEdit>(dialog, 1128)->isEnabled());
        EXPECT_TRUE(Control<QLineEdit>(dialog, 1039)->text().isEmpty());
    });
}

TEST_F(LasSetupTest, EditsOfATraceAreKeptWhenAnotherTraceOrFileIsChosen)
{
    std::vector<TraceSetInfo> entries;
    entries.push_back(Entry(L"a.las", 3));
    entries.push_back(Entry(L"b.las", 1));
    LasSetup dialog(entries, {});
    const int result = Run(dialog, [&] {
        dialog.fileList()->setCurrentRow(RowOf(dialog.fileList(), "a.las"));
        EXPECT_EQ(dialog.chosenFile(), 0);
        EXPECT_EQ(Control<QLineEdit>(dialog, 1040)->text(), "250.500");
        EXPECT_EQ(Lines(dialog.traceList()), QStringList({"C0", "C1", "C2"}));
        EXPECT_FALSE(Control<QLineEdit>(dialog, 1128)->isEnabled()) << "no trace chosen yet";

        dialog.traceList()->setCurrentRow(1);
        EXPECT_TRUE(Control<QLineEdit>(dialog, 1128)->isEnabled());
        EXPECT_EQ(Control<QLineEdit>(dialog, 1037)->text(), "1.000");
        Control<QLineEdit>(dialog, 1128)->setText("12.5m");        // a stream read takes the number
        Control<QLineEdit>(dialog, 1026)->setText("not a number"); // keeps the old value
        Control<QLineEdit>(dialog, 1027)->setText("80");
        Control<QLineEdit>(dialog, 1143)->setText("6");
        Control<QComboBox>(dialog, 1142)->setCurrentIndex(16);
        Control<QRadioButton>(dialog, 1109)->setChecked(true);
        Control<QRadioButton>(dialog, 1030)->setChecked(true);

        dialog.traceList()->setCurrentRow(2);
        EXPECT_EQ(Control<QLineEdit>(dialog, 1128)->text(), "0.000");
        dialog.fileList()->setCurrentRow(RowOf(dialog.fileList(), "b.las"));
        EXPECT_EQ(dialog.chosenTrace(), -1);
        EXPECT_FALSE(Control<QLineEdit>(dialog, 1128)->isEnabled());
        dialog.accept();
    });
    EXPECT_EQ(result, QDialog::Accepted);
    const TraceSettings& edited = entries[0].curves[1];
    EXPECT_DOUBLE_EQ(edited.depthOffset, 12.5);
    EXPECT_DOUBLE_EQ(edited.rangeMinimum, 0);
    EXPECT_DOUBLE_EQ(edited.rangeMaximum, 80);
    EXPECT_EQ(edited.smoothingWindow, 6);
    EXPECT_EQ(edited.colourIndex, 16);
    EXPECT_EQ(edited.displayField, 2);
    EXPECT_FALSE(edited.ownRange);
    EXPECT_EQ(entries[0].curves[2].colourIndex, 0) << "the other traces are untouched";
}

TEST_F(LasSetupTest, AFilterDistanceThatIsNoIntegerIsRefusedAndTheTraceStaysChosen)
{
    std::vector<TraceSetInfo> entries;
    entries.push_back(Entry(L"a.las", 2));
    LasSetup dialog(entries, {});
    Run(dialog, [&] {
        dialog.fileList()->setCurrentRow(0);
        dialog.traceList()->setCurrentRow(0);
        Control<QLineEdit>(dialog, 1143)->setText("2.5");
        dialog.traceList()->setCurrentRow(1);
        EXPECT_EQ(dialog.chosenTrace(), 0);
        EXPECT_EQ(dialog.traceList()->currentRow(), 0);
    });
    ASSERT_EQ(sandbox.boxes.shown.size(), 1u);
    EXPECT_EQ(sandbox.boxes.shown[0].text, L"Please enter an integer.");
    EXPECT_EQ(entries[0].curves[0].smoothingWindow, 10);
}

TEST_F(LasSetupTest, AddNewReadsTheFileAtOnceAndCancelDiscardsIt)
{
    QuorTest::write_file(dir / "added.las", kLas);
    QuorTest::write_file(dir / "broken.las", "not a LAS file\n");
    prompts.answers = {{QString::fromStdString((dir / "broken.las").string())},
                       {QString::fromStdString((dir / "added.las").string())}};
    std::vector<TraceSetInfo> entries;
    entries.push_back(Entry(L"old.las", 1));
    TraceDefinition gr;
    gr.SetName("GR");
    gr.colourIndex = 5;
    gr.displayField = 3;
    LasSetup dialog(entries, {gr});
    const int result = Run(dialog, [&] {
        Control<QPushButton>(dialog, 1141)->click(); // the broken file
        EXPECT_EQ(entries.size(), 1u);
        EXPECT_EQ(sandbox.boxes.shown.size(), 1u);
        Control<QPushButton>(dialog, 1141)->click();
        ASSERT_EQ(entries.size(), 2u);
        EXPECT_EQ(dialog.chosenFile(), 1);
        EXPECT_EQ(Lines(dialog.traceList()), QStringList({"DEPT", "GR", "DEN"}));
        EXPECT_EQ(Control<QLineEdit>(dialog, 1039)->text(), "10.000");
        dialog.reject();
    });
    EXPECT_EQ(result, QDialog::Rejected);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1].state, TraceSetInfo::Discarded);
    EXPECT_FALSE(entries[1].loadedFile);
    EXPECT_EQ(entries[1].curves[1].colourIndex, 5) << "the file took its trace definitions";
    EXPECT_EQ(entries[1].curves[1].displayField, 2);
    EXPECT_EQ(entries[0].state, TraceSetInfo::Loaded);
    EXPECT_EQ(ORBAX_Platform::Settings(L"Options").readString(L"LasPath", L""), dir.path().wstring());
    EXPECT_EQ(prompts.captions.front(), "Open Trace");
}

TEST_F(LasSetupTest, UnloadMarksOldFilesForTheCallerAndDropsNewOnes)
{
    QuorTest::write_file(dir / "new.las", kLas);
    prompts.answers = {{QString::fromStdString((dir / "new.las").string())}};
    std::vector<TraceSetInfo> entries;
    entries.push_back(Entry(L"old.las", 1));
    LasSetup dialog(entries, {});
    const int result = Run(dialog, [&] {
        Control<QPushButton>(dialog, 1141)->click();
        ASSERT_EQ(entries.size(), 2u);
        ASSERT_TRUE(entries[1].loadedFile);
        dialog.traceList()->setCurrentRow(1);
        Control<QPushButton>(dialog, 1140)->click(); // the new file, chosen after adding
        EXPECT_EQ(dialog.chosenFile(), -1);
        EXPECT_EQ(dialog.chosenTrace(), -1);
        EXPECT_TRUE(Control<QLineEdit>(dialog, 1128)->text().isEmpty());
        dialog.fileList()->setCurrentRow(RowOf(dialog.fileList(), "old.las"));
        Control<QPushButton>(dialog, 1140)->click();
        EXPECT_EQ(dialog.fileList()->count(), 0);
        dialog.accept();
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(entries[0].state, TraceSetInfo::ToUnload);
    EXPECT_EQ(entries[1].state, TraceSetInfo::Discarded);
    EXPECT_FALSE(entries[1].loadedFile);
}
