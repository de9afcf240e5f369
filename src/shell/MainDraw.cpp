// Drawing of the main window's owner-drawn controls: the graphical buttons
// (a picture above the caption) and the two lists, whose items live in the
// document rather than in the list boxes.
#include <string>

#include "shell/MainWindow.h"

namespace vantrel {

namespace {

// A disabled button's picture: faded into the button's face.
void FadePicture(HDC dc, const RECT& r) {
  HDC face = CreateCompatibleDC(dc);
  HBITMAP pixel = CreateCompatibleBitmap(dc, 1, 1);
  HGDIOBJ old = SelectObject(face, pixel);
  SetPixel(face, 0, 0, GetSysColor(COLOR_BTNFACE));
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, 170, 0};
  AlphaBlend(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, face, 0, 0, 1, 1, blend);
  SelectObject(face, old);
  DeleteObject(pixel);
  DeleteDC(face);
}

}  // namespace

void MainWindow::OnMeasureItem(MEASUREITEMSTRUCT& item) {
  if (item.CtlType != ODT_LISTBOX) return;
  HDC dc = GetDC(hwnd_);
  HGDIOBJ old = SelectObject(dc, listFont_.Get());
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(hwnd_, dc);
  item.itemHeight = static_cast<UINT>(tm.tmHeight);
}

bool MainWindow::OnDrawItem(const DRAWITEMSTRUCT& item) {
  if (controls_.DrawLine(item)) return true;
  if (item.CtlType == ODT_BUTTON) DrawGraphicalButton(item);
  if (item.CtlType == ODT_LISTBOX) DrawListItem(item);
  return item.CtlType == ODT_BUTTON || item.CtlType == ODT_LISTBOX;
}

void MainWindow::DrawListItem(const DRAWITEMSTRUCT& item) {
  if (item.itemID == static_cast<UINT>(-1)) {
    if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
    return;
  }
  const int32_t index = static_cast<int32_t>(item.itemID);
  Text text = item.CtlID == kList1 ? doc_.List1.Item(index) : CommentRow(index);
  const bool selected = item.itemState & ODS_SELECTED;
  const bool disabled = !IsWindowEnabled(item.hwndItem);
  FillRect(item.hDC, &item.rcItem,
           GetSysColorBrush(selected && !disabled ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, GetSysColor(disabled   ? COLOR_GRAYTEXT
                                     : selected ? COLOR_HIGHLIGHTTEXT
                                                : COLOR_WINDOWTEXT));
  HGDIOBJ old = SelectObject(item.hDC, listFont_.Get());
  RECT r = item.rcItem;
  r.left += 2;
  // No list is wide enough for more; a line of megabytes would otherwise be
  // laid out in full at every paint.
  constexpr size_t kMaxDrawn = 4096;
  text = text.substr(0, kMaxDrawn);
  DrawTextA(item.hDC, text.data(), static_cast<int>(text.size()), &r,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_EXPANDTABS);
  SelectObject(item.hDC, old);
  if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
}

int32_t MainWindow::CommentRowCount() const {
  if (doc_.LineCount == 0) return 0;
  return doc_.Comments.empty() ? 1 : doc_.CommentCount();
}

Text MainWindow::CommentRow(int32_t i) const {
  if (i < 0 || i >= CommentRowCount()) return {};
  return doc_.Comments.empty() ? "No Comments Found" : doc_.Comments[static_cast<size_t>(i)];
}

void MainWindow::DrawGraphicalButton(const DRAWITEMSTRUCT& item) {
  RECT r = item.rcItem;
  const bool pressed = item.itemState & ODS_SELECTED;
  const bool disabled = item.itemState & ODS_DISABLED;
  const bool isDefault = static_cast<int>(item.CtlID) == defaultButtons_.Current();
  if (isDefault) {
    FrameRect(item.hDC, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
    InflateRect(&r, -1, -1);
  }
  DrawFrameControl(item.hDC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
  const int shift = pressed ? 1 : 0;

  const bool isOpen = item.CtlID == kCmdOpen;
  HICON picture = isOpen ? openPicture_ : item.CtlID == kCmdSaveAs ? saveAsPicture_ : nullptr;
  const SIZE pictureSize = isOpen ? SIZE{45, 36} : SIZE{40, 40};

  const std::string caption = WindowText(item.hwndItem);
  HGDIOBJ old = SelectObject(item.hDC, font_.Get());
  const int width = r.right - r.left;
  const int height = r.bottom - r.top;
  const int pictureHeight = picture ? pictureSize.cy + 2 : 0;
  // A caption too long for one line wraps at its words, as long as the
  // lines fit the button; otherwise it stays on one line.
  RECT textRect{0, 0, width - 6, 0};
  UINT format = DT_CENTER | DT_WORDBREAK;
  DrawTextA(item.hDC, caption.c_str(), -1, &textRect, format | DT_CALCRECT);
  if (textRect.bottom + pictureHeight > height - 4) {
    format = DT_CENTER | DT_SINGLELINE;
    textRect = {0, 0, width - 6, 0};
    DrawTextA(item.hDC, caption.c_str(), -1, &textRect, format | DT_CALCRECT);
  }
  const int textHeight = textRect.bottom - textRect.top;
  const int top = r.top + (height - pictureHeight - textHeight) / 2;
  if (picture) {
    const int x = r.left + (width - pictureSize.cx) / 2 + shift;
    const int y = top + shift;
    DrawIconEx(item.hDC, x, y, picture, pictureSize.cx, pictureSize.cy, 0, nullptr, DI_NORMAL);
    if (disabled) FadePicture(item.hDC, RECT{x, y, x + pictureSize.cx, y + pictureSize.cy});
  }
  textRect = {r.left + 3 + shift, top + pictureHeight + shift, r.right - 3 + shift,
              top + pictureHeight + textHeight + shift};
  SetBkMode(item.hDC, TRANSPARENT);
  if (disabled) {
    // Embossed grey text, as a disabled button shows its caption.
    OffsetRect(&textRect, 1, 1);
    SetTextColor(item.hDC, GetSysColor(COLOR_BTNHIGHLIGHT));
    DrawTextA(item.hDC, caption.c_str(), -1, &textRect, format);
    OffsetRect(&textRect, -1, -1);
    SetTextColor(item.hDC, GetSysColor(COLOR_GRAYTEXT));
  } else {
    SetTextColor(item.hDC, GetSysColor(COLOR_BTNTEXT));
  }
  DrawTextA(item.hDC, caption.c_str(), -1, &textRect, format);
  SelectObject(item.hDC, old);
  if (item.itemState & ODS_FOCUS) {
    RECT focus = r;
    InflateRect(&focus, -3, -3);
    DrawFocusRect(item.hDC, &focus);
  }
}

}  // namespace vantrel
