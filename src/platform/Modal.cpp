#include "platform/Modal.h"

#include <commdlg.h>

#include "platform/InputBox.h"

namespace vantrel {

namespace {

Modal real;
Modal* current = nullptr;

}  // namespace

int Modal::Message(HWND owner, const std::string& text, const std::string& caption, UINT type) {
  return MessageBoxA(owner, text.c_str(), caption.c_str(), type);
}

std::string Modal::Input(HWND owner, const std::string& prompt, const std::string& title,
                         const std::string& initial) {
  return InputBox::Ask(owner, prompt, title, initial);
}

BOOL Modal::OpenFileName(OPENFILENAMEA* settings) { return GetOpenFileNameA(settings); }
BOOL Modal::SaveFileName(OPENFILENAMEA* settings) { return GetSaveFileNameA(settings); }

Modal& CurrentModal() { return current ? *current : real; }

ScopedModal::ScopedModal(Modal& modal) : previous_(current) { current = &modal; }
ScopedModal::~ScopedModal() { current = previous_; }

}  // namespace vantrel
