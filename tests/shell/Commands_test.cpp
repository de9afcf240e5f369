// The editing commands, Remove Duplicates, Find and the file tools on the
// real main window, every question answered by script.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/MainFixture.h"
#include "support/WindowTesting.h"

namespace vantrel::test {
namespace {

class CommandsTest : public MainFixture {
 protected:
  void Load(const std::string& bytes) {
    Open(folder_.Write("hosts", bytes));
    ASSERT_TRUE(script_.AllAnswered());
    script_.Forget();
  }
  void Click(int id) {
    SendMessageA(Control(id), BM_CLICK, 0, 0);
    Pump();
  }
  std::vector<std::string> Items() {
    std::vector<std::string> items;
    for (int i = 0; i < ListCount(kList1); ++i) {
      items.emplace_back(document_.List1.Item(i));
    }
    return items;
  }
  int Selected() { return static_cast<int>(SendMessageA(Control(kList1), LB_GETCURSEL, 0, 0)); }
  void Select(int index) {
    SendMessageA(Control(kList1), LB_SETCURSEL, index, 0);
    SendMessageA(window_.Handle(), WM_COMMAND, MAKEWPARAM(kList1, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(Control(kList1)));
  }
};

TEST_F(CommandsTest, RemoveDuplicatesAndItsUndo) {
  Load(
      "127.0.0.1 alpha\r\n127.0.0.1 beta\r\n0.0.0.0 alpha\r\n127.0.0.1 gamma\r\n127.0.0.1 "
      "beta\r\n");
  script_.AnswerMessage(IDYES);
  Click(kCmdRemDup);
  ASSERT_EQ(script_.Questions().size(), 1u);
  EXPECT_EQ(script_.Last().caption, "Remove Duplicate Host Entries");
  EXPECT_EQ(script_.Last().text,
            "Are you sure you would like to remove all duplicate host entries?");
  EXPECT_EQ(script_.Last().type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
  EXPECT_EQ(Text(kText1), "5");
  EXPECT_EQ(Text(kText2), "2");
  EXPECT_EQ(Text(kText3), "3");
  EXPECT_EQ(Items(), (std::vector<std::string>{"alpha", "beta", "gamma"}));
  EXPECT_EQ(UndoCaption(), "Undo Remove Duplicates");
  EXPECT_TRUE(MenuEnabled(kMnuUndo));
  EXPECT_EQ(document_.ChangeCount, 1);
  EXPECT_EQ(TextOf(WaitBox()), "Removing Duplicate Host File Entries...");

  Command(kMnuUndo);
  EXPECT_EQ(ListCount(kList1), 5);
  for (int id : {kText1, kText2, kText3}) EXPECT_EQ(Text(id), "") << id;
  EXPECT_EQ(UndoCaption(), "Undo");
  EXPECT_FALSE(MenuEnabled(kMnuUndo));
  EXPECT_EQ(document_.ChangeCount, 0);
}

TEST_F(CommandsTest, RemoveDuplicatesAnsweredNoChangesNothing) {
  Load("1 a\r\n1 a\r\n");
  script_.AnswerMessage(IDNO);
  Command(kMnuRemDup);
  EXPECT_EQ(ListCount(kList1), 2);
  EXPECT_EQ(Text(kText1), "");
  EXPECT_EQ(document_.ChangeCount, 0);
}

// Real clicks and keys: a click on a button, answered No, leaves the focus on it.
TEST_F(CommandsTest, EnterPressesTheFocusedButtonElseTheDefault) {
  Load("1 alpha\r\n1 beta\r\n");
  const std::pair<int, const char*> rows[] = {
      {kCmdAdd, "Are you sure you would like to add a new host entry?"},
      {kCmdChange, "Are you sure you would like to change the entry for alpha ?"},
      {kCmdDelete, "Are you sure you would like to delete this new host entry?"},
      {kList1, "Are you sure you would like to remove all duplicate host entries?"}};
  for (const auto& [focus, question] : rows) {
    script_.Forget();
    for (int id : {int{kList1}, focus}) {
      if (id != kList1) script_.AnswerMessage(IDNO);
      PostMessageA(Control(id), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 3));
      PostMessageA(Control(id), WM_LBUTTONUP, 0, MAKELPARAM(5, 3));
      PumpAsProgram();
    }
    // The button Enter presses wears the default frame.
    EXPECT_EQ(DefaultButtonOf(window_.Handle()), focus == kList1 ? kCmdRemDup : focus);
    script_.AnswerMessage(IDNO);
    PostMessageA(GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
    PumpAsProgram();
    EXPECT_TRUE(script_.AllAnswered()) << question;
    for (const Asked& asked : script_.Questions()) EXPECT_EQ(asked.text, question);
  }
}

TEST_F(CommandsTest, AddPutsTheLowerCasedTextInPlaceAndSelectsIt) {
  Load("1 alpha\r\n1 gamma\r\n");
  script_.AnswerMessage(IDYES);
  script_.AnswerInput(" Beta.Example ");
  Click(kCmdAdd);
  ASSERT_EQ(script_.Questions().size(), 2u);
  EXPECT_EQ(script_.Questions()[0].text, "Are you sure you would like to add a new host entry?");
  EXPECT_EQ(script_.Questions()[1].text, "Enter in the New Host Entry:");
  EXPECT_EQ(script_.Questions()[1].caption, "Add New Host Entry");
  EXPECT_EQ(Items(), (std::vector<std::string>{" beta.example ", "alpha", "gamma"}));
  EXPECT_EQ(Selected(), 0);
  EXPECT_EQ(UndoCaption(), "Undo Add");
  EXPECT_EQ(document_.ChangeCount, 1);
  EXPECT_EQ(document_.EntryCount(), 3);
}

TEST_F(CommandsTest, DoubleClickOnAnItemChangesIt) {
  Load("1 alpha\r\n1 beta\r\n");
  Select(0);
  RECT item{};
  SendMessageA(Control(kList1), LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
  script_.AnswerMessage(IDYES);
  script_.AnswerInput("Zulu");
  const LPARAM at = MAKELPARAM(item.left + 5, item.top + 2);
  SendMessageA(Control(kList1), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(Control(kList1), WM_LBUTTONUP, 0, at);
  SendMessageA(Control(kList1), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  SendMessageA(Control(kList1), WM_LBUTTONUP, 0, at);
  Pump();
  ASSERT_EQ(script_.Questions().size(), 2u);
  EXPECT_EQ(script_.Questions()[0].caption, "Change Host Entry");
  EXPECT_EQ(script_.Questions()[0].text,
            "Are you sure you would like to change the entry for alpha ?");
  EXPECT_EQ(script_.Questions()[1].caption, "Change value for alpha");
  EXPECT_EQ(script_.Questions()[1].initial, "alpha");
  EXPECT_EQ(Items(), (std::vector<std::string>{"beta", "zulu"}));
  EXPECT_EQ(Selected(), 1);
  EXPECT_EQ(UndoCaption(), "Undo Change");

  Command(kMnuUndo);
  EXPECT_EQ(Items(), (std::vector<std::string>{"alpha", "beta"}));
  EXPECT_EQ(Selected(), 0);
  EXPECT_EQ(document_.ChangeCount, 0);
}

TEST_F(CommandsTest, ChangeAndDeleteWithNothingSelectedSayWhy) {
  Load("1 alpha\r\n1 beta\r\n");
  script_.AnswerMessage(IDOK);
  Click(kCmdChange);
  EXPECT_EQ(script_.Last().caption, "Select Host Entry");
  EXPECT_EQ(script_.Last().text, "Please Select Host Entry from the list that you wish to change");
  EXPECT_EQ(script_.Last().type, static_cast<UINT>(MB_OK | MB_ICONSTOP));
  script_.AnswerMessage(IDOK);
  Click(kCmdDelete);
  EXPECT_EQ(script_.Last().caption, "Host List Empty or Not Selected");
  EXPECT_EQ(script_.Last().text,
            "There are no more Host Entries to Delete or No Host Enrty is Selected.");
  EXPECT_EQ(script_.Last().type, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
  EXPECT_EQ(ListCount(kList1), 2);
}

TEST_F(CommandsTest, DeleteAndUndoPutTheItemBackSelected) {
  Load("1 alpha\r\n1 beta\r\n1 gamma\r\n");
  Select(1);
  script_.AnswerMessage(IDYES);
  Command(kMnuDelete);
  EXPECT_EQ(script_.Last().text, "Are you sure you would like to delete this new host entry?");
  EXPECT_EQ(Items(), (std::vector<std::string>{"alpha", "gamma"}));
  EXPECT_EQ(Selected(), -1);
  EXPECT_EQ(document_.EntryCount(), 2);
  Command(kMnuUndo);
  EXPECT_EQ(Items(), (std::vector<std::string>{"alpha", "beta", "gamma"}));
  EXPECT_EQ(Selected(), 1);
  EXPECT_EQ(document_.EntryCount(), 3);
  EXPECT_FALSE(MenuEnabled(kMnuUndo));
}

TEST_F(CommandsTest, FindWalksDownTheListThenWraps) {
  Load("1 ads.one\r\n1 news\r\n1 more-ads.two\r\n1 plain\r\n1 zads\r\n");
  SetFocus(Control(kComboFind));
  Pump();
  EXPECT_EQ(Text(kComboFind), "");
  EXPECT_EQ(FindTextColor(), RGB(0, 0, 0));
  EXPECT_EQ(DefaultButtonOf(window_.Handle()), 0);  // Enter goes to the find box

  Find("ADS");
  EXPECT_EQ(Selected(), 0);  // ads.one
  Find("ADS");
  EXPECT_EQ(Selected(), 1);  // more-ads.two
  Find("ADS");
  EXPECT_EQ(Selected(), 4);  // zads
  script_.AnswerMessage(IDOK);
  Find("ADS");
  EXPECT_EQ(script_.Last().caption, "Query Not Found");
  EXPECT_EQ(script_.Last().text, "There are no more 'ADS' entries found in the list");
  EXPECT_EQ(script_.Last().type, static_cast<UINT>(MB_OK));
  EXPECT_EQ(Selected(), 4);
  Find("ADS");
  EXPECT_EQ(Selected(), 0);
  EXPECT_EQ(SendMessageA(Control(kComboFind), CB_GETCOUNT, 0, 0), 1);

  script_.AnswerMessage(IDOK);
  Find("a b");
  EXPECT_EQ(script_.Last().text, "Please do not include spaces while searching");
  EXPECT_EQ(Text(kComboFind), "");

  SetFocus(Control(kList1));
  Pump();
  EXPECT_EQ(Text(kComboFind), "type query here");
  EXPECT_EQ(FindTextColor(), GetSysColor(COLOR_GRAYTEXT));
  EXPECT_EQ(DefaultButton(), kCmdRemDup);
}

TEST_F(CommandsTest, FindForgetsItsQueryOnlyWhenTheUserMovesToAnotherControl) {
  Load("1 ads.one\r\n1 news\r\n");
  TestWindow other(RECT{0, 0, 500, 400});  // another program's window
  struct Away {
    HWND to;
    const char* whileAway;
    const char* back;
  };
  for (const Away& away :
       {Away{Control(kList1), "type query here", ""}, Away{other.Handle(), "ads", "ads"}}) {
    SetFocus(Control(kComboFind));
    Pump();
    SetWindowTextA(Control(kComboFind), "ads");
    SetFocus(away.to);
    Pump();
    EXPECT_EQ(Text(kComboFind), away.whileAway) << away.whileAway;
    SetFocus(Control(kComboFind));
    Pump();
    EXPECT_EQ(Text(kComboFind), away.back) << away.whileAway;
    EXPECT_EQ(DefaultButtonOf(window_.Handle()), 0);
  }
}

TEST_F(CommandsTest, CountShowsTheEntriesOfTheFileAsLoaded) {
  Load("#c\r\n1 a, b\r\n\r\n1 c\r\n#d\r\n1 d\r\n1 e\r\n");
  Click(kCmdCountHost);
  EXPECT_EQ(Text(kText6), "5 Host File Entries Found");
  script_.AnswerMessage(IDYES);
  Click(kCmdRemDup);
  Click(kCmdCountHost);
  EXPECT_EQ(Text(kText6), "5 Host File Entries Found");
}

}  // namespace
}  // namespace vantrel::test
