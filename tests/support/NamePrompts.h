#pragma once
// Answers the one-text prompts (dialog 320) that the configuration editors show, in order: a text is
// typed into the edit and OK pressed; an empty optional presses Cancel. Other dialogs go to `other`.
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include <QDialog>
#include <QLineEdit>
#include <QString>

#include "tests/support/FakeServices.h"
#include "widgets/dialogs/DdxDialog.h"

namespace AppTest {

class NamePrompts {
public:
    explicit NamePrompts(ORBAX_Platform::ScriptedDialogs& dialogs) { install(dialogs); }
    NamePrompts(const NamePrompts&) = delete;
    NamePrompts& operator=(const NamePrompts&) = delete;

    // Takes the dialogs back after a test has handed them to another script.
    void install(ORBAX_Platform::ScriptedDialogs& dialogs)
    {
        dialogs.inspect = [this](QDialog& dialog) { handle(dialog); };
    }

    std::deque<std::optional<QString>> answers;
    // What each prompt showed: its initial text, caption and help topic.
    std::vector<QString> initialTexts;
    std::vector<QString> captions;
    std::vector<std::wstring> topics;
    std::function<void(QDialog&)> other;

private:
    void handle(QDialog& dialog)
    {
        if (dialog.objectName() != QStringLiteral("dlg320")) {
            if (other)
                other(dialog);
            return;
        }
        auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("id1176"));
        initialTexts.push_back(edit ? edit->text() : QString());
        captions.push_back(dialog.windowTitle());
        if (auto* ddx = qobject_cast<DdxDialog*>(&dialog))
            topics.push_back(ddx->helpTopic());
        std::optional<QString> answer;
        if (!answers.empty()) {
            answer = answers.front();
            answers.pop_front();
        }
        if (!answer || !edit) {
            dialog.reject();
            return;
        }
        edit->setText(*answer);
        dialog.accept();
    }
};

} // namespace AppTest
