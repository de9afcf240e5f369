// Saving over real files through kernel32: attributes kept, read-only and
// locked files refused with the old content intact, folders that take no
// file. Nothing of ours may be left behind in any case.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

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

// Another process holds the file open without sharing: refused, and the
// file keeps its content.
TEST_F(Win32SaveTest, FileHeldOpenByAnotherProcessIsInUse) {
  Put(target_, kOld);
  char self[MAX_PATH];
  ASSERT_NE(GetModuleFileNameA(nullptr, self, MAX_PATH), 0u);
  std::string helper = self;
  helper = helper.substr(0, helper.find_last_of('\\') + 1) + "hold-file.exe";
  std::string command = "\"" + helper + "\" \"" + target_ + "\"";
  STARTUPINFOA si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &si, &pi))
      << GetLastError();
  // Wait until the other process really holds it.
  bool held = false;
  for (int i = 0; i < 500 && !held; ++i) {
    HANDLE probe =
        CreateFileA(target_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (probe == INVALID_HANDLE_VALUE) {
      held = GetLastError() == ERROR_SHARING_VIOLATION;
    } else {
      CloseHandle(probe);
    }
    if (!held) Sleep(10);
  }
  const FsStatus status = SafeWriteFile(NativeFileSystem(), target_, kNew);
  TerminateProcess(pi.hProcess, 0);
  WaitForSingleObject(pi.hProcess, 5000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  ASSERT_TRUE(held);
  EXPECT_EQ(status.error, FsError::InUse) << ReasonFor(status);
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
