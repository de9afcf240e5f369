#include "save/HostsWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "core/HostsGrammar.h"
#include "core/HostsReader.h"
#include "save/TestDocument.h"

namespace vantrel {
namespace {

using test::EntriesFromList;
using test::Loaded;

constexpr const char* kLocal = "127.0.0.1 ";

TEST(HostsWriterTest, CommentFirstFileComesBackBehindAnEmptyLine) {
  const auto doc = Loaded("#hdr\r\n127.0.0.1 alpha\r\n127.0.0.1\tbeta\r\n");
  EXPECT_EQ(WriteHostsText(*doc, kLocal, true),
            "\r\n#hdr\r\n127.0.0.1 alpha\r\n127.0.0.1 beta\r\n");
  EXPECT_EQ(WriteHostsText(*doc, TargetForOption(SaveOption::Zero).prefix, false),
            "0 alpha\r\n0 beta\r\n");
}

TEST(HostsWriterTest, EachRunOfCommentsGetsOneEmptyLine) {
  const auto doc =
      Loaded("127.0.0.1 a\r\n#c1\r\n#c2\r\n\r\n\r\n127.0.0.1 b\r\n#c3\r\n127.0.0.1 c\r\n");
  EXPECT_EQ(WriteHostsText(*doc, kLocal, true),
            "127.0.0.1 a\r\n\r\n#c1\r\n#c2\r\n127.0.0.1 b\r\n\r\n#c3\r\n127.0.0.1 c\r\n");
}

TEST(HostsWriterTest, CommaInACommentSplitsItIntoACommentAndAnEntry) {
  const auto doc = Loaded("# a, b\r\n127.0.0.1 c\r\n");
  EXPECT_EQ(WriteHostsText(*doc, kLocal, true), "\r\n# a\r\n127.0.0.1 b\r\n127.0.0.1 c\r\n");
}

TEST(HostsWriterTest, NoCommentsMeansNoEmptyLine) {
  auto doc = Loaded("127.0.0.1 a\r\n0.0.0.0 b\r\n");
  EXPECT_EQ(WriteHostsText(*doc, kLocal, true), "127.0.0.1 a\r\n127.0.0.1 b\r\n");
}

TEST(HostsWriterTest, TargetsAndTitles) {
  const SaveTarget local = TargetForOption(SaveOption::LocalHost);
  EXPECT_EQ(local.prefix, "127.0.0.1 ");
  EXPECT_EQ(local.dialogTitle, "Save Host File Save Host File With LocalHost (127.0.0.1) As...");
  const SaveTarget zero = TargetForOption(SaveOption::Zero);
  EXPECT_EQ(zero.prefix, "0 ");
  EXPECT_EQ(zero.dialogTitle, "Save Host File Save Host File Without LocalHost (0) As...");
  const SaveTarget typed = TargetForOption(SaveOption::Typed, "MyServer");
  EXPECT_EQ(typed.prefix, "myserver ");
  EXPECT_EQ(typed.dialogTitle, "Save Host File Save Host File With myserver As...");
  // Taken as typed otherwise: no trimming.
  EXPECT_EQ(TargetForOption(SaveOption::Typed, " 10.0.0.1").prefix, " 10.0.0.1 ");

  const auto doc = Loaded("127.0.0.1 alpha\r\n\r\n");
  EXPECT_EQ(WriteHostsText(*doc, typed.prefix, true), "myserver alpha\r\n");
}

TEST(HostsWriterTest, AfterAnAddEntriesFollowTheListAndCommentsKeepTheirLines) {
  auto doc = Loaded("127.0.0.1 zeta\r\n#c\r\n127.0.0.1 alpha\r\n");
  doc->List1.Add(doc->Texts.Keep("beta"));
  EntriesFromList(*doc);
  EXPECT_EQ(WriteHostsText(*doc, kLocal, true),
            "127.0.0.1 alpha\r\n\r\n#c\r\n127.0.0.1 beta\r\n127.0.0.1 zeta\r\n");
}

TEST(HostsWriterTest, CommentsAfterTheLastEntryAreKept) {
  const auto doc = Loaded("#top\r\n127.0.0.1 a\r\n127.0.0.1 b\r\n#tail1\r\n\r\n#tail2\r\n");
  EXPECT_EQ(WriteHostsText(*doc, kLocal, true),
            "\r\n#top\r\n127.0.0.1 a\r\n127.0.0.1 b\r\n\r\n#tail1\r\n#tail2\r\n");
}

TEST(HostsWriterTest, CommentsPastTheCountAfterDeletionsAreKept) {
  auto doc =
      Loaded("#1\r\n127.0.0.1 a\r\n127.0.0.1 b\r\n127.0.0.1 c\r\n#5\r\n127.0.0.1 d\r\n#7\r\n");
  doc->List1.RemoveAt(2);  // c
  doc->List1.RemoveAt(1);  // b
  EntriesFromList(*doc);
  // The entries run out at position 3, before the comments at 5 and 7.
  EXPECT_EQ(WriteHostsText(*doc, kLocal, true),
            "\r\n#1\r\n127.0.0.1 a\r\n127.0.0.1 d\r\n\r\n#5\r\n#7\r\n");
}

TEST(HostsWriterTest, EmptyEntriesAreSteppedOverNeverWrittenBare) {
  // "127.0.0.1<tab>" leaves an empty element; it keeps its line's position,
  // so the comment after it stays between a and b.
  const auto doc = Loaded("127.0.0.1\t\r\n127.0.0.1 a\r\n#c\r\n127.0.0.1 b\r\n");
  ASSERT_EQ(doc->EntryCount(), 3);
  ASSERT_EQ(doc->List1.Count(), 2);
  EXPECT_EQ(WriteHostsText(*doc, kLocal, true), "127.0.0.1 a\r\n\r\n#c\r\n127.0.0.1 b\r\n");
  // The plain walk reaches b although List1 has fewer items than Entries.
  EXPECT_EQ(WriteHostsText(*doc, kLocal, false), "127.0.0.1 a\r\n127.0.0.1 b\r\n");

  const auto middle = Loaded("#c\r\n127.0.0.1\t\r\n127.0.0.1 a\r\n127.0.0.1 b\r\n#d\r\n");
  EXPECT_EQ(WriteHostsText(*middle, kLocal, true),
            "\r\n#c\r\n127.0.0.1 a\r\n127.0.0.1 b\r\n\r\n#d\r\n");
}

TEST(HostsWriterTest, EmptyEntriesInTheListAfterAnUndoAreNotWritten) {
  // The undo of a duplicate removal puts empty elements into List1 too.
  auto doc = Loaded("127.0.0.1 b\r\n127.0.0.1\t\r\n#c\r\n127.0.0.1 a\r\n");
  doc->List1.Add(Text{});
  EntriesFromList(*doc);
  EXPECT_EQ(WriteHostsText(*doc, kLocal, false), "127.0.0.1 a\r\n127.0.0.1 b\r\n");
  const std::string with = WriteHostsText(*doc, kLocal, true);
  EXPECT_EQ(with.find("127.0.0.1 \r\n"), std::string::npos) << with;
  EXPECT_NE(with.find("#c\r\n"), std::string::npos) << with;
}

TEST(HostsWriterTest, WrittenFileReadsBackToTheSameDocument) {
  const auto doc = Loaded(
      "# header, with comma\r\n\r\n127.0.0.1 Alpha\r\n0.0.0.0\tbeta  # inline\r\n#mid\r\n#mid2"
      "\r\n127.0.0.1 gamma\r\n\r\n# end\r\n");
  const std::string written = WriteHostsText(*doc, kLocal, true);
  HostsDocument back;
  const ReadResult read = ReadHostsText(written, back);
  ASSERT_EQ(read.outcome, ReadOutcome::Loaded);
  EXPECT_EQ(read.labelIP, kLabelIPLocalHost);
  EXPECT_EQ(back.CopyEntries(), doc->CopyEntries());
  EXPECT_EQ(back.Comments, doc->Comments);
  EXPECT_EQ(back.CommentPositions, doc->CommentPositions);
}

// Random answers from characters the grammar treats specially: every one
// that the third option accepts, written at the very start of a file and
// before host parts that hold a tab or a comma, reads back as the same
// entries and comment, and the caption names it.
TEST(HostsWriterTest, EveryAcceptedAddressReadsBack) {
  const auto doc =
      Loaded("127.0.0.1 alpha\r\n127.0.0.1\tb\tc\r\n\"127.0.0.1 d,e\"\r\n#c\r\n127.0.0.1 zeta\r\n");
  const std::string alphabet("a0Z1.:#\", \t\r\n\0\xEF\xBB\xBF\xFF\xFE\xE9", 20);
  std::mt19937 random(15);
  int accepted = 0;
  for (int i = 0; i < 4000; ++i) {
    std::string typed(1 + random() % 6, ' ');
    for (char& c : typed) c = alphabet[random() % alphabet.size()];
    if (!ReadsBackAsAddress(typed)) continue;
    ++accepted;
    const SaveTarget target = TargetForOption(SaveOption::Typed, typed);
    const std::string address = target.prefix.substr(0, target.prefix.size() - 1);
    const std::string caption = address.front() == '0' ? kLabelIPNotLocalHost
                                : address.find("127.0.0.1") != std::string::npos
                                    ? kLabelIPLocalHost
                                    : kLabelIPOther + address;
    for (const bool withComments : {true, false}) {
      HostsDocument back;
      const ReadResult read =
          ReadHostsText(WriteHostsText(*doc, target.prefix, withComments), back);
      ASSERT_EQ(read.outcome, ReadOutcome::Loaded) << typed;
      EXPECT_EQ(back.CopyEntries(), doc->CopyEntries()) << typed;
      EXPECT_EQ(back.CommentCount(), withComments ? 1 : 0) << typed;
      EXPECT_EQ(read.labelIP, caption) << typed;
    }
  }
  EXPECT_GT(accepted, 500);
}

// The walk as documented, one line after another: the written text of a
// document too large for one part must be exactly this. (No host or comment
// here holds a tab or a comma.)
std::string ModelText(const HostsDocument& doc, const std::string& prefix, bool withComments) {
  std::string out;
  int32_t run = 0;
  auto entry = [&](Text e) {
    if (e.empty()) return;
    out.append(prefix).append(e).append("\r\n");
    run = 0;
  };
  auto comment = [&](Text c) {
    if (run++ == 0) out.append("\r\n");
    out.append(c).append("\r\n");
  };
  const TextArray all = doc.CopyEntries();
  if (!withComments || doc.Comments.empty()) {
    for (const Text e : all) entry(e);
    return out;
  }
  // The positions cover the list's items and the comments.
  const size_t positions = doc.List1.Items().size() + doc.Comments.size();
  size_t e = 0;
  size_t c = 0;
  for (size_t i = 1; i <= positions && e < all.size(); ++i) {
    if (c < doc.Comments.size() && static_cast<size_t>(doc.CommentPositions[c]) <= i) {
      comment(doc.Comments[c++]);
    } else {
      entry(all[e++]);
    }
  }
  for (; e < all.size(); ++e) entry(all[e]);
  for (; c < doc.Comments.size(); ++c) comment(doc.Comments[c]);
  return out;
}

// Where two long texts first differ, with a little of each around it.
std::string FirstDifference(const std::string& a, const std::string& b) {
  size_t i = 0;
  while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
  if (i == a.size() && i == b.size()) return {};
  const size_t from = i < 40 ? 0 : i - 40;
  return "at byte " + std::to_string(i) + ":\n" + a.substr(from, 80) + "\n---\n" +
         b.substr(from, 80);
}

// Long enough to be written in many parts, with runs of comments and empty
// elements at and around every place where a part could end.
TEST(HostsWriterTest, ManyPartsWriteExactlyTheLineByLineText) {
  std::string file = "# top\r\n";
  for (int i = 0; i < 120000; ++i) {
    if (i % 997 == 0 || i % 4096 < 3) file += "0.0.0.0\t\r\n";
    file += "0.0.0.0 host" + std::to_string(i) + ".example.com\r\n";
    if (i % 1000 == 0 || i % 4096 == 4095) file += "# section " + std::to_string(i) + "\r\n";
    if (i % 8192 == 1) file += "# a\r\n0.0.0.0\t\r\n# b\r\n";
  }
  file += "# tail one\r\n# tail two\r\n";
  auto doc = Loaded(file);
  for (const bool withComments : {true, false}) {
    EXPECT_EQ(FirstDifference(WriteHostsText(*doc, kLocal, withComments),
                              ModelText(*doc, kLocal, withComments)),
              "");
  }
  // Deleted entries leave comments past the count; they still go out.
  for (int32_t i = 0; i < 50000; ++i) doc->List1.RemoveAt(0);
  EntriesFromList(*doc);
  EXPECT_EQ(FirstDifference(WriteHostsText(*doc, "0 ", true), ModelText(*doc, "0 ", true)), "");
}

// A large document goes out in chunks of about kWriteChunk bytes, which
// together are exactly the text written at once; a sink that refuses a chunk
// gets no more.
TEST(HostsWriterTest, LargeDocumentGoesOutInChunksThatMakeTheSameText) {
  std::string file = "# top\r\n";
  for (int i = 0; i < 90000; ++i) {
    file += "0.0.0.0 host" + std::to_string(i) + ".example.com\r\n";
    if (i % 1000 == 0) file += "# section " + std::to_string(i) + "\r\n";
  }
  const auto doc = Loaded(file);
  const std::string whole = WriteHostsText(*doc, kLocal, true);
  ASSERT_GT(whole.size(), 2 * kWriteChunk);

  std::vector<std::string> chunks;
  EXPECT_TRUE(WriteHostsText(*doc, kLocal, true, [&](std::string_view chunk) {
    chunks.emplace_back(chunk);
    return true;
  }));
  ASSERT_GE(chunks.size(), 3u);
  std::string joined;
  for (const std::string& chunk : chunks) {
    EXPECT_LE(chunk.size(), kWriteChunk + 4096);
    joined += chunk;
  }
  EXPECT_EQ(joined, whole);

  int calls = 0;
  EXPECT_FALSE(WriteHostsText(*doc, kLocal, false, [&](std::string_view) {
    ++calls;
    return false;
  }));
  EXPECT_EQ(calls, 1);
}

}  // namespace
}  // namespace vantrel

namespace vantrel {
namespace {

// Only an item read in quotes can hold a comma; written bare, the comma
// would split it when read back, so it goes back in quotes.
TEST(HostsWriterTest, ItemsHoldingACommaAreQuotedAgain) {
  const auto doc = test::Loaded("\"#a, b\"\r\n\"127.0.0.1 c, d\"\r\n127.0.0.1 e\r\n");
  const std::string written = WriteHostsText(*doc, kLocal, true);
  EXPECT_EQ(written, "\r\n\"#a, b\"\r\n\"127.0.0.1 c, d\"\r\n127.0.0.1 e\r\n");
  const auto again = test::Loaded(written);
  EXPECT_EQ(again->Comments[0], "#a, b");
  EXPECT_EQ(again->Entries()[0], "c, d");
  EXPECT_EQ(again->EntryCount(), 2);

  // A host part holding a comma and a tab: quotes and a tab, as one line.
  const auto both = test::Loaded("\"0.0.0.0\tf,g\th\"\r\n127.0.0.1 i\r\n");
  EXPECT_EQ(WriteHostsText(*both, "0 ", false), "\"0\tf,g\th\"\r\n0 i\r\n");
}

}  // namespace
}  // namespace vantrel
