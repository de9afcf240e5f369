#include "platform/ModalWindow.h"

namespace vantrel {

SIZE FrameSize(const FixedWindowDef& window) {
  RECT rect{0, 0, TwipsToPixelsX(window.clientWidth), TwipsToPixelsY(window.clientHeight)};
  AdjustWindowRectEx(&rect, window.style, FALSE, window.exStyle);
  return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

void ModalWindow::RunModal(HWND owner) {
  if (owner && IsWindowEnabled(owner)) {
    EnableWindow(owner, FALSE);
    disabledOwner_ = owner;
  }
  const bool activateOwner = disabledOwner_ != nullptr;
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
  MSG msg;
  while (hwnd_ && IsWindowVisible(hwnd_)) {
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (got < 0) break;
    if (defaultButtons_.Translate(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  EnableOwner();
  if (activateOwner) SetActiveWindow(owner);
}

void ModalWindow::EnableOwner() {
  if (disabledOwner_) EnableWindow(disabledOwner_, TRUE);
  disabledOwner_ = nullptr;
}

void ModalWindow::End() {
  EnableOwner();
  ShowWindow(hwnd_, SW_HIDE);
}

ModalWindow::~ModalWindow() {
  if (hwnd_) DestroyWindow(hwnd_);
}

bool ModalWindow::Create(HWND owner, POINT at) {
  if (!Register(def_.window.className, nullptr)) return false;
  const FixedWindowDef& window = def_.window;
  const SIZE size = FrameSize(window);
  if (!CreateWindowExA(window.exStyle, window.className, window.caption, window.style, at.x, at.y,
                       size.cx, size.cy, owner, nullptr, GetModuleHandleA(nullptr), this)) {
    return false;
  }
  fonts_.clear();
  fonts_.push_back(MakeFont(def_.font));
  controls_ = ControlSet{};
  controls_.Create(hwnd_, def_.controls, fonts_.front().Get());
  defaultButtons_.Watch(hwnd_, controls_.PushButtons());
  defaultButtons_.SetDefault(def_.defaultButton);
  OnCreate();
  return true;
}

void ModalWindow::Load(HWND mainWindow) {
  if (hwnd_) return;
  RECT frame{};
  if (mainWindow) GetWindowRect(mainWindow, &frame);
  Create(mainWindow, POINT{frame.left + TwipsToPixelsX(def_.offset.x),
                           frame.top + TwipsToPixelsY(def_.offset.y)});
}

void ModalWindow::ShowModal(HWND mainWindow) {
  Load(mainWindow);
  if (!hwnd_) return;
  OnShow();
  RunModal(mainWindow);
  OnEnd();
}

void ModalWindow::SetFont(std::initializer_list<int> ids, const FontDef& font) {
  fonts_.push_back(MakeFont(font));
  for (int id : ids) {
    SendMessageA(controls_[id], WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.back().Get()), FALSE);
  }
}

void ModalWindow::RestoreFocus(bool active) {
  // The default handling gave the focus to the window itself.
  if (!active) {
    const HWND focus = GetFocus();
    lastFocus_ = focus && IsChild(hwnd_, focus) ? focus : nullptr;
    return;
  }
  if (IsIconic(hwnd_)) return;
  HWND target = lastFocus_ && IsChild(hwnd_, lastFocus_) ? lastFocus_ : nullptr;
  if (!target) target = GetNextDlgTabItem(hwnd_, nullptr, FALSE);
  if (target) SetFocus(target);
}

bool ModalWindow::Checked(int id) const {
  return SendMessageA(controls_[id], BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void ModalWindow::SetChecked(int id, bool checked) {
  SendMessageA(controls_[id], BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

LRESULT ModalWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (OnMessage(msg, wParam, lParam, result)) return result;
  switch (msg) {
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) OnActivate();
      Default(msg, wParam, lParam);
      RestoreFocus(LOWORD(wParam) != WA_INACTIVE);
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDCANCEL) {
        OnCancel();
        return 0;
      }
      if (OnCommand(LOWORD(wParam), HIWORD(wParam))) return 0;
      return Default(msg, wParam, lParam);
    case WM_CLOSE:
      // The frame's close box destroys the window.
      EnableOwner();
      return Default(msg, wParam, lParam);
    case DM_GETDEFID:
      return defaultButtons_.DefId();
    case WM_DRAWITEM:
      if (controls_.DrawLine(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return TRUE;
      return Default(msg, wParam, lParam);
    default:
      return Default(msg, wParam, lParam);
  }
}

}  // namespace vantrel
