// Hostile files through vantrel-cli: each gives a clear message or a correct
// document, and whatever is written keeps every entry and comment.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

#include "cli/Cli.h"

namespace vantrel {
namespace {

using namespace std::string_literals;

class CliHostileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("vantrel-hostile-" + std::to_string(reinterpret_cast<uintptr_t>(this)));
    std::filesystem::create_directories(dir_);
    out_ = (dir_ / "out").string();
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string Write(const std::string& bytes, const char* name = "hosts") {
    const std::filesystem::path path = dir_ / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
  }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  int Run(std::vector<std::string> args) {
    out_text_.str("");
    err_.str("");
    return RunCli(args, out_text_, err_);
  }
  std::string Out() const { return out_text_.str(); }
  std::string Err() const { return err_.str(); }

  std::filesystem::path dir_;
  std::string out_;
  std::ostringstream out_text_;
  std::ostringstream err_;
};

// The "Entry: " lines of a dump that are not empty, in order.
std::vector<std::string> DumpedEntries(const std::string& dump) {
  std::vector<std::string> entries;
  std::istringstream lines(dump);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("Entry: ", 0) == 0 && line.size() > 7) entries.push_back(line.substr(7));
  }
  return entries;
}

TEST_F(CliHostileTest, BinaryFilesReadAndSaveWithoutLoss) {
  std::mt19937 random(11);
  int saved = 0;
  for (int round = 0; round < 20; ++round) {
    std::string bytes(4096, '\0');
    for (char& c : bytes) c = static_cast<char>(random() % 256);
    bytes[0] = 'x';  // not a byte-order mark
    const std::string in = Write(bytes);
    const int dumped = Run({"dump", in});
    ASSERT_TRUE(dumped == kExitOk || dumped == kExitEmptyFile) << Err();
    if (dumped != kExitOk) continue;
    const std::vector<std::string> entries = DumpedEntries(Out());
    // Saved without removing anything, the output reads back to the same entries.
    ASSERT_EQ(Run({"clean", in, out_, "--keep-duplicates", "--no-comments"}),
              entries.empty() ? kExitEmptyFile : kExitOk)
        << Err();
    EXPECT_EQ(Read(in), bytes);
    if (entries.size() < 2) continue;
    ASSERT_EQ(Run({"dump", out_}), kExitOk);
    EXPECT_EQ(DumpedEntries(Out()), entries);
    ++saved;
  }
  EXPECT_GT(saved, 10);
}

TEST_F(CliHostileTest, NulBytesStayInTheirEntries) {
  const std::string in = Write("127.0.0.1 a\0b\r\n# c\0d\r\n127.0.0.1 e\r\n"s);
  ASSERT_EQ(Run({"dump", in}), kExitOk);
  EXPECT_NE(Out().find("Entry: a\0b\n"s), std::string::npos);
  EXPECT_NE(Out().find("Comment: 2 # c\0d\n"s), std::string::npos);
  ASSERT_EQ(Run({"clean", in, out_}), kExitOk);
  EXPECT_EQ(Read(out_), "127.0.0.1 a\0b\r\n\r\n# c\0d\r\n127.0.0.1 e\r\n"s);
}

TEST_F(CliHostileTest, TenMegabyteLine) {
  const std::string host(10 << 20, 'h');
  // Alone it is one item: an empty file, said so.
  EXPECT_EQ(Run({"dump", Write("127.0.0.1 " + host)}), kExitEmptyFile);
  EXPECT_NE(Err().find("Host File Empty"), std::string::npos);

  const std::string in = Write("# big\r\n127.0.0.1 " + host + "\r\n0 small\r\n");
  ASSERT_EQ(Run({"dump", in}), kExitOk);
  EXPECT_NE(Out().find("Entry: " + host + "\n"), std::string::npos);
  ASSERT_EQ(Run({"clean", in, out_, "--address", "0"}), kExitOk);
  EXPECT_EQ(Read(out_), "\r\n# big\r\n0 " + host + "\r\n0 small\r\n");
}

TEST_F(CliHostileTest, Utf8MarkIsSetAsideAndWrittenBack) {
  const std::string in = Write(
      "\xEF\xBB\xBF"
      "127.0.0.1 first\r\n# c\r\n127.0.0.1 second\r\n");
  ASSERT_EQ(Run({"dump", in}), kExitOk);
  EXPECT_NE(Out().find("Entry: first\n"), std::string::npos);
  ASSERT_EQ(Run({"clean", in, out_}), kExitOk);
  EXPECT_EQ(Read(out_),
            "\xEF\xBB\xBF"
            "127.0.0.1 first\r\n\r\n# c\r\n127.0.0.1 second\r\n");
}

TEST_F(CliHostileTest, Utf16IsRefusedNamingTheEncoding) {
  const std::string out = Write("keep me\r\n", "out");
  for (const std::string& bytes : {"\xFF\xFE#\0a\0\r\0\n\0"s, "1\0002\0007\0.\0"s}) {
    const std::string in = Write(bytes);
    EXPECT_EQ(Run({"dump", in}), kExitFailure);
    EXPECT_NE(Err().find("UTF-16 LE"), std::string::npos) << Err();
    EXPECT_EQ(Out(), "");
    EXPECT_EQ(Run({"clean", in, out}), kExitFailure);
    EXPECT_NE(Err().find("UTF-16 LE"), std::string::npos);
    EXPECT_EQ(Read(out), "keep me\r\n");
  }
}

// A quote left open runs to the end of its line, commas included; such an
// item goes back in quotes, so it reads back whole.
TEST_F(CliHostileTest, UnterminatedQuoteEndsWithItsLine) {
  const std::string in =
      Write("\"127.0.0.1 alpha\r\n127.0.0.1 beta\r\n\"# open, x\r\n\"0 c, d\r\n");
  const std::string expected =
      "LineCount: 4\nEntryCount: 3\nCommentCount: 1\nLoadedEntryCount: 3\n"
      "LabelIP: Host File currently not using LocalHost (0)\n"
      "Entry: alpha\nEntry: beta\nEntry: c, d\nComment: 3 # open, x\n";
  ASSERT_EQ(Run({"dump", in}), kExitOk);
  EXPECT_EQ(Out(), expected);
  ASSERT_EQ(Run({"clean", in, out_, "--keep-duplicates", "--address", "0"}), kExitOk);
  EXPECT_EQ(Read(out_), "0 alpha\r\n0 beta\r\n\r\n\"# open, x\"\r\n\"0 c, d\"\r\n");
  ASSERT_EQ(Run({"dump", out_}), kExitOk);
  EXPECT_EQ(Out().substr(Out().find("Entry:")), expected.substr(expected.find("Entry:")));
}

TEST_F(CliHostileTest, FiveMillionLines) {
  constexpr int32_t kLines = 5'000'000;
  std::string bytes;
  bytes.reserve(static_cast<size_t>(kLines) * 9);
  for (int32_t i = 0; i < kLines; ++i) {
    if (i % 1000 == 0) {
      bytes += "# c\n";
    } else {
      bytes += "0 h" + std::to_string(i % 5000) + "\n";
    }
  }
  const std::string in = Write(bytes);
  ASSERT_EQ(Run({"clean", in, out_}), kExitOk) << Err();
  // h0, h1000, ... fall on the comment lines: 4995 hosts.
  EXPECT_EQ(Out(), "before 4995000 removed 4990005 left 4995\n");
  ASSERT_EQ(Run({"dump", out_}), kExitOk);
  EXPECT_NE(Out().find("\nEntryCount: 4995\nCommentCount: 5000\n"), std::string::npos);
}

TEST_F(CliHostileTest, FilesThatCannotBeReadAreRefusedWithTheReason) {
  const std::string gone = Write("127.0.0.1 a\r\n127.0.0.1 b\r\n", "gone");
  std::filesystem::remove(gone);
  // Past the size limit, by a byte and by more than 32 bits tell: refused by
  // their size, before a byte is read (the files are sparse).
  const std::string tooLarge = "The file is larger than 2,147,483,647 bytes (2 GB)";
  const struct {
    std::string path;
    uintmax_t size;  // made that large, sparse
    std::string reason;
  } kRefused[] = {{dir_.string(), 0, "It is a folder, not a file."},
                  {gone, 0, "The file does not exist."},
                  {Write("", "2g"), uintmax_t{1} << 31, tooLarge},
                  {Write("", "5g"), uintmax_t{5} << 30, tooLarge}};
  for (const auto& file : kRefused) {
    if (file.size) std::filesystem::resize_file(file.path, file.size);
    EXPECT_EQ(Run({"dump", file.path}), kExitFailure) << file.path;
    EXPECT_NE(Err().find(file.reason), std::string::npos) << Err();
    EXPECT_EQ(Run({"clean", file.path, out_}), kExitFailure) << file.path;
    EXPECT_FALSE(std::filesystem::exists(out_));
  }
  // A folder as the output: refused, the folder as it was.
  std::filesystem::create_directories(dir_ / "folder");
  EXPECT_EQ(Run({"clean", Write("0 a\r\n0 b\r\n"), (dir_ / "folder").string()}), kExitFailure);
  EXPECT_NE(Err().find("It is a folder, not a file."), std::string::npos) << Err();
  EXPECT_TRUE(std::filesystem::is_directory(dir_ / "folder"));
}

}  // namespace
}  // namespace vantrel
