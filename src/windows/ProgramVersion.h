// The program's own version number, as its version resource states it.
#pragma once

#include <optional>
#include <string>

namespace vantrel {

struct ProgramVersion {
  unsigned major = 0;
  unsigned minor = 0;
};

// Major and minor of the running executable's file version; nothing when
// it carries no version resource.
std::optional<ProgramVersion> ReadProgramVersion();

// "major.minor" in plain decimal: 2 and 10 read "2.10".
std::string VersionText(unsigned major, unsigned minor);

}  // namespace vantrel
