#include "core/ElapsedTime.h"

namespace vantrel {
namespace {

constexpr uint32_t kMsPerHour = 3600000;
constexpr uint32_t kMsPerMinute = 60000;
constexpr uint32_t kMsPerSecond = 1000;

// At least two digits, zero-padded.
std::string TwoDigits(uint32_t n) {
  std::string text = std::to_string(n);
  if (text.size() < 2) text.insert(0, 2 - text.size(), '0');
  return text;
}

}  // namespace

std::string FormatElapsed(uint32_t ms) {
  const uint32_t hours = ms / kMsPerHour;
  ms -= hours * kMsPerHour;
  const uint32_t minutes = ms / kMsPerMinute;
  ms -= minutes * kMsPerMinute;
  const uint32_t seconds = ms / kMsPerSecond;
  return TwoDigits(hours) + ": " + TwoDigits(minutes) + ": " + TwoDigits(seconds);
}

uint32_t TickDifference(uint32_t start, uint32_t end) {
  // Unsigned subtraction is taken modulo 2^32, which is exactly the wrap of
  // the counter.
  return end - start;
}

}  // namespace vantrel
