#include "widgets/dialogs/PromptedName.h"

#include "core/catalogue/Messages.h"
#include "platform/services/QtNames.h"
#include "platform/services/Services.h"

bool PromptedFileName(const QString& chosen, std::wstring& name, std::wstring& refusal)
{
    if (ORBAX_Platform::name_from_qt(chosen, name))
        return true;
    refusal = ORBAX_Utilities::format_message1(1059, chosen.toStdWString());
    name.clear();
    return false;
}

bool PromptedFileName(QWidget* parent, const QString& chosen, std::wstring& name)
{
    std::wstring refusal;
    if (PromptedFileName(chosen, name, refusal))
        return true;
    ORBAX_Platform::showMessage(parent, refusal, ORBAX_Platform::MessageButtons::Ok,
                                ORBAX_Platform::MessageIcon::Error);
    return false;
}
