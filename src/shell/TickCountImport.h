// GetTickCount widened to 64 bits: GetTickCount64 before Vista.
#pragma once

#include <cstdint>

namespace vantrel {

// The 64-bit count after previous, given the 32-bit count now read.
constexpr uint64_t WidenTick(uint64_t previous, uint32_t now) {
  uint64_t widened = (previous & ~uint64_t{0xFFFFFFFF}) | now;
  if (widened < previous) widened += uint64_t{1} << 32;  // wrapped since
  return widened;
}

}  // namespace vantrel
