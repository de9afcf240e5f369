#include "save/SafeWrite.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <new>

#include "save/FakeFileSystem.h"

namespace vantrel {
namespace {

using test::FakeFileSystem;

constexpr const char* kTarget = "C:\\etc\\hosts";
const std::string kOld = "127.0.0.1 old\r\n";
const std::string kNew = "127.0.0.1 alpha\r\n127.0.0.1 beta\r\n";
constexpr size_t kChunk = 8;

FakeFileSystem WithOldFile() {
  FakeFileSystem fs;
  fs.files[kTarget].bytes = kOld;
  return fs;
}

// After a failure: the old file exactly as it was, nothing else left behind,
// nothing left open, and a reason to show.
void ExpectUntouched(const FakeFileSystem& fs, const FsStatus& status, const std::string& what) {
  SCOPED_TRACE(what);
  EXPECT_FALSE(status.ok());
  EXPECT_FALSE(ReasonFor(status).empty());
  ASSERT_EQ(fs.files.size(), 1u);
  ASSERT_EQ(fs.files.count(kTarget), 1u);
  EXPECT_EQ(fs.files.at(kTarget).bytes, kOld);
  EXPECT_FALSE(fs.AnyOpen());
}

TEST(SafeWriteTest, ReplacesTheFileAndLeavesNothingElse) {
  FakeFileSystem fs = WithOldFile();
  ASSERT_TRUE(SafeWriteFile(fs, kTarget, kNew, kChunk).ok());
  ASSERT_EQ(fs.files.size(), 1u);
  EXPECT_EQ(fs.files.at(kTarget).bytes, kNew);
  EXPECT_FALSE(fs.AnyOpen());
  // Every byte is flushed before the new file takes the old one's place.
  const std::vector<std::string> expected = {"inspect", "create", "write", "write", "write",
                                             "write",   "write",  "flush", "close", "replace"};
  EXPECT_EQ(fs.log, expected);
}

TEST(SafeWriteTest, FailureAtEveryStepLeavesTheOldFile) {
  FakeFileSystem probe = WithOldFile();
  ASSERT_TRUE(SafeWriteFile(probe, kTarget, kNew, kChunk).ok());
  ASSERT_GE(probe.operations, 9);
  for (const FsError error : {FsError::DiskFull, FsError::AccessDenied, FsError::Other}) {
    for (int step = 1; step <= probe.operations; ++step) {
      FakeFileSystem fs = WithOldFile();
      fs.failAt = step;
      fs.failError = error;
      fs.openStatus = FsStatus::Fail(error);  // no writing in place either
      const FsStatus status = SafeWriteFile(fs, kTarget, kNew, kChunk);
      ExpectUntouched(
          fs, status,
          "failing " + fs.log.at(static_cast<size_t>(step)) + " (" + std::to_string(step) + ")");
      EXPECT_EQ(status.error, error);
    }
  }
}

TEST(SafeWriteTest, FailureWhenNoFileWasThereLeavesNoFile) {
  for (int step = 1; step <= 5; ++step) {
    FakeFileSystem fs;
    fs.failAt = step;
    EXPECT_FALSE(SafeWriteFile(fs, kTarget, kNew).ok());
    EXPECT_TRUE(fs.files.empty()) << "step " << step;
  }
}

TEST(SafeWriteTest, ShortWriteReportingSuccessIsADiskFull) {
  for (const size_t offset :
       {size_t{0}, size_t{1}, size_t{7}, size_t{8}, size_t{20}, kNew.size() - 1}) {
    FakeFileSystem fs = WithOldFile();
    fs.shortAt = offset;
    const FsStatus status = SafeWriteFile(fs, kTarget, kNew, kChunk);
    ExpectUntouched(fs, status, "short at " + std::to_string(offset));
    EXPECT_EQ(status.error, FsError::DiskFull);
  }
  // A stop just past the end is no stop.
  FakeFileSystem fs = WithOldFile();
  fs.shortAt = kNew.size();
  EXPECT_TRUE(SafeWriteFile(fs, kTarget, kNew, kChunk).ok());
}

TEST(SafeWriteTest, ReadOnlyFolderOrBusyTargetIsRefusedBeforeWriting) {
  FakeFileSystem fs = WithOldFile();
  fs.files[kTarget].readOnly = true;
  FsStatus status = SafeWriteFile(fs, kTarget, kNew);
  EXPECT_EQ(status.error, FsError::ReadOnly);
  EXPECT_EQ(ReasonFor(status), "The file is read-only.");
  EXPECT_EQ(fs.log, std::vector<std::string>{"inspect"});
  EXPECT_EQ(fs.files.at(kTarget).bytes, kOld);

  FakeFileSystem folder;
  folder.files[kTarget].isFolder = true;
  EXPECT_EQ(SafeWriteFile(folder, kTarget, kNew).error, FsError::IsFolder);
  EXPECT_EQ(folder.operations, 0);

  FakeFileSystem busy = WithOldFile();
  busy.inspectStatus = FsStatus::Fail(FsError::InUse);
  status = SafeWriteFile(busy, kTarget, kNew);
  ExpectUntouched(busy, status, "in use");
  EXPECT_EQ(ReasonFor(status), "The file is in use by another program.");
  EXPECT_EQ(busy.operations, 0);
}

TEST(SafeWriteTest, ContentInPiecesIsWrittenInOrder) {
  FakeFileSystem fs = WithOldFile();
  const FsStatus status = SafeWriteFile(
      fs, kTarget,
      [](const ChunkWriter& write) {
        for (const char* piece : {"127.0.0.1 alpha\r\n", "", "127.0.0.1 beta\r\n"}) {
          if (FsStatus s = write(piece); !s.ok()) return s;
        }
        return FsStatus::Ok();
      },
      kChunk);
  ASSERT_TRUE(status.ok());
  EXPECT_EQ(fs.files.at(kTarget).bytes, kNew);
}

TEST(SafeWriteTest, SourceOrPieceFailingLeavesTheOldFile) {
  FakeFileSystem fs = WithOldFile();
  const FsStatus own = SafeWriteFile(fs, kTarget, [](const ChunkWriter& write) {
    if (FsStatus s = write("127.0.0.1 half"); !s.ok()) return s;
    return FsStatus::Fail(FsError::Other, "there is not enough memory.");
  });
  ExpectUntouched(fs, own, "the source failing");

  FakeFileSystem full = WithOldFile();
  full.failAt = 3;  // the second write
  full.failError = FsError::DiskFull;
  int pieces = 0;
  const FsStatus status = SafeWriteFile(
      full, kTarget,
      [&](const ChunkWriter& write) {
        for (int i = 0; i < 4; ++i) {
          ++pieces;
          if (FsStatus s = write("0123456789"); !s.ok()) return s;
        }
        return FsStatus::Ok();
      },
      kChunk);
  ExpectUntouched(full, status, "a piece failing");
  EXPECT_EQ(status.error, FsError::DiskFull);
  EXPECT_EQ(pieces, 1);  // its second chunk failed
}

TEST(SafeWriteTest, EmptyContentStillReplacesTheFile) {
  FakeFileSystem fs = WithOldFile();
  ASSERT_TRUE(SafeWriteFile(fs, kTarget, "").ok());
  EXPECT_EQ(fs.files.at(kTarget).bytes, "");
}

// A folder that takes no new file, or a file that may be written but not
// replaced: written in place, old bytes read first, the size checked after
// the flush.
TEST(SafeWriteTest, WhereNoNewFileMayReplaceItTheFileIsWrittenInPlace) {
  FakeFileSystem noCreate = WithOldFile();
  noCreate.createStatus = FsStatus::Fail(FsError::AccessDenied);
  FakeFileSystem noDelete = WithOldFile();
  noDelete.files[kTarget].replaceable = false;
  for (FakeFileSystem* fs : {&noCreate, &noDelete}) {
    ASSERT_TRUE(SafeWriteFile(*fs, kTarget, kNew, 16).ok());
    ASSERT_EQ(fs->files.size(), 1u);
    EXPECT_EQ(fs->files.at(kTarget).bytes, kNew);
    EXPECT_FALSE(fs->AnyOpen());
  }
  const std::vector<std::string> inPlace = {"open",  "read",  "truncate", "write", "write",
                                            "write", "flush", "size",     "close"};
  std::vector<std::string> expected = {"inspect", "create"};
  expected.insert(expected.end(), inPlace.begin(), inPlace.end());
  EXPECT_EQ(noCreate.log, expected);
  expected.erase(expected.begin() + 1);
  EXPECT_EQ(noDelete.log, expected);
}

TEST(SafeWriteTest, InPlaceOnlyForAnExistingFileThatOpensWhenCreatingWasDenied) {
  struct Case {
    const char* what;
    bool exists;
    FsError create;
    FsError open;
  };
  for (const Case& c : {Case{"no file there", false, FsError::AccessDenied, FsError::None},
                        Case{"folder full", true, FsError::DiskFull, FsError::None},
                        Case{"file denied too", true, FsError::AccessDenied, FsError::AccessDenied},
                        Case{"file in use", true, FsError::AccessDenied, FsError::InUse}}) {
    FakeFileSystem fs = c.exists ? WithOldFile() : FakeFileSystem();
    fs.createStatus = FsStatus::Fail(c.create);
    if (c.open != FsError::None) fs.openStatus = FsStatus::Fail(c.open);
    const FsStatus status = SafeWriteFile(fs, kTarget, kNew);
    EXPECT_EQ(status.error, c.create) << c.what;  // the reason the safe way failed
    EXPECT_EQ(fs.files.size(), c.exists ? 1u : 0u) << c.what;
    if (c.exists) {
      EXPECT_EQ(fs.files.at(kTarget).bytes, kOld) << c.what;
    }
    EXPECT_FALSE(fs.AnyOpen());
  }
}

TEST(SafeWriteTest, InPlaceTheOldBytesGoBackWhenTheContentThrows) {
  FakeFileSystem fs = WithOldFile();
  fs.createStatus = FsStatus::Fail(FsError::AccessDenied);
  EXPECT_THROW(SafeWriteFile(fs, kTarget,
                             [](const ChunkWriter& write) -> FsStatus {
                               (void)write("127.0.0.1 half");
                               throw std::bad_alloc();
                             }),
               std::bad_alloc);
  EXPECT_EQ(fs.files.at(kTarget).bytes, kOld);
  EXPECT_FALSE(fs.AnyOpen());
}

// Busy until the given attempt (0: never free), then free; another failure
// is not waited on. Free or not, the waits add up to about a second at most.
TEST(SafeWriteTest, BusyIsRetriedWithPausesOfAboutASecondInAll) {
  struct Case {
    int freeAt;
    FsError error;
    size_t pauses;
  };
  for (const Case c : {Case{3, FsError::None, 2}, Case{0, FsError::InUse, kBusyPauses.size()},
                       Case{1, FsError::None, 0}}) {
    std::vector<uint32_t> pauses;
    int attempts = 0;
    const FsStatus status = RetryWhileBusy(
        [&] { return ++attempts == c.freeAt ? FsStatus::Ok() : FsStatus::Fail(FsError::InUse); },
        [](const FsStatus& s) { return s.error == FsError::InUse; },
        [&](uint32_t ms) { pauses.push_back(ms); });
    EXPECT_EQ(status.error, c.error);
    EXPECT_EQ(attempts, static_cast<int>(c.pauses) + 1);
    EXPECT_TRUE(std::equal(pauses.begin(), pauses.end(), kBusyPauses.begin()));
    EXPECT_EQ(pauses.size(), c.pauses);
  }
  uint32_t total = 0;
  for (const uint32_t ms : kBusyPauses) total += ms;
  EXPECT_GE(total, 900u);
  EXPECT_LE(total, 1500u);
  int attempts = 0;
  RetryWhileBusy([&] { return ++attempts, FsStatus::Fail(FsError::AccessDenied); },
                 [](const FsStatus& s) { return s.error == FsError::InUse; }, [](uint32_t) {});
  EXPECT_EQ(attempts, 1);
}

TEST(SafeWriteTest, ReasonsNameTheCause) {
  EXPECT_EQ(ReasonFor(FsStatus::Fail(FsError::DiskFull)), "The disk is full.");
  EXPECT_NE(ReasonFor(FsStatus::Fail(FsError::AccessDenied)).find("denied"), std::string::npos);
  EXPECT_EQ(ReasonFor(FsStatus::Fail(FsError::Other, "The device is not ready.")),
            "The file could not be written: The device is not ready.");
  EXPECT_EQ(ReasonFor(FsStatus::Ok()), "");
}

}  // namespace
}  // namespace vantrel
