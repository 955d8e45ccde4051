#pragma once
// The end of a console program's run: what it wrote to its standard output must have arrived whole,
// or the run has failed, whatever it did before.
#include "platform/ConsoleStreams.h"

namespace ORBAX_Utilities {

// Flushes and closes the standard output. Where that fails, says so on the standard error (message
// 1096 with the system's reason) and gives `failureCode` in place of a successful `exitCode`;
// otherwise gives `exitCode`.
int finish_console_output(ORBAX_Platform::ConsoleStreams& console, int exitCode, int failureCode);

} // namespace ORBAX_Utilities
