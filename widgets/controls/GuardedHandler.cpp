#include "widgets/controls/GuardedHandler.h"

#include <filesystem>

#include "core/catalogue/Messages.h"
#include "platform/Paths.h"
#include "platform/services/Services.h"

namespace {

void report(QWidget* parent, const std::filesystem::path& name, int line)
{
    try {
        ORBAX_Platform::showMessage(
            parent,
            ORBAX_Utilities::format_message(1022, {ORBAX_Platform::wide_from_path(name), std::to_wstring(line)}),
            ORBAX_Platform::MessageButtons::Ok, ORBAX_Platform::MessageIcon::Error);
    } catch (...) {
        // The report itself failed; nothing more can be done.
    }
}

} // namespace

namespace QuorGuard {

void RunGuarded(QWidget* parent, const char* file, int line, const std::function<void()>& action)
{
    try {
        action();
    } catch (...) {
        ReportInternalError(parent, file, line);
    }
}

void ReportInternalError(QWidget* parent, const char* file, int line)
{
    try {
        report(parent, std::filesystem::path(file).filename(), line);
    } catch (...) {
        // Not even the name could be made.
    }
}

} // namespace QuorGuard

namespace EditorGuard {

void Run(QWidget* parent, const char* file, int line, const std::function<void()>& action)
{
    try {
        action();
    } catch (...) {
        try {
            report(parent, std::filesystem::path(file).stem(), line);
        } catch (...) {
            // Not even the name could be made.
        }
    }
}

} // namespace EditorGuard
