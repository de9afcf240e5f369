#include "windows/SaveOptionsWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "platform/Gdi.h"
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
using test::TestWindow;
using test::TextOf;
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
    const RECT r = main.Box();
    return POINT{r.left + TwipsToPixelsX(dxTwips), r.top + TwipsToPixelsY(dyTwips)};
  }

  TestWindow main{RECT{300, 200, 800, 600}};
  SaveOptionsWindow dialog;
  test::ScriptedModal modal;
  ScopedModal scoped{modal};
};

bool operator==(const SaveChoice& a, const SaveChoice& b) {
  return a.option == b.option && a.withComments == b.withComments;
}

TEST_F(SaveOptionsTest, OpensOnTheChoiceGivenAndHandsBackTheOneMade) {
  struct Case {
    const char* name;
    std::vector<int> clicks;
    SaveChoice expected;
  };
  // The three options are one group; Cancel clears them but keeps Check1.
  const Case cases[] = {
      {"Save", {W::Command1}, {SaveOption::LocalHost, true}},
      {"another option", {W::Option2, W::Check1, W::Command1}, {SaveOption::Zero, false}},
      {"the third", {W::Option3, W::Command1}, {SaveOption::Typed, true}},
      {"Cancel", {W::Check1, W::Command2}, {SaveOption::None, false}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    dialog.Choice = {SaveOption::LocalHost, true};
    std::vector<std::function<void()>> steps{[&] {
      EXPECT_TRUE(IsChecked(Control(W::Option1)));
      EXPECT_FALSE(IsChecked(Control(W::Option2)) || IsChecked(Control(W::Option3)));
      EXPECT_TRUE(IsChecked(Control(W::Check1)));
    }};
    for (int id : c.clicks) steps.push_back([this, id] { Click(Control(id)); });
    Show(std::move(steps));
    EXPECT_TRUE(dialog.Choice == c.expected);
    // Hidden, not destroyed: the choice stays in the controls.
    ASSERT_NE(dialog.Handle(), nullptr);
    EXPECT_FALSE(IsWindowVisible(dialog.Handle()));
    for (int option : {1, 2, 3}) {
      EXPECT_EQ(IsChecked(Control(W::Option1 + option - 1)),
                option == static_cast<int>(c.expected.option));
    }
  }
  EXPECT_TRUE(modal.Questions().empty());
}

TEST_F(SaveOptionsTest, EnterSavesAndEscapeCancels) {
  dialog.Choice = {SaveOption::LocalHost, true};
  Show({[&] { PostMessageA(GetFocus(), WM_KEYDOWN, VK_RETURN, 0); }});
  EXPECT_TRUE(dialog.Choice == SaveChoice({SaveOption::LocalHost, true}));

  Show({[&] { PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0); }});
  EXPECT_TRUE(dialog.Choice == SaveChoice({SaveOption::None, true}));
}

TEST_F(SaveOptionsTest, SaveWithoutAChoiceAsksAndStaysOpen) {
  modal.AnswerMessage(IDOK);
  dialog.Choice = {SaveOption::None, true};
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
  EXPECT_EQ(dialog.Choice.option, SaveOption::Zero);
}

TEST_F(SaveOptionsTest, ClosingByTheFrameReadsAsCancelAndTheNextShowStartsAfresh) {
  dialog.Choice = {SaveOption::LocalHost, true};
  Show({[&] { SendMessageA(dialog.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); }});
  EXPECT_EQ(dialog.Handle(), nullptr);
  EXPECT_TRUE(dialog.Choice == SaveChoice({SaveOption::None, false}));
  EXPECT_TRUE(IsWindowEnabled(main.Handle()));

  main.MoveTo(120, 90);
  Show({[&] {
    ExpectAt(dialog.Handle(), Expected(1000, 1000));
    for (int id : {W::Option1, W::Option2, W::Option3}) EXPECT_FALSE(IsChecked(Control(id)));
    Click(Control(W::Command2));
  }});
  EXPECT_EQ(dialog.Choice.option, SaveOption::None);
}

TEST_F(SaveOptionsTest, PlacedBesideTheMainWindowOnlyWhenCreated) {
  dialog.Choice = {SaveOption::LocalHost, true};
  Show({[&] {
    ExpectAt(dialog.Handle(), Expected(1000, 1000));
    Click(Control(W::Command1));
  }});
  RECT before{};
  GetWindowRect(dialog.Handle(), &before);
  main.MoveTo(50, 60);
  dialog.Choice = {SaveOption::LocalHost, true};
  Show({[&] {
    ExpectAt(dialog.Handle(), POINT{before.left, before.top});
    Click(Control(W::Command1));
  }});
}

TEST_F(SaveOptionsTest, ExampleBoxesHoldThirteenLinesRefilledAtEveryActivation) {
  dialog.Choice = {SaveOption::LocalHost, true};
  Show({[&] {
          const std::string text1 = TextOf(Control(W::Text1));
          const std::string text2 = TextOf(Control(W::Text2));
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

}  // namespace
}  // namespace vantrel
