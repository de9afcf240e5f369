// What every modal window of the program does as a dialog box does: Enter
// presses the focused push button, else the default button, Escape cancels,
// closing by the frame destroys it, and the main window is usable and active
// again afterwards, never another program's.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <type_traits>
#include <vector>

#include "platform/InputBox.h"
#include "support/WindowTesting.h"
#include "windows/AboutWindow.h"
#include "windows/HelpWindow.h"
#include "windows/SaveOptionsWindow.h"

namespace vantrel {
namespace {

using test::ModalSteps;
using test::TestWindow;

struct Ending {
  const char* name;
  WPARAM key;  // 0: closed by the frame
  bool destroyed;
  int option;     // what Save Options hands back
  int focus = 0;  // the control given the focus first; 0: the one that has it
};

const Ending kEndings[] = {
    {"Enter", VK_RETURN, false, 1},
    {"Escape", VK_ESCAPE, false, 0},
    {"frame", 0, true, 0},
};

void End(HWND window, const Ending& ending) {
  if (ending.focus) SetFocus(GetDlgItem(window, ending.focus));
  // The button Enter presses wears the default frame, and no other does.
  const HWND pressed = GetDlgItem(window, LOWORD(SendMessageA(window, DM_GETDEFID, 0, 0)));
  for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    EXPECT_EQ((SendMessageA(c, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) != 0, c == pressed);
  }
  if (!ending.key) {
    SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    return;
  }
  PostMessageA(GetFocus(), WM_KEYDOWN, ending.key, 0);
}

HWND otherProgram = nullptr;
bool otherActivated = false;
LRESULT CALLBACK WatchActivation(int code, WPARAM wParam, LPARAM lParam) {
  otherActivated |= code == HCBT_ACTIVATE && reinterpret_cast<HWND>(wParam) == otherProgram;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

template <class Window>
void ExpectEndings(const TestWindow& main, const std::function<void(const Window&, int)>& check,
                   std::initializer_list<Ending> ownEndings = {}) {
  std::vector<Ending> endings(std::begin(kEndings), std::end(kEndings));
  endings.insert(endings.end(), ownEndings);
  for (const Ending& ending : endings) {
    SCOPED_TRACE(ending.name);
    Window window;
    if constexpr (std::is_same_v<Window, SaveOptionsWindow>)
      window.Choice = {SaveOption::LocalHost, true};
    TestWindow other(RECT{0, 0, 300, 200});  // another program's window, never activated
    otherProgram = other.Handle();
    otherActivated = false;
    std::unique_ptr<HHOOK__, decltype(&UnhookWindowsHookEx)> hook(
        SetWindowsHookExA(WH_CBT, WatchActivation, nullptr, GetCurrentThreadId()),
        &UnhookWindowsHookEx);
    ModalSteps script([&] { return window.Handle(); },
                      {[&] { EXPECT_TRUE(IsChild(window.Handle(), GetFocus())); },
                       [&] { End(window.Handle(), ending); }});
    window.ShowModal(main.Handle());
    hook.reset();
    EXPECT_FALSE(otherActivated);
    EXPECT_TRUE(script.AllRan());
    EXPECT_FALSE(script.TimedOut());
    EXPECT_EQ(window.Handle() == nullptr, ending.destroyed);
    EXPECT_FALSE(window.Handle() && IsWindowVisible(window.Handle()));
    EXPECT_TRUE(IsWindowEnabled(main.Handle()));
    EXPECT_EQ(GetActiveWindow(), main.Handle());
    if (check) check(window, ending.option);
  }
}

class ModalWindowTest : public ::testing::Test {
 protected:
  TestWindow main{RECT{200, 150, 700, 550}};
};

TEST_F(ModalWindowTest, AboutEndsByEnterEscapeOrItsFrame) { ExpectEndings<AboutWindow>(main, {}); }

TEST_F(ModalWindowTest, HelpEndsByEnterEscapeOrItsFrame) { ExpectEndings<HelpWindow>(main, {}); }

TEST_F(ModalWindowTest, SaveOptionsSavesOnEnterAndCancelsOtherwise) {
  ExpectEndings<SaveOptionsWindow>(
      main,
      [](const SaveOptionsWindow& window, int option) {
        EXPECT_EQ(static_cast<int>(window.Choice.option), option);
      },
      {{"Enter on Cancel", VK_RETURN, false, 0, SaveOptionsWindow::Command2}});
}

TEST_F(ModalWindowTest, TheFocusComesBackToTheControlThatHadIt) {
  HelpWindow help;
  TestWindow other(RECT{0, 0, 100, 100}, WS_POPUP | WS_VISIBLE);
  HWND close = nullptr;
  ModalSteps script([&] { return help.Handle(); }, {[&] {
                                                      close = help.Control(HelpWindow::cmdClose);
                                                      SetFocus(close);
                                                      SetActiveWindow(other.Handle());
                                                    },
                                                    [&] { SetActiveWindow(help.Handle()); },
                                                    [&] {
                                                      EXPECT_EQ(GetFocus(), close);
                                                      test::Click(close);
                                                    }});
  help.ShowModal(main.Handle());
  EXPECT_TRUE(script.AllRan());
}

TEST_F(ModalWindowTest, TheInputBoxGivesTheTextOnOkAndNothingOtherwise) {
  struct Case {
    const char* name;
    WPARAM key;
    std::string answer;
    int focus = 0;
  };
  for (const Case& c :
       {Case{"Enter", VK_RETURN, "typed"}, Case{"Enter on Cancel", VK_RETURN, "", IDCANCEL},
        Case{"Escape", VK_ESCAPE, ""}, Case{"frame", 0, ""}}) {
    SCOPED_TRACE(c.name);
    auto box = [] { return test::WaitForWindow({InputBox::kClassName}); };
    ModalSteps script(box, {[&] {
                              HWND edit = GetDlgItem(box(), InputBox::kEditId);
                              // The field has the focus, its initial text selected.
                              EXPECT_EQ(GetFocus(), edit);
                              EXPECT_EQ(test::TextOf(edit), "initial");
                              EXPECT_EQ(SendMessageA(edit, EM_GETSEL, 0, 0), MAKELONG(0, 7));
                              test::ExpectText(box(), "Title");
                              SetWindowTextA(edit, "typed");
                            },
                            [&] {
                              End(box(), {c.name, c.key, false, 0, c.focus});
                            }});
    EXPECT_EQ(InputBox::Ask(main.Handle(), "Prompt", "Title", "initial"), c.answer);
    EXPECT_TRUE(script.AllRan());
    EXPECT_FALSE(script.TimedOut());
    EXPECT_EQ(box(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(main.Handle()));
  }
}

}  // namespace
}  // namespace vantrel
