#include "core/Parallel.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <string>
#include <vector>

namespace vantrel {
namespace {

TEST(RunPieces, EveryPieceOnceAndAFailureComesBack) {
  std::vector<std::atomic<int>> calls(1000);
  RunPieces(calls.size(), [&](size_t i) { ++calls[i]; });
  for (const auto& c : calls) EXPECT_EQ(c.load(), 1);

  std::atomic<int> ran{0};
  EXPECT_THROW(RunPieces(200,
                         [&](size_t i) {
                           ++ran;
                           if (i == 3) throw std::runtime_error("piece 3");
                         }),
               std::runtime_error);
  EXPECT_GE(ran.load(), 1);
}

// Parts are used in order, each after it was made into its own slot, and a
// slot is not made over before its part was used.
TEST(RunInOrder, UsesEveryPartInOrderFromItsSlot) {
  constexpr size_t kParts = 500;
  constexpr size_t kSlots = 3;
  std::vector<size_t> slots(kSlots, kParts);
  std::vector<size_t> order;
  EXPECT_TRUE(RunInOrder(
      kParts, kSlots, [&](size_t part, size_t slot) { slots[slot] = part; },
      [&](size_t part, size_t slot) {
        EXPECT_EQ(slots[slot], part);
        order.push_back(part);
        return true;
      }));
  ASSERT_EQ(order.size(), kParts);
  for (size_t i = 0; i < kParts; ++i) EXPECT_EQ(order[i], i);
}

TEST(RunInOrder, StopsWhenUseSaysSoOrAPartFails) {
  std::vector<size_t> used;
  EXPECT_FALSE(RunInOrder(
      100, 4, [](size_t, size_t) {},
      [&](size_t part, size_t) {
        used.push_back(part);
        return part < 10;
      }));
  EXPECT_EQ(used.size(), 11u);

  used.clear();
  EXPECT_THROW(RunInOrder(
                   100, 4,
                   [](size_t part, size_t) {
                     if (part == 20) throw std::runtime_error("part 20");
                   },
                   [&](size_t part, size_t) {
                     used.push_back(part);
                     return true;
                   }),
               std::runtime_error);
  EXPECT_LE(used.size(), 20u);

  EXPECT_THROW(RunInOrder(
                   100, 4, [](size_t, size_t) {},
                   [](size_t part, size_t) -> bool {
                     if (part == 5) throw std::runtime_error("use 5");
                     return true;
                   }),
               std::runtime_error);
}

}  // namespace
}  // namespace vantrel
