// Modal showing for the program's own windows: the owner is disabled and
// messages are run until the window hides itself or is destroyed.
#pragma once

#include <windows.h>

#include "platform/BaseWindow.h"

namespace vantrel {

void RunModal(HWND window, HWND owner);

// A window of the program shown modally over the main window. It is created
// on first use by Derived::Form_Load(HWND mainWindow) and kept for later
// showings.
template <class Derived>
class ModalForm : public BaseWindow<Derived> {
 public:
  // Creates the window when it is not loaded (does nothing otherwise).
  void Load(HWND mainWindow) {
    if (this->hwnd_) return;
    static_cast<Derived*>(this)->Form_Load(mainWindow);
  }
  // Creates the window when it is not loaded, placing it beside mainWindow,
  // and shows it modally until it hides itself or is closed.
  void ShowModal(HWND mainWindow) {
    Load(mainWindow);
    if (!this->hwnd_) return;
    RunModal(this->hwnd_, mainWindow);
  }
};

}  // namespace vantrel
