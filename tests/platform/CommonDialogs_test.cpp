// The file dialogs with scripted answers, the centring on real windows, and
// the always-on-top switch.
#include "platform/CommonDialogs.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "support/ScriptedModal.h"
#include "support/WindowTesting.h"

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

// Keeps what the dialog was handed, for the fields the script does not record.
class RecordingModal : public ScriptedModal {
 public:
  BOOL OpenFileName(OPENFILENAMEA* r) override {
    Keep(*r);
    return ScriptedModal::OpenFileName(r);
  }
  BOOL SaveFileName(OPENFILENAMEA* r) override {
    Keep(*r);
    return ScriptedModal::SaveFileName(r);
  }

  OPENFILENAMEA record{};
  std::string filter;
  std::string fileTitle;

 private:
  void Keep(const OPENFILENAMEA& r) {
    record = r;
    filter.assign(r.lpstrFilter, 21);
    fileTitle = r.lpstrFileTitle;
  }
};

class CommonDialogsTest : public ::testing::Test {
 protected:
  FileDialogOptions Options(const char* title) {
    FileDialogOptions options;
    options.title = title;
    options.initialFolder = "C:\\WINDOWS\\system32\\drivers\\etc";
    options.fileName = "Hosts";
    return options;
  }

  TestWindow owner_{RECT{100, 100, 900, 700}};
  RecordingModal script_;
  ScopedModal scoped_{script_};
};

TEST_F(CommonDialogsTest, EachDialogGetsItsFlagsTitleFolderFilterAndBuffers) {
  struct Case {
    Asked::What what;
    DWORD flags;
    std::string fileBuffer;
  };
  const Case cases[] = {
      // The open dialog proposes the caller's name, with its own flags.
      {Asked::What::Open, 3674116u, "Hosts" + std::string(2047, ' ')},
      // The save dialog starts blank, with its own flags.
      {Asked::What::Save, 2621446u, std::string(2047, ' ')},
  };
  for (const Case& c : cases) {
    FileDialogOptions options = Options("Open Host File");
    script_.AnswerFile(kHostsPath);
    const bool open = c.what == Asked::What::Open;
    open ? ShowOpenDialog(owner_.Handle(), options) : ShowSaveDialog(owner_.Handle(), options);

    const Asked& asked = script_.Last();
    EXPECT_EQ(asked.what, c.what);
    EXPECT_EQ(asked.type, c.flags);
    EXPECT_EQ(asked.caption, "Open Host File");
    EXPECT_EQ(asked.initial, "C:\\WINDOWS\\system32\\drivers\\etc");
    EXPECT_EQ(asked.fileBuffer, c.fileBuffer);
    EXPECT_EQ(asked.structSize, static_cast<DWORD>(OPENFILENAME_SIZE_VERSION_400A));
    const OPENFILENAMEA& record = script_.record;
    EXPECT_EQ(record.nMaxFile, c.fileBuffer.size() + 1);
    EXPECT_EQ(record.hwndOwner, owner_.Handle());
    EXPECT_EQ(record.hInstance, nullptr);
    EXPECT_EQ(script_.filter, std::string("All Files (*.*)\0*.*\0\0", 21));
    EXPECT_EQ(record.lpstrDefExt, nullptr);  // no extension is ever appended
    EXPECT_EQ(record.nMaxFileTitle, 2048u);
    EXPECT_EQ(script_.fileTitle, std::string(2048, ' '));
  }
  EXPECT_EQ(kFileDialogRecordSize, static_cast<DWORD>(OPENFILENAME_SIZE_VERSION_400A));
}

TEST_F(CommonDialogsTest, GivesTheChosenPathOrNothing) {
  struct Case {
    bool open;
    std::string answer;  // "" cancels, or the dialog failed
  };
  for (const Case& c : {Case{true, kHostsPath}, Case{true, ""}, Case{false, "D:\\lists\\myhosts"},
                        Case{false, ""}}) {
    script_.AnswerFile(c.answer);
    const FileDialogOptions options = Options("Save Host File As");
    const std::optional<std::string> chosen = c.open ? ShowOpenDialog(owner_.Handle(), options)
                                                     : ShowSaveDialog(owner_.Handle(), options);
    EXPECT_EQ(chosen.value_or(""), c.answer);
    EXPECT_EQ(chosen.has_value(), !c.answer.empty());
  }
  EXPECT_TRUE(script_.AllAnswered());
}

TEST_F(CommonDialogsTest, ADialogNeverActivatedLeavesTheNextWindowWhereItWasPut) {
  script_.AnswerFile("");  // the dialog "failed" without ever showing
  ShowOpenDialog(owner_.Handle(), Options("Open Host File"));

  TestWindow later(RECT{10, 20, 210, 170}, WS_OVERLAPPEDWINDOW);
  ShowWindow(later.Handle(), SW_SHOW);
  test::Pump();
  EXPECT_EQ(later.Box().left, 10);
  EXPECT_EQ(later.Box().top, 20);
}

TEST(DialogCentering, MovesTheFirstActivatedWindowOverTheOwnerThenStops) {
  TestWindow owner(RECT{100, 100, 900, 700});
  DialogCentering centering(owner.Handle(), true);

  // Creating the window is an event of the hook too, but not the one it
  // waits for: the window is moved when it shows.
  TestWindow dialog(RECT{0, 0, 500, 400}, WS_POPUP | WS_CAPTION);
  ShowWindow(dialog.Handle(), SW_SHOW);
  test::Pump();
  EXPECT_EQ(dialog.Box().left, 250);
  EXPECT_EQ(dialog.Box().top, 200);
  EXPECT_EQ(dialog.Box().right - dialog.Box().left, 500);  // size kept

  TestWindow next(RECT{5, 6, 305, 206}, WS_POPUP | WS_CAPTION);
  ShowWindow(next.Handle(), SW_SHOW);
  test::Pump();
  EXPECT_EQ(next.Box().left, 5);
  EXPECT_EQ(next.Box().top, 6);
}

TEST(DialogCentering, CentresOnTheScreenInPixels) {
  TestWindow owner(RECT{100, 100, 900, 700});
  DialogCentering centering(owner.Handle(), false);

  TestWindow dialog(RECT{0, 0, 301, 201}, WS_POPUP | WS_CAPTION);
  ShowWindow(dialog.Handle(), SW_SHOW);
  test::Pump();
  const POINT expected = CenterPosition(
      RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, 301, 201);
  EXPECT_EQ(dialog.Box().left, expected.x);
  EXPECT_EQ(dialog.Box().top, expected.y);
}

TEST(CenteringArithmetic, HalvesRoundToTheEvenNeighbour) {
  const POINT plain = CenterPosition(RECT{100, 100, 900, 700}, 500, 400);
  EXPECT_EQ(plain.x, 250);
  EXPECT_EQ(plain.y, 200);
  const POINT halves = CenterPosition(RECT{0, 0, 801, 601}, 400, 300);
  EXPECT_EQ(halves.x, 200);  // 200.5
  EXPECT_EQ(halves.y, 150);  // 150.5
  const POINT odd = CenterPosition(RECT{1, 3, 803, 604}, 400, 300);
  EXPECT_EQ(odd.x, 202);  // 201.5
  EXPECT_EQ(odd.y, 154);  // 153.5
  // Owners partly off the screen give corners left of or above it.
  const POINT negative = CenterPosition(RECT{-301, -100, 0, 100}, 200, 301);
  EXPECT_EQ(negative.x, -250);  // -250.5
  EXPECT_EQ(negative.y, -150);  // -150.5
  // A dialog larger than its owner is not clamped.
  const POINT larger = CenterPosition(RECT{0, 0, 100, 100}, 500, 400);
  EXPECT_EQ(larger.x, -200);
  EXPECT_EQ(larger.y, -150);

  const POINT screen = CenterPosition(RECT{0, 0, 1024, 768}, 500, 400);
  EXPECT_EQ(screen.x, 262);
  EXPECT_EQ(screen.y, 184);
  const POINT screenHalves = CenterPosition(RECT{0, 0, 1024, 768}, 501, 403);
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
