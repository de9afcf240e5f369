#include "shell/ManifestFile.h"

namespace vantrel {

namespace {

// Each piece of the line: the text before a value, then the value, which
// the file holds in double quotes. A null value is the processor's name.
struct Piece {
  const char* before;
  const char* value;
};

constexpr const char* kProcessor = nullptr;

constexpr Piece kPieces[] = {
    {"<?xml version=", "1.0"},
    {" encoding=", "UTF-8"},
    {" standalone=", "yes"},
    {"?><assembly xmlns=", "urn:schemas-microsoft-com:asm.v1"},
    {" manifestVersion=", "1.0"},
    {"><assemblyIdentity version=", "1.0.0.0"},
    {" processorArchitecture=", kProcessor},
    {" name=", "Corvessa.WindowsXP.Example"},
    {" type=", "win32"},
    {" /> <description>An example of windows XP theming.</description> <dependency> "
     "<dependentAssembly> <assemblyIdentity type=",
     "win32"},
    {" name=", "Microsoft.Windows.Common-Controls"},
    {" version=", "6.0.0.0"},
    {" processorArchitecture=", kProcessor},
    {" publicKeyToken=", "6595b64144ccf1df"},
    {" language=", "*"},
};

constexpr const char* kClosing = " /> </dependentAssembly> </dependency> </assembly>";

}  // namespace

ProgramLocation SplitProgramPath(std::string_view executablePath) {
  ProgramLocation program;
  const size_t slash = executablePath.find_last_of('\\');
  std::string_view file = executablePath;
  if (slash != std::string_view::npos) {
    file = executablePath.substr(slash + 1);
    program.Folder = std::string(executablePath.substr(0, slash));
    // A drive's root keeps its "\": "C:\", not "C:".
    if (program.Folder.size() == 2 && program.Folder[1] == ':') program.Folder += '\\';
  }
  const size_t dot = file.find_last_of('.');
  program.Name = std::string(dot == std::string_view::npos ? file : file.substr(0, dot));
  return program;
}

std::string PathBesideProgram(const ProgramLocation& program, std::string_view suffix) {
  std::string path = program.Folder;
  if (!path.empty() && path.back() != '\\') path += '\\';
  path += program.Name;
  path += suffix;
  return path;
}

std::string ManifestPathOf(const ProgramLocation& program) {
  return PathBesideProgram(program, ".exe.manifest");
}

std::string ProgramPathOf(const ProgramLocation& program) {
  return PathBesideProgram(program, ".exe");
}

std::string ManifestFileText(Processor processor) {
  const char* processorName = processor == Processor::Amd64 ? "amd64" : "X86";
  std::string text;
  for (const Piece& piece : kPieces) {
    text += piece.before;
    text += '"';
    text += piece.value ? piece.value : processorName;
    text += '"';
  }
  text += kClosing;
  text += "\r\n";
  return text;
}

}  // namespace vantrel
