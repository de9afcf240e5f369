// Window geometry is laid out in twips (1440 to the inch) and turned into
// pixels through the display's DPI: 15 twips per pixel at 96 DPI.
#pragma once

#include <windows.h>

namespace vantrel {

// The screen's DPI along x (LOGPIXELSX) or y (LOGPIXELSY); 96 without a
// screen.
inline int ScreenDpi(int axis) {
  HDC dc = GetDC(nullptr);
  if (!dc) return 96;
  const int dpi = GetDeviceCaps(dc, axis);
  ReleaseDC(nullptr, dc);
  return dpi;
}

inline int TwipsToPixelsX(int twips) { return MulDiv(twips, ScreenDpi(LOGPIXELSX), 1440); }
inline int TwipsToPixelsY(int twips) { return MulDiv(twips, ScreenDpi(LOGPIXELSY), 1440); }

}  // namespace vantrel
