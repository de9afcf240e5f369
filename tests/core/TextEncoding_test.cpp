// Byte-order marks and Unicode files: a UTF-8 mark is not part of the first
// item and goes back on save; UTF-16 and UTF-32 files are refused, naming
// their encoding, and nothing of them is loaded.
#include "core/TextEncoding.h"

#include <gtest/gtest.h>

#include <string>

#include "core/HostsReader.h"
#include "core/OpenFile.h"
#include "core/SilentUi.h"
#include "save/HostsWriter.h"

namespace vantrel {
namespace {

using namespace std::string_literals;

TEST(TextEncodingTest, DetectsByteOrderMarksAndBareUtf16) {
  EXPECT_EQ(DetectEncoding(""), TextEncoding::SingleByte);
  EXPECT_EQ(DetectEncoding("127.0.0.1 a\r\n"), TextEncoding::SingleByte);
  EXPECT_EQ(DetectEncoding("\xEF\xBB\xBF#"), TextEncoding::Utf8Bom);
  EXPECT_EQ(DetectEncoding("\xEF\xBB"), TextEncoding::SingleByte);  // cut short: just bytes
  EXPECT_EQ(DetectEncoding("\xFF\xFE#\0"s), TextEncoding::Utf16LE);
  EXPECT_EQ(DetectEncoding("\xFE\xFF\0#"s), TextEncoding::Utf16BE);
  EXPECT_EQ(DetectEncoding("\xFF\xFE\0\0#\0\0\0"s), TextEncoding::Utf32LE);
  EXPECT_EQ(DetectEncoding("\0\0\xFE\xFF"s), TextEncoding::Utf32BE);
  EXPECT_EQ(DetectEncoding("1\0002\0"s), TextEncoding::Utf16LE);
  EXPECT_EQ(DetectEncoding("\0001\0002"s), TextEncoding::Utf16BE);
  // NUL bytes elsewhere are just bytes of a single-byte file.
  EXPECT_EQ(DetectEncoding("127.0.0.1 a\0b\r\n"s), TextEncoding::SingleByte);
  EXPECT_EQ(DetectEncoding("\0\0\0\0"s), TextEncoding::SingleByte);
}

TEST(TextEncodingTest, Utf8MarkIsNotPartOfTheFirstItemAndIsRemembered) {
  for (const std::string first : {"127.0.0.1 Alpha", "# header", "\"0 alpha\""}) {
    SCOPED_TRACE(first);
    HostsDocument doc;
    const ReadResult result = ReadHostsText("\xEF\xBB\xBF" + first + "\r\n127.0.0.1 b\r\n", doc);
    ASSERT_EQ(result.outcome, ReadOutcome::Loaded);
    EXPECT_TRUE(doc.Utf8Bom);
    if (doc.CommentCount() == 1) {
      EXPECT_EQ(doc.Comments[0], "# header");
    } else {
      EXPECT_EQ(doc.Entries()[0], "alpha");
    }
  }
  HostsDocument plain;
  ASSERT_EQ(ReadHostsText("127.0.0.1 a\r\n127.0.0.1 b\r\n", plain).outcome, ReadOutcome::Loaded);
  EXPECT_FALSE(plain.Utf8Bom);
}

TEST(TextEncodingTest, FileWithAMarkIsWrittenBackWithOne) {
  HostsDocument doc;
  ASSERT_EQ(ReadHostsText("\xEF\xBB\xBF# h\r\n127.0.0.1 a\r\n", doc).outcome, ReadOutcome::Loaded);
  SilentUi ui;
  LoadListsJob(doc, ui);
  EXPECT_EQ(WriteHostsText(doc, "0 ", true), "\xEF\xBB\xBF\r\n# h\r\n0 a\r\n");
  EXPECT_EQ(WriteHostsText(doc, "0 ", false),
            "\xEF\xBB\xBF"
            "0 a\r\n");
  // The next file read decides again.
  ASSERT_EQ(ReadHostsText("# h\r\n127.0.0.1 a\r\n", doc).outcome, ReadOutcome::Loaded);
  EXPECT_EQ(WriteHostsText(doc, "0 ", false).substr(0, 1), "0");
}

TEST(TextEncodingTest, UnicodeFilesAreRefusedNamingTheEncoding) {
  const struct {
    std::string bytes;
    const char* name;
  } cases[] = {
      {"\xFF\xFE#\0h\0\r\0\n\0"s, "UTF-16 LE"},
      {"\xFE\xFF\0#\0h"s, "UTF-16 BE"},
      {"1\0002\0007\0.\0"s, "UTF-16 LE"},
      {"\xFF\xFE\0\0#\0\0\0"s, "UTF-32 LE"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    HostsDocument doc;
    doc.LineCount = 7;  // whatever was there before stays untouched
    const ReadResult result = ReadHostsText(c.bytes, doc);
    EXPECT_EQ(result.outcome, ReadOutcome::Unreadable);
    EXPECT_NE(result.reason.find(c.name), std::string::npos) << result.reason;
    EXPECT_EQ(doc.LineCount, 7);
    EXPECT_EQ(doc.EntryCount(), 0);
  }
}

// Reading cuts a host part at its first tab; a host part that still holds
// one (text after the name, set off by a tab) keeps a tab before it when
// written, so it reads back whole.
TEST(TextEncodingTest, HostPartWithATabSurvivesSaving) {
  HostsDocument doc;
  ASSERT_EQ(ReadHostsText("127.0.0.1\tlocalhost\t# loopback\r\n127.0.0.1 b\r\n", doc).outcome,
            ReadOutcome::Loaded);
  ASSERT_EQ(doc.Entries()[0], "localhost\t# loopback");
  SilentUi ui;
  LoadListsJob(doc, ui);
  const std::string written = WriteHostsText(doc, "127.0.0.1 ", true);
  EXPECT_EQ(written, "127.0.0.1\tlocalhost\t# loopback\r\n127.0.0.1 b\r\n");
  HostsDocument again;
  ASSERT_EQ(ReadHostsText(written, again).outcome, ReadOutcome::Loaded);
  EXPECT_EQ(again.Entries()[0], "localhost\t# loopback");
}

}  // namespace
}  // namespace vantrel
