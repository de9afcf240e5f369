#include "core/Editing.h"

#include <algorithm>
#include <string>
#include <utility>

#include "core/HostsGrammar.h"

namespace vantrel {
namespace {

// EntryCount and the size of Entries move together; neither goes below 0.
void SetEntryCount(HostsDocument& doc, int32_t n) {
  doc.EntryCount = std::max(n, 0);
  doc.Entries.Resize(doc.EntryCount);
}

// Selects the last item equal to text, as a walk from the first item
// selecting every equal one would; the list is sorted, so that is the item
// just before the first greater one. Nothing equal: the selection stays.
void SelectLastEqual(SortedTextList& list, Text text) {
  const auto& items = list.Items();
  const auto range = std::equal_range(items.begin(), items.end(), text);
  if (range.first == range.second) return;
  list.Select(static_cast<int32_t>(range.second - items.begin()) - 1);
}

// The first item equal to text, or kNone.
int32_t FindFirstEqual(const SortedTextList& list, Text text) {
  const auto& items = list.Items();
  const auto at = std::lower_bound(items.begin(), items.end(), text);
  if (at == items.end() || *at != text) return SortedTextList::kNone;
  return static_cast<int32_t>(at - items.begin());
}

// What the user typed, as the list stores it.
std::string Typed(std::string text) {
  LowerAscii(text);
  return text;
}

void Disarm(DocumentUi& ui) { ui.SetUndo(kUndoCaption, false); }

// Gives List1 and Entries arrays of their own (copied while another owner
// holds them) with room for `more` further elements, so that the edit that
// follows takes no memory and cannot stop half-way. Called after the edit's
// other allocations; a failure here leaves every text as it was.
void MakeRoom(HostsDocument& doc, int32_t more) {
  const auto extra = static_cast<size_t>(more);
  doc.List1.Reserve(static_cast<size_t>(doc.List1.Count()) + extra);
  std::vector<Text>& entries = doc.Entries.Items();
  const auto largest = static_cast<size_t>(std::max(doc.EntryCount, doc.List1.Count()));
  entries.reserve(std::max(entries.size(), largest) + extra);
}

void UndoAdd(HostsDocument& doc) {
  MakeRoom(doc, 0);
  // The count is taken once, and after a removal the scan moves on to the
  // next index, so the item that slid into the removed one's place is not
  // looked at.
  const int32_t count = doc.List1.Count();
  for (int32_t p = 0; p < count; ++p) {
    if (doc.List1.Item(p) != doc.UndoAddedEntry) continue;
    doc.List1.RemoveAt(p);
    doc.EntryCount = std::max(doc.EntryCount - 1, 0);
  }
  doc.Entries.Reallocate(doc.EntryCount);
  RebuildEntries(doc, doc.EntryCount);
}

void UndoChange(HostsDocument& doc) {
  const int32_t at = FindFirstEqual(doc.List1, doc.UndoNewEntry);
  const Text kept = at != SortedTextList::kNone ? doc.Texts.Keep(doc.UndoOldEntry) : Text{};
  MakeRoom(doc, 0);
  if (at != SortedTextList::kNone) {
    doc.List1.RemoveAt(at);
    doc.List1.Add(kept);
  }
  SelectLastEqual(doc.List1, doc.UndoOldEntry);
  RebuildEntries(doc, doc.List1.Count());
}

void UndoDelete(HostsDocument& doc) {
  const Text kept = doc.Texts.Keep(doc.UndoDeletedEntry);
  MakeRoom(doc, 1);
  doc.List1.Add(kept);
  SetEntryCount(doc, doc.EntryCount + 1);
  RebuildEntries(doc, doc.List1.Count());
  SelectLastEqual(doc.List1, doc.UndoDeletedEntry);
}

}  // namespace

void RebuildEntries(HostsDocument& doc, int32_t n) {
  // The lists stay in step, so this never has to grow Entries; if it does,
  // the count follows rather than pointing past the array.
  if (n > doc.Entries.Count()) SetEntryCount(doc, n);
  for (int32_t k = 1; k <= n; ++k) doc.Entries(k) = doc.List1.Item(k - 1);
}

void CountUndo(HostsDocument& doc) {
  if (doc.ChangeCount <= 0) {
    doc.ChangeCount = 1;
  } else {
    --doc.ChangeCount;
  }
}

// Each edit asks first and makes every text it needs and the room for its
// change before it changes anything, so running out of memory stops it with
// the document and the undo as they were.

void AddEntry(HostsDocument& doc, DocumentUi& ui) {
  // Entries grows by the new element only once there is one: asking with it
  // grown and shrinking it back on No shows nothing different.
  if (!ui.AskYesNo("Add New Host Entry", "Are you sure you would like to add a new host entry?")) {
    return;
  }
  std::string text = Typed(ui.Input("Enter in the New Host Entry:", "Add New Host Entry", ""));
  if (text.empty()) return;
  MakeRoom(doc, 1);
  const Text kept = doc.Texts.Keep(text);

  SetEntryCount(doc, doc.EntryCount + 1);
  doc.Entries(doc.EntryCount) = kept;
  doc.List1.Add(kept);
  SelectLastEqual(doc.List1, kept);
  doc.LastAction = kActionAdd;
  doc.UndoAddedEntry = std::move(text);
  RebuildEntries(doc, doc.List1.Count());
  ++doc.ChangeCount;
  ui.SetUndo("Undo Add", true);
  ui.EntriesChanged();
}

void ChangeEntry(HostsDocument& doc, DocumentUi& ui) {
  const int32_t i = doc.List1.Selected();
  if (i == SortedTextList::kNone) {
    ui.Tell("Select Host Entry", "Please Select Host Entry from the list that you wish to change",
            Icon::Critical);
    return;
  }
  std::string old(doc.List1.Item(i));
  if (!ui.AskYesNo("Change Host Entry",
                   "Are you sure you would like to change the entry for " + old + " ?")) {
    return;
  }
  std::string text =
      Typed(ui.Input("Enter in the new Host Value:", "Change value for " + old, old));
  // "Undo Change" is armed for the old text whatever the answer, so whatever
  // was undoable before is lost either way; a cancelled input disarms it
  // again. It is armed once the answer is in (the input box hides the menu
  // meanwhile), so that a failure before leaves the undo as it was.
  MakeRoom(doc, 0);
  if (text.empty()) {
    doc.UndoOldEntry = std::move(old);
    doc.LastAction = kActionChange;
    RebuildEntries(doc, doc.List1.Count());
    ui.SetUndo("Undo Change", true);
    Disarm(ui);
    return;
  }
  const Text kept = doc.Texts.Keep(text);

  doc.UndoOldEntry = std::move(old);
  doc.LastAction = kActionChange;
  doc.List1.RemoveAt(i);
  doc.List1.Add(kept);
  SelectLastEqual(doc.List1, kept);
  RebuildEntries(doc, doc.List1.Count());
  doc.UndoNewEntry = std::move(text);
  ++doc.ChangeCount;
  ui.SetUndo("Undo Change", true);
  ui.EntriesChanged();
}

void DeleteEntry(HostsDocument& doc, DocumentUi& ui) {
  const int32_t i = doc.List1.Selected();
  if (i == SortedTextList::kNone) {
    ui.Tell("Host List Empty or Not Selected",
            "There are no more Host Entries to Delete or No Host Enrty is Selected.",
            Icon::Information);
    return;
  }
  if (!ui.AskYesNo("Delete Host Entry",
                   "Are you sure you would like to delete this new host entry?")) {
    return;
  }
  std::string deleted(doc.List1.Item(i));
  MakeRoom(doc, 0);

  doc.UndoDeletedEntry = std::move(deleted);
  doc.LastAction = kActionDelete;
  doc.List1.RemoveAt(i);
  SetEntryCount(doc, doc.EntryCount - 1);
  // Up to EntryCount: elements past the last item become empty.
  RebuildEntries(doc, doc.EntryCount);
  ++doc.ChangeCount;
  ui.SetUndo("Undo Delete", true);
  ui.EntriesChanged();
}

void UndoLastAction(HostsDocument& doc, DocumentUi& ui) {
  switch (doc.LastAction) {
    case kActionAdd:
      UndoAdd(doc);
      break;
    case kActionChange:
      UndoChange(doc);
      break;
    case kActionDelete:
      UndoDelete(doc);
      break;
    case kActionRemoveDuplicates:
      // The wait window's job restores the entries and does the counting.
      doc.WaitJob = kJobUndoRemoveDuplicates;
      ui.ShowWaitWindow();
      return;
    default:
      Disarm(ui);
      return;
  }
  CountUndo(doc);
  Disarm(ui);
  ui.EntriesChanged();
}

}  // namespace vantrel
