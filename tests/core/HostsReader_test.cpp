#include "core/HostsReader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/HostsGrammar.h"

namespace vantrel {
namespace {

using Strings = std::vector<std::string>;

Strings Copy(const TextArray& texts) { return Strings(texts.begin(), texts.end()); }
Strings Copy(const EntriesView& entries) {
  Strings all = Copy(entries.Head());
  all.insert(all.end(), entries.Tail().begin(), entries.Tail().end());
  return all;
}

struct Read {
  HostsDocument doc;
  ReadResult result;
};

Read ReadText(const std::string& text) {
  Read r;
  r.result = ReadHostsText(text, r.doc);
  return r;
}

TEST(HostsReader, CountsItemsEntriesAndComments) {
  const Read r = ReadText("# header\r\n127.0.0.1 a\r\n\r\n127.0.0.1 b, c\r\n# tail\r\n");
  ASSERT_EQ(r.result.outcome, ReadOutcome::Loaded);
  EXPECT_EQ(r.doc.LineCount, 6);
  EXPECT_EQ(r.doc.EntryCount(), 3);
  EXPECT_EQ(r.doc.CommentCount(), 2);
  EXPECT_EQ(r.doc.LoadedEntryCount, 3);
  EXPECT_EQ(Copy(r.doc.Entries()), (Strings{"a", "b", "c"}));
  EXPECT_EQ(Copy(r.doc.Comments), (Strings{"# header", "# tail"}));
  EXPECT_EQ(r.doc.CommentPositions, (std::vector<int32_t>{1, 5}));
}

// Large files are read in chunks of whole lines, on every core; chunks of
// any size give what the whole text gives.
TEST(HostsReader, ChunksOfAnySizeReadAsTheWholeText) {
  for (const std::string text : {"# a\r\n127.0.0.1 A,b\r\n\r\n\"x, Y\"\n\n\r\r\n0 LAST\tC",
                                 "a\rB\r\n\n,#c,\r\n  # d \n\"open quote\n e \r\r\n"}) {
    const Read whole = ReadText(text);
    for (size_t chunk = 1; chunk <= text.size(); ++chunk) {
      ReadOptions options;
      options.chunkBytes = chunk;
      Read r;
      r.result = ReadHostsText(text, r.doc, options);
      EXPECT_EQ(r.result.labelIP, whole.result.labelIP) << chunk;
      EXPECT_EQ(Copy(r.doc.Entries()), Copy(whole.doc.Entries())) << chunk;
      EXPECT_EQ(Copy(r.doc.Comments), Copy(whole.doc.Comments)) << chunk;
      EXPECT_EQ(r.doc.CommentPositions, whole.doc.CommentPositions) << chunk;
      EXPECT_EQ(r.doc.LineCount, whole.doc.LineCount) << chunk;
    }
  }
}

// The pointer turns busy only for a file that is opened; the item of one
// that is not is read all the same.
TEST(HostsReader, FewerThanTwoItemsIsAnEmptyFile) {
  int loading = 0;
  ReadOptions options;
  options.loading = [&] { ++loading; };
  for (const char* text : {"", "127.0.0.1 alpha\r\n", "127.0.0.1 alpha", "# only\r\n", "\r\n"}) {
    Read r;
    r.result = ReadHostsText(text, r.doc, options);
    EXPECT_EQ(r.result.outcome, ReadOutcome::Empty) << text;
    EXPECT_LT(r.doc.LineCount, 2);
  }
  EXPECT_EQ(loading, 0);
  EXPECT_EQ(Copy(ReadText("127.0.0.1 Alpha").doc.Entries()), Strings{"alpha"});
  Read r;
  r.result = ReadHostsText("127.0.0.1 alpha\r\n\r\n", r.doc, options);
  ASSERT_EQ(r.result.outcome, ReadOutcome::Loaded);
  EXPECT_EQ(loading, 1);
  EXPECT_EQ(r.doc.LineCount, 2);
  EXPECT_EQ(Copy(r.doc.Entries()), Strings{"alpha"});
}

TEST(HostsReader, CommentPositionsSkipBlankItems) {
  const Read r = ReadText("1 a\r\n1 b\r\n\r\n1 c\r\n#x\r\n\r\n#y\r\n1 d\r\n");
  EXPECT_EQ(r.doc.CommentPositions, (std::vector<int32_t>{4, 5}));
}

TEST(HostsReader, CommaInACommentMakesASecondItem) {
  const Read r = ReadText("# a, b\r\n127.0.0.1 c\r\n");
  EXPECT_EQ(r.doc.LineCount, 3);
  EXPECT_EQ(Copy(r.doc.Comments), Strings{"# a"});
  EXPECT_EQ(Copy(r.doc.Entries()), (Strings{"b", "c"}));
  EXPECT_EQ(r.doc.LoadedEntryCount, 2);
}

TEST(HostsReader, IndentedCommentIsStoredWithoutIndentation) {
  const Read r = ReadText("   # note  \r\n1 a\r\n");
  EXPECT_EQ(Copy(r.doc.Comments), Strings{"# note  "});
}

TEST(HostsReader, EntriesAreLowerCaseHostParts) {
  const Read r = ReadText(
      "127.0.0.1\tAds.Example.COM\r\n"
      "\"127.0.0.1 Quoted.Example extra\"\r\n"
      "Bare.Host\r\n"
      "127.0.0.1\r\n"
      "127.0.0.1\t\r\n"
      "127.0.0.1 alpha beta # remark\r\n");
  EXPECT_EQ(Copy(r.doc.Entries()), (Strings{"ads.example.com", "quoted.example extra", "bare.host",
                                            "127.0.0.1", "", "alpha beta # remark"}));
  EXPECT_EQ(r.doc.EntryCount(), 6);
}

TEST(HostsReader, LabelIPComesFromTheLastEntry) {
  EXPECT_EQ(ReadText("127.0.0.1 a\r\n0.0.0.0 b\r\n").result.labelIP, kLabelIPNotLocalHost);
  EXPECT_EQ(ReadText("0 a\r\n127.0.0.1 b\r\n").result.labelIP, kLabelIPLocalHost);
  EXPECT_EQ(ReadText("1 a\r\n127.0.0.12 b\r\n").result.labelIP, kLabelIPLocalHost);
  // "0" is tested first, so an address that begins with 0 never counts as 127.0.0.1.
  EXPECT_EQ(ReadText("1 a\r\n0127.0.0.1 b\r\n").result.labelIP, kLabelIPNotLocalHost);
  EXPECT_EQ(ReadText("1 a\r\n10.1.2.3   b\r\n").result.labelIP,
            std::string(kLabelIPOther) + "10.1.2.3");
  EXPECT_EQ(ReadText("1 a\r\n10.1.2.3\tb\r\n").result.labelIP, kLabelIPOther);
  EXPECT_EQ(ReadText("1 a\r\nbare.host\r\n").result.labelIP, kLabelIPOther);
  // A later comment does not count; only the last entry does.
  EXPECT_EQ(ReadText("0.0.0.0 a\r\n# 127.0.0.1\r\n").result.labelIP, kLabelIPNotLocalHost);
}

TEST(HostsReader, AFileWithoutEntriesLoadsItsCommentsOnly) {
  const Read r = ReadText("# Copyright\r\n#\r\n\r\n# 127.0.0.1 localhost\r\n");
  ASSERT_EQ(r.result.outcome, ReadOutcome::Loaded);
  EXPECT_EQ(r.doc.EntryCount(), 0);
  EXPECT_TRUE(r.doc.Entries().Empty());
  EXPECT_EQ(r.doc.CommentCount(), 3);
  EXPECT_EQ(r.result.labelIP, "");
}

TEST(HostsReader, AReloadReplacesEverythingOfThePreviousFile) {
  Read r = ReadText("#a\r\n#b\r\n1 x\r\n1 y\r\n");
  ReadHostsText("1 z\r\n1 w\r\n", r.doc);
  EXPECT_EQ(Copy(r.doc.Entries()), (Strings{"z", "w"}));
  EXPECT_EQ(r.doc.CommentCount(), 0);
  EXPECT_TRUE(r.doc.Comments.empty());
  EXPECT_TRUE(r.doc.CommentPositions.empty());
}

TEST(HostsReader, MoreThan32767ItemsAreRead) {
  std::string text;
  constexpr int kEntries = 70000;
  for (int i = 0; i < kEntries; ++i) text += "127.0.0.1 host" + std::to_string(i) + ".example\r\n";
  text += "# last\r\n";
  const Read r = ReadText(text);
  ASSERT_EQ(r.result.outcome, ReadOutcome::Loaded);
  EXPECT_EQ(r.doc.EntryCount(), kEntries);
  EXPECT_EQ(r.doc.LineCount, kEntries + 1);
  EXPECT_EQ(r.doc.Entries()[kEntries - 1], "host69999.example");
  EXPECT_EQ(r.doc.CommentPositions[0], kEntries + 1);
}

class HostsFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("vantrel-reader-" + std::to_string(reinterpret_cast<uintptr_t>(this)));
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string Write(const std::string& name, const std::string& bytes) {
    const std::filesystem::path path = dir_ / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
  }
  std::filesystem::path dir_;
};

TEST_F(HostsFileTest, ReadsAFileFromDisk) {
  HostsDocument doc;
  const ReadResult r = ReadHostsFile(Write("hosts", "127.0.0.1 a\n0.0.0.0 B\n"), doc);
  ASSERT_EQ(r.outcome, ReadOutcome::Loaded);
  EXPECT_EQ(Copy(doc.Entries()), (Strings{"a", "b"}));
  EXPECT_EQ(r.labelIP, kLabelIPNotLocalHost);
}

TEST_F(HostsFileTest, MissingFileAndFolderAreReportedNotThrown) {
  HostsDocument doc;
  ReadResult r = ReadHostsFile((dir_ / "absent").string(), doc);
  EXPECT_EQ(r.outcome, ReadOutcome::Unreadable);
  EXPECT_EQ(r.reason, "The file does not exist.");
  r = ReadHostsFile(dir_.string(), doc);
  EXPECT_EQ(r.outcome, ReadOutcome::Unreadable);
  EXPECT_EQ(r.reason, "It is a folder, not a file.");
  EXPECT_EQ(doc.LineCount, 0);
}

// Whether text lies in the file's bytes.
bool LiesInImage(Text text, const FileImage& image) {
  const std::string_view bytes = image.Text();
  return text.data() >= bytes.data() && text.data() + text.size() <= bytes.data() + bytes.size();
}

// A file read from disk is never changed by the reading: entries needing
// lower case are lowered in the program's own copy.
TEST_F(HostsFileTest, ReadingLeavesTheFileAsItWas) {
  const std::string text =
      "\xEF\xBB\xBF# Head, Tail\r\n127.0.0.1 Alpha\r\n\r\n\"0.0.0.0 QUOTED\" x\r\n"
      "10.0.0.1\t\r\n  # Indented\r\n0 beta Gamma # Note\r\nbare\r\n1.2.3.4 LAST.one\r\n";
  const std::string path = Write("hosts", text);
  HostsDocument doc;
  const ReadResult r = ReadHostsFile(path, doc);
  ASSERT_EQ(r.outcome, ReadOutcome::Loaded);
  EXPECT_EQ(Copy(doc.Entries()),
            (Strings{"tail", "alpha", "quoted", "", "beta gamma # note", "bare", "last.one"}));
  EXPECT_EQ(Copy(doc.Comments), (Strings{"# Head", "# Indented"}));
  EXPECT_EQ(r.labelIP, std::string(kLabelIPOther) + "1.2.3.4");
  std::ifstream in(path, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), text);
  const FileImage* image = doc.Texts.LastFile();
  ASSERT_NE(image, nullptr);
  for (const Text t : doc.CopyEntries()) {
    if (t.empty()) continue;
    EXPECT_TRUE(LiesInImage(t, *image)) << t;
  }
  for (const Text t : doc.Comments) EXPECT_TRUE(LiesInImage(t, *image)) << t;
}

// What the stages must give, worked out item by item over the whole text.
struct Model {
  Strings entries;
  Strings comments;
  std::vector<int32_t> positions;
  int32_t items = 0;
};

Model ModelOf(std::string_view text) {
  Model m;
  ItemReader reader(text);
  int32_t blanks = 0;
  while (!reader.AtEnd()) {
    ++m.items;
    const std::string_view item = reader.Next();
    switch (Classify(item)) {
      case ItemKind::Comment:
        m.comments.emplace_back(item);
        m.positions.push_back(m.items - blanks);
        break;
      case ItemKind::Entry:
        m.entries.emplace_back(HostPart(NormaliseEntry(item)));
        break;
      case ItemKind::Blank:
        ++blanks;
        break;
    }
  }
  return m;
}

// Lines of every kind the grammar knows, with all three line ends.
std::string MixedText(int lines) {
  const char* kinds[] = {"0.0.0.0 Ads%d.Example.COM",
                         "127.0.0.1\tTab%d.example  \t# note",
                         "# comment %d, with a comma",
                         "",
                         "   ",
                         "a%d.com,B%d.com, ,#c",
                         "0.0.0.0 \"quoted,%d.com\" after",
                         "\"open quote %d",
                         "0.0.0.0\t",
                         "10.0.0.%d   spaced.host   ",
                         "single%d"};
  const char* ends[] = {"\r\n", "\n", "\r", "\r\r\n"};
  std::string text;
  unsigned seed = 12345;
  auto next = [&seed] {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 16) & 0x7fff;
  };
  for (int i = 0; i < lines; ++i) {
    char line[128];
    std::snprintf(line, sizeof line, kinds[next() % std::size(kinds)], i, i);
    text += line;
    text += ends[next() % std::size(ends)];
  }
  return text;
}

// The same text read from memory and from a file, item by item as the
// model reads it.
TEST_F(HostsFileTest, TheStagesGiveTheItemsOfTheWholeText) {
  const std::string text = MixedText(3000);
  const Model model = ModelOf(text);
  const std::string path = Write("mixed", text);
  HostsDocument whole;
  const std::string caption = ReadHostsText(text, whole).labelIP;
  for (const bool fromFile : {false, true}) {
    SCOPED_TRACE(fromFile ? "file" : "memory");
    HostsDocument doc;
    // Every stage runs once, in order.
    std::vector<std::string> stages;
    ReadOptions options;
    options.stageDone = [&](const char* stage) { stages.emplace_back(stage); };
    const ReadResult r =
        fromFile ? ReadHostsFile(path, doc, options) : ReadHostsText(text, doc, options);
    ASSERT_EQ(r.outcome, ReadOutcome::Loaded);
    EXPECT_EQ(stages, (Strings{"read the bytes", "counting pass", "allocation", "load pass"}));
    EXPECT_EQ(r.labelIP, caption);
    EXPECT_EQ(doc.LineCount, model.items);
    EXPECT_EQ(Copy(doc.Entries()), model.entries);
    EXPECT_EQ(Copy(doc.Comments), model.comments);
    EXPECT_EQ(doc.CommentPositions, model.positions);
    const FileImage& image = *doc.Texts.LastFile();
    for (const Text t : doc.CopyEntries()) {
      if (t.empty()) continue;
      EXPECT_TRUE(LiesInImage(t, image)) << t;
    }
  }
}

}  // namespace
}  // namespace vantrel
