#include "core/Dedup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "core/Editing.h"
#include "core/FakeUi.h"
#include "core/HostsReader.h"
#include "core/LoadJob.h"
#include "core/TestDocument.h"

namespace vantrel {
namespace {

using test::FakeUi;
using test::ListItems;
using test::Load;
using test::Strings;
using test::Texts;

// The undo command as the main window runs it: its wait window runs job 6.
void Undo(HostsDocument& doc, FakeUi& ui) {
  ui.OnShowWaitWindow = [&] {
    ASSERT_EQ(doc.WaitJob, kJobUndoRemoveDuplicates);
    UndoRemoveDuplicatesJob(doc, ui);
  };
  UndoLastAction(doc, ui);
}

TEST(DistinctValues, KeepsFirstOccurrencesInOrderComparingExactly) {
  const OneBased<Text> values(
      std::vector<Text>{"b", "a", "B", "b", "a b", "a\tb", "a  b", "", "a", "", "a b"});
  EXPECT_EQ(Texts(DistinctValues(values)), (Strings{"b", "a", "B", "a b", "a\tb", "a  b", ""}));
  EXPECT_TRUE(DistinctValues(OneBased<Text>()).Empty());
}

TEST(RemoveDuplicatesJob, FiveEntriesTwoRepeatedThenUndo) {
  HostsDocument doc;
  Load(doc, {"alpha", "beta", "alpha", "gamma", "beta"});
  FakeUi ui;
  RemoveDuplicatesJob(doc, ui);

  EXPECT_EQ(ui.Calls, (Strings{
                          "SetJobCaption(Removing Duplicate Host File Entries...)",
                          "StartTiming()",
                          "SetProgress(0)",
                          "SetProgressMax(3)",
                          "SetBusy(1)",
                          "EnableEntryList()",
                          "SetProgress(1)",
                          "SetProgress(2)",
                          "SetProgress(3)",
                          "SetCounts(5, 2, 3)",
                          "SetUndo(Undo Remove Duplicates, 1)",
                          "SetBusy(0)",
                          "TimeControl()",
                          "EntriesChanged()",
                      }));
  EXPECT_EQ(ListItems(doc), (Strings{"alpha", "beta", "gamma"}));
  EXPECT_EQ(Texts(doc.Entries), (Strings{"alpha", "beta", "gamma"}));
  EXPECT_EQ(doc.EntryCount, 3);
  EXPECT_EQ(Texts(doc.EntriesBeforeDedup), (Strings{"alpha", "beta", "alpha", "gamma", "beta"}));
  EXPECT_EQ(doc.LastAction, kActionRemoveDuplicates);
  EXPECT_EQ(doc.ChangeCount, 1);

  ui.Forget();
  Undo(doc, ui);
  EXPECT_EQ(ui.Calls, (Strings{
                          "ShowWaitWindow()",
                          "SetJobCaption(Undoing Remove Duplicates to Host File Entries...)",
                          "SetBusy(1)",
                          "StartTiming()",
                          "SetProgressRange(0, 5)",
                          "SetProgress(1)",
                          "SetProgress(2)",
                          "SetProgress(3)",
                          "SetProgress(4)",
                          "SetProgress(5)",
                          "SetUndo(Undo, 0)",
                          "TimeControl()",
                          "SetBusy(0)",
                          "SetCounts(, , )",
                          "EntriesChanged()",
                      }));
  // Entries back in file order, the list sorted, duplicates included.
  EXPECT_EQ(Texts(doc.Entries), (Strings{"alpha", "beta", "alpha", "gamma", "beta"}));
  EXPECT_EQ(ListItems(doc), (Strings{"alpha", "alpha", "beta", "beta", "gamma"}));
  EXPECT_EQ(doc.EntryCount, 5);
  EXPECT_EQ(doc.ChangeCount, 0);
  EXPECT_EQ(doc.LastAction, kActionRemoveDuplicates);  // stale, but Undo is disabled
  EXPECT_FALSE(ui.UndoEnabled);
}

TEST(RemoveDuplicatesJob, NothingRepeatedDisarmsUndoAndCountsNoChange) {
  HostsDocument doc;
  Load(doc, {"gamma", "alpha", "beta"});
  doc.ChangeCount = 2;
  doc.LastAction = kActionAdd;
  FakeUi ui;
  ui.SetUndo("Undo Add", true);
  RemoveDuplicatesJob(doc, ui);

  EXPECT_EQ(ui.Text1, "3");
  EXPECT_EQ(ui.Text2, "0");
  EXPECT_EQ(ui.Text3, "3");
  EXPECT_EQ(ui.UndoCaption, "Undo");
  EXPECT_FALSE(ui.UndoEnabled);
  EXPECT_EQ(doc.LastAction, kActionNone);
  EXPECT_EQ(doc.ChangeCount, 2);
  EXPECT_EQ(Texts(doc.Entries), (Strings{"alpha", "beta", "gamma"}));
  EXPECT_EQ(Texts(doc.EntriesBeforeDedup), (Strings{"gamma", "alpha", "beta"}));
}

TEST(RemoveDuplicatesJob, SecondRunRemovesNothingAndLosesTheFirstUndo) {
  HostsDocument doc;
  Load(doc, {"b", "a", "b"});
  FakeUi ui;
  RemoveDuplicatesJob(doc, ui);
  ASSERT_TRUE(ui.UndoEnabled);
  RemoveDuplicatesJob(doc, ui);

  EXPECT_EQ(ui.Text1, "2");
  EXPECT_EQ(ui.Text2, "0");
  EXPECT_EQ(ui.Text3, "2");
  EXPECT_FALSE(ui.UndoEnabled);
  EXPECT_EQ(doc.LastAction, kActionNone);
  EXPECT_EQ(doc.ChangeCount, 1);
  // The copy for the undo is now the deduplicated list.
  EXPECT_EQ(Texts(doc.EntriesBeforeDedup), (Strings{"a", "b"}));
}

TEST(RemoveDuplicatesJob, InnerSpaceOrTabMakesADifferentEntry) {
  HostsDocument doc;
  Load(doc, {"a b", "a\tb", "a  b", "a b", "ab"});
  FakeUi ui;
  RemoveDuplicatesJob(doc, ui);
  EXPECT_EQ(ListItems(doc), (Strings{"a\tb", "a  b", "a b", "ab"}));
  EXPECT_EQ(ui.Text2, "1");
}

TEST(RemoveDuplicatesJob, EmptyHostPartsAreDroppedAndComeBackWithTheUndo) {
  HostsDocument doc;
  Load(doc, {"", "beta", "", "alpha", "beta"});
  ASSERT_EQ(doc.List1.Count(), 3);
  FakeUi ui;
  RemoveDuplicatesJob(doc, ui);
  EXPECT_EQ(Texts(doc.Entries), (Strings{"alpha", "beta"}));
  EXPECT_EQ(doc.EntryCount, 2);
  EXPECT_EQ(ui.Text1, "3");
  EXPECT_EQ(ui.Text2, "1");
  EXPECT_EQ(ui.Text3, "2");

  Undo(doc, ui);
  EXPECT_EQ(Texts(doc.Entries), (Strings{"", "beta", "", "alpha", "beta"}));
  EXPECT_EQ(doc.EntryCount, 5);
  // The undo puts every element into the list, the empty ones as well.
  EXPECT_EQ(ListItems(doc), (Strings{"", "", "alpha", "beta", "beta"}));

  // Counted again from that list, the empty items are the duplicates.
  RemoveDuplicatesJob(doc, ui);
  EXPECT_EQ(ui.Text1, "5");
  EXPECT_EQ(ui.Text2, "3");
  EXPECT_EQ(ui.Text3, "2");
}

TEST(RemoveDuplicatesJob, NoEntryLeftTellsAndLeavesCountsAndUndo) {
  HostsDocument doc;
  Load(doc, {"", ""});
  doc.LastAction = kActionDelete;
  doc.ChangeCount = 1;
  FakeUi ui;
  RemoveDuplicatesJob(doc, ui);

  ASSERT_EQ(ui.Told.size(), 1u);
  EXPECT_EQ(ui.Told[0],
            (FakeUi::Message{"No Host Listings Found",
                             "Nothing Found in File or Incorrect File Type", Icon::Critical}));
  for (const std::string& name : ui.CallNames()) {
    EXPECT_NE(name, "SetCounts");
    EXPECT_NE(name, "SetUndo");
    EXPECT_NE(name, "EnableEntryList");
  }
  EXPECT_EQ(doc.LastAction, kActionDelete);
  EXPECT_EQ(doc.ChangeCount, 1);
  EXPECT_TRUE(doc.Entries.Empty());
  EXPECT_EQ(doc.EntryCount, 0);
  EXPECT_EQ(doc.List1.Count(), 0);
  EXPECT_FALSE(ui.Busy);
  EXPECT_EQ(ui.TimeControlled, 1);
}

// The bar moves in at most a hundred steps, upwards, and ends full.
void ExpectFewRisingSteps(const std::vector<int32_t>& values, int32_t maximum) {
  ASSERT_FALSE(values.empty());
  EXPECT_LE(values.size(), 102u);
  EXPECT_GE(values.size(), 50u);
  for (size_t i = 1; i < values.size(); ++i) EXPECT_LT(values[i - 1], values[i]);
  EXPECT_EQ(values.back(), maximum);
}

TEST(RemoveDuplicatesJob, LargeListMovesTheBarInFewSteps) {
  HostsDocument doc;
  std::vector<std::string> names;
  for (int i = 0; i < 30000; ++i) names.push_back("host" + std::to_string(i % 20000) + ".example");
  for (const std::string& name : names) doc.Entries.Append(doc.Texts.Keep(name));
  doc.EntryCount = doc.Entries.Count();
  for (const Text entry : doc.Entries) doc.List1.Append(entry);
  doc.List1.Sort();

  FakeUi ui;
  RemoveDuplicatesJob(doc, ui);
  ASSERT_EQ(ui.ProgressValues.front(), 0);
  ui.ProgressValues.erase(ui.ProgressValues.begin());
  ExpectFewRisingSteps(ui.ProgressValues, 20000);
  EXPECT_EQ(ui.ProgressMax, 20000);
  EXPECT_EQ(ui.Text2, "10000");
  EXPECT_TRUE(std::is_sorted(doc.List1.Items().begin(), doc.List1.Items().end()));
  EXPECT_EQ(Texts(doc.Entries), ListItems(doc));

  ui.ProgressValues.clear();
  Undo(doc, ui);
  ExpectFewRisingSteps(ui.ProgressValues, 30000);
  EXPECT_EQ(Texts(doc.Entries), Strings(names.begin(), names.end()));
  EXPECT_EQ(doc.List1.Count(), 30000);
  EXPECT_TRUE(std::is_sorted(doc.List1.Items().begin(), doc.List1.Items().end()));
}

TEST(OneBasedStamp, SurvivesReadsOnlyAndCopiesStartWithout) {
  OneBased<Text> values(std::vector<Text>{"a", "b"});
  EXPECT_EQ(values.Stamp(), 0u);
  const uint64_t stamp = values.Restamp();
  EXPECT_NE(stamp, 0u);
  const OneBased<Text>& reading = values;
  EXPECT_EQ(reading(2), "b");
  for (const Text t : reading) EXPECT_FALSE(t.empty());
  EXPECT_EQ(values.Stamp(), stamp);
  const OneBased<Text> copy = values;
  EXPECT_EQ(copy.Stamp(), 0u);
  values(1) = "c";
  EXPECT_EQ(values.Stamp(), 0u);
  EXPECT_NE(values.Restamp(), stamp);
}

// After the load job, List1 holds the sorted entries and the removal takes
// them from there; any change to Entries since then makes it sort Entries
// itself, whose values are what the removal works on.
TEST(RemoveDuplicatesJob, UsesTheLoadedListOnlyWhileEntriesAreUnchanged) {
  // Read from a file's bytes, as Open does: the load job keeps only the
  // texts of the file last read.
  HostsDocument doc;
  ASSERT_EQ(
      ReadHostsText("0 beta\r\n0 alpha\r\n0\t\r\n0 beta\r\n0 gamma\r\n0 alpha\r\n", doc).outcome,
      ReadOutcome::Loaded);
  FakeUi ui;
  LoadListsJob(doc, ui);
  ASSERT_TRUE(doc.List1.Mirrors(doc.Entries));
  RemoveDuplicatesJob(doc, ui);
  EXPECT_EQ(ListItems(doc), (Strings{"alpha", "beta", "gamma"}));
  EXPECT_EQ(Texts(doc.Entries), (Strings{"alpha", "beta", "gamma"}));
  EXPECT_EQ(ui.Text1 + " " + ui.Text2 + " " + ui.Text3, "5 2 3");

  ASSERT_EQ(ReadHostsText("0 beta\r\n0 alpha\r\n0 beta\r\n", doc).outcome, ReadOutcome::Loaded);
  LoadListsJob(doc, ui);
  doc.Entries(3) = doc.Texts.Keep("zeta");  // List1 not told
  EXPECT_FALSE(doc.List1.Mirrors(doc.Entries));
  RemoveDuplicatesJob(doc, ui);
  EXPECT_EQ(ListItems(doc), (Strings{"alpha", "beta", "zeta"}));

  // The list left by a removal mirrors the new entries: a second removal
  // finds nothing to remove.
  EXPECT_TRUE(doc.List1.Mirrors(doc.Entries));
  RemoveDuplicatesJob(doc, ui);
  EXPECT_EQ(ui.Text2, "0");
  EXPECT_EQ(ListItems(doc), (Strings{"alpha", "beta", "zeta"}));

  // An edit of the list itself ends the mirroring too.
  doc.List1.Add(doc.Texts.Keep("omega"));
  EXPECT_FALSE(doc.List1.Mirrors(doc.Entries));
}

// The removal's result is one array for Entries and List1. A second removal
// right after takes the marks of the first and must leave the saved entries
// as the first left them; an edit in between stops it trusting the marks.
TEST(RemoveDuplicatesJob, SharesItsResultAndKeepsTheUndoCopyWhenRunAgain) {
  HostsDocument doc;
  ASSERT_EQ(ReadHostsText("0 b\n0 a\n0 b\n0 c\n0 a\n", doc).outcome, ReadOutcome::Loaded);
  FakeUi ui;
  LoadListsJob(doc, ui);
  ASSERT_TRUE(doc.List1.Mirrors(doc.Entries));
  RemoveDuplicatesJob(doc, ui);
  EXPECT_EQ(std::as_const(doc.Entries).Items().data(), doc.List1.Items().data());
  EXPECT_TRUE(doc.List1.Mirrors(doc.Entries));
  EXPECT_EQ(doc.List1.Repeats(), std::vector<bool>(3, false));
  EXPECT_EQ(doc.List1.Selected(), SortedTextList::kNone);

  RemoveDuplicatesJob(doc, ui);
  EXPECT_EQ(ui.Text1 + " " + ui.Text2 + " " + ui.Text3, "3 0 3");
  EXPECT_EQ(Texts(doc.EntriesBeforeDedup), (Strings{"a", "b", "c"}));
  EXPECT_EQ(Texts(doc.Entries), (Strings{"a", "b", "c"}));
  EXPECT_EQ(ListItems(doc), (Strings{"a", "b", "c"}));
  EXPECT_NE(std::as_const(doc.EntriesBeforeDedup).Items().data(), doc.List1.Items().data());

  // Entries edited behind the list's back: the marks are refused and the
  // removal sorts what Entries now holds.
  doc.Entries(3) = doc.Texts.Keep("a");
  EXPECT_FALSE(doc.List1.Mirrors(doc.Entries));
  EXPECT_EQ(ListItems(doc), (Strings{"a", "b", "c"}));
  RemoveDuplicatesJob(doc, ui);
  EXPECT_EQ(ui.Text1 + " " + ui.Text2 + " " + ui.Text3, "3 1 2");
  EXPECT_EQ(ListItems(doc), (Strings{"a", "b"}));
  EXPECT_EQ(Texts(doc.EntriesBeforeDedup), (Strings{"a", "b", "a"}));
}

}  // namespace
}  // namespace vantrel
