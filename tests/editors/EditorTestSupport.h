#pragma once
// Helpers of the configuration editors' tests: a configuration written by the test and read into
// tables, the round trip of edited tables through the configuration file, and a script of answers
// for the prompts an editor opens (the dialog service hands each prompt to the next step).
#include <deque>
#include <functional>
#include <string>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>

#include <gtest/gtest.h>

#include "config/Quor_Log_Config.h"
#include "tests/config/configfile/ConfigTestTables.h"
#include "tests/support/AppTestSupport.h"

namespace EditorTest {

// Tables read from `text`, with the scratch folder as the program folder (image files are looked up
// there). Warnings are allowed; an error fails the test.
class ConfiguredTables {
public:
    explicit ConfiguredTables(const std::string& text, const std::filesystem::path& programFolder) : config(tables)
    {
        config.programFolder = programFolder;
        config.ResetConfiguration();
        ConfigMessageList messages;
        config.ReadConfigurationText(text, L"editor-test.txt", messages);
        EXPECT_FALSE(HasConfigFailure(messages)) << ConfigTest::describe(messages);
    }

    ConfigurationTables tables;
    QuorLogConfig config;
};

// Writes the tables to a configuration file, reads it into fresh tables and expects the same tables;
// returns the file's text.
inline std::string ExpectRoundTrip(ConfiguredTables& edited, const std::filesystem::path& file)
{
    const std::string text = ConfigTest::writeAndRead(edited.config, file);
    ConfiguredTables again(text, edited.config.programFolder);
    ConfigTest::expectSameTables(edited.tables, again.tables, false);
    return text;
}

// Answers the prompts an editor opens, one step per prompt, in order.
class PromptScript {
public:
    using Step = std::function<void(QDialog&)>;

    explicit PromptScript(ORBAX_Platform::ScriptedDialogs& dialogs) : m_dialogs(dialogs)
    {
        dialogs.inspect = [this](QDialog& dialog) {
            shown.push_back(dialog.objectName());
            if (steps.empty()) {
                ADD_FAILURE() << "unexpected dialog " << dialog.objectName().toStdString();
                dialog.reject();
                return;
            }
            Step step = std::move(steps.front());
            steps.pop_front();
            step(dialog);
        };
    }

    ~PromptScript() { m_dialogs.inspect = nullptr; }
    PromptScript(const PromptScript&) = delete;
    PromptScript& operator=(const PromptScript&) = delete;

    // The one-text prompt: types `text` and presses OK; remembers the text it opened with.
    PromptScript& name(const QString& text)
    {
        steps.push_back([this, text](QDialog& dialog) {
            EXPECT_EQ(dialog.objectName(), "dlg320");
            auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("id1176"));
            ASSERT_NE(edit, nullptr);
            initialTexts.push_back(edit->text());
            edit->setText(text);
            dialog.accept();
        });
        return *this;
    }
    // Closes the next prompt with Cancel.
    PromptScript& cancel()
    {
        steps.push_back([](QDialog& dialog) { dialog.reject(); });
        return *this;
    }
    // The error list: its lines are kept in `errorLines`, then it is closed.
    PromptScript& errors()
    {
        steps.push_back([this](QDialog& dialog) {
            EXPECT_EQ(dialog.objectName(), "dlg191");
            if (auto* list = dialog.findChild<QListWidget*>(QStringLiteral("id1182")))
                for (int i = 0; i < list->count(); ++i)
                    errorLines.push_back(list->item(i)->text());
            dialog.accept();
        });
        return *this;
    }
    PromptScript& step(Step custom)
    {
        steps.push_back(std::move(custom));
        return *this;
    }
    bool done() const { return steps.empty(); }

    std::deque<Step> steps;
    std::vector<QString> shown;
    std::vector<QString> initialTexts;
    std::vector<QString> errorLines;

private:
    ORBAX_Platform::ScriptedDialogs& m_dialogs;
};

template <class T>
T* Control(const QWidget& owner, const char* name)
{
    T* found = owner.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

inline void Click(const QWidget& owner, const char* name) { Control<QAbstractButton>(owner, name)->click(); }

// The user picks the entry with this text in a combo box.
inline void Choose(QComboBox* combo, const QString& text)
{
    const int index = combo->findText(text, Qt::MatchFixedString | Qt::MatchCaseSensitive);
    ASSERT_GE(index, 0) << text.toStdString();
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

// The user clicks the line with the mouse. A click makes the line current before it selects it, so
// a handler that runs on the first of the two sees no selection yet.
inline void ClickRow(QListWidget* list, int row)
{
    list->window()->show();
    QListWidgetItem* item = list->item(row);
    ASSERT_NE(item, nullptr) << row;
    list->scrollToItem(item);
    const QPointF at = QRectF(list->visualItemRect(item)).center();
    const QPointF global = list->viewport()->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &release);
    EXPECT_EQ(list->currentRow(), row);
}

inline QStringList Texts(const QComboBox* combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts;
}

} // namespace EditorTest
