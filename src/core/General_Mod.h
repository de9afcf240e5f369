// The hosts document: the in-memory form of one opened hosts file. There is
// one per process; the main window owns it and every operation works on it
// directly. Counters, indexes and positions are 32-bit: block lists hold
// hundreds of thousands of entries.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/OneBased.h"
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

// The job that the wait window runs when it is next shown.
enum WaitJobKind : int32_t {
  kJobNone = 0,
  kJobLoadLists = 1,
  kJobRemoveDuplicates = 5,
  kJobUndoRemoveDuplicates = 6,
};

// The shared module state read and written by the main window, the wait
// window and the Save Options dialog.
struct General_Mod {
  OneBased<Text> Entries;   // host parts, file order after a load
  int32_t EntryCount = 0;   // always Entries.Count()
  OneBased<Text> Comments;  // comment items exactly as read
  int32_t CommentCount = 0;
  int32_t LineCount = 0;    // items of the file, blank ones included; 0 = nothing loaded
  int32_t ChangeCount = 0;  // unsaved changes; 1 or more counts as unsaved
  int32_t LastAction = kActionNone;
  OneBased<Text> EntriesBeforeDedup;
  int32_t WaitJob = kJobNone;
};

inline constexpr const char* kNoCommentsFound = "No Comments Found";

// The document together with the parts of it that the main window holds,
// its two lists included: List1 is the order of record once entries were
// edited, and the writer reads List_Comments.
struct HostsDocument : General_Mod {
  TextStore Texts;  // the bytes every Text of the document points into
  SortedTextList List1;
  std::vector<Text> List_Comments;  // comments, or the one placeholder item
  std::string HostsPath;
  // For comment c, its 1-based position among the non-blank items of the file.
  OneBased<int32_t> CommentPositions;
  int32_t LoadedEntryCount = 0;  // EntryCount as the file was loaded
  bool Utf8Bom = false;          // the file began with a UTF-8 byte-order mark; saving keeps it
  std::string UndoAddedEntry;
  std::string UndoOldEntry;
  std::string UndoNewEntry;
  std::string UndoDeletedEntry;
  int32_t ExitPending = 0;
};

}  // namespace vantrel
