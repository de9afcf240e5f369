#include "shell/MainWindow.h"

#include "platform/Twips.h"
#include "shell/Resources.h"

namespace vantrel {

namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

}  // namespace

bool MainWindow::Create(HINSTANCE instance) {
  HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_VANTREL));
  if (!Register(kClassName, icon)) return false;

  RECT rect{0, 0, TwipsToPixelsX(kClientWidthTwips), TwipsToPixelsY(kClientHeightTwips)};
  AdjustWindowRectEx(&rect, kStyle, FALSE, 0);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  // Centred on the screen.
  const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  return CreateWindowExA(0, kClassName, kCaption, kStyle, x, y, width, height, nullptr, nullptr,
                         instance, this) != nullptr;
}

LRESULT MainWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return Default(msg, wParam, lParam);
  }
}

}  // namespace vantrel
