// Saving over real files through kernel32: attributes kept, read-only and
// locked files refused with the old content intact, files held for a moment
// waited for, folders that take no file or no new file. Nothing of ours may
// be left behind in any case.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "save/ForwardingFileSystem.h"
#include "save/SafeWrite.h"

namespace vantrel {
namespace {

const std::string kOld = "127.0.0.1 old\r\n";
const std::string kNew = "127.0.0.1 alpha\r\n127.0.0.1 beta\r\n";

class Win32SaveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    ASSERT_NE(GetTempPathA(MAX_PATH, temp), 0u);
    dir_ = std::string(temp) + "vantrel-save-" + std::to_string(GetCurrentProcessId()) + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name();
    ASSERT_TRUE(CreateDirectoryA(dir_.c_str(), nullptr)) << GetLastError();
    target_ = dir_ + "\\hosts";
  }
  void TearDown() override {
    for (const std::string& name : Names()) {
      const std::string path = dir_ + "\\" + name;
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(path.c_str());
    }
    RemoveDirectoryA(dir_.c_str());
  }

  static void Put(const std::string& path, const std::string& bytes) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
    ASSERT_EQ(written, bytes.size());
  }
  static std::string Get(const std::string& path) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return "<cannot open>";
    std::string bytes(1 << 16, '\0');
    DWORD got = 0;
    ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(h);
    bytes.resize(got);
    return bytes;
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((dir_ + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
      const std::string name = found.cFileName;
      if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(find, &found));
    FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
  }
  void ExpectOnlyTheOldFile() const {
    EXPECT_EQ(Get(target_), kOld);
    EXPECT_EQ(Names(), std::vector<std::string>{"hosts"});
  }

  std::string dir_;
  std::string target_;
};

TEST_F(Win32SaveTest, ReplacingKeepsTheFilesAttributes) {
  Put(target_, kOld);
  ASSERT_TRUE(SetFileAttributesA(target_.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
  const FsStatus status = SafeWriteFile(NativeFileSystem(), target_, kNew);
  ASSERT_TRUE(status.ok()) << ReasonFor(status);
  EXPECT_EQ(Get(target_), kNew);
  EXPECT_TRUE(GetFileAttributesA(target_.c_str()) & FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ(Names(), std::vector<std::string>{"hosts"});
}

TEST_F(Win32SaveTest, NewFileIsCreated) {
  const FsStatus status = SafeWriteFile(NativeFileSystem(), target_, kNew);
  ASSERT_TRUE(status.ok()) << ReasonFor(status);
  EXPECT_EQ(Get(target_), kNew);
  EXPECT_EQ(Names(), std::vector<std::string>{"hosts"});
}

TEST_F(Win32SaveTest, ReadOnlyFileIsRefused) {
  Put(target_, kOld);
  ASSERT_TRUE(SetFileAttributesA(target_.c_str(), FILE_ATTRIBUTE_READONLY));
  const FsStatus status = SafeWriteFile(NativeFileSystem(), target_, kNew);
  EXPECT_EQ(status.error, FsError::ReadOnly);
  ExpectOnlyTheOldFile();
}

// A file made read-only after the check, between writing and replacing: the
// replace itself refuses it (some systems would let a move go over it).
TEST_F(Win32SaveTest, ReplaceRefusesAFileThatBecameReadOnly) {
  Put(target_, kOld);
  FileSystem& fs = NativeFileSystem();
  std::string temp;
  FileSystem::FileId file = FileSystem::kNoFile;
  ASSERT_TRUE(fs.CreateTemp(target_, temp, file).ok());
  size_t written = 0;
  ASSERT_TRUE(fs.Write(file, kNew.data(), kNew.size(), written).ok());
  ASSERT_TRUE(fs.Close(file).ok());
  ASSERT_TRUE(SetFileAttributesA(target_.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(fs.Replace(temp, target_, true).error, FsError::ReadOnly);
  EXPECT_TRUE(fs.Remove(temp).ok());
  ExpectOnlyTheOldFile();
}

TEST_F(Win32SaveTest, FileHeldOpenWithoutSharingIsInUse) {
  Put(target_, kOld);
  HANDLE lock = CreateFileA(target_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  const FsStatus status = SafeWriteFile(NativeFileSystem(), target_, kNew);
  CloseHandle(lock);
  EXPECT_EQ(status.error, FsError::InUse);
  EXPECT_EQ(ReasonFor(status), "The file is in use by another program.");
  ExpectOnlyTheOldFile();
}

// Locked after the check, between writing and replacing: the replace fails
// and the old file stays.
TEST_F(Win32SaveTest, ReplaceFailsOnAFileLockedMeanwhile) {
  Put(target_, kOld);
  FileSystem& fs = NativeFileSystem();
  std::string temp;
  FileSystem::FileId file = FileSystem::kNoFile;
  ASSERT_TRUE(fs.CreateTemp(target_, temp, file).ok());
  size_t written = 0;
  ASSERT_TRUE(fs.Write(file, kNew.data(), kNew.size(), written).ok());
  ASSERT_TRUE(fs.Close(file).ok());
  HANDLE lock = CreateFileA(target_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  const FsStatus status = fs.Replace(temp, target_, true);
  CloseHandle(lock);
  EXPECT_FALSE(status.ok());
  EXPECT_EQ(status.error, FsError::InUse) << ReasonFor(status);
  EXPECT_TRUE(fs.Remove(temp).ok());
  ExpectOnlyTheOldFile();
}

// Another process holds the file open as a virus scanner does, sharing all
// but its deletion, for `milliseconds` or until it is ended.
class HeldFile {
 public:
  HeldFile(const std::string& path, const char* milliseconds = nullptr) {
    char self[MAX_PATH];
    if (GetModuleFileNameA(nullptr, self, MAX_PATH) == 0) return;
    std::string helper = self;
    helper = helper.substr(0, helper.find_last_of('\\') + 1) + "hold-file.exe";
    std::string command = "\"" + helper + "\" \"" + path + "\"";
    if (milliseconds) command += std::string(" ") + milliseconds;
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &process_)) {
      return;
    }
    // Wait until the other process really holds it.
    for (int i = 0; i < 2000 && !held_; ++i) {
      HANDLE probe = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
      if (probe == INVALID_HANDLE_VALUE) {
        held_ = GetLastError() == ERROR_SHARING_VIOLATION;
      } else {
        CloseHandle(probe);
      }
      if (!held_) Sleep(5);
    }
  }
  HeldFile(const HeldFile&) = delete;
  HeldFile& operator=(const HeldFile&) = delete;
  ~HeldFile() {
    if (!process_.hProcess) return;
    TerminateProcess(process_.hProcess, 0);
    WaitForSingleObject(process_.hProcess, 5000);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
  bool held() const { return held_; }

 private:
  PROCESS_INFORMATION process_{};
  bool held_ = false;
};

// Held for good: refused as in use once the pauses are used up, and the
// file keeps its content.
TEST_F(Win32SaveTest, FileHeldOpenByAnotherProcessIsInUse) {
  Put(target_, kOld);
  HeldFile hold(target_);
  ASSERT_TRUE(hold.held());
  const FsStatus status = SafeWriteFile(NativeFileSystem(), target_, kNew);
  EXPECT_EQ(status.error, FsError::InUse) << ReasonFor(status);
  EXPECT_EQ(ReasonFor(status), "The file is in use by another program.");
  ExpectOnlyTheOldFile();
}

// Held for a moment, as a scanner holds a file it looks at: the save waits
// for it, both when it is held from the start and when it is taken between
// writing and replacing.
TEST_F(Win32SaveTest, AFileHeldForAMomentIsWaitedFor) {
  Put(target_, kOld);
  {
    HeldFile hold(target_, "300");
    ASSERT_TRUE(hold.held());
    const FsStatus status = SafeWriteFile(NativeFileSystem(), target_, kNew);
    ASSERT_TRUE(status.ok()) << ReasonFor(status);
    EXPECT_EQ(Get(target_), kNew);
  }
  FileSystem& fs = NativeFileSystem();
  std::string temp;
  FileSystem::FileId file = FileSystem::kNoFile;
  ASSERT_TRUE(fs.CreateTemp(target_, temp, file).ok());
  size_t written = 0;
  ASSERT_TRUE(fs.Write(file, kOld.data(), kOld.size(), written).ok());
  ASSERT_TRUE(fs.Close(file).ok());
  HeldFile hold(target_, "300");
  ASSERT_TRUE(hold.held());
  const FsStatus status = fs.Replace(temp, target_, true);
  ASSERT_TRUE(status.ok()) << ReasonFor(status);
  ExpectOnlyTheOldFile();
}

// The waits between attempts at a file held for good, without sleeping.
TEST_F(Win32SaveTest, ReplacingAHeldFileWaitsAboutASecondInAll) {
  Put(target_, kOld);
  std::vector<uint32_t> pauses;
  const std::unique_ptr<FileSystem> fs =
      NativeFileSystemPausing([&](uint32_t ms) { pauses.push_back(ms); });
  std::string temp;
  FileSystem::FileId file = FileSystem::kNoFile;
  ASSERT_TRUE(fs->CreateTemp(target_, temp, file).ok());
  size_t written = 0;
  ASSERT_TRUE(fs->Write(file, kNew.data(), kNew.size(), written).ok());
  ASSERT_TRUE(fs->Close(file).ok());
  HeldFile hold(target_);
  ASSERT_TRUE(hold.held());
  EXPECT_EQ(fs->Replace(temp, target_, true).error, FsError::InUse);
  EXPECT_EQ(pauses, std::vector<uint32_t>(kBusyPauses.begin(), kBusyPauses.end()));
  EXPECT_TRUE(fs->Remove(temp).ok());
  ExpectOnlyTheOldFile();
}

// The system's calls, except that the folder takes no new file, as where an
// administrator lets a user write the hosts file but nothing else there.
class FolderTakesNoNewFile final : public test::ForwardingFileSystem {
 public:
  FsStatus CreateTemp(const std::string&, std::string&, FileId&) override {
    return FsStatus::Fail(FsError::AccessDenied);
  }
};

// Written in place: a longer and then a shorter content, each exactly; the
// file keeps its attributes, and nothing else appears in the folder.
TEST_F(Win32SaveTest, AFolderThatTakesNoNewFileGetsTheFileWrittenInPlace) {
  Put(target_, kNew);
  ASSERT_TRUE(SetFileAttributesA(target_.c_str(), FILE_ATTRIBUTE_HIDDEN));
  FolderTakesNoNewFile fs;
  const std::string longer = kNew + kNew + "127.0.0.1 gamma\r\n";
  for (const std::string& content : {longer, kOld}) {
    const FsStatus status = SafeWriteFile(fs, target_, content, 7);
    ASSERT_TRUE(status.ok()) << ReasonFor(status);
    EXPECT_EQ(Get(target_), content);
  }
  EXPECT_TRUE(GetFileAttributesA(target_.c_str()) & FILE_ATTRIBUTE_HIDDEN);
  ExpectOnlyTheOldFile();
}

TEST_F(Win32SaveTest, MissingFolderTakesNoFile) {
  const std::string target = dir_ + "\\missing\\hosts";
  const FsStatus status = SafeWriteFile(NativeFileSystem(), target, kNew);
  EXPECT_EQ(status.error, FsError::FolderMissing);
  EXPECT_TRUE(Names().empty());
}

TEST_F(Win32SaveTest, FolderThatRefusesNewFiles) {
  // Under a file rather than a folder no file can be created.
  Put(target_, kOld);
  const FsStatus status = SafeWriteFile(NativeFileSystem(), target_ + "\\hosts", kNew);
  EXPECT_FALSE(status.ok());
  EXPECT_FALSE(ReasonFor(status).empty());
  ExpectOnlyTheOldFile();
}

}  // namespace
}  // namespace vantrel
