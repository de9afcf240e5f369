// Makes one window uniformly translucent (alpha mode) or one of its colours
// fully transparent (colour-key mode) through the layered-window style.
#pragma once

#include <windows.h>

#include <cstdint>

namespace vantrel {

enum class TranslucencyMode : int32_t {
  Off = 0,       // not layered at all
  ColorKey = 1,  // one colour see-through, the rest opaque
  Alpha = 2,     // the whole window equally translucent
};

class WindowTranslucency {
 public:
  // Layered windows exist from major version 5 on; this reads the platform's.
  WindowTranslucency();
  // As if the platform reported this major version.
  explicit WindowTranslucency(DWORD majorVersion);
  ~WindowTranslucency();
  WindowTranslucency(const WindowTranslucency&) = delete;
  WindowTranslucency& operator=(const WindowTranslucency&) = delete;

  // Opacity in alpha mode: 255 opaque, 0 invisible.
  void SetAlpha(uint8_t alpha);
  uint8_t Alpha() const { return alpha_; }

  // The colour made transparent in colour-key mode.
  void SetColorKey(COLORREF color);
  COLORREF ColorKey() const { return colorKey_; }

  // The window controlled; it is made layered (opaque) when attached.
  void Attach(HWND window);
  HWND Window() const { return hwnd_; }

  // A value outside the enumeration is ignored.
  void SetMode(TranslucencyMode mode);

 private:
  COLORREF ResolveColor(COLORREF color) const;
  bool RemoveLayering(HWND window);
  bool AttachLayering(HWND window);
  bool ApplyMode(HWND window);

  bool supported_ = false;
  HWND hwnd_ = nullptr;
  uint8_t alpha_ = 255;
  COLORREF colorKey_ = 0x80000000u | COLOR_BTNFACE;
  TranslucencyMode mode_ = TranslucencyMode::Alpha;
};

// The alpha that makes a window `percent` transparent: 255 * (100 - percent)
// / 100, halves rounded up (10 -> 230, 50 -> 128, 90 -> 26).
uint8_t TransparencyAlpha(int percent);

}  // namespace vantrel
