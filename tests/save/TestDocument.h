// Documents for the saving tests, loaded as the program loads them: read,
// then the two lists filled as the load job fills them.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/HostsDocument.h"
#include "core/HostsReader.h"
#include "core/OpenFile.h"
#include "core/SilentUi.h"

namespace vantrel::test {

inline void FillLists(HostsDocument& doc) {
  SilentUi ui;
  LoadListsJob(doc, ui);
}

inline std::unique_ptr<HostsDocument> Loaded(const std::string& text) {
  auto doc = std::make_unique<HostsDocument>();
  const ReadResult result = ReadHostsText(text, *doc);
  EXPECT_EQ(result.outcome, ReadOutcome::Loaded) << text;
  FillLists(*doc);
  return doc;
}

// Entries rebuilt from List1, as every edit leaves them.
inline void EntriesFromList(HostsDocument& doc) { doc.TakeEntriesForList(); }

}  // namespace vantrel::test
