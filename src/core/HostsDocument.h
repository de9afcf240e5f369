// The hosts document: the in-memory form of one opened hosts file, owned by the main window.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/SortedTextList.h"
#include "core/TextStore.h"

namespace vantrel {

// What the last undoable action was.
enum LastActionKind : int32_t {
  kActionNone = 0,
  kActionAdd = 1,
  kActionChange = 2,
  kActionDelete = 3,
  kActionRemoveDuplicates = 4,
};

// The entries in the order of record, read as one array made of two: a
// head, then a tail. Numbered from 0.
class EntriesView {
 public:
  EntriesView(const TextArray& head, const TextArray& tail) : head_(head), tail_(tail) {}

  int32_t Count() const { return static_cast<int32_t>(head_.size() + tail_.size()); }
  bool Empty() const { return head_.empty() && tail_.empty(); }
  Text operator[](size_t i) const { return i < head_.size() ? head_[i] : tail_[i - head_.size()]; }
  const TextArray& Head() const { return head_; }
  const TextArray& Tail() const { return tail_; }

 private:
  const TextArray& head_;
  const TextArray& tail_;
};

// Entries, the order of record (what is written and what `dump` prints), is an array of its own
// after a load or an undone removal, and otherwise List1's items followed by a tail, which is empty
// unless the file had entries with empty host parts: so the entries are never held twice.
class HostsDocument {
 public:
  TextStore Texts;  // the bytes every Text of the document points into
  SortedTextList List1;
  TextArray Comments;  // comment items exactly as read
  // For comment c, its 1-based position among the non-blank items of the file.
  std::vector<int32_t> CommentPositions;
  int32_t LineCount = 0;    // items of the file, blank ones included; 0 = nothing loaded
  int32_t ChangeCount = 0;  // unsaved changes; 1 or more counts as unsaved
  int32_t LastAction = kActionNone;
  int32_t LoadedEntryCount = 0;  // EntryCount as the file was loaded
  int32_t ExitPending = 0;
  bool Utf8Bom = false;  // the file began with a UTF-8 byte-order mark; saving keeps it
  std::string HostsPath;
  TextArray EntriesBeforeDedup;  // what the last removal of duplicates took
  std::string UndoAddedEntry;
  std::string UndoOldEntry;
  std::string UndoNewEntry;
  std::string UndoDeletedEntry;

  EntriesView Entries() const {
    return followsList_ ? EntriesView(List1.Items(), entries_) : EntriesView(entries_, kNoTexts);
  }
  int32_t EntryCount() const { return Entries().Count(); }
  int32_t CommentCount() const { return static_cast<int32_t>(Comments.size()); }
  bool EntriesFollowList() const { return followsList_; }

  // Entries becomes an array of its own; List1's marks no longer describe it.
  void SetEntries(TextArray entries) noexcept {
    entries_ = std::move(entries);
    followsList_ = false;
    List1.DropRepeatMarks();
  }
  // Entries becomes List1's items, then tail.
  void FollowList(TextArray tail) noexcept {
    entries_ = std::move(tail);
    followsList_ = true;
  }
  // Entries as one array of its own.
  TextArray CopyEntries() const {
    const EntriesView entries = Entries();
    TextArray copy(entries.Head());
    copy.insert(copy.end(), entries.Tail().begin(), entries.Tail().end());
    return copy;
  }
  // Hands Entries over as one array and leaves it empty. Copies first when it follows the list, so
  // running out of memory leaves the document as it was.
  TextArray TakeEntries() {
    TextArray taken = followsList_ ? CopyEntries() : std::move(entries_);
    SetEntries({});
    return taken;
  }

 private:
  static inline const TextArray kNoTexts;

  TextArray entries_;  // the whole array, or the tail after List1's items
  bool followsList_ = false;
};

}  // namespace vantrel
