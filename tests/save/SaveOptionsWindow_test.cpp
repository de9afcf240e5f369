#include "save/SaveOptionsWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "platform/Twips.h"
#include "support/ScriptedModal.h"
#include "support/WindowTesting.h"

namespace vantrel {
namespace {

using test::Click;
using test::ExpectAt;
using test::ExpectText;
using test::IsChecked;
using test::ModalSteps;
using test::SplitLines;
using test::StandInMain;
using test::WindowText;
using W = SaveOptionsWindow;

class SaveOptionsTest : public ::testing::Test {
 protected:
  // Shows the dialog modally and runs the steps inside its loop.
  void Show(std::vector<std::function<void()>> steps) {
    ModalSteps script([this] { return dialog.Handle(); }, std::move(steps));
    dialog.ShowModal(main.Handle());
    EXPECT_TRUE(script.AllRan());
    EXPECT_FALSE(script.TimedOut());
  }
  HWND Control(int id) { return dialog.Control(id); }
  POINT Expected(int dxTwips, int dyTwips) {
    const RECT r = main.Rect();
    return POINT{r.left + TwipsToPixelsX(dxTwips), r.top + TwipsToPixelsY(dyTwips)};
  }

  StandInMain main{300, 200};
  SaveOptionsWindow dialog;
  test::ScriptedModal modal;
  ScopedModal scoped{modal};
};

TEST_F(SaveOptionsTest, PresetSelectsLocalHostAndCommentsWhateverTheLastSaveChose) {
  dialog.Preset();
  Show({[&] {
          EXPECT_TRUE(IsChecked(Control(W::Option1)));
          EXPECT_FALSE(IsChecked(Control(W::Option2)));
          EXPECT_FALSE(IsChecked(Control(W::Option3)));
          EXPECT_TRUE(IsChecked(Control(W::Check1)));
          Click(Control(W::Option2));
          Click(Control(W::Check1));
        },
        [&] { Click(Control(W::Command1)); }});
  EXPECT_EQ(dialog.SelectedOption(), 2);
  EXPECT_FALSE(dialog.CommentsChecked());

  dialog.Preset();
  EXPECT_EQ(dialog.SelectedOption(), 1);
  EXPECT_TRUE(dialog.CommentsChecked());
  EXPECT_TRUE(modal.Questions().empty());
}

TEST_F(SaveOptionsTest, SaveHidesAndKeepsTheChoiceInTheControls) {
  dialog.Preset();
  Show({[&] { Click(Control(W::Option3)); }, [&] { Click(Control(W::Command1)); }});
  ASSERT_NE(dialog.Handle(), nullptr);
  EXPECT_FALSE(IsWindowVisible(dialog.Handle()));
  // The three buttons are one group: choosing the third cleared the first.
  EXPECT_FALSE(IsChecked(Control(W::Option1)));
  EXPECT_TRUE(IsChecked(Control(W::Option3)));
  EXPECT_EQ(dialog.SelectedOption(), 3);
  EXPECT_TRUE(dialog.CommentsChecked());
}

TEST_F(SaveOptionsTest, EnterSavesAndEscapeCancels) {
  dialog.Preset();
  Show({[&] { PostMessageA(GetFocus(), WM_KEYDOWN, VK_RETURN, 0); }});
  EXPECT_EQ(dialog.SelectedOption(), 1);

  dialog.Preset();
  Show({[&] { PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0); }});
  EXPECT_EQ(dialog.SelectedOption(), 0);
  EXPECT_TRUE(dialog.CommentsChecked());
}

TEST_F(SaveOptionsTest, CancelClearsEveryOptionButKeepsTheCommentsBox) {
  dialog.Preset();
  Show({[&] { Click(Control(W::Check1)); }, [&] { Click(Control(W::Command2)); }});
  EXPECT_FALSE(IsWindowVisible(dialog.Handle()));
  for (int id : {W::Option1, W::Option2, W::Option3}) EXPECT_FALSE(IsChecked(Control(id)));
  EXPECT_EQ(dialog.SelectedOption(), 0);
  EXPECT_FALSE(dialog.CommentsChecked());
}

TEST_F(SaveOptionsTest, SaveWithoutAChoiceAsksAndStaysOpen) {
  modal.AnswerMessage(IDOK);
  // A fresh dialog has no option selected.
  Show({[&] { Click(Control(W::Command1)); },
        [&] {
          EXPECT_TRUE(IsWindowVisible(dialog.Handle()));
          Click(Control(W::Option2));
        },
        [&] { Click(Control(W::Command1)); }});
  ASSERT_EQ(modal.Questions().size(), 1u);
  const test::Asked& asked = modal.Last();
  EXPECT_EQ(asked.what, test::Asked::What::Message);
  EXPECT_EQ(asked.caption, "Save Options");
  EXPECT_EQ(asked.text, "Please choose a Save option before proceeding.");
  EXPECT_EQ(asked.type, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
  EXPECT_TRUE(modal.AllAnswered());
  EXPECT_EQ(dialog.SelectedOption(), 2);
}

TEST_F(SaveOptionsTest, ClosingByTheFrameReadsAsCancelAndTheNextShowStartsAfresh) {
  dialog.Preset();
  Show({[&] { SendMessageA(dialog.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); }});
  EXPECT_EQ(dialog.Handle(), nullptr);
  EXPECT_EQ(dialog.SelectedOption(), 0);
  EXPECT_FALSE(dialog.CommentsChecked());
  EXPECT_TRUE(IsWindowEnabled(main.Handle()));

  main.MoveTo(120, 90);
  Show({[&] {
    ExpectAt(dialog.Handle(), Expected(1000, 1000));
    for (int id : {W::Option1, W::Option2, W::Option3}) EXPECT_FALSE(IsChecked(Control(id)));
    Click(Control(W::Command2));
  }});
  EXPECT_EQ(dialog.SelectedOption(), 0);
}

TEST_F(SaveOptionsTest, PlacedBesideTheMainWindowOnlyWhenCreated) {
  dialog.Preset();
  Show({[&] {
    ExpectAt(dialog.Handle(), Expected(1000, 1000));
    Click(Control(W::Command1));
  }});
  RECT before{};
  GetWindowRect(dialog.Handle(), &before);
  main.MoveTo(50, 60);
  dialog.Preset();
  Show({[&] {
    ExpectAt(dialog.Handle(), POINT{before.left, before.top});
    Click(Control(W::Command1));
  }});
}

TEST_F(SaveOptionsTest, ExampleBoxesHoldThirteenLinesRefilledAtEveryActivation) {
  dialog.Preset();
  Show({[&] {
          const std::string text1 = WindowText(Control(W::Text1));
          const std::string text2 = WindowText(Control(W::Text2));
          ASSERT_GE(text1.size(), 2u);
          EXPECT_EQ(text1.substr(text1.size() - 2), "\r\n");
          EXPECT_EQ(text2.substr(text2.size() - 2), "\r\n");
          const auto lines1 = SplitLines(text1);
          const auto lines2 = SplitLines(text2);
          ASSERT_EQ(lines1.size(), 13u);
          ASSERT_EQ(lines2.size(), 13u);
          std::set<std::string> names;
          for (size_t i = 0; i < lines1.size(); ++i) {
            ASSERT_EQ(lines1[i].rfind("127.0.0.1  ", 0), 0u) << lines1[i];
            ASSERT_EQ(lines2[i].rfind("0  ", 0), 0u) << lines2[i];
            const std::string name = lines1[i].substr(11);
            EXPECT_EQ(lines2[i].substr(3), name);
            EXPECT_NE(name.front(), ' ');
            names.insert(name);
          }
          EXPECT_EQ(names.size(), 13u);
          SetWindowTextA(Control(W::Text1), "typed over");
          SetWindowTextA(Control(W::Text2), "");
        },
        [&] {
          SendMessageA(dialog.Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
          ExpectText(Control(W::Text1), W::ExampleText("127.0.0.1"));
          ExpectText(Control(W::Text2), W::ExampleText("0"));
          Click(Control(W::Command2));
        }});
}

TEST(SaveOptionsExamples, SeveralNamesShareOneDomain) {
  std::map<std::string, int> domains;
  for (const std::string& line : SplitLines(W::ExampleText("0"))) {
    const size_t last = line.rfind('.');
    const size_t before = line.rfind('.', last - 1);
    ++domains[line.substr(before + 1)];
  }
  int most = 0;
  for (const auto& [domain, count] : domains) most = std::max(most, count);
  EXPECT_GE(most, 3);
}

TEST_F(SaveOptionsTest, LayoutCaptionsAndFonts) {
  dialog.Load(main.Handle());
  HWND hwnd = dialog.Handle();
  ASSERT_NE(hwnd, nullptr);
  ExpectText(hwnd, "Save Options ");
  RECT client{};
  GetClientRect(hwnd, &client);
  EXPECT_EQ(client.right, TwipsToPixelsX(6255));
  EXPECT_EQ(client.bottom, TwipsToPixelsY(5460));
  ExpectText(Control(W::Option1), "&Save with LocalHost (127.0.0.1)");
  ExpectText(Control(W::Option2), "Save with&out Localhost (0)");
  ExpectText(Control(W::Option3), "Save with &other IP or Website");
  ExpectText(Control(W::Command1), "&Save");
  ExpectText(Control(W::Command2), "&Cancel");
  ExpectText(Control(W::Check1), "Save &Comments in Host File");
  ExpectText(Control(W::Frame1), "Save Options");
  ExpectText(Control(W::Frame2), "Examples");
  ExpectText(Control(W::Label1), "LocalHost (127.0.0.1)");
  ExpectText(Control(W::Label2), "Without LocalHost (0)");

  // Label1 lies inside Frame2: 120 + 240 across, 1680 + 360 down.
  RECT label{};
  GetWindowRect(Control(W::Label1), &label);
  MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&label), 2);
  EXPECT_EQ(label.left, TwipsToPixelsX(360));
  EXPECT_EQ(label.top, TwipsToPixelsY(2040));

  struct Expected {
    int id;
    double points;
    bool bold;
  };
  HDC dc = GetDC(nullptr);
  const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  for (const Expected& e : {Expected{W::Option1, 9.75, false}, Expected{W::Command1, 9.75, false},
                            Expected{W::Frame1, 9.75, true}, Expected{W::Frame2, 9.75, true},
                            Expected{W::Label1, 8.25, true}, Expected{W::Text2, 8.25, false}}) {
    const auto font = reinterpret_cast<HFONT>(SendMessageA(Control(e.id), WM_GETFONT, 0, 0));
    LOGFONTA lf{};
    ASSERT_TRUE(GetObjectA(font, sizeof(lf), &lf)) << e.id;
    EXPECT_STREQ(lf.lfFaceName, "Tahoma") << e.id;
    EXPECT_EQ(lf.lfWeight >= FW_BOLD, e.bold) << e.id;
    EXPECT_EQ(-lf.lfHeight, static_cast<LONG>(e.points * dpi / 72.0 + 0.5)) << e.id;
  }

  // Tab order: the options, the buttons, the comments box, the examples.
  std::vector<int> order;
  for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (GetWindowLongPtrA(child, GWL_STYLE) & WS_TABSTOP) order.push_back(GetDlgCtrlID(child));
  }
  EXPECT_EQ(order, (std::vector<int>{W::Option1, W::Option2, W::Option3, W::Command1, W::Command2,
                                     W::Check1, W::Text1, W::Text2}));
}

}  // namespace
}  // namespace vantrel
