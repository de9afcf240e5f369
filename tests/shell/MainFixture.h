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

  HWND Control(int id) const { return window_.Control(id); }
  std::string Text(int id) const { return TextOf(Control(id)); }
  bool Enabled(int id) const { return IsWindowEnabled(Control(id)) != FALSE; }
  bool MenuEnabled(int id) const { return window_.Menus().IsEnabled(id); }
  int ListCount(int id) const {
    return static_cast<int>(SendMessageA(Control(id), LB_GETCOUNT, 0, 0));
  }
  // Runs the waiting messages as the program's message loop does.
  void PumpAsProgram() {
    for (MSG msg; PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);) {
      if (window_.PreTranslate(msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  // Runs Open and answers its dialog with path ("" cancels it).
  void Open(const std::string& path) {
    script_.AnswerFile(path);
    SendMessageA(window_.Handle(), WM_COMMAND, kMnuOpen, 0);
    Pump();
  }

  ScriptedModal script_;
  ScopedModal scoped_{script_};
  ScriptedSaveWindow window_;
  TempFolder folder_;
};

}  // namespace vantrel::test
