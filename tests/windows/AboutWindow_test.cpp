#include "windows/AboutWindow.h"

#include <gtest/gtest.h>

#include "platform/Gdi.h"
#include "support/WindowTesting.h"
#include "windows/HelpWindow.h"

namespace vantrel {
namespace {

using test::CapturedShell;
using test::ExpectAt;
using test::ExpectText;
using test::ModalSteps;
using test::TestWindow;
using test::TextOf;
using W = AboutWindow;

TEST(VersionText, PlainDecimalWithoutLeadingZeros) {
  EXPECT_EQ(VersionText(2, 2), "2.2");
  EXPECT_EQ(VersionText(2, 10), "2.10");
  EXPECT_EQ(VersionText(10, 0), "10.0");
  EXPECT_EQ(VersionText(65535, 65535), "65535.65535");
}

TEST(ProgramVersion, ReadFromTheVersionResource) { EXPECT_EQ(ProgramVersionText(), "2.2"); }

class AboutWindowTest : public ::testing::Test {
 protected:
  void Show(std::vector<std::function<void()>> steps) {
    ModalSteps script([this] { return about.Handle(); }, std::move(steps));
    about.ShowModal(main.Handle());
    EXPECT_TRUE(script.AllRan());
    EXPECT_FALSE(script.TimedOut());
  }
  HWND Control(int id) { return about.Control(id); }
  void Close() { test::Click(Control(W::cmdClose)); }

  TestWindow main{RECT{350, 250, 850, 650}};
  AboutWindow about;
};

TEST_F(AboutWindowTest, ActivationNamesTheVersionAndTheCredits) {
  about.Load(main.Handle());
  ExpectText(about.Handle(), "About Vantrel");
  ExpectText(Control(W::Frame1), "Frame1");
  Show({[&] {
    ExpectText(about.Handle(), "About Vantrel 2.2");
    ExpectText(Control(W::Frame1), "Vantrel 2.2");
    ExpectText(Control(W::Label1), W::kCredit1);
    ExpectText(Control(W::Label2), W::kCredit2);
    ExpectText(Control(W::Label3), "Questions, Comments, Suggestions, Bug Reports, Contact:");
    ExpectText(Control(W::cmdClose), "&Close");
    Close();
  }});
  EXPECT_NE(TextOf(Control(W::Label1)), "Label1");
  EXPECT_NE(TextOf(Control(W::Label2)), "Label2");
}

TEST_F(AboutWindowTest, ShowsTheProgramIconAndTheAddressAsALink) {
  about.Load(main.Handle());
  EXPECT_NE(SendMessageA(Control(W::Image1), STM_GETICON, 0, 0), 0);
  LOGFONTA lf{};
  const auto font = reinterpret_cast<HFONT>(SendMessageA(Control(W::Label4), WM_GETFONT, 0, 0));
  ASSERT_TRUE(GetObjectA(font, sizeof(lf), &lf));
  EXPECT_TRUE(lf.lfUnderline);
}

TEST_F(AboutWindowTest, TheAddressOpensAMailMessageToTheHelpAddress) {
  CapturedShell shell;
  about.Load(main.Handle());
  HWND label = Control(W::Label4);
  SendMessageA(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  SendMessageA(label, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  ASSERT_EQ(shell.Calls().size(), 1u);
  const CapturedShell::Call& call = shell.Calls()[0];
  EXPECT_EQ(call.owner, about.Handle());
  EXPECT_EQ(call.file,
            "mailto:" + TextOf(label) + "?subject=Question, Comment or Bug Report (from About)");
  EXPECT_FALSE(call.hasVerb);
  EXPECT_FALSE(call.hasParameters);
  EXPECT_EQ(call.folder, "");
  EXPECT_EQ(call.show, SW_SHOWNORMAL);

  HelpWindow help;
  help.Load(main.Handle());
  EXPECT_EQ(TextOf(help.Control(HelpWindow::Label3)), TextOf(label));
  EXPECT_TRUE(SendMessageA(about.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(label),
                           MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
}

TEST_F(AboutWindowTest, ReopensWhereItWasUntilClosedByItsFrame) {
  const RECT m = main.Box();
  const POINT first{m.left + TwipsToPixelsX(2000), m.top + TwipsToPixelsY(2500)};
  Show({[&] {
    ExpectAt(about.Handle(), first);
    Close();
  }});
  main.MoveTo(100, 80);
  Show({[&] {
    ExpectAt(about.Handle(), first);
    PostMessageA(about.Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
  }});
  ASSERT_NE(about.Handle(), nullptr);
  Show({[&] { SendMessageA(about.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); }});
  EXPECT_EQ(about.Handle(), nullptr);
  EXPECT_TRUE(IsWindowEnabled(main.Handle()));
  Show({[&] {
    ExpectAt(about.Handle(), POINT{100 + TwipsToPixelsX(2000), 80 + TwipsToPixelsY(2500)});
    ExpectText(about.Handle(), "About Vantrel 2.2");
    Close();
  }});
}

}  // namespace
}  // namespace vantrel
