#include "core/Editing.h"

#include <algorithm>
#include <string>

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

void UndoAdd(HostsDocument& doc) {
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
  if (at != SortedTextList::kNone) {
    doc.List1.RemoveAt(at);
    doc.List1.Add(doc.Texts.Keep(doc.UndoOldEntry));
  }
  SelectLastEqual(doc.List1, doc.UndoOldEntry);
  RebuildEntries(doc, doc.List1.Count());
}

void UndoDelete(HostsDocument& doc) {
  doc.List1.Add(doc.Texts.Keep(doc.UndoDeletedEntry));
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

void AddEntry(HostsDocument& doc, DocumentUi& ui) {
  const int32_t before = doc.EntryCount;
  SetEntryCount(doc, before + 1);
  if (!ui.AskYesNo("Add New Host Entry", "Are you sure you would like to add a new host entry?")) {
    SetEntryCount(doc, before);
    return;
  }
  const std::string text =
      Typed(ui.Input("Enter in the New Host Entry:", "Add New Host Entry", ""));
  if (text.empty()) {
    SetEntryCount(doc, before);
    return;
  }
  const Text kept = doc.Texts.Keep(text);
  doc.Entries(doc.EntryCount) = kept;
  doc.List1.Add(kept);
  SelectLastEqual(doc.List1, kept);
  doc.LastAction = kActionAdd;
  doc.UndoAddedEntry = text;
  ui.SetUndo("Undo Add", true);
  RebuildEntries(doc, doc.List1.Count());
  ++doc.ChangeCount;
  ui.EntriesChanged();
}

void ChangeEntry(HostsDocument& doc, DocumentUi& ui) {
  const int32_t i = doc.List1.Selected();
  if (i == SortedTextList::kNone) {
    ui.Tell("Select Host Entry", "Please Select Host Entry from the list that you wish to change",
            Icon::Critical);
    return;
  }
  const std::string old(doc.List1.Item(i));
  if (!ui.AskYesNo("Change Host Entry",
                   "Are you sure you would like to change the entry for " + old + " ?")) {
    return;
  }
  // Armed before the new text is asked for; a cancelled input disarms it
  // again, so whatever was undoable before is lost either way.
  doc.UndoOldEntry = old;
  doc.LastAction = kActionChange;
  ui.SetUndo("Undo Change", true);
  const std::string text =
      Typed(ui.Input("Enter in the new Host Value:", "Change value for " + old, old));
  if (text.empty()) {
    RebuildEntries(doc, doc.List1.Count());
    Disarm(ui);
    return;
  }
  const Text kept = doc.Texts.Keep(text);
  doc.List1.RemoveAt(i);
  doc.List1.Add(kept);
  SelectLastEqual(doc.List1, kept);
  RebuildEntries(doc, doc.List1.Count());
  doc.UndoNewEntry = text;
  ++doc.ChangeCount;
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
  doc.UndoDeletedEntry = std::string(doc.List1.Item(i));
  doc.LastAction = kActionDelete;
  ui.SetUndo("Undo Delete", true);
  doc.List1.RemoveAt(i);
  SetEntryCount(doc, doc.EntryCount - 1);
  // Up to EntryCount: elements past the last item become empty.
  RebuildEntries(doc, doc.EntryCount);
  ++doc.ChangeCount;
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
  Disarm(ui);
  CountUndo(doc);
  ui.EntriesChanged();
}

}  // namespace vantrel
