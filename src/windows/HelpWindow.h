// The "Help" window: the topic list on the left, the selected topic's text
// in a frame on the right, and the support address as a mail link.
#pragma once

#include <array>
#include <string>

#include "windows/MailLink.h"

namespace vantrel {

class HelpWindow : public MailLinkWindow {
 public:
  static constexpr const char* kClassName = "VantrelHelp";
  static constexpr const char* kCaption = "Help";
  static constexpr const char* kNoTopicCaption = "Help";
  static constexpr const char* kNoTopicText = "Click on the menu for help.";
  static constexpr const char* kMailSubject = "?subject=Question (from Help)";

  enum : int { Label2 = 101, List1, Frame1, Label1, Frame2, Label3, cmdClose };

  HelpWindow();

  // The text of each topic at the topic's index in List1, "" at every other
  // index (0 to 50); filled at every activation.
  std::array<std::string, 51> HelpTexts;

 private:
  void OnCreate() override;
  void OnActivate() override;
  bool OnCommand(int id, int code) override;
  void ShowSelectedTopic();
  // Shows the topic frame with this caption and text.
  void ShowTopic(const char* caption, const char* text);
};

}  // namespace vantrel
