#include "core/TextSort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "core/DocumentUi.h"
#include "core/ScriptedUi.h"

namespace vantrel {
namespace {

using Strings = std::vector<std::string>;

Strings Copy(const TextArray& texts) { return Strings(texts.begin(), texts.end()); }

// What the sort must give: std::sort's order, optionally without empty texts.
Strings Expected(Strings texts, SortedCopy what) {
  if (what != SortedCopy::All) std::erase(texts, std::string());
  std::sort(texts.begin(), texts.end(),
            [](const std::string& a, const std::string& b) { return Text(a) < Text(b); });
  return texts;
}

// Sorts views into one buffer (as a loaded file's entries are), and views
// into separate strings, which takes the other way through the sort; the
// marks say which sorted text repeats the one before it.
void ExpectSortedLikeStd(const Strings& input) {
  std::string buffer;
  std::vector<size_t> starts;
  for (const std::string& s : input) {
    starts.push_back(buffer.size());
    buffer += s;
  }
  TextArray inBuffer;
  for (size_t i = 0; i < input.size(); ++i) {
    inBuffer.emplace_back(buffer.data() + starts[i], input[i].size());
  }
  TextArray apart(input.begin(), input.end());
  for (SortedCopy what : {SortedCopy::All, SortedCopy::NonEmpty}) {
    const Strings expected = Expected(input, what);
    for (const TextArray* texts : {&inBuffer, &apart}) {
      const MarkedTexts marked = SortTexts(texts->data(), texts->size(), what);
      ASSERT_EQ(Copy(marked.texts), expected) << static_cast<int>(what);
      ASSERT_EQ(marked.repeats.size(), expected.size());
      for (size_t i = 0; i < expected.size(); ++i) {
        ASSERT_EQ(marked.repeats[i], i > 0 && expected[i] == expected[i - 1]) << i;
      }
    }
  }
}

TEST(SortedTexts, OrdersPrefixesBytesAboveSevenBitsAndNulBytes) {
  using namespace std::string_literals;
  ExpectSortedLikeStd({"abcdefg", "abcdefgh", "abcdef", "abcdefg\0"s, "abcdefg\0\0"s, "abcdefga",
                       "", "\xff", "\x80zz", "a", "", "abcdefg", "b\0c"s, "b", "abcdefghijklmn",
                       "abcdefghijklmno", "abcdefghijklm", "abcdefghijklmn"});
}

TEST(SortedTexts, ManyTextsSharingLongPrefixes) {
  std::mt19937 rng(7);
  Strings input;
  const std::string stems[] = {
      "", "ads.", "analytics.example", "a", "x.y.z.tracker-cdn-", std::string(300, 'q')};
  for (int i = 0; i < 20000; ++i) {
    std::string s = stems[rng() % std::size(stems)];
    const int tail = static_cast<int>(rng() % 12);
    for (int k = 0; k < tail; ++k) s += static_cast<char>("ab.-9\0\x7f\xfe"[rng() % 8]);
    input.push_back(s);
    if (rng() % 5 == 0) input.push_back(s);  // some repeated
  }
  ExpectSortedLikeStd(input);
}

TEST(SortedTexts, RepeatedLongTextsAndEmptyInput) {
  const std::string longText(5000, 'h');
  ExpectSortedLikeStd({longText, longText + "a", longText, longText.substr(1), longText});
  ExpectSortedLikeStd({});
  ExpectSortedLikeStd({"", ""});
}

// A sort this large places texts by their first two bytes: texts of no,
// one and two bytes, NUL and high bytes must still come out in byte order,
// with the equal ones marked as repeats.
TEST(SortedTexts, LargeSortOfShortTextsWithNulAndHighBytes) {
  std::mt19937 rng(5);
  const char alphabet[] = {'\0', '\x01', 'c', 'd', '\x7f', '\x80', '\xff'};
  Strings input;
  for (int i = 0; i < 40000; ++i) {
    std::string s;
    const int size = static_cast<int>(rng() % (i % 10 == 0 ? 12 : 4));
    for (int k = 0; k < size; ++k) s += alphabet[rng() % std::size(alphabet)];
    input.push_back(s);
  }
  ExpectSortedLikeStd(input);
}

// Enough texts for the sort to share them out among threads.
TEST(SortedTexts, LargeInputsAndTheirRepeatMarks) {
  std::mt19937 rng(11);
  Strings input;
  const std::string stems[] = {"ads.", "analytics.example.", "tracker-", "www.", "", "z"};
  for (int i = 0; i < 150000; ++i) {
    std::string s = stems[rng() % std::size(stems)];
    const int tail = static_cast<int>(rng() % 20);
    for (int k = 0; k < tail; ++k) s += "abcdefghij.-0123"[rng() % 16];
    input.push_back(s);
    if (rng() % 7 == 0) input.push_back(s);
  }
  ExpectSortedLikeStd(input);
}

TEST(ShowProgressThrough, GivesTheValuesOfOneStepPerElement) {
  for (int32_t maximum : {0, 1, 3, 99, 100, 101, 250, 1000, 12345}) {
    // Element j moves the bar when it starts a new percent, the last always.
    std::vector<int32_t> expected;
    for (int32_t j = 1, percent = 0; j <= maximum; ++j) {
      if (j * 100 / maximum == percent && j != maximum) continue;
      percent = j * 100 / maximum;
      expected.push_back(j);
    }
    test::ScriptedUi ui;
    ShowProgressThrough(ui, maximum);
    EXPECT_EQ(ui.ProgressValues, expected) << maximum;
  }
}

}  // namespace
}  // namespace vantrel
