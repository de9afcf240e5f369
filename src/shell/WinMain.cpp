#include <windows.h>

#include "shell/MainWindow.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  vantrel::MainWindow window;
  if (!window.Create(instance)) return 1;
  ShowWindow(window.Handle(), show);
  UpdateWindow(window.Handle());
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}
