#include "platform/services/ConsoleServices.h"

#include <QDialog>

#include "platform/TerminalText.h"

namespace ORBAX_Platform {

namespace {

void writeText(std::ostream& out, const std::wstring& text)
{
    out << terminal_text(text) << '\n';
    out.flush();
}

} // namespace

ConsoleMessageBoxes::ConsoleMessageBoxes(std::ostream& out, std::wstring answeredNo, std::wstring answeredCancel)
    : m_out(out), m_answeredNo(std::move(answeredNo)), m_answeredCancel(std::move(answeredCancel))
{
}

MessageResult ConsoleMessageBoxes::show(QWidget*, const std::wstring& text, const std::wstring&, MessageButtons buttons,
                                        MessageIcon)
{
    switch (buttons) {
    case MessageButtons::Ok: writeText(m_out, text); return MessageResult::Ok;
    case MessageButtons::YesNo: writeText(m_out, text + L"\n" + m_answeredNo); return MessageResult::No;
    case MessageButtons::OkCancel:
    case MessageButtons::YesNoCancel: break;
    }
    writeText(m_out, text + L"\n" + m_answeredCancel);
    return MessageResult::Cancel;
}

ConsoleDialogs::ConsoleDialogs(std::ostream& out, std::wstring refusal) : m_out(out), m_refusal(std::move(refusal)) {}

int ConsoleDialogs::run(QDialog& dialog)
{
    std::wstring text = m_refusal;
    const std::wstring title = dialog.windowTitle().toStdWString();
    const std::size_t place = text.find(L"%1");
    if (place != std::wstring::npos)
        text.replace(place, 2, title);
    writeText(m_out, text);
    return QDialog::Rejected;
}

ConsoleReports::ConsoleReports(std::ostream& out, const std::wstring& answeredNo, const std::wstring& answeredCancel,
                               const std::wstring& dialogRefusal)
    : m_boxes(out, answeredNo, answeredCancel), m_dialogs(out, dialogRefusal), m_previousBoxes(&messageBoxes()),
      m_previousDialogs(&dialogs())
{
    setMessageBoxService(&m_boxes);
    setDialogService(&m_dialogs);
}

ConsoleReports::~ConsoleReports()
{
    setMessageBoxService(m_previousBoxes);
    setDialogService(m_previousDialogs);
}

} // namespace ORBAX_Platform
