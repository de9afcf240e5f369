#include "core/Editing.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "core/Dedup.h"
#include "core/ScriptedUi.h"
#include "core/TestDocument.h"

namespace vantrel {
namespace {

using test::ListItems;
using test::Load;
using test::ScriptedUi;
using test::SelectItem;
using test::Strings;
using test::Texts;

using Message = ScriptedUi::Message;
using InputAsked = ScriptedUi::InputAsked;

const Message kAddQuestion{"Add New Host Entry",
                           "Are you sure you would like to add a new host entry?", Icon::Question};
const InputAsked kAddInput{"Enter in the New Host Entry:", "Add New Host Entry", ""};
const Message kDeleteQuestion{"Delete Host Entry",
                              "Are you sure you would like to delete this new host entry?",
                              Icon::Question};

// Entries mirrors List1 after every edit of a document without empty host
// parts.
void ExpectEntriesMirrorList(const HostsDocument& doc) {
  EXPECT_EQ(Texts(doc.Entries()), ListItems(doc));
}

std::string SelectedText(const HostsDocument& doc) {
  return std::string(doc.List1.Item(doc.List1.Selected()));
}

class Editing : public ::testing::Test {
 protected:
  void Add(const std::string& typed) {
    ui.AnswerYesNo(true);
    ui.AnswerInput(typed);
    AddEntry(doc, ui);
  }
  void Change(const std::string& from, const std::string& typed) {
    SelectItem(doc, from);
    ui.AnswerYesNo(true);
    ui.AnswerInput(typed);
    ChangeEntry(doc, ui);
  }
  void Delete(const std::string& text) {
    SelectItem(doc, text);
    ui.AnswerYesNo(true);
    DeleteEntry(doc, ui);
  }
  void TearDown() override { EXPECT_TRUE(ui.AllAnswered()); }

  HostsDocument doc;
  ScriptedUi ui;
};

TEST_F(Editing, AddLowerCasesKeepsSpacesSortsAndSelects) {
  Load(doc, {"delta", "beta"});
  Add("  GaMMa X ");
  EXPECT_EQ(ui.Questions, std::vector<Message>{kAddQuestion});
  EXPECT_EQ(ui.Inputs, std::vector<InputAsked>{kAddInput});
  EXPECT_EQ(ListItems(doc), (Strings{"  gamma x ", "beta", "delta"}));
  EXPECT_EQ(SelectedText(doc), "  gamma x ");
  ExpectEntriesMirrorList(doc);
  EXPECT_EQ(doc.EntryCount(), 3);
  EXPECT_EQ(doc.ChangeCount, 1);
  EXPECT_EQ(doc.LastAction, kActionAdd);
  EXPECT_EQ(doc.UndoAddedEntry, "  gamma x ");
  EXPECT_EQ(doc.UndoCaption, "Undo Add");
  EXPECT_TRUE(doc.UndoArmed);
}

TEST_F(Editing, AddOfAnExistingTextSelectsTheSecondCopy) {
  Load(doc, {"alpha", "beta", "gamma"});
  Add("Beta");
  EXPECT_EQ(ListItems(doc), (Strings{"alpha", "beta", "beta", "gamma"}));
  EXPECT_EQ(doc.List1.Selected(), 2);
  EXPECT_EQ(doc.EntryCount(), 4);
}

TEST_F(Editing, AddAnsweredNoOrCancelledChangesNothing) {
  Load(doc, {"alpha", "beta"});
  Add("gamma");  // arms "Undo Add", ChangeCount 1
  SelectItem(doc, "alpha");
  const Strings items = ListItems(doc);
  ui.Forget();

  ui.AnswerYesNo(false);
  AddEntry(doc, ui);
  ui.AnswerYesNo(true);
  ui.AnswerInput("");
  AddEntry(doc, ui);

  EXPECT_EQ(ui.CallNames(), (Strings{"AskYesNo", "AskYesNo", "Input"}));
  EXPECT_EQ(ListItems(doc), items);
  EXPECT_EQ(SelectedText(doc), "alpha");
  ExpectEntriesMirrorList(doc);
  EXPECT_EQ(doc.EntryCount(), 3);
  EXPECT_EQ(doc.ChangeCount, 1);
  EXPECT_EQ(doc.LastAction, kActionAdd);
}

TEST_F(Editing, AddAnsweredNoIntoAnEmptyListLeavesNoElements) {
  Load(doc, {});
  ui.AnswerYesNo(false);
  AddEntry(doc, ui);
  EXPECT_EQ(doc.EntryCount(), 0);
  EXPECT_TRUE(doc.Entries().Empty());
}

TEST_F(Editing, UndoAddRemovesTheAddedItem) {
  Load(doc, {"beta", "alpha"});
  Add("gamma");
  UndoLastAction(doc, ui);
  EXPECT_EQ(ListItems(doc), (Strings{"alpha", "beta"}));
  ExpectEntriesMirrorList(doc);
  EXPECT_EQ(doc.EntryCount(), 2);
  EXPECT_EQ(doc.ChangeCount, 0);
  EXPECT_EQ(doc.UndoCaption, "Undo");
  EXPECT_FALSE(doc.UndoArmed);
  EXPECT_EQ(doc.List1.Selected(), SortedTextList::kNone);
}

TEST_F(Editing, UndoAddIntoAnEmptyListEmptiesEntries) {
  Load(doc, {});
  Add("alpha");
  ASSERT_EQ(doc.EntryCount(), 1);
  UndoLastAction(doc, ui);
  EXPECT_EQ(doc.List1.Count(), 0);
  EXPECT_EQ(doc.EntryCount(), 0);
  EXPECT_TRUE(doc.Entries().Empty());
}

TEST_F(Editing, UndoAddOfARepeatedTextFollowsTheSkippingScan) {
  // One earlier copy: the scan removes the first and skips the one that
  // slid into its place, so exactly one goes.
  Load(doc, {"beta", "alpha"});
  Add("beta");
  UndoLastAction(doc, ui);
  EXPECT_EQ(ListItems(doc), (Strings{"alpha", "beta"}));
  EXPECT_EQ(doc.EntryCount(), 2);

  // Two earlier copies: every other equal item goes, two of the three.
  Load(doc, {"beta", "beta", "alpha"});
  Add("beta");
  UndoLastAction(doc, ui);
  EXPECT_EQ(ListItems(doc), (Strings{"alpha", "beta"}));
  EXPECT_EQ(doc.EntryCount(), 2);
  ExpectEntriesMirrorList(doc);
}

TEST_F(Editing, ChangeAsksWithTheItemsTextThenUndoPutsItBack) {
  Load(doc, {"alpha", "beta", "delta"});
  Change("beta", "Zeta");
  EXPECT_EQ(ui.Questions,
            (std::vector<Message>{{"Change Host Entry",
                                   "Are you sure you would like to change the entry for beta ?",
                                   Icon::Question}}));
  EXPECT_EQ(
      ui.Inputs,
      (std::vector<InputAsked>{{"Enter in the new Host Value:", "Change value for beta", "beta"}}));
  EXPECT_EQ(ListItems(doc), (Strings{"alpha", "delta", "zeta"}));
  EXPECT_EQ(SelectedText(doc), "zeta");
  ExpectEntriesMirrorList(doc);
  EXPECT_EQ(doc.ChangeCount, 1);
  EXPECT_EQ(doc.UndoOldEntry, "beta");
  EXPECT_EQ(doc.UndoNewEntry, "zeta");
  EXPECT_EQ(doc.UndoCaption, "Undo Change");
  EXPECT_TRUE(doc.UndoArmed);

  UndoLastAction(doc, ui);
  EXPECT_EQ(ListItems(doc), (Strings{"alpha", "beta", "delta"}));
  EXPECT_EQ(SelectedText(doc), "beta");
  ExpectEntriesMirrorList(doc);
  EXPECT_EQ(doc.EntryCount(), 3);
  EXPECT_EQ(doc.ChangeCount, 0);
  EXPECT_EQ(doc.UndoCaption, "Undo");
  EXPECT_FALSE(doc.UndoArmed);
}

TEST_F(Editing, ChangeCancelledAfterConfirmingDisarmsAnEarlierUndo) {
  Load(doc, {"alpha", "beta"});
  Add("gamma");
  ui.Forget();
  Change("alpha", "");
  EXPECT_EQ(ListItems(doc), (Strings{"alpha", "beta", "gamma"}));
  EXPECT_EQ(doc.ChangeCount, 1);
  EXPECT_EQ(doc.UndoCaption, "Undo");
  EXPECT_FALSE(doc.UndoArmed);
  // Armed for the change first, then disarmed by the empty answer.
  EXPECT_EQ(doc.LastAction, kActionChange);
}

TEST_F(Editing, ChangeAnsweredNoKeepsAnEarlierUndo) {
  Load(doc, {"alpha", "beta"});
  Add("gamma");
  ui.Forget();
  SelectItem(doc, "alpha");
  ui.AnswerYesNo(false);
  ChangeEntry(doc, ui);
  EXPECT_EQ(ui.CallNames(), Strings{"AskYesNo"});
  EXPECT_EQ(doc.LastAction, kActionAdd);
  EXPECT_EQ(doc.ChangeCount, 1);
  EXPECT_TRUE(doc.UndoArmed);
}

TEST_F(Editing, ChangeToTheSameTextCountsAsAChange) {
  Load(doc, {"alpha", "beta"});
  Change("beta", "beta");
  EXPECT_EQ(ListItems(doc), (Strings{"alpha", "beta"}));
  EXPECT_EQ(SelectedText(doc), "beta");
  EXPECT_EQ(doc.ChangeCount, 1);
  EXPECT_EQ(doc.UndoCaption, "Undo Change");
}

TEST_F(Editing, UndoChangeReplacesOnlyTheFirstCopyOfTheNewText) {
  Load(doc, {"alpha", "beta", "beta", "gamma"});
  Change("alpha", "beta");
  ASSERT_EQ(ListItems(doc), (Strings{"beta", "beta", "beta", "gamma"}));
  EXPECT_EQ(doc.List1.Selected(), 2);
  UndoLastAction(doc, ui);
  EXPECT_EQ(ListItems(doc), (Strings{"alpha", "beta", "beta", "gamma"}));
  EXPECT_EQ(SelectedText(doc), "alpha");
  ExpectEntriesMirrorList(doc);
}

TEST_F(Editing, ChangeOrDeleteWithNothingSelectedTells) {
  Load(doc, {"alpha"});
  ChangeEntry(doc, ui);
  DeleteEntry(doc, ui);
  Load(doc, {});
  DeleteEntry(doc, ui);
  const Message change{"Select Host Entry",
                       "Please Select Host Entry from the list that you wish to change",
                       Icon::Critical};
  const Message del{"Host List Empty or Not Selected",
                    "There are no more Host Entries to Delete or No Host Enrty is Selected.",
                    Icon::Information};
  EXPECT_EQ(ui.Told, (std::vector<Message>{change, del, del}));
  EXPECT_TRUE(ui.Questions.empty());
  EXPECT_EQ(doc.ChangeCount, 0);
}

TEST_F(Editing, DeleteThenUndoBringsTheItemBackSelected) {
  Load(doc, {"gamma", "alpha", "beta"});
  Delete("beta");
  EXPECT_EQ(ui.Questions, std::vector<Message>{kDeleteQuestion});
  EXPECT_EQ(ListItems(doc), (Strings{"alpha", "gamma"}));
  EXPECT_EQ(doc.List1.Selected(), SortedTextList::kNone);
  ExpectEntriesMirrorList(doc);
  EXPECT_EQ(doc.EntryCount(), 2);
  EXPECT_EQ(doc.ChangeCount, 1);
  EXPECT_EQ(doc.UndoDeletedEntry, "beta");
  EXPECT_EQ(doc.UndoCaption, "Undo Delete");
  EXPECT_TRUE(doc.UndoArmed);

  UndoLastAction(doc, ui);
  EXPECT_EQ(ListItems(doc), (Strings{"alpha", "beta", "gamma"}));
  EXPECT_EQ(SelectedText(doc), "beta");
  ExpectEntriesMirrorList(doc);
  EXPECT_EQ(doc.EntryCount(), 3);
  EXPECT_EQ(doc.ChangeCount, 0);
  EXPECT_FALSE(doc.UndoArmed);
}

TEST_F(Editing, DeleteAnsweredNoChangesNothing) {
  Load(doc, {"alpha", "beta"});
  SelectItem(doc, "beta");
  ui.AnswerYesNo(false);
  DeleteEntry(doc, ui);
  EXPECT_EQ(ListItems(doc), (Strings{"alpha", "beta"}));
  EXPECT_EQ(SelectedText(doc), "beta");
  EXPECT_EQ(doc.ChangeCount, 0);
  EXPECT_EQ(doc.LastAction, kActionNone);
}

TEST_F(Editing, DeleteOfTheLastEntryLeavesNoElements) {
  Load(doc, {"alpha"});
  Delete("alpha");
  EXPECT_EQ(doc.EntryCount(), 0);
  EXPECT_TRUE(doc.Entries().Empty());
  UndoLastAction(doc, ui);
  EXPECT_EQ(ListItems(doc), Strings{"alpha"});
  ExpectEntriesMirrorList(doc);
}

TEST_F(Editing, DeleteEmptiesElementsPastTheListWhenHostPartsWereEmpty) {
  // A load with an empty host part: one element more than list items.
  Load(doc, {"beta", "", "alpha", "gamma"});
  Delete("alpha");
  EXPECT_EQ(ListItems(doc), (Strings{"beta", "gamma"}));
  EXPECT_EQ(Texts(doc.Entries()), (Strings{"beta", "gamma", ""}));
  EXPECT_EQ(doc.EntryCount(), 3);
}

TEST_F(Editing, UndoAfterASaveCountsAsAnUnsavedChange) {
  Load(doc, {"alpha", "beta", "gamma"});
  Add("delta");
  doc.ChangeCount = 0;  // saved
  UndoLastAction(doc, ui);
  EXPECT_EQ(doc.ChangeCount, 1);

  Change("alpha", "omega");
  doc.ChangeCount = 0;
  UndoLastAction(doc, ui);
  EXPECT_EQ(doc.ChangeCount, 1);

  Delete("beta");
  doc.ChangeCount = 0;
  UndoLastAction(doc, ui);
  EXPECT_EQ(doc.ChangeCount, 1);

  Load(doc, {"a", "a"});
  RemoveDuplicatesJob(doc, ui);
  doc.ChangeCount = 0;
  UndoLastAction(doc, ui);
  EXPECT_EQ(doc.ChangeCount, 1);
  EXPECT_EQ(ListItems(doc), (Strings{"a", "a"}));
}

// Every edit after a removal changes the list, and Entries follows it.
TEST_F(Editing, EditsAfterARemovalKeepEntriesFollowingTheList) {
  Load(doc, {"gamma", "alpha", "beta", "alpha", "delta"});
  RemoveDuplicatesJob(doc, ui);

  Delete("beta");
  EXPECT_EQ(ListItems(doc), (Strings{"alpha", "delta", "gamma"}));
  ExpectEntriesMirrorList(doc);
  UndoLastAction(doc, ui);
  EXPECT_EQ(ListItems(doc), (Strings{"alpha", "beta", "delta", "gamma"}));
  ExpectEntriesMirrorList(doc);

  RemoveDuplicatesJob(doc, ui);
  Add("epsilon");
  EXPECT_EQ(ListItems(doc), (Strings{"alpha", "beta", "delta", "epsilon", "gamma"}));
  EXPECT_EQ(SelectedText(doc), "epsilon");
  ExpectEntriesMirrorList(doc);

  RemoveDuplicatesJob(doc, ui);
  Change("delta", "omega");
  EXPECT_EQ(ListItems(doc), (Strings{"alpha", "beta", "epsilon", "gamma", "omega"}));
  ExpectEntriesMirrorList(doc);
  EXPECT_EQ(Texts(doc.EntriesBeforeDedup), (Strings{"alpha", "beta", "delta", "epsilon", "gamma"}));
}

TEST_F(Editing, EditsAfterAnUndoneRemovalAndTheNextRemoval) {
  Load(doc, {"b", "a", "b", ""});
  RemoveDuplicatesJob(doc, ui);
  UndoLastAction(doc, ui);
  EXPECT_EQ(Texts(doc.Entries()), (Strings{"b", "a", "b", ""}));

  Add("c");
  EXPECT_EQ(ListItems(doc), (Strings{"", "a", "b", "b", "c"}));
  EXPECT_EQ(Texts(doc.Entries()), (Strings{"", "a", "b", "b", "c"}));

  // A later removal saves the entries as they are now, and its undo brings
  // exactly those back.
  RemoveDuplicatesJob(doc, ui);
  EXPECT_EQ(doc.Counts.before + " " + doc.Counts.removed + " " + doc.Counts.left, "5 2 3");
  EXPECT_EQ(Texts(doc.Entries()), (Strings{"a", "b", "c"}));
  UndoLastAction(doc, ui);
  EXPECT_EQ(Texts(doc.Entries()), (Strings{"", "a", "b", "b", "c"}));
  EXPECT_EQ(ListItems(doc), (Strings{"", "a", "b", "b", "c"}));
}

TEST_F(Editing, UndoOfDuplicateRemovalRunsInTheWaitWindow) {
  Load(doc, {"a"});
  doc.LastAction = kActionRemoveDuplicates;
  UndoLastAction(doc, ui);
  ASSERT_GE(ui.Calls.size(), 2u);
  EXPECT_EQ(ui.Calls[0], "RunInWaitWindow()");
  EXPECT_EQ(ui.Calls[1], "SetJobCaption(Undoing Remove Duplicates to Host File Entries...)");
}

TEST_F(Editing, UndoWithNothingToUndoOnlyDisarms) {
  Load(doc, {"a"});
  doc.ChangeCount = 3;
  UndoLastAction(doc, ui);
  EXPECT_TRUE(ui.Calls.empty());
  EXPECT_EQ(doc.UndoCaption, "Undo");
  EXPECT_FALSE(doc.UndoArmed);
  EXPECT_EQ(doc.ChangeCount, 3);
}

}  // namespace
}  // namespace vantrel
