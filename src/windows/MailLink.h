// A modal window whose support address reads as a link: blue, underlined,
// with the pointing-hand cursor. A click asks the shell to open a new mail
// message to the address with a fixed subject; the Close button hides it.
#pragma once

#include <string>

#include "platform/ModalWindow.h"

namespace vantrel {

// The address the Help and About windows offer for questions.
inline constexpr const char* kSupportAddress = "help@vantrel.org";

// Same shape as ShellExecuteA, which is what the links call by default.
using ShellExecuteFunction = HINSTANCE(WINAPI*)(HWND owner, LPCSTR verb, LPCSTR file,
                                                LPCSTR parameters, LPCSTR folder, INT show);

// Replaces the function the links hand their URL to and returns the one in
// use before, so tests can see the URL instead of starting a mail program.
ShellExecuteFunction SetShellExecute(ShellExecuteFunction function);

class MailLinkWindow : public ModalWindow {
 public:
  // link: a label created with SS_NOTIFY; subject: the query appended to the
  // address ("?subject=...").
  MailLinkWindow(const ModalWindowDef& def, int link, int close, const char* subject)
      : ModalWindow(def), link_(link), close_(close), subject_(subject) {}

  // What a click on the address hands to the shell: "mailto:" + the label's
  // text + the subject.
  std::string MailUrl() const;

 protected:
  // A derived window calls these first from its own.
  void OnCreate() override;
  bool OnCommand(int id, int code) override;

 private:
  bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  int link_;
  int close_;
  const char* subject_;
};

}  // namespace vantrel
