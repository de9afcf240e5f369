// The search box `ComboFind`: a combo box whose edit shows a grey
// placeholder until the user moves into it, keeps Enter for itself rather
// than for a default button, and lists the queries already searched for.
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>

#include "core/DocumentUi.h"
#include "core/Find.h"
#include "core/HostsDocument.h"
#include "platform/DefaultButtonTracker.h"

namespace vantrel {

class FindBox {
 public:
  static constexpr const char* kPlaceholder = "type query here";

  // Takes over the combo box; every key typed into it goes to onKey. While
  // the box has the focus no button is the default; leaving it makes
  // defaultAfter the default again.
  void Attach(HWND combo, DefaultButtonTracker& buttons, int defaultAfter,
              std::function<void(FindKey)> onKey);
  // The combo box's focus notifications.
  void OnNotify(int code);
  // Whether WM_CTLCOLOREDIT is about the box's own edit.
  bool Owns(HWND edit) const { return GetParent(edit) == combo_; }
  // Its answer to WM_CTLCOLOREDIT: grey placeholder, black query.
  LRESULT Colors(HDC dc) const;
  // A key in the box: Enter searches the document from where the last
  // search stopped; a new query goes into the drop-down list too.
  void Search(HostsDocument& doc, DocumentUi& ui, FindKey key);

  const FindState& State() const { return find_; }

 private:
  void GotFocus();
  void LostFocus();
  static LRESULT CALLBACK EditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                   DWORD_PTR data);

  HWND combo_ = nullptr;
  DefaultButtonTracker* buttons_ = nullptr;
  int defaultAfter_ = 0;
  std::function<void(FindKey)> onKey_;
  FindState find_;
  size_t historyShown_ = 0;
  bool showsPlaceholder_ = true;
  HWND focusTo_ = nullptr;  // the window the box is losing the focus to
  COLORREF textColor_ = GetSysColor(COLOR_GRAYTEXT);
};

}  // namespace vantrel
