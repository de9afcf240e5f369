// Makes one window uniformly translucent (alpha mode) or one of its colours
// fully transparent (colour-key mode) through the layered-window style.
#pragma once

#include <windows.h>

#include <cstdint>

namespace vantrel {

class CTranslucentForm {
 public:
  enum : int32_t { kModeOff = 0, kModeColorKey = 1, kModeAlpha = 2 };

  // Layered windows exist from major version 5 on; this reads the platform's.
  CTranslucentForm();
  // As if the platform reported this major version.
  explicit CTranslucentForm(DWORD majorVersion);
  ~CTranslucentForm();
  CTranslucentForm(const CTranslucentForm&) = delete;
  CTranslucentForm& operator=(const CTranslucentForm&) = delete;

  // Opacity in alpha mode: 255 opaque, 0 invisible.
  void Alpha(uint8_t alpha);
  uint8_t Alpha() const { return alpha_; }

  // The colour made transparent in colour-key mode.
  void ColorKey(COLORREF color);
  COLORREF ColorKey() const { return colorKey_; }

  // The window controlled; it is made layered (opaque) when set.
  void hwnd(HWND window);
  HWND hwnd() const { return hwnd_; }

  // kModeOff, kModeColorKey or kModeAlpha; other values are ignored.
  void Mode(int32_t mode);
  int32_t Mode() const { return mode_; }

  bool Supported() const { return supported_; }

 private:
  COLORREF ResolveColor(COLORREF color) const;
  bool RemoveLayering(HWND window);
  bool AttachLayering(HWND window);
  bool ApplyMode(HWND window);

  bool supported_ = false;
  HWND hwnd_ = nullptr;
  uint8_t alpha_ = 255;
  COLORREF colorKey_ = 0x80000000u | COLOR_BTNFACE;
  int32_t mode_ = kModeAlpha;
};

// The alpha that makes a window `percent` transparent: 255 * (100 - percent)
// / 100, halves rounded up (10 -> 230, 50 -> 128, 90 -> 26).
uint8_t TransparencyAlpha(int percent);

}  // namespace vantrel
