// The visual-style manifest that the program keeps beside its executable:
// where it lives and what it holds. Windows reads it as the process starts
// and then gives the common controls their themed look.
#pragma once

#include <string>
#include <string_view>

namespace vantrel {

// Written and deleted at every start to see whether the manifest exists.
inline constexpr const char* kProbePath = "c:\\checkexist.txt";

// The program's folder and its file name without the extension, taken apart
// from the full path of the executable. The folder carries no trailing "\"
// except at a drive's root ("C:\").
struct ProgramLocation {
  std::string Folder;
  std::string Name;
};

ProgramLocation SplitProgramPath(std::string_view executablePath);

// The folder, a "\" unless the folder already ends with one, the name and
// the suffix.
std::string PathBesideProgram(const ProgramLocation& program, std::string_view suffix);

// ManifestPath: "<folder>\<name>.exe.manifest".
std::string ManifestPathOf(const ProgramLocation& program);
// ProgramPath: "<folder>\<name>.exe", the executable to start again.
std::string ProgramPathOf(const ProgramLocation& program);

// The processor a manifest names, for the program itself and for the
// common controls it asks for. Windows refuses to start a program whose
// manifest names another processor than its own.
enum class Processor { X86, Amd64 };

// The processor this program is built for.
constexpr Processor OwnProcessor() {
  return sizeof(void*) == 8 ? Processor::Amd64 : Processor::X86;
}

// The whole file: one line of ASCII asking for version 6 of the common
// controls of that processor, then CR LF.
std::string ManifestFileText(Processor processor);
// The file this program writes: for its own processor.
inline std::string ManifestFileText() { return ManifestFileText(OwnProcessor()); }

}  // namespace vantrel
