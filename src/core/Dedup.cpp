#include "core/Dedup.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/Editing.h"
#include "core/ProgressSteps.h"
#include "core/TextSort.h"

namespace vantrel {
namespace {

// Moves the bar through n items as adding them to List1 one by one would
// move it.
void ShowFilling(DocumentUi& ui, int32_t n) {
  ProgressSteps progress(ui, n);
  progress.Through(n);
}

// What a removal leaves, made aside: the distinct non-empty entries in
// List1 order, in an array of their own, and List1's marks for them (none
// repeats the one before).
struct Removal {
  OneBased<Text> entries;
  std::vector<bool> repeats;
};

// When List1 still holds the non-empty entries sorted, as the load job left
// it, repeats are already side by side there and only need dropping;
// otherwise the entries are sorted, which brings them side by side. All the
// memory is taken first, so a failure leaves the document as it was; only
// in the last step, when nothing can fail any more, does List1 give up its
// array (empty until the job puts the result in).
Removal PrepareRemoval(HostsDocument& doc) {
  // The array's holder is made now, while it can still fail.
  Removal made{OneBased<Text>(std::vector<Text>{}), {}};
  const std::vector<bool>& marks = doc.List1.Repeats();
  if (!doc.List1.Mirrors(doc.Entries) || marks.size() != doc.List1.Items().size()) {
    made.entries.Items() =
        SortedTexts(std::as_const(doc.Entries).Items(), SortedCopy::DistinctNonEmpty);
    made.repeats.resize(made.entries.Items().size());
    return made;
  }
  // The sort that filled the list marked the repeats, so dropping them
  // needs no look at the texts.
  made.repeats.resize(static_cast<size_t>(std::count(marks.begin(), marks.end(), false)));
  // Copies the items only while another owner holds them; can fail then.
  MarkedTexts taken = doc.List1.TakeMarked();
  std::vector<Text>& items = taken.texts;
  size_t kept = 0;
  for (size_t i = 0; i < items.size(); ++i) {
    if (!taken.repeats[i]) items[kept++] = items[i];
  }
  items.resize(kept);
  made.entries.Items() = std::move(items);
  return made;
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
  // Made before anything changes: once the document has changed, nothing
  // may fail.
  const std::string armedUndo = "Undo Remove Duplicates";
  // Only the distinct values and their sorted order are seen, so sorted
  // entries give both: equal texts lie side by side and all but one are
  // left out. An empty host part is no entry.
  Removal made = PrepareRemoval(doc);
  const int32_t count = made.entries.Count();
  ui.SetProgress(0);
  ui.SetProgressMax(count);
  ui.SetBusy(true);

  if (count >= 1) {
    // Entries and List1 hold the same texts in the same order, so they hold
    // them as one array until either is edited.
    doc.EntriesBeforeDedup = std::move(doc.Entries);
    doc.Entries = std::move(made.entries);
    doc.List1.AssignSharedMirror(doc.Entries, std::move(made.repeats));
    doc.EntryCount = count;
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
    // Nothing is left; keep the count in step with the empty Entries.
    doc.EntriesBeforeDedup = std::move(doc.Entries);
    doc.Entries.Clear();
    doc.EntryCount = 0;
    doc.List1.Clear();
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
  // Every element goes into the list, an empty one included, so the list
  // shows exactly what the removal took away. The list is made aside: until
  // it is complete, the document is as it was.
  SortedTextList list;
  list.Assign(SortedTexts(std::as_const(doc.EntriesBeforeDedup).Items(), SortedCopy::All));
  // Nothing changes the saved entries until the next removal or load, so
  // Entries shares them rather than copying them.
  doc.Entries.ShareWith(doc.EntriesBeforeDedup);
  doc.List1 = std::move(list);
  doc.EntryCount = n;
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
