// The elevated copy's work on real files in the real temporary folder, with
// the system's SHA-256, in this process and as the real program: it saves,
// and refuses anything but what this program passes, leaving the target as
// it was; the program shows no window and writes no manifest meanwhile.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "save/SystemElevation.h"
#include "shell/ProgramCopy.h"

namespace vantrel::test {
namespace {

const std::string kOld = "127.0.0.1 old\r\n";
const std::string kNew = "127.0.0.1 alpha\r\n127.0.0.1 beta\r\n";

std::string Digest(const std::string& bytes) { return HexOf(SystemSha256(bytes).value_or("")); }
bool Exists(const std::string& path) { return Attributes(path) != INVALID_FILE_ATTRIBUTES; }

// The command's code, run in this process or by the program.
int RunCommand(const ProgramCopy* program, const std::vector<std::string>& args) {
  if (!program) return RunSaveElevatedCommand(args);
  std::string line = kSaveElevatedSwitch;
  for (const std::string& arg : args) line += " \"" + arg + "\"";
  ProcessHandle process = program->Start(line);
  return process.EndsWithin(10000) ? static_cast<int>(process.ExitCode()) : -1;
}

TEST(SystemSha256Test, KnownDigest) {
  EXPECT_EQ(Digest("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
}

// Arguments as words, their first capital standing for a path: P the prepared file, T the target, D
// the right digest, F a folder in the temporary folder named like a prepared file.
const struct CommandCase {
  const char* name;
  int code;
  std::vector<std::string> args;
} kCommandCases[] = {
    {"Saves", kElevatedSaved, {"P", "T", "D"}},
    {"NoArguments", kBadArguments, {}},
    {"NoDigest", kBadArguments, {"P", "T"}},
    {"DigestNotHex", kBadArguments, {"P", "T", std::string(64, 'g')}},
    {"RelativePrepared", kBadArguments, {"vantrel-save.tmp", "T", "D"}},
    {"RelativeTarget", kBadArguments, {"P", "hosts", "D"}},
    {"StepUpToTarget", kBadArguments, {"P", "F\\..\\hosts", "D"}},
    {"DeviceTarget", kBadArguments, {"P", "\\\\.\\C:", "D"}},
    {"PreparedOutsideTemp", kNotPrepared, {"F\\vantrel-save.tmp", "T", "D"}},
    {"PreparedNotOurs", kNotPrepared, {"O", "T", "D"}},
    {"PreparedMissing", kNotPrepared, {"Px", "T", "D"}},
    {"PreparedIsFolder", kNotPrepared, {"F", "T", "D"}},
    {"TargetIsFolder", kTargetIsFolder, {"P", "F", "D"}},
    {"Swapped", kDigestMismatch, {"P", "T", Digest(kOld)}},
};

class ElevatedCommandTest : public ::testing::TestWithParam<CommandCase> {};

TEST_P(ElevatedCommandTest, SavesOrRefusesWritingNothing) {
  const std::string folder =
      UserTempFolder() + kPreparedStem + "-test" + std::to_string(GetCurrentProcessId());
  const std::string other = UserTempFolder() + "other" + std::to_string(GetCurrentProcessId());
  const std::map<std::string, std::string> paths = {{"P", folder + ".tmp"},
                                                    {"T", folder + "\\hosts"},
                                                    {"D", Digest(kNew)},
                                                    {"F", folder},
                                                    {"O", other}};
  const std::vector<std::string> files = {paths.at("P"), folder + "\\vantrel-save.tmp", other};
  const CommandCase& c = GetParam();
  std::vector<std::string> args;
  for (const std::string& word : c.args) {
    const auto it = paths.find(word.substr(0, 1));
    args.push_back(it == paths.end() ? word : it->second + word.substr(1));
  }
  ProgramCopy program;
  ASSERT_TRUE(program.Copied());
  for (const ProgramCopy* copy : {static_cast<ProgramCopy*>(nullptr), &program}) {
    SCOPED_TRACE(copy ? "as the program" : "in this process");
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    for (const std::string& file : files) std::ofstream(file, std::ios::binary) << kNew;
    std::ofstream(paths.at("T"), std::ios::binary) << kOld;
    EXPECT_EQ(RunCommand(copy, args), c.code);
    EXPECT_EQ(ReadBytes(paths.at("T")), c.code == kElevatedSaved ? kNew : kOld);
    // Deleted once read; any other file is left alone.
    const bool read = c.code != kBadArguments && c.code != kNotPrepared;
    for (const std::string& file : files) EXPECT_EQ(Exists(file), file != files[0] || !read);
    for (const std::string& file : files) DeleteFileA(file.c_str());
    DeleteFileA(paths.at("T").c_str());
    EXPECT_TRUE(RemoveDirectoryA(folder.c_str()));  // nothing else left in it
  }
  EXPECT_FALSE(Exists(program.ManifestPath()));
}

INSTANTIATE_TEST_SUITE_P(Arguments, ElevatedCommandTest, ::testing::ValuesIn(kCommandCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vantrel::test
