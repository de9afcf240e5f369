#include "core/Dedup.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/Editing.h"
#include "core/TextSort.h"
#include "core/ProgressSteps.h"

namespace vantrel {
namespace {

// Moves the bar through n items as adding them to List1 one by one would
// move it.
void ShowFilling(DocumentUi& ui, int32_t n) {
  ProgressSteps progress(ui, n);
  progress.Through(n);
}

// Only the distinct values and their sorted order are kept, so sorted
// entries give both: equal texts lie side by side and all but one are left
// out. An empty host part is no entry. List1 already holds the entries
// sorted when they are in the file's order as the load left them (its
// marks say which repeat) or when they follow the list without a text of
// their own past it; then the repeats are dropped where they are.
// Otherwise the entries are sorted. Everything that takes memory comes
// first: once the document starts changing, nothing can fail.
void RemoveRepeats(HostsDocument& doc) {
  const std::vector<Text>& tail = doc.Entries().Tail();
  if (doc.EntriesFollowList() &&
      std::all_of(tail.begin(), tail.end(), [](Text t) { return t.empty(); })) {
    doc.EntriesBeforeDedup = doc.TakeEntries();  // a copy: the list is about to change
    doc.List1.KeepDistinctNonEmpty();
  } else if (!doc.EntriesFollowList() && doc.List1.HasRepeatMarks()) {
    doc.List1.KeepDistinctNonEmpty();
    doc.EntriesBeforeDedup = doc.TakeEntries();
  } else {
    const bool follows = doc.EntriesFollowList();
    std::vector<Text> copy = follows ? doc.CopyEntries() : std::vector<Text>{};
    const std::vector<Text>& entries = follows ? copy : doc.Entries().Head();
    std::vector<Text> distinct = SortedTexts(entries, SortedCopy::DistinctNonEmpty);
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
  // Made before anything changes: once the document has changed, nothing
  // may fail.
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
    ShowFilling(ui, count);
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
  // Every element goes into the list, an empty one included, so the list
  // shows exactly what the removal took away. The list is made aside: until
  // it is complete, the document is as it was.
  std::vector<Text> list = SortedTexts(doc.EntriesBeforeDedup, SortedCopy::All);
  doc.SetEntries(std::move(doc.EntriesBeforeDedup));
  doc.EntriesBeforeDedup = {};
  doc.List1.Assign(std::move(list));
  CountUndo(doc);

  ui.SetProgressRange(0, n);
  ShowFilling(ui, n);
  ui.SetUndo(kUndoCaption, false);
  ui.TimeControl();
  ui.SetBusy(false);
  ui.SetCounts("", "", "");
  ui.EntriesChanged();
}

}  // namespace vantrel
