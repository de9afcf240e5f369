// Saving through the operating system's file calls, on real files.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#if !defined(_WIN32)
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "core/FileImage.h"
#include "save/SafeWrite.h"

namespace vantrel {
namespace {

namespace fs = std::filesystem;

class NativeFileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("vantrel-save-" + std::to_string(reinterpret_cast<uintptr_t>(this)));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Path(const char* name) const { return (dir_ / name).string(); }
  static std::string Read(const std::string& path) {
    FileImage image;
    std::string reason;
    EXPECT_EQ(image.Load(path, reason), ReadOutcome::Loaded) << reason;
    return std::string(image.Text());
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  fs::path dir_;
};

TEST_F(NativeFileSystemTest, CreatesAndThenReplacesAFile) {
  const std::string target = Path("hosts");
  ASSERT_TRUE(SafeWriteFile(NativeFileSystem(), target, "127.0.0.1 a\r\n").ok());
  EXPECT_EQ(Read(target), "127.0.0.1 a\r\n");
  const std::string bigger(3 * kWriteChunk + 5, 'x');
  ASSERT_TRUE(SafeWriteFile(NativeFileSystem(), target, bigger).ok());
  EXPECT_EQ(Read(target), bigger);
  ASSERT_TRUE(SafeWriteFile(NativeFileSystem(), target, "").ok());
  EXPECT_EQ(Read(target), "");
  EXPECT_EQ(Names(), std::vector<std::string>{"hosts"});
}

TEST_F(NativeFileSystemTest, MissingFolderOrAFolderAsTargetFails) {
  FsStatus status = SafeWriteFile(NativeFileSystem(), Path("no-such-folder/hosts"), "x\r\n");
  EXPECT_EQ(status.error, FsError::FolderMissing);
  EXPECT_EQ(ReasonFor(status), "The folder does not exist.");
  fs::create_directory(dir_ / "sub");
  status = SafeWriteFile(NativeFileSystem(), Path("sub"), "x\r\n");
  EXPECT_EQ(status.error, FsError::IsFolder);
  EXPECT_EQ(Names(), std::vector<std::string>{"sub"});
  EXPECT_TRUE(fs::is_empty(dir_ / "sub"));
}

// Files of many MiB are flushed early on a thread of their own while they
// are written; the bytes must come back as written, for a file finished and
// for one given up before its flush, and one after another.
TEST_F(NativeFileSystemTest, LargeFilesFlushedWhileWrittenComeBackWhole) {
  std::string big(40u << 20, '\0');
  for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>('a' + i * 7919 % 26);
  const std::string target = Path("hosts");
  for (int round = 0; round < 2; ++round) {
    ASSERT_TRUE(SafeWriteFile(NativeFileSystem(), target, big).ok());
    EXPECT_TRUE(Read(target) == big) << round;
    big[big.size() / 3] = '#';
  }

  FileSystem& files = NativeFileSystem();
  std::string temp;
  FileSystem::FileId file = FileSystem::kNoFile;
  ASSERT_TRUE(files.CreateTemp(target, temp, file).ok());
  size_t written = 0;
  ASSERT_TRUE(files.Write(file, big.data(), big.size(), written).ok());
  EXPECT_EQ(written, big.size());
  ASSERT_TRUE(files.Close(file).ok());
  ASSERT_TRUE(files.Remove(temp).ok());
  EXPECT_EQ(Names(), std::vector<std::string>{"hosts"});
  // The next file starts afresh.
  ASSERT_TRUE(SafeWriteFile(files, target, big).ok());
  EXPECT_TRUE(Read(target) == big);
}

#if !defined(_WIN32)
// A folder that takes no new file, around a file that may be written: the
// file is written in place. Root may create files anywhere, so the save runs
// in a child process as another user then.
TEST_F(NativeFileSystemTest, AFolderThatTakesNoNewFileGetsTheFileWrittenInPlace) {
  const std::string target = Path("locked/hosts");
  fs::create_directories(dir_ / "locked");
  ASSERT_TRUE(SafeWriteFile(NativeFileSystem(), target, "old\r\n").ok());
  fs::permissions(target, fs::perms::all & ~fs::perms::owner_exec & ~fs::perms::group_exec &
                              ~fs::perms::others_exec);
  fs::permissions(dir_ / "locked", fs::perms::owner_read | fs::perms::owner_exec |
                                       fs::perms::group_read | fs::perms::group_exec |
                                       fs::perms::others_read | fs::perms::others_exec);
  const std::string content = "127.0.0.1 alpha\r\n127.0.0.1 beta\r\n";
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(100);
    std::string temp;
    FileSystem::FileId file = FileSystem::kNoFile;
    if (NativeFileSystem().CreateTemp(target, temp, file).error != FsError::AccessDenied) {
      _exit(101);  // the folder takes new files after all
    }
    _exit(static_cast<int>(SafeWriteFile(NativeFileSystem(), target, content).error));
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  fs::permissions(dir_ / "locked", fs::perms::owner_all);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(Read(target), content);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_ / "locked"), fs::directory_iterator()), 1);
}

// A link as the target: the file it leads to gets the new content, the
// temporary file is made beside that file, and the link stays a link. A
// link to nothing yet gets its file made. A loop of links is refused.
TEST_F(NativeFileSystemTest, SavingThroughALinkWritesTheFileItLeadsTo) {
  fs::create_directories(dir_ / "real");
  fs::create_directories(dir_ / "links");
  ASSERT_TRUE(SafeWriteFile(NativeFileSystem(), Path("real/hosts"), "old\r\n").ok());
  fs::create_symlink(dir_ / "real/hosts", dir_ / "links/absolute");
  fs::create_symlink("../real/hosts", dir_ / "links/relative");
  fs::create_symlink("relative", dir_ / "links/chained");
  fs::create_symlink("../real/new", dir_ / "links/dangling");
  for (const char* link : {"links/absolute", "links/relative", "links/chained", "links/dangling"}) {
    SCOPED_TRACE(link);
    const std::string content = std::string("127.0.0.1 ") + link + "\r\n";
    const FsStatus status = SafeWriteFile(NativeFileSystem(), Path(link), content);
    ASSERT_TRUE(status.ok()) << ReasonFor(status);
    EXPECT_TRUE(fs::is_symlink(dir_ / link));
    EXPECT_EQ(Read(fs::canonical(dir_ / link).string()), content);
  }
  EXPECT_EQ(fs::read_symlink(dir_ / "links/chained"), "relative");
  std::vector<std::string> real;
  for (const auto& entry : fs::directory_iterator(dir_ / "real")) {
    real.push_back(entry.path().filename().string());
  }
  std::sort(real.begin(), real.end());
  EXPECT_EQ(real, (std::vector<std::string>{"hosts", "new"}));

  fs::create_symlink("loop-b", dir_ / "links/loop-a");
  fs::create_symlink("loop-a", dir_ / "links/loop-b");
  EXPECT_FALSE(SafeWriteFile(NativeFileSystem(), Path("links/loop-a"), "x\r\n").ok());
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_ / "links"), fs::directory_iterator()), 6);
}
#endif

}  // namespace
}  // namespace vantrel
