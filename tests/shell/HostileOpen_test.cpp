// Hostile files through the real window: each gives a clear message and the
// no-document state, or a correct document that saves back without loss.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "core/HostsReader.h"
#include "shell/MainFixture.h"

namespace vantrel::test {
namespace {

using namespace std::string_literals;

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> NonEmpty(const TextArray& entries) {
  std::vector<std::string> texts;
  for (const Text entry : entries) {
    if (!entry.empty()) texts.emplace_back(entry);
  }
  return texts;
}

class HostileOpenTest : public MainFixture {
 protected:
  // Save As with the address "0", comments as asked, to a new file; returns
  // what was written.
  std::string SaveCopy(bool withComments) {
    const std::string path = folder_.Path() + "\\saved-" + std::to_string(++saves_);
    window_.saveOptions.push_back({SaveOption::Zero, withComments});
    script_.AnswerFile(path);
    Command(kMnuSaveAs);
    EXPECT_EQ(document_.ChangeCount, 0);
    return ReadBytes(path);
  }
  // A message naming the file and the reason, and the window back to no
  // document.
  void ExpectRefused(const std::string& path, const std::string& reason) {
    ASSERT_FALSE(script_.Questions().empty());
    const Asked& message = script_.Last();
    EXPECT_EQ(message.what, Asked::What::Message);
    EXPECT_EQ(message.caption, "Open Host File");
    EXPECT_NE(message.text.find(path), std::string::npos) << message.text;
    EXPECT_NE(message.text.find(reason), std::string::npos) << message.text;
    EXPECT_EQ(document_.LineCount, 0);
    EXPECT_EQ(Text(kLabel6), "none");
    EXPECT_EQ(ListCount(kList1), 0);
    EXPECT_FALSE(Enabled(kCmdSaveAs));
    EXPECT_EQ(DefaultButton(), kCmdOpen);
  }
  // Forces the entry list to paint now.
  void Paint() { RedrawWindow(Control(kList1), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); }

  int saves_ = 0;
};

TEST_F(HostileOpenTest, BinaryFilesLoadOrAreReportedAndSaveWithoutLoss) {
  std::mt19937 random(5);
  int loaded = 0;
  for (int round = 0; round < 6; ++round) {
    std::string bytes(8192, '\0');
    for (char& c : bytes) c = static_cast<char>(random() % 256);
    bytes[0] = 'x';
    HostsDocument expected;
    const ReadOutcome outcome = ReadHostsText(bytes, expected).outcome;
    script_.Forget();
    if (outcome != ReadOutcome::Loaded) script_.AnswerMessage(IDOK);
    Open(folder_.Write("binary", bytes));
    Paint();
    if (outcome != ReadOutcome::Loaded) {
      EXPECT_EQ(script_.Last().caption, "Host File Empty");
      continue;
    }
    ++loaded;
    ASSERT_EQ(NonEmpty(document_.CopyEntries()), NonEmpty(expected.CopyEntries()));
    EXPECT_EQ(ListCount(kList1), static_cast<int>(NonEmpty(expected.CopyEntries()).size()));
    // Written and read back, every entry and comment is there, in order.
    HostsDocument again;
    ReadHostsText(SaveCopy(true), again);
    EXPECT_EQ(NonEmpty(again.CopyEntries()), NonEmpty(expected.CopyEntries()));
    EXPECT_EQ(std::vector<std::string>(again.Comments.begin(), again.Comments.end()),
              std::vector<std::string>(expected.Comments.begin(), expected.Comments.end()));
  }
  EXPECT_GT(loaded, 3);
  EXPECT_TRUE(script_.AllAnswered());
}

TEST_F(HostileOpenTest, NulBytesAreShownAndSavedBack) {
  Open(folder_.Write("hosts", "127.0.0.1 a\0b\r\n#c\0d\r\n127.0.0.1 e\r\n"s));
  Paint();
  ASSERT_EQ(ListCount(kList1), 2);
  EXPECT_EQ(document_.List1.Item(0), "a\0b"s);
  EXPECT_EQ(CommentRow(document_, 0), "#c\0d"s);
  EXPECT_EQ(SaveCopy(true), "0 a\0b\r\n\r\n#c\0d\r\n0 e\r\n"s);
}

TEST_F(HostileOpenTest, TenMegabyteLine) {
  const std::string host(10 << 20, 'h');
  Open(folder_.Write("hosts", "# big\r\n127.0.0.1 " + host + "\r\n0 small\r\n"));
  Paint();
  ASSERT_EQ(ListCount(kList1), 2);
  EXPECT_EQ(document_.List1.Item(0).size(), host.size());
  EXPECT_EQ(SaveCopy(true), "\r\n# big\r\n0 " + host + "\r\n0 small\r\n");
  EXPECT_TRUE(script_.AllAnswered());
}

TEST_F(HostileOpenTest, Utf8MarkIsNotShownAndIsSavedBack) {
  Open(folder_.Write("hosts",
                     "\xEF\xBB\xBF"
                     "127.0.0.1 First\r\n127.0.0.1 second\r\n"));
  ASSERT_EQ(ListCount(kList1), 2);
  EXPECT_EQ(document_.List1.Item(0), "first");
  EXPECT_EQ(Text(kLabelIP), kLabelIPLocalHost);
  EXPECT_EQ(SaveCopy(false),
            "\xEF\xBB\xBF"
            "0 first\r\n0 second\r\n");
}

TEST_F(HostileOpenTest, Utf16IsRefusedNamingTheEncoding) {
  Open(folder_.Write("loaded", "1 a\r\n1 b\r\n"));
  const std::string path = folder_.Write("unicode", "\xFF\xFE#\0h\0\r\0\n\0"s);
  script_.AnswerMessage(IDOK);
  Open(path);
  ExpectRefused(path, "UTF-16 LE");
  EXPECT_TRUE(script_.AllAnswered());
}

TEST_F(HostileOpenTest, FileOverTheSizeLimitIsRefusedKeepingTheList) {
  const std::string loaded = folder_.Write("loaded", "1 a\r\n1 b\r\n"),
                    huge = folder_.Write("huge", "");
  Open(loaded);
  std::filesystem::resize_file(huge, uintmax_t{1} << 31);  // sparse
  script_.AnswerMessage(IDOK);
  Open(huge);
  EXPECT_EQ(script_.Last().text,
            "The file is too large to open:\r\n" + huge + "\r\n\r\n" + kFileTooLargeReason);
  EXPECT_EQ(Text(kLabel6), loaded);
  EXPECT_EQ(ListCount(kList1), 2);
}

TEST_F(HostileOpenTest, UnterminatedQuoteEndsWithItsLine) {
  Open(folder_.Write("hosts", "\"127.0.0.1 alpha\r\n\"# open, x\r\n127.0.0.1 beta\r\n"));
  ASSERT_EQ(ListCount(kList1), 2);
  EXPECT_EQ(document_.List1.Item(0), "alpha");
  EXPECT_EQ(CommentRow(document_, 0), "# open, x");
  EXPECT_EQ(SaveCopy(true), "0 alpha\r\n\r\n\"# open, x\"\r\n0 beta\r\n");
}

TEST_F(HostileOpenTest, FiveMillionLines) {
  constexpr int32_t kLines = 5'000'000;
  std::string bytes;
  bytes.reserve(static_cast<size_t>(kLines) * 10);
  for (int32_t i = 0; i < kLines; ++i) bytes += "0 h" + std::to_string(i % 250000) + "\n";
  Open(folder_.Write("hosts", bytes));
  bytes.clear();
  Paint();
  EXPECT_EQ(document_.LineCount, kLines);
  EXPECT_EQ(document_.EntryCount(), kLines);
  EXPECT_EQ(ListCount(kList1), kLines);
  EXPECT_EQ(document_.List1.Item(0), "h0");
  // Remove Duplicates over them.
  script_.AnswerMessage(IDYES);
  Command(kCmdRemDup);
  EXPECT_EQ(ListCount(kList1), 250000);
  EXPECT_EQ(Text(kText2), "4750000");
  EXPECT_TRUE(script_.AllAnswered());
}

TEST_F(HostileOpenTest, FolderIsRefused) {
  Open(folder_.Path());
  ExpectRefused(folder_.Path(), "It is a folder, not a file.");
}

// Deletes the chosen file as the dialog closes: gone before it is read.
class VanishingModal : public ScriptedModal {
 public:
  BOOL OpenFileName(OPENFILENAMEA* settings) override {
    const BOOL chosen = ScriptedModal::OpenFileName(settings);
    if (chosen) DeleteFileA(settings->lpstrFile);
    return chosen;
  }
};

TEST_F(HostileOpenTest, FileThatVanishesAfterTheDialog) {
  VanishingModal vanishing;
  ScopedModal scoped(vanishing);
  const std::string path = folder_.Write("hosts", "1 a\r\n1 b\r\n");
  vanishing.AnswerFile(path);
  Command(kMnuOpen);
  ASSERT_EQ(vanishing.Questions().size(), 2u);
  EXPECT_NE(vanishing.Last().text.find("The file does not exist."), std::string::npos);
  EXPECT_EQ(document_.LineCount, 0);
  EXPECT_EQ(Text(kLabel6), "none");
}

}  // namespace
}  // namespace vantrel::test
