#include "platform/DefaultButtonTracker.h"

#include <commctrl.h>

#include <algorithm>

namespace vantrel {

namespace {

constexpr UINT_PTR kSubclassId = 1;

DWORD ButtonType(HWND button) {
  return static_cast<DWORD>(GetWindowLongA(button, GWL_STYLE)) & BS_TYPEMASK;
}

}  // namespace

DefaultButtonTracker::~DefaultButtonTracker() { Release(); }

void DefaultButtonTracker::Release() {
  for (HWND button : buttons_) RemoveWindowSubclass(button, &ButtonProc, kSubclassId);
  buttons_.clear();
  focused_ = nullptr;
  shown_ = 0;
}

void DefaultButtonTracker::Watch(HWND window, std::vector<HWND> buttons) {
  Release();
  window_ = window;
  buttons_ = std::move(buttons);
  for (HWND button : buttons_) {
    SetWindowSubclass(button, &ButtonProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
  }
  Show();
}

void DefaultButtonTracker::SetDefault(int id) {
  default_ = id;
  Show();
}

int DefaultButtonTracker::Current() const {
  if (focused_ && IsWindowEnabled(focused_)) return GetDlgCtrlID(focused_);
  return default_;
}

LRESULT DefaultButtonTracker::DefId() const {
  const int id = Current();
  return id ? MAKELRESULT(id, DC_HASDEFID) : 0;
}

bool DefaultButtonTracker::Translate(MSG& msg) {
  if (!IsDialogMessageA(window_, &msg)) return false;
  // Tabbing, it moves BS_DEFPUSHBUTTON by rules of its own.
  if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) Show();
  return true;
}

void DefaultButtonTracker::Show() {
  const int current = Current();
  for (HWND button : buttons_) {
    const int id = GetDlgCtrlID(button);
    const bool wears = id == current;
    const DWORD type = ButtonType(button);
    if (type == BS_OWNERDRAW) {
      if (wears != (id == shown_)) InvalidateRect(button, nullptr, FALSE);
    } else if ((type == BS_DEFPUSHBUTTON) != wears) {
      SendMessageA(button, BM_SETSTYLE, wears ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    }
  }
  shown_ = current;
}

void DefaultButtonTracker::OnFocusLost(HWND button, HWND to) {
  if (button != focused_) return;
  // Its WM_SETFOCUS follows.
  if (std::find(buttons_.begin(), buttons_.end(), to) != buttons_.end()) return;
  // Another window took the focus, which comes back to the button.
  const bool leftWindow = to && to != window_ && !IsChild(window_, to);
  if (leftWindow && IsWindowEnabled(button)) return;
  focused_ = nullptr;
  Show();
}

LRESULT CALLBACK DefaultButtonTracker::ButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                                  UINT_PTR, DWORD_PTR data) {
  auto* self = reinterpret_cast<DefaultButtonTracker*>(data);
  if (msg == WM_NCDESTROY) {
    RemoveWindowSubclass(hwnd, &ButtonProc, kSubclassId);
    std::erase(self->buttons_, hwnd);
    if (self->focused_ == hwnd) self->focused_ = nullptr;
    return DefSubclassProc(hwnd, msg, wParam, lParam);
  }
  const LRESULT result = DefSubclassProc(hwnd, msg, wParam, lParam);
  if (msg == WM_SETFOCUS) {
    self->focused_ = hwnd;
    self->Show();
  } else if (msg == WM_KILLFOCUS) {
    self->OnFocusLost(hwnd, reinterpret_cast<HWND>(wParam));
  } else if (msg == WM_ENABLE) {
    self->Show();
  }
  return result;
}

}  // namespace vantrel
