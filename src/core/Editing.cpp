#include "core/Editing.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "core/Dedup.h"
#include "core/HostsGrammar.h"

namespace vantrel {
namespace {

// After an edit, Entries is List1's items, then a tail: the elements
// [first, count) of Entries before the edit (`grown` standing for one it
// added). Made before anything changes: it takes memory.
TextArray TailAfterEdit(const HostsDocument& doc, int32_t first, int32_t count, Text grown = {}) {
  const EntriesView entries = doc.Entries();
  TextArray tail;
  for (int32_t k = first; k < count; ++k) {
    tail.push_back(k < entries.Count() ? entries[static_cast<size_t>(k)] : grown);
  }
  return tail;
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

void Disarm(DocumentUi& ui) { ui.SetUndo(kUndoCaption, false); }

// Puts kept into List1 and selects it; Entries then follows the list.
void InsertAndSelect(HostsDocument& doc, Text kept, TextArray tail) {
  doc.List1.Add(kept);
  doc.FollowList(std::move(tail));
  SelectLastEqual(doc.List1, kept);
}

// An edit is made: it counts as a change and can be undone.
void Made(HostsDocument& doc, DocumentUi& ui, LastActionKind action, const char* undoCaption) {
  doc.LastAction = action;
  ++doc.ChangeCount;
  ui.SetUndo(undoCaption, true);
  ui.EntriesChanged();
}

void UndoAdd(HostsDocument& doc) {
  // Every element past the list's items reads empty after this undo.
  TextArray tail(static_cast<size_t>(doc.EntryCount() - doc.List1.Count()));
  // The count is taken once, and after a removal the scan moves on to the next index, so the item
  // that slid into the removed one's place is not looked at.
  const int32_t count = doc.List1.Count();
  for (int32_t p = 0; p < count; ++p) {
    if (doc.List1.Item(p) == doc.UndoAddedEntry) doc.List1.RemoveAt(p);
  }
  doc.FollowList(std::move(tail));
}

void UndoChange(HostsDocument& doc) {
  // The first item equal to the new text goes back to the old one.
  const TextArray& items = doc.List1.Items();
  const auto at = std::lower_bound(items.begin(), items.end(), Text(doc.UndoNewEntry));
  const bool found = at != items.end() && *at == doc.UndoNewEntry;
  const Text kept = found ? doc.Texts.Keep(doc.UndoOldEntry) : Text{};
  TextArray tail = TailAfterEdit(doc, doc.List1.Count(), doc.EntryCount());
  if (found) {
    doc.List1.RemoveAt(static_cast<int32_t>(at - items.begin()));
    doc.List1.Add(kept);
  }
  SelectLastEqual(doc.List1, doc.UndoOldEntry);
  doc.FollowList(std::move(tail));
}

void UndoDelete(HostsDocument& doc) {
  const Text kept = doc.Texts.Keep(doc.UndoDeletedEntry);
  const int32_t n = doc.List1.Count() + 1;
  TextArray tail = TailAfterEdit(doc, n, doc.EntryCount() + 1);
  doc.List1.Reserve(static_cast<size_t>(n));
  InsertAndSelect(doc, kept, std::move(tail));
}

}  // namespace

void CountUndo(HostsDocument& doc) {
  doc.ChangeCount = doc.ChangeCount <= 0 ? 1 : doc.ChangeCount - 1;
}

// Each edit asks first and makes every text it needs and the room for its change before it changes
// anything, so running out of memory stops it with the document and the undo as they were.

void AddEntry(HostsDocument& doc, DocumentUi& ui) {
  if (!ui.AskYesNo("Add New Host Entry", "Are you sure you would like to add a new host entry?")) {
    return;
  }
  std::string text = ui.Input("Enter in the New Host Entry:", "Add New Host Entry", "");
  LowerAscii(text);  // as the list stores it
  if (text.empty()) return;
  const int32_t n = doc.List1.Count() + 1;
  doc.List1.Reserve(static_cast<size_t>(n));
  const Text kept = doc.Texts.Keep(text);
  // Entries grows by the new text at its end, then the rebuild covers it.
  TextArray tail = TailAfterEdit(doc, n, doc.EntryCount() + 1, kept);
  InsertAndSelect(doc, kept, std::move(tail));
  doc.UndoAddedEntry = std::move(text);
  Made(doc, ui, kActionAdd, "Undo Add");
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
  std::string text = ui.Input("Enter in the new Host Value:", "Change value for " + old, old);
  LowerAscii(text);
  // "Undo Change" is armed for the old text whatever the answer, so what was
  // undoable before is lost either way; a cancelled input disarms it again.
  TextArray tail = TailAfterEdit(doc, doc.List1.Count(), doc.EntryCount());
  const Text kept = doc.Texts.Keep(text);
  doc.UndoOldEntry = std::move(old);
  if (text.empty()) {
    doc.LastAction = kActionChange;
    doc.FollowList(std::move(tail));
    ui.SetUndo("Undo Change", true);
    Disarm(ui);
    return;
  }
  doc.List1.RemoveAt(i);
  InsertAndSelect(doc, kept, std::move(tail));
  doc.UndoNewEntry = std::move(text);
  Made(doc, ui, kActionChange, "Undo Change");
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
  // Entries loses its last element and is rebuilt up to its new count, so
  // the elements past the list's items read empty.
  TextArray tail(static_cast<size_t>(doc.EntryCount() - doc.List1.Count()));
  doc.UndoDeletedEntry = doc.List1.Item(i);
  doc.List1.RemoveAt(i);
  doc.FollowList(std::move(tail));
  Made(doc, ui, kActionDelete, "Undo Delete");
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
      // The job restores the entries and does the counting.
      ui.RunInWaitWindow([&] { UndoRemoveDuplicatesJob(doc, ui); });
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
