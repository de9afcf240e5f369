// Window geometry is laid out in twips (1440 to the inch) and turned into
// pixels through the display's DPI: 15 twips per pixel at 96 DPI.
#pragma once

#include <windows.h>

namespace vantrel {

struct ScreenDpi {
  int x = 96;
  int y = 96;
};

inline ScreenDpi ReadScreenDpi() {
  ScreenDpi dpi;
  HDC dc = GetDC(nullptr);
  if (!dc) return dpi;
  dpi.x = GetDeviceCaps(dc, LOGPIXELSX);
  dpi.y = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  return dpi;
}

inline int TwipsToPixelsX(int twips) { return MulDiv(twips, ReadScreenDpi().x, 1440); }
inline int TwipsToPixelsY(int twips) { return MulDiv(twips, ReadScreenDpi().y, 1440); }

}  // namespace vantrel
