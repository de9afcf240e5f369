// Remove Duplicates and its undo: the two jobs that the wait window runs for
// WaitJob 5 and 6. Both leave the window to the caller; they only report
// through the DocumentUi.
#pragma once

#include "core/DocumentUi.h"
#include "core/General_Mod.h"

namespace vantrel {

inline constexpr const char* kRemoveDuplicatesCaption = "Remove Duplicate Host Entries";
inline constexpr const char* kRemoveDuplicatesQuestion =
    "Are you sure you would like to remove all duplicate host entries?";

// Each distinct value once, in the order of its first occurrence. Values
// compare exactly: case, spaces and tabs all count. One pass over a hash set,
// so a million entries take a million look-ups, not a million squared.
OneBased<Text> DistinctValues(const OneBased<Text>& values);

// WaitJob 5: keeps a copy of Entries for the undo, keeps one of each
// non-empty entry, refills List1 and shows the three counts.
void RemoveDuplicatesJob(HostsDocument& doc, DocumentUi& ui);

// WaitJob 6: puts back the entries of before the last removal, empty ones
// included, and disarms the undo.
void UndoRemoveDuplicatesJob(HostsDocument& doc, DocumentUi& ui);

}  // namespace vantrel
