// The wrappers over the platform's real Open and Save As dialogs: a second
// thread waits for the dialog, checks where the hook put it, types a path and
// presses a button, as a person would.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>

#include "platform/CommonDialogs.h"
#include "support/WindowTesting.h"

namespace vantrel {
namespace {

using Clock = std::chrono::steady_clock;
using test::TestWindow;

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof(name));
  return name;
}

// Answers the one dialog titled `title` that the test thread is about to
// show, once it has stopped moving. Never lets the test hang: a dialog that
// does not appear within 10 s is a failure, any dialog still open is
// cancelled, and if the test thread still does not come back the process
// ends.
class DialogRobot {
 public:
  using Act = std::function<void(HWND dialog)>;

  DialogRobot(std::string title, Act act)
      : title_(std::move(title)), act_(std::move(act)), worker_([this] { Run(); }) {}
  ~DialogRobot() { Finish(); }
  DialogRobot(const DialogRobot&) = delete;
  DialogRobot& operator=(const DialogRobot&) = delete;

  // Called by the test thread once the dialog call has returned.
  void Finish() {
    returned_ = true;
    if (worker_.joinable()) worker_.join();
  }

  bool Appeared() const { return appeared_; }
  // Where the dialog was when it was answered.
  RECT Box() const { return box_; }
  const std::string& Failure() const { return failure_; }

 private:
  template <class Test>
  static bool WaitFor(Test test, std::chrono::milliseconds limit) {
    const auto end = Clock::now() + limit;
    while (Clock::now() < end) {
      if (test()) return true;
      Sleep(20);
    }
    return test();
  }

  void Run() {
    HWND dialog = nullptr;
    const bool shown = WaitFor(
        [&] {
          dialog = test::WaitForWindow({"#32770", title_.c_str()});
          return dialog != nullptr;
        },
        std::chrono::seconds(10));
    if (!shown) {
      failure_ = "the dialog \"" + title_ + "\" did not appear within 10 s";
      CancelUntilReturned();
      return;
    }
    appeared_ = true;
    // Settled: the same rectangle for 10 looks in a row.
    int same = 0;
    WaitFor(
        [&] {
          RECT now{};
          GetWindowRect(dialog, &now);
          same = EqualRect(&now, &box_) ? same + 1 : 0;
          box_ = now;
          return same >= 10;
        },
        std::chrono::seconds(3));
    act_(dialog);
    if (!WaitFor([&] { return returned_ || !IsWindow(dialog); }, std::chrono::seconds(10))) {
      failure_ = "the dialog did not close after the answer";
    }
    CancelUntilReturned();
  }

  // Presses Cancel in the dialog boxes of the test, topmost first, until its
  // dialog call returns.
  void CancelUntilReturned() {
    const bool back = WaitFor(
        [&] {
          if (HWND box = test::WaitForWindow({"#32770"})) {
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
          }
          return returned_.load();
        },
        std::chrono::seconds(30));
    if (back) return;
    std::fprintf(stderr, "file dialog test: the dialog call never returned (%s)\n",
                 failure_.c_str());
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
  }

  std::string title_;
  Act act_;
  std::atomic<bool> returned_{false};
  std::atomic<bool> appeared_{false};
  RECT box_{};
  std::string failure_;
  std::thread worker_;  // last: starts once everything else is set
};

void TypeAndPress(HWND dialog, const std::string& path, int button) {
  if (HWND edit = test::FileNameField(dialog)) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()),
                        SMTO_ABORTIFHUNG, 5000, &ignored);
  }
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}

// A message box that `dialog` shows, waited for up to 10 s.
HWND WaitForQuestion(HWND dialog) {
  return test::WaitForWindow({.className = "#32770", .owner = dialog}, 10000);
}

bool Near(LONG a, LONG b) { return std::abs(a - b) <= 1; }

// Watches the messages the test thread's windows receive for the centring
// move: the first move of a dialog box that keeps its size, z-order and
// activation, with the dialog's size at that moment. (Wine's dialog resizes
// itself once it is shown, keeping its corner, so the size it ends with is
// not the size it was centred with.)
struct CentringMove {
  bool seen = false;
  POINT corner{};
  int width = 0;
  int height = 0;
};

class CentringMoveRecorder {
 public:
  using Move = CentringMove;

  CentringMoveRecorder() {
    move_ = Move{};
    hook_ = SetWindowsHookExA(WH_CALLWNDPROC, &Watch, nullptr, GetCurrentThreadId());
  }
  ~CentringMoveRecorder() {
    if (hook_) UnhookWindowsHookEx(hook_);
  }
  CentringMoveRecorder(const CentringMoveRecorder&) = delete;
  CentringMoveRecorder& operator=(const CentringMoveRecorder&) = delete;

  bool Installed() const { return hook_ != nullptr; }
  static const Move& Seen() { return move_; }

 private:
  static constexpr UINT kCentringFlags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;

  static LRESULT CALLBACK Watch(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && message->message == WM_WINDOWPOSCHANGING && !move_.seen &&
        ClassOf(message->hwnd) == "#32770") {
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(message->lParam);
      if ((pos->flags & kCentringFlags) == kCentringFlags && !(pos->flags & SWP_NOMOVE)) {
        RECT box{};
        GetWindowRect(message->hwnd, &box);
        move_ = Move{true, POINT{pos->x, pos->y}, box.right - box.left, box.bottom - box.top};
      }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }

  static inline Move move_;
  HHOOK hook_ = nullptr;
};

// A folder of its own under the temporary folder, holding a file "hosts".
class TempFolder {
 public:
  TempFolder() {
    char base[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    path_ = std::string(base) + "vantrel-dialogs-" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(path_.c_str(), nullptr);
    HANDLE file = CreateFileA(Hosts().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      DWORD written = 0;
      WriteFile(file, "127.0.0.1 localhost\r\n", 21, &written, nullptr);
      CloseHandle(file);
    }
  }
  ~TempFolder() {
    DeleteFileA(Hosts().c_str());
    DeleteFileA((path_ + "saved").c_str());
    RemoveDirectoryA(path_.c_str());
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& Path() const { return path_; }  // with trailing backslash
  std::string Hosts() const { return path_ + "hosts"; }

 private:
  std::string path_;
};

class LiveDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(owner_.Handle(), nullptr);
    SetForegroundWindow(owner_.Handle());
    test::Pump();
  }
  FileDialogOptions Options(const char* title, bool centerOnOwner = true) {
    FileDialogOptions options;
    options.title = title;
    options.initialFolder = folder_.Path();
    options.fileName = "Hosts";
    options.centerOnOwner = centerOnOwner;
    return options;
  }

  // The dialog was moved once, to the middle of `area` for the size it had
  // then, and was still there when it was answered.
  static void ExpectCentred(const RECT& area, const DialogRobot& robot) {
    const CentringMoveRecorder::Move& move = CentringMoveRecorder::Seen();
    ASSERT_TRUE(move.seen) << "the dialog was never moved";
    const POINT middle = CenterPosition(area, move.width, move.height);
    EXPECT_EQ(move.corner.x, middle.x) << move.width << "x" << move.height;
    EXPECT_EQ(move.corner.y, middle.y) << move.width << "x" << move.height;
    const RECT box = robot.Box();
    EXPECT_TRUE(Near(box.left, middle.x) && Near(box.top, middle.y))
        << "dialog answered at " << box.left << "," << box.top << " size " << box.right - box.left
        << "x" << box.bottom - box.top;
  }

  TempFolder folder_;
  TestWindow owner_{RECT{60, 40, 1000, 800}};
  CentringMoveRecorder moves_;
};

TEST_F(LiveDialogTest, OpenDialogCentredOnItsOwnerReturnsTheTypedFile) {
  ASSERT_TRUE(moves_.Installed());
  DialogRobot robot("Open Host File",
                    [&](HWND dialog) { TypeAndPress(dialog, folder_.Hosts(), IDOK); });
  const auto chosen = ShowOpenDialog(owner_.Handle(), Options("Open Host File"));
  robot.Finish();

  ASSERT_TRUE(robot.Appeared()) << robot.Failure();
  EXPECT_EQ(robot.Failure(), "");
  ExpectCentred(owner_.Box(), robot);
  EXPECT_EQ(chosen, folder_.Hosts());
}

TEST_F(LiveDialogTest, CancelledOpenDialogReturnsNothing) {
  DialogRobot robot("Open Host File",
                    [&](HWND dialog) { TypeAndPress(dialog, folder_.Hosts(), IDCANCEL); });
  const auto chosen = ShowOpenDialog(owner_.Handle(), Options("Open Host File"));
  robot.Finish();

  ASSERT_TRUE(robot.Appeared()) << robot.Failure();
  EXPECT_EQ(robot.Failure(), "");
  EXPECT_FALSE(chosen.has_value());
}

TEST_F(LiveDialogTest, SaveDialogCentredOnTheScreenReturnsANewName) {
  const std::string target = folder_.Path() + "saved";
  DialogRobot robot("Save Host File As", [&](HWND dialog) { TypeAndPress(dialog, target, IDOK); });
  const auto chosen = ShowSaveDialog(owner_.Handle(), Options("Save Host File As", false));
  robot.Finish();

  ASSERT_TRUE(robot.Appeared()) << robot.Failure();
  EXPECT_EQ(robot.Failure(), "");
  ExpectCentred(RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, robot);
  EXPECT_EQ(chosen, target);  // no default extension added
}

TEST_F(LiveDialogTest, SaveDialogAsksBeforeReplacingAFile) {
  bool asked = false;
  DialogRobot robot("Save Host File As", [&](HWND dialog) {
    TypeAndPress(dialog, folder_.Hosts(), IDOK);
    if (HWND question = WaitForQuestion(dialog)) {
      asked = true;
      PostMessageA(question, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), 0);
    }
  });
  const auto chosen = ShowSaveDialog(owner_.Handle(), Options("Save Host File As"));
  robot.Finish();

  ASSERT_TRUE(robot.Appeared()) << robot.Failure();
  EXPECT_TRUE(asked) << "no question before replacing the file";
  EXPECT_EQ(chosen, folder_.Hosts());
}

}  // namespace
}  // namespace vantrel
