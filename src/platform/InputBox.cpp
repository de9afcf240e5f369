#include "platform/InputBox.h"

#include <array>
#include <vector>

#include "platform/ModalLoop.h"
#include "platform/Twips.h"

namespace vantrel {

namespace {

// Twips, relative to the client area.
constexpr int kClientWidth = 5400;
constexpr int kClientHeight = 2100;

const std::array<ControlSpec, 4> kControls{{
    {IDOK, "OKButton", Kind::Button, "OK", 4200, 120, 1080, 345, 1, 0, BS_DEFPUSHBUTTON},
    {IDCANCEL, "CancelButton", Kind::Button, "Cancel", 4200, 540, 1080, 345, 2},
    {InputBox::kPromptId, "Prompt", Kind::Label, "", 120, 120, 3960, 1320, -1},
    {InputBox::kEditId, "TextBox", Kind::Text, "", 120, 1620, 5160, 300, 0},
}};

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;

}  // namespace

std::string InputBox::Ask(HWND owner, const std::string& prompt, const std::string& title,
                          const std::string& initial) {
  InputBox box;
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  if (!Register(kClassName, nullptr)) return {};
  RECT rect{0, 0, TwipsToPixelsX(kClientWidth), TwipsToPixelsY(kClientHeight)};
  AdjustWindowRectEx(&rect, kStyle, FALSE, WS_EX_DLGMODALFRAME);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 3;
  if (!CreateWindowExA(WS_EX_DLGMODALFRAME, kClassName, title.c_str(), kStyle, x, y, width, height,
                       owner, nullptr, instance, &box)) {
    return {};
  }
  box.font_ = MakeFont({"Tahoma", 8.25});
  box.controls_.Create(box.Handle(), kControls, box.font_.Get());
  SetWindowTextA(box.controls_[kPromptId], prompt.c_str());
  HWND edit = box.controls_[kEditId];
  SetWindowTextA(edit, initial.c_str());
  SendMessageA(edit, EM_SETSEL, 0, -1);
  SetFocus(edit);
  RunModal(box.Handle(), owner);
  return box.answer_;
}

void InputBox::Finish(bool ok) {
  answer_.clear();
  if (ok) answer_ = WindowText(controls_[kEditId]);
  ShowWindow(hwnd_, SW_HIDE);
}

LRESULT InputBox::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) Finish(true);
      if (LOWORD(wParam) == IDCANCEL) Finish(false);
      return 0;
    case DM_GETDEFID:
      return MAKELRESULT(IDOK, DC_HASDEFID);
    case WM_CLOSE:
      Finish(false);
      return 0;
    default:
      return Default(msg, wParam, lParam);
  }
}

}  // namespace vantrel
