#include "shell/ManifestFile.h"

namespace vantrel {

std::string PathBesideProgram(std::string_view executablePath, std::string_view suffix) {
  const size_t slash = executablePath.find_last_of('\\');
  const size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
  std::string_view name = executablePath.substr(nameStart);
  name = name.substr(0, name.find_last_of('.'));
  std::string path(executablePath.substr(0, nameStart));
  path += name;
  path += suffix;
  return path;
}

std::string ManifestFileText(Processor processor) {
  const std::string name = processor == Processor::Amd64 ? "amd64" : "X86";
  return R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?><assembly )"
         R"(xmlns="urn:schemas-microsoft-com:asm.v1" manifestVersion="1.0"><assemblyIdentity )"
         R"(version="1.0.0.0" processorArchitecture=")" +
         name +
         R"(" name="Corvessa.WindowsXP.Example" type="win32" /> <description>An example of )"
         R"(windows XP theming.</description> <dependency> <dependentAssembly> )"
         R"(<assemblyIdentity type="win32" name="Microsoft.Windows.Common-Controls" )"
         R"(version="6.0.0.0" processorArchitecture=")" +
         name +
         R"(" publicKeyToken="6595b64144ccf1df" language="*" /> </dependentAssembly> )"
         R"(</dependency> </assembly>)"
         "\r\n";
}

}  // namespace vantrel
