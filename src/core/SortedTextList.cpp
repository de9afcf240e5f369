#include "core/SortedTextList.h"

#include <algorithm>

#include "core/TextSort.h"

namespace vantrel {

int32_t SortedTextList::Add(Text text) {
  Unmirror();
  const auto at = std::upper_bound(items_.begin(), items_.end(), text);
  const int32_t index = static_cast<int32_t>(at - items_.begin());
  items_.insert(at, text);
  if (selected_ >= index) ++selected_;
  return index;
}

void SortedTextList::RemoveAt(int32_t i) {
  if (i < 0 || i >= Count()) return;
  Unmirror();
  items_.erase(items_.begin() + i);
  if (selected_ == i) {
    selected_ = kNone;
  } else if (selected_ > i) {
    --selected_;
  }
}

void SortedTextList::Clear() {
  Unmirror();
  items_.clear();
  selected_ = kNone;
}

void SortedTextList::Sort() {
  Unmirror();
  items_ = SortedTexts(items_, SortedCopy::All);
  selected_ = kNone;
}

void SortedTextList::Assign(BigVector<Text> sorted) {
  Unmirror();
  items_ = std::move(sorted);
  selected_ = kNone;
}

void SortedTextList::AssignMirror(MarkedTexts sorted, OneBased<Text>& entries) {
  Assign(std::move(sorted.texts));
  repeats_ = std::move(sorted.repeats);
  mirrorOf_ = entries.Restamp();
}

BigVector<Text> SortedTextList::TakeItems() {
  BigVector<Text> items = std::move(items_);
  Clear();
  return items;
}

}  // namespace vantrel
