// The "About Vantrel" window: the program's name and version, two credit
// lines, its icon and the support address as a mail link.
#pragma once

#include <optional>
#include <string>

#include "platform/ModalWindow.h"
#include "windows/MailLink.h"

namespace vantrel {

struct ProgramVersion {
  unsigned major = 0;
  unsigned minor = 0;
};

// Major and minor of the running executable's file version, from its
// version resource; nothing without one.
std::optional<ProgramVersion> ReadProgramVersion();

// "major.minor" in plain decimal: 2 and 10 read "2.10".
std::string VersionText(unsigned major, unsigned minor);

class AboutWindow : public ModalWindow {
 public:
  static constexpr const char* kClassName = "VantrelAbout";
  static constexpr const char* kCaption = "About Vantrel";
  static constexpr const char* kMailSubject =
      "?subject=Question, Comment or Bug Report (from About)";
  static constexpr const char* kCredit1 = "A hosts file editor for Windows";
  static constexpr const char* kCredit2 = "Written by the Vantrel team, 2005";

  // Control identifiers.
  enum : int { Frame1 = 101, Image1, Label1, Label2, Line1, Label3, Label4, cmdClose };

  AboutWindow();

  // What a click on the address hands to the shell.
  std::string MailUrl() const { return mail_.Url(); }

 private:
  void OnCreate() override;
  void OnActivate() override;
  bool OnCommand(int id, int code) override;
  bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  MailLink mail_;
};

}  // namespace vantrel
