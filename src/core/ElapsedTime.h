// How long a job took, as the main window shows it in Label7: hours,
// minutes and seconds, each at least two digits, separated by ": ".
#pragma once

#include <cstdint>
#include <string>

namespace vantrel {

// "00: 01: 05" for 65,400 ms. Leftover milliseconds are cut, not rounded;
// hours grow past two digits as needed.
inline std::string FormatElapsed(uint32_t ms) {
  const auto twoDigits = [](uint32_t n) { return (n < 10 ? "0" : "") + std::to_string(n); };
  const uint32_t seconds = ms / 1000;
  return twoDigits(seconds / 3600) + ": " + twoDigits(seconds / 60 % 60) + ": " +
         twoDigits(seconds % 60);
}

// The system's millisecond tick count, which wraps to 0 after 49.7 days.
uint32_t TickCount();

// Times one job from its making.
class JobClock {
 public:
  explicit JobClock(uint32_t start = TickCount()) : start_(start) {}
  // The elapsed time as Label7 shows it. Unsigned subtraction wraps exactly as the counter does.
  std::string Elapsed(uint32_t now = TickCount()) const { return FormatElapsed(now - start_); }

 private:
  uint32_t start_;
};

}  // namespace vantrel
