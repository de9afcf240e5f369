#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "core/HostsReader.h"
#include "shell/MainFixture.h"

namespace vantrel::test {
namespace {

using OpenCommandTest = MainFixture;

std::string ListItem(const MainWindow& window, int index) {
  return std::string(const_cast<MainWindow&>(window).Document().List1.Item(index));
}

void ExpectNoDocumentState(MainWindow& window) {
  EXPECT_EQ(TextOf(window.Control(kLabel6)), "none");
  EXPECT_EQ(TextOf(window.Control(kLabelIP)), "");
  EXPECT_EQ(window.Document().LineCount, 0);
  EXPECT_EQ(window.Document().HostsPath, "");
  EXPECT_EQ(SendMessageA(window.Control(kList1), LB_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(SendMessageA(window.Control(kListComments), LB_GETCOUNT, 0, 0), 0);
  EXPECT_FALSE(IsWindowEnabled(window.Control(kList1)));
  EXPECT_FALSE(IsWindowEnabled(window.Control(kListComments)));
  for (int id : {kCmdSaveAs, kCmdAdd, kCmdChange, kCmdDelete, kCmdRemDup, kComboFind, kCmdCountHost,
                 kCmdNotepad}) {
    EXPECT_FALSE(IsWindowEnabled(window.Control(id))) << id;
  }
  for (int id : {kMnuClose, kMnuSaveAs, kMnuUndo, kMnuAdd, kMnuChange, kMnuDelete, kMnuRemDup}) {
    EXPECT_FALSE(window.Menus().IsEnabled(id)) << id;
  }
  EXPECT_EQ(window.Menus().Caption(kMnuUndo), "Undo");
  EXPECT_EQ(window.DefaultButton(), kCmdOpen);
  EXPECT_EQ(GetFocus(), window.Control(kCmdOpen));
  EXPECT_FALSE(IsWindowVisible(window.Control(kLine5)));
}

TEST_F(OpenCommandTest, AsksForTheFileInTheHostsFolder) {
  Open("");
  ASSERT_EQ(script_.Questions().size(), 1u);
  const Asked& asked = script_.Last();
  EXPECT_EQ(asked.what, Asked::What::Open);
  EXPECT_EQ(asked.caption, "Open Host File");
  // The folder is handed over expanded; the member keeps the variable.
  EXPECT_EQ(window_.HostsFolder(), "%systemroot%\\system32\\drivers\\etc\\");
  EXPECT_EQ(asked.initial.find('%'), std::string::npos);
  EXPECT_NE(asked.initial.find("\\system32\\drivers\\etc\\"), std::string::npos);
  EXPECT_EQ(asked.fileBuffer.substr(0, 5), "Hosts");
  EXPECT_EQ(asked.fileBuffer.size(), 5u + 2047u);
  EXPECT_EQ(asked.type, 3674116u);
  // A cancelled dialog changes nothing.
  EXPECT_EQ(Text(kLabel6), "none");
  EXPECT_EQ(window_.DefaultButton(), 0);
}

TEST_F(OpenCommandTest, LoadsBothListsAndShowsTheLoadedState) {
  const std::string path =
      folder_.Write("hosts",
                    "# header\r\n127.0.0.1 Zeta.Example\r\n\r\n127.0.0.1\talpha\r\n127.0.0.1\t\r\n"
                    "#  tail\r\n127.0.0.1 beta, gamma\r\n");
  Open(path);
  EXPECT_TRUE(script_.AllAnswered());

  EXPECT_EQ(ListCount(kList1), 4);
  EXPECT_EQ(ListItem(window_, 0), "alpha");
  EXPECT_EQ(ListItem(window_, 1), "beta");
  EXPECT_EQ(ListItem(window_, 2), "gamma");
  EXPECT_EQ(ListItem(window_, 3), "zeta.example");
  EXPECT_EQ(ListCount(kListComments), 2);
  EXPECT_FALSE(Enabled(kListComments));
  EXPECT_TRUE(Enabled(kList1));

  EXPECT_EQ(Text(kLabel6), path);
  // The last entry, "gamma", came from after a comma: no address at all.
  EXPECT_EQ(Text(kLabelIP), kLabelIPOther);
  EXPECT_TRUE(IsWindowVisible(Control(kLine5)));
  for (int id : {kText1, kText2, kText3, kText6}) EXPECT_EQ(Text(id), "") << id;
  EXPECT_TRUE(std::regex_match(Text(kLabel7), std::regex("\\d\\d: \\d\\d: \\d\\d")))
      << Text(kLabel7);

  for (int id : {kCmdSaveAs, kCmdAdd, kCmdChange, kCmdDelete, kCmdRemDup, kComboFind, kCmdCountHost,
                 kCmdNotepad}) {
    EXPECT_TRUE(Enabled(id)) << id;
  }
  for (int id : {kMnuClose, kMnuSaveAs, kMnuAdd, kMnuChange, kMnuDelete, kMnuRemDup}) {
    EXPECT_TRUE(MenuEnabled(id)) << id;
  }
  EXPECT_FALSE(MenuEnabled(kMnuUndo));
  EXPECT_EQ(window_.Menus().Caption(kMnuUndo), "Undo");
  EXPECT_EQ(window_.DefaultButton(), kCmdRemDup);
  EXPECT_EQ(GetFocus(), Control(kCmdRemDup));
  EXPECT_EQ(window_.Document().ChangeCount, 0);
  EXPECT_EQ(window_.Document().EntryCount(), 5);
}

TEST_F(OpenCommandTest, AFileWithoutCommentsShowsThePlaceholderGreyed) {
  Open(folder_.Write("hosts", "0.0.0.0 a\r\n0.0.0.0 b\r\n"));
  ASSERT_EQ(ListCount(kListComments), 1);
  EXPECT_EQ(window_.CommentRow(0), "No Comments Found");
  EXPECT_FALSE(Enabled(kListComments));
  EXPECT_EQ(Text(kLabelIP), kLabelIPNotLocalHost);
}

TEST_F(OpenCommandTest, AnEmptyFileIsReportedAndLeavesNoDocument) {
  for (const char* bytes : {"", "127.0.0.1 only\r\n"}) {
    script_.Forget();
    Open(folder_.Write("hosts", bytes));
    ASSERT_EQ(script_.Questions().size(), 2u) << bytes;
    const Asked& message = script_.Last();
    EXPECT_EQ(message.what, Asked::What::Message);
    EXPECT_EQ(message.caption, "Host File Empty");
    EXPECT_EQ(message.text, "No entries found in Host file.");
    EXPECT_EQ(message.type, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
    ExpectNoDocumentState(window_);
    EXPECT_EQ(Text(kLabel7), "00: 00: 00");
  }
}

TEST_F(OpenCommandTest, OneEntryAndOneBlankLineIsAFile) {
  Open(folder_.Write("hosts", "127.0.0.1 only\r\n\r\n"));
  EXPECT_EQ(ListCount(kList1), 1);
  EXPECT_EQ(window_.DefaultButton(), kCmdRemDup);
}

TEST_F(OpenCommandTest, AFileThatCannotBeReadIsReportedByName) {
  const std::string missing = folder_.Path() + "\\gone";
  Open(missing);
  ASSERT_EQ(script_.Questions().size(), 2u);
  const Asked& message = script_.Last();
  EXPECT_EQ(message.caption, "Open Host File");
  EXPECT_NE(message.text.find(missing), std::string::npos);
  EXPECT_NE(message.text.find("does not exist"), std::string::npos);
  EXPECT_EQ(message.type, static_cast<UINT>(MB_OK | MB_ICONSTOP));
  ExpectNoDocumentState(window_);
}

TEST_F(OpenCommandTest, CancellingKeepsTheLoadedDocument) {
  const std::string path = folder_.Write("hosts", "1 a\r\n1 b\r\n");
  Open(path);
  Open("");
  EXPECT_EQ(Text(kLabel6), path);
  EXPECT_EQ(ListCount(kList1), 2);
  EXPECT_EQ(window_.DefaultButton(), kCmdRemDup);
}

TEST_F(OpenCommandTest, ASecondFileReplacesTheFirst) {
  Open(folder_.Write("one", "#c1\r\n1 a\r\n1 b\r\n"));
  const std::string second = folder_.Write("two", "1 x\r\n1 y\r\n1 z\r\n");
  Open(second);
  EXPECT_EQ(ListCount(kList1), 3);
  EXPECT_EQ(ListItem(window_, 0), "x");
  ASSERT_EQ(ListCount(kListComments), 1);
  EXPECT_EQ(window_.CommentRow(0), "No Comments Found");
  EXPECT_EQ(Text(kLabel6), second);
}

TEST_F(OpenCommandTest, TheWaitWindowKeepsThePlaceOfItsFirstShowing) {
  Open(folder_.Write("hosts", "1 a\r\n1 b\r\n"));
  HWND wait = FindWindowA(WaitWindow::kClassName, nullptr);
  ASSERT_NE(wait, nullptr);
  EXPECT_FALSE(IsWindowVisible(wait));
  RECT main{}, first{};
  GetWindowRect(window_.Handle(), &main);
  GetWindowRect(wait, &first);
  EXPECT_EQ(first.left - main.left, 200);  // 3000 twips
  EXPECT_EQ(first.top - main.top, 213);    // 3200 twips
  SetWindowPos(window_.Handle(), nullptr, main.left + 40, main.top + 30, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER);
  Open(folder_.Write("again", "1 c\r\n1 d\r\n"));
  RECT second{};
  GetWindowRect(wait, &second);
  EXPECT_EQ(second.left, first.left);
  EXPECT_EQ(second.top, first.top);
}

}  // namespace
}  // namespace vantrel::test
