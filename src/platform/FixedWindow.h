// Creating the program's fixed-size secondary windows: the client area is
// laid out in twips, and each window is placed by an offset in twips from
// the top-left corner of the main window's frame.
#pragma once

#include <windows.h>

#include "platform/Twips.h"

namespace vantrel {

// Screen point `dxTwips` right of and `dyTwips` below the top-left corner
// of anchor's window rectangle (of the screen's origin without an anchor).
inline POINT OffsetFromWindow(HWND anchor, int dxTwips, int dyTwips) {
  RECT r{};
  if (anchor) GetWindowRect(anchor, &r);
  return POINT{r.left + TwipsToPixelsX(dxTwips), r.top + TwipsToPixelsY(dyTwips)};
}

struct FixedWindowSpec {
  const char* className;
  const char* caption;
  DWORD style;
  DWORD exStyle;
  int clientWidth, clientHeight;  // twips
};

// The size of the window's frame around its client area.
inline SIZE FrameSize(const FixedWindowSpec& window) {
  RECT rect{0, 0, TwipsToPixelsX(window.clientWidth), TwipsToPixelsY(window.clientHeight)};
  AdjustWindowRectEx(&rect, window.style, FALSE, window.exStyle);
  return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

// Creates a window of the registered class whose client area has the given
// size, with its frame's top-left corner at `at`; `self` reaches
// BaseWindow's WM_NCCREATE.
inline HWND CreateFixedWindow(const FixedWindowSpec& window, POINT at, HWND owner, void* self) {
  const SIZE size = FrameSize(window);
  return CreateWindowExA(window.exStyle, window.className, window.caption, window.style, at.x, at.y,
                         size.cx, size.cy, owner, nullptr, GetModuleHandleA(nullptr), self);
}

}  // namespace vantrel
