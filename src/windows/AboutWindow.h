// The "About Vantrel" window: the program's name and version, two credit
// lines, its icon and the support address as a mail link.
#pragma once

#include <string>

#include "windows/MailLink.h"

namespace vantrel {

// "major.minor" of the running executable's file version, from its version
// resource; "" without one.
std::string ProgramVersionText();

// "major.minor" in plain decimal: 2 and 10 read "2.10".
std::string VersionText(unsigned major, unsigned minor);

class AboutWindow : public MailLinkWindow {
 public:
  static constexpr const char* kClassName = "VantrelAbout";
  static constexpr const char* kCaption = "About Vantrel";
  static constexpr const char* kMailSubject =
      "?subject=Question, Comment or Bug Report (from About)";
  static constexpr const char* kCredit1 = "A hosts file editor for Windows";
  static constexpr const char* kCredit2 = "Written by the Vantrel team, 2005";

  enum : int { Frame1 = 101, Image1, Label1, Label2, Line1, Label3, Label4, cmdClose };

  AboutWindow();

 private:
  void OnCreate() override;
  void OnActivate() override;
};

}  // namespace vantrel
