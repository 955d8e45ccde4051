#pragma once
// The Curvex command line: the command word and its arguments, the usage text and the summary.

namespace Curvex {

// Exit codes; -1 reaches the shell as 255.
enum ExitCode { ExitSuccess = 0, ExitUsage = -1, ExitFailure = 3 };

int run(int argc, const char* const argv[]);

} // namespace Curvex
