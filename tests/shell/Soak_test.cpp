// A long random session in the real window: open, add, change, delete, undo,
// remove duplicates, find, save and close, with every question answered at
// random by script. After each command the document (Entries, EntryCount,
// List1, ChangeCount) and the undo menu must agree with a plain model kept
// here, every question must be the one the model expects, and every saved
// file must hold the model's entries and comments.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <random>
#include <string>
#include <vector>

#include "core/HostsGrammar.h"
#include "core/HostsReader.h"
#include "save/FakeFileSystem.h"
#include "shell/MainFixture.h"

namespace vantrel::test {
namespace {

using Strings = std::vector<std::string>;

constexpr int kSteps = 3000;

// Answers each question with the answer queued for it, and checks that it
// is the question expected.
class SoakModal : public Modal {
 public:
  struct Expect {
    Asked::What what;
    std::string caption;  // message caption or input title; "" for file dialogs
    int answer = IDOK;
    std::string text;  // the input's answer, or the file chosen ("" cancels)
  };
  std::deque<Expect> expected;
  std::vector<std::string> problems;

  void Queue(Asked::What what, std::string caption, int answer = IDOK, std::string text = {}) {
    expected.push_back({what, std::move(caption), answer, std::move(text)});
  }

  int Message(HWND, const std::string& text, const std::string& caption, UINT) override {
    const Expect e = Take(Asked::What::Message, caption + ": " + text);
    if (!e.caption.empty() && e.caption != caption) Problem("message " + caption + ": " + text);
    return e.answer;
  }
  std::string Input(HWND, const std::string&, const std::string& title,
                    const std::string&) override {
    const Expect e = Take(Asked::What::Input, title);
    if (e.caption != title) Problem("input " + title);
    return e.text;
  }
  BOOL OpenFileName(OPENFILENAMEA* s) override { return File(Asked::What::Open, s); }
  BOOL SaveFileName(OPENFILENAMEA* s) override { return File(Asked::What::Save, s); }

 private:
  void Problem(const std::string& what) { problems.push_back(what); }
  Expect Take(Asked::What what, const std::string& shown) {
    if (expected.empty() || expected.front().what != what) {
      Problem("unexpected " + shown);
      return {what, {}, IDOK, {}};
    }
    Expect e = expected.front();
    expected.pop_front();
    return e;
  }
  BOOL File(Asked::What what, OPENFILENAMEA* s) {
    const Expect e = Take(what, "file dialog");
    if (e.text.empty() || e.text.size() + 1 > s->nMaxFile) return FALSE;
    std::copy(e.text.begin(), e.text.end(), s->lpstrFile);
    s->lpstrFile[e.text.size()] = '\0';
    return TRUE;
  }
};

// The document as the user expects it.
struct Model {
  bool loaded = false;
  Strings entries;  // Entries, in order
  Strings list;     // List1, sorted
  Strings comments;
  int32_t changes = 0;
  std::string undoCaption = "Undo";
  bool undoEnabled = false;
  int32_t last = kActionNone;
  std::string added, oldEntry, newEntry, deleted;
  Strings beforeDedup;
  int findFrom = 0;  // where the next search starts

  void Disarm() {
    undoCaption = "Undo";
    undoEnabled = false;
  }
  void Arm(int32_t action, const char* caption) {
    last = action;
    undoCaption = caption;
    undoEnabled = true;
  }
  void Insert(const std::string& text) {
    list.insert(std::upper_bound(list.begin(), list.end(), text), text);
  }
  void Erase(const std::string& text) {
    list.erase(std::lower_bound(list.begin(), list.end(), text));
  }
  void Close() {
    loaded = false;
    list.clear();
    changes = 0;
    Disarm();
  }
};

struct SoakFile {
  std::string path;
  Strings hosts;  // host parts in file order
  Strings comments;
};

class SoakTest : public MainFixture {
 protected:
  void SetUp() override {
    MainFixture::SetUp();
    window_.UseFileSystem(fs_);
    for (int f = 0; f < 3; ++f) files_.push_back(MakeFile(f));
    emptyFile_ = folder_.Write("empty", "127.0.0.1 only\r\n");
  }

  SoakFile MakeFile(int f) {
    SoakFile file;
    std::string text;
    const int lines = 20 + static_cast<int>(random_() % 120);
    const char* addresses[] = {"127.0.0.1 ", "0.0.0.0\t", "0 ", "127.0.0.1\t"};
    for (int i = 0; i < lines; ++i) {
      const unsigned kind = random_() % 10;
      if (kind == 0) {
        file.comments.push_back("# note " + std::to_string(i));
        text += file.comments.back() + "\r\n";
      } else if (kind == 1) {
        text += "\r\n";
      } else {
        const std::string host = "site" + std::to_string(random_() % 40) + ".example";
        std::string shown = host;
        if (random_() % 3 == 0) shown[0] = 'S';
        text += addresses[random_() % 4] + shown + "\r\n";
        file.hosts.push_back(host);
      }
    }
    file.hosts.push_back("last.example");
    text += "127.0.0.1 last.example\r\n";
    file.path = folder_.Write("hosts" + std::to_string(f), text);
    return file;
  }

  std::string Fresh(const char* what) { return what + std::to_string(++fresh_); }
  bool Chance(int percent) { return static_cast<int>(random_() % 100) < percent; }

  // Selects List1 item index (-1 for none) as a click would.
  void Select(int index) {
    HWND list = Control(kList1);
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(window_.Handle(), WM_COMMAND, MAKEWPARAM(kList1, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
  }

  // ---- what each command asks, and what it does to the model

  // Save As, answered at random. Returns false when the file could not be
  // written (the caller then stays where it is).
  bool SaveFlow() {
    const int option = static_cast<int>(random_() % 5);  // 0 cancels; 4 means 1 again
    const SaveChoice choice{static_cast<SaveOption>(option == 4 ? 1 : option), Chance(50)};
    window_.saveOptions.push_back(choice);
    if (choice.option == SaveOption::None) return true;
    std::string prefix = choice.option == SaveOption::LocalHost ? "127.0.0.1 " : "0 ";
    if (choice.option == SaveOption::Typed) {
      const bool typed = Chance(80);
      modal_.Queue(Asked::What::Input, "Specify IP or Website", IDOK, typed ? "10.0.0.1" : "");
      if (!typed) return true;
      prefix = "10.0.0.1 ";
    }
    const bool chosen = Chance(85);
    const std::string path = folder_.Path() + "\\saved";
    modal_.Queue(Asked::What::Save, "", IDOK, chosen ? path : "");
    if (!chosen) return true;
    fs_.files.erase(path);
    fs_.operations = 0;
    fs_.failAt = Chance(20) ? 1 + static_cast<int>(random_() % 4) : 0;
    if (fs_.failAt) {
      modal_.Queue(Asked::What::Message, "Save Failed");
      pendingSave_ = {};
      return false;
    }
    pendingSave_ = {path, prefix, choice.withComments, model_.entries, model_.comments};
    model_.changes = 0;
    return true;
  }
  // With unsaved changes, the prompt; false when a save was asked for and
  // failed.
  bool PromptFlow() {
    if (model_.changes < 1) return true;
    const bool yes = Chance(50);
    modal_.Queue(Asked::What::Message, "Save Changes", yes ? IDYES : IDNO);
    return !yes || SaveFlow();
  }

  void Open() {
    if (!PromptFlow()) return;
    const unsigned pick = random_() % 10;
    if (pick == 0) {
      modal_.Queue(Asked::What::Open, "", IDOK, "");  // cancelled
      return;
    }
    if (pick == 1) {
      modal_.Queue(Asked::What::Open, "", IDOK, folder_.Path() + "\\missing");
      modal_.Queue(Asked::What::Message, "Open Host File");
      model_.Close();
      return;
    }
    if (pick == 2) {
      modal_.Queue(Asked::What::Open, "", IDOK, emptyFile_);
      modal_.Queue(Asked::What::Message, "Host File Empty");
      model_.Close();
      return;
    }
    const SoakFile& file = files_[random_() % files_.size()];
    modal_.Queue(Asked::What::Open, "", IDOK, file.path);
    model_.loaded = true;
    model_.entries = file.hosts;
    model_.list = file.hosts;
    std::sort(model_.list.begin(), model_.list.end());
    model_.comments = file.comments;
    model_.changes = 0;
    model_.Disarm();
  }

  void Add() {
    const bool yes = Chance(80);
    modal_.Queue(Asked::What::Message, "Add New Host Entry", yes ? IDYES : IDNO);
    if (!yes) return;
    const bool typed = Chance(85);
    std::string text = typed ? Fresh("Soak-Add-") : "";
    modal_.Queue(Asked::What::Input, "Add New Host Entry", IDOK, text);
    if (!typed) return;
    LowerAscii(text);
    model_.Insert(text);
    model_.entries = model_.list;
    model_.added = text;
    model_.Arm(kActionAdd, "Undo Add");
    ++model_.changes;
  }

  int PickIndex() {
    if (model_.list.empty() || Chance(10)) return -1;
    return static_cast<int>(random_() % model_.list.size());
  }

  void Change() {
    const int i = PickIndex();
    Select(i);
    if (i < 0) {
      modal_.Queue(Asked::What::Message, "Select Host Entry");
      return;
    }
    const bool yes = Chance(80);
    modal_.Queue(Asked::What::Message, "Change Host Entry", yes ? IDYES : IDNO);
    if (!yes) return;
    const std::string old = model_.list[static_cast<size_t>(i)];
    const bool typed = Chance(85);
    std::string text = typed ? Fresh("soak-change-") : "";
    modal_.Queue(Asked::What::Input, "Change value for " + old, IDOK, text);
    model_.entries = model_.list;
    if (!typed) {
      model_.last = kActionChange;
      model_.Disarm();
      return;
    }
    model_.list.erase(model_.list.begin() + i);
    model_.Insert(text);
    model_.entries = model_.list;
    model_.oldEntry = old;
    model_.newEntry = text;
    model_.Arm(kActionChange, "Undo Change");
    ++model_.changes;
  }

  void Delete() {
    const int i = PickIndex();
    Select(i);
    if (i < 0) {
      modal_.Queue(Asked::What::Message, "Host List Empty or Not Selected");
      return;
    }
    const bool yes = Chance(80);
    modal_.Queue(Asked::What::Message, "Delete Host Entry", yes ? IDYES : IDNO);
    if (!yes) return;
    model_.deleted = model_.list[static_cast<size_t>(i)];
    model_.list.erase(model_.list.begin() + i);
    model_.entries = model_.list;
    model_.Arm(kActionDelete, "Undo Delete");
    ++model_.changes;
  }

  void Undo() {
    switch (model_.last) {
      case kActionAdd:
        model_.Erase(model_.added);
        model_.entries = model_.list;
        break;
      case kActionChange:
        model_.Erase(model_.newEntry);
        model_.Insert(model_.oldEntry);
        model_.entries = model_.list;
        break;
      case kActionDelete:
        model_.Insert(model_.deleted);
        model_.entries = model_.list;
        break;
      case kActionRemoveDuplicates:
        model_.entries = model_.beforeDedup;
        model_.list = model_.beforeDedup;
        std::sort(model_.list.begin(), model_.list.end());
        break;
      default:
        break;
    }
    model_.Disarm();
    model_.changes = model_.changes <= 0 ? 1 : model_.changes - 1;
  }

  void RemoveDuplicates() {
    const bool yes = Chance(70);
    modal_.Queue(Asked::What::Message, "Remove Duplicate Host Entries", yes ? IDYES : IDNO);
    if (!yes) return;
    Strings distinct;
    for (const std::string& e : model_.entries) {
      if (std::find(distinct.begin(), distinct.end(), e) == distinct.end()) distinct.push_back(e);
    }
    if (distinct.empty()) {
      modal_.Queue(Asked::What::Message, "No Host Listings Found");
      model_.entries.clear();
      return;
    }
    const size_t before = model_.list.size();
    const Strings previous = model_.entries;
    std::sort(distinct.begin(), distinct.end());
    model_.list = distinct;
    model_.entries = distinct;
    if (before == distinct.size()) {
      model_.last = kActionNone;
      model_.Disarm();
      return;
    }
    model_.beforeDedup = previous;
    model_.Arm(kActionRemoveDuplicates, "Undo Remove Duplicates");
    ++model_.changes;
  }

  void Find() {
    const char* queries[] = {"site1", "EXAMPLE", "soak", "last", "zzz", "a b", ""};
    const std::string query = queries[random_() % 7];
    int hit = -1;
    if (query.empty() || query.find(' ') != std::string::npos) {
      modal_.Queue(Asked::What::Message, "Find");
    } else if (model_.list.empty()) {
      modal_.Queue(Asked::What::Message, "Find");
    } else {
      std::string lower = query;
      LowerAscii(lower);
      for (size_t p = static_cast<size_t>(model_.findFrom); p < model_.list.size() && hit < 0;
           ++p) {
        std::string item = model_.list[p];
        LowerAscii(item);
        if (item.find(lower) != std::string::npos) hit = static_cast<int>(p);
      }
      model_.findFrom = hit + 1;  // past the hit, or back to the top
      if (hit < 0) modal_.Queue(Asked::What::Message, "Query Not Found");
    }
    MainFixture::Find(query);
    if (hit >= 0) {
      EXPECT_EQ(ListSelection(Control(kList1)), hit);
    }
  }

  // ---- the checks

  void CheckSaved() {
    if (pendingSave_.path.empty()) return;
    const Save save = pendingSave_;
    pendingSave_ = {};
    ASSERT_EQ(fs_.files.count(save.path), 1u);
    HostsDocument saved;
    const std::string& bytes = fs_.files.at(save.path).bytes;
    ReadHostsText(bytes, saved);
    Strings entries;
    for (const vantrel::Text e : saved.CopyEntries()) entries.emplace_back(e);
    // A file of one entry reads as empty; its one line is still that entry.
    if (saved.LineCount == 1) {
      entries = {bytes.substr(save.prefix.size(), bytes.size() - save.prefix.size() - 2)};
    }
    EXPECT_EQ(entries, save.entries);
    const Strings comments(saved.Comments.begin(), saved.Comments.end());
    EXPECT_EQ(comments, save.withComments ? save.comments : Strings{});
  }

  void Check(int step, const char* what) {
    SCOPED_TRACE("step " + std::to_string(step) + ": " + what);
    for (const std::string& problem : modal_.problems) ADD_FAILURE() << problem;
    EXPECT_TRUE(modal_.expected.empty()) << "a question was not asked";
    EXPECT_TRUE(window_.saveOptions.empty()) << "Save Options was not shown";
    modal_.problems.clear();
    modal_.expected.clear();
    window_.saveOptions.clear();
    CheckSaved();

    HostsDocument& doc = document_;
    EXPECT_EQ(doc.LineCount != 0, model_.loaded);
    EXPECT_EQ(doc.ChangeCount, model_.changes);
    EXPECT_EQ(UndoCaption(), model_.undoCaption);
    EXPECT_EQ(MenuEnabled(kMnuUndo), model_.undoEnabled);
    EXPECT_EQ(Strings(doc.List1.Items().begin(), doc.List1.Items().end()), model_.list);
    EXPECT_EQ(ListCount(kList1), static_cast<int>(model_.list.size()));
    if (model_.loaded) {
      const vantrel::TextArray entries = doc.CopyEntries();
      EXPECT_EQ(Strings(entries.begin(), entries.end()), model_.entries);
      EXPECT_EQ(doc.EntryCount(), static_cast<int32_t>(model_.entries.size()));
    }
  }

  // A save that went through, and what its file must hold.
  struct Save {
    std::string path, prefix;
    bool withComments = false;
    Strings entries, comments;
  };

  std::mt19937 random_{20261207};
  SoakModal modal_;
  ScopedModal soakScope_{modal_};
  FakeFileSystem fs_;
  std::vector<SoakFile> files_;
  std::string emptyFile_;
  Model model_;
  Save pendingSave_;
  int fresh_ = 0;
};

TEST_F(SoakTest, ThousandsOfRandomCommandsAgreeWithTheModel) {
  int counts[9] = {};
  for (int step = 1; step <= kSteps && !HasFailure(); ++step) {
    // A user can only use what is enabled: with no document, Open.
    const int command = model_.loaded ? static_cast<int>(random_() % 9) : 0;
    ++counts[command];
    const char* names[] = {"open", "add",  "change", "delete", "undo", "remove duplicates",
                           "find", "save", "close"};
    switch (command) {
      case 0:
        Open();
        Command(kMnuOpen);
        break;
      case 1:
        Add();
        Command(kCmdAdd);
        break;
      case 2:
        Change();
        Command(kCmdChange);
        break;
      case 3:
        Delete();
        Command(kCmdDelete);
        break;
      case 4:
        if (!MenuEnabled(kMnuUndo)) continue;
        Undo();
        Command(kMnuUndo);
        break;
      case 5:
        RemoveDuplicates();
        Command(kCmdRemDup);
        break;
      case 6:
        Find();
        break;
      case 7:
        SaveFlow();
        Command(kCmdSaveAs);
        break;
      case 8:
        if (PromptFlow()) model_.Close();
        Command(kMnuClose);
        break;
    }
    Check(step, names[command]);
  }
  for (int c = 0; c < 9; ++c) EXPECT_GT(counts[c], 50) << c;
  std::printf("soak: %d commands\n", kSteps);
}

}  // namespace
}  // namespace vantrel::test
