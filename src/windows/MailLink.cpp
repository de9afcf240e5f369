#include "windows/MailLink.h"

#include <shellapi.h>

#include <vector>

#include "platform/Controls.h"

namespace vantrel {

namespace {

ShellExecuteFunction shellExecute = &ShellExecuteA;

constexpr COLORREF kLinkColor = RGB(0, 0, 255);

}  // namespace

ShellExecuteFunction SetShellExecute(ShellExecuteFunction function) {
  const ShellExecuteFunction previous = shellExecute;
  shellExecute = function;
  return previous;
}

void MailLink::Attach(HWND owner, HWND label, const char* subject) {
  owner_ = owner;
  label_ = label;
  subject_ = subject;
  if (!font_.Get()) font_ = MakeFont({"Tahoma", 9.75, false, true});
  SendMessageA(label_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
  FitWidth();
}

void MailLink::FitWidth() const {
  // An address cut short would send mail nowhere: the label grows to show
  // all of it (it never shrinks below its laid-out width).
  const std::string text = Address();
  HDC dc = GetDC(label_);
  if (!dc) return;
  const HGDIOBJ old = SelectObject(dc, font_.Get());
  SIZE extent{};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  SelectObject(dc, old);
  ReleaseDC(label_, dc);
  RECT r{};
  GetClientRect(label_, &r);
  if (extent.cx <= r.right) return;
  GetWindowRect(label_, &r);
  SetWindowPos(label_, nullptr, 0, 0, extent.cx, r.bottom - r.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string MailLink::Address() const { return WindowText(label_); }

std::string MailLink::Url() const { return "mailto:" + Address() + subject_; }

void MailLink::Open() const {
  shellExecute(owner_, nullptr, Url().c_str(), nullptr, "", SW_SHOWNORMAL);
}

bool MailLink::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) const {
  if (!label_) return false;
  switch (msg) {
    case WM_CTLCOLORSTATIC: {
      if (reinterpret_cast<HWND>(lParam) != label_) return false;
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, kLinkColor);
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
      return true;
    }
    case WM_SETCURSOR: {
      if (reinterpret_cast<HWND>(wParam) != label_) return false;
      // The pointing hand is missing before Windows 98 and 2000.
      HCURSOR hand = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND));
      SetCursor(hand ? hand : LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
      result = TRUE;
      return true;
    }
    case WM_COMMAND:
      if (reinterpret_cast<HWND>(lParam) != label_ || HIWORD(wParam) != STN_CLICKED) return false;
      Open();
      result = 0;
      return true;
    default:
      return false;
  }
}

}  // namespace vantrel
