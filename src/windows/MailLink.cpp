#include "windows/MailLink.h"

#include <shellapi.h>

#include <utility>

namespace vantrel {

namespace {

ShellExecuteFunction shellExecute = &ShellExecuteA;

}  // namespace

ShellExecuteFunction SetShellExecute(ShellExecuteFunction function) {
  return std::exchange(shellExecute, function);
}

std::string MailLinkWindow::MailUrl() const {
  return "mailto:" + WindowText(controls_[link_]) + subject_;
}

void MailLinkWindow::OnCreate() {
  SetFont({link_}, {"Tahoma", 9.75, false, true});
  // An address cut short would send mail nowhere: the label grows to show
  // all of it (it never shrinks below its laid-out width).
  const HWND label = controls_[link_];
  const std::string text = WindowText(label);
  HDC dc = GetDC(label);
  if (!dc) return;
  const HGDIOBJ old =
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(label, WM_GETFONT, 0, 0)));
  SIZE extent{};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  SelectObject(dc, old);
  ReleaseDC(label, dc);
  RECT r{};
  GetClientRect(label, &r);
  if (extent.cx <= r.right) return;
  GetWindowRect(label, &r);
  SetWindowPos(label, nullptr, 0, 0, extent.cx, r.bottom - r.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool MailLinkWindow::OnCommand(int id, int code) {
  if (id == link_ && code == STN_CLICKED) {
    shellExecute(hwnd_, nullptr, MailUrl().c_str(), nullptr, "", SW_SHOWNORMAL);
    return true;
  }
  if (id != close_ || code != BN_CLICKED) return false;
  End();
  return true;
}

bool MailLinkWindow::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  const HWND label = controls_[link_];
  if (msg == WM_CTLCOLORSTATIC && label && reinterpret_cast<HWND>(lParam) == label) {
    HDC dc = reinterpret_cast<HDC>(wParam);
    SetTextColor(dc, RGB(0, 0, 255));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    return true;
  }
  if (msg != WM_SETCURSOR || !label || reinterpret_cast<HWND>(wParam) != label) return false;
  // The pointing hand is missing before Windows 98 and 2000.
  HCURSOR hand = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND));
  SetCursor(hand ? hand : LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
  result = TRUE;
  return true;
}

}  // namespace vantrel
