// The fuzzers' seed corpus, replayed through the same checks as an ordinary
// test, so every build (Windows included) runs them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "FuzzChecks.h"

namespace vantrel {
namespace {

std::map<std::string, std::string> Corpus() {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(VANTREL_FUZZ_CORPUS)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    files[entry.path().filename().string()] =
        std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  return files;
}

TEST(FuzzCorpusTest, EverySeedPassesBothChecks) {
  const std::map<std::string, std::string> corpus = Corpus();
  // The seeds the fuzzers start from; a corpus that went missing fails here.
  for (const char* name :
       {"crlf", "lf", "cr", "mixed", "no-final-line-end", "utf8-bom", "utf16le-bom", "nul-bytes",
        "line-100k", "open-quote", "comma-in-comment", "tabs", "binary"}) {
    EXPECT_EQ(corpus.count(name), 1u) << name;
  }
  EXPECT_GT(corpus.at("line-100k").size(), 100u * 1024);
  for (const auto& [name, bytes] : corpus) {
    EXPECT_EQ(fuzz::CheckRead(bytes), "") << name;
    EXPECT_EQ(fuzz::CheckRoundTrip(bytes), "") << name;
    EXPECT_EQ(fuzz::CheckTypedAddress("\x08MyServer" + bytes), "") << name;
  }
}

// The checks themselves catch what they are there for.
TEST(FuzzCorpusTest, ChecksPassOnSoundFilesAndAreNotVacuous) {
  EXPECT_EQ(fuzz::CheckRoundTrip("# c\r\n127.0.0.1\talpha\tbeta\r\n0 b\r\n"), "");
  EXPECT_EQ(fuzz::CheckRead(""), "");
  EXPECT_EQ(fuzz::CheckRead("\xFF\xFE#\0"), "");  // refused, with a reason
}

}  // namespace
}  // namespace vantrel
