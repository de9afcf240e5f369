// Owning wrappers for GDI objects, the fonts the windows use, and their
// geometry: laid out in twips (1440 to the inch) and turned into pixels
// through the display's DPI, 15 twips per pixel at 96 DPI.
#pragma once

#include <windows.h>

#include <cmath>
#include <memory>
#include <type_traits>

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

template <class Handle>
class GdiObject {
 public:
  explicit GdiObject(Handle h = nullptr) : h_(h) {}
  Handle Get() const { return h_.get(); }

 private:
  struct Delete {
    void operator()(Handle h) const { DeleteObject(h); }
  };
  std::unique_ptr<std::remove_pointer_t<Handle>, Delete> h_;
};

using Font = GdiObject<HFONT>;

struct FontDef {
  const char* face = "Tahoma";
  double points = 9.75;
  bool bold = false;
  bool underline = false;
};

// A font of the given face and point size at the screen's DPI.
inline Font MakeFont(const FontDef& font) {
  LOGFONTA lf{};
  lf.lfHeight = -static_cast<LONG>(std::lround(font.points * ScreenDpi(LOGPIXELSY) / 72.0));
  lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  lf.lfUnderline = font.underline ? TRUE : FALSE;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = DEFAULT_QUALITY;
  lstrcpynA(lf.lfFaceName, font.face, LF_FACESIZE);
  return Font(CreateFontIndirectA(&lf));
}

}  // namespace vantrel
