#include "core/Editing.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "core/Dedup.h"
#include "core/HostsGrammar.h"

namespace vantrel {
namespace {

// Selects the last item equal to text, as a walk from the first item
// selecting every equal one would; the list is sorted, so that is the item
// just before the first greater one. Nothing equal: the selection stays.
void SelectLastEqual(SortedTextList& list, Text text) {
  const auto& items = list.Items();
  const auto range = std::equal_range(items.begin(), items.end(), text);
  if (range.first == range.second) return;
  list.Select(static_cast<int32_t>(range.second - items.begin()) - 1);
}

// Puts kept into the list and selects it.
void InsertAndSelect(SortedTextList& list, Text kept) {
  list.Add(kept);
  SelectLastEqual(list, kept);
}

// An edit is made: it counts as a change and can be undone.
void Made(HostsDocument& doc, LastActionKind action, const char* undoCaption) {
  ++doc.ChangeCount;
  doc.ArmUndo(action, undoCaption);
}

void UndoAdd(HostsDocument& doc) {
  doc.EditList(PastTheList::Empty, {}, [&](SortedTextList& list) {
    // The count is taken once, and after a removal the scan moves on to the next index, so the
    // item that slid into the removed one's place is not looked at.
    const int32_t count = list.Count();
    for (int32_t p = 0; p < count; ++p) {
      if (list.Item(p) == doc.UndoAddedEntry) list.RemoveAt(p);
    }
  });
}

void UndoChange(HostsDocument& doc) {
  // The first item equal to the new text goes back to the old one.
  const TextArray& items = doc.List1.Items();
  const auto at = std::lower_bound(items.begin(), items.end(), Text(doc.UndoNewEntry));
  const bool found = at != items.end() && *at == doc.UndoNewEntry;
  const Text kept = found ? doc.Texts.Keep(doc.UndoOldEntry) : Text{};
  const auto index = static_cast<int32_t>(at - items.begin());
  doc.EditList(PastTheList::AsBefore, {}, [&](SortedTextList& list) {
    if (found) {
      list.RemoveAt(index);
      list.Add(kept);
    }
    SelectLastEqual(list, doc.UndoOldEntry);
  });
}

void UndoDelete(HostsDocument& doc) {
  const Text kept = doc.Texts.Keep(doc.UndoDeletedEntry);
  doc.List1.Reserve(static_cast<size_t>(doc.List1.Count() + 1));
  // Entries grows by an empty text.
  doc.EditList(PastTheList::AsBefore, {},
               [&](SortedTextList& list) { InsertAndSelect(list, kept); });
}

}  // namespace

// Each edit asks first and makes every text it needs and the room for its change before it changes
// anything, so running out of memory stops it with the document and the undo as they were.

void AddEntry(HostsDocument& doc, DocumentUi& ui) {
  if (!ui.AskYesNo("Add New Host Entry", "Are you sure you would like to add a new host entry?")) {
    return;
  }
  std::string text = ui.Input("Enter in the New Host Entry:", "Add New Host Entry", "");
  LowerAscii(text);  // as the list stores it
  if (text.empty()) return;
  doc.List1.Reserve(static_cast<size_t>(doc.List1.Count() + 1));
  const Text kept = doc.Texts.Keep(text);
  // Entries grows by the new text at its end, where it stays past the list's items.
  doc.EditList(PastTheList::AsBefore, kept,
               [&](SortedTextList& list) { InsertAndSelect(list, kept); });
  doc.UndoAddedEntry = std::move(text);
  Made(doc, kActionAdd, "Undo Add");
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
  const Text kept = doc.Texts.Keep(text);
  doc.EditList(PastTheList::AsBefore, {}, [&](SortedTextList& list) {
    if (text.empty()) return;
    list.RemoveAt(i);
    InsertAndSelect(list, kept);
  });
  doc.UndoOldEntry = std::move(old);
  if (text.empty()) {
    doc.LastAction = kActionChange;
    doc.DisarmUndo();
    return;
  }
  doc.UndoNewEntry = std::move(text);
  Made(doc, kActionChange, "Undo Change");
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
  std::string undo(doc.List1.Item(i));
  // Entries loses its last element and is rebuilt up to its new count, so
  // the elements past the list's items read empty.
  doc.EditList(PastTheList::Empty, {}, [&](SortedTextList& list) { list.RemoveAt(i); });
  doc.UndoDeletedEntry = std::move(undo);
  Made(doc, kActionDelete, "Undo Delete");
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
      doc.DisarmUndo();
      return;
  }
  doc.CountUndo();
  doc.DisarmUndo();
}

}  // namespace vantrel
