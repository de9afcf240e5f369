// The hosts document: the in-memory form of one opened hosts file, owned by the main window.
#pragma once

#include <algorithm>
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

// mnuUndo's caption while there is nothing to undo.
inline constexpr const char* kUndoCaption = "Undo";

// The last removal of duplicates as Text1, Text2 and Text3 show it: hosts before, removed, left.
// All empty after a load, a close and an undone removal.
struct RemovalCounts {
  std::string before, removed, left;
  bool operator==(const RemovalCounts&) const = default;
};

// What Entries holds past List1's items after an edit.
enum class PastTheList {
  AsBefore,  // Add, Change and their undos: Entries' own elements, as they were
  Empty,     // Delete and Undo Add: empty texts
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
  int32_t LineCount = 0;             // items of the file, blank ones included; 0 = nothing loaded
  int32_t ChangeCount = 0;           // unsaved changes; 1 or more counts as unsaved
  int32_t LastAction = kActionNone;  // kept after an undo, which disarms UndoArmed instead
  int32_t LoadedEntryCount = 0;      // EntryCount as the file was loaded
  bool Utf8Bom = false;              // the file began with a UTF-8 byte-order mark; saving keeps it
  std::string HostsPath;
  TextArray EntriesBeforeDedup;  // what the last removal of duplicates took
  std::string UndoAddedEntry;
  std::string UndoOldEntry;
  std::string UndoNewEntry;
  std::string UndoDeletedEntry;

  // What the window shows of the document besides its lists, drawn after each command.
  std::string UndoCaption = "&Undo";  // mnuUndo, as the menu is built until the first change
  bool UndoArmed = false;
  RemovalCounts Counts;
  std::string RedirectCaption;             // LabelIP, chosen when the file was read
  std::string ElapsedTime = "00: 00: 00";  // Label7: how long the last timed job took

  // The undo offers action under caption; a new action replaces the one before.
  void ArmUndo(LastActionKind action, std::string caption) noexcept {
    LastAction = action;
    UndoCaption = std::move(caption);
    UndoArmed = true;
  }
  // Nothing to undo: LastAction stays, but is no longer acted on.
  void DisarmUndo() {
    UndoCaption = kUndoCaption;
    UndoArmed = false;
  }
  // What any undo does to ChangeCount: one change fewer, but after a save the undo makes the
  // document differ from the file: one unsaved change.
  void CountUndo() { ChangeCount = ChangeCount <= 0 ? 1 : ChangeCount - 1; }
  // Back to no document. The arrays stay until the next load.
  void Close() {
    List1.Clear();
    LineCount = 0;
    HostsPath.clear();
    ChangeCount = 0;
    Counts = {};
    RedirectCaption.clear();
    DisarmUndo();
  }

  EntriesView Entries() const {
    return followsList_ ? EntriesView(List1.Items(), entries_) : EntriesView(entries_, kNoTexts);
  }
  int32_t EntryCount() const { return Entries().Count(); }
  int32_t CommentCount() const { return static_cast<int32_t>(Comments.size()); }

  // Entries becomes an array of its own; List1's marks no longer describe it.
  void SetEntries(TextArray entries) noexcept {
    entries_ = std::move(entries);
    followsList_ = false;
    List1.DropRepeatMarks();
  }
  // The rule of the entry list: after edit changes List1, Entries is List1's items, then its own
  // elements from that count on. Entries grows or shrinks by what the list gained or lost; a grown
  // one reads `appended` at its end (an Add keeps its text there). edit must take no memory: what
  // Entries keeps is copied first, so running out of memory leaves all as it was.
  template <class ListEdit>
  void EditList(PastTheList past, Text appended, ListEdit&& edit) {
    const EntriesView entries = Entries();
    const auto before = static_cast<size_t>(List1.Count());
    const auto count = static_cast<size_t>(entries.Count());
    TextArray rest;
    rest.reserve(count - std::min(before, count) + 1);
    for (size_t i = before; i < count; ++i) rest.push_back(entries[i]);
    edit(List1);
    const auto after = static_cast<size_t>(List1.Count());
    if (past == PastTheList::Empty) {
      std::fill(rest.begin(), rest.end(), Text{});
    } else if (after > before) {
      // One item more (an Add, or the undo of a Delete): room was made for it.
      rest.insert(rest.end(), after - before, appended);
      rest.erase(rest.begin(), rest.begin() + static_cast<std::ptrdiff_t>(after - before));
    }
    entries_ = std::move(rest);
    followsList_ = true;
  }
  // Entries as one array of its own.
  TextArray CopyEntries() const {
    const EntriesView entries = Entries();
    TextArray copy(entries.Head());
    copy.insert(copy.end(), entries.Tail().begin(), entries.Tail().end());
    return copy;
  }
  // Hands Entries over as one array, copied when it follows the list, and Entries becomes List1's
  // items alone; the list's marks stay, as the list does.
  TextArray TakeEntriesForList() {
    TextArray taken = followsList_ ? CopyEntries() : std::move(entries_);
    entries_ = {};
    followsList_ = true;
    return taken;
  }

 private:
  static inline const TextArray kNoTexts;

  TextArray entries_;  // the whole array, or the tail after List1's items
  bool followsList_ = false;
};

}  // namespace vantrel
