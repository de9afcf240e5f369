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
    ui_.SetProgress(value);
  }

 private:
  int32_t StepOf(int32_t value) const {
    return static_cast<int32_t>(static_cast<int64_t>(value) * kSteps / maximum_);
  }

  DocumentUi& ui_;
  int32_t maximum_;
  int32_t shown_ = 0;  // the bar starts at 0
};

}  // namespace vantrel
