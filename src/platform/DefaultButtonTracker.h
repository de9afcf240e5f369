// Enter and the default frame among a window's push buttons, kept as a
// dialog box keeps them, for windows that are not dialog boxes and for
// owner-drawn buttons, which the dialog manager leaves alone: while a push
// button has the focus, Enter presses it and it wears the default frame;
// while any other control has it, the window's default button does.
#pragma once

#include <windows.h>

#include <vector>

namespace vantrel {

class DefaultButtonTracker {
 public:
  DefaultButtonTracker() = default;
  ~DefaultButtonTracker();
  DefaultButtonTracker(const DefaultButtonTracker&) = delete;
  DefaultButtonTracker& operator=(const DefaultButtonTracker&) = delete;

  // Follows the focus on these push buttons of window. Plain ones get
  // BS_DEFPUSHBUTTON or BS_PUSHBUTTON; owner-drawn ones are repainted and
  // ask Current() whether to draw the frame.
  void Watch(HWND window, std::vector<HWND> buttons);
  // The window's own default button; 0 for none.
  void SetDefault(int id);
  int Default() const { return default_; }
  // The button Enter presses now, the one wearing the default frame.
  int Current() const;
  // What the window answers to DM_GETDEFID.
  LRESULT DefId() const;
  // IsDialogMessageA for window; after a key, the looks the dialog manager
  // may have moved on its own are put back.
  bool Translate(MSG& msg);

 private:
  static LRESULT CALLBACK ButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                     DWORD_PTR data);
  void OnFocusLost(HWND button, HWND to);
  void Show();
  void Release();

  HWND window_ = nullptr;
  std::vector<HWND> buttons_;
  int default_ = 0;
  HWND focused_ = nullptr;  // the push button with the focus, kept while another window has it
  int shown_ = 0;           // the button last given the default frame
};

}  // namespace vantrel
