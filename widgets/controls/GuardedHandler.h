#pragma once
// Handlers run library code inside Qt's event loop, which no exception may reach: an unexpected
// failure ends the handler and is reported as the internal error (message 1022) with the source
// file's name and the line.
#include <functional>
#include <string>

#include "core/catalogue/InternalErrorText.h"

class QWidget;

namespace QuorGuard {

using ORBAX_Utilities::SourceName;

// Runs `action`; an exception ends it and is reported with the file and the line of the caller, the
// file named as `name` says (its extension kept, unless the caller asks for its stem).
void RunGuarded(QWidget* parent, const char* file, int line, const std::function<void()>& action,
                SourceName name = SourceName::FileName);
// The report itself: message 1022 in an error box over `parent`.
void ReportInternalError(QWidget* parent, const char* file, int line, SourceName name = SourceName::FileName);
// The error box of a report whose text was made elsewhere (internal_error_text).
void ShowInternalError(QWidget* parent, const std::wstring& text);

} // namespace QuorGuard

// Runs the statements that follow in braces under the guard, in a handler of `this`: the editors name
// their file without its extension.
#define EDITOR_GUARDED(...)                                                                                            \
    QuorGuard::RunGuarded(                                                                                             \
        this, __FILE__, __LINE__, [&]() { __VA_ARGS__; }, QuorGuard::SourceName::Stem)
