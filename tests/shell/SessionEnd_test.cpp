// The end of the Windows session, sent to the real main window as the
// system sends it: the unsaved-changes prompt on the query, the end of the
// program when the session ends. Questions are answered by script.
#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "shell/MainFixture.h"

namespace vantrel::test {
namespace {

enum class SaveTo { NotAsked, Cancel, File, MissingFolder };

struct SessionCase {
  const char* name;
  bool changed;
  std::vector<int> messages;  // answers to the message boxes, in order
  SaveTo save;
  BOOL mayEnd;
  size_t questions;
  const char* blocks;
  LPARAM flags = ENDSESSION_LOGOFF;
};

// Holds (+) and releases (-) of the shutdown block reason, each with the
// number of questions asked by then.
std::string blockLog;
const ScriptedModal* blockScript = nullptr;
BOOL Log(char sign) {
  blockLog += sign + std::to_string(blockScript->Questions().size());
  return TRUE;
}
BOOL WINAPI RecordHold(HWND, LPCWSTR) { return Log('+'); }
BOOL WINAPI RecordRelease(HWND) { return Log('-'); }

void PrintTo(const SessionCase& c, std::ostream* out) { *out << c.name; }

class SessionEndTest : public MainFixture {
 protected:
  SessionEndTest() : systemBlock_(ShutdownBlock::Use({RecordHold, RecordRelease})) {
    blockScript = &script_;
    blockLog.clear();
  }
  ~SessionEndTest() override { ShutdownBlock::Use(systemBlock_); }
  LRESULT Query(LPARAM flags = ENDSESSION_LOGOFF) {
    return SendMessageA(window_.Handle(), WM_QUERYENDSESSION, 0, flags);
  }
  void Load(bool changed) {
    Open(folder_.Write("hosts", "#c\r\n1 alpha\r\n1 beta\r\n"));
    if (changed) {
      script_.AnswerMessage(IDYES);
      script_.AnswerInput("gamma");
      SendMessageA(window_.Handle(), WM_COMMAND, kMnuAdd, 0);
      Pump();
    }
    script_.Forget();
  }
  bool QuitPosted() {
    MSG msg;
    return PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
  }
  void ExpectDocumentKept() {
    EXPECT_TRUE(IsWindowVisible(window_.Handle()));
    EXPECT_FALSE(Ended());
    EXPECT_EQ(document_.ChangeCount, 1);
    EXPECT_EQ(ListCount(kList1), 3);
  }

  ShutdownBlockCalls systemBlock_;
};

class SessionAnswerTest : public SessionEndTest,
                          public ::testing::WithParamInterface<SessionCase> {};

TEST_P(SessionAnswerTest, AsksOnceThenEndsWithTheSession) {
  const SessionCase& c = GetParam();
  Load(c.changed);
  for (int answer : c.messages) script_.AnswerMessage(answer);
  const std::string saved = folder_.Path() + "\\saved";
  if (c.save != SaveTo::NotAsked) {
    window_.saveOptions.push_back(SaveChoice{SaveOption::LocalHost, true});
    script_.AnswerFile(c.save == SaveTo::Cancel          ? ""
                       : c.save == SaveTo::MissingFolder ? folder_.Path() + "\\none\\hosts"
                                                         : saved);
  }
  EXPECT_EQ(Query(c.flags), c.mayEnd);
  EXPECT_EQ(blockLog, c.blocks);
  EXPECT_FALSE(QuitPosted());
  EXPECT_TRUE(script_.AllAnswered());
  ASSERT_EQ(script_.Questions().size(), c.questions);
  if (c.questions > 0) {
    EXPECT_EQ(script_.Questions()[0].caption, "Save Changes");
  }
  EXPECT_TRUE(IsWindowVisible(window_.Handle()));
  EXPECT_EQ(GetFileAttributesA(saved.c_str()) != INVALID_FILE_ATTRIBUTES, c.save == SaveTo::File);

  if (!c.mayEnd) {
    // Kept from ending: the session end is called off, the document stays.
    SendMessageA(window_.Handle(), WM_ENDSESSION, FALSE, 0);
    ExpectDocumentKept();
    EXPECT_EQ(blockLog, c.blocks + ("-" + std::to_string(c.questions)));
    return;
  }
  // Asked again within the same session end: no second question.
  EXPECT_EQ(Query(c.flags), TRUE);
  EXPECT_EQ(script_.Questions().size(), c.questions);
  SendMessageA(window_.Handle(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  EXPECT_FALSE(IsWindow(window_.Handle()));
  EXPECT_EQ(script_.Questions().size(), c.questions);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, SessionAnswerTest,
    ::testing::Values(
        SessionCase{"NothingUnsaved", false, {}, SaveTo::NotAsked, TRUE, 0, ""},
        SessionCase{"No", true, {IDNO}, SaveTo::NotAsked, TRUE, 1, "+0-1"},
        SessionCase{"Saved", true, {IDYES}, SaveTo::File, TRUE, 2, "+0-2"},
        SessionCase{"CancelledInTheDialog", true, {IDYES}, SaveTo::Cancel, TRUE, 2, "+0-2"},
        SessionCase{"SaveFailed", true, {IDYES, IDOK}, SaveTo::MissingFolder, FALSE, 3, "+0-3+3"},
        // The system ends the session whatever the answer: nothing is asked.
        SessionCase{"Critical", true, {}, SaveTo::NotAsked, TRUE, 0, "", ENDSESSION_CRITICAL}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SessionEndTest, AnEndCalledOffElsewhereKeepsTheDocumentAndAsksNextTime) {
  Load(true);
  script_.AnswerMessage(IDNO);
  EXPECT_EQ(Query(), TRUE);
  SendMessageA(window_.Handle(), WM_ENDSESSION, FALSE, 0);
  ExpectDocumentKept();
  script_.AnswerMessage(IDNO);
  EXPECT_EQ(Query(), TRUE);
  EXPECT_EQ(script_.Questions().size(), 2u);
}

}  // namespace
}  // namespace vantrel::test
