// The "Help" window: the topic list on the left, the selected topic's text
// in a frame on the right, and the support address as a mail link.
#pragma once

#include <array>
#include <string>

#include "platform/ModalWindow.h"
#include "windows/HelpTopics.h"
#include "windows/MailLink.h"

namespace vantrel {

class HelpWindow : public ModalWindow {
 public:
  static constexpr const char* kClassName = "VantrelHelp";
  static constexpr const char* kCaption = "Help";
  static constexpr const char* kNoTopicCaption = "Help";
  static constexpr const char* kNoTopicText = "Click on the menu for help.";
  static constexpr const char* kMailSubject = "?subject=Question (from Help)";

  // Control identifiers.
  enum : int { Label2 = 101, List1, Frame1, Label1, Frame2, Label3, cmdClose };

  HelpWindow();

  // The text of each topic at the topic's index in List1; filled at every
  // activation.
  std::array<std::string, kHelpTextCount> HelpTexts;

  // What a click on the address hands to the shell.
  std::string MailUrl() const { return mail_.Url(); }

 private:
  void OnCreate() override;
  void OnActivate() override;
  bool OnCommand(int id, int code) override;
  bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void ShowSelectedTopic();
  void ShowNoTopic();

  MailLink mail_;
};

}  // namespace vantrel
