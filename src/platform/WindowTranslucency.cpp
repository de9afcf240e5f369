#include "platform/WindowTranslucency.h"

#include <algorithm>

#include "platform/WindowsCheck.h"

namespace vantrel {

namespace {

LONG_PTR ReadExStyle(HWND window) { return GetWindowLongPtrA(window, GWL_EXSTYLE); }

// SetWindowLongPtrA returns the previous value, which is 0 for a window
// without extended styles; only the last error tells that apart from a
// failure.
bool WriteExStyle(HWND window, LONG_PTR style) {
  SetLastError(0);
  return SetWindowLongPtrA(window, GWL_EXSTYLE, style) != 0 || GetLastError() == 0;
}

}  // namespace

WindowTranslucency::WindowTranslucency() : WindowTranslucency(ReadVersionRecord().dwMajorVersion) {}

WindowTranslucency::WindowTranslucency(DWORD majorVersion) : supported_(majorVersion > 4) {}

WindowTranslucency::~WindowTranslucency() { RemoveLayering(hwnd_); }

// In its own mode a value the window refuses is not kept; from another mode
// the value is kept and the window switches to that mode.
void WindowTranslucency::SetAlpha(uint8_t alpha) {
  if (!supported_) return;
  if (mode_ == TranslucencyMode::Alpha && !SetLayeredWindowAttributes(hwnd_, 0, alpha, LWA_ALPHA)) {
    return;
  }
  alpha_ = alpha;
  if (mode_ != TranslucencyMode::Alpha) SetMode(TranslucencyMode::Alpha);
}

// The value passed in is kept, not the colour it resolves to now.
void WindowTranslucency::SetColorKey(COLORREF color) {
  if (!supported_) return;
  if (mode_ == TranslucencyMode::ColorKey &&
      !SetLayeredWindowAttributes(hwnd_, ResolveColor(color), 0, LWA_COLORKEY)) {
    return;
  }
  colorKey_ = color;
  if (mode_ != TranslucencyMode::ColorKey) SetMode(TranslucencyMode::ColorKey);
}

void WindowTranslucency::Attach(HWND window) {
  if (!supported_) return;
  RemoveLayering(hwnd_);
  hwnd_ = window;
  AttachLayering(window);
}

void WindowTranslucency::SetMode(TranslucencyMode mode) {
  if (mode == TranslucencyMode::Off) {
    mode_ = TranslucencyMode::Off;
    RemoveLayering(hwnd_);
    return;
  }
  if (mode == TranslucencyMode::ColorKey || mode == TranslucencyMode::Alpha) {
    mode_ = mode;
    ApplyMode(hwnd_);
  }
}

// Bit 31 marks a system colour, whose index is in the low bits.
COLORREF WindowTranslucency::ResolveColor(COLORREF color) const {
  if (color & 0x80000000u) return GetSysColor(static_cast<int>(color & 0x7FFFFFFFu));
  return color;
}

bool WindowTranslucency::RemoveLayering(HWND window) {
  if (!window) return false;
  // Fully opaque first, so the window does not flash as the style goes.
  SetLayeredWindowAttributes(window, 0, 255, LWA_ALPHA);
  return WriteExStyle(window, ReadExStyle(window) & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
}

bool WindowTranslucency::AttachLayering(HWND window) {
  if (!window) return false;
  if (!WriteExStyle(window, ReadExStyle(window) | WS_EX_LAYERED)) return false;
  // A layered window without attributes is not drawn at all: start opaque,
  // in alpha form, whatever the mode.
  alpha_ = 255;
  return SetLayeredWindowAttributes(window, 0, 255, LWA_ALPHA) != 0;
}

bool WindowTranslucency::ApplyMode(HWND window) {
  if (!window || mode_ == TranslucencyMode::Off) return false;
  const LONG_PTR style = ReadExStyle(window);
  // Dropping the style and setting it again discards the previous
  // attributes.
  if (!WriteExStyle(window, style & ~static_cast<LONG_PTR>(WS_EX_LAYERED))) return false;
  if (!WriteExStyle(window, style | WS_EX_LAYERED)) return false;
  if (mode_ == TranslucencyMode::ColorKey) {
    return SetLayeredWindowAttributes(window, ResolveColor(colorKey_), 0, LWA_COLORKEY) != 0;
  }
  return SetLayeredWindowAttributes(window, 0, alpha_, LWA_ALPHA) != 0;
}

uint8_t TransparencyAlpha(int percent) {
  const int clamped = std::clamp(percent, 0, 100);
  return static_cast<uint8_t>((255 * (100 - clamped) + 50) / 100);
}

}  // namespace vantrel
