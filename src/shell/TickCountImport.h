// GetTickCount widened to 64 bits: what stands in for GetTickCount64 on
// Windows before Vista (shell/LateImports.cpp).
#pragma once

#include <cstdint>

namespace vantrel {

// The 64-bit count after previous, given the 32-bit count now read: the
// high half of previous, one more when the 32-bit count wrapped since.
constexpr uint64_t WidenTick(uint64_t previous, uint32_t now) {
  uint64_t widened = (previous & ~uint64_t{0xFFFFFFFF}) | now;
  if (widened < previous) widened += uint64_t{1} << 32;
  return widened;
}

}  // namespace vantrel
