// A real main window for a test, with every modal question answered by
// script.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <deque>
#include <string>
#include <vector>

#include "shell/MainWindow.h"
#include "support/ScriptedModal.h"
#include "support/WindowTesting.h"
#include "windows/WaitWindow.h"

namespace vantrel::test {

// The main window with the Save Options dialog answered by script: each
// queued choice answers one showing; with none queued the real dialog shows.
class ScriptedSaveWindow : public MainWindow {
 public:
  using MainWindow::MainWindow;
  std::deque<SaveChoice> saveOptions;
  std::vector<SaveChoice> presets;  // what each showing was preset to

  SaveChoice ShowSaveOptions(const SaveChoice& preset) override {
    presets.push_back(preset);
    if (saveOptions.empty()) return MainWindow::ShowSaveOptions(preset);
    const SaveChoice choice = saveOptions.front();
    saveOptions.pop_front();
    return choice;
  }
};

class MainFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(window_.Create(GetModuleHandleA(nullptr)));
    window_.Startup();
    Pump();
  }
  void TearDown() override { Pump(); }

  HWND Control(int id) const { return GetDlgItem(window_.Handle(), id); }
  std::string Text(int id) const { return TextOf(Control(id)); }
  bool Enabled(int id) const { return IsWindowEnabled(Control(id)) != FALSE; }
  bool MenuEnabled(int id) const { return test::MenuEnabled(window_.Handle(), id); }
  std::string UndoCaption() const { return MenuCaption(window_.Handle(), kMnuUndo); }
  int DefaultButton() const { return OwnDefaultButton(window_.Handle(), Control(kText1)); }
  int ListCount(int id) const {
    return static_cast<int>(SendMessageA(Control(id), LB_GETCOUNT, 0, 0));
  }
  // The program ended: its window is gone, or hidden while its message loop ends (Exit).
  bool Ended() const { return !IsWindow(window_.Handle()) || !IsWindowVisible(window_.Handle()); }
  // The edit of the find box (a combo box's edit has the id 1001).
  HWND FindEdit() const { return GetDlgItem(Control(kComboFind), 1001); }
  // The colour the find box's text is drawn in, asked for as the edit asks when it paints.
  COLORREF FindTextColor() const {
    HDC dc = CreateCompatibleDC(nullptr);
    SetTextColor(dc, RGB(1, 2, 3));
    SendMessageA(window_.Handle(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(FindEdit()));
    const COLORREF color = GetTextColor(dc);
    DeleteDC(dc);
    return color;
  }
  // The wait window, shown or not: the main window's own window of that class.
  HWND WaitBox() const {
    return WaitForWindow(
        {.className = WaitWindow::kClassName, .owner = window_.Handle(), .hiddenToo = true});
  }
  // Runs the waiting messages as the program's message loop does.
  void PumpAsProgram() {
    for (MSG msg; PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);) {
      if (window_.PreTranslate(msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  // Runs the command of that menu item or button, as choosing it does.
  void Command(int id) {
    SendMessageA(window_.Handle(), WM_COMMAND, static_cast<WPARAM>(id), 0);
    Pump();
  }
  // Runs Open and answers its dialog with path ("" cancels it).
  void Open(const std::string& path) {
    script_.AnswerFile(path);
    Command(kMnuOpen);
  }
  // Types a query into the find box and presses Enter there, as a user does.
  void Find(const std::string& query) {
    SetWindowTextA(Control(kComboFind), query.c_str());
    PostMessageA(FindEdit(), WM_KEYDOWN, VK_RETURN, 0x001C0001);
    PostMessageA(FindEdit(), WM_KEYUP, VK_RETURN, 0xC01C0001);
    PumpAsProgram();
  }

  ScriptedModal script_;
  ScopedModal scoped_{script_};
  HostsDocument document_;
  ScriptedSaveWindow window_{document_};
  TempFolder folder_;
};

}  // namespace vantrel::test
