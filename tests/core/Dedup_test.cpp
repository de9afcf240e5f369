#include "core/Dedup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "core/Editing.h"
#include "core/HostsReader.h"
#include "core/OpenFile.h"
#include "core/ScriptedUi.h"
#include "core/TestDocument.h"
#include "core/TextSort.h"

namespace vantrel {
namespace {

using test::ListItems;
using test::Load;
using test::ScriptedUi;
using test::Strings;
using test::Texts;

// The undo command as the main window runs it: in the wait window.
void Undo(HostsDocument& doc, ScriptedUi& ui) { UndoLastAction(doc, ui); }

TEST(RemoveDuplicatesJob, FiveEntriesTwoRepeatedThenUndo) {
  HostsDocument doc;
  Load(doc, {"alpha", "beta", "alpha", "gamma", "beta"});
  ScriptedUi ui;
  RemoveDuplicatesJob(doc, ui);

  EXPECT_EQ(ui.Calls, (Strings{
                          "SetJobCaption(Removing Duplicate Host File Entries...)",
                          "SetProgress(0)",
                          "SetProgressRange(0, 3)",
                          "SetProgress(1)",
                          "SetProgress(2)",
                          "SetProgress(3)",
                      }));
  EXPECT_EQ(doc.Counts, (RemovalCounts{"5", "2", "3"}));
  EXPECT_EQ(doc.UndoCaption, "Undo Remove Duplicates");
  EXPECT_TRUE(doc.UndoArmed);
  EXPECT_EQ(ListItems(doc), (Strings{"alpha", "beta", "gamma"}));
  EXPECT_EQ(Texts(doc.Entries()), (Strings{"alpha", "beta", "gamma"}));
  EXPECT_EQ(doc.EntryCount(), 3);
  EXPECT_EQ(Texts(doc.EntriesBeforeDedup), (Strings{"alpha", "beta", "alpha", "gamma", "beta"}));
  EXPECT_EQ(doc.LastAction, kActionRemoveDuplicates);
  EXPECT_EQ(doc.ChangeCount, 1);

  ui.Forget();
  Undo(doc, ui);
  EXPECT_EQ(ui.Calls, (Strings{
                          "RunInWaitWindow()",
                          "SetJobCaption(Undoing Remove Duplicates to Host File Entries...)",
                          "SetProgressRange(0, 5)",
                          "SetProgress(1)",
                          "SetProgress(2)",
                          "SetProgress(3)",
                          "SetProgress(4)",
                          "SetProgress(5)",
                      }));
  EXPECT_EQ(doc.Counts, RemovalCounts{});
  EXPECT_EQ(doc.UndoCaption, "Undo");
  // Entries back in file order, the list sorted, duplicates included.
  EXPECT_EQ(Texts(doc.Entries()), (Strings{"alpha", "beta", "alpha", "gamma", "beta"}));
  EXPECT_EQ(ListItems(doc), (Strings{"alpha", "alpha", "beta", "beta", "gamma"}));
  EXPECT_EQ(doc.EntryCount(), 5);
  EXPECT_EQ(doc.ChangeCount, 0);
  EXPECT_EQ(doc.LastAction, kActionRemoveDuplicates);  // stale, but Undo is disabled
  EXPECT_FALSE(doc.UndoArmed);
}

TEST(RemoveDuplicatesJob, NothingRepeatedDisarmsUndoAndCountsNoChange) {
  HostsDocument doc;
  Load(doc, {"gamma", "alpha", "beta"});
  doc.ChangeCount = 2;
  doc.LastAction = kActionAdd;
  ScriptedUi ui;
  doc.ArmUndo(kActionAdd, "Undo Add");
  RemoveDuplicatesJob(doc, ui);

  EXPECT_EQ(doc.Counts.before, "3");
  EXPECT_EQ(doc.Counts.removed, "0");
  EXPECT_EQ(doc.Counts.left, "3");
  EXPECT_EQ(doc.UndoCaption, "Undo");
  EXPECT_FALSE(doc.UndoArmed);
  EXPECT_EQ(doc.LastAction, kActionNone);
  EXPECT_EQ(doc.ChangeCount, 2);
  EXPECT_EQ(Texts(doc.Entries()), (Strings{"alpha", "beta", "gamma"}));
  EXPECT_EQ(Texts(doc.EntriesBeforeDedup), (Strings{"gamma", "alpha", "beta"}));
}

TEST(RemoveDuplicatesJob, SecondRunRemovesNothingAndLosesTheFirstUndo) {
  HostsDocument doc;
  Load(doc, {"b", "a", "b"});
  ScriptedUi ui;
  RemoveDuplicatesJob(doc, ui);
  ASSERT_TRUE(doc.UndoArmed);
  RemoveDuplicatesJob(doc, ui);

  EXPECT_EQ(doc.Counts.before, "2");
  EXPECT_EQ(doc.Counts.removed, "0");
  EXPECT_EQ(doc.Counts.left, "2");
  EXPECT_FALSE(doc.UndoArmed);
  EXPECT_EQ(doc.LastAction, kActionNone);
  EXPECT_EQ(doc.ChangeCount, 1);
  // The copy for the undo is now the deduplicated list.
  EXPECT_EQ(Texts(doc.EntriesBeforeDedup), (Strings{"a", "b"}));
}

TEST(RemoveDuplicatesJob, InnerSpaceOrTabMakesADifferentEntry) {
  HostsDocument doc;
  Load(doc, {"a b", "a\tb", "a  b", "a b", "ab"});
  ScriptedUi ui;
  RemoveDuplicatesJob(doc, ui);
  EXPECT_EQ(ListItems(doc), (Strings{"a\tb", "a  b", "a b", "ab"}));
  EXPECT_EQ(doc.Counts.removed, "1");
}

TEST(RemoveDuplicatesJob, EmptyHostPartsAreDroppedAndComeBackWithTheUndo) {
  HostsDocument doc;
  Load(doc, {"", "beta", "", "alpha", "beta"});
  ASSERT_EQ(doc.List1.Count(), 3);
  ScriptedUi ui;
  RemoveDuplicatesJob(doc, ui);
  EXPECT_EQ(Texts(doc.Entries()), (Strings{"alpha", "beta"}));
  EXPECT_EQ(doc.EntryCount(), 2);
  EXPECT_EQ(doc.Counts.before, "3");
  EXPECT_EQ(doc.Counts.removed, "1");
  EXPECT_EQ(doc.Counts.left, "2");

  Undo(doc, ui);
  EXPECT_EQ(Texts(doc.Entries()), (Strings{"", "beta", "", "alpha", "beta"}));
  EXPECT_EQ(doc.EntryCount(), 5);
  // The undo puts every element into the list, the empty ones as well.
  EXPECT_EQ(ListItems(doc), (Strings{"", "", "alpha", "beta", "beta"}));

  // Counted again from that list, the empty items are the duplicates.
  RemoveDuplicatesJob(doc, ui);
  EXPECT_EQ(doc.Counts.before, "5");
  EXPECT_EQ(doc.Counts.removed, "3");
  EXPECT_EQ(doc.Counts.left, "2");
}

TEST(RemoveDuplicatesJob, NoEntryLeftTellsAndLeavesCountsAndUndo) {
  HostsDocument doc;
  Load(doc, {"", ""});
  doc.ArmUndo(kActionDelete, "Undo Delete");
  doc.Counts = {"4", "1", "3"};
  doc.ElapsedTime = "00: 00: 07";
  doc.ChangeCount = 1;
  ScriptedUi ui;
  RemoveDuplicatesJob(doc, ui);

  ASSERT_EQ(ui.Told.size(), 1u);
  EXPECT_EQ(ui.Told[0],
            (ScriptedUi::Message{"No Host Listings Found",
                                 "Nothing Found in File or Incorrect File Type", Icon::Critical}));
  EXPECT_EQ(doc.Counts, (RemovalCounts{"4", "1", "3"}));
  EXPECT_EQ(doc.UndoCaption, "Undo Delete");
  EXPECT_TRUE(doc.UndoArmed);
  EXPECT_EQ(doc.LastAction, kActionDelete);
  EXPECT_EQ(doc.ChangeCount, 1);
  EXPECT_TRUE(doc.Entries().Empty());
  EXPECT_EQ(doc.EntryCount(), 0);
  EXPECT_EQ(doc.List1.Count(), 0);
  EXPECT_EQ(doc.ElapsedTime, "00: 00: 00");  // timed all the same
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
  TextArray entries;
  for (const std::string& name : names) entries.push_back(doc.Texts.Keep(name));
  doc.List1.Assign(SortedTexts(entries, SortedCopy::All));
  doc.SetEntries(std::move(entries));

  ScriptedUi ui;
  RemoveDuplicatesJob(doc, ui);
  ASSERT_EQ(ui.ProgressValues.front(), 0);
  ui.ProgressValues.erase(ui.ProgressValues.begin());
  ExpectFewRisingSteps(ui.ProgressValues, 20000);
  EXPECT_EQ(ui.ProgressMax, 20000);
  EXPECT_EQ(doc.Counts.removed, "10000");
  EXPECT_TRUE(std::is_sorted(doc.List1.Items().begin(), doc.List1.Items().end()));
  EXPECT_EQ(Texts(doc.Entries()), ListItems(doc));

  ui.ProgressValues.clear();
  Undo(doc, ui);
  ExpectFewRisingSteps(ui.ProgressValues, 30000);
  EXPECT_EQ(Texts(doc.Entries()), Strings(names.begin(), names.end()));
  EXPECT_EQ(doc.List1.Count(), 30000);
  EXPECT_TRUE(std::is_sorted(doc.List1.Items().begin(), doc.List1.Items().end()));
}

// The removal drops the repeats where the list holds them (with the load's
// marks, or when Entries follows the list) and sorts Entries otherwise; each
// way gives the same list, Entries following it, and the undo copy.
TEST(RemoveDuplicatesJob, EveryWayToTheDistinctEntriesGivesTheSame) {
  const std::string file = "0 beta\r\n0 alpha\r\n0\t\r\n0 beta\r\n0 gamma\r\n0 alpha\r\n";
  const Strings loaded{"beta", "alpha", "", "beta", "gamma", "alpha"};
  const struct {
    const char* name;
    bool loadJob;  // List1 from the load job, with its marks
    bool add;      // an entry added first (Entries follows the list, a text past it)
  } cases[] = {{"marks", true, false}, {"sorted", false, false}, {"after an add", true, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    HostsDocument doc;
    ASSERT_EQ(ReadHostsText(file, doc).outcome, ReadOutcome::Loaded);
    ScriptedUi ui;
    if (c.loadJob) {
      LoadListsJob(doc, ui);
    } else {
      doc.List1.Assign(SortedTexts(doc.CopyEntries(), SortedCopy::NonEmpty));
    }
    Strings before = loaded;
    if (c.add) {
      ui.AnswerYesNo(true);
      ui.AnswerInput("beta");
      AddEntry(doc, ui);
      // The rebuild puts the list's items first and keeps the added text
      // past them, where the empty host part was.
      before = {"alpha", "alpha", "beta", "beta", "beta", "gamma", "beta"};
      ASSERT_EQ(Texts(doc.Entries()), before);
    }
    RemoveDuplicatesJob(doc, ui);
    EXPECT_EQ(ListItems(doc), (Strings{"alpha", "beta", "gamma"}));
    EXPECT_EQ(Texts(doc.Entries()), ListItems(doc));
    EXPECT_EQ(Texts(doc.EntriesBeforeDedup), before);
    EXPECT_EQ(doc.List1.Selected(), SortedTextList::kNone);

    // Run again, on the list it left: nothing more to remove.
    RemoveDuplicatesJob(doc, ui);
    EXPECT_EQ(doc.Counts.before + " " + doc.Counts.removed + " " + doc.Counts.left, "3 0 3");
    EXPECT_EQ(Texts(doc.EntriesBeforeDedup), (Strings{"alpha", "beta", "gamma"}));
  }
}

}  // namespace
}  // namespace vantrel
