// The real program, copied into a temporary folder and started as a new
// user would start it: the first start writes the manifest and starts the
// program once more, themed; every failure ends without a relaunch loop.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <string>
#include <vector>

#include "shell/ProcessStart.h"
#include "shell/ProgramCopy.h"

namespace vantrel::test {
namespace {

constexpr const char* kMainClass = "VantrelMainWindow";
constexpr const char* kThemeingError =
    "Error creating Windows XP theme file. You may be running EXE file from a network drive with "
    "which you dont have write permissions. Themes will not be enabled.";
// Long enough for several relaunch delays: a relaunch that should not come
// would show within it.
constexpr DWORD kWatchMs = 2500;

bool Hidden(const std::string& path) {
  const DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_HIDDEN);
}

class Relaunch : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(copy_.Copied()) << BuiltProgramPath();
    ASSERT_EQ(Attributes("c:\\checkexist.txt"), INVALID_FILE_ATTRIBUTES)
        << "a probe file left from elsewhere";
  }

  // Starts the copy and expects it to come up without relaunching: its own
  // main window, and no other process of the copy while it runs.
  ProcessHandle StartsAndStays() {
    ProcessHandle process = copy_.Start();
    EXPECT_TRUE(process.Valid());
    HWND main = WaitForWindow({kMainClass, "Vantrel", process.Id()}, 10000);
    EXPECT_NE(main, nullptr);
    EXPECT_EQ(copy_.Watch(kWatchMs), std::vector<DWORD>{process.Id()});
    EXPECT_FALSE(process.EndsWithin(0));
    return process;
  }

  // Closes the program's window and expects the process to end.
  void Close(const ProcessHandle& process) {
    HWND main = WaitForWindow({kMainClass, nullptr, process.Id()});
    ASSERT_NE(main, nullptr);
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(process.EndsWithin(10000));
  }

  ProgramCopy copy_;
};

BOOL CALLBACK CountResource(HMODULE, LPCSTR, LPSTR, LONG_PTR count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

// The manifest is the program's own doing: none comes with the executable.
TEST(ProgramResources, NoManifestIsEmbedded) {
  HMODULE program = LoadLibraryExA(BuiltProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(program, nullptr);
  int manifests = 0;
  EnumResourceNamesA(program, RT_MANIFEST, CountResource, reinterpret_cast<LONG_PTR>(&manifests));
  int icons = 0;
  EnumResourceNamesA(program, RT_GROUP_ICON, CountResource, reinterpret_cast<LONG_PTR>(&icons));
  FreeLibrary(program);
  EXPECT_EQ(manifests, 0);
  EXPECT_GT(icons, 0) << "the resources were not read at all";
}

TEST_F(Relaunch, FreshCopyComesUpThemedAfterExactlyOneRelaunch) {
  const ULONGLONG copied = LastWritten(copy_.Path());
  ProcessHandle first = copy_.Start();
  ASSERT_TRUE(first.Valid());
  // The first process shows its window, unthemed, then hands over.
  EXPECT_NE(WaitForWindow({kMainClass, "Vantrel", first.Id()}, 10000), nullptr);
  HWND main = copy_.WaitForMainWindow(first.Id(), 15000);
  ASSERT_NE(main, nullptr) << "no relaunched program";
  ProcessHandle second = ProcessHandle::Open(ProcessOf(main));
  ASSERT_TRUE(second.Valid());
  EXPECT_TRUE(first.EndsWithin(10000));

  EXPECT_EQ(ReadBytes(copy_.ManifestPath()), ManifestFileText());
  EXPECT_TRUE(Hidden(copy_.ManifestPath()));
  EXPECT_GT(LastWritten(copy_.Path()), copied) << "Windows would know it as without a manifest";
  EXPECT_EQ(Attributes("c:\\checkexist.txt"), INVALID_FILE_ATTRIBUTES);
  const std::string controls = LoadedCommonControls(second.Id());
  EXPECT_TRUE(FromSideBySideStore(controls)) << "comctl32 from " << controls;
  EXPECT_EQ(TextOf(main), "Vantrel");

  // The relaunched program runs on and starts nothing more.
  EXPECT_EQ(copy_.Watch(kWatchMs), std::vector<DWORD>{second.Id()});
  EXPECT_TRUE(IsWindowVisible(main));
  Close(second);
}

TEST_F(Relaunch, StartWithTheManifestPresentRunsThemedWithoutRelaunch) {
  std::ofstream(copy_.ManifestPath(), std::ios::binary) << ManifestFileText();
  ProcessHandle process = StartsAndStays();
  const std::string controls = LoadedCommonControls(process.Id());
  EXPECT_TRUE(FromSideBySideStore(controls)) << "comctl32 from " << controls;
  Close(process);
}

TEST_F(Relaunch, UnwritableManifestGivesThemeingErrorAtEveryStartAndRunsUnthemed) {
  // A folder in the manifest's place: nothing can be written there, as in a
  // read-only folder (Wine as root writes into folders marked read-only).
  ASSERT_TRUE(CreateDirectoryA(copy_.ManifestPath().c_str(), nullptr));
  for (int start = 0; start < 2; ++start) {
    SCOPED_TRACE(start);
    ProcessHandle process = copy_.Start();
    ASSERT_TRUE(process.Valid());
    HWND box = WaitForWindow({"#32770", "Themeing Error!", process.Id()}, 10000);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), kThemeingError);
    // Shown before the main window.
    EXPECT_EQ(WaitForWindow({kMainClass, nullptr, process.Id()}), nullptr);
    PressOk(box);
    ASSERT_NE(WaitForWindow({kMainClass, "Vantrel", process.Id()}, 10000), nullptr);
    EXPECT_EQ(copy_.Watch(kWatchMs), std::vector<DWORD>{process.Id()});
    const std::string controls = LoadedCommonControls(process.Id());
    EXPECT_FALSE(controls.empty());
    EXPECT_FALSE(FromSideBySideStore(controls)) << "comctl32 from " << controls;
    Close(process);
  }
}

TEST_F(Relaunch, ReadOnlyProbeFileGivesOneRelaunchThenLeavesTheProgramsManifest) {
  ReadOnlyProbeFile probe;
  ASSERT_TRUE(probe.Made());
  // A new user: the manifest is missing, so one relaunch follows.
  ProcessHandle first = copy_.Start();
  ASSERT_TRUE(first.Valid());
  HWND main = copy_.WaitForMainWindow(first.Id(), 15000);
  ASSERT_NE(main, nullptr);
  ProcessHandle second = ProcessHandle::Open(ProcessOf(main));
  EXPECT_TRUE(first.EndsWithin(10000));
  // Its probe fails too and its writer runs again, but it never relaunches.
  EXPECT_EQ(copy_.Watch(kWatchMs), std::vector<DWORD>{second.Id()});
  EXPECT_TRUE(Hidden(copy_.ManifestPath()));
  Close(second);

  // Each later start finds the program's text and leaves it, even where it
  // could not be written, and stays the one process.
  ASSERT_TRUE(SetFileAttributesA(copy_.ManifestPath().c_str(), FILE_ATTRIBUTE_NORMAL));
  for (int start = 0; start < 2; ++start) {
    SCOPED_TRACE(start);
    const HeldFile held =
        start == 1 ? HoldAgainstWriting(copy_.ManifestPath()) : HeldFile(nullptr, CloseHandle);
    ProcessHandle later = StartsAndStays();
    EXPECT_FALSE(Hidden(copy_.ManifestPath())) << "the writer ran";
    EXPECT_EQ(ReadBytes(copy_.ManifestPath()), ManifestFileText());
    const std::string controls = LoadedCommonControls(later.Id());
    EXPECT_TRUE(FromSideBySideStore(controls)) << "comctl32 from " << controls;
    Close(later);
  }
}

}  // namespace
}  // namespace vantrel::test
