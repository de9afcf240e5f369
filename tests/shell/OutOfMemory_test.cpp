// The real main window with each allocation of a command failing in turn:
// Open, Remove Duplicates and its undo either complete or leave the
// document, the lists and the window as they were, with the normal pointer
// and a message naming what could not be done.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "shell/MainWindow.h"
#include "support/FailingAllocator.h"
#include "support/ScriptedModal.h"
#include "support/WindowTesting.h"

namespace vantrel::test {
namespace {

using Strings = std::vector<std::string>;

// The script stands in for the system's dialogs, which take no memory of the
// program's: its bookkeeping is spared.
class SparedModal : public ScriptedModal {
 public:
  int Message(HWND owner, const std::string& text, const std::string& caption, UINT type) override {
    const SparedAllocations spared;
    return ScriptedModal::Message(owner, text, caption, type);
  }
  std::string Input(HWND owner, const std::string& prompt, const std::string& title,
                    const std::string& initial) override {
    const SparedAllocations spared;
    return ScriptedModal::Input(owner, prompt, title, initial);
  }
  BOOL OpenFileName(OPENFILENAMEA* settings) override {
    const SparedAllocations spared;
    return ScriptedModal::OpenFileName(settings);
  }
};

// What the user sees and what the document holds.
struct WindowState {
  Strings texts;
  Strings entries;
  Strings list1;
  std::vector<int> flags;
  bool operator==(const WindowState&) const = default;
};

void PrintTo(const WindowState& state, std::ostream* out) {
  for (const Strings* list : {&state.texts, &state.entries, &state.list1}) {
    *out << "\n ";
    for (const std::string& text : *list) *out << " [" << text << "]";
  }
  *out << "\n ";
  for (const int flag : state.flags) *out << ' ' << flag;
}

class WindowOutOfMemoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(window_.Create(GetModuleHandleA(nullptr)));
    window_.Startup();
    Pump();
    first_ = folder_.Write("first", "# one\r\n127.0.0.1 b\r\n127.0.0.1 a\r\n127.0.0.1 b\r\n");
    second_ = folder_.Write("second", "0.0.0.0 Zeta\r\n0.0.0.0 eta\r\n# two\r\n0.0.0.0 zeta\r\n");
  }

  void Command(int id) {
    SendMessageA(window_.Handle(), WM_COMMAND, static_cast<WPARAM>(id), 0);
    Pump();
  }
  void Open(const std::string& path) {
    {
      const SparedAllocations spared;
      script_.AnswerFile(path);
    }
    Command(kMnuOpen);
  }
  void RemoveDuplicates() {
    {
      const SparedAllocations spared;
      script_.AnswerMessage(IDYES);
    }
    Command(kCmdRemDup);
  }

  WindowState Take() {
    const SparedAllocations spared;
    WindowState state;
    for (int id : {kLabel6, kLabel7, kLabelIP, kText1, kText2, kText3, kText6}) {
      state.texts.push_back(TextOf(Control(id)));
    }
    const HostsDocument& doc = document_;
    state.texts.push_back(MenuCaption(window_.Handle(), kMnuUndo));
    state.texts.push_back(doc.HostsPath);
    for (int32_t i = 0; i < CommentRowCount(doc); ++i) {
      state.texts.emplace_back(CommentRow(doc, i));
    }
    const TextArray entries = doc.CopyEntries();
    state.entries.assign(entries.begin(), entries.end());
    state.list1.assign(doc.List1.Items().begin(), doc.List1.Items().end());
    for (int id : {kCmdRemDup, kCmdSaveAs, kCmdAdd, kList1, kListComments}) {
      state.flags.push_back(IsWindowEnabled(Control(id)));
    }
    for (int id : {kMnuUndo, kMnuRemDup, kMnuSaveAs}) state.flags.push_back(MenuEnabled(id));
    for (int id : {kList1, kListComments}) {
      state.flags.push_back(static_cast<int>(SendMessageA(Control(id), LB_GETCOUNT, 0, 0)));
    }
    state.flags.insert(
        state.flags.end(),
        {doc.ChangeCount, doc.LastAction, doc.EntryCount(), doc.LineCount,
         OwnDefaultButton(window_.Handle(), Control(kText1)), GetFocus() == Control(kCmdRemDup),
         GetCursor() == LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT))});
    return state;
  }
  HWND Control(int id) const { return GetDlgItem(window_.Handle(), id); }
  bool MenuEnabled(int id) const { return test::MenuEnabled(window_.Handle(), id); }

  // Runs the command with its 1st, 2nd ... allocation failing until a run
  // fails none. arrange() sets the window up, with nothing failing; a run
  // that fails must leave it as arranged and tell caption and text.
  template <class Arrange, class Run>
  void EachFailing(Arrange arrange, Run run, const char* caption, const char* text) {
    arrange();
    run();
    ASSERT_TRUE(script_.AllAnswered());
    const WindowState done = Take();
    for (uint64_t n = 1;; ++n) {
      arrange();
      // An elapsed time of its own, to see that a failed job shows it again.
      SetWindowTextA(Control(kLabel7), "00: 00: 07");
      const WindowState before = Take();
      script_.Forget();
      FailAllocation(n);
      run();
      FailAllocation(0);
      script_.DropAnswers();
      const WindowState after = Take();
      if (!AllocationFailed()) {
        EXPECT_EQ(after, done) << "allocation " << n << " failed none";
        return;
      }
      if (after == done) continue;  // the failure was made good on the way
      ASSERT_EQ(after, before) << "allocation " << n << " failed";
      ASSERT_FALSE(script_.Questions().empty()) << "allocation " << n;
      const Asked& told = script_.Last();
      EXPECT_EQ(told.caption, caption) << "allocation " << n;
      EXPECT_EQ(told.text.rfind(text, 0), 0u) << told.text;
    }
  }

  SparedModal script_;
  ScopedModal scoped_{script_};
  HostsDocument document_;
  MainWindow window_{document_};
  TempFolder folder_;
  std::string first_, second_;
};

TEST_F(WindowOutOfMemoryTest, OpenKeepsTheDocumentShown) {
  EachFailing([&] { Open(first_); }, [&] { Open(second_); }, "Open Host File",
              "There is not enough memory to open");
}

TEST_F(WindowOutOfMemoryTest, RemoveDuplicatesKeepsTheEntries) {
  EachFailing([&] { Open(first_); }, [&] { RemoveDuplicates(); }, "Remove Duplicate Host Entries",
              "There is not enough memory to remove the duplicates.");
}

TEST_F(WindowOutOfMemoryTest, UndoRemoveDuplicatesKeepsTheRemoval) {
  EachFailing(
      [&] {
        Open(first_);
        RemoveDuplicates();
      },
      [&] { Command(kMnuUndo); }, "Undo", "There is not enough memory to undo");
}

}  // namespace
}  // namespace vantrel::test
