#include "shell/TickCountImport.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

TEST(TickCountImport, WidenedCountGoesOnPastEachWrapOfTheShortOne) {
  constexpr uint64_t kWrap = uint64_t{1} << 32;
  const struct {
    uint64_t previous;
    uint32_t now;
    uint64_t widened;
  } cases[] = {
      {0, 0, 0},
      {0, 1000, 1000},
      {1000, 1000, 1000},
      {0xFFFFFF00, 0xFFFFFFFF, 0xFFFFFFFF},
      // The short count wrapped since.
      {0xFFFFFF00, 5, kWrap + 5},
      {3 * kWrap + 0xFFFFFFF0, 0x10, 4 * kWrap + 0x10},
      {3 * kWrap + 7, 8, 3 * kWrap + 8},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WidenTick(c.previous, c.now), c.widened) << c.previous << " " << c.now;
  }
}

}  // namespace
}  // namespace vantrel
