// A plain top-level window for tests of code that works on real windows,
// destroyed at the end of its scope.
#pragma once

#include <windows.h>

namespace vantrel::test {

class TestWindow {
 public:
  TestWindow(RECT box, DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE, DWORD exStyle = 0)
      : hwnd_(CreateWindowExA(exStyle, ClassName(), "Vantrel test window", style, box.left, box.top,
                              box.right - box.left, box.bottom - box.top, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr)) {
    Pump();
  }
  ~TestWindow() {
    if (hwnd_) DestroyWindow(hwnd_);
  }
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  HWND Handle() const { return hwnd_; }
  RECT Box() const {
    RECT box{};
    GetWindowRect(hwnd_, &box);
    return box;
  }
  LONG_PTR ExStyle() const { return GetWindowLongPtrA(hwnd_, GWL_EXSTYLE); }

  // Lets the window handle what is queued for it.
  static void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }

 private:
  static const char* ClassName() {
    static const char* name = [] {
      WNDCLASSA wc{};
      wc.lpfnWndProc = &DefWindowProcA;
      wc.hInstance = GetModuleHandleA(nullptr);
      wc.lpszClassName = "VantrelTestWindow";
      wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
      RegisterClassA(&wc);
      return "VantrelTestWindow";
    }();
    return name;
  }

  HWND hwnd_;
};

}  // namespace vantrel::test
