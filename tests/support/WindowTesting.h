// Helpers for tests of the program's real windows under Wine: reading the
// state of controls back, a stand-in main window, steps run from inside a
// modal loop, and checks that report the line of the test that made them.
#pragma once

#include <windows.h>

#include <functional>
#include <source_location>
#include <string>
#include <vector>

#include "windows/MailLink.h"

namespace vantrel::test {

std::string WindowText(HWND window);
std::vector<std::string> ListItems(HWND list);
int ListSelection(HWND list);
bool IsChecked(HWND button);

// Splits at CR LF; a text ending in CR LF gives no empty last line.
std::vector<std::string> SplitLines(const std::string& text);

void ExpectText(HWND window, const std::string& expected,
                std::source_location where = std::source_location::current());
void ExpectVisible(HWND window, bool visible,
                   std::source_location where = std::source_location::current());
// The window's frame has its top-left corner at `at` (screen pixels).
void ExpectAt(HWND window, POINT at, std::source_location where = std::source_location::current());

// A plain top-level window standing in for the main window.
class StandInMain {
 public:
  StandInMain(int x, int y);
  ~StandInMain();
  StandInMain(const StandInMain&) = delete;
  StandInMain& operator=(const StandInMain&) = delete;
  HWND Handle() const { return hwnd_; }
  void MoveTo(int x, int y);
  RECT Rect() const;

 private:
  HWND hwnd_ = nullptr;
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
