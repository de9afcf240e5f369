#include "core/SortedTextList.h"

#include <algorithm>
#include <utility>

#include "core/TextSort.h"

namespace vantrel {

int32_t SortedTextList::Add(Text text) {
  Unmirror();
  std::vector<Text>& items = items_.Own(items_.Read().size() + 1);
  const auto at = std::upper_bound(items.begin(), items.end(), text);
  const int32_t index = static_cast<int32_t>(at - items.begin());
  items.insert(at, text);
  if (selected_ >= index) ++selected_;
  return index;
}

void SortedTextList::RemoveAt(int32_t i) {
  if (i < 0 || i >= Count()) return;
  Unmirror();
  std::vector<Text>& items = items_.Own();
  items.erase(items.begin() + i);
  if (selected_ == i) {
    selected_ = kNone;
  } else if (selected_ > i) {
    --selected_;
  }
}

void SortedTextList::Clear() {
  Unmirror();
  items_.Clear();
  selected_ = kNone;
}

void SortedTextList::Sort() {
  Unmirror();
  items_.Assign(SortedTexts(items_.Read(), SortedCopy::All));
  selected_ = kNone;
}

void SortedTextList::Assign(std::vector<Text> sorted) {
  Unmirror();
  items_.Assign(std::move(sorted));
  selected_ = kNone;
}

void SortedTextList::AssignShared(const OneBased<Text>& sorted) {
  Unmirror();
  items_.Share(sorted.Storage());
  selected_ = kNone;
}

void SortedTextList::AssignSharedMirror(OneBased<Text>& entries, std::vector<bool> repeats) {
  AssignShared(entries);
  Mirror(entries, std::move(repeats));
}

void SortedTextList::AssignMirror(MarkedTexts sorted, OneBased<Text>& entries) {
  Assign(std::move(sorted.texts));
  Mirror(entries, std::move(sorted.repeats));
}

void SortedTextList::Mirror(OneBased<Text>& entries, std::vector<bool> repeats) {
  repeats_ = std::move(repeats);
  mirrorOf_ = entries.Restamp();
}

std::vector<Text> SortedTextList::TakeItems() {
  std::vector<Text> items = items_.Take();
  Clear();
  return items;
}

MarkedTexts SortedTextList::TakeMarked() {
  MarkedTexts taken;
  taken.texts = items_.Take();
  taken.repeats = std::move(repeats_);
  Clear();
  return taken;
}

}  // namespace vantrel
