// vantrel-cli running out of memory: a clear message, exit 2, and the output
// file as it was, with no file of its own left beside it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "support/FailingAllocator.h"

#if defined(__linux__)
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#endif

namespace vantrel {
namespace {

namespace fs = std::filesystem;
using test::FailAllocation;
using test::SparedAllocations;

// Collects what is written without taking memory counted as the program's:
// the real stdout and stderr take none.
class SparedText : public std::streambuf {
 public:
  std::string text;

 protected:
  int_type overflow(int_type c) override {
    const SparedAllocations spared;
    if (c != traits_type::eof()) text.push_back(static_cast<char>(c));
    return c;
  }
  std::streamsize xsputn(const char* s, std::streamsize n) override {
    const SparedAllocations spared;
    text.append(s, static_cast<size_t>(n));
    return n;
  }
};

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class CliOutOfMemoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("vantrel-cli-oom-" + std::to_string(reinterpret_cast<uintptr_t>(this)));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  void Write(const char* name, const std::string& text) {
    std::ofstream(dir_ / name, std::ios::binary) << text;
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const fs::directory_entry& file : fs::directory_iterator(dir_)) {
      names.push_back(file.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }
  // Ended by running out of memory: said so, and nothing written.
  void ExpectCleanEnd(int code, const std::string& err) {
    EXPECT_EQ(code, kExitFailure);
    EXPECT_EQ(err.rfind("vantrel-cli: not enough memory", 0), 0u) << err;
    EXPECT_EQ(Read(dir_ / "out"), "kept");
    EXPECT_EQ(Names(), (std::vector<std::string>{"hosts", "out"}));
  }

  fs::path dir_;
};

TEST_F(CliOutOfMemoryTest, EachAllocationFailingInTurn) {
  Write("hosts", "# c\r\n127.0.0.1 b\r\n127.0.0.1 A\r\n127.0.0.1 b\r\n");
  const std::string hosts = (dir_ / "hosts").string();
  const std::string out = (dir_ / "out").string();
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"dump", hosts}, std::vector<std::string>{"clean", hosts, out}}) {
    Write("out", "kept");
    SparedText doneOut, doneErr;
    std::ostream doneOutStream(&doneOut), doneErrStream(&doneErr);
    ASSERT_EQ(RunCli(args, doneOutStream, doneErrStream), kExitOk);
    const std::string done = Read(out);
    for (uint64_t n = 1;; ++n) {
      Write("out", "kept");
      SparedText outText, errText;
      std::ostream outStream(&outText), errStream(&errText);
      FailAllocation(n);
      const int code = RunCli(args, outStream, errStream);
      FailAllocation(0);
      if (!test::AllocationFailed() || code == kExitOk) {
        EXPECT_EQ(code, kExitOk) << args[0] << ", allocation " << n;
        EXPECT_EQ(outText.text, doneOut.text);
        EXPECT_EQ(Read(out), done);
        if (!test::AllocationFailed()) break;
        continue;
      }
      ExpectCleanEnd(code, errText.text);
      EXPECT_EQ(outText.text, "");
    }
  }
}

#if defined(__linux__)
// A real limit on the address space, where mapped files, large blocks and
// threads fail too, not only operator new: every limit from too little to
// read the file to enough to clean it ends cleanly.
TEST_F(CliOutOfMemoryTest, UnderAnAddressSpaceLimit) {
  std::string text;
  for (int i = 0; i < 500000; ++i) {
    text += "127.0.0.1 host" + std::to_string(i * 7919LL % 400000) + ".example.com\r\n";
  }
  Write("hosts", text);
  const fs::path cli = fs::read_symlink("/proc/self/exe").parent_path() / "vantrel-cli";
  ASSERT_TRUE(fs::exists(cli));
  int ended = 0, cleaned = 0;
  for (int megabytes = 20; megabytes <= 160; megabytes += 10) {
    Write("out", "kept");
    const std::string command = "cd '" + dir_.string() + "' && ulimit -v " +
                                std::to_string(megabytes * 1024) + " && '" + cli.string() +
                                "' clean hosts out >/dev/null 2>err.txt";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status)) << megabytes << " MB: ended by a signal";
    const std::string err = Read(dir_ / "err.txt");
    fs::remove(dir_ / "err.txt");
    if (WEXITSTATUS(status) == kExitOk) {
      ++cleaned;
      EXPECT_NE(Read(dir_ / "out"), "kept");
      continue;
    }
    ++ended;
    ExpectCleanEnd(WEXITSTATUS(status), err);
  }
  EXPECT_GT(ended, 0);
  EXPECT_GT(cleaned, 0);
}
#endif

}  // namespace
}  // namespace vantrel
