// Owning wrappers for GDI objects, and the fonts the windows use.
#pragma once

#include <windows.h>

#include <cmath>
#include <utility>

#include "platform/Twips.h"

namespace vantrel {

template <class Handle>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(Handle h) : h_(h) {}
  ~GdiObject() { Reset(); }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  GdiObject(GdiObject&& other) noexcept : h_(std::exchange(other.h_, nullptr)) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    if (this != &other) {
      Reset();
      h_ = std::exchange(other.h_, nullptr);
    }
    return *this;
  }
  Handle Get() const { return h_; }
  void Reset(Handle h = nullptr) {
    if (h_) DeleteObject(h_);
    h_ = h;
  }

 private:
  Handle h_ = nullptr;
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
