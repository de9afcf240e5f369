#include "core/Dedup.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/Editing.h"
#include "core/wait/ProgressSteps.h"

namespace vantrel {
namespace {

// Puts texts into List1 as one batch, moving the progress bar along. Sorting
// once is what keeps a million entries fast; the bar reaches its end only
// after the sort, when the list really is complete.
void FillList(HostsDocument& doc, DocumentUi& ui, const std::vector<Text>& texts) {
  const int32_t n = static_cast<int32_t>(texts.size());
  ProgressSteps progress(ui, n);
  doc.List1.Clear();
  doc.List1.Reserve(texts.size());
  for (int32_t j = 1; j <= n; ++j) {
    doc.List1.Append(texts[static_cast<size_t>(j) - 1]);
    if (j < n) progress.Done(j);
  }
  doc.List1.Sort();
  progress.Done(n);
}

}  // namespace

OneBased<Text> DistinctValues(const OneBased<Text>& values) {
  // An open-addressing set of indexes into the result, at most half full:
  // no allocation per value, which with a million entries is most of the
  // cost of a node-based set. Each slot keeps the value's hash so that a
  // probe rarely has to compare texts.
  const std::vector<Text>& items = values.Items();
  size_t capacity = 16;
  while (capacity < items.size() * 2) capacity *= 2;
  const size_t mask = capacity - 1;
  std::vector<uint32_t> slots(capacity, 0);  // 0 empty, else result index + 1
  std::vector<uint32_t> hashes(capacity);
  std::vector<Text> distinct;
  distinct.reserve(items.size());
  for (const Text value : items) {
    const auto hash = static_cast<uint32_t>(std::hash<Text>{}(value));
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
      const uint32_t slot = slots[i];
      if (slot == 0) {
        distinct.push_back(value);
        slots[i] = static_cast<uint32_t>(distinct.size());
        hashes[i] = hash;
        break;
      }
      if (hashes[i] == hash && distinct[slot - 1] == value) break;
    }
  }
  return OneBased<Text>(std::move(distinct));
}

void RemoveDuplicatesJob(HostsDocument& doc, DocumentUi& ui) {
  ui.SetJobCaption("Removing Duplicate Host File Entries...");
  ui.StartTiming();
  const int32_t before = doc.List1.Count();
  doc.EntriesBeforeDedup = doc.Entries;
  doc.Entries = DistinctValues(doc.Entries);
  std::erase(doc.Entries.Items(), Text{});  // an empty host part is no entry
  const int32_t distinct = doc.Entries.Count();
  ui.SetProgress(0);
  ui.SetProgressMax(distinct);
  ui.SetBusy(true);
  doc.List1.Clear();

  if (distinct >= 1) {
    ui.EnableEntryList();
    FillList(doc, ui, doc.Entries.Items());
    RebuildEntries(doc, doc.List1.Count());
    const int32_t left = doc.Entries.Count();
    const int32_t removed = before - left;
    ui.SetCounts(std::to_string(before), std::to_string(removed), std::to_string(left));
    if (removed < 1) {
      doc.LastAction = kActionNone;
      ui.SetUndo(kUndoCaption, false);
    } else {
      doc.LastAction = kActionRemoveDuplicates;
      ++doc.ChangeCount;
      ui.SetUndo("Undo Remove Duplicates", true);
    }
    doc.EntryCount = doc.Entries.Count();
  } else {
    // Entries is already empty; keep the count in step with it.
    doc.EntryCount = 0;
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
  const int32_t n = doc.EntriesBeforeDedup.Count();
  doc.Entries = doc.EntriesBeforeDedup;
  ui.SetProgressRange(0, n);
  // Every element goes into the list, an empty one included, so the list
  // shows exactly what the removal took away.
  FillList(doc, ui, doc.Entries.Items());
  ui.SetUndo(kUndoCaption, false);
  ui.TimeControl();
  ui.SetBusy(false);
  CountUndo(doc);
  ui.SetCounts("", "", "");
  doc.EntryCount = n;
  ui.EntriesChanged();
}

}  // namespace vantrel
