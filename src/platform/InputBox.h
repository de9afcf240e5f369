// A modal single-line prompt with OK and Cancel, created for each question
// in the middle of the screen's width and a third down its height.
#pragma once

#include <string>

#include "platform/ModalWindow.h"

namespace vantrel {

class InputBox : public ModalWindow {
 public:
  static constexpr const char* kClassName = "VantrelInputBox";
  static constexpr int kPromptId = 1001;
  static constexpr int kEditId = 1002;

  // Shows the prompt; returns the text typed when OK is pressed, "" on Cancel.
  static std::string Ask(HWND owner, const std::string& prompt, const std::string& title,
                         const std::string& initial);

 private:
  InputBox();
  bool OnCommand(int id, int code) override;
  bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  std::string answer_;
};

}  // namespace vantrel
