#include "core/SortedTextList.h"

#include <algorithm>
#include <utility>

namespace vantrel {

void SortedTextList::Add(Text text) {
  repeats_.clear();
  const auto at = std::upper_bound(items_.begin(), items_.end(), text);
  const int32_t index = static_cast<int32_t>(at - items_.begin());
  items_.insert(at, text);
  if (selected_ >= index) ++selected_;
}

void SortedTextList::RemoveAt(int32_t i) {
  if (i < 0 || i >= Count()) return;
  repeats_.clear();
  items_.erase(items_.begin() + i);
  if (selected_ == i) {
    selected_ = kNone;
  } else if (selected_ > i) {
    --selected_;
  }
}

void SortedTextList::Clear() noexcept {
  items_.clear();
  repeats_.clear();
  selected_ = kNone;
}

void SortedTextList::Assign(TextArray sorted, std::vector<uint8_t> repeats) noexcept {
  items_ = std::move(sorted);
  repeats_ = std::move(repeats);
  selected_ = kNone;
}

void SortedTextList::KeepDistinctNonEmpty() noexcept {
  const bool marked = HasRepeatMarks();
  size_t kept = 0;
  for (size_t i = 0; i < items_.size(); ++i) {
    const bool repeat = marked ? repeats_[i] != 0 : i > 0 && items_[i] == items_[i - 1];
    if (!repeat && !items_[i].empty()) items_[kept++] = items_[i];
  }
  items_.resize(kept);
  repeats_.clear();
  selected_ = kNone;
}

}  // namespace vantrel
