#include "widgets/controls/GuardedHandler.h"

#include <filesystem>

#include "core/catalogue/Messages.h"
#include "platform/Paths.h"
#include "platform/services/Services.h"

namespace EditorGuard {

void Run(QWidget* parent, const char* file, int line, const std::function<void()>& action)
{
    try {
        action();
    } catch (...) {
        try {
            const std::wstring name = ORBAX_Platform::wide_from_path(std::filesystem::path(file).stem());
            ORBAX_Platform::showMessage(parent, ORBAX_Utilities::format_message(1022, {name, std::to_wstring(line)}),
                                        ORBAX_Platform::MessageButtons::Ok, ORBAX_Platform::MessageIcon::Error);
        } catch (...) {
            // The report itself failed; nothing more can be done.
        }
    }
}

} // namespace EditorGuard
