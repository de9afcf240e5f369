// Documents for the saving tests, loaded as the program loads them: read,
// then the two lists filled as the load job fills them.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/General_Mod.h"
#include "core/HostsReader.h"

namespace vantrel::test {

inline void FillLists(HostsDocument& doc) {
  doc.List1.Clear();
  for (const Text entry : doc.Entries) {
    if (!entry.empty()) doc.List1.Append(entry);
  }
  doc.List1.Sort();
  doc.List_Comments.clear();
  for (const Text comment : doc.Comments) {
    if (!comment.empty()) doc.List_Comments.push_back(comment);
  }
  if (doc.List_Comments.empty()) doc.List_Comments.push_back(kNoCommentsFound);
}

inline std::unique_ptr<HostsDocument> Loaded(const std::string& text) {
  auto doc = std::make_unique<HostsDocument>();
  const ReadResult result = ReadHostsText(text, *doc);
  EXPECT_EQ(result.outcome, ReadOutcome::Loaded) << text;
  FillLists(*doc);
  return doc;
}

// Entries rebuilt from List1, as every edit leaves them.
inline void EntriesFromList(HostsDocument& doc) {
  doc.Entries = OneBased<Text>(doc.List1.Items());
  doc.EntryCount = doc.Entries.Count();
}

}  // namespace vantrel::test
