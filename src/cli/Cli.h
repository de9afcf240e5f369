// vantrel-cli: the core's command-line face, for scripts and tests.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace vantrel {

// Exit codes.
inline constexpr int kExitOk = 0;
inline constexpr int kExitEmptyFile = 1;
inline constexpr int kExitFailure = 2;

// Runs the command line (program name excluded); writes to out and err.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace vantrel
