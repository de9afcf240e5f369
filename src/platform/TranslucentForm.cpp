#include "platform/TranslucentForm.h"

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

CTranslucentForm::CTranslucentForm() : CTranslucentForm(ReadVersionRecord().dwMajorVersion) {}

CTranslucentForm::CTranslucentForm(DWORD majorVersion) : supported_(majorVersion > 4) {}

CTranslucentForm::~CTranslucentForm() { RemoveLayering(hwnd_); }

// In its own mode a value the window refuses is not kept; from another mode
// the value is kept and the window switches to that mode.
void CTranslucentForm::Alpha(uint8_t alpha) {
  if (!supported_) return;
  if (mode_ == kModeAlpha && !SetLayeredWindowAttributes(hwnd_, 0, alpha, LWA_ALPHA)) return;
  alpha_ = alpha;
  if (mode_ != kModeAlpha) Mode(kModeAlpha);
}

// The value passed in is kept, not the colour it resolves to now.
void CTranslucentForm::ColorKey(COLORREF color) {
  if (!supported_) return;
  if (mode_ == kModeColorKey &&
      !SetLayeredWindowAttributes(hwnd_, ResolveColor(color), 0, LWA_COLORKEY)) {
    return;
  }
  colorKey_ = color;
  if (mode_ != kModeColorKey) Mode(kModeColorKey);
}

void CTranslucentForm::hwnd(HWND window) {
  if (!supported_) return;
  RemoveLayering(hwnd_);
  hwnd_ = window;
  AttachLayering(window);
}

void CTranslucentForm::Mode(int32_t mode) {
  if (mode == kModeOff) {
    mode_ = kModeOff;
    RemoveLayering(hwnd_);
    return;
  }
  if (mode == kModeColorKey || mode == kModeAlpha) {
    mode_ = mode;
    ApplyMode(hwnd_);
  }
}

// Bit 31 marks a system colour, whose index is in the low bits.
COLORREF CTranslucentForm::ResolveColor(COLORREF color) const {
  if (color & 0x80000000u) return GetSysColor(static_cast<int>(color & 0x7FFFFFFFu));
  return color;
}

bool CTranslucentForm::RemoveLayering(HWND window) {
  if (!window) return false;
  // Fully opaque first, so the window does not flash as the style goes.
  SetLayeredWindowAttributes(window, 0, 255, LWA_ALPHA);
  return WriteExStyle(window, ReadExStyle(window) & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
}

bool CTranslucentForm::AttachLayering(HWND window) {
  if (!window) return false;
  if (!WriteExStyle(window, ReadExStyle(window) | WS_EX_LAYERED)) return false;
  // A layered window without attributes is not drawn at all: start opaque,
  // in alpha form, whatever the mode.
  alpha_ = 255;
  return SetLayeredWindowAttributes(window, 0, 255, LWA_ALPHA) != 0;
}

bool CTranslucentForm::ApplyMode(HWND window) {
  if (!window || mode_ == kModeOff) return false;
  const LONG_PTR style = ReadExStyle(window);
  // Dropping the style and setting it again discards the previous
  // attributes.
  if (!WriteExStyle(window, style & ~static_cast<LONG_PTR>(WS_EX_LAYERED))) return false;
  if (!WriteExStyle(window, style | WS_EX_LAYERED)) return false;
  if (mode_ == kModeColorKey) {
    return SetLayeredWindowAttributes(window, ResolveColor(colorKey_), 0, LWA_COLORKEY) != 0;
  }
  return SetLayeredWindowAttributes(window, 0, alpha_, LWA_ALPHA) != 0;
}

uint8_t TransparencyAlpha(int percent) {
  const int clamped = std::clamp(percent, 0, 100);
  return static_cast<uint8_t>((255 * (100 - clamped) + 50) / 100);
}

}  // namespace vantrel
