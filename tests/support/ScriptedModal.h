// Answers the program's modal questions from a script, and records every
// question asked, so tests can drive the real windows without a person.
#pragma once

#include <windows.h>
// windows.h first
#include <commdlg.h>

#include <deque>
#include <string>
#include <vector>

#include "platform/Modal.h"

namespace vantrel::test {

struct Asked {
  enum class What { Message, Input, Open, Save } what;
  std::string caption;        // message caption, input title, dialog title
  std::string text;           // message text, input prompt
  UINT type = 0;              // message box type; file dialog flags
  std::string initial;        // input default; file dialog initial folder
  DWORD structSize = 0;       // file dialogs: lStructSize as passed
  std::string fileBuffer;     // file dialogs: the name buffer as passed, up to its NUL
  bool ownerVisible = false;  // whether the owner window showed when asked
};

class ScriptedModal : public Modal {
 public:
  // Queues the answer to the next question of that kind.
  void AnswerMessage(int id) { messages_.push_back(id); }
  void AnswerInput(std::string text) { inputs_.push_back(std::move(text)); }
  // A path chooses that file; an empty one cancels the dialog.
  void AnswerFile(std::string path) { files_.push_back(std::move(path)); }

  // Every question asked, in order.
  const std::vector<Asked>& Questions() const { return asked_; }
  const Asked& Last() const { return asked_.back(); }
  // True when every queued answer was used and no question came unanswered.
  bool AllAnswered() const {
    return !unanswered_ && messages_.empty() && inputs_.empty() && files_.empty();
  }
  void Forget() { asked_.clear(); }
  // Drops the answers not used (a command that stopped early leaves some).
  void DropAnswers() {
    messages_.clear();
    inputs_.clear();
    files_.clear();
  }

  int Message(HWND owner, const std::string& text, const std::string& caption, UINT type) override;
  std::string Input(HWND owner, const std::string& prompt, const std::string& title,
                    const std::string& initial) override;
  BOOL OpenFileName(OPENFILENAMEA* settings) override;
  BOOL SaveFileName(OPENFILENAMEA* settings) override;

 private:
  BOOL File(Asked::What what, OPENFILENAMEA* settings);

  std::deque<int> messages_;
  std::deque<std::string> inputs_;
  std::deque<std::string> files_;
  std::vector<Asked> asked_;
  bool unanswered_ = false;
};

}  // namespace vantrel::test
