// The OK, Cancel and Help row that the dialogs and the editors build their buttons with.
#include <gtest/gtest.h>

#include <QHBoxLayout>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "tests/support/AppTestSupport.h"
#include "widgets/controls/EditorButton.h"
#include "widgets/dialogs/DialogButtons.h"

namespace {

// A dialog whose OK stores something first, as an editor's own accept does.
class StoringDialog : public QDialog {
public:
    void accept() override
    {
        ++stored;
        QDialog::accept();
    }
    int stored = 0;
};

std::vector<QShortcut*> HelpKeys(const QDialog& dialog)
{
    std::vector<QShortcut*> keys;
    for (QShortcut* shortcut : dialog.findChildren<QShortcut*>())
        if (shortcut->key() == QKeySequence(QKeySequence::HelpContents))
            keys.push_back(shortcut);
    return keys;
}

TEST(DialogButtons, OkIsTheDefaultAndAcceptsThroughTheDialogsOwnAccept)
{
    AppTest::Sandbox sandbox;
    StoringDialog dialog;
    int helped = 0;
    const DialogButtonRow row =
        OkCancelButtons(&dialog, QStringLiteral("&OK"), QStringLiteral("Help"), [&] { ++helped; });
    (new QVBoxLayout(&dialog))->addLayout(row.layout); // as every caller does, so the dialog owns it
    EXPECT_TRUE(row.ok->isDefault());
    ASSERT_EQ(row.layout->count(), 4) << "pressed to the right, in the template's order";
    EXPECT_EQ(row.layout->itemAt(1)->widget(), dialog.findChild<QPushButton*>("id1"));
    EXPECT_EQ(row.layout->itemAt(2)->widget(), dialog.findChild<QPushButton*>("id2"));
    EXPECT_EQ(row.layout->itemAt(3)->widget(), dialog.findChild<QPushButton*>("id57670"));
    EXPECT_TRUE(HelpKeys(dialog).empty()) << "F1 stays the dialog's own";
    row.help->click();
    row.ok->click();
    EXPECT_EQ(helped, 1);
    EXPECT_EQ(dialog.stored, 1);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);

    QDialog plain;
    const DialogButtonRow plainRow = OkCancelButtons(&plain);
    (new QVBoxLayout(&plain))->addLayout(plainRow.layout);
    EXPECT_EQ(plainRow.help, nullptr) << "no Help without its text";

    // The editors' row: no button becomes the default by focus; Help and F1 call the help.
    QDialog editor;
    (new QVBoxLayout(&editor))->addLayout(OkCancelHelpRow(&editor, [&] { ++helped; }));
    for (QPushButton* button : editor.findChildren<QPushButton*>())
        EXPECT_FALSE(button->autoDefault()) << button->objectName().toStdString();
    ASSERT_EQ(HelpKeys(editor).size(), 1u);
    emit HelpKeys(editor)[0]->activated();
    editor.findChild<QPushButton*>("id57670")->click();
    EXPECT_EQ(helped, 3);
}

} // namespace
