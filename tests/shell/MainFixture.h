// A real main window for a test, with every modal question answered by
// script.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "shell/MainWindow.h"
#include "support/ScriptedModal.h"
#include "support/WinTest.h"

namespace vantrel::test {

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
  // Runs Open and answers its dialog with path ("" cancels it).
  void Open(const std::string& path) {
    script_.AnswerFile(path);
    SendMessageA(window_.Handle(), WM_COMMAND, kMnuOpen, 0);
    Pump();
  }

  ScriptedModal script_;
  ScopedModal scoped_{script_};
  MainWindow window_;
  TempFolder folder_;
};

}  // namespace vantrel::test
