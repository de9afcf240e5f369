#include "core/Dedup.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/Editing.h"
#include "core/TextSort.h"

namespace vantrel {
namespace {

// Keeps one of each non-empty entry, sorted. Where List1 already holds the entries sorted (just
// loaded, with the sort's marks, or followed with only empty texts past it), the repeats are
// dropped in place; otherwise the entries are sorted again. Whatever takes memory comes first.
void RemoveRepeats(HostsDocument& doc) {
  const TextArray& tail = doc.Entries().Tail();
  if (doc.EntriesFollowList() &&
      std::all_of(tail.begin(), tail.end(), [](Text t) { return t.empty(); })) {
    doc.EntriesBeforeDedup = doc.TakeEntries();  // a copy: the list is about to change
    doc.List1.KeepDistinctNonEmpty();
  } else if (!doc.EntriesFollowList() && doc.List1.HasRepeatMarks()) {
    doc.List1.KeepDistinctNonEmpty();
    doc.EntriesBeforeDedup = doc.TakeEntries();
  } else {
    const bool follows = doc.EntriesFollowList();
    TextArray copy = follows ? doc.CopyEntries() : TextArray{};
    const TextArray& entries = follows ? copy : doc.Entries().Head();
    TextArray distinct = SortedTexts(entries, SortedCopy::DistinctNonEmpty);
    doc.EntriesBeforeDedup = follows ? std::move(copy) : doc.TakeEntries();
    doc.List1.Assign(std::move(distinct));
  }
  doc.FollowList({});
}

}  // namespace

void RemoveDuplicatesJob(HostsDocument& doc, DocumentUi& ui) {
  ui.SetJobCaption("Removing Duplicate Host File Entries...");
  ui.StartTiming();
  const int32_t before = doc.List1.Count();
  // Made before anything changes: after that, nothing may fail.
  const std::string armedUndo = "Undo Remove Duplicates";
  RemoveRepeats(doc);
  const int32_t count = doc.List1.Count();
  ui.SetProgress(0);
  ui.SetProgressMax(count);
  ui.SetBusy(true);

  if (count >= 1) {
    const int32_t removed = before - count;
    doc.LastAction = removed < 1 ? kActionNone : kActionRemoveDuplicates;
    if (removed >= 1) ++doc.ChangeCount;

    ui.EnableEntryList();
    ShowProgressThrough(ui, count);
    ui.SetCounts(std::to_string(before), std::to_string(removed), std::to_string(count));
    if (removed < 1) {
      ui.SetUndo(kUndoCaption, false);
    } else {
      ui.SetUndo(armedUndo, true);
    }
  } else {
    ui.Tell("No Host Listings Found", "Nothing Found in File or Incorrect File Type",
            Icon::Critical);
  }

  ui.SetBusy(false);
  ui.TimeControl();
  if (before > 0 || doc.List1.Count() > 0) ui.EntriesChanged();
}

void UndoRemoveDuplicatesJob(HostsDocument& doc, DocumentUi& ui) {
  ui.SetJobCaption("Undoing Remove Duplicates to Host File Entries...");
  ui.SetBusy(true);
  ui.StartTiming();
  const auto n = static_cast<int32_t>(doc.EntriesBeforeDedup.size());
  // Every element goes into the list, empty ones included; the list is made
  // aside, so running out of memory leaves the document as it was.
  TextArray list = SortedTexts(doc.EntriesBeforeDedup, SortedCopy::All);
  doc.SetEntries(std::exchange(doc.EntriesBeforeDedup, {}));
  doc.List1.Assign(std::move(list));
  CountUndo(doc);

  ui.SetProgressRange(0, n);
  ShowProgressThrough(ui, n);
  ui.SetUndo(kUndoCaption, false);
  ui.TimeControl();
  ui.SetBusy(false);
  ui.SetCounts("", "", "");
  ui.EntriesChanged();
}

}  // namespace vantrel
