#include <gtest/gtest.h>

#include "shell/ProcessStart.h"

namespace vantrel {
namespace {

TEST(ManifestFile, TextIsTheOneLineAskingForCommonControlsSixOfItsProcessor) {
  const std::string x86 = ManifestFileText(Processor::X86);
  EXPECT_EQ(x86,
            R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?><assembly )"
            R"(xmlns="urn:schemas-microsoft-com:asm.v1" manifestVersion="1.0"><assemblyIdentity )"
            R"(version="1.0.0.0" processorArchitecture="X86" name="Corvessa.WindowsXP.Example" )"
            R"(type="win32" /> <description>An example of windows XP theming.</description> )"
            R"(<dependency> <dependentAssembly> <assemblyIdentity type="win32" )"
            R"(name="Microsoft.Windows.Common-Controls" version="6.0.0.0" )"
            R"(processorArchitecture="X86" publicKeyToken="6595b64144ccf1df" language="*" /> )"
            R"(</dependentAssembly> </dependency> </assembly>)"
            "\r\n");
  // The 64-bit text differs only in the processor's name, in both places.
  std::string amd64 = ManifestFileText(Processor::Amd64);
  for (size_t at; (at = amd64.find("\"amd64\"")) != std::string::npos;) {
    amd64.replace(at, 7, "\"X86\"");
  }
  EXPECT_EQ(amd64, x86);
}

TEST(ManifestFile, PathsSitBesideTheExecutable) {
  const struct {
    const char* executable;
    const char* manifest;
  } cases[] = {
      {"C:\\Program Files\\Vantrel\\vantrel.exe",
       "C:\\Program Files\\Vantrel\\vantrel.exe.manifest"},
      // A drive's root keeps its single "\".
      {"D:\\app.exe", "D:\\app.exe.manifest"},
      // Only the file's last extension goes, whatever its case.
      {"C:\\my.tools\\host.editor.EXE", "C:\\my.tools\\host.editor.exe.manifest"},
      {"C:\\my.tools\\plain", "C:\\my.tools\\plain.exe.manifest"},
      {"\\\\server\\share\\vantrel.exe", "\\\\server\\share\\vantrel.exe.manifest"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PathBesideProgram(c.executable, ".exe.manifest"), c.manifest) << c.executable;
  }
  EXPECT_EQ(PathBesideProgram("C:\\a\\app.EXE", ".exe"), "C:\\a\\app.exe");
}

}  // namespace
}  // namespace vantrel
