#include "cli/Cli.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace vantrel {
namespace {

class CliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("vantrel-cli-" + std::to_string(reinterpret_cast<uintptr_t>(this)));
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string Write(const std::string& bytes) {
    const std::filesystem::path path = dir_ / "hosts";
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
  }
  int Run(std::vector<std::string> args) {
    out_.str("");
    err_.str("");
    return RunCli(args, out_, err_);
  }

  std::filesystem::path dir_;
  std::ostringstream out_;
  std::ostringstream err_;
};

TEST_F(CliTest, DumpPrintsTheDocument) {
  const std::string path =
      Write("#hdr, 127.0.0.1 Split\r\n127.0.0.1 alpha\r\n\r\n10.0.0.1\t\r\n# tail \r\n");
  ASSERT_EQ(Run({"dump", path}), kExitOk);
  EXPECT_EQ(out_.str(),
            "LineCount: 6\n"
            "EntryCount: 3\n"
            "CommentCount: 2\n"
            "LoadedEntryCount: 3\n"
            "LabelIP: Host File currently using Other IP or Website: \n"
            "Entry: split\n"
            "Entry: alpha\n"
            "Entry: \n"
            "Comment: 1 #hdr\n"
            "Comment: 5 # tail \n");
  EXPECT_EQ(err_.str(), "");
}

TEST_F(CliTest, EmptyFileExitsOne) {
  EXPECT_EQ(Run({"dump", Write("127.0.0.1 only\r\n")}), kExitEmptyFile);
  EXPECT_EQ(err_.str(), "Host File Empty: No entries found in Host file.\n");
  EXPECT_EQ(out_.str(), "");
}

TEST_F(CliTest, UnreadableFileExitsTwoNamingIt) {
  const std::string path = (dir_ / "nothing-here").string();
  EXPECT_EQ(Run({"dump", path}), kExitFailure);
  EXPECT_NE(err_.str().find(path), std::string::npos);
}

TEST_F(CliTest, UsageOnBadArguments) {
  EXPECT_EQ(Run({}), kExitFailure);
  EXPECT_NE(err_.str().find("usage: vantrel-cli"), std::string::npos);
  EXPECT_EQ(Run({"dump"}), kExitFailure);
  EXPECT_EQ(Run({"frobnicate", "x"}), kExitFailure);
  EXPECT_EQ(out_.str(), "");
}

}  // namespace
}  // namespace vantrel
