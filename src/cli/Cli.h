// vantrel-cli: the core's command-line face, for scripts and tests.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace vantrel {

enum ExitCode : int { kExitOk = 0, kExitEmptyFile = 1, kExitFailure = 2 };

// Runs the command line (program name excluded); writes to out and err.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace vantrel
