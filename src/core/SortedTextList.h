// The entry list as the user sees it: texts kept in ascending byte order,
// numbered from 0, with one selected item.
#pragma once

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "core/TextStore.h"

namespace vantrel {

class SortedTextList {
 public:
  static constexpr int32_t kNone = -1;

  int32_t Count() const { return static_cast<int32_t>(items_.size()); }
  // Item i; an index at or past the end (or below 0) reads as the empty text.
  Text Item(int32_t i) const {
    return i >= 0 && i < Count() ? items_[static_cast<size_t>(i)] : Text{};
  }
  const TextArray& Items() const { return items_; }

  // Puts text at its sorted place (after any equal items). Takes no memory
  // once Reserve made room for it.
  void Add(Text text) {
    repeats_.clear();
    const auto at = std::upper_bound(items_.begin(), items_.end(), text);
    const auto index = static_cast<int32_t>(at - items_.begin());
    items_.insert(at, text);
    if (selected_ >= index) ++selected_;
  }
  void RemoveAt(int32_t i) {
    if (i < 0 || i >= Count()) return;
    repeats_.clear();
    items_.erase(items_.begin() + i);
    if (selected_ == i) {
      selected_ = kNone;
    } else if (selected_ > i) {
      --selected_;
    }
  }
  void Clear() noexcept {
    items_.clear();
    repeats_.clear();
    selected_ = kNone;
  }
  void Reserve(size_t n) { items_.reserve(n); }

  // Takes texts already in ascending byte order as the whole list, with the
  // sort's marks for the items equal to the one before them (or none).
  void Assign(TextArray sorted, std::vector<uint8_t> repeats = {}) noexcept {
    items_ = std::move(sorted);
    repeats_ = std::move(repeats);
    selected_ = kNone;
  }
  // The marks of the sort that filled the list, until the list changes.
  bool HasRepeatMarks() const { return !repeats_.empty() && repeats_.size() == items_.size(); }
  void DropRepeatMarks() noexcept { repeats_.clear(); }
  // Keeps the first of each run of equal items and drops empty ones, in place; the marks, when
  // there are any, tell the runs without a look at the texts.
  void KeepDistinctNonEmpty() noexcept {
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

  int32_t Selected() const { return selected_; }
  // Selects item i, or nothing for kNone or an index outside the list.
  void Select(int32_t i) { selected_ = (i >= 0 && i < Count()) ? i : kNone; }

 private:
  TextArray items_;
  std::vector<uint8_t> repeats_;  // 1: the item equals the one before it
  int32_t selected_ = kNone;
};

}  // namespace vantrel
