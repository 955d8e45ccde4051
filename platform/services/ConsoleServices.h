#pragma once
// The services of a run that shows no window (a print asked for on the command line): what a message
// box would show is written to a stream, the standard error, and nothing waits for a click. A
// question is answered with the button that does nothing more (No, or Cancel), and a dialog is not
// run at all: it ends as cancelled. The texts that say so are the caller's.
#include <ostream>
#include <string>

#include "platform/services/Services.h"

namespace ORBAX_Platform {

// Each text goes out in the terminal's encoding, one line per line of the text.
class ConsoleMessageBoxes : public MessageBoxService {
public:
    // `answeredNo` and `answeredCancel` follow a question's text: that no one can answer it here and
    // which answer is taken.
    ConsoleMessageBoxes(std::ostream& out, std::wstring answeredNo, std::wstring answeredCancel);
    MessageResult show(QWidget* parent, const std::wstring& text, const std::wstring& title, MessageButtons buttons,
                       MessageIcon icon) override;

private:
    std::ostream& m_out;
    std::wstring m_answeredNo;
    std::wstring m_answeredCancel;
};

class ConsoleDialogs : public DialogService {
public:
    // `refusal` is written for each dialog asked for, with the dialog's title as %1.
    ConsoleDialogs(std::ostream& out, std::wstring refusal);
    int run(QDialog& dialog) override;

private:
    std::ostream& m_out;
    std::wstring m_refusal;
};

// Puts both in place of the message boxes and dialogs in use while it lives, and the previous ones back
// when it goes.
class ConsoleReports {
public:
    ConsoleReports(std::ostream& out, const std::wstring& answeredNo, const std::wstring& answeredCancel,
                   const std::wstring& dialogRefusal);
    ~ConsoleReports();
    ConsoleReports(const ConsoleReports&) = delete;
    ConsoleReports& operator=(const ConsoleReports&) = delete;

private:
    ConsoleMessageBoxes m_boxes;
    ConsoleDialogs m_dialogs;
    MessageBoxService* m_previousBoxes;
    DialogService* m_previousDialogs;
};

} // namespace ORBAX_Platform
