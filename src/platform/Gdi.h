// Owning wrappers for GDI objects, and the fonts the windows use.
#pragma once

#include <windows.h>

#include <cmath>
#include <memory>
#include <type_traits>

#include "platform/Twips.h"

namespace vantrel {

// Owns a GDI object and deletes it.
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
