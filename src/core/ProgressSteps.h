// Moves the wait window's progress bar through a job of many elements
// without asking the window to repaint a million times.
#pragma once

#include <cstdint>

#include "core/DocumentUi.h"

namespace vantrel {

// Gives the bar the values that adding n elements one by one would, where a
// value is passed on only when the bar shows it differently (one percent of
// the range): the first element of each percent.
inline void ShowProgressThrough(DocumentUi& ui, int32_t n) {
  int32_t shown = 0;
  for (int64_t percent = 1; n > 0 && percent <= 100; ++percent) {
    const auto value = static_cast<int32_t>((percent * n + 99) / 100);
    if (value == shown) continue;
    shown = value;
    ui.SetProgress(value);
  }
}

}  // namespace vantrel
