// Saving as administrator after a refused Save As, through the seams: the
// question, the answers, and a scripted elevated copy run in this process.
#include "save/ElevatedSave.h"

#include <gtest/gtest.h>

#include <string>

#include "core/ScriptedUi.h"
#include "save/FakeFileSystem.h"
#include "save/SaveAs.h"
#include "save/TestDocument.h"

namespace vantrel {
namespace {

using test::FakeFileSystem;
using Start = ElevatedRun::Start;
using Meddle = void (*)(FakeFileSystem&, const ElevatedRequest&);
constexpr const char* kPath = "C:\\WINDOWS\\system32\\drivers\\etc\\hosts";
constexpr const char* kTemp = "C:\\Users\\me\\AppData\\Local\\Temp\\";
const std::string kOnDisk = "127.0.0.1 old\r\n";

std::optional<std::string> FakeSha256(std::string_view bytes) {
  std::string digest(32, '\0');
  for (size_t i = 0; i < bytes.size(); ++i) digest[i % 32] = char(digest[i % 32] * 31 + bytes[i]);
  return digest;
}

int RunCopy(FakeFileSystem& fs, const ElevatedRequest& r) {
  return SaveElevated({r.prepared, r.target, r.digest}, {fs, kTemp, "C:\\Users\\me", FakeSha256});
}

// The copy, "elevated": the denial no longer holds for it.
struct ScriptedElevation : Elevation {
  FakeFileSystem* fs;
  bool offered;
  Start start;
  Meddle meddle;
  bool Offered() override { return offered; }
  std::optional<std::string> Sha256(std::string_view bytes) override { return FakeSha256(bytes); }
  std::string TempFolder() override { return kTemp; }
  ElevatedRun Run(const ElevatedRequest& request) override {
    if (start != Start::Started) return {start, -1};
    fs->denied.clear();
    if (meddle) meddle(*fs, request);
    return {start, RunCopy(*fs, request)};
  }
};

const struct OfferCase {
  const char* name;
  FsError refused;
  bool offered;
  int answer;  // -1 not asked, 0 No, 1 Yes
  Start start;
  Meddle meddle;
  const char* told;  // in a second message
} kOfferCases[] = {
    {"NotOffered", FsError::AccessDenied, false, -1, Start::Started, nullptr, nullptr},
    {"NotForAFileInUse", FsError::InUse, true, -1, Start::Started, nullptr, nullptr},
    {"No", FsError::AccessDenied, true, 0, Start::Started, nullptr, nullptr},
    {"Saved", FsError::AccessDenied, true, 1, Start::Started, nullptr, nullptr},
    {"Declined", FsError::AccessDenied, true, 1, Start::Declined, nullptr, "rights were not given"},
    {"NotStarted", FsError::AccessDenied, true, 1, Start::Failed, nullptr, "could not be started"},
    {"Swapped", FsError::AccessDenied, true, 1, Start::Started,
     [](FakeFileSystem& fs, const ElevatedRequest& r) { fs.files[r.prepared].bytes += "x"; },
     "Another program changed the prepared copy"},
    {"WriteFailed", FsError::AccessDenied, true, 1, Start::Started,
     [](FakeFileSystem& fs, const ElevatedRequest& r) { fs.files[r.target].readOnly = true; },
     "The file is read-only."},
};

class OfferTest : public ::testing::TestWithParam<OfferCase> {};

TEST_P(OfferTest, OneAnswerAwayAndNothingLostOnAnyPath) {
  const OfferCase& c = GetParam();
  auto doc = test::Loaded("#c\r\n127.0.0.1 alpha\r\n");
  doc->HostsPath = kPath;
  doc->ChangeCount = 2;
  FakeFileSystem fs;
  fs.files[kPath].bytes = kOnDisk;
  fs.denied.insert(kPath);
  if (c.refused != FsError::AccessDenied) fs.inspectStatus = FsStatus::Fail(c.refused);
  ScriptedElevation elevation;
  elevation.fs = &fs;
  elevation.offered = c.offered;
  elevation.start = c.start;
  elevation.meddle = c.meddle;
  test::ScriptedUi ui;
  ui.elevation = &elevation;
  ui.options.push_back({SaveOption::LocalHost, true});
  ui.files.push_back(kPath);
  if (c.answer >= 0) ui.AnswerYesNo(c.answer == 1);

  const bool saved = c.answer == 1 && !c.told;
  EXPECT_EQ(SaveAs(*doc, ui, fs), saved ? SaveOutcome::Saved : SaveOutcome::Failed);
  EXPECT_EQ(doc->ChangeCount, saved ? 0 : 2);
  EXPECT_EQ(fs.files.at(kPath).bytes, saved ? WriteHostsText(*doc, "127.0.0.1 ", true) : kOnDisk);
  EXPECT_EQ(fs.files.size(), 1u);  // no prepared file left
  EXPECT_TRUE(ui.AllAnswered());
  EXPECT_EQ(ui.Questions.size(), c.answer >= 0 ? 1u : 0u);
  ASSERT_EQ(ui.Told.size(), c.told ? 2u : 1u);
  EXPECT_NE(ui.Told.back().text.find(c.told ? c.told : "could not be saved to"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Answers, OfferTest, ::testing::ValuesIn(kOfferCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A standard user's program elevated under an administrator's name: its
// temporary folder is the same one in the other profile.
TEST(ElevatedSaveTest, PreparedFileInAUsersTemporaryFolderOnly) {
  for (const auto& [folder, code] : {std::pair{kTemp, kElevatedSaved},
                                     {"C:\\Users\\joe\\AppData\\Local\\Temp\\", kElevatedSaved},
                                     {"C:\\Users\\joe\\x\\AppData\\Local\\Temp\\", kNotPrepared},
                                     {"C:\\Users\\joe\\AppData\\Local\\", kNotPrepared}}) {
    FakeFileSystem fs;
    const std::string prepared = std::string(folder) + kPreparedStem + ".tmp";
    fs.files[prepared].bytes = kOnDisk;
    EXPECT_EQ(RunCopy(fs, {prepared, kPath, HexOf(*FakeSha256(kOnDisk))}), code) << folder;
    EXPECT_EQ(fs.files.count(kPath), code == kElevatedSaved ? 1u : 0u);
  }
}

}  // namespace
}  // namespace vantrel
