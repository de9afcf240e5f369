#include "platform/OwnerDraw.h"

#include <string>

#include "platform/Controls.h"

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

ButtonPicture LoadButtonPicture(HINSTANCE instance, int resourceId, SIZE size) {
  ButtonPicture picture;
  picture.icon.reset(static_cast<HICON>(
      LoadImageA(instance, MAKEINTRESOURCEA(resourceId), IMAGE_ICON, size.cx, size.cy, 0)));
  picture.size = size;
  return picture;
}

void DrawGraphicalButton(const DRAWITEMSTRUCT& item, HFONT font, const ButtonPicture* picture,
                         bool isDefault) {
  RECT r = item.rcItem;
  const bool pressed = item.itemState & ODS_SELECTED;
  const bool disabled = item.itemState & ODS_DISABLED;
  if (isDefault) {
    FrameRect(item.hDC, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
    InflateRect(&r, -1, -1);
  }
  DrawFrameControl(item.hDC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
  const int shift = pressed ? 1 : 0;

  const SIZE pictureSize = picture ? picture->size : SIZE{};
  const std::string caption = WindowText(item.hwndItem);
  HGDIOBJ old = SelectObject(item.hDC, font);
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
    DrawIconEx(item.hDC, x, y, picture->icon.get(), pictureSize.cx, pictureSize.cy, 0, nullptr,
               DI_NORMAL);
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

UINT ListRowHeight(HWND window, HFONT font) {
  HDC dc = GetDC(window);
  HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(window, dc);
  return static_cast<UINT>(tm.tmHeight);
}

void DrawListRow(const DRAWITEMSTRUCT& item, std::string_view text, HFONT font) {
  if (item.itemID == static_cast<UINT>(-1)) {
    if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
    return;
  }
  const bool selected = item.itemState & ODS_SELECTED;
  const bool disabled = !IsWindowEnabled(item.hwndItem);
  FillRect(item.hDC, &item.rcItem,
           GetSysColorBrush(selected && !disabled ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  SetBkMode(item.hDC, TRANSPARENT);
  int textColor = selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT;
  if (disabled) textColor = COLOR_GRAYTEXT;
  SetTextColor(item.hDC, GetSysColor(textColor));
  HGDIOBJ old = SelectObject(item.hDC, font);
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

}  // namespace vantrel
