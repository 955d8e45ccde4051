#pragma once
// A file name that comes back from Qt: from a file prompt, or from a field that holds one.
#include <string>

#include <QString>

class QWidget;

// The name as the name of the file it stands for. False where Qt gave back a name that would stand
// for another file (see ORBAX_Platform::name_from_qt); `refusal` then says why, naming it.
bool PromptedFileName(const QString& chosen, std::wstring& name, std::wstring& refusal);
// As above, the refusal shown in a message box over `parent`.
bool PromptedFileName(QWidget* parent, const QString& chosen, std::wstring& name);
