// Every operation on the document run with its 1st, 2nd, 3rd ... allocation
// failing, until a run fails none: each run either completes or leaves the
// document, its lists, the undo, the search and the file on disk as they
// were. Small documents, and one large enough for the threads and the large
// blocks.
#include "core/OutOfMemory.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include "core/Dedup.h"
#include "core/Editing.h"
#include "core/Find.h"
#include "core/HostsReader.h"
#include "core/OpenFile.h"
#include "core/ScriptedUi.h"
#include "save/SaveAs.h"
#include "support/FailingAllocator.h"

namespace vantrel {
namespace {

namespace fs = std::filesystem;
using test::FailAllocation;
using test::SparedAllocations;
using Strings = std::vector<std::string>;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// One run: a document loaded from a file in a folder of its own.
struct Session {
  explicit Session(const fs::path& folder) : folder(folder) {}

  fs::path folder;
  HostsDocument doc;
  test::ScriptedUi ui;
  FindState find;
  std::string box;

  void Load(const std::string& name, const std::string& text) {
    const fs::path path = folder / name;
    std::ofstream(path, std::ios::binary) << text;
    // Yes to every question, and a save with the first option over the loaded file.
    ui.everyYesNo = true;
    ui.everyOption = SaveChoice{SaveOption::LocalHost, true};
    ui.everyFile = path.string();
    HostsDocument loaded;
    ASSERT_EQ(OpenHostsFile(path.string(), loaded, ui).outcome, ReadOutcome::Loaded);
    AdoptLoaded(doc, loaded);
  }
};

// All that an operation may change, and all it must leave when it fails.
struct Snapshot {
  Strings entries, beforeDedup, comments, list1;
  std::vector<int32_t> positions;
  std::vector<int32_t> counters;
  Strings texts;  // path, undo texts, what the window shows, the search
  Strings files;  // the folder: names and contents
  bool undoEnabled = false;
  bool operator==(const Snapshot&) const = default;
};

// What differs, readably.
void PrintTo(const Snapshot& shot, std::ostream* out) {
  auto list = [&](const char* name, const Strings& texts) {
    *out << "\n  " << name << " (" << texts.size() << "):";
    for (size_t i = 0; i < texts.size() && i < 8; ++i)
      *out << " [" << texts[i].substr(0, 40) << "]";
  };
  list("entries", shot.entries);
  list("before dedup", shot.beforeDedup);
  list("comments", shot.comments);
  list("List1", shot.list1);
  list("texts", shot.texts);
  list("files", shot.files);
  *out << "\n  counters:";
  for (const int32_t n : shot.counters) *out << ' ' << n;
  *out << "\n  undo enabled: " << shot.undoEnabled;
}

template <class Array>
Strings Copy(const Array& texts) {
  return Strings(texts.begin(), texts.end());
}

Snapshot Take(const Session& s) {
  const HostsDocument& d = s.doc;
  Snapshot shot{Copy(d.CopyEntries()),
                Copy(d.EntriesBeforeDedup),
                Copy(d.Comments),
                Copy(d.List1.Items()),
                d.CommentPositions,
                {d.EntryCount(), d.CommentCount(), d.LineCount, d.LoadedEntryCount, d.ChangeCount,
                 d.LastAction, d.List1.Selected(), s.find.FindPosition},
                {d.HostsPath, d.UndoAddedEntry, d.UndoOldEntry, d.UndoNewEntry, d.UndoDeletedEntry,
                 d.UndoCaption, d.Counts.before, d.Counts.removed, d.Counts.left, d.RedirectCaption,
                 d.ElapsedTime, s.box},
                {},
                d.UndoArmed};
  shot.texts.insert(shot.texts.end(), s.find.History.begin(), s.find.History.end());
  for (const fs::directory_entry& file : fs::directory_iterator(s.folder)) {
    shot.files.push_back(file.path().filename().string());
    shot.files.push_back(ReadFile(file.path()));
  }
  return shot;
}

std::string SmallFile() {
  return "# head\r\n127.0.0.1 Beta\r\n127.0.0.1 alpha, gamma\r\n\r\n127.0.0.1 beta\r\n"
         "# mid\r\n0.0.0.0 delta\r\n127.0.0.1\t\r\n127.0.0.1 alpha\r\n";
}

// More than a MiB of text and 65,536 entries: read and sorted on several
// threads, its arrays in large blocks.
std::string LargeFile() {
  std::string text;
  for (int i = 0; i < 70000; ++i) {
    if (i % 1000 == 0) text += "# part " + std::to_string(i) + "\r\n";
    text += "127.0.0.1 host" + std::to_string(i * 7919 % 60000) + ".example\r\n";
  }
  return text;
}

void SelectSecond(Session& s) { s.doc.List1.Select(1); }
void Add(Session& s) {
  s.ui.everyInput = "New.Entry";
  AddEntry(s.doc, s.ui);
}
void Change(Session& s) {
  s.ui.everyInput = "changed";
  ChangeEntry(s.doc, s.ui);
}
void Delete(Session& s) { DeleteEntry(s.doc, s.ui); }
void Undo(Session& s) { UndoLastAction(s.doc, s.ui); }
void RemoveDuplicates(Session& s) { RemoveDuplicatesJob(s.doc, s.ui); }
void Find(Session& s) { FindKeyPress(s.doc, s.find, s.box, FindKey::Enter, s.ui); }

struct Operation {
  const char* name;
  void (*arrange)(Session&);  // after the load, with nothing failing
  void (*run)(Session&);
  bool onLarge;  // also on the large document
};

const Operation kOperations[] = {
    {"Open", [](Session&) {},
     [](Session& s) {
       HostsDocument loaded;
       OpenHostsFile((s.folder / "other").string(), loaded, s.ui);
       AdoptLoaded(s.doc, loaded);
     },
     true},
    {"RemoveDuplicatesAfterLoad", [](Session&) {}, RemoveDuplicates, true},
    {"RemoveDuplicatesAfterEdit", Add, RemoveDuplicates, true},
    {"RemoveDuplicatesTwice", RemoveDuplicates, RemoveDuplicates, true},
    {"UndoRemoveDuplicates", RemoveDuplicates, Undo, true},
    {"Add", [](Session&) {}, Add, true},
    {"AddAfterRemoveDuplicates", RemoveDuplicates, Add, false},
    {"Change", SelectSecond, Change, false},
    {"ChangeCancelled",
     [](Session& s) {
       Add(s);
       SelectSecond(s);
     },
     [](Session& s) { ChangeEntry(s.doc, s.ui); }, false},
    {"Delete", SelectSecond, Delete, true},
    {"DeleteAfterUndoRemoveDuplicates",
     [](Session& s) {
       RemoveDuplicates(s);
       Undo(s);
       SelectSecond(s);
     },
     Delete, false},
    {"UndoAdd", Add, Undo, false},
    {"UndoChange",
     [](Session& s) {
       SelectSecond(s);
       Change(s);
     },
     Undo, false},
    {"UndoDelete",
     [](Session& s) {
       SelectSecond(s);
       Delete(s);
     },
     Undo, true},
    {"Find", [](Session& s) { s.box = "ALP"; }, Find, false},
    {"FindToTheEnd",
     [](Session& s) {
       s.box = "nothing";
       s.find.History = {"alp", "bet"};
     },
     Find, false},
    {"SaveAs", Add, [](Session& s) { SaveAs(s.doc, s.ui, NativeFileSystem()); }, true},
};

struct Case {
  Operation operation;
  bool large;
};

class OutOfMemoryTest : public ::testing::TestWithParam<Case> {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("vantrel-oom-" + std::to_string(reinterpret_cast<uintptr_t>(this)));
    fs::create_directories(folder_);
    text_ = GetParam().large ? LargeFile() : SmallFile();
  }
  void TearDown() override { fs::remove_all(folder_); }

  // A session arranged for the operation; its snapshot in before.
  void Arrange(Session& s, Snapshot& before) {
    s.Load("hosts", text_);
    std::ofstream(folder_ / "other", std::ios::binary)
        << "# other\r\n1 zeta\r\n1 eta\r\n1 zeta\r\n";
    GetParam().operation.arrange(s);
    before = Take(s);
  }

  fs::path folder_;
  std::string text_;
};

TEST_P(OutOfMemoryTest, CompletesOrChangesNothing) {
  const Operation& op = GetParam().operation;
  Snapshot done;
  {
    Session s(folder_);
    Snapshot before;
    Arrange(s, before);
    op.run(s);
    done = Take(s);
    ASSERT_NE(done, before) << "the operation changes nothing to check";
  }
  for (uint64_t n = 1;; ++n) {
    Session s(folder_);
    Snapshot before;
    Arrange(s, before);
    FailAllocation(n);
    const bool ranOut = RanOutOfMemory([&] { op.run(s); });
    FailAllocation(0);
    const Snapshot after = Take(s);
    if (!test::AllocationFailed()) {
      EXPECT_FALSE(ranOut);
      EXPECT_EQ(after, done) << "allocation " << n << " failed none";
      break;
    }
    if (ranOut) {
      ASSERT_EQ(after, before) << "allocation " << n << " failed";
    } else {
      // Handled on the way (a thread not had, a save reported failed).
      ASSERT_TRUE(after == before || after == done)
          << "allocation " << n << " failed; after:" << ::testing::PrintToString(after);
    }
  }
}

std::vector<Case> Cases() {
  std::vector<Case> cases;
  for (const Operation& op : kOperations) {
    cases.push_back({op, false});
    if (op.onLarge) cases.push_back({op, true});
  }
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Operations, OutOfMemoryTest, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<Case>& info) {
                           return std::string(info.param.operation.name) +
                                  (info.param.large ? "Large" : "Small");
                         });

}  // namespace
}  // namespace vantrel
