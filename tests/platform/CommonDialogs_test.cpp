// The file dialog wrappers with scripted answers, the centring hooks on real
// windows, and the always-on-top switch.
#include "platform/CommonDialogs.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/TestWindow.h"
#include "support/ScriptedModal.h"

namespace vantrel {
namespace {

using test::Asked;
using test::ScriptedModal;
using test::TestWindow;

const char kHostsPath[] = "C:\\WINDOWS\\system32\\drivers\\etc\\hosts";

// The platform's macro is not a constant expression; the record's own size
// constant is, and matches it.
#ifndef _WIN64
static_assert(kFileDialogRecordSize == 76);
#endif

class CommonDialogsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FileDialogSettings.SetFilter({{"All Files (*.*)", "*.*"}});
    FileDialogSettings.SetTitle("Open Host File");
    FileDialogSettings.SetInitialFolder("C:\\WINDOWS\\system32\\drivers\\etc");
    FileDialogSettings.SetFileName("Hosts");
    FileDialogSettings.SetFlags(0);
  }
  void TearDown() override { EXPECT_EQ(DialogHook, nullptr) << "hook left installed"; }

  TestWindow owner_{RECT{100, 100, 900, 700}};
  ScriptedModal script_;
  ScopedModal scoped_{script_};
};

TEST_F(CommonDialogsTest, OpenReturnsTheChosenFileSplitIntoFolderAndName) {
  script_.AnswerFile(kHostsPath);
  const FileDialogResult result = ShowOpenDialog(owner_.Handle(), true);

  EXPECT_FALSE(result.Cancelled);
  EXPECT_EQ(result.FileCount, 1);
  EXPECT_EQ(result.Folder, "C:\\WINDOWS\\system32\\drivers\\etc\\");
  ASSERT_EQ(result.FileNames.size(), 1u);
  EXPECT_EQ(result.FileNames[0], "hosts");
  EXPECT_EQ(FileDialogSettings.FileName(), kHostsPath);
  // The path is followed by its NUL, inside the buffer the dialog was given.
  const OPENFILENAMEA& record = FileDialogSettings.Record();
  EXPECT_EQ(std::string(record.lpstrFile), kHostsPath);
  EXPECT_EQ(record.nMaxFile, 2053u);
  EXPECT_TRUE(script_.AllAnswered());
}

TEST_F(CommonDialogsTest, OpenHandsTheDialogItsSettingsAndRoom) {
  FileDialogSettings.SetFlags(OFN_ALLOWMULTISELECT);  // overridden by the wrapper
  script_.AnswerFile(kHostsPath);
  ShowOpenDialog(owner_.Handle(), true);

  const Asked& asked = script_.Last();
  EXPECT_EQ(asked.what, Asked::What::Open);
  EXPECT_EQ(asked.structSize, static_cast<DWORD>(OPENFILENAME_SIZE_VERSION_400A));
  EXPECT_EQ(kFileDialogRecordSize, static_cast<DWORD>(OPENFILENAME_SIZE_VERSION_400A));
  EXPECT_EQ(asked.type, 3674116u);
  EXPECT_EQ(asked.caption, "Open Host File");
  EXPECT_EQ(asked.initial, "C:\\WINDOWS\\system32\\drivers\\etc");
  // The caller's name followed by the room for the answer.
  EXPECT_EQ(asked.fileBuffer, "Hosts" + std::string(2047, ' '));

  const OPENFILENAMEA& record = FileDialogSettings.Record();
  EXPECT_EQ(record.hwndOwner, owner_.Handle());
  EXPECT_EQ(record.hInstance, nullptr);
  EXPECT_EQ(std::string(record.lpstrFilter, 21), std::string("All Files (*.*)\0*.*\0\0", 21));
  EXPECT_EQ(record.lpstrDefExt, nullptr);  // no extension is ever appended
  EXPECT_EQ(record.nMaxFileTitle, 2048u);
  EXPECT_EQ(std::string(record.lpstrFileTitle), std::string(2048, ' '));
  EXPECT_EQ(DialogOwner, owner_.Handle());
}

TEST_F(CommonDialogsTest, CancelOrFailureGivesAnEmptyCancelledResult) {
  script_.AnswerFile("");  // cancel in the open dialog
  FileDialogResult open = ShowOpenDialog(owner_.Handle(), true);
  script_.AnswerFile("");  // and in the save dialog
  FileDialogResult save = ShowSaveDialog(owner_.Handle(), true);

  for (const FileDialogResult* result : {&open, &save}) {
    EXPECT_TRUE(result->Cancelled);
    EXPECT_EQ(result->FileCount, 0);
    EXPECT_TRUE(result->Folder.empty());
    EXPECT_TRUE(result->FileNames.empty());
  }
}

TEST_F(CommonDialogsTest, SaveStartsBlankWhateverTheCallerLeftInTheName) {
  FileDialogSettings.SetTitle("Save Host File As");
  script_.AnswerFile("D:\\lists\\myhosts");
  const FileDialogResult result = ShowSaveDialog(owner_.Handle(), false);

  const Asked& asked = script_.Last();
  EXPECT_EQ(asked.what, Asked::What::Save);
  EXPECT_EQ(asked.caption, "Save Host File As");
  EXPECT_EQ(asked.fileBuffer, std::string(2047, ' '));
  EXPECT_EQ(asked.structSize, static_cast<DWORD>(OPENFILENAME_SIZE_VERSION_400A));
  EXPECT_EQ(FileDialogSettings.Record().nMaxFile, 2048u);
  // A name without extension comes back without one.
  EXPECT_FALSE(result.Cancelled);
  EXPECT_EQ(result.Folder, "D:\\lists\\");
  EXPECT_EQ(result.FileNames[0], "myhosts");
  EXPECT_EQ(FileDialogSettings.FileName(), "D:\\lists\\myhosts");
}

TEST_F(CommonDialogsTest, SaveSetsItsFlagsOnlyWhenTheCallerLeftNone) {
  script_.AnswerFile("C:\\a\\hosts");
  ShowSaveDialog(owner_.Handle(), true);
  EXPECT_EQ(script_.Last().type, 2621446u);

  const DWORD own = OFN_EXPLORER | OFN_LONGNAMES | OFN_HIDEREADONLY;
  FileDialogSettings.SetFlags(own);
  script_.AnswerFile("C:\\a\\hosts");
  ShowSaveDialog(owner_.Handle(), true);
  EXPECT_EQ(script_.Last().type, own);
}

TEST_F(CommonDialogsTest, SettingsCarryOverAndTheLastAnswerIsProposedAgain) {
  script_.AnswerFile(kHostsPath);
  ShowOpenDialog(owner_.Handle(), true);
  script_.AnswerFile("");
  ShowOpenDialog(owner_.Handle(), true);

  const Asked& second = script_.Last();
  EXPECT_EQ(second.caption, "Open Host File");
  EXPECT_EQ(second.initial, "C:\\WINDOWS\\system32\\drivers\\etc");
  // The buffer does not keep growing by the rest of the earlier answer.
  EXPECT_EQ(second.fileBuffer, kHostsPath + std::string(2047, ' '));
  EXPECT_EQ(FileDialogSettings.Record().nMaxFile, sizeof(kHostsPath) + 2047);
}

TEST_F(CommonDialogsTest, AHookNeverActivatedIsRemovedWhenTheDialogReturns) {
  script_.AnswerFile("");  // the dialog "failed" without ever showing
  ShowOpenDialog(owner_.Handle(), true);
  EXPECT_EQ(DialogHook, nullptr);

  // The next window activated in this thread stays where it was put.
  TestWindow later(RECT{10, 20, 210, 170}, WS_OVERLAPPEDWINDOW);
  ShowWindow(later.Handle(), SW_SHOW);
  TestWindow::Pump();
  EXPECT_EQ(later.Box().left, 10);
  EXPECT_EQ(later.Box().top, 20);
}

// Installs a centring hook as the wrappers do, and removes it whatever the
// test does.
class HookInstalled {
 public:
  explicit HookInstalled(HOOKPROC proc) {
    DialogHook = SetWindowsHookExA(WH_CBT, proc, nullptr, GetCurrentThreadId());
  }
  ~HookInstalled() {
    if (DialogHook) UnhookWindowsHookEx(DialogHook);
    DialogHook = nullptr;
  }
  HookInstalled(const HookInstalled&) = delete;
  HookInstalled& operator=(const HookInstalled&) = delete;
};

TEST(CenteringHook, MovesTheFirstActivatedWindowOverTheOwnerThenRemovesItself) {
  TestWindow owner(RECT{100, 100, 900, 700});
  DialogOwner = owner.Handle();
  HookInstalled hook(&CenterOnOwnerHook);
  ASSERT_NE(DialogHook, nullptr);

  // Creating the window is an event of the hook too, but not the one it
  // waits for.
  TestWindow dialog(RECT{0, 0, 500, 400}, WS_POPUP | WS_CAPTION);
  EXPECT_NE(DialogHook, nullptr);
  ShowWindow(dialog.Handle(), SW_SHOW);
  TestWindow::Pump();
  EXPECT_EQ(DialogHook, nullptr);
  EXPECT_EQ(dialog.Box().left, 250);
  EXPECT_EQ(dialog.Box().top, 200);
  EXPECT_EQ(dialog.Box().right - dialog.Box().left, 500);  // size kept

  TestWindow next(RECT{5, 6, 305, 206}, WS_POPUP | WS_CAPTION);
  ShowWindow(next.Handle(), SW_SHOW);
  TestWindow::Pump();
  EXPECT_EQ(next.Box().left, 5);
  EXPECT_EQ(next.Box().top, 6);
}

TEST(CenteringHook, CentresOnTheScreenInPixels) {
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  HookInstalled hook(&CenterOnScreenHook);

  TestWindow dialog(RECT{0, 0, 301, 201}, WS_POPUP | WS_CAPTION);
  ShowWindow(dialog.Handle(), SW_SHOW);
  TestWindow::Pump();
  const POINT expected = CenterOnScreenPosition(screenWidth, screenHeight, 301, 201);
  EXPECT_EQ(dialog.Box().left, expected.x);
  EXPECT_EQ(dialog.Box().top, expected.y);
  EXPECT_EQ(DialogHook, nullptr);
}

TEST(CenteringArithmetic, HalvesRoundToTheEvenNeighbour) {
  const POINT plain = CenterOnOwnerPosition(RECT{100, 100, 900, 700}, 500, 400);
  EXPECT_EQ(plain.x, 250);
  EXPECT_EQ(plain.y, 200);
  const POINT halves = CenterOnOwnerPosition(RECT{0, 0, 801, 601}, 400, 300);
  EXPECT_EQ(halves.x, 200);  // 200.5
  EXPECT_EQ(halves.y, 150);  // 150.5
  const POINT odd = CenterOnOwnerPosition(RECT{1, 3, 803, 604}, 400, 300);
  EXPECT_EQ(odd.x, 202);  // 201.5
  EXPECT_EQ(odd.y, 154);  // 153.5
  // Owners partly off the screen give corners left of or above it.
  const POINT negative = CenterOnOwnerPosition(RECT{-301, -100, 0, 100}, 200, 301);
  EXPECT_EQ(negative.x, -250);  // -250.5
  EXPECT_EQ(negative.y, -150);  // -150.5
  // A dialog larger than its owner is not clamped.
  const POINT larger = CenterOnOwnerPosition(RECT{0, 0, 100, 100}, 500, 400);
  EXPECT_EQ(larger.x, -200);
  EXPECT_EQ(larger.y, -150);

  const POINT screen = CenterOnScreenPosition(1024, 768, 500, 400);
  EXPECT_EQ(screen.x, 262);
  EXPECT_EQ(screen.y, 184);
  const POINT screenHalves = CenterOnScreenPosition(1024, 768, 501, 403);
  EXPECT_EQ(screenHalves.x, 262);  // 261.5
  EXPECT_EQ(screenHalves.y, 182);  // 182.5
}

TEST(SetTopmost, SwitchesTheTopmostStyleBothWays) {
  TestWindow form(RECT{50, 50, 450, 350});
  ASSERT_FALSE(form.ExStyle() & WS_EX_TOPMOST);
  SetTopmost(form.Handle(), true);
  EXPECT_TRUE(form.ExStyle() & WS_EX_TOPMOST);
  EXPECT_EQ(form.Box().left, 50);  // neither moved nor resized
  EXPECT_EQ(form.Box().right, 450);
  SetTopmost(form.Handle(), true);
  EXPECT_TRUE(form.ExStyle() & WS_EX_TOPMOST);
  SetTopmost(form.Handle(), false);
  EXPECT_FALSE(form.ExStyle() & WS_EX_TOPMOST);
}

}  // namespace
}  // namespace vantrel
