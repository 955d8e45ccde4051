#pragma once
// Handlers run library code inside Qt's event loop, which no exception may reach: an unexpected
// failure ends the handler and is reported as the internal error (message 1022) with the source
// file's name and the line.
#include <functional>

class QWidget;

namespace QuorGuard {

// Runs `action`; an exception ends it and is reported with the file's name (its extension kept)
// and the line of the caller.
void RunGuarded(QWidget* parent, const char* file, int line, const std::function<void()>& action);
// The report itself: message 1022 in an error box over `parent`.
void ReportInternalError(QWidget* parent, const char* file, int line);

} // namespace QuorGuard

namespace EditorGuard {

// The editors' guard: as QuorGuard::RunGuarded, the file named without its extension.
void Run(QWidget* parent, const char* file, int line, const std::function<void()>& action);

} // namespace EditorGuard

// Runs the statements that follow in braces under the guard, in a handler of `this`.
#define EDITOR_GUARDED(...) EditorGuard::Run(this, __FILE__, __LINE__, [&]() { __VA_ARGS__; })
