#include "cli/Cli.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
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

  std::string Write(const std::string& bytes, const char* name = "hosts") {
    const std::filesystem::path path = dir_ / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
  }
  std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
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

constexpr const char* kDuplicates =
    "# top\r\n127.0.0.1 beta\r\n0.0.0.0 Alpha\r\n127.0.0.1 beta\r\n\r\n# mid\r\n"
    "127.0.0.1 alpha\r\n127.0.0.1\t\r\n127.0.0.1 gamma\r\n";

TEST_F(CliTest, CleanRemovesDuplicatesAndSavesWithComments) {
  const std::string in = Write(kDuplicates);
  const std::string out = (dir_ / "out").string();
  ASSERT_EQ(Run({"clean", in, out}), kExitOk) << err_.str();
  EXPECT_EQ(out_.str(), "before 5 removed 2 left 3\n");
  // Sorted after the removal; the comments keep their line positions.
  EXPECT_EQ(Read(out),
            "\r\n# top\r\n127.0.0.1 alpha\r\n127.0.0.1 beta\r\n127.0.0.1 gamma\r\n"
            "\r\n# mid\r\n");
  EXPECT_EQ(Read(in), kDuplicates);
}

TEST_F(CliTest, CleanAddressesAndOptions) {
  const std::string in = Write(kDuplicates);
  const std::string out = (dir_ / "out").string();
  ASSERT_EQ(Run({"clean", in, out, "--address", "0", "--no-comments"}), kExitOk);
  EXPECT_EQ(Read(out), "0 alpha\r\n0 beta\r\n0 gamma\r\n");
  ASSERT_EQ(Run({"clean", "--no-comments", in, out, "--address", "MyServer"}), kExitOk);
  EXPECT_EQ(Read(out), "myserver alpha\r\nmyserver beta\r\nmyserver gamma\r\n");
  ASSERT_EQ(Run({"clean", in, out, "--keep-duplicates", "--no-comments"}), kExitOk);
  EXPECT_EQ(out_.str(), "before 5 removed 0 left 5\n");
  EXPECT_EQ(Read(out),
            "127.0.0.1 beta\r\n127.0.0.1 alpha\r\n127.0.0.1 beta\r\n127.0.0.1 alpha\r\n"
            "127.0.0.1 gamma\r\n");
}

TEST_F(CliTest, CleanFailuresLeaveTheOutputAlone) {
  const std::string out = Write("keep me\r\n", "out");
  EXPECT_EQ(Run({"clean", Write("127.0.0.1 only\r\n"), out}), kExitEmptyFile);
  EXPECT_EQ(err_.str(), "Host File Empty: No entries found in Host file.\n");
  EXPECT_EQ(Run({"clean", Write("# only\r\n# comments\r\n"), out}), kExitEmptyFile);
  EXPECT_EQ(Run({"clean", (dir_ / "missing").string(), out}), kExitFailure);
  EXPECT_NE(err_.str().find("missing"), std::string::npos);
  EXPECT_EQ(Read(out), "keep me\r\n");

  const std::string nowhere = (dir_ / "no-folder" / "out").string();
  EXPECT_EQ(Run({"clean", Write(kDuplicates), nowhere}), kExitFailure);
  EXPECT_NE(err_.str().find("The folder does not exist."), std::string::npos);
  EXPECT_EQ(out_.str(), "");
}

#if !defined(_WIN32)
TEST_F(CliTest, CleanWritesThroughAnOutputThatIsALink) {
  const std::string target = Write("old\r\n", "target");
  std::filesystem::create_symlink("target", dir_ / "out");
  ASSERT_EQ(Run({"clean", Write(kDuplicates), (dir_ / "out").string(), "--no-comments"}), kExitOk)
      << err_.str();
  EXPECT_TRUE(std::filesystem::is_symlink(dir_ / "out"));
  EXPECT_EQ(Read(target), "127.0.0.1 alpha\r\n127.0.0.1 beta\r\n127.0.0.1 gamma\r\n");
}
#endif

TEST_F(CliTest, UsageOnBadArguments) {
  EXPECT_EQ(Run({}), kExitFailure);
  EXPECT_NE(err_.str().find("usage: vantrel-cli"), std::string::npos);
  EXPECT_EQ(Run({"dump"}), kExitFailure);
  EXPECT_EQ(Run({"frobnicate", "x"}), kExitFailure);
  EXPECT_EQ(Run({"clean", "in"}), kExitFailure);
  EXPECT_EQ(Run({"clean", "in", "out", "--address"}), kExitFailure);
  for (const char* address : {"", "#x", "a b", "a,b", "\"a"}) {
    EXPECT_EQ(Run({"clean", "in", "out", "--address", address}), kExitFailure) << address;
    EXPECT_NE(err_.str().find("does not begin with #"), std::string::npos);
  }
  EXPECT_EQ(Run({"clean", "in", "out", "--bogus"}), kExitFailure);
  EXPECT_EQ(Run({"clean", "in", "out", "extra"}), kExitFailure);
  EXPECT_EQ(out_.str(), "");
}

}  // namespace
}  // namespace vantrel
