// The "Help" window: the topic list on the left, the selected topic's text
// in a frame on the right, and the support address as a mail link.
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "platform/BaseWindow.h"
#include "platform/Controls.h"
#include "platform/FixedWindow.h"
#include "platform/Gdi.h"
#include "platform/ModalLoop.h"
#include "windows/HelpTopics.h"
#include "windows/MailLink.h"

namespace vantrel {

class HelpWindow : public ModalForm<HelpWindow> {
 public:
  static constexpr const char* kClassName = "VantrelHelp";
  static constexpr const char* kCaption = "Help";
  static constexpr const char* kNoTopicCaption = "Help";
  static constexpr const char* kNoTopicText = "Click on the menu for help.";
  static constexpr const char* kMailSubject = "?subject=Question (from Help)";

  // Control identifiers.
  enum : int { Label2 = 101, List1, Frame1, Label1, Frame2, Label3, cmdClose };

  // The text of each topic at the topic's index in List1; filled at every
  // activation.
  std::array<std::string, kHelpTextCount> HelpTexts;

  HWND Control(int id) const { return hwnd_ ? controls_[id] : nullptr; }
  // What a click on the address hands to the shell.
  std::string MailUrl() const { return mail_.Url(); }

  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

 private:
  friend class ModalForm<HelpWindow>;
  void Form_Load(HWND mainWindow);
  void Form_Activate();
  void List1_Click();
  void cmdClose_Click();
  void ShowNoTopic();

  ControlSet controls_;
  FocusMemory focus_;
  Font windowFont_, boldFont_;
  MailLink mail_;
};

}  // namespace vantrel
