// The entry list as the user sees it: texts kept in ascending byte order with
// one selected item. It is the order of record once the entries were edited;
// the window shows it through a virtual list box. Items are numbered from 0.
#pragma once

#include <cstdint>

#include "core/BigPages.h"
#include "core/OneBased.h"
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

  // Puts text at its sorted place (after any equal items); returns its index.
  int32_t Add(Text text);
  void RemoveAt(int32_t i);
  void Clear();

  // Many texts at once: append them in any order, then sort once.
  void Append(Text text) {
    mirrorOf_ = 0;
    items_.push_back(text);
  }
  void Reserve(size_t n) { items_.reserve(n); }
  void Sort();
  // Takes texts already in ascending byte order as the whole list.
  void Assign(BigVector<Text> sorted);
  // The same, for sorted holding exactly the non-empty texts of entries:
  // remembered until the list or entries change, so that a later job can
  // take the sorted entries from the list instead of sorting them again.
  void AssignMirror(BigVector<Text> sorted, OneBased<Text>& entries);
  // True while the list still holds the non-empty texts of entries, sorted,
  // as AssignMirror left it.
  bool Mirrors(const OneBased<Text>& entries) const {
    return mirrorOf_ != 0 && entries.Stamp() == mirrorOf_;
  }
  // Hands the items over and leaves the list empty.
  BigVector<Text> TakeItems();

  int32_t Selected() const { return selected_; }
  // Selects item i, or nothing for kNone or an index outside the list.
  void Select(int32_t i) { selected_ = (i >= 0 && i < Count()) ? i : kNone; }

  const BigVector<Text>& Items() const { return items_; }

 private:
  BigVector<Text> items_;
  int32_t selected_ = kNone;
  uint64_t mirrorOf_ = 0;  // the stamp of the entries it mirrors, or 0
};

}  // namespace vantrel
