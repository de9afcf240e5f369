#include "core/ElapsedTime.h"

#include <gtest/gtest.h>

#include <tuple>

namespace vantrel {
namespace {

TEST(FormatElapsed, CutsToWholeSecondsWithTwoDigitFields) {
  EXPECT_EQ(FormatElapsed(0), "00: 00: 00");
  EXPECT_EQ(FormatElapsed(999), "00: 00: 00");
  EXPECT_EQ(FormatElapsed(1000), "00: 00: 01");
  EXPECT_EQ(FormatElapsed(59999), "00: 00: 59");
  EXPECT_EQ(FormatElapsed(60000), "00: 01: 00");
  EXPECT_EQ(FormatElapsed(65400), "00: 01: 05");
  EXPECT_EQ(FormatElapsed(3599999), "00: 59: 59");
  EXPECT_EQ(FormatElapsed(3600000), "01: 00: 00");
  EXPECT_EQ(FormatElapsed(36610000), "10: 10: 10");
}

TEST(FormatElapsed, HoursGrowPastTwoDigits) {
  EXPECT_EQ(FormatElapsed(99u * 3600000u + 3599999u), "99: 59: 59");
  EXPECT_EQ(FormatElapsed(100u * 3600000u), "100: 00: 00");
  EXPECT_EQ(FormatElapsed(4294967295u), "1193: 02: 47");
}

TEST(JobClock, SurvivesTheCounterWrapping) {
  for (const auto& [start, end, shown] : {std::tuple{1000u, 66400u, "00: 01: 05"},
                                          {4294967295u - 500, 64899u, "00: 01: 05"},
                                          {4294967000u, 704u, "00: 00: 01"},
                                          {7u, 7u, "00: 00: 00"}}) {
    EXPECT_EQ(JobClock(start).Elapsed(end), shown) << start;
  }
}

}  // namespace
}  // namespace vantrel
