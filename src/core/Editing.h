// Add, Change and Delete of single entries, and the one-step Undo of the
// last of them or of the last duplicate removal. Each edit works on List1;
// Entries then follows the list (see HostsDocument).
#pragma once

#include <cstdint>

#include "core/DocumentUi.h"
#include "core/HostsDocument.h"

namespace vantrel {

// mnuUndo's caption while there is nothing to undo.
inline constexpr const char* kUndoCaption = "Undo";

// Asks, then puts a typed text (lower-cased, not trimmed) into List1, selected.
void AddEntry(HostsDocument& doc, DocumentUi& ui);
// Asks, then replaces the selected item by a typed text.
void ChangeEntry(HostsDocument& doc, DocumentUi& ui);
// Asks, then removes the selected item.
void DeleteEntry(HostsDocument& doc, DocumentUi& ui);
// Reverses the last action that LastAction names; the undo of a duplicate
// removal runs in the wait window.
void UndoLastAction(HostsDocument& doc, DocumentUi& ui);

// What any undo does to ChangeCount: one change fewer, but after a save the
// undo makes the document differ from the file: one unsaved change.
void CountUndo(HostsDocument& doc);

}  // namespace vantrel
