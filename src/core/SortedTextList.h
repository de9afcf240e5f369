// The entry list as the user sees it: texts kept in ascending byte order with
// one selected item. It is the order of record once the entries were edited;
// the window shows it through a virtual list box. Items are numbered from 0.
#pragma once

#include <cstdint>
#include <vector>

#include "core/CowVector.h"
#include "core/OneBased.h"
#include "core/TextSort.h"
#include "core/TextStore.h"

namespace vantrel {

class SortedTextList {
 public:
  static constexpr int32_t kNone = -1;

  int32_t Count() const { return static_cast<int32_t>(items_.Read().size()); }
  // Item i; an index at or past the end (or below 0) reads as the empty text.
  Text Item(int32_t i) const {
    return i >= 0 && i < Count() ? items_.Read()[static_cast<size_t>(i)] : Text{};
  }

  // Puts text at its sorted place (after any equal items); returns its index.
  int32_t Add(Text text);
  void RemoveAt(int32_t i);
  void Clear();

  // Many texts at once: append them in any order, then sort once.
  void Append(Text text) {
    Unmirror();
    items_.Own().push_back(text);
  }
  void Reserve(size_t n) { items_.Own(n).reserve(n); }
  void Sort();
  // Takes texts already in ascending byte order as the whole list.
  void Assign(std::vector<Text> sorted);
  // The same, for sorted holding exactly the non-empty texts of entries,
  // with repeats marking each item equal to the one before it: remembered
  // until the list or entries change, so that a later job can take the
  // sorted entries from the list instead of sorting them again.
  void AssignMirror(MarkedTexts sorted, OneBased<Text>& entries);
  // Takes the texts of sorted, already in ascending byte order, as the whole
  // list without copying them: the list and sorted use one array until
  // either is changed.
  void AssignShared(const OneBased<Text>& sorted);
  // AssignShared and AssignMirror in one: entries holds exactly its own
  // non-empty texts, sorted, and becomes what the list mirrors.
  void AssignSharedMirror(OneBased<Text>& entries, std::vector<bool> repeats);
  // True while the list still holds the non-empty texts of entries, sorted,
  // as AssignMirror left it.
  bool Mirrors(const OneBased<Text>& entries) const {
    return mirrorOf_ != 0 && entries.Stamp() == mirrorOf_;
  }
  // While Mirrors: for each item, whether it equals the one before it.
  const std::vector<bool>& Repeats() const { return repeats_; }
  // Hands the items over and leaves the list empty.
  std::vector<Text> TakeItems();
  // The same, with the repeat marks while it mirrors. Should the items have
  // to be copied (another owner holds them too) and memory run out, the list
  // stays as it was.
  MarkedTexts TakeMarked();

  int32_t Selected() const { return selected_; }
  // Selects item i, or nothing for kNone or an index outside the list.
  void Select(int32_t i) { selected_ = (i >= 0 && i < Count()) ? i : kNone; }

  const std::vector<Text>& Items() const { return items_.Read(); }

 private:
  // Remembers that the list now holds the non-empty texts of entries,
  // sorted, with repeats marking each item equal to the one before it.
  void Mirror(OneBased<Text>& entries, std::vector<bool> repeats);
  void Unmirror() {
    mirrorOf_ = 0;
    repeats_ = {};
  }

  CowVector<Text> items_;
  int32_t selected_ = kNone;
  uint64_t mirrorOf_ = 0;      // the stamp of the entries it mirrors, or 0
  std::vector<bool> repeats_;  // while it mirrors them
};

}  // namespace vantrel
