// Saving as administrator after a refused Save As, through the seams: the
// question, the answers, and a scripted elevated copy working in this
// process on the same files.
#include "save/ElevatedSave.h"

#include <gtest/gtest.h>

#include <string>

#include "save/FakeFileSystem.h"
#include "save/SaveAs.h"
#include "save/ScriptedSaveUi.h"
#include "save/TestDocument.h"

namespace vantrel {
namespace {

constexpr const char* kPath = "C:\\WINDOWS\\system32\\drivers\\etc\\hosts";
constexpr const char* kTemp = "C:\\Users\\me\\Temp\\";
const std::string kOnDisk = "127.0.0.1 old\r\n";

std::optional<std::string> FakeSha256(std::string_view bytes) {
  std::string digest(32, '\0');
  for (size_t i = 0; i < bytes.size(); ++i) digest[i % 32] = char(digest[i % 32] * 31 + bytes[i]);
  return digest;
}

using Start = ElevatedRun::Start;

// The copy started "elevated": the denial no longer holds for it.
struct ScriptedElevation : Elevation {
  explicit ScriptedElevation(test::FakeFileSystem& files) : fs(files) {}
  bool Offered() override { return offered; }
  std::optional<std::string> Sha256(std::string_view bytes) override { return FakeSha256(bytes); }
  std::string TempFolder() override { return kTemp; }
  ElevatedRun Run(const ElevatedRequest& request) override {
    if (start != Start::Started) return {start, -1};
    fs.denied.clear();
    if (meddle) meddle(request);
    const ElevatedSaveContext context{fs, kTemp, FakeSha256};
    return {start, SaveElevated({request.prepared, request.target, request.digest}, context)};
  }
  test::FakeFileSystem& fs;
  bool offered = true;
  Start start = Start::Started;
  std::function<void(const ElevatedRequest&)> meddle;
};

struct OfferCase {
  const char* name;
  bool offered;
  int answers;  // 0 No, 1 Yes
  Start start;
  void (*meddle)(test::FakeFileSystem&, const ElevatedRequest&);
  const char* told;  // in the second message; nullptr when saved or not asked
};

const OfferCase kOfferCases[] = {
    {"NotOffered", false, -1, Start::Started, nullptr, nullptr},
    {"No", true, 0, Start::Started, nullptr, nullptr},
    {"Saved", true, 1, Start::Started, nullptr, nullptr},
    {"Declined", true, 1, Start::Declined, nullptr, "Administrator rights were not given."},
    {"NotStarted", true, 1, Start::Failed, nullptr, "could not be started as administrator"},
    {"Swapped", true, 1, Start::Started,
     [](test::FakeFileSystem& fs, const ElevatedRequest& r) { fs.files[r.prepared].bytes += "x"; },
     "Another program changed the prepared copy"},
    {"WriteFailed", true, 1, Start::Started,
     [](test::FakeFileSystem& fs, const ElevatedRequest& r) { fs.files[r.target].readOnly = true; },
     "The file is read-only."},
};

class OfferTest : public ::testing::TestWithParam<OfferCase> {};

TEST_P(OfferTest, OneAnswerAwayAndNothingLostOnAnyPath) {
  const OfferCase& c = GetParam();
  auto doc = test::Loaded("#c\r\n127.0.0.1 alpha\r\n");
  doc->HostsPath = kPath;
  doc->ChangeCount = 2;
  test::FakeFileSystem fs;
  fs.files[kPath].bytes = kOnDisk;
  fs.denied.insert(kPath);
  ScriptedElevation elevation(fs);
  elevation.offered = c.offered;
  elevation.start = c.start;
  if (c.meddle) elevation.meddle = [&](const ElevatedRequest& r) { c.meddle(fs, r); };
  test::ScriptedSaveUi ui;
  ui.elevation = &elevation;
  ui.options.push_back({1, true});
  ui.files.push_back(kPath);
  if (c.answers >= 0) ui.AnswerYesNo(c.answers == 1);

  const SaveOutcome outcome = SaveAs(*doc, ui, fs);
  const bool saved = c.answers == 1 && !c.told;
  EXPECT_EQ(outcome, saved ? SaveOutcome::Saved : SaveOutcome::Failed);
  EXPECT_EQ(doc->ChangeCount, saved ? 0 : 2);
  const std::string expected = saved ? WriteHostsText(*doc, "127.0.0.1 ", true) : kOnDisk;
  EXPECT_EQ(fs.files.at(kPath).bytes, expected);
  EXPECT_EQ(fs.files.size(), 1u);  // no prepared file left
  EXPECT_FALSE(fs.AnyOpen());
  EXPECT_TRUE(ui.AllAnswered());
  EXPECT_EQ(ui.Questions.size(), c.offered ? 1u : 0u);
  if (c.offered) {
    EXPECT_EQ(ui.Questions[0].text, "Save the Host File as administrator?");
  }
  ASSERT_EQ(ui.Told.size(), c.told ? 2u : 1u);
  if (c.told) {
    EXPECT_NE(ui.Told[1].text.find(c.told), std::string::npos) << ui.Told[1].text;
  }
}

INSTANTIATE_TEST_SUITE_P(Answers, OfferTest, ::testing::ValuesIn(kOfferCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A failure other than a refused access is not one that rights would mend.
TEST(ElevatedSaveTest, OnlyARefusedAccessIsOffered) {
  auto doc = test::Loaded("#c\r\n127.0.0.1 alpha\r\n");
  doc->HostsPath = kPath;
  test::FakeFileSystem fs;
  fs.inspectStatus = FsStatus::Fail(FsError::InUse);
  ScriptedElevation elevation(fs);
  test::ScriptedSaveUi ui;
  ui.elevation = &elevation;
  ui.options.push_back({1, true});
  ui.files.push_back(kPath);
  EXPECT_EQ(SaveAs(*doc, ui, fs), SaveOutcome::Failed);
  EXPECT_TRUE(ui.Questions.empty());
}

}  // namespace
}  // namespace vantrel
