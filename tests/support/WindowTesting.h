// Helpers for tests of the program's real windows under Wine: reading the
// state of controls and menus back, a plain test window, finding a window,
// steps run from inside a modal loop, temporary files, and checks that
// report the line of the test that made them.
#pragma once

#include <windows.h>

#include <functional>
#include <source_location>
#include <string>
#include <vector>

#include "windows/MailLink.h"

namespace vantrel::test {

// Runs the messages waiting in this thread's queue.
void Pump();
// The window's text (WM_GETTEXT, so it works across processes too).
std::string TextOf(HWND window);
// The window's rectangle in its parent's client coordinates.
RECT RectInParent(HWND window);
std::vector<std::string> ListItems(HWND list);
int ListSelection(HWND list);
bool IsChecked(HWND button);

// The text with its environment variables (%systemroot%) expanded.
std::string Expanded(const char* text);
// Splits at CR LF; a text ending in CR LF gives no empty last line.
std::vector<std::string> SplitLines(const std::string& text);

void ExpectText(HWND window, const std::string& expected,
                std::source_location where = std::source_location::current());
void ExpectVisible(HWND window, bool visible,
                   std::source_location where = std::source_location::current());
// The window's frame has its top-left corner at `at` (screen pixels).
void ExpectAt(HWND window, POINT at, std::source_location where = std::source_location::current());

// A plain top-level window, destroyed at the end of its scope: a stand-in
// for the main window or for another program's window.
class TestWindow {
 public:
  explicit TestWindow(RECT box, DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE, DWORD exStyle = 0);
  ~TestWindow();
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  HWND Handle() const { return hwnd_; }
  RECT Box() const;
  LONG_PTR ExStyle() const { return GetWindowLongPtrA(hwnd_, GWL_EXSTYLE); }
  void MoveTo(int x, int y);

 private:
  HWND hwnd_ = nullptr;
};

// A top-level window as another program finds it: of that process, class
// and caption (any caption when title is null), owned by owner when one is
// given, and visible unless hidden ones are asked for too.
struct WindowQuery {
  const char* className;
  const char* title = nullptr;
  DWORD pid = GetCurrentProcessId();
  HWND owner = nullptr;
  bool hiddenToo = false;
};
// The topmost such window; waits up to ms milliseconds for one.
HWND WaitForWindow(const WindowQuery& query, DWORD ms = 0);

// A file dialog's name field: the edit in its name box (cmb13) on newer
// dialogs, the plain field (edt1) on older ones.
HWND FileNameField(HWND dialog);

// A window's menu as another program reads it, by item id: whether the item
// is there and enabled, or checked; its caption without the shortcut text.
bool MenuEnabled(HWND window, int id);
bool MenuChecked(HWND window, int id);
std::string MenuCaption(HWND window, int id);
// The submenu that holds the item of that id, and whether the item opening
// it is enabled.
struct Submenu {
  HMENU menu = nullptr;
  bool enabled = false;
};
Submenu SubmenuHolding(HWND window, int id);
// The id of the button Enter presses in the window (DM_GETDEFID); 0 for none.
int DefaultButtonOf(HWND window);
// The window's own default button: the one Enter presses while nonButton has the focus. The
// focus is put back.
int OwnDefaultButton(HWND window, HWND nonButton);

// A folder of its own under the temporary folder, removed by the destructor.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::string& Path() const { return path_; }
  // Writes bytes to a file of that name in the folder; returns its full path.
  std::string Write(const std::string& name, const std::string& bytes) const;

 private:
  std::string path_;
};

// Runs steps one per timer tick from whatever message loop is running, so a
// test can act inside a modal showing. When the steps do not end the
// showing within a few seconds, the watchdog hides the window the test names
// so the test fails instead of hanging.
class ModalSteps {
 public:
  ModalSteps(std::function<HWND()> modalWindow, std::vector<std::function<void()>> steps);
  ~ModalSteps();
  ModalSteps(const ModalSteps&) = delete;
  ModalSteps& operator=(const ModalSteps&) = delete;

  bool AllRan() const { return next_ == steps_.size(); }
  bool TimedOut() const { return timedOut_; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
  static void CALLBACK Watchdog(HWND, UINT, UINT_PTR, DWORD);

  std::function<HWND()> modalWindow_;
  std::vector<std::function<void()>> steps_;
  size_t next_ = 0;
  bool timedOut_ = false;
  UINT_PTR tick_ = 0;
  UINT_PTR watchdog_ = 0;
};

// Stands in for ShellExecuteA while alive and records what it was given.
class CapturedShell {
 public:
  struct Call {
    HWND owner;
    bool hasVerb;
    std::string file;
    bool hasParameters;
    std::string folder;
    int show;
  };
  CapturedShell();
  ~CapturedShell();
  CapturedShell(const CapturedShell&) = delete;
  CapturedShell& operator=(const CapturedShell&) = delete;
  const std::vector<Call>& Calls() const { return calls_; }

 private:
  static HINSTANCE WINAPI Capture(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters,
                                  LPCSTR folder, INT show);
  std::vector<Call> calls_;
  ShellExecuteFunction previous_;
};

// Presses a button the way a mouse click does.
void Click(HWND button);

}  // namespace vantrel::test
