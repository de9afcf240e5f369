// Documents for the tests of the operations on entries, built the way a load
// leaves them, and their lists read back as plain strings.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/HostsDocument.h"
#include "core/TextSort.h"

namespace vantrel::test {

using Strings = std::vector<std::string>;

// Entries in the given order (empty host parts included); List1 holding the
// non-empty ones, sorted; nothing selected, nothing changed, nothing to undo.
inline void Load(HostsDocument& doc, std::initializer_list<std::string_view> entries) {
  TextArray kept;
  for (const std::string_view entry : entries) kept.push_back(doc.Texts.Keep(entry));
  doc.List1.Assign(SortedTexts(kept, SortedCopy::NonEmpty));
  doc.SetEntries(std::move(kept));
  doc.LoadedEntryCount = doc.EntryCount();
  doc.LineCount = doc.EntryCount() + 1;
  doc.ChangeCount = 0;
  doc.LastAction = kActionNone;
}

inline Strings ListItems(const HostsDocument& doc) {
  return Strings(doc.List1.Items().begin(), doc.List1.Items().end());
}

inline Strings Texts(const EntriesView& texts) {
  Strings all(texts.Head().begin(), texts.Head().end());
  all.insert(all.end(), texts.Tail().begin(), texts.Tail().end());
  return all;
}
inline Strings Texts(const TextArray& texts) { return Strings(texts.begin(), texts.end()); }

// Selects the item equal to text; fails the test when there is none.
inline void SelectItem(HostsDocument& doc, std::string_view text) {
  for (int32_t i = 0; i < doc.List1.Count(); ++i) {
    if (doc.List1.Item(i) == text) {
      doc.List1.Select(i);
      return;
    }
  }
  ADD_FAILURE() << "no item " << text;
}

}  // namespace vantrel::test
