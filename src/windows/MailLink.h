// A label that reads as a link to the support address: blue, underlined,
// with the pointing-hand cursor. A click asks the shell to open a new mail
// message to the label's text with a fixed subject.
#pragma once

#include <windows.h>

#include <string>

#include "platform/Gdi.h"

namespace vantrel {

// The address the Help and About windows offer for questions.
inline constexpr const char* kSupportAddress = "help@vantrel.org";

// Same shape as ShellExecuteA, which is what the links call by default.
using ShellExecuteFunction = HINSTANCE(WINAPI*)(HWND owner, LPCSTR verb, LPCSTR file,
                                                LPCSTR parameters, LPCSTR folder, INT show);

// Replaces the function the links hand their URL to and returns the one in
// use before, so tests can see the URL instead of starting a mail program.
ShellExecuteFunction SetShellExecute(ShellExecuteFunction function);

class MailLink {
 public:
  MailLink() = default;
  MailLink(const MailLink&) = delete;
  MailLink& operator=(const MailLink&) = delete;

  // label: a static child of owner created with SS_NOTIFY; subject: the
  // query appended to the address ("?subject=...").
  void Attach(HWND owner, HWND label, const char* subject);

  // "mailto:" + the label's text + the subject.
  std::string Url() const;
  // Hands the URL to the shell: default verb, normal show.
  void Open() const;

  // Called first from the owner's window procedure: true when the message
  // concerned the link and was handled, with its result in `result`.
  bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) const;

 private:
  std::string Address() const;
  void FitWidth() const;

  HWND owner_ = nullptr;
  HWND label_ = nullptr;
  const char* subject_ = "";
  Font font_;
};

}  // namespace vantrel
