// The bootstrap on a real main window in this process: the manifest is
// written beside a program path in a temporary folder, and the relaunch is
// recorded instead of starting anything.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "shell/MainWindow.h"
#include "shell/ProcessStart.h"
#include "shell/ProgramCopy.h"
#include "shell/VisualStyleStart.h"
#include "support/ScriptedModal.h"
#include "support/WindowTesting.h"

namespace vantrel::test {
namespace {

constexpr const char* kThemeingError =
    "Error creating Windows XP theme file. You may be running EXE file from a network drive with "
    "which you dont have write permissions. Themes will not be enabled.";
// Twice the relaunch delay and then some: long enough for a tick that is due.
constexpr DWORD kTickTime = VisualStyleStart::kRelaunchDelayMs * 3;

// Kills the relaunch timer; true when there was one to kill.
bool KilledRelaunchTimer(HWND window) {
  return KillTimer(window, VisualStyleStart::kRelaunchTimer) != FALSE;
}

class Bootstrap : public ::testing::Test {
 protected:
  Bootstrap() {
    // A quit request left by an earlier window is not this test's.
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }
  ~Bootstrap() override {
    window_.reset();
    SetFileAttributesA(ManifestPath().c_str(), FILE_ATTRIBUTE_NORMAL);
  }

  std::string ProgramPath() const { return folder_.Path() + "\\app.exe"; }
  std::string ManifestPath() const { return folder_.Path() + "\\app.exe.manifest"; }

  // Creates the main window with the bootstrap, then runs start-up as the
  // program does unless told not to.
  void Start(bool relaunched = false, bool startup = true) {
    bootstrap_ = std::make_unique<ManifestBootstrap>(ProgramPath(), relaunched, &claim_);
    bootstrap_->StartProgram = [this](const std::string& path) {
      started_.push_back(path);
      writtenAtStart_ = LastWritten(path);
      // The single-instance claim is given up before the start.
      SingleInstance other;
      claimFreeAtStart_.push_back(other.Claim());
      return startWorks_;
    };
    window_ = std::make_unique<MainWindow>(document_);
    window_->UseBootstrap(*bootstrap_);
    ASSERT_TRUE(window_->Create(GetModuleHandleA(nullptr)));
    if (startup) window_->Startup();
  }

  // Runs this thread's messages until done holds or ms milliseconds passed.
  bool PumpUntil(const std::function<bool()>& done, DWORD ms) {
    const DWORD start = GetTickCount();
    for (;;) {
      MSG msg;
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
          quitSeen_ = true;
          continue;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
      }
      if (done()) return true;
      if (GetTickCount() - start >= ms) return false;
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
  }
  void PumpFor(DWORD ms) {
    PumpUntil([] { return false; }, ms);
  }
  bool Relaunched() {
    return PumpUntil([this] { return !started_.empty(); }, 5000);
  }
  void WriteManifest(const std::string& bytes) const { folder_.Write("app.exe.manifest", bytes); }
  bool Hidden(const std::string& path) const {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_HIDDEN);
  }

  ScriptedModal script_;
  ScopedModal scoped_{script_};
  TempFolder folder_;
  SingleInstance claim_;
  std::unique_ptr<ManifestBootstrap> bootstrap_;
  HostsDocument document_;
  std::unique_ptr<MainWindow> window_;
  std::vector<std::string> started_;
  std::vector<bool> claimFreeAtStart_;
  ULONGLONG writtenAtStart_ = 0;
  bool startWorks_ = true;
  bool quitSeen_ = false;
};

TEST_F(Bootstrap, MissingManifestIsWrittenHiddenAndTheProgramStartsOnceMore) {
  ASSERT_TRUE(claim_.Claim());
  const ULONGLONG written = LastWritten(folder_.Write("app.exe", "MZ"));
  Start();
  EXPECT_EQ(ReadBytes(ManifestPath()), ManifestFileText());
  EXPECT_TRUE(Hidden(ManifestPath()));
  EXPECT_EQ(Attributes(kProbePath), INVALID_FILE_ATTRIBUTES) << "the probe file is left behind";
  EXPECT_TRUE(script_.Questions().empty());
  // The window loads and shows first; the relaunch follows on its timer.
  EXPECT_TRUE(started_.empty());
  EXPECT_TRUE(IsWindowVisible(window_->Handle()));

  ASSERT_TRUE(Relaunched());
  EXPECT_EQ(started_, std::vector<std::string>{ProgramPath()});
  EXPECT_EQ(claimFreeAtStart_, std::vector<bool>{true});
  EXPECT_GT(writtenAtStart_, written) << "Windows would know it as the one without a manifest";
  EXPECT_EQ(window_->Handle(), nullptr) << "the window is unloaded before the relaunch";
  EXPECT_TRUE(quitSeen_) << "the old process ends";
  EXPECT_TRUE(script_.Questions().empty());
  PumpFor(kTickTime);
  EXPECT_EQ(started_.size(), 1u);
}

TEST_F(Bootstrap, PresentManifestIsLeftAsItIsAndNothingRelaunches) {
  WriteManifest("<!-- as the user left it -->");
  Start();
  EXPECT_EQ(ReadBytes(ManifestPath()), "<!-- as the user left it -->");
  EXPECT_FALSE(Hidden(ManifestPath()));
  EXPECT_EQ(Attributes(kProbePath), INVALID_FILE_ATTRIBUTES);
  EXPECT_FALSE(KilledRelaunchTimer(window_->Handle()));
  PumpFor(kTickTime);
  EXPECT_TRUE(started_.empty());
  EXPECT_TRUE(IsWindowVisible(window_->Handle()));
  EXPECT_TRUE(script_.Questions().empty());
}

TEST_F(Bootstrap, RelaunchedProcessWritesAMissingManifestButNeverRelaunches) {
  Start(true);
  EXPECT_EQ(ReadBytes(ManifestPath()), ManifestFileText());
  EXPECT_TRUE(Hidden(ManifestPath()));
  EXPECT_FALSE(KilledRelaunchTimer(window_->Handle()));
  PumpFor(kTickTime);
  EXPECT_TRUE(started_.empty());
  EXPECT_TRUE(IsWindowVisible(window_->Handle()));
}

TEST_F(Bootstrap, ProbeThatCannotFinishRewritesAnyTextButTheProgramsWithoutRelaunch) {
  ReadOnlyProbeFile probe;
  ASSERT_TRUE(probe.Made());
  const std::string text = ManifestFileText();
  // The manifest's bytes, whether it can be written, whether the writer replaces it.
  const std::tuple<std::string, bool, bool> cases[] = {
      {"stale", true, true},
      {text + " ", true, true},
      {text, false, false},  // nothing to write, so nothing to report
  };
  for (const auto& [bytes, writable, rewritten] : cases) {
    SCOPED_TRACE(bytes.size());
    SetFileAttributesA(ManifestPath().c_str(), FILE_ATTRIBUTE_NORMAL);
    WriteManifest(bytes);
    const HeldFile held =
        writable ? HeldFile(nullptr, CloseHandle) : HoldAgainstWriting(ManifestPath());
    const ULONGLONG written = LastWritten(ManifestPath());
    Start();
    EXPECT_EQ(ReadBytes(ManifestPath()), text);
    EXPECT_EQ(Hidden(ManifestPath()), rewritten);
    if (!rewritten) {
      EXPECT_EQ(LastWritten(ManifestPath()), written);
    }
    EXPECT_FALSE(KilledRelaunchTimer(window_->Handle()));
    PumpFor(kTickTime);
    EXPECT_TRUE(started_.empty());
    EXPECT_TRUE(script_.Questions().empty());
    window_.reset();
  }
}

TEST_F(Bootstrap, UnwritableManifestShowsThemeingErrorAndTheProgramRunsOn) {
  // A folder where the manifest belongs: it can neither be read nor
  // replaced, as in a folder without write permission.
  ASSERT_TRUE(CreateDirectoryA(ManifestPath().c_str(), nullptr));
  script_.AnswerMessage(IDOK);
  Start();
  ASSERT_EQ(script_.Questions().size(), 1u);
  const Asked& asked = script_.Questions()[0];
  EXPECT_EQ(asked.caption, "Themeing Error!");
  EXPECT_EQ(asked.text, kThemeingError);
  EXPECT_EQ(asked.type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
  EXPECT_FALSE(KilledRelaunchTimer(window_->Handle()));
  EXPECT_TRUE(IsWindowVisible(window_->Handle())) << "start-up goes on";
  PumpFor(kTickTime);
  EXPECT_TRUE(started_.empty());
  EXPECT_TRUE(script_.AllAnswered());
}

TEST_F(Bootstrap, FailedRelaunchIsReportedAndTheProgramStillEnds) {
  startWorks_ = false;
  script_.AnswerMessage(IDOK);
  Start();
  ASSERT_TRUE(Relaunched());
  ASSERT_EQ(script_.Questions().size(), 1u);
  const Asked& asked = script_.Questions()[0];
  EXPECT_EQ(asked.caption, "Manifest Exucution Error!");
  EXPECT_EQ(asked.text.rfind("Error exucuting the EXE file.", 0), 0u) << asked.text;
  EXPECT_NE(asked.text.find("development environment"), std::string::npos) << asked.text;
  EXPECT_EQ(asked.type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
  EXPECT_EQ(window_->Handle(), nullptr);
  // The quit request is held back while the message shows, not lost.
  PumpFor(100);
  EXPECT_TRUE(quitSeen_);
  EXPECT_EQ(started_.size(), 1u);
}

TEST_F(Bootstrap, RelaunchWaitsForTheWindowToLoadAndForModalWindowsToClose) {
  Start(false, false);
  // Not loaded yet: the window is still hidden.
  PumpFor(kTickTime);
  EXPECT_TRUE(started_.empty());

  window_->Startup();
  // A modal window disables its owner while it shows.
  EnableWindow(window_->Handle(), FALSE);
  PumpFor(kTickTime);
  EXPECT_TRUE(started_.empty());

  // The timer went on all the while: it relaunches as soon as it may.
  EnableWindow(window_->Handle(), TRUE);
  ASSERT_TRUE(Relaunched());
  EXPECT_EQ(started_.size(), 1u);
}

TEST_F(Bootstrap, WithoutABootstrapTheWindowTouchesNoManifest) {
  MainWindow window(document_);
  ASSERT_TRUE(window.Create(GetModuleHandleA(nullptr)));
  window.Startup();
  EXPECT_FALSE(KilledRelaunchTimer(window.Handle()));
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  EXPECT_EQ(Attributes(PathBesideProgram(self, ".exe.manifest")), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace vantrel::test
