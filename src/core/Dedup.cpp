#include "core/Dedup.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "core/ElapsedTime.h"
#include "core/TextSort.h"

namespace vantrel {
namespace {

// Keeps one of each non-empty entry in List1, which Entries then follows, and the entries of before
// in EntriesBeforeDedup. List1 holds the texts of Entries sorted but for those past its items,
// which are merged in first. Whatever takes memory comes before any change.
void RemoveRepeats(HostsDocument& doc) {
  const TextArray missing = SortedTexts(doc.Entries().Tail(), SortedCopy::NonEmpty);
  TextArray merged;
  if (!missing.empty()) {
    const TextArray& items = doc.List1.Items();
    merged.reserve(items.size() + missing.size());
    std::merge(items.begin(), items.end(), missing.begin(), missing.end(),
               std::back_inserter(merged));
  }
  TextArray before = doc.TakeEntriesForList();
  if (!missing.empty()) doc.List1.Assign(std::move(merged));
  doc.List1.KeepDistinctNonEmpty();
  doc.EntriesBeforeDedup = std::move(before);
}

}  // namespace

void RemoveDuplicatesJob(HostsDocument& doc, DocumentUi& ui) {
  ui.SetJobCaption("Removing Duplicate Host File Entries...");
  const JobClock clock;
  const int32_t before = doc.List1.Count();
  // Made before anything changes: after that, nothing may fail.
  std::string armedUndo = "Undo Remove Duplicates";
  RemoveRepeats(doc);
  const int32_t count = doc.List1.Count();
  ui.SetProgress(0);
  ui.SetProgressRange(0, count);

  if (count >= 1) {
    const int32_t removed = before - count;
    if (removed >= 1) {
      ++doc.ChangeCount;
      doc.ArmUndo(kActionRemoveDuplicates, std::move(armedUndo));
    } else {
      doc.LastAction = kActionNone;
      doc.DisarmUndo();
    }
    ShowProgressThrough(ui, count);
    doc.Counts = {std::to_string(before), std::to_string(removed), std::to_string(count)};
  } else {
    ui.Tell("No Host Listings Found", "Nothing Found in File or Incorrect File Type",
            Icon::Critical);
  }
  doc.ElapsedTime = clock.Elapsed();
}

void UndoRemoveDuplicatesJob(HostsDocument& doc, DocumentUi& ui) {
  ui.SetJobCaption("Undoing Remove Duplicates to Host File Entries...");
  const JobClock clock;
  const auto n = static_cast<int32_t>(doc.EntriesBeforeDedup.size());
  // Every element goes into the list, empty ones included; the list is made
  // aside, so running out of memory leaves the document as it was.
  TextArray list = SortedTexts(doc.EntriesBeforeDedup, SortedCopy::All);
  doc.SetEntries(std::exchange(doc.EntriesBeforeDedup, {}));
  doc.List1.Assign(std::move(list));
  doc.CountUndo();

  ui.SetProgressRange(0, n);
  ShowProgressThrough(ui, n);
  doc.DisarmUndo();
  doc.Counts = {};
  doc.ElapsedTime = clock.Elapsed();
}

}  // namespace vantrel
