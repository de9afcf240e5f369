// Add, Change and Delete of single entries, and the one-step Undo of the
// last of them or of the last duplicate removal. Each edit works on List1;
// Entries then follows the list (see HostsDocument::EditList).
#pragma once

#include "core/DocumentUi.h"
#include "core/HostsDocument.h"

namespace vantrel {

// Asks, then puts a typed text (lower-cased, not trimmed) into List1, selected.
void AddEntry(HostsDocument& doc, DocumentUi& ui);
// Asks, then replaces the selected item by a typed text.
void ChangeEntry(HostsDocument& doc, DocumentUi& ui);
// Asks, then removes the selected item.
void DeleteEntry(HostsDocument& doc, DocumentUi& ui);
// Reverses the last action that LastAction names; the undo of a duplicate
// removal runs in the wait window.
void UndoLastAction(HostsDocument& doc, DocumentUi& ui);

}  // namespace vantrel
