#include "platform/Gdi.h"

#include <cmath>

namespace vantrel {

Font MakeFont(const FontSpec& font) {
  HDC dc = GetDC(nullptr);
  const int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
  if (dc) ReleaseDC(nullptr, dc);
  LOGFONTA lf{};
  lf.lfHeight = -static_cast<LONG>(std::lround(font.points * dpi / 72.0));
  lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  lf.lfUnderline = font.underline ? TRUE : FALSE;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = DEFAULT_QUALITY;
  lstrcpynA(lf.lfFaceName, font.face, LF_FACESIZE);
  return Font(CreateFontIndirectA(&lf));
}

}  // namespace vantrel
