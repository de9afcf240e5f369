// Arrays that share one storage: reading keeps it shared, and a change to
// either side is seen by that side only.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/OneBased.h"
#include "core/SortedTextList.h"

namespace vantrel {
namespace {

using Strings = std::vector<std::string>;

Strings Texts(const OneBased<Text>& texts) { return Strings(texts.begin(), texts.end()); }
Strings Items(const SortedTextList& list) {
  return Strings(list.Items().begin(), list.Items().end());
}
const Text* Data(const OneBased<Text>& texts) { return texts.Items().data(); }

const Strings kABC{"a", "b", "c"};

OneBased<Text> ABC() { return OneBased<Text>(std::vector<Text>{"a", "b", "c"}); }

struct Change {
  const char* name;
  std::function<void(OneBased<Text>&)> apply;
  Strings after;  // what the changed array holds then
};

// Every kind of access that may change a OneBased array.
std::vector<Change> OneBasedChanges() {
  return {
      {"element", [](OneBased<Text>& t) { t(2) = "x"; }, {"a", "x", "c"}},
      {"resize", [](OneBased<Text>& t) { t.Resize(2); }, {"a", "b"}},
      {"grow", [](OneBased<Text>& t) { t.Resize(4); }, {"a", "b", "c", ""}},
      {"reallocate", [](OneBased<Text>& t) { t.Reallocate(1); }, {""}},
      {"clear", [](OneBased<Text>& t) { t.Clear(); }, {}},
      {"append", [](OneBased<Text>& t) { t.Append("d"); }, {"a", "b", "c", "d"}},
      {"through data", [](OneBased<Text>& t) { t.Items().data()[0] = "x"; }, {"x", "b", "c"}},
      {"through begin", [](OneBased<Text>& t) { *t.begin() = "x"; }, {"x", "b", "c"}},
      {"through end", [](OneBased<Text>& t) { *(t.end() - 1) = "x"; }, {"a", "b", "x"}},
  };
}

TEST(SharedOneBased, ShareWithCopiesNothingAndReadingKeepsItShared) {
  OneBased<Text> source = ABC();
  const uint64_t stamp = source.Restamp();
  OneBased<Text> sharer;
  sharer.Restamp();
  sharer.ShareWith(source);

  EXPECT_EQ(Data(sharer), Data(source));
  EXPECT_EQ(Texts(sharer), kABC);
  EXPECT_EQ(sharer.Stamp(), 0u);  // as a copy starts
  EXPECT_EQ(source.Stamp(), stamp);

  const OneBased<Text>& reading = sharer;
  EXPECT_EQ(reading(3), "c");
  EXPECT_EQ(reading.Count(), 3);
  EXPECT_TRUE(reading == source);
  EXPECT_EQ(Data(sharer), Data(source));
  EXPECT_EQ(source.Stamp(), stamp);
}

TEST(SharedOneBased, ChangingEitherSideLeavesTheOtherAsItWas) {
  for (const Change& change : OneBasedChanges()) {
    SCOPED_TRACE(change.name);
    {
      OneBased<Text> source = ABC();
      OneBased<Text> sharer;
      sharer.ShareWith(source);
      sharer.Restamp();
      change.apply(sharer);
      EXPECT_EQ(Texts(sharer), change.after);
      EXPECT_EQ(Texts(source), kABC);
      EXPECT_EQ(sharer.Stamp(), 0u);
    }
    {
      OneBased<Text> source = ABC();
      OneBased<Text> sharer;
      sharer.ShareWith(source);
      change.apply(source);
      EXPECT_EQ(Texts(source), change.after);
      EXPECT_EQ(Texts(sharer), kABC);
    }
  }
}

TEST(SharedOneBased, TheLastOwnerChangesInPlace) {
  OneBased<Text> source = ABC();
  const Text* data = Data(source);
  {
    OneBased<Text> sharer;
    sharer.ShareWith(source);
  }
  source(1) = "x";
  EXPECT_EQ(Data(source), data);

  OneBased<Text> sharer;
  sharer.ShareWith(source);
  source = OneBased<Text>();  // the other owner lets go
  sharer(1) = "y";
  EXPECT_EQ(Data(sharer), data);
  EXPECT_EQ(Texts(sharer), (Strings{"y", "b", "c"}));
}

TEST(SharedOneBased, CopiesAreStillCopiesAndMovedFromArraysEmpty) {
  OneBased<Text> source = ABC();
  OneBased<Text> copy = source;
  EXPECT_NE(Data(copy), Data(source));
  copy(1) = "x";
  EXPECT_EQ(Texts(source), kABC);

  OneBased<Text> sharer;
  sharer.ShareWith(source);
  OneBased<Text> moved = std::move(sharer);
  EXPECT_TRUE(sharer.Empty());
  EXPECT_EQ(Data(moved), Data(source));
  sharer.Append("z");  // the moved-from array is usable and alone
  EXPECT_EQ(Texts(sharer), Strings{"z"});
  EXPECT_EQ(Texts(source), kABC);
  EXPECT_EQ(Texts(moved), kABC);

  OneBased<int32_t> numbers(std::vector<int32_t>{1, 2});
  OneBased<int32_t> sharedNumbers;
  sharedNumbers.ShareWith(numbers);
  sharedNumbers(2) = 5;
  EXPECT_EQ(numbers(2), 2);
  EXPECT_EQ(sharedNumbers(2), 5);
}

struct ListChange {
  const char* name;
  std::function<void(SortedTextList&)> apply;
  Strings after;
};

// Every call that may change the items of a SortedTextList.
std::vector<ListChange> ListChanges() {
  return {
      {"add", [](SortedTextList& l) { l.Add("bb"); }, {"a", "b", "bb", "c"}},
      {"remove", [](SortedTextList& l) { l.RemoveAt(0); }, {"b", "c"}},
      {"clear", [](SortedTextList& l) { l.Clear(); }, {}},
      {"append", [](SortedTextList& l) { l.Append("0"); }, {"a", "b", "c", "0"}},
      {"append and sort",
       [](SortedTextList& l) {
         l.Append("0");
         l.Sort();
       },
       {"0", "a", "b", "c"}},
      {"assign", [](SortedTextList& l) { l.Assign({"q"}); }, {"q"}},
      {"take",
       [](SortedTextList& l) {
         std::vector<Text> taken = l.TakeItems();
         EXPECT_EQ(taken.size(), 3u);
         taken[0] = "x";  // what was taken is the taker's own
       },
       {}},
  };
}

TEST(SharedTextList, AssignSharedCopiesNothingAndKeepsBothApartOnAChange) {
  {
    OneBased<Text> entries = ABC();
    SortedTextList list;
    list.Add("z");
    list.Select(0);
    list.AssignShared(entries);
    EXPECT_EQ(list.Items().data(), Data(entries));
    EXPECT_EQ(list.Selected(), SortedTextList::kNone);
    EXPECT_EQ(list.Item(1), "b");
    EXPECT_EQ(list.Items().data(), Data(entries));
  }
  for (const ListChange& change : ListChanges()) {
    SCOPED_TRACE(change.name);
    OneBased<Text> entries = ABC();
    SortedTextList list;
    list.AssignShared(entries);
    change.apply(list);
    EXPECT_EQ(Items(list), change.after);
    EXPECT_EQ(Texts(entries), kABC);
  }
  for (const Change& change : OneBasedChanges()) {
    SCOPED_TRACE(change.name);
    OneBased<Text> entries = ABC();
    SortedTextList list;
    list.AssignShared(entries);
    change.apply(entries);
    EXPECT_EQ(Texts(entries), change.after);
    EXPECT_EQ(Items(list), kABC);
  }
}

TEST(SharedTextList, SharedMirrorHoldsUntilEitherSideChanges) {
  OneBased<Text> entries = ABC();
  SortedTextList list;
  list.AssignSharedMirror(entries, std::vector<bool>(3, false));
  EXPECT_TRUE(list.Mirrors(entries));
  EXPECT_EQ(list.Repeats(), std::vector<bool>(3, false));
  EXPECT_EQ(list.Items().data(), Data(entries));

  OneBased<Text> other;
  other.ShareWith(entries);  // a reader more changes nothing
  EXPECT_TRUE(list.Mirrors(entries));
  EXPECT_FALSE(list.Mirrors(other));

  entries(1) = "a";
  EXPECT_FALSE(list.Mirrors(entries));

  list.AssignSharedMirror(entries, std::vector<bool>(3, false));
  list.Add("d");
  EXPECT_FALSE(list.Mirrors(entries));
  EXPECT_TRUE(list.Repeats().empty());
  EXPECT_EQ(Texts(entries), kABC);
}

}  // namespace
}  // namespace vantrel
