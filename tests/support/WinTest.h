// Small helpers for tests of real windows: reading controls back, pumping
// messages, and temporary files.
#pragma once

#include <windows.h>

#include <string>

namespace vantrel::test {

// Runs the messages waiting in this thread's queue.
void Pump();
// The control's text (WM_GETTEXT, so it works across processes too).
std::string TextOf(HWND hwnd);
// The window's rectangle in its parent's client coordinates.
RECT RectInParent(HWND hwnd);
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

}  // namespace vantrel::test
