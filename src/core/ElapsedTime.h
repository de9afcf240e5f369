// How long a job took, as the main window shows it in Label7: hours,
// minutes and seconds, each at least two digits, separated by ": ".
#pragma once

#include <cstdint>
#include <string>

namespace vantrel {

// "00: 01: 05" for 65,400 ms. Leftover milliseconds are cut, not rounded;
// hours grow past two digits as needed.
std::string FormatElapsed(uint32_t ms);

// Milliseconds from start to end of the system's 32-bit tick counter, also
// when the counter wrapped around in between.
uint32_t TickDifference(uint32_t start, uint32_t end);

// The start and end of one timed job, in readings of the tick counter.
struct JobClock {
  uint32_t StartTick = 0;
  uint32_t EndTick = 0;

  void Start(uint32_t now) {
    EndTick = 0;
    StartTick = now;
  }
  // Ends the timing; the elapsed time as Label7 shows it.
  std::string Stop(uint32_t now) {
    EndTick = now;
    return FormatElapsed(TickDifference(StartTick, EndTick));
  }
};

}  // namespace vantrel
