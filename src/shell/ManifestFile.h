// The visual-style manifest kept beside the executable. Windows reads it as
// the process starts and then gives the common controls their themed look.
#pragma once

#include <string>
#include <string_view>

namespace vantrel {

// Written and deleted at every start to see whether the manifest exists.
inline constexpr const char* kProbePath = "c:\\checkexist.txt";

// The executable's folder and name without its last extension, then
// suffix: "C:\a\app.EXE" with ".exe.manifest" gives "C:\a\app.exe.manifest".
std::string PathBesideProgram(std::string_view executablePath, std::string_view suffix);

// Windows refuses to start a program whose manifest names another processor.
enum class Processor { X86, Amd64 };

constexpr Processor OwnProcessor() {
  return sizeof(void*) == 8 ? Processor::Amd64 : Processor::X86;
}

// One line of ASCII asking for version 6 of the common controls, then CR LF.
std::string ManifestFileText(Processor processor = OwnProcessor());

}  // namespace vantrel
