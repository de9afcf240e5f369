#include "shell/ManifestFile.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

// The line, with the processor's name in both places where it stands.
std::string ExpectedText(const std::string& processor) {
  return R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?><assembly )"
         R"(xmlns="urn:schemas-microsoft-com:asm.v1" manifestVersion="1.0"><assemblyIdentity )"
         R"(version="1.0.0.0" processorArchitecture=")" +
         processor +
         R"(" name="Corvessa.WindowsXP.Example" )"
         R"(type="win32" /> <description>An example of windows XP theming.</description> )"
         R"(<dependency> <dependentAssembly> <assemblyIdentity type="win32" )"
         R"(name="Microsoft.Windows.Common-Controls" version="6.0.0.0" processorArchitecture=")" +
         processor +
         R"(" )"
         R"(publicKeyToken="6595b64144ccf1df" language="*" /> </dependentAssembly> </dependency> )"
         R"(</assembly>)"
         "\r\n";
}

TEST(ManifestFile, TextIsTheOneLineAskingForCommonControlsSixOfItsProcessor) {
  const struct {
    Processor processor;
    const char* name;
  } cases[] = {{Processor::X86, "X86"}, {Processor::Amd64, "amd64"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string text = ManifestFileText(c.processor);
    EXPECT_EQ(text, ExpectedText(c.name));
    // One line: the only line break is the closing CR LF.
    EXPECT_EQ(text.find_first_of("\r\n"), text.size() - 2);
    for (char ch : text) EXPECT_LT(static_cast<unsigned char>(ch), 0x80) << "not ASCII";
  }
}

TEST(ManifestFile, PathsSitBesideTheExecutable) {
  const ProgramLocation program = SplitProgramPath("C:\\Program Files\\Vantrel\\vantrel.exe");
  EXPECT_EQ(program.Folder, "C:\\Program Files\\Vantrel");
  EXPECT_EQ(program.Name, "vantrel");
  EXPECT_EQ(ManifestPathOf(program), "C:\\Program Files\\Vantrel\\vantrel.exe.manifest");
  EXPECT_EQ(ProgramPathOf(program), "C:\\Program Files\\Vantrel\\vantrel.exe");
}

TEST(ManifestFile, DriveRootGetsASingleBackslash) {
  const ProgramLocation program = SplitProgramPath("D:\\app.exe");
  EXPECT_EQ(program.Folder, "D:\\");
  EXPECT_EQ(ManifestPathOf(program), "D:\\app.exe.manifest");
  EXPECT_EQ(ProgramPathOf(program), "D:\\app.exe");
  // A folder text that already ends in "\" is not given a second one.
  EXPECT_EQ(PathBesideProgram({"E:\\", "tool"}, ".exe.manifest"), "E:\\tool.exe.manifest");
  EXPECT_EQ(PathBesideProgram({"E:\\tools", "tool"}, ".exe"), "E:\\tools\\tool.exe");
}

TEST(ManifestFile, OnlyTheLastExtensionOfTheFileNameGoes) {
  const ProgramLocation dotted = SplitProgramPath("C:\\my.tools\\host.editor.EXE");
  EXPECT_EQ(dotted.Folder, "C:\\my.tools");
  EXPECT_EQ(dotted.Name, "host.editor");
  EXPECT_EQ(ManifestPathOf(dotted), "C:\\my.tools\\host.editor.exe.manifest");
  // A dot in the folder is not taken for the file's extension.
  EXPECT_EQ(SplitProgramPath("C:\\my.tools\\plain").Name, "plain");
}

TEST(ManifestFile, NetworkShareFolder) {
  const ProgramLocation program = SplitProgramPath("\\\\server\\share\\vantrel.exe");
  EXPECT_EQ(program.Folder, "\\\\server\\share");
  EXPECT_EQ(ManifestPathOf(program), "\\\\server\\share\\vantrel.exe.manifest");
}

}  // namespace
}  // namespace vantrel
