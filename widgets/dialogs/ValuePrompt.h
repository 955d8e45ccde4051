#pragma once
// The shape shared by the three value prompts: a prompt text, one edit (1176) and OK, Cancel and Help
// below, in a fixed 228 by 50 template. The caption and the prompt replace the template's texts when
// the dialog opens; a prompt longer than the template's room widens the dialog.
#include <string>

#include "widgets/dialogs/DdxDialog.h"

class QLabel;
class QLineEdit;
class QPushButton;

class ValuePrompt : public DdxDialog {
    Q_OBJECT
public:
    QLineEdit* edit() const { return m_edit; }
    QLabel* promptLabel() const { return m_prompt; }
    QPushButton* helpButton() const { return m_help; }

protected:
    // The prompt static and the edit at their template rectangles, in dialog units.
    struct Geometry {
        int promptX, promptWidth;
        int editX, editWidth;
    };
    ValuePrompt(int resource, const Geometry& geometry, std::wstring caption, std::wstring prompt,
                std::wstring helpTopic, QWidget* parent);

    // Sets the caption and the prompt, then loads the edit.
    bool OnInitDialog() override;

private:
    // Widens the dialog when the prompt needs more room than the template gives it.
    void FitPrompt();

    std::wstring m_caption;
    std::wstring m_promptText;
    QLabel* m_prompt = nullptr;
    QLineEdit* m_edit = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_help = nullptr;
};
