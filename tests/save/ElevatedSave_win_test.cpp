// The elevated copy's work on real files in the real temporary folder, with
// the system's SHA-256: it saves, and refuses anything but what this program
// passes, leaving the target as it was.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "save/SystemElevation.h"

namespace vantrel {
namespace {

const std::string kOld = "127.0.0.1 old\r\n";
const std::string kNew = "127.0.0.1 alpha\r\n127.0.0.1 beta\r\n";

std::string Digest(const std::string& bytes) { return HexOf(SystemSha256(bytes).value_or("")); }

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string Get(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

TEST(SystemSha256Test, KnownDigest) {
  EXPECT_EQ(Digest("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
}

struct Paths {
  std::string temp, prepared, folder, target;
};

struct CommandCase {
  const char* name;
  int code;
  std::function<std::vector<std::string>(const Paths&)> args;
};

const CommandCase kCommandCases[] = {
    {"Saves", kElevatedSaved,
     [](const Paths& p) {
       return std::vector{p.prepared, p.target, Digest(kNew)};
     }},
    {"NoArguments", kBadArguments, [](const Paths&) { return std::vector<std::string>{}; }},
    {"NoDigest", kBadArguments,
     [](const Paths& p) {
       return std::vector{p.prepared, p.target};
     }},
    {"DigestNotHex", kBadArguments,
     [](const Paths& p) {
       return std::vector{p.prepared, p.target, std::string(64, 'g')};
     }},
    {"RelativePrepared", kBadArguments,
     [](const Paths& p) {
       return std::vector{p.prepared.substr(3), p.target, Digest(kNew)};
     }},
    {"RelativeTarget", kBadArguments,
     [](const Paths& p) {
       return std::vector<std::string>{p.prepared, "hosts", Digest(kNew)};
     }},
    {"StepUpToTarget", kBadArguments,
     [](const Paths& p) {
       return std::vector{p.prepared, p.folder + "\\..\\hosts", Digest(kNew)};
     }},
    {"DeviceTarget", kBadArguments,
     [](const Paths& p) {
       return std::vector<std::string>{p.prepared, "\\\\.\\C:", Digest(kNew)};
     }},
    {"PreparedOutsideTemp", kNotPrepared,
     [](const Paths& p) {
       return std::vector{p.folder + "\\" + kPreparedStem + ".tmp", p.target, Digest(kNew)};
     }},
    {"PreparedNotOurs", kNotPrepared,
     [](const Paths& p) {
       return std::vector{p.temp + "other.tmp", p.target, Digest(kNew)};
     }},
    {"PreparedMissing", kNotPrepared,
     [](const Paths& p) {
       return std::vector{p.prepared + "x", p.target, Digest(kNew)};
     }},
    {"PreparedIsFolder", kNotPrepared,
     [](const Paths& p) {
       return std::vector{p.folder, p.target, Digest(kNew)};
     }},
    {"TargetIsFolder", kTargetIsFolder,
     [](const Paths& p) {
       return std::vector{p.prepared, p.folder, Digest(kNew)};
     }},
    {"Swapped", kDigestMismatch,
     [](const Paths& p) {
       return std::vector{p.prepared, p.target, Digest(kOld + "x")};
     }},
};

class ElevatedCommandTest : public ::testing::TestWithParam<CommandCase> {};

TEST_P(ElevatedCommandTest, SavesOrRefusesWritingNothing) {
  Paths p;
  p.temp = UserTempFolder();
  ASSERT_FALSE(p.temp.empty());
  // A folder in the temporary folder named like a prepared file.
  p.folder = p.temp + kPreparedStem + "-test" + std::to_string(GetCurrentProcessId());
  p.prepared = p.folder + ".tmp";
  p.target = p.folder + "\\hosts";
  const std::string outside = p.folder + "\\" + kPreparedStem + ".tmp";
  ASSERT_TRUE(CreateDirectoryA(p.folder.c_str(), nullptr));
  for (const std::string& path : {p.prepared, outside})
    std::ofstream(path, std::ios::binary) << kNew;
  std::ofstream(p.target, std::ios::binary) << kOld;

  const CommandCase& c = GetParam();
  const int code = RunSaveElevatedCommand(c.args(p));
  EXPECT_EQ(code, c.code);
  EXPECT_EQ(Get(p.target), c.code == kElevatedSaved ? kNew : kOld);
  // Read and deleted once known to be ours; any other file is left alone.
  EXPECT_EQ(Exists(p.prepared), c.code == kBadArguments || c.code == kNotPrepared);
  EXPECT_TRUE(Exists(outside));
  for (const std::string& path : {p.prepared, outside, p.target}) DeleteFileA(path.c_str());
  EXPECT_TRUE(RemoveDirectoryA(p.folder.c_str()));  // nothing else left in it
}

INSTANTIATE_TEST_SUITE_P(Arguments, ElevatedCommandTest, ::testing::ValuesIn(kCommandCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vantrel
