// Save As with the file system failing at every step in turn and stopping
// short at chosen bytes: the file on disk stays byte for byte as it was, no
// file of ours is left, the user is told why, and the document keeps its
// unsaved changes, whichever way the save was started.
#include <gtest/gtest.h>

#include <string>

#include "core/ScriptedUi.h"
#include "save/FakeFileSystem.h"
#include "save/SafeWrite.h"
#include "save/SaveAs.h"
#include "save/TestDocument.h"

namespace vantrel {
namespace {

using test::FakeFileSystem;
using test::ScriptedUi;

constexpr const char* kPath = "C:\\WINDOWS\\system32\\drivers\\etc\\hosts";

// Big enough that writing it takes several chunks.
std::string BigFile() {
  std::string text = "\xEF\xBB\xBF# header\r\n";
  for (int i = 0; i < 150000; ++i) {
    text += "127.0.0.1 host" + std::to_string(i) + ".example\r\n";
    if (i % 10000 == 0) text += "# section " + std::to_string(i) + "\r\n";
  }
  return text;
}

class SaveFaultsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    onDisk_ = BigFile();
    doc_ = test::Loaded(onDisk_);
    doc_->HostsPath = kPath;
    doc_->ChangeCount = 3;
    expected_ = WriteHostsText(*doc_, "0 ", true);
    ASSERT_GT(expected_.size(), 3 * kWriteChunk);
  }
  void Reset(FakeFileSystem& fs) {
    fs.files.clear();
    fs.files[kPath].bytes = onDisk_;
  }
  // One Save As over the loaded file, answered "0", comments on, same path.
  SaveOutcome Save(FakeFileSystem& fs) {
    ui_.Told.clear();
    ui_.options.push_back({SaveOption::Zero, true});
    ui_.files.push_back(kPath);
    return SaveAs(*doc_, ui_, fs);
  }
  void ExpectKept(const FakeFileSystem& fs, SaveOutcome outcome, const std::string& what) {
    SCOPED_TRACE(what);
    EXPECT_EQ(outcome, SaveOutcome::Failed);
    ASSERT_EQ(fs.files.size(), 1u);  // no temporary file left
    EXPECT_TRUE(fs.files.at(kPath).bytes == onDisk_);
    EXPECT_FALSE(fs.AnyOpen());
    EXPECT_EQ(doc_->ChangeCount, 3);
    ASSERT_EQ(ui_.Told.size(), 1u);
    EXPECT_EQ(ui_.Told[0].caption, "Save Failed");
    EXPECT_NE(ui_.Told[0].text.find("The file on disk was not changed."), std::string::npos);
    EXPECT_TRUE(ui_.AllAnswered());
  }

  std::string onDisk_;
  std::string expected_;
  std::unique_ptr<HostsDocument> doc_;
  ScriptedUi ui_;
};

TEST_F(SaveFaultsTest, FailureAtEveryStep) {
  FakeFileSystem probe;
  Reset(probe);
  ASSERT_EQ(Save(probe), SaveOutcome::Saved);
  ASSERT_TRUE(probe.files.at(kPath).bytes == expected_);
  // create, one write per chunk, flush, close, replace
  const int steps = probe.operations;
  ASSERT_GE(steps, 7);
  int writes = 0;
  for (const std::string& op : probe.log) writes += op == "write";
  EXPECT_GE(writes, 4);

  for (int step = 1; step <= steps; ++step) {
    doc_->ChangeCount = 3;
    FakeFileSystem fs;
    Reset(fs);
    fs.failAt = step;
    fs.failError = step % 2 ? FsError::DiskFull : FsError::AccessDenied;
    const SaveOutcome outcome = Save(fs);
    ExpectKept(fs, outcome, fs.log.at(static_cast<size_t>(step)) + " " + std::to_string(step));
    EXPECT_NE(ui_.Told.at(0).text.find(ReasonFor(FsStatus::Fail(fs.failError))), std::string::npos);
  }
}

TEST_F(SaveFaultsTest, ShortWritesAtChosenOffsets) {
  for (const size_t offset : {size_t{0}, size_t{1}, size_t{3}, kWriteChunk - 1, kWriteChunk,
                              kWriteChunk + 1, 2 * kWriteChunk + 17, expected_.size() - 1}) {
    FakeFileSystem fs;
    Reset(fs);
    fs.shortAt = offset;
    const SaveOutcome outcome = Save(fs);
    ExpectKept(fs, outcome, "short at " + std::to_string(offset));
    EXPECT_NE(ui_.Told.at(0).text.find("The disk is full."), std::string::npos);
  }
}

// The folder takes no new file, so the file is written in place: a fault at
// any step after its old bytes were read puts them back. Closing is the one
// step after the new content was flushed and measured: it is saved then.
TEST_F(SaveFaultsTest, InPlaceFailureAtEveryStepPutsTheOldBytesBack) {
  const FsStatus denied = FsStatus::Fail(FsError::AccessDenied);
  FakeFileSystem probe;
  Reset(probe);
  probe.createStatus = denied;
  ASSERT_EQ(Save(probe), SaveOutcome::Saved);
  ASSERT_TRUE(probe.files.at(kPath).bytes == expected_);
  ASSERT_EQ(probe.log.back(), "close");
  const int steps = probe.operations;

  for (int step = 2; step < steps; ++step) {
    doc_->ChangeCount = 3;
    FakeFileSystem fs;
    Reset(fs);
    fs.createStatus = denied;
    fs.failAt = step;
    fs.failError = step % 2 ? FsError::DiskFull : FsError::Other;
    const SaveOutcome outcome = Save(fs);
    ExpectKept(fs, outcome, fs.log.at(static_cast<size_t>(step)) + " " + std::to_string(step));
  }
  // A disk that fills up: written with "127.0.0.1 ", the new content is a
  // little longer than the old, which still fits.
  FakeFileSystem full;
  Reset(full);
  full.createStatus = denied;
  full.shortAt = onDisk_.size() + 8;
  ui_.Told.clear();
  ui_.options.push_back({SaveOption::LocalHost, true});
  ui_.files.push_back(kPath);
  ASSERT_GT(WriteHostsText(*doc_, "127.0.0.1 ", true).size(), full.shortAt);
  ExpectKept(full, SaveAs(*doc_, ui_, full), "a full disk");
  doc_->ChangeCount = 3;
  FakeFileSystem closing;
  Reset(closing);
  closing.createStatus = denied;
  closing.failAt = steps;
  EXPECT_EQ(Save(closing), SaveOutcome::Saved);
  EXPECT_TRUE(closing.files.at(kPath).bytes == expected_);
  EXPECT_FALSE(closing.AnyOpen());
}

// Neither the new content nor the old one could be written: the user is told
// to check the file, not that it is unchanged.
TEST_F(SaveFaultsTest, InPlaceWhenPuttingBackFailsTooTheUserIsToldToCheckTheFile) {
  for (const int firstFault : {4, 6}) {  // truncating; the second write
    SCOPED_TRACE(firstFault);
    FakeFileSystem fs;
    Reset(fs);
    fs.createStatus = FsStatus::Fail(FsError::AccessDenied);
    fs.failAt = firstFault;
    fs.failOnward = true;
    EXPECT_EQ(Save(fs), SaveOutcome::Failed);
    ASSERT_EQ(ui_.Told.size(), 1u);
    EXPECT_NE(ui_.Told[0].text.find("please check the file"), std::string::npos);
    EXPECT_EQ(ui_.Told[0].text.find("was not changed"), std::string::npos);
    EXPECT_EQ(doc_->ChangeCount, 3);
    EXPECT_FALSE(fs.AnyOpen());
  }
}

// The same faults reached through the prompt of Close and of the way out:
// the document and the program stay, with their changes.
TEST_F(SaveFaultsTest, CloseAndExitKeepTheDocumentAfterAFault) {
  for (const int step : {1, 2, 5, 8}) {
    SCOPED_TRACE(step);
    FakeFileSystem fs;
    Reset(fs);
    fs.failAt = step;
    ui_.AnswerYesNo(true);
    ui_.options.push_back({SaveOption::LocalHost, true});
    ui_.files.push_back(kPath);
    EXPECT_FALSE(CloseDocument(*doc_, ui_, fs));
    EXPECT_NE(doc_->LineCount, 0);
    EXPECT_EQ(doc_->ChangeCount, 3);
    EXPECT_TRUE(fs.files.at(kPath).bytes == onDisk_);
    EXPECT_EQ(fs.files.size(), 1u);

    FakeFileSystem out;
    Reset(out);
    out.failAt = step;
    ui_.AnswerYesNo(true);
    ui_.options.push_back({SaveOption::LocalHost, false});
    ui_.files.push_back(kPath);
    EXPECT_FALSE(PromptBeforeExit(*doc_, ui_, out));
    EXPECT_EQ(ui_.ended, 0);
    EXPECT_EQ(doc_->ChangeCount, 3);
    EXPECT_TRUE(out.files.at(kPath).bytes == onDisk_);
    EXPECT_EQ(out.files.size(), 1u);
    EXPECT_TRUE(ui_.AllAnswered());
  }
}

}  // namespace
}  // namespace vantrel
