// Moves the wait window's progress bar through a job of many elements
// without asking the window to repaint a million times: a value is passed on
// only when the bar would show it differently (one percent of the range),
// and the last element always is.
#pragma once

#include <cstdint>

#include "core/DocumentUi.h"

namespace vantrel {

class ProgressSteps {
 public:
  static constexpr int32_t kSteps = 100;

  ProgressSteps(DocumentUi& ui, int32_t maximum) : ui_(ui), maximum_(maximum) {}

  // Element `value` (1 to maximum) is done.
  void Done(int32_t value) {
    if (maximum_ <= 0) return;
    const int32_t step = StepOf(value);
    if (step == shown_ && value != maximum_) return;
    shown_ = step;
    done_ = value;
    ui_.SetProgress(value);
  }

  // Elements 1 to last are done, one after the other: the bar gets the same
  // values as from Done(1), Done(2) ... Done(last), without the walk.
  void Through(int32_t last) {
    for (int32_t step = shown_ + 1; step <= kSteps; ++step) {
      // The first value that reaches this step.
      const auto value =
          static_cast<int32_t>((static_cast<int64_t>(step) * maximum_ + kSteps - 1) / kSteps);
      if (value > last) break;
      if (value > done_) Done(value);
    }
    if (last == maximum_ && done_ < last) Done(last);
  }

 private:
  int32_t StepOf(int32_t value) const {
    return static_cast<int32_t>(static_cast<int64_t>(value) * kSteps / maximum_);
  }

  DocumentUi& ui_;
  int32_t maximum_;
  int32_t shown_ = 0;  // the bar starts at 0
  int32_t done_ = 0;   // the last value passed on
};

}  // namespace vantrel
