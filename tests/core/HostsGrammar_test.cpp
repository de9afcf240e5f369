#include "core/HostsGrammar.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vantrel {
namespace {

std::vector<std::string> Items(std::string_view text) {
  std::vector<std::string> items;
  ItemReader reader(text);
  while (!reader.AtEnd()) items.emplace_back(reader.Next());
  return items;
}

using Strings = std::vector<std::string>;

TEST(ItemReader, CommasSplitALineIntoItems) {
  EXPECT_EQ(Items("127.0.0.1 alpha, beta\r\n"), (Strings{"127.0.0.1 alpha", "beta"}));
  EXPECT_EQ(Items("# a, b\r\n"), (Strings{"# a", "b"}));
  EXPECT_EQ(Items("a,,b\r\n"), (Strings{"a", "", "b"}));
}

TEST(ItemReader, EveryBlankLineIsOneEmptyItem) {
  EXPECT_EQ(Items("a\r\n\r\nb\r\n"), (Strings{"a", "", "b"}));
  EXPECT_EQ(Items("\r\n\r\n"), (Strings{"", ""}));
  EXPECT_EQ(Items("   \t \r\nx"), (Strings{"", "x"}));
}

TEST(ItemReader, EndOfFileIsTestedBeforeEachItem) {
  EXPECT_EQ(Items(""), Strings{});
  EXPECT_EQ(Items("a"), Strings{"a"});
  EXPECT_EQ(Items("a\r\n"), Strings{"a"});
  EXPECT_EQ(Items("a,"), Strings{"a"});
  EXPECT_EQ(Items("a\r\n   "), (Strings{"a", ""}));
}

TEST(ItemReader, LoneLfAndLoneCrEndLinesToo) {
  EXPECT_EQ(Items("a\nb\n"), (Strings{"a", "b"}));
  EXPECT_EQ(Items("a\rb\r"), (Strings{"a", "b"}));
  EXPECT_EQ(Items("a\n\nb"), (Strings{"a", "", "b"}));
  // LF then CR are two line ends, with an empty line between them.
  EXPECT_EQ(Items("a\n\rb"), (Strings{"a", "", "b"}));
  EXPECT_EQ(Items("a\r\n\nb"), (Strings{"a", "", "b"}));
}

TEST(ItemReader, LeadingSpacesAndTabsAreSkippedTrailingOnesKept) {
  EXPECT_EQ(Items("   # indented  \r\n\t127.0.0.1 x \r\n"),
            (Strings{"# indented  ", "127.0.0.1 x "}));
}

TEST(ItemReader, QuotedItemDropsQuotesAndSkipsTheRestOfItsField) {
  EXPECT_EQ(Items("\"127.0.0.1 Alpha\"\r\n"), Strings{"127.0.0.1 Alpha"});
  EXPECT_EQ(Items("\"a, b\" tail,c\r\n"), (Strings{"a, b", "c"}));
  EXPECT_EQ(Items("  \"#x\"\r\n"), Strings{"#x"});
  EXPECT_EQ(Items("\"\"\r\nz"), (Strings{"", "z"}));
}

TEST(ItemReader, AnOpenQuoteEndsWithItsLine) {
  EXPECT_EQ(Items("\"127.0.0.1 open\r\n0.0.0.0 next\r\n"),
            (Strings{"127.0.0.1 open", "0.0.0.0 next"}));
  EXPECT_EQ(Items("\"tail"), Strings{"tail"});
}

TEST(ItemReader, BytesAreNeverChanged) {
  const std::string odd("\xE9t\xE9\0x", 5);
  EXPECT_EQ(Items(odd + "\r\n"), Strings{odd});
}

TEST(Classify, ByFirstCharacter) {
  EXPECT_EQ(Classify(""), ItemKind::Blank);
  EXPECT_EQ(Classify("#"), ItemKind::Comment);
  EXPECT_EQ(Classify("# x"), ItemKind::Comment);
  EXPECT_EQ(Classify("127.0.0.1 #x"), ItemKind::Entry);
  EXPECT_EQ(Classify(" "), ItemKind::Entry);
}

TEST(NormaliseEntry, TrimsSpacesNotTabsAndLowerCasesAscii) {
  EXPECT_EQ(NormaliseEntry("  127.0.0.1 Ads.Example.COM  "), "127.0.0.1 ads.example.com");
  EXPECT_EQ(NormaliseEntry("\tX\t"), "\tx\t");
  EXPECT_EQ(NormaliseEntry("   "), "");
  EXPECT_EQ(NormaliseEntry("\xC9X"), "\xC9x");
}

TEST(HostPart, FirstTabWinsOverAnEarlierSpace) {
  EXPECT_EQ(HostPart("127.0.0.1\talpha"), "alpha");
  EXPECT_EQ(HostPart("a b\tc d"), "c d");
  EXPECT_EQ(HostPart("127.0.0.1\t  alpha  "), "alpha");
}

TEST(HostPart, OnlyTheFirstSeparatorCounts) {
  EXPECT_EQ(HostPart("127.0.0.1 alpha beta"), "alpha beta");
  EXPECT_EQ(HostPart("127.0.0.1    alpha #remark"), "alpha #remark");
  EXPECT_EQ(HostPart("127.0.0.1\t\talpha"), "\talpha");
}

TEST(HostPart, WithoutSeparatorTheWholeEntry) {
  EXPECT_EQ(HostPart("alpha.example"), "alpha.example");
  EXPECT_EQ(HostPart("127.0.0.1"), "127.0.0.1");
  EXPECT_EQ(HostPart(""), "");
}

TEST(HostPart, TrailingTabAloneGivesEmpty) {
  EXPECT_EQ(HostPart("127.0.0.1\t"), "");
  EXPECT_EQ(HostPart("127.0.0.1\t   "), "");
}

// The word-at-a-time searches against the plain rule, with the separators
// and letters at every place of texts long enough for each block size.
TEST(HostPart, SeparatorsAtEveryPlaceOfLongEntries) {
  auto plain = [](std::string_view entry) {
    size_t cut = entry.find('\t');
    if (cut == std::string_view::npos) cut = entry.find(' ');
    return cut == std::string_view::npos ? entry : TrimSpaces(entry.substr(cut + 1));
  };
  for (size_t size = 1; size <= 40; ++size) {
    for (size_t space = 0; space <= size; ++space) {
      for (size_t tab = 0; tab <= size; tab += 3) {
        std::string entry(size, 'h');
        if (space < size) entry[space] = ' ';
        if (tab < size) entry[tab] = '\t';
        EXPECT_EQ(HostPart(entry), plain(entry)) << size << " " << space << " " << tab;
      }
    }
  }
}

TEST(ReadsBackAsAddress, AcceptsAddressesAndSitesRefusesWhatTheReaderSplits) {
  using namespace std::string_literals;
  for (const std::string& good :
       {"10.0.0.1"s, "MyServer"s, "0"s, "127.0.0.1"s, "::1"s, "fe80::1%eth0"s, "a#b"s,
        "my-site.example"s, "caf\xE9"s, "x\xEF\xBB\xBF"s, "0.0.0.0:80"s}) {
    EXPECT_TRUE(ReadsBackAsAddress(good)) << good;
  }
  for (const std::string& bad : {""s, "#x"s, "a b"s, "a,b"s, "\"a\""s, "a\"b"s, " a"s, "a "s,
                                 "a\tb"s, "\ta"s, "a\r\nb"s, "a\nb"s, "a\rb"s, "a\0b"s,
                                 "\xEF\xBB\xBF"
                                 "a"s,
                                 "\xFF\xFE"
                                 "a"s,
                                 "\xFE\xFF"
                                 "a"s}) {
    EXPECT_FALSE(ReadsBackAsAddress(bad)) << bad;
  }
}

TEST(LowerAscii, EveryByteAtEveryPlace) {
  for (size_t size = 1; size <= 40; size += 13) {
    for (int b = 0; b < 256; ++b) {
      std::string text(size, static_cast<char>(b));
      text[size / 2] = 'Q';
      std::string lowered = text;
      LowerAscii(lowered);
      for (size_t i = 0; i < size; ++i) {
        const char c = text[i];
        const char want = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
        ASSERT_EQ(lowered[i], want) << size << " " << b << " " << i;
      }
    }
  }
}

// One byte value at one place in an otherwise plain text, searched for from
// before and after it: found wherever it lies, in the 16-byte blocks and
// the tail, and only when it is one of the bytes asked for.
TEST(FindByte, EveryByteAtEveryPlace) {
  EXPECT_EQ(FindByte("", 0, ',', '\r', '\n'), 0u);
  for (size_t size : {1, 15, 16, 17, 31, 40}) {
    for (size_t at = 0; at < size; ++at) {
      for (int b = 0; b < 256; ++b) {
        std::string text(size, 'q');
        text[at] = static_cast<char>(b);
        const bool wanted = b == ',' || b == '\r' || b == '\n';
        ASSERT_EQ(FindByte(text, 0, ',', '\r', '\n'), wanted ? at : size) << size << " " << at;
        ASSERT_EQ(FindByte(text, at + 1, ',', '\r', '\n'), size) << size << " " << at;
      }
    }
  }
}

}  // namespace
}  // namespace vantrel
