#include "save/SaveAs.h"

#include <gtest/gtest.h>

#include <cctype>

#include "core/ScriptedUi.h"
#include "save/FakeFileSystem.h"
#include "save/TestDocument.h"

namespace vantrel {
namespace {

using test::FakeFileSystem;
using test::ScriptedUi;

constexpr const char* kLoadedPath = "C:\\WINDOWS\\system32\\drivers\\etc\\hosts";
constexpr const char* kChosenPath = "C:\\saved\\hosts";
const std::string kOnDisk = "#hdr\r\n127.0.0.1 alpha\r\n127.0.0.1\tbeta\r\n";
const std::string kSavedLocal = "\r\n#hdr\r\n127.0.0.1 alpha\r\n127.0.0.1 beta\r\n";

class SaveAsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    doc_ = test::Loaded(kOnDisk);
    doc_->HostsPath = kLoadedPath;
    doc_->ChangeCount = 2;
    doc_->LastAction = kActionDelete;
    fs_.files[kLoadedPath].bytes = kOnDisk;
    fs_.files[kChosenPath].bytes = "old\r\n";
  }
  void TearDown() override { EXPECT_TRUE(ui_.AllAnswered()); }

  std::string Saved() const { return fs_.files.at(kChosenPath).bytes; }
  void ExpectNothingWritten() const {
    EXPECT_EQ(fs_.files.at(kChosenPath).bytes, "old\r\n");
    EXPECT_EQ(fs_.files.at(kLoadedPath).bytes, kOnDisk);
    EXPECT_EQ(fs_.files.size(), 2u);
  }

  std::unique_ptr<HostsDocument> doc_;
  ScriptedUi ui_;
  FakeFileSystem fs_;
};

TEST_F(SaveAsTest, NothingLoadedOnlyTellsSo) {
  HostsDocument empty;
  EXPECT_EQ(SaveAs(empty, ui_, fs_), SaveOutcome::NothingLoaded);
  ASSERT_EQ(ui_.Told.size(), 1u);
  EXPECT_EQ(ui_.Told[0].caption, "Nothing Loaded to Save");
  EXPECT_EQ(ui_.Told[0].text, "Please Load the List Before Saving");
  EXPECT_EQ(ui_.Told[0].icon, Icon::Information);
  EXPECT_TRUE(ui_.presets.empty());
}

TEST_F(SaveAsTest, SavesWhereTheUserChose) {
  ui_.options.push_back({SaveOption::LocalHost, true});
  ui_.files.push_back(kChosenPath);
  EXPECT_EQ(SaveAs(*doc_, ui_, fs_), SaveOutcome::Saved);

  ASSERT_EQ(ui_.presets.size(), 1u);
  EXPECT_EQ(ui_.presets[0].option, SaveOption::LocalHost);
  EXPECT_TRUE(ui_.presets[0].withComments);
  ASSERT_EQ(ui_.dialogs.size(), 1u);
  EXPECT_EQ(ui_.dialogs[0].title, "Save Host File Save Host File With LocalHost (127.0.0.1) As...");
  EXPECT_EQ(ui_.dialogs[0].initialFolder, kLoadedPath);
  EXPECT_EQ(ui_.dialogs[0].filterName, "All Files (*.*)");
  EXPECT_EQ(ui_.dialogs[0].filterPattern, "*.*");

  EXPECT_EQ(Saved(), kSavedLocal);
  EXPECT_EQ(fs_.files.at(kLoadedPath).bytes, kOnDisk);
  EXPECT_EQ(doc_->HostsPath, kChosenPath);
  EXPECT_EQ(doc_->ChangeCount, 0);
  EXPECT_EQ(doc_->LastAction, kActionDelete);
  EXPECT_TRUE(ui_.Told.empty());
}

TEST_F(SaveAsTest, WithoutLocalHostAndWithoutComments) {
  ui_.options.push_back({SaveOption::Zero, false});
  ui_.files.push_back(kChosenPath);
  EXPECT_EQ(SaveAs(*doc_, ui_, fs_), SaveOutcome::Saved);
  EXPECT_EQ(ui_.dialogs.at(0).title, "Save Host File Save Host File Without LocalHost (0) As...");
  EXPECT_EQ(Saved(), "0 alpha\r\n0 beta\r\n");
}

TEST_F(SaveAsTest, TypedAddressIsAskedForAndLowerCased) {
  ui_.options.push_back({SaveOption::Typed, false});
  ui_.AnswerInput("MyServer");
  ui_.files.push_back(kChosenPath);
  EXPECT_EQ(SaveAs(*doc_, ui_, fs_), SaveOutcome::Saved);
  EXPECT_EQ(ui_.Inputs, (std::vector<ScriptedUi::InputAsked>{
                            {"Please Specify Website or IP that you wish to redirect websites",
                             "Specify IP or Website", ""}}));
  EXPECT_EQ(ui_.dialogs.at(0).title, "Save Host File Save Host File With myserver As...");
  EXPECT_EQ(Saved(), "myserver alpha\r\nmyserver beta\r\n");
}

// An address the file would not read back as one is refused with a word of
// why, and asked for again with the refused text to mend; an empty answer
// still stops the save, after a refusal too.
TEST_F(SaveAsTest, AnAddressThatWouldNotReadBackIsAskedForAgain) {
  const std::vector<std::string> refused = {"#x", "a b", "a,b", "\"a", " 10.0.0.1"};
  ui_.options.push_back({SaveOption::Typed, false});
  for (const std::string& text : refused) ui_.AnswerInput(text);
  ui_.AnswerInput("10.0.0.1");
  ui_.files.push_back(kChosenPath);
  EXPECT_EQ(SaveAs(*doc_, ui_, fs_), SaveOutcome::Saved);
  EXPECT_EQ(Saved(), "10.0.0.1 alpha\r\n10.0.0.1 beta\r\n");
  ASSERT_EQ(ui_.Told.size(), refused.size());
  for (const auto& told : ui_.Told) {
    EXPECT_EQ(told.caption, "Specify IP or Website");
    EXPECT_EQ(told.icon, Icon::Exclamation);
    EXPECT_NE(told.text.find("cannot contain spaces, tabs, commas, double quotes"),
              std::string::npos);
  }
  ASSERT_EQ(ui_.Inputs.size(), refused.size() + 1);
  for (size_t i = 0; i < refused.size(); ++i) {
    EXPECT_EQ(ui_.Inputs[i + 1],
              (ScriptedUi::InputAsked{ui_.Inputs[0].prompt, ui_.Inputs[0].title, refused[i]}));
  }

  doc_->ChangeCount = 2;
  fs_.files[kChosenPath].bytes = "old\r\n";
  ui_.options.push_back({SaveOption::Typed, true});
  ui_.AnswerInput("#x");
  ui_.AnswerInput("");
  EXPECT_EQ(SaveAs(*doc_, ui_, fs_, true), SaveOutcome::Cancelled);
  EXPECT_EQ(ui_.ended, 0);
  EXPECT_EQ(doc_->ChangeCount, 2);
  ExpectNothingWritten();
}

TEST_F(SaveAsTest, NoAddressStopsSilentlyEvenOnTheWayOut) {
  ui_.options.push_back({SaveOption::Typed, true});
  ui_.AnswerInput("");
  EXPECT_EQ(SaveAs(*doc_, ui_, fs_, true), SaveOutcome::Cancelled);
  EXPECT_TRUE(ui_.dialogs.empty());
  EXPECT_TRUE(ui_.Told.empty());
  EXPECT_EQ(ui_.ended, 0);
  EXPECT_EQ(doc_->ChangeCount, 2);
  ExpectNothingWritten();
}

TEST_F(SaveAsTest, CancelStopsOrOnTheWayOutEndsTheProgram) {
  for (const bool leaving : {false, true}) {
    SCOPED_TRACE(leaving);
    ui_.ended = 0;
    ui_.options.push_back({SaveOption::None, true});
    const SaveOutcome inOptions = SaveAs(*doc_, ui_, fs_, leaving);
    ui_.options.push_back({SaveOption::LocalHost, true});
    ui_.files.push_back(std::nullopt);
    const SaveOutcome inDialog = SaveAs(*doc_, ui_, fs_, leaving);
    const SaveOutcome expected = leaving ? SaveOutcome::ProgramEnded : SaveOutcome::Cancelled;
    EXPECT_EQ(inOptions, expected);
    EXPECT_EQ(inDialog, expected);
    EXPECT_EQ(ui_.ended, leaving ? 2 : 0);
    EXPECT_EQ(doc_->ChangeCount, 2);
    EXPECT_EQ(doc_->HostsPath, kLoadedPath);
    ExpectNothingWritten();
  }
}

TEST_F(SaveAsTest, FailedWriteIsReportedAndKeepsTheChanges) {
  for (int step = 1; step <= 5; ++step) {
    SCOPED_TRACE(step);
    fs_.operations = 0;
    fs_.failAt = step;
    fs_.failError = FsError::AccessDenied;
    fs_.openStatus = FsStatus::Fail(FsError::AccessDenied);  // nor may it be written in place
    ui_.Told.clear();
    ui_.options.push_back({SaveOption::LocalHost, true});
    ui_.files.push_back(kChosenPath);
    EXPECT_EQ(SaveAs(*doc_, ui_, fs_), SaveOutcome::Failed);
    ExpectNothingWritten();
    EXPECT_EQ(doc_->ChangeCount, 2);
    EXPECT_EQ(doc_->HostsPath, kChosenPath);  // as the dialog returned it
    ASSERT_EQ(ui_.Told.size(), 1u);
    EXPECT_EQ(ui_.Told[0].caption, "Save Failed");
    EXPECT_EQ(ui_.Told[0].icon, Icon::Critical);
    EXPECT_NE(ui_.Told[0].text.find(kChosenPath), std::string::npos);
    EXPECT_NE(ui_.Told[0].text.find(ReasonFor(FsStatus::Fail(FsError::AccessDenied))),
              std::string::npos);
  }
}

TEST_F(SaveAsTest, ReadOnlyTargetIsNotOverwritten) {
  fs_.files[kChosenPath].readOnly = true;
  ui_.options.push_back({SaveOption::LocalHost, true});
  ui_.files.push_back(kChosenPath);
  EXPECT_EQ(SaveAs(*doc_, ui_, fs_), SaveOutcome::Failed);
  ExpectNothingWritten();
  ASSERT_EQ(ui_.Told.size(), 1u);
  EXPECT_NE(ui_.Told[0].text.find("The file is read-only."), std::string::npos);
}

TEST_F(SaveAsTest, PromptAsksOnlyWithUnsavedChanges) {
  doc_->ChangeCount = 0;
  EXPECT_EQ(PromptToSave(*doc_, ui_, fs_), SaveOutcome::NotAsked);
  doc_->ChangeCount = -1;  // an undo after a save
  EXPECT_EQ(PromptToSave(*doc_, ui_, fs_), SaveOutcome::NotAsked);
  EXPECT_TRUE(ui_.Questions.empty());

  doc_->ChangeCount = 1;
  ui_.AnswerYesNo(false);
  EXPECT_EQ(PromptToSave(*doc_, ui_, fs_), SaveOutcome::Declined);
  EXPECT_EQ(ui_.Questions,
            (std::vector<ScriptedUi::Message>{
                {"Save Changes", "Would you like to save changes?", Icon::Question}}));
  EXPECT_TRUE(ui_.presets.empty());
}

// What each answer leads to on the way out.
struct ExitCase {
  const char* name;
  int32_t changes;
  std::vector<bool> yesNo;
  std::vector<SaveChoice> options;
  std::vector<std::string> inputs;
  std::vector<std::optional<std::string>> files;
  bool failWrite;
  bool programEnds;
  bool written;
};

void PrintTo(const ExitCase& c, std::ostream* os) { *os << c.name; }

const ExitCase kExitCases[] = {
    {"nothing unsaved", 0, {}, {}, {}, {}, false, true, false},
    {"No", 1, {false}, {}, {}, {}, false, true, false},
    {"Yes, saved",
     1,
     {true},
     {{SaveOption::LocalHost, true}},
     {},
     {kChosenPath},
     false,
     true,
     true},
    {"Yes, Cancel in options", 1, {true}, {{SaveOption::None, true}}, {}, {}, false, true, false},
    {"Yes, Cancel in file dialog",
     1,
     {true},
     {{SaveOption::LocalHost, true}},
     {},
     {std::nullopt},
     false,
     true,
     false},
    {"Yes, no address", 1, {true}, {{SaveOption::Typed, true}}, {""}, {}, false, true, false},
    {"Yes, write fails",
     1,
     {true},
     {{SaveOption::LocalHost, true}},
     {},
     {kChosenPath},
     true,
     false,
     false},
};

class ExitTest : public SaveAsTest, public ::testing::WithParamInterface<ExitCase> {
 protected:
  void Script(const ExitCase& c) {
    doc_->ChangeCount = c.changes;
    for (const bool yes : c.yesNo) ui_.AnswerYesNo(yes);
    ui_.options.assign(c.options.begin(), c.options.end());
    for (const std::string& text : c.inputs) ui_.AnswerInput(text);
    ui_.files.assign(c.files.begin(), c.files.end());
    if (c.failWrite) fs_.failAt = 2;
  }
  void ExpectResult(const ExitCase& c) {
    EXPECT_EQ(c.written, Saved() == kSavedLocal);
    if (!c.written) ExpectNothingWritten();
    if (c.programEnds) {
      EXPECT_TRUE(ui_.Told.empty());
      return;
    }
    // Told, and still open with the document and its changes.
    EXPECT_EQ(ui_.Told.size(), 1u);
    EXPECT_NE(ui_.Told.at(0).text.find("stays open"), std::string::npos);
    EXPECT_EQ(doc_->ChangeCount, c.changes);
    EXPECT_NE(doc_->LineCount, 0);
  }
};

TEST_P(ExitTest, ExitMenu) {
  const ExitCase& c = GetParam();
  Script(c);
  ExitProgram(*doc_, ui_, fs_);
  EXPECT_EQ(ui_.ended, c.programEnds ? 1 : 0);  // once, never twice
  ExpectResult(c);
}

TEST_P(ExitTest, ClosingTheMainWindow) {
  const ExitCase& c = GetParam();
  Script(c);
  EXPECT_EQ(PromptBeforeExit(*doc_, ui_, fs_), c.programEnds);
  ExpectResult(c);
}

INSTANTIATE_TEST_SUITE_P(Answers, ExitTest, ::testing::ValuesIn(kExitCases), [](const auto& info) {
  std::string name;
  for (const char ch : std::string(info.param.name)) {
    if (std::isalnum(static_cast<unsigned char>(ch))) name += ch;
  }
  return name;
});

TEST_F(SaveAsTest, CloseGoesBackToNoDocumentWhateverTheAnswer) {
  ui_.AnswerYesNo(true);
  ui_.options.push_back({SaveOption::None, true});
  doc_->Counts = {"3", "1", "2"};
  doc_->ArmUndo(kActionAdd, "Undo Add");
  EXPECT_TRUE(CloseDocument(*doc_, ui_, fs_));
  EXPECT_EQ(ui_.ended, 0);
  EXPECT_EQ(doc_->Counts, RemovalCounts{});
  EXPECT_FALSE(doc_->UndoArmed);
  EXPECT_EQ(doc_->LineCount, 0);
  EXPECT_EQ(doc_->ChangeCount, 0);
  EXPECT_EQ(doc_->HostsPath, "");
  EXPECT_EQ(doc_->List1.Count(), 0);
  ExpectNothingWritten();

  // Then Save As has nothing to save.
  EXPECT_EQ(SaveAs(*doc_, ui_, fs_), SaveOutcome::NothingLoaded);
}

TEST_F(SaveAsTest, CloseWithoutChangesAsksNothing) {
  doc_->ChangeCount = 0;
  EXPECT_TRUE(CloseDocument(*doc_, ui_, fs_));
  EXPECT_TRUE(ui_.Questions.empty());
  EXPECT_EQ(doc_->LineCount, 0);
}

TEST_F(SaveAsTest, CloseAfterAFailedSaveKeepsTheDocument) {
  ui_.AnswerYesNo(true);
  ui_.options.push_back({SaveOption::LocalHost, true});
  ui_.files.push_back(kChosenPath);
  fs_.failAt = 1;
  EXPECT_FALSE(CloseDocument(*doc_, ui_, fs_));
  EXPECT_NE(doc_->LineCount, 0);
  EXPECT_EQ(doc_->ChangeCount, 2);
  EXPECT_EQ(doc_->List1.Count(), 2);
  ExpectNothingWritten();
}

TEST_F(SaveAsTest, OpenGoesOnUnlessTheSaveFailed) {
  ui_.AnswerYesNo(false);
  EXPECT_TRUE(PromptBeforeOpen(*doc_, ui_, fs_));
  ui_.AnswerYesNo(true);
  ui_.options.push_back({SaveOption::LocalHost, true});
  ui_.files.push_back(kChosenPath);
  fs_.failAt = 1;
  EXPECT_FALSE(PromptBeforeOpen(*doc_, ui_, fs_));
}

}  // namespace
}  // namespace vantrel
