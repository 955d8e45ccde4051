#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPushButton>

#include "tests/support/AppTestSupport.h"
#include "widgets/dialogs/ErrorList.h"

namespace {

ErrorEntries threeEntries()
{
    ErrorEntries entries;
    addErrorEntry(L"first", entries, 0x20006);
    addErrorEntry(L"Unable to open x", entries, 0x30005);
    addErrorEntry(L"third", entries, 0x40030);
    return entries;
}

QStringList lines(const CErrorList& dialog)
{
    QStringList out;
    for (int i = 0; i < dialog.list()->count(); ++i)
        out << dialog.list()->item(i)->text();
    return out;
}

TEST(ErrorEntries, StatusWordSplitsIntoLevelAndCode)
{
    ErrorEntries entries;
    addErrorEntry(L"x", entries, 0x30005);
    addErrorEntry(L"y", entries, 0x10017);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].code, 5);
    EXPECT_EQ(entries[0].severity, 3);
    EXPECT_EQ(entries[1].code, 23);
    EXPECT_EQ(entries[1].severity, 1);
}

TEST(ErrorEntries, ReportableNeedsALevelAndACodeOtherThanCancelled)
{
    ErrorEntries entries;
    EXPECT_FALSE(hasReportableErrors(entries));
    addErrorEntry(L"cancelled", entries, 0x10017);
    addErrorEntry(L"nothing", entries, 0x00005);
    EXPECT_FALSE(hasReportableErrors(entries));
    addErrorEntry(L"warning", entries, 0x20006);
    EXPECT_TRUE(hasReportableErrors(entries));
}

TEST(ErrorEntries, LibraryProblemsKeepLevelAndTextAndTakeTheirKindsCode)
{
    ORBAX_Logging::LoadMessages library;
    ORBAX_Logging::addMessage(library, 5, 3, L"Unable to open x");
    ORBAX_Logging::addMessage(library, 13, 2, L"schema");
    ORBAX_Logging::addMessage(library, 11, 4, L"internal");
    ORBAX_Logging::addMessage(library, 18, 1, L"new kind");
    ErrorEntries entries;
    addErrorEntry(L"before", entries, 0x20006);
    appendLibraryErrors(library, entries);
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_EQ(entries[1].word(), 0x30001u);
    EXPECT_EQ(entries[1].text, L"Unable to open x");
    EXPECT_EQ(entries[2].word(), 0x20024u);
    EXPECT_EQ(entries[3].word(), 0x40016u);
    EXPECT_EQ(entries[4].word(), 0x10016u);
    EXPECT_EQ(errorLine(entries[1]), L"Error: Unable to open x");
}

TEST(ErrorListDialog, ShowsSeverityWordAndTextPerEntryWithItsCaption)
{
    ErrorEntries entries = threeEntries();
    CErrorList plain(entries);
    EXPECT_EQ(plain.objectName(), "dlg191");
    EXPECT_EQ(plain.windowTitle(), "Errors or warnings occurred");
    EXPECT_EQ(lines(plain), QStringList({"Warning: first", "Error: Unable to open x", "Fatal: third"}));

    CErrorList captioned(entries, L"Errors or warnings occurred while loading the configuration file");
    EXPECT_EQ(captioned.windowTitle(), "Errors or warnings occurred while loading the configuration file");
    for (const char* name : {"id1182", "id32795", "id1", "id9"})
        EXPECT_NE(captioned.findChild<QWidget*>(name), nullptr) << name;
    EXPECT_TRUE(captioned.findChild<QPushButton*>("id1")->isDefault());

    ErrorEntries none;
    CErrorList empty(none);
    EXPECT_EQ(empty.list()->count(), 0);
}

TEST(ErrorListDialog, CopyJoinsSelectedLinesWithCrLf)
{
    AppTest::Sandbox sandbox;
    ErrorEntries entries = threeEntries();
    CErrorList dialog(entries);

    dialog.OnCopy();
    EXPECT_EQ(sandbox.clipboard.writes, 0) << "nothing selected leaves the clipboard alone";

    // Selected out of order: copied in line order, no line break after the last.
    dialog.list()->item(2)->setSelected(true);
    dialog.list()->item(0)->setSelected(true);
    dialog.list()->item(1)->setSelected(true);
    dialog.OnCopy();
    EXPECT_EQ(sandbox.clipboard.text(), L"Warning: first\r\nError: Unable to open x\r\nFatal: third");
}

TEST(ErrorListDialog, HelpUsesTheLowestSelectedEntryOrTheDialog)
{
    AppTest::Sandbox sandbox;
    ErrorEntries entries = threeEntries();
    CErrorList dialog(entries);
    dialog.OnHelp();
    dialog.list()->item(2)->setSelected(true);
    dialog.list()->item(1)->setSelected(true);
    dialog.OnHelp();
    EXPECT_EQ(sandbox.help.contexts, (std::vector<unsigned>{0x200BF, 0x1005}));
}

TEST(ErrorListDialog, ResizingMovesButtonsAndStretchesTheList)
{
    ErrorEntries entries = threeEntries();
    CErrorList dialog(entries);
    dialog.show();
    QApplication::processEvents();
    QWidget* list = dialog.list();
    QWidget* copy = dialog.findChild<QWidget*>("id32795");
    QWidget* ok = dialog.findChild<QWidget*>("id1");
    QWidget* help = dialog.findChild<QWidget*>("id9");
    QRect listBefore = list->geometry();
    QPoint copyBefore = copy->pos(), okBefore = ok->pos(), helpBefore = help->pos();

    dialog.resize(dialog.width() + 100, dialog.height() + 40);
    QApplication::processEvents();

    EXPECT_EQ(list->geometry().topLeft(), listBefore.topLeft());
    EXPECT_EQ(list->width(), listBefore.width() + 100);
    EXPECT_EQ(list->height(), listBefore.height() + 40);
    EXPECT_EQ(copy->pos(), copyBefore + QPoint(100, 40));
    EXPECT_EQ(ok->pos(), okBefore + QPoint(100, 40));
    EXPECT_EQ(help->pos(), helpBefore + QPoint(100, 40));
    EXPECT_EQ(ok->size(), QSize(copy->width(), copy->height()));
}

TEST(ErrorListDialog, RowsAreBandedAndLongTextsWrap)
{
    ErrorEntries entries;
    std::wstring longText;
    for (int i = 0; i < 40; ++i)
        longText += L"word ";
    addErrorEntry(L"short", entries, 0x20001);
    addErrorEntry(longText, entries, 0x20001);
    addErrorEntry(L"tab\there & there", entries, 0x20001);
    CErrorList dialog(entries);
    CErrorListBox* list = dialog.list();
    QPalette distinct = list->palette();
    distinct.setColor(QPalette::Light, QColor(250, 240, 200));
    distinct.setColor(QPalette::Base, QColor(255, 255, 255));
    list->setPalette(distinct);
    dialog.show();
    QApplication::processEvents();

    // The long line wraps inside its item instead of widening the list.
    QRect first = list->visualItemRect(list->item(0));
    QRect second = list->visualItemRect(list->item(1));
    EXPECT_GT(second.height(), 2 * first.height());
    // ... measured at the width it is drawn at, not at the width of a list not yet laid out.
    const QString secondLine = list->item(1)->text();
    EXPECT_LE(second.height(),
              list->MeasureItem(secondLine, list->viewport()->width()).height() + list->fontMetrics().height());
    EXPECT_LE(list->horizontalExtent(), std::max(list->viewport()->width(), list->MeasureItem("word", 1).width()));
    // Ampersands are text, not mnemonics.
    EXPECT_EQ(list->item(2)->text(), "Warning: tab\there & there");

    QImage image = list->viewport()->grab().toImage();
    QPalette palette = list->palette();
    QColor even = image.pixelColor(image.width() - 3, first.center().y());
    QColor odd = image.pixelColor(image.width() - 2, second.top());
    EXPECT_EQ(even, palette.color(QPalette::Light));
    EXPECT_EQ(odd, palette.color(QPalette::Base));

    list->item(1)->setSelected(true);
    image = list->viewport()->grab().toImage();
    EXPECT_EQ(image.pixelColor(image.width() - 2, second.top()), palette.color(QPalette::Active, QPalette::Highlight));
}

TEST(ErrorListDialog, WordWiderThanTheListWidensTheMeasure)
{
    ErrorEntries entries;
    addErrorEntry(std::wstring(300, L'x'), entries, 0x20001);
    CErrorList dialog(entries);
    CErrorListBox* list = dialog.list();
    EXPECT_GT(list->horizontalExtent(), list->viewport()->width());
    EXPECT_GE(list->horizontalExtent(), list->MeasureItem(QString(300, 'x'), 10).width());
}

} // namespace
