// Save As, Close and Exit on the real main window: the real Save Options
// dialog is answered from inside its modal loop, the file dialog and the
// message boxes by script.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "save/ForwardingFileSystem.h"
#include "save/SystemElevation.h"
#include "shell/MainFixture.h"
#include "shell/ProgramCopy.h"
#include "support/WindowTesting.h"

namespace vantrel::test {
namespace {

HWND SaveOptions() { return WaitForWindow({SaveOptionsWindow::kClassName}); }

void ClickIn(HWND window, int id) { SendMessageA(GetDlgItem(window, id), BM_CLICK, 0, 0); }

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

class SavingTest : public MainFixture {
 protected:
  void Load(const std::string& bytes) {
    Open(folder_.Write("hosts", bytes));
    script_.Forget();
  }
  // Runs command while the Save Options dialog is answered with option (1 to
  // 3; 0 presses Cancel) and the comments box set as asked.
  void WithSaveOptions(int option, bool comments, int command) {
    std::vector<std::function<void()>> steps;
    steps.push_back([=] {
      HWND dialog = SaveOptions();
      if (!dialog) return;
      const bool checked = SendMessageA(GetDlgItem(dialog, SaveOptionsWindow::Check1), BM_GETCHECK,
                                        0, 0) == BST_CHECKED;
      if (checked != comments) ClickIn(dialog, SaveOptionsWindow::Check1);
      if (option == 0) {
        ClickIn(dialog, SaveOptionsWindow::Command2);
        return;
      }
      ClickIn(dialog, SaveOptionsWindow::Option1 + option - 1);
      ClickIn(dialog, SaveOptionsWindow::Command1);
    });
    ModalSteps modal(SaveOptions, std::move(steps));
    SendMessageA(window_.Handle(), WM_COMMAND, command, 0);
    Pump();
    EXPECT_TRUE(modal.AllRan());
    EXPECT_FALSE(modal.TimedOut());
  }
};

constexpr const char* kSample = "#hdr\r\n127.0.0.1 alpha\r\n127.0.0.1\tbeta\r\n";

TEST_F(SavingTest, SaveAsWritesTheChosenAddressWithTheComments) {
  Load(kSample);
  const std::string loaded = document_.HostsPath;
  const std::string out = folder_.Path() + "\\saved";
  script_.AnswerFile(out);
  WithSaveOptions(1, true, kMnuSaveAs);
  ASSERT_EQ(script_.Questions().size(), 1u);
  const Asked& dialog = script_.Last();
  EXPECT_EQ(dialog.what, Asked::What::Save);
  EXPECT_EQ(dialog.caption, "Save Host File Save Host File With LocalHost (127.0.0.1) As...");
  EXPECT_EQ(dialog.type, 2621446u);
  EXPECT_EQ(dialog.initial, loaded);
  EXPECT_EQ(ReadAll(out), "\r\n#hdr\r\n127.0.0.1 alpha\r\n127.0.0.1 beta\r\n");
  EXPECT_EQ(document_.ChangeCount, 0);
  EXPECT_EQ(document_.HostsPath, out);
  EXPECT_NE(Text(kLabel6), out);  // still the file that was opened
}

TEST_F(SavingTest, SaveAsWithZeroAndNoComments) {
  Load(kSample);
  const std::string out = folder_.Path() + "\\zero";
  script_.AnswerFile(out);
  WithSaveOptions(2, false, kCmdSaveAs);
  EXPECT_EQ(ReadAll(out), "0 alpha\r\n0 beta\r\n");
}

TEST_F(SavingTest, TheThirdOptionAsksForTheAddress) {
  Load(kSample);
  const std::string out = folder_.Path() + "\\server";
  script_.AnswerInput("MyServer");
  script_.AnswerFile(out);
  WithSaveOptions(3, false, kMnuSaveAs);
  ASSERT_EQ(script_.Questions().size(), 2u);
  EXPECT_EQ(script_.Questions()[0].text,
            "Please Specify Website or IP that you wish to redirect websites");
  EXPECT_EQ(script_.Questions()[0].caption, "Specify IP or Website");
  EXPECT_EQ(script_.Questions()[1].caption, "Save Host File Save Host File With myserver As...");
  EXPECT_EQ(ReadAll(out), "myserver alpha\r\nmyserver beta\r\n");
}

TEST_F(SavingTest, CancelInSaveOptionsWritesNothing) {
  Load(kSample);
  WithSaveOptions(0, true, kMnuSaveAs);
  EXPECT_TRUE(script_.Questions().empty());
  EXPECT_FALSE(Ended());
}

TEST_F(SavingTest, NothingLoadedToSave) {
  script_.AnswerMessage(IDOK);
  Command(kMnuSaveAs);
  ASSERT_EQ(script_.Questions().size(), 1u);
  EXPECT_EQ(script_.Last().caption, "Nothing Loaded to Save");
  EXPECT_EQ(script_.Last().text, "Please Load the List Before Saving");
}

TEST_F(SavingTest, CloseAsksOnlyWithUnsavedChanges) {
  Load(kSample);
  Command(kMnuClose);
  EXPECT_TRUE(script_.Questions().empty());
  EXPECT_EQ(Text(kLabel6), "none");

  Load(kSample);
  script_.AnswerMessage(IDYES);
  script_.AnswerInput("x.example");
  Command(kMnuAdd);
  ASSERT_EQ(document_.ChangeCount, 1);
  script_.Forget();
  script_.AnswerMessage(IDNO);
  Command(kMnuClose);
  ASSERT_EQ(script_.Questions().size(), 1u);
  EXPECT_EQ(script_.Last().caption, "Save Changes");
  EXPECT_EQ(script_.Last().text, "Would you like to save changes?");
  EXPECT_EQ(script_.Last().type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
  EXPECT_EQ(Text(kLabel6), "none");
  EXPECT_EQ(ListCount(kList1), 0);
  EXPECT_EQ(DefaultButton(), kCmdOpen);
  EXPECT_FALSE(Ended());
}

TEST_F(SavingTest, ExitAnsweredYesThenCancelledEndsWithoutSaving) {
  Load(kSample);
  script_.AnswerMessage(IDYES);
  script_.AnswerInput("x.example");
  Command(kMnuAdd);
  script_.Forget();
  script_.AnswerMessage(IDYES);  // save changes?
  script_.AnswerFile("");        // cancel the file dialog
  WithSaveOptions(1, true, kMnuExit);
  EXPECT_TRUE(Ended());
  EXPECT_EQ(script_.Questions().size(), 2u);
}

TEST_F(SavingTest, ClosingTheWindowWithNothingUnsavedAsksNothing) {
  Load(kSample);
  SendMessageA(window_.Handle(), WM_CLOSE, 0, 0);
  Pump();
  EXPECT_TRUE(script_.Questions().empty());
  EXPECT_FALSE(IsWindow(window_.Handle()));
}

// Refuses this process the target, as Windows refuses the system's hosts file.
class DeniedTarget final : public ForwardingFileSystem {
 public:
  explicit DeniedTarget(std::string path) : path_(std::move(path)) {}
  FsStatus Inspect(const std::string& path, TargetInfo& info) override {
    if (path == path_) return FsStatus::Fail(FsError::AccessDenied);
    return ForwardingFileSystem::Inspect(path, info);
  }

 private:
  std::string path_;
};

// The system's elevation of the real program, offered on any system: Wine's
// "runas" starts it without asking and without raising its rights.
class AlwaysOffered final : public Elevation {
 public:
  explicit AlwaysOffered(HWND owner) : system_(MakeSystemElevation(owner, BuiltProgramPath())) {}
  bool Offered() override { return true; }
  std::optional<std::string> Sha256(std::string_view bytes) override {
    return system_->Sha256(bytes);
  }
  std::string TempFolder() override { return system_->TempFolder(); }
  ElevatedRun Run(const ElevatedRequest& request) override { return system_->Run(request); }

 private:
  std::unique_ptr<Elevation> system_;
};

TEST_F(SavingTest, ARefusedSaveIsOneAnswerAwayFromSavedAsAdministrator) {
  Load(kSample);
  const std::string target = document_.HostsPath;
  DeniedTarget fs(target);
  AlwaysOffered elevation(window_.Handle());
  window_.UseFileSystem(fs);
  window_.UseElevation(elevation);
  document_.ChangeCount = 1;
  window_.saveOptions.push_back({SaveOption::Zero, false});
  script_.AnswerFile(target);
  script_.AnswerMessage(IDOK);   // "Save Failed"
  script_.AnswerMessage(IDYES);  // as administrator?
  Command(kMnuSaveAs);
  ASSERT_EQ(script_.Questions().size(), 3u);
  EXPECT_EQ(script_.Last().text, "Save the Host File as administrator?");
  EXPECT_EQ(ReadAll(target), "0 alpha\r\n0 beta\r\n");
  EXPECT_EQ(document_.ChangeCount, 0);
}

}  // namespace
}  // namespace vantrel::test
