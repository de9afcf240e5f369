#include "core/Find.h"

#include <gtest/gtest.h>

#include <string>

#include "core/ScriptedUi.h"
#include "core/TestDocument.h"

namespace vantrel {
namespace {

using test::Load;
using test::ScriptedUi;
using test::Strings;

using Message = ScriptedUi::Message;

Message NotFound(const std::string& query) {
  return {"Query Not Found", "There are no more '" + query + "' entries found in the list",
          Icon::None};
}

class Find : public ::testing::Test {
 protected:
  // Enter in the box holding query; returns the selected item's index.
  int32_t Enter(const std::string& query) {
    box = query;
    FindKeyPress(doc, find, box, FindKey::Enter, ui);
    return doc.List1.Selected();
  }

  HostsDocument doc;
  FindState find;
  ScriptedUi ui;
  std::string box;
};

TEST_F(Find, FourPressesThenTheSearchStartsAgainFromTheTop) {
  Load(doc, {"ads.net", "alpha.com", "bads.com", "xyz", "zads.org", "zzz"});
  EXPECT_EQ(Enter("ads"), 0);
  EXPECT_EQ(Enter("ads"), 2);
  EXPECT_EQ(Enter("ads"), 4);
  EXPECT_TRUE(ui.Told.empty());
  EXPECT_EQ(find.FindPosition, 5);

  EXPECT_EQ(Enter("ads"), 4);  // the selection stays
  EXPECT_EQ(ui.Told, std::vector<Message>{NotFound("ads")});
  EXPECT_EQ(find.FindPosition, 0);
  EXPECT_EQ(box, "ads");  // the query stays for the next press

  EXPECT_EQ(Enter("ads"), 0);
  EXPECT_EQ(find.History, Strings{"ads"});
}

TEST_F(Find, MatchesAnyPartOfTheEntryWhateverTheCase) {
  Load(doc, {"beta", "alpha.example"});
  EXPECT_EQ(Enter("PhA.Ex"), 0);
  EXPECT_EQ(Enter("TA"), 1);
}

TEST_F(Find, AHitAtTheLastItemEndsTheListAtTheNextPress) {
  Load(doc, {"alpha", "beta", "gamma"});
  EXPECT_EQ(Enter("mm"), 2);
  EXPECT_EQ(find.FindPosition, 3);
  Enter("a");
  EXPECT_EQ(ui.Told, std::vector<Message>{NotFound("a")});
  EXPECT_EQ(doc.List1.Selected(), 2);
}

TEST_F(Find, ANewQueryContinuesBelowThePreviousHit) {
  Load(doc, {"ab1", "cd1", "ab2", "cd2"});  // ab1 ab2 cd1 cd2
  EXPECT_EQ(Enter("cd1"), 2);
  Enter("AB1");
  EXPECT_EQ(ui.Told, std::vector<Message>{NotFound("AB1")});  // as typed
  EXPECT_EQ(Enter("AB1"), 0);
}

TEST_F(Find, HistoryKeepsAQueryOnceWhateverItsCase) {
  Load(doc, {"alpha", "beta"});
  Enter("Alpha");
  Enter("ALPHA");  // not found below the hit: recorded the same way
  Enter("alpha");
  Enter("beta");
  EXPECT_EQ(find.History, (Strings{"Alpha", "beta"}));
}

TEST_F(Find, EmptyOrSpacedQueryIsRefused) {
  Load(doc, {"a b", "alpha"});
  find.FindPosition = 1;
  for (const std::string query : {"", "a b", " "}) {
    Enter(query);
    EXPECT_EQ(box, "");
  }
  EXPECT_EQ(ui.Told, std::vector<Message>(
                         3, {"Find", "Please do not include spaces while searching", Icon::None}));
  EXPECT_EQ(find.FindPosition, 1);
  EXPECT_TRUE(find.History.empty());
  EXPECT_EQ(doc.List1.Selected(), SortedTextList::kNone);

  // Only the space is refused; a tab is searched for like any character.
  Load(doc, {"a\tb"});
  find.FindPosition = 0;
  EXPECT_EQ(Enter("a\tb"), 0);
}

TEST_F(Find, EmptyListAddsTheQueryToTheHistoryEveryTime) {
  Load(doc, {});
  Enter("abc");
  Enter("abc");
  EXPECT_EQ(ui.Told, std::vector<Message>(2, {"Find", "The list is Empty", Icon::None}));
  EXPECT_EQ(find.History, (Strings{"abc", "abc"}));
  EXPECT_EQ(box, "");
}

TEST_F(Find, OnlyEnterSearches) {
  Load(doc, {"alpha"});
  box = "alpha";
  FindKeyPress(doc, find, box, FindKey::Other, ui);
  EXPECT_TRUE(ui.Calls.empty());
  EXPECT_EQ(doc.List1.Selected(), SortedTextList::kNone);
  EXPECT_EQ(box, "alpha");
}

}  // namespace
}  // namespace vantrel
