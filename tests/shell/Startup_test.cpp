// Start-up by Windows version, and the Window and Help menus, on the real
// main window.
#include <gtest/gtest.h>

#include <string>

#include "shell/MainFixture.h"
#include "support/WindowTesting.h"

namespace vantrel::test {
namespace {

class StartupTest : public ::testing::Test {
 protected:
  void Start(const std::string& version) {
    ASSERT_TRUE(window_.Create(GetModuleHandleA(nullptr)));
    window_.Startup(version);
    Pump();
  }
  bool TransparencyEnabled() const { return SubmenuHolding(window_.Handle(), kMnuNone).enabled; }
  // The folder the Open dialog starts in.
  std::string OpenFolder(HWND window) {
    script_.AnswerFile("");
    SendMessageA(window, WM_COMMAND, kMnuOpen, 0);
    return script_.Last().initial;
  }

  ScriptedModal script_;
  ScopedModal scoped_{script_};
  HostsDocument document_;
  MainWindow window_{document_};
};

TEST_F(StartupTest, OnXpAnd2000TransparencyIsOfferedWithoutAWord) {
  for (const char* version : {"Windows XP", "Windows 2000"}) {
    MainWindow window(document_);
    ASSERT_TRUE(window.Create(GetModuleHandleA(nullptr)));
    window.Startup(version);
    EXPECT_TRUE(script_.Questions().empty()) << version;
    EXPECT_TRUE(SubmenuHolding(window.Handle(), kMnuNone).enabled) << version;
    EXPECT_EQ(OpenFolder(window.Handle()), Expanded("%systemroot%\\system32\\drivers\\etc\\"));
    script_.Forget();
    EXPECT_EQ(TextOf(GetDlgItem(window.Handle(), kLabel7)), "00: 00: 00");
    EXPECT_TRUE(IsWindowVisible(window.Handle()));
    BYTE alpha = 0;
    EXPECT_TRUE(GetLayeredWindowAttributes(window.Handle(), nullptr, &alpha, nullptr));
    EXPECT_EQ(alpha, 255);
    EXPECT_TRUE(GetWindowLongA(window.Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
  }
}

TEST_F(StartupTest, ElsewhereTheUserIsToldAndTheDialogStartsInTheSystemRoot) {
  script_.AnswerMessage(IDOK);
  Start("Windows 98");
  ASSERT_EQ(script_.Questions().size(), 1u);
  const Asked& told = script_.Last();
  EXPECT_EQ(told.caption, "Transparency Disabled");
  EXPECT_EQ(told.text,
            "This program has the ability to be transparent. \r\n"
            "Transparency Only works with Windows XP or Windows 2000.\r\n"
            "Transparency will be turned off.");
  EXPECT_EQ(told.type, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
  EXPECT_FALSE(told.ownerVisible);  // told before the window shows
  EXPECT_TRUE(IsWindowVisible(window_.Handle()));
  EXPECT_FALSE(TransparencyEnabled());
  EXPECT_TRUE(MenuEnabled(window_.Handle(), kMnuOnTop));
  EXPECT_EQ(OpenFolder(window_.Handle()), Expanded("%systemroot%\\"));
}

TEST_F(StartupTest, ANewerSystemIsToldToo) {
  script_.AnswerMessage(IDOK);
  Start("Windows ");
  EXPECT_EQ(script_.Questions().size(), 1u);
  EXPECT_FALSE(TransparencyEnabled());
}

using WindowMenuTest = MainFixture;

TEST_F(WindowMenuTest, TransparencyStepsWriteTheirAlphaAndMoveTheCheckMark) {
  struct Step {
    int id;
    BYTE alpha;
  };
  for (const Step& step :
       {Step{kMnuFifty, 128}, Step{kMnuNinety, 26}, Step{kMnuTen, 230}, Step{kMnuNone, 255}}) {
    SendMessageA(window_.Handle(), WM_COMMAND, step.id, 0);
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(window_.Handle(), nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, step.alpha) << step.id;
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA));
    int checked = 0;
    for (int id = kMnuNone; id <= kMnuNinety; ++id) {
      if (MenuChecked(window_.Handle(), id)) {
        ++checked;
        EXPECT_EQ(id, step.id);
      }
    }
    EXPECT_EQ(checked, 1);
  }
}

TEST_F(WindowMenuTest, AlwaysOnTopAlternates) {
  SendMessageA(window_.Handle(), WM_COMMAND, kMnuOnTop, 0);
  EXPECT_TRUE(GetWindowLongA(window_.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_TRUE(MenuChecked(window_.Handle(), kMnuOnTop));
  SendMessageA(window_.Handle(), WM_COMMAND, kMnuOnTop, 0);
  EXPECT_FALSE(GetWindowLongA(window_.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_FALSE(MenuChecked(window_.Handle(), kMnuOnTop));
}

TEST_F(WindowMenuTest, HelpAndAboutShowModallyOverTheMainWindow) {
  for (const char* className : {"VantrelHelp", "VantrelAbout"}) {
    std::string caption;
    bool mainDisabled = false;
    auto find = [className] { return WaitForWindow({className}); };
    ModalSteps modal(find, {[&] {
                       HWND shown = find();
                       caption = shown ? TextOf(shown) : "";
                       mainDisabled = !IsWindowEnabled(window_.Handle());
                       if (shown) PostMessageA(shown, WM_CLOSE, 0, 0);
                     }});
    const int command = std::string(className) == "VantrelHelp" ? kMnuContents : kMnuAbout;
    SendMessageA(window_.Handle(), WM_COMMAND, command, 0);
    Pump();
    EXPECT_TRUE(modal.AllRan());
    EXPECT_FALSE(modal.TimedOut());
    EXPECT_EQ(caption, command == kMnuContents ? "Help" : "About Vantrel 2.2");
    EXPECT_TRUE(mainDisabled);
    EXPECT_TRUE(IsWindowEnabled(window_.Handle()));
  }
}

}  // namespace
}  // namespace vantrel::test
