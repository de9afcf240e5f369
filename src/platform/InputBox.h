// A modal single-line prompt with OK and Cancel.
#pragma once

#include <windows.h>

#include <string>

#include "platform/BaseWindow.h"
#include "platform/Controls.h"
#include "platform/Gdi.h"

namespace vantrel {

class InputBox : public BaseWindow<InputBox> {
 public:
  // Shows the prompt; returns the text typed when OK is pressed, "" on Cancel.
  static std::string Ask(HWND owner, const std::string& prompt, const std::string& title,
                         const std::string& initial);

  static constexpr const char* kClassName = "VantrelInputBox";
  static constexpr int kPromptId = 1001;
  static constexpr int kEditId = 1002;

  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

 private:
  void Finish(bool ok);

  ControlSet controls_;
  Font font_;
  std::string answer_;
};

}  // namespace vantrel
