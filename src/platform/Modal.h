// Every modal question the program asks goes through here: message boxes,
// the input box and the two file dialogs. The program uses the real ones;
// tests install a script that answers instead (ScopedModal).
#pragma once

#include <windows.h>
// windows.h first
#include <commdlg.h>

#include <string>

namespace vantrel {

class Modal {
 public:
  virtual ~Modal() = default;
  // MessageBoxA: returns IDOK, IDYES, IDNO, ...
  virtual int Message(HWND owner, const std::string& text, const std::string& caption, UINT type);
  // A modal single-line prompt with OK and Cancel; Cancel returns "".
  virtual std::string Input(HWND owner, const std::string& prompt, const std::string& title,
                            const std::string& initial);
  // GetOpenFileNameA / GetSaveFileNameA.
  virtual BOOL OpenFileName(OPENFILENAMEA* settings);
  virtual BOOL SaveFileName(OPENFILENAMEA* settings);
};

Modal& CurrentModal();

// Installs another Modal for the lifetime of this object.
class ScopedModal {
 public:
  explicit ScopedModal(Modal& modal);
  ~ScopedModal();
  ScopedModal(const ScopedModal&) = delete;
  ScopedModal& operator=(const ScopedModal&) = delete;

 private:
  Modal* previous_;
};

}  // namespace vantrel
