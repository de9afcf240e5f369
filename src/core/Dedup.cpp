#include "core/Dedup.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/Editing.h"
#include "core/TextSort.h"
#include "core/wait/ProgressSteps.h"

namespace vantrel {
namespace {

// Moves the bar through n items as adding them to List1 one by one would
// move it.
void ShowFilling(DocumentUi& ui, int32_t n) {
  ProgressSteps progress(ui, n);
  progress.Through(n);
}

// The distinct non-empty entries in List1 order. When List1 still holds the
// non-empty entries sorted, as the load job left it, repeats are already
// side by side there and only need dropping; otherwise the entries are
// sorted, which brings them side by side.
BigVector<Text> DistinctSorted(HostsDocument& doc, const OneBased<Text>& entries, bool mirrored) {
  if (!mirrored) {
    doc.List1.Clear();
    doc.List1.Assign({});
    return SortedTexts(entries.Items(), SortedCopy::DistinctNonEmpty);
  }
  // The sort that filled the list marked the repeats, so dropping them
  // needs no look at the texts.
  const std::vector<bool> repeats = doc.List1.Repeats();
  BigVector<Text> items = doc.List1.TakeItems();
  if (repeats.size() != items.size()) {
    items.erase(std::unique(items.begin(), items.end()), items.end());
    return items;
  }
  size_t kept = 0;
  for (size_t i = 0; i < items.size(); ++i) {
    if (!repeats[i]) items[kept++] = items[i];
  }
  items.resize(kept);
  // The room the repeats took goes back now: these items stay as long as
  // the entries do.
  ShrinkBig(items.data(), items.capacity() * sizeof(Text), kept * sizeof(Text));
  return items;
}

}  // namespace

OneBased<Text> DistinctValues(const OneBased<Text>& values) {
  // An open-addressing set of indexes into the result, at most half full:
  // no allocation per value, which with a million entries is most of the
  // cost of a node-based set. Each slot keeps the value's hash so that a
  // probe rarely has to compare texts.
  const auto& items = values.Items();
  size_t capacity = 16;
  while (capacity < items.size() * 2) capacity *= 2;
  const size_t mask = capacity - 1;
  std::vector<uint32_t> slots(capacity, 0);  // 0 empty, else result index + 1
  std::vector<uint32_t> hashes(capacity);
  BigVector<Text> distinct;
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
  const bool mirrored = doc.List1.Mirrors(doc.Entries);
  doc.EntriesBeforeDedup = std::move(doc.Entries);
  // Only the distinct values and their sorted order are seen, so sorted
  // entries give both: equal texts lie side by side and all but one are
  // left out. An empty host part is no entry.
  BigVector<Text> distinct = DistinctSorted(doc, doc.EntriesBeforeDedup, mirrored);
  const int32_t count = static_cast<int32_t>(distinct.size());
  ui.SetProgress(0);
  ui.SetProgressMax(count);
  ui.SetBusy(true);

  if (count >= 1) {
    ui.EnableEntryList();
    // Entries and List1 hold the same texts in the same order, so they hold
    // them as one array until either is edited. None repeats the one before.
    doc.Entries = OneBased<Text>(std::move(distinct));
    doc.List1.AssignSharedMirror(doc.Entries, std::vector<bool>(static_cast<size_t>(count)));
    ShowFilling(ui, count);
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
    // Nothing is left; keep the count in step with the empty Entries.
    doc.Entries.Clear();
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
  // Nothing changes the saved entries until the next removal or load, so
  // Entries shares them rather than copying them.
  doc.Entries.ShareWith(doc.EntriesBeforeDedup);
  ui.SetProgressRange(0, n);
  // Every element goes into the list, an empty one included, so the list
  // shows exactly what the removal took away.
  doc.List1.Clear();
  doc.List1.Assign({});
  doc.List1.Assign(SortedTexts(std::as_const(doc.Entries).Items(), SortedCopy::All));
  ShowFilling(ui, n);
  ui.SetUndo(kUndoCaption, false);
  ui.TimeControl();
  ui.SetBusy(false);
  CountUndo(doc);
  ui.SetCounts("", "", "");
  doc.EntryCount = n;
  ui.EntriesChanged();
}

}  // namespace vantrel
