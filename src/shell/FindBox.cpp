#include "shell/FindBox.h"

#include <windows.h>
// windows.h first
#include <commctrl.h>

#include <string>
#include <utility>

#include "platform/Controls.h"

namespace vantrel {

void FindBox::Attach(HWND combo, DefaultButtonTracker& buttons, int defaultAfter,
                     std::function<void(FindKey)> onKey) {
  combo_ = combo;
  buttons_ = &buttons;
  defaultAfter_ = defaultAfter;
  onKey_ = std::move(onKey);
  // A combo box takes no caption at creation.
  SetWindowTextA(combo_, kPlaceholder);
  if (HWND edit = FindWindowExA(combo_, nullptr, "Edit", nullptr)) {
    SetWindowSubclass(edit, &FindBox::EditProc, 1, reinterpret_cast<DWORD_PTR>(this));
  }
}

void FindBox::OnNotify(int code) {
  if (code == CBN_SETFOCUS) GotFocus();
  if (code == CBN_KILLFOCUS) LostFocus();
}

LRESULT FindBox::Colors(HDC dc) const {
  SetTextColor(dc, textColor_);
  SetBkColor(dc, GetSysColor(COLOR_WINDOW));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
}

void FindBox::GotFocus() {
  textColor_ = RGB(0, 0, 0);
  // Back from a message box or another program, the query is still there.
  if (showsPlaceholder_) SetWindowTextA(combo_, "");
  showsPlaceholder_ = false;
  buttons_->SetDefault(0);
}

void FindBox::LostFocus() {
  // Only the user moving to another control leaves the box: the program's
  // own message box or another program taking the activation does not.
  HWND to = focusTo_;
  if (!to || to == combo_ || IsChild(combo_, to)) return;
  HWND window = GetParent(combo_);  // the main window
  if (to != window && !IsChild(window, to)) return;
  showsPlaceholder_ = true;
  SetWindowTextA(combo_, kPlaceholder);
  buttons_->SetDefault(defaultAfter_);
  textColor_ = GetSysColor(COLOR_GRAYTEXT);
  InvalidateRect(combo_, nullptr, TRUE);
}

void FindBox::Search(HostsDocument& doc, DocumentUi& ui, FindKey key) {
  std::string text = WindowText(combo_);
  const std::string before = text;
  FindKeyPress(doc, find_, text, key, ui);
  for (; historyShown_ < find_.History.size(); ++historyShown_) {
    SendMessageA(combo_, CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(find_.History[historyShown_].c_str()));
  }
  if (text != before) SetWindowTextA(combo_, text.c_str());
}

LRESULT CALLBACK FindBox::EditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                   DWORD_PTR data) {
  auto* self = reinterpret_cast<FindBox*>(data);
  try {
    // Enter belongs to the search box, not to a default button.
    if (msg == WM_GETDLGCODE && lParam) {
      const MSG* pending = reinterpret_cast<const MSG*>(lParam);
      if (pending->message == WM_KEYDOWN && pending->wParam == VK_RETURN) return DLGC_WANTALLKEYS;
    }
    if (msg == WM_CHAR) self->onKey_(wParam == VK_RETURN ? FindKey::Enter : FindKey::Other);
    // Where the focus goes, for the combo box's CBN_KILLFOCUS that follows.
    if (msg == WM_KILLFOCUS) self->focusTo_ = reinterpret_cast<HWND>(wParam);
  } catch (...) {
    // Never unwind through the edit control.
  }
  if (msg == WM_NCDESTROY) RemoveWindowSubclass(hwnd, &FindBox::EditProc, 1);
  return DefSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace vantrel
