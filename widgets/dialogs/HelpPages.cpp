#include "widgets/dialogs/HelpPages.h"

#include "core/catalogue/Messages.h"
#include "platform/Paths.h"
#include "platform/services/Services.h"

namespace {

constexpr int NoHelpPagesMessage = 29201;

void SayWhenNotShown(QWidget* parent, bool shown)
{
    if (shown)
        return;
    ORBAX_Platform::showMessage(parent,
                                ORBAX_Utilities::format_message1(
                                    NoHelpPagesMessage, ORBAX_Platform::wide_from_path(ORBAX_Platform::help_folder())),
                                ORBAX_Platform::MessageButtons::Ok, ORBAX_Platform::MessageIcon::Information);
}

} // namespace

namespace HelpPages {

void ShowTopic(QWidget* parent, const std::wstring& topic)
{
    SayWhenNotShown(parent, ORBAX_Platform::help().showTopic(topic));
}

void ShowContext(QWidget* parent, unsigned context)
{
    SayWhenNotShown(parent, ORBAX_Platform::help().showContext(context));
}

void ShowContents(QWidget* parent) { SayWhenNotShown(parent, ORBAX_Platform::help().showContents()); }

} // namespace HelpPages
