#include <windows.h>
// windows.h first
#include <commctrl.h>

#include "shell/MainWindow.h"
#include "shell/SingleInstance.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  InitCommonControls();
  vantrel::SingleInstance instanceClaim;
  vantrel::MainWindow window;
  if (!window.Create(instance)) return 1;
  // A second copy ends here, silently, before anything shows.
  if (!instanceClaim.Claim()) return 0;
  window.Startup();
  MSG msg{};
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (window.PreTranslate(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}
