// A window class wrapper: one static window procedure stores `this` at
// WM_NCCREATE and forwards every message to HandleMessage. Exceptions never
// unwind through Windows: they end the message with the default handling.
#pragma once

#include <windows.h>

namespace vantrel {

template <class Derived>
class BaseWindow {
 public:
  BaseWindow() = default;
  BaseWindow(const BaseWindow&) = delete;
  BaseWindow& operator=(const BaseWindow&) = delete;
  virtual ~BaseWindow() {
    if (hwnd_) DestroyWindow(hwnd_);
  }

  HWND Handle() const { return hwnd_; }

 protected:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Derived* self = nullptr;
    if (msg == WM_NCCREATE) {
      auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
      self = static_cast<Derived*>(create->lpCreateParams);
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
      self->hwnd_ = hwnd;
    } else {
      self = reinterpret_cast<Derived*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    }
    if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
    LRESULT result = 0;
    try {
      result = self->HandleMessage(msg, wParam, lParam);
    } catch (...) {
      result = DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    if (msg == WM_NCDESTROY) {
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      self->hwnd_ = nullptr;
    }
    return result;
  }

  // Registers the class once per process. Without a small icon the system
  // derives one from the large icon.
  static bool Register(const char* className, HICON icon, HICON smallIcon = nullptr) {
    WNDCLASSEXA wc{};
    if (GetClassInfoExA(GetModuleHandleA(nullptr), className, &wc)) return true;
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &BaseWindow::WindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = className;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.hIcon = icon;
    wc.hIconSm = smallIcon;
    return RegisterClassExA(&wc) != 0;
  }

  LRESULT Default(UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd_, msg, wParam, lParam);
  }

  HWND hwnd_ = nullptr;
};

}  // namespace vantrel
