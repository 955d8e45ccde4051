#include "widgets/controls/GuardedHandler.h"

#include "platform/services/Services.h"

namespace QuorGuard {

void RunGuarded(QWidget* parent, const char* file, int line, const std::function<void()>& action, SourceName name)
{
    try {
        action();
    } catch (...) {
        ReportInternalError(parent, file, line, name);
    }
}

void ReportInternalError(QWidget* parent, const char* file, int line, SourceName name)
{
    try {
        ShowInternalError(parent, ORBAX_Utilities::internal_error_text(file, line, name));
    } catch (...) {
        // Not even the text could be made.
    }
}

void ShowInternalError(QWidget* parent, const std::wstring& text)
{
    try {
        ORBAX_Platform::showMessage(parent, text, ORBAX_Platform::MessageButtons::Ok,
                                    ORBAX_Platform::MessageIcon::Error);
    } catch (...) {
        // The report itself failed; nothing more can be done.
    }
}

} // namespace QuorGuard
