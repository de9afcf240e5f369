// The "About Vantrel" window: the program's name and version, two credit
// lines, its icon and the support address as a mail link.
#pragma once

#include <windows.h>

#include <string>

#include "platform/BaseWindow.h"
#include "platform/Controls.h"
#include "platform/FixedWindow.h"
#include "platform/Gdi.h"
#include "platform/ModalLoop.h"
#include "windows/MailLink.h"

namespace vantrel {

class AboutWindow : public ModalForm<AboutWindow> {
 public:
  static constexpr const char* kClassName = "VantrelAbout";
  static constexpr const char* kCaption = "About Vantrel";
  static constexpr const char* kMailSubject =
      "?subject=Question, Comment or Bug Report (from About)";
  static constexpr const char* kCredit1 = "A hosts file editor for Windows";
  static constexpr const char* kCredit2 = "Written by the Vantrel team, 2005";

  // Control identifiers.
  enum : int { Frame1 = 101, Image1, Label1, Label2, Line1, Label3, Label4, cmdClose };

  HWND Control(int id) const { return hwnd_ ? controls_[id] : nullptr; }
  // What a click on the address hands to the shell.
  std::string MailUrl() const { return mail_.Url(); }

  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

 private:
  friend class ModalForm<AboutWindow>;
  void Form_Load(HWND mainWindow);
  void Form_Activate();
  void cmdClose_Click();

  ControlSet controls_;
  FocusMemory focus_;
  Font windowFont_, titleFont_;
  MailLink mail_;
};

}  // namespace vantrel
