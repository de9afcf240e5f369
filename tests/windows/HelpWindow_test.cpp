#include "windows/HelpWindow.h"

#include <gtest/gtest.h>

#include "platform/Gdi.h"
#include "support/WindowTesting.h"

namespace vantrel {
namespace {

using test::CapturedShell;
using test::ExpectAt;
using test::ExpectText;
using test::ExpectVisible;
using test::ListItems;
using test::ListSelection;
using test::ModalSteps;
using test::SplitLines;
using test::TestWindow;
using test::TextOf;
using W = HelpWindow;

class HelpWindowTest : public ::testing::Test {
 protected:
  void Show(std::vector<std::function<void()>> steps) {
    ModalSteps script([this] { return help.Handle(); }, std::move(steps));
    help.ShowModal(main.Handle());
    EXPECT_TRUE(script.AllRan());
    EXPECT_FALSE(script.TimedOut());
  }
  HWND Control(int id) { return help.Control(id); }
  // Selects an item as a click does: the list box notifies the window.
  void Select(int index) {
    HWND list = Control(W::List1);
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(help.Handle(), WM_COMMAND, MAKEWPARAM(W::List1, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
  }
  void ExpectNoTopic(std::source_location where = std::source_location::current()) {
    ExpectText(Control(W::Frame1), "Help", where);
    ExpectText(Control(W::Label1), "Click on the menu for help.", where);
  }
  void Close() { test::Click(Control(W::cmdClose)); }

  TestWindow main{RECT{400, 300, 900, 700}};
  HelpWindow help;
};

TEST_F(HelpWindowTest, OpensOnTheFirstItemWithNoTopicShown) {
  help.Load(main.Handle());
  // Until the first activation the topic frame is hidden.
  ExpectVisible(Control(W::Frame1), false);
  Show({[&] {
    ExpectVisible(Control(W::Frame1), true);
    ExpectVisible(Control(W::Label1), true);
    ExpectNoTopic();
    EXPECT_EQ(ListSelection(Control(W::List1)), 0);
    Close();
  }});
  ExpectVisible(help.Handle(), false);
}

TEST_F(HelpWindowTest, EveryTopicOpensItsPageAndEveryOtherItemNone) {
  int topics = 0;
  Show({[&] {
    const std::vector<std::string> items = ListItems(Control(W::List1));
    ASSERT_EQ(items.size(), 20u);
    for (size_t i = 0; i < items.size(); ++i) {
      SCOPED_TRACE(items[i]);
      Select(4);
      Select(static_cast<int>(i));
      const std::string& text = help.HelpTexts[i];
      // Headings, separators and blank items have no page.
      if (text.empty()) {
        ExpectNoTopic();
        continue;
      }
      ++topics;
      ExpectText(Control(W::Frame1), items[i]);
      ExpectText(Control(W::Label1), text);
    }
    Close();
  }});
  EXPECT_EQ(topics, 12);
  for (size_t i = 20; i < help.HelpTexts.size(); ++i) EXPECT_TRUE(help.HelpTexts[i].empty()) << i;
}

TEST_F(HelpWindowTest, SelectingATopicShowsItsTitleAndText) {
  Show({[&] {
          Select(4);
          ExpectText(Control(W::Frame1), "3. Where is the Host File located?");
          const std::vector<std::string> lines = SplitLines(TextOf(Control(W::Label1)));
          const std::vector<std::string> expected{
              "For Windows XP:             C:\\Windows\\System32\\Drivers\\Etc\\",
              "For Windows 2000:          C:\\WinNT\\System32\\Drivers\\Etc\\",
              "For Windows 95/98/ME:   C:\\Windows\\",
              "",
              "If you are uncertain which Operating System you have, simply search for Host.",
          };
          EXPECT_EQ(lines, expected);
        },
        [&] {
          // The keyboard moves the selection too.
          SendMessageA(Control(W::List1), WM_KEYDOWN, VK_DOWN, 0);
          EXPECT_EQ(ListSelection(Control(W::List1)), 5);
          ExpectText(Control(W::Frame1), "4. What is LocalHost or 127.0.0.1?");
          ExpectText(Control(W::Label1), help.HelpTexts[5]);
          Select(18);
          ExpectText(Control(W::Frame1), "7. Using the Find Feature");
          ExpectText(Control(W::Label1),
                     "Click on the box to type in the website name that you are looking for.  "
                     "Then hit the 'enter' key to start the query.");
          Close();
        }});
}

TEST_F(HelpWindowTest, TopicTextsKeepTheirLineBreaks) {
  help.Load(main.Handle());
  SendMessageA(help.Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
  const auto lines3 = SplitLines(help.HelpTexts[3]);
  ASSERT_EQ(lines3.size(), 8u);
  EXPECT_EQ(lines3[0], "The Host File has 2 sites listed: ");
  EXPECT_EQ(lines3[3], "");
  EXPECT_EQ(lines3[4], "Example: ");
  EXPECT_EQ(lines3[5].rfind("127.0.0.1  ", 0), 0u);
  EXPECT_NE(lines3[5][11], ' ');
  const std::string webmail = lines3[5].substr(11);
  EXPECT_NE(lines3[7].find(webmail), std::string::npos);

  const auto lines16 = SplitLines(help.HelpTexts[16]);
  ASSERT_EQ(lines16.size(), 18u);
  EXPECT_EQ(lines16[7], "127.0.0.1   " + webmail);
  EXPECT_EQ(lines16[10], "0   " + webmail);
  EXPECT_EQ(lines16[13].substr(lines16[13].size() - webmail.size() - 3), "   " + webmail);
  EXPECT_EQ(lines16[17].substr(0, 24), "On the Save Options scre");

  EXPECT_EQ(SplitLines(help.HelpTexts[17]).size(), 5u);
  for (int i : {2, 3, 4, 5, 6, 12, 13, 14, 15, 16, 17, 18}) {
    const std::string& text = help.HelpTexts[static_cast<size_t>(i)];
    EXPECT_NE(text.back(), '\n') << i;
    EXPECT_EQ(text.find("\r\n\r\n\r\n"), std::string::npos) << i;
  }
}

TEST_F(HelpWindowTest, ReactivationRefillsTheListAndReturnsToTheFirstItem) {
  Show({[&] {
    Select(16);
    ExpectText(Control(W::Frame1), "5. Saving Changes to the Host File");
    SendMessageA(help.Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(ListItems(Control(W::List1)).size(), 20u);
    EXPECT_EQ(ListSelection(Control(W::List1)), 0);
    ExpectNoTopic();
    Close();
  }});
  // Showing it again does the same.
  Show({[&] {
    EXPECT_EQ(ListItems(Control(W::List1)).size(), 20u);
    ExpectNoTopic();
    Close();
  }});
}

TEST_F(HelpWindowTest, TheAddressOpensAMailMessage) {
  CapturedShell shell;
  help.Load(main.Handle());
  HWND label = Control(W::Label3);
  const std::string address = TextOf(label);
  EXPECT_NE(address.find('@'), std::string::npos);
  SendMessageA(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  SendMessageA(label, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  ASSERT_EQ(shell.Calls().size(), 1u);
  const CapturedShell::Call& call = shell.Calls()[0];
  EXPECT_EQ(call.owner, help.Handle());
  EXPECT_FALSE(call.hasVerb);
  EXPECT_EQ(call.file, "mailto:" + address + "?subject=Question (from Help)");
  EXPECT_FALSE(call.hasParameters);
  EXPECT_EQ(call.folder, "");
  EXPECT_EQ(call.show, SW_SHOWNORMAL);
  EXPECT_EQ(help.MailUrl(), call.file);
}

TEST_F(HelpWindowTest, TheAddressLooksLikeALink) {
  help.Load(main.Handle());
  HWND label = Control(W::Label3);
  const LRESULT handled = SendMessageA(help.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(label),
                                       MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_TRUE(handled);
  EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND)));

  HDC dc = CreateCompatibleDC(nullptr);
  SendMessageA(help.Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
               reinterpret_cast<LPARAM>(label));
  EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 255));
  DeleteDC(dc);

  LOGFONTA lf{};
  const auto font = reinterpret_cast<HFONT>(SendMessageA(label, WM_GETFONT, 0, 0));
  ASSERT_TRUE(GetObjectA(font, sizeof(lf), &lf));
  EXPECT_TRUE(lf.lfUnderline);
  EXPECT_STREQ(lf.lfFaceName, "Tahoma");

  // The whole address fits its label.
  HDC screen = GetDC(label);
  const HGDIOBJ old = SelectObject(screen, font);
  const std::string address = TextOf(label);
  SIZE extent{};
  GetTextExtentPoint32A(screen, address.c_str(), static_cast<int>(address.size()), &extent);
  SelectObject(screen, old);
  ReleaseDC(label, screen);
  RECT r{};
  GetClientRect(label, &r);
  EXPECT_LE(extent.cx, r.right);
}

TEST_F(HelpWindowTest, PlacedBesideTheMainWindowWhenCreatedOnly) {
  const RECT m = main.Box();
  const POINT first{m.left - TwipsToPixelsX(700), m.top + TwipsToPixelsY(350)};
  Show({[&] {
    ExpectAt(help.Handle(), first);
    ExpectText(help.Handle(), "Help");
    Close();
  }});
  main.MoveTo(200, 150);
  Show({[&] {
    ExpectAt(help.Handle(), first);
    SendMessageA(help.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
  }});
  EXPECT_EQ(help.Handle(), nullptr);
  Show({[&] {
    ExpectAt(help.Handle(), POINT{200 - TwipsToPixelsX(700), 150 + TwipsToPixelsY(350)});
    ExpectNoTopic();
    Close();
  }});
}

}  // namespace
}  // namespace vantrel
