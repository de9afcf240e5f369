#include "platform/InputBox.h"

#include <array>

namespace vantrel {

namespace {

// Twips, relative to the client area.
constexpr std::array<ControlDef, 4> kControls{{
    {IDOK, "OKButton", Kind::Button, "OK", 4200, 120, 1080, 345, 1, 0, BS_DEFPUSHBUTTON},
    {IDCANCEL, "CancelButton", Kind::Button, "Cancel", 4200, 540, 1080, 345, 2},
    {InputBox::kPromptId, "Prompt", Kind::Label, "", 120, 120, 3960, 1320, -1},
    {InputBox::kEditId, "TextBox", Kind::Text, "", 120, 1620, 5160, 300, 0},
}};

constexpr ModalWindowDef kWindow{
    {InputBox::kClassName, "", WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
     WS_EX_DLGMODALFRAME, 5400, 2100},
    kControls,
    {"Tahoma", 8.25},
    IDOK,
    {0, 0},
};

}  // namespace

InputBox::InputBox() : ModalWindow(kWindow) {}

std::string InputBox::Ask(HWND owner, const std::string& prompt, const std::string& title,
                          const std::string& initial) {
  InputBox box;
  const SIZE size = FrameSize(kWindow.window);
  const POINT at{(GetSystemMetrics(SM_CXSCREEN) - size.cx) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - size.cy) / 3};
  if (!box.Create(owner, at)) return {};
  SetWindowTextA(box.hwnd_, title.c_str());
  SetWindowTextA(box.controls_[kPromptId], prompt.c_str());
  HWND edit = box.controls_[kEditId];
  SetWindowTextA(edit, initial.c_str());
  SendMessageA(edit, EM_SETSEL, 0, -1);
  SetFocus(edit);
  box.RunModal(owner);
  return box.answer_;
}

bool InputBox::OnCommand(int id, int) {
  if (id != IDOK) return false;
  answer_ = WindowText(controls_[kEditId]);
  End();
  return true;
}

bool InputBox::OnMessage(UINT msg, WPARAM, LPARAM, LRESULT& result) {
  // Closing by the frame cancels, as Escape does.
  if (msg != WM_CLOSE) return false;
  End();
  result = 0;
  return true;
}

}  // namespace vantrel
