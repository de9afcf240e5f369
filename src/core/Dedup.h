// Remove Duplicates and its undo: the two jobs that run in the wait window.
#pragma once

#include "core/DocumentUi.h"
#include "core/HostsDocument.h"

namespace vantrel {

inline constexpr const char* kRemoveDuplicatesCaption = "Remove Duplicate Host Entries";
inline constexpr const char* kRemoveDuplicatesQuestion =
    "Are you sure you would like to remove all duplicate host entries?";

// Keeps Entries for the undo, keeps one of each non-empty entry in List1
// (which Entries then follows) and shows the three counts.
void RemoveDuplicatesJob(HostsDocument& doc, DocumentUi& ui);

// Puts back the entries of before the last removal, empty ones included, and disarms the undo.
void UndoRemoveDuplicatesJob(HostsDocument& doc, DocumentUi& ui);

}  // namespace vantrel
